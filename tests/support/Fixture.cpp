#include "tests/support/Fixture.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Einstell.h"
#include "platform/host/Qvsettings.h"
#include "reports1/frame/db/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include <stdexcept>

namespace Fixture {

namespace {
[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

// The server of this run: REPORTS1_TEST_PG holds its URL or names a file
// that does. Empty for SQLite.
QString serverUrl()
{
    static const QString url = [] {
        const QString v = qEnvironmentVariable("REPORTS1_TEST_PG").trimmed();
        if (v.isEmpty() || v.startsWith("postgres"))
            return v;
        QFile f(v);
        if (!f.open(QIODevice::ReadOnly))
            fail("Die Adresse des PostgreSQL-Servers ist nicht lesbar: " + v);
        return QString::fromUtf8(f.readAll()).trimmed();
    }();
    return url;
}

QString withDatabase(const QString& url, const QString& name)
{
    QUrl u(url);
    u.setPath("/" + name);
    return u.toString();
}

void onServer(const QString& sql)
{
    Ado::TADOConnection admin;
    QString error;
    if (!admin.Open(serverUrl(), &error))
        fail(error);
    admin.Execute(sql);
}
} // namespace

bool Database::OnPostgres() { return !serverUrl().isEmpty(); }

void Database::create(Ado::TADOConnection& c)
{
    if (!dir_.isValid())
        fail("Kein temporärer Ordner");
    if (OnPostgres()) {
        static int counter = 0;
        pgName_ = QString("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        onServer("CREATE DATABASE " + pgName_);
        path_ = withDatabase(serverUrl(), pgName_);
    } else {
        path_ = dir_.filePath("meisterschaft.sqlite");
    }
    QString error;
    if (!c.Open(path_, &error, true))
        fail(error);
    Schema::Create(c);
}

Database::Database(int ident)
{
    {
        Ado::TADOConnection c;
        create(c);
        if (ident > 0)
            c.Execute("INSERT INTO ZKTMP (Ident, Veranstalter, Veranstaltung) VALUES (?, ?, ?)",
                      {ident, "Testveranstalter", "Testmeisterschaft"});
    }
    open();
}

Database::Database(Generate, int starts, quint32 seed)
{
    Demo::Options o;
    o.starts = starts;
    o.seed = seed;
    {
        Ado::TADOConnection c;
        create(c);
        Demo::Generate(c, o);
    }
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
    if (!pgName_.isEmpty()) {
        try {
            onServer("DROP DATABASE IF EXISTS " + pgName_ + " WITH (FORCE)");
        } catch (...) {
            // A database left on the throwaway server goes with it.
        }
    }
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
