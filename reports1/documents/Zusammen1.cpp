#include "reports1/documents/Zusammen1.h"
#include "ui_Zusammen1.h"

#include "reports1/documents/DokumentDruck.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rplabel.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/RadioGroup.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"
#include "reports1/preparation/Vorbereitung1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QScopeGuard>

using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using namespace DokumentDruck;

namespace {

using Qvutil::CRLF;

const QString kKeineDaten = QStringLiteral("Es sind keine Daten vorhanden.");

// Status line while printing, by kind of document; the district summary
// sets none.
const char* const kStatus[] = {
    "Erstellen der Startkarten DIN A5 Quer 1 pro Seite",
    "Erstellen der Startkarten DIN A4 2 pro Seite",
    "Erstellen der Startkarten DIN A4 3 pro Seite",
    "Erstellen der Startkarten DIN A4 4 pro Seite",
    "Erstellen der Vereinszusammenfassungsliste",
    "Erstellen der Mitarbeiterübersicht pro Verein",
    "Erstellen der Mitarbeiterrückmeldung pro Verein",
    "",
    "Erstellen Schusszettel für BSSB",
};

int art() { return int(Zusammen1::fAuswahl); }
bool istKarte() { return art() <= Host::daVierStartkarten; }
bool istZusammenfassung()
{
    return art() == Host::daStartzusammenfassung || art() == Host::daStartzusammenfassungKreis;
}

// A district number: with "Verband" 0 a number beginning with "9", else
// one whose third and fourth characters are "00".
bool istKreis(const QString& nr, int verband) { return verband == 0 ? nr.startsWith('9') : nr.mid(2, 2) == "00"; }

// A typed number; no number counts as 0.
int ganzzahl(const QString& s) { return s.trimmed().toInt(); }

// The choice of a radio group of the preparation centre; 0 when the centre
// is not open.
int zentraleWahl(const char* name)
{
    if (!Vorbereitung1::VorbereitungForm)
        return 0;
    auto* g = Vorbereitung1::VorbereitungForm->findChild<Vcl::TRadioGroup*>(name);
    return g ? std::max(0, g->ItemIndex()) : 0;
}

} // namespace

