// The page services every list shares: page header and footer, the rules,
// the sender line and fold mark, the tab routines, fitting fonts, word wrap
// and the federation code of a group, asserted through the surface's dump.

#include "reports1/frame/ReportUtil.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Report;
using ReportTest::field;
using ReportTest::linesStarting;

namespace {

QStringList dumpOf(const TBaseReport& r)
{
    return DumpDocument(r.Document()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString fmt(double v) { return QString::number(v, 'f', 3); }

// The border letters of tab i ("LTRB" order as the dump writes them).
QString borders(TBaseReport& r, int i)
{
    const TTab* t = r.GetTab(i);
    if (!t)
        return QStringLiteral("?");
    QString s;
    if (t->Left)
        s += 'L';
    if (t->Top)
        s += 'T';
    if (t->Right)
        s += 'R';
    if (t->Bottom)
        s += 'B';
    return s;
}

// A surface on page 1 of an A4 portrait document (sections 2.0 to 19.5).
class PageServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.setting("Global", "Verband", "Schützengau Oberland");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberbayern");
        db.setting("Allgemein", "Verband", "3");
        r.BeginDocument();
    }
    void TearDown() override
    {
        Datamod::bVerbandTitel = false;
        Qvclock::SetNow({});
    }

    // The plain header drawn from the top of the header band.
    QStringList kopf(int art, bool titel, int verband = 3)
    {
        db.setting("Allgemein", "VeranstaltungsArt", art);
        db.setting("Allgemein", "Verband", verband);
        Datamod::bVerbandTitel = titel;
        TBaseReport s;
        s.BeginDocument();
        s.GotoHeader();
        Reportutil::quarvelKopfZeile(s, false, 1);
        EXPECT_EQ(s.FontName(), "Arial");
        EXPECT_EQ(s.GetFontSize(), 10);
        EXPECT_FALSE(s.GetItalic());
        EXPECT_FALSE(s.GetBold());
        return dumpOf(s);
    }

    Fixture::Database db;
    TBaseReport r;
};

const QString regel = "L\t1\t2.000\t1.750\t19.500\t1.750\t-1";
const QString verbandZeile = "T\t1\t2.000\t1.550\tL\tArial\t10\tI\tSchützengau Oberland";

TEST_F(PageServices, PlainHeaderByKindOfChampionshipAndFederationSwitch)
{
    // State championship with the switch: federation name right, no organiser.
    EXPECT_EQ(kopf(3, true), (QStringList{"P 1", verbandZeile,
                                          "T\t1\t19.500\t1.550\tR\tArial\t16\tB\tBayerischer Sportschützenbund",
                                          regel}));
    // County championship, switch on all the same: organiser, no federation name.
    EXPECT_EQ(kopf(1, true), (QStringList{"P 1", verbandZeile,
                                          "T\t1\t19.500\t1.550\tR\tArial\t10\tI\tSchützenbezirk Oberbayern", regel}));
    // District championship with the switch: both right-aligned on one line,
    // the organiser in the federation name's font.
    EXPECT_EQ(kopf(2, true), (QStringList{"P 1", verbandZeile,
                                          "T\t1\t19.500\t1.550\tR\tArial\t16\tB\tBayerischer Sportschützenbund",
                                          "T\t1\t19.500\t1.550\tR\tArial\t16\tB\tSchützenbezirk Oberbayern", regel}));
    // Without the switch a district championship shows only the organiser,
    // a state championship neither.
    EXPECT_EQ(kopf(2, false), (QStringList{"P 1", verbandZeile,
                                           "T\t1\t19.500\t1.550\tR\tArial\t10\tI\tSchützenbezirk Oberbayern", regel}));
    EXPECT_EQ(kopf(3, false), (QStringList{"P 1", verbandZeile, regel}));
    // Unknown kind (4): federation name only.
    EXPECT_EQ(kopf(4, true).value(2), "T\t1\t19.500\t1.550\tR\tArial\t16\tB\tBayerischer Sportschützenbund");
    EXPECT_EQ(kopf(4, true).size(), 4);

    // The federation setting picks the name; other values print none.
    const QStringList namen = {Datamod::BSV, Datamod::PSSB, Datamod::ZKT, Datamod::BSSB};
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(field(kopf(3, true, v).value(2), 8), namen[v]) << v;
    EXPECT_EQ(kopf(3, true, 7), (QStringList{"P 1", verbandZeile, regel}));
}

TEST_F(PageServices, HeadlineHeaderFontsAndCentredLines)
{
    db.setting("Global", "Ueberschr", "Gaumeisterschaft");
    db.setting("Allgemein", "Sportjahr", "2026");
    db.setting("Allgemein", "FontErgebnisse", "Liberation Serif");
    db.setting("Allgemein", "FontUrkunden", "DejaVu Sans");
    db.setting("Allgemein", "FontGesamt", "Liberation Mono");

    // SchriftAuswahl 0 keeps the caller's font (without italic and bold)
    // for the association line; the second line is Arial 12.
    r.GotoHeader();
    r.SetFont("Times New Roman", 14);
    const double zeile = r.LineHeight();
    r.SetItalic(true);
    r.SetBold(true);
    Reportutil::quarvelKopfZeile(r, true, 0);
    const QStringList d = dumpOf(r);
    ASSERT_EQ(d.size(), 4) << d.join('\n').toStdString();
    EXPECT_EQ(d[1], "T\t1\t10.750\t1.550\tC\tTimes New Roman\t14\t\tSchützengau Oberland");
    EXPECT_EQ(d[2], "T\t1\t10.750\t" + fmt(1.55 + zeile) + "\tC\tArial\t12\t\tErgebnis Gaumeisterschaft 2026");
    EXPECT_EQ(d[3], QString("L\t1\t2.000\t%1\t19.500\t%1\t-1").arg(fmt(1.75 + zeile)));
    EXPECT_EQ(r.FontName(), "Arial");
    EXPECT_EQ(r.GetFontSize(), 10);
    EXPECT_FALSE(r.GetItalic());
    EXPECT_FALSE(r.GetBold());

    // 1, 2 and 3 take the results, certificate and overall fonts at 16.
    const QStringList fonts = {"Liberation Serif", "DejaVu Sans", "Liberation Mono"};
    for (int auswahl = 1; auswahl <= 3; ++auswahl) {
        TBaseReport s;
        s.BeginDocument();
        s.SetItalic(true);
        Reportutil::quarvelKopfZeile(s, true, auswahl);
        const QString first = linesStarting(dumpOf(s), "T\t").value(0);
        EXPECT_EQ(field(first, 5), fonts[auswahl - 1]) << auswahl;
        EXPECT_EQ(field(first, 6), "16") << auswahl;
        EXPECT_EQ(field(first, 7), "") << auswahl;
    }
}

TEST_F(PageServices, FooterPrintsDateVersionAndPageAndRestoresTheFont)
{
    Qvclock::SetNow(QDateTime(QDate(2026, 12, 5), QTime(14, 0, 0)));
    r.SetFont("Courier New", 13);
    r.SetBold(true);
    r.GotoFooter();
    Reportutil::quarvelFusszeile(r, 99); // the argument is not what is printed
    EXPECT_EQ(r.GetFontSize(), 13);
    EXPECT_TRUE(r.GetBold());
    EXPECT_FALSE(r.GetItalic());

    r.NewPage();
    r.SetBold(false);
    r.GotoFooter();
    Reportutil::quarvelFusszeile(r, -1);
    EXPECT_FALSE(r.GetBold());
    EXPECT_EQ(r.GetFontSize(), 13);

    const QString version = "Version: " + Schtools::VersionsText();
    EXPECT_EQ(dumpOf(r), (QStringList{
                             "P 1",
                             "L\t1\t2.000\t27.900\t19.500\t27.900\t-1",
                             "T\t1\t2.000\t28.200\tL\tArial\t7\tI\tGedruckt am 05.12.2026 um 14:00 Uhr",
                             "T\t1\t11.000\t28.200\tC\tArial\t7\tI\t" + version,
                             "T\t1\t19.500\t28.200\tR\tArial\t7\tI\tSeite 1",
                             "P 2",
                             "L\t2\t2.000\t27.900\t19.500\t27.900\t-1",
                             "T\t2\t2.000\t28.200\tL\tArial\t7\tI\tGedruckt am 05.12.2026 um 14:00 Uhr",
                             "T\t2\t11.000\t28.200\tC\tArial\t7\tI\t" + version,
                             "T\t2\t19.500\t28.200\tR\tArial\t7\tI\tSeite 2",
                         }));
    EXPECT_FALSE(Schtools::VersionsText().isEmpty());
}

TEST_F(PageServices, RuleFoldMarkAndSenderLine)
{
    // The rule: 0.2 below the position, across the sections, thinnest pen
    // whatever pen the caller had.
    r.SetLeftSection(3.0);
    r.SetRightSection(15.0);
    r.SetPen(Qt::red, Qt::DashLine, 5);
    r.SetYPos(5.0);
    Reportutil::DrawVerticalLine(r, 7);
    EXPECT_DOUBLE_EQ(r.GetYPos(), 5.2);
    // The fold mark: a third of the page height, from where printers reach.
    Reportutil::Faltmarker(r);

    // The sender line at the position given, then two lines further.
    db.setting("Absender", "Vorname", "Hans");
    db.setting("Absender", "Name", "Meier");
    db.setting("Absender", "Strasse", "Hauptstraße 1");
    db.setting("Absender", "PLZ", "82362");
    db.setting("Absender", "Ort", "Weilheim");
    r.SetBold(true);
    r.SetUnderline(true);
    Reportutil::BriefkopfDrucken(r, 6.0);
    EXPECT_NEAR(r.GetYPos(), 6.0 + 2 * r.LineHeight(), 1e-9);
    EXPECT_FALSE(r.GetItalic());
    EXPECT_FALSE(r.GetBold());
    EXPECT_FALSE(r.GetUnderline());

    EXPECT_EQ(dumpOf(r), (QStringList{
                             "P 1",
                             "L\t1\t3.000\t5.200\t15.000\t5.200\t-1",
                             "L\t1\t0.000\t9.900\t1.000\t9.900\t-1",
                             "T\t1\t3.000\t6.000\tL\tArial\t7\tI\tHans Meier, Hauptstraße 1, 82362 Weilheim",
                         }));
}

TEST_F(PageServices, FontSizeToFitShrinksInQuarterStepsDownToAQuarter)
{
    const QString text = "Schützengesellschaft Edelweiß";
    r.SetFont("Arial", 10);
    const double breite = r.TextWidth(text);

    // Fits already: the size unchanged.
    EXPECT_EQ(Reportutil::FontSizeToFit(r, text, breite + 0.01), 10);
    // Exactly as wide is not narrower: one step down.
    EXPECT_EQ(Reportutil::FontSizeToFit(r, text, breite), 9.75);
    // Never fits: ends at 0.25, also from a size that is no multiple of it.
    EXPECT_EQ(Reportutil::FontSizeToFit(r, text, 0), 0.25);
    r.SetFontSize(10.1);
    EXPECT_EQ(Reportutil::FontSizeToFit(r, text, 0), 0.25);
    EXPECT_EQ(r.GetFontSize(), 10.1);
    r.SetFontSize(10);

    // Between: the largest size of the quarter steps that fits.
    const double ziel = breite * 0.6;
    const double s = Reportutil::FontSizeToFit(r, text, ziel);
    EXPECT_EQ(r.GetFontSize(), 10); // the surface keeps its size
    EXPECT_LT(s, 10);
    EXPECT_DOUBLE_EQ(std::fmod(10 - s, 0.25), 0);
    r.SetFontSize(s);
    EXPECT_LT(r.TextWidth(text), ziel);
    r.SetFontSize(s + 0.25);
    EXPECT_GE(r.TextWidth(text), ziel);
}

TEST_F(PageServices, TabLinesAndRemoveTabLines)
{
    auto dreiTabs = [&] {
        r.ClearTabs();
        r.SetTab(2.0, pjLeft, 3.0, 0, BOXLINEALL, 0);
        r.SetTab(NA, pjLeft, 3.0, 0, BOXLINELEFT | BOXLINETOP, 0);
        r.SetTab(NA, pjLeft, 3.0, 0, BOXLINEALL, 0);
    };

    // add False with no indexes: every border of every tab cleared.
    dreiTabs();
    Reportutil::TabLines(r, {}, "lrtb", false);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "||");

