#pragma once
// Value conversions shared by fields, filters, Locate and index orders.
// Internal to the data layer.

#include "platform/ado/Ado.h"

namespace Ado::detail {

// The field type of a declared column type ("INTEGER", "REAL", "DATE", ...).
TFieldType TypeFromDeclared(const QString& declared);
// The field type of a value (for expressions without a declared type).
TFieldType TypeOfValue(const QVariant& v);
// Wider of two types seen in one column (integer and float give float).
TFieldType MergeTypes(TFieldType a, TFieldType b);

bool IsNumber(const QVariant& v);
bool IsNull(const QVariant& v);

// A value as read from the database, in the form the dataset keeps:
// NULL as an invalid QVariant, dates and times of date columns as
// QDate/QTime/QDateTime.
QVariant FromDatabase(const QVariant& v, TFieldType type);
// A value set by code, converted to the field's type where it can be.
QVariant ForField(const QVariant& v, TFieldType type);

QString ToText(const QVariant& v, TFieldType type);
double ToDouble(const QVariant& v, bool* ok = nullptr);
QDateTime ToDateTime(const QVariant& v);
QDate ParseIsoDate(const QString& s);
QTime ParseTime(const QString& s);
QDateTime ParseDateTime(const QString& s);

// Ordering of two values: NULL first, numbers by value, dates by time,
// text ordinally (or ignoring case). Returns <0, 0, >0.
int Compare(const QVariant& a, const QVariant& b, bool caseInsensitive = false);

} // namespace Ado::detail
