#include "reports1/entries/Ummeldungdlg.h"
#include "ui_Ummeldungdlg.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvutil.h"

using Qvutil::CRLF;

Tdl_UmmeldungDlg::Tdl_UmmeldungDlg() : ui(new Ui::Tdl_UmmeldungDlg)
{
    ui->setupUi(this);
    ConnectButton(ui->bt_Bearbeiten, Host::mrNone, [this] { bt_BearbeitenClick(); });
    ConnectButton(ui->cxButton2, Host::mrOk);
}

Tdl_UmmeldungDlg::~Tdl_UmmeldungDlg() { delete ui; }

void Tdl_UmmeldungDlg::FormShow()
{
    auto dm = Datamod::DataModule1();
    auto vereine = dm->DynQuery("SELECT * FROM EVEREIN" + CRLF + "ORDER BY VereinNr", Ado::clUseServer, Ado::ltReadOnly);
    ui->cx_MVerein->Fuellen(*vereine, "VereinNr", {"Name", "Abkuerzung", "VereinNr"});
    // The disciplines and classes of the current championship (the tables
    // hold those of every championship of the database).
    const QString id = QString::number(Datamod::iIdent);
    auto disziplinen = dm->DynQuery("SELECT * FROM PDISZIPLIN" + CRLF + "ORDER BY Disziplin", Ado::clUseServer,
                                    Ado::ltReadOnly);
    disziplinen->SetFilter("Ident = " + id);
    disziplinen->SetFiltered(true);
    ui->cx_MDisziplin->Fuellen(*disziplinen, "Disziplin", {"Name"});
    auto klassen = dm->DynQuery("SELECT * FROM PKLASSE" + CRLF + "ORDER BY Klasse", Ado::clUseServer, Ado::ltReadOnly);
    klassen->SetFilter("Ident = " + id);
    klassen->SetFiltered(true);
    ui->cx_MKlasse->Fuellen(*klassen, "Klasse", {"Name"});
    ui->ed_MMannschNr->setValue(1);
    ui->lb_Ansage->clear();
    Ummeldungdlg::bAlteMannschaft = false;
}

void Tdl_UmmeldungDlg::bt_BearbeitenClick()
{
    Ummeldungdlg::bStatus = false;
    SetModalResult(Host::mrNone);
    const QString id = QString::number(Datamod::iIdent);
    const QString verein = ui->cx_MVerein->KeyValue();
    const QString disziplin = ui->cx_MDisziplin->KeyValue();
    const QString klasse = ui->cx_MKlasse->KeyValue();
    const QString bedingung = QStringList{"WHERE Ident = " + id, "  AND VereinNr = " + Ado::QuotedStr(verein),
                                          "  AND Disziplin = " + Ado::QuotedStr(disziplin),
                                          "  AND MKlasse = " + Ado::QuotedStr(klasse)}
                                  .join(CRLF);
    auto dm = Datamod::DataModule1();
    if (dm->DynQuery("SELECT *" + CRLF + "FROM EMANNSCH" + CRLF + bedingung, Ado::clUseServer, Ado::ltReadOnly)
            ->RecordCount()
        == 0) {
        ui->lb_Ansage->setText("Von dieser Auswahl ist keine Mannschaft vorhanden");
        return;
    }
    const QString nummer = ui->ed_MMannschNr->text();
    // The mark and the host's record go in together or not at all.
    Ado::TTransaction t(*dm->Connection());
    dm->DynSQL("UPDATE EMANNSCH SET MUmmeldung = 'J'" + CRLF + bedingung + CRLF + "  AND MannschNr = "
               + Ado::QuotedStr(nummer));
    dm->UmmeldungSpeichern(verein, disziplin, klasse, nummer, QString());
    t.Commit();
    Ummeldungdlg::bStatus = true;
    Ummeldungdlg::sVereinNr = verein;
    Ummeldungdlg::sDisziplin = disziplin;
    Ummeldungdlg::sKlasse = klasse;
    Ummeldungdlg::sMannschNr = nummer;
    Ummeldungdlg::bAlteMannschaft = true;
    SetModalResult(Host::mrOk);
}

namespace Ummeldungdlg {

Tdl_UmmeldungDlg* dl_UmmeldungDlg = nullptr;
bool bStatus = false;
QString sVereinNr, sDisziplin, sKlasse, sMannschNr;
bool bAlteMannschaft = false;

bool Erstellen()
{
    Vcl::TModalForm::ModalZeigen(dl_UmmeldungDlg);
    return bStatus;
}

} // namespace Ummeldungdlg
