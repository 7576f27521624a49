#include "reports1/frame/Druckjob.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvdruckvorschau.h"
#include "platform/host/Qvmain.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rppdf.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace Druckjob {

const QString KeineDatenText = QStringLiteral("Für diese Auswahl sind keine Daten vorhanden");

void Status(const QString& text) { Qvmain::f_Menue()->SetStatus(text); }
void ProgressStart(int max) { Qvmain::f_Menue()->StartProgress(0, max); }
void Progress(int position) { Qvmain::f_Menue()->SetProgress(position); }

void Ende()
{
    Qvmain::f_Menue()->StopProgress();
    Qvmain::f_Menue()->SetStatus("");
}

bool KeineDaten(Ado::TDataSet& q)
{
    if (q.RecordCount() > 0)
        return false;
    Pmsgdlg::qvMessageDlg(KeineDatenText, Host::mtInformation, Host::mbOK, 1);
    return true;
}

void Vorschau(Report::TRvNDRWriter& writer, int& DruckjobID, int Interval)
{
    if (!writer.Execute())
        throw EHostFehler("Der Druck \"" + writer.Title() + "\" ist nicht entstanden: " + writer.ErrorString());
    DruckjobID = Qvdruckvorschau::DruckStart(writer.FileName(), "REPORTS1", writer.Title(), true, false, Interval);
}

bool ErsetzenErlaubt(const QString& Ordner, int vorhanden, const QString& Was)
{
    return vorhanden == 0
           || Pmsgdlg::qvMessageDlg(QString("Im Ordner %1 gibt es schon %2 dieser %3.")
                                            .arg(QDir::toNativeSeparators(Ordner))
                                            .arg(vorhanden)
                                            .arg(Was)
                                        + "\r\nSollen sie ersetzt werden?",
                                    Host::mtConfirmation, Host::mbYesNo, 1)
                  == Host::mrYes;
}

bool UeberschreibenErlaubt(const QString& Datei)
{
    return !QFileInfo::exists(Datei)
           || Pmsgdlg::qvMessageDlg("Die angegebene Datei ist schon vorhanden.\r\nSoll die Datei überschieben werden?",
                                    Host::mtConfirmation, Host::mbYesNo, 1)
                  == Host::mrYes;
}

QList<int> PdfDateien(Report::TRvNDRWriter& Writer, const QStringList& Dateien,
                      const std::function<bool(int)>& Vorbereiten, const std::function<QString(int)>& Fehlertext)
{
    // The files are the user's, not prints of a batch run: this writer's
    // runs go into them whatever sink a batch run has installed.
    QString datei;
    Report::TFileSet dateien;
    const Report::TPrintSinkFactory vorher = Report::PrintSinkFactory();
    Report::SetPrintSinkFactory([&](const Report::TReportComponent& c) -> std::unique_ptr<Report::TPageSink> {
        if (&c != &Writer)
            return nullptr;
        return std::make_unique<Report::TPdfWriter>(datei, dateien);
    });
    const auto zurueck = qScopeGuard([&] { Report::SetPrintSinkFactory(vorher); });
    QList<int> geschrieben;
    for (int i = 0; i < Dateien.size(); ++i) {
        if (!Vorbereiten(i))
            continue;
        datei = Dateien[i];
        if (!Writer.Execute())
            throw EHostFehler(Fehlertext(i) + ": " + Writer.ErrorString());
        geschrieben << i;
    }
    QString fehler;
    if (!dateien.Commit(&fehler))
        throw EHostFehler(fehler);
    return geschrieben;
}

void Datei(Report::TReportComponent& filer, const QString& File, const QString& Meldung)
{
    filer.SetFileName(File);
    const bool geschrieben = filer.Execute();
    Ende();
    if (!geschrieben)
        throw EHostFehler(filer.ErrorString());
    if (!Meldung.isEmpty())
        Pmsgdlg::qvMessageDlg(Meldung, Host::mtInformation, Host::mbOK, 1);
}

void NachDruck(Report::TRvNDRWriter& writer)
{
    Ende();
    Datamod::sDruckPfad = writer.FileName();
    // A copy that cannot be archived is worth a warning, never the print.
    QString fehler;
    if (!Datamod::DataModule1()->DruckdateiSpeichern(&fehler))
        Pmsgdlg::qvMessageDlg(fehler, Host::mtWarning, Host::mbOK, 1);
}

Report::TRvNDRWriter* Schreiber(QObject* owner, const QString& name, const QString& title)
{
    auto* w = new Report::TRvNDRWriter(owner);
    w->setObjectName(name);
    w->SetTitle(title);
    return w;
}

Report::TRvNDRWriter* Listenschreiber(QObject* owner, const QString& name, const QString& title)
{
    auto* w = Schreiber(owner, name, title);
    w->OnPrintHeader = [](Report::TBaseReport& r) { Kopf(r, false, 1); };
    w->OnPrintFooter = [](Report::TBaseReport& r) { Fuss(r); };
    w->OnAfterPrint = [w](Report::TBaseReport&) { NachDruck(*w); };
    return w;
}

void Kopf(Report::TBaseReport& report, bool Ueberschrift, int SchriftAuswahl)
{
    report.GotoHeader();
    Reportutil::quarvelKopfZeile(report, Ueberschrift, SchriftAuswahl);
}

void Fuss(Report::TBaseReport& report)
{
    report.GotoFooter();
    Reportutil::quarvelFusszeile(report, -1);
}

} // namespace Druckjob
