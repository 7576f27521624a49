// The host application: loads the reports module, shows the main window with
// its print menu, and finalises the module on exit.

#include "Championship.h"
#include "GuiHostUi.h"
#include "MainWindow.h"
#include "Screenshots.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvmodule.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsprache.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>
#include <QTimer>
#include <cstring>
#include <memory>

namespace {

bool hasOption(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

// The off-screen platform reports window operations it cannot do; they are
// no concern of the screenshots.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (type == QtWarningMsg
        && (msg.startsWith("This plugin does not support") || msg.startsWith("QStandardPaths:")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, msg) << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    // Screenshots are taken off-screen, on a screen of a laptop's size; the
    // platform has to be chosen before the application starts.
    QTemporaryFile screen;
    if (hasOption(argc, argv, "--screenshots") && screen.open()) {
        qInstallMessageHandler(quietOffscreen);
        screen.write(Screenshots::screenConfig());
        screen.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("meisterschaft");
    Qvsprache::DeutschEinrichten();

    QCommandLineParser cl;
    cl.setApplicationDescription("Meisterschaftsprogramm");
    cl.addHelpOption();
    QCommandLineOption selftest("selftest", "Modul laden, Kennung und Menüeinträge ausgeben, beenden.");
    QCommandLineOption module("module", "Pfad des Moduls.", "datei", Qvmodule::TModuleLoader::DefaultPath());
    QCommandLineOption home("home", "Programmordner (Daten, Internet).", "ordner");
    QCommandLineOption db("db", "Meisterschaftsdatenbank (SQLite-Datei oder postgres://…).", "datei");
    QCommandLineOption ident("ident", "Die Meisterschaft (Ident) der Datenbank.", "nummer");
    QCommandLineOption screenshots("screenshots",
                                   "Bilder aller Fenster (mit --db) als PNG-Dateien in den Ordner schreiben, beenden.",
                                   "ordner");
    cl.addOptions({selftest, module, home, db, ident, screenshots});
    cl.process(app);
    if (cl.isSet(home))
        Qvpaths::SetProgramFolder(cl.value(home));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (cl.isSet(screenshots) && !cl.isSet(db)) {
        err << "FEHLER: --screenshots braucht eine Meisterschaft (--db)\n";
        return 64;
    }

    // The screenshots keep the workstation's list of championships as it is.
    QTemporaryDir scratch;
    std::unique_ptr<QSettings> recent;
    if (cl.isSet(screenshots))
        recent = std::make_unique<QSettings>(scratch.filePath("meisterschaft.conf"), QSettings::IniFormat);
    MainWindow window(recent.get());
    GuiHostUi ui(&window);
    Host::setUi(&ui);

    Qvmodule::TModuleLoader loader;
    if (!loader.Load(cl.value(module))) {
        err << "FEHLER: " << loader.ErrorString() << "\n";
        return 1;
    }
    auto finish = [&](int rc) {
        loader.Unload();
        Host::setUi(nullptr);
        return rc;
    };

    if (cl.isSet(selftest)) {
        const auto& i = loader.Info();
        out << "Size: " << i.Size << "\n"
            << "Framework: " << i.Framework << "\n"
            << "VersionHigh: " << i.VersionHigh << "\n"
            << "VersionLow: " << i.VersionLow << "\n"
            << "Description: " << i.Description << "\n"
            << "LoadSequence: " << i.LoadSequence << "\n";
        for (const auto& job : Qvmain::f_Menue()->PrintJobs().Items())
            out << "Menü " << job.Id << ": " << job.Caption << "\n";
        out << "Selbsttest bestanden\n";
        out.flush();
        return finish(0);
    }

    if (cl.isSet(db)) {
        const QString fehler = Championship::Open(cl.value(db));
        if (!fehler.isEmpty()) {
            err << "FEHLER: " << fehler << "\n";
            return finish(1);
        }
        if (cl.isSet(ident))
            Datamod::DataModule1()->SetCurrentChampionship(cl.value(ident).toInt());
        window.championshipOpened(cl.value(db));
    }
    window.rebuildPrintMenu();

    std::unique_ptr<Screenshots> tour;
    if (cl.isSet(screenshots)) {
        tour = std::make_unique<Screenshots>(window, cl.value(screenshots), out);
        QTimer::singleShot(0, &window, [&] { QCoreApplication::exit(tour->run() == 0 ? 0 : 1); });
    } else {
        window.show();
    }
    return finish(app.exec());
}
