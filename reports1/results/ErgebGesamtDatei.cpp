// The list file "ERGLISTE.TXT": the overall results list as fixed-width
// text lines for other programs.

#include "reports1/results/ErgebGesamt.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"

#include <QDir>
#include <QSaveFile>
#include <QStringEncoder>

namespace ErgebGesamt {

namespace {

// A field of a format: at least Breite characters, blanks on the right
// ("%-Ns") or on the left ("%Ns"); never cut.
QString links(const QString& s, int breite) { return s.leftJustified(breite, ' ', false); }
QString rechts(const QString& s, int breite) { return s.rightJustified(breite, ' ', false); }

// The names of one line of members: as many as fit Breite characters,
// separated by ", "; a single longer name takes a line of its own.
QStringList namenZeilen(const QVector<TMitglied>& mitglieder, int breite)
{
    QStringList zeilen;
    QString z;
    for (const TMitglied& m : mitglieder) {
        if (!z.isEmpty() && z.size() + 2 + m.Name.size() > breite - 1) {
            zeilen << z + ",";
            z.clear();
        }
        z += (z.isEmpty() ? QString() : QStringLiteral(", ")) + m.Name;
    }
    if (!z.isEmpty())
        zeilen << z;
    return zeilen;
}

} // namespace

QStringList ListDateiZeilen(const TListe& Liste)
{
    QStringList l;
    const QString leer = rechts(QString(), 70); // "%70s"
    for (const TAbschnitt& a : Liste.Abschnitte) {
        if (!a.Titel.isEmpty())
            l << leer << links(a.Titel, 70); // "%-70s"
        for (const TGruppe& g : a.Gruppen) {
            if (!g.Mannschaften.isEmpty()) {
                l << leer << rechts(g.KennzahlM, 7) + " " + links(g.TitelM, 30) << leer; // "%7s%1s%-30s"
                for (const TMannschaft& m : g.Mannschaften) {
                    const QString ende = rechts(m.Ergebnis, 5) + rechts(m.Rekord, 2);
                    if (m.Platz == 0)
                        l << rechts("", 4) + rechts("", 4) + links(m.Name, 45) + ende; // "%4s%4s%-45s%5s%2s"
                    else if (!m.Kuerzel.isEmpty())
                        l << rechts(QString::number(m.Platz) + ".", 4) + " " + links(m.Kuerzel, 6) + links(m.Name, 45)
                                 + ende; // "%4s%1s%-6s%-45s%5s%2s"
                    else
                        l << rechts(QString::number(m.Platz) + ".", 4) + " " + links(m.Name, 45) + ende; // "%4s%1s%-45s%5s%2s"
                    if (m.Mitgliederzeilen == TMannschaft::MitErgebnis)
                        for (const TMitglied& t : m.Mitglieder)
                            l << links("", 4) + " " + links(t.Name, 45) + rechts(t.Ergebnis, 4); // "%-4s%1s%-45s%4s"
                    else if (m.Mitgliederzeilen == TMannschaft::NurNamen)
                        for (const QString& z : namenZeilen(m.Mitglieder, 59))
                            l << links("", 4) + " " + links(z, 59); // "%-4s%1s%-59s"
                }
            }
            if (!g.Einzel.isEmpty()) {
                l << leer << rechts(g.KennzahlE, 7) + " " + links(g.TitelE, 50) << leer; // "%7s%1s%-50s"
                bool disqualifikation = false;
                for (const TEinzel& e : g.Einzel) {
                    if (e.Disqualifiziert && !disqualifikation) {
                        disqualifikation = true;
                        l << rechts("", 20) + links("Disqualifikation", 40) + rechts("", 10); // "%20s%-40s%10s"
                    }
                    const QString verein = (e.Kuerzel + " " + e.Verein).trimmed();
                    l << rechts(e.Gedruckt ? QString::number(e.Platz) : QString(), 3) + " " + links(e.Name, 25)
                             + links(verein, 24) + rechts(e.Gesamt.isEmpty() ? e.Ergebnis : e.Gesamt, 6)
                             + rechts(e.Rekord, 2); // "%3s%1s%-25s%-24s%6s%2s"
                }
            }
        }
    }
    return l;
}

QByteArray Ansi(const QString& Zeile)
{
    QStringEncoder enc("windows-1252");
    QByteArray b = enc.encode(Zeile);
    if (!enc.hasError())
        return b;
    // Character by character: what the code page lacks becomes its letter
    // without accents (the decomposition's base), "ł" and "đ" their plain
    // letter, anything else "?".
    b.clear();
    for (QChar c : Zeile) {
        QStringEncoder e("windows-1252");
        QByteArray z = e.encode(QString(c));
        if (!e.hasError()) {
            b += z;
            continue;
        }
        static const QHash<QChar, char> eigene = {{QChar(0x0142), 'l'}, {QChar(0x0141), 'L'}, {QChar(0x0111), 'd'},
                                                  {QChar(0x0110), 'D'}, {QChar(0x0131), 'i'}};
        if (eigene.contains(c)) {
            b += eigene.value(c);
            continue;
        }
        const QString basis = QString(c).normalized(QString::NormalizationForm_D);
        const QChar erster = basis.isEmpty() ? QChar() : basis.front();
        b += (erster.unicode() >= 0x20 && erster.unicode() < 0x7f) ? char(erster.unicode()) : '?';
    }
    return b;
}

QString ListDateiErstellen(const TListe& Liste)
{
    Druckjob::Status("Erstellen der Gesamtergebnisliste in Textdatei");
    QByteArray inhalt;
    for (const QString& z : ListDateiZeilen(Liste))
        inhalt += Ansi(z) + "\r\n";
    const QString pfad = QDir(Qvpaths::DataFolder()).filePath("ERGLISTE.TXT");
    QString fehler;
    const bool ok = Report::WriteFileAtomic(pfad, inhalt, &fehler);
    Druckjob::Ende();
    if (!ok)
        throw EHostFehler(fehler);
    return pfad;
}

} // namespace ErgebGesamt
