#pragma once
// The shooting-time list: the plan of the automatic assignment per range
// and day, with the relays that fit into each window and the starts they
// hold.

#include <QString>

namespace Ado {
class TDataSet;
}
namespace Report {
class TBaseReport;
}

namespace VorbSchiesszeit {

// What one plan entry yields.
struct TWerte {
    int Durchgaenge = 0; // relays in the window
    int Starts = 0;      // starts they hold
    int VonStand = 0;    // first firing point
    int BisStand = 0;    // last firing point
};

// Von and Bis as the fraction of a day (dataset times), the relay length
// Dauer in minutes (relay plus break), Anzahl firing points from ErsterStand,
// DurchgangsZahl starts per firing point and relay, Kennung the
// discipline's code (text; a number tells every how many points one stays
// free).
TWerte Berechnen(double Von, double Bis, int Dauer, int Anzahl, int ErsterStand, int DurchgangsZahl,
                 const QString& Kennung);

// The plan rows of the sub-championship (:Ident, :Teilmeister): one row per
// class of each entry's class list.
QString SchiesszeitSQL();
void SchiesszeitPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);

} // namespace VorbSchiesszeit
