#pragma once
// The results dialog: the organiser marks the disciplines and classes whose
// results are complete and produces the documents that follow the results
// (results list on paper, on screen or as a continuous display, the
// non-starters, certificates, the record list, and the pages of the other
// results documents).

#include "platform/host/Qvform.h"
#include "reports1/results/ErgebGesamt.h"
#include "reports1/results/ErgebKontrolle.h"
#include "reports1/results/ErgebPresse.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"
#include "reports1/results/ErgebUmmeldung.h"
#include "reports1/results/ErgebUrkunde.h"
#include "reports1/results/ErgebVordrucke.h"
#include "reports1/results/ErgebWeitermeldung.h"

#include <QEvent>
#include <QHash>
#include <memory>

namespace Ui { class TErgebDruckForm; }
namespace Ado { class TADOQuery; }
namespace Report {
class TBaseReport;
class TRPHTMLFiler;
class TRTFFiler;
class TRvNDRWriter;
} // namespace Report
namespace Vcl { class TDataSetModel; }
class QCheckBox;
class QFontDialog;
class QLabel;
class QLineEdit;
class QTimer;

class TErgebDruckForm : public Qvform::TQuarvelForm {
    Q_OBJECT
public:
    TErgebDruckForm();
    ~TErgebDruckForm() override;

    // The message the dialog posts itself when it opens for the list of
    // incomplete results (WM_USER + 1).
    static constexpr QEvent::Type WM_UNVOLLSTAENDIG = QEvent::Type(QEvent::User + 1);

    // Ranked queries and group stepping of every results document.
    ErgebRangfolge::TErgebDaten Daten;

    // The form's datasets and the grids' models over them.
    std::unique_ptr<Ado::TADOQuery> q_Disziplin, q_DisKla, q_Klasse, q_NTeilnehmer;
    std::unique_ptr<Ado::TADOQuery> q_Verein, q_Mitglied, q_MitVer, q_Medaille;
    Vcl::TDataSetModel* ds_Disziplin;
    Vcl::TDataSetModel* ds_DisKla;
    Vcl::TDataSetModel* ds_NTeilnehmer;
    Vcl::TDataSetModel* ds_Mitglied;
    Vcl::TDataSetModel* ds_MitVer;
    Vcl::TDataSetModel* ds_BestDisziplin;

    Report::TRvNDRWriter* rf_Ergebnisse;
    Report::TRvNDRWriter* rf_Nichtangetreten;
    Report::TRvNDRWriter* rf_Urkunde;
    Report::TRvNDRWriter* rf_Rekorde;
    Report::TRvNDRWriter* rf_Medaillenspiegel;
    Report::TRvNDRWriter* rf_Fehlende;
    Report::TRvNDRWriter* rf_Mannschaften;
    Report::TRvNDRWriter* rf_Abmeldungen;
    Report::TRvNDRWriter* rf_Bestaetigung;
    Report::TRvNDRWriter* rf_Olympisch;
    // The application for the Olympic disciplines: the members with their
    // clubs, and the starts of the member chosen.
    std::unique_ptr<Ado::TADOQuery> q_OlMitglied, q_OlMitVer;
    Vcl::TDataSetModel* ds_OlMitglied;
    Vcl::TDataSetModel* ds_OlMitVer;
    Report::TRTFFiler* rtf_Rekorde;
    // The overall results list on paper, as RTF and as a web page.
    Report::TRvNDRWriter* rf_Gesamtergebnis = nullptr;
    Report::TRTFFiler* rtf_Gesamt = nullptr;
    Report::TRPHTMLFiler* htm_Gesamt = nullptr;
    QFontDialog* fd_FontDialog;
    QTimer* Timer;       // name search, 900 ms
    QTimer* SchaltZeit;  // continuous display, "Sekunden" x 1000 ms

    bool Erstellt() const { return erstellt_; }

