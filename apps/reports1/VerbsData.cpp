#include "Verbs.h"

#include "apps/reports1/demo/Demo.h"

#include "platform/ado/Ado.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

namespace Verbs {

// init-db FILE [--demo] [--starts N] [--seed S] [--home DIR]: the schema, and
// with --demo or --starts a generated championship; with --home its
// association's mandate references and invoice texts go into that program folder.
int initDb(const CliArgs& a)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (a.positional.size() != 1) {
        err << "Aufruf: reports1 init-db DATEI [--demo] [--starts N] [--seed S] [--home ORDNER]\n";
        return 64;
    }
    const QString file = a.positional.first();
    // An existing file is replaced only when asked to, and only when it is a
    // championship database of this program.
    if (QFileInfo::exists(file)) {
        if (!a.has("force")) {
            err << "FEHLER: Die Datei \"" << file << "\" gibt es schon; sie wird nur mit --force ersetzt\n";
            return 1;
        }
        bool meisterschaft = false;
        {
            Ado::TADOConnection probe;
            meisterschaft = QFileInfo(file).isFile() && probe.Open(file) && probe.TableExists("ZKTMP");
        }
        if (!meisterschaft) {
            err << "FEHLER: Die Datei \"" << file << "\" ist keine Meisterschaftsdatenbank und wird nicht ersetzt\n";
            return 1;
        }
    }
    const bool demo = a.has("demo") || a.has("starts");
    Demo::Options o;
    o.starts = a.intValue("starts", o.starts);
    o.seed = quint32(a.intValue("seed", int(o.seed)));
    if (demo && o.starts < 1) {
        err << "FEHLER: --starts braucht eine Zahl größer 0\n";
        return 64;
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    Demo::Summary s;
    if (!Demo::CreateDatabase(file, o, demo, &error, &s)) {
        err << "FEHLER: " << error << "\n";
        return 1;
    }
    out << "Datenbank erstellt: " << file << "\n";
    if (demo && a.has("home")) {
        Ado::TADOConnection c;
        if (!c.Open(file, &error) || !Demo::StartgeldDateien(c, a.value("home"), &error)
            || !Demo::UrkundenDateien(a.value("home"), &error)
            || !Demo::WappenSchreiben(a.value("home"), &error)) {
            err << "FEHLER: Startgeldunterlagen: " << error << "\n";
            return 1;
        }
        out << "Mandatsreferenzen und Texte der Startgeldrechnung in " << a.value("home") << "\n";
    }
    if (demo)
        out << "Meisterschaft: " << s.veranstaltung << " (Ident " << o.ident << ", Startwert " << o.seed << ")\n"
            << "  " << s.clubs << " Vereine, " << s.members << " Mitglieder, " << s.starts << " Starts, "
            << s.teams << " Mannschaften (" << s.completeTeams << " vollständig), " << s.staff << " Mitarbeiter\n";
    out << "Zeit: " << QString::number(timer.elapsed() / 1000.0, 'f', 2).replace('.', ',') << " s\n";
    return 0;
}

} // namespace Verbs
