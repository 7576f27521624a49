// Queries, tables and client datasets: reading rows into memory and writing
// posted records back.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoError.h"
#include "platform/ado/AdoSqlite.h"
#include "platform/ado/AdoValues.h"

#include <QRegularExpression>
#include <optional>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

namespace Ado {

using namespace detail;

namespace {

TADOConnection* connected(TADOConnection* c)
{
    TADOConnection* conn = c ? c : DefaultConnection();
    if (!conn || !conn->Connected())
        throw EDatenfehler("Keine Datenbank geöffnet");
    return conn;
}

// The single table of "SELECT ... FROM T [alias] [WHERE|ORDER|GROUP ...]",
// for engines that do not tell where result columns come from.
QString singleTableOf(const QString& sql)
{
    static const QRegularExpression re(
        R"(\bFROM\s+([A-Za-z_][A-Za-z0-9_]*)(?:\s+(?:AS\s+)?(?!WHERE\b|ORDER\b|GROUP\b)[A-Za-z_][A-Za-z0-9_]*)?\s*(?:WHERE\b|ORDER\b|GROUP\b|;|$))",
        QRegularExpression::CaseInsensitiveOption);
    auto m = re.match(sql);
    if (!m.hasMatch() || sql.contains(QRegularExpression(R"(\bJOIN\b)", QRegularExpression::CaseInsensitiveOption)))
        return QString();
    return m.captured(1);
}

// Runs the statement and reads every row into memory. With a prepared query
// given, the statement is prepared into it only when its text is not the one
// it already holds: a dataset reopened for group after group with new
// parameter values parses its statement once. SQLite connections keep their
// statements themselves and are read straight from SQLite.
void loadRows(TADOConnection* conn, const QString& text, const QVariantList& values,
              std::vector<TDataSet::FieldDef>& defs, QVector<QVector<QVariant>>& rows,
              const QString& originalSql, bool keepRows = true, QSqlQuery* prepared = nullptr,
              QString* preparedText = nullptr)
{
    if (conn->Engine() == engSQLite) {
        QVariantList bound;
        bound.reserve(values.size());
        for (const QVariant& v : values)
            bound << conn->BindValue(v);
        QString error;
        if (!conn->SqliteStatements()->Load(text, bound, defs, keepRows ? &rows : nullptr, &error))
            throw conn->Fehler("Datenbankfehler", error, originalSql);
        return;
    }
    std::optional<QSqlQuery> own;
    QSqlQuery* qp = prepared;
    if (!qp) {
        own.emplace(conn->Database());
        qp = &*own;
    }
    QSqlQuery& q = *qp;
    const QString sql = conn->AdaptSql(text);
    auto prepare = [&] {
        q.setForwardOnly(true);
        if (!q.prepare(sql)) {
            if (preparedText)
                preparedText->clear();
            throw conn->Fehler("Datenbankfehler", q.lastError().text(), originalSql);
        }
        if (preparedText)
            *preparedText = sql;
    };
    const bool reuse = preparedText && *preparedText == sql;
    if (!reuse)
        prepare();
    auto bindAndExec = [&] {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, conn->BindValue(values[i]));
        return q.exec();
    };
    if (!bindAndExec()) {
        // A statement kept from before may have been finalised with its
        // connection; prepare it anew once.
        if (!reuse)
            throw conn->Fehler("Datenbankfehler", q.lastError().text(), originalSql);
        prepare();
        if (!bindAndExec())
            throw conn->Fehler("Datenbankfehler", q.lastError().text(), originalSql);
    }

