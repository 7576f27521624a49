#include "platform/report/Rpfiler.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace Report {

namespace {
std::function<void(const QString&)>& statusHook()
{
    static std::function<void(const QString&)> hook;
    return hook;
}
} // namespace

void SetStatusHook(std::function<void(const QString&)> hook) { statusHook() = std::move(hook); }

namespace {
TPrintSinkFactory& printSinkFactory()
{
    static TPrintSinkFactory factory;
    return factory;
}
} // namespace

void SetPrintSinkFactory(TPrintSinkFactory factory) { printSinkFactory() = std::move(factory); }
TPrintSinkFactory PrintSinkFactory() { return printSinkFactory(); }

bool IstTemporaererStrom(const QString& file)
{
    const QFileInfo f(file);
    return !file.isEmpty() && f.absolutePath() == QFileInfo(QDir::tempPath()).absoluteFilePath()
           && f.fileName().startsWith(QLatin1String("reports1-")) && f.suffix() == QLatin1String("ndr");
}

QString DateiFehler(const QString& file, const QFileDevice& device)
{
    QString warum;
    switch (device.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        warum = QStringLiteral("der Ordner fehlt, ist keiner oder ist nicht beschreibbar");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        warum = QStringLiteral("der Datenträger ist voll oder nicht beschreibbar");
        break;
    default:
        warum = device.errorString();
        break;
    }
    return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(file, warum);
}

bool WriteFileAtomic(const QString& file, const QByteArray& data, QString* error)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
        if (error)
            *error = DateiFehler(file, out);
        return false;
    }
    return true;
}

TReportComponent::TReportComponent(QObject* parent) : QObject(parent) {}
TReportComponent::~TReportComponent() = default;

TPageSetup TReportComponent::Setup() const
{
    TPageSetup s;
    s.Orientation = orientation_;
    s.Paper = paper_;
    s.MarginLeft = marginLeft_;
    s.MarginRight = marginRight_;
    s.MarginTop = marginTop_;
    s.MarginBottom = marginBottom_;
    s.Title = title_;
    return s;
}

bool TReportComponent::Execute()
{
    error_.clear();
    TBaseReport report(Setup());
    report.OnHeader = OnPrintHeader;
    report.OnFooter = OnPrintFooter;
    const QString format = statusFormat_;
    report.OnNewPage = [format](TBaseReport& r) {
        if (statusHook() && !format.isEmpty())
            statusHook()(QString(format).replace(QLatin1String("%p"), QString::number(r.CurrentPage())));
    };
    const std::unique_ptr<TPageSink> sink = pageSink();
    report.SetPageSink(sink.get());
    if (OnBeforePrint)
        OnBeforePrint(report);
    if (!report.Aborted()) {
        report.BeginDocument();
        if (OnPrint && !report.Aborted())
            OnPrint(report);
        report.EndDocument();
    }
    doc_ = report.TakeDocument();
    bool ok = false;
    if (report.Aborted()) {
        error_ = report.SinkFailed() ? sink->ErrorString() : QStringLiteral("Druck abgebrochen");
        if (sink)
            sink->Cancel();
    } else if (sink) {
        ok = sink->Finish();
        if (!ok)
            error_ = sink->ErrorString();
    } else {
        ok = writeOutput(doc_);
    }
    if (OnAfterPrint)
        OnAfterPrint(report);
    return ok;
}

std::unique_ptr<TPageSink> TRvNDRWriter::pageSink()
{
    std::unique_ptr<TPageSink> sink;
    if (printSinkFactory())
        sink = printSinkFactory()(*this);
    if (sink) {
        // No stream file this time (a temporary file of an earlier run stays
        // where a preview may still show it).
        fileName_.clear();
        autoName_ = false;
    }
    return sink;
}

bool TRvNDRWriter::writeOutput(const TReportDocument& doc)
{
    // Without a name the stream goes to a new temporary file on every run, so
    // a preview still showing the previous run keeps its file.
    if (fileName_.isEmpty() || autoName_) {
        QTemporaryFile tmp(QDir::tempPath() + QStringLiteral("/reports1-XXXXXX.ndr"));
        tmp.setAutoRemove(false);
        if (!tmp.open()) {
            error_ = tmp.errorString();
            return false;
        }
        fileName_ = tmp.fileName();
        autoName_ = true;
    }
    return WriteStream(doc, fileName_, &error_);
}

bool TRTFFiler::writeOutput(const TReportDocument& doc)
{
    if (fileName_.isEmpty()) {
        error_ = QStringLiteral("kein Dateiname für die RTF-Ausgabe");
        return false;
    }
    return WriteFileAtomic(fileName_, DocumentToRtf(doc), &error_);
}

bool TRPHTMLFiler::writeOutput(const TReportDocument& doc)
{
    if (fileName_.isEmpty()) {
        error_ = QStringLiteral("kein Dateiname für die HTML-Ausgabe");
        return false;
    }
    return WriteFileAtomic(fileName_, DocumentToHtml(doc), &error_);
}

} // namespace Report
