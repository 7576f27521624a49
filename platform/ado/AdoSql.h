#pragma once
// Statement text and the values put into it: quoting, the adaptation to
// an engine, day numbers and German dates.

#include "platform/ado/AdoTypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace Ado {

// The one quoting routine for values put into SQL text: 'O''Brien'.
QString QuotedStr(const QString& s);

// The single place that adapts statement text to an engine. SQLite runs the
// text unchanged. PostgreSQL gets double-quoted literals as single-quoted
// ones and LIKE as ILIKE; MID and DateValue exist there as functions.
QString AdaptSql(const QString& sql, TEngine engine);

// The day number of a date and time: days since 30.12.1899, the time as
// the fraction of a day.
double DateTimeToSerial(const QDateTime& dt);
QDateTime SerialToDateTime(double serial);
// German short date "dd.mm.yyyy" (also "d.m.yy", ISO) to a date.
QDate ParseGermanDate(const QString& text);

} // namespace Ado
