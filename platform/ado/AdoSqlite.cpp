#include "platform/ado/AdoSqlite.h"
#include "platform/ado/Ado.h"
#include "platform/ado/AdoValues.h"

#include <QScopeGuard>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace Ado::detail {

namespace {

QString argText(sqlite3_value* v)
{
    const void* p = sqlite3_value_text16(v);
    int bytes = sqlite3_value_bytes16(v);
    return p ? QString(reinterpret_cast<const QChar*>(p), bytes / 2) : QString();
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

// MID(text, start[, length]): characters from the 1-based start.
void midFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    int start = sqlite3_value_int(argv[1]);
    if (start < 1)
        start = 1;
    int length = argc > 2 ? sqlite3_value_int(argv[2]) : -1;
    if (argc > 2 && length < 0)
        length = 0;
    resultText(ctx, s.mid(start - 1, length));
}

// DateValue(text): the date of a German short date (or ISO) as the stored
// date text "yyyy-mm-dd"; NULL when the text is no date.
void dateValueFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    QDate d = ParseGermanDate(argText(argv[0]));
    if (!d.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, d.toString("yyyy-MM-dd"));
}

// like(pattern, text[, escape]), as SQLite calls it for "text LIKE pattern".
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    QChar escape;
    if (argc > 2) {
        const QString e = argText(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    sqlite3_result_int(ctx, LikeMatch(argText(argv[0]), argText(argv[1]), escape) ? 1 : 0);
}

} // namespace

bool LikeMatch(const QString& pattern, const QString& text, QChar escape)
{
    const QString p = pattern.toCaseFolded();
    const QString s = text.toCaseFolded();
    const bool hasEscape = !escape.isNull();
    const QChar esc = hasEscape ? escape.toCaseFolded() : QChar();
    qsizetype pi = 0, si = 0, starP = -1, starS = 0;
    while (si < s.size()) {
        if (pi < p.size()) {
            const QChar c = p[pi];
            if (hasEscape && c == esc && pi + 1 < p.size()) {
                if (p[pi + 1] == s[si]) {
                    pi += 2;
                    ++si;
                    continue;
                }
            } else if (c == '%') {
                starP = pi++;
                starS = si;
                continue;
            } else if (c == '_' || c == s[si]) {
                ++pi;
                ++si;
                continue;
            }
        }
        if (starP >= 0) {
            pi = starP + 1;
            si = ++starS;
            continue;
        }
        return false;
    }
    while (pi < p.size() && p[pi] == '%')
        ++pi;
    return pi == p.size();
}

bool RegisterSqliteFunctions(const QVariant& driverHandle, QString* error)
{
    if (!driverHandle.isValid() || qstrcmp(driverHandle.typeName(), "sqlite3*") != 0) {
        if (error)
            *error = "Kein SQLite-Handle";
        return false;
    }
    sqlite3* db = *static_cast<sqlite3* const*>(driverHandle.constData());
    if (!db) {
        if (error)
            *error = "Keine SQLite-Verbindung";
        return false;
    }
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    struct Fn { const char* name; int args; void (*f)(sqlite3_context*, int, sqlite3_value**); };
    const Fn fns[] = {
        {"mid", 2, midFunction}, {"mid", 3, midFunction},
        {"datevalue", 1, dateValueFunction},
        {"like", 2, likeFunction}, {"like", 3, likeFunction},
    };
    for (const Fn& fn : fns) {
        int rc = sqlite3_create_function_v2(db, fn.name, fn.args, flags, nullptr, fn.f, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            if (error)
                *error = QString("Funktion %1 nicht registriert: %2").arg(fn.name, sqlite3_errstr(rc));
            return false;
        }
    }
    return true;
}

// ------------------------------------------------------- literals as values

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }
bool isDigit(QChar c) { return c >= '0' && c <= '9'; }

} // namespace

