#include "reports1/documents/Rechnung1.h"
#include "ui_Rechnung1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Einzug.h"
#include "platform/host/Guard.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rpstream.h"
#include "reports1/documents/Startgeld1.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;
using Report::pjCenter;
using Report::pjLeft;
using Report::pjRight;

const QString AbDefault = QStringLiteral("000000000");
const QString BisDefault = QStringLiteral("999999999");

QString setting(const char* bereich, const char* key) { return Qvsettings::GetString(bereich, key); }

QString heute() { return Qvclock::DatumText(Qvclock::Now().date()); }

QString sportjahr() { return QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")); }

// The columns of an amount line: count, "X", fee, currency, amount, currency.
const QVector<Reportutil::TSpalte> betragSpalten = {
    {1.0}, {1.5, pjRight}, {0.8, pjCenter}, {2.2, pjRight}, {1.4}, {3.0, pjRight}, {1.4}};
// The detailed invoice puts the competition before them.
const QVector<Reportutil::TSpalte> detailSpalten = {
    {7.2}, {1.2, pjRight}, {0.8, pjCenter}, {2.0, pjRight}, {1.3}, {2.6, pjRight}, {1.3}};

} // namespace

TRechnungForm::TRechnungForm() : ui(new Ui::TRechnungForm)
{
    ui->setupUi(this);
    auto schreiber = [this](const char* name, const char* titel) {
        auto* w = Druckjob::Schreiber(this, name, titel);
        w->OnPrintFooter = [this](TBaseReport& r) { FussZeile(r); };
        w->OnAfterPrint = [w](TBaseReport&) {
            if (Rechnung1::bPDFDatei)
                Druckjob::Ende();
            else
                Druckjob::NachDruck(*w);
        };
        return w;
    };
    rf_Rechnung = schreiber("rf_Rechnung", "Startgeldrechnung");
    rf_Rechnung->OnPrint = [this](TBaseReport& r) { RechnungenDrucken(r, false); };
    rf_REchnungDetail = schreiber("rf_REchnungDetail", "Startgeldrechnung detailiert");
    rf_REchnungDetail->OnPrint = [this](TBaseReport& r) { RechnungenDrucken(r, true); };
    rf_Uebersicht = Druckjob::Listenschreiber(this, "rf_Uebersicht", "Startgeldübersicht");
    rf_Uebersicht->OnPrint = [this](TBaseReport& r) { UebersichtDrucken(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbrechen, Host::mrCancel);
    Host::Connect(ui->cb_Startgelder, &QCheckBox::clicked, this, &TRechnungForm::cb_StartgelderClick);
}

TRechnungForm::~TRechnungForm() { delete ui; }

void TRechnungForm::FormShow()
{
    const bool rechnung = Rechnung1::sAusdruck != "3";
    bFaktu = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt") >= 3 && Qvsettings::GetInteger("Allgemein", "Verband") == 2;
    auto vereine = Datamod::DataModule1()->DynQuery("SELECT VereinNr,Name,Abkuerzung" + CRLF + "FROM EVEREIN" + CRLF
                                                    + "ORDER BY Name,VereinNr",
                                                    Ado::clUseServer, Ado::ltReadOnly);
    ui->cx_StgVereinAb->Fuellen(*vereine, "VereinNr", {"VereinNr", "Name", "Abkuerzung"});
    ui->cx_StgVereinBis->Fuellen(*vereine, "VereinNr", {"VereinNr", "Name", "Abkuerzung"});

    ui->ed_RechnungsNummer->clear();
    ui->lb_RechnungsNummer->setVisible(rechnung && !bFaktu);
    ui->ed_RechnungsNummer->setVisible(rechnung && !bFaktu);
    ui->cb_Rechnr->setVisible(bFaktu);
    ui->cb_Rechnr->setChecked(false);
    const QString tage = setting("Allgemein", "LastschriftTage").trimmed();
    ui->e_Faelligkeitstage->setValue(tage.isEmpty() ? 20 : tage.toInt());
    ui->cb_Nachtraeglich->setChecked(false);
    ui->cb_Startgelder->setChecked(false);
    ui->ed_Text->clear();
    ui->lb_Text->setVisible(false);
    ui->ed_Text->setVisible(false);

    setWindowTitle(rechnung ? "Startgeldrechnug drucken" : "Übersicht drucken");
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lb_StgVereinAb, ui->cx_StgVereinAb, ui->lb_StgVereinBis,
                                                      ui->cx_StgVereinBis, ui->lg_Lastschrift})
        w->setVisible(rechnung);
    ui->lb_Uebersicht->setVisible(!rechnung);
    ui->cx_Uebersicht->setVisible(!rechnung);
    ui->cx_Uebersicht->setCurrentIndex(0);
}

