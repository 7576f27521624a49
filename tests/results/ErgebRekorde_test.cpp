// Records: the marks of new and equalled records, the marks on the results
// list, the record list complete or of the sport year on paper and as RTF,
// and its free text.

#include "reports1/results/ErgebRekorde.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpstream.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/results/ErgebListe.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QPlainTextEdit>
#include <QRegularExpression>

using ErgebDialog::rows;

namespace {

class Rekorde : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        for (const char* k : {"10", "20"}) {
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", k}, {"Name", QString("Klasse ") + k}});
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", k}, {"KennzE", "1.10.10"},
                                  {"KennzMDSB", "1.10.20"}});
        }
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "D'Hubertusschützen"}, {"Abkuerzung", "DHS"}});
        // Member 1 set the record of 2025, member 2 equalled it, member 3's is older.
        for (auto [nr, jahr, nummer] : {std::tuple{"1", 2025, 1}, {"2", 2025, 2}, {"3", 2019, 1}}) {
            db.insert("EREKORDE", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"DisziplinName", "Luftgewehr"},
                                   {"KlasseKurz", "SK"}, {"MitglNr", nr}, {"Name", "D'Hubertusschützen"},
                                   {"Ergebnis", 390.4}, {"Jahr", jahr}, {"Veranst", "BM"}, {"Nummer", nummer}});
            db.insert("MITARB", {{"Ident", 1}, {"MitglNr", nr}, {"Name", QString("Schütze ") + nr}, {"Vorname", "Eva"}});
        }
        for (auto [nr, jahr, nummer] : {std::tuple{"1", 2025, 1}, {"2", 2025, 2}})
            db.insert("EREKORDM", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"DisziplinName", "Luftgewehr"},
                                   {"VereinNr", "1201"}, {"MannschNr", nr}, {"Name", "D'Hubertusschützen"},
                                   {"Ergebnis", 1150}, {"Jahr", jahr}, {"Nummer", nummer}});
    }
    static QStringList texte(const QString& stream) { return ErgebDialog::texte(stream); }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Rekorde, MarksOnlyRecordsOfTheSportYearHeldByTheResult)
{
    ErgebRekorde::TRekordSuche s;
    auto einzel = [&](const QString& nr, const QString& klasse, int jahr = 2025) {
        QString m = "x";
        s.EinzelRekordFeststellen(1, jahr, nr, klasse, "110", m);
        return m;
    };
    EXPECT_EQ(einzel("1", "10"), "NR");
    EXPECT_EQ(s.RekordErgebnis(), 390);
    EXPECT_EQ(einzel("2", "10"), "RE");
    EXPECT_EQ(einzel("3", "10"), "x");       // an earlier year's record
    EXPECT_EQ(einzel("3", "10", 2019), "NR");
    EXPECT_EQ(einzel("1", "20"), "x");       // another class
    auto team = [&](const QString& verein, const QString& nr) {
        QString m;
        s.MannschaftsRekordFeststellen(1, 2025, verein, nr, "10", "110", m);
        return m;
    };
    EXPECT_EQ(team("1201", "1"), "NR");
    EXPECT_EQ(team("1201", "2"), "RE");
    EXPECT_EQ(team("1202", "1"), "");
    EXPECT_EQ(team("1201", "3"), "");
}

TEST_F(Rekorde, TheResultsListMarksIndividualsInTheRemarkAndTeamsInTheLastColumn)
{
    db.exec("UPDATE PDISKLA SET ErgebEing = 'X' WHERE Klasse = '10'");
    for (auto [nr, ergebnis, disq] : {std::tuple{"1", 390.0, 0}, {"2", 389.0, 0}, {"3", 380.0, 0}, {"4", 395.0, 3}}) {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", QString("Schütze ") + nr}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", "110"},
                               {"EKlasse", "10"}, {"Ergebnis", ergebnis}, {"Disqualifikation", disq}});
    }
    db.insert("EREKORDE", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"MitglNr", "4"}, {"Jahr", 2025},
                           {"Nummer", 1}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "2"}, {"Ergebnis", 1150}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.setting("Speziell", "Disqualifikation", "J");
    for (const char* an : {"J", "N"}) {
        db.setting("Speziell", "Rekorde", an);
        ErgebRangfolge::TErgebDaten daten;
        const QStringList dump = ReportTest::dumpOf([&](Report::TBaseReport& r) { ErgebListe::ErgebnissePrint(r, daten, {}); });
        // The texts of each printed line, found by one of them.
        QMap<QString, QStringList> zeilen;
        for (const QString& l : ReportTest::linesStarting(dump, "T\t"))
            zeilen[ReportTest::field(l, 1) + "|" + ReportTest::field(l, 3)] << ReportTest::field(l, 8);
        auto marke = [&](const QString& name) {
            for (const QStringList& z : zeilen)
                if (z.contains(name) || z.filter(name + ",").size() == 1) {
                    for (const char* m : {"NR", "RE", "*3"})
                        if (z.contains(m))
                            return QString(m);
                    return QString();
                }
            return QString("fehlt");
        };
        // The team's mark in its last column, the individuals' in the
        // remark column; a disqualified row keeps its rule number.
        const bool an_ = QString(an) == "J";
        EXPECT_EQ(marke("D'Hubertusschützen 2"), an_ ? "RE" : "");
        EXPECT_EQ(marke("Schütze 1"), an_ ? "NR" : "");
        EXPECT_EQ(marke("Schütze 2"), an_ ? "RE" : "");
        EXPECT_EQ(marke("Schütze 3"), "");
        EXPECT_EQ(marke("Schütze 4"), "*3");
    }
}

