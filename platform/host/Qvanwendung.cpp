#include "platform/host/Qvanwendung.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"

#include <QFileInfo>

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

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv)
{
    // Without TZ the C library looks at /etc/localtime again for every
    // local date and time it converts, a file status call each time (every
    // print stamp read from the database). Named once, the zone is read
    // once; it stays the machine's zone.
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
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
