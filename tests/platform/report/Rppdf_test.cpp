// The PDF writer, read back with poppler: text and where it stands, the
// embedded fonts, images and bar codes, and what is left on disk when a
// file cannot be completed.

#include "ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <future>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Report;
using namespace ReportTest;

namespace {

TReportDocument draw(const std::function<void(TBaseReport&)>& body)
{
    TBaseReport r;
    r.BeginDocument();
    body(r);
    r.EndDocument();
    return r.TakeDocument();
}

// A program's standard error (poppler reports damaged files there).
QString errorsOf(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardError());
}

// Grey level (0 black .. 255 white) of the page rendered at dpi, at a
// point given in cm.
struct Raster {
    QImage page;
    double ppc;
    int grey(double xCm, double yCm) const { return qGray(page.pixel(int(xCm * ppc), int(yCm * ppc))); }
};
Raster rasterOf(const QString& pdf, const QString& stem, double dpi = 100)
{
    run("pdftoppm", {"-r", QString::number(dpi), "-gray", "-f", "1", "-l", "1", pdf, stem});
    return {QImage(stem + "-1.pgm"), dpi / 2.54};
}

} // namespace

TEST(Rppdf, TextsReadBackWithUmlautsWhereTheLayoutPutThem)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("t.pdf");
    const TReportDocument doc = draw([](TBaseReport& r) {
        r.SetFont("Arial", 10);
        r.PrintLeft("Müller, Jörg", 2.0);
        r.PrintRight("Größe", 12.0);
        r.PrintCenter("Straße", 8.0);
        r.NewLine();
        // Pairs the face kerns: the text still ends on its anchor.
        r.SetFont("Arial", 14);
        r.SetBold(true);
        r.PrintRight("AVATAR", 12.0);
        r.SetItalic(true);
        r.PrintLeft("Tell Weßling", 2.0);
        r.NewLine();
        r.SetFont("Arial", 9.5);
        r.SetBold(false);
        r.SetItalic(false);
        r.PrintLeft("Şahin, Ayşe", 2.0);
        r.NewLine();
        // A character Liberation Sans lacks: set from the face the text
        // layout falls back to, and still extracted as itself.
        r.PrintLeft("Haken ✓ gesetzt", 2.0);
    });
    ASSERT_TRUE(RenderPdf(doc, pdf));

    EXPECT_EQ(run("pdftotext", {"-layout", pdf, "-"}).simplified().toStdString(),
              "Müller, Jörg Straße Größe Tell Weßling AVATAR Şahin, Ayşe Haken ✓ gesetzt"); // line by line
    const QVector<Word> words = pdfWords(pdf);
    auto word = [&](const QString& text) {
        const Word w = pdfWord(words, text);
        EXPECT_FALSE(w.text.isEmpty()) << text.toStdString();
        return w;
    };
    const QVector<TStreamOp>& ops = doc.Pages[0].Ops;
    EXPECT_NEAR(word("Müller,").xMin, 2.0 * ptPerCm, 0.3);
    EXPECT_NEAR(word("Größe").xMax, 12.0 * ptPerCm, 0.3);
    const Word strasse = word("Straße");
    EXPECT_NEAR((strasse.xMin + strasse.xMax) / 2, 8.0 * ptPerCm, 0.3);
    EXPECT_NEAR(word("AVATAR").xMax, 12.0 * ptPerCm, 0.3);
    // Width as the layout measured it, kerned pairs included.
    EXPECT_NEAR(word("AVATAR").xMax - word("AVATAR").xMin, ops[3].X2 * ptPerCm, 0.3);
    EXPECT_NEAR(word("Şahin,").xMin, 2.0 * ptPerCm, 0.3);
    // Baselines one line apart, in the order printed.
    EXPECT_LT(word("Müller,").yMax, word("AVATAR").yMax);
    EXPECT_LT(word("AVATAR").yMax, word("Şahin,").yMax);
    EXPECT_NEAR(word("gesetzt").xMax - word("Haken").xMin, ops[6].X2 * ptPerCm, 0.5);
    EXPECT_TRUE(errorsOf("pdftotext", {pdf, "-"}).isEmpty());
}

TEST(Rppdf, EmbedsSubsetsOfTheFacesUsed)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("f.pdf");
    ASSERT_TRUE(RenderPdf(draw([](TBaseReport& r) {
                              for (int style = 0; style < 4; ++style) {
                                  r.SetBold(style & 1);
                                  r.SetItalic(style & 2);
                                  r.Println(QString("Schütze %1").arg(style));
                              }
                              r.SetFont("Arial", 16); // another size of a face in use: no new font
                              r.Println("Schütze");
                          }),
                          pdf));
    const QStringList rows = run("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(rows.size(), 4);
    QStringList faces;
    for (const QString& row : rows) {
        const QStringList cols = row.simplified().split(' ');
        const QStringList name = cols.value(0).split('+');
        EXPECT_EQ(name.value(0).size(), 6) << row.toStdString(); // subset tag
        faces << name.value(1);
        EXPECT_EQ(cols.mid(1, 6), QStringList({"CID", "TrueType", "Identity-H", "yes", "yes", "yes"}))
            << row.toStdString();
    }
    faces.sort();
    EXPECT_EQ(faces, QStringList({"LiberationSans", "LiberationSans-Bold", "LiberationSans-BoldItalic",
                                  "LiberationSans-Italic"}));
    // The four whole faces take well over a megabyte; a handful of glyphs
    // of each, with metrics up to the last glyph used, a few kilobytes.
    EXPECT_LT(QFileInfo(pdf).size(), 40000) << QFileInfo(pdf).size();
    EXPECT_TRUE(errorsOf("pdftoppm", {"-r", "20", pdf, dir.filePath("p")}).isEmpty());
}

