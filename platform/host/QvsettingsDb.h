#pragma once
// The settings store in the championship database: table QVSETTINGS with
// one row per program (the championship's name), user, section and key.
// Every workstation on the same database sees the same settings. Writes go
// to the table at once; reads come from a copy of the table that is loaded
// on the first read and kept up to date by this store's own writes.

#include "platform/host/Qvsettings.h"

#include <QHash>

namespace Ado {
class TADOConnection;
}

namespace Qvsettings {

class TDbSettings : public TQvSettings {
public:
    // Creates the table when it is missing.
    explicit TDbSettings(Ado::TADOConnection* connection);

    QString Read(const QString& programm, const QString& benutzer,
                 const QString& bereich, const QString& key) const override;
    void Write(const QString& programm, const QString& benutzer,
               const QString& bereich, const QString& key, const QString& value) override;

    // Forgets the copy; the next read loads the table again.
    void Reload() { loaded_ = false; }

    static const char* TableName() { return "QVSETTINGS"; }
    // CREATE statement of the table (one for every engine).
    static QString CreateTableSql();

private:
    void Load() const;

    Ado::TADOConnection* connection_;
    mutable bool loaded_ = false;
    mutable QHash<QString, QString> cache_;
};

} // namespace Qvsettings
