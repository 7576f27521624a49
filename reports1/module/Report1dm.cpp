#include "reports1/module/Report1dm.h"

#include "platform/host/Datamod.h"
#include "platform/host/Guard.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvunits.h"
#include "platform/host/Qvutil.h"
#include "reports1/documents/Startgeld1.h"
#include "reports1/preparation/Vorbereitung1.h"
#include "reports1/results/Ergebdruck1.h"

#include <QRegularExpression>

TReportForm::TReportForm(QObject* owner) : QObject(owner) { setObjectName("ReportForm"); }

bool TReportForm::PrintJobClick(Sectionlist::TPrintJob& PrintJob)
{
    Datamod::DataModule1()->VeranstalterAuswaehlen();
    switch (PrintJob.Id) {
    case 1: return Startgeld1::Erstellen();
    case 2: return Vorbereitung1::Erstellen();
    case 3: return Ergebdruck1::Erstellen(true);
    default: return false;
    }
}

bool TReportForm::ReceiveMessage(const QString& Msg)
{
    const QStringList f = Qvutil::BreakApart(Msg, ",");
    if (f.size() < 3 || f[0] != "ZKTMP")
        return false;
    if (f[1] == "REPORT" && f[2] == "UNVOLLSTAENDIG") {
        Ergebdruck1::Erstellen(false);
    } else if (f[1] == "REPORT" && f[2] == "MENUE") {
        Ergebdruck1::Erstellen(true);
    } else if (f[1] == "WECHSEL" && f[2] == "FORMULAR ZU") {
        if (Ergebdruck1::ErgebDruckForm)
            Ergebdruck1::ErgebDruckForm->close();
        if (Vorbereitung1::VorbereitungForm)
            Vorbereitung1::VorbereitungForm->close();
        if (Startgeld1::StartgeldForm)
            Startgeld1::StartgeldForm->close();
    }
    return false;
}

bool TReportForm::ProcessMessage(const QString& Msg)
{
    const QStringList f = Qvutil::BreakApart(Msg, ",");
    if (f.size() < 2 || f[0] != "DRUCK FERTIG")
        return false;
    // The id is the field as it stands: digits only, no blank around them.
    static const QRegularExpression ziffern(QStringLiteral("^[0-9]{1,9}$"));
    const int id = ziffern.match(f[1]).hasMatch() ? f[1].toInt() : 0;
    Startgeld1::Druckfertig(id);
    Vorbereitung1::Druckfertig(id);
    Ergebdruck1::Druckfertig(id);
    return true;
}

namespace Report1dm {

TReportForm* ReportForm = nullptr;

void Initialization()
{
    ReportForm = new TReportForm(nullptr);
    Qvunits::RegisterClass("TReportForm");
}

void Finalization()
{
    delete ReportForm;
    ReportForm = nullptr;
    Qvunits::UnRegisterClass("TReportForm");
}

} // namespace Report1dm

void quarvelInfo(Qvmodule::TModuleInfo& Info)
{
    Info.Size = 18;
    Info.Framework = "Meisterschaftsprogramm";
    Info.VersionHigh = 1;
    Info.VersionLow = 0;
    Info.Description = "Reports";
    Info.LoadSequence = 101;
}

void quarvelInit()
{
    // A fresh data module answers the host from now on.
    delete Report1dm::ReportForm;
    Report1dm::ReportForm = new TReportForm(nullptr);

    // Both receivers look the data module up at call time, so they stay
    // valid across a later quarvelInit and do nothing after Finalize.
    Sectionlist::RegisterReceiver([](const QString& msg) {
        bool ok = false;
        Host::Guard([&] { ok = Report1dm::ReportForm && Report1dm::ReportForm->ReceiveMessage(msg); });
        return ok;
    });
    // The print-finished message takes the same path as every other
    // message: ProcessMessage is registered beside ReceiveMessage.
    Sectionlist::RegisterReceiver([](const QString& msg) {
        bool ok = false;
        Host::Guard([&] { ok = Report1dm::ReportForm && Report1dm::ReportForm->ProcessMessage(msg); });
        return ok;
    });

    auto click = [](Sectionlist::TPrintJob& job) {
        bool ok = false;
        Host::Guard([&] { ok = Report1dm::ReportForm && Report1dm::ReportForm->PrintJobClick(job); });
        return ok;
    };
    auto& jobs = Qvmain::f_Menue()->PrintJobs();
    jobs.AddJob(1, "Startgeldliste", click);
    jobs.AddJob(2, "Listen zur Vorbereitung", click);
    jobs.AddJob(3, "Listen zur Durchführung", click);
    Q_EMIT Qvmain::f_Menue()->printJobsChanged();
}

void quarvelHide() {}