void TRechnungForm::FormClose()
{
    Vereine.clear();
    aktuell = nullptr;
}

void TRechnungForm::cb_StartgelderClick()
{
    const bool an = ui->cb_Startgelder->isChecked();
    ui->lb_Text->setVisible(an);
    ui->ed_Text->setVisible(an);
    if (an) {
        ui->cx_Uebersicht->setCurrentIndex(1);
        ui->ed_Text->setFocus();
    }
}

QString TRechnungForm::Waehrung() const { return Cent::Waehrung(); }

// --- OK ----------------------------------------------------------------------

void TRechnungForm::bt_OKClick()
{
    SetModalResult(Host::mrNone); // open until something was produced
    bTeilm = Startgeld1::StartgeldForm ? Startgeld1::StartgeldForm->Teilm() : setting("Speziell", "TeilStag") == "J";
    bNachtraeglich = ui->cb_Nachtraeglich->isChecked();
    bStartgelder = ui->cb_Startgelder->isChecked();
    const QString daten = Qvpaths::DataFolder();
    Schlusstext = Startgeld1::StartgeldForm ? Startgeld1::StartgeldForm->StartgeldText()
                                            : Schtools::FileToStrings(QDir(daten).filePath(Startgeld1::StartgDatei));
    Absender = Startgeld1::StartgeldForm ? Startgeld1::StartgeldForm->AbsenderText()
                                         : Schtools::FileToStrings(QDir(daten).filePath(Startgeld1::AbsenderDatei));

    if (Rechnung1::sAusdruck == "3") {
        if (bStartgelder && ui->ed_Text->text().trimmed().isEmpty()) {
            ui->ed_Text->setFocus();
            throw Eingabefehler("Der Text für die Überschrift fehlt.");
        }
        if (ui->cx_Uebersicht->currentIndex() == 0)
            Schtools::StartgelderRechnen(Startgeld1::StartgeldForm ? Startgeld1::StartgeldForm->Vereine() : nullptr,
                                         bTeilm, bNachtraeglich, ui->cb_Rechnr->isChecked(), Datamod::iIdent);
        auto q = Datamod::DataModule1()->DynQuery("SELECT *" + CRLF + "FROM EVEREIN" + CRLF + "WHERE Startgeld <> ''" + CRLF
                                                  + "ORDER BY VereinNr",
                                                  Ado::clUseServer, Ado::ltReadOnly);
        if (Druckjob::KeineDaten(*q))
            return;
        Druckjob::Vorschau(*rf_Uebersicht, Rechnung1::DruckjobID);
        SetModalResult(Host::mrOk);
        return;
    }

    if (bFaktu) {
        auto q = Datamod::DataModule1()->DynQuery("SELECT VereinNr FROM EVEREIN WHERE RechNr <> ''", Ado::clUseServer,
                                                  Ado::ltReadOnly);
        if (q->IsEmpty()) {
            Pmsgdlg::qvMessageDlg("Bitte erstellen Sie zuerst die Datensätze\r\nfür die FAKTU", Host::mtInformation,
                                  Host::mbOK, 1);
            SetModalResult(Host::mrCancel);
            return;
        }
    }
    if (bNachtraeglich && bStartgelder) {
        ui->cb_Startgelder->setFocus();
        throw Eingabefehler("Beide Arten auszuführen ist nicht möglich.");
    }
    const QString ab = ui->cx_StgVereinAb->KeyValue(), bis = ui->cx_StgVereinBis->KeyValue();
    if (ab.isEmpty() && !bis.isEmpty()) {
        ui->cx_StgVereinAb->setFocus();
        throw Eingabefehler("Es wurde kein Verein Ab eingegeben.");
    }
    if (!ab.isEmpty() && !bis.isEmpty() && ab > bis) {
        ui->cx_StgVereinAb->setFocus();
        throw Eingabefehler("Es wurde eine falsche Vereinsauswahl getroffen.");
    }
    const QString nrText = ui->ed_RechnungsNummer->text().trimmed();
    bool ok = true;
    int nummer = nrText.isEmpty() ? 0 : nrText.toInt(&ok);
    if (!bFaktu && !nrText.isEmpty() && (!ok || nummer == 0)) {
        ui->ed_RechnungsNummer->setFocus();
        throw Eingabefehler("Es wurde eine falsche Rechnungsnummer eingegeben.");
    }
    iFaellig = ui->e_Faelligkeitstage->value();

    Mandate.clear();
    for (const auto& [verein, m] : Einzug::MandateLesen(Einzug::MandatsDatei()))
        Mandate[verein] = m.Referenz;

    // The selection: one club alone when only the first is chosen.
    auto q = Datamod::DataModule1()->DynQuery(RechnungSQL(), Ado::clUseServer, Ado::ltReadOnly);
    q->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q->ParamByName("VereinAb")->SetValue(ab.isEmpty() ? AbDefault : ab);
    q->ParamByName("VereinBis")->SetValue(ab.isEmpty() ? BisDefault : bis.isEmpty() ? ab : bis);
    if (bTeilm)
        q->ParamByName("Teilmeister")->SetValue(setting("Speziell", "Teilmeisterschaft"));
    q->Open();
    if (Druckjob::KeineDaten(*q))
        return;

    Vereine.clear();
    for (q->First(); !q->Eof(); q->Next()) {
        const QString nr = q->FieldByName("VereinNr")->AsString();
        if (Vereine.isEmpty() || Vereine.last().VereinNr != nr) {
            TVerein v;
            v.VereinNr = nr;
            for (auto [ziel, feld] : std::initializer_list<std::pair<QString*, const char*>>{
                     {&v.Titel, "Titel"}, {&v.Name, "Name"}, {&v.Vorstand, "Vorstand"}, {&v.Strasse, "Strasse"},
                     {&v.PLZ, "PLZ"}, {&v.Ort, "Ort"}, {&v.Kreis, "Kreis"}, {&v.Abkuerzung, "Abkuerzung"},
                     {&v.Startgeld, "Startgeld"}, {&v.RechNr, "RechNr"}})
                *ziel = q->FieldByName(feld)->AsString().trimmed();
            Vereine << v;
        }
        TVerein& v = Vereine.last();
        ++v.Einzel[q->FieldByName("StgGrpEinzel")->AsInteger()];
        ++v.Klassen[{q->FieldByName("Disziplin")->AsString(), q->FieldByName("EKlasse")->AsString()}];
    }
    q.reset();

    // Invoice numbers: the clubs' own, or running from the number entered.
    for (TVerein& v : Vereine) {
        if (bFaktu) {
            if (v.RechNr.isEmpty()) {
                Pmsgdlg::qvMessageDlg("Bitte vergeben Sie zuerst die Rechnungsnummern", Host::mtInformation, Host::mbOK, 1);
                return;
            }
            const int strich = int(v.RechNr.lastIndexOf('-'));
            v.Nummer = v.RechNr.left(strich + 1) + QString::number(v.RechNr.mid(strich + 1).toInt());
        } else {
            if (!nrText.isEmpty())
                ++nummer;
            v.Nummer = QString::number(nummer);
        }
    }

    Gruppen.clear();
    auto g = Datamod::DataModule1()->DynQuery("SELECT StgGrp,Betrag" + CRLF + "FROM PSTARTG" + CRLF + "WHERE Ident = "
                                                  + QString::number(Datamod::iIdent),
                                              Ado::clUseServer, Ado::ltReadOnly);
    for (g->First(); !g->Eof(); g->Next())
        Gruppen[g->FieldByName("StgGrp")->AsInteger()] = Cent::AusBetrag(g->FieldByName("Betrag")->AsFloat());

    Report::TRvNDRWriter& w = Rechnung1::sAusdruck == "2" ? *rf_REchnungDetail : *rf_Rechnung;
    if (Rechnung1::bPDFDatei)
        PdfDateien(w, Rechnung1::sAusdruck == "2" ? "_StartgeldD.PDF" : "_StartgeldV.PDF");
    else
        Druckjob::Vorschau(w, Rechnung1::DruckjobID);
    SetModalResult(Host::mrOk);
}

