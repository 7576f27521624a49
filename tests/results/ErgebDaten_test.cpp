// Ranking on a real championship database: the order chain of the ranked
// queries, group stepping, the team tie-break of "531", inner tens and the
// combination of several competitions.

#include "reports1/results/ErgebRangfolge.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "tests/support/TestHostUi.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

using ErgebRangfolge::TErgebDaten;

namespace {

// A championship with discipline 110 (class 10) and members/clubs to use.
class Ranking : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kennung", "E"},
                                 {"Zehntel", "J"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "m"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"ErgebEing", "X"}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell Oberdorf"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "SG Hubertus"}});
        Datamod::DisziplinInfoVergessen();
    }

    // One start of member nr (created as "Name<nr>") in 110/10.
    void start(const QString& nr, const QString& name, Fixture::Values extra = {})
    {
        if (db.count("EMITGLIED", "MitglNr = " + Ado::QuotedStr(nr)) == 0)
            db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "V" + nr}});
        QList<std::pair<QString, QVariant>> v = {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"},
                                                  {"Disziplin", "110"}, {"EKlasse", "10"}, {"Ergebnis", 380}};
        for (const auto& e : extra) {
            bool replaced = false;
            for (auto& x : v)
                if (x.first == e.first) {
                    x.second = e.second;
                    replaced = true;
                }
            if (!replaced)
                v << e;
        }
        insertList("ERGEBNIS", v);
    }

    void insertList(const QString& table, const QList<std::pair<QString, QVariant>>& v)
    {
        QStringList cols, vals;
        for (const auto& [c, x] : v) {
            cols << c;
            vals << (x.typeId() == QMetaType::QString ? Ado::QuotedStr(x.toString()) : x.toString());
        }
        db.exec("INSERT INTO " + table + " (" + cols.join(',') + ") VALUES (" + vals.join(',') + ")");
    }

    // The members of the current individual dataset, in order.
    static QStringList reihenfolge(Ado::TDataSet& q)
    {
        QStringList l;
        for (q.First(); !q.Eof(); q.Next())
            l << q.FieldByName("Name")->AsString();
        return l;
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    TErgebDaten d;
};

TEST_F(Ranking, IndividualsFollowTheWholeTieBreakChain)
{
    // Each pair below is decided by exactly one key, in the chain's order.
    start("1", "Final", {{"Ergebnis", 389}, {"Finale", 1023}});    // 491.3
    start("2", "Ohne", {{"Ergebnis", 491}});                        // 491.0
    start("3", "StechA", {{"StechErg", 105}});
    start("4", "StechB", {{"StechErg", 101}});
    start("5", "ZusatzA", {{"Zusatz", 3}});
    start("6", "ZusatzB", {{"Zusatz", 2}});
    start("7", "SerieA", {{"Serien", "097095"}});
    start("8", "SerieB", {{"Serien", "095097"}});
    start("9", "MessA", {{"Serien", "0"}, {"MessErg", 9000}});      // measured 100.0
    start("10", "MessB", {{"Serien", "0"}, {"MessErg", 8000}});     // measured 200.0
    start("11", "ZehnA", {{"Serien", "0"}, {"Zehner", 20}});
    start("12", "ZehnB", {{"Serien", "0"}, {"Zehner", 19}});
    start("13", "NeunA", {{"Serien", "0"}, {"Neuner", 5}});
    start("14", "NeunB", {{"Serien", "0"}, {"Neuner", 4}});
    start("15", "AchtA", {{"Serien", "0"}, {"Achter", 5}});
    start("16", "AchtB", {{"Serien", "0"}, {"Achter", 4}});
    start("17", "InnenA", {{"Serien", "0"}, {"Innenzehner", 3}});
    start("18", "InnenB", {{"Serien", "0"}, {"Innenzehner", 2}});
    start("19", "ZentelA", {{"Serien", "0"}, {"ErgZentel", 3900}});
    start("20", "ZentelB", {{"Serien", "0"}, {"ErgZentel", 3890}});
    start("21", "Adam", {{"Serien", "0"}, {"Ergebnis", 370}});
    start("22", "Berg", {{"Serien", "0"}, {"Ergebnis", 370}});
    start("23", "Disq", {{"Ergebnis", 600}, {"Disqualifikation", 2}});

    d.Wettkaempfe = {1};
    d.EinzelMannschaftSQLErstellen();
    ASSERT_TRUE(d.ErsteGruppe(0, true));
    const QStringList got = reihenfolge(*d.q_Einzel);
    const QStringList want = {"Final", "Ohne", "StechA", "StechB", "ZusatzA", "ZusatzB", "SerieA", "SerieB",
                              "MessA", "MessB", "ZehnA", "ZehnB", "NeunA", "NeunB", "AchtA", "AchtB",
                              "InnenA", "InnenB", "ZentelA", "ZentelB", "Adam", "Berg", "Disq"};
    EXPECT_EQ(got, want);
    d.q_Einzel->First();
    EXPECT_DOUBLE_EQ(d.q_Einzel->FieldByName("Gesamt")->AsFloat(), 491.3);

    // Without disqualified rows wanted they are filtered out.
    ASSERT_TRUE(d.ErsteGruppe(0, false));
    EXPECT_EQ(d.q_Einzel->RecordCount(), 22);
    EXPECT_EQ(ui->currentStatus, "Luftgewehr Schützenklasse");
}

