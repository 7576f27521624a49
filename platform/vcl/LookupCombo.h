#pragma once
// A look-up box over a dataset (the forms' "cx_" controls): it lists one
// row per record with the chosen columns and stands for the record's key.
// Nothing is chosen until the user picks a row; KeyValue is then that
// row's key. The form driver sets it by key or by the text it shows, never
// by the position in the list, which changes with the data.

#include <QComboBox>
#include <QStringList>

namespace Ado {
class TDataSet;
}

namespace Vcl {

class TLookupCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TLookupCombo(QWidget* parent = nullptr);

    // One row per record of ListSource (from its first record on), showing
    // ListFields joined by two blanks and standing for KeyField. Nothing
    // stays chosen.
    void Fuellen(Ado::TDataSet& ListSource, const QString& KeyField, const QStringList& ListFields);

    // The chosen row's key; "" when none is chosen.
    QString KeyValue() const;
    // Chooses the row of Key (none when there is no such row), without the
    // signal a user's choice gives.
    void SetKeyValue(const QString& Key);
    // No row chosen.
    void Leeren();

    // The row whose key is Key, else the row showing Text (the whole text
    // or its first column); -1 when there is none.
    int ZeileFinden(const QString& KeyOderText) const;
    // Chooses row as a user does: the choice signal follows.
    void Waehlen(int row);
};

} // namespace Vcl