QString TRechnungForm::RechnungSQL() const
{
    QStringList l = {
        "SELECT E.VereinNr,E.Disziplin,E.EKlasse,V.Bank,V.Konto,V.BLZ,E.AManuell,V.Titel,V.Name,",
        "       V.Vorstand,V.PLZ,V.Ort,V.Strasse,V.Kreis,V.Abkuerzung,DK.StgGrpEinzel,V.Startgeld,V.RechNr",
        "FROM ERGEBNIS E, EVEREIN V, PDISKLA DK, PSTARTG S",
        "WHERE E.VereinNr = V.VereinNr",
        "  AND E.Disziplin = DK.Disziplin",
        "  AND E.EKlasse = DK.Klasse",
        "  AND E.Ident = DK.Ident",
        "  AND DK.StgGrpEinzel = S.StgGrp",
        "  AND S.Ident = E.Ident",
        "  AND S.Betrag > 0",
        "  AND E.Ident = :Ident",
        "  AND E.VereinNr >= :VereinAb",
        "  AND E.VereinNr <= :VereinBis",
    };
    if (bStartgelder)
        l << "  AND V.Startgeld <> ''";
    QString sql = l.join(CRLF);
    if (bNachtraeglich)
        sql += " AND  E.AManuell = 'X'";
    if (bTeilm)
        sql += " AND  DK.Teilmeisterschaft = :Teilmeister";
    return sql + CRLF + "ORDER BY E.VereinNr,E.Disziplin,E.EKlasse";
}