TZusammenForm::TZusammenForm() : ui(new Ui::TZusammenForm)
{
    ui->setupUi(this);
    using F = TZusammenForm;
    rf_StartkarteEine = Schreiber("rf_StartkarteEine", "Startkarten", false, &F::rf_StartkarteEinePrint);
    rf_StartkarteH = Schreiber("rf_StartkarteH", "Startkarten", false, &F::rf_StartkarteHPrint);
    rf_StartkarteL = Schreiber("rf_StartkarteL", "Startkarten", false, &F::rf_StartkarteLPrint);
    rf_Startkarte = Schreiber("rf_Startkarte", "Startkarten", false, &F::rf_StartkartePrint);
    rf_Zusammenfassung = Schreiber("rf_Zusammenfassung", "Startzusammenfassung", true, &F::rf_ZusammenfassungPrint);
    rf_Mitarbeiter = Schreiber("rf_Mitarbeiter", "Mitarbeiterliste", true, &F::rf_MitarbeiterPrint);
    rf_Bestaetigung = Schreiber("rf_Bestaetigung", "Mitarbeiterbestätigung", true, &F::rf_BestaetigungPrint);
    rf_Schusszettel = Schreiber("rf_Schusszettel", "Schusszettel", false, &F::rf_SchusszettelPrint);
    rf_Schusszettel->SetOrientation(Report::poLandscape);
    rf_Schusszettel->SetMargins(1.3, 1.5, 1.0, 2.0);

    rpt_StartkarteM = new Report::TLabelShell(this);
    rpt_StartkarteM->setObjectName("rpt_StartkarteM");
    StartkarteMBogen(*rpt_StartkarteM);
    rpt_StartkarteM->OnReportBefore = [this](TBaseReport& r) { rpt_StartkarteMReportBefore(r); };
    rpt_StartkarteM->OnLabelPrint = [this](TBaseReport& r) { return rpt_StartkarteMLabelPrint(r); };
    rpt_StartkarteM->OnLabelAfter = [this](TBaseReport&) { return Q1 && !Ende(); };
    rpt_StartkarteM->OnReportAfter = [this](TBaseReport& r) { rpt_StartkarteMReportAfter(r); };

    SichtbarkeitSetzen();
    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TZusammenForm::~TZusammenForm() { delete ui; }

Report::TRvNDRWriter* TZusammenForm::Schreiber(const char* name, const char* titel, bool seitenkopf,
                                               void (TZusammenForm::*druck)(TBaseReport&))
{
    Report::TRvNDRWriter* w;
    if (seitenkopf) {
        w = Druckjob::Listenschreiber(this, name, titel);
    } else {
        // Cards and score sheets take the page without header and footer.
        w = Druckjob::Schreiber(this, name, titel);
    }
    w->OnBeforePrint = [this](TBaseReport&) {
        iFortschritt = 0;
        if (*kStatus[art()])
            Druckjob::Status(kStatus[art()]);
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    w->OnPrint = [this, druck](TBaseReport& r) {
        if (Q1)
            (this->*druck)(r);
    };
    // The files of a PDF run are the product: their streams are not archived.
    w->OnAfterPrint = [this, w](TBaseReport&) {
        if (bPdfLauf)
            Druckjob::Ende();
        else
            Druckjob::NachDruck(*w);
    };
    return w;
}

Report::TRvNDRWriter& TZusammenForm::Ausgabe()
{
    switch (art()) {
    case Host::daEineStartkarte: return *rf_StartkarteEine;
    case Host::daZweiStartkarten: return *rf_StartkarteH;
    case Host::daDreiStartkarten: return *rf_StartkarteL;
    case Host::daVierStartkarten: return *rf_Startkarte;
    case Host::daMitarbeiteruebersicht: return *rf_Mitarbeiter;
    case Host::daMitarbeiterBestaetigung: return *rf_Bestaetigung;
    case Host::daSchusszettel: return *rf_Schusszettel;
    default: return *rf_Zusammenfassung;
    }
}

void TZusammenForm::SichtbarkeitSetzen()
{
    const int a = art();
    const bool karte = a <= Host::daVierStartkarten;
    ui->cb_Kreis->setVisible(a == Host::daStartzusammenfassungKreis);
    ui->cb_Kreis->setChecked(a == Host::daStartzusammenfassungKreis);
    ui->lg_Nachdruck->setVisible(karte);
    ui->lg_Auswahl->setVisible(karte || a == Host::daSchusszettel);
    ui->lg_Verein->setVisible(a != Host::daSchusszettel);
    switch (a) {
    case Host::daEineStartkarte: setWindowTitle("Startkarten DIN A4 Hochformat 1 pro Seite"); break;
    case Host::daZweiStartkarten: setWindowTitle("Startkarten DIN A4 Hochformat 2 pro Seite"); break;
    case Host::daDreiStartkarten: setWindowTitle("Startkarten DIN A4 Hochformat 3 pro Seite"); break;
    case Host::daVierStartkarten: setWindowTitle("Startkarten DIN A4 Hochformat 4 pro Seite"); break;
    case Host::daStartzusammenfassung: setWindowTitle("Startzusammenfassung pro Verein"); break;
    case Host::daSchusszettel: setWindowTitle("Schusszettel für BSSB"); break;
    default: setWindowTitle("Zusammenfassung pro Verein"); break;
    }
}

void TZusammenForm::FormShow()
{
    auto dm = Datamod::DataModule1();
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    iSortierungV = zentraleWahl("gb_SortierungV");

    auto vereine = dm->DynQuery(QString("Select * From EVEREIN") + (iSortierungV == 0 ? " ORDER BY Name" : " ORDER BY VereinNr"),
                                Ado::clUseServer, Ado::ltReadOnly);
    vereine->Open();
    const QStringList spalten = Qvsettings::GetInteger("Allgemein", "Verband") == 3
                                    ? QStringList{"Name", "VereinNr"}
                                    : QStringList{"Name", "Abkuerzung", "VereinNr"};
    ui->cx_StgVereinAb->Fuellen(*vereine, "VereinNr", spalten);
    ui->cx_StgVereinBis->Fuellen(*vereine, "VereinNr", spalten);

    auto anlagen = dm->DynQuery("SELECT Anlage,Name" + CRLF + "FROM PANLAGE" + CRLF + "WHERE Ident = :Ident" + CRLF
                                    + "ORDER BY Anlage",
                                Ado::clUseServer, Ado::ltReadOnly);
    anlagen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    anlagen->Open();
    ui->cx_StkAnlage->Fuellen(*anlagen, "Anlage", {"Name"});

    auto disziplinen = dm->DynQuery("SELECT Ident,Disziplin,Name" + CRLF + "FROM PDISZIPLIN" + CRLF + "ORDER BY Disziplin",
                                    Ado::clUseServer, Ado::ltReadOnly);
    disziplinen->SetFilter("Ident = " + QString::number(Datamod::iIdent));
    disziplinen->SetFiltered(true);
    ui->cx_Disziplin->Fuellen(*disziplinen, "Disziplin", {"Name"});

    auto tage = dm->DynQuery("SELECT Ident,WKTag,Datum" + CRLF + "FROM AWKTAG" + CRLF + "WHERE Ident = :Ident" + CRLF
                                 + "      AND Teilmeisterschaft = :Teilm" + CRLF + "ORDER BY Datum",
                             Ado::clUseServer, Ado::ltReadOnly);
    tage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    tage->ParamByName("Teilm")->SetValue(teilm);
    tage->Open();
    ui->cx_WKTag->Fuellen(*tage, "WKTag", {"Datum"});
}

void TZusammenForm::FormClose() { Q1.reset(); }

void TZusammenForm::Pruefen()
{
    const auto fehler = [](QWidget* w, const QString& text) {
        w->setFocus();
        throw Eingabefehler(text);
    };
    sVereinNrAb = "000000000";
    sVereinNrBis = "999999999";
    sMitglNrVon = "00000000";
    sMitglNrBis = "99999999";
    iVDurchg = 0;
    iBDurchg = 999;
    MitglNummern.clear();
    if (!ui->cx_StgVereinAb->KeyValue().isEmpty())
        sVereinNrAb = ui->cx_StgVereinAb->KeyValue();
    if (!ui->cx_StgVereinBis->KeyValue().isEmpty())
        sVereinNrBis = ui->cx_StgVereinBis->KeyValue();

    const bool anlage = !ui->cx_StkAnlage->KeyValue().isEmpty();
    const bool wettbewerb = !ui->cx_Disziplin->KeyValue().isEmpty();
    const bool tag = !ui->cx_WKTag->KeyValue().isEmpty();
    const QString startVon = ui->ed_StartNrVon->text().trimmed();
    const QString startBis = ui->ed_StartNrBis->text().trimmed();
    const QString vDurchg = ui->ed_VDurchg->text().trimmed();
    const QString bDurchg = ui->ed_BDurchg->text().trimmed();

    if (anlage && wettbewerb && (!startVon.isEmpty() || !startBis.isEmpty()))
        fehler(ui->cx_Disziplin, "Bei Eingabe einer Startnummer darf kein Wettbewerb ausgewählt werden.");
    if (anlage && !wettbewerb && startVon.isEmpty())
        fehler(ui->ed_StartNrVon, "Es wurde keine Startnummer ausgewählt.");
    if (art() != Host::daSchusszettel) {
        if (wettbewerb && !anlage)
            fehler(ui->cx_StkAnlage, "Es wurde keine Anlage ausgewählt.");
        if (!startVon.isEmpty() && !anlage)
            fehler(ui->cx_StkAnlage, "Es wurde keine Anlage zur Startnummer eingegeben.");
    }
    if (wettbewerb && !tag)
        fehler(ui->cx_WKTag, "Es wurde kein Wettkampftag ausgewählt.");
    if (tag && !wettbewerb)
        fehler(ui->cx_Disziplin, "Es wurde kein Wettbewerb ausgewählt.");

    if (ui->cb_Kreis->isChecked()) {
        if (sVereinNrAb != "000000000" && !istKreis(sVereinNrAb, iVerband))
            fehler(ui->cx_StgVereinAb, "Es wurde kein Kreis Ab ausgewählt.");
        if (sVereinNrBis != "999999999" && !istKreis(sVereinNrBis, iVerband))
            fehler(ui->cx_StgVereinBis, "Es wurde kein Kreis Bis ausgewählt.");
        if (!(sVereinNrBis > sVereinNrAb))
            fehler(ui->cx_StgVereinBis, "Im Kreis Bis muss der nächste Kreis eingestellt werden.");
    }

    if (!startVon.isEmpty()) {
        if (!vDurchg.isEmpty() || !bDurchg.isEmpty())
            fehler(ui->ed_VDurchg, "Entweder Startnummer oder Durchgänge.");
        const int anlageNr = ui->cx_StkAnlage->KeyValue().toInt();
        const int von = ganzzahl(startVon);
        if (von < 1)
            fehler(ui->ed_StartNrVon, "Es wurde keine Startnummer Von eingegeben.");
        const int bis = ganzzahl(startBis);
        if (bis < 1)
            fehler(ui->ed_StartNrBis, "Es wurde keine Startnummer Bis eingegeben.");
        const QString teilm = Ado::QuotedStr(sTeilm);
        for (int nr = von; nr <= bis; ++nr) {
            auto q = Datamod::DataModule1()->DynQuery(
                "SELECT MitglNr" + CRLF + "FROM ERGEBNIS" + CRLF + "WHERE Ident = " + QString::number(Datamod::iIdent)
                    + CRLF + "  AND Anlage = " + QString::number(anlageNr) + CRLF + "  AND StartNr = "
                    + QString::number(nr) + CRLF + "  AND Teilmeisterschaft = " + teilm,
                Ado::clUseServer, Ado::ltReadOnly);
            q->Open();
            if (q->RecordCount() > 0) {
                q->First();
                MitglNummern << q->FieldByName("MitglNr")->AsString();
            }
        }
        if (MitglNummern.isEmpty())
            fehler(ui->ed_StartNrVon, "Es sind keine Startnummern im Datenbestand.");
    }

    if (!vDurchg.isEmpty() && !bDurchg.isEmpty() && ganzzahl(bDurchg) < ganzzahl(vDurchg))
        fehler(ui->ed_BDurchg, "Der Durchgang Bis ist kleiner als Von");
    if (!vDurchg.isEmpty())
        iVDurchg = ganzzahl(vDurchg);
    if (!bDurchg.isEmpty())
        iBDurchg = ganzzahl(bDurchg);

    if (sVereinNrAb > sVereinNrBis)
        fehler(ui->cx_StgVereinAb, "Die Auswahl der Vereine ist fehlerhaft.");
}

void TZusammenForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    iVerband = Qvsettings::GetInteger("Allgemein", "Verband");
    sTeilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    bAnlageJ = Qvsettings::GetString("Speziell", "Anlage") == "J";
    iSortierungS = zentraleWahl("gb_SortierungS");
    Pruefen();
    SetModalResult(Host::mrOk);
    bKreis = ui->cb_Kreis->isChecked();
    bNachdruck = !ui->ed_StartNrVon->text().trimmed().isEmpty();

    Q1 = AbfrageOeffnen();
    if (Q1->RecordCount() == 0) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg(kKeineDaten, Host::mtInformation, Host::mbOK, 1);
        return;
    }
    // Stamps of a print that did not finish are rolled back.
    const auto stempelZurueck = qScopeGuard([this] {
        StempelSQL.reset();
        Stempel.reset();
    });
    const bool pdf = Zusammen1::bPDFDatei && (istKarte() || istZusammenfassung());
    if (pdf)
        PdfDateien(Ausgabe());
    else
        Druckjob::Vorschau(Ausgabe(), Zusammen1::DruckjobID);
    Q1.reset();
}

