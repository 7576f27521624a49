// The drawing surface: tabs, justification, boxes, lines and pages, bands,
// fonts and word wrap, asserted through the dump.

#include "ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// Tab 1 right at the left section, tab 2 left with a frame, tab 3 centred,
// tab 4 right with left and bottom border and 20 % shade; margins 3 and 5.
void fourTabs(TBaseReport& r)
{
    r.ClearTabs();
    r.SetTab(r.SectionLeft(), pjRight, 1.1, 3, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 12.0, 3, BOXLINEALL, 0);
    r.SetTab(NA, pjCenter, 1.5, 5, BOXLINENONE, 0);
    r.SetTab(NA, pjRight, 2.0, 5, BOXLINELEFT | BOXLINEBOTTOM, 20);
}

} // namespace

TEST(Rpbase, TabsChainJustifyAndDrawTheirBoxes)
{
    QStringList dump = dumpOf([](TBaseReport& r) {
        fourTabs(r);
        // NA continues after the previous tab; margins are kept in inches.
        EXPECT_DOUBLE_EQ(r.GetTab(2)->Pos, 3.1);
        EXPECT_DOUBLE_EQ(r.GetTab(3)->Pos, 15.1);
        EXPECT_DOUBLE_EQ(r.GetTab(4)->Pos, 16.6);
        EXPECT_DOUBLE_EQ(r.GetTab(1)->Margin, 0.03);
        EXPECT_EQ(r.TabCount(), 4);
        EXPECT_EQ(r.GetTab(5), nullptr);
        EXPECT_EQ(r.GetTab(0), nullptr); // not in a tab yet
        r.Print("\t7\tÄrger & Söhne\tMitte\tRechts");
        EXPECT_EQ(r.GetTab(0), r.GetTab(4));
        r.NewLine();
        EXPECT_EQ(r.GetTab(0), nullptr);
    });
    const QStringList expected = {
        "P 1",
        // right: tab end minus the margin 0.03 in
        "T\t1\t3.024\t1.570\tR\tArial\t10\t\t7",
        "B\t1\t3.100\t1.238\t12.000\t0.406\t0\tLTRB",
        "T\t1\t3.176\t1.570\tL\tArial\t10\t\tÄrger & Söhne",
        "T\t1\t15.850\t1.570\tC\tArial\t10\t\tMitte",
        "B\t1\t16.600\t1.238\t2.000\t0.406\t20\tLB",
        "T\t1\t18.473\t1.570\tR\tArial\t10\t\tRechts",
    };
    EXPECT_EQ(dump, expected);
}

TEST(Rpbase, ATextWiderThanItsCellIsPrintedSmallerAndWhole)
{
    const QString riesig(2000, QChar(u'W'));
    TBaseReport r;
    r.BeginDocument();
    r.SetFont("Arial", 10);
    r.SetTab(2.0, pjRight, 1.0, 3, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 3.0, 3, BOXLINENONE, 0);
    r.SetTab(NA, pjCenter, 1.5, 3, BOXLINENONE, 0);
    r.Print("\t1.10.10M\tKpFSG Oberdorf-Unterdorf 1921 e.V.\tpasst");
    r.NewLine();
    EXPECT_DOUBLE_EQ(r.GetFontSize(), 10); // the font is the line's again
    r.Print("\t7\t" + riesig + "\tMitte über alles");
    r.NewLine();
    r.EndDocument();
    const TReportDocument doc = r.TakeDocument();

    QMap<QString, const TStreamOp*> texte;
    for (const TStreamOp& op : doc.Pages[0].Ops)
        if (op.Kind == TOpKind::Text)
            texte[op.Text] = &op;
    // Nothing is cut off: every text is printed whole.
    ASSERT_EQ(texte.keys(), QStringList({"1.10.10M", "7", "KpFSG Oberdorf-Unterdorf 1921 e.V.", "Mitte über alles", riesig,
                                          "passt"}));
    auto groesse = [&](const QString& t) { return doc.Fonts[texte[t]->Font].Size; };
    EXPECT_DOUBLE_EQ(groesse("7"), 10);
    EXPECT_DOUBLE_EQ(groesse("passt"), 10);
    for (const QString t : {"1.10.10M", "KpFSG Oberdorf-Unterdorf 1921 e.V.", "Mitte über alles"}) {
        EXPECT_LT(groesse(t), 10) << t.toStdString();
        EXPECT_GT(groesse(t), 4) << t.toStdString(); // no smaller than it needs to be
    }
    EXPECT_EQ(texte["1.10.10M"]->Align, 'R');
    EXPECT_EQ(texte["Mitte über alles"]->Align, 'C');
    // Small as it gets; what still does not fit is the layout check's to find.
    EXPECT_DOUBLE_EQ(groesse(riesig), 0.25);
    QStringList befunde;
    for (const TLayoutFinding& f : CheckLayout(doc))
        befunde << f.Text.left(10);
    EXPECT_EQ(befunde, QStringList({riesig.left(10)}));
}

