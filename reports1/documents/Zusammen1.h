#pragma once
// The start documents of a championship: start cards in four layouts, the
// start summary per club or district, the staff overview and confirmation
// per club, and score sheets. One selection dialog serves all of them,
// chosen by the kind of document it is opened with; the cards and the
// summaries go to the preview or, one file per club (or district), to PDF.
//
// The OK handler reads the choices into the form's fields; the print
// events read only those, the report query and the settings.

#include "platform/host/Auswahl.h"
#include "platform/vcl/ModalForm.h"

#include <QDateTime>
#include <QStringList>
#include <memory>

namespace Ui { class TZusammenForm; }
namespace Ado { class TADOQuery; class TDataSet; class TPreparedStatement; class TTransaction; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
class TLabelShell;
} // namespace Report

class TZusammenForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TZusammenForm();
    ~TZusammenForm() override;

    Report::TRvNDRWriter *rf_StartkarteEine, *rf_StartkarteH, *rf_StartkarteL, *rf_Startkarte, *rf_Zusammenfassung,
        *rf_Mitarbeiter, *rf_Bestaetigung, *rf_Schusszettel;
    Report::TLabelShell* rpt_StartkarteM;

    void bt_OKClick();

    // The label sheet of the four-per-page cards.
    static void StartkarteMBogen(Report::TLabelShell& s);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    Report::TRvNDRWriter* Schreiber(const char* name, const char* titel, bool seitenkopf,
                                    void (TZusammenForm::*druck)(Report::TBaseReport&));
    Report::TRvNDRWriter& Ausgabe();
    void SichtbarkeitSetzen();
    // The checks of OK in their order: the first that fails moves the focus
    // to its control and raises the input error.
    void Pruefen();
    QString KartenSQL() const;
    QString SchusszettelSQL() const;
    std::unique_ptr<Ado::TADOQuery> AbfrageOeffnen();
    // One PDF file per club (or district) into the folder the user chooses.
    void PdfDateien(Report::TRvNDRWriter& w);
    // The rows a print walks: every row of the report query, or while one
    // club's file is made the rows of that club, which follow one another
    // from row iErsteZeile on.
    void Anfang();
    bool Ende() const;

    // --- Summary and staff documents (Zusammen1.cpp, Zusammen1Mitarbeiter.cpp)
    void rf_ZusammenfassungPrint(Report::TBaseReport& Report);
    void StartzusammenfassungNormal(Report::TBaseReport& Report);
    void StartzusammenfassungBSSB(Report::TBaseReport& Report);
    void ZusammenfassungTabSetzen(Report::TBaseReport& Report, bool Kopf);
    void rf_MitarbeiterPrint(Report::TBaseReport& Report);
    void rf_BestaetigungPrint(Report::TBaseReport& Report);
    void MitarbeiterDrucken(Report::TBaseReport& Report, bool Bestaetigung);

    // --- Cards and score sheets (Zusammen1Karten.cpp) ------------------------
    void rf_StartkarteEinePrint(Report::TBaseReport& Report);
    void rf_StartkarteHPrint(Report::TBaseReport& Report);
    void rf_StartkarteLPrint(Report::TBaseReport& Report);
    void rf_StartkartePrint(Report::TBaseReport& Report);
    void rf_SchusszettelPrint(Report::TBaseReport& Report);
    void rpt_StartkarteMReportBefore(Report::TBaseReport& Report);
    bool rpt_StartkarteMLabelPrint(Report::TBaseReport& Report);
    void rpt_StartkarteMReportAfter(Report::TBaseReport& Report);
    // The cards of modes 0 to 2: Plaetze slots per page.
    void KartenDrucken(Report::TBaseReport& Report, int Plaetze);
    void KartenDeckblatt(Report::TBaseReport& Report, bool neueSeite);
    void KarteDrucken(Report::TBaseReport& Report, double BmpY);
    void KartenEinstellungen();
    // Stamps the current row's start with the print time.
    void Stempeln();

    Ui::TZusammenForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;

    // Read at OK: what the print events need.
    QString sVereinNrAb = "000000000", sVereinNrBis = "999999999";
    QString sMitglNrVon = "00000000", sMitglNrBis = "99999999";
    int iVDurchg = 0, iBDurchg = 999;
    QStringList MitglNummern;  // members of the start numbers of a reprint
    bool bNachdruck = false;   // cards by start number: no club covers
    bool bKreis = false;
    bool bAnlageJ = false;
    int iVerband = 0;
    int iSortierungS = 0, iSortierungV = 0;
    QString sTeilm;
    bool bPdfLauf = false;     // the runs of one PDF file per club
    int iErsteZeile = 0;       // > 0: only the group sGruppe from this row on
    QString sGruppe;
    const char* sGruppenFeld = "VereinNr";

    // Card drawing.
    QString sVerband, sUeberschr, sSportjahr;
    double dBitmapLL = 1.0, dBitmapLH = 1.0;
    QStringList Freitext;      // lines printed under every card
    bool bFirma = false;       // "FIRMA.BMP" beside the program
    QString sVereinAlt;
    int iPlatz = 0;
    int iFortschritt = 0;
    QDateTime DruckZeit;
    std::unique_ptr<Ado::TTransaction> Stempel;
    std::unique_ptr<Ado::TPreparedStatement> StempelSQL; // prepared once per print
};

namespace Zusammen1 {

extern TZusammenForm* ZusammenForm;
extern Host::TDruckArt fAuswahl;
extern bool bPDFDatei;
extern int DruckjobID;

// Shows the dialog for the documents of Art modally (PDFDatei: one PDF file
// per club instead of the preview); returns its modal result.
int Zusammenfassungsliste(Host::TDruckArt Art, bool PDFDatei);

} // namespace Zusammen1
