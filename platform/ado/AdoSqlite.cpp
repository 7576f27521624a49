#include "platform/ado/AdoSqlite.h"
#include "platform/ado/Ado.h"

#include <sqlite3.h>

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

bool SqliteColumnInfo(const QVariant& statementHandle, int column, ColumnInfo* info)
{
    if (!statementHandle.isValid() || qstrcmp(statementHandle.typeName(), "sqlite3_stmt*") != 0)
        return false;
    sqlite3_stmt* stmt = *static_cast<sqlite3_stmt* const*>(statementHandle.constData());
    if (!stmt || column >= sqlite3_column_count(stmt))
        return false;
    auto text = [](const char* s) { return s ? QString::fromUtf8(s) : QString(); };
    info->declared = text(sqlite3_column_decltype(stmt, column));
    info->table = text(sqlite3_column_table_name(stmt, column));
    info->column = text(sqlite3_column_origin_name(stmt, column));
    return true;
}

} // namespace Ado::detail
