#pragma once
// A titled group of radio buttons addressed by item index, as the forms'
// "gb_" groups are used: Items, ItemIndex, and a click signal when the user
// (or the form driver) picks an item.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace Vcl {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    void SetItems(const QStringList& items);   // keeps no selection
    QStringList Items() const { return items_; }
    void AddItem(const QString& item);
    int Count() const { return int(items_.size()); }
    void SetItemVisible(int index, bool visible);

    int ItemIndex() const;
    // Selects item index (-1: none) without emitting Click.
    void SetItemIndex(int index);
    // Selects item index as a user's click does: emits Click.
    void ClickItem(int index);

Q_SIGNALS:
    void Click();

private:
    // Puts the buttons into the window's tab order where the group stands.
    void TabReihenfolge();

    QStringList items_;
    QButtonGroup* group_;
    QVBoxLayout* layout_;
};

} // namespace Vcl