// --- Selection ------------------------------------------------------------------------------

namespace {

QString zusammenfassungSQL(bool anlageJ)
{
    QStringList l;
    l << (anlageJ ? "SELECT DISTINCT E.Disziplin,E.VereinNr,E.EKlasse,E.StartNr,E.WKTag,E.WKZeit1,E.Stand,"
                  : "SELECT E.Disziplin,E.VereinNr,E.EKlasse,E.StartNr,E.WKTag,E.WKZeit1,E.Stand,")
      << "       E.Durchgang,E.Anlage,E.MannschNr,M.Name,M.Vorname,M.Jahrgang,M.Titel,M.MitglNr,"
      << "       D.Kurz AS DisKurz,D.Name AS DisName,D.Kennung,V.Name AS VerName,V.Abkuerzung,"
      << "       V.Titel AS VerTitel,V.Kreis,K.Kurz AS KlaKurz,K.Name AS KlaName,R.Betrag,DK.KennzE";
    if (anlageJ)
        l << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PDISKLA DK, PSTARTG R";
    else
        l << "       ,A.Name AS AnlName,WK.Datum"
          << "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K, PANLAGE A, PDISKLA DK, PSTARTG R,"
          << "     AWKTAG WK";
    l << "WHERE E.MitglNr = M.MitglNr"
      << "  AND E.Disziplin = D.Disziplin"
      << "  AND E.Ident = D.Ident"
      << "  AND E.EKlasse = K.Klasse"
      << "  AND E.Ident = K.Ident"
      << "  AND E.Disziplin = DK.Disziplin"
      << "  AND E.EKlasse = DK.Klasse"
      << "  AND E.Ident = DK.Ident"
      << "  AND E.VereinNr = V.VereinNr"
      << "  AND R.StgGrp = DK.StgGrpEinzel"
      << "  AND R.Ident = E.Ident";
    if (!anlageJ)
        l << "  AND E.Anlage = A.Anlage"
          << "  AND E.Ident = A.Ident"
          << "  AND E.WKTag = WK.WKTag"
          << "  AND E.Ident = WK.Ident";
    l << "  AND (E.Qual = 'N' OR E.Qual = 'D')"
      << "  AND E.Ident = :Ident"
      << "  AND E.VereinNr >= :VereinNrAb"
      << "  AND E.VereinNr <= :VereinNrBis"
      << "  AND DK.Teilmeisterschaft = :Teilmeister";
    l << (anlageJ ? "ORDER BY E.VereinNr,M.Name,M.Vorname,E.Disziplin"
                  : "ORDER BY V.Kreis,E.VereinNr,M.Name,M.Vorname,E.Disziplin");
    return l.join(CRLF);
}

QString mitarbeiterSQL()
{
    return QStringList{
        "SELECT M.Name,M.Vorname,M.Titel AS VorTitel,M.PLZ,M.Ort,M.Strasse,M.Geschlecht,",
        "       MZ.VereinNr,MZ.Anlage,MZ.MitArt,MZ.Beginn,MZ.Ende,MZ.MitglNr,MZ.Tagessatz,",
        "       WK.Datum,A.Name AS AnlName,MI.Name AS MitName,MT.Seit,V.Name AS VerName,V.Titel",
        "FROM MITARB MT, MSPESEN MZ, EMITGLIED M, PANLAGE A, MITART MI, AWKTAG WK, EVEREIN V",
        "WHERE MT.MitglNr = MZ.MitglNr",
        "  AND MT.Ident = MZ.Ident",
        "  AND MZ.MitglNr = M.MitglNr",
        "  AND MZ.Anlage = A.Anlage",
        "  AND MZ.Ident = A.Ident",
        "  AND MZ.MitArt = MI.MitArt",
        "  AND MZ.WKTag = WK.WKTag",
        "  AND MZ.Ident = WK.Ident",
        "  AND MZ.VereinNr = V.VereinNr",
        "  AND MZ.Ident = :Ident",
        "  AND MZ.VereinNr >= :VereinNrVon",
        "  AND MZ.VereinNr <= :VereinNrBis",
        "ORDER BY MZ.VereinNr,A.Anlage,M.Name,M.Vorname,WK.Datum",
    }.join(CRLF);
}

// The start-card and score-sheet statement up to its filters.
QStringList kartenBasis(bool anlageJ, const QString& e)
{
    QStringList l = {
        "SELECT " + e + ".Disziplin," + e + ".VereinNr," + e + ".StartNr," + e + ".MitglNr," + e + ".WKZeit1," + e
            + ".WKZeit2," + e + ".Stand,",
        "       " + e + ".Durchgang," + e + ".Anlage," + e + ".Manuell,PDISKLA.KennzE,PDISKLA.AnzSerien,",
        "       EMITGLIED.Name,EMITGLIED.Vorname,EMITGLIED.Titel,PDISZIPLIN.Name AS DisName,",
        "       PDISZIPLIN.Kurz AS DisKurz,PDISZIPLIN.Kennung,PKLASSE.Kurz AS KlaKurz,PANLAGE.Name AS AnlName,",
        "       EVEREIN.Name AS VerName,EVEREIN.Abkuerzung,EVEREIN.Titel AS VerTitel" + QString(anlageJ ? "" : ",AWKTAG.Datum"),
        "FROM ERGEBNIS " + e + ", EVEREIN, EMITGLIED, PANLAGE, PKLASSE, PDISZIPLIN, PDISKLA"
            + QString(anlageJ ? "" : ", AWKTAG"),
        "WHERE " + e + ".VereinNr = EVEREIN.VereinNr",
        "  AND " + e + ".MitglNr = EMITGLIED.MitglNr",
        "  AND " + e + ".Anlage = PANLAGE.Anlage",
        "  AND " + e + ".Ident = PANLAGE.Ident",
        "  AND " + e + ".Ident = PKLASSE.Ident",
        "  AND " + e + ".EKlasse = PKLASSE.Klasse",
        "  AND " + e + ".Disziplin = PDISZIPLIN.Disziplin",
        "  AND " + e + ".Ident = PDISZIPLIN.Ident",
        "  AND " + e + ".Ident = PDISKLA.Ident",
        "  AND " + e + ".EKlasse = PDISKLA.Klasse",
        "  AND " + e + ".Disziplin = PDISKLA.Disziplin",
    };
    if (!anlageJ)
        l << "  AND " + e + ".WKTag = AWKTAG.WKTag" << "  AND " + e + ".Ident = AWKTAG.Ident";
    return l;
}

} // namespace

