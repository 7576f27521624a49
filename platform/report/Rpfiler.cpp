#include "platform/report/Rpfiler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QString DateiFehlerGrund(const QFileDevice& device)
{
    switch (device.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("der Ordner fehlt, ist keiner oder ist nicht beschreibbar");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("der Datenträger ist voll oder nicht beschreibbar");
    default:
        return device.errorString();
    }
}

QString DateiFehler(const QString& file, const QFileDevice& device)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(file, DateiFehlerGrund(device));
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

struct TFileSet::Entry {
    QString target;
    QFile temp;
};

TFileSet::TFileSet() = default;
TFileSet::~TFileSet() { Discard(); }

QFileDevice* TFileSet::Create(const QString& file, QString* error)
{
    const QFileInfo ziel(file);
    const auto fehler = [&](const QString& warum) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(file, warum);
        return nullptr;
    };
    if (ziel.isDir())
        return fehler(QStringLiteral("an ihrer Stelle steht ein Ordner"));
    auto e = std::make_unique<Entry>();
    e->target = file;
    // A hidden name beside the file, unique among concurrent writers.
    for (int versuch = 0; versuch < 100; ++versuch) {
        e->temp.setFileName(ziel.dir().filePath(QStringLiteral(".%1.%2-%3.tmp")
                                                     .arg(ziel.fileName())
                                                     .arg(QCoreApplication::applicationPid())
                                                     .arg(QRandomGenerator::global()->generate() % 1000000)));
        if (e->temp.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (e->temp.error() != QFileDevice::OpenError || !QFileInfo::exists(e->temp.fileName()))
            return fehler(DateiFehlerGrund(e->temp));
    }
    if (!e->temp.isOpen())
        return fehler(e->temp.errorString());
    entries_.push_back(std::move(e));
    return &entries_.back()->temp;
}

void TFileSet::Drop(const QString& file)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if ((*it)->target == file) {
            (*it)->temp.close();
            (*it)->temp.remove();
            entries_.erase(it);
            return;
        }
}

bool TFileSet::Commit(QString* error)
{
    const auto fehler = [&](const QString& file, const QString& warum) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(file, warum);
        Discard();
        return false;
    };
    // Close every file, then one sync per file system holding them.
    QSet<dev_t> synchron;
    for (const auto& e : entries_) {
        if (e->temp.isOpen() && !e->temp.flush())
            return fehler(e->target, DateiFehlerGrund(e->temp));
        e->temp.close();
        const QByteArray ordner = QFile::encodeName(QFileInfo(e->temp.fileName()).absolutePath());
        struct stat st {};
        if (stat(ordner.constData(), &st) != 0)
            return fehler(e->target, QString::fromLocal8Bit(std::strerror(errno)));
        if (synchron.contains(st.st_dev))
            continue;
        const int fd = ::open(ordner.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool ok = fd >= 0 && syncfs(fd) == 0;
        const int grund = errno;
        if (fd >= 0)
            ::close(fd);
        if (!ok)
            return fehler(e->target, QString::fromLocal8Bit(std::strerror(grund)));
        synchron.insert(st.st_dev);
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = *entries_[i];
        if (std::rename(QFile::encodeName(e.temp.fileName()).constData(), QFile::encodeName(e.target).constData()) != 0) {
            const QString ziel = e.target, grund = QString::fromLocal8Bit(std::strerror(errno));
            entries_.erase(entries_.begin(), entries_.begin() + std::ptrdiff_t(i)); // those are in place
            return fehler(ziel, grund);
        }
    }
    entries_.clear();
    return true;
}

void TFileSet::Discard()
{
    for (const auto& e : entries_) {
        e->temp.close();
        e->temp.remove();
    }
    entries_.clear();
}

QStringList TFileSet::Files() const
{
    QStringList files;
    for (const auto& e : entries_)
        files << e->target;
    return files;
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
