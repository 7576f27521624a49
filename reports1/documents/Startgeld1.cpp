#include "reports1/documents/Startgeld1.h"
#include "ui_Startgeld1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Einzug.h"
#include "platform/host/Guard.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvdruckvorschau.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/documents/Rechnung1.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>
#include <QFocusEvent>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;

QString datei(const QString& name) { return QDir(Qvpaths::DataFolder()).filePath(name); }

// The lines of a memo without the empty lines after the last text.
QStringList zeilen(const QPlainTextEdit* memo)
{
    QStringList l = memo->toPlainText().split('\n');
    while (!l.isEmpty() && l.last().trimmed().isEmpty())
        l.removeLast();
    return l;
}

QString heute() { return Qvclock::DatumText(Qvclock::Now().date()); }

} // namespace

TStartgeldForm::TStartgeldForm() : ui(new Ui::TStartgeldForm)
{
    ui->setupUi(this);
    rf_Bankeinzug = Druckjob::Schreiber(this, "rf_Bankeinzug", "Bankeinzug");
    rf_Bankeinzug->OnPrint = [this](TBaseReport& r) { rf_BankeinzugPrint(r); };
    rf_Bankeinzug->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Bankeinzug); };

    ui->mo_Startgeld->installEventFilter(this);
    ui->mo_Absender->installEventFilter(this);
    Host::Connect(ui->cb_Teilm, &QCheckBox::clicked, this, &TStartgeldForm::cb_TeilmClick);
    Host::Connect(ui->cb_PDFDatei, &QCheckBox::clicked, this, &TStartgeldForm::cb_TeilmClick);
    Host::Connect(ui->bt_Startg, &QPushButton::clicked, this, &TStartgeldForm::bt_StartgClick);
    Host::Connect(ui->bt_StgLoeschen, &QPushButton::clicked, this, &TStartgeldForm::bt_StgLoeschenClick);
    Host::Connect(ui->bt_StartgDruck, &QPushButton::clicked, this, &TStartgeldForm::bt_StartgDruckClick);
    Host::Connect(ui->bt_RechnungE, &QPushButton::clicked, this, &TStartgeldForm::bt_RechnungEClick);
    Host::Connect(ui->bt_RechnungD, &QPushButton::clicked, this, &TStartgeldForm::bt_RechnungDClick);
    Host::Connect(ui->bt_Bankeinzug, &QPushButton::clicked, this, &TStartgeldForm::bt_BankeinzugClick);
    Host::Connect(ui->bt_Save, &QPushButton::clicked, this, &TStartgeldForm::bt_SaveClick);
    Host::Connect(ui->bt_Ausgeben, &QPushButton::clicked, this, &TStartgeldForm::bt_AusgebenClick);
    Host::Connect(ui->bt_AusgZurueck, &QPushButton::clicked, this, &TStartgeldForm::bt_AusgZurueckClick);
}

TStartgeldForm::~TStartgeldForm() { delete ui; }

void TStartgeldForm::FormShow()
{
    setWindowTitle(Qvform::FensterTitel("Startgeldberechnung"));
    ui->pc_Startgeld->setCurrentWidget(ui->ts_Einstellung);
    ui->mo_Startgeld->clear();
    ui->mo_Absender->clear();
    ui->mo_Startgeld->setPlainText(Schtools::FileToStrings(datei(Startgeld1::StartgDatei)).join('\n'));
    ui->mo_Absender->setPlainText(Schtools::FileToStrings(datei(Startgeld1::AbsenderDatei)).join('\n'));
    ui->ed_Betrag->setText("0,00");
    if (Datamod::DataModule1()->DatabaseOpen()) {
        ui->cb_Teilm->setChecked(Qvsettings::GetString("Speziell", "TeilStag") == "J");
        VereineLesen();
    }
}

void TStartgeldForm::FormClose() { q_Verein.reset(); }

void TStartgeldForm::VereineLesen()
{
    if (!q_Verein) {
        q_Verein = Datamod::DataModule1()->DynQuery(
            "SELECT VereinNr,Name,Abkuerzung,Kreis,Titel,Vorstand,Land,PLZ,Ort,Strasse,Konto,BLZ,Bank,Startgeld" + CRLF
            + "FROM EVEREIN" + CRLF + "ORDER BY Name,VereinNr");
    } else {
        q_Verein->Requery();
    }
    ui->cx_Verein->Fuellen(*q_Verein, "VereinNr", {"Name", "Abkuerzung", "VereinNr"});
}

bool TStartgeldForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == ui->mo_Startgeld)
            Host::Guard([this] { mo_StartgeldExit(); });
        else if (watched == ui->mo_Absender)
            Host::Guard([this] { mo_AbsenderExit(); });
    }
    return TQuarvelForm::eventFilter(watched, event);
}

// --- The free texts ----------------------------------------------------------

