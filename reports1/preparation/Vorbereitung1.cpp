#include "reports1/preparation/Vorbereitung1.h"
#include "ui_Vorbereitung1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"
#include "reports1/preparation/Ausnahme1.h"

TVorbereitungForm::TVorbereitungForm() : ui(new Ui::TVorbereitungForm) { ui->setupUi(this); }

TVorbereitungForm::~TVorbereitungForm()
{
    if (Vorbereitung1::VorbereitungForm == this)
        Vorbereitung1::VorbereitungForm = nullptr;
    delete ui;
}

void TVorbereitungForm::showEvent(QShowEvent* event)
{
    FormShow();
    TQuarvelForm::showEvent(event);
}

void TVorbereitungForm::FormShow()
{
    setWindowTitle("Listen zur Vorbereitung - " + Datamod::sVeranstaltung + " - Teilm. "
                   + Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
}

void TVorbereitungForm::FormClose() { Vorbereitung1::VorbereitungForm = nullptr; }

namespace Vorbereitung1 {

TVorbereitungForm* VorbereitungForm = nullptr;

bool Erstellen()
{
    if (VorbereitungForm)
        VorbereitungForm->RestoreAndRaise();
    else
        Qvform::TQuarvelForm::quarvelShow(VorbereitungForm, true, nullptr);
    return false;
}

void Druckfertig(int JobId)
{
    if (JobId == Ausnahme1::DruckjobID)
        Ausnahme1::DruckjobID = 0;
}

} // namespace Vorbereitung1
