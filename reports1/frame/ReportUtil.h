#pragma once
// Page services shared by every print job: page header and footer, the
// rule under and above them, the sender line and fold mark of letters, tab
// routines, word wrap, fitting fonts, and the federation code of a group.

#include "platform/report/Rpdefine.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace Report {
class TBaseReport;
} // namespace Report
namespace Ado {
class TDataSet;
} // namespace Ado

namespace Reportutil {

void quarvelKopfZeile(Report::TBaseReport& Report, bool Ueberschrift, int SchriftAuswahl);
void quarvelFusszeile(Report::TBaseReport& Report, int Seite);
void DrawVerticalLine(Report::TBaseReport& Report, int Thickness);
void BriefkopfDrucken(Report::TBaseReport& Report, double Pos);
void Faltmarker(Report::TBaseReport& Report);
void AbsenderDrucken(Report::TBaseReport& Rpt);

double EndOfTab(Report::TBaseReport& Report, int index);
int TabCount(Report::TBaseReport& Report);
Report::TTab* NextTab(Report::TBaseReport& Report, Report::TTab* CurrentTab);
void SetLastTab(Report::TBaseReport& Report, double NewPos, int NewJustify, double NewMargin, int NewLines, int NewShade);
void TabLines(Report::TBaseReport& Report, const QVector<int>& indexes, const QString& lines, bool add);
void TabLines(Report::TBaseReport& Report, const QString& lines, bool add);
void RemoveTabLines(Report::TBaseReport& Report, const QVector<int>& indexes, const QString& lines);
void TextTab(Report::TBaseReport& Report, const QString& Text);
double FontSizeToFit(Report::TBaseReport& Report, const QString& Text, double TxtWidth);
// The lines Bezeichnung wraps into between Anfang and Ende at the current font.
QStringList TextAufteilen(Report::TBaseReport& Report, const QString& Bezeichnung, double Anfang, double Ende);

// One column of a row layout: its width in cm (Rest: up to the right
// section) and how text sits in it. Columns carry the cell margin of the
// lists (3/100 inch) and no border or shade.
struct TSpalte {
    double Breite;
    Report::TPrintJustify Ausrichtung = Report::pjLeft;
};
inline constexpr double Rest = -1;
// Replaces the tabs by the columns: the first at Start (the left section
// when NA), each further one after the one before.
void SpaltenSetzen(Report::TBaseReport& Report, const QVector<TSpalte>& Spalten, double Start = Report::NA);
// One line of a row layout: each text in its column, then a new line. A
// text wider than its column is printed in a font that fits (TextTab); tab
// and line-break characters inside a value print as blanks, so a value can
// never move the columns after it.
void Zeile(Report::TBaseReport& Report, const QStringList& Felder);
// One text of a row in the next column, as Zeile prints it, without the
// new line: a row whose columns differ in font.
void Zelle(Report::TBaseReport& Report, const QString& Feld);
// A value as it may enter a printed line: tabs and line breaks as blanks.
QString Druckbar(const QString& Wert);

// Labels: room kept between two texts of one line, and the smallest size
// a label's text is set in before it is shortened.
inline constexpr double EtikettAbstand = 0.1;
inline constexpr double EtikettKleinste = 6;
// The text as it fits Breite at the current font: in a smaller font down to
// EtikettKleinste points, shortened with "…" below that. The font size is
// left where the text fits; the caller restores it.
QString EtikettEinpassen(Report::TBaseReport& Report, QString Text, double Breite);
// A line of a label: Text at X, fitted between X and the label's right edge
// less EtikettAbstand, so it stays apart from the next label (or to its
// width when centred on X), then a new line. The font stays as it was.
void EtikettZeile(Report::TBaseReport& Report, const QString& Text, double X, bool Zentriert = false);
// The coat of arms of the forms ("WAPPEN.BMP"), its size from the settings
// "BitmapLL" (width) and "BitmapLH" (height) in hundredths of a
// centimetre, scaled down to fit Breite x Hoehe; 0 x 0 when neither is set.
struct TBildgroesse {
    double Breite = 0, Hoehe = 0;
};
TBildgroesse Wappengroesse(double Breite, double Hoehe);
// The lists' body font: "Arial" at Groesse points, bold or not, not italic.
void Schrift(Report::TBaseReport& Report, double Groesse, bool Fett);
// The text of field Name in the current row of q.
QString Feld(Ado::TDataSet& q, const char* Name);

// The federation code of a discipline (and class) of championship Ident.
QString KennzZahlHolen(int Ident, const QString& AuswahlE, const QString& AuswahlM, const QString& Disziplin,
                       const QString& Klasse, QString& Kennziffer, bool NormalAusgabe);

} // namespace Reportutil
