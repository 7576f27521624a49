#pragma once
// A column of a dataset and a named parameter of a statement.

#include "platform/ado/AdoTypes.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace Ado {

// One column of a dataset; its value is that of the current record.
// Field names are looked up case-insensitively.
//
// Conversions: AsString of a number has no trailing zeros and a decimal
// comma ("491,3"); of a date "dd.mm.yyyy", of a time "hh:mm:ss", of a date
// and time both (without the time when it is midnight); of NULL "".
// AsInteger rounds; AsFloat of a date or time is the day number counted from
// 30.12.1899 with the time as fraction, so differences of times times 24 give
// hours. Text that is no number reads as 0.
class TField {
public:
    QString FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    int Index() const { return index_; }
    TDataSet* DataSet() const { return ds_; }

    QVariant Value() const;     // an invalid QVariant for NULL
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    double AsCurrency() const;  // AsFloat rounded to four decimals
    QDateTime AsDateTime() const;
    bool AsBoolean() const;     // "J", "X", "Y", "T", "1", true or non-zero

    // Only in Edit or Insert state. Values are converted to the field's
    // type where they can be (text to number or date, number to text).
    void SetValue(const QVariant& v);
    void SetAsString(const QString& v) { SetValue(v); }
    void SetAsInteger(int v) { SetValue(v); }
    void SetAsFloat(double v) { SetValue(v); }
    void SetAsDateTime(const QDateTime& v) { SetValue(v); }
    void Clear() { SetValue(QVariant()); } // NULL

    // Where the column comes from, for writing back (empty for expressions).
    QString BaseTable() const { return baseTable_; }
    QString BaseColumn() const { return baseColumn_; }

private:
    friend class TDataSet;
    TField(TDataSet* ds, int index, QString name, TFieldType type, QString baseTable, QString baseColumn);
    TDataSet* ds_;
    int index_;
    QString name_;
    TFieldType type_;
    QString baseTable_, baseColumn_;
};

// A named parameter of a statement (":Ident" in the text is "Ident").
class TParameter {
public:
    explicit TParameter(QString name) : name_(std::move(name)) {}
    QString Name() const { return name_; }
    QVariant Value() const { return value_; }
    void SetValue(const QVariant& v) { value_ = v; assigned_ = true; }
    bool Assigned() const { return assigned_; }
    void Clear() { value_ = QVariant(); assigned_ = false; }
private:
    QString name_;
    QVariant value_;
    bool assigned_ = false;
};

} // namespace Ado
