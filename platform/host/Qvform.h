#pragma once
// Modeless top-level forms of the host.

#include <QWidget>
#include <QPointer>

#include <functional>

namespace Qvform {

// Called whenever one of the module's forms has been shown; the form driver
// of the command line and the tests uses it to reach modal forms.
void SetShowHook(std::function<void(QWidget*)> hook);
void NotifyShown(QWidget* form);

// Base of the host's modeless windows. A form lives until it is closed; its
// close frees it (the subclass clears its unit variable in FormClose).
class TQuarvelForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuarvelForm(QWidget* parent = nullptr);

    // Brings an open form back: normal window state, in front, active.
    void RestoreAndRaise();

    // Opens FormClass modeless into Form unless Form already holds a form.
    // Flag and Owner are kept on the form for the host (see docs/DESIGN.md).
    template <class F>
    static bool quarvelShow(F*& Form, bool Flag, QObject* Owner)
    {
        if (Form)
            return false;
        Form = new F();
        Form->setAttribute(Qt::WA_DeleteOnClose);
        Form->setProperty("quarvelFlag", Flag);
        Form->owner_ = Owner;
        Form->show();
        return true;
    }

    QObject* Owner() const { return owner_; }

protected:
    // Close runs FormClose (subclasses clear their unit variable there).
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    virtual void FormClose() {}

private:
    QPointer<QObject> owner_;
};

} // namespace Qvform
