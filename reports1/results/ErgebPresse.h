#pragma once
// The press list: the best places of every group, teams first, for the
// newspapers, printed or as an RTF file, optionally restricted to one
// subdivision (a district or region).

#include "reports1/results/ErgebAuswahl.h"

#include <QString>
#include <QVector>

class QLineEdit;
class QObject;
namespace Report {
class TBaseReport;
class TRTFFiler;
class TRvNDRWriter;
} // namespace Report
namespace ErgebRangfolge { class TErgebDaten; }

namespace ErgebPresse {

struct TOptionen {
    bool Gesamtausdruck = false;  // gb_PreDruck "Gesamtausdruck": every group with results
    int Einzel = 3;               // ed_Einzel: individuals per group
    int Mannschaft = 3;           // ed_Mannschaft: teams per group
    QString Untergliederung;      // ed_Untergl: subdivision code, empty = everybody
};

// The checks of "OK" on the three edits: a count that is no number or a
// subdivision code of fewer than 4 characters raises Eingabefehler with the
// focus on its edit.
TOptionen EingabenPruefen(QLineEdit* ed_Einzel, QLineEdit* ed_Mannschaft, QLineEdit* ed_Untergl);

// Whether a club belongs to the subdivision Code at the championship level
// Veranstaltungsart (empty code: every club). Kreis is the club's district
// number as the club records it.
bool InUntergliederung(const QString& Code, const QString& VereinNr, const QString& Kreis, int Veranstaltungsart);

// One line of the list.
struct TZeile {
    QString Platz;     // "1." or empty (tied with the row above)
    QString Name;      // team name, or "surname, title first name"
    QString Verein;    // the shooter's club (empty for teams)
    QString Ergebnis;  // as the results list prints it
    QString Rekord;    // "NR", "RE" or empty
};
// One group: its team part and its individual part, each with its heading.
struct TGruppe {
    ErgebAuswahl::TGruppenKopf MannschaftKopf;
    QVector<TZeile> Mannschaften;
    ErgebAuswahl::TGruppenKopf EinzelKopf;
    QVector<TZeile> Einzel;
};

// The rows of every group released for output in Daten's competitions:
// per group the best Mannschaft teams and the best Einzel individuals (rows
// tied with the last of them too) of the subdivision, with their places in
// the whole group. Groups without a row are left out.
QVector<TGruppe> PresseDaten(ErgebRangfolge::TErgebDaten& Daten, const TOptionen& O);

// The body: heading and groups. Paper (Rtf false) pages itself; an RTF
// file is paged by the word processor.
void PresseListe(Report::TBaseReport& Report, const QVector<TGruppe>& Gruppen, const TOptionen& O, bool Rtf);
// The page end of paper: "Seite <n>" centred 2.0 cm above the bottom of
// the sheet.
void SeiteDrucken(Report::TBaseReport& Report);

// One run of the press tab. Anlegen makes its writer rf_Presseliste and
// its filer rtf_Presse, owned by the dialog.
class TPresseJob {
public:
    void Anlegen(QObject* Owner);
    // Marks every group with results first when Gesamtausdruck; then the
    // list to the preview (its id in DruckjobID) or, with Rtf, the file
    // "PRESSE.RTF" in a folder asked for (remembered in Laufwerk). False,
    // after telling the user, when nothing was produced.
    bool Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const TOptionen& O, bool Rtf, int& DruckjobID,
                  QString& Laufwerk);

    Report::TRvNDRWriter* rf_Presseliste = nullptr;
    Report::TRTFFiler* rtf_Presse = nullptr;

private:
    TOptionen O_;
    QVector<TGruppe> gruppen_;
};

} // namespace ErgebPresse
