#include "reports1/entries/Scheiben1.h"
#include "ui_Scheiben1.h"

#include "platform/host/HostUi.h"

#include <QDialog>

TScheibenForm::TScheibenForm() : ui(new Ui::TScheibenForm)
{
    ui->setupUi(this);
    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TScheibenForm::~TScheibenForm() { delete ui; }

void TScheibenForm::FormShow() { ui->cb_Blanko->setChecked(false); }

void TScheibenForm::keyPressEvent(QKeyEvent* event) { QDialog::keyPressEvent(event); }

void TScheibenForm::bt_OKClick() { Scheiben1::bBlanko = ui->cb_Blanko->isChecked(); }

namespace Scheiben1 {

TScheibenForm* ScheibenForm = nullptr;
bool bBlanko = false;

bool Bestellung()
{
    Vcl::TModalForm::ModalZeigen(ScheibenForm);
    return bBlanko;
}

} // namespace Scheiben1
