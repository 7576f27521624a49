// The results list as printed: headings, team and individual rows, group
// separation, shading, disqualifications with legend, protest deadline, and
// the on-screen lines.

#include "reports1/results/ErgebListe.h"

#include "platform/ado/Ado.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvclock.h"
#include "tests/support/TestHostUi.h"
#include "reports1/results/ErgebRangfolge.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

using ReportTest::field;

namespace {

class Ergebnisliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Datamod::DisziplinInfoVergessen();
        Qvclock::SetNow(QDateTime(QDate(2026, 12, 5), QTime(14, 0, 0)));
        gruppe("110", "Luftgewehr", "10", "Schützenklasse");
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell Oberdorf"}, {"Abkuerzung", "Tell"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "Schützengesellschaft Hubertus Unterbrunn-Niederhausen"}});
    }
    void TearDown() override { Qvclock::SetNow({}); }

    void gruppe(const QString& dis, const QString& disName, const QString& kla, const QString& klaName)
    {
        if (db.count("PDISZIPLIN", "Disziplin = '" + dis + "'") == 0)
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", dis}, {"Name", disName}});
        if (db.count("PKLASSE", "Klasse = '" + kla + "'") == 0)
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", klaName}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", dis}, {"Klasse", kla}, {"ErgebEing", "X"},
                              {"KennzE", "1.10.10"}, {"KennzM", "1.10.20"}});
    }
    void start(const QString& nr, const QString& name, const QString& verein, double ergebnis,
               const QString& kla = "10", int disq = 0, double finale = 0)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Hans"}, {"Titel", ""}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", "110"},
                               {"EKlasse", kla}, {"Ergebnis", ergebnis}, {"Serien", "095096"},
                               {"Disqualifikation", disq}, {"Finale", finale}, {"StartNr", nr.toInt()}});
    }
    QStringList drucken(ErgebListe::TOptionen o = {})
    {
        return ReportTest::dumpOf([&](Report::TBaseReport& r) { ErgebListe::ErgebnissePrint(r, daten, o); });
    }
    static QStringList texte(const QStringList& dump)
    {
        QStringList t;
        for (const QString& l : ReportTest::linesStarting(dump, "T\t"))
            t << field(l, 8);
        return t;
    }
    static QString zeileMit(const QStringList& dump, const QString& text)
    {
        for (const QString& l : dump)
            if (l.startsWith("T\t") && field(l, 8) == text)
                return l;
        return {};
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    ErgebRangfolge::TErgebDaten daten;
};

TEST_F(Ergebnisliste, TeamsThenIndividualsWithHeadingsAndNames)
{
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1202", 390, "10", 0, 1023);
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 1150}, {"Serie1", 380}, {"Serie2", 385}, {"Serie3", 0},
                           {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "2"}, {"Ergebnis", 1100}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1202"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 1200}, {"AnzMannsch", 3}, {"AnzMannschIst", 2}});
    const QStringList dump = drucken();
    const QStringList t = texte(dump);

    const int team = int(t.indexOf("Mannschaftsergebnisse"));
    const int einzel = int(t.indexOf("Einzelergebnisse "));
    ASSERT_GE(team, 0);
    ASSERT_GT(einzel, team);
    EXPECT_EQ(t[team - 2], "1.10.20"); // federation code of the team group
    EXPECT_EQ(t[team - 1], "Luftgewehr - Schützenklasse");
    EXPECT_EQ(t[einzel - 2], "1.10.10");
    EXPECT_EQ(t[einzel - 1], "Luftgewehr - Schützenklasse "); // individuals add the class addition

    // Team 1 by its club name alone, team 2 with its number; the incomplete
    // team of 1202 is not listed; a series of 0 prints empty.
    EXPECT_TRUE(t.contains("SV Tell Oberdorf"));
    EXPECT_TRUE(t.contains("SV Tell Oberdorf 2"));
    EXPECT_FALSE(t.mid(team, einzel - team).join('|').contains("Hubertus"));
    EXPECT_EQ(t.mid(team, einzel - team).count("0"), 0);
    EXPECT_EQ(t.mid(team, einzel - team).count("1150"), 1);

    // The final adds a tenth of itself: 390 + 102.3 ranks Huber first.
    const int huber = int(t.indexOf("Huber,  Hans"));
    const int meier = int(t.indexOf("Meier,  Hans"));
    ASSERT_GE(huber, 0);
    EXPECT_LT(huber, meier);
    EXPECT_EQ(t[huber - 2], "1.");
    EXPECT_TRUE(t.mid(huber, 12).contains("492,3"));
    EXPECT_TRUE(t.mid(huber, 12).contains("102,3"));
    EXPECT_EQ(t[meier - 2], "2.");
    EXPECT_TRUE(t.mid(meier, 10).contains(" 385"));
}