void TStartgeldForm::MemoSchreiben(QPlainTextEdit* memo, int Hoechstens, const QString& Datei)
{
    const QStringList l = zeilen(memo);
    if (l.size() > Hoechstens) {
        memo->setFocus();
        throw Eingabefehler(QString("Es wurden mehr als %1 Zeilen eingegeben.").arg(Hoechstens));
    }
    if (!Schtools::StringsToFile(l, datei(Datei)))
        throw EHostFehler("Die Datei \"" + datei(Datei) + "\" kann nicht geschrieben werden.");
}

void TStartgeldForm::mo_StartgeldExit() { MemoSchreiben(ui->mo_Startgeld, Startgeld1::StartgeldZeilen, Startgeld1::StartgDatei); }

void TStartgeldForm::mo_AbsenderExit() { MemoSchreiben(ui->mo_Absender, 3, Startgeld1::AbsenderDatei); }

void TStartgeldForm::cb_TeilmClick()
{
    Qvsettings::SetString("Speziell", "TeilStag", ui->cb_Teilm->isChecked() ? "J" : "N");
}

bool TStartgeldForm::Teilm() const { return ui->cb_Teilm->isChecked(); }
QStringList TStartgeldForm::StartgeldText() const { return zeilen(ui->mo_Startgeld); }
QStringList TStartgeldForm::AbsenderText() const { return zeilen(ui->mo_Absender); }
Ado::TDataSet* TStartgeldForm::Vereine() const { return q_Verein.get(); }

// --- Fees ----------------------------------------------------------------------

void TStartgeldForm::bt_StartgClick()
{
    const QString verein = ui->cx_Verein->KeyValue();
    if (verein.isEmpty()) {
        ui->cx_Verein->setFocus();
        throw Eingabefehler("Es wurde kein Verein ausgewählt.");
    }
    qint64 cent = 0;
    QString fehler;
    if (!Cent::Lesen(ui->ed_Betrag->text(), cent, &fehler)) {
        ui->ed_Betrag->setFocus();
        throw Eingabefehler(fehler);
    }
    if (cent == 0) {
        ui->ed_Betrag->setFocus();
        throw Eingabefehler("Es wurde kein Betrag eingegeben.");
    }
    if (!q_Verein || !q_Verein->Locate("VereinNr", {verein}))
        throw EHostFehler("Der Verein " + verein + " ist nicht mehr in der Vereinstabelle.");
    q_Verein->Edit();
    q_Verein->FieldByName("Startgeld")->SetAsString(Cent::StartgeldText(cent));
    q_Verein->Post();
    ui->ed_Betrag->setText("0,00");
    ui->cx_Verein->Leeren();
}

void TStartgeldForm::bt_StgLoeschenClick()
{
    if (Pmsgdlg::qvMessageDlg("Möchten Sie die Startgeldbeträge tatsächlich löschen", Host::mtConfirmation, Host::mbYesNo, 1)
        != Host::mrYes)
        return;
    Datamod::DataModule1()->DynSQL("UPDATE EVEREIN SET Startgeld = ''");
    VereineLesen();
    Pmsgdlg::qvMessageDlg("Die alten Startgeldbeträge sind gelöscht.", Host::mtInformation, Host::mbOK, 1);
}

// --- Invoices ----------------------------------------------------------------

void TStartgeldForm::bt_StartgDruckClick() { Rechnung1::Rechnungliste("3", false); }
void TStartgeldForm::bt_RechnungEClick() { Rechnung1::Rechnungliste("1", ui->cb_PDFDatei->isChecked()); }
void TStartgeldForm::bt_RechnungDClick() { Rechnung1::Rechnungliste("2", ui->cb_PDFDatei->isChecked()); }

// --- Direct debit ----------------------------------------------------------------

void TStartgeldForm::bt_BankeinzugClick()
{
    sOrdner = Schtools::ArbeitspfadLaden();
    ui->lb_Ordner->setText(QDir::toNativeSeparators(sOrdner));
    ui->pc_Startgeld->setCurrentWidget(ui->ts_Ausgabe);
}

void TStartgeldForm::bt_SaveClick()
{
    const QString ordner = Schtools::LaufwerkHolen("Bankdaten ausgeben", sOrdner);
    if (ordner.isEmpty())
        return;
    sOrdner = ordner;
    ui->lb_Ordner->setText(QDir::toNativeSeparators(sOrdner));
}

void TStartgeldForm::bt_AusgZurueckClick() { ui->pc_Startgeld->setCurrentWidget(ui->ts_Einstellung); }

void TStartgeldForm::bt_AusgebenClick()
{
    VereineLesen();
    if (!Schtools::EinzugErstellen(*q_Verein, true, ui->ed_BuchText1->text(), ui->ed_BuchText2->text(), sOrdner, Ergebnis))
        return;
    Druckjob::Vorschau(*rf_Bankeinzug, Startgeld1::DruckjobID);
    ui->pc_Startgeld->setCurrentWidget(ui->ts_Einstellung);
    Pmsgdlg::qvMessageDlg("Die Dateien " + Einzug::DtausName + " und " + Einzug::SepaName + " sind im Ordner" + CRLF
                              + QDir::toNativeSeparators(sOrdner) + " erstellt.",
                          Host::mtInformation, Host::mbOK, 1);
}

