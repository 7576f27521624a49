// Delimited exports: the start statistics as a CSV file a spreadsheet opens,
// read back through a CSV parser; what the user sees on the way, cancelling,
// and a target that cannot be written.

#include "reports1/frame/Udateiexporte.h"

#include "platform/host/Eingabefehler.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// RFC 4180 as spreadsheets read it: fields in double quotes may hold the
// separator and doubled quotes; records end with CR LF.
QList<QStringList> csvLesen(const QString& text)
{
    QList<QStringList> saetze;
    QStringList satz;
    QString feld;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                feld += '"', ++i;
            else if (c == '"')
                inQuotes = false;
            else
                feld += c;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ';') {
            satz << feld, feld.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            satz << feld, feld.clear();
            saetze << satz, satz.clear();
            ++i;
        } else {
            feld += c;
        }
    }
    return saetze;
}

class StartStatistik : public ::testing::Test {
protected:
    void SetUp() override
    {
        datei = QDir(db.folder()).filePath("statistik.csv");
        db.insert("ZKTMP", {{"Ident", 2}, {"Veranstaltung", "Kreismeisterschaft"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle \"Nord\"; oben"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Kleinkaliberstand"}});
        // Ranges and disciplines are joined by their number alone, whatever
        // championship they belong to.
        db.insert("PANLAGE", {{"Ident", 2}, {"Anlage", 2}, {"Name", "KK-Stand"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "310"}, {"Name", "KK-Gewehr Schüler"}});
        auto start = [&](int ident, const char* teilm, int anlage, const char* dis, const char* kl, double erg) {
            db.insert("ERGEBNIS", {{"Ident", ident}, {"Teilmeisterschaft", teilm}, {"Anlage", anlage},
                                   {"Disziplin", dis}, {"EKlasse", kl}, {"Ergebnis", erg}});
        };
        start(1, "Süd", 1, "110", "10", 389);
        start(1, "Süd", 1, "110", "10", 377.5);
        start(1, "Süd", 1, "110", "10", 0); // not started: not counted
        start(1, "Süd", 1, "110", "41", 301);
        start(2, "Süd", 1, "110", "10", 350); // another championship counts too
        start(1, "Nord", 2, "310", "10", 280);
        start(1, "Nord", 3, "310", "10", 280); // a range without PANLAGE row drops out
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    QString datei;
};

TEST_F(StartStatistik, CountsEveryChampionshipsStartedParticipantsIntoACsvASpreadsheetReadsBack)
{
    ui->files.push_back(datei);
    ui->answers.push_back(Host::mrNo);
    Udateiexporte::StartStatistikExportieren();

    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray roh = f.readAll();
    ASSERT_TRUE(roh.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(roh.endsWith("\"1\"\r\n"));
    EXPECT_EQ(roh.mid(3, roh.indexOf('\r') - 3),
              "\"Teilmeisterschaft\";\"AnlagenNr\";\"Anlage\";\"Kennz\";\"Kl-Kennz\";\"Disziplin\";\"Anzahl\"");
    const QList<QStringList> saetze = csvLesen(QString::fromUtf8(roh.mid(3)));
    const QList<QStringList> erwartet{
        {"Teilmeisterschaft", "AnlagenNr", "Anlage", "Kennz", "Kl-Kennz", "Disziplin", "Anzahl"},
        {"Nord", "2", "KK-Stand", "310", "10", "KK-Gewehr Schüler", "1"},
        {"Nord", "2", "Kleinkaliberstand", "310", "10", "KK-Gewehr Schüler", "1"},
        {"Süd", "1", "Halle \"Nord\"; oben", "110", "10", "Luftgewehr", "3"},
        {"Süd", "1", "Halle \"Nord\"; oben", "110", "41", "Luftgewehr", "1"},
    };
    EXPECT_EQ(saetze, erwartet);
    EXPECT_TRUE(roh.contains("\"Halle \"\"Nord\"\"; oben\""));

    EXPECT_EQ(ui->folderPrompts, QStringList({"Exportdatei speichern"}));
    EXPECT_EQ(ui->statusTexts.mid(0, 2), QStringList({"Exportdatei wird erstellt...", "Startstatistik wird exportiert..."}));
    EXPECT_EQ(ui->statusTexts.last(), "Exportdatei wurde erstellt: \"" + QDir::toNativeSeparators(datei) + "\"");
    EXPECT_EQ(ui->messageTexts(), QStringList({"Exportdatei wurde erstellt.\nWollen Sie die Ausgabedatei jetzt öffnen?"}));
    EXPECT_TRUE(ui->openedFiles.isEmpty()); // answered No
    ASSERT_EQ(ui->progressStarts.size(), 1);
    EXPECT_EQ(ui->progressStarts[0].second, 4);
    EXPECT_EQ(ui->progressSets, QList<int>({1, 2, 3, 4}));
    EXPECT_GE(ui->progressStops, 1);
}

TEST_F(StartStatistik, WithoutStartsOnlyTheHeaderAndYesOpensTheFile)
{
    db.exec("UPDATE ERGEBNIS SET Ergebnis = 0");
    ui->files.push_back(datei);
    ui->answers.push_back(Host::mrYes);
    Udateiexporte::StartStatistikExportieren();
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(csvLesen(QString::fromUtf8(f.readAll().mid(3))).size(), 1);
    EXPECT_EQ(ui->openedFiles, QStringList({datei}));
}

TEST_F(StartStatistik, CancellingTheSaveDialogDoesNothingAndAnUnwritableTargetIsAnErrorKeepingTheOldFile)
{
    Udateiexporte::StartStatistikExportieren(); // no answer: cancelled
    EXPECT_FALSE(QFile::exists(datei));
    EXPECT_TRUE(ui->statusTexts.isEmpty());
    EXPECT_TRUE(ui->progressStarts.isEmpty());
    EXPECT_TRUE(ui->messages.isEmpty());

    // The target's folder is a file: nothing is written, the status line
    // and the error name the file, the progress bar stops.
    const QString kein = QDir(db.folder()).filePath("keinOrdner");
    {
        QFile k(kein);
        ASSERT_TRUE(k.open(QIODevice::WriteOnly));
        k.write("alt");
    }
    ui->files.push_back(kein + "/statistik.csv");
    try {
        Udateiexporte::StartStatistikExportieren();
        ADD_FAILURE() << "kein Fehler";
    } catch (const EHostFehler& e) {
        EXPECT_TRUE(QString(e.what()).startsWith("Die Datei \"" + kein + "/statistik.csv\" kann nicht geschrieben werden"))
            << e.what();
        EXPECT_EQ(ui->statusTexts.last(), QString(e.what()));
    }
    EXPECT_GE(ui->progressStops, 1);
    EXPECT_TRUE(ui->messages.isEmpty());
    QFile k(kein);
    ASSERT_TRUE(k.open(QIODevice::ReadOnly));
    EXPECT_EQ(k.readAll(), "alt");
}

} // namespace
