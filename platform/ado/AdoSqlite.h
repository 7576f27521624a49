#pragma once
// What the data layer needs from SQLite below QtSql: the functions the
// statements use, and the declared type and origin of result columns.
// Internal to the data layer.

#include "platform/ado/AdoDataSet.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

namespace Ado::detail {

// Registers MID, DateValue and a case-folding LIKE on the connection whose
// driver handle is given. False with a message when that fails.
bool RegisterSqliteFunctions(const QVariant& driverHandle, QString* error);

// The statement with the literal values of its comparisons ("= 'A'",
// "> 0") taken out as "?", and in *values the values to bind to all its
// "?" in their order: those it had (bound) and the literals. Statements that
// differ only in such values then share one compiled statement. Anything
// else stays as written; a statement with other kinds of placeholders, or
// fewer values than its "?", comes back unchanged with bound as its values.
QString LiteralsAsParameters(const QString& sql, const QVariantList& bound, QVariantList* values);

// SELECTs run straight on an SQLite connection. Each statement is compiled
// once per text (after LiteralsAsParameters) and kept for the next run with
// other values; the rows are read without QtSql's per-row copies. The
// statements are finalized by Clear() or the destructor, which must come
// before the connection closes.
class TSqliteStatements {
public:
    explicit TSqliteStatements(const QVariant& driverHandle);
    ~TSqliteStatements();
    TSqliteStatements(const TSqliteStatements&) = delete;
    TSqliteStatements& operator=(const TSqliteStatements&) = delete;

    // Runs sql with values bound to its "?": the columns into defs and, when
    // rows is given, every row. False with SQLite's message when it refuses
    // the statement.
    bool Load(const QString& sql, const QVariantList& values, std::vector<TDataSet::FieldDef>& defs,
              QVector<QVector<QVariant>>* rows, QString* error);
    void Clear();
    // Statements kept (for tests).
    int Count() const { return int(entries_.size()); }

private:
    struct Entry;
    Entry* prepared(const QString& text, QString* error);
    void drop(const QString& text);
    bool run(Entry& e, const QVariantList& values, std::vector<TDataSet::FieldDef>& defs,
             QVector<QVector<QVariant>>* rows, QString* error);

    void* db_ = nullptr; // sqlite3*
    QHash<QString, std::shared_ptr<Entry>> entries_;
    quint64 clock_ = 0;
};

// The LIKE of the connections, for tests of its own: "%" any text, "_" one
// character, case folded on both sides.
bool LikeMatch(const QString& pattern, const QString& text, QChar escape = QChar());

} // namespace Ado::detail