TEST(Rpbase, TabShadeAndBorderOverrides)
{
    QStringList dump = dumpOf([](TBaseReport& r) {
        fourTabs(r);
        r.SetTabShade(10); // every tab entered gets 10 % unless overridden
        r.Print("\ta");
        r.Tab(0, 0, 0, 0, 0); // tab 2 without its frame and shade
        r.Print("b");
        r.Tab(NA, NA, 1, NA, NA); // tab 3: top line added, shade from SetTabShade
        r.NewLine();
        r.SetTabShade(0);
        r.Print("\tc\td"); // no shade: tab 2 framed, unshaded
        r.NewLine();
        r.GetTab(1)->Shade = 30;
        r.Print("\te");     // 0 still means no shade, whatever the tab's own
        r.NewLine();
        r.SetTabShade(NA);
        r.Print("\tf");     // the tab's own shade again
    });
    const QStringList boxes = linesStarting(dump, "B\t");
    ASSERT_EQ(boxes.size(), 4);
    EXPECT_EQ(field(boxes[0], 2), "2.000"); // tab 1
    EXPECT_EQ(field(boxes[0], 6), "10");
    EXPECT_EQ(field(boxes[0], 7), "");
    EXPECT_EQ(field(boxes[1], 2), "15.100"); // tab 3
    EXPECT_EQ(field(boxes[1], 6), "10");
    EXPECT_EQ(field(boxes[1], 7), "T");
    EXPECT_EQ(field(boxes[2], 2), "3.100"); // second line, tab 2
    EXPECT_EQ(field(boxes[2], 6), "0");
    EXPECT_EQ(field(boxes[2], 7), "LTRB");
    // Third line: tab 1's own 30 % is not drawn. Fourth line: it is.
    EXPECT_EQ(field(boxes[3], 2), "2.000");
    EXPECT_EQ(field(boxes[3], 6), "30");
}

TEST(Rpbase, PushAndPopTabs)
{
    QStringList dump = dumpOf([](TBaseReport& r) {
        r.ClearTabs();
        r.SetTab(5.0, pjLeft, 3.0, 0, 0, 0);
        r.SetTab(NA, pjRight, 4.0, 0, 0, 0);
        r.PushTabs();
        r.ClearTabs();
        r.SetTab(2.0, pjCenter, 2.0, 0, 0, 0);
        r.Println("\tinnen");
        r.PopTabs();
        EXPECT_EQ(r.TabCount(), 2);
        r.Println("\tlinks\trechts");
        r.PopTabs(); // nothing pushed: no change
        EXPECT_EQ(r.TabCount(), 2);
    });
    const QStringList texts = linesStarting(dump, "T\t");
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(field(texts[0], 2) + field(texts[0], 4) + field(texts[0], 8), "3.000Cinnen");
    EXPECT_EQ(field(texts[1], 2) + field(texts[1], 4) + field(texts[1], 8), "5.000Llinks");
    EXPECT_EQ(field(texts[2], 2) + field(texts[2], 4) + field(texts[2], 8), "12.000Rrechts");
}