QString TZusammenForm::KartenSQL() const
{
    QStringList l = kartenBasis(bAnlageJ, "ERGEBNIS");
    l << "  AND ERGEBNIS.Ident = " + QString::number(Datamod::iIdent)
      << "  AND ERGEBNIS.Teilmeisterschaft = " + Ado::QuotedStr(sTeilm);
    // Without competition days there is no date to sort by: the cards then
    // keep the competition order.
    const bool nachDatum = iSortierungS != 0 && !bAnlageJ;
    if (!ui->cx_StgVereinAb->KeyValue().isEmpty() || !ui->cx_StgVereinBis->KeyValue().isEmpty()) {
        l << "AND ERGEBNIS.VereinNr >= " + Ado::QuotedStr(sVereinNrAb)
          << "AND ERGEBNIS.VereinNr <= " + Ado::QuotedStr(sVereinNrBis);
        l << (nachDatum ? "ORDER BY ERGEBNIS.VereinNr,ERGEBNIS.MitglNr,AWKTAG.DAtum"
                        : "ORDER BY ERGEBNIS.VereinNr,ERGEBNIS.MitglNr,ERGEBNIS.Disziplin");
    } else if (!MitglNummern.isEmpty()) {
        QStringList quoted;
        for (const QString& m : MitglNummern)
            quoted << "\"" + QString(m).replace("\"", "\"\"") + "\"";
        l << "AND ERGEBNIS.MitglNr IN (" + quoted.join(",") + ")";
        l << (nachDatum ? "ORDER BY ERGEBNIS.MitglNr,ERGEBNIS.VereinNr,AWKTAG.Datum"
                        : "ORDER BY ERGEBNIS.MitglNr,ERGEBNIS.Disziplin,ERGEBNIS.VereinNr");
    } else {
        if (!ui->cx_Disziplin->KeyValue().isEmpty())
            l << "AND ERGEBNIS.Durchgang >= " + QString::number(iVDurchg)
              << "AND ERGEBNIS.Durchgang <= " + QString::number(iBDurchg)
              << "AND ERGEBNIS.Anlage = " + QString::number(ui->cx_StkAnlage->KeyValue().toInt())
              << "AND ERGEBNIS.Disziplin = " + Ado::QuotedStr(ui->cx_Disziplin->KeyValue())
              << "AND ERGEBNIS.WKTag = " + QString::number(ui->cx_WKTag->KeyValue().toInt());
        l << (nachDatum ? "ORDER BY EVEREIN.Name,ERGEBNIS.MitglNr,AWKTAG.Datum,ERGEBNIS.Disziplin"
                        : "ORDER BY EVEREIN.Name,ERGEBNIS.MitglNr,ERGEBNIS.Disziplin");
    }
    return l.join(CRLF);
}

