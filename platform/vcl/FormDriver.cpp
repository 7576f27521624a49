#include "platform/vcl/FormDriver.h"
#include "platform/host/Guard.h"
#include "platform/vcl/LookupCombo.h"
#include "platform/vcl/RadioGroup.h"

#include "platform/host/Qvform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace Vcl {

namespace {

bool parseBool(const QString& v, bool* ok)
{
    const QString s = v.trimmed().toLower();
    *ok = true;
    if (s == "true" || s == "1" || s == "ja" || s == "yes" || s == "j")
        return true;
    if (s == "false" || s == "0" || s == "nein" || s == "no" || s == "n")
        return false;
    *ok = false;
    return false;
}

int indexOrText(const QString& value, const QStringList& items)
{
    bool ok = false;
    int i = value.toInt(&ok);
    if (ok)
        return i;
    return int(items.indexOf(value));
}

// The row of a grid or list whose first column shows key, else the first
// whose text begins with key and a blank ("10" finds "10 Schützenklasse"),
// else the row numbered key.
int gridRow(QAbstractItemModel* m, const QString& key)
{
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 0).data().toString() == key)
            return r;
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 0).data().toString().startsWith(key + ' '))
            return r;
    bool ok = false;
    const int r = key.toInt(&ok);
    return ok && r >= 0 && r < m->rowCount() ? r : -1;
}

// The column of a grid headed title (or carrying that field name).
int gridColumn(QAbstractItemModel* m, const QString& title)
{
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == title
            || m->headerData(c, Qt::Horizontal, Qt::UserRole + 1).toString() == title)
            return c;
    return -1;
}

QWidget* findControl(QWidget* root, const QString& name)
{
    if (root->objectName() == name)
        return root;
    return root->findChild<QWidget*>(name);
}

} // namespace