// --- PDF files per club ------------------------------------------------------------

void TRechnungForm::PdfDateien(Report::TRvNDRWriter& Writer, const QString& Endung)
{
    const QString ziel = Schtools::LaufwerkHolen("PDF-Dateien ausgeben", "");
    if (ziel.isEmpty())
        return;
    auto datei = [&](const TVerein& v) { return QDir(QDir(ziel).filePath(v.VereinNr)).filePath(v.VereinNr + Endung); };
    int vorhanden = 0;
    for (const TVerein& v : Vereine)
        vorhanden += QFile::exists(datei(v)) ? 1 : 0;
    if (!Druckjob::ErsetzenErlaubt(ziel, vorhanden, "Rechnungen"))
        return;

    const QVector<TVerein> alle = Vereine;
    const auto zurueck = qScopeGuard([&] { Vereine = alle; });
    QStringList dateien;
    for (const TVerein& v : alle)
        dateien << datei(v);
    const QList<int> geschrieben = Druckjob::PdfDateien(
        Writer, dateien,
        [&](int i) {
            Vereine = {alle[i]};
            return QDir().mkpath(QFileInfo(dateien[i]).path());
        },
        [&](int i) { return "Die Rechnung des Vereins " + alle[i].VereinNr + " wurde nicht erstellt"; });
    for (int i : geschrieben)
        Datamod::PDFStringList.AddObject(dateien[i], std::make_unique<Datamod::TDisziplin>(alle[i].VereinNr));
    Pmsgdlg::qvMessageDlg("Die Ausgabe ist erstellt", Host::mtInformation, Host::mbOK, 1);
}

// --- Invoices ----------------------------------------------------------------------

void TRechnungForm::RechnungenDrucken(TBaseReport& Report, bool Detail)
{
    Druckjob::Status(Detail ? "Startgeldrechnungen detailliert erstellen" : "Startgeldrechnungen erstellen");
    Druckjob::ProgressStart(int(Vereine.size()));
    if (Detail)
        Datamod::DataModule1()->DynSQL("UPDATE PDISKLA SET ZaehlerE = 0," + CRLF + "        ZaehlerM = 0" + CRLF
                                       + "WHERE Ident = " + QString::number(Datamod::iIdent));
    for (int i = 0; i < Vereine.size(); ++i) {
        Druckjob::Progress(i);
        if (i > 0)
            Report.NewPage(); // the footer of the club before is drawn first
        aktuell = &Vereine[i];
        if (Detail) {
            ListeDruckenDetail(Report, *aktuell);
            RestDruckenDetail(Report, *aktuell);
        } else {
            ListeDrucken(Report, *aktuell);
            RestDrucken(Report, *aktuell);
        }
    }
}

