// The host application: loads the reports module, shows the main window with
// its print menu, and finalises the module on exit.

#include "Championship.h"
#include "GuiHostUi.h"
#include "MainWindow.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvmodule.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsprache.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char** argv)
{
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
    cl.addOptions({selftest, module, home, db, ident});
    cl.process(app);
    if (cl.isSet(home))
        Qvpaths::SetProgramFolder(cl.value(home));
    QTextStream out(stdout);
    QTextStream err(stderr);

    MainWindow window;
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
    window.show();
    return finish(app.exec());
}
