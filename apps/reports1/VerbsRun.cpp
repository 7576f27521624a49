// reports1 run ENTRY [ARG]: one job on real forms, off-screen.

#include "BatchHostUi.h"
#include "Verbs.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rplayout.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/FormDriver.h"
#include "reports1/module/Einspruenge.h"
#include "reports1/results/Ergebdruck1.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <QTextStream>
#include <QWidget>

namespace Verbs {

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
    if (a.has("ident")) {
        const int ident = a.intValue("ident", 0);
        if (Datamod::DataModule1()->Connection()->Scalar("SELECT COUNT(*) FROM ZKTMP WHERE Ident = ?", {ident}).toInt()
            == 0) {
            out << "FEHLER: Meisterschaft " << ident << " ist nicht vorhanden\n";
            Datamod::DataModule1()->CloseDatabase();
            return false;
        }
        Datamod::DataModule1()->SetCurrentChampionship(ident);
    }
    return true;
}

namespace {

// The output files: none may be the database, a file of the other option,
// or anything but a regular file (a device or pipe). "" when they are fine.
QString ausgabenPruefen(const CliArgs& a)
{
    for (const char* name : {"pdf", "dump", "file", "folder", "chart"})
        if (a.has(name) && a.value(name).trimmed().isEmpty())
            return QString("Die Option --%1 braucht einen Namen").arg(name);
    QMap<QString, QString> schon; // absolute path -> option
    const QString db = a.value("db");
    if (!db.isEmpty() && !db.startsWith("postgres"))
        schon.insert(QFileInfo(db).absoluteFilePath(), "--db");
    for (const char* name : {"pdf", "dump", "file", "chart"}) {
        if (!a.has(name))
            continue;
        const QFileInfo f(a.value(name));
        const QString pfad = f.exists() ? f.canonicalFilePath() : f.absoluteFilePath();
        if (f.exists() && !f.isFile())
            return QString("Die Ausgabe --%1 \"%2\" ist keine gewöhnliche Datei").arg(name, a.value(name));
        const QString db2 = schon.contains(pfad) ? schon.value(pfad) : QString();
        if (!db2.isEmpty())
            return QString("Die Ausgabe --%1 \"%2\" ist dieselbe Datei wie %3").arg(name, a.value(name), db2);
        schon.insert(pfad, QString("--") + name);
    }
    for (const QString& antwort : a.values("answer"))
        if (antwort != "ja" && antwort != "nein")
            return "Die Option --answer nimmt \"ja\" oder \"nein\", nicht \"" + antwort + "\"";
    return {};
}

} // namespace

int run(const CliArgs& a) { return runJob(a, false); }

int runJob(const CliArgs& a, bool check)
{
    QTextStream out(stdout);
    if (a.positional.isEmpty()) {
        // The entries the command line knows, one a line.
        for (const QString& n : Einspruenge::Namen())
            out << n << "\n";
        return 0;
    }
    const Einspruenge::TEinsprung* e = Einspruenge::Finden(a.positional.first());
    if (!e) {
        out << "FEHLER: Unbekannter Einsprung " << a.positional.first() << "; bekannt sind: "
            << Einspruenge::Namen().join(", ") << "\n";
        return 64;
    }
    const QString argument = a.positional.size() > 1 ? a.positional[1] : QString();
    if (const QString f = ausgabenPruefen(a); !f.isEmpty()) {
        out << "FEHLER: " << f << "\n";
        return 64;
    }
    if (a.has("home"))
        Qvpaths::SetProgramFolder(a.value("home"));

    BatchHostUi ui;
    for (const QString& antwort : a.values("answer"))
        ui.answers.push_back(antwort == "nein" ? Host::mrNo : Host::mrYes);
    for (const QString& f : a.values("folder"))
        ui.folders.push_back(f);
    for (const QString& f : a.values("file"))
        ui.files.push_back(f);
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
        // A print written to its files or checked leaves no stream behind;
        // without --pdf or --dump the stream is the output and stays.
        if ((check || a.has("pdf") || a.has("dump")) && Report::IstTemporaererStrom(r.file))
            QFile::remove(r.file);
        out.flush();
    };
    Host::setUi(&ui);
    const auto ohneUi = qScopeGuard([] { Host::setUi(nullptr); });

    int rc = 0;
    if (!datenbankOeffnen(a, out))
        return 1;
    for (const QString& s : a.values("set")) {
        const int slash = int(s.indexOf('/')), eq = int(s.indexOf('='));
        if (slash < 1 || eq < slash) {
            out << "FEHLER: --set erwartet Bereich/Schluessel=Wert, nicht " << s << "\n";
            return 64;
        }
        try {
            Qvsettings::SetString(s.left(slash), s.mid(slash + 1, eq - slash - 1), s.mid(eq + 1));
        } catch (const std::exception& e) {
            out << "FEHLER: Die Einstellung " << s.left(eq) << " kann nicht gespeichert werden: " << ExceptionText(e)
                << "\n";
            if (const QString d = ExceptionDetail(e); !d.isEmpty())
                out << "  Einzelheiten: " << QString(d).replace('\n', " | ") << "\n";
            return 1;
        }
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

    // The medal page writes its charts there when it shows them.
    Ergebdruck1::DiagrammAusgabe(a.value("chart"));
    const auto diagrammAus = qScopeGuard([] { Ergebdruck1::DiagrammAusgabe({}); });
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
    return rc;
}

} // namespace Verbs
