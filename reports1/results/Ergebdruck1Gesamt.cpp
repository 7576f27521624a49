// The results dialog's overall results list: on paper (or as a continuous
// display), as the list file, as RTF, and as a web page for the internet.

#include "reports1/results/Ergebdruck1.h"
#include "ui_Ergebdruck1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/results/ErgebGesamt.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>

using Report::TBaseReport;

namespace {

int Zahl(const QLineEdit* edit) { return edit->text().trimmed().toInt(); }

} // namespace

void TErgebDruckForm::GesamtAnlegen()
{
    // Paper: the page header only "mit Überschrift"; every page ends through
    // SeiteDrucken, which leaves room for the page number 2.0 cm above the
    // bottom.
    rf_Gesamtergebnis = Druckjob::Schreiber(this, "rf_Gesamtergebnis", "Gesamtergebnisliste");
    rf_Gesamtergebnis->SetMarginBottom(2.6);
    rf_Gesamtergebnis->OnPrintHeader = [this](TBaseReport& r) {
        if (gesamtOptionen_.Ueberschrift)
            Druckjob::Kopf(r, true, 3);
    };
    rf_Gesamtergebnis->OnPrintFooter = [this](TBaseReport& r) { ErgebGesamt::SeiteDrucken(r, gesamtOptionen_); };
    rf_Gesamtergebnis->OnPrint = [this](TBaseReport& r) {
        ErgebGesamt::GesamtergebnisListe(r, gesamt_, gesamtOptionen_);
    };
    rf_Gesamtergebnis->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Gesamtergebnis); };

    // RTF and HTML: the same drawing; the word processor and the browser
    // number the pages themselves.
    rtf_Gesamt = new Report::TRTFFiler(this);
    rtf_Gesamt->setObjectName("rtf_Gesamt");
    rtf_Gesamt->SetTitle("Gesamtergebnisliste");
    htm_Gesamt = new Report::TRPHTMLFiler(this);
    htm_Gesamt->setObjectName("htm_Gesamt");
    htm_Gesamt->SetTitle("Gesamtergebnisliste");
    for (Report::TReportComponent* f : {static_cast<Report::TReportComponent*>(rtf_Gesamt),
                                        static_cast<Report::TReportComponent*>(htm_Gesamt)}) {
        f->OnPrintHeader = rf_Gesamtergebnis->OnPrintHeader;
        f->OnPrint = rf_Gesamtergebnis->OnPrint;
    }

    const auto klick = &QAbstractButton::clicked;
    Host::Connect(ui->bt_GesOK, klick, this, &TErgebDruckForm::bt_GesOKClick);
    Host::Connect(ui->bt_Internet, klick, this, &TErgebDruckForm::bt_InternetClick);
}

ErgebGesamt::TOptionen TErgebDruckForm::GesamtOptionen() const
{
    ErgebGesamt::TOptionen o;
    o.GesPlatz = Zahl(ui->ed_GesPlatz);
    o.RestEinzeilig = ui->cb_GesEinzeilig->isChecked();
    o.OhneSeite = ui->cb_OhneSeite->isChecked();
    o.OhneSerien = ui->cb_OhneSerien->isChecked();
    o.AlleSerien = ui->cb_AlleSerien->isChecked();
    o.AlleStarter = ui->cb_AlleStarter->isChecked();
    o.Ueberschrift = ui->cb_Ueberschrift->isChecked();
    // Hidden below a state championship (not merely off screen on another page).
    o.DSB = !ui->cb_DSB->isHidden() && ui->cb_DSB->isChecked();
    const QString schrift = Qvsettings::GetString("Allgemein", "FontGesamt").trimmed();
    if (!schrift.isEmpty())
        o.Schrift = schrift;
    return o;
}

void TErgebDruckForm::bt_GesOKClick()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    if (ui->gb_Direkt->ItemIndex() == 1 && GesamtOptionen().DSB) {
        ui->cb_DSB->setFocus();
        throw Eingabefehler("Diese Auswahl ist für den DSB nicht zugelassen.");
    }
    if (ui->gb_Gesamt->ItemIndex() == 0) {
        VeranstaltungenZeigen(afGesamt);
        return;
    }
    GesamtAusgeben({Datamod::iIdent}, ui->gb_Direkt->ItemIndex());
}

