// reports1: the command line of the reports module. Runs jobs headless,
// delivers host messages, builds demo data and measures.

#include "BatchHostUi.h"
#include "CliArgs.h"
#include "Verbs.h"

#include <QApplication>
#include <QTextStream>

namespace {

void usage(QTextStream& err)
{
    err << "Aufruf:\n"
           "  reports1 message TEXT... [--db DATEI]   Host-Nachrichten an das Modul geben\n";
    err.flush();
}

} // namespace

int main(int argc, char** argv)
{
    // Forms are driven off-screen; the command line never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("reports1");

    QStringList args = app.arguments();
    args.removeFirst();
    CliArgs a = CliArgs::parse(args, Verbs::flagOptions());
    QTextStream err(stderr);
    if (!a.error.isEmpty()) {
        err << "FEHLER: " << a.error << "\n";
        return 64;
    }
    const auto* verb = Verbs::find(a.verb);
    if (!verb) {
        usage(err);
        return a.verb.isEmpty() || a.verb == "help" ? 0 : 64;
    }
    return verb->run(a);
}
