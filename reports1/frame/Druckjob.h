#pragma once
// The pieces every print job shares: the status line and progress bar,
// the no-data message, handing a report stream to the preview with its
// print-job record, and the archiving after printing.

#include <QString>
#include <QStringList>

namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
namespace Ado {
class TDataSet;
}

namespace Druckjob {

// Status line and progress bar of the host's main window.
void Status(const QString& text);
void ProgressStart(int max);
void Progress(int position);
// Progress bar stopped and status line cleared.
void Ende();

// True, after telling the user, when q has no rows.
bool KeineDaten(Ado::TDataSet& q);
// The message a selection without data gives.
extern const QString KeineDatenText;

// Runs the writer and hands its stream to the preview; the id the host
// returns goes into DruckjobID. Interval > 0: continuous display.
void Vorschau(Report::TRvNDRWriter& writer, int& DruckjobID, int Interval = 0);

// After printing: progress stopped, status cleared, the writer's output
// named to the host and archived.
void NachDruck(Report::TRvNDRWriter& writer);

// The standard page header and footer of lists.
void Kopf(Report::TBaseReport& report, bool Ueberschrift = false, int SchriftAuswahl = 1);
void Fuss(Report::TBaseReport& report);

// One line of tab texts: "\t" before each, then a new line.
void Zeile(Report::TBaseReport& report, const QStringList& felder);

} // namespace Druckjob
