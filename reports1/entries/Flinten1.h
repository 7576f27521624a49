#pragma once
// The choice of range, discipline and competition day before the
// start-number list of a shotgun competition: checked against the starts
// and handed back as one text "range;discipline;day;sub-championship;".

#include "platform/vcl/ModalForm.h"

#include <QString>

namespace Ui { class TFlintenForm; }

class TFlintenForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TFlintenForm();
    ~TFlintenForm() override;

    void bt_OKClick();

protected:
    void FormShow() override;

private:
    Ui::TFlintenForm* ui;
    QString sTeilm; // the current sub-championship
};

namespace Flinten1 {

extern TFlintenForm* FlintenForm;
extern QString sFelder;

// Shows the dialog; the choice after "Ausgeben", empty after "Abbruch".
QString Execute();

} // namespace Flinten1
