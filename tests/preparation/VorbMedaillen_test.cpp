// The medal forecast: the medals a class needs by its entries, teams and
// minimums; the general forecast with a class filter, per club from the
// ranking (ties go by the ranked order, no team medals with 0 places), the
// per-range forecast through the completeness dialog, and the layout.

#include "reports1/preparation/VorbMedaillen.h"

#include "tests/preparation/Zentrale.h"
#include "tests/platform/report/ReportTestUtil.h"

using VorbMedaillen::TMedaillen;

namespace {

TEST(Medaillenbedarf, MedalsByEntriesTeamsAndMinimums)
{
    using VorbMedaillen::Einzel;
    using VorbMedaillen::Mannschaft;
    EXPECT_EQ(Einzel(3, 3, 0), (TMedaillen{1, 1, 1}));
    EXPECT_EQ(Einzel(3, 3, 4), (TMedaillen{})); // fewer than the minimum
    EXPECT_EQ(Einzel(2, 3, 0), (TMedaillen{1, 1, 0}));
    EXPECT_EQ(Einzel(1, 3, 0), (TMedaillen{1, 0, 0}));
    EXPECT_EQ(Einzel(9, 2, 0), (TMedaillen{1, 1, 0})); // two places with medals
    EXPECT_EQ(Einzel(9, 0, 0), (TMedaillen{}));
    // Teams of three: 4 starts are one team, 5 two; a medal per member.
    EXPECT_EQ(Mannschaft(4, 3, 3, 0), (TMedaillen{3, 0, 0}));
    EXPECT_EQ(Mannschaft(5, 3, 3, 0), (TMedaillen{3, 3, 0}));
    EXPECT_EQ(Mannschaft(9, 3, 3, 0), (TMedaillen{3, 3, 3}));
    EXPECT_EQ(Mannschaft(9, 3, 3, 4), (TMedaillen{}));
    EXPECT_EQ(Mannschaft(1, 3, 3, 0), (TMedaillen{})); // no whole team
    EXPECT_EQ(Mannschaft(5, 2, 3, 0), (TMedaillen{2, 2, 0})); // 2.5 rounds to 2
    EXPECT_EQ(Mannschaft(9, 3, 0, 0), (TMedaillen{}));
    EXPECT_EQ(Mannschaft(9, 0, 3, 0), (TMedaillen{}));
}

class Medaillenprognose : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        for (auto [k, n] : {std::pair{"10", "Schützenklasse"}, std::pair{"20", "Damenklasse"}})
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", k}, {"Name", n}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"AnzWertung", 3}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-03-08"}, {"Teilmeisterschaft", "1"}});
        for (auto [nr, name] : {std::pair{"1101", "Edelweiß Aising"}, std::pair{"1102", "Tell Dachau"}})
            db.insert("EVEREIN", {{"VereinNr", nr}, {"Abkuerzung", "SG"}, {"Name", name}});
        // Men on range 1, day 1: five starts of one club's team, results entered.
        for (int i = 0; i < 5; ++i)
            start(i < 3 ? "1101" : "1102", "10", 1, 1, 390 - i, "10");
        // Women on range 2, day 2: two starts.
        start("1101", "20", 2, 2, 380);
        start("1102", "20", 2, 2, 381);
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"Ergebnis", 1170}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    }
    void start(const char* verein, const char* klasse, int anlage, int tag, double ergebnis, const char* mklasse = "")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"EKlasse", klasse},
                               {"Anlage", anlage}, {"WKTag", tag}, {"Teilmeisterschaft", "1"}, {"Ergebnis", ergebnis},
                               {"MDisziplin", *mklasse ? "110" : ""}, {"MKlasse", mklasse}});
    }
    Zentrale::Druck zaehlen(const QStringList& schritte)
    {
        const qsizetype vorher = ui->previews.size();
        QStringList s{"pc_Vorbereitung=Medaillen"};
        s << schritte;
        EXPECT_EQ(play(s), Vcl::TFormDriver::Ok) << fehler.toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), QString());
        return Zentrale::lesen(ui->previews.last());
    }
    static QStringList texte(const Zentrale::Druck& d) { return d.texte(); }
};

