#include "platform/host/Qvform.h"

#include <QCloseEvent>

namespace Qvform {

namespace {
std::function<void(QWidget*)>& showHook()
{
    static std::function<void(QWidget*)> h;
    return h;
}
} // namespace

void SetShowHook(std::function<void(QWidget*)> hook) { showHook() = std::move(hook); }

void NotifyShown(QWidget* form)
{
    if (showHook())
        showHook()(form);
}

void TQuarvelForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    NotifyShown(this);
}

TQuarvelForm::TQuarvelForm(QWidget* parent) : QWidget(parent, Qt::Window) {}

void TQuarvelForm::RestoreAndRaise()
{
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowNoState);
    showNormal();
    raise();
    activateWindow();
}

void TQuarvelForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

} // namespace Qvform