QString TZusammenForm::SchusszettelSQL() const
{
    QStringList l = kartenBasis(bAnlageJ, "E");
    l << "  AND E.Ident = :Ident" << "  AND E.Teilmeisterschaft = :Teilmeister" << "AND E.Disziplin = :Disziplin"
      << "AND E.WKTag = :WKTag";
    if (!ui->ed_VDurchg->text().trimmed().isEmpty())
        l << "AND E.Durchgang >= :VDurchg" << "AND E.Durchgang <= :BDurchg";
    l << "ORDER BY E.Anlage,E.Durchgang,E.Stand,E.StartNr";
    return l.join(CRLF);
}

std::unique_ptr<Ado::TADOQuery> TZusammenForm::AbfrageOeffnen()
{
    auto dm = Datamod::DataModule1();
    std::unique_ptr<Ado::TADOQuery> q;
    if (istZusammenfassung()) {
        q = dm->DynQuery(zusammenfassungSQL(bAnlageJ), Ado::clUseServer, Ado::ltReadOnly);
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
        q->ParamByName("VereinNrAb")->SetValue(sVereinNrAb);
        q->ParamByName("VereinNrBis")->SetValue(sVereinNrBis);
        q->ParamByName("Teilmeister")->SetValue(sTeilm);
    } else if (art() == Host::daMitarbeiteruebersicht || art() == Host::daMitarbeiterBestaetigung) {
        q = dm->DynQuery(mitarbeiterSQL(), Ado::clUseServer, Ado::ltReadOnly);
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
        q->ParamByName("VereinNrVon")->SetValue(sVereinNrAb);
        q->ParamByName("VereinNrBis")->SetValue(sVereinNrBis);
    } else if (art() == Host::daSchusszettel) {
        q = dm->DynQuery(SchusszettelSQL(), Ado::clUseServer, Ado::ltReadOnly);
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
        q->ParamByName("Teilmeister")->SetValue(sTeilm);
        q->ParamByName("Disziplin")->SetValue(ui->cx_Disziplin->KeyValue());
        q->ParamByName("WKTag")->SetValue(ui->cx_WKTag->KeyValue().toInt());
        if (Ado::TParameter* p = q->FindParam("VDurchg"))
            p->SetValue(iVDurchg);
        if (Ado::TParameter* p = q->FindParam("BDurchg"))
            p->SetValue(iBDurchg);
    } else {
        q = dm->DynQuery(KartenSQL(), Ado::clUseServer, Ado::ltReadOnly);
    }
    q->Open();
    return q;
}

