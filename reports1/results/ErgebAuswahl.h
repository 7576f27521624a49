#pragma once
// The groups a results document over one or several competitions walks:
// before drawing, every discipline and class that has results is marked
// for output (PDISKLA.ErgebEing = 'X') in each listed competition, so the
// group stepping of the ranked datasets finds it. The marks are cleared
// again by the results dialog after the output.

#include <QString>
#include <QStringList>
#include <QVector>

namespace Ado { class TDataSet; }
namespace Report { class TBaseReport; }

namespace ErgebAuswahl {

// Marks one discipline and class for output in competition Wettkampf (in
// every competition when Wettkampf is below 1).
void GruppeMarkieren(int Wettkampf, const QString& Disziplin, const QString& Klasse);

// Marks, in each listed competition, every discipline and class that has an
// individual result above 0 (with AlleStarter: any start at all) or a
// complete team with a result above 0 in one of the listed competitions.
void GruppenMarkieren(const QVector<int>& Wettkaempfe, bool AlleStarter = false);

// Marks every discipline and class of competition Wettkampf that has an
// individual result above 0 or a complete team with a result above 0.
void ErgebnisGruppenMarkieren(int Wettkampf);

// The heading of a group's team part or individual part in the lists over
// the marked groups (overall list, press list, forwarding lists): the
// group's code number and its title.
struct TGruppenKopf {
    QString Kennzahl;  // code number of the group ("M" for teams, "E" for individuals)
    QString Titel;     // discipline - class (teams: + " " + Zusatz of an Olympic
                       // discipline group; individuals: + "  " + class addition)
};
// Read from the current row of a ranked team or individual dataset.
TGruppenKopf GruppenKopf(Ado::TDataSet& q, bool Mannschaft);
// Printed on tabs 1.5 R and 15.0 L in "Arial" 11 bold; a new line follows.
void GruppenKopfDrucken(Report::TBaseReport& Report, const TGruppenKopf& Kopf);

// The lines Text wraps into in column Spalte (1-based) of the current tabs
// at the current font; at least one.
QStringList SpaltenZeilen(Report::TBaseReport& Report, int Spalte, const QString& Text);
// A row whose column Spalte holds the lines of SpaltenZeilen: the first on
// the row, each further one on a line of its own below it.
void UmbruchZeile(Report::TBaseReport& Report, QStringList Felder, int Spalte, const QStringList& Zeilen);

// The date of birth as day.month.year, of the parts that are known.
QString Geburtsdatum(const QString& Tag, const QString& Monat, const QString& Jahrgang);
// The parts of a name that are set, separated by one blank.
QString NamenTeile(const QStringList& Teile);

} // namespace ErgebAuswahl
