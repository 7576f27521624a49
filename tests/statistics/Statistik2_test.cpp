// The statistics dialog through its real form: participants per club,
// district and region, with classes across pages, the kinds of championship
// without a level; the medal count of a range and day with its place rules
// and team sizes, and its input checks.

#include "reports1/statistics/Statistik2.h"

#include "platform/host/HostUi.h"
#include "platform/vcl/FormDriver.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using ReportTest::field;
using ReportTest::linesStarting;

namespace {

// The body rows of each page: the texts of one line joined by "|" (empty
// lines leave no trace in the stream).
QList<QStringList> seiten(const QString& stream)
{
    QList<QStringList> out;
    QString letzteY;
    for (const QString& l : Report::DumpStream(stream).split('\n')) {
        if (l.startsWith("P ")) {
            out << QStringList();
            letzteY.clear();
            continue;
        }
        if (!l.startsWith("T\t") || out.isEmpty())
            continue;
        const double y = field(l, 3).toDouble();
        if (y < 2.5 || y > 27.0 || field(l, 6).toDouble() > 10) // page header, titles, footer
            continue;
        if (field(l, 3) != letzteY)
            out.last() << field(l, 8);
        else
            out.last().last() += "|" + field(l, 8);
        letzteY = field(l, 3);
    }
    return out;
}

class Statistiken : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.setting("Allgemein", "Sportjahr", 2024);
        db.setting("Allgemein", "VeranstaltungsArt", 2);
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Speziell", "Teilmeisterschaft", "1");
        db.insert("EVEREIN", {{"VereinNr", "1200"}, {"Name", "Gau Oberland"}, {"Abkuerzung", "GAU"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "männlich"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Damenklasse"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"AnzWertung", 3}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", QDate(2024, 3, 2)}, {"Teilmeisterschaft", "1"}});
    }
    void start(const char* verein, const char* klasse, double ergebnis, const char* mklasse = "")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"EKlasse", klasse},
                               {"Ergebnis", ergebnis}, {"Anlage", 1}, {"WKTag", 1}, {"Teilmeisterschaft", "1"},
                               {"MDisziplin", *mklasse ? "110" : ""}, {"MKlasse", mklasse}});
    }
    // Runs the dialog; the stream of its print, or "" when it printed none.
    QString drucken(bool auswahl, const QList<QPair<QString, QString>>& ctls, const char* knopf,
                    Vcl::TFormDriver::Outcome* ergebnis = nullptr)
    {
        Vcl::TFormDriver driver;
        for (const auto& [n, w] : ctls)
            driver.AddCtl(n, w);
        driver.AddClick(knopf);
        const int vorher = int(ui->previews.size());
        const auto r = driver.Run([&] { Statistik2::Erstellen(auswahl); });
        if (ergebnis)
            *ergebnis = r;
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), QString());
        return ui->previews.last().file;
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
};

TEST_F(Statistiken, ParticipantsPerDistrictNamedAfterItsFirstClubAndPerClass)
{
    start("1201", "10", 380);
    start("1205", "10", 0); // entered, not started
    start("1205", "20", 371);
    start("1101", "10", 365); // no club 1100: the number names it

    QString s = drucken(true, {}, "bt_Ausgabe");
    ASSERT_FALSE(s.isEmpty());
    EXPECT_TRUE(Report::DumpStream(s).contains("Teilnehmerstatistik der Bezirksmeisterschaft 2024"));
    EXPECT_TRUE(Report::DumpStream(s).contains("Alle Teilnehmer ohne Klassen 2024"));
    EXPECT_EQ(seiten(s).value(0), QStringList({"Ebene|Anzahl", "1100|1", "GAU Gau Oberland|3"}));

    s = drucken(true, {{"gb_Ausgabe1", "1"}, {"gb_Ausgabe2", "1"}}, "bt_Ausgabe");
    EXPECT_TRUE(Report::DumpStream(s).contains("Gestartete Teilnehmer mit Klassen 2024"));
    EXPECT_EQ(seiten(s).value(0), QStringList({"Ebene|Klasse|Anzahl", "1100|Schützenklasse männlich|1",
                                               "GAU Gau Oberland|Schützenklasse männlich|1", "Damenklasse|1"}));

    // A state championship counts by region: "1" is club 1000's.
    db.setting("Allgemein", "VeranstaltungsArt", 3);
    db.insert("EVEREIN", {{"VereinNr", "1000"}, {"Name", "Oberbayern"}, {"Abkuerzung", "BZ"}});
    s = drucken(true, {}, "bt_Ausgabe");
    EXPECT_EQ(seiten(s).value(0), QStringList({"Ebene|Anzahl", "BZ Oberbayern|4"}));
}

