#pragma once
// The relay-list dialog: one modal selection dialog shared by the papers
// printed per range, chosen by the selection code it is opened with: relay
// list (0), result-entry sheets (1), team lists (2), target labels for
// matrix (3) and laser printers (4), participants per range (5), staff
// list (6), payout list (7) and staff badges (8).
//
// The OK handler reads the choices into the form's fields; the print
// events read only those, the query Q1 and the settings.

#include "platform/host/Auswahl.h"
#include "platform/vcl/ModalForm.h"

#include <QStringList>
#include <memory>

namespace Ui { class TDurchgangForm; }
namespace Ado { class TADOQuery; class TDataSet; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TLabelShell;
} // namespace Report

class TDurchgangForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TDurchgangForm();
    ~TDurchgangForm() override;

    Report::TRvNDRWriter *rf_Durchgangsliste, *rf_ErgebEintrag, *rf_Mannschaft, *rf_Etiketten, *rf_EtikettenBY,
        *rf_Teilnehmer, *rf_Mitarbeiter, *rf_Auszahlung;
    Report::TLabelShell *rpt_EtikettenMatrix, *rpt_EtikettenLaser, *rpt_Etiketten, *rpt_MEtiketten;

    void bt_OKClick();
    void cb_ErgebnisClick();
    // Text broken into the lines the report prints between Left and Right
    // with its current font.
    QStringList TextAufteilen(Report::TBaseReport& Report, const QString& Text, double Left, double Right);

    // The label sheets as their writers lay them out.
    static void EtikettenMatrixBogen(Report::TLabelShell& s);
    static void EtikettenLaserBogen(Report::TLabelShell& s);
    static void EtikettenBogen(Report::TLabelShell& s);
    static void MEtikettenBogen(Report::TLabelShell& s);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    // Writers and label shells with their events.
    void SchreiberAnlegen();
    Report::TRvNDRWriter* Schreiber(const char* name, const char* titel, bool seitenkopf,
                                    void (TDurchgangForm::*druck)(Report::TBaseReport&));
    void Vorschau(Report::TRvNDRWriter& w);
    void SichtbarkeitSetzen();

    // The statement of the code, its parameters set, opened.
    std::unique_ptr<Ado::TADOQuery> AbfrageOeffnen();

    // --- Lists (Durchgang1Listen.cpp) ---------------------------------------
    void rf_DurchgangslistePrint(Report::TBaseReport& Report);
    void rf_MannschaftPrint(Report::TBaseReport& Report);
    void rf_TeilnehmerPrint(Report::TBaseReport& Report);
    // Stops the print, with the message, when a team has more members than
    // its class allows plus one.
    void MannschaftenPruefen();
    // --- Result-entry sheets (Durchgang1Eintrag.cpp) -------------------------
    void rf_ErgebEintragPrint(Report::TBaseReport& Report);
    // --- Staff list and payout (Durchgang1Mitarbeiter.cpp) ------------------
    void rf_MitarbeiterPrint(Report::TBaseReport& Report);
    void rf_AuszahlungPrint(Report::TBaseReport& Report);
    // --- Labels (Durchgang1Etiketten.cpp) ------------------------------------
    void rf_EtikettenPrint(Report::TBaseReport& Report);
    void rf_EtikettenBYPrint(Report::TBaseReport& Report);
    void EtikettenBefore(Report::TBaseReport& Report);
    bool EtikettenAfter(Report::TBaseReport& Report);
    bool rpt_EtikettenMatrixPrint(Report::TBaseReport& Report);
    bool rpt_EtikettenLaserPrint(Report::TBaseReport& Report);
    bool rpt_EtikettenPrint(Report::TBaseReport& Report);
    bool rpt_MEtikettenPrint(Report::TBaseReport& Report);
    bool rpt_MEtikettenAfter(Report::TBaseReport& Report);
    // One label of a target-label sheet of Across labels a row; BY: the
    // "Verband" 3 sheet.
    bool Etikett(Report::TBaseReport& Report, int Across, bool BY);
    void KopfEtikett(Report::TBaseReport& Report, bool BY, bool fett);
    void StartEtikettLaser(Report::TBaseReport& Report, bool matrix);
    void StartEtikettBY(Report::TBaseReport& Report);
    void Barcode(Report::TBaseReport& Report, double x, double y, double hoehe);

    Ui::TDurchgangForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;

    // Read at OK: what the print events need.
    bool bAnlageJ = false;       // no range, day and time assignment
    bool bVBWettkampf = false;   // club-title row layout of the relay list
    bool bErgebnisform = false;  // team lists as results notice
    bool bNachArt = false;       // staff list by role
    bool bBarcode = true;        // bar codes on the laser labels
    int iVerband = 0;
    int iBahn = 1;               // sheet row the labels start on
    int iAnzLabel = 1;           // labels per start
    double dYPOS = 1;
    QString sTeilm;

    // State of the label and list printing.
    bool bDrucken = false, bEtikett = false, bLeer = false, bWiederholen = false;
    int iZeile = 0, iZaehler1 = 0, iZaehler2 = 0, iZaehler3 = 0, iZaehler4 = 0;
    QString sOldE;
};

namespace Durchgang1 {

extern TDurchgangForm* DurchgangForm;
extern Host::TAuswahl fAuswahl;
extern int DruckjobID;

// Shows the dialog for the output of Auswahl modally; returns its modal result.
int Durchgangsliste(Host::TAuswahl Auswahl);

} // namespace Durchgang1