TEST_F(Rekorde, TheListHoldsAllRecordsOrThoseOfTheSportYear)
{
    Schtools::StringsToFile({"Geprüft vom Sportausschuss."}, ErgebRekorde::RekordTextDatei());
    ErgebDialog::Dialog d;
    // Nothing marked: nothing to list.
    d.click("bt_Rekorde");
    EXPECT_EQ(ui->messageTexts(), QStringList({"Möchten Sie die kompletten Rekorde ausgeben?",
                                               "Für diese Auswahl sind keine Daten vorhanden"}));
    EXPECT_TRUE(ui->previews.isEmpty());

    db.exec("UPDATE PDISKLA SET ErgebEing = 'X'");
    for (int antwort : {Host::mrYes, Host::mrNo}) {
        ui->answers.push_back(antwort);
        d.click("bt_Rekorde");
        ASSERT_FALSE(ui->previews.isEmpty());
        const QString stream = ui->previews.last().file;
        EXPECT_EQ(ReportTest::layoutFindings(stream), "");
        const QStringList t = texte(stream);
        for (const char* s : {"Bezirksmeisterschaft", "Anerkennung von Rekorden des Sportjahres 2025",
                              "Geprüft vom Sportausschuss.", "1.10", "Luftgewehr   Mannschaft", "Luftgewehr   Einzel",
                              "D'Hubertusschützen 2", "Seite 1", "Schütze 1, Eva", "390,4"})
            EXPECT_TRUE(t.contains(s)) << s;
        EXPECT_EQ(t.contains("Schütze 3, Eva"), antwort == Host::mrYes);
    }
    // The marks stay for the list as RTF.
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 2);
}

TEST_F(Rekorde, TheRtfFileGoesToTheChosenFolderAndIsReplacedOnlyWhenWanted)
{
    db.exec("UPDATE PDISKLA SET ErgebEing = 'X'");
    const QString ordner = QDir(db.folder()).filePath("rtf");
    const QString datei = QDir(ordner).filePath("REKORDE.RTF");
    ErgebDialog::Dialog d;
    ui->folders.push_back(ordner);
    d.click("bt_RekordeRTF");
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Anerkennung von Rekorden des Sportjahres 2025"));
    f.close();
    EXPECT_EQ(ui->messageTexts().last(),
              "Die Rekordliste ist als   REKORDE.RTF  im\r\nOrdner  " + QDir::toNativeSeparators(ordner) + "  erstellt worden");

    // The file is there: replaced only after Yes.
    QFile::remove(datei);
    Schtools::StringsToFile({"alt"}, datei);
    ui->answers = {Host::mrYes, Host::mrNo};
    ui->folders.push_back(ordner);
    d.click("bt_RekordeRTF");
    EXPECT_EQ(Schtools::FileToStrings(datei), QStringList({"alt"}));
    EXPECT_EQ(ui->messageTexts().last(), "Die angegebene Datei ist schon vorhanden.\r\nSoll die Datei überschieben werden?");
    ui->answers = {Host::mrYes, Host::mrYes};
    ui->folders.push_back(ordner);
    d.click("bt_RekordeRTF");
    EXPECT_NE(Schtools::FileToStrings(datei), QStringList({"alt"}));
}

TEST_F(Rekorde, TheFreeTextKeepsAtMostTwentyLines)
{
    Schtools::StringsToFile({"bisher"}, ErgebRekorde::RekordTextDatei());
    ErgebDialog::Dialog d;
    EXPECT_EQ(d.set("pc_Ergebnis", "Allgemein"), "");
    auto* mo = d.ctl<QPlainTextEdit>("mo_Rekorde");
    QStringList zeilen;
    for (int i = 1; i <= 21; ++i)
        zeilen << "Zeile " + QString::number(i);
    mo->setPlainText(zeilen.join('\n'));
    try {
        d.form()->mo_RekordeExit();
        ADD_FAILURE() << "21 Zeilen angenommen";
    } catch (const Eingabefehler& e) {
        EXPECT_EQ(e.Message(), "Es wurden mehr als 20 Zeilen eingegeben.");
    }
    EXPECT_EQ(Schtools::FileToStrings(ErgebRekorde::RekordTextDatei()), QStringList({"bisher"}));
    mo->setPlainText(zeilen.mid(0, 20).join('\n') + "\n");
    d.form()->mo_RekordeExit();
    EXPECT_EQ(Schtools::FileToStrings(ErgebRekorde::RekordTextDatei()), zeilen.mid(0, 20));
}

TEST(RekordeGeneriert, ResultsListAndRecordListOfAGeneratedChampionshipPassTheLayoutCheck)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(600, 4);
    Qvpaths::SetProgramFolder(db->folder());
    ErgebDialog::Dialog d;
    // The results list marks new and equalled records of individuals and teams.
    db->exec("UPDATE PDISKLA SET ErgebEing = 'X'");
    d.click("bt_ErgOK");
    db->exec("UPDATE PDISKLA SET ErgebEing = 'X'");
    d.click("bt_Rekorde");
    ASSERT_EQ(ui->previews.size(), 2);
    for (const auto& p : ui->previews)
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
    const QStringList liste = Report::DumpStream(ui->previews[0].file).split('\n');
    EXPECT_GE(liste.filter(QRegularExpression("\tNR$")).size(), 3);
    EXPECT_GE(liste.filter(QRegularExpression("\tRE$")).size(), 2);
    const QString rekorde = Report::DumpStream(ui->previews[1].file);
    EXPECT_TRUE(rekorde.contains("   Mannschaft"));
    EXPECT_TRUE(rekorde.contains("   Einzel"));
}

} // namespace
