#include "reports1/preparation/Vorbereitung1.h"
#include "ui_Vorbereitung1.h"

#include "platform/host/Qvdruckvorschau.h"
#include "reports1/preparation/Ausnahme1.h"

TVorbereitungForm::TVorbereitungForm() : ui(new Ui::TVorbereitungForm) { ui->setupUi(this); }

TVorbereitungForm::~TVorbereitungForm() { delete ui; }

void TVorbereitungForm::FormShow() { setWindowTitle(Qvform::FensterTitel("Listen zur Vorbereitung")); }

namespace Vorbereitung1 {

TVorbereitungForm* VorbereitungForm = nullptr;

bool Erstellen()
{
    Qvform::TQuarvelForm::EinzelnZeigen(VorbereitungForm, true, nullptr, Qvform::fgNormal);
    return false;
}

void Druckfertig(int JobId) { Qvdruckvorschau::Druckfertig(Ausnahme1::DruckjobID, JobId); }

} // namespace Vorbereitung1
