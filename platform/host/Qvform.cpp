#include "platform/host/Qvform.h"

#include <QCloseEvent>

namespace Qvform {

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
