#include "reports1/results/Ergebdruck1.h"
#include "ui_Ergebdruck1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"

TErgebDruckForm::TErgebDruckForm() : ui(new Ui::TErgebDruckForm) { ui->setupUi(this); }

TErgebDruckForm::~TErgebDruckForm()
{
    if (Ergebdruck1::ErgebDruckForm == this)
        Ergebdruck1::ErgebDruckForm = nullptr;
    delete ui;
}

void TErgebDruckForm::showEvent(QShowEvent* event)
{
    FormShow();
    TQuarvelForm::showEvent(event);
}

void TErgebDruckForm::FormShow()
{
    setWindowTitle("Erstellen Ergebnislisten - " + Datamod::sVeranstaltung + " - Teilm. "
                   + Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
}

void TErgebDruckForm::FormClose() { Ergebdruck1::ErgebDruckForm = nullptr; }

namespace Ergebdruck1 {

TErgebDruckForm* ErgebDruckForm = nullptr;
bool bAuswahl = false;
int DruckjobID = 0;

bool Erstellen(bool Auswahl)
{
    bAuswahl = Auswahl;
    if (ErgebDruckForm) {
        ErgebDruckForm->RestoreAndRaise();
    } else {
        Qvform::TQuarvelForm::quarvelShow(ErgebDruckForm, false, Datamod::DataModule1());
        ErgebDruckForm->showMaximized();
    }
    return false;
}

void Druckfertig(int JobId)
{
    if (JobId == DruckjobID)
        DruckjobID = 0;
}

void Finalization()
{
    delete ErgebDruckForm;
    ErgebDruckForm = nullptr;
}

} // namespace Ergebdruck1
