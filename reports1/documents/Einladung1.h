#pragma once
// Invitation letters to the championship's staff: for each staff member
// with engagements, a letter asking for the help, with the engagements,
// the allowances the settings grant and the organiser's signature block;
// to all staff, the staff of one range, or the member chosen in the list.

#include "platform/vcl/ModalForm.h"

#include <memory>

namespace Ui { class TEinladungForm; }
namespace Ado { class TADOQuery; }
namespace Vcl { class TDataSetModel; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
class QTimer;

class TEinladungForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TEinladungForm();
    ~TEinladungForm() override;

    Report::TRvNDRWriter* rf_Einladung;
    QTimer* MitArbTimer;  // name search, 900 ms

    void bt_OKClick();
    void ed_NamenEinzelChange();
    void MitArbTimerTimer();
    // Moves the list to the first staff member of that name.
    void MitarbNamenSuchen(const QString& Name, const QString& Vorname);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void rf_EinladungPrint(Report::TBaseReport& Report);
    void Brief(Report::TBaseReport& Report);

    Ui::TEinladungForm* ui;
    std::unique_ptr<Ado::TADOQuery> q_Mitarbeiter;
    Vcl::TDataSetModel* ds_Mitarbeiter;
    std::unique_ptr<Ado::TADOQuery> q_Brief;
    QString sSuche;
    int iTicks = 0;
};

namespace Einladung1 {

extern TEinladungForm* EinladungForm;
extern int DruckjobID;

// Shows the invitation dialog modally; returns its modal result.
int Einladungsliste();

} // namespace Einladung1
