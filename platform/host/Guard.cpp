#include "platform/host/Guard.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"

namespace Host {

namespace {
int eingabefehler = 0;
int fehler = 0;
} // namespace

bool Guard(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const Eingabefehler& e) {
        ++eingabefehler;
        Host::ui().showError(e.Message());
    } catch (const std::exception& e) {
        ++fehler;
        Host::ui().showError(ExceptionText(e), ExceptionDetail(e));
    }
    return false;
}

int EingabefehlerCount() { return eingabefehler; }
int FehlerCount() { return fehler; }

} // namespace Host