TEST(Rpbase, LinesLeftAndPageBreaksWithBandsOnEveryPage)
{
    int printed = 0;
    QStringList dump = dumpOf(
        [&](TBaseReport& r) {
            EXPECT_DOUBLE_EQ(r.GetPageHeight(), 29.7);
            for (int i = 1; i <= 100; ++i) {
                if (r.LinesLeft() <= 0)
                    r.NewPage();
                r.Println(QString("Zeile %1").arg(i));
                ++printed;
            }
        },
        [](TRvNDRWriter& w) {
            w.OnPrintHeader = [](TBaseReport& r) {
                r.GotoHeader();
                EXPECT_DOUBLE_EQ(r.GetYPos(), r.SectionTop());
                r.SetYPos(r.GetYPos() + 0.3);
                r.PrintLeft("Kopf", r.SectionLeft());
                r.SetYPos(r.GetYPos() + 0.2);
            };
            w.OnPrintFooter = [](TBaseReport& r) {
                r.GotoFooter();
                EXPECT_DOUBLE_EQ(r.GetYPos(), r.SectionBottom());
                r.SetYPos(r.GetYPos() + 0.5);
                r.PrintRight("Seite " + QString::number(r.CurrentPage()), r.SectionRight());
            };
        });
    ASSERT_EQ(printed, 100);
    // Page 1 starts below the header: 1.25 + 0.3 + 0.2 = 1.75 is the first
    // baseline; (27.7 - 1.75) / 0.4065 holds 63 whole lines; the 64th line
    // goes to page 2.
    const QStringList pages = linesStarting(dump, "P ");
    EXPECT_EQ(pages, QStringList({"P 1", "P 2"}));
    int page = 0;
    QStringList order;
    double lastY = 0;
    for (const QString& l : dump) {
        if (l.startsWith("P ")) {
            ++page;
            continue;
        }
        const QString text = field(l, 8);
        if (text == "Kopf" || text.startsWith("Seite"))
            order << QString("%1:%2").arg(page).arg(text);
        else if (text == "Zeile 63")
            lastY = field(l, 3).toDouble();
        else if (text == "Zeile 64")
            order << QString("%1:%2").arg(page).arg(text);
    }
    EXPECT_EQ(order, QStringList({"1:Kopf", "1:Seite 1", "2:Kopf", "2:Zeile 64", "2:Seite 2"}));
    EXPECT_LE(lastY, 27.7);
    EXPECT_GT(lastY + 0.4065, 27.7 - 0.4065);
}

TEST(Rpbase, LineHeightFollowsFontOrLinesPerInch)
{
    dumpOf([](TBaseReport& r) {
        r.SetFont("Arial", 10);
        const double lh10 = r.LineHeight();
        EXPECT_NEAR(lh10, 0.4065, 0.0005); // Liberation Sans: 1.149 em
        r.SetFontSize(20);
        const double lh20 = r.LineHeight();
        EXPECT_NEAR(lh20 / lh10, 2.0, 0.01); // metrics of each size, not scaled copies
        const double y = r.GetYPos();
        r.NewLine();
        EXPECT_DOUBLE_EQ(r.GetYPos() - y, lh20);
        r.SetLinesPerInch(6);
        EXPECT_NEAR(r.LineHeight(), 2.54 / 6, 1e-9);
        const int left = r.LinesLeft();
        r.NewLine();
        EXPECT_EQ(r.LinesLeft(), left - 1);
        EXPECT_EQ(r.LineNum(), 3);
        // No automatic page break: the cursor runs past the bottom.
        for (int i = 0; i < 80; ++i)
            r.Println("x");
        EXPECT_EQ(r.LinesLeft(), 0);
        EXPECT_EQ(r.CurrentPage(), 1);
        EXPECT_GT(r.GetYPos(), r.SectionBottom());
    });
}