    // --- Output marks (PDISKLA.ErgebEing) ---------------------------------
    // Setzen false: no discipline and class clears the marks of competition
    // Wettkampf, a discipline (and class) marks it. Setzen true: marks the
    // discipline and class (of Wettkampf when it is 1 or more), or clears.
    void UpdateDisKla(int Wettkampf, const QString& Disziplin, const QString& Klasse, bool Setzen);
    // Alle: marks every class of the current discipline. On the "Internet"
    // tab proposes an output file name when none is given.
    void HaekleSetzen(bool Alle);
    // Clears the marks of Wettkampf; tells the user unless Still.
    void MarkierungGesamtZuruecksetzen(int Wettkampf, bool Still);

    // --- Handlers ---------------------------------------------------------
    void wmUnvollstaendige();
    void ds_DisziplinDataChange();
    void pc_ErgebnisChange();
    void gb_ErgebnisseClick();
    void cb_SerienClick();
    void gb_UrkEinzelClick();
    void ed_PlatzierungChange();
    void ed_PlatzChange();
    void rb_GesamtClick();
    void gb_GesamtClick();
    void gb_DirektClick();
    void cb_DSBClick();
    void cb_OhneSerienClick();
    void cb_GesEinzeiligClick();
    void ed_GesPlatzChange();
    void ed_GPlatzChange();
    void lb_FontErgebnisseClick();
    void lClick();
    void lb_FontGesamtDialogClick();
    void bt_ErgOKClick();
    void bt_ZurueckClick();
    void ed_NamenSucheChange();
    void TimerTimer();
    void SchaltZeitTimer();
    void NamenSuchen(const QString& Name, const QString& Vorname);
    void mo_RekordeExit();
    void bt_UrkundeClick();
    void bt_VerarbeitungClick();
    void bt_RekordeClick();
    void bt_RekordeRTFClick();
    void bt_FehlendeClick();
    void bt_MannschaftenClick();
    void bt_AbmeldungClick();
    void bt_UmmeldungenClick();
    void bt_AbgemeldetClick();
    void bt_BestaetigungClick();
    void bt_AusgabeClick();
    void bt_OlympischClick();
    void ed_SucheChange();
    void bt_OlWaehlenClick();
    void bt_SBeendenClick();
    void bt_GesOKClick();
    void bt_InternetClick();
    void bt_PreOKClick();
    void bt_BSSBEinzelClick();
    void bt_BSSBMannschClick();

    // What the selection page of several competitions serves.
    enum TAuswahlFuer { afGesamt, afUrkunden, afBSSBEinzel, afBSSBMannsch };

    // Jobs of the general page.
    void Gestartetliste();
    void Starterliste();
    // The staff confirmation per club (the start summary dialog in its
    // staff confirmation mode, printed to the preview).
    void Medaillenliste();
    // The statistics dialog: participation statistics (true) or the medal
    // count of a range and day (false).
    void Statistikliste(bool Auswahl);
    // The medal table's page: count, print or show the charts.
    void bt_ErstellenClick();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FormShow() override;
    void FormClose() override;

private:
    // What the last medal count counted (kinds, units).
    struct TMedaillenOptionen {
        bool Einzel = true, Mannschaft = false, Bildschirm = false;
        int Verband = 0, Art = 0;
    } medaillen_;
    // FormCreate in its steps.
    void FormCreate();
    void AuswahlgruppenFuellen();
    void DatenmengenAnlegen();
    void RasterAnlegen();
    void AusgabenAnlegen();
    void StandardwerteSetzen();
    void HandlerVerbinden();
    void MedaillenspiegelEinrichten();
    void DiagrammeZeigen();
    void FormDestroy();
    void DatenOeffnen();
    void DisKlaOeffnen();
    void KlassenNeuLesen();
    QString AktDisziplin() const;
    QString AktKlasse() const;
    void SchriftWaehlen(QLabel* ueber, const QString& key);
    void PlatzPruefen(QLineEdit* edit, const QString& fehler);
    void SerienPruefen(QCheckBox* box);
    void AllgemeinSichtbarkeit();
    void NichtangetreteneDrucken();
    // Hands a list to the preview; with Durchlauf and the setting
    // "DurchlaufJa" = "J" as the continuous display of "Sekunden" a page.
    void VorschauZeigen(Report::TRvNDRWriter& Writer, bool Durchlauf);
    // The overall results list of the competitions: Ausgabe 0 paper, 1 the
    // list file, 2 RTF (gb_Direkt), or the web page of the "Internet" tab.
    static constexpr int AusgabeInternet = 3;
    void GesamtAnlegen();
    ErgebGesamt::TOptionen GesamtOptionen() const;
    void GesamtAusgeben(const QVector<int>& Wettkaempfe, int Ausgabe);
    ErgebGesamt::TOptionen gesamtOptionen_;
    ErgebGesamt::TListe gesamt_;        // the rows while a writer draws them
    void NichtangetreteneZeigen();
    // Shows the selection page of the competitions for Fuer.
    void VeranstaltungenZeigen(TAuswahlFuer Fuer);
    void UrkundenAusgeben(const QVector<int>& Wettkaempfe, bool Gesamt);
    // Asks which record list is wanted and finds its disciplines; false,
    // after telling the user, when there is nothing to list.
    bool RekordeVorbereiten();