// --- PDF files per club ---------------------------------------------------------------------

void TZusammenForm::PdfDateien(Report::TRvNDRWriter& w)
{
    const QString ziel = Schtools::LaufwerkHolen("PDF-Dateien ausgeben", "");
    if (ziel.isEmpty())
        return;
    const bool kreis = art() == Host::daStartzusammenfassungKreis;
    const char* schluessel = kreis ? "Kreis" : "VereinNr";
    const QString endung = istKarte() ? "_Startkarte.PDF" : "_Zusammen.PDF";

    // The groups in the order of the selection (the club walker), each with
    // its first row; a group whose rows do not follow one another (two clubs
    // of one name) is filtered instead.
    QStringList gruppen;
    QHash<QString, int> erste;
    QSet<QString> verstreut;
    QString vorige;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        const QString k = Feld(*Q1, schluessel);
        if (k == vorige && !gruppen.isEmpty())
            continue;
        if (erste.contains(k))
            verstreut.insert(k);
        else {
            gruppen << k;
            erste.insert(k, Q1->RecNo());
        }
        vorige = k;
    }
    const auto datei = [&](const QString& k) { return QDir(QDir(ziel).filePath(k)).filePath(k + endung); };
    int vorhanden = 0;
    for (const QString& k : gruppen)
        vorhanden += QFile::exists(datei(k)) ? 1 : 0;
    if (!Druckjob::ErsetzenErlaubt(ziel, vorhanden, "Dateien"))
        return;

    const auto zurueck = qScopeGuard([&] {
        bPdfLauf = false;
        iErsteZeile = 0;
        Q1->SetFiltered(false);
    });
    // The print stamps of all files go in together, or none: after the
    // files are in place.
    Ado::TTransaction stempel(*Datamod::DataModule1()->Connection());
    sGruppenFeld = schluessel;
    bPdfLauf = true;
    QStringList dateien;
    for (const QString& k : gruppen)
        dateien << datei(k);
    QDir().mkpath(ziel);
    const QList<int> geschrieben = Druckjob::PdfDateien(
        w, dateien,
        [&](int i) {
            const QString& k = gruppen[i];
            // A folder that cannot be made leaves that club without its file.
            if (!QDir(ziel).mkdir(k) && !QFileInfo(QFileInfo(dateien[i]).path()).isDir())
                return false;
            if (verstreut.contains(k)) {
                iErsteZeile = 0;
                Q1->SetFilter(QString(schluessel) + " = " + Ado::QuotedStr(k));
                Q1->SetFiltered(true);
            } else {
                Q1->SetFiltered(false);
                iErsteZeile = erste.value(k);
                sGruppe = k;
            }
            return true;
        },
        [&](int i) { return "Der Druck \"" + w.Title() + "\" für " + gruppen[i] + " ist nicht entstanden"; });
    stempel.Commit();
    for (int i : geschrieben)
        Datamod::PDFStringList.AddObject(dateien[i], std::make_unique<Datamod::TDisziplin>(gruppen[i]));
}

