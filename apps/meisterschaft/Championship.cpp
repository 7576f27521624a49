#include "Championship.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace Championship {

bool IsUrl(const QString& fileOrUrl)
{
    return fileOrUrl.startsWith("postgres://", Qt::CaseInsensitive)
        || fileOrUrl.startsWith("postgresql://", Qt::CaseInsensitive);
}

QString DisplayName(const QString& fileOrUrl)
{
    if (IsUrl(fileOrUrl))
        return QUrl(fileOrUrl).toDisplayString(QUrl::RemovePassword);
    return QDir::toNativeSeparators(QFileInfo(fileOrUrl).absoluteFilePath());
}

QString RecentEntry(const QString& fileOrUrl)
{
    if (IsUrl(fileOrUrl))
        return QUrl(fileOrUrl).toString(QUrl::RemovePassword);
    return QFileInfo(fileOrUrl).absoluteFilePath();
}

namespace {

QString failure(const QString& fileOrUrl, const QString& reason)
{
    return QString("Die Meisterschaft \"%1\" kann nicht geöffnet werden.\n\n%2").arg(DisplayName(fileOrUrl), reason);
}

} // namespace

QString Open(const QString& fileOrUrl, const std::function<void()>& beforeSwitch)
{
    const QString target = fileOrUrl.trimmed();
    if (target.isEmpty())
        return failure(target, "Es ist keine Datei angegeben.");
    {
        // A look first, on a connection of its own.
        Ado::TADOConnection probe;
        QString error;
        if (!probe.Open(target, &error))
            return failure(target, error);
        if (!probe.TableExists("ZKTMP"))
            return failure(target, "Die Datei ist keine Meisterschaftsdatenbank.");
    }
    if (beforeSwitch)
        beforeSwitch();
    auto* dm = Datamod::DataModule1();
    const QString previous = dm->Connection() ? dm->Connection()->Target() : QString();
    const int previousIdent = Datamod::iIdent;
    QString error;
    if (dm->OpenDatabase(target, &error))
        return {};
    if (!previous.isEmpty() && dm->OpenDatabase(previous))
        dm->SetCurrentChampionship(previousIdent);
    return failure(target, error);
}

} // namespace Championship