QString LiteralsAsParameters(const QString& sql, const QVariantList& bound, QVariantList* values)
{
    const auto unchanged = [&] {
        *values = bound;
        return sql;
    };
    values->clear();
    // The text is copied only up to a replaced literal; a statement without
    // one comes back as it is.
    QString out;
    qsizetype copied = 0;
    const auto replace = [&](qsizetype from, qsizetype to, const QVariant& value) {
        if (out.isEmpty())
            out.reserve(sql.size());
        out += QStringView(sql).mid(copied, from - copied);
        out += '?';
        copied = to;
        values->append(value);
    };
    const qsizetype n = sql.size();
    qsizetype next = 0; // the next of the bound values
    // A select list names its columns by their text, so nothing between a
    // SELECT and its FROM is touched, nor anything nested in such a list.
    // One mark per depth of parentheses.
    std::vector<bool> selectList(1, false);
    const auto inSelectList = [&] { return std::find(selectList.begin(), selectList.end(), true) != selectList.end(); };
    bool afterComparison = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            qsizetype j = sql.indexOf('\n', i);
            i = j < 0 ? n : j;
            continue;
        }
        if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            qsizetype j = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = j < 0 ? n : j + 2;
            continue;
        }
        if (c == '\'') {
            QString value;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == '\'') {
                    if (j + 1 < n && sql[j + 1] == '\'') {
                        value += '\'';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                value += sql[j++];
            }
            if (!closed)
                return unchanged();
            if (value.isNull())
                value = QLatin1String(""); // '' is text, not NULL
            if (afterComparison)
                replace(i, j + 1, value);
            i = j + 1;
            afterComparison = false;
            continue;
        }
        if (c == '"' || c == '`' || c == '[') {
            // A quoted name, copied as it is.
            const QChar close = c == '[' ? QChar(']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != ']' && j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            if (j >= n)
                return unchanged();
            i = j + 1;
            afterComparison = false;
            continue;
        }
        if (c == '?') {
            if ((i + 1 < n && isDigit(sql[i + 1])) || next >= bound.size())
                return unchanged();
            values->append(bound[next++]);
            ++i;
            afterComparison = false;
            continue;
        }
        if ((c == ':' || c == '@' || c == '$') && i + 1 < n && isWordChar(sql[i + 1]))
            return unchanged();
        if (isDigit(c) || (c == '.' && i + 1 < n && isDigit(sql[i + 1]))) {
            qsizetype j = i;
            bool real = false;
            while (j < n && isDigit(sql[j]))
                ++j;
            if (j < n && sql[j] == '.') {
                real = true;
                ++j;
                while (j < n && isDigit(sql[j]))
                    ++j;
            }
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                qsizetype k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-'))
                    ++k;
                if (k < n && isDigit(sql[k])) {
                    real = true;
                    j = k;
                    while (j < n && isDigit(sql[j]))
                        ++j;
                }
            }
            // Not a plain number (0x1F, 1abc): copied as a word.
            if (j < n && (isWordChar(sql[j]) || sql[j] == '.')) {
                while (j < n && (isWordChar(sql[j]) || sql[j] == '.'))
                    ++j;
                i = j;
                afterComparison = false;
                continue;
            }
            if (afterComparison) {
                const QStringView zahl = QStringView(sql).mid(i, j - i);
                bool ok = false;
                const QVariant value = real ? QVariant(zahl.toDouble(&ok)) : QVariant(zahl.toLongLong(&ok));
                if (ok)
                    replace(i, j, value);
            }
            i = j;
            afterComparison = false;
            continue;
        }
        if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j]))
                ++j;
            const QStringView word = QStringView(sql).mid(i, j - i);
            i = j;
            if (word.compare(u"SELECT", Qt::CaseInsensitive) == 0)
                selectList.back() = true;
            else if (word.compare(u"FROM", Qt::CaseInsensitive) == 0)
                selectList.back() = false;
            afterComparison = !inSelectList() && word.compare(u"LIKE", Qt::CaseInsensitive) == 0;
            continue;
        }
        if (c == '=' || c == '<' || c == '>' || c == '!') {
            qsizetype j = i + 1;
            while (j < n && (sql[j] == '=' || sql[j] == '<' || sql[j] == '>'))
                ++j;
            const QStringView op = QStringView(sql).mid(i, j - i);
            i = j;
            afterComparison = !inSelectList()
                && (op == u"=" || op == u"==" || op == u"<>" || op == u"!=" || op == u"<" || op == u"<="
                    || op == u">" || op == u">=");
            continue;
        }
        if (c == '(')
            selectList.push_back(false);
        else if (c == ')' && selectList.size() > 1)
            selectList.pop_back();
        ++i;
        afterComparison = false;
    }
    if (next != bound.size())
        return unchanged();
    if (out.isEmpty())
        return sql;
    out += QStringView(sql).mid(copied);
    return out;
}

