// The medal table: counts of a constructed championship against a hand
// count (ties go by the ranked order, incomplete and disqualified teams win
// nothing), the units of the charts, the table kept when nothing is counted,
// and the medal page of the results dialog: input check, printed table,
// both charts and their files.

#include "reports1/results/ErgebMedaille.h"

#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <QAbstractButton>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QImage>
#include <QPieSeries>
#include <QTemporaryDir>

using ErgebDialog::rows;

namespace {

class Medaillenspiegel : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto [nr, abk, name, kreis] : {std::tuple{"1101", "SG", "Edelweiß Aising", 1},
                                            std::tuple{"1102", "SV", "Tell Dachau", 1},
                                            std::tuple{"1234", "FSG", "Kimmerl Kolbermoor", 2},
                                            std::tuple{"1299", "", "Hubertus Inning", 2}})
            db.insert("EVEREIN", {{"VereinNr", nr}, {"Abkuerzung", abk}, {"Name", name}, {"Kreis", kreis}});
        // Air rifle men: 1101 and 1102 tie on 390, the better last series
        // decides; 1234 third, 1299 fourth wins nothing.
        einzel("1102", "10", 390, "097098099");
        einzel("1101", "10", 390, "099098097");
        einzel("1234", "10", 385);
        einzel("1299", "10", 380);
        // Women: one starter, disqualified; a second one alone takes gold.
        einzel("1101", "20", 399, "", "D");
        einzel("1299", "20", 350);
        // Teams: 1234 complete and first; 1102 short of a member.
        mannschaft("1234", 1150, 3, 3);
        mannschaft("1102", 1160, 3, 2);
        mannschaft("1299", 1100, 3, 3);
    }
    void einzel(const char* verein, const char* klasse, double ergebnis, const char* serien = "",
                const char* qual = "N")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"EKlasse", klasse},
                               {"Ergebnis", ergebnis}, {"Serien", serien}, {"Qual", qual}});
    }
    void mannschaft(const char* verein, double ergebnis, int soll, int ist)
    {
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"Ergebnis", ergebnis}, {"AnzMannsch", soll}, {"AnzMannschIst", ist}});
    }
    static QStringList tabelle()
    {
        return rows("SELECT VereinNr,Nummer,Abkuerzung,EGold,ESilber,EBronze,MGold,MSilber,MBronze FROM EMEDAILLE "
                    "ORDER BY Nummer");
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
};

TEST_F(Medaillenspiegel, CountsAsByHandAndRefillsTheTableWhole)
{
    db.insert("EMEDAILLE", {{"VereinNr", "9999"}, {"Nummer", 9999}, {"EGold", 5}});
    ErgebMedaille::TOptionen o;
    o.Einzel = o.Mannschaft = true;
    ASSERT_TRUE(ErgebMedaille::Zaehlen(1, o));
    EXPECT_EQ(tabelle(), QStringList({"1101|1101|SG|1|0|0|0|0|0", "1102|1102|SV|0|1|0|0|0|0",
                                      "1234|1234|FSG|0|0|1|1|0|0", "1299|1299||1|0|0|0|1|0"}));

    // Only teams: a club with team medals alone has no individual counts.
    o.Einzel = false;
    ASSERT_TRUE(ErgebMedaille::Zaehlen(1, o));
    EXPECT_EQ(tabelle(), QStringList({"1234|1234|FSG|0|0|0|1|0|0", "1299|1299||0|0|0|0|1|0"}));

    // Nothing to count: said, and the table stays as it was.
    db.exec("DELETE FROM EMANNSCH");
    EXPECT_FALSE(ErgebMedaille::Zaehlen(1, o));
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
    EXPECT_EQ(tabelle().size(), 2);
}

TEST_F(Medaillenspiegel, AStateChampionshipPrintsItsClubsByDistrictWithTheirSums)
{
    ErgebMedaille::TOptionen o;
    o.Einzel = o.Mannschaft = true;
    o.Verband = 3;
    o.Art = 3;
    ASSERT_TRUE(ErgebMedaille::Zaehlen(1, o));
    QStringList texte;
    for (const QString& l : ReportTest::dumpOf([&](Report::TBaseReport& r) { ErgebMedaille::TabelleDrucken(r, o); }))
        if (l.startsWith("T\t"))
            texte << ReportTest::field(l, 8);
    const int k1 = int(texte.indexOf("Kreis 1")), k2 = int(texte.indexOf("Kreis 2"));
    ASSERT_GE(k1, 0) << texte.join(" / ").toStdString();
    ASSERT_GT(k2, k1);
    EXPECT_EQ(texte.mid(k1 + 1, 3 + 2 + 4), QStringList({"(1101) SG Edelweiß Aising", "1", "(1102) SV Tell Dachau", "1",
                                                         "Summe Kreis 1", "1", "1", "0", "Kreis 2"}));
    EXPECT_EQ(texte.mid(texte.indexOf("Summe Kreis 2"), 4), QStringList({"Summe Kreis 2", "2", "1", "1"}));
    EXPECT_EQ(texte.mid(texte.lastIndexOf("Gesamt"), 4), QStringList({"Gesamt", "3", "2", "1"}));
}

