#pragma once
// The staff statistics: long-serving staff, every member registered as
// staff whose year of joining lies the given number of years or more before
// the sport year.

#include "platform/vcl/ModalForm.h"

#include <memory>

namespace Ui { class TStatistikForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

class TStatistikForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TStatistikForm();
    ~TStatistikForm() override;

    Report::TRvNDRWriter* rf_Statistik;

    void bt_OKClick();

protected:
    void FormClose() override;

private:
    void rf_StatistikBeforePrint(Report::TBaseReport& Report);
    void rf_StatistikPrint(Report::TBaseReport& Report);
    void rf_StatistikAfterPrint(Report::TBaseReport& Report);
    void Kopf(Report::TBaseReport& Report);
    void ZeilenTabs(Report::TBaseReport& Report);

    Ui::TStatistikForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    int iSort = 0;
};

namespace Statistik1 {

extern TStatistikForm* StatistikForm;
extern int DruckjobID;

// The statement of the list for a limit year and order (0 by name, 1 by
// club number), as the job runs it.
QString StatistikSQL(int Sortierung);

// Shows the staff statistics' form modally; returns its modal result.
int MitarbeiterStatistik();

} // namespace Statistik1