TEST(Rppdf, ImagesComeOnlyFromRegularFiles)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("wappen.png"), fifo = dir.filePath("rohr.png");
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::black);
    ASSERT_TRUE(logo.save(png));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const QString pdf = dir.filePath("i.pdf");
    const TReportDocument doc = draw([&](TBaseReport& r) {
        r.PrintBitmapRect(2, 2, 6, 4, png);
        r.PrintBitmapRect(8, 2, 12, 4, fifo);
        r.PrintBitmapRect(8, 5, 12, 7, "/dev/zero");
        r.PrintBitmapRect(2, 5, 6, 7, png); // the same file again: one image object
    });
    // Off the test's thread, so that a reader stuck on the pipe fails the
    // test instead of hanging it.
    auto rendering = std::async(std::launch::async, [&] {
        EXPECT_FALSE(LoadImageFile(png).isNull());
        EXPECT_TRUE(LoadImageFile(fifo).isNull());
        EXPECT_TRUE(LoadImageFile("/dev/zero").isNull());
        EXPECT_TRUE(LoadImageFile(dir.filePath("fehlt.png")).isNull());
        EXPECT_TRUE(LoadImageFile(dir.path()).isNull());
        return RenderPdf(doc, pdf);
    });
    if (rendering.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Release the reader that waits for a writer (every time it opens
        // the pipe), then fail.
        while (rendering.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        FAIL() << "a pipe named as an image blocked the PDF";
    }
    ASSERT_TRUE(rendering.get());
    const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(images.size(), 2); // the PNG twice, nothing for the pipe or the device
    EXPECT_EQ(images[0].simplified().split(' ').mid(3, 2), QStringList({"40", "20"}));
    EXPECT_EQ(images[0].simplified().split(' ').value(10), images[1].simplified().split(' ').value(10)); // object

    const Raster page = rasterOf(pdf, dir.filePath("i"));
    EXPECT_LT(page.grey(4, 3), 40);   // the image, stretched over its rectangle
    EXPECT_LT(page.grey(4, 6), 40);
    EXPECT_EQ(page.grey(10, 3), 255); // nothing where the pipe was named
}

TEST(Rppdf, BarsFramesAndDashedLinesArePainted)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("b.pdf");
    ASSERT_TRUE(RenderPdf(draw([](TBaseReport& r) {
                              TRPBars2of5 bars(r);
                              bars.SetText("12");
                              bars.SetBarWidth(0.1);
                              bars.SetBarHeight(2.0);
                              bars.SetPrintReadable(false);
                              bars.PrintXY(10.0, 5.0);
                              r.SetPen(Qt::black, Qt::SolidLine, 20); // 0.1 in
                              r.Rectangle(2, 10, 8, 14);
                              r.SetPen(Qt::black, Qt::DashLine, 20);
                              r.MoveTo(2, 18);
                              r.LineTo(18, 18);
                          }),
                          pdf));
    const Raster page = rasterOf(pdf, dir.filePath("b"));
    // First module of the bar code is a bar, the second a space.
    EXPECT_LT(page.grey(10.05, 6.0), 60);
    EXPECT_GT(page.grey(10.15, 6.0), 200);
    // The frame's edges, not its inside.
    EXPECT_LT(page.grey(2.0, 12.0), 60);
    EXPECT_LT(page.grey(5.0, 14.0), 60);
    EXPECT_EQ(page.grey(5.0, 12.0), 255);
    // A dashed line: dashes of 4 and gaps of 2 pen widths (0.254 cm each).
    int dark = 0, light = 0;
    for (double x = 2.1; x < 17.9; x += 0.05)
        (page.grey(x, 18.0) < 100 ? dark : light)++;
    EXPECT_NEAR(double(dark) / (dark + light), 4.0 / 6.0, 0.08);
}

