#include "reports1/documents/Startgeld1.h"
#include "ui_Startgeld1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvdruckvorschau.h"

TStartgeldForm::TStartgeldForm() : ui(new Ui::TStartgeldForm) { ui->setupUi(this); }

TStartgeldForm::~TStartgeldForm() { delete ui; }

void TStartgeldForm::FormShow() { setWindowTitle(Qvform::FensterTitel("Startgeldberechnung")); }

namespace Startgeld1 {

TStartgeldForm* StartgeldForm = nullptr;
int DruckjobID = 0;

bool Erstellen()
{
    Qvform::TQuarvelForm::EinzelnZeigen(StartgeldForm, false, Datamod::DataModule1(), Qvform::fgMaximiert);
    return false;
}

void Druckfertig(int JobId) { Qvdruckvorschau::Druckfertig(DruckjobID, JobId); }

void Finalization() { Qvform::TQuarvelForm::Freigeben(StartgeldForm); }

} // namespace Startgeld1
