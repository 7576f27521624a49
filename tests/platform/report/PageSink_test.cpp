// Pages handed on as they are finished: the drawing surface and its sink,
// the stream writer under an installed sink factory, and the batch output
// that writes PDF and dump straight from the pages.

#include "ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// Keeps what it is handed, and what the surface still held at the time.
class RecordingSink : public TPageSink {
public:
    QStringList texts;      // the texts of each page handed in, one entry a page
    int finished = 0, cancelled = 0;
    int refuseFrom = 0;     // refuse this page and the ones after it (0: none)
    bool AddPage(const TReportDocument& doc, const TStreamPage& page) override
    {
        if (refuseFrom > 0 && texts.size() + 1 >= refuseFrom)
            return false;
        QStringList t;
        for (const TStreamOp& op : page.Ops)
            if (op.Kind == TOpKind::Text)
                t << op.Text + "/" + doc.Fonts[op.Font].Name;
        texts << t.join(' ');
        return true;
    }
    bool Finish() override
    {
        ++finished;
        return true;
    }
    void Cancel() override { ++cancelled; }
    QString ErrorString() const override { return "Platte voll"; }
};

void threePages(TBaseReport& r)
{
    for (int p = 1; p <= 3; ++p) {
        if (p > 1)
            r.NewPage();
        r.Println(QString("Gruppe %1").arg(p));
    }
}

void footer(TBaseReport& r)
{
    r.GotoFooter();
    r.PrintLeft(QString("Seite %1").arg(r.CurrentPage()), r.SectionLeft());
}

// A stream writer running body, with the page footer.
bool runWriter(TRvNDRWriter& w, const std::function<void(TBaseReport&)>& body)
{
    w.SetTitle("Ergebnisliste");
    w.OnPrint = body;
    w.OnPrintFooter = footer;
    return w.Execute();
}

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(PageSink, SurfaceHandsOnEachPageWhenTheNextBegins)
{
    RecordingSink sink;
    TBaseReport r;
    r.OnFooter = footer;
    r.SetPageSink(&sink);
    r.BeginDocument();
    r.Println("eins");
    EXPECT_TRUE(sink.texts.isEmpty()); // page 1 is still being drawn
    r.NewPage();
    ASSERT_EQ(sink.texts.size(), 1);   // with its footer
    EXPECT_EQ(sink.texts[0], "eins/Arial Seite 1/Arial");
    EXPECT_EQ(r.Document().Pages.size(), 1); // only the page being drawn is kept
    r.Println("zwei");
    r.EndDocument();
    EXPECT_EQ(sink.texts, QStringList({"eins/Arial Seite 1/Arial", "zwei/Arial Seite 2/Arial"}));
    EXPECT_TRUE(r.Document().Pages.isEmpty());
    r.Println("nach dem Ende"); // goes nowhere
    EXPECT_EQ(sink.texts.size(), 2);
    EXPECT_EQ(r.TakeDocument().Fonts.size(), 1); // the font table stays
}

TEST(PageSink, StreamWriterUsesTheInstalledFactory)
{
    RecordingSink* made = nullptr;
    int asked = 0;
    SetPrintSinkFactory([&](const TReportComponent& c) -> std::unique_ptr<TPageSink> {
        ++asked;
        EXPECT_EQ(c.Title(), "Ergebnisliste");
        auto s = std::make_unique<RecordingSink>();
        made = s.get();
        return s;
    });
    {
        // Finished: pages in order, no stream file, no pages kept.
        TRvNDRWriter w;
        EXPECT_TRUE(runWriter(w, [&](TBaseReport& r) {
            threePages(r);
            EXPECT_EQ(made->texts.size(), 2); // pages 1 and 2 gone out while page 3 is drawn
        }));
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(w.FileName().isEmpty());
        EXPECT_TRUE(w.Document().Pages.isEmpty());
    }
    {
        // Aborted: the sink drops its output.
        TRvNDRWriter w;
        int finished = -1, cancelled = -1;
        w.OnAfterPrint = [&](TBaseReport&) {
            finished = made->finished;
            cancelled = made->cancelled;
        };
        EXPECT_FALSE(runWriter(w, [](TBaseReport& r) {
            r.Println("eins");
            r.Abort();
        }));
        EXPECT_EQ(w.ErrorString(), "Druck abgebrochen");
        EXPECT_EQ(finished, 0);
        EXPECT_EQ(cancelled, 1);
    }
    {
        // A page the sink refuses ends the run with the sink's error.
        SetPrintSinkFactory([&](const TReportComponent&) -> std::unique_ptr<TPageSink> {
            auto s = std::make_unique<RecordingSink>();
            s->refuseFrom = 2;
            made = s.get();
            return s;
        });
        TRvNDRWriter w;
        int pagesDrawn = 0;
        EXPECT_FALSE(runWriter(w, [&](TBaseReport& r) {
            threePages(r);
            pagesDrawn = r.CurrentPage();
        }));
        EXPECT_EQ(w.ErrorString(), "Platte voll");
        EXPECT_EQ(pagesDrawn, 2); // no third page once the second was refused
    }
    // Without a factory the stream file is written as ever.
    SetPrintSinkFactory({});
    TRvNDRWriter w;
    EXPECT_TRUE(runWriter(w, threePages));
    EXPECT_EQ(TFilePrinter::GetPages(w.FileName()), 3);
    QFile::remove(w.FileName());
}

