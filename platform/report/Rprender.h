#pragma once
// Rendering report streams: PDF files, pages painted on any QPainter (preview,
// printer), the page count of a stream, and the batch output of prints.

#include "platform/report/Rpstream.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <deque>

class QPainter;
class QPrinter;

namespace Report {

// Paints page pageIndex (0-based) of doc; the painter's device has
// pixelsPerCm device pixels per centimetre and the page's top left at
// `origin` (device pixels).
void PaintPage(QPainter& painter, const TReportDocument& doc, int pageIndex, double pixelsPerCm,
               QPointF origin = {});

// Writes the document as PDF with TPdfWriter (fonts embedded), atomically.
bool RenderPdf(const TReportDocument& doc, const QString& pdfFile, QString* error = nullptr);

// Prints pages fromPage..toPage (1-based, 0 = all) on a set-up printer.
bool PrintDocument(const TReportDocument& doc, QPrinter& printer, int fromPage = 0, int toPage = 0);

// Renders a stream file to OutputFileName.
class TRPRender : public QObject {
    Q_OBJECT
public:
    explicit TRPRender(QObject* parent = nullptr) : QObject(parent) {}
    QString OutputFileName;
    void SetOutputFileName(const QString& file) { OutputFileName = file; }
    virtual bool Render(const QString& streamFile);
    QString ErrorString() const { return error_; }

protected:
    virtual bool renderDocument(const TReportDocument& doc) = 0;
    QString error_;
};

class TRvRenderPDF : public TRPRender {
    Q_OBJECT
public:
    using TRPRender::TRPRender;

protected:
    bool renderDocument(const TReportDocument& doc) override;
};

class TFilePrinter {
public:
    // Number of pages of a stream file; 0 when it cannot be read.
    static int GetPages(const QString& streamFile);
};

// File name of the n-th print of a batch run: n = 1 gives base, n = 2
// "stem-2.ext", and so on ("out.pdf", "out-2.pdf", …).
QString NumberedFileName(const QString& base, int n);

// Output of the prints of a batch run: each print goes to the next numbered
// PDF (when pdfBase is set) and dump (when dumpBase is set).
//
// Write(stream file) reads a stream and writes both. After WriteDirectly()
// the prints of stream writers go to the files page by page while they are
// drawn, with no stream file in between (see SetPrintSinkFactory); the
// print then reaches the preview hand-over without a file name, and
// Write("") reports how that print went.
class TBatchOutput {
public:
    TBatchOutput(const QString& pdfBase, const QString& dumpBase);
    ~TBatchOutput();
    TBatchOutput(const TBatchOutput&) = delete;
    TBatchOutput& operator=(const TBatchOutput&) = delete;

    // Installs the direct output for as long as this object lives (or
    // another batch output installs its own).
    void WriteDirectly();
    bool Write(const QString& streamFile, QString* error = nullptr);
    int Count() const { return count_; }
    QStringList Written() const { return written_; }
    // Pages of the last print written.
    int LastPages() const { return lastPages_; }

private:
    class Sink;
    QString pdfBase_, dumpBase_;
    int count_ = 0;
    int lastPages_ = 0;
    QStringList written_;
    std::deque<QString> directResults_; // direct prints not reported yet: empty = written, else the error
};

} // namespace Report