bool TFormDriver::SetControl(QWidget* root, const QString& name, const QString& value, QString* error)
{
    QWidget* w = findControl(root, name);
    auto fail = [&](const QString& msg) {
        if (error)
            *error = msg;
        return false;
    };
    if (!w)
        return fail("Steuerelement " + name + " nicht gefunden");
    if (!w->isEnabled())
        return fail("Steuerelement " + name + " ist gesperrt");
    bool ok = true;
    if (auto* rg = qobject_cast<TRadioGroup*>(w)) {
        int i = indexOrText(value, rg->Items());
        if (i < 0 || i >= rg->Count())
            return fail("Auswahl " + value + " gibt es in " + name + " nicht");
        rg->ClickItem(i);
    } else if (auto* cb = qobject_cast<QCheckBox*>(w)) {
        bool b = parseBool(value, &ok);
        if (!ok)
            return fail("Wert " + value + " passt nicht zu " + name);
        if (cb->isChecked() != b)
            cb->click();
    } else if (auto* rb = qobject_cast<QRadioButton*>(w)) {
        bool b = parseBool(value, &ok);
        if (!ok)
            return fail("Wert " + value + " passt nicht zu " + name);
        if (b && !rb->isChecked())
            rb->click();
        else if (!b)
            rb->setChecked(false);
    } else if (auto* le = qobject_cast<QLineEdit*>(w)) {
        le->setText(value);
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        pe->setPlainText(QString(value).replace("\\n", "\n"));
    } else if (auto* sb = qobject_cast<QSpinBox*>(w)) {
        int v = value.toInt(&ok);
        if (!ok || v < sb->minimum() || v > sb->maximum())
            return fail("Wert " + value + " passt nicht zu " + name);
        sb->setValue(v);
    } else if (auto* de = qobject_cast<QDateEdit*>(w)) {
        // A date as the user types it ("07.03.2026") or in ISO form.
        QDate d = QDate::fromString(value.trimmed(), "dd.MM.yyyy");
        if (!d.isValid())
            d = QDate::fromString(value.trimmed(), Qt::ISODate);
        if (!d.isValid() || d < de->minimumDate() || d > de->maximumDate())
            return fail("Wert " + value + " passt nicht zu " + name);
        de->setDate(d);
    } else if (auto* dsb = qobject_cast<QDoubleSpinBox*>(w)) {
        double v = value.toDouble(&ok);
        if (!ok || v < dsb->minimum() || v > dsb->maximum())
            return fail("Wert " + value + " passt nicht zu " + name);
        dsb->setValue(v);
    } else if (auto* lc = qobject_cast<TLookupCombo*>(w)) {
        // A look-up box takes the key of a row or the text it shows; an
        // empty value clears it. A position in the list is no answer.
        if (value.trimmed().isEmpty()) {
            lc->Waehlen(-1);
            return true;
        }
        const int i = lc->ZeileFinden(value);
        if (i < 0)
            return fail("Eintrag " + value + " gibt es in " + name + " nicht");
        lc->Waehlen(i);
    } else if (auto* co = qobject_cast<QComboBox*>(w)) {
        QStringList items;
        for (int i = 0; i < co->count(); ++i)
            items << co->itemText(i);
        int i = indexOrText(value, items);
        if (i < 0 || i >= co->count())
            return fail("Auswahl " + value + " gibt es in " + name + " nicht");
        co->setCurrentIndex(i);
    } else if (auto* tw = qobject_cast<QTabWidget*>(w)) {
        QStringList items;
        for (int i = 0; i < tw->count(); ++i)
            items << tw->tabText(i).remove('&');
        int i = indexOrText(value, items);
        for (int k = 0; i < 0 && k < tw->count(); ++k)
            if (tw->widget(k)->objectName() == value)
                i = k; // pages of the same caption are told apart by name
        if (i < 0 || i >= tw->count())
            return fail("Seite " + value + " gibt es in " + name + " nicht");
        tw->setCurrentIndex(i);
    } else if (auto* sw = qobject_cast<QStackedWidget*>(w)) {
        QStringList items;
        for (int i = 0; i < sw->count(); ++i)
            items << sw->widget(i)->objectName();
        int i = indexOrText(value, items);
        if (i < 0 || i >= sw->count())
            return fail("Seite " + value + " gibt es in " + name + " nicht");
        sw->setCurrentIndex(i);
    } else if (auto* gv = qobject_cast<QAbstractItemView*>(w); gv && gv->model()) {
        // "key" makes the row whose first column shows key current;
        // "key:Column=value" sets that cell as a user would (a check cell
        // takes true/false or "X"/"").
        QAbstractItemModel* m = gv->model();
        // "key1;key2" selects these rows of a grid that takes several.
        if (value.contains(';') && gv->selectionMode() != QAbstractItemView::SingleSelection) {
            gv->clearSelection();
            bool erste = true;
            for (const QString& key : value.split(';', Qt::SkipEmptyParts)) {
                const int row = gridRow(m, key.trimmed());
                if (row < 0)
                    return fail("Zeile " + key + " gibt es in " + name + " nicht");
                if (erste)
                    gv->setCurrentIndex(m->index(row, 0));
                erste = false;
                gv->selectionModel()->select(m->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
            return true;
        }
        const int colon = int(value.indexOf(':'));
        const int row = gridRow(m, colon < 0 ? value : value.left(colon));
        if (row < 0)
            return fail("Zeile " + value + " gibt es in " + name + " nicht");
        if (colon < 0) {
            gv->setCurrentIndex(m->index(row, 0));
            return true;
        }
        const QString rest = value.mid(colon + 1);
        const int eq = int(rest.indexOf('='));
        const int col = eq < 0 ? -1 : gridColumn(m, rest.left(eq));
        if (col < 0)
            return fail("Spalte " + rest + " gibt es in " + name + " nicht");
        const QModelIndex idx = m->index(row, col);
        const QString v = rest.mid(eq + 1);
        gv->setCurrentIndex(idx);
        if (m->flags(idx) & Qt::ItemIsUserCheckable) {
            const QString t = v.trimmed().toUpper();
            bool b = t == "X";
            if (!b && !t.isEmpty()) {
                b = parseBool(v, &ok);
                if (!ok)
                    return fail("Wert " + v + " passt nicht zu " + name);
            }
            m->setData(idx, b ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        } else if (!m->setData(idx, v, Qt::EditRole)) {
            return fail("Wert " + v + " passt nicht zu " + name);
        }
    } else {
        return fail("Steuerelement " + name + " lässt sich nicht setzen");
    }
    return true;
}

bool TFormDriver::Click(QWidget* root, const QString& name, QString* error)
{
    QWidget* w = findControl(root, name);
    auto* b = qobject_cast<QAbstractButton*>(w);
    if (!b) {
        if (error)
            *error = "Schaltfläche " + name + " nicht gefunden";
        return false;
    }
    if (!b->isEnabled()) {
        if (error)
            *error = "Schaltfläche " + name + " ist gesperrt";
        return false;
    }
    b->click();
    return true;
}

void TFormDriver::MoveFocus(QWidget* control)
{
    // A click focuses the control itself, or the part of it that takes a
    // click's focus (the buttons of a radio group, the tab bar).
    QWidget* f = control;
    if (!(f->focusPolicy() & Qt::ClickFocus)) {
        f = nullptr;
        for (QWidget* w : control->findChildren<QWidget*>())
            if ((w->focusPolicy() & Qt::ClickFocus) && w->isVisibleTo(control->window()) && w->isEnabled()) {
                f = w;
                break;
            }
    }
    if (!f || QApplication::focusWidget() == f)
        return;
    // Off-screen a window becomes active only once the events are processed.
    if (QApplication::activeWindow() != f->window())
        QApplication::setActiveWindow(f->window());
    f->setFocus(Qt::MouseFocusReason);
}

QWidget* TFormDriver::Target(const QString& name, QWidget* level)
{
    // The forms shown during the run, newest first; while a modal form is
    // open nothing shown before it can be reached.
    const auto modal = [](QWidget* w) {
        auto* d = qobject_cast<QDialog*>(w);
        return d && d->isVisible() && d->isModal();
    };
    QList<QWidget*> open;
    for (qsizetype i = forms_.size() - 1; i >= 0; --i) {
        QWidget* w = forms_[i];
        if (!w || !w->isVisible())
            continue;
        open << w;
        if (w == level && modal(w))
            break;
    }
    // A window that was open before the run (its entry only raised it).
    if (!level || !modal(level))
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<Qvform::TQuarvelForm*>(w) && !open.contains(w))
                open << w;
    for (QWidget* w : open)
        if (findControl(w, name))
            return w;
    const bool closed =
        std::any_of(forms_.begin(), forms_.end(), [](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
    if (open.isEmpty() && !closed)
        error_ = "Kein Formular offen";
    else if (open.isEmpty())
        error_ = "Das Formular wurde vor " + name + " geschlossen";
    else
        error_ = "Steuerelement " + name + " nicht gefunden";
    return nullptr;
}

void TFormDriver::PlayLevel(QWidget* level)
{
    QPointer<QWidget> guard(level);
    while (!stopped_ && next_ < steps_.size()) {
        if (level && (!guard || !guard->isVisible()))
            return; // the form closed: the form below goes on
        const Step s = steps_[next_++];
        QWidget* form = Target(s.name, guard);
        if (!form) {
            outcome_ = Fehler;
            stopped_ = true;
            break;
        }
        const int before = Host::EingabefehlerCount();
        if (QWidget* control = findControl(form, s.name))
            MoveFocus(control);
        if (Host::EingabefehlerCount() != before) {
            stopped_ = true; // the control left refused its input
            break;
        }
        const bool ok = s.kind == Step::Ctl ? SetControl(form, s.name, s.value, &error_) : Click(form, s.name, &error_);
        if (!ok) {
            outcome_ = Fehler;
            stopped_ = true;
            break;
        }
        if (Host::EingabefehlerCount() != before)
            stopped_ = true; // the form stays open for a correction nobody makes
    }
    // A modal form still open ends its modal loop so its entry returns.
    if (guard)
        if (auto* dlg = qobject_cast<QDialog*>(guard.data()); dlg && dlg->isVisible() && dlg->isModal())
            dlg->reject();
}

void TFormDriver::Begin()
{
    next_ = 0;
    forms_.clear();
    stopped_ = false;
    outcome_ = Ok;
    error_.clear();
    eingabefehler_ = Host::EingabefehlerCount();
    fehler_ = Host::FehlerCount();
    Qvform::SetShowHook([this](QWidget* form) {
        if (!forms_.contains(form))
            forms_ << form;
        auto* dlg = qobject_cast<QDialog*>(form);
        if (!dlg || !dlg->isModal())
            return;
        // The steps go on inside the form's modal loop.
        QPointer<QWidget> f(form);
        QTimer::singleShot(0, form, [this, f] {
            if (f)
                PlayLevel(f);
        });
    });
}

TFormDriver::Outcome TFormDriver::Finish()
{
    Qvform::SetShowHook({});
    if (outcome_ == Ok && Host::EingabefehlerCount() != eingabefehler_)
        outcome_ = Eingabefehler;
    else if (outcome_ == Ok && Host::FehlerCount() != fehler_)
        outcome_ = Fehler;
    return outcome_;
}

TFormDriver::Outcome TFormDriver::Play(QWidget* form)
{
    Begin();
    forms_ << form;
    PlayLevel(nullptr);
    return Finish();
}

TFormDriver::Outcome TFormDriver::Run(const std::function<void()>& entry)
{
    Begin();
    try {
        entry();
    } catch (const std::exception&) {
        Qvform::SetShowHook({});
        throw;
    }
    if (!stopped_ && next_ < steps_.size())
        PlayLevel(nullptr);
    return Finish();
}

} // namespace Vcl
