#pragma once
// Opening a championship database as the host's database.

#include <QString>
#include <functional>

namespace Championship {

// Opens fileOrUrl (an SQLite file or "postgres://…") as the host's database
// once it has been found to hold championships (table ZKTMP), so a file
// chosen by mistake is neither changed nor kept open. Returns "" when the
// championship is open, else the German message for the user, which names
// the file. beforeSwitch runs once the checks have passed, just before the
// host's database changes (the host closes the module's forms there). When
// the new database cannot be opened the one open before is opened again.
QString Open(const QString& fileOrUrl, const std::function<void()>& beforeSwitch = {});

// The file or address as the user sees it: a file with its full path, a URL
// without its password.
QString DisplayName(const QString& fileOrUrl);

// The form kept in the list of recently opened championships: a file by
// its absolute path, a URL without its password (libpq finds it in
// ~/.pgpass or PGPASSWORD).
QString RecentEntry(const QString& fileOrUrl);

bool IsUrl(const QString& fileOrUrl);

} // namespace Championship