TEST_F(Ranking, PlacesOfAVDisciplineAndAdditionalValue)
{
    db.exec("UPDATE PDISZIPLIN SET Kennung = 'V'");
    start("1", "A", {{"Ergebnis", 290}, {"Serien", "097097096"}});
    start("2", "B", {{"Ergebnis", 290}, {"Serien", "097097096"}});
    start("3", "C", {{"Ergebnis", 290}, {"Serien", "097097096"}});
    start("4", "D", {{"Ergebnis", 289}, {"Serien", "097096096"}});
    start("5", "E", {{"Ergebnis", 288}, {"Zusatz", 9999}});
    start("6", "F", {{"Ergebnis", 295}, {"Disqualifikation", 1}});
    d.Wettkaempfe = {1};
    d.EinzelMannschaftSQLErstellen();
    ASSERT_TRUE(d.ErsteGruppe(0, true));
    ErgebRangfolge::TEinzelPlatz platz;
    QStringList shown;
    for (d.q_Einzel->First(); !d.q_Einzel->Eof(); d.q_Einzel->Next()) {
        auto p = platz.Naechster(*d.q_Einzel);
        shown << d.q_Einzel->FieldByName("Name")->AsString() + ":" + (p.Gedruckt ? QString::number(p.Nummer) : "");
    }
    EXPECT_EQ(shown, (QStringList{"A:1", "B:", "C:", "D:4", "E:4", "F:"}));
}

TEST_F(Ranking, GroupsWithoutRowsAreSkippedAndIncompleteTeamsKeptApart)
{
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Schülerklasse"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"ErgebEing", "X"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "20"}, {"ErgebEing", "X"}});
    start("1", "Zehn");
    start("2", "Zwanzig", {{"EKlasse", "20"}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "20"}, {"MannschNr", "1"},
                           {"Ergebnis", 1100}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1202"}, {"Disziplin", "110"}, {"MKlasse", "20"}, {"MannschNr", "1"},
                           {"Ergebnis", 700}, {"AnzMannsch", 3}, {"AnzMannschIst", 2}});

    d.Wettkaempfe = {1};
    d.EinzelMannschaftSQLErstellen();
    QStringList gruppen;
    for (bool weiter = d.ErsteGruppe(2, false); weiter; weiter = d.SucheMannschaftOderEinzel(2, false))
        gruppen << d.q_Gruppen->FieldByName("Klasse")->AsString() + "/" + QString::number(d.q_Mannschaft->RecordCount());
    EXPECT_EQ(gruppen, (QStringList{"10/0", "20/1"})); // class 11 has no rows

    // The incomplete team shows up only where incomplete teams are asked for.
    d.EinzelMannschaftSQLErstellen({.Unvollstaendig = true});
    d.q_Mannschaft->ParamByName("Ident")->SetValue(1);
    d.q_Mannschaft->Open();
    ASSERT_EQ(d.q_Mannschaft->RecordCount(), 1);
    EXPECT_EQ(d.q_Mannschaft->FieldByName("VereinNr")->AsString(), "1202");
}

