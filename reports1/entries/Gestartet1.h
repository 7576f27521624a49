#pragma once
// The started participants: per range one line per discipline with its
// starts and, on request, the refund to pay out for them (starts x the
// discipline's refund per start), range totals and the total to pay out;
// then the participation figures and the dropped-out starts per discipline.

#include "platform/vcl/ModalForm.h"

#include <QString>
#include <memory>

namespace Ui { class TGestartetForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TRTFFiler;
} // namespace Report

class TGestartetForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TGestartetForm();
    ~TGestartetForm() override;

    Report::TRvNDRWriter* rf_Gestartet;
    Report::TRTFFiler* rtf_GestartetRTF;

    void bt_OKClick();
    // The body on either output's surface.
    void GestartetPrint(Report::TBaseReport& Report);

protected:
    void FormClose() override;

private:
    void Statistik(Report::TBaseReport& Report);

    Ui::TGestartetForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    bool bBetraege = false;
};

namespace Gestartet1 {

extern TGestartetForm* GestartetForm;
extern int DruckjobID;

// Shows the list's form modally; returns its modal result.
int Gestartetliste();

// "%2.2f" with the decimal comma; 0 when Nenner is 0.
QString Prozent(qint64 Zaehler, qint64 Nenner);

} // namespace Gestartet1