void TRechnungForm::ListeDrucken(TBaseReport& Report, const TVerein& Verein)
{
    const QString teilm = setting("Speziell", "Teilmeisterschaft");
    const double mitte = (Report.SectionLeft() + Report.SectionRight()) / 2;
    Reportutil::Faltmarker(Report);
    Report.SetXPos(Report.SectionLeft());
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    Report.SetItalic(true);
    Report.PrintCenter(setting("Global", "Meistersch") + " " + sportjahr(), mitte);
    Report.NewLine();
    Report.SetFont("Arial", 13);
    Report.SetBold(false);
    Report.SetItalic(false);
    QString titel;
    if (bNachtraeglich)
        titel = bTeilm ? "Startgeldrechnung Nachmeldungen für Teilm. " + teilm : QStringLiteral("Startgeldrechnung Nachmeldungen");
    else if (bStartgelder)
        titel = ui->ed_Text->text();
    else
        titel = bTeilm ? "Startgeldrechnung für Teilm. " + teilm : QStringLiteral("Startgeldrechnung Komplett");
    Report.PrintCenter(titel, mitte);
    Report.NewLine();
    Report.SetFont("Arial", 11);
    Report.PrintRight(heute(), Report.SectionRight());
    Report.NewLine();
    Report.NewLine();

    // The sender line above the address, as a window envelope shows it.
    Report.SetFont("Arial", 8);
    Reportutil::SpaltenSetzen(Report, {{0.4}, {10.1}});
    Reportutil::Zeile(Report, {"", Absender.join(" ")});
    Report.SetFont("Arial", 12);
    Report.SetYPos(Report.GetYPos() + 0.3); // room for the capitals of the address
    Report.SetBold(true);
    Reportutil::SpaltenSetzen(Report, {{0.4}, {10.1}, {7.0}});
    if (setting("Speziell", "VBWettkampf") == "J")
        Report.NewLine();
    else
        Reportutil::Zeile(Report, {"", (Verein.Abkuerzung + "  " + Verein.Name).trimmed(), Verein.VereinNr});
    Reportutil::Zeile(Report, {"", Verein.Vorstand, ""});
    Reportutil::Zeile(Report, {"", Verein.Strasse, ""});
    Reportutil::Zeile(Report, {"", Verein.PLZ + "  " + Verein.Ort, ""});
    Report.SetBold(false);
    for (int i = 0; i < 4; ++i)
        Report.NewLine();

    Report.SetFont("Arial", 10);
    Reportutil::SpaltenSetzen(Report, {{5.0}, {2.5}, {0.5}, {2.0}});
    if (Qvsettings::GetInteger("Allgemein", "Verband") == 0)
        Reportutil::Zeile(Report, {"Rechnungsnummer:", Verein.Nummer, "/",
                                   QString::number(Verein.Kreis.toInt() + 10) + Verein.VereinNr});
    else
        Reportutil::Zeile(Report, {"Rechnungsnummer:", Verein.Nummer, "", ""});
    Report.NewLine();
}

void TRechnungForm::ListeDruckenDetail(TBaseReport& Report, const TVerein& Verein) { ListeDrucken(Report, Verein); }

void TRechnungForm::Platz(TBaseReport& Report, int Zeilen)
{
    // The footer takes the last five lines of the page.
    if (Report.LinesLeft() >= Zeilen + 5)
        return;
    Report.NewPage();
    Report.NewLine();
    Report.SetFont("Arial", 10);
    Report.SetItalic(true);
    Report.PrintLeft("Rechnungsnummer " + aktuell->Nummer + ", Verein " + aktuell->VereinNr + " " + aktuell->Name
                         + " (Fortsetzung)",
                     Report.SectionLeft());
    Report.SetItalic(false);
    Report.NewLine();
    Report.NewLine();
}

void TRechnungForm::Ueberschrift(TBaseReport& Report, const QString& Text)
{
    Platz(Report, 3);
    Report.NewLine();
    Report.SetFont("Arial", 11);
    Report.SetUnderline(true);
    Reportutil::SpaltenSetzen(Report, {{1.0}, {8.0}});
    Reportutil::Zeile(Report, {"", Text});
    Report.SetUnderline(false);
}