TEST(PageSink, BatchOutputWritesTheFilesWhileTheReportIsDrawn)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf"), dump = dir.filePath("out.txt");

    // The same print through a stream file, as the reference.
    QString stream;
    {
        TRvNDRWriter w;
        ASSERT_TRUE(runWriter(w, threePages));
        stream = w.FileName();
    }
    {
        TBatchOutput out(pdf, dump);
        out.WriteDirectly();
        TRvNDRWriter w;
        ASSERT_TRUE(runWriter(w, [&](TBaseReport& r) {
            threePages(r);
            EXPECT_FALSE(QFile::exists(pdf)); // written under another name until complete
        }));
        EXPECT_TRUE(w.FileName().isEmpty());
        QString error;
        EXPECT_TRUE(out.Write(w.FileName(), &error)) << error.toStdString();
        EXPECT_EQ(out.LastPages(), 3);
        // A second print: numbered files; one from a stream file still works.
        ASSERT_TRUE(runWriter(w, [](TBaseReport& r) { r.Println("zweiter Druck"); }));
        EXPECT_TRUE(out.Write(w.FileName()));
        EXPECT_TRUE(out.Write(stream));
        EXPECT_EQ(out.Count(), 3);
        EXPECT_EQ(out.Written(), QStringList({pdf, dump, dir.filePath("out-2.pdf"), dir.filePath("out-2.txt"),
                                              dir.filePath("out-3.pdf"), dir.filePath("out-3.txt")}));
    }
    // Dump and text as from the stream file.
    EXPECT_EQ(QString::fromUtf8(contentOf(dump)), DumpStream(stream));
    EXPECT_EQ(contentOf(dump), contentOf(dir.filePath("out-3.txt")));
    EXPECT_EQ(run("pdftotext", {pdf, "-"}), run("pdftotext", {dir.filePath("out-3.pdf"), "-"}));
    EXPECT_TRUE(run("pdftotext", {dir.filePath("out-2.pdf"), "-"}).contains("zweiter Druck"));
    QFile::remove(stream);

    // Gone with the batch output: writers write stream files again.
    TRvNDRWriter after;
    ASSERT_TRUE(runWriter(after, threePages));
    EXPECT_EQ(TFilePrinter::GetPages(after.FileName()), 3);
    QFile::remove(after.FileName());
}

TEST(PageSink, BatchOutputThatCannotWriteLeavesNothing)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("fehlt/out.pdf"), dump = dir.filePath("out.txt");
    TBatchOutput out(pdf, dump);
    out.WriteDirectly();
    TRvNDRWriter w;
    EXPECT_FALSE(runWriter(w, threePages));
    QString error;
    EXPECT_FALSE(out.Write(w.FileName(), &error));
    EXPECT_TRUE(error.startsWith("Die Datei " + pdf + " kann nicht geschrieben werden")) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(out.Count(), 0);
    EXPECT_TRUE(out.Written().isEmpty());
    // Nothing further was printed: no report to give.
    EXPECT_FALSE(out.Write(QString(), &error));
}
