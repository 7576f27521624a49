#pragma once
// The results list: for every group released for output, first the teams,
// then the individuals, with places, series, legend and protest deadline;
// and the same data as text lines for the screen.

#include <QString>
#include <QStringList>

namespace Report { class TBaseReport; }
namespace Ado { class TDataSet; }
namespace ErgebRangfolge { class TErgebDaten; }
namespace Datamod { struct TDisziplinInfo; }

namespace ErgebListe {

struct TOptionen {
    bool AlleSerien = false;       // "Ausgabe aller Serien" (cb_Serien)
    bool Einspruchsende = false;   // print the protest deadline (cb_Einspruchsende)
};

// The body of rf_Ergebnisse for the current competition (Datamod::iIdent).
void ErgebnissePrint(Report::TBaseReport& Report, ErgebRangfolge::TErgebDaten& Daten, const TOptionen& Optionen);

// The result of the current row of an individual result dataset as the
// results lists show it: the total with a final, else the result (padded
// to four characters).
QString ErgebnisText(Ado::TDataSet& q, const Datamod::TDisziplinInfo& info);

// The body of rf_Nichtangetreten over the non-starters query q.
void NichtangetretenPrint(Report::TBaseReport& Report, Ado::TDataSet& q);

// The remarks of the current individual result of q, as every results list
// shows them: the final, the shoot-off, the measured value (each "%3.1f")
// and the additional value 1 to 9998 ("%2d").
QStringList Bemerkungen(Ado::TDataSet& q);

// The on-screen list of one discipline and class.
struct TBildschirm {
    QString Ueberschrift;   // lb_Einzel
    QStringList Zeilen;     // lx_Ergebnisse
};
TBildschirm ErgebnisseEinzelAusgabe(ErgebRangfolge::TErgebDaten& Daten, const QString& Disziplin, const QString& Klasse);
TBildschirm ErgebnisseMannschaftAusgabe(ErgebRangfolge::TErgebDaten& Daten, const QString& Disziplin, const QString& Klasse);

} // namespace ErgebListe
