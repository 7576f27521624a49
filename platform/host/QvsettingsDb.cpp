#include "platform/host/QvsettingsDb.h"
#include "platform/ado/Ado.h"
#include "platform/host/Eingabefehler.h"

#include <QSqlQuery>

namespace Qvsettings {

namespace {
QString address(const QString& p, const QString& u, const QString& b, const QString& k)
{
    return p + QChar(0x1f) + u + QChar(0x1f) + b + QChar(0x1f) + k;
}
} // namespace

QString TDbSettings::CreateTableSql()
{
    return "CREATE TABLE IF NOT EXISTS QVSETTINGS ("
           "Programm TEXT NOT NULL, Benutzer TEXT NOT NULL, Bereich TEXT NOT NULL, "
           "Schluessel TEXT NOT NULL, Wert TEXT NOT NULL DEFAULT '', "
           "PRIMARY KEY (Programm, Benutzer, Bereich, Schluessel))";
}

TDbSettings::TDbSettings(Ado::TADOConnection* connection) : connection_(connection)
{
    if (connection_ && connection_->Connected() && !connection_->TableExists(TableName()))
        connection_->Execute(CreateTableSql());
}

void TDbSettings::Load() const
{
    cache_.clear();
    loaded_ = true;
    if (!connection_ || !connection_->Connected())
        return;
    QSqlQuery q(connection_->Database());
    q.setForwardOnly(true);
    if (!q.exec("SELECT Programm, Benutzer, Bereich, Schluessel, Wert FROM QVSETTINGS"))
        return; // no table: every key reads as unset
    while (q.next())
        cache_.insert(address(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString()),
                      q.value(4).toString());
}

QString TDbSettings::Read(const QString& p, const QString& u, const QString& b, const QString& k) const
{
    if (!loaded_)
        Load();
    return cache_.value(address(p, u, b, k));
}

void TDbSettings::Write(const QString& p, const QString& u, const QString& b, const QString& k, const QString& v)
{
    if (!connection_ || !connection_->Connected())
        throw EHostFehler("Einstellung nicht gespeichert: keine Datenbank geöffnet");
    // An empty text is stored as such (a championship without a name has
    // its settings under the empty name), never as NULL.
    const auto text = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
    connection_->Execute("INSERT INTO QVSETTINGS (Programm, Benutzer, Bereich, Schluessel, Wert) "
                         "VALUES (?, ?, ?, ?, ?) ON CONFLICT (Programm, Benutzer, Bereich, Schluessel) "
                         "DO UPDATE SET Wert = excluded.Wert",
                         {text(p), text(u), text(b), text(k), text(v)});
    if (loaded_)
        cache_.insert(address(p, u, b, k), v);
}

} // namespace Qvsettings
