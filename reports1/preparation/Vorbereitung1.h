#pragma once
// The preparation centre: the organiser's working window before the event.
// Its pages hand over to the preparation jobs (with their selection codes),
// run the centre's own lists, keep the free texts of start cards and staff
// invitations, collect the files made per club, zip them and print a
// password sheet per club.

#include "platform/host/Auswahl.h"
#include "platform/host/Qvform.h"
#include "reports1/preparation/VorbStarterkl.h"

#include <QStringList>
#include <memory>

namespace Ui { class TVorbereitungForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
namespace VorbScheiben { class TScheibenBestellung; }
class QAbstractButton;
class QPlainTextEdit;

class TVorbereitungForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TVorbereitungForm();
    ~TVorbereitungForm() override;

    // --- Hand-over to other jobs ------------------------------------------------
    void Durchgangsliste(Host::TAuswahl Auswahl);
    void Starterliste();
    void Vollstaendigkeitsliste();
    void Zusammenfassungsliste(Host::TDruckArt DruckArt, bool Pdf);
    void Zulassungsliste(Host::TAuswahl Auswahl);
    void Einladungsliste();
    void AdressEtiketten();
    void StatistikListe();
    void Scheibenbestellung();
    void Ausnahmegenehmigungen();

    // --- Handlers ------------------------------------------------------------------
    void pc_VorbereitungChange();
    void mo_StartkarteExit();
    void mo_EinladungExit();
    void mo_KontaktExit();
    void mo_AnlageExit();
    void bt_StartClick();
    void bt_ZielClick();
    void bt_OKClick();
    void bt_ZulassMitHtmClick();
    void bt_ZipClick();
    void bt_PasswortClick();
    void bt_HinweisClick();
    void bt_FlintenClick();
    void bt_StarterklaerungClick();
    void bt_MahnungenClick();
    void bt_DisziplinenClick();

    // The output file of the HTML admission list: ".htm" added when the name
    // has no extension; no name or another extension is an input error.
    void HtmDateiPruefen();
    // Asks for the folder of the per-club outputs and fills the host's
    // PDFStringList with its entries named like a club. False when the
    // prompt was cancelled.
    bool PDFStringListeErstellen();

    // --- State ---------------------------------------------------------------------
    bool bBlanko = false;          // the answer of the target order question: the form blank
    bool bStarterklaerung = false; // disqualification (true) or reminder letters
    int iEinzel = 0, iMannschaft = 0, iMEinzel = 0, iMMannschaft = 0;
    QString sVerein;       // club of the password sheet being printed
    QString sPassword;     // password printed on it
    QStringList PDFListe;  // lines of the password file, sorted
    QString sPasswortdatei; // the password file chosen last in this window

    Report::TRvNDRWriter *rf_Hinweis, *rf_OhneStart, *rf_Klassensprung, *rf_Schiesszeit, *rf_Stammdaten,
        *rf_Teilnehmer, *rf_WaffenGrp, *rf_Mitglieder, *rf_Bar, *rf_Flinten, *rf_Disziplinen, *rf_Starterklaerung,
        *rf_Passwoerter, *rf_Scheiben;

protected:
    void FormShow() override;
    void FormClose() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void SchreiberAnlegen();
    void KnoepfeVerbinden();
    void DurchgangSeite();
    // An open query of Sql with its parameters :Ident (the championship),
    // :Teilmeister and :Teilm (the sub-championship).
    std::unique_ptr<Ado::TADOQuery> Abfrage(const QString& Sql);
    // Runs one of the centre's lists: Q1 from Sql, Keine when it has no
    // rows, else the writer to the preview.
    void Bericht(Report::TRvNDRWriter* Schreiber, const QString& Sql, const QString& Keine);
    // The list or the letters of the starts without declaration; Keine
    // when there are none.
    void UnerklaerteDrucken(Report::TRvNDRWriter* Schreiber, const QString& Keine);
    // A memo's exit: more than Max lines is an input error, else the lines
    // go to Datei of the data folder.
    void MemoVerlassen(QPlainTextEdit* Memo, int Max, const QString& Datei, const QString& Fehler, bool FokusZurueck);
    void MemoLaden(QPlainTextEdit* Memo, const QString& Datei);
    void Starterklaerungen(bool Disqualifikation);
    // The password file: the one chosen last, else asked for. Empty when
    // none is chosen.
    QString Passwortdatei(bool Fragen);

    Ui::TVorbereitungForm* ui;
    std::unique_ptr<Ado::TADOQuery> Q1;
    QObject* nv_Vorbereitung;   // the form's navigator, group "Neutral"
    QStringList hinweise_;      // FEHLER.DAT while rf_Hinweis runs
    QVector<VorbStarterkl::TMitglied> unerklaerte_; // members with undeclared starts while a list or letters run
    bool verlassen_ = false;    // a memo's exit handler is running
    std::unique_ptr<VorbScheiben::TScheibenBestellung> scheiben_; // the target order form
};

namespace Vorbereitung1 {

extern TVorbereitungForm* VorbereitungForm;

// Opens the centre, or brings the open one back to the front.
bool Erstellen();
// Clears the print record the centre keeps in Ausnahme1::DruckjobID.
void Druckfertig(int JobId);

} // namespace Vorbereitung1