TEST_F(Statistiken, AGroupAcrossAPageShowsItsNameAgainAndRtfIsWritten)
{
    db.setting("Allgemein", "VeranstaltungsArt", 1);
    for (int k = 0; k < 70; ++k) {
        const QByteArray code = QByteArray::number(30 + k);
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", code.constData()}, {"Name", "Klasse " + code}});
        start("1201", code.constData(), 300);
    }
    const QString s = drucken(true, {{"gb_Ausgabe2", "1"}}, "bt_Ausgabe");
    const auto p = seiten(s);
    ASSERT_GE(p.size(), 2);
    EXPECT_TRUE(p[0].value(1).startsWith("1201|Klasse 30|")) << p[0].value(1).toStdString();
    EXPECT_EQ(p[0].value(2), "Klasse 31|1");
    EXPECT_EQ(p[1].value(0), "Ebene|Klasse|Anzahl");
    EXPECT_TRUE(p[1].value(1).startsWith("1201|Klasse ")) << p[1].value(1).toStdString();

    // The same as RTF into the folder chosen.
    QTemporaryDir ordner;
    ui->folders.push_back(ordner.path());
    drucken(true, {{"gb_Ausgabe2", "1"}, {"cb_RTF", "true"}}, "bt_Ausgabe");
    QFile rtf(ordner.filePath("STATISTIK.RTF"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(rtf.readAll().contains("Klasse 99"));
    EXPECT_EQ(ui->messageTexts().last(),
              "Die Statistik ist als   STATISTIK.RTF  im\r\nOrdner  " + ordner.path() + "  erstellt worden");
}

TEST_F(Statistiken, KindsWithoutALevelAndAnEmptyChampionshipPrintNothing)
{
    start("1201", "10", 380);
    for (int art : {0, 4}) {
        db.setting("Allgemein", "VeranstaltungsArt", art);
        EXPECT_TRUE(drucken(true, {}, "bt_Ausgabe").isEmpty());
        ASSERT_FALSE(ui->errors.isEmpty());
        EXPECT_TRUE(ui->errors.last().contains("Kreis-, Bezirks- und Landesmeisterschaften")) << art;
    }
    db.setting("Allgemein", "VeranstaltungsArt", 1);
    db.exec("DELETE FROM ERGEBNIS");
    EXPECT_TRUE(drucken(true, {}, "bt_Ausgabe").isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Teilnehmer vorhanden");
}

TEST_F(Statistiken, MedalsByPlacesTakenAndTeamsOfTheFirstTeamSize)
{
    start("1201", "10", 380, "10"); // 7 team starters of size 3: two teams
    for (int i = 0; i < 6; ++i)
        start("1201", "10", 370 - i, "10");
    start("1201", "20", 350); // two in a class: gold and silver
    start("1201", "20", 340);
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "30"}, {"Name", "Jugend"}});
    start("1201", "30", 300); // alone: gold
    start("1201", "30", 0);   // not started: no medal
    db.exec("UPDATE ERGEBNIS SET Qual = 'Q' WHERE EKlasse = '30' AND Ergebnis = 0");

    QString s = drucken(false, {{"ed_Einzel", "6"}, {"ed_Mannsch", "3"}}, "bt_Medaille");
    ASSERT_FALSE(s.isEmpty());
    const QString dump = Report::DumpStream(s);
    EXPECT_TRUE(dump.contains("Anlage Halle Nord"));
    EXPECT_TRUE(dump.contains("am 02.03.2024"));
    QStringList zeilen = seiten(s).value(0);
    // The competitions held, then the medals.
    EXPECT_EQ(zeilen.mid(0, 3), QStringList({"Luftgewehr|Schützenklasse", "Damenklasse", "Jugend"}));
    EXPECT_EQ(zeilen.mid(3), QStringList({"Einzel|Gold|3", "Silber|2", "Bronze|1", "4. Platz|1", "5. Platz|1",
                                          "6. Platz|1", "Mannschaft|Gold|3", "Silber|3", "Bronze|0"}));

    // Three places print only gold, silver and bronze.
    s = drucken(false, {{"ed_Einzel", "3"}, {"ed_Mannsch", "3"}}, "bt_Medaille");
    EXPECT_EQ(seiten(s).value(0).mid(3, 4), QStringList({"Einzel|Gold|3", "Silber|2", "Bronze|1", "Mannschaft|Gold|3"}));
}

