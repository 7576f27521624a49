#pragma once
// Base of the job forms shown modally by an entry procedure.
//
// On creation the host applies its look to the controls; Enter moves to the
// next control like Tab; showing runs FormShow (the defaults of every
// opening); buttons carry a modal result that closes the form after their
// handler has run, unless the handler set the modal result back to none
// (a failed input check). Handlers run inside Host::Guard.

#include <QDialog>
#include <QScopeGuard>
#include <functional>

class QAbstractButton;

class QKeyEvent;

namespace Vcl {

// Enter moves the focus to the next control of form, except where it ends a
// line of text or presses a button. True when the key was used.
bool EnterTab(QWidget* form, QKeyEvent* event);

class TModalForm : public QDialog {
    Q_OBJECT
public:
    explicit TModalForm(QWidget* parent = nullptr);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Runs the form modally; returns the modal result (Host::mrOk, mrCancel…).
    int ShowModal();

    // A job's entry procedure: creates the unit's form into Form, shows it
    // modally, frees it and clears Form; returns the modal result.
    template <class F>
    static int ModalZeigen(F*& Form)
    {
        if (!Form)
            Form = new F();
        F* form = Form;
        const auto freigeben = qScopeGuard([&Form, form] {
            delete form;
            if (Form == form)
                Form = nullptr;
        });
        return form->ShowModal();
    }

    // Wires a button: on click the modal result becomes result, then the
    // handler runs guarded; a modal result other than none then closes the
    // form. An input error of the handler sets the modal result back to none.
    void ConnectButton(QAbstractButton* button, int result, std::function<void()> handler = {});

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int r) override;

private:
    int modalResult_ = 0;
};

} // namespace Vcl
