#include "platform/host/Qvanwendung.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"

#include <exception>

namespace Qvanwendung {

QString AktuellerFehler()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return ExceptionText(e);
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler");
    }
}

QString AktuellerFehlerDetail()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return ExceptionDetail(e);
    } catch (...) {
        return {};
    }
}

bool TAnwendung::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Host::ui().showError(AktuellerFehler(), AktuellerFehlerDetail());
    }
    return false;
}

} // namespace Qvanwendung