    const QSqlRecord rec = q.record();
    const int n = rec.count();
    defs.assign(size_t(n), {});
    std::vector<bool> declared(size_t(n), false);
    const QString fallbackTable = singleTableOf(text);
    for (int i = 0; i < n; ++i) {
        TDataSet::FieldDef& d = defs[size_t(i)];
        d.name = rec.fieldName(i);
        const QSqlField f = rec.field(i);
        switch (f.metaType().id()) {
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
            d.type = ftInteger; break;
        case QMetaType::Double: d.type = ftFloat; break;
        case QMetaType::QDate: d.type = ftDate; break;
        case QMetaType::QTime: d.type = ftTime; break;
        case QMetaType::QDateTime: d.type = ftDateTime; break;
        case QMetaType::QString: d.type = ftString; break;
        default: d.type = ftUnknown; break;
        }
        d.baseTable = f.tableName().isEmpty() ? fallbackTable : f.tableName();
        d.baseColumn = d.baseTable.isEmpty() ? QString() : d.name;
        declared[size_t(i)] = d.type != ftUnknown;
    }
    if (!keepRows)
        return;
    std::vector<TFieldType> seen(size_t(n), ftUnknown);
    while (q.next()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i) {
            QVariant v = q.value(i);
            if (v.isNull()) {
                row[i] = QVariant();
                continue;
            }
            if (!declared[size_t(i)])
                seen[size_t(i)] = MergeTypes(seen[size_t(i)], TypeOfValue(v));
            row[i] = FromDatabase(v, defs[size_t(i)].type);
        }
        rows.append(std::move(row));
    }
    for (int i = 0; i < n; ++i)
        if (!declared[size_t(i)])
            defs[size_t(i)].type = seen[size_t(i)] == ftUnknown ? ftString : seen[size_t(i)];
}

} // namespace

// ---------------------------------------------------------------- TADOQuery

TADOQuery::TADOQuery(TADOConnection* connection) : connection_(connection) {}
TADOQuery::~TADOQuery() = default;

TADOConnection* TADOQuery::Connection() const { return connection_ ? connection_ : DefaultConnection(); }

void TADOQuery::DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows)
{
    TADOConnection* conn = connected(connection_);
    QVariantList values;
    const QString text = BoundText(values);
    if (conn->Engine() == engSQLite) {
        loadRows(conn, text, values, defs, rows, SQL());
        FindUpdateTable(defs);
        return;
    }
    if (!prepared_ || preparedConnection_ != conn) {
        prepared_ = std::make_unique<QSqlQuery>(conn->Database());
        preparedConnection_ = conn;
        preparedText_.clear();
    }
    loadRows(conn, text, values, defs, rows, SQL(), true, prepared_.get(), &preparedText_);
    prepared_->finish();
    FindUpdateTable(defs);
}

void TADOQuery::FindUpdateTable(const std::vector<FieldDef>& defs)
{
    updateTable_.clear();
    keyFields_.clear();
    QString table;
    for (const FieldDef& d : defs) {
        if (d.baseTable.isEmpty())
            continue;
        if (table.isEmpty())
            table = d.baseTable;
        else if (table.compare(d.baseTable, Qt::CaseInsensitive) != 0)
            return; // columns of several tables: not written back
    }
    if (table.isEmpty())
        return;
    const QStringList key = Connection()->PrimaryKey(table);
    if (key.isEmpty())
        return;
    for (const QString& k : key) {
        int found = -1;
        for (size_t i = 0; i < defs.size(); ++i)
            if (defs[i].baseColumn.compare(k, Qt::CaseInsensitive) == 0) {
                found = int(i);
                break;
            }
        if (found < 0)
            return;
        keyFields_.push_back(found);
    }
    updateTable_ = table;
}

bool TADOQuery::DoCanModify() const { return lock_ != ltReadOnly && !updateTable_.isEmpty(); }

QString TADOQuery::KeyCondition(const Row& row, QVariantList& values) const
{
    QStringList parts;
    for (int f : keyFields_) {
        parts << Fields()[size_t(f)]->BaseColumn() + " = ?";
        values << Connection()->BindValue(row.value(f), Fields()[size_t(f)]->DataType());
    }
    return parts.join(" AND ");
}

void TADOQuery::TakeReturnedRow(QSqlQuery& q, Row& row) const
{
    const QSqlRecord rec = q.record();
    for (int c = 0; c < rec.count(); ++c) {
        const QString col = rec.fieldName(c);
        for (const auto& f : Fields())
            if (f->BaseTable().compare(updateTable_, Qt::CaseInsensitive) == 0
                && f->BaseColumn().compare(col, Qt::CaseInsensitive) == 0) {
                QVariant v = q.value(c);
                row[f->Index()] = v.isNull() ? QVariant() : FromDatabase(v, f->DataType());
            }
    }
}

