// reports1 run ENTRY [ARG]: one job on real forms, off-screen.

#include "BatchHostUi.h"
#include "Verbs.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rplayout.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/FormDriver.h"
#include "reports1/module/Einspruenge.h"

#include <QApplication>
#include <QTextStream>
#include <QWidget>

namespace Verbs {

namespace {

// Opens the database and chooses the championship as the host does.
bool datenbankOeffnen(const CliArgs& a, QTextStream& out)
{
    const QString db = a.value("db");
    if (db.isEmpty()) {
        out << "FEHLER: Keine Datenbank angegeben (--db DATEI)\n";
        return false;
    }
    QString fehler;
    if (!Datamod::DataModule1()->OpenDatabase(db, &fehler)) {
        out << "FEHLER: " << fehler << "\n";
        return false;
    }
    if (a.has("ident"))
        Datamod::DataModule1()->SetCurrentChampionship(a.intValue("ident", 0));
    return true;
}

} // namespace

int run(const CliArgs& a) { return runJob(a, false); }

int runJob(const CliArgs& a, bool check)
{
    QTextStream out(stdout);
    if (a.positional.isEmpty()) {
        out << "FEHLER: Kein Einsprung angegeben; bekannt sind: " << Einspruenge::Namen().join(", ") << "\n";
        return 64;
    }
    const Einspruenge::TEinsprung* e = Einspruenge::Finden(a.positional.first());
    if (!e) {
        out << "FEHLER: Unbekannter Einsprung " << a.positional.first() << "; bekannt sind: "
            << Einspruenge::Namen().join(", ") << "\n";
        return 64;
    }
    const QString argument = a.positional.size() > 1 ? a.positional[1] : QString();
    if (a.has("home"))
        Qvpaths::SetProgramFolder(a.value("home"));

    BatchHostUi ui;
    for (const QString& antwort : a.values("answer"))
        ui.answers.push_back(antwort.toLower().startsWith('n') ? Host::mrNo : Host::mrYes);
    ui.folder = a.value("folder");
    ui.file = a.value("file");
    Report::TBatchOutput ausgabe(a.value("pdf"), a.value("dump"));
    // Pages go to the files as they are drawn; the layout check reads each
    // print's stream whole instead.
    if (!check && (a.has("pdf") || a.has("dump")))
        ausgabe.WriteDirectly();
    bool ausgabeFehler = false;
    int befunde = 0;
    ui.onPreview = [&](const Host::PrintRequest& r) {
        QString fehler;
        if (check) {
            Report::TReportDocument doc;
            if (!Report::ReadStream(r.file, doc, &fehler)) {
                out << "FEHLER: " << fehler << "\n";
                ausgabeFehler = true;
            } else {
                const auto f = Report::CheckLayout(doc);
                befunde += int(f.size());
                out << "PRÜFUNG: " << r.title << ": " << (f.isEmpty() ? QString("ohne Befund") : QString("%1 Befunde").arg(f.size()))
                    << "\n" << Report::LayoutReport(f);
            }
        } else if (!a.has("pdf") && !a.has("dump"))
            out << "DRUCK: " << r.title << " (" << r.file << ")\n";
        else if (!ausgabe.Write(r.file, &fehler)) {
            out << "FEHLER: " << fehler << "\n";
            ausgabeFehler = true;
        }
        out.flush();
    };
    Host::setUi(&ui);

    int rc = 0;
    if (!datenbankOeffnen(a, out)) {
        Host::setUi(nullptr);
        return 1;
    }
    for (const QString& s : a.values("set")) {
        const int slash = int(s.indexOf('/')), eq = int(s.indexOf('='));
        if (slash < 1 || eq < slash) {
            out << "FEHLER: --set erwartet Bereich/Schluessel=Wert, nicht " << s << "\n";
            Host::setUi(nullptr);
            return 64;
        }
        Qvsettings::SetString(s.left(slash), s.mid(slash + 1, eq - slash - 1), s.mid(eq + 1));
    }
    // What the host reads with the championship follows the settings just written.
    if (a.has("set"))
        Datamod::DataModule1()->SetCurrentChampionship(Datamod::iIdent);

    Vcl::TFormDriver driver;
    bool geklickt = false;
    for (const QString& o : a.order) {
        if (o.startsWith("ctl=")) {
            const QString v = o.mid(4);
            const int eq = int(v.indexOf('='));
            driver.AddCtl(v.left(eq), eq >= 0 ? v.mid(eq + 1) : QString());
        } else if (o.startsWith("click=")) {
            driver.AddClick(o.mid(6));
            geklickt = true;
        }
    }
    if (!geklickt && !e->StandardKnopf.isEmpty())
        driver.AddClick(e->StandardKnopf);

    const auto ergebnis = driver.Run([&] { e->Aufruf(argument); });
    QCoreApplication::processEvents();
    if (ergebnis == Vcl::TFormDriver::Eingabefehler)
        rc = 2;
    else if (ergebnis == Vcl::TFormDriver::Fehler) {
        if (!driver.ErrorText().isEmpty())
            out << "FEHLER: " << driver.ErrorText() << "\n";
        rc = 1;
    } else if (ausgabeFehler || befunde > 0)
        rc = 1;
    for (const QString& f : ausgabe.Written())
        out << "AUSGABE: " << f << "\n";
    out.flush();

    // Close what the job left open.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Host::setUi(nullptr);
    return rc;
}

} // namespace Verbs
