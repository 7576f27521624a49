#pragma once
// One dialog, two jobs chosen by the caller: the participation statistics
// (participants per club, district or region of the organising level,
// optionally per class) and the medal count (how many medals of each kind a
// range needs on one competition day).

#include "platform/vcl/ModalForm.h"

#include <memory>

namespace Ui { class Tdl_StatistikDlg; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TRTFFiler;
} // namespace Report

class Tdl_StatistikDlg : public Vcl::TModalForm {
    Q_OBJECT
public:
    Tdl_StatistikDlg();
    ~Tdl_StatistikDlg() override;

    Report::TRvNDRWriter* rf_Statistik;
    Report::TRvNDRWriter* rf_Medaillen;
    Report::TRTFFiler* rtf_Statistik;

    void bt_AusgabeClick();
    void bt_MedailleClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void StatistikErstellen(Report::TBaseReport& Report);
    void rf_MedaillenPrint(Report::TBaseReport& Report);
    void TabellenKopf(Report::TBaseReport& Report);
    void Schattieren(Report::TBaseReport& Report);
    // The places of a group of Summe starters that get a medal, up to
    // Plaetze: [0] gold … [5] sixth place.
    static void Zaehlen(int Summe, int Plaetze, int Gewicht, int (&Anzahl)[6]);
    void MedaillenDrucken(Report::TBaseReport& Report, const QString& Art, int Plaetze, const int (&Anzahl)[6]);

    Ui::Tdl_StatistikDlg* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    QString sTeilm, sUrkEinzel, sUrkMannsch, sAnlage, sWKTag, sLaufwerk;
    int iAnlage = 0, iWKTag = 0, iEinzel = 0, iMannsch = 0;
    bool bGestartet = false, bKlassen = false;
    int iShade = 0;
};

namespace Statistik2 {

extern Tdl_StatistikDlg* dl_StatistikDlg;
extern bool bAuswahl; // True: participation statistics, False: medal count
extern int DruckjobID;

// The participation statement for a level column ("VereinNr",
// "MID(VereinNr,1,2)", "MID(VereinNr,1,1)"), as the job runs it.
QString StatistikSQL(const QString& Ebene, bool MitKlassen, bool NurGestartet, int Ident);

// Shows the dialog modally with the job Auswahl chooses.
int Erstellen(bool Auswahl);

} // namespace Statistik2