TEST_F(Ranking, OptionsChooseTheRowsOfTheirLists)
{
    db.insert("PDISZIPLIN", {{"Ident", 2}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    db.insert("PKLASSE", {{"Ident", 2}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("PDISKLA", {{"Ident", 2}, {"Disziplin", "110"}, {"Klasse", "10"}, {"ErgebEing", "X"}});
    start("1", "Treffer", {{"Ergebnis", 385}});
    start("2", "Null", {{"Ergebnis", 0}});
    start("3", "Team", {{"Ergebnis", 390}, {"MVereinNr", "1201"}, {"MDisziplin", "110"}});
    start("1", "Treffer", {{"Ident", 2}, {"Ergebnis", 370}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"}, {"MannschNr", "1"},
                           {"Ergebnis", 1100}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1202"}, {"Disziplin", "110"}, {"MKlasse", "10"}, {"MannschNr", "1"},
                           {"Ergebnis", 700}, {"AnzMannsch", 3}, {"AnzMannschIst", 2}});
    auto zeilen = [&](const ErgebRangfolge::TErgebOptionen& o, bool mannschaft) {
        d.EinzelMannschaftSQLErstellen(o);
        Ado::TADOQuery& q = mannschaft ? *d.q_Mannschaft : *d.q_Einzel;
        if (Ado::TParameter* p = q.FindParam("Ident"))
            p->SetValue(1);
        if (Ado::TParameter* p = q.FindParam("Disziplin"))
            p->SetValue("110");
        if (Ado::TParameter* p = q.FindParam("Klasse"))
            p->SetValue("10");
        q.Open();
        QStringList l;
        for (q.First(); !q.Eof(); q.Next())
            l << (mannschaft ? q.FieldByName("VereinNr")->AsString()
                             : q.FieldByName("Name")->AsString() + "/" + q.FieldByName("Ident")->AsString());
        return l;
    };

    d.Wettkaempfe = {1};
    // The results list: shooters with a result, complete teams.
    EXPECT_EQ(zeilen({}, false), (QStringList{"Team/1", "Treffer/1"}));
    EXPECT_EQ(zeilen({}, true), QStringList{"1201"});
    // Every starter, and every team.
    EXPECT_EQ(zeilen({.AlleStarter = true}, false), (QStringList{"Team/1", "Treffer/1", "Null/1"}));
    EXPECT_EQ(zeilen({.AlleStarter = true}, true), (QStringList{"1201", "1202"}));
    // Shooters counting for no team.
    EXPECT_EQ(zeilen({.OhneMannschaft = true}, false), QStringList{"Treffer/1"});
    // Incomplete teams only.
    EXPECT_EQ(zeilen({.Unvollstaendig = true}, true), QStringList{"1202"});

    // Per shooter over several competitions: both starts of member 1, by
    // member, whatever competition is current; entries of 0 are left out.
    d.Wettkaempfe = {1, 0, 2};
    EXPECT_EQ(zeilen({.ProMitglied = true}, false), (QStringList{"Treffer/1", "Treffer/2", "Team/1"}));
    // The released groups of the listed competitions, by discipline, competition, class.
    db.insert("PDISKLA", {{"Ident", 3}, {"Disziplin", "110"}, {"Klasse", "10"}, {"ErgebEing", "X"}});
    d.ErgebEingSetzen();
    QStringList gruppen;
    for (d.q_Gruppen->First(); !d.q_Gruppen->Eof(); d.q_Gruppen->Next())
        gruppen << d.q_Gruppen->FieldByName("Ident")->AsString();
    EXPECT_EQ(gruppen, (QStringList{"1", "2"}));
}

TEST_F(Ranking, TeamSumsOverSeveralCompetitionsCountCompleteTeams)
{
    auto team = [&](int ident, const QString& verein, double ergebnis, int ist) {
        db.insert("EMANNSCH", {{"Ident", ident}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ergebnis", ergebnis}, {"Serie1", ergebnis / 2},
                               {"AnzMannsch", 3}, {"AnzMannschIst", ist}});
    };
    team(1, "1201", 1100, 3);
    team(2, "1201", 1050, 3);
    team(3, "1201", 999, 3);  // not listed
    team(1, "1202", 900, 3);
    team(2, "1202", 950, 2);  // incomplete
    auto q = Datamod::DataModule1()->DynQuery(ErgebRangfolge::MannschaftSummenSQL({1, 2}));
    QStringList summen;
    for (q->First(); !q->Eof(); q->Next())
        summen << q->FieldByName("VereinNr")->AsString() + "=" + q->FieldByName("Summe")->AsString();
    summen.sort();
    EXPECT_EQ(summen, (QStringList{"1201=2150", "1202=900"}));
}

TEST_F(Ranking, InnerTenNoteOnlyForTenthDisciplines)
{
    start("1", "A", {{"Innenzehner", 4}});
    d.Wettkaempfe = {1};
    d.EinzelMannschaftSQLErstellen();
    ASSERT_TRUE(d.ErsteGruppe(0, false));
    QString s[6] = {"95", "96", "", "", "", ""};
    EXPECT_TRUE(d.InnenZehnerAusgeben(*d.q_Einzel, s));
    EXPECT_EQ(s[2], "(4iZ)");

    // The tenth scoring is read once per discipline and kept.
    db.exec("UPDATE PDISZIPLIN SET Zehntel = 'N'");
    QString t[6] = {"95", "", "", "", "", ""};
    EXPECT_TRUE(d.InnenZehnerAusgeben(*d.q_Einzel, t));
    TErgebDaten frisch;
    QString u[6] = {"95", "", "", "", "", ""};
    EXPECT_FALSE(frisch.InnenZehnerAusgeben(*d.q_Einzel, u));
}

// Teams of discipline 531 with their members' results and series.
class Tiebreak : public Ranking {
protected:
    void team(const QString& verein, double ergebnis, const QList<std::pair<int, QString>>& mitglieder,
              const QString& mannschNr = "1", int anzIst = 3)
    {
        db.insert("EVEREIN", {{"VereinNr", verein}, {"Name", "Verein " + verein}});
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "531"}, {"MKlasse", "10"},
                               {"MannschNr", mannschNr}, {"Ergebnis", ergebnis}, {"AnzMannsch", 3},
                               {"AnzMannschIst", anzIst}, {"Rangfolge", 0}});
        for (const auto& [erg, serien] : mitglieder) {
            const QString nr = verein + QString::number(++n);
            insertList("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", "531"},
                                    {"EKlasse", "10"}, {"Ergebnis", erg}, {"Serien", serien},
                                    {"MVereinNr", verein}, {"MDisziplin", "531"}, {"MKlasse", "10"},
                                    {"MannschNr", mannschNr}});
        }
    }
    int rang(const QString& verein)
    {
        return db.value("SELECT Rangfolge FROM EMANNSCH WHERE VereinNr = '" + verein + "'").toInt();
    }
    int n = 0;
};

