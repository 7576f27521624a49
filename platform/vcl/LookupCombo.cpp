#include "platform/vcl/LookupCombo.h"

#include "platform/ado/Ado.h"

#include <QSignalBlocker>

namespace Vcl {

namespace {
const QString Trenner = QStringLiteral("  ");
}

TLookupCombo::TLookupCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(20);
}

void TLookupCombo::Fuellen(Ado::TDataSet& ListSource, const QString& KeyField, const QStringList& ListFields)
{
    const QSignalBlocker block(this);
    clear();
    for (ListSource.First(); !ListSource.Eof(); ListSource.Next()) {
        QStringList teile;
        for (const QString& f : ListFields)
            teile << ListSource.FieldByName(f)->AsString().trimmed();
        addItem(teile.join(Trenner), ListSource.FieldByName(KeyField)->AsString());
    }
    setCurrentIndex(-1);
}

QString TLookupCombo::KeyValue() const { return currentIndex() < 0 ? QString() : currentData().toString(); }

void TLookupCombo::SetKeyValue(const QString& Key)
{
    const QSignalBlocker block(this);
    setCurrentIndex(Key.isEmpty() ? -1 : findData(Key));
}

void TLookupCombo::Leeren()
{
    const QSignalBlocker block(this);
    setCurrentIndex(-1);
}

int TLookupCombo::ZeileFinden(const QString& KeyOderText) const
{
    const QString s = KeyOderText.trimmed();
    if (s.isEmpty())
        return -1;
    const int k = findData(s);
    if (k >= 0)
        return k;
    for (int i = 0; i < count(); ++i)
        if (itemText(i) == s || itemText(i).section(Trenner, 0, 0) == s)
            return i;
    return -1;
}

void TLookupCombo::Waehlen(int row) { setCurrentIndex(row); }

} // namespace Vcl
