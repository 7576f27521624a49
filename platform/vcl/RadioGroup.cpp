#include "platform/vcl/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Vcl {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this)), layout_(new QVBoxLayout(this))
{
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, [this](int) { Q_EMIT Click(); });
}

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent) : TRadioGroup(parent)
{
    setTitle(caption);
    SetItems(items);
}

void TRadioGroup::SetItems(const QStringList& items)
{
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    items_.clear();
    for (const QString& s : items)
        AddItem(s);
    TabReihenfolge();
}

void TRadioGroup::TabReihenfolge()
{
    // Buttons made after the form was laid out would come last in the tab
    // order, after OK and Cancel. They go right after the group box, which
    // stands where the form has it; the box takes part in the chain only
    // for the move (Qt moves a widget only behind one that takes focus).
    const Qt::FocusPolicy alt = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget* vorher = this;
    for (QAbstractButton* b : group_->buttons()) {
        QWidget::setTabOrder(vorher, b);
        vorher = b;
    }
    setFocusPolicy(alt);
}

void TRadioGroup::AddItem(const QString& item)
{
    auto* b = new QRadioButton(item, this);
    b->setObjectName(objectName() + "_" + QString::number(items_.size()));
    group_->addButton(b, int(items_.size()));
    layout_->addWidget(b);
    items_ << item;
}

void TRadioGroup::SetItemVisible(int index, bool visible)
{
    if (QAbstractButton* b = group_->button(index))
        b->setVisible(visible);
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= Count()) {
        group_->setExclusive(false);
        for (QAbstractButton* b : group_->buttons())
            b->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    group_->button(index)->setChecked(true);
}

void TRadioGroup::ClickItem(int index)
{
    SetItemIndex(index);
    Q_EMIT Click();
}

} // namespace Vcl