    // add False: the listed tabs get exactly the named borders, the others none;
    // other letters are ignored, an index beyond the tabs means the last tab.
    dreiTabs();
    Reportutil::TabLines(r, {2, 9}, "bxl", false);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "|LB|LB");

    // add True: the named borders switched on, the others left alone.
    dreiTabs();
    Reportutil::TabLines(r, {2}, "rb", true);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "LTRB|LTRB|LTRB");
    r.ClearTabs();
    r.SetTab(2.0, pjLeft, 3.0, 0, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 3.0, 0, BOXLINELEFT, 0);
    Reportutil::TabLines(r, {1}, "t", true);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2), "T|L");

    // All tabs at once.
    dreiTabs();
    Reportutil::TabLines(r, "r", false);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "R|R|R");
    Reportutil::TabLines(r, "t", true);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "TR|TR|TR");

    // RemoveTabLines: named borders off, the others on, on the listed tabs only.
    r.ClearTabs();
    r.SetTab(2.0, pjLeft, 3.0, 0, BOXLINETOP, 0);
    r.SetTab(NA, pjLeft, 3.0, 0, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 3.0, 0, BOXLINELEFT, 0);
    Reportutil::RemoveTabLines(r, {1, 5}, "lt");
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "RB||RB");

    // What is set is what the tabs draw.
    r.Print("\ta\tb\tc");
    const QStringList boxes = linesStarting(dumpOf(r), "B\t");
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(field(boxes[0], 2) + " " + field(boxes[0], 7), "2.000 RB");
    EXPECT_EQ(field(boxes[1], 2) + " " + field(boxes[1], 7), "8.000 RB");

    // Number 0 is the current tab; outside a tab it names none: the last.
    r.NewLine();
    dreiTabs();
    Reportutil::TabLines(r, {0}, "t", false);
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "||T");
    r.Tab();
    Reportutil::TabLines(r, {0}, "b", true);
    Reportutil::RemoveTabLines(r, {0}, "lrt");
    EXPECT_EQ(borders(r, 1) + "|" + borders(r, 2) + "|" + borders(r, 3), "B||T");

    // No tabs: nothing to change, no failure.
    r.ClearTabs();
    Reportutil::TabLines(r, {1}, "l", false);
    Reportutil::RemoveTabLines(r, {1}, "l");
    EXPECT_EQ(r.TabCount(), 0);
}

