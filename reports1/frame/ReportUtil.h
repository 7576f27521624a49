#pragma once
// Page services shared by every print job: page header and footer, the
// rule under and above them, the sender line and fold mark of letters, tab
// routines, word wrap, fitting fonts, and the federation code of a group.

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace Report {
class TBaseReport;
struct TTab;
} // namespace Report

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
std::unique_ptr<QStringList> TextAufteilen(Report::TBaseReport& Report, const QString& Bezeichnung, double Anfang, double Ende);

// The federation code of a discipline (and class) of championship Ident.
QString KennzZahlHolen(int Ident, const QString& AuswahlE, const QString& AuswahlM, const QString& Disziplin,
                       const QString& Klasse, QString& Kennziffer, bool NormalAusgabe);

} // namespace Reportutil
