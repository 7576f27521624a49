// The host application's preview window: paging, continuous display,
// printing (to a PDF printer) with the print-finished message.

#include "tests/platform/report/ReportTestUtil.h"

#include "apps/meisterschaft/Preview.h"
#include "apps/meisterschaft/PreviewWindow.h"
#include "platform/host/Sectionlist.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

QString threePages(const QString& file)
{
    TRvNDRWriter w;
    w.SetFileName(file);
    w.OnPrint = [](TBaseReport& r) {
        for (int p = 1; p <= 3; ++p) {
            if (p > 1)
                r.NewPage();
            r.Println(QString("Inhalt Seite %1").arg(p));
        }
    };
    EXPECT_TRUE(w.Execute());
    return w.FileName();
}

} // namespace

TEST(Preview, PagesCyclesAndPrintsWithDruckFertig)
{
    QTemporaryDir dir;
    Host::PrintRequest request;
    request.id = 7;
    request.file = threePages(dir.filePath("v.ndr"));
    request.title = "Starterliste";
    OpenPreview(request, nullptr);
    PreviewWindow* w = PreviewWindow::find(7);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pageCount(), 3);
    EXPECT_EQ(w->pageIndex(), 0);

    w->nextPage();
    w->nextPage();
    w->nextPage(); // stays on the last page
    EXPECT_EQ(w->pageIndex(), 2);
    PreviewNextPage(7); // continuous display wraps to page 1
    EXPECT_EQ(w->pageIndex(), 0);
    PreviewNextPage(8); // no such preview: nothing happens
    w->previousPage();
    EXPECT_EQ(w->pageIndex(), 0);
    w->setZoom(2.0);
    EXPECT_DOUBLE_EQ(w->zoom(), 2.0);
    EXPECT_FALSE(w->grab().isNull());

    QStringList messages;
    Sectionlist::RegisterReceiver([&](const QString& m) {
        messages << m;
        return true;
    });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("gedruckt.pdf"));
    ASSERT_TRUE(w->printTo(printer, 2, 3));
    Sectionlist::ClearReceivers();
    EXPECT_EQ(messages, QStringList({"DRUCK FERTIG,7"}));
    const QString printed = run("pdftotext", {dir.filePath("gedruckt.pdf"), "-"});
    EXPECT_FALSE(printed.contains("Seite 1"));
    EXPECT_TRUE(printed.contains("Inhalt Seite 2"));
    EXPECT_TRUE(printed.contains("Inhalt Seite 3"));

    ASSERT_TRUE(w->saveAsPdf(dir.filePath("kopie.pdf")));
    EXPECT_EQ(run("pdfinfo", {dir.filePath("kopie.pdf")}).contains(QRegularExpression("Pages:\\s+3\\n")), true);

    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PreviewWindow::find(7), nullptr);
}

TEST(Preview, UnreadableStreamIsReported)
{
    Host::PrintRequest request;
    request.id = 9;
    request.file = "/nicht/da.ndr";
    PreviewWindow w(request);
    EXPECT_FALSE(w.isValid());
    EXPECT_FALSE(w.errorString().isEmpty());
    EXPECT_EQ(w.pageCount(), 0);
}
