#pragma once
// Address labels on the 70 x 36 mm sheet (three lanes, eight rows) for the
// members whose club membership carries a selection code: starting on any
// label of a used sheet, each address as often as asked.

#include "platform/vcl/ModalForm.h"

#include <memory>

namespace Ui { class TEtikettenForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TLabelShell;
} // namespace Report

class TEtikettenForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TEtikettenForm();
    ~TEtikettenForm() override;

    Report::TRvNDRWriter* rf_Etiketten;
    Report::TLabelShell* rpt_Etiketten;

    void bt_OKClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void rf_EtikettenBeforePrint(Report::TBaseReport& Report);
    void rf_EtikettenPrint(Report::TBaseReport& Report);
    void rf_EtikettenAfterPrint(Report::TBaseReport& Report);
    void rpt_EtikettenReportBefore(Report::TBaseReport& Report);
    bool rpt_EtikettenLabelPrint(Report::TBaseReport& Report);
    bool rpt_EtikettenLabelAfter(Report::TBaseReport& Report);

    Ui::TEtikettenForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    bool bDrucken = false; // the first label to use has been reached
    bool bEtikett = false; // the current address is finished
    int i1 = 1, i2 = 1;    // row and lane while skipping the used labels
    int i3 = 1;            // copies of the current address printed
    int Zeile = 0;         // addresses finished
    // The numbers of the boxes as checked at OK.
    int iWiederholung = 1, iReihe = 1, iBahn = 1;
};

namespace Etiketten1 {

extern TEtikettenForm* EtikettenForm;
extern int DruckjobID;

// Shows the address labels' form modally; returns its modal result.
int AdressEtiketten();

} // namespace Etiketten1
