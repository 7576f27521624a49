#pragma once
// Starts without a start declaration: a shooter may start for a club in a
// discipline only when a declaration for that club and discipline is on
// record (EDISZIPLIN). The list of such starts, and the letters to their
// shooters: a reminder (the start is marked withdrawn) or a
// disqualification (the start gets the rule number of "0.7.4").

#include <QString>
#include <QVector>

namespace Ado {
class TDataSet;
}
namespace Report {
class TBaseReport;
}

namespace VorbStarterkl {

// Every start of the championship and sub-championship (:Ident, :Teilm)
// with the member's address and the discipline's name, by member.
QString StartsSQL();

struct TStart {
    QString Disziplin, DisName, VereinNr, Abkuerzung, VerName;
};
struct TMitglied {
    QString MitglNr, Name, Vorname, Titel, Geschlecht, Strasse, PLZ, Ort;
    QVector<TStart> Starts; // the undeclared ones, by discipline
};
// The members of Q1 with starts that no declaration covers, in Q1's order.
QVector<TMitglied> Unerklaerte(Ado::TDataSet& Q1);

// The list of undeclared starts.
void ListePrint(Report::TBaseReport& Report, const QVector<TMitglied>& Mitglieder);

// One letter per member; each start listed is marked at once: Disqualifikation
// with the rule number (disqualification letters) or Abmeldung 'A'.
void BriefePrint(Report::TBaseReport& Report, const QVector<TMitglied>& Mitglieder, bool Disqualifikation);

// The number of rule "0.7.4" (or "0.7.4.4") in EREGEL; the rule is added as
// the highest number + 1 when it is not there.
int RegelNummer();

} // namespace VorbStarterkl
