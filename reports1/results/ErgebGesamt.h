#pragma once
// The overall results list: every group of one or several competitions,
// teams first (with their members up to a place) and individuals after, in
// one compact list. The rows are collected once (Sammeln) and then drawn on
// a report surface (paper, RTF, HTML: GesamtergebnisListe) or written as the
// fixed-width list file "ERGLISTE.TXT" (ListDateiErstellen), so every
// output shows the same rows in the same order with the same places.
// Nothing here touches a widget.

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace Report { class TBaseReport; }
namespace ErgebRangfolge { class TErgebDaten; }

namespace ErgebGesamt {

// The options of the tabs "Gesamtergebnisliste" and "Internet".
struct TOptionen {
    int GesPlatz = 0;           // teams up to this place with their members (ed_GesPlatz)
    bool RestEinzeilig = false; // later teams without member lines (cb_GesEinzeilig)
    bool OhneSeite = false;     // no page numbers (cb_OhneSeite)
    bool OhneSerien = false;    // no series (cb_OhneSerien)
    bool AlleSerien = false;    // every series, on lines below the row (cb_AlleSerien)
    bool AlleStarter = false;   // also results of 0 and incomplete teams (cb_AlleStarter)
    bool Ueberschrift = false;  // heading, page header and footer (cb_Ueberschrift)
    bool DSB = false;           // the national federation's form (cb_DSB)
    bool Spaltenkoepfe = false; // column heads over the rows (the web page)
    QString Schrift = QStringLiteral("Arial"); // the list's font (lb_FontGesamtUeber)
};

// --- The rows ----------------------------------------------------------------

struct TMitglied {
    QString Name;      // title, first name, surname
    QString Ergebnis;
    QString Klasse;    // the member's own class (the DSB form shows it)
};

struct TMannschaft {
    int Platz = 0;     // 0: printed without a place
    QString Kuerzel;   // the club's abbreviation
    QString Name;      // club name, " " + team number unless it is "1"
    QString Ergebnis;
    QString Rekord;    // "NR", "RE" or ""
    // Members with their results (teams up to GesPlatz), their names on
    // one line (later teams without "Rest Einzeilig"), or none.
    enum { KeineMitglieder, MitErgebnis, NurNamen } Mitgliederzeilen = KeineMitglieder;
    QVector<TMitglied> Mitglieder;
};

struct TEinzel {
    int Platz = 0;     // printed when Gedruckt
    bool Gedruckt = false;
    bool Disqualifiziert = false;
    QString Name;      // surname, ", ", title and first name
    QString Kuerzel, Verein;
    QString Serien[6]; // the first six series and the inner-ten note
    QStringList AlleSerien;
    QString Ergebnis;  // the result
    QString Gesamt;    // the total with the final, where a final exists
    QString Werte;     // final, measured value, shoot-off and additional value
    QString Rekord;
};

struct TGruppe {
    int Ident = 0;
    QString Disziplin, Klasse;
    QString KennzahlM, KennzahlE; // code numbers of the team and individual part
    QString TitelM, TitelE;       // headings of the two parts
    QVector<TMannschaft> Mannschaften;
    QVector<TEinzel> Einzel;
};

struct TAbschnitt {
    QString Titel; // "Vorkampf", "Rückkampf" or "" for a list without sections
    QVector<TGruppe> Gruppen;
};

struct TListe {
    QString Ueberschrift;          // the list's heading line
    QVector<TAbschnitt> Abschnitte;
    bool Leer() const;
};

// Marks, from the results themselves, every discipline and class of the
// listed competitions that has results (or starts, with AlleStarter) and
// every one with complete teams; Markieren(competition, discipline, class)
// sets the mark.
void GruppenMarkieren(const QVector<int>& Wettkaempfe, bool AlleStarter,
                      const std::function<void(int, const QString&, const QString&)>& Markieren);

// Collects the rows of the marked groups of Daten.Wettkaempfe. With several
// competitions and "VBWettkampf" = "J" the list is ordered by competition
// and each competition is a section ("Vorkampf", then "Rückkampf");
// otherwise by discipline.
TListe Sammeln(ErgebRangfolge::TErgebDaten& Daten, const TOptionen& Optionen);

// Draws the list (the body; page header and footer are the writer's).
void GesamtergebnisListe(Report::TBaseReport& Report, const TListe& Liste, const TOptionen& Optionen);
// The page end of the list: the footer with "mit Überschrift", and
// "Seite n" centred 2.0 cm above the page bottom unless "Ohne Seitennum." or
// the DSB form.
void SeiteDrucken(Report::TBaseReport& Report, const TOptionen& Optionen);

// --- The list file -----------------------------------------------------------

// Every line of the list file, as its fixed-width formats make them.
QStringList ListDateiZeilen(const TListe& Liste);
// Writes "ERGLISTE.TXT" into the data folder (Windows-1252, CR LF, under a
// temporary name that replaces the old file only when complete); returns its
// path. A file that cannot be written raises the host's error naming it.
QString ListDateiErstellen(const TListe& Liste);
// The line as Windows-1252 bytes; a character the code page lacks becomes
// its nearest Latin letter, else "?".
QByteArray Ansi(const QString& Zeile);

// The message after the list file was written.
inline const QString ListDateiMeldung =
    QStringLiteral("Die Gesamtergebnisliste ist im aktuellen Verzeichnis\\Daten\r\nunter dem Namen   ERGLISTE.TXT   "
                   "erstellt worden.");

} // namespace ErgebGesamt