void TRechnungForm::BetragZeile(TBaseReport& Report, const QString& Text, int Anzahl, qint64 Einzel, qint64& Summe)
{
    Platz(Report, 1);
    const qint64 betrag = Anzahl * Einzel;
    Summe += betrag;
    Report.SetFont("Arial", 11);
    const QString w = Waehrung();
    if (Text.isNull()) {
        Reportutil::SpaltenSetzen(Report, betragSpalten);
        Reportutil::Zeile(Report, {"", QString::number(Anzahl), "X", Cent::Text(Einzel), w, Cent::Text(betrag), w});
    } else {
        Reportutil::SpaltenSetzen(Report, detailSpalten);
        Reportutil::Zeile(Report, {Text + " ....", QString::number(Anzahl), "X", Cent::Text(Einzel), w, Cent::Text(betrag), w});
    }
}

void TRechnungForm::Gesamt(TBaseReport& Report, qint64 Summe)
{
    if (bStartgelder && Report.GetYPos() < 15.56)
        Report.SetYPos(15.56);
    Platz(Report, 3 + int(Schlusstext.size()));
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(true);
    Report.SetItalic(true);
    const QString w = Waehrung();
    Reportutil::SpaltenSetzen(Report, {{1.0}, {6.9}, {3.0, pjRight}, {1.4}});
    Reportutil::Zeile(Report, {"", "Gesamtbetrag", Cent::Text(Summe), w});
    Report.SetBold(false);
    Report.SetItalic(false);
    Report.NewLine();
    Report.SetFont("Arial", 11);
    Reportutil::SpaltenSetzen(Report, {{Reportutil::Rest}});
    for (const QString& z : Schlusstext)
        Reportutil::Zeile(Report, {z});
}

void TRechnungForm::RestDrucken(TBaseReport& Report, const TVerein& Verein)
{
    qint64 summe = 0;
    if (bStartgelder) {
        Cent::AusStartgeld(Verein.Startgeld, summe);
        Gesamt(Report, summe);
        return;
    }
    auto gruppen = [&](const QString& titel, const std::map<int, int>& anzahl) {
        bool kopf = false;
        for (const auto& [gruppe, n] : anzahl) {
            const qint64 betrag = Gruppen.count(gruppe) ? Gruppen.at(gruppe) : 0;
            if (n <= 0 || betrag <= 0)
                continue;
            if (!kopf)
                Ueberschrift(Report, titel);
            kopf = true;
            BetragZeile(Report, QString(), n, betrag, summe);
        }
    };
    gruppen("Einzelstarter", Verein.Einzel);
    std::map<int, int> teams;
    Schtools::MannschaftStartZaehlen(Verein.VereinNr, bTeilm, bNachtraeglich, teams);
    gruppen("Mannschaften", teams);
    if (setting("Speziell", "Ummeldung") == "J") {
        auto um = Datamod::DataModule1()->DynQuery("SELECT *" + CRLF + "FROM EMANNSCH" + CRLF + "WHERE Ident = "
                                                       + QString::number(Datamod::iIdent) + "  AND Ummeldung > 0"
                                                       + "  AND VereinNr = :Verein",
                                                   Ado::clUseServer, Ado::ltReadOnly);
        um->ParamByName("Verein")->SetValue(Verein.VereinNr);
        um->Open();
        if (um->RecordCount() > 0) {
            Ueberschrift(Report, "Mannschaftsummeldungen");
            BetragZeile(Report, QString(), um->RecordCount(), Qvsettings::GetInteger("Speziell", "UBetrag"), summe);
        }
    }
    Gesamt(Report, summe);
}

