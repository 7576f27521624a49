#include "reports1/entries/Etiketten1.h"
#include "ui_Etiketten1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rplabel.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

using Report::TBaseReport;
using Qvutil::CRLF;

namespace {

// A box's number as the checks read it: text that is no integer counts as 0.
int ganzzahl(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

TEtikettenForm::TEtikettenForm() : ui(new Ui::TEtikettenForm)
{
    ui->setupUi(this);

    // Labels take the whole sheet: no page header or footer.
    rf_Etiketten = Druckjob::Schreiber(this, "rf_Etiketten", "Adressetiketten");
    rf_Etiketten->SetStatusFormat("Drucke Seite %p");
    rf_Etiketten->OnBeforePrint = [this](TBaseReport& r) { rf_EtikettenBeforePrint(r); };
    rf_Etiketten->OnPrint = [this](TBaseReport& r) { rf_EtikettenPrint(r); };
    rf_Etiketten->OnAfterPrint = [this](TBaseReport& r) { rf_EtikettenAfterPrint(r); };

    // The 70 x 36 mm sheet in the units of the target labels' sheet of the
    // same size: label sizes in centimetres, spacings (pitches) in inches.
    rpt_Etiketten = new Report::TLabelShell(this);
    rpt_Etiketten->setObjectName("rpt_Etiketten");
    rpt_Etiketten->SetSheet(3, 8, 6.9, 3.6, Report::unCM, 0.4, 0.35, 2.75, 1.44, Report::unInch);
    rpt_Etiketten->OnReportBefore = [this](TBaseReport& r) { rpt_EtikettenReportBefore(r); };
    rpt_Etiketten->OnLabelPrint = [this](TBaseReport& r) { return rpt_EtikettenLabelPrint(r); };
    rpt_Etiketten->OnLabelAfter = [this](TBaseReport& r) { return rpt_EtikettenLabelAfter(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TEtikettenForm::~TEtikettenForm() { delete ui; }

void TEtikettenForm::FormShow()
{
    ui->ed_Auswahl->clear();
    ui->ed_Wiederholung->setText("1");
    ui->ed_Reihe->setText("1");
    ui->ed_Bahn->setText("1");
}

void TEtikettenForm::FormClose() { Q1.reset(); }

void TEtikettenForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    if (ui->ed_Auswahl->text().isEmpty()) {
        ui->ed_Auswahl->setFocus();
        throw Eingabefehler("Sie haben keine Auswahl getroffen");
    }
    if (ganzzahl(ui->ed_Wiederholung->text()) < 1) {
        ui->ed_Wiederholung->setFocus();
        throw Eingabefehler("Die Wiederholungszahl kann nicht kleiner 1 sein");
    }
    const int bahn = ganzzahl(ui->ed_Bahn->text());
    if (bahn < 1 || bahn > 3) {
        ui->ed_Bahn->setFocus();
        throw Eingabefehler("Im Feld Bahn kann nur 1, 2 oder 3 stehen");
    }
    const int reihe = ganzzahl(ui->ed_Reihe->text());
    if (reihe < 1 || reihe > 8) {
        ui->ed_Reihe->setFocus();
        throw Eingabefehler("Im Feld Reihe darf nur 1 bis 8 stehen");
    }
    iWiederholung = ganzzahl(ui->ed_Wiederholung->text());
    iReihe = reihe;
    iBahn = bahn;

    SetModalResult(Host::mrOk);
    Q1 = Datamod::DataModule1()->DynQuery(QStringList{"SELECT M.Name,M.Vorname,M.Titel,M.Strasse,",
                                                      "       M.Ort,M.PLZ,M.Geschlecht,V.VereinNr,VR.Auswahl",
                                                      "FROM EMITGLIED M, EVEREIN V, EMITVER VR",
                                                      "WHERE M.MitglNr = VR.MitglNr",
                                                      "  AND M.PLZ <> ''",
                                                      "  AND VR.VereinNr = V.VereinNr",
                                                      "  AND VR.Auswahl LIKE :Auswahl",
                                                      "ORDER BY V.VereinNr"}
                                              .join(CRLF),
                                          Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Auswahl")->SetValue("%" + ui->ed_Auswahl->text().toUpper() + "%");
    Q1->Open();
    if (Q1->RecordCount() == 0) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return;
    }
    Druckjob::Vorschau(*rf_Etiketten, Etiketten1::DruckjobID);
    Q1.reset();
}

void TEtikettenForm::rf_EtikettenBeforePrint(TBaseReport&)
{
    Zeile = 0;
    Druckjob::Status("Erstellen der Adressetiketten");
    Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
}

void TEtikettenForm::rf_EtikettenPrint(TBaseReport& Report)
{
    if (Q1) {
        Q1->First();
        rpt_Etiketten->Execute(Report);
    }
}

void TEtikettenForm::rf_EtikettenAfterPrint(TBaseReport&)
{
    Q1.reset();
    Druckjob::NachDruck(*rf_Etiketten);
}

void TEtikettenForm::rpt_EtikettenReportBefore(TBaseReport&)
{
    bDrucken = false;
    bEtikett = false;
    i1 = 1;
    i2 = 1;
    i3 = 1;
}

bool TEtikettenForm::rpt_EtikettenLabelPrint(TBaseReport& Report)
{
    Report.SetFont("Arial", 10);
    Report.SetBold(false);
    Report.SetItalic(false);
    if (!bDrucken) {
        // The labels used before on this sheet stay blank, three to a row.
        if (iReihe > 1 && i1 != iReihe) {
            if (++i2 > 3) {
                ++i1;
                i2 = 1;
            }
            Report.NewLine();
            return true;
        }
        if (iBahn > 1 && i2 != iBahn) {
            Report.NewLine();
            ++i2;
            return true;
        }
        bDrucken = true;
        bEtikett = true;
    }
    const auto f = [this](const char* n) { return Q1->FieldByName(n)->AsString(); };
    const double x = Report.SectionLeft();
    const QString anrede = f("Geschlecht") == "M" ? "Herr" + QString(36, ' ') : "Frau" + QString(35, ' ');
    Reportutil::EtikettZeile(Report, anrede + f("VereinNr"), x);
    Reportutil::EtikettZeile(Report, f("Titel").isEmpty() ? f("Vorname") + " " + f("Name")
                                                          : f("Titel") + " " + f("Vorname") + " " + f("Name"),
                             x);
    Reportutil::EtikettZeile(Report, f("Strasse"), x);
    Report.NewLine();
    Report.SetFont("Arial", 11);
    Report.SetBold(true);
    Reportutil::EtikettZeile(Report, f("PLZ") + " " + f("Ort"), x);
    Report.SetBold(false);
    return true;
}

bool TEtikettenForm::rpt_EtikettenLabelAfter(TBaseReport&)
{
    if (iWiederholung > 1 && bDrucken) {
        if (iWiederholung > i3) {
            bEtikett = false;
            ++i3;
        } else {
            bEtikett = true;
        }
    }
    if (bEtikett) {
        Q1->Next();
        Druckjob::Progress(++Zeile);
        i3 = 1;
    }
    return !Q1->Eof();
}

namespace Etiketten1 {

TEtikettenForm* EtikettenForm = nullptr;
int DruckjobID = 0;

int AdressEtiketten() { return Vcl::TModalForm::ModalZeigen(EtikettenForm); }

} // namespace Etiketten1