TEST_F(PageServices, SetLastTabReachesTheRightSectionEdge)
{
    // Without tabs, NA starts at the left section.
    Reportutil::SetLastTab(r, NA, pjLeft, 0, BOXLINENONE, 0);
    ASSERT_EQ(Reportutil::TabCount(r), 1);
    EXPECT_DOUBLE_EQ(r.GetTab(1)->Pos, 2.0);
    EXPECT_DOUBLE_EQ(r.GetTab(1)->Width, 17.5);

    // NA continues after the last tab and reaches the right section edge.
    r.ClearTabs();
    EXPECT_EQ(Reportutil::TabCount(r), 0);
    r.SetTab(2.0, pjLeft, 3.0, 0, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 4.5, 0, BOXLINENONE, 0);
    Reportutil::SetLastTab(r, NA, pjRight, 5, BOXLINELEFT | BOXLINEBOTTOM, 20);
    ASSERT_EQ(Reportutil::TabCount(r), 3);
    const TTab* t = r.GetTab(3);
    EXPECT_DOUBLE_EQ(t->Pos, 9.5);
    EXPECT_DOUBLE_EQ(t->Width, 10.0);
    EXPECT_DOUBLE_EQ(Reportutil::EndOfTab(r, 3), 19.5);
    EXPECT_EQ(t->Justify, pjRight);
    EXPECT_DOUBLE_EQ(t->Margin, 0.05);
    EXPECT_EQ(borders(r, 3), "LB");
    EXPECT_EQ(t->Shade, 20);

    // A position given: from there; beyond the right edge the width is 0.
    Reportutil::SetLastTab(r, 12.0, pjLeft, 0, BOXLINENONE, 0);
    EXPECT_DOUBLE_EQ(r.GetTab(4)->Pos, 12.0);
    EXPECT_DOUBLE_EQ(r.GetTab(4)->Width, 7.5);
    Reportutil::SetLastTab(r, 20.0, pjLeft, 0, BOXLINENONE, 0);
    EXPECT_DOUBLE_EQ(r.GetTab(5)->Width, 0);

    // EndOfTab and NextTab.
    EXPECT_DOUBLE_EQ(Reportutil::EndOfTab(r, 1), 5.0);
    EXPECT_DOUBLE_EQ(Reportutil::EndOfTab(r, 6), 0);
    EXPECT_DOUBLE_EQ(Reportutil::EndOfTab(r, 0), 0); // not in a tab
    EXPECT_EQ(Reportutil::NextTab(r, r.GetTab(1)), r.GetTab(2));
    EXPECT_EQ(Reportutil::NextTab(r, r.GetTab(5)), nullptr);
    TTab fremd;
    EXPECT_EQ(Reportutil::NextTab(r, &fremd), nullptr);
    r.Tab();
    r.Tab(); // current tab 2
    EXPECT_EQ(Reportutil::NextTab(r, nullptr), r.GetTab(3));
    EXPECT_DOUBLE_EQ(Reportutil::EndOfTab(r, 0), 9.5); // the current tab

    // The last tab's right-justified text ends at the edge minus its margin.
    r.NewLine();
    r.SetTabShade(0);
    r.Print("\t\t\tEnde");
    const QString text = linesStarting(dumpOf(r), "T\t").value(0);
    EXPECT_EQ(field(text, 2) + field(text, 4), fmt(19.5 - 0.05 * 2.54) + "R");
}