void TStartgeldForm::rf_BankeinzugPrint(TBaseReport& Report)
{
    const qint64 cent = Ergebnis.value(0).toLongLong();
    const QString institut = Qvsettings::GetString("Global", "Institut");
    const QString veranst2 = Qvsettings::GetString("Global", "Veranst2");
    const QString absender = Qvsettings::GetString("Global", "Veranst1").toUpper() + " " + veranst2.toUpper();
    const double links = Report.SectionLeft();

    auto kopf = [&](const QString& titel, const QString& dateiZeile, const QString& herkunft) {
        Report.SetFont("Arial", 11);
        for (int i = 0; i < 4; ++i)
            Report.NewLine();
        Report.PrintLeft(titel + heute(), links);
        Report.NewLine();
        Report.PrintLeft(dateiZeile, links + 2.0);
        Report.NewLine();
        Report.PrintLeft("Auftrag an " + institut, links);
        Report.NewLine();
        if (!herkunft.isEmpty()) {
            Report.PrintLeft(herkunft, links);
            Report.NewLine();
        }
        Report.PrintLeft(QString(76, '-'), links);
        Report.NewLine();
        Report.NewLine();
    };
    auto schluss = [&] {
        Report.NewLine();
        Reportutil::SpaltenSetzen(Report, {{3.0}, {Reportutil::Rest}});
        Reportutil::Zeile(Report, {"Absendername: ", absender});
        Reportutil::Zeile(Report, {"", Qvsettings::GetString("Global", "Verband").toUpper()});
        Report.NewLine();
        Report.PrintLeft(veranst2 + "  , " + "den  " + heute(), links);
        for (int i = 0; i < 5; ++i)
            Report.NewLine();
        Report.PrintLeft(QString(46, '_'), links);
        Report.NewLine();
        Report.PrintLeft("(Unterschriften)", links + 5.5);
    };

    // The exchange file's sheet.
    kopf("Diskettenbegleitzettel  vom  ", "Datei " + Einzug::DtausName + " für LASTSCHRIFTEN",
         "ÜBERNAHME AUS SDF-DATEI   DTAUS.TXT");
    Reportutil::SpaltenSetzen(Report, {{11.0}, {3.5, Report::pjRight}});
    Reportutil::Zeile(Report, {"Disketten - Nr.", "___________________"});
    Reportutil::Zeile(Report, {QString("Summe   DATENSÄTZE  C in ")
                                   + (Qvsettings::GetInteger("Speziell", "Waehrung") == 0 ? "EURO:" : "DM:"),
                               Cent::Text(cent)});
    Reportutil::Zeile(Report, {"Anzahl  DATENSÄTZE  C:", Ergebnis.value(1)});
    Reportutil::Zeile(Report, {"Summe  KONTONUMMERN", Ergebnis.value(2)});
    Reportutil::Zeile(Report, {"Summe  BANKLEITZAHL", Ergebnis.value(3)});
    Reportutil::Zeile(Report, {"Bankleitzahl Absenderbank", Qvsettings::GetString("Global", "BLZ")});
    Reportutil::Zeile(Report, {"Kontonummer Absender", Qvsettings::GetString("Global", "Konto")});
    schluss();

    // The SEPA file's sheet.
    Report.NewPage();
    kopf("Begleitzettel SEPA-Lastschriften  vom  ", "Datei " + Einzug::SepaName + " (pain.008.001.02, CORE)", "");
    QString f;
    const Einzug::TKonto konto = Einzug::KontoLesen(Qvsettings::GetString("Global", "BLZ"),
                                                    Qvsettings::GetString("Global", "Konto"), f);
    QString iban;
    for (int i = 0; i < konto.Iban.size(); i += 4)
        iban += konto.Iban.mid(i, 4) + (i + 4 < konto.Iban.size() ? " " : "");
    Reportutil::SpaltenSetzen(Report, {{8.0}, {6.5, Report::pjRight}});
    Reportutil::Zeile(Report, {"Summe der Lastschriften in EURO:", Cent::Text(cent)});
    Reportutil::Zeile(Report, {"Anzahl der Lastschriften:", Ergebnis.value(1)});
    Reportutil::Zeile(Report, {"Fälligkeitsdatum:", Ergebnis.value(4)});
    Reportutil::Zeile(Report, {"Gläubiger-ID:", Einzug::Normiert(Qvsettings::GetString("Global", "GläubigerID"))});
    Reportutil::Zeile(Report, {"IBAN Auftraggeber:", iban});
    Reportutil::Zeile(Report, {"Lastschriftart:", "SEPA-Basislastschrift (CORE)"});
    schluss();
}

namespace Startgeld1 {

TStartgeldForm* StartgeldForm = nullptr;
int DruckjobID = 0;

bool Erstellen()
{
    Qvform::TQuarvelForm::EinzelnZeigen(StartgeldForm, false, Datamod::DataModule1(), Qvform::fgMaximiert);
    return false;
}

void Druckfertig(int JobId) { Qvdruckvorschau::Druckfertig(DruckjobID, JobId); }

void Finalization() { Qvform::TQuarvelForm::Freigeben(StartgeldForm); }

} // namespace Startgeld1
