#pragma once
// The preparation centre's own lists: their statements and their bodies.
// The bodies read only the query they are given and the settings, never a
// widget, so the centre, the command line and the tests draw them alike.
//
// Statements carry the parameter :Ident (the current championship) and,
// where a list keeps to one sub-championship, :Teilmeister.

#include <QString>
#include <QStringList>

namespace Ado {
class TDataSet;
}
namespace Report {
class TBaseReport;
}

namespace VorbListen {

// Row shading of the lists: "Speziell"/"MitTab" = "J" switches it on,
// "Speziell"/"Tabellier" is the grey in percent (10 when not set).
struct TSchattierung {
    bool An = false;
    int Wert = 10;
    static TSchattierung AusEinstellungen();
};

// The centre's common heading: two empty lines, the title centred in Arial
// 15 bold, "Global"/"Ueberschr" + " " + "Allgemein"/"Sportjahr" centred in
// Arial 12 (bold when Fett), then Leerzeilen empty lines; Arial 10 after.
void ListenKopf(Report::TBaseReport& Report, const QString& Titel, bool Fett, int Leerzeilen);
// A new page when fewer than Zeilen lines are left; the body goes on two
// lines below the page header. True when a page was started.
bool Seitenwechsel(Report::TBaseReport& Report, int Zeilen);
// One line of the current tabs (Reportutil::Zeile); a text that would need
// a font below 8 points to fit its column is shortened with "…" instead, so
// every text stays readable.
void Zeile(Report::TBaseReport& Report, QStringList Felder);
// "Name, Titel Vorname" (no title: "Name, Vorname").
QString NameTitelVorname(const QString& Name, const QString& Titel, const QString& Vorname);
// A discipline code as printed: "110" gives "1.10".
QString Gepunktet(const QString& Disziplin);

// --- Entry checking lists ----------------------------------------------------
QString OhneStartSQL();
QString KlassensprungSQL();
QString MitgliederSQL();
QString WaffenGrpSQL();
void OhneStartPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);
void KlassensprungPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);
void MitgliederPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);
void WaffenGrpPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);

// --- Master data, participants per club, staff paid in cash -----------------
QString StammdatenSQL();
// Participants per club: the championship's id is part of the text.
QString TeilnehmerSQL(int Ident);
QString BarSQL();
void StammdatenPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);
// The master data's two heading lines and the tabs of its value line.
void Ueberschrift(Report::TBaseReport& Report);
void TabsSetzen(Report::TBaseReport& Report);
void TeilnehmerPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);
void BarPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);

// --- Start numbers of a shotgun competition ------------------------------------
// The starts of one range (:Anlage), discipline (:Disziplin), competition
// day (:Tag) and sub-championship (:Teilmeister), by name.
QString FlintenSQL();
void FlintenPrint(Report::TBaseReport& Report, Ado::TDataSet& Q1);

// --- Notes of the data takeover and the checks ------------------------------
// The lines of "FEHLER.DAT" in the data folder.
QStringList Hinweise();
void HinweisPrint(Report::TBaseReport& Report, const QStringList& Zeilen);

} // namespace VorbListen
