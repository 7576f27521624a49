#include "reports1/entries/Abmeldung1.h"
#include "ui_Abmeldung1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

using Report::TBaseReport;
using Qvutil::CRLF;

TAbmeldeForm::TAbmeldeForm() : ui(new Ui::TAbmeldeForm)
{
    ui->setupUi(this);
    ui->gb_Auswahl->SetItems({"alle archivierten Starter", "nur nichtzugelassene Starter"});

    rf_Abgemeldete = Druckjob::Listenschreiber(this, "rf_Abgemeldete", "nicht zugelassene Starts");
    rf_Abgemeldete->SetMargins(2.0, 1.5, 1.25, 2.0);
    rf_Abgemeldete->OnBeforePrint = [this](TBaseReport& r) { rf_AbgemeldeteBeforePrint(r); };
    rf_Abgemeldete->OnPrint = [this](TBaseReport& r) { rf_AbgemeldetePrint(r); };
    rf_Abgemeldete->OnAfterPrint = [this](TBaseReport&) {
        Q1.reset();
        Druckjob::NachDruck(*rf_Abgemeldete);
    };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
    Host::Connect(ui->gb_Auswahl, &Vcl::TRadioGroup::Click, this, &TAbmeldeForm::gb_AuswahlClick);
}

TAbmeldeForm::~TAbmeldeForm() { delete ui; }

void TAbmeldeForm::FormShow()
{
    const QString id = QString::number(Datamod::iIdent);
    auto dm = Datamod::DataModule1();
    auto disziplinen = dm->DynQuery("Select * From PDISZIPLIN" + CRLF + "ORDER BY Disziplin", Ado::clUseServer,
                                    Ado::ltReadOnly);
    disziplinen->SetFilter("Ident = " + id);
    disziplinen->SetFiltered(true);
    ui->cx_Disziplin->Fuellen(*disziplinen, "Disziplin", {"Name"});
    auto klassen = dm->DynQuery("Select * From PKLASSE" + CRLF + "ORDER BY Klasse", Ado::clUseServer, Ado::ltReadOnly);
    klassen->SetFilter("Ident = " + id);
    klassen->SetFiltered(true);
    ui->cx_Klasse->Fuellen(*klassen, "Klasse", {"Name"});

    const bool archiv = !Abmeldung1::bAuswahl;
    ui->gb_Auswahl->SetItemIndex(archiv ? 0 : -1);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->gb_Auswahl, ui->lb_Disziplin, ui->cx_Disziplin,
                                                      ui->lb_Klasse, ui->cx_Klasse, ui->lb_Text1})
        w->setVisible(archiv);
    ui->lb_Text2->setVisible(!archiv);
    adjustSize();
}

void TAbmeldeForm::FormClose() { Q1.reset(); }

void TAbmeldeForm::gb_AuswahlClick()
{
    const int i = ui->gb_Auswahl->ItemIndex();
    const bool zeigen = i == 0 || i == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lb_Disziplin, ui->cx_Disziplin, ui->lb_Klasse, ui->cx_Klasse})
        w->setVisible(zeigen);
}

void TAbmeldeForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    bArchiv = !Abmeldung1::bAuswahl;
    const QString id = QString::number(Datamod::iIdent);
    QStringList l;
    if (!bArchiv) {
        l << "SELECT E.Ergebnis,E.EKlasse,E.MitglNr,E.VereinNr,"
          << "       E.Disziplin,D.Kurz,"
          << "       M.Name,M.Vorname,M.Titel,M.Jahrgang,"
          << "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName"
          << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D"
          << "WHERE E.MitglNr = M.MitglNr"
          << "  AND E.VereinNr = V.VereinNr"
          << "  AND E.Disziplin = D.Disziplin"
          << "  AND E.Ident = D.Ident"
          << "  AND E.Abmeldung = 'A'"
          << "  AND E.Ident = " + id
          << "ORDER BY M.Name,M.Vorname,E.EKlasse,E.Disziplin";
    } else {
        if (ui->cx_Disziplin->KeyValue().isEmpty()) {
            ui->cx_Disziplin->setFocus();
            throw Eingabefehler("Sie haben keinen Wettbewerb ausgewählt");
        }
        l << "SELECT A.Ergebnis,A.EKlasse,A.Loeschung,A.MitglNr,A.VereinNr,"
          << "       A.Disziplin,A.Ebene,D.Kurz,"
          << "       M.Name,M.Vorname,M.Titel,M.Jahrgang,"
          << "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName"
          << "FROM EARCHIV A, EMITGLIED M, EVEREIN V, PDISZIPLIN D"
          << "WHERE A.MitglNr = M.MitglNr"
          << "  AND A.VereinNr = V.VereinNr"
          << "  AND A.Disziplin = D.Disziplin"
          << "  AND A.Ident = D.Ident"
          << "  AND A.Ident = " + id
          << "  AND A.Disziplin = :Disziplin";
        if (!ui->cx_Klasse->KeyValue().isEmpty())
            l << "  AND A.EKlasse = :Klasse";
        if (ui->gb_Auswahl->ItemIndex() == 1)
            l << " AND Loeschung = 'X'";
        l << "ORDER BY M.Name,M.Vorname,A.Disziplin,A.EKlasse";
    }
    Q1 = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    if (bArchiv) {
        Q1->ParamByName("Disziplin")->SetValue(ui->cx_Disziplin->KeyValue());
        if (!ui->cx_Klasse->KeyValue().isEmpty())
            Q1->ParamByName("Klasse")->SetValue(ui->cx_Klasse->KeyValue());
    }
    Q1->Open();
    if (Druckjob::KeineDaten(*Q1)) {
        Q1.reset();
        return;
    }
    SetModalResult(Host::mrOk);
    Druckjob::Vorschau(*rf_Abgemeldete, Abmeldung1::DruckjobID);
    Q1.reset();
}

void TAbmeldeForm::rf_AbgemeldeteBeforePrint(TBaseReport&)
{
    Druckjob::Status("Erstellen der Liste abgemeldeter und nichtzugelassener Starts");
    Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
}

void TAbmeldeForm::rf_AbgemeldetePrint(TBaseReport& Report)
{
    if (!Q1)
        return;
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    Report.PrintCenter(Qvsettings::GetString("Global", "Ueberschr") + " "
                           + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")),
                       mitte);
    Report.NewLine();
    Report.PrintCenter(bArchiv ? "Teilnehmer mit nicht zugelassenen Starts" : "Teilnehmer mit abgemeldeten Starts", mitte);
    Report.NewLine();
    Report.NewLine();

    using Report::pjLeft;
    using Report::pjRight;
    if (bArchiv)
        Reportutil::SpaltenSetzen(Report, {{5.5}, {5.5}, {1.5}, {1.5, pjRight}, {0.5}, {1.0}, {2.0}});
    else
        Reportutil::SpaltenSetzen(Report, {{5.5}, {5.5}, {1.0}, {1.2, pjRight}, {0.2}, {2.1}, {2.0}});
    Report.SetFont("Arial", 10);
    Report.SetItalic(false);
    Report.SetBold(false);
    Report.SetTabShade(0);

    QString vorher;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        const auto f = [this](const char* name) { return Q1->FieldByName(name)->AsString(); };
        const QString schluessel = f("VereinNr") + f("MitglNr");
        QString status = "Abgemeldet", code = f("Kurz");
        if (bArchiv) {
            if (f("Loeschung") == "X")
                status = "Löschung";
            code = Schtools::VeranstaltungsartKuerzel(Q1->FieldByName("Ebene")->AsInteger());
        }
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
        }
        const QString ergebnis = QString::number(Q1->FieldByName("Ergebnis")->AsInteger());
        if (schluessel != vorher)
            Reportutil::Zeile(Report, {f("Name") + ", " + f("Titel") + " " + f("Vorname"),
                                       f("Abkuerzung") + " " + f("VerName"), f("Jahrgang"), ergebnis, "", code, status});
        else
            Reportutil::Zeile(Report, {"", "", "", ergebnis, "", code, status});
        vorher = schluessel;
    }
}

namespace Abmeldung1 {

TAbmeldeForm* AbmeldeForm = nullptr;
bool bAuswahl = false;
int DruckjobID = 0;

int Abgemeldete(bool Auswahl)
{
    bAuswahl = Auswahl;
    return Vcl::TModalForm::ModalZeigen(AbmeldeForm);
}

} // namespace Abmeldung1
