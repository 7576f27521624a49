// PDF from streams (read back with poppler), batch output and page painting.

#include "ReportTestUtil.h"

#include <QImage>
#include <QRegularExpression>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

QString writeStream(const QString& file, const std::function<void(TBaseReport&)>& body,
                    TOrientation o = poPortrait, TPaper p = paA4)
{
    TRvNDRWriter w;
    w.SetFileName(file);
    w.SetOrientation(o);
    w.SetPaper(p);
    w.SetTitle("Ergebnisliste");
    w.OnPrint = body;
    w.OnPrintFooter = [](TBaseReport& r) {
        r.GotoFooter();
        r.SetYPos(r.GetYPos() + 0.5);
        r.SetFont("Arial", 7);
        r.SetItalic(true);
        r.PrintRight("Seite " + QString::number(r.CurrentPage()), r.SectionRight());
        r.SetItalic(false);
    };
    EXPECT_TRUE(w.Execute());
    return w.FileName();
}

void results(TBaseReport& r)
{
    r.SetFont("Arial", 12);
    r.SetBold(true);
    r.Println("Ergebnisse Luftgewehr");
    r.SetBold(false);
    r.SetFont("Arial", 10);
    r.SetTab(NA, pjRight, 1.0, 3, 0, 0);
    r.SetTab(NA, pjLeft, 6.0, 3, BOXLINEBOTTOM, 0);
    r.SetTab(NA, pjRight, 2.0, 3, 0, 15);
    r.Println("\t1.\tMüller, Jörg\t391,0");
    r.Println("\t2.\tŞahin, Ayşe\t388,5");
    TRPBars2of5 bars(r);
    bars.SetText("4711");
    bars.SetBarWidth(0.05);
    bars.SetBarHeight(0.8);
    bars.PrintXY(r.SectionLeft(), r.GetYPos());
    r.NewPage();
    r.Println("Mannschaften");
}

} // namespace

TEST(Rprender, PdfReadsBackInOrderWithEmbeddedFonts)
{
    QTemporaryDir dir;
    const QString stream = writeStream(dir.filePath("e.ndr"), results);
    TRvRenderPDF pdf;
    pdf.OutputFileName = dir.filePath("e.pdf");
    ASSERT_TRUE(pdf.Render(stream)) << pdf.ErrorString().toStdString();

    const QString text = run("pdftotext", {"-layout", pdf.OutputFileName, "-"});
    QStringList words = text.simplified().split(' ');
    EXPECT_EQ(words, QStringList({"Ergebnisse", "Luftgewehr", "1.", "Müller,", "Jörg", "391,0", "2.", "Şahin,", "Ayşe",
                                  "388,5", "4711", "Seite", "1", "Mannschaften", "Seite", "2"}));
    // Texts stand where the layout put them: left column at tab 2 + margin,
    // results right-aligned at the end of tab 3 less its margin.
    const QVector<Word> boxes = pdfWords(pdf.OutputFileName);
    EXPECT_NEAR(pdfWord(boxes, "Müller,").xMin, (3.0 + 0.0762) * ptPerCm, 0.5);
    EXPECT_NEAR(pdfWord(boxes, "Şahin,").xMin, (3.0 + 0.0762) * ptPerCm, 0.5);
    EXPECT_NEAR(pdfWord(boxes, "391,0").xMax, (11.0 - 0.0762) * ptPerCm, 0.5);
    EXPECT_NEAR(pdfWord(boxes, "388,5").xMax, (11.0 - 0.0762) * ptPerCm, 0.5);

    const QString fonts = run("pdffonts", {pdf.OutputFileName});
    const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(rows.size(), 3) << fonts.toStdString(); // regular, bold and italic
    for (const QString& row : rows) {
        // name, type (two words), encoding, emb, sub, uni: subsets with a
        // tag before the face's name, each with its ToUnicode map.
        const QStringList cols = row.simplified().split(' ');
        EXPECT_TRUE(QRegularExpression("^[A-Z]{6}\\+LiberationSans").match(cols.value(0)).hasMatch()) << row.toStdString();
        EXPECT_EQ(cols.mid(4, 3), QStringList({"yes", "yes", "yes"})) << row.toStdString();
    }
    const QString info = run("pdfinfo", {pdf.OutputFileName});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n")));
    EXPECT_TRUE(info.contains("595 x 842 pts (A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Ergebnisliste")));

    // A stream that is no stream renders nothing.
    TRvRenderPDF bad;
    bad.OutputFileName = dir.filePath("bad.pdf");
    EXPECT_FALSE(bad.Render(dir.filePath("missing.ndr")));
    EXPECT_FALSE(QFile::exists(bad.OutputFileName));
}

