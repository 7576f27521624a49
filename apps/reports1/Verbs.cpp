#include "Verbs.h"
#include "BatchHostUi.h"

#include "platform/host/Qvform.h"
#include "platform/host/Qvmodule.h"
#include "platform/host/Sectionlist.h"

#include "platform/host/Datamod.h"

#include <QApplication>
#include <QScopeGuard>
#include <vector>
#include <QTextStream>

namespace Verbs {

namespace {

const QString runUsage = QStringLiteral(
    "EINSPRUNG [ARG] --db DATEI|URL [--ident N] [--home ORDNER]\n"
    "          [--set Bereich/Schluessel=Wert]... [--ctl Name=Wert]... [--click Name]...\n"
    "          [--answer ja|nein]... [--folder ORDNER] [--file DATEI] [--pdf AUS.pdf] [--dump AUS.txt]\n"
    "          [--chart AUS.png|AUS.pdf]");

const std::vector<Verb>& table()
{
    static const std::vector<Verb> verbs = {
        {"init-db", initDb,
         "reports1 init-db DATEI [--demo] [--starts N] [--seed S] [--home ORDNER] [--force]\n"
         "    Datenbank anlegen, mit --demo oder --starts mit erzeugter Meisterschaft;\n"
         "    eine vorhandene Meisterschaftsdatenbank wird nur mit --force ersetzt",
         {{"starts", "seed", "home"}, {"demo", "force"}, {"starts", "seed"}}},
        {"run", run, "reports1 run " + runUsage + "\n    einen Druckauftrag mit seinem Formular ausführen",
         RunOptions()},
        {"check", check,
         "reports1 check DRUCKDATEI\nreports1 check run " + runUsage
             + "\n    Druckbild prüfen: Texte außerhalb des Druckbereichs, zu breit für ihre Spalte oder überdeckt",
         RunOptions()},
        {"message", message, "reports1 message TEXT... [--db DATEI|URL]\n    Host-Nachrichten an das Modul geben",
         {{"db"}, {}, {}}},
        {"bench", bench,
         "reports1 bench [--starts N] [--seed S] [--repeat K] [--only D1,D2] [--json]\n    Dokumente auf einer erzeugten Meisterschaft messen",
         {{"starts", "seed", "repeat", "only"}, {"json"}, {"starts", "seed", "repeat"}}},
        {"publish", publish,
         "reports1 publish --db DATEI|URL [--ident N] --out ORDNER [--every SEKUNDEN] [--once] [--home ORDNER]\n"
         "    Gesamtergebnisliste als Webseiten (eine je Gruppe und index.html) laufend aktuell halten",
         {{"db", "ident", "out", "every", "home"}, {"once"}, {"ident", "every"}}},
        {"dump", dump, "reports1 dump DRUCKDATEI\n    Textauszug eines Berichtsstroms", {}},
        {"pdf", pdf, "reports1 pdf DRUCKDATEI AUS.pdf\n    Berichtsstrom als PDF", {}},
    };
    return verbs;
}


// The class names of the module's open top-level dialogs, "-" when none.
QString openDialogs()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Qvform::TQuarvelForm*>(w); f && f->isVisible())
            names << QString::fromLatin1(f->metaObject()->className());
    names.sort();
    return names.isEmpty() ? QString("-") : names.join(", ");
}

} // namespace

const Verb* find(const QString& name)
{
    for (const auto& v : table())
        if (name == v.name)
            return &v;
    return nullptr;
}

QString Usage()
{
    QString u = "Aufruf:\n";
    for (const auto& v : table())
        u += "  " + QString(v.usage).replace("\n", "\n  ") + "\n";
    u += "  reports1 --version | --help | BEFEHL --help\n";
    return u;
}

CliOptions RunOptions()
{
    return {{"db", "ident", "home", "set", "ctl", "click", "answer", "folder", "file", "pdf", "dump", "chart"}, {}, {"ident"}};
}

int message(const CliArgs& a)
{
    QTextStream out(stdout);
    BatchHostUi ui;
    Host::setUi(&ui);
    const auto ohneUi = qScopeGuard([] { Host::setUi(nullptr); });
    if (a.has("db")) {
        QString fehler;
        if (!Datamod::DataModule1()->OpenDatabase(a.value("db"), &fehler)) {
            out << "FEHLER: " << fehler << "\n";
            return 1;
        }
    }
    Qvmodule::TModuleLoader loader;
    if (!loader.Load(Qvmodule::TModuleLoader::DefaultPath())) {
        out << "FEHLER: " << loader.ErrorString() << "\n";
        Host::setUi(nullptr);
        return 1;
    }
    for (const QString& msg : a.positional) {
        Sectionlist::DistributeMessage(msg);
        QCoreApplication::processEvents();
        out << "open: " << openDialogs() << "\n";
        out.flush();
    }
    loader.Unload();
    Host::setUi(nullptr);
    return 0;
}

} // namespace Verbs
