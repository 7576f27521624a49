// Ranking: the results list's statement, place numbering and the helpers
// around series and inner tens.

#include "reports1/results/ErgebRangfolge.h"

#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

using namespace ErgebRangfolge;

namespace {

const QString Keys = " (E.Ergebnis + (E.Finale / 10)) DESC,E.StechErg DESC,"
                     " E.Zusatz DESC,E.Serien DESC,E.MessErg DESC,"
                     " E.Zehner DESC,E.Neuner DESC,E.Achter DESC,E.InnenZehner DESC,"
                     " E.ErgZentel DESC,M.Name,M.Vorname";
const QString TeamKeys = " M.Rangfolge,M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC";

// The statement of the results list is the one text kept as a known
// answer: other programs of the office read the same order. What the options
// select is tested on data (ErgebDaten_test).
TEST(ErgebSQL, ResultsListTextsForTheCurrentCompetition)
{
    TErgebSQL s = SQLErstellen({7}, {});
    EXPECT_EQ(s.Einzel, EinzelSelect() + "  AND E.Ergebnis > 0" + " AND (E.Ident = 7)"
                            + " AND E.Disziplin = :Disziplin AND E.EKlasse = :Klasse AND E.Ident = :Ident\r\n"
                              "ORDER BY E.Disziplin,E.Ident,E.EKlasse,Disqualifikation,"
                            + Keys);
    EXPECT_EQ(s.Mannschaft, MannschaftSelect() + "  AND M.AnzMannsch = M.AnzMannschIst" + " AND (M.Ident = 7)"
                                + " AND M.Ident = :Ident AND M.Disziplin = :Disziplin AND M.MKlasse = :Klasse\r\n"
                                  "ORDER BY M.Ident,M.Disziplin,M.MKlasse,M.Ergebnis DESC,"
                                + TeamKeys);

    // Without a competition list the list fragment is left out entirely.
    TErgebSQL leer = SQLErstellen({}, {});
    EXPECT_FALSE(leer.Einzel.contains(" AND (E.Ident"));
    EXPECT_TRUE(leer.Einzel.contains("  AND E.Ergebnis > 0 AND E.Disziplin = :Disziplin"));
}

TEST(EinzelPlatz, NormalDisciplineCountsDisqualifiedLastAndQualOthers)
{
    TEinzelPlatz p;
    auto row = [&](const QString& qual, int disq, int zusatz = 0) {
        return p.Naechster(qual, disq, zusatz, "", "380", "095095095095", "0");
    };
    auto a = row("N", 0), b = row("N", 0);
    EXPECT_TRUE(a.Gedruckt);
    EXPECT_EQ(a.Nummer, 1);
    EXPECT_EQ(b.Nummer, 2); // no tie detection outside "A"/"V": the order alone decides
    auto q = row("Q", 0);
    EXPECT_FALSE(q.Gedruckt); // without a place, and the counter stays
    EXPECT_EQ(row("N", 0).Nummer, 3);
    auto z = row("N", 0, 9999); // repeats the place above
    EXPECT_TRUE(z.Gedruckt);
    EXPECT_EQ(z.Nummer, 3);
    auto d1 = row("N", 2), d2 = row("N", 1);
    EXPECT_FALSE(d1.Gedruckt);
    EXPECT_FALSE(d2.Gedruckt);
    EXPECT_EQ(p.Zaehler(), 4); // disqualified rows do not advance the counter

    p.Reset();
    EXPECT_EQ(row("N", 0).Nummer, 1);
    p.Reset();
    EXPECT_EQ(row("N", 0, 9999).Nummer, 1); // a place below 1 becomes 1
}

TEST(EinzelPlatz, TiesInAVDisciplinesShowTheFirstPlaceOnce)
{
    TEinzelPlatz p;
    QStringList shown;
    auto row = [&](const QString& ergebnis, const QString& serien, int disq = 0) {
        auto r = p.Naechster("N", disq, 0, "V", ergebnis, serien, "0");
        shown << (r.Gedruckt ? QString::number(r.Nummer) + "." : QString());
    };
    row("290", "097097096");
    row("290", "097097096");
    row("290", "097097096");
    row("289", "097096096");
    row("289", "097096096", 1); // disqualified: never a place
    EXPECT_EQ(shown, (QStringList{"1.", "", "", "4.", ""}));

    // "A" behaves the same; a differing series breaks the tie.
    TEinzelPlatz a;
    EXPECT_TRUE(a.Naechster("N", 0, 0, "A", "290", "100095095", "0").Gedruckt);
    auto second = a.Naechster("N", 0, 0, "A", "290", "095100095", "0");
    EXPECT_TRUE(second.Gedruckt);
    EXPECT_EQ(second.Nummer, 2);
}

TEST(EinzelPlatz, ScreenVariantIgnoresTheResultInItsTieKey)
{
    TEinzelPlatz screen(true), paper(false);
    screen.Naechster("N", 0, 0, "V", "290", "097097096", "0");
    paper.Naechster("N", 0, 0, "V", "290", "097097096", "0");
    auto s = screen.Naechster("N", 0, 0, "V", "291", "097097096", "0");
    auto p = paper.Naechster("N", 0, 0, "V", "291", "097097096", "0");
    EXPECT_EQ(BildschirmPlatz(s), "     ");
    EXPECT_TRUE(p.Gedruckt);
    TEinzelPlatz::TPlatz erster{12, true};
    EXPECT_EQ(BildschirmPlatz(erster), "12. ");
}

TEST(MannschaftPlatz, CountsOnlyNTeamsAndNamesTeamNumbers)
{
    TMannschaftPlatz m;
    EXPECT_EQ(m.Naechster("N"), 1);
    EXPECT_EQ(m.Naechster("Q"), 0);
    EXPECT_EQ(m.Naechster("N"), 2);
    m.Reset();
    EXPECT_EQ(m.Naechster("N"), 1);
    EXPECT_EQ(MannschaftName("SV Tell Oberdorf", "1"), "SV Tell Oberdorf");
    EXPECT_EQ(MannschaftName("SV Tell Oberdorf", "2"), "SV Tell Oberdorf 2");
}

TEST(InnenZehner, NoteGoesIntoTheFirstFreeSeriesOfTenthDisciplinesOnly)
{
    QString s[6] = {"95", "97", " 0 ", "", "98", "99"};
    EXPECT_TRUE(InnenZehnerEintragen("J", 4, s));
    EXPECT_EQ(s[2], "(4iZ)");
    EXPECT_EQ(s[3], "");
    QString n[6] = {"95", "", "", "", "", ""};
    EXPECT_FALSE(InnenZehnerEintragen("N", 4, n));
    EXPECT_FALSE(InnenZehnerEintragen("J", 0, n));
    EXPECT_EQ(n[1], "");
    QString voll[6] = {"1", "2", "3", "4", "5", "6"};
    EXPECT_FALSE(InnenZehnerEintragen("J", 2, voll)); // six full series leave the note out
}

TEST(SerienSlots, AddUpSlotBySlotAndWriteBackPadded)
{
    QVector<int> a = SerienSlots("095097098");
    EXPECT_EQ(a.size(), 13);
    EXPECT_EQ(a[0], 95);
    EXPECT_EQ(a[2], 98);
    EXPECT_EQ(a[3], 0);
    QVector<int> b = SerienSlots("09xx96100");
    EXPECT_EQ(b[1], 0); // not a number
    EXPECT_EQ(b[2], 100);
    for (int i = 0; i < 13; ++i)
        a[i] += b[i];
    EXPECT_EQ(SerienAusSlots(a), "095097198");
    // Padded slots compare as numbers when compared as text.
    EXPECT_GT(SerienAusSlots({100, 50}), SerienAusSlots({99, 100}));
}

} // namespace