TEST_F(PageServices, TextTabFitsTheTextIntoTheNextTab)
{
    // No tab at all: the error names the text.
    try {
        Reportutil::TextTab(r, "X");
        ADD_FAILURE() << "no error";
    } catch (const EHostFehler& e) {
        EXPECT_EQ(e.Message(), "Kein Tabellenfeld für \"X\" gefunden");
    }

    r.ClearTabs();
    r.SetTab(2.0, pjLeft, 2.0, 10, BOXLINENONE, 0);
    r.SetTab(NA, pjCenter, 8.0, 10, BOXLINENONE, 0);
    r.SetFont("Arial", 12);
    const QString lang = "Sportschützengesellschaft";
    Reportutil::TextTab(r, lang); // tab 1: too narrow at 12 pt
    Reportutil::TextTab(r, "kurz"); // tab 2: fits
    EXPECT_EQ(r.GetFontSize(), 12);

    const QStringList texts = linesStarting(dumpOf(r), "T\t");
    ASSERT_EQ(texts.size(), 2);
    const double innen = 2.0 - 2 * 0.1 * 2.54;
    EXPECT_EQ(field(texts[0], 2), fmt(2.0 + 0.254));
    EXPECT_EQ(field(texts[0], 8), lang);
    const double groesse = field(texts[0], 6).toDouble();
    EXPECT_LT(groesse, 12);
    r.SetFontSize(groesse);
    EXPECT_LT(r.TextWidth(lang), innen);
    r.SetFontSize(groesse + 0.25);
    EXPECT_GE(r.TextWidth(lang), innen);
    EXPECT_EQ(field(texts[1], 2) + field(texts[1], 4) + field(texts[1], 6), "8.000C12");
}

