#include "reports1/entries/Starter1.h"
#include "ui_Starter1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;

// The group statement of order 0 and 2 (only shot, not withdrawn starts for 2).
QString gruppeWettbewerbe(bool nurGestartet, bool eineTeilm)
{
    QStringList l = {
        "SELECT E.Disziplin,E.EKlasse,D.Name as DisName,",
        "       K.Name as KlaName,K.Klasse",
        "FROM ERGEBNIS E, PDISZIPLIN D, PDISKLA DK, PKLASSE K",
        "WHERE E.Disziplin = D.Disziplin",
        "  AND E.EKlasse = DK.Klasse",
        "  AND E.Disziplin = DK.Disziplin",
        "  AND E.EKlasse = K.Klasse",
        "  AND E.Ident = D.Ident",
        "  AND E.Ident = K.Ident",
        "  AND E.Ident = DK.Ident",
    };
    if (nurGestartet)
        l << "  AND E.Ergebnis > 0" << "  AND E.Abmeldung = 'N'";
    l << "  AND E.Ident = :Ident" << "  AND E.Disziplin = :Disziplin" << "  AND E.EKlasse = :KLasse";
    if (eineTeilm)
        l << "  AND E.Teilmeisterschaft = :Teilmeister";
    l << "ORDER BY E.Disziplin,E.EKlasse";
    return l.join(CRLF);
}

// The group statement of order 1; with one sub-championship the condition
// is on the discipline-class parameters, not on the start.
QString gruppeAnlagen(bool eineTeilm)
{
    QStringList l = {
        "SELECT E.Anlage,E.Disziplin,E.EKlasse,D.Name,A.Name as AnlName,",
        "       D.Name as DisName,K.Name as KlaName,K.Klasse",
    };
    if (!eineTeilm) {
        l << "FROM ERGEBNIS E, PDISZIPLIN D, PANLAGE A, PKLASSE K"
          << "WHERE E.Anlage = A.Anlage"
          << "  AND E.Disziplin = D.Disziplin"
          << "  AND E.EKlasse = K.Klasse"
          << "  AND E.Ident = D.Ident"
          << "  AND E.Ident = K.Ident"
          << "  AND E.Ident = A.Ident";
    } else {
        l << "FROM ERGEBNIS E, PANLAGE A, PDISZIPLIN D, PDISKLA DK, PKLASSE K"
          << "WHERE E.Anlage = A.Anlage"
          << "  AND E.Disziplin = D.Disziplin"
          << "  AND E.EKlasse = K.Klasse"
          << "  AND E.Disziplin = DK.Disziplin"
          << "  AND E.EKlasse = DK.Klasse"
          << "  AND E.Ident = D.Ident"
          << "  AND E.Ident = K.Ident"
          << "  AND E.Ident = DK.Ident"
          << "  AND E.Ident = A.Ident";
    }
    l << "  AND E.Ident = :Ident" << "  AND E.Anlage = :Anlage" << "  AND E.Disziplin = :Disziplin"
      << "  AND E.EKlasse = :KLasse";
    if (eineTeilm)
        l << "  AND DK.Teilmeisterschaft = :Teilmeister";
    l << "ORDER BY E.Anlage,E.Disziplin,E.EKlasse";
    return l.join(CRLF);
}

} // namespace