TEST_F(Tiebreak, NoTieLeavesRangfolgeUntouched)
{
    team("2001", 280, {{95, "095"}, {94, "094"}, {91, "091"}});
    team("2002", 279, {{95, "095"}, {94, "094"}, {90, "090"}});
    db.exec("UPDATE EMANNSCH SET Rangfolge = 7");
    d.RangfolgeFestlegen(1);
    EXPECT_EQ(rang("2001"), 7);
    EXPECT_EQ(rang("2002"), 7);
}

TEST_F(Tiebreak, TieIsDecidedByTheLowestMemberResult)
{
    // Equal totals; the lowest member of 2002 (92) beats that of 2001 (90).
    team("2001", 280, {{96, "096"}, {94, "094"}, {90, "090"}});
    team("2002", 280, {{95, "095"}, {93, "093"}, {92, "092"}});
    team("2003", 250, {{90, "090"}, {80, "080"}, {80, "080"}});
    d.RangfolgeFestlegen(1);
    EXPECT_EQ(rang("2002"), 1);
    EXPECT_EQ(rang("2001"), 2);
    EXPECT_EQ(rang("2003"), 0);

    // The team order then uses it: 2002 before 2001.
    d.Wettkaempfe = {1};
    d.EinzelMannschaftSQLErstellen();
    d.q_Mannschaft->ParamByName("Ident")->SetValue(1);
    d.q_Mannschaft->ParamByName("Disziplin")->SetValue("531");
    d.q_Mannschaft->ParamByName("Klasse")->SetValue("10");
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "531"}, {"Name", "Trap"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "531"}, {"Klasse", "10"}});
    d.q_Mannschaft->Open();
    QStringList order;
    for (d.q_Mannschaft->First(); !d.q_Mannschaft->Eof(); d.q_Mannschaft->Next())
        order << d.q_Mannschaft->FieldByName("VereinNr")->AsString();
    EXPECT_EQ(order, (QStringList{"2002", "2001", "2003"}));
}

