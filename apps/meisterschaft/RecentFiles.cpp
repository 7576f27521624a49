#include "RecentFiles.h"

#include <QSettings>

namespace {
const QString key = QStringLiteral("Meisterschaften/Zuletzt");
}

RecentFiles::RecentFiles(QSettings* settings)
    : settings_(settings ? settings : new QSettings("Meisterschaft", "meisterschaft")), owned_(!settings)
{
}

RecentFiles::~RecentFiles()
{
    if (owned_)
        delete settings_;
}

QStringList RecentFiles::entries() const
{
    QStringList list = settings_->value(key).toStringList();
    list.removeAll(QString());
    return list.mid(0, MaxEntries);
}

void RecentFiles::add(const QString& entry)
{
    if (entry.isEmpty())
        return;
    QStringList list = entries();
    list.removeAll(entry);
    list.prepend(entry);
    store(list.mid(0, MaxEntries));
}

void RecentFiles::remove(const QString& entry)
{
    QStringList list = entries();
    if (list.removeAll(entry) > 0)
        store(list);
}

void RecentFiles::store(const QStringList& list)
{
    settings_->setValue(key, list);
    settings_->sync();
}
