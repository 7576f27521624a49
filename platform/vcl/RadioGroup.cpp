#include "platform/vcl/RadioGroup.h"

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
