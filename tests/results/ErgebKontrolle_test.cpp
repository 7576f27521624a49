// The control lists of the general page: competitions and classes without
// any result, and the incomplete teams with their members.

#include "reports1/results/ErgebKontrolle.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

namespace {

using ErgebDialog::texte;

class Kontrolle : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Kreismeisterschaft");
        db.setting("Global", "Veranst1", "Schützengau");
        db.setting("Global", "Veranst2", "Isartal");
        db.setting("Speziell", "Teilmeisterschaft", "1");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Zehntel", "N"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "210"}, {"Name", "Luftpistole"}, {"Zehntel", "N"}});
        for (const char* k : {"10", "11", "20"}) {
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", k}, {"Name", QString("Klasse ") + k}});
            for (const char* d : {"110", "210"})
                db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", d}, {"Klasse", k}, {"KennzM", QString("%1.%2M").arg(d, k)}});
        }
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell"}, {"Abkuerzung", "SVT"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "FSG Au"}});
    }

    void start(const QString& nr, const char* dis, const char* kla, double ergebnis, const char* teilm = "1")
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", "Name" + nr}, {"Vorname", "Eva"}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", dis}, {"EKlasse", kla},
                               {"Ergebnis", ergebnis}, {"StartNr", nr.toInt()}, {"Teilmeisterschaft", teilm}});
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Kontrolle, MissingResultsListOnlyClassesWhoseEveryStartLacksAResult)
{
    for (int i = 1; i <= 5; ++i)
        start(QString::number(i), "110", "10", 0);          // all five without result: listed
    for (int i = 11; i <= 15; ++i)
        start(QString::number(i), "110", "11", i == 15 ? 371 : 0); // one has a result
    start("21", "210", "20", 355);                           // results only
    start("22", "210", "10", 0);                             // alone and without result: listed
    start("23", "210", "10", 0, "2");                        // another sub-championship does not count
    start("24", "210", "11", 0, "2");                        // ... nor list its class

    const auto f = ErgebKontrolle::FehlendeErmitteln(1, "1");
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f[0].Disziplin + "/" + f[0].Klasse + "/" + f[0].DisName + "/" + f[0].KlaName, "110/10/Luftgewehr/Klasse 10");
    EXPECT_EQ(f[0].Anzahl, 5);
    EXPECT_EQ(f[1].Disziplin + "/" + f[1].Klasse, "210/10");
    EXPECT_EQ(f[1].Anzahl, 1);

    ErgebDialog::Dialog d;
    d.click("bt_Fehlende");
    ASSERT_EQ(ui->previews.size(), 1);
    const QStringList t = texte(ui->previews[0].file);
    const int titel = int(t.indexOf("Fehlende Ergebnisse von Wettbewerben und Klassen"));
    ASSERT_GE(titel, 0);
    EXPECT_EQ(t.mid(titel + 1, 9),
              QStringList({"Kreismeisterschaft 2025", "110.10", "Luftgewehr", "Klasse 10", "5", "210.10", "Luftpistole",
                           "Klasse 10", "1"}));
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");

    // Once a result is in, there is nothing left to list and nothing printed.
    db.exec("UPDATE ERGEBNIS SET Ergebnis = 300 WHERE Teilmeisterschaft = '1'");
    d.click("bt_Fehlende");
    EXPECT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->messageTexts(), QStringList({"Für diese Auswahl sind keine Daten vorhanden"}));
}

TEST_F(Kontrolle, IncompleteTeamsAreListedWithTheMembersPresent)
{
    auto team = [&](const char* verein, const char* nr, int soll, int ist, double ergebnis) {
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", nr}, {"AnzMannsch", soll}, {"AnzMannschIst", ist}, {"Ergebnis", ergebnis}});
    };
    auto mitglied = [&](const QString& mnr, const char* verein, const char* team, double ergebnis, const char* titel = "") {
        db.insert("EMITGLIED", {{"MitglNr", mnr}, {"Name", "Name" + mnr}, {"Vorname", "Eva"}, {"Titel", titel}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", mnr}, {"VereinNr", verein}, {"Disziplin", "110"},
                               {"EKlasse", "10"}, {"Ergebnis", ergebnis}, {"StartNr", mnr.toInt() + 100},
                               {"MVereinNr", verein}, {"MDisziplin", "110"}, {"MKlasse", "10"}, {"MannschNr", team}});
    };
    team("1201", "1", 3, 2, 741);   // two of three
    mitglied("1", "1201", "1", 370, "Dr.");
    mitglied("2", "1201", "1", 371);
    team("1202", "2", 3, 3, 1100);  // complete: not listed
    for (const char* m : {"3", "4", "5"})
        mitglied(m, "1202", "2", 366);

    ErgebDialog::Dialog d;
    d.click("bt_Mannschaften");
    ASSERT_EQ(ui->previews.size(), 1);
    const QStringList t = texte(ui->previews[0].file);
    const int titel = int(t.indexOf("Unvollständige Mannschaften"));
    ASSERT_GE(titel, 0);
    EXPECT_EQ(t.mid(titel + 1, 10),
              QStringList({"Kreismeisterschaft Schützengau Isartal 2025", "110.10M  Luftgewehr   Klasse 10",
                           "1201 SVT SV Tell 1", "741", "101", "Name1, Dr. Eva", "370", "102", "Name2, Eva", "371"}))
        << t.join(" | ").toStdString();
    EXPECT_FALSE(t.join('|').contains("FSG Au"));

    // Every team complete: the message and no list.
    db.exec("UPDATE EMANNSCH SET AnzMannschIst = AnzMannsch");
    d.click("bt_Mannschaften");
    EXPECT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->messageTexts(), QStringList({"Für diese Auswahl sind keine Daten vorhanden"}));
}

TEST(KontrolleGeneriert, ControlListsAndNonStartersOfAGeneratedChampionshipPassTheLayoutCheck)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(600, 3);
    Qvpaths::SetProgramFolder(db->folder());
    // Two classes lose all their results.
    db->exec("UPDATE ERGEBNIS SET Ergebnis = 0 WHERE Disziplin = '110' AND EKlasse IN ('10', '20')");
    ErgebDialog::Dialog d;
    d.click("bt_Fehlende");
    d.click("bt_Mannschaften");
    // The record of non-starters of every group.
    EXPECT_EQ(d.set("cb_Gesamt", "true"), "");
    EXPECT_EQ(d.set("gb_Ergebnisse", "Nichtangetr. Teilnehmer"), "");
    EXPECT_EQ(d.set("gb_Drucker", "Drucker"), "");
    d.click("bt_ErgOK");
    ASSERT_EQ(ui->previews.size(), 3);
    for (const auto& p : ui->previews)
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
    EXPECT_TRUE(texte(ui->previews[0].file).contains("110.10"));
    EXPECT_GE(texte(ui->previews[1].file).filter("Luftgewehr").size(), 1);
    EXPECT_TRUE(texte(ui->previews[2].file).contains("Protokoll nichtangetretener Teilnehmer"));
}

} // namespace