TEST(Rpbase, PrintVariantsFontsAndLines)
{
    QStringList dump = dumpOf([](TBaseReport& r) {
        const double centre = r.SectionLeft() + (r.SectionRight() - r.SectionLeft()) / 2;
        r.SetFont("Arial", 15);
        r.SetBold(true);
        r.PrintCenter("Titel", centre);
        r.PushFont();
        r.SetFont("Times New Roman", 7);
        r.SetBold(false);
        r.SetItalic(true);
        r.SetUnderline(true);
        r.PrintRight("klein", r.SectionRight());
        r.PopFont();
        EXPECT_EQ(r.FontName(), "Arial");
        EXPECT_TRUE(r.GetBold());
        EXPECT_FALSE(r.GetItalic());
        r.PrintXY(4.0, 10.0, "xy");
        EXPECT_DOUBLE_EQ(r.GetYPos(), 10.0);
        EXPECT_NEAR(r.GetXPos(), 4.0 + r.TextWidth("xy"), 1e-9);
        r.Print("weiter");
        r.SetPen(Qt::black, Qt::SolidLine, -1);
        r.MoveTo(r.SectionLeft(), 11.0);
        r.LineTo(r.SectionRight(), 11.0);
        r.SetPen(Qt::black, Qt::SolidLine, 2);
        r.Rectangle(3.0, 12.0, 5.0, 13.5);
    });
    const QStringList expected = {
        "P 1",
        // the page began in the default Arial 10: first baseline 1.25 + its ascent
        "T\t1\t10.750\t1.570\tC\tArial\t15\tB\tTitel",
        "T\t1\t19.500\t1.570\tR\tTimes New Roman\t7\tIU\tklein",
        "T\t1\t4.000\t10.000\tL\tArial\t15\tB\txy",
        "T\t1\t4.589\t10.000\tL\tArial\t15\tB\tweiter",
        "L\t1\t2.000\t11.000\t19.500\t11.000\t-1",
        "B\t1\t3.000\t12.000\t2.000\t1.500\t0\tLTRB",
    };
    EXPECT_EQ(dump, expected);
}

TEST(Rpbase, EveryFontChangeReachesTheNextMeasureAndText)
{
    // What a surface set to the font from the start measures.
    auto widthIn = [](const std::function<void(TBaseReport&)>& font) {
        TBaseReport fresh;
        font(fresh);
        return fresh.TextWidth("Wettkampf 2024");
    };
    const QStringList dump = dumpOf([&](TBaseReport& r) {
        const std::vector<std::pair<QString, std::function<void(TBaseReport&)>>> changes = {
            {"Arial 10 B", [](TBaseReport& s) { s.SetBold(true); }},
            {"Arial 14 B", [](TBaseReport& s) { s.SetFontSize(14); }},
            {"Times New Roman 14 B", [](TBaseReport& s) { s.SetFontName("Times New Roman"); }},
            {"Times New Roman 14 BI", [](TBaseReport& s) { s.SetItalic(true); }},
            {"Times New Roman 14 BIU", [](TBaseReport& s) { s.SetUnderline(true); }},
            {"Courier New 9 BIU", [](TBaseReport& s) { s.SetFont("Courier New", 9); }},
        };
        std::vector<std::function<void(TBaseReport&)>> sofar;
        r.PushFont(); // Arial 10
        for (const auto& [name, change] : changes) {
            r.TextWidth("Wettkampf 2024"); // measured in the font before the change
            change(r);
            sofar.push_back(change);
            const double expected = widthIn([&](TBaseReport& s) {
                for (const auto& c : sofar)
                    c(s);
            });
            EXPECT_DOUBLE_EQ(r.TextWidth("Wettkampf 2024"), expected) << name.toStdString();
            EXPECT_NEAR(r.LineHeight(), TBaseReport().LineHeight() * r.GetFontSize() / 10, 0.05 * r.GetFontSize() / 10)
                << name.toStdString();
            r.Println("Wettkampf 2024");
        }
        r.PopFont();
        EXPECT_DOUBLE_EQ(r.TextWidth("Wettkampf 2024"), widthIn([](TBaseReport&) {}));
        r.Println("Wettkampf 2024");
    });
    QStringList fonts;
    for (const QString& line : linesStarting(dump, "T\t"))
        fonts << (field(line, 5) + " " + field(line, 6) + " " + field(line, 7)).trimmed();
    EXPECT_EQ(fonts, QStringList({"Arial 10 B", "Arial 14 B", "Times New Roman 14 B", "Times New Roman 14 BI",
                                  "Times New Roman 14 BIU", "Courier New 9 BIU", "Arial 10"}));
}

