#pragma once
// A championship database for one test: a fresh database with the schema,
// opened as the host's database (DataModule1, DynQuery, the settings store
// and iIdent all use it), closed and removed when the test ends.
// Host::TestHostUi and its expectations are not touched.
//
// The database is an SQLite file in a temporary folder, or, when the
// environment names a PostgreSQL server (REPORTS1_TEST_PG: its URL, or a
// file holding it, as tests/support/pg-server writes), a database of its
// own on that server. The test programs run once for each engine.
//
//   Fixture::Database db;                        // championship Ident 1
//   db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "1"}, {"Ergebnis", 389}, {"Finale", 1023}});
//   db.setting("Speziell", "MitTab", "J");
//   EXPECT_EQ(db.count("ERGEBNIS", "Ergebnis > 0"), 1);
//
//   auto demo = Fixture::Database::Generated(600, 1); // a generated championship

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <utility>

namespace Ado {
class TADOConnection;
}

namespace Fixture {

using Values = std::initializer_list<std::pair<QString, QVariant>>;

class Database {
public:
    // With ident > 0 the database holds that championship in ZKTMP
    // ("Testmeisterschaft"), which becomes the host's iIdent and the scope
    // of settings; with 0 it holds none.
    explicit Database(int ident = 1);
    // A generated championship (Ident 1) of the given number of starts.
    static std::unique_ptr<Database> Generated(int starts = 600, quint32 seed = 1);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Inserts one row with only the named columns; the others take their
    // defaults. Returns the row's ID where the table has one, else 0.
    qint64 insert(const QString& table, Values values);
    // Runs a statement as jobs do (DynSQL).
    void exec(const QString& sql);
    // The first column of the first row; an invalid QVariant when none.
    QVariant value(const QString& sql);
    int count(const QString& table, const QString& where = {});
    // A setting of the championship's shared scope, stored in the database.
    void setting(const QString& bereich, const QString& key, const QVariant& value);

    // The SQLite file or the PostgreSQL URL the host opened.
    QString path() const { return path_; }
    // Whether this run's databases are on PostgreSQL.
    static bool OnPostgres();
    QString folder() const { return dir_.path(); }
    Ado::TADOConnection& connection() const;

private:
    struct Generate {};
    Database(Generate, int starts, quint32 seed);
    void open();
    // Creates the database and returns an open connection to it.
    void create(Ado::TADOConnection& c);

    QTemporaryDir dir_;
    QString path_;
    QString pgName_;   // the server's database of this fixture
};

} // namespace Fixture
