#include "platform/vcl/ModalForm.h"
#include "platform/host/Guard.h"

#include "platform/host/HostUi.h"
#include "platform/host/Qvform.h"
#include "platform/host/Qvmain.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace Vcl {

TModalForm::TModalForm(QWidget* parent) : QDialog(parent)
{
    Qvmain::f_Menue()->GetControlsEinstellen()(this);
}

int TModalForm::ShowModal()
{
    modalResult_ = Host::mrNone;
    exec();
    return modalResult_;
}

void TModalForm::ConnectButton(QAbstractButton* button, int result, std::function<void()> handler)
{
    connect(button, &QAbstractButton::clicked, this, [this, result, handler] {
        modalResult_ = result;
        const int eingabefehler = Host::EingabefehlerCount();
        if (handler)
            Host::Guard(handler);
        if (Host::EingabefehlerCount() != eingabefehler)
            modalResult_ = Host::mrNone; // the form stays open for a correction
        if (modalResult_ != Host::mrNone)
            done(modalResult_);
    });
}

void TModalForm::showEvent(QShowEvent* event)
{
    Host::Guard([this] { FormShow(); });
    QDialog::showEvent(event);
    Qvform::NotifyShown(this);
}

bool EnterTab(QWidget* form, QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* f = form->focusWidget();
    if (!enter || !f || qobject_cast<QAbstractButton*>(f) || qobject_cast<QPlainTextEdit*>(f)
        || qobject_cast<QTextEdit*>(f))
        return false;
    // The next control Tab would reach, not a label between the controls.
    QWidget* next = f->nextInFocusChain();
    while (next != f && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(form)))
        next = next->nextInFocusChain();
    next->setFocus(Qt::TabFocusReason);
    return true;
}

void TModalForm::keyPressEvent(QKeyEvent* event)
{
    if (!EnterTab(this, event))
        QDialog::keyPressEvent(event);
}

void TModalForm::done(int r)
{
    if (modalResult_ == Host::mrNone)
        modalResult_ = r == QDialog::Accepted ? Host::mrOk : Host::mrCancel;
    Host::Guard([this] { FormClose(); });
    QDialog::done(r);
}

} // namespace Vcl
