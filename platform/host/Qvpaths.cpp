#include "platform/host/Qvpaths.h"

#include <QDir>
#include <QStandardPaths>

namespace Qvpaths {

namespace {
QString& home()
{
    static QString h;
    return h;
}

QString ensured(const QString& dir)
{
    QDir().mkpath(dir);
    return dir;
}
} // namespace

QString ProgramFolder()
{
    if (home().isEmpty()) {
        QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty())
            base = QDir::homePath() + "/.local/share";
        home() = base + "/Meisterschaft";
    }
    return ensured(home());
}

void SetProgramFolder(const QString& dir) { home() = QDir(dir).absolutePath(); }

QString DataFolder() { return ensured(ProgramFolder() + "/Daten"); }
QString InternetFolder() { return ensured(ProgramFolder() + "/Internet"); }

} // namespace Qvpaths
