// Label sheets: geometry, flow across then down, sheet change, stop.

#include "ReportTestUtil.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// The 70 x 36 mm sheet, 3 across and 8 down, as the designs give it.
void sheet3x8(TLabelShell& s)
{
    s.NumAcross = 3;
    s.NumDown = 8;
    s.LabelWidth = 7.0;
    s.LabelHeight = 3.6;
    s.SpacingLeft = 0.4;
    s.SpacingTop = 0.3;
    s.SpacingWidth = 2.75;
    s.SpacingHeight = 1.398;
}

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
    // Spacings are label pitches in inches: 2.75 in = 6.985 cm across, 1.398 in = 3.551 cm down.
    EXPECT_EQ(sections[0], "1.016-8.001/0.762-4.313");
    EXPECT_EQ(sections[4], "8.001-14.986/4.313-7.864");
    EXPECT_EQ(sections[23], "14.986-21.971/25.618-29.169");
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
    shell.Units = unCM;
    shell.NumAcross = 2;
    shell.NumDown = 2;
    shell.LabelWidth = 9.0;
    shell.LabelHeight = 12.0;
    shell.SpacingLeft = 1.0;
    shell.SpacingTop = 1.5;
    shell.SpacingWidth = 10.0;
    shell.SpacingHeight = 14.0;
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
