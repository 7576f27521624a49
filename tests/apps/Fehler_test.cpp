// The command line answers bad input and faults with a German message and a
// non-zero status, and destroys nothing: options, championships, outputs,
// settings that cannot be written, databases of other programs.

#include "platform/ado/Ado.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
    QString all() const { return out + err; }
};

Outcome reports1(const QStringList& args, const QString& tmp = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (!tmp.isEmpty())
        env.insert("TMPDIR", tmp);
    p.setProcessEnvironment(env);
    p.start(QString(REPORTS1_BIN_DIR) + "/reports1", args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "abgestürzt: " << args.join(' ').toStdString();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray pruefsumme(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1) : QByteArray();
}

class Kommandozeile : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = dir.filePath("m.sqlite");
        ASSERT_EQ(reports1({"init-db", db, "--starts", "120"}).code, 0);
    }
    // Runs the start list on a database changed by sql first.
    QTemporaryDir dir;
    QString db;
};

TEST_F(Kommandozeile, OptionsAreCheckedBeforeAnythingRuns)
{
    Outcome r = reports1({"run", "Starterliste", "--db", db, "--idnet", "1"});
    EXPECT_EQ(r.code, 64);
    EXPECT_TRUE(r.err.contains("Unbekannte Option --idnet")) << r.all().toStdString();
    r = reports1({"init-db", dir.filePath("n.sqlite"), "--starts", "zehn"});
    EXPECT_EQ(r.code, 64);
    EXPECT_TRUE(r.err.contains("--starts braucht eine ganze Zahl")) << r.all().toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("n.sqlite")));
    r = reports1({"run", "Starterliste", "--db", db, "--answer", "vielleicht"});
    EXPECT_EQ(r.code, 64);
    r = reports1({"run", "Starterliste", "--db", db, "--pdf", ""});
    EXPECT_EQ(r.code, 64);
    EXPECT_TRUE(r.out.contains("--pdf braucht einen Namen")) << r.all().toStdString();
    r = reports1({});
    EXPECT_EQ(r.code, 64);
    EXPECT_TRUE(r.err.startsWith("FEHLER: Kein Befehl angegeben.")) << r.all().toStdString();
    r = reports1({"umwandeln"});
    EXPECT_EQ(r.code, 64);

    // Help and version: on standard output, status 0, and nothing runs
    // (the benchmark would take long and make a championship).
    r = reports1({"bench", "--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("reports1 bench [--starts N]")) << r.all().toStdString();
    EXPECT_FALSE(r.out.contains("Seiten/s"));
    EXPECT_EQ(reports1({"--help"}).code, 0);
    r = reports1({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "reports1 1.0\n");
}

TEST_F(Kommandozeile, ChampionshipsAndOutputsThatCannotBeRight)
{
    Outcome r = reports1({"run", "Starterliste", "true", "--db", db, "--ident", "999", "--set", "Speziell/MitTab=J"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("FEHLER: Meisterschaft 999 ist nicht vorhanden")) << r.all().toStdString();

    const QByteArray vorher = pruefsumme(db);
    for (const QStringList& args : {QStringList{"--pdf", db}, QStringList{"--pdf", dir.filePath("a.pdf"), "--dump",
                                                                          dir.filePath("a.pdf")},
                                    QStringList{"--dump", "/dev/null"}}) {
        r = reports1(QStringList{"run", "Starterliste", "true", "--db", db} + args);
        EXPECT_EQ(r.code, 64) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.startsWith("FEHLER: Die Ausgabe --")) << r.all().toStdString();
    }
    EXPECT_EQ(pruefsumme(db), vorher);
    EXPECT_FALSE(QFile::exists(dir.filePath("a.pdf")));
}

TEST_F(Kommandozeile, AChampionshipWithoutNameOrOrganiserStillPrintsAndKeepsItsSettings)
{
    {
        Ado::TADOConnection c;
        ASSERT_TRUE(c.Open(db));
        c.Execute("UPDATE ZKTMP SET Veranstaltung = NULL, Veranstalter = NULL");
    }
    const QString pdf = dir.filePath("s.pdf");
    Outcome r = reports1({"run", "Starterliste", "true", "--db", db, "--ident", "1", "--set", "Speziell/MitTab=J", "--pdf", pdf});
    EXPECT_EQ(r.code, 0) << r.all().toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    Ado::TADOConnection c;
    ASSERT_TRUE(c.Open(db));
    EXPECT_EQ(c.Scalar("SELECT Wert FROM QVSETTINGS WHERE Programm = '' AND Schluessel = 'MitTab'").toString(), "J");
}

TEST_F(Kommandozeile, ADatabaseOfAnotherProgramIsNeitherOpenedNorChanged)
{
    const QString fremd = dir.filePath("kasse.sqlite");
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "fremd");
        d.setDatabaseName(fremd);
        ASSERT_TRUE(d.open());
        QSqlQuery(d).exec("CREATE TABLE BUCHUNG (Nr INTEGER, Betrag REAL)");
        d.close();
    }
    QSqlDatabase::removeDatabase("fremd");
    const QByteArray vorher = pruefsumme(fremd);
    for (const QStringList& args : {QStringList{"run", "Starterliste", "--db", fremd, "--set", "Speziell/MitTab=J"},
                                    QStringList{"message", "ZKTMP,REPORT,MENUE", "--db", fremd}}) {
        Outcome r = reports1(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.all().contains("ist keine Meisterschaftsdatenbank")) << r.all().toStdString();
    }
    EXPECT_EQ(pruefsumme(fremd), vorher);
}

