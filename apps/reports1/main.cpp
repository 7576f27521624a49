// reports1: the command line of the reports module. Runs jobs headless,
// delivers host messages, builds demo data and measures.

#include "BatchHostUi.h"
#include "CliArgs.h"
#include "Verbs.h"

#include "platform/host/Qvsprache.h"

#include <QApplication>
#include <QTextStream>

namespace {

void usage(QTextStream& err)
{
    err << "Aufruf:\n"
           "  reports1 init-db DATEI [--demo] [--starts N] [--seed S]   Datenbank anlegen (mit erzeugter Meisterschaft)\n"
           "  reports1 run EINSPRUNG [ARG] --db DATEI [--ident N] [--home ORDNER]\n"
           "          [--set Bereich/Schluessel=Wert]... [--ctl Name=Wert]... [--click Name]...\n"
           "          [--answer ja|nein]... [--folder ORDNER] [--file DATEI] [--pdf AUS.pdf] [--dump AUS.txt]\n"
           "  reports1 message TEXT... [--db DATEI]   Host-Nachrichten an das Modul geben\n"
           "  reports1 bench [--starts N] [--seed S] [--repeat K] [--json]   Kopfdokumente messen\n"
           "  reports1 dump STROM                      Textauszug eines Berichtsstroms\n"
           "  reports1 pdf STROM AUS.pdf               Berichtsstrom als PDF\n";
    err.flush();
}

} // namespace

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
    QApplication app(argc, argv);
    QApplication::setApplicationName("reports1");
    Qvsprache::DeutschEinrichten();

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
