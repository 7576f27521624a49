// The forms' radio groups: items and the chosen index, and Click only when
// an item is picked as a user picks it, never when a form sets its default.

#include "platform/vcl/RadioGroup.h"
#include "tests/support/QtGtest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

QStringList texte(const Vcl::TRadioGroup& g)
{
    QStringList out;
    for (const QRadioButton* b : g.findChildren<QRadioButton*>())
        out << b->text();
    return out;
}

TEST(RadioGroup, ItemsReplaceEachOtherAndTheIndexFollowsWithoutAClick)
{
    Vcl::TRadioGroup g("Sortiert nach", {"Wettbewerbe", "Anlagen"});
    int clicks = 0;
    QObject::connect(&g, &Vcl::TRadioGroup::Click, [&] { ++clicks; });
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetItemIndex(1);
    EXPECT_EQ(g.ItemIndex(), 1);
    g.SetItemIndex(0);
    EXPECT_EQ(g.ItemIndex(), 0);
    g.SetItemIndex(-1);
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetItemIndex(1);
    g.SetItemIndex(2); // no such item: none chosen
    EXPECT_EQ(g.ItemIndex(), -1);

    // New items replace the old ones (no buttons left over) and start
    // without a choice.
    g.SetItemIndex(1);
    g.SetItems({"Wettbewerbe", "Anlagen", "gestartete Teilnehmer"});
    g.AddItem("Vereine");
    EXPECT_EQ(g.Count(), 4);
    EXPECT_EQ(texte(g), (QStringList{"Wettbewerbe", "Anlagen", "gestartete Teilnehmer", "Vereine"}));
    EXPECT_EQ(g.ItemIndex(), -1);
    g.SetItemIndex(3);
    EXPECT_EQ(g.ItemIndex(), 3);
    EXPECT_EQ(g.property("ItemIndex").toInt(), 3);
    g.SetItems({});
    EXPECT_EQ(g.Count(), 0);
    EXPECT_EQ(g.ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST(RadioGroup, AUserPickClicksOnceWithTheNewIndexInPlace)
{
    Vcl::TRadioGroup g("Ausgabe", {"Drucker", "PDF", "RTF"});
    QList<int> gesehen;
    QObject::connect(&g, &Vcl::TRadioGroup::Click, [&] { gesehen << g.ItemIndex(); });
    g.ClickItem(2);
    const QList<QRadioButton*> knoepfe = g.findChildren<QRadioButton*>();
    ASSERT_EQ(knoepfe.size(), 3);
    knoepfe[0]->click(); // the user clicks an item
    g.ClickItem(1);
    EXPECT_EQ(gesehen, (QList<int>{2, 0, 1}));
    EXPECT_FALSE(knoepfe[0]->isChecked());
    EXPECT_FALSE(knoepfe[2]->isChecked());

    g.SetItemVisible(1, false);
    EXPECT_FALSE(knoepfe[1]->isVisibleTo(&g));
    EXPECT_TRUE(knoepfe[2]->isVisibleTo(&g));
    EXPECT_EQ(g.ItemIndex(), 1); // hiding an item keeps the choice
}

} // namespace

namespace {

TEST(RadioGroupTabOrder, ButtonsMadeLaterComeWhereTheGroupStands)
{
    // An edit, the group, then OK, laid out before the items exist: Tab goes
    // edit -> the group's buttons -> OK, not past OK to the buttons.
    QWidget form;
    auto* edit = new QLineEdit(&form);
    auto* group = new Vcl::TRadioGroup(&form);
    auto* ok = new QPushButton("OK", &form);
    group->SetItems({"Wettbewerbe", "Anlagen", "gestartete Teilnehmer"});
    QStringList chain;
    QWidget* w = edit;
    for (int i = 0; i < 5; ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        chain << (w == ok ? QString("OK") : w->objectName().isEmpty() ? QString("?") : w->objectName().right(2));
    }

    EXPECT_EQ(chain.mid(0, 4), (QStringList{"_0", "_1", "_2", "OK"}));

    // A group that is the form's first control: its buttons come first, the
    // box and OK after them, whatever the items were before.
    QWidget zweite;
    auto* erste = new Vcl::TRadioGroup(&zweite);
    auto* box = new QCheckBox("RTF", &zweite);
    box->setObjectName("cb");
    erste->SetItems({"a", "b"});
    erste->SetItems({"Wettbewerbe", "Anlagen"});
    QStringList reihe;
    QWidget* x = &zweite;
    for (int i = 0; i < 3; ++i) {
        do
            x = x->nextInFocusChain();
        while (x->focusPolicy() == Qt::NoFocus);
        reihe << x->objectName().right(2);
    }
    EXPECT_EQ(reihe, (QStringList{"_0", "_1", "cb"}));
}

} // namespace