void TRechnungForm::RestDruckenDetail(TBaseReport& Report, const TVerein& Verein)
{
    auto* dm = Datamod::DataModule1();
    const QString ident = QString::number(Datamod::iIdent);
    {
        Ado::TTransaction t(*dm->Connection());
        for (const auto& [gruppe, n] : Verein.Klassen)
            dm->DynSQL("UPDATE PDISKLA SET ZaehlerE = " + QString::number(n) + CRLF + "WHERE Ident = " + ident + CRLF
                       + "  AND Disziplin = " + Ado::QuotedStr(gruppe.first) + CRLF + "  AND Klasse = "
                       + Ado::QuotedStr(gruppe.second));
        std::map<int, int> teams;
        Schtools::MannschaftStartZaehlenDetail(Verein.VereinNr, bTeilm, bNachtraeglich, teams);
        t.Commit();
    }
    const QString basis = "SELECT DK.Disziplin,DK.Klasse,DK.ZaehlerE,DK.ZaehlerM,DK.StgGrpEinzel,DK.StgGrpMannschaft,"
                          + CRLF + "       D.Name AS DisName,K.Name AS KlaName" + CRLF
                          + "FROM PDISKLA DK, PDISZIPLIN D, PKLASSE K" + CRLF + "WHERE DK.Disziplin = D.Disziplin" + CRLF
                          + "  AND DK.Ident = D.Ident" + CRLF + "  AND DK.Klasse = K.Klasse" + CRLF
                          + "  AND DK.Ident = K.Ident" + CRLF + "  AND DK.Ident = " + ident + CRLF;
    qint64 summe = 0;
    auto liste = [&](const QString& titel, const QString& zaehler, const QString& gruppe, const QString& order) {
        auto q = dm->DynQuery(basis + "  AND DK." + zaehler + " > 0" + CRLF + "ORDER BY " + order, Ado::clUseServer,
                              Ado::ltReadOnly);
        bool kopf = false;
        for (q->First(); !q->Eof(); q->Next()) {
            const int g = q->FieldByName(gruppe)->AsInteger();
            const qint64 betrag = Gruppen.count(g) ? Gruppen.at(g) : 0;
            if (betrag <= 0)
                continue;
            if (!kopf)
                Ueberschrift(Report, titel);
            kopf = true;
            BetragZeile(Report, q->FieldByName("DisName")->AsString() + " " + q->FieldByName("KlaName")->AsString(),
                        q->FieldByName(zaehler)->AsInteger(), betrag, summe);
        }
    };
    if (!bStartgelder) {
        liste("Einzelstarter", "ZaehlerE", "StgGrpEinzel", "DK.Disziplin,DK.Klasse,DK.StgGrpEinzel");
        liste("Mannschaften", "ZaehlerM", "StgGrpMannschaft", "DK.StgGrpMannschaft,DK.Disziplin,DK.Klasse");
        if (setting("Speziell", "Ummeldung") == "J") {
            auto um = dm->DynQuery("SELECT *" + CRLF + "FROM EMANNSCH" + CRLF + "WHERE Ident = " + ident
                                       + "  AND Ummeldung > 0" + "  AND VereinNr = " + Ado::QuotedStr(Verein.VereinNr),
                                   Ado::clUseServer, Ado::ltReadOnly);
            if (um->RecordCount() > 0) {
                Ueberschrift(Report, "Mannschaftsummeldungen");
                BetragZeile(Report, "Ummeldungen", um->RecordCount(), Qvsettings::GetInteger("Speziell", "UBetrag"), summe);
            }
        }
    } else {
        Cent::AusStartgeld(Verein.Startgeld, summe);
    }
    dm->DynSQL("UPDATE PDISKLA SET ZaehlerE = 0," + CRLF + "        ZaehlerM = 0" + CRLF + "WHERE Ident = " + ident);
    Gesamt(Report, summe);
}

void TRechnungForm::FussZeile(TBaseReport& Report)
{
    if (!aktuell)
        return;
    const double links = Report.SectionLeft(), rechts = Report.SectionRight();
    Report.SetFont("Arial", 8);
    Report.SetItalic(true);
    const double klein = Report.LineHeight();
    const double y3 = Report.SectionBottom() - 0.1;
    const double y2 = y3 - klein;
    Report.SetYPos(y2);
    Report.PrintLeft("Sie erreichen uns: Tel.:  " + setting("Global", "TVorw") + "/" + setting("Global", "Telefon") + "  "
                         + "Fax: " + " " + setting("Global", "FVorw") + "/" + setting("Global", "Fax"),
                     links);
    Report.PrintRight(setting("Global", "StNr") + ": " + setting("Global", "SteuerNr"), rechts);
    Report.SetYPos(y3);
    Report.PrintLeft(setting("Global", "Institut") + "  " + setting("Global", "Konto") + " (" + setting("Global", "BLZ") + ")",
                     links);
    Report.PrintRight("Gläubiger ID: " + setting("Global", "GläubigerID"), rechts);
    Report.SetItalic(false);

    const double regel = y2 - klein + 0.1;
    Report.SetPen(Qt::black, Qt::SolidLine, -1);
    Report.MoveTo(links, regel);
    Report.LineTo(rechts, regel);
    const auto m = Mandate.find(aktuell->VereinNr);
    if (m != Mandate.end()) {
        Report.SetFont("Arial", 10);
        Report.SetYPos(regel - 0.25);
        Report.PrintLeft("Zahlung erfolgt per Lastschrift zum "
                             + Qvclock::DatumText(Qvclock::Now().date().addDays(iFaellig)),
                         links);
        Report.PrintRight("Ihre Mandatsreferenz: " + m->second, rechts);
    }
}

