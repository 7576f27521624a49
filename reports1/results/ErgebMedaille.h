#pragma once
// The medal table: how many gold, silver and bronze medals each unit (a
// club, or a district or region formed from the club numbers) won in the
// current competition, stored in EMEDAILLE, printed as a table or shown as
// a bar and a pie chart.

#include <QString>
#include <QVector>

class QWidget;
namespace Report { class TBaseReport; }

namespace ErgebMedaille {

struct TOptionen {
    bool Einzel = true;
    bool Mannschaft = false;
    bool Bildschirm = false; // units for the charts: districts or regions by level
    int Verband = 0;         // the host's federation level
    int Art = 0;             // Allgemein/VeranstaltungsArt
};

// The two result sources in ranked order (parameter :Ident).
QString EinzelSQL();
QString MannschaftSQL();

// The unit a result counts for, and its number for the district columns.
QString Einheit(const TOptionen& O, const QString& VereinNr, int Kreis);

// Counts the medals of championship Ident into EMEDAILLE, emptied and
// refilled in one transaction (a failed count leaves the previous table).
// Returns false, after saying so, when neither source has a row.
bool Zaehlen(int Ident, const TOptionen& O);

// One row of EMEDAILLE.
struct TEinheit {
    QString VereinNr, Abkuerzung, Name;
    int Nummer = 0, Kreis = 0;
    int EGold = 0, ESilber = 0, EBronze = 0, MGold = 0, MSilber = 0, MBronze = 0;
    int Gold(const TOptionen& O) const { return (O.Einzel ? EGold : 0) + (O.Mannschaft ? MGold : 0); }
    int Silber(const TOptionen& O) const { return (O.Einzel ? ESilber : 0) + (O.Mannschaft ? MSilber : 0); }
    int Bronze(const TOptionen& O) const { return (O.Einzel ? EBronze : 0) + (O.Mannschaft ? MBronze : 0); }
};
// EMEDAILLE as the table and the charts read it (by Nummer).
QVector<TEinheit> Einheiten();

// The printed table of the kinds counted.
void TabelleDrucken(Report::TBaseReport& Report, const TOptionen& O);

// The charts: three bar series (gold, silver, bronze) per unit, and a pie
// of one medal (0 gold, 1 silver, 2 bronze) over the units.
QWidget* BalkenDiagramm(const TOptionen& O, QWidget* parent);
QWidget* KuchenDiagramm(const TOptionen& O, int Medaille, QWidget* parent);
// Writes a chart widget as PNG or (by the name's extension) PDF, landscape.
bool DiagrammSpeichern(QWidget* Diagramm, const QString& Datei, QString* Fehler = nullptr);

} // namespace ErgebMedaille
