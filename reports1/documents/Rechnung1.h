#pragma once
// Entry-fee invoices to the clubs: one letter per club billing its starts
// by fee group (or, in detail, by competition and class), its teams and
// team re-registrations, with total, closing text and a footer with the
// payment terms and the association's bank and tax data; and the overview
// of the clubs' general fees. To the preview, or one PDF file per club.

#include "platform/vcl/ModalForm.h"

#include <QStringList>
#include <QVector>
#include <map>
#include <memory>

namespace Ui { class TRechnungForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

class TRechnungForm : public Vcl::TModalForm {
    Q_OBJECT
public:
    TRechnungForm();
    ~TRechnungForm() override;

    Report::TRvNDRWriter* rf_Rechnung;
    Report::TRvNDRWriter* rf_REchnungDetail;
    Report::TRvNDRWriter* rf_Uebersicht;

    void bt_OKClick();
    void cb_StartgelderClick();

    // One club's invoice as the drawing routines see it.
    struct TVerein {
        QString VereinNr, Titel, Name, Vorstand, Strasse, PLZ, Ort, Kreis, Abkuerzung, Startgeld, RechNr;
        std::map<int, int> Einzel;                       // starts per fee group
        std::map<std::pair<QString, QString>, int> Klassen; // starts per discipline and class
        QString Nummer;                                  // the invoice number printed
    };

    // Letter head (fold mark, titles, date, sender, address, invoice number).
    void ListeDrucken(Report::TBaseReport& Report, const TVerein& Verein);
    void ListeDruckenDetail(Report::TBaseReport& Report, const TVerein& Verein);
    // Amount lines and total of the invoice by fee group and of the detailed one.
    void RestDrucken(Report::TBaseReport& Report, const TVerein& Verein);
    void RestDruckenDetail(Report::TBaseReport& Report, const TVerein& Verein);
    // Payment terms, the association's contact, bank and tax data.
    void FussZeile(Report::TBaseReport& Report);

protected:
    void FormShow() override;
    void FormClose() override;

private:
    QString RechnungSQL() const;
    bool Einlesen();
    void RechnungenDrucken(Report::TBaseReport& Report, bool Detail);
    void UebersichtDrucken(Report::TBaseReport& Report);
    void PdfDateien(Report::TRvNDRWriter& Writer, const QString& Endung);
    // One line of amounts: count x fee = amount, each with the currency.
    void BetragZeile(Report::TBaseReport& Report, const QString& Text, int Anzahl, qint64 Einzel, qint64& Summe);
    void Ueberschrift(Report::TBaseReport& Report, const QString& Text);
    void Gesamt(Report::TBaseReport& Report, qint64 Summe);
    void Platz(Report::TBaseReport& Report, int Zeilen);
    QString Waehrung() const;

    Ui::TRechnungForm* ui;
    bool bFaktu = false;              // invoice numbers stored per club (EVEREIN.RechNr)
    bool bTeilm = false, bNachtraeglich = false, bStartgelder = false;
    QStringList Absender, Schlusstext;
    std::map<QString, QString> Mandate; // club number -> mandate reference
    std::map<int, qint64> Gruppen;      // fee group -> amount in cents
    QVector<TVerein> Vereine;           // the clubs billed, in query order
    const TVerein* aktuell = nullptr;   // the club whose pages are drawn
    int iFaellig = 0;
};

namespace Rechnung1 {

extern TRechnungForm* RechnungForm;
extern QString sAusdruck;
extern bool bPDFDatei;
extern int DruckjobID;

// "1" invoice by fee group, "2" detailed invoice, "3" overview of the
// general fees; with PDFDatei one PDF file per club instead of the preview.
int Rechnungliste(const QString& Ausdruck, bool PDFDatei);

} // namespace Rechnung1
