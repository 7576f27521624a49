#pragma once
// The forms of the general page: the results confirmation of one shooter,
// the blank deregistration forms (two to a page) and the pre-filled
// application for the Olympic disciplines. Nothing here touches a widget.

#include "reports1/frame/ReportUtil.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace Report { class TBaseReport; }

namespace ErgebVordrucke {

// A row of a form: one column per tab, as Reportutil::SpaltenSetzen takes
// them, and the text as the form spells it ("\t\tName: \t____\t"): the
// text before the first tab is empty, each tab moves to the next column.
void TabZeile(Report::TBaseReport& Report, const QString& Text);

// --- Deregistration forms ----------------------------------------------------

// The declaration of the form for the event level "VeranstaltungsArt";
// empty for levels without one.
QString Erklaerung(int VeranstaltungsArt);
// Draws one page with two deregistration forms and the cut line between
// them.
void AbmeldungenPrint(Report::TBaseReport& Report);
// The coat of arms of the forms (shared with the other forms).
using Reportutil::TBildgroesse;
using Reportutil::Wappengroesse;

// --- Results confirmation ------------------------------------------------------

// What a results confirmation states: the shooter, the club and, per chosen
// competition, its name, the result and the series as the host prints them.
struct TBestaetigung {
    QString Name, Vorname, Titel, Verein, Datum;
    struct TWettbewerb {
        QString Name, Ergebnis;
        QStringList Serien;
    };
    QVector<TWettbewerb> Wettbewerbe;
};
// At most this many competitions on one confirmation.
inline constexpr int MaxWettbewerbe = 4;
// Reads the confirmation of member MitglNr of club VereinNr in championship
// Ident for the competitions Disziplinen (codes). Raises Eingabefehler
// naming the competition when the shooter has no result in it.
TBestaetigung BestaetigungLesen(int Ident, const QString& MitglNr, const QString& VereinNr,
                                const QStringList& Disziplinen);
// Draws the confirmation page.
void BestaetigungPrint(Report::TBaseReport& Report, const TBestaetigung& B);

// --- Application for the Olympic disciplines ---------------------------------------

// The member's class in championship Ident: the class of his starts there
// (the first by code), else his home class; "code, name".
QString KlasseHolen(int Ident, const QString& MitglNr);
// Whether a class ("code, name") may apply: not "10", "11", "20", "21" and
// not above "69".
bool KlasseZugelassen(const QString& Klasse);
// The row of the form a start belongs to: its DSB code ("1.10.10") when its
// class is one of the form's (.10 men, .11 women, .40 and .41 juniors),
// else the discipline's part with the class the start's class maps onto;
// empty when the code has no discipline part.
QString FormKennzahl(const QString& KennzEDSB, const QString& Geschlecht);
// The rows of the form: discipline code, name (a second line where the
// name takes two), class code, class text; left the rifles and pistols,
// right the shotguns.
struct TOlympiaZeile {
    QString Disziplin, Name, Klasse, KlassenText;
};
QVector<TOlympiaZeile> OlympiaZeilen(bool Flinte);

struct TOlympisch {
    QString Name, Vorname, Geburtsdatum, Klasse, Mitgliedsnummer;
    QStringList Kreuze; // the form's codes ("1.10.10") that get a cross
};
// Reads the applicant MitglNr and the crosses of his results in championship
// Ident in the competitions Disziplinen (codes).
TOlympisch OlympischLesen(int Ident, const QString& MitglNr, const QStringList& Disziplinen);
// The results statement of the application.
QString OlympischSQL(int Ident, const QString& MitglNr, const QStringList& Disziplinen);
// Draws the application.
void OlympischPrint(Report::TBaseReport& Report, const TOlympisch& O);

} // namespace ErgebVordrucke
