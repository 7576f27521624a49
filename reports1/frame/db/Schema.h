#pragma once
// The championship database: every table and column the print jobs read or
// write, their keys and indexes, and the schema version.
//
// Column kinds: text columns default to '' and numbers to 0, so a row that
// names only some columns compares as the jobs expect ("MVereinNr = ''",
// "Ergebnis > 0", "Disqualifikation = 0"); results, finals, shoot-offs,
// series sums and amounts are REAL, so "E.Ergebnis + (E.Finale / 10)" keeps
// its tenths; dates, times and dates with times are DATE, TIME and DATETIME
// (stored as "yyyy-mm-dd", "hh:mm:ss" and "yyyy-mm-dd hh:mm:ss" in SQLite).
// Rows of tables without a natural key carry an ID.

#include "platform/ado/Ado.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Schema {

// The version this program writes; stored in SCHEMAVERSION.
constexpr int Version = 1;

enum class Kind { Key, IntKey, Id, Text, Int, Real, Date, Time, DateTime, District };

struct Column {
    const char* name;
    Kind kind;
    const char* defaultValue = nullptr; // for Text/Int/Real: instead of '' / 0
};

struct Index {
    const char* name;   // "IDENTIFIKATION" becomes <TABLE>_IDENTIFIKATION in the database
    const char* fields; // "A,B"
};

struct Table {
    const char* name;
    std::vector<Column> columns;
    const char* primaryKey;    // "A,B"
    std::vector<Index> indexes;
};

const std::vector<Table>& Tables();
const Table* FindTable(const QString& name);

// CREATE TABLE / CREATE INDEX statements for an engine, and the settings
// table of the host.
QStringList Statements(Ado::TEngine engine);

// Creates every table and index and records the version, in one
// transaction. The database must be empty.
void Create(Ado::TADOConnection& connection);

// The version of an existing database (0 when it has none).
int InstalledVersion(Ado::TADOConnection& connection);

// Brings an older database to Version; throws when it is newer than this
// program knows.
void Upgrade(Ado::TADOConnection& connection);

} // namespace Schema
