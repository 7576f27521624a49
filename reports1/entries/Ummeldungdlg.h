#pragma once
// Marks a team as re-registered: the user picks club, discipline, team
// class and team number; the team is marked (MUmmeldung) and the host
// records the re-registration, both in one transaction.

#include "platform/vcl/ModalForm.h"

#include <QString>

namespace Ui { class Tdl_UmmeldungDlg; }

class Tdl_UmmeldungDlg : public Vcl::TModalForm {
    Q_OBJECT
public:
    Tdl_UmmeldungDlg();
    ~Tdl_UmmeldungDlg() override;

    void bt_BearbeitenClick();

protected:
    void FormShow() override;

private:
    Ui::Tdl_UmmeldungDlg* ui;
};

namespace Ummeldungdlg {

extern Tdl_UmmeldungDlg* dl_UmmeldungDlg;
extern bool bStatus;
// The last team marked.
extern QString sVereinNr, sDisziplin, sKlasse, sMannschNr;
// False when the dialog opens, True once a team was marked; the results
// dialog reads it before printing the re-registration sheets.
extern bool bAlteMannschaft;

// Shows the dialog; True when a team was marked.
bool Erstellen();

} // namespace Ummeldungdlg
