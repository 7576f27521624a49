// The layout check: what it reports on drawn pages, and what it leaves alone.

#include "platform/report/Rpbase.h"
#include "platform/report/Rplayout.h"
#include "tests/platform/report/ReportTestUtil.h"

#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

using namespace Report;

namespace {

// A page drawn by body on an A4 surface (sections 2.0 to 19.5 across).
TReportDocument drawn(const std::function<void(TBaseReport&)>& body)
{
    TBaseReport r;
    r.BeginDocument();
    r.SetFont("Arial", 10);
    body(r);
    r.EndDocument();
    return r.TakeDocument();
}

QStringList kinds(const QVector<TLayoutFinding>& f)
{
    QStringList l;
    for (const TLayoutFinding& x : f)
        l << QString::number(int(x.Kind)) + ":" + x.Text;
    return l;
}

TEST(LayoutCheck, TablesThatFitHaveNoFinding)
{
    // Rows of tabs with shading on every other line, a rule under a heading,
    // and text centred in the section: a clean list.
    const auto doc = drawn([](TBaseReport& r) {
        r.PrintCenter("Überschrift der Liste", 10.75);
        r.NewLine();
        r.SetPen(Qt::black, Qt::SolidLine, -1);
        r.SetYPos(r.GetYPos() + 0.2); // the rule the page header draws
        r.MoveTo(r.SectionLeft(), r.GetYPos());
        r.LineTo(r.SectionRight(), r.GetYPos());
        r.NewLine();
        r.SetTab(NA, pjRight, 1.0, 3, BOXLINENONE, 0);
        r.SetTab(NA, pjLeft, 8.0, 3, BOXLINENONE, 0);
        r.SetTab(NA, pjRight, 2.0, 3, BOXLINEALL, 0);
        for (int i = 1; i <= 30; ++i) {
            r.SetTabShade(i % 2 ? 10 : 0);
            r.Print("\t" + QString::number(i) + ".\tSchützengesellschaft Edelweiß\t389,5");
            r.NewLine();
        }
    });
    EXPECT_TRUE(CheckLayout(doc).isEmpty()) << LayoutReport(CheckLayout(doc)).toStdString();
}

TEST(LayoutCheck, FindsTextsBeyondTheSheetThePrintableAreaAndTheirCell)
{
    auto doc = drawn([](TBaseReport& r) {
        r.PrintLeft("483,5 100,5 10,4", 18.2);     // ends past 20.5
        r.NewLine();
        r.PrintRight("links hinaus", 0.8);          // starts left of the sheet
        r.NewLine();
        r.SetTab(2.0, pjRight, 1.5, 3, BOXLINENONE, 0);
        r.SetTab(NA, pjLeft, 3.0, 3, BOXLINENONE, 0);
        r.SetFont("Arial", 12);
        r.SetBold(true);
        r.Print("\t1.10.10M\tLuftgewehr");          // the code is wider than 1.5 cm
        r.NewLine();
    });
    ReportTest::notShrunk(doc, "1.10.10M", "Luftgewehr");
    const auto f = CheckLayout(doc);
    ASSERT_EQ(f.size(), 3) << LayoutReport(f).toStdString();
    EXPECT_EQ(f[0].Kind, TLayoutFinding::AusserhalbDruckbereich);
    EXPECT_EQ(f[0].Text, "483,5 100,5 10,4");
    EXPECT_TRUE(f[0].ToString().contains("rechts 20,50 cm")) << f[0].ToString().toStdString();
    EXPECT_EQ(f[1].Kind, TLayoutFinding::AusserhalbBlatt);
    EXPECT_EQ(f[2].Kind, TLayoutFinding::ZelleUeberschritten);
    EXPECT_EQ(f[2].Text, "1.10.10M");
    EXPECT_EQ(f[2].Page, 1);
    EXPECT_TRUE(f[2].ToString().startsWith("Seite 1, x 1,")) << f[2].ToString().toStdString();
}

TEST(LayoutCheck, FindsTextsPaintedOverStruckThroughOrOnEachOther)
{
    auto doc = drawn([](TBaseReport& r) {
        // A text overflowing into the next cell, whose shade is drawn after it.
        r.SetTab(NA, pjLeft, 1.0, 3, BOXLINENONE, 0);
        r.SetTab(NA, pjLeft, 3.0, 3, BOXLINENONE, 20);
        r.Print("\tKpFSG Oberdorf\tdaneben");
        r.NewLine();
        r.ClearTabs();
        // A title printed on the rule of the page header.
        const double y = r.GetYPos();
        r.SetPen(Qt::black, Qt::SolidLine, -1);
        r.MoveTo(r.SectionLeft(), y - 0.1);
        r.LineTo(r.SectionRight(), y - 0.1);
        r.PrintCenter("Protokoll", 10.75);
        r.NewLine();
        // Two texts at the same place.
        r.PrintLeft("Verband", 2.0);
        r.PrintLeft("Veranstalter", 2.3);
        r.NewLine();
    });
    ReportTest::notShrunk(doc, "KpFSG Oberdorf", "daneben");
    const QStringList k = kinds(CheckLayout(doc));
    EXPECT_TRUE(k.contains("2:KpFSG Oberdorf")) << k.join(" | ").toStdString();   // wider than its cell
    EXPECT_TRUE(k.contains("3:KpFSG Oberdorf")) << k.join(" | ").toStdString();   // painted over
    EXPECT_TRUE(k.contains("4:Protokoll")) << k.join(" | ").toStdString();        // struck through
    EXPECT_TRUE(k.contains("5:Veranstalter")) << k.join(" | ").toStdString();     // on another text
    EXPECT_FALSE(k.contains("3:daneben"));
}

TEST(LayoutCheck, LinesBelowOrAboveATextAndShadingBeforeItAreNoFinding)
{
    const auto doc = drawn([](TBaseReport& r) {
        r.SetTab(NA, pjLeft, 5.0, 3, BOXLINEALL, 15); // shade drawn before its text
        r.Print("\tUnterschrift");
        r.NewLine();
        const double y = r.GetYPos();
        r.SetPen(Qt::black, Qt::SolidLine, -1);
        r.MoveTo(2.0, y + 0.1);                         // a signature line under the text
        r.LineTo(8.0, y + 0.1);
        r.ClearTabs();
        r.PrintLeft("Ort, Datum", 2.0);
        r.NewLine();
        r.SetFont("Arial", 7);                          // a smaller line right below
        r.PrintLeft("Kleingedrucktes", 2.0);
    });
    EXPECT_TRUE(CheckLayout(doc).isEmpty()) << LayoutReport(CheckLayout(doc)).toStdString();
}

TEST(LayoutCheck, BoxesAndPicturesOutsideThePrintableAreaAreFound)
{
    const auto doc = drawn([](TBaseReport& r) {
        r.SetTab(2.0, pjLeft, 18.0, 3, BOXLINENONE, 10); // shading to 20.0, inside
        r.Print("\tZeile");
        r.NewLine();
        r.SetTab(NA, pjLeft, 1.0, 3, BOXLINENONE, 10);   // continues to 21.0, off the printable area
        r.Print("\tx\t");
        r.NewLine();
        r.PrintBitmapRect(-0.5, 25.0, 3.0, 27.0, "bild.png");
    });
    const auto f = CheckLayout(doc);
    ASSERT_EQ(f.size(), 2) << LayoutReport(f).toStdString();
    EXPECT_EQ(f[0].Kind, TLayoutFinding::AusserhalbDruckbereich);
    EXPECT_TRUE(f[0].Detail.startsWith("Rahmen ragt")) << f[0].Detail.toStdString();
    EXPECT_EQ(f[1].Kind, TLayoutFinding::AusserhalbBlatt);
    EXPECT_TRUE(f[1].Detail.startsWith("Bild ragt")) << f[1].Detail.toStdString();
}

} // namespace
