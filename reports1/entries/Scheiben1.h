#pragma once
// The question before the target order form: a blank form, or one filled
// in from the championship's target needs.

#include "platform/vcl/ModalForm.h"

namespace Ui { class TScheibenForm; }

class TScheibenForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TScheibenForm();
    ~TScheibenForm() override;

    void bt_OKClick();

protected:
    void FormShow() override;
    // Enter does not move on here (no key preview).
    void keyPressEvent(QKeyEvent* event) override;

private:
    Ui::TScheibenForm* ui;
};

namespace Scheiben1 {

extern TScheibenForm* ScheibenForm;
extern bool bBlanko; // the answer of the last "OK"; False until one is given

// Shows the question; returns bBlanko (a cancelled question leaves it as it was).
bool Bestellung();

} // namespace Scheiben1
