#pragma once
// The preparation centre.

#include "platform/host/Qvform.h"

namespace Ui { class TVorbereitungForm; }

class TVorbereitungForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TVorbereitungForm();
    ~TVorbereitungForm() override;

protected:
    void FormShow() override;

private:
    Ui::TVorbereitungForm* ui;
};

namespace Vorbereitung1 {

extern TVorbereitungForm* VorbereitungForm;

bool Erstellen();
// Clears the print record the centre keeps in Ausnahme1::DruckjobID.
void Druckfertig(int JobId);

} // namespace Vorbereitung1