TEST(Rprender, LandscapeAndA5PageSizes)
{
    QTemporaryDir dir;
    struct Case {
        TOrientation o;
        TPaper p;
        const char* size;
    };
    for (const Case& c : {Case{poLandscape, paA4, "842 x 595 pts (A4)"}, Case{poPortrait, paA5, "420 x 595 pts (A5)"},
                          Case{poLandscape, paA5, "595 x 420 pts (A5)"}}) {
        const QString stream = writeStream(dir.filePath("s.ndr"), [](TBaseReport& r) { r.Println("Karte"); }, c.o, c.p);
        QString error;
        TReportDocument doc;
        ASSERT_TRUE(ReadStream(stream, doc));
        ASSERT_TRUE(RenderPdf(doc, dir.filePath("s.pdf"), &error)) << error.toStdString();
        const QString info = run("pdfinfo", {dir.filePath("s.pdf")});
        EXPECT_TRUE(info.contains(c.size)) << info.toStdString();
        // The footer lands inside the page for every format.
        EXPECT_TRUE(run("pdftotext", {dir.filePath("s.pdf"), "-"}).contains("Seite 1"));
    }
}

TEST(Rprender, BatchOutputNumbersFilesPerPrint)
{
    EXPECT_EQ(NumberedFileName("/tmp/out.pdf", 1), "/tmp/out.pdf");
    EXPECT_EQ(NumberedFileName("/tmp/out.pdf", 2), "/tmp/out-2.pdf");
    EXPECT_EQ(NumberedFileName("/tmp/a.b/liste.v1.txt", 3), "/tmp/a.b/liste.v1-3.txt");
    EXPECT_EQ(NumberedFileName("dump", 2), "dump-2");

    QTemporaryDir dir;
    const QString s1 = writeStream(dir.filePath("1.ndr"), [](TBaseReport& r) { r.Println("erster Druck"); });
    const QString s2 = writeStream(dir.filePath("2.ndr"), [](TBaseReport& r) { r.Println("zweiter Druck"); });
    TBatchOutput out(dir.filePath("out.pdf"), dir.filePath("out.txt"));
    ASSERT_TRUE(out.Write(s1));
    ASSERT_TRUE(out.Write(s2));
    EXPECT_EQ(out.Count(), 2);
    EXPECT_EQ(out.Written(), QStringList({dir.filePath("out.pdf"), dir.filePath("out.txt"), dir.filePath("out-2.pdf"),
                                          dir.filePath("out-2.txt")}));
    EXPECT_TRUE(run("pdftotext", {dir.filePath("out-2.pdf"), "-"}).contains("zweiter Druck"));
    QFile dump(dir.filePath("out-2.txt"));
    ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(dump.readAll()), DumpStream(s2));

    TBatchOutput dumpOnly(QString(), dir.filePath("only.txt"));
    ASSERT_TRUE(dumpOnly.Write(s1));
    EXPECT_EQ(dumpOnly.Written(), QStringList({dir.filePath("only.txt")}));
    QString error;
    EXPECT_FALSE(dumpOnly.Write(dir.filePath("missing.ndr"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Rprender, PaintedPageShowsShadeFramesAndBars)
{
    TReportDocument doc;
    {
        TBaseReport r;
        r.BeginDocument();
        r.SetTab(2.0, pjLeft, 4.0, 0, BOXLINEALL, 50);
        r.Print("\t");
        TRPBars2of5 bars(r);
        bars.SetText("12");
        bars.SetBarWidth(0.1);
        bars.SetBarHeight(2.0);
        bars.SetPrintReadable(false);
        bars.PrintXY(10.0, 5.0);
        r.EndDocument();
        doc = r.TakeDocument();
    }
    const double ppc = 20; // 20 px per cm
    QImage img(int(21 * ppc), int(29.7 * ppc), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PaintPage(p, doc, 0, ppc);
    p.end();
    // Inside the 50 % box: mid grey; the box's top line: dark.
    const QRgb inside = img.pixel(int(4.0 * ppc), int(doc.Pages[0].Ops[0].Y1 * ppc + 4));
    EXPECT_NEAR(qGray(inside), 128, 3);
    // First module of the bar code is a bar, the second a space.
    EXPECT_LT(qGray(img.pixel(int(10.05 * ppc), int(6.0 * ppc))), 60);
    EXPECT_GT(qGray(img.pixel(int(10.15 * ppc), int(6.0 * ppc))), 200);
    // Outside everything: white.
    EXPECT_EQ(qGray(img.pixel(int(15 * ppc), int(20 * ppc))), 255);
}

TEST(Rprender, PdfShadingCoversWhatItCoveredWhenPaintedInTurn)
{
    // Tab 1 is plain, tab 2 shaded (drawn when the tab is entered). On the
    // first line tab 1's text runs far into tab 2, whose shading hides that
    // part; on the second it stays in tab 1. Tab 2's own text stands on its
    // shading on both.
    QTemporaryDir dir;
    const QString stream = writeStream(dir.filePath("s.ndr"), [](TBaseReport& r) {
        r.SetFont("Arial", 20);
        r.SetTab(2.0, pjLeft, 3.0, 0, 0, 0);
        r.SetTab(5.0, pjLeft, 6.0, 0, 0, 50);
        r.Println("\tWWWWWWWWWWWW\tIIII");
        r.Println("\tWW\tIIII");
    });
    TReportDocument doc;
    ASSERT_TRUE(ReadStream(stream, doc));
    ReportTest::notShrunk(doc, "WWWWWWWWWWWW", "WW");
    const auto& ops = doc.Pages[0].Ops;
    ASSERT_GE(ops.size(), 6);
    // Per line: tab 1's text, tab 2's box, tab 2's text.
    for (int i : {1, 4})
        ASSERT_EQ(ops[i].Kind, TOpKind::Box);
    const TStreamOp& box = ops[1];
    ASSERT_GT(ops[0].X1 + ops[0].X2, box.X1 + 2.5); // the run-on covers a good part of tab 2
    ASSERT_LT(ops[2].X1 + ops[2].X2, box.X1 + 1.0);
    ASSERT_LT(ops[3].X1 + ops[3].X2, box.X1 - 0.5);

    const QString pdf = dir.filePath("s.pdf");
    ASSERT_TRUE(RenderPdf(doc, pdf));
    const double dpi = 50, ppc = dpi / 2.54;
    run("pdftoppm", {"-r", QString::number(dpi), "-gray", "-f", "1", "-l", "1", pdf, dir.filePath("s")});
    const QImage page(dir.filePath("s-1.pgm"));
    ASSERT_FALSE(page.isNull());
    // Dark pixels in [x1, x2] across the upper half of the glyphs of the line.
    auto darkIn = [&](const TStreamOp& line, double x1, double x2) {
        int n = 0;
        for (int y = int((line.Y1 - 0.45) * ppc); y <= int((line.Y1 - 0.25) * ppc); ++y)
            for (int x = int(x1 * ppc); x <= int(x2 * ppc); ++x)
                n += qGray(page.pixel(x, y)) < 64 ? 1 : 0;
        return n;
    };
    for (int first : {0, 3}) {
        const TStreamOp& tab1 = ops[first];
        const TStreamOp& tab2 = ops[first + 2];
        EXPECT_GT(darkIn(tab1, tab1.X1, box.X1 - 0.2), 5) << first;        // tab 1's text
        EXPECT_GT(darkIn(tab2, tab2.X1, tab2.X1 + tab2.X2), 5) << first;  // tab 2's text on the shading
        EXPECT_EQ(darkIn(tab1, tab2.X1 + tab2.X2 + 0.3, box.X1 + 2.5), 0) << first; // shading only
    }
    EXPECT_NEAR(qGray(page.pixel(int((box.X1 + 5.5) * ppc), int((box.Y1 + box.Y2 / 2) * ppc))), 128, 3);
}
