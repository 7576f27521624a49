// The connection: SQLite file or PostgreSQL URL, the functions every
// connection offers, transactions, and the per-engine adaptation of
// statement text.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoError.h"
#include "platform/ado/AdoSqlite.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QUrl>

#include <atomic>

namespace Ado {

namespace {

TADOConnection*& defaultConnection()
{
    static TADOConnection* c = nullptr;
    return c;
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// PostgreSQL keeps these as SQL functions; created when missing.
const char* const kPgFunctions[] = {
    "CREATE OR REPLACE FUNCTION mid(text, integer, integer) RETURNS text "
    "AS $$ SELECT substr($1, greatest($2, 1), greatest($3, 0)) $$ LANGUAGE sql IMMUTABLE",
    "CREATE OR REPLACE FUNCTION mid(text, integer) RETURNS text "
    "AS $$ SELECT substr($1, greatest($2, 1)) $$ LANGUAGE sql IMMUTABLE",
    "CREATE OR REPLACE FUNCTION datevalue(text) RETURNS date AS $$ "
    "SELECT CASE WHEN $1 ~ '^\\d{4}-\\d{2}-\\d{2}' THEN to_date(substr($1, 1, 10), 'YYYY-MM-DD') "
    "WHEN $1 ~ '^\\d{1,2}\\.\\d{1,2}\\.\\d{4}$' THEN to_date($1, 'DD.MM.YYYY') "
    "WHEN $1 ~ '^\\d{1,2}\\.\\d{1,2}\\.\\d{2}$' THEN to_date($1, 'DD.MM.YY') END $$ LANGUAGE sql IMMUTABLE",
};

} // namespace

TADOConnection* DefaultConnection() { return defaultConnection(); }
void SetDefaultConnection(TADOConnection* c) { defaultConnection() = c; }

QString QuotedStr(const QString& s)
{
    QString r = s;
    r.replace('\'', "''");
    return '\'' + r + '\'';
}

namespace {

// Access lets an aggregate name a column alias of the same select list
// ("SELECT MID(VereinNr,1,2) AS Bezirk, Count(Bezirk) AS Anzahl");
// PostgreSQL does not know the alias there, so the aggregate gets the
// alias's expression instead.
QString aliasesInAggregates(const QString& sql)
{
    static const QRegularExpression aggregat(R"(\b(Count|Sum|Min|Max|Avg)\(\s*([A-Za-z_][A-Za-z0-9_]*)\s*\))",
                                             QRegularExpression::CaseInsensitiveOption);
    if (!sql.contains(aggregat))
        return sql;
    QString out = sql;
    qsizetype pos = 0;
    QRegularExpressionMatch m;
    while ((m = aggregat.match(out, pos)).hasMatch()) {
        const QString alias = m.captured(2);
        // The alias's expression: from the select list's start or the last
        // comma outside parentheses before " AS alias".
        static const QRegularExpression selectAnfang(R"(\bSELECT\s+(DISTINCT\s+)?)",
                                                     QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression als("\\s+AS\\s+" + QRegularExpression::escape(alias) + "\\b",
                                     QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch a = als.match(out);
        QString ausdruck;
        if (a.hasMatch() && a.capturedStart() < m.capturedStart()) {
            qsizetype anfang = 0;
            for (auto it = selectAnfang.globalMatch(out.left(a.capturedStart())); it.hasNext();)
                anfang = it.next().capturedEnd();
            int tiefe = 0;
            for (qsizetype k = anfang; k < a.capturedStart(); ++k) {
                if (out[k] == '(')
                    ++tiefe;
                else if (out[k] == ')')
                    --tiefe;
                else if (out[k] == ',' && tiefe == 0)
                    anfang = k + 1;
            }
            ausdruck = out.mid(anfang, a.capturedStart() - anfang).trimmed();
        }
        if (ausdruck.isEmpty() || ausdruck.compare(alias, Qt::CaseInsensitive) == 0) {
            pos = m.capturedEnd();
            continue;
        }
        const QString ersatz = m.captured(1) + "(" + ausdruck + ")";
        out.replace(m.capturedStart(), m.capturedLength(), ersatz);
        pos = m.capturedStart() + ersatz.size();
    }
    return out;
}

} // namespace

QString AdaptSql(const QString& sql, TEngine engine)
{
    if (engine == engSQLite)
        return sql;
    // PostgreSQL: "text" literals become 'text'; LIKE ignores case as in
    // the other engines (ILIKE).
    QString out;
    out.reserve(sql.size() + 16);
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == '\'') {
            qsizetype j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '\'') {
                    if (j + 1 < sql.size() && sql[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j;
            continue;
        }
        if (c == '"') {
            QString value;
            qsizetype j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '"') {
                    if (j + 1 < sql.size() && sql[j + 1] == '"') {
                        value += '"';
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += sql[j++];
            }
            out += QuotedStr(value);
            i = j;
            continue;
        }
        if ((c == 'L' || c == 'l') && (i == 0 || !isWordChar(sql[i - 1]))
            && sql.mid(i, 4).compare("LIKE", Qt::CaseInsensitive) == 0
            && (i + 4 >= sql.size() || !isWordChar(sql[i + 4]))) {
            out += "ILIKE";
            i += 3;
            continue;
        }
        out += c;
    }
    return aliasesInAggregates(out);
}

TADOConnection::TADOConnection()
{
    static std::atomic<int> counter{0};
    connectionName_ = QString("qvado-%1").arg(++counter);
}

TADOConnection::~TADOConnection()
{
    Close();
    if (defaultConnection() == this)
        defaultConnection() = nullptr;
}

QSqlDatabase TADOConnection::Database() const { return QSqlDatabase::database(connectionName_, false); }

bool TADOConnection::Connected() const
{
    return QSqlDatabase::contains(connectionName_) && Database().isOpen();
}

bool TADOConnection::Open(const QString& fileOrUrl, QString* error, bool create)
{
    Close();
    target_ = fileOrUrl;
    const bool isUrl = fileOrUrl.startsWith("postgres://") || fileOrUrl.startsWith("postgresql://");
    engine_ = isUrl ? engPostgreSQL : engSQLite;
    QString msg;
    if (!isUrl && !create && !QFileInfo::exists(fileOrUrl)) {
        msg = QString("Die Datenbank \"%1\" ist nicht vorhanden").arg(fileOrUrl);
    } else {
        // The handle is released before a failed connection is removed.
        QSqlDatabase db = QSqlDatabase::addDatabase(isUrl ? "QPSQL" : "QSQLITE", connectionName_);
        if (isUrl) {
            const QUrl url(fileOrUrl);
            db.setHostName(url.host().isEmpty() ? QString("localhost") : url.host());
            db.setPort(url.port(5432));
            db.setUserName(url.userName());
            db.setPassword(url.password());
            db.setDatabaseName(url.path().mid(1));
        } else {
            db.setDatabaseName(fileOrUrl);
            db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
        }
        if (!db.open())
            msg = "Datenbank nicht geöffnet: " + db.lastError().text();
        else if (isUrl)
            QSqlQuery(db).exec("SET client_min_messages TO warning"); // no notices on the console
    }
    if (msg.isEmpty())
        RegisterFunctions(&msg);
    if (msg.isEmpty())
        return true;
    if (error)
        *error = msg;
    Close();
    return false;
}

bool TADOConnection::RegisterFunctions(QString* error)
{
    if (engine_ == engSQLite) {
        sqlite_ = std::make_unique<detail::TSqliteStatements>(Database().driver()->handle());
        return detail::RegisterSqliteFunctions(Database().driver()->handle(), error);
    }
    QSqlQuery q(Database());
    if (q.exec("SELECT count(*) FROM pg_proc WHERE proname IN ('mid', 'datevalue')") && q.next()
        && q.value(0).toInt() >= 3)
        return true;
    for (const char* sql : kPgFunctions) {
        if (!q.exec(QString::fromUtf8(sql))) {
            if (error)
                *error = "Funktionen MID/DateValue nicht angelegt: " + q.lastError().text();
            return false;
        }
    }
    return true;
}

void TADOConnection::Close()
{
    keyCache_.clear();
    // Kept statements go before the connection they belong to.
    sqlite_.reset();
    transDepth_ = 0;
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = Database();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QString TADOConnection::AdaptSql(const QString& sql) const { return Ado::AdaptSql(sql, engine_); }

namespace {

// What the database's message means, in words a results office reads.
QString ursache(const QString& driverText)
{
    const QString t = driverText.toLower();
    static const QRegularExpression tabelle(R"((?:no such table|relation)[: ]+"?([A-Za-z0-9_.]+))");
    static const QRegularExpression spalte(R"((?:no such column|column)[: ]+"?([A-Za-z0-9_.]+))");
    if (t.contains("locked") || t.contains("busy"))
        return "die Datenbank ist gesperrt, ein anderer Arbeitsplatz schreibt gerade";
    if (t.contains("readonly") || t.contains("read-only") || t.contains("read only"))
        return "die Datenbank ist schreibgeschützt";
    if (t.contains("disk is full") || t.contains("disk i/o") || t.contains("no space"))
        return "der Datenträger ist voll oder nicht beschreibbar";
    if (t.contains("not a database") || t.contains("malformed") || t.contains("corrupt"))
        return "die Datei ist keine oder eine beschädigte Datenbank";
    if (const auto m = tabelle.match(driverText); m.hasMatch() && (t.contains("no such table") || t.contains("does not exist")))
        return "die Tabelle " + m.captured(1) + " fehlt";
    if (const auto m = spalte.match(driverText); m.hasMatch() && (t.contains("no such column") || t.contains("does not exist")))
        return "die Spalte " + m.captured(1) + " fehlt";
    if (t.contains("constraint") || t.contains("unique") || t.contains("duplicate"))
        return "ein Eintrag verletzt eine Regel der Tabelle";
    if (t.contains("permission denied"))
        return "keine Berechtigung";
    if (t.contains("could not connect") || t.contains("connection refused") || t.contains("server closed"))
        return "der Datenbankserver ist nicht erreichbar";
    if (t.contains("syntax error"))
        return "die Anweisung ist fehlerhaft";
    return "die Anweisung konnte nicht ausgeführt werden";
}

} // namespace

EDatenfehler TADOConnection::Fehler(const QString& what, const QString& driverText, const QString& sql) const
{
    const QString wo = engine_ == engSQLite ? QFileInfo(target_).fileName() : QUrl(target_).toDisplayString(QUrl::RemovePassword);
    QString detail = driverText.trimmed();
    if (!sql.isEmpty())
        detail += "\n" + sql.trimmed();
    return EDatenfehler(QString("%1 in \"%2\": %3").arg(what, wo, ursache(driverText)), detail);
}

QVariant TADOConnection::BindValue(const QVariant& v, TFieldType type) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::QDate:
        return engine_ == engSQLite ? QVariant(v.toDate().toString("yyyy-MM-dd")) : v;
    case QMetaType::QTime:
        return engine_ == engSQLite ? QVariant(v.toTime().toString("HH:mm:ss")) : v;
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (type == ftDate)
            return engine_ == engSQLite ? QVariant(dt.date().toString("yyyy-MM-dd")) : QVariant(dt.date());
        if (type == ftTime)
            return engine_ == engSQLite ? QVariant(dt.time().toString("HH:mm:ss")) : QVariant(dt.time());
        return engine_ == engSQLite ? QVariant(dt.toString("yyyy-MM-dd HH:mm:ss")) : v;
    }
    default:
        return v;
    }
}

void TADOConnection::Execute(const QString& sql)
{
    if (!Connected())
        throw EDatenfehler("Keine Datenbank geöffnet");
    QSqlQuery q(Database());
    const QString text = AdaptSql(sql);
    if (!q.exec(text))
        throw Fehler("Datenbankfehler", q.lastError().text(), sql);
}

QSqlQuery TADOConnection::Run(const QString& sql, const QVariantList& values, const QString& originalSql)
{
    if (!Connected())
        throw EDatenfehler("Keine Datenbank geöffnet");
    const QString& named = originalSql.isEmpty() ? sql : originalSql;
    QSqlQuery q(Database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw Fehler("Datenbankfehler", q.lastError().text(), named);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw Fehler("Datenbankfehler", q.lastError().text(), named);
    return q;
}

namespace {
QVariantList bound(const TADOConnection& c, const QVariantList& values)
{
    QVariantList out;
    out.reserve(values.size());
    for (const QVariant& v : values)
        out << c.BindValue(v);
    return out;
}
} // namespace

int TADOConnection::Execute(const QString& sql, const QVariantList& values)
{
    return Run(sql, bound(*this, values)).numRowsAffected();
}

TPreparedStatement::TPreparedStatement(TADOConnection& c, const QString& sql) : c_(c), sql_(sql)
{
    if (!c_.Connected())
        throw EDatenfehler("Keine Datenbank geöffnet");
    q_ = std::make_unique<QSqlQuery>(c_.Database());
    q_->setForwardOnly(true);
    if (!q_->prepare(sql_))
        throw c_.Fehler("Datenbankfehler", q_->lastError().text(), sql_);
}

TPreparedStatement::~TPreparedStatement() = default;

int TPreparedStatement::Execute(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q_->bindValue(i, c_.BindValue(values[i]));
    if (!q_->exec())
        throw c_.Fehler("Datenbankfehler", q_->lastError().text(), sql_);
    return q_->numRowsAffected();
}

QVariant TADOConnection::Scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = Run(AdaptSql(sql), bound(*this, values), sql);
    if (!q.next())
        return QVariant();
    QVariant v = q.value(0);
    return v.isNull() ? QVariant() : v;
}

bool TADOConnection::TableExists(const QString& table) const
{
    if (!Connected())
        return false;
    const QStringList tables = Database().tables();
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TADOConnection::BeginTrans()
{
    if (!Connected())
        throw EDatenfehler("Keine Datenbank geöffnet");
    if (transDepth_ == 0) {
        QSqlDatabase db = Database();
        if (!db.transaction())
            throw Fehler("Transaktion nicht begonnen", db.lastError().text(), QString());
    }
    ++transDepth_;
}

void TADOConnection::CommitTrans()
{
    if (transDepth_ == 0)
        return;
    if (--transDepth_ == 0) {
        QSqlDatabase db = Database();
        if (!db.commit()) {
            const QString err = db.lastError().text();
            db.rollback();
            throw Fehler("Transaktion nicht abgeschlossen", err, QString());
        }
    }
}

void TADOConnection::RollbackTrans()
{
    if (transDepth_ == 0)
        return;
    transDepth_ = 0;
    Database().rollback();
}

QStringList TADOConnection::PrimaryKey(const QString& table) const
{
    const QString key = table.toUpper();
    auto it = keyCache_.constFind(key);
    if (it != keyCache_.constEnd())
        return *it;
    QStringList cols;
    if (Connected()) {
        QSqlDatabase db = Database();
        const QSqlIndex idx = db.primaryIndex(engine_ == engPostgreSQL ? table.toLower() : table);
        for (int i = 0; i < idx.count(); ++i)
            cols << idx.fieldName(i);
    }
    keyCache_.insert(key, cols);
    return cols;
}

QString TADOConnection::DatabaseIndexName(const QString& table, const QString& index) const
{
    return table.toUpper() + "_" + index.toUpper();
}

QStringList TADOConnection::IndexFields(const QString& table, const QString& index) const
{
    QStringList cols;
    if (!Connected())
        return cols;
    QSqlQuery q(Database());
    for (const QString& name : {DatabaseIndexName(table, index), index}) {
        if (engine_ == engSQLite) {
            q.prepare("SELECT name FROM sqlite_master WHERE type = 'index' AND lower(name) = lower(?) "
                      "AND lower(tbl_name) = lower(?)");
            q.addBindValue(name);
            q.addBindValue(table);
            if (!q.exec() || !q.next())
                continue;
            const QString real = q.value(0).toString();
            q.finish();
            if (q.exec(QString("PRAGMA index_info(%1)").arg(QuotedStr(real))))
                while (q.next())
                    cols << q.value(2).toString();
        } else {
            q.prepare("SELECT a.attname FROM pg_class t JOIN pg_index ix ON t.oid = ix.indrelid "
                      "JOIN pg_class i ON i.oid = ix.indexrelid "
                      "JOIN LATERAL unnest(ix.indkey) WITH ORDINALITY AS k(attnum, ord) ON true "
                      "JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = k.attnum "
                      "WHERE t.relname = lower(?) AND i.relname = lower(?) ORDER BY k.ord");
            q.addBindValue(table);
            q.addBindValue(name);
            if (q.exec())
                while (q.next())
                    cols << q.value(0).toString();
        }
        if (!cols.isEmpty())
            break;
    }
    return cols;
}

} // namespace Ado