void TZusammenForm::Anfang()
{
    if (iErsteZeile > 0)
        Q1->SetRecNo(iErsteZeile);
    else
        Q1->First();
}

bool TZusammenForm::Ende() const
{
    return Q1->Eof() || (iErsteZeile > 0 && Feld(*Q1, sGruppenFeld) != sGruppe);
}

// --- Start summary --------------------------------------------------------------------------

void TZusammenForm::rf_ZusammenfassungPrint(TBaseReport& Report)
{
    if (iVerband == 3)
        StartzusammenfassungBSSB(Report);
    else
        StartzusammenfassungNormal(Report);
}

void TZusammenForm::ZusammenfassungTabSetzen(TBaseReport& Report, bool Kopf)
{
    Report.ClearTabs();
    const double breiten[] = {0.9, 0.1, 5.2, 1.7, 1.2, 1.0, 1.0, 1.5, 1.5};
    for (int i = 0; i < 9; ++i)
        Report.SetTab(i == 0 ? Report.SectionLeft() : Report::NA, i == 0 && !Kopf ? pjRight : pjLeft, breiten[i], 3,
                      Kopf ? Report::BOXLINEBOTTOM : Report::BOXLINENONE, 0);
    const double rest[] = {Kopf ? 1.1 : 1.0, Kopf ? 1.0 : 0.8, Kopf ? 0.8 : 1.1};
    for (double b : rest)
        Report.SetTab(Report::NA, Kopf ? pjLeft : pjRight, b, 3, Kopf ? Report::BOXLINEBOTTOM : Report::BOXLINENONE, 0);
    if (Kopf) {
        Reportutil::Zeile(Report, {"St.Nr.", "", "Name", "Diszip.", "Kl.", "Jhg", "E/M", "Tag", "Uhrz.", "Stand", "Anl.",
                                   "St.g."});
        Report.NewLine();
    }
}

namespace {

// "Name, Titel Vorname" of the row.
QString name(Ado::TDataSet& q)
{
    return VorbListen::NameTitelVorname(Feld(q, "Name").trimmed(), Feld(q, "Titel"), Feld(q, "Vorname").trimmed());
}

QString betrag(double b) { return QString::asprintf("%2.2f", b).replace('.', ','); }

} // namespace

void TZusammenForm::StartzusammenfassungNormal(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const QString kopf = Qvsettings::GetString("Global", "Ueberschr") + " "
                         + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    auto anlagen = Datamod::DataModule1()->DynQuery("SELECT Anlage,Name" + CRLF + "FROM PANLAGE" + CRLF
                                                        + "WHERE Ident = :Ident" + CRLF + "ORDER BY Anlage",
                                                    Ado::clUseServer, Ado::ltReadOnly);
    anlagen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    anlagen->Open();
    const char* schluessel = bKreis ? "Kreis" : "VereinNr";

    const auto spaltenkopf = [&] {
        Schrift(Report, 9);
        ZusammenfassungTabSetzen(Report, true);
        ZusammenfassungTabSetzen(Report, false);
    };
    const auto neueSeite = [&] {
        Report.NewPage();
        Report.NewLine();
        Report.NewLine();
        spaltenkopf();
    };
    const auto legende = [&] {
        if (Report.LinesLeft() < 3)
            neueSeite();
        Report.NewLine();
        Report.ClearTabs();
        Report.SetTab(Report.SectionLeft(), pjLeft, 4.0, 3, Report::BOXLINEBOTTOM, 0);
        Schrift(Report, 10, true);
        Reportutil::Zeile(Report, {"Anlagenbezeichnung"});
        const auto legendeTabs = [&] {
            Reportutil::SpaltenSetzen(Report, {{0.5, pjRight}, {0.5, pjLeft}, {6.0, pjLeft}});
            Schrift(Report, 9);
        };
        legendeTabs();
        for (anlagen->First(); !anlagen->Eof(); anlagen->Next()) {
            if (Report.LinesLeft() < 2) {
                neueSeite();
                legendeTabs();
            }
            Reportutil::Zeile(Report, {anlagen->FieldByName("Anlage")->AsString(), "",
                                       anlagen->FieldByName("Name")->AsString()});
        }
    };

    QString gruppe, verein, mitglied;
    bool offen = false;
    for (Anfang(); !Ende(); q.Next()) {
        Druckjob::Progress(++iFortschritt);
        bool nameDrucken = Feld(q, "MitglNr") != mitglied;
        if (!offen || Feld(q, schluessel) != gruppe) {
            if (offen) {
                legende();
                if (Report.LinesLeft() >= 6) {
                    Report.NewLine();
                    Report.NewLine();
                } else {
                    Report.NewPage();
                    Report.NewLine();
                    Report.NewLine();
                }
            } else {
                Report.NewLine();
                Report.NewLine();
            }
            offen = true;
            gruppe = Feld(q, schluessel);
            verein.clear();
            Schrift(Report, 14, true);
            Report.PrintCenter("Teilnehmer der Teilm. " + sTeilm, Mitte(Report));
            Report.NewLine();
            Schrift(Report, 12);
            Report.PrintCenter(kopf, Mitte(Report));
            Report.NewLine();
            Report.NewLine();
            Report.NewLine();
            spaltenkopf();
        }
        if (Report.LinesLeft() < 3) {
            neueSeite();
            nameDrucken = true;
        }
        Schrift(Report, 9);
        if (Feld(q, "VereinNr") != verein) {
            // The club line keeps its rows on its page.
            if (Report.LinesLeft() < 5) {
                neueSeite();
                nameDrucken = true;
            }
            Report.ClearTabs();
            Report.SetTab(Report.SectionLeft(), pjLeft, 9.0, 3, Report::BOXLINEBOTTOM, 0);
            const QString titel = iVerband == 3 || Feld(q, "VerTitel").trimmed().isEmpty() ? QString() : Feld(q, "VerTitel") + "  ";
            Reportutil::Zeile(Report, {titel + Feld(q, "VerName") + " ( " + Feld(q, "VereinNr") + " )"});
            Report.NewLine();
            ZusammenfassungTabSetzen(Report, false);
            verein = Feld(q, "VereinNr");
            nameDrucken = true;
        }
        mitglied = Feld(q, "MitglNr");
        Reportutil::Zeile(Report, {Feld(q, "StartNr"), "", nameDrucken ? name(q) : QString(), Feld(q, "DisKurz"),
                                   Feld(q, "KlaKurz"), Feld(q, "Jahrgang").right(2), Feld(q, "MannschNr"),
                                   bAnlageJ ? QString() : Feld(q, "Datum").left(6), Feld(q, "WKZeit1").left(5),
                                   Feld(q, "Stand"), Feld(q, "Anlage"),
                                   betrag(q.FieldByName("Betrag")->AsFloat())});
    }
    if (offen)
        legende();
}