TEST(Rppdf, AFileIsReplacedOnlyWhenComplete)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("alt.pdf");
    ASSERT_TRUE(WriteFileAtomic(pdf, "vorher"));
    const TReportDocument doc = draw([](TBaseReport& r) { r.Println("neu"); });
    auto content = [&] {
        QFile f(pdf);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    {
        // Dropped before its end: the old file stays, no temporary is left.
        TPdfWriter w(pdf);
        ASSERT_TRUE(w.AddPage(doc, doc.Pages[0]));
        EXPECT_EQ(content(), "vorher");
        w.Cancel();
        EXPECT_FALSE(w.AddPage(doc, doc.Pages[0]));
    }
    {
        TPdfWriter w(pdf);
        ASSERT_TRUE(w.AddPage(doc, doc.Pages[0]));
    } // destroyed unfinished
    EXPECT_EQ(content(), "vorher");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"alt.pdf"}));

    TPdfWriter w(pdf);
    ASSERT_TRUE(w.AddPage(doc, doc.Pages[0]));
    ASSERT_TRUE(w.Finish());
    EXPECT_TRUE(content().startsWith("%PDF-1.4"));
    EXPECT_EQ(w.PageCount(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"alt.pdf"}));

    // A folder that does not exist: an error naming the file, no file.
    const QString nowhere = dir.filePath("fehlt/liste.pdf");
    QString error;
    EXPECT_FALSE(RenderPdf(doc, nowhere, &error));
    EXPECT_TRUE(error.startsWith("Die Datei " + nowhere + " kann nicht geschrieben werden: ")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(nowhere));

    // A document without pages still gives a PDF a reader opens.
    ASSERT_TRUE(RenderPdf(TReportDocument(), dir.filePath("leer.pdf")));
    EXPECT_TRUE(run("pdfinfo", {dir.filePath("leer.pdf")}).contains(QRegularExpression("Pages:\\s+1\\n")));
}

TEST(Rppdf, FilesOfASetAppearTogetherOnCommitAndNotAtAllWithout)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    const QString a = dir.filePath("a/a.pdf"), b = dir.filePath("b/b.pdf"), c = dir.filePath("b/c.pdf");
    ASSERT_TRUE(WriteFileAtomic(a, "vorher"));
    const TReportDocument doc = draw([](TBaseReport& r) { r.Println("Verein"); });
    const auto alles = [&] {
        QStringList dateien;
        for (const char* ordner : {"a", "b"})
            for (const QString& f : QDir(dir.filePath(ordner)).entryList(QDir::Files | QDir::Hidden))
                dateien << QString(ordner) + "/" + f;
        return dateien;
    };
    const auto schreiben = [&](TFileSet& set, const QString& file) {
        TPdfWriter w(file, set);
        return w.AddPage(doc, doc.Pages[0]) && w.Finish();
    };

    {
        // Finished files wait under hidden names until the set commits;
        // a set dropped without committing leaves nothing and the old file.
        TFileSet set;
        ASSERT_TRUE(schreiben(set, a));
        ASSERT_TRUE(schreiben(set, b));
        EXPECT_EQ(set.Files(), QStringList({a, b}));
        EXPECT_FALSE(QFileInfo::exists(b));
        EXPECT_EQ(alles().size(), 3);
    }
    EXPECT_EQ(alles(), QStringList({"a/a.pdf"}));

    {
        // A cancelled writer drops its own file only.
        TFileSet set;
        ASSERT_TRUE(schreiben(set, a));
        {
            TPdfWriter w(c, set);
            ASSERT_TRUE(w.AddPage(doc, doc.Pages[0]));
            w.Cancel();
        }
        ASSERT_TRUE(schreiben(set, b));
        QString error;
        ASSERT_TRUE(set.Commit(&error)) << error.toStdString();
        EXPECT_TRUE(set.Files().isEmpty());
    }
    EXPECT_EQ(alles(), QStringList({"a/a.pdf", "b/b.pdf"}));
    for (const QString& f : {a, b})
        EXPECT_TRUE(run("pdftotext", {f, "-"}).contains("Verein")) << f.toStdString();

    // A folder where the file should go is refused at once, naming the
    // file; a folder removed before the commit fails it, and the set
    // leaves no temporary behind.
    TFileSet set;
    ASSERT_TRUE(QDir(dir.path()).mkpath("b/c.pdf"));
    {
        TPdfWriter w(c, set);
        EXPECT_FALSE(w.AddPage(doc, doc.Pages[0]));
        EXPECT_EQ(w.ErrorString(), "Die Datei \"" + c + "\" kann nicht geschrieben werden: an ihrer Stelle steht ein Ordner");
    }
    ASSERT_TRUE(QDir(dir.filePath("b/c.pdf")).removeRecursively());
    ASSERT_TRUE(QDir(dir.path()).mkpath("d"));
    const QString d = dir.filePath("d/d.pdf");
    ASSERT_TRUE(schreiben(set, d));
    ASSERT_TRUE(QDir(dir.filePath("d")).removeRecursively());
    QString error;
    EXPECT_FALSE(set.Commit(&error));
    EXPECT_TRUE(error.startsWith("Die Datei \"" + d + "\" kann nicht geschrieben werden: ")) << error.toStdString();
    EXPECT_EQ(alles(), QStringList({"a/a.pdf", "b/b.pdf"}));
}
