#include "reports1/entries/Flinten1.h"
#include "ui_Flinten1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"

using Qvutil::CRLF;

TFlintenForm::TFlintenForm() : ui(new Ui::TFlintenForm)
{
    ui->setupUi(this);
    // "Ausgeben" closes only after its check has passed.
    ConnectButton(ui->bt_OK, Host::mrNone, [this] { bt_OKClick(); });
    ConnectButton(ui->cxButton2, Host::mrCancel);
}

TFlintenForm::~TFlintenForm() { delete ui; }

void TFlintenForm::FormShow()
{
    sTeilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    auto dm = Datamod::DataModule1();
    // Each box shows its first entry.
    const auto fuellen = [](Vcl::TLookupCombo* box, Ado::TDataSet& q, const QString& key, const QString& text) {
        box->Fuellen(q, key, {text});
        if (box->count() > 0)
            box->setCurrentIndex(0);
    };
    auto anlagen = dm->DynQuery("SELECT Anlage,Name" + CRLF + "FROM PANLAGE" + CRLF + "WHERE Ident = :Ident" + CRLF
                                    + "ORDER BY Anlage",
                                Ado::clUseServer, Ado::ltReadOnly);
    anlagen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    anlagen->Open();
    fuellen(ui->cx_Anlage, *anlagen, "Anlage", "Name");
    auto disziplinen = dm->DynQuery("SELECT Ident,Disziplin,Name" + CRLF + "FROM PDISZIPLIN" + CRLF
                                        + "WHERE Ident = :Ident" + CRLF + "ORDER BY Disziplin",
                                    Ado::clUseServer, Ado::ltReadOnly);
    disziplinen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    disziplinen->Open();
    fuellen(ui->cx_Disziplin, *disziplinen, "Disziplin", "Name");
    auto tage = dm->DynQuery("SELECT Ident,WKTag,Datum" + CRLF + "FROM AWKTAG" + CRLF + "WHERE Ident = :Ident" + CRLF
                                 + "      AND Teilmeisterschaft = :Teilm" + CRLF + "ORDER BY Datum",
                             Ado::clUseServer, Ado::ltReadOnly);
    tage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    tage->ParamByName("Teilm")->SetValue(sTeilm);
    tage->Open();
    fuellen(ui->cx_WKTag, *tage, "WKTag", "Datum");
    Flinten1::sFelder.clear();
}

void TFlintenForm::bt_OKClick()
{
    // A box without a choice (nothing stored) cannot name a competition.
    const struct {
        Vcl::TLookupCombo* Box;
        const char* Meldung;
    } pflicht[] = {
        {ui->cx_Anlage, "Sie haben keine Anlage ausgewählt"},
        {ui->cx_Disziplin, "Sie haben keine Disziplin ausgewählt"},
        {ui->cx_WKTag, "Sie haben keinen Wettkampftag ausgewählt"},
    };
    for (const auto& p : pflicht)
        if (p.Box->KeyValue().isEmpty()) {
            p.Box->setFocus();
            throw Eingabefehler(p.Meldung);
        }
    const QString anlage = QString::number(ui->cx_Anlage->KeyValue().toInt());
    const QString disziplin = ui->cx_Disziplin->KeyValue();
    auto q = Datamod::DataModule1()->DynQuery(
        QStringList{"SELECT *", "FROM ERGEBNIS", "WHERE Ident = " + QString::number(Datamod::iIdent),
                    "  AND Anlage = " + anlage, "  AND Disziplin = " + Ado::QuotedStr(disziplin),
                    "  AND Teilmeisterschaft = " + Ado::QuotedStr(sTeilm)}
            .join(CRLF),
        Ado::clUseServer, Ado::ltReadOnly);
    if (q->RecordCount() == 0) {
        ui->cx_Anlage->setFocus();
        throw Eingabefehler("Auf dieser Anlage ist dafür kein Wettbewerb vorgesehen");
    }
    Flinten1::sFelder = anlage + ";" + disziplin + ";" + QString::number(ui->cx_WKTag->KeyValue().toInt()) + ";"
                        + sTeilm + ";";
    SetModalResult(Host::mrOk);
}

namespace Flinten1 {

TFlintenForm* FlintenForm = nullptr;
QString sFelder;

QString Execute()
{
    sFelder.clear();
    if (Vcl::TModalForm::ModalZeigen(FlintenForm) != Host::mrOk)
        sFelder.clear();
    return sFelder;
}

} // namespace Flinten1