    Ui::TErgebDruckForm* ui;
    std::unique_ptr<Ado::TADOQuery> q_Nichtangetreten; // the non-starters while rf_Nichtangetreten runs
    bool erstellt_ = false;
    int ticks_ = 0;          // name search: ticks since the last change
    QString suche_;          // name search: the text typed
    QHash<QString, QString> klassenNamen_; // class code -> name, for the class grid
    TAuswahlFuer auswahlFuer_ = afGesamt;
    ErgebUrkunde::TUrkundenJob urkunden_;
    ErgebRekorde::TRekordSQL rekordSql_;   // the record list chosen
    QStringList rekordDisziplinen_;        // its disciplines
    QString sLaufwerk;                     // the folder of the record list as RTF
    QString sRekordDatei;                  // the record list's RTF file
    QVector<ErgebKontrolle::TFehlend> fehlende_;      // the missing results while rf_Fehlende runs
    ErgebVordrucke::TBestaetigung bestaetigung_;      // the confirmation while rf_Bestaetigung runs
    QHash<QString, QPair<QString, QString>> vereine_; // club number -> abbreviation, name
    void MitVerFiltern();
    ErgebVordrucke::TOlympisch olympisch_;            // the application while rf_Olympisch runs
    ErgebUmmeldung::TUmmeldungen ummeldungen_{this};  // the re-registration sheets (rf_Ummeldungen)
    void OlympischAnlegen();
    void OlMitgliedGewaehlt();
    // The press list and the forwarding lists (Ergebdruck1Presse.cpp).
    ErgebPresse::TPresseJob presse_;
    QString sPresseLaufwerk;               // the folder of the press list as RTF
    ErgebWeitermeldung::TWeitermeldungJob weitermeldung_;
    void PresseEinrichten();
    void WeitermeldungStarten(TAuswahlFuer Fuer);
    void WeitermeldungAusgeben(const QVector<int>& Wettkaempfe, bool Mannschaft);
};

namespace Ergebdruck1 {

extern TErgebDruckForm* ErgebDruckForm;
extern bool bAuswahl;
extern int DruckjobID;

bool Erstellen(bool Auswahl);
void Druckfertig(int JobId);
// Where the medal page writes its charts when it shows them (the command
// line's --chart; "" = nowhere): the bars to Datei, the pie beside it.
void DiagrammAusgabe(const QString& Datei);
void Finalization();

// The non-starters of marked groups of the current competition (parameter
// :Ident), in the order given by OrderBy.
QString NichtangetreteneSQL(const QString& OrderBy);

} // namespace Ergebdruck1