TEST_F(Kommandozeile, ASettingADatabaseInUseRefusesIsAMessageNotAnAbort)
{
    // Another workstation is writing: reading goes on, writing waits and
    // then gives up.
    QSqlDatabase andere = QSqlDatabase::addDatabase("QSQLITE", "andere");
    andere.setDatabaseName(db);
    ASSERT_TRUE(andere.open());
    ASSERT_TRUE(QSqlQuery(andere).exec("BEGIN IMMEDIATE"));
    Outcome r = reports1({"run", "Starterliste", "true", "--db", db, "--set", "Speziell/MitTab=J"});
    QSqlQuery(andere).exec("ROLLBACK");
    andere.close();
    andere = QSqlDatabase();
    QSqlDatabase::removeDatabase("andere");
    EXPECT_EQ(r.code, 1) << r.all().toStdString();
    EXPECT_TRUE(r.out.startsWith("FEHLER: Die Einstellung Speziell/MitTab kann nicht gespeichert werden:"))
        << r.all().toStdString();
    EXPECT_TRUE(r.out.contains("gesperrt")) << r.all().toStdString();
    EXPECT_TRUE(r.out.contains("\n  Einzelheiten: ")) << r.all().toStdString(); // the database's own words below
}

TEST_F(Kommandozeile, PrintsWrittenOrCheckedLeaveNoStreamInTheTempFolder)
{
    QTemporaryDir tmp;
    const QString pdf = dir.filePath("s.pdf"), dump = dir.filePath("s.txt");
    Outcome r = reports1({"run", "Starterliste", "true", "--db", db, "--pdf", pdf, "--dump", dump}, tmp.path());
    EXPECT_EQ(r.code, 0) << r.all().toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(QFile::exists(dump));
    r = reports1({"check", "run", "Starterliste", "true", "--db", db}, tmp.path());
    EXPECT_EQ(r.code, 0) << r.all().toStdString();
    EXPECT_TRUE(r.out.contains("ohne Befund")) << r.all().toStdString();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden).join(" ").toStdString(), "");

    // Without an output the stream is the print: it stays and is named.
    r = reports1({"run", "Starterliste", "true", "--db", db}, tmp.path());
    EXPECT_EQ(r.code, 0) << r.all().toStdString();
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(r.out.contains("DRUCK: Starterliste (" + tmp.path())) << r.all().toStdString();
}

} // namespace
