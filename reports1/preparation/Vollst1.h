#pragma once
// The completeness list: the entered starts counted per organiser,
// discipline and class, so that the organiser can check that the data read
// in from the level before is complete, or (mode 2) see the counts the next
// organiser will receive. The same dialog chooses the ranges and days of the
// medal forecast (mode 3) and prints the data taken over from the entry
// program per club (mode 4).

#include "platform/vcl/ModalForm.h"

#include <QMap>
#include <QString>
#include <memory>

namespace Ui { class TVollstForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TRTFFiler;
} // namespace Report

class TVollstForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TVollstForm();
    ~TVollstForm() override;

    Report::TRvNDRWriter* rf_Veranst;
    Report::TRvNDRWriter* rf_Uebernahme;
    Report::TRTFFiler* rtf_Veranst;

    void bt_OKClick();
    void gb_VeranstClick();
    void cb_AlleAnlagenClick();

    // The body of the completeness list on either output's surface.
    void Vollstaendigkeit(Report::TBaseReport& Report);
    // The body of the takeover list.
    void Uebernahme(Report::TBaseReport& Report);

    // Set once a list has been drawn to the end (preview or file), so a
    // caller can tell a finished list from a cancelled or empty one.
    bool bFertigMitLaden = false;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void VeranstaltungOK();
    void MedailleOK();
    void UebernahmeOK();

    Ui::TVollstForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    std::unique_ptr<Ado::TADOQuery> q_Anlage, q_Verein;
    QString sTeilm;
    int iEbene = 1;        // what an organiser is: 1 club, 2 district, 3 region
    bool bKomplett = false; // heading "komplett"
};

namespace Vollst1 {

extern TVollstForm* VollstForm;
extern int iAusdruck;
extern QString sAusdruck;
extern int DruckjobID;

// Shows the dialog in Ausdruck's mode (1 completeness list, 2 for the next
// organiser, 3 ranges and days of the medal forecast, 4 takeover list) and
// copies the choice of mode 3 ("range;first day;second day;") into
// Ergebnis (empty in the other modes). Returns the modal result.
int Vollstliste(int Ausdruck, QString& Ergebnis);

// The level an organiser is of, from "Allgemein"/"VeranstaltungsArt":
// 2 district, 3 region, everything else a club (1); one higher for the
// next organiser, at most 3.
int Ebene(int VeranstaltungsArt, bool NaechsterVeranstalter);

} // namespace Vollst1
