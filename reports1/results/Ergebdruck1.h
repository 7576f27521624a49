#pragma once
// The results dialog.

#include "platform/host/Qvform.h"

namespace Ui { class TErgebDruckForm; }

class TErgebDruckForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TErgebDruckForm();
    ~TErgebDruckForm() override;
protected:
    void showEvent(QShowEvent* event) override;
    void FormClose() override;
private:
    void FormShow();
    Ui::TErgebDruckForm* ui;
};

namespace Ergebdruck1 {

extern TErgebDruckForm* ErgebDruckForm;
extern bool bAuswahl;
extern int DruckjobID;

bool Erstellen(bool Auswahl);
void Druckfertig(int JobId);
void Finalization();

} // namespace Ergebdruck1
