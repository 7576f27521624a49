#include "BatchHostUi.h"

#include <cstdio>

BatchHostUi::BatchHostUi() : out_(stdout) {}

int BatchHostUi::messageDlg(const QString& text, int type, int buttons)
{
    const bool question = buttons & (Host::mbYes | Host::mbNo);
    const char* kind = question ? "FRAGE" : (type == Host::mtError || type == Host::mtWarning) ? "FEHLER" : "INFO";
    QString oneLine = text;
    oneLine.replace("\r\n", " | ").replace('\n', " | ");
    int result = Host::mrOk;
    if (question) {
        result = Host::mrYes;
        if (!answers.empty()) {
            result = answers.front();
            answers.pop_front();
        }
        out_ << kind << ": " << oneLine << " -> " << (result == Host::mrYes ? "ja" : "nein") << "\n";
    } else {
        out_ << kind << ": " << oneLine << "\n";
    }
    out_.flush();
    return result;
}

void BatchHostUi::showError(const QString& text, const QString& detail)
{
    auto eineZeile = [](QString s) { return s.replace("\r\n", " | ").replace('\n', " | ").trimmed(); };
    out_ << "FEHLER: " << eineZeile(text) << "\n";
    if (!detail.trimmed().isEmpty())
        out_ << "  Einzelheiten: " << eineZeile(detail) << "\n";
    out_.flush();
}

namespace {

QString next(std::deque<QString>& queue)
{
    if (queue.empty())
        return {};
    QString s = queue.front();
    queue.pop_front();
    return s;
}

} // namespace

QString BatchHostUi::chooseFolder(const QString&, const QString&) { return next(folders); }

QString BatchHostUi::chooseSaveFile(const QString&, const QString&, const QString&, const QString&)
{
    return next(files);
}

QString BatchHostUi::chooseOpenFile(const QString&, const QString&) { return next(files); }

void BatchHostUi::preview(const Host::PrintRequest& request)
{
    if (onPreview)
        onPreview(request);
}

void BatchHostUi::status(const QString&) {}