void TADOQuery::DoPostEdit(const Row& before, Row& row, const QVector<bool>& modified)
{
    TADOConnection* conn = connected(connection_);
    QStringList sets;
    QVariantList values;
    for (const auto& f : Fields()) {
        if (!modified[f->Index()] || f->BaseColumn().isEmpty()
            || f->BaseTable().compare(updateTable_, Qt::CaseInsensitive) != 0)
            continue;
        sets << f->BaseColumn() + " = ?";
        values << conn->BindValue(row.value(f->Index()), f->DataType());
    }
    if (sets.isEmpty())
        return;
    const QString sql = QString("UPDATE %1 SET %2 WHERE %3 RETURNING *")
                            .arg(updateTable_, sets.join(", "), KeyCondition(before, values));
    QSqlQuery q = conn->Run(sql, values);
    if (!q.next())
        throw EDatenfehler(QString("Der Datensatz in %1 wurde nicht gefunden").arg(updateTable_));
    TakeReturnedRow(q, row);
}

void TADOQuery::DoPostInsert(Row& row, const QVector<bool>& modified)
{
    TADOConnection* conn = connected(connection_);
    QStringList cols, marks;
    QVariantList values;
    for (const auto& f : Fields()) {
        if (!modified[f->Index()] || f->BaseColumn().isEmpty()
            || f->BaseTable().compare(updateTable_, Qt::CaseInsensitive) != 0)
            continue;
        cols << f->BaseColumn();
        marks << "?";
        values << conn->BindValue(row.value(f->Index()), f->DataType());
    }
    const QString sql = cols.isEmpty()
        ? QString("INSERT INTO %1 DEFAULT VALUES RETURNING *").arg(updateTable_)
        : QString("INSERT INTO %1 (%2) VALUES (%3) RETURNING *").arg(updateTable_, cols.join(", "), marks.join(", "));
    QSqlQuery q = conn->Run(sql, values);
    if (q.next())
        TakeReturnedRow(q, row);
}

void TADOQuery::DoDelete(const Row& row)
{
    TADOConnection* conn = connected(connection_);
    QVariantList values;
    const QString sql = QString("DELETE FROM %1 WHERE %2").arg(updateTable_, KeyCondition(row, values));
    conn->Run(sql, values);
}

// ---------------------------------------------------------------- TADOTable

TADOTable::TADOTable(TADOConnection* connection) : TADOQuery(connection) {}

void TADOTable::SetTableName(const QString& name)
{
    Close();
    table_ = name;
}

void TADOTable::SetIndexName(const QString& name)
{
    index_ = name;
    if (Active()) {
        CheckBrowseMode();
        Close();
        Open();
    }
}

void TADOTable::DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows)
{
    if (table_.isEmpty())
        throw EDatenfehler("Kein Tabellenname angegeben");
    TADOConnection* conn = connected(Connection());
    static const QRegularExpression plainName("^[A-Za-z_][A-Za-z0-9_]*$");
    if (!plainName.match(table_).hasMatch())
        throw EDatenfehler(QString("Ungültiger Tabellenname '%1'").arg(table_));
    if (!index_.isEmpty()) {
        indexFields_ = conn->IndexFields(table_, index_);
        if (indexFields_.isEmpty())
            throw EDatenfehler(QString("Index '%1' der Tabelle %2 nicht gefunden").arg(index_, table_));
    } else {
        indexFields_ = conn->PrimaryKey(table_);
    }
    QString sql = "SELECT * FROM " + table_;
    if (!indexFields_.isEmpty())
        sql += " ORDER BY " + indexFields_.join(", ");
    loadRows(conn, sql, {}, defs, rows, sql);
    // The table is written to even when its fields carry no origin.
    for (FieldDef& d : defs)
        if (d.baseTable.isEmpty()) {
            d.baseTable = table_;
            d.baseColumn = d.name;
        }
    keys_.clear();
    for (const QString& f : indexFields_)
        for (size_t i = 0; i < defs.size(); ++i)
            if (defs[i].name.compare(f, Qt::CaseInsensitive) == 0)
                keys_.emplace_back(int(i), false);
    TADOQuery::FindUpdateTable(defs);
}

const std::vector<std::pair<int, bool>>* TADOTable::SortKeys() const { return &keys_; }