TEST_F(Medaillenspiegel, ChartUnitsFollowTheLevel)
{
    ErgebMedaille::TOptionen o;
    o.Bildschirm = true;
    o.Verband = 3;
    o.Art = 2;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "1200");
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1299", 7), "1200");
    o.Art = 3;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "1000");
    o.Art = 1;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "1234");
    o.Verband = 0;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "123");
    o.Art = 3;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "7");
    o.Bildschirm = false;
    EXPECT_EQ(ErgebMedaille::Einheit(o, "1234", 7), "1234");

    // Counted for the charts at district level: 1234 and 1299 are one unit,
    // named after the club of its first medal.
    o = {};
    o.Einzel = o.Mannschaft = o.Bildschirm = true;
    o.Verband = 3;
    o.Art = 2;
    ASSERT_TRUE(ErgebMedaille::Zaehlen(1, o));
    EXPECT_EQ(tabelle(), QStringList({"1100|1100|SG|1|1|0|0|0|0", "1200|1200|FSG|1|0|1|1|1|0"}));
}

TEST_F(Medaillenspiegel, TheMedalPagePrintsTheTableAndShowsAndWritesBothCharts)
{
    ErgebDialog::Dialog d;
    ASSERT_TRUE(d.form());
    ASSERT_EQ(d.set("pc_Ergebnis", "Medaillenspiegel"), "");
    ASSERT_EQ(d.set("cb_Einzel", "false"), "");
    ASSERT_EQ(d.set("cb_Mannschaft", "false"), "");
    d.click("bt_Erstellen");
    EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Es wurde keine Auswahl getroffen");
    EXPECT_TRUE(ui->previews.isEmpty());

    ASSERT_EQ(d.set("cb_Einzel", "true"), "");
    ASSERT_EQ(d.set("cb_Mannschaft", "true"), "");
    d.click("bt_Erstellen");
    ASSERT_EQ(ui->previews.size(), 1);
    const QString stream = ui->previews[0].file;
    EXPECT_EQ(ReportTest::layoutFindings(stream), QString());
    const QString dump = Report::DumpStream(stream);
    EXPECT_TRUE(dump.contains("MEDAILLENSPIEGEL KOMPLETT"));
    // Individual and team medals add up per column; a zero prints empty.
    QStringList zeile;
    for (const QString& l : ReportTest::linesStarting(dump.split('\n'), "T\t"))
        if (ReportTest::field(l, 3) == ReportTest::field(dump.split('\n').filter("(1234) FSG").value(0), 3))
            zeile << ReportTest::field(l, 8);
    EXPECT_EQ(zeile, QStringList({"(1234) FSG Kimmerl Kolbermoor", "1", "1"}));
    EXPECT_TRUE(dump.contains("\tGesamt"));

    // On the screen: bars of gold, silver and bronze per unit, a pie of gold.
    QTemporaryDir dir;
    Ergebdruck1::DiagrammAusgabe(dir.filePath("spiegel.png"));
    ASSERT_EQ(d.set("rb_Bildschirm", "true"), "");
    d.click("bt_Erstellen");
    Ergebdruck1::DiagrammAusgabe({});
    auto* balken = d.ctl<QChartView>("c_Medaillen");
    ASSERT_TRUE(balken);
    auto* serie = qobject_cast<QBarSeries*>(balken->chart()->series().value(0));
    ASSERT_TRUE(serie);
    ASSERT_EQ(serie->barSets().size(), 3);
    EXPECT_EQ(serie->barSets()[0]->label(), "Gold");
    double gold = 0;
    for (int i = 0; i < serie->barSets()[0]->count(); ++i)
        gold += serie->barSets()[0]->at(i);
    EXPECT_EQ(gold, 3); // two individual golds and one team gold
    auto* kuchen = d.ctl<QChartView>("c_Kuchen");
    ASSERT_TRUE(kuchen);
    EXPECT_EQ(kuchen->chart()->title(), "Medaillenspiegel Gold");
    EXPECT_EQ(qobject_cast<QPieSeries*>(kuchen->chart()->series().value(0))->sum(), 3);
    ASSERT_EQ(d.set("gb_MAuswahl", "Bronze"), "");
    EXPECT_EQ(d.ctl<QChartView>("c_Kuchen")->chart()->title(), "Medaillenspiegel Bronze");

    // The files the command line asked for: drawn, not blank.
    for (const char* name : {"spiegel.png", "spiegel-2.png"}) {
        QImage bild(dir.filePath(name));
        ASSERT_FALSE(bild.isNull()) << name;
        int farbig = 0;
        for (int y = 0; y < bild.height(); y += 4)
            for (int x = 0; x < bild.width(); x += 4)
                farbig += bild.pixelColor(x, y).saturation() > 80;
        EXPECT_GT(farbig, 500) << name;
    }
    // Saved from the page as PDF.
    ui->files.push_back(dir.filePath("kuchen.pdf"));
    d.click("bt_SpeichernKuchen");
    QFile pdf(dir.filePath("kuchen.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(MedaillenspiegelGeneriert, TheTableOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(500, 6);
    Host::TestUiGuard ui;
    ErgebMedaille::TOptionen o;
    o.Einzel = o.Mannschaft = true;
    ASSERT_TRUE(ErgebMedaille::Zaehlen(1, o));
    const QStringList dump = ReportTest::dumpOf([&](Report::TBaseReport& r) { ErgebMedaille::TabelleDrucken(r, o); });
    EXPECT_GE(dump.filter("\t(").size(), 5);
    ErgebDialog::Dialog d;
    ASSERT_EQ(d.set("pc_Ergebnis", "Medaillenspiegel"), "");
    d.click("bt_Erstellen");
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), QString());
}

} // namespace
