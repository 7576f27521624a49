#include "reports1/statistics/Statistik1.h"
#include "ui_Statistik1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

using Report::TBaseReport;

namespace Statistik1 {

TStatistikForm* StatistikForm = nullptr;
int DruckjobID = 0;

QString StatistikSQL(int Sortierung)
{
    return QStringList{
               "SELECT M.Name,M.Vorname,M.Titel AS VorTitel,M.Jahrgang,M.Monat,M.Tag,",
               "       M.MitglNr,B.Seit,",
               "       V.Name AS VerName,V.Titel,V.Abkuerzung,V.VereinNr",
               "FROM EMITGLIED M, MITARB B, EVEREIN V, EMITVER E",
               "WHERE M.MitglNr = E.MitglNr",
               "  AND M.MitglNr = B.MitglNr",
               "  AND E.VereinNr = V.VereinNr",
               "  AND B.Seit <> ''",
               "  AND B.Seit <= :Seit",
           }.join(Qvutil::CRLF)
           + (Sortierung == 1 ? " ORDER BY V.VereinNr,M.Name,M.Vorname" : " ORDER BY M.Name,M.Vorname");
}

int MitarbeiterStatistik() { return Vcl::TModalForm::ModalZeigen(StatistikForm); }

} // namespace Statistik1

TStatistikForm::TStatistikForm() : ui(new Ui::TStatistikForm)
{
    ui->setupUi(this);
    ui->gb_Sort->SetItems({"Sortiert nach name", "Sortiert nach Vereinsnummer"});
    ui->gb_Sort->SetItemIndex(0);

    rf_Statistik = Druckjob::Listenschreiber(this, "rf_Statistik", "Mitarbeiterstatistik");
    rf_Statistik->SetOrientation(Report::poPortrait);
    rf_Statistik->SetMargins(2.0, 1.25, 1.5, 2.0);
    rf_Statistik->OnBeforePrint = [this](TBaseReport& r) { rf_StatistikBeforePrint(r); };
    rf_Statistik->OnPrint = [this](TBaseReport& r) { rf_StatistikPrint(r); };
    rf_Statistik->OnAfterPrint = [this](TBaseReport& r) { rf_StatistikAfterPrint(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TStatistikForm::~TStatistikForm() { delete ui; }

void TStatistikForm::FormClose() { Q1.reset(); }

void TStatistikForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    bool zahl = false;
    const int jahre = ui->ed_Jahre->text().trimmed().toInt(&zahl);
    if (ui->ed_Jahre->text().isEmpty() || !zahl || jahre < 1) {
        ui->ed_Jahre->setFocus();
        throw Eingabefehler("Sie haben keine Auswahl getroffen");
    }
    SetModalResult(Host::mrOk);
    const QString grenze = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr") - jahre);
    iSort = ui->gb_Sort->ItemIndex();

    Q1 = Datamod::DataModule1()->DynQuery(Statistik1::StatistikSQL(iSort), Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Seit")->SetValue(grenze);
    Q1->Open();
    if (Druckjob::KeineDaten(*Q1)) {
        Q1.reset();
        return;
    }
    Druckjob::Vorschau(*rf_Statistik, Statistik1::DruckjobID);
}

void TStatistikForm::rf_StatistikBeforePrint(TBaseReport&)
{
    Druckjob::Status("Mitarbeiterstatistik erstellen");
    Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
}

void TStatistikForm::Kopf(TBaseReport& Report)
{
    // Name, club, since; all left-justified.
    Reportutil::SpaltenSetzen(Report, {{7.0, Report::pjLeft}, {7.2, Report::pjLeft}, {3.5, Report::pjLeft}});
    Report.SetFont("Arial", 10);
    Report.SetBold(false);
    Reportutil::Zeile(Report, {"Name", "Verein", "Seit"});
    Report.NewLine();
}

void TStatistikForm::ZeilenTabs(TBaseReport& Report)
{
    // The BSSB has no club abbreviation column.
    if (Datamod::iVerband == 3)
        Reportutil::SpaltenSetzen(Report, {{7.0, Report::pjLeft}, {7.2, Report::pjLeft}, {3.5, Report::pjLeft}});
    else
        Reportutil::SpaltenSetzen(Report, {{7.0, Report::pjLeft}, {1.2, Report::pjLeft}, {7.0, Report::pjLeft},
                                           {3.5, Report::pjLeft}});
}

void TStatistikForm::rf_StatistikPrint(TBaseReport& Report)
{
    Schtools::ResetTabShade();
    const bool mitTab = Qvsettings::GetString("Speziell", "MitTab") == "J";
    const int tabellier = Qvsettings::GetInteger("Speziell", "Tabellier");

    Report.SetTabShade(0);
    Report.NewLine();
    Report.NewLine();
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    Report.PrintCenter("Langjährige Mitarbeiter der " + Qvsettings::GetString("Global", "Meistersch"), mitte);
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(false);
    Report.PrintCenter(Qvsettings::GetString("Global", "Veranst1") + " " + Qvsettings::GetString("Global", "Veranst2")
                           + " " + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")),
                       mitte);
    Report.NewLine();
    Report.NewLine();
    Kopf(Report);
    ZeilenTabs(Report);

    // A member of two clubs once by name, once per club by club number.
    QString letzter;
    int zeile = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(++zeile);
        auto f = [&](const char* feld) { return Q1->FieldByName(feld)->AsString(); };
        const QString schluessel = iSort == 1 ? f("MitglNr") + QChar(0) + f("VereinNr") : f("MitglNr");
        if (schluessel == letzter)
            continue;
        letzter = schluessel;
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            Report.SetTabShade(0); // the head is never shaded
            Kopf(Report);
            ZeilenTabs(Report);
        }
        Schtools::TabShadeSetzen(Report, mitTab, tabellier);
        QStringList felder{f("Name") + ", " + f("VorTitel") + " " + f("Vorname")};
        if (Datamod::iVerband != 3)
            felder << f("Abkuerzung");
        felder << f("VerName") << f("Seit");
        Reportutil::Zeile(Report, felder);
    }
}

void TStatistikForm::rf_StatistikAfterPrint(TBaseReport&)
{
    Q1.reset();
    Druckjob::NachDruck(*rf_Statistik);
}