TEST(Rpbase, ATextChangedInPlaceIsMeasuredAgain)
{
    // Widths are remembered per text; a string edited after it was measured
    // is another text, whether the edit keeps its length or not.
    TBaseReport r;
    QString text = "iiiiii";
    const double schmal = r.TextWidth(text);
    text.fill(QChar(u'W'));
    const double breit = r.TextWidth(text);
    EXPECT_GT(breit, 3 * schmal);
    text.truncate(3);
    EXPECT_NEAR(r.TextWidth(text), breit / 2, 1e-6);
    text.clear();
    EXPECT_EQ(r.TextWidth(text), 0.0);
    EXPECT_DOUBLE_EQ(r.TextWidth("iiiiii"), schmal);
    EXPECT_DOUBLE_EQ(r.TextWidth("WWWWWW"), breit);
}

TEST(Rpbase, MemoWrapsAClubNameIntoTheLinesItsWidthAllows)
{
    const QString name = "Schützengesellschaft Hubertus Niederwürzbach-Oberentersbach 1872 e.V.";
    dumpOf([&](TBaseReport& r) {
        r.SetFont("Arial", 9);
        TMemoBuf buf;
        buf.SetText(name);
        buf.SetPrintStart(8.0);
        buf.SetPrintEnd(12.0); // 4 cm
        const int n = r.MemoLines(buf);
        EXPECT_EQ(n, 3);
        QStringList lines;
        bool eol = false;
        while (!buf.Empty()) {
            const QString line = r.GetMemoLine(buf, eol);
            EXPECT_LE(r.TextWidth(line), 4.0) << line.toStdString();
            lines << line;
        }
        EXPECT_TRUE(eol);
        EXPECT_EQ(lines, QStringList({"Schützengesellschaft", "Hubertus Niederwürzbach-", "Oberentersbach 1872 e.V."}));
        EXPECT_EQ(r.MemoLines(buf), 0);

        // Wider: fewer lines. Paragraph breaks end lines with eol set.
        buf.SetText(name + "\r\nAbteilung Bogen");
        buf.SetPrintStart(2.0);
        buf.SetPrintEnd(19.0);
        EXPECT_EQ(r.MemoLines(buf), 2);
        EXPECT_EQ(r.GetMemoLine(buf, eol), name);
        EXPECT_TRUE(eol);
        buf.Reset();
        // A word wider than the line is broken between characters.
        buf.SetText("Donaudampfschifffahrtsgesellschaft");
        buf.SetPrintEnd(buf.PrintStart() + 1.5);
        QString joined;
        while (!buf.Empty()) {
            const QString part = r.GetMemoLine(buf, eol);
            EXPECT_FALSE(part.isEmpty());
            EXPECT_LE(r.TextWidth(part), 1.5);
            joined += part;
        }
        EXPECT_EQ(joined, "Donaudampfschifffahrtsgesellschaft");
    });
}

TEST(Rpbase, PageFormats)
{
    struct Case {
        TPaper paper;
        TOrientation orientation;
        double w, h;
    };
    for (const Case& c : {Case{paA4, poPortrait, 21.0, 29.7}, Case{paA4, poLandscape, 29.7, 21.0},
                          Case{paA5, poPortrait, 14.8, 21.0}, Case{paA5, poLandscape, 21.0, 14.8}}) {
        TPageSetup s;
        s.Paper = c.paper;
        s.Orientation = c.orientation;
        s.MarginRight = 1.0;
        s.MarginBottom = 1.5;
        TBaseReport r(s);
        EXPECT_DOUBLE_EQ(r.GetPageWidth(), c.w);
        EXPECT_DOUBLE_EQ(r.GetPageHeight(), c.h);
        EXPECT_DOUBLE_EQ(r.SectionRight(), c.w - 1.0);
        EXPECT_DOUBLE_EQ(r.SectionBottom(), c.h - 1.5);
    }
}

TEST(Rpbase, AbortWritesNothing)
{
    TRvNDRWriter w;
    bool after = false;
    w.OnPrint = [](TBaseReport& r) {
        r.Println("vorher");
        r.Abort();
        r.Println("nachher");
    };
    w.OnAfterPrint = [&](TBaseReport& r) { after = r.Aborted(); };
    EXPECT_FALSE(w.Execute());
    EXPECT_TRUE(after);
    EXPECT_TRUE(w.FileName().isEmpty());
}
