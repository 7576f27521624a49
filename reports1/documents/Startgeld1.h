#pragma once
// The entry-fee workplace of a championship.

#include "platform/host/Qvform.h"

namespace Ui { class TStartgeldForm; }

class TStartgeldForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TStartgeldForm();
    ~TStartgeldForm() override;

protected:
    void FormShow() override;

private:
    Ui::TStartgeldForm* ui;
};

namespace Startgeld1 {

extern TStartgeldForm* StartgeldForm;
extern int DruckjobID;

bool Erstellen();
void Druckfertig(int JobId);
void Finalization();

} // namespace Startgeld1
