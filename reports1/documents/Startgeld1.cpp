#include "reports1/documents/Startgeld1.h"
#include "ui_Startgeld1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"

TStartgeldForm::TStartgeldForm() : ui(new Ui::TStartgeldForm) { ui->setupUi(this); }

TStartgeldForm::~TStartgeldForm()
{
    if (Startgeld1::StartgeldForm == this)
        Startgeld1::StartgeldForm = nullptr;
    delete ui;
}

void TStartgeldForm::showEvent(QShowEvent* event)
{
    FormShow();
    TQuarvelForm::showEvent(event);
}

void TStartgeldForm::FormShow()
{
    setWindowTitle("Startgeldberechnung - " + Datamod::sVeranstaltung + " - Teilm. "
                   + Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
}

void TStartgeldForm::FormClose() { Startgeld1::StartgeldForm = nullptr; }

namespace Startgeld1 {

TStartgeldForm* StartgeldForm = nullptr;
int DruckjobID = 0;

bool Erstellen()
{
    if (StartgeldForm) {
        StartgeldForm->RestoreAndRaise();
    } else {
        Qvform::TQuarvelForm::quarvelShow(StartgeldForm, false, Datamod::DataModule1());
        StartgeldForm->showMaximized();
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
    delete StartgeldForm;
    StartgeldForm = nullptr;
}

} // namespace Startgeld1
