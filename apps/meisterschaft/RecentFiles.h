#pragma once
// The championships opened last, most recent first, kept in the host
// application's own settings (QSettings), so they belong to the workstation
// and not to a championship database.

#include <QString>
#include <QStringList>

class QSettings;

class RecentFiles {
public:
    static constexpr int MaxEntries = 8;

    // settings: where the list is kept; nullptr takes the host
    // application's settings (~/.config/Meisterschaft/meisterschaft.conf).
    explicit RecentFiles(QSettings* settings = nullptr);
    ~RecentFiles();

    QStringList entries() const;
    // Puts entry first; an older mention of it is dropped, the list is cut
    // to MaxEntries.
    void add(const QString& entry);
    void remove(const QString& entry);

private:
    void store(const QStringList& list);
    QSettings* settings_;
    bool owned_;
};