TEST_F(Ergebnisliste, ClubColumnsDependOnTheAbbreviationAndLongNamesWrap)
{
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1202", 380);
    const QStringList dump = drucken();
    // With an abbreviation: 1.1 cm abbreviation column from 7.5 cm, club from 8.6 cm.
    EXPECT_EQ(field(zeileMit(dump, "Tell"), 2), "7.576");
    EXPECT_EQ(field(zeileMit(dump, "SV Tell Oberdorf"), 2), "8.676");
    // Without: one 4.8 cm club column from 7.5 cm, the long name split over lines.
    const QStringList t = texte(dump);
    int ersteZeile = -1;
    for (int i = 0; i < t.size(); ++i)
        if (t[i].startsWith("Schützengesellschaft"))
            ersteZeile = i;
    ASSERT_GE(ersteZeile, 0);
    const QString erste = zeileMit(dump, t[ersteZeile]);
    EXPECT_EQ(field(erste, 2), "7.576");
    EXPECT_FALSE(t[ersteZeile].contains("Niederhausen"));
    bool rest = false;
    for (const QString& l : dump)
        if (l.startsWith("T\t") && field(l, 8).contains("Niederhausen") && field(l, 2) == "7.576"
            && field(l, 3).toDouble() > field(erste, 3).toDouble())
            rest = true;
    EXPECT_TRUE(rest);
}

TEST_F(Ergebnisliste, GroupsAreSeparatedByBlankLinesOrNewPages)
{
    gruppe("110", "Luftgewehr", "11", "Damenklasse");
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 380, "11");
    db.setting("Speziell", "MitVorschub", "N");
    QStringList dump = drucken();
    EXPECT_EQ(ReportTest::linesStarting(dump, "P ").size(), 1);
    const double y1 = field(zeileMit(dump, "Meier,  Hans"), 3).toDouble();
    const double y2 = field(zeileMit(dump, "Luftgewehr - Damenklasse "), 3).toDouble();
    // The heading of the second group lies six blank lines (and the row's
    // own line) below the last row of the first.
    EXPECT_GT(y2 - y1, 6 * 0.35);

    db.setting("Speziell", "MitVorschub", "J");
    dump = drucken();
    EXPECT_EQ(ReportTest::linesStarting(dump, "P ").size(), 2);
    EXPECT_EQ(field(zeileMit(dump, "Luftgewehr - Damenklasse "), 1), "2");
}

TEST_F(Ergebnisliste, AlternateShadingFollowsTabellier)
{
    for (int i = 1; i <= 4; ++i)
        start(QString::number(i), "S" + QString::number(i), "1201", 380 - i);
    db.setting("Speziell", "MitTab", "J");
    db.setting("Speziell", "Tabellier", "10");
    const QStringList dump = drucken();
    QStringList zeilenShade;
    for (int i = 1; i <= 4; ++i) {
        const double y = field(zeileMit(dump, "S" + QString::number(i) + ",  Hans"), 3).toDouble();
        QString shade = "0";
        for (const QString& l : ReportTest::linesStarting(dump, "B\t"))
            if (field(l, 3).toDouble() < y && field(l, 3).toDouble() + field(l, 5).toDouble() > y)
                shade = field(l, 6);
        zeilenShade << shade;
    }
    EXPECT_EQ(zeilenShade, (QStringList{"10", "0", "10", "0"}));
}

TEST_F(Ergebnisliste, DisqualificationsLegendAndProtestDeadline)
{
    db.insert("EREGEL", {{"Nummer", 2}, {"Regel", "0.3.2.1"}});
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 390, "10", 2);
    db.setting("Speziell", "Disqualifikation", "J");
    db.setting("Speziell", "EinFrist", "30");
    const QStringList t = texte(drucken({false, true}));
    const int kopf = int(t.indexOf("Disqualifikation"));
    ASSERT_GE(kopf, 0);
    EXPECT_LT(t.indexOf("Meier,  Hans"), kopf);   // disqualified rows come last
    EXPECT_GT(t.indexOf("Huber,  Hans"), kopf);
    EXPECT_TRUE(t.contains("*2"));
    EXPECT_FALSE(t.mid(kopf).contains("2."));    // and take no place
    const int legende = int(t.indexOf("Legende"));
    ASSERT_GT(legende, kopf);
    EXPECT_EQ(t[legende + 1], "2. ");
    EXPECT_EQ(t[legende + 2], "Verstoss gegen die Regel-Nr.: 0.3.2.1");
    EXPECT_TRUE(t.contains("EINSPRUCHSENDE: "));
    EXPECT_TRUE(t.contains(" um    14:30:00 Uhr"));

    // Without the setting the disqualified start is not listed at all, but
    // the group still had one: the legend follows.
    db.setting("Speziell", "Disqualifikation", "N");
    const QStringList ohne = texte(drucken());
    EXPECT_FALSE(ohne.contains("Huber,  Hans"));
    EXPECT_TRUE(ohne.contains("Legende"));
    EXPECT_FALSE(ohne.contains("EINSPRUCHSENDE: "));
}

TEST_F(Ergebnisliste, ScreenLinesUseBlankPlacesForTies)
{
    db.exec("UPDATE PDISZIPLIN SET Kennung = 'V'");
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 385);
    const auto b = ErgebListe::ErgebnisseEinzelAusgabe(daten, "110", "10");
    EXPECT_EQ(b.Ueberschrift, "Luftgewehr Schützenklasse ");
    ASSERT_EQ(b.Zeilen.size(), 2);
    EXPECT_TRUE(b.Zeilen[0].startsWith("1. Huber,  Hans"));   // same result: alphabetical
    EXPECT_TRUE(b.Zeilen[1].startsWith("     Meier,  Hans"));
    EXPECT_TRUE(b.Zeilen[0].endsWith("   385"));
}

} // namespace
