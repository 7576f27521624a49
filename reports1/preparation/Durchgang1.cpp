#include "reports1/preparation/Durchgang1.h"
#include "ui_Durchgang1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rplabel.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/DurchgangSQL.h"

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;

struct TAusgabe {
    const char* Caption;
    const char* Status;
};

// Dialog caption and status text while printing, by selection code.
const TAusgabe kAusgaben[] = {
    {"Durchgangsliste", "Erstellen der Durchgangsliste"},
    {"Ergebniseingabeliste", "Erstellen der Ergebniseingabeliste"},
    {"Mannschaftsaushangliste", "Erstellen der Mannschaftsaushangliste"},
    {"Scheibenetiketten für Matrixdrucker", "Erstellen der Scheibenetiketten"},
    {"Scheibenetiketten für Laserdrucker", "Erstellen der Scheibenetiketten"},
    {"Teilnehmerliste pro Anlage", "Erstellen der Teilnehmerliste pro Anlage"},
    {"Mitarbeiterliste pro Anlage", "Erstellen der Mitarbeiterliste pro Anlage"},
    {"Auszahlungsliste pro Anlage", "Erstellen der Auszahlungsliste pro Anlage"},
    {"Mitarbeiteretiketten pro Anlage", "Erstellen der Mitarbeiteretiketten"},
};

const TAusgabe& ausgabe() { return kAusgaben[std::clamp(int(Durchgang1::fAuswahl), 0, 8)]; }

// A typed number; what is no number counts as 0.
int ganzzahl(const QString& s) { return s.trimmed().toInt(); }
double zahl(const QString& s) { return QString(s.trimmed()).replace(',', '.').toDouble(); }

} // namespace

TDurchgangForm::TDurchgangForm() : ui(new Ui::TDurchgangForm)
{
    ui->setupUi(this);
    ui->gb_Sort->SetItems({"sortiert nach Mitarbeiterart", "sortiert nach Mitglied"});
    bAnlageJ = Qvsettings::GetString("Speziell", "Anlage") == "J";
    bVBWettkampf = Qvsettings::GetString("Speziell", "VBWettkampf") == "J";
    SchreiberAnlegen();
    SichtbarkeitSetzen();
    setWindowTitle(ausgabe().Caption);
    ui->ed_Bahn->setText("1");
    ui->ed_AnzLabel->setText("1");
    ui->ed_yPos->setText("1");

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
    Host::Connect(ui->cb_Ergebnis, &QCheckBox::clicked, this, &TDurchgangForm::cb_ErgebnisClick);
}

TDurchgangForm::~TDurchgangForm() { delete ui; }

void TDurchgangForm::SichtbarkeitSetzen()
{
    const int code = Durchgang1::fAuswahl;
    const auto zeigen = [](std::initializer_list<QWidget*> w, bool an) {
        for (QWidget* x : w)
            x->setVisible(an);
    };
    zeigen({ui->lb_Anlage, ui->cx_Anlage}, !bAnlageJ);
    zeigen({ui->lb_Tag, ui->cx_Tag}, !bAnlageJ && code != Host::fMEtiketten);
    zeigen({ui->lb_Disziplin, ui->cx_Disziplin}, code != Host::fAuszahlung && code != Host::fMEtiketten);
    zeigen({ui->lb_Klasse, ui->cx_Klasse, ui->cb_Ergebnis}, code == Host::fMannschaft);
    zeigen({ui->lb_Bahn, ui->ed_Bahn, ui->lb_yPos, ui->ed_yPos, ui->lb_AnzLabel, ui->ed_AnzLabel, ui->cb_Barcode},
           code == Host::fEtikettenL);
    zeigen({ui->gb_Sort}, code == Host::fMitarbeiter);
    ui->gb_Sort->SetItemIndex(0);
}

