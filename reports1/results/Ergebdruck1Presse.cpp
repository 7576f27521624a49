// The results dialog's press list (tab "Presseliste") and the forwarding
// lists of the federation mode (general page items 14 and 15, through the
// selection page of the competitions).

#include "reports1/results/Ergebdruck1.h"
#include "ui_Ergebdruck1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Guard.h"

#include <QPushButton>
#include <QScopeGuard>

void TErgebDruckForm::PresseEinrichten()
{
    presse_.Anlegen(this);
    weitermeldung_.Anlegen(this);
    using F = TErgebDruckForm;
    Host::Connect(ui->bt_PreOK, &QPushButton::clicked, this, &F::bt_PreOKClick);
    Host::Connect(ui->bt_BSSBEinzel, &QPushButton::clicked, this, &F::bt_BSSBEinzelClick);
    Host::Connect(ui->bt_BSSBMannsch, &QPushButton::clicked, this, &F::bt_BSSBMannschClick);
}

void TErgebDruckForm::bt_PreOKClick()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    ErgebPresse::TOptionen o = ErgebPresse::EingabenPruefen(ui->ed_Einzel, ui->ed_Mannschaft, ui->ed_Untergl);
    o.Gesamtausdruck = ui->gb_PreDruck->ItemIndex() == 0;
    // The marks go afterwards: those the run set itself always, those the
    // user set once the list was put out.
    bool ausgegeben = false;
    const auto zuruecksetzen = qScopeGuard([&] {
        if (ausgegeben || o.Gesamtausdruck)
            MarkierungGesamtZuruecksetzen(Datamod::iIdent, true);
    });
    ausgegeben = presse_.Ausgeben(Daten, o, ui->gb_PDirekt->ItemIndex() == 1, Ergebdruck1::DruckjobID, sPresseLaufwerk);
}

void TErgebDruckForm::WeitermeldungStarten(TAuswahlFuer Fuer)
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    ui->gb_Gesamt->SetItemIndex(1);
    ui->cb_Ueberschrift->setChecked(false);
    VeranstaltungenZeigen(Fuer);
}

void TErgebDruckForm::bt_BSSBEinzelClick() { WeitermeldungStarten(afBSSBEinzel); }
void TErgebDruckForm::bt_BSSBMannschClick() { WeitermeldungStarten(afBSSBMannsch); }

void TErgebDruckForm::WeitermeldungAusgeben(const QVector<int>& Wettkaempfe, bool Mannschaft)
{
    const auto zuruecksetzen = qScopeGuard([&] {
        for (int w : Wettkaempfe)
            MarkierungGesamtZuruecksetzen(w, true);
    });
    weitermeldung_.Ausgeben(Daten, Wettkaempfe, Mannschaft, Ergebdruck1::DruckjobID);
}
