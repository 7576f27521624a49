// The host application: loads the reports module, shows the main window with
// its print menu, and finalises the module on exit.

#include "Championship.h"
#include "GuiHostUi.h"
#include "MainWindow.h"
#include "Screenshots.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvanwendung.h"
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

namespace {

int programm(int argc, char** argv, QTemporaryFile& screen);

} // namespace

int main(int argc, char** argv)
{
    // Help, version and the self-test need no screen; without one anything
    // else is refused with a message instead of the platform's abort.
    const bool ohneBildschirm = hasOption(argc, argv, "--help") || hasOption(argc, argv, "-h")
                                || hasOption(argc, argv, "--version") || hasOption(argc, argv, "--selftest");
    if (ohneBildschirm && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!hasOption(argc, argv, "--screenshots") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        QTextStream(stderr) << "FEHLER: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt). "
                               "Das Meisterschaftsprogramm braucht eine grafische Oberfläche.\n";
        return 1;
    }
    QTemporaryFile screen;
    try {
        return programm(argc, argv, screen);
    } catch (...) {
        QTextStream(stderr) << "FEHLER: " << Qvanwendung::AktuellerFehler() << "\n";
        return 1;
    }
}

namespace {

int programm(int argc, char** argv, QTemporaryFile& screen)
{
    // Screenshots are taken off-screen, on a screen of a laptop's size; the
    // platform has to be chosen before the application starts.
    if (hasOption(argc, argv, "--screenshots") && screen.open()) {
        qInstallMessageHandler(quietOffscreen);
        screen.write(Screenshots::screenConfig());
        screen.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen.fileName()));
    }
    Qvanwendung::TAnwendung app(argc, argv);
    QApplication::setApplicationName("meisterschaft");
    QApplication::setApplicationVersion("1.0");
    Qvsprache::DeutschEinrichten();

    QCommandLineParser cl;
    cl.setApplicationDescription("Meisterschaftsprogramm");
    cl.addHelpOption();
    cl.addVersionOption();
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
        if (cl.isSet(ident)) {
            bool zahl = false;
            const int nr = cl.value(ident).toInt(&zahl);
            auto* c = Datamod::DataModule1()->Connection();
            if (!zahl || c->Scalar("SELECT COUNT(*) FROM ZKTMP WHERE Ident = ?", {nr}).toInt() == 0) {
                err << "FEHLER: Meisterschaft " << cl.value(ident) << " ist nicht vorhanden\n";
                return finish(1);
            }
            Datamod::DataModule1()->SetCurrentChampionship(nr);
        }
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

} // namespace
