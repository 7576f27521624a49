// The two programs run as a user runs them.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(QString(REPORTS1_BIN_DIR) + "/" + program, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(Meisterschaft, SelftestLoadsTheModuleAndListsItsEntries)
{
    Outcome r = run("meisterschaft", {"--selftest"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("Size: 18\n"));
    EXPECT_TRUE(r.out.contains("Framework: Meisterschaftsprogramm\n"));
    EXPECT_TRUE(r.out.contains("VersionHigh: 1\nVersionLow: 0\n"));
    EXPECT_TRUE(r.out.contains("Description: Reports\n"));
    EXPECT_TRUE(r.out.contains("LoadSequence: 101\n"));
    EXPECT_TRUE(r.out.contains("Menü 1: Startgeldliste\nMenü 2: Listen zur Vorbereitung\n"
                               "Menü 3: Listen zur Durchführung\n"));
}

TEST(Meisterschaft, MissingModuleIsAnErrorNotACrash)
{
    Outcome r = run("meisterschaft", {"--selftest", "--module", "/nicht/da/libReports1.so"});
    EXPECT_EQ(r.code, 1);
}

TEST(Meisterschaft, AChampionshipThatCannotBeOpenedIsNamed)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("nicht-da.sqlite");
    Outcome r = run("meisterschaft", {"--db", missing});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("FEHLER: Die Meisterschaft \"" + missing + "\" kann nicht geöffnet werden."))
        << r.err.toStdString();
}