TEST_F(Medaillenprognose, GeneralForecastCountsEntriesOfTheChosenClasses)
{
    ui->answers = {Host::mrYes, Host::mrYes}; // no minimums
    Zentrale::Druck d = zaehlen({"cx_Medaillen=0", "bt_OK"});
    EXPECT_EQ(d.titel, "Medaillenbedarf");
    QStringList t = texte(d);
    ASSERT_TRUE(t.contains("VORAUSSICHTLICHER MEDAILLENBEDARF"));
    // Men 5 entries: 3 medals, women 2: gold and silver; 5 team starts of
    // three: two teams, three golds and three silvers.
    const int i = int(t.indexOf("Einzel|Gold|2"));
    ASSERT_GE(i, 0) << t.join(" / ").toStdString();
    EXPECT_EQ(t.mid(i, 6), QStringList({"Einzel|Gold|2", "Silber|2", "Bronze|1", "Mannschaft|Gold|3", "Silber|3",
                                        "Bronze|0"}));
    EXPECT_EQ(t.mid(t.indexOf("Medaillenbedarf Gesamt") + 1, 3),
              QStringList({"Gesamt|Gold|5", "Silber|5", "Bronze|1"}));

    // Only the women's class chosen: the men need nothing.
    ui->answers = {Host::mrYes, Host::mrYes};
    ASSERT_EQ(play({"pc_Vorbereitung=Medaillen", "lx_Start=20 Damenklasse", "bt_Start"}), Vcl::TFormDriver::Ok)
        << fehler.toStdString();
    d = zaehlen({"bt_OK"});
    t = texte(d);
    EXPECT_TRUE(t.contains("Einzel|Gold|1")) << t.join(" / ").toStdString();
    EXPECT_TRUE(t.contains("Mannschaft|Gold|0"));
}

TEST_F(Medaillenprognose, PerClubFromTheRankingAndPerRangeThroughTheDayChoice)
{
    ui->answers = {Host::mrYes, Host::mrYes};
    Zentrale::Druck d = zaehlen({"cx_Medaillen=1", "ed_Mannschaft=0", "bt_OK"});
    QStringList t = texte(d);
    // 1101: men gold and silver (390, 389) and bronze (388), women silver;
    // 1102 women gold. "Anzahl Mannschaft" 0: no team medals.
    const int a = int(t.indexOf("1101|SG Edelweiß Aising"));
    ASSERT_GE(a, 0) << t.join(" / ").toStdString();
    EXPECT_EQ(t.mid(a + 1, 6), QStringList({"Einzel|Gold|1", "Silber|2", "Bronze|1", "Mannschaft|Gold|0", "Silber|0",
                                            "Bronze|0"}));
    EXPECT_EQ(db.value("SELECT EGold FROM EMEDAILLE WHERE VereinNr = '1102'").toInt(), 1);
    EXPECT_EQ(db.value("SELECT MGold FROM EMEDAILLE WHERE VereinNr = '1101'").toInt(), 0);

    // Per range: the completeness dialog asks for the day; day 2 is range 2.
    ui->answers = {Host::mrYes, Host::mrYes};
    d = zaehlen({"cx_Medaillen=2", "ed_Mannschaft=3", "bt_OK", "lx_Tag=08.03.2026", "bt_OK"});
    t = texte(d);
    EXPECT_TRUE(t.contains("Anlage Halle Süd")) << t.join(" / ").toStdString();
    EXPECT_FALSE(t.contains("Anlage Halle Nord"));
    EXPECT_EQ(t.mid(t.indexOf("Medaillenbedarf Gesamt") + 1, 3),
              QStringList({"Gesamt|Gold|1", "Silber|1", "Bronze|0"}));
}

TEST(MedaillenprognoseGeneriert, EveryKindOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(500, 8);
    Host::TestUiGuard ui;
    int druck = 0;
    for (int art : {0, 1}) {
        ui->answers = {Host::mrYes, Host::mrYes};
        VorbMedaillen::TAuswahl a;
        a.Art = art;
        ASSERT_TRUE(VorbMedaillen::Drucken(nullptr, a, Ausnahme1::DruckjobID));
        ASSERT_EQ(ui->previews.size(), ++druck);
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), QString()) << art;
    }
}

} // namespace