void TZusammenForm::StartzusammenfassungBSSB(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const QString kopf = Qvsettings::GetString("Global", "Ueberschr") + " "
                         + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const char* schluessel = bKreis ? "Kreis" : "VereinNr";
    const auto zeilenTabs = [&] {
        Reportutil::SpaltenSetzen(Report, {{0.9, pjRight}, {0.1}, {4.0}, {1.5}, {5.0}, {2.5}, {2.0}, {1.0}, {0.5}});
    };
    QString gruppe, mitglied;
    bool offen = false;
    for (Anfang(); !Ende(); q.Next()) {
        Druckjob::Progress(++iFortschritt);
        bool nameDrucken = Feld(q, "MitglNr") != mitglied;
        if (!offen || Feld(q, schluessel) != gruppe) {
            if (offen && Report.LinesLeft() < 6)
                Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            offen = true;
            gruppe = Feld(q, schluessel);
            Schrift(Report, 12, true);
            Report.PrintCenter(kopf, Mitte(Report));
            Report.NewLine();
            Report.NewLine();
            Report.NewLine();
            // The heading and, on its line at the right, what the columns hold.
            Reportutil::SpaltenSetzen(Report, {{14.0}, {Reportutil::Rest, pjRight}});
            Schrift(Report, 10, true);
            QString nr = Feld(q, "VereinNr");
            if (nr.startsWith('0'))
                nr.remove(0, 1);
            Reportutil::Zelle(Report, "Gesamtliste nach Verein: " + nr + " " + Feld(q, "VerName"));
            Schrift(Report, 9);
            Reportutil::Zelle(Report, "Datum/Uhrzeit/Stand");
            Report.NewLine();
            Report.NewLine();
            Report.NewLine();
            zeilenTabs();
            nameDrucken = true;
        }
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            zeilenTabs();
            nameDrucken = true;
        }
        mitglied = Feld(q, "MitglNr");
        Schrift(Report, 9);
        Reportutil::Zeile(Report, {Feld(q, "StartNr"), "", nameDrucken ? name(q) : QString(), Feld(q, "KennzE"),
                                   Feld(q, "DisName") + " " + Feld(q, "KlaName"), Feld(q, "AnlName"),
                                   bAnlageJ ? QString() : Feld(q, "Datum"), Feld(q, "WKZeit1").left(5),
                                   Feld(q, "Stand")});
    }
}

// --- Unit ------------------------------------------------------------------------------------

namespace Zusammen1 {

TZusammenForm* ZusammenForm = nullptr;
Host::TDruckArt fAuswahl = Host::daStartzusammenfassung;
bool bPDFDatei = false;
int DruckjobID = 0;

int Zusammenfassungsliste(Host::TDruckArt Art, bool PDFDatei)
{
    fAuswahl = Art;
    bPDFDatei = PDFDatei;
    return Vcl::TModalForm::ModalZeigen(ZusammenForm);
}

} // namespace Zusammen1
