#pragma once
// The pieces every print job shares: the status line and progress bar,
// the no-data message, handing a report stream to the preview with its
// print-job record, and the archiving after printing.

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace Report {
class TBaseReport;
class TReportComponent;
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

// Writes a filer's output (RTF, HTML) to File; progress stopped and status
// cleared either way. A file that cannot be written raises the host's
// error with the filer's message, which names the file; a written one is
// announced with Meldung when there is one.
void Datei(Report::TReportComponent& filer, const QString& File, const QString& Meldung = {});

// After printing: progress stopped, status cleared, the writer's output
// named to the host and archived.
void NachDruck(Report::TRvNDRWriter& writer);

// A report writer owned by owner and named as the form's component, with
// the title of its prints; the job sets every event itself.
Report::TRvNDRWriter* Schreiber(QObject* owner, const QString& name, const QString& title);

// A report writer for a list, owned by owner and named as the form's
// component: the standard page header and footer, and after printing the
// writer's output named to the host and archived (NachDruck). The job sets
// OnPrint, and OnBeforePrint or OnAfterPrint where it has more to do.
Report::TRvNDRWriter* Listenschreiber(QObject* owner, const QString& name, const QString& title);

// Whether files of a run may replace the vorhanden files of it that are in
// Ordner already: asked, when there are any, as "Im Ordner … gibt es schon
// n dieser <Was>. Sollen sie ersetzt werden?".
bool ErsetzenErlaubt(const QString& Ordner, int vorhanden, const QString& Was);
// Whether the file the user named may be written: true when it is not there
// yet or the user answers "Ja" to "Die angegebene Datei ist schon
// vorhanden. Soll die Datei überschieben werden?".
bool UeberschreibenErlaubt(const QString& Datei);

// One PDF file per run of the writer (a file per club): before run i,
// Vorbereiten(i) sets what the run prints and returns false to leave
// Dateien[i] out (its folder could not be made). Each run's pages go
// straight into its file as they are drawn; the files are put in place
// together after the last run, with one flush to the disk. A run that
// fails raises the host's error "<Fehlertext(i)>: <reason>" and leaves no
// file of this call behind. Returns the indexes of the files written.
QList<int> PdfDateien(Report::TRvNDRWriter& Writer, const QStringList& Dateien,
                      const std::function<bool(int)>& Vorbereiten, const std::function<QString(int)>& Fehlertext);

// The standard page header and footer of lists.
void Kopf(Report::TBaseReport& report, bool Ueberschrift = false, int SchriftAuswahl = 1);
void Fuss(Report::TBaseReport& report);

} // namespace Druckjob
