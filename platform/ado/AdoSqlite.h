#pragma once
// What the data layer needs from SQLite below QtSql: the functions the
// statements use, and the declared type and origin of result columns.
// Internal to the data layer.

#include <QString>
#include <QVariant>

namespace Ado::detail {

// Registers MID, DateValue and a case-folding LIKE on the connection whose
// driver handle is given. False with a message when that fails.
bool RegisterSqliteFunctions(const QVariant& driverHandle, QString* error);

struct ColumnInfo {
    QString declared;   // declared type, empty for expressions
    QString table;      // origin table, empty for expressions
    QString column;     // origin column
};
// Column information of a prepared statement (the handle of a QSqlResult).
bool SqliteColumnInfo(const QVariant& statementHandle, int column, ColumnInfo* info);

// The LIKE of the connections, for tests of its own: "%" any text, "_" one
// character, case folded on both sides.
bool LikeMatch(const QString& pattern, const QString& text, QChar escape = QChar());

} // namespace Ado::detail