// --- Overview ---------------------------------------------------------------------

void TRechnungForm::UebersichtDrucken(TBaseReport& Report)
{
    auto q = Datamod::DataModule1()->DynQuery("SELECT *" + CRLF + "FROM EVEREIN" + CRLF + "WHERE Startgeld <> ''" + CRLF
                                              + "ORDER BY VereinNr",
                                              Ado::clUseServer, Ado::ltReadOnly);
    Druckjob::Status("Startgeldübersicht erstellen");
    Druckjob::ProgressStart(q->RecordCount());
    const double mitte = (Report.SectionLeft() + Report.SectionRight()) / 2;
    Report.NewLine();
    Report.SetFont("Arial", 15);
    Report.NewLine();
    Report.SetBold(true);
    Report.PrintCenter("S T A R T G E L D Ü B E R S I C H T", mitte);
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(false);
    const QString ueber = bStartgelder ? ui->ed_Text->text() : setting("Global", "Meistersch");
    Report.PrintCenter(ueber + " " + sportjahr() + (bNachtraeglich ? " Nachträglich" : ""), mitte);
    Report.NewLine();
    Report.NewLine();

    const QVector<Reportutil::TSpalte> spalten = {{1.0}, {6.5}, {4.2}, {2.2}, {1.6}, {1.8, pjRight}};
    auto kopf = [&] {
        Report.SetFont("Arial", 8);
        Report.SetBold(true);
        Reportutil::SpaltenSetzen(Report, spalten);
        Reportutil::TabLines(Report, "b", true);
        Reportutil::Zeile(Report, {"V-Nr.", "Verein", "Bank", "Konto", "BLZ", "Betrag"});
        Report.SetBold(false);
        Reportutil::SpaltenSetzen(Report, spalten);
    };
    kopf();
    qint64 summe = 0;
    int i = 0;
    for (q->First(); !q->Eof(); q->Next()) {
        Druckjob::Progress(++i);
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            kopf();
        }
        qint64 cent = 0;
        Cent::AusStartgeld(q->FieldByName("Startgeld")->AsString(), cent);
        summe += cent;
        Reportutil::Zeile(Report, {q->FieldByName("VereinNr")->AsString(),
                                   (q->FieldByName("Abkuerzung")->AsString() + " " + q->FieldByName("Name")->AsString()).trimmed(),
                                   q->FieldByName("Bank")->AsString(), q->FieldByName("Konto")->AsString(),
                                   q->FieldByName("BLZ")->AsString(), Cent::Text(cent)});
    }
    Report.NewLine();
    Report.SetFont("Arial", 10);
    Report.SetBold(true);
    Reportutil::SpaltenSetzen(Report, {{1.0}, {6.5}, {4.2}, {2.2}, {1.0}, {2.4, pjRight}});
    Reportutil::Zeile(Report, {"", "Gesamt", "", "", "", Cent::Text(summe)});
    Report.SetBold(false);
}

namespace Rechnung1 {

TRechnungForm* RechnungForm = nullptr;
QString sAusdruck;
bool bPDFDatei = false;
int DruckjobID = 0;

int Rechnungliste(const QString& Ausdruck, bool PDFDatei)
{
    sAusdruck = Ausdruck;
    bPDFDatei = PDFDatei;
    return Vcl::TModalForm::ModalZeigen(RechnungForm);
}

} // namespace Rechnung1