TStarterForm::TStarterForm() : ui(new Ui::TStarterForm)
{
    ui->setupUi(this);
    rf_Starterliste = Druckjob::Listenschreiber(this, "rf_Starterliste", "Starterliste");
    rf_Starterliste->OnBeforePrint = [this](TBaseReport& r) { rf_StarterlisteBeforePrint(r); };
    rf_Starterliste->OnPrint = [this](TBaseReport& r) { rf_StarterlistePrint(r); };
    rf_Starterliste->OnAfterPrint = [this](TBaseReport& r) { rf_StarterlisteAfterPrint(r); };

    rtf_Starterliste = new Report::TRTFFiler(this);
    rtf_Starterliste->setObjectName("rtf_Starterliste");
    rtf_Starterliste->SetTitle("Starterliste");
    rtf_Starterliste->OnBeforePrint = [this](TBaseReport& r) { rtf_StarterlisteBeforePrint(r); };
    rtf_Starterliste->OnPrint = [this](TBaseReport& r) { rtf_StarterlistePrint(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->CoolBtn2, Host::mrCancel);
}

TStarterForm::~TStarterForm() { delete ui; }

void TStarterForm::FormShow()
{
    QStringList items = {"Wettbewerbe", "Anlagen"};
    if (Starter1::bAuswahl)
        items << "gestartete Teilnehmer";
    ui->gb_Auswahl->SetItems(items);
    ui->gb_Auswahl->SetItemIndex(Starter1::bAuswahl ? 2 : 0);
    ui->cb_Teilmeister->setChecked(false);
    ui->cb_RTF->setChecked(false);
}

void TStarterForm::FormClose() { Q1.reset(); }

void TStarterForm::bt_OKClick()
{
    if (ui->cb_RTF->isChecked()) {
        sLaufwerk = Schtools::LaufwerkHolen("RTF-Ausgabeordner", sLaufwerk);
        if (sLaufwerk.isEmpty())
            return;
    }
    iAuswahl = ui->gb_Auswahl->ItemIndex();
    bAlleTeilm = ui->cb_Teilmeister->isChecked();
    bMitTab = Qvsettings::GetString("Speziell", "MitTab") == "J";

    QStringList l;
    if (iAuswahl == 1)
        l << "SELECT DISTINCT Anlage,Disziplin,EKlasse" << "FROM ERGEBNIS" << "WHERE Anlage > 0" << "  AND Ident = :Ident";
    else
        l << "SELECT DISTINCT Disziplin,EKlasse" << "FROM ERGEBNIS" << "WHERE Ident = :Ident";
    if (!bAlleTeilm)
        l << "  AND Teilmeisterschaft = :Teilmeister";
    l << (iAuswahl == 1 ? "ORDER BY Anlage,Disziplin,EKlasse" : "ORDER BY Disziplin,EKlasse");

    Q1 = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    if (!bAlleTeilm)
        Q1->ParamByName("Teilmeister")->SetValue(Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
    Q1->Open();

    // Each distinct group once, in query order; without rows one entry of
    // empty fields remains, so the list prints its titles and zero totals.
    // The groups are kept as their fields, not joined into one text, so a
    // code holding "," or "." cannot split a group.
    StarterListen.clear();
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        const TStarterGruppe neu{iAuswahl == 1 ? Q1->FieldByName("Anlage")->AsString() : QString(),
                                 Q1->FieldByName("Disziplin")->AsString(), Q1->FieldByName("EKlasse")->AsString()};
        if (StarterListen.isEmpty() || !(StarterListen.last() == neu))
            StarterListen << neu;
    }
    if (StarterListen.isEmpty())
        StarterListen << TStarterGruppe{};

    if (ui->cb_RTF->isChecked()) {
        // The file is announced once it is written; a file that cannot be
        // written is an error that names it.
        const bool geschrieben = rtf_Starterliste->Execute();
        ui->bt_OK->setEnabled(true);
        Druckjob::Ende();
        if (!geschrieben)
            throw EHostFehler(rtf_Starterliste->ErrorString());
        const QString ordner = Schtools::RTFAuswahl() ? sLaufwerk : QStringLiteral("DATEN");
        Pmsgdlg::qvMessageDlg("Die Starterliste ist als   STARTER.RTF  im\r\nOrdner  " + ordner + "  erstellt worden",
                              Host::mtInformation, Host::mbOK, 1);
    } else {
        Druckjob::Vorschau(*rf_Starterliste, Starter1::DruckjobID);
    }
    Q1.reset();
}

void TStarterForm::rf_StarterlisteBeforePrint(TBaseReport&)
{
    Druckjob::Status("Liste der Gesamtstarts erstellen");
    Druckjob::ProgressStart(int(StarterListen.size()) - 1);
}

void TStarterForm::rf_StarterlistePrint(TBaseReport& Report) { StartListe(Report); }

void TStarterForm::rf_StarterlisteAfterPrint(TBaseReport&)
{
    Q1.reset();
    Druckjob::NachDruck(*rf_Starterliste);
}

void TStarterForm::rtf_StarterlisteBeforePrint(TBaseReport&)
{
    ui->bt_OK->setEnabled(false);
    Schtools::RTFAuswahl(*rtf_Starterliste, "STARTER.RTF", "Daten ausgeben", sLaufwerk);
    Druckjob::Status("Liste der Starts erstellen");
    Druckjob::ProgressStart(int(StarterListen.size()));
}

void TStarterForm::rtf_StarterlistePrint(TBaseReport& Report)
{
    Druckjob::Status("Erstellen der Starterliste als RTF-Datei");
    StartListe(Report);
}

void TStarterForm::StartListe(TBaseReport& Report)
{
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    const bool eineTeilm = !bAlleTeilm;

    Report.NewLine();
    Report.NewLine();
    const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    Report.PrintCenter(eineTeilm ? "Teilnehmer der Teilmeisterschaft " + teilm
                                 : QStringLiteral("Teilnehmer aller Teilmeisterschaften"),
                       centre);
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(false);
    Report.PrintCenter(Qvsettings::GetString("Global", "Veranst1") + " " + Qvsettings::GetString("Global", "Veranst2")
                           + " " + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")),
                       centre);
    Report.NewLine();
    Report.NewLine();

    Reportutil::SpaltenSetzen(Report, {{1.1, Report::pjRight}, {12.0, Report::pjLeft}, {1.5, Report::pjRight}});

    int iGesamt = 0, iAnlage = 0, iInsGesamt = 0;
    QString sDisziplin, sAnlage;
    bool summenGedruckt = false;

    // Shade by the line's position on the page: odd lines 10 %, even none.
    auto schattieren = [&] {
        if (bMitTab)
            Report.SetTabShade(Report.LineNum() % 2 == 1 ? 10 : 0);
    };
    auto summe = [&](const QString& text, int zahl) {
        schattieren();
        Report.SetFont("Arial", 11);
        Report.SetBold(true);
        Reportutil::Zeile(Report, {"", text, QString::number(zahl)});
    };
    auto neueSeite = [&] {
        Report.NewPage();
        Report.NewLine();
        Report.NewLine();
    };

    const QString sql = iAuswahl == 1 ? gruppeAnlagen(eineTeilm) : gruppeWettbewerbe(iAuswahl == 2, eineTeilm);
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);

    for (int i = 0; i < StarterListen.size(); ++i) {
        Druckjob::Progress(i);
        const QString& anlage = StarterListen[i].Anlage;
        const QString& disziplin = StarterListen[i].Disziplin;
        const QString& klasse = StarterListen[i].Klasse;

        q->Close();
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
        q->ParamByName("Disziplin")->SetValue(disziplin);
        q->ParamByName("KLasse")->SetValue(klasse);
        if (iAuswahl == 1)
            q->ParamByName("Anlage")->SetValue(anlage.toInt());
        if (eineTeilm)
            q->ParamByName("Teilmeister")->SetValue(teilm);
        q->Open();
        if (q->RecordCount() < 1)
            continue;
        q->First();
        const int anzahl = q->RecordCount();

        if (iAuswahl == 1 && q->FieldByName("Anlage")->AsString() != sAnlage) {
            if (!sAnlage.isEmpty()) {
                summe("Gesamt", iGesamt);
                Report.NewLine();
                summe("Gesamt pro Anlage", iAnlage);
                Report.NewLine();
                if (Report.LinesLeft() <= 5)
                    neueSeite();
                iGesamt = 0;
                iAnlage = 0;
                summenGedruckt = true;
            }
            Report.SetTabShade(0);
            Report.SetFont("Arial", 13);
            Report.SetBold(true);
            Reportutil::Zeile(Report, {q->FieldByName("Anlage")->AsString(), q->FieldByName("AnlName")->AsString(), ""});
            Report.NewLine();
            sAnlage = q->FieldByName("Anlage")->AsString();
        }
        if (q->FieldByName("Disziplin")->AsString() != sDisziplin) {
            if (!sDisziplin.isEmpty() && !summenGedruckt) {
                Report.NewLine();
                summe("Gesamt", iGesamt);
                Report.NewLine();
                if (Report.LinesLeft() <= 3)
                    neueSeite();
                iGesamt = 0;
            }
            Report.SetTabShade(0);
            Report.SetFont("Arial", 12);
            Report.SetBold(true);
            Reportutil::Zeile(Report, {q->FieldByName("Disziplin")->AsString(), q->FieldByName("DisName")->AsString(), "Anzahl"});
            Report.SetFont("Arial", 10);
            Report.SetBold(false);
            sDisziplin = q->FieldByName("Disziplin")->AsString();
        }
        summenGedruckt = false;

        schattieren();
        Report.SetFont("Arial", 10);
        Report.SetBold(false);
        Reportutil::Zeile(Report, {q->FieldByName("Klasse")->AsString(), q->FieldByName("KlaName")->AsString(),
                                 QString::number(anzahl)});
        iGesamt += anzahl;
        iAnlage += anzahl;
        iInsGesamt += anzahl;
        if (Report.LinesLeft() <= 2)
            neueSeite();
    }

    // The closing totals stay together and above the footer: up to six lines
    // in fonts a little larger than the class lines'.
    if (Report.LinesLeft() <= (iAuswahl == 1 ? 6 : 4) + 2)
        neueSeite();
    Report.NewLine();
    summe("Gesamt", iGesamt);
    Report.NewLine();
    if (iAuswahl == 1) {
        summe("Gesamt pro Anlage", iAnlage);
        Report.NewLine();
    }
    schattieren();
    Report.SetFont("Arial", 12);
    Report.SetBold(true);
    Reportutil::Zeile(Report, {"", "Insgesamt", QString::number(iInsGesamt)});
}

namespace Starter1 {

TStarterForm* StarterForm = nullptr;
bool bAuswahl = false;
int DruckjobID = 0;

int Starterliste(bool Auswahl)
{
    bAuswahl = Auswahl;
    return Vcl::TModalForm::ModalZeigen(StarterForm);
}

} // namespace Starter1
