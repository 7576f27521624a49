// reports1 publish: the overall results list of a competition as web pages
// in a folder, written anew whenever its results change, until Ctrl+C or
// SIGTERM.

#include "BatchHostUi.h"
#include "Verbs.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "reports1/results/ErgebVeroeffentlichen.h"

#include <QDir>
#include <QScopeGuard>
#include <QTextStream>

#include <atomic>
#include <csignal>

namespace Verbs {

namespace {

std::atomic<bool> beenden{false};

extern "C" void signalBeenden(int) { beenden = true; }

} // namespace

int publish(const CliArgs& a)
{
    QTextStream out(stdout);
    const QString ordner = a.value("out");
    if (ordner.trimmed().isEmpty()) {
        out << "FEHLER: Kein Ausgabeordner angegeben (--out ORDNER)\n";
        return 64;
    }
    const int sekunden = a.has("every") ? a.intValue("every", 10) : 10;
    if (sekunden < 1 || sekunden > 86400) {
        out << "FEHLER: --every erwartet 1 bis 86400 Sekunden, nicht " << a.value("every") << "\n";
        return 64;
    }
    if (a.has("home"))
        Qvpaths::SetProgramFolder(a.value("home"));
    BatchHostUi ui;
    ui.quiet = true;
    Host::setUi(&ui);
    const auto ohneUi = qScopeGuard([] { Host::setUi(nullptr); });
    if (!datenbankOeffnen(a, out))
        return 1;

    // Ctrl+C and SIGTERM end the run between two files, never inside one.
    beenden = false;
    std::signal(SIGINT, signalBeenden);
    std::signal(SIGTERM, signalBeenden);
    const auto signaleZurueck = qScopeGuard([] {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    });

    ErgebVeroeffentlichen::TVeroeffentlichung v(Datamod::iIdent, ordner);
    auto melden = [&](int n) {
        if (n > 0)
            out << Qvclock::ZeitText(Qvclock::Now().time()) << " " << n << " Dateien geschrieben: "
                << QDir::toNativeSeparators(QDir(ordner).absoluteFilePath("index.html")) << "\n";
        out.flush();
    };
    try {
        if (a.has("once"))
            melden(v.Durchgang());
        else
            ErgebVeroeffentlichen::Laufen(v, sekunden * 1000, beenden, melden);
    } catch (const std::exception& e) {
        out << "FEHLER: " << ExceptionText(e) << "\n";
        return 1;
    }
    return 0;
}

} // namespace Verbs