void TErgebDruckForm::bt_InternetClick()
{
    if (q_DisKla->State() == Ado::dsEdit)
        q_DisKla->Post();
    if (ui->ed_Ziel->text().trimmed().isEmpty()) {
        ui->ed_Ziel->setFocus();
        throw Eingabefehler("Es wurde keine Ausgabedatei angegeben");
    }
    if (Zahl(ui->ed_GPlatz) < 0) {
        ui->ed_GPlatz->setFocus();
        throw Eingabefehler("Die Angabe der Platzierung ist fehlerhaft");
    }
    GesamtAusgeben({Datamod::iIdent}, AusgabeInternet);
}

void TErgebDruckForm::GesamtAusgeben(const QVector<int>& Wettkaempfe, int Ausgabe)
{
    gesamtOptionen_ = GesamtOptionen();
    if (Ausgabe == AusgabeInternet) {
        // The web page: the internet tab's places, no DSB form, a heading and
        // column heads for the reader.
        gesamtOptionen_ = ErgebGesamt::TOptionen{};
        gesamtOptionen_.GesPlatz = Zahl(ui->ed_GPlatz);
        gesamtOptionen_.RestEinzeilig = ui->cb_GEinzeilig->isChecked();
        gesamtOptionen_.Ueberschrift = true;
        gesamtOptionen_.Spaltenkoepfe = true;
    }
    // The file names are settled before anything is collected.
    QString datei;
    if (Ausgabe == AusgabeInternet) {
        const QString name = ui->gb_Internet->ItemIndex() == 1 ? ui->ed_Ziel->text().trimmed().toUpper()
                                                               : ui->ed_Ziel->text().trimmed().toLower();
        if (name.contains('/') || name.contains('\\')) {
            ui->ed_Ziel->setFocus();
            throw Eingabefehler("Der Dateiname darf keinen Ordner enthalten: " + name);
        }
        datei = QDir(Qvpaths::InternetFolder()).filePath(name);
    } else if (Ausgabe == 2) {
        const QString ordner = Schtools::LaufwerkHolen("RTF-Ausgabeordner", sLaufwerk);
        if (ordner.isEmpty())
            return;
        sLaufwerk = ordner;
        Schtools::RTFAuswahl(*rtf_Gesamt, "ERGLISTE.RTF", "Daten ausgeben", sLaufwerk);
        datei = rtf_Gesamt->FileName();
    }
    if (!datei.isEmpty() && !Druckjob::UeberschreibenErlaubt(datei)) {
        (Ausgabe == AusgabeInternet ? ui->ed_Ziel : static_cast<QWidget*>(ui->bt_GesOK))->setFocus();
        throw Eingabefehler("Die Verarbeitung wird abgebrochen.");
    }

    // The groups come from the results themselves; their marks go again
    // afterwards, whatever happened.
    const auto zuruecksetzen = qScopeGuard([this, Wettkaempfe] {
        Host::Guard([&] {
            for (int w : Wettkaempfe)
                MarkierungGesamtZuruecksetzen(w, true);
        });
        gesamt_ = {};
    });
    Daten.Wettkaempfe = Wettkaempfe;
    ErgebGesamt::GruppenMarkieren(Wettkaempfe, gesamtOptionen_.AlleStarter,
                                  [this](int w, const QString& d, const QString& k) { UpdateDisKla(w, d, k, true); });
    gesamt_ = ErgebGesamt::Sammeln(Daten, gesamtOptionen_);
    Druckjob::Ende();
    if (gesamt_.Leer()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return;
    }

    switch (Ausgabe) {
    case 0: {
        // The continuous display serves the reprint of this competition.
        const bool durchlauf = ui->gb_Gesamt->ItemIndex() == 1 && !gesamtOptionen_.DSB;
        VorschauZeigen(*rf_Gesamtergebnis, durchlauf);
        break;
    }
    case 1:
        ErgebGesamt::ListDateiErstellen(gesamt_);
        Pmsgdlg::qvMessageDlg(ErgebGesamt::ListDateiMeldung, Host::mtInformation, Host::mbOK, 1);
        break;
    case 2: {
        Datamod::bDSB = gesamtOptionen_.DSB;
        const auto dsb = qScopeGuard([] { Datamod::bDSB = false; });
        Druckjob::Datei(*rtf_Gesamt, datei,
                        "Die Gesamtergebnisliste ist als   ERGLISTE.RTF  im\r\nOrdner  "
                            + QDir::toNativeSeparators(sLaufwerk) + "  erstellt worden");
        break;
    }
    default:
        Druckjob::Datei(*htm_Gesamt, datei,
                        "Die Gesamtergebnisliste ist als\r\n" + QFileInfo(datei).fileName()
                            + "\r\nim Ordner  INTERNET  erstellt worden");
        break;
    }
}