TEST_F(Statistiken, MedalCountChecksItsNumbers)
{
    start("1201", "10", 380);
    Vcl::TFormDriver::Outcome r;
    EXPECT_TRUE(drucken(false, {{"ed_Einzel", "7"}}, "bt_Medaille", &r).isEmpty());
    EXPECT_EQ(r, Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.last(), "Die Anzahl Medaillen Einzel ist zu groß");
    EXPECT_TRUE(drucken(false, {{"ed_Einzel", "3"}, {"ed_Mannsch", "9"}}, "bt_Medaille", &r).isEmpty());
    EXPECT_EQ(ui->errors.last(), "Die Anzahl Medaillen Mannschaft ist zu groß");

    // No individual places: asked; No prints nothing, Yes prints without them.
    ui->answers.push_back(Host::mrNo);
    EXPECT_TRUE(drucken(false, {{"ed_Einzel", "abc"}, {"ed_Mannsch", "3"}}, "bt_Medaille").isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Es ist keine Anzahl Einzel vorhanden\r\nIst dies korrekt?");
    ui->answers.push_back(Host::mrYes);
    const QString s = drucken(false, {{"ed_Einzel", "0"}, {"ed_Mannsch", "3"}}, "bt_Medaille");
    ASSERT_FALSE(s.isEmpty());
    EXPECT_FALSE(Report::DumpStream(s).contains("Einzel"));
    EXPECT_TRUE(Report::DumpStream(s).contains("Mannschaft"));
}

TEST(StatistikenGeneriert, EveryOutputOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(500, 4);
    db->setting("Speziell", "MitTab", "J");
    db->setting("Speziell", "Tabellier", 10);
    Host::TestUiGuard ui;
    int gedruckt = 0;
    for (int art : {1, 2, 3}) {
        db->setting("Allgemein", "VeranstaltungsArt", art);
        for (const char* klassen : {"0", "1"}) {
            Vcl::TFormDriver d;
            d.AddCtl("gb_Ausgabe2", klassen);
            d.AddClick("bt_Ausgabe");
            ASSERT_EQ(d.Run([] { Statistik2::Erstellen(true); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
            ++gedruckt;
        }
    }
    Vcl::TFormDriver d;
    d.AddCtl("ed_Einzel", "6");
    d.AddCtl("ed_Mannsch", "3");
    d.AddClick("bt_Medaille");
    ASSERT_EQ(d.Run([] { Statistik2::Erstellen(false); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    ++gedruckt;
    ASSERT_EQ(ui->previews.size(), gedruckt);
    for (const auto& p : ui->previews)
        EXPECT_EQ(ReportTest::layoutFindings(p.file), QString()) << p.title.toStdString();
}

} // namespace
