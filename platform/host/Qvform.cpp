#include "platform/host/Qvform.h"

#include "platform/host/Datamod.h"
#include "platform/host/Guard.h"
#include "platform/host/Qvsettings.h"

#include <QCloseEvent>
#include <QShowEvent>

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

QString FensterTitel(const QString& Titel)
{
    return Titel + " - " + Datamod::sVeranstaltung + " - Teilm. " + Qvsettings::GetString("Speziell", "Teilmeisterschaft");
}

TQuarvelForm::TQuarvelForm(QWidget* parent) : QWidget(parent, Qt::Window) {}

TQuarvelForm::~TQuarvelForm() { unitVariableClear(); }

void TQuarvelForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Host::Guard([this] { FormShow(); });
    QWidget::showEvent(event);
    NotifyShown(this);
}

void TQuarvelForm::RestoreAndRaise()
{
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowNoState);
    showNormal();
    raise();
    activateWindow();
}

void TQuarvelForm::closeEvent(QCloseEvent* event)
{
    Host::Guard([this] { FormClose(); });
    unitVariableClear();
    QWidget::closeEvent(event);
}

void TQuarvelForm::unitVariableClear()
{
    if (unitVariable_)
        std::exchange(unitVariable_, {})();
}

} // namespace Qvform
