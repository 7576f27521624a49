#pragma once
// Starts that did not take place, one block per participant: the
// deregistered starts of the current championship, or the archived starts
// of one discipline (and class), all of them or only the non-admitted ones.

#include "platform/vcl/ModalForm.h"

#include <memory>

namespace Ui { class TAbmeldeForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

class TAbmeldeForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TAbmeldeForm();
    ~TAbmeldeForm() override;

    Report::TRvNDRWriter* rf_Abgemeldete;

    void bt_OKClick();
    void gb_AuswahlClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void rf_AbgemeldeteBeforePrint(Report::TBaseReport& Report);
    void rf_AbgemeldetePrint(Report::TBaseReport& Report);

    Ui::TAbmeldeForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    bool bArchiv = false; // the list was asked for in archive mode
};

namespace Abmeldung1 {

extern TAbmeldeForm* AbmeldeForm;
extern bool bAuswahl;   // True: the deregistered starts of the championship
extern int DruckjobID;

// Shows the list's form modally; returns its modal result.
int Abgemeldete(bool Auswahl);

} // namespace Abmeldung1