// ------------------------------------------------------- kept statements

namespace {

// Statements kept per connection; the least recently used goes first.
constexpr int kKept = 64;

QString utf8Text(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

sqlite3* database(void* db) { return static_cast<sqlite3*>(db); }

} // namespace

struct TSqliteStatements::Entry {
    sqlite3_stmt* stmt = nullptr;
    std::vector<TDataSet::FieldDef> defs;
    std::vector<bool> declared; // the column has a declared type
    quint64 used = 0;
    int compiled = 0; // how often SQLite compiled it anew when the schema changed
    ~Entry() { sqlite3_finalize(stmt); }
    void readColumns()
    {
        const int columns = sqlite3_column_count(stmt);
        defs.assign(size_t(columns), {});
        declared.assign(size_t(columns), false);
        for (int i = 0; i < columns; ++i) {
            TDataSet::FieldDef& d = defs[size_t(i)];
            d.name = utf8Text(sqlite3_column_name(stmt, i)).remove('"');
            d.type = TypeFromDeclared(utf8Text(sqlite3_column_decltype(stmt, i)));
            d.baseTable = utf8Text(sqlite3_column_table_name(stmt, i));
            d.baseColumn = utf8Text(sqlite3_column_origin_name(stmt, i));
            declared[size_t(i)] = d.type != ftUnknown;
        }
        compiled = sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
    }
};

TSqliteStatements::TSqliteStatements(const QVariant& driverHandle)
{
    if (driverHandle.isValid() && qstrcmp(driverHandle.typeName(), "sqlite3*") == 0)
        db_ = *static_cast<sqlite3* const*>(driverHandle.constData());
}

TSqliteStatements::~TSqliteStatements() { Clear(); }

void TSqliteStatements::Clear() { entries_.clear(); }

void TSqliteStatements::drop(const QString& text) { entries_.remove(text); }

TSqliteStatements::Entry* TSqliteStatements::prepared(const QString& text, QString* error)
{
    auto it = entries_.find(text);
    if (it != entries_.end()) {
        (*it)->used = ++clock_;
        return it->get();
    }
    if (!db_) {
        *error = QStringLiteral("Keine SQLite-Verbindung");
        return nullptr;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(database(db_), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                                      &stmt, &tail);
    if (rc != SQLITE_OK) {
        *error = utf8Text(sqlite3_errmsg(database(db_)));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    auto e = std::make_shared<Entry>();
    e->stmt = stmt;
    if (!stmt) {
        *error = QStringLiteral("Die Anweisung ist leer");
        return nullptr;
    }
    if (tail && !QString::fromUtf8(tail).trimmed().isEmpty()) {
        *error = QStringLiteral("Es kann nur eine Anweisung auf einmal ausgeführt werden");
        return nullptr;
    }
    e->readColumns();
    if (entries_.size() >= kKept) {
        auto oldest = entries_.begin();
        for (auto k = entries_.begin(); k != entries_.end(); ++k)
            if ((*k)->used < (*oldest)->used)
                oldest = k;
        entries_.erase(oldest);
    }
    e->used = ++clock_;
    entries_.insert(text, e);
    return e.get();
}

bool TSqliteStatements::run(Entry& e, const QVariantList& values, std::vector<TDataSet::FieldDef>& defs,
                            QVector<QVector<QVariant>>* rows, QString* error)
{
    sqlite3_stmt* stmt = e.stmt;
    // The statement is ready for its next run whatever happens here.
    const auto reset = qScopeGuard([stmt] {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    });
    if (sqlite3_bind_parameter_count(stmt) != values.size()) {
        *error = QStringLiteral("Die Zahl der Parameter stimmt nicht");
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        const int p = i + 1;
        int rc = SQLITE_OK;
        // A null text is bound as NULL, as QtSql binds it.
        const bool null = !v.isValid() || v.isNull()
            || (v.typeId() == QMetaType::QString && static_cast<const QString*>(v.constData())->isNull())
            || (v.typeId() == QMetaType::QByteArray && static_cast<const QByteArray*>(v.constData())->isNull());
        if (null) {
            rc = sqlite3_bind_null(stmt, p);
        } else {
            switch (v.typeId()) {
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt, p, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::Bool: case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
            case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long:
            case QMetaType::ULong:
                rc = sqlite3_bind_int64(stmt, p, v.toLongLong());
                break;
            case QMetaType::Double: case QMetaType::Float:
                rc = sqlite3_bind_double(stmt, p, v.toDouble());
                break;
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, p, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) {
            *error = utf8Text(sqlite3_errmsg(database(db_)));
            return false;
        }
    }
    defs = e.defs;
    if (!rows)
        return true;
    int n = int(e.defs.size());
    std::vector<TFieldType> seen(size_t(n), ftUnknown);
    // The text of each column in the row before: a value repeated down the
    // rows (a club, a discipline, a class) is shared, not made again.
    std::vector<std::string> lastText(static_cast<size_t>(n));
    std::vector<QVariant> lastValue(static_cast<size_t>(n));
    std::vector<bool> hasLast(size_t(n), false);
    for (bool first = true;; first = false) {
        const int rc = sqlite3_step(stmt);
        // SQLite compiles a kept statement anew when a table it reads has
        // changed; its columns may then be others ("SELECT *").
        if (first && sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_REPREPARE, 0) != e.compiled) {
            e.readColumns();
            defs = e.defs;
            n = int(defs.size());
            seen.assign(size_t(n), ftUnknown);
            lastText.assign(size_t(n), {});
            lastValue.assign(size_t(n), {});
            hasLast.assign(size_t(n), false);
        }
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW) {
            *error = utf8Text(sqlite3_errmsg(database(db_)));
            rows->clear();
            return false;
        }
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i) {
            const size_t k = size_t(i);
            QVariant v;
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL:
                continue;
            case SQLITE_INTEGER:
                v = QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                v = QVariant(sqlite3_column_double(stmt, i));
                break;
            case SQLITE_BLOB:
                v = QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                        sqlite3_column_bytes(stmt, i)));
                break;
            default: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
                const int bytes = sqlite3_column_bytes(stmt, i);
                const std::string_view utf8(bytes > 0 ? text : "", size_t(std::max(bytes, 0)));
                if (hasLast[k] && lastText[k] == utf8) {
                    row[i] = lastValue[k];
                    continue;
                }
                v = QVariant(bytes > 0 ? QString::fromUtf8(text, bytes) : QString(QLatin1String("")));
                if (!e.declared[k])
                    seen[k] = MergeTypes(seen[k], TypeOfValue(v));
                row[i] = FromDatabase(v, defs[k].type);
                lastText[k].assign(utf8);
                lastValue[k] = row[i];
                hasLast[k] = true;
                continue;
            }
            }
            if (!e.declared[k])
                seen[k] = MergeTypes(seen[k], TypeOfValue(v));
            row[i] = FromDatabase(v, defs[k].type);
        }
        rows->append(std::move(row));
    }
    for (int i = 0; i < n; ++i)
        if (!e.declared[size_t(i)])
            defs[size_t(i)].type = seen[size_t(i)] == ftUnknown ? ftString : seen[size_t(i)];
    return true;
}

bool TSqliteStatements::Load(const QString& sql, const QVariantList& values, std::vector<TDataSet::FieldDef>& defs,
                             QVector<QVector<QVariant>>* rows, QString* error)
{
    QVariantList all;
    const QString text = LiteralsAsParameters(sql, values, &all);
    if (!rows) {
        // Only the columns: from the statement as it compiles now, since a
        // kept one learns of a changed table only when it runs.
        drop(text);
        Entry* e = prepared(text, error);
        return e && run(*e, all, defs, nullptr, error);
    }
    const bool kept = entries_.contains(text);
    Entry* e = prepared(text, error);
    if (!e)
        return false;
    if (run(*e, all, defs, rows, error))
        return true;
    drop(text);
    if (!kept)
        return false;
    // A kept statement the database no longer runs (its table changed
    // beyond what SQLite recompiles by itself): compiled anew once.
    e = prepared(text, error);
    return e && run(*e, all, defs, rows, error);
}

} // namespace Ado::detail
