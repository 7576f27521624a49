#include "Verbs.h"
#include "BatchHostUi.h"

#include "platform/host/Qvform.h"
#include "platform/host/Qvmodule.h"
#include "platform/host/Sectionlist.h"

#include <QApplication>
#include <QTextStream>

namespace Verbs {

namespace {

const Verb table[] = {
    {"message", message},
    {"init-db", initDb},
    {"dump", dump},
    {"pdf", pdf},
    {"check", check},
    {"run", run},
    {"bench", bench},
};

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
    for (const auto& v : table)
        if (name == v.name)
            return &v;
    return nullptr;
}

QSet<QString> flagOptions() { return {"demo", "json", "help"}; }

int message(const CliArgs& a)
{
    QTextStream out(stdout);
    BatchHostUi ui;
    Host::setUi(&ui);
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
