// reports1: the command line of the reports module. Runs jobs headless,
// delivers host messages, builds demo data and measures.

#include "BatchHostUi.h"
#include "CliArgs.h"
#include "Verbs.h"

#include "platform/host/Qvanwendung.h"
#include "platform/host/Qvsprache.h"

#include <QApplication>
#include <QTextStream>

namespace {

// The off-screen platform reports window operations it cannot do; they are
// no concern of a headless job.
void meldungen(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (type == QtWarningMsg && (msg.contains("propagateSizeHints") || msg.startsWith("QStandardPaths:")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, msg) << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(meldungen);
    // Forms are driven off-screen; the command line never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Qvanwendung::TAnwendung app(argc, argv);
    QApplication::setApplicationName("reports1");
    QApplication::setApplicationVersion("1.0");
    Qvsprache::DeutschEinrichten();

    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << "FEHLER: Kein Befehl angegeben.\n" << Verbs::Usage();
        return 64;
    }
    const QString befehl = args.takeFirst();
    if (befehl == "--help" || befehl == "-h" || befehl == "help") {
        out << Verbs::Usage();
        return 0;
    }
    if (befehl == "--version") {
        out << "reports1 " << QApplication::applicationVersion() << "\n";
        return 0;
    }
    const auto* verb = Verbs::find(befehl);
    if (!verb) {
        err << "FEHLER: Unbekannter Befehl \"" << befehl << "\".\n" << Verbs::Usage();
        return 64;
    }
    const CliArgs a = CliArgs::parse(befehl, args, verb->options);
    if (a.help) {
        out << "Aufruf:\n  " << QString(verb->usage).replace("\n", "\n  ") << "\n";
        return 0;
    }
    if (!a.error.isEmpty()) {
        err << "FEHLER: " << a.error << "\n";
        return 64;
    }
    try {
        return verb->run(a);
    } catch (...) {
        out.flush();
        err << "FEHLER: " << Qvanwendung::AktuellerFehler() << "\n";
        if (const QString d = Qvanwendung::AktuellerFehlerDetail(); !d.isEmpty())
            err << "  Einzelheiten: " << QString(d).replace('\n', " | ") << "\n";
        return 1;
    }
}
