#pragma once
// Output components. Each runs the job's events on a fresh drawing surface
// and sends the pages to its output: a report stream file (TRvNDRWriter), an
// RTF file (TRTFFiler) or an HTML file (TRPHTMLFiler). They are QObjects so
// that a form can own them by objectName ("rf_…", "rtf_…", "htm_…").
//
// Execute(): OnBeforePrint; page 1 opens (OnPrintHeader); OnPrint, which
// starts further pages with NewPage; the last page closes (OnPrintFooter);
// the output is written; OnAfterPrint. When the report is aborted nothing is
// written, OnAfterPrint still runs and Execute returns false.

#include "platform/report/Rpbase.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QFileDevice;

namespace Report {

using TReportEvent = std::function<void(TBaseReport&)>;

// Called with the status text (StatusFormat, "%p" = page number) whenever a
// component starts a page; the host installs it to show the text.
void SetStatusHook(std::function<void(const QString&)> hook);

class TReportComponent;

// Where the prints of stream writers go while a factory is installed: each
// run of a TRvNDRWriter asks it for a page sink and hands every page to it
// as soon as the page is finished, instead of keeping the document and
// writing a stream file (FileName() is empty after such a run). The batch
// output installs one to write PDF and dump files as the pages come. A
// factory that returns nullptr leaves that run as it is; an empty function
// uninstalls.
using TPrintSinkFactory = std::function<std::unique_ptr<TPageSink>(const TReportComponent&)>;
void SetPrintSinkFactory(TPrintSinkFactory factory);
// The factory installed now (empty when none).
TPrintSinkFactory PrintSinkFactory();

class TReportComponent : public QObject {
    Q_OBJECT
public:
    explicit TReportComponent(QObject* parent = nullptr);
    ~TReportComponent() override;

    // Settings (centimetres for the margins).
    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation o) { orientation_ = o; }
    TPaper Paper() const { return paper_; }
    void SetPaper(TPaper p) { paper_ = p; }
    double MarginLeft() const { return marginLeft_; }
    double MarginRight() const { return marginRight_; }
    double MarginTop() const { return marginTop_; }
    double MarginBottom() const { return marginBottom_; }
    void SetMarginLeft(double cm) { marginLeft_ = cm; }
    void SetMarginRight(double cm) { marginRight_ = cm; }
    void SetMarginTop(double cm) { marginTop_ = cm; }
    void SetMarginBottom(double cm) { marginBottom_ = cm; }
    void SetMargins(double left, double right, double top, double bottom)
    {
        marginLeft_ = left;
        marginRight_ = right;
        marginTop_ = top;
        marginBottom_ = bottom;
    }
    QString StatusFormat() const { return statusFormat_; }
    void SetStatusFormat(const QString& format) { statusFormat_ = format; }

    TReportEvent OnBeforePrint, OnPrint, OnPrintHeader, OnPrintFooter, OnAfterPrint;

    // Runs the report and writes the output; false when aborted or not written.
    bool Execute();
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& file)
    {
        fileName_ = file;
        autoName_ = false;
    }
    QString ErrorString() const { return error_; }
    // The pages of the last run.
    const TReportDocument& Document() const { return doc_; }
    TPageSetup Setup() const;

protected:
    virtual bool writeOutput(const TReportDocument& doc) = 0;
    // The sink the pages of this run go to; nullptr: the document is kept
    // and written by writeOutput.
    virtual std::unique_ptr<TPageSink> pageSink() { return nullptr; }
    QString title_;
    TOrientation orientation_ = poPortrait;
    TPaper paper_ = paA4;
    double marginLeft_ = 2.0, marginRight_ = 1.5, marginTop_ = 1.25, marginBottom_ = 2.0;
    QString statusFormat_ = QStringLiteral("Drucke Seite %p");
    QString fileName_;
    bool autoName_ = false; // fileName_ is a temporary file chosen by the writer
    QString error_;
    TReportDocument doc_;
};

// Report stream writer: writes the stream to FileName(), or to a new
// temporary file (kept; FileName() names it after Execute) when none is set.
class TRvNDRWriter : public TReportComponent {
    Q_OBJECT
public:
    using TReportComponent::TReportComponent;

protected:
    bool writeOutput(const TReportDocument& doc) override;
    std::unique_ptr<TPageSink> pageSink() override;
};

// RTF filer: paragraphs with tab stops, one per printed line.
class TRTFFiler : public TReportComponent {
    Q_OBJECT
public:
    using TReportComponent::TReportComponent;

protected:
    bool writeOutput(const TReportDocument& doc) override;
};

// HTML filer: an HTML5 page in UTF-8, a table per run of tabbed lines.
class TRPHTMLFiler : public TReportComponent {
    Q_OBJECT
public:
    using TReportComponent::TReportComponent;

protected:
    bool writeOutput(const TReportDocument& doc) override;
};

// The RTF and HTML texts of a document (what the filers write).
QByteArray DocumentToRtf(const TReportDocument& doc);
QByteArray DocumentToHtml(const TReportDocument& doc);

// Atomic file write (temporary name in the same folder, then rename).
bool WriteFileAtomic(const QString& file, const QByteArray& data, QString* error = nullptr);

// Whether file is a stream a writer wrote under a temporary name (which
// whoever shows or prints it removes when done).
bool IstTemporaererStrom(const QString& file);

// "Die Datei "<file>" kann nicht geschrieben werden: <why>" for a file that
// failed: why in German by the kind of failure (a folder that is missing or
// not writable, a full disk), else in the system's words.
QString DateiFehler(const QString& file, const QFileDevice& device);
// The reason alone ("der Datenträger ist voll oder nicht beschreibbar", …).
QString DateiFehlerGrund(const QFileDevice& device);

// Files that are put in place together: each is written under a hidden
// temporary name in its own folder, and Commit() brings the data to the
// disk with one flush per file system (not one per file, which costs
// milliseconds each) and then renames every file to its name. A file set
// destroyed or discarded without Commit() leaves nothing behind.
class TFileSet {
public:
    TFileSet();
    ~TFileSet();
    TFileSet(const TFileSet&) = delete;
    TFileSet& operator=(const TFileSet&) = delete;

    // An open, empty file that becomes `file` on Commit(); nullptr (and
    // the German reason in error) when it cannot be made, e.g. when a
    // folder stands where the file should go. The set owns the device.
    QFileDevice* Create(const QString& file, QString* error = nullptr);
    // Gives up one file of the set (its temporary is removed).
    void Drop(const QString& file);
    // Puts every file in place; false with the first failure in error.
    // Files renamed before a failure stay, the rest are removed.
    bool Commit(QString* error = nullptr);
    void Discard();
    // The files that Commit() would put in place, in the order created.
    QStringList Files() const;

private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> entries_;
};

} // namespace Report