TEST_F(PageServices, TextAufteilenWrapsALongClubNameAtTheCurrentFont)
{
    const QString name = "Königlich privilegierte Feuerschützengesellschaft Hubertus Altenstadt an der Waldnaab 1889 e.V.";
    r.SetFont("Arial", 10);
    const QStringList zeilen = Reportutil::TextAufteilen(r, name, 2.0, 7.0);
    EXPECT_GE(zeilen.size(), 3);
    EXPECT_EQ(zeilen.join(' '), name); // whole words, nothing lost
    for (const QString& z : zeilen) {
        EXPECT_LE(r.TextWidth(z), 5.0) << z.toStdString();
        EXPECT_FALSE(z.startsWith(' ') || z.endsWith(' ')) << z.toStdString();
    }
    // A larger font needs more lines, a short name one.
    r.SetFontSize(14);
    EXPECT_GT(Reportutil::TextAufteilen(r, name, 2.0, 7.0).size(), zeilen.size());
    EXPECT_EQ(Reportutil::TextAufteilen(r, "SV Tell", 2.0, 7.0), QStringList{"SV Tell"});
    // Nothing is drawn.
    EXPECT_TRUE(linesStarting(dumpOf(r), "T\t").isEmpty());
}

TEST_F(PageServices, KennzZahlHolenBySelection)
{
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"KennzE", "1.10.100"},
                          {"KennzM", "M.110"}, {"KennzMDSB", "2.20.200"}, {"KennzEDSB", "9.9.9"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "20"}, {"KennzE", "3.30.300"},
                          {"KennzM", "M.120"}, {"KennzMDSB", "4.40.400"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "10"}, {"KennzE", "5.50"},
                          {"KennzM", "M.130"}, {"KennzMDSB", "6.60.600.6"}});
    db.insert("PDISKLA", {{"Ident", 2}, {"Disziplin", "130"}, {"Klasse", "10"}, {"KennzE", "7.70.700"},
                          {"KennzM", "M.140"}, {"KennzMDSB", "8.80.800"}});

    struct Fall {
        const char *e, *m, *dis, *kla;
        bool normal;
        const char *ergebnis, *kennziffer;
    };
    const Fall faelle[] = {
        {"E", "V", "110", "10", true, "1.10", ""},
        {"E", "X", "110", "10", true, "1.10.100", ""},
        {"E", "", "110", "20", false, "3.30.300", ""},
        {"M", "V", "110", "10", true, "2.20", ""},
        {"", "V", "110", "20", false, "4.40", ""},
        {"M", "M", "110", "10", true, "M.110", "2.20.200"},
        {"M", "M", "110", "10", false, "M.110", "M.110"},
        {"e", "v", "110", "10", true, "M.110", "2.20.200"}, // the letters are compared exactly
        {"E", "V", "120", "", true, "5.50", ""},           // no class: the discipline's row
        {"M", "V", "120", "", true, "6.60", ""},
        {"E", "V", "130", "10", true, "", ""},             // another championship's row
        {"M", "M", "110", "30", true, "", ""},             // no such class
        {"E", "V", "1'10", "1\"0", true, "", ""},          // quotes do not break the statement
    };
    for (const Fall& f : faelle) {
        QString kennziffer = "alt";
        const QString ergebnis = Reportutil::KennzZahlHolen(1, f.e, f.m, f.dis, f.kla, kennziffer, f.normal);
        const QString fall = QString("%1/%2 %3/%4 %5").arg(f.e, f.m, f.dis, f.kla).arg(f.normal);
        EXPECT_EQ(ergebnis, f.ergebnis) << fall.toStdString();
        EXPECT_EQ(kennziffer, f.kennziffer) << fall.toStdString();
    }
    QString k;
    EXPECT_EQ(Reportutil::KennzZahlHolen(2, "E", "V", "130", "10", k, true), "7.70");
}

} // namespace
