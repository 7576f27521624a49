#include "tests/support/Fixture.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Einstell.h"
#include "platform/host/Qvsettings.h"
#include "reports1/frame/db/Schema.h"

#include <stdexcept>

namespace Fixture {

namespace {
[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }
} // namespace

Database::Database(int ident)
{
    if (!dir_.isValid())
        fail("Kein temporärer Ordner");
    path_ = dir_.filePath("meisterschaft.sqlite");
    {
        Ado::TADOConnection c;
        QString error;
        if (!c.Open(path_, &error, true))
            fail(error);
        Schema::Create(c);
        if (ident > 0)
            c.Execute("INSERT INTO ZKTMP (Ident, Veranstalter, Veranstaltung) VALUES (?, ?, ?)",
                      {ident, "Testveranstalter", "Testmeisterschaft"});
    }
    open();
}

Database::Database(Generate, int starts, quint32 seed)
{
    if (!dir_.isValid())
        fail("Kein temporärer Ordner");
    path_ = dir_.filePath("meisterschaft.sqlite");
    Demo::Options o;
    o.starts = starts;
    o.seed = seed;
    QString error;
    if (!Demo::CreateDatabase(path_, o, true, &error))
        fail(error);
    open();
}

std::unique_ptr<Database> Database::Generated(int starts, quint32 seed)
{
    return std::unique_ptr<Database>(new Database(Generate{}, starts, seed));
}

void Database::open()
{
    Einstell::IniFile.ClearIdent();
    QString error;
    if (!Datamod::DataModule1()->OpenDatabase(path_, &error))
        fail(error);
}

Database::~Database()
{
    Datamod::DataModule1()->CloseDatabase();
    Einstell::IniFile.ClearIdent();
}

Ado::TADOConnection& Database::connection() const
{
    Ado::TADOConnection* c = Datamod::DataModule1()->Connection();
    if (!c)
        fail("Keine Datenbank geöffnet");
    return *c;
}

qint64 Database::insert(const QString& table, Values values)
{
    QStringList cols, marks;
    QVariantList binds;
    for (const auto& [col, v] : values) {
        cols << col;
        marks << "?";
        binds << v;
    }
    const QString sql = cols.isEmpty() ? QString("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                       : QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(", "), marks.join(", "));
    connection().Execute(sql, binds);
    const Schema::Table* t = Schema::FindTable(table);
    if (t && QString(t->primaryKey) == "ID")
        return connection().Scalar("SELECT MAX(ID) FROM " + table).toLongLong();
    return 0;
}

void Database::exec(const QString& sql) { Datamod::DataModule1()->DynSQL(sql); }

QVariant Database::value(const QString& sql) { return connection().Scalar(sql); }

int Database::count(const QString& table, const QString& where)
{
    QString sql = "SELECT COUNT(*) FROM " + table;
    if (!where.isEmpty())
        sql += " WHERE " + where;
    return value(sql).toInt();
}

void Database::setting(const QString& bereich, const QString& key, const QVariant& value)
{
    Qvsettings::SetString(bereich, key, value.toString());
}

} // namespace Fixture