bool TADOTable::Seek(const QVariantList& keyValues, TSeekOption option)
{
    CheckActive();
    CheckBrowseMode();
    const int k = int(std::min<size_t>(size_t(keyValues.size()), keys_.size()));
    if (k == 0)
        return false;
    auto cmp = [&](int rowIndex) {
        const Row& r = Rows()[rowIndex];
        for (int i = 0; i < k; ++i) {
            int c = detail::Compare(r.value(keys_[size_t(i)].first),
                                    ForField(keyValues[i], Fields()[size_t(keys_[size_t(i)].first)]->DataType()));
            if (c != 0)
                return c;
        }
        return 0;
    };
    const QVector<int>& vis = Visible();
    // First position whose key is not below, and first whose key is above.
    int lo = 0, hi = int(vis.size());
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (cmp(vis[mid]) < 0) lo = mid + 1; else hi = mid;
    }
    const int firstNotBelow = lo;
    hi = int(vis.size());
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (cmp(vis[mid]) <= 0) lo = mid + 1; else hi = mid;
    }
    const int firstAbove = lo;
    int pos = -1;
    switch (option) {
    case soFirstEQ: pos = firstNotBelow < firstAbove ? firstNotBelow : -1; break;
    case soLastEQ: pos = firstNotBelow < firstAbove ? firstAbove - 1 : -1; break;
    case soAfterEQ: pos = firstNotBelow < int(vis.size()) ? firstNotBelow : -1; break;
    case soAfter: pos = firstAbove < int(vis.size()) ? firstAbove : -1; break;
    case soBeforeEQ: pos = firstAbove - 1; break;
    case soBefore: pos = firstNotBelow - 1; break;
    }
    if (pos < 0)
        return false;
    SetCurrentRowIndex(vis[pos]);
    return true;
}

// ---------------------------------------------------------------- TClientDataSet

TClientDataSet::TClientDataSet(TADOConnection* connection) : connection_(connection) {}
TClientDataSet::~TClientDataSet() = default;

void TClientDataSet::AddField(const QString& name, TFieldType type)
{
    FieldDef d;
    d.name = name;
    d.type = type;
    pending_.push_back(d);
}

void TClientDataSet::DoOpen(std::vector<FieldDef>& defs, QVector<Row>& rows)
{
    if (creating_ && SQL().trimmed().isEmpty()) {
        defs = pending_;
        return;
    }
    TADOConnection* conn = connected(connection_);
    QVariantList values;
    const QString text = BoundText(values);
    loadRows(conn, text, values, defs, rows, SQL(), !creating_);
    // Memory only: nothing is written back.
    for (FieldDef& d : defs)
        d.baseTable.clear(), d.baseColumn.clear();
}

void TClientDataSet::CreateDataSet()
{
    Close();
    creating_ = true;
    const auto fertig = qScopeGuard([this] { creating_ = false; });
    Open();
}

void TClientDataSet::CreateDataSet(TDataSet& templ)
{
    pending_.clear();
    for (int i = 0; i < templ.FieldCount(); ++i)
        AddField(templ.Field(i)->FieldName(), templ.Field(i)->DataType());
    SetSQL(QString());
    CreateDataSet();
}

void TClientDataSet::EmptyDataSet()
{
    CheckActive();
    Cancel();
    Rows().clear();
    Resort();
    First();
}

void TClientDataSet::ClearIndexDefs()
{
    indexDefs_.clear();
}

void TClientDataSet::AddIndexDef(const QString& name, const QString& fields, const QString& descFields)
{
    for (auto& d : indexDefs_)
        if (d.name.compare(name, Qt::CaseInsensitive) == 0) {
            d = {name, fields, descFields};
            return;
        }
    indexDefs_.push_back({name, fields, descFields});
}

void TClientDataSet::SetIndexName(const QString& name)
{
    if (!name.isEmpty()) {
        bool known = false;
        for (const auto& d : indexDefs_)
            known = known || d.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!known)
            throw EDatenfehler(QString("Index '%1' nicht gefunden").arg(name));
    }
    if (Active())
        CheckBrowseMode();
    indexName_ = name;
    if (Active()) {
        ApplyIndex();
        Resort();
        First();
    }
}

void TClientDataSet::ApplyIndex()
{
    keys_.clear();
    hasKeys_ = false;
    for (const auto& d : indexDefs_)
        if (!indexName_.isEmpty() && d.name.compare(indexName_, Qt::CaseInsensitive) == 0) {
            keys_ = ResolveKeyFields(d.fields, d.descFields);
            hasKeys_ = true;
        }
}

const std::vector<std::pair<int, bool>>* TClientDataSet::SortKeys() const { return hasKeys_ ? &keys_ : nullptr; }

} // namespace Ado
