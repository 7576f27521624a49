// Label sheets: geometry, flow across then down, sheet change, stop.

#include "ReportTestUtil.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// The 70 x 36 mm sheet, 3 across and 8 down: label sizes in centimetres,
// pitches in inches.
void sheet3x8(TLabelShell& s) { s.SetSheet(3, 8, 7.0, 3.6, unCM, 0.4, 0.3, 2.75, 1.398, unInch); }

} // namespace

TEST(Rplabel, ThreeByEightSheetFlowsAcrossThenDownAndOntoTheNextSheet)
{
    TLabelShell shell;
    sheet3x8(shell);
    int before = 0, after = 0, printedLabels = 0;
    QStringList sections;
    QStringList dump = dumpOf([&](TBaseReport& r) {
        const double keepLeft = r.SectionLeft();
        shell.OnReportBefore = [&](TBaseReport&) { ++before; };
        shell.OnLabelPrint = [&](TBaseReport& rep) {
            ++printedLabels;
            sections << QString::asprintf("%.3f-%.3f/%.3f-%.3f", rep.SectionLeft(), rep.SectionRight(),
                                          rep.SectionTop(), rep.SectionBottom());
            rep.Println(QString("Etikett %1").arg(printedLabels));
            rep.Println("zweite Zeile");
            return true;
        };
        shell.OnLabelAfter = [&](TBaseReport&) { return ++after < 26; }; // 26 labels
        shell.Execute(r);
        EXPECT_DOUBLE_EQ(r.SectionLeft(), keepLeft);
    });
    EXPECT_EQ(before, 1);
    EXPECT_EQ(printedLabels, 26);
    EXPECT_EQ(shell.LabelCount(), 26);
    // Spacings are label pitches in inches: 2.75 in = 6.985 cm across, 1.398 in = 3.551 cm down;
    // the 7.0 x 3.6 cm label is cut to them, and the third lane to the sheet less the printer's border.
    EXPECT_EQ(sections[0], "1.016-8.001/0.762-4.313");
    EXPECT_EQ(sections[4], "8.001-14.986/4.313-7.864");
    EXPECT_EQ(sections[23], "14.986-20.500/25.618-29.169");
    EXPECT_EQ(sections[24], sections[0]);

    QStringList firstLines;
    int page = 0;
    QMap<int, int> perPage;
    for (const QString& l : dump) {
        if (l.startsWith("P ")) {
            ++page;
            continue;
        }
        if (field(l, 8).startsWith("Etikett")) {
            ++perPage[page];
            firstLines << field(l, 8) + "@" + field(l, 2) + "," + field(l, 3);
        }
    }
    EXPECT_EQ(perPage.value(1), 24);
    EXPECT_EQ(perPage.value(2), 2);
    // First line of each label: its left edge, one ascent below its top.
    EXPECT_EQ(firstLines[0], "Etikett 1@1.016,1.082");
    EXPECT_EQ(firstLines[1], "Etikett 2@8.001,1.082");
    EXPECT_EQ(firstLines[3], "Etikett 4@1.016,4.633");
    EXPECT_EQ(firstLines[24], "Etikett 25@1.016,1.082");
    EXPECT_EQ(linesStarting(dump, "P ").size(), 2);
}

TEST(Rplabel, LabelPrintCanStopAndCentimetreUnits)
{
    TLabelShell shell;
    shell.SetSheet(2, 2, 9.0, 12.0, unCM, 1.0, 1.5, 10.0, 14.0, unCM);
    EXPECT_EQ(shell.LabelRect(1, 1), QRectF(11.0, 15.5, 9.0, 12.0));
    int calls = 0, afterCalls = 0;
    shell.OnLabelPrint = [&](TBaseReport& r) {
        r.Print("Karte");
        return ++calls < 3; // the third label is the last
    };
    shell.OnLabelAfter = [&](TBaseReport&) {
        ++afterCalls;
        return true;
    };
    QStringList dump = dumpOf([&](TBaseReport& r) { shell.Execute(r); });
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(afterCalls, 3);
    EXPECT_EQ(linesStarting(dump, "T\t").size(), 3);
    EXPECT_EQ(linesStarting(dump, "P ").size(), 1);

    // Without a label event nothing is printed.
    TLabelShell empty;
    sheet3x8(empty);
    QStringList none = dumpOf([&](TBaseReport& r) { empty.Execute(r); });
    EXPECT_EQ(empty.LabelCount(), 0);
    EXPECT_EQ(none, QStringList({"P 1"}));
}

TEST(Rplabel, EachValueInItsOwnUnitAndEveryLabelInsideItsCellAndTheSheet)
{
    const QSizeF a4(21.0, 29.7);
    TLabelShell shell;
    // Label sizes in inches, pitches in centimetres: each value is read in its own unit.
    shell.SetSheet(2, 2, 1.8, 1.0, unInch, 1.0, 2.0, 5.0, 2.0, unCM);
    EXPECT_EQ(shell.CellRect(1, 1), QRectF(6.0, 4.0, 5.0, 2.0));
    const QRectF l = shell.LabelRect(1, 1, a4);
    EXPECT_DOUBLE_EQ(l.width(), 1.8 * 2.54);
    EXPECT_DOUBLE_EQ(l.height(), 2.0); // 2.54 cm cut to the 2.0 cm pitch
    shell.SetUnits(unCM);
    EXPECT_EQ(shell.LabelRect(0, 0, a4), QRectF(1.0, 2.0, 1.8, 1.0));

    // A sheet whose last lane runs past the paper: the label ends at the
    // paper's edge, its print area at the printer's border; a label wholly
    // outside has nothing to print on.
    shell.SetSheet(3, 2, 7.0, 3.6, unCM, 0.4, 0.0, 2.75, 1.398, unInch);
    EXPECT_DOUBLE_EQ(shell.LabelRect(2, 0, a4).right(), 21.0);
    EXPECT_EQ(shell.PrintRect(2, 0, a4), QRectF(14.986, 0.5, 20.5 - 14.986, 1.398 * 2.54 - 0.5));
    shell.SpacingLeft.Value = 8;
    EXPECT_TRUE(shell.PrintRect(2, 0, a4).isEmpty());
}
