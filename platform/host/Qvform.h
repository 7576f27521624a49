#pragma once
// Modeless top-level forms of the host.

#include <QPointer>
#include <QWidget>

#include <functional>

namespace Qvform {

// Called whenever one of the module's forms has been shown; the form driver
// of the command line and the tests uses it to reach modal forms.
void SetShowHook(std::function<void(QWidget*)> hook);
void NotifyShown(QWidget* form);

// The caption of a top-level window of the current championship:
// "<Titel> - <championship> - Teilm. <sub-championship>".
QString FensterTitel(const QString& Titel);

// How EinzelnZeigen shows a new window.
enum TFensterGroesse { fgNormal, fgMaximiert };

// Base of the host's modeless windows. A form lives until it is closed; its
// close frees it. Each opening runs FormShow (inside Host::Guard); the
// window manager's own show events (restoring a minimised window) do not.
class TQuarvelForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuarvelForm(QWidget* parent = nullptr);
    ~TQuarvelForm() override;

    // Brings an open form back: normal window state, in front, active.
    void RestoreAndRaise();

    // Opens FormClass modeless into Form unless Form already holds a form.
    // Flag and Owner are kept on the form for the host (see docs/DESIGN.md).
    // Form is cleared when the form closes or is destroyed.
    template <class F>
    static bool quarvelShow(F*& Form, bool Flag, QObject* Owner)
    {
        if (Form)
            return false;
        F* form = new F();
        Form = form;
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->setProperty("quarvelFlag", Flag);
        form->owner_ = Owner;
        form->unitVariable_ = [&Form, form] {
            if (Form == form)
                Form = nullptr;
        };
        form->show();
        return true;
    }

    // The life of a unit's one top-level window: the open window is brought
    // back (restored and raised), else a new one is opened in Form.
    template <class F>
    static void EinzelnZeigen(F*& Form, bool Flag, QObject* Owner, TFensterGroesse Groesse)
    {
        if (Form) {
            Form->RestoreAndRaise();
            return;
        }
        quarvelShow(Form, Flag, Owner);
        if (Groesse == fgMaximiert)
            Form->showMaximized();
    }

    // Frees the unit's window at the unit's finalisation.
    template <class F>
    static void Freigeben(F*& Form)
    {
        delete Form;
        Form = nullptr;
    }

    QObject* Owner() const { return owner_; }

protected:
    // Close runs FormClose (inside Host::Guard) and clears the unit variable.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The defaults and caption of every opening.
    virtual void FormShow() {}
    virtual void FormClose() {}

private:
    void unitVariableClear();

    QPointer<QObject> owner_;
    std::function<void()> unitVariable_;
};

} // namespace Qvform