TEST_F(Tiebreak, EqualLowestResultsGoToTheSeriesGroups)
{
    // Same member results; the series tables differ in their first group:
    // "23" (2002) sorts before "24" (2001), so 2002 ranks first.
    team("2001", 285, {{95, "024024047"}, {95, "024024047"}, {95, "024024047"}});
    team("2002", 285, {{95, "023025047"}, {95, "024024047"}, {95, "024024047"}});
    d.RangfolgeFestlegen(1);
    EXPECT_EQ(rang("2002"), 1);
    EXPECT_EQ(rang("2001"), 2);
}

TEST_F(Tiebreak, IncompleteTeamsAreNotPartOfTheTie)
{
    team("2001", 280, {{96, "096"}, {94, "094"}, {90, "090"}});
    team("2002", 280, {{95, "095"}, {93, "093"}}, "1", 2);
    d.RangfolgeFestlegen(1);
    EXPECT_EQ(rang("2001"), 0);
    EXPECT_EQ(rang("2002"), 0);
}

TEST_F(Ranking, SeveralCompetitionsAddUpPerShooter)
{
    start("1", "A", {{"Ergebnis", 380}, {"Serien", "095095095095"}});
    start("2", "B", {{"Ergebnis", 385}, {"Serien", "097096096096"}});
    start("1", "A2", {{"Ident", 2}, {"Ergebnis", 390}, {"Serien", "100095100095"}, {"Finale", 50}});
    start("2", "B2", {{"Ident", 2}, {"Ergebnis", 380}, {"Serien", "095095095095"}});
    start("3", "C", {{"Ident", 3}, {"Ergebnis", 399}}); // not selected
    d.Wettkaempfe = {1, 2};
    d.DatenInClientDataSet();
    Ado::TClientDataSet& c = *d.cds_Einzel;
    ASSERT_EQ(c.RecordCount(), 2);
    c.First();
    EXPECT_EQ(c.FieldByName("MitglNr")->AsString(), "1");
    EXPECT_DOUBLE_EQ(c.FieldByName("Summe")->AsFloat(), 775.0);
    EXPECT_EQ(c.FieldByName("Serien")->AsString(), "195190195190");
    EXPECT_EQ(c.FieldByName("Ident")->AsInteger(), 1);
    c.Next();
    EXPECT_EQ(c.FieldByName("MitglNr")->AsString(), "2");
    EXPECT_DOUBLE_EQ(c.FieldByName("Summe")->AsFloat(), 765.0);
}

} // namespace