// Every window the print menu reaches, with its pages, a preview and Qt's
// dialogs on the way, as pictures that show something.
TEST(Meisterschaft, ScreenshotsOfEveryWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath("meisterschaft.sqlite"), shots = dir.filePath("bilder");
    ASSERT_EQ(run("reports1", {"init-db", db, "--starts", "150", "--seed", "3"}).code, 0);

    Outcome r = run("meisterschaft", {"--screenshots", shots, "--db", db, "--home", dir.filePath("home")});
    EXPECT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
    const QStringList files = QDir(shots).entryList({"*.png"}, QDir::Files, QDir::Name);
    EXPECT_EQ(r.out.count("BILD: "), files.size());
    EXPECT_FALSE(r.out.contains("FEHLER"));
    const QStringList expected = {
        "hauptfenster", "menue-datei", "menue-drucken", "meisterschaft-oeffnen--meisterschaft-oeffnen",
        "startgeldliste", "listen-zur-vorbereitung", "listen-zur-durchfuehrung",
        "listen-zur-durchfuehrung-pc_ergebnis-urkunden", "listen-zur-durchfuehrung-pc_ergebnisse-ts_rekord",
        "listen-zur-durchfuehrung-schriftart--schriftart-auswaehlen", "vorschau-seitenbreite",
        "vorschau-ganze-seite", "vorschau--drucken"};
    for (const QString& name : expected) {
        const auto match = files.filter(QRegularExpression("^\\d\\d-" + QRegularExpression::escape(name) + "\\.png$"));
        EXPECT_EQ(match.size(), 1) << name.toStdString();
    }
    for (const QString& f : files) {
        const QImage picture(QDir(shots).filePath(f));
        EXPECT_GE(picture.width(), 300) << f.toStdString();
        EXPECT_GE(picture.height(), 150) << f.toStdString();
    }
    // The main window shows the championship, not an empty area: many
    // colours (text is antialiased), not one or two.
    const QImage main(QDir(shots).filePath(files.filter("-hauptfenster.png").value(0)));
    QSet<QRgb> colours;
    for (int y = 0; y < main.height(); y += 2)
        for (int x = 0; x < main.width(); x += 2)
            colours.insert(main.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
}

TEST(Reports1Cli, MessagesOpenAndCloseTheTopLevelDialogs)
{
    Outcome r = run("reports1", {"message", "ZKTMP,REPORT,MENUE", "ZKTMP,REPORT", "DRUCK FERTIG,3",
                             "ZKTMP,WECHSEL,FORMULAR ZU"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "open: TErgebDruckForm\nopen: TErgebDruckForm\nopen: TErgebDruckForm\nopen: -\n");
}

TEST(Reports1Cli, RunsTheStartListOnAGeneratedChampionship)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath("meisterschaft.sqlite");
    const QString pdf = dir.filePath("out.pdf"), dump = dir.filePath("out.txt");
    ASSERT_EQ(run("reports1", {"init-db", db, "--starts", "150", "--seed", "7"}).code, 0);

    Outcome r = run("reports1", {"run", "Starterliste", "true", "--db", db, "--home", dir.filePath("home"), "--ctl",
                                 "gb_Auswahl=1", "--pdf", pdf, "--dump", dump});
    EXPECT_EQ(r.code, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("AUSGABE: " + pdf + "\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("AUSGABE: " + dump + "\n"));
    EXPECT_TRUE(QFile::exists(pdf));
    QFile text(dump);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString inhalt = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(inhalt.startsWith("P 1\n"));
    EXPECT_TRUE(inhalt.contains("\tGesamt pro Anlage\n")); // the order set on the command line
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString seiten = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(seiten.contains("Teilnehmer")) << seiten.toStdString();
    EXPECT_TRUE(seiten.contains("Insgesamt"));

    // A control the form does not have is an error, and nothing is printed.
    const QString pdf2 = dir.filePath("fehler.pdf");
    r = run("reports1", {"run", "Starterliste", "--db", db, "--home", dir.filePath("home"), "--ctl", "gb_Nichtda=1",
                         "--pdf", pdf2});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.out.contains("FEHLER: Steuerelement gb_Nichtda nicht gefunden")) << r.out.toStdString();
    EXPECT_FALSE(QFile::exists(pdf2));
}

TEST(Reports1Cli, DrivesThePreparationCentreAndTheDialogsItsButtonsOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath("meisterschaft.sqlite"), home = dir.filePath("home");
    ASSERT_EQ(run("reports1", {"init-db", db, "--starts", "150", "--seed", "7"}).code, 0);

    // Without an entry: every entry the command line knows, one a line.
    Outcome r = run("reports1", {"run"});
    EXPECT_EQ(r.code, 0);
    const QStringList namen = r.out.split('\n', Qt::SkipEmptyParts);
    for (const char* e : {"Starterliste", "Ergebdruck1", "Vorbereitung1"})
        EXPECT_TRUE(namen.contains(e)) << e;
    EXPECT_EQ(QSet<QString>(namen.begin(), namen.end()).size(), namen.size()); // each once

    // Two lists of the centre, each to its own numbered file.
    const QString pdf = dir.filePath("zentrale.pdf"), dump = dir.filePath("zentrale.txt");
    r = run("reports1", {"run", "Vorbereitung1", "--db", db, "--home", home, "--click", "bt_Stammdaten", "--click",
                         "bt_Schiesszeiten", "--pdf", pdf, "--dump", dump});
    EXPECT_EQ(r.code, 0) << r.out.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(QFile::exists(dir.filePath("zentrale-2.pdf")));
    QFile zeiten(dir.filePath("zentrale-2.txt"));
    ASSERT_TRUE(zeiten.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(zeiten.readAll()).contains("\tSchiesszeiten Teilmeisterschaft 1\n"));

    // A button that opens the start list's form, then steps on that form.
    const QString starter = dir.filePath("starter.txt");
    r = run("reports1", {"run", "Vorbereitung1", "--db", db, "--home", home, "--ctl", "pc_Vorbereitung=ts_Allgemein",
                         "--click", "bt_Starter", "--ctl", "gb_Auswahl=1", "--click", "bt_OK", "--dump", starter});
    EXPECT_EQ(r.code, 0) << r.out.toStdString();
    QFile liste(starter);
    ASSERT_TRUE(liste.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(liste.readAll()).contains("\tGesamt pro Anlage\n"));

    // Prompts answered in order; an input error ends with status 2.
    r = run("reports1", {"run", "Vorbereitung1", "--db", db, "--home", home, "--click", "bt_Zip", "--folder",
                         dir.filePath("leer"), "--ctl", "pc_Vorbereitung=Medaillen", "--ctl", "ed_Einzel=4", "--click",
                         "bt_OK"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "INFO: Es sind keine Dateien zum komprimieren vorhanden\n"
                     "FEHLER: Die Anzahl Medaillen Einzel ist zu groß\n");
}

} // namespace

#include "platform/report/Rpbase.h"
#include "platform/report/Rpstream.h"

namespace {

TEST(Reports1Cli, BenchPrintsOnlyItsMeasurementsAndRefusesAnUnknownDocument)
{
    // The generated championship is kept in the temporary folder: one of
    // this test's own.
    QTemporaryDir tmp;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TMPDIR", tmp.path());
    p.setProcessEnvironment(env);
    const auto bench = [&](const QStringList& args) {
        p.start(QString(REPORTS1_BIN_DIR) + "/reports1", QStringList{"bench", "--starts", "150"} + args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    // Every document's closing message stays out of the JSON.
    const QString json = bench({"--json"});
    EXPECT_EQ(p.exitCode(), 0) << json.toStdString();
    QJsonParseError fehler;
    const QJsonDocument d = QJsonDocument::fromJson(json.toUtf8(), &fehler);
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << json.toStdString();
    QStringList dokumente;
    for (const QJsonValue& v : d.object().value("documents").toArray()) {
        dokumente << v.toObject().value("document").toString();
        EXPECT_GT(v.toObject().value("seconds").toDouble(), 0.0);
    }
    for (const char* name : {"Ergebnisliste", "Gesamtliste", "Gesamtliste RTF", "Gesamtliste HTML"})
        EXPECT_TRUE(dokumente.contains(name)) << name << " in " << dokumente.join(", ").toStdString();

    const QString einer = bench({"--only", "gesamtliste html"});
    EXPECT_EQ(p.exitCode(), 0) << einer.toStdString();
    EXPECT_TRUE(einer.contains("Gesamtliste HTML")) << einer.toStdString();
    EXPECT_FALSE(einer.contains("Ergebnisliste")) << einer.toStdString();

    const QString falsch = bench({"--only", "Gesamtlist"});
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(falsch.contains("FEHLER: Unbekanntes Dokument: Gesamtlist")) << falsch.toStdString();
}

TEST(Reports1Cli, CheckReportsFindingsOfAStreamAndOfAJobRun)
{
    QTemporaryDir dir;
    // A page with a text running off the printable area and one that fits.
    Report::TBaseReport r;
    r.BeginDocument();
    r.SetFont("Arial", 10);
    r.PrintLeft("passt", 2.0);
    r.NewLine();
    r.PrintLeft("483,5 100,5 10,4", 18.2);
    r.EndDocument();
    const QString stream = dir.filePath("seite.ndr");
    ASSERT_TRUE(Report::WriteStream(r.TakeDocument(), stream));
    Outcome c = run("reports1", {"check", stream});
    EXPECT_EQ(c.code, 1);
    EXPECT_EQ(c.out.count('\n'), 1) << c.out.toStdString();
    EXPECT_TRUE(c.out.startsWith("Seite 1, x 18,20")) << c.out.toStdString();
    EXPECT_TRUE(c.out.contains("Text \"483,5 100,5 10,4\" ragt über den druckbaren Bereich (rechts 20,50 cm)"));

    // A job run through the check: its print has no finding.
    const QString db = dir.filePath("m.sqlite");
    ASSERT_EQ(run("reports1", {"init-db", db, "--starts", "150"}).code, 0);
    Outcome j = run("reports1", {"check", "run", "Starterliste", "true", "--db", db, "--ctl", "gb_Auswahl=1"});
    EXPECT_EQ(j.code, 0) << j.out.toStdString();
    EXPECT_EQ(j.out, "PRÜFUNG: Starterliste: ohne Befund\n");
}

} // namespace
