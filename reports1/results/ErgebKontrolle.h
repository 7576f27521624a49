#pragma once
// The control lists of the results office: the competitions and classes
// whose starts all still lack a result ("Fehlende Ergebnisse") and the
// teams whose number of members present differs from the number required
// ("Unvollständige Mannschaften"). Nothing here touches a widget.

#include <QString>
#include <QVector>

namespace Report { class TBaseReport; }
namespace Ado { class TDataSet; }

namespace ErgebKontrolle {

// Entries per discipline and class of a sub-championship (parameters
// :Ident, :Teilm), all of them or only those with result 0.
QString AnzahlSQL();
QString AnzahlOhneErgebnisSQL();

// A discipline and class in which no start has a result yet.
struct TFehlend {
    QString Disziplin, Klasse, DisName, KlaName;
    int Anzahl = 0;
};
// The groups of championship Ident and sub-championship Teilm whose every
// entry still has result 0, in discipline and class order.
QVector<TFehlend> FehlendeErmitteln(int Ident, const QString& Teilm);
// Draws the list of missing results.
void FehlendePrint(Report::TBaseReport& Report, const QVector<TFehlend>& Fehlende);

// The members of one team (its Ident, club number, discipline, class and
// team number), as read for the list of incomplete teams.
QString MitgliederSQL(int Ident, const QString& VereinNr, const QString& Disziplin, const QString& Klasse,
                      const QString& MannschNr);
// Draws the incomplete teams of q (the team dataset prepared for incomplete
// teams and opened), each with its members.
void MannschaftenPrint(Report::TBaseReport& Report, Ado::TDataSet& q);

} // namespace ErgebKontrolle