Report::TRvNDRWriter* TDurchgangForm::Schreiber(const char* name, const char* titel, bool seitenkopf,
                                                 void (TDurchgangForm::*druck)(TBaseReport&))
{
    Report::TRvNDRWriter* w;
    if (seitenkopf) {
        w = Druckjob::Listenschreiber(this, name, titel);
    } else {
        // Label sheets: the labels take the whole sheet.
        w = Druckjob::Schreiber(this, name, titel);
    }
    w->OnBeforePrint = [this](TBaseReport&) {
        iZeile = 0;
        Druckjob::Status(ausgabe().Status);
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    w->OnPrint = [this, druck](TBaseReport& r) {
        if (Q1)
            (this->*druck)(r);
    };
    w->OnAfterPrint = [this, w](TBaseReport&) {
        Q1.reset();
        Druckjob::NachDruck(*w);
    };
    return w;
}

void TDurchgangForm::SchreiberAnlegen()
{
    using F = TDurchgangForm;
    rf_Durchgangsliste = Schreiber("rf_Durchgangsliste", "Durchgangsliste", true, &F::rf_DurchgangslistePrint);
    rf_ErgebEintrag = Schreiber("rf_ErgebEintrag", "Ergebniseingabeliste", true, &F::rf_ErgebEintragPrint);
    rf_Mannschaft = Schreiber("rf_Mannschaft", "Mannschaftsaushangliste", true, &F::rf_MannschaftPrint);
    rf_Teilnehmer = Schreiber("rf_Teilnehmer", "Teilnehmer pro Anlage", true, &F::rf_TeilnehmerPrint);
    rf_Mitarbeiter = Schreiber("rf_Mitarbeiter", "Mitarbeiterliste", true, &F::rf_MitarbeiterPrint);
    rf_Auszahlung = Schreiber("rf_Auszahlung", "Auszahlungsliste", true, &F::rf_AuszahlungPrint);
    rf_Etiketten = Schreiber("rf_Etiketten", "Scheibenetiketten Matrix", false, &F::rf_EtikettenPrint);
    rf_EtikettenBY = Schreiber("rf_EtikettenBY", "Scheibenetiketten Matrix", false, &F::rf_EtikettenBYPrint);

    const auto shell = [this](const char* name, void (*bogen)(Report::TLabelShell&)) {
        auto* s = new Report::TLabelShell(this);
        s->setObjectName(name);
        bogen(*s);
        return s;
    };
    rpt_EtikettenMatrix = shell("rpt_EtikettenMatrix", &F::EtikettenMatrixBogen);
    rpt_EtikettenLaser = shell("rpt_EtikettenLaser", &F::EtikettenLaserBogen);
    rpt_Etiketten = shell("rpt_Etiketten", &F::EtikettenBogen);
    rpt_MEtiketten = shell("rpt_MEtiketten", &F::MEtikettenBogen);
    for (Report::TLabelShell* s : {rpt_EtikettenMatrix, rpt_EtikettenLaser, rpt_Etiketten}) {
        s->OnReportBefore = [this](TBaseReport& r) { EtikettenBefore(r); };
        s->OnLabelAfter = [this](TBaseReport& r) { return EtikettenAfter(r); };
    }
    rpt_EtikettenMatrix->OnLabelPrint = [this](TBaseReport& r) { return rpt_EtikettenMatrixPrint(r); };
    rpt_EtikettenLaser->OnLabelPrint = [this](TBaseReport& r) { return rpt_EtikettenLaserPrint(r); };
    rpt_Etiketten->OnLabelPrint = [this](TBaseReport& r) { return rpt_EtikettenPrint(r); };
    rpt_MEtiketten->OnReportBefore = [this](TBaseReport&) {
        iZeile = 0;
        Q1->First();
    };
    rpt_MEtiketten->OnLabelPrint = [this](TBaseReport& r) { return rpt_MEtikettenPrint(r); };
    rpt_MEtiketten->OnLabelAfter = [this](TBaseReport& r) { return rpt_MEtikettenAfter(r); };
}

void TDurchgangForm::FormShow()
{
    ui->cb_Ergebnis->setChecked(Qvsettings::GetString("Speziell", "MannAus") == "J");
    const QString id = QString::number(Datamod::iIdent);
    auto dm = Datamod::DataModule1();

    auto tage = dm->DynQuery("SELECT Ident,WKTag,Datum" + CRLF + "FROM AWKTAG" + CRLF + "WHERE Ident = :Ident" + CRLF
                                 + "      AND Teilmeisterschaft = :Teilm" + CRLF + "ORDER BY Datum",
                             Ado::clUseServer, Ado::ltReadOnly);
    tage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    tage->ParamByName("Teilm")->SetValue(Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
    tage->Open();
    ui->cx_Tag->Fuellen(*tage, "WKTag", {"Datum"});

    auto anlagen = dm->DynQuery("SELECT Anlage,Name" + CRLF + "FROM PANLAGE" + CRLF + "WHERE Ident = :Ident" + CRLF
                                    + "ORDER BY Anlage",
                                Ado::clUseServer, Ado::ltReadOnly);
    anlagen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    anlagen->Open();
    ui->cx_Anlage->Fuellen(*anlagen, "Anlage", {"Name"});

    auto disziplinen = dm->DynQuery("SELECT Ident,Disziplin,Name" + CRLF + "FROM PDISZIPLIN" + CRLF + "ORDER BY Disziplin",
                                    Ado::clUseServer, Ado::ltReadOnly);
    disziplinen->SetFilter("Ident = " + id);
    disziplinen->SetFiltered(true);
    ui->cx_Disziplin->Fuellen(*disziplinen, "Disziplin", {"Name"});

    auto klassen = dm->DynQuery("SELECT Ident,Klasse,Name" + CRLF + "FROM PKLASSE" + CRLF + "ORDER BY Klasse",
                                Ado::clUseServer, Ado::ltReadOnly);
    klassen->SetFilter("Ident = " + id);
    klassen->SetFiltered(true);
    ui->cx_Klasse->Fuellen(*klassen, "Klasse", {"Name"});
}

void TDurchgangForm::FormClose() { Q1.reset(); }

void TDurchgangForm::cb_ErgebnisClick()
{
    Qvsettings::SetString("Speziell", "MannAus", ui->cb_Ergebnis->isChecked() ? "J" : "N");
}

QStringList TDurchgangForm::TextAufteilen(TBaseReport& Report, const QString& Text, double Left, double Right)
{
    return Reportutil::TextAufteilen(Report, Text, Left, Right);
}

void TDurchgangForm::bt_OKClick()
{
    const int code = Durchgang1::fAuswahl;
    if (!bAnlageJ && ui->cx_Anlage->KeyValue().isEmpty()) {
        ui->cx_Anlage->setFocus();
        throw Eingabefehler("Es wurde keine Anlage ausgewählt.");
    }
    iVerband = Qvsettings::GetInteger("Allgemein", "Verband");
    if (code == Host::fEtikettenL) {
        iBahn = ganzzahl(ui->ed_Bahn->text());
        if (iBahn < 1 || iBahn > (iVerband == 3 ? 8 : 16)) {
            ui->ed_Bahn->setFocus();
            throw Eingabefehler("Es wurde eine falsche Bahn ausgewählt.");
        }
        iAnzLabel = ganzzahl(ui->ed_AnzLabel->text());
        if (iAnzLabel < 1) {
            ui->ed_AnzLabel->setFocus();
            throw Eingabefehler("Es wurde eine falsche Anzahl Label ausgewählt.");
        }
        if (!ui->ed_yPos->text().trimmed().isEmpty()) {
            dYPOS = zahl(ui->ed_yPos->text());
            if (dYPOS == 0) {
                ui->ed_yPos->setFocus();
                throw Eingabefehler("Es wurde eine falsche Position eingegeben.");
            }
        }
    } else {
        iBahn = 1;
        iAnzLabel = 1;
    }
    SetModalResult(Host::mrOk);

    sTeilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    bBarcode = !ui->cb_Barcode->isChecked();
    bErgebnisform = ui->cb_Ergebnis->isChecked();
    bNachArt = ui->gb_Sort->ItemIndex() == 0;

    Q1 = AbfrageOeffnen();
    if (Druckjob::KeineDaten(*Q1)) {
        Q1.reset();
        return;
    }
    switch (code) {
    case Host::fDurchgang: Vorschau(*rf_Durchgangsliste); break;
    case Host::fErgEingabe: Vorschau(*rf_ErgebEintrag); break;
    case Host::fMannschaft:
        MannschaftenPruefen();
        Vorschau(*rf_Mannschaft);
        break;
    case Host::fEtikettenM: Vorschau(*rf_Etiketten); break;
    case Host::fEtikettenL: Vorschau(iVerband == 3 ? *rf_EtikettenBY : *rf_Etiketten); break;
    case Host::fTeilnehmer: Vorschau(*rf_Teilnehmer); break;
    case Host::fMitarbeiter: Vorschau(*rf_Mitarbeiter); break;
    case Host::fAuszahlung: Vorschau(*rf_Auszahlung); break;
    case Host::fMEtiketten: {
        // The badges come out of the label writer under a title of their own.
        const QString titel = rf_Etiketten->Title();
        rf_Etiketten->SetTitle("Mitarbeiteretiketten");
        const auto zurueck = qScopeGuard([&] { rf_Etiketten->SetTitle(titel); });
        Vorschau(*rf_Etiketten);
        break;
    }
    }
    Q1.reset();
}

void TDurchgangForm::Vorschau(Report::TRvNDRWriter& w) { Druckjob::Vorschau(w, Durchgang1::DruckjobID); }

std::unique_ptr<Ado::TADOQuery> TDurchgangForm::AbfrageOeffnen()
{
    const int code = Durchgang1::fAuswahl;
    DurchgangSQL::TFilter a;
    a.OhneAnlage = bAnlageJ;
    const QString anlage = ui->cx_Anlage->KeyValue();
    const QString disziplin = ui->cx_Disziplin->isVisibleTo(this) ? ui->cx_Disziplin->KeyValue() : QString();
    const QString tag = ui->cx_Tag->isVisibleTo(this) ? ui->cx_Tag->KeyValue() : QString();
    const QString klasse = ui->cx_Klasse->isVisibleTo(this) ? ui->cx_Klasse->KeyValue() : QString();
    a.Disziplin = !disziplin.isEmpty();
    a.Tag = !tag.isEmpty();
    a.Klasse = !klasse.isEmpty();

    QString sql;
    switch (code) {
    case Host::fDurchgang: sql = DurchgangSQL::Durchgangsliste(a); break;
    case Host::fErgEingabe: sql = DurchgangSQL::Ergebniseingabe(a, DurchgangSQL::EintragOrdnung(a)); break;
    case Host::fMannschaft:
        sql = DurchgangSQL::Mannschaften(a, anlage.toInt(), Datamod::iIdent, sTeilm);
        break;
    case Host::fEtikettenM:
    case Host::fEtikettenL: sql = DurchgangSQL::Etiketten(a); break;
    case Host::fTeilnehmer: sql = DurchgangSQL::Teilnehmer(a); break;
    case Host::fMitarbeiter: sql = DurchgangSQL::Mitarbeiter(a, bNachArt); break;
    case Host::fAuszahlung: sql = DurchgangSQL::Auszahlung(a); break;
    default: sql = DurchgangSQL::MEtiketten(a); break;
    }
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    // Each parameter the statement has gets its value.
    const auto setzen = [&q](const char* name, const QVariant& v) {
        if (Ado::TParameter* p = q->FindParam(name))
            p->SetValue(v);
    };
    setzen("Ident", Datamod::iIdent);
    setzen("Anlage", anlage.toInt());
    setzen("Teilmeister", sTeilm);
    setzen("Teilm", sTeilm);
    setzen("Disziplin", a.Disziplin ? disziplin : QStringLiteral("000"));
    setzen("Tag", tag.toInt());
    setzen("Klasse", klasse);
    q->Open();
    return q;
}

// --- Unit ------------------------------------------------------------------------------------

namespace Durchgang1 {

TDurchgangForm* DurchgangForm = nullptr;
Host::TAuswahl fAuswahl = Host::fDurchgang;
int DruckjobID = 0;

int Durchgangsliste(Host::TAuswahl Auswahl)
{
    fAuswahl = Auswahl;
    return Vcl::TModalForm::ModalZeigen(DurchgangForm);
}

} // namespace Durchgang1
