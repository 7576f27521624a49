#include "reports1/preparation/Vollst1.h"
#include "ui_Vollst1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QDir>
#include <QListWidget>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;
using Reportutil::Feld;
using Reportutil::Schrift;

// The organiser's key column of a level and its expression in the statements.
const char* schluessel(int ebene) { return ebene == 3 ? "Land" : ebene == 2 ? "Bezirk" : "VereinNr"; }
QString ausdruck(int ebene)
{
    return ebene == 3 ? "MID(E.VereinNr,1,1)" : ebene == 2 ? "MID(E.VereinNr,1,2)" : "E.VereinNr";
}

// Completeness list: code 1.6, name, count; the takeover list: member
// number, name, class, mark.
const QVector<Reportutil::TSpalte> kSpalten = {{1.6, Report::pjLeft}, {13.9, Report::pjLeft}, {2.0, Report::pjRight}};
const QVector<Reportutil::TSpalte> kUebernahme = {
    {1.0, Report::pjLeft}, {2.2, Report::pjLeft}, {7.8, Report::pjLeft}, {4.0, Report::pjLeft}, {2.5, Report::pjRight}};

} // namespace

namespace Vollst1 {

TVollstForm* VollstForm = nullptr;
int iAusdruck = 1;
QString sAusdruck;
int DruckjobID = 0;

int Ebene(int VeranstaltungsArt, bool NaechsterVeranstalter)
{
    int e = VeranstaltungsArt == 2 || VeranstaltungsArt == 3 ? VeranstaltungsArt : 1;
    if (NaechsterVeranstalter)
        e = std::min(e + 1, 3);
    return e;
}

int Vollstliste(int Ausdruck, QString& Ergebnis)
{
    iAusdruck = Ausdruck;
    sAusdruck.clear();
    const int r = Vcl::TModalForm::ModalZeigen(VollstForm);
    Ergebnis = sAusdruck;
    return r;
}

} // namespace Vollst1

// --- Form ------------------------------------------------------------------------------------

TVollstForm::TVollstForm() : ui(new Ui::TVollstForm)
{
    ui->setupUi(this);
    ui->gb_Veranst->SetItems({"Alle Veranstalter", "Einzelner Veranstalter"});
    ui->lx_Tag->setSelectionMode(QAbstractItemView::ExtendedSelection);

    rf_Veranst = Druckjob::Listenschreiber(this, "rf_Veranst", "Vollständigkeitsliste");
    rf_Veranst->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen des Vollständigkeitsprotokolls");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Veranst->OnPrint = [this](TBaseReport& r) { Vollstaendigkeit(r); };

    rtf_Veranst = new Report::TRTFFiler(this);
    rtf_Veranst->setObjectName("rtf_Veranst");
    rtf_Veranst->SetTitle("Vollständigkeitsliste");
    rtf_Veranst->OnBeforePrint = rf_Veranst->OnBeforePrint;
    rtf_Veranst->OnPrint = [this](TBaseReport& r) { Vollstaendigkeit(r); };

    rf_Uebernahme = Druckjob::Listenschreiber(this, "rf_Uebernahme", "Übernahmedaten aus dem Startmeldeprogramm");
    rf_Uebernahme->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Ausgeben der Übernahmedaten");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Uebernahme->OnPrint = [this](TBaseReport& r) { Uebernahme(r); };

    // The days of the sub-championship and the ranges for the medal forecast.
    const QString id = QString::number(Datamod::iIdent);
    sTeilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    auto tage = Datamod::DataModule1()->DynQuery("SELECT WKTag,Datum\r\nFROM AWKTAG\r\nWHERE Ident = " + id + "\r\n"
                                                     + "  AND Teilmeisterschaft = " + Ado::QuotedStr(sTeilm) + "\r\n"
                                                     + "ORDER BY Datum",
                                                 Ado::clUseServer, Ado::ltReadOnly);
    for (tage->First(); !tage->Eof(); tage->Next()) {
        auto* item = new QListWidgetItem(Feld(*tage, "Datum"), ui->lx_Tag);
        item->setData(Qt::UserRole, tage->FieldByName("WKTag")->AsInteger());
    }
    q_Anlage = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM PANLAGE\r\nWHERE Ident = :Ident", Ado::clUseServer,
                                                Ado::ltReadOnly);
    q_Anlage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q_Anlage->Open();
    ui->cx_Anlage->Fuellen(*q_Anlage, "Anlage", {"Name"});
    q_Verein = Datamod::DataModule1()->DynQuery("SELECT VereinNr,Name\r\nFROM EVEREIN\r\nORDER BY VereinNr",
                                                Ado::clUseServer, Ado::ltReadOnly);
    ui->cx_Verein->Fuellen(*q_Verein, "VereinNr", {"VereinNr", "Name"});

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
    Host::Connect(ui->gb_Veranst, &Vcl::TRadioGroup::Click, this, &TVollstForm::gb_VeranstClick);
    Host::Connect(ui->cb_AlleAnlagen, &QAbstractButton::clicked, this, &TVollstForm::cb_AlleAnlagenClick);
}

TVollstForm::~TVollstForm() { delete ui; }

void TVollstForm::FormShow()
{
    const int modus = Vollst1::iAusdruck;
    QWidget* seite = modus == 3 ? ui->ts_Medaille : modus == 4 ? ui->ts_Uebernahme : ui->ts_Veranstaltung;
    ui->pc_Vollst->setCurrentWidget(seite);
    // The list for the next organiser counts every organiser of the level
    // above, all sub-championships: nothing to choose.
    const bool auswahl = modus != 2;
    ui->gb_Veranst->setVisible(auswahl);
    ui->lb_Veranst->setVisible(auswahl);
    ui->ed_Veranst->setVisible(auswahl);
    ui->cb_Teilm->setVisible(auswahl);
    ui->gb_Veranst->SetItemIndex(0);
    ui->ed_Veranst->setEnabled(false);
    ui->cb_AlleAnlagen->setChecked(true);
    ui->cx_Anlage->setEnabled(false);
    bFertigMitLaden = false;
}

void TVollstForm::FormClose()
{
    Q1.reset();
    q_Anlage.reset();
    q_Verein.reset();
}

void TVollstForm::gb_VeranstClick() { ui->ed_Veranst->setEnabled(ui->gb_Veranst->ItemIndex() == 1); }

void TVollstForm::cb_AlleAnlagenClick() { ui->cx_Anlage->setEnabled(!ui->cb_AlleAnlagen->isChecked()); }

void TVollstForm::bt_OKClick()
{
    switch (Vollst1::iAusdruck) {
    case 3:
        MedailleOK();
        break;
    case 4:
        UebernahmeOK();
        break;
    default:
        VeranstaltungOK();
        break;
    }
}

// --- Completeness list --------------------------------------------------------------------------

void TVollstForm::VeranstaltungOK()
{
    const bool naechster = Vollst1::iAusdruck == 2;
    const bool einzeln = !naechster && ui->gb_Veranst->ItemIndex() != 0;
    const int art = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt");
    iEbene = Vollst1::Ebene(art, naechster);
    const QString eingabe = ui->ed_Veranst->text().trimmed();
    if (einzeln) {
        const char* fehler = nullptr;
        if (iEbene == 1 && eingabe.size() < 4)
            fehler = "Es wurde ein fehlerhafter Veranstalter eingegeben (4 Stellen).";
        else if (iEbene == 2 && eingabe.size() != 2)
            fehler = "Es wurde ein fehlerhafter Veranstalter eingegeben (2 Stellen).";
        else if (iEbene == 3 && eingabe.size() != 1)
            fehler = "Es wurde ein fehlerhafter Veranstalter eingegeben (1 Stelle).";
        if (fehler) {
            ui->ed_Veranst->setFocus();
            throw Eingabefehler(QString::fromUtf8(fehler));
        }
    }
    const QString veranstalter = iEbene == 3 ? eingabe.left(1) : iEbene == 2 ? eingabe.left(2) : eingabe;
    const bool alleTeilm = naechster || ui->cb_Teilm->isChecked();
    bKomplett = alleTeilm;

    QString sql = "SELECT E.Disziplin,E.VereinNr,E.EKlasse,D.Name as DisName\r\nFROM ERGEBNIS E, PDISKLA DK, "
                  "PDISZIPLIN D\r\nWHERE E.Disziplin = DK.Disziplin\r\n  AND E.EKlasse = DK.Klasse\r\n  AND "
                  "E.Disziplin = D.Disziplin\r\n  AND E.Abmeldung = 'N'\r\n  AND E.Ident = DK.Ident\r\n  AND E.Ident = "
                  "D.Ident\r\n  AND E.Ident = :Ident\r\n";
    if (iEbene != 1)
        sql.replace("SELECT E.Disziplin", "SELECT " + ausdruck(iEbene) + " as " + schluessel(iEbene) + ",E.Disziplin");
    if (einzeln)
        sql += "  AND " + ausdruck(iEbene) + " = :Verein\r\n";
    if (naechster)
        sql += "  AND E.Ergebnis > 0\r\n";
    else if (!alleTeilm)
        sql += "  AND DK.Teilmeisterschaft = :Teilmeister\r\n";
    sql += "ORDER BY " + ausdruck(iEbene) + ",E.Disziplin,E.EKlasse";

    Q1 = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    if (einzeln)
        Q1->ParamByName("Verein")->SetValue(veranstalter);
    if (!naechster && !alleTeilm)
        Q1->ParamByName("Teilmeister")->SetValue(sTeilm);
    Q1->Open();
    if (Druckjob::KeineDaten(*Q1)) {
        Q1.reset();
        return;
    }
    if (ui->cb_RTF->isChecked())
        Druckjob::Datei(*rtf_Veranst, QDir(Qvpaths::DataFolder()).filePath("VOLLST.RTF"),
                        "Das Vollständigkeitsprotokoll ist als   VOLLST.RTF  im\r\nOrdner  DATEN  erstellt worden");
    else
        Druckjob::Vorschau(*rf_Veranst, Vollst1::DruckjobID);
    Q1.reset();
}

void TVollstForm::Vollstaendigkeit(TBaseReport& Report)
{
    VorbListen::ListenKopf(Report,
                           bKomplett ? QStringLiteral("Vollständigkeitsprotokoll komplett")
                                     : "Vollständigkeitsprotokoll der Teilm. " + sTeilm,
                           false, 1);
    Reportutil::SpaltenSetzen(Report, kSpalten);

    // Names of the classes, the clubs and (on record as clubs "<district>00")
    // the districts.
    const QString id = QString::number(Datamod::iIdent);
    QMap<QString, QString> klassen, vereine;
    auto k = Datamod::DataModule1()->DynQuery("SELECT Klasse,Name\r\nFROM PKLASSE\r\nWHERE Ident = " + id,
                                              Ado::clUseServer, Ado::ltReadOnly);
    for (k->First(); !k->Eof(); k->Next())
        klassen.insert(Feld(*k, "Klasse"), Feld(*k, "Name"));
    auto v = Datamod::DataModule1()->DynQuery("SELECT VereinNr,Name\r\nFROM EVEREIN", Ado::clUseServer, Ado::ltReadOnly);
    for (v->First(); !v->Eof(); v->Next())
        vereine.insert(Feld(*v, "VereinNr"), Feld(*v, "Name"));
    const auto name = [&](const QString& key) {
        return iEbene == 3 ? QString() : vereine.value(iEbene == 2 ? key + "00" : key);
    };

    const VorbListen::TSchattierung schattierung = VorbListen::TSchattierung::AusEinstellungen();
    bool schatten = false;
    QString veranstalter, disziplin, klasse;
    int iKlasse = 0, iVeranstalter = 0, iGesamt = 0;
    bool ersterVeranstalter = true;
    const auto zeile = [&](bool fett, const QStringList& z) {
        Schrift(Report, 10, fett);
        VorbListen::Zeile(Report, z);
    };
    const auto klasseDrucken = [&] {
        if (klasse.isNull())
            return;
        if (Report.LinesLeft() < 2)
            VorbListen::Seitenwechsel(Report, 2);
        schatten = schattierung.An && !schatten;
        Report.SetTabShade(schatten ? schattierung.Wert : 0);
        zeile(false, {klasse, klassen.value(klasse), QString::number(iKlasse)});
        Report.SetTabShade(0);
        klasse = QString();
        iKlasse = 0;
    };
    const auto gesamt = [&](const QString& text, int zahl) {
        Report.SetTabShade(0);
        zeile(true, {"", text, QString::number(zahl)});
    };

    int i = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(i++);
        const QString key = Feld(*Q1, schluessel(iEbene));
        const QString dis = Feld(*Q1, "Disziplin");
        const QString kla = Feld(*Q1, "EKlasse");
        if (ersterVeranstalter || key != veranstalter) {
            klasseDrucken();
            if (iVeranstalter > 0)
                gesamt("Gesamt", iVeranstalter);
            VorbListen::Seitenwechsel(Report, 6);
            Report.NewLine();
            Schrift(Report, 11, true);
            VorbListen::Zeile(Report, {key, name(key), ""});
            veranstalter = key;
            disziplin = QString();
            iVeranstalter = 0;
            ersterVeranstalter = false;
            schatten = false;
        }
        if (disziplin.isNull() || dis != disziplin) {
            klasseDrucken();
            VorbListen::Seitenwechsel(Report, 4);
            zeile(true, {VorbListen::Gepunktet(dis), Feld(*Q1, "DisName"), "Anzahl"});
            disziplin = dis;
            schatten = false;
        }
        if (!klasse.isNull() && kla != klasse)
            klasseDrucken();
        klasse = kla;
        ++iKlasse;
        ++iVeranstalter;
        ++iGesamt;
    }
    klasseDrucken();
    gesamt("Gesamt", iVeranstalter);
    Report.NewLine();
    gesamt("Insgesamt", iGesamt);
    Druckjob::Ende();
    bFertigMitLaden = true;
}

// --- Ranges and days of the medal forecast ---------------------------------------------------------

void TVollstForm::MedailleOK()
{
    QList<QListWidgetItem*> tage;
    for (int i = 0; i < ui->lx_Tag->count(); ++i)
        if (ui->lx_Tag->item(i)->isSelected())
            tage << ui->lx_Tag->item(i);
    if (tage.isEmpty()) {
        ui->lx_Tag->setFocus();
        throw Eingabefehler("Es wurden keine Tage ausgewählt.");
    }
    QString auswahl;
    if (ui->cb_AlleAnlagen->isChecked()) {
        auswahl = "0;";
    } else {
        const QString name = ui->cx_Anlage->currentIndex() < 0 ? QString() : ui->cx_Anlage->currentText();
        auto q = Datamod::DataModule1()->DynQuery("SELECT Anlage\r\nFROM PANLAGE\r\nWHERE Ident = "
                                                      + QString::number(Datamod::iIdent) + "\r\n" + "  AND Name = "
                                                      + Ado::QuotedStr(name),
                                                  Ado::clUseServer, Ado::ltReadOnly);
        if (name.isEmpty() || q->IsEmpty()) {
            ui->cx_Anlage->setFocus();
            throw Eingabefehler("Es wurde keine Anlage ausgewählt.");
        }
        q->First();
        auswahl = QString::number(q->FieldByName("Anlage")->AsInteger()) + ";";
    }
    const int erster = tage.first()->data(Qt::UserRole).toInt();
    const int zweiter = tage.size() > 1 ? tage.last()->data(Qt::UserRole).toInt() : 0;
    Vollst1::sAusdruck = auswahl + QString::number(erster) + ";" + QString::number(zweiter) + ";";
}

// --- Takeover list -------------------------------------------------------------------------------------

void TVollstForm::UebernahmeOK()
{
    QString sql = "SELECT VereinNr\r\nFROM ERGEBNIS\r\nWHERE Ident = " + QString::number(Datamod::iIdent) + CRLF;
    const QString verein = ui->cx_Verein->KeyValue();
    if (!verein.isEmpty())
        sql += "  AND VereinNr = " + Ado::QuotedStr(verein) + CRLF;
    sql += "GROUP BY VereinNr" + CRLF + "ORDER BY VereinNr";
    Q1 = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    if (Q1->RecordCount() < 1) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg("Zu dieser Auswahl sind keine Daten vorhanden", Host::mtInformation, Host::mbOK, 1);
        return;
    }
    Druckjob::Vorschau(*rf_Uebernahme, Vollst1::DruckjobID);
    Q1.reset();
}

void TVollstForm::Uebernahme(TBaseReport& Report)
{
    const QString id = QString::number(Datamod::iIdent);
    // The design-time queries: a club's individual starts, and the starts
    // it enters in teams (by discipline, team class and team).
    Ado::TADOQuery q_Einzel, q_Mannschaft;
    q_Einzel.SetSQL("SELECT E.Disziplin,E.EKlasse,E.MitglNr,M.Name,M.Vorname,M.Titel,D.Name as DisName,K.Name as KlaName"
                    + CRLF + "FROM ERGEBNIS E, EMITGLIED M, PDISZIPLIN D, PKLASSE K" + CRLF
                    + "WHERE E.MitglNr = M.MitglNr" + CRLF + "  AND E.Disziplin = D.Disziplin" + CRLF
                    + "  AND E.EKlasse = K.Klasse" + CRLF + "  AND E.Ident = D.Ident" + CRLF + "  AND E.Ident = K.Ident"
                    + CRLF + "  AND E.Ident = :Ident" + CRLF + "  AND E.VereinNr = :Verein" + CRLF
                    + "  AND (E.MVereinNr IS NULL OR E.MVereinNr = '')" + CRLF
                    + "ORDER BY E.Disziplin,E.EKlasse,M.Name,M.Vorname,E.MitglNr");
    q_Mannschaft.SetSQL("SELECT E.MDisziplin,E.MKlasse,E.MannschNr,E.MitglNr,M.Name,M.Vorname,M.Titel,"
                        "D.Name as DisName,K.Name as KlaName"
                        + CRLF + "FROM ERGEBNIS E, EMITGLIED M, PDISZIPLIN D, PKLASSE K" + CRLF
                        + "WHERE E.MitglNr = M.MitglNr" + CRLF + "  AND E.MDisziplin = D.Disziplin" + CRLF
                        + "  AND E.MKlasse = K.Klasse" + CRLF + "  AND E.Ident = D.Ident" + CRLF
                        + "  AND E.Ident = K.Ident" + CRLF + "  AND E.Ident = :Ident" + CRLF
                        + "  AND E.MVereinNr = :Verein" + CRLF
                        + "ORDER BY E.MDisziplin,E.MKlasse,E.MannschNr,M.Name,M.Vorname,E.MitglNr");
    QMap<QString, QString> kennz; // "E|110|10" -> mark
    const auto kennzahl = [&](bool einzel, const QString& dis, const QString& kla) {
        const QString key = QString(einzel ? "E" : "M") + "|" + dis + "|" + kla;
        if (!kennz.contains(key)) {
            QString ziffer;
            kennz.insert(key, Reportutil::KennzZahlHolen(Datamod::iIdent, einzel ? "E" : "M", "", dis, kla, ziffer, true));
        }
        return kennz.value(key);
    };
    const auto zahl = [&](const QString& sql) {
        auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
        q->First();
        return q->IsEmpty() ? 0 : q->Field(0)->AsInteger();
    };

    Reportutil::SpaltenSetzen(Report, kUebernahme);
    int i = 0;
    bool erster = true;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(i++);
        const QString verein = Feld(*Q1, "VereinNr");
        if (!erster)
            Report.NewPage();
        erster = false;
        auto v = Datamod::DataModule1()->DynQuery("SELECT Name\r\nFROM EVEREIN\r\nWHERE VereinNr = " + Ado::QuotedStr(verein),
                                                  Ado::clUseServer, Ado::ltReadOnly);
        v->First();
        VorbListen::ListenKopf(Report, "Übernahmedaten aus dem Startmeldeprogramm", false, 1);
        Reportutil::SpaltenSetzen(Report, {{2.0, Report::pjLeft}, {Reportutil::Rest, Report::pjLeft}});
        Schrift(Report, 12, true);
        VorbListen::Zeile(Report, {verein, v->IsEmpty() ? QString() : Feld(*v, "Name")});
        Report.NewLine();
        Reportutil::SpaltenSetzen(Report, kUebernahme);

        // Individual starts, grouped by discipline and class.
        const auto gruppe = [&](Ado::TADOQuery& q, bool einzel) {
            q.ParamByName("Ident")->SetValue(Datamod::iIdent);
            q.ParamByName("Verein")->SetValue(verein);
            q.Open();
            QString alt;
            for (q.First(); !q.Eof(); q.Next()) {
                const QString dis = Feld(q, einzel ? "Disziplin" : "MDisziplin");
                const QString kla = Feld(q, einzel ? "EKlasse" : "MKlasse");
                const QString team = einzel ? QString() : Feld(q, "MannschNr");
                const QString neu = dis + "|" + kla + "|" + team;
                if (neu != alt) {
                    VorbListen::Seitenwechsel(Report, 4);
                    Schrift(Report, 10, true);
                    VorbListen::Zeile(Report, {"", VorbListen::Gepunktet(dis), Feld(q, "DisName") + (team.isEmpty() ? "" : "  Mannschaft " + team),
                                               kla + " " + Feld(q, "KlaName"), kennzahl(einzel, dis, kla)});
                    alt = neu;
                }
                VorbListen::Seitenwechsel(Report, 2);
                Schrift(Report, 10, false);
                VorbListen::Zeile(Report, {"", Feld(q, "MitglNr"),
                                           VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "Titel"), Feld(q, "Vorname")),
                                           kla, ""});
            }
            q.Close();
        };
        const auto teil = [&](const QString& titel) {
            Schrift(Report, 11, true);
            Reportutil::SpaltenSetzen(Report, {{Reportutil::Rest, Report::pjLeft}});
            Reportutil::Zeile(Report, {titel});
            Reportutil::SpaltenSetzen(Report, kUebernahme);
        };
        teil("Einzel");
        gruppe(q_Einzel, true);
        Report.NewLine();
        VorbListen::Seitenwechsel(Report, 3);
        teil("Mannschaft");
        gruppe(q_Mannschaft, false);

        // The club's summary.
        auto starts = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = " + id
                                                           + "  AND VereinNr = " + Ado::QuotedStr(verein)
                                                           + "ORDER BY MitglNr",
                                                       Ado::clUseServer, Ado::ltReadOnly);
        int mitglieder = 0;
        QString mitglied;
        for (starts->First(); !starts->Eof(); starts->Next())
            if (Feld(*starts, "MitglNr") != mitglied || mitglieder == 0) {
                mitglied = Feld(*starts, "MitglNr");
                ++mitglieder;
            }
        const QString wo = "\r\nWHERE Ident = " + id + "\r\n  AND VereinNr = " + Ado::QuotedStr(verein);
        // An empty line and the four summary lines stay together.
        VorbListen::Seitenwechsel(Report, 5);
        Report.NewLine();
        Schrift(Report, 10, true);
        Reportutil::SpaltenSetzen(Report, {{1.0, Report::pjLeft}, {5.0, Report::pjLeft}, {1.5, Report::pjRight}});
        VorbListen::Zeile(Report, {"", "Anzahl Starter", QString::number(mitglieder)});
        VorbListen::Zeile(Report, {"", "Anzahl Starts", QString::number(starts->RecordCount())});
        VorbListen::Zeile(Report, {"", "Anzahl Mannschaften",
                                   QString::number(zahl("SELECT Count(*) AS MannNr\r\nFROM EMANNSCH" + wo))});
        VorbListen::Zeile(Report, {"", "Anzahl Abmeldungen",
                                   QString::number(zahl("SELECT Count(*) AS Abmeldungen\r\nFROM EARCHIV" + wo))});
        Reportutil::SpaltenSetzen(Report, kUebernahme);
    }
    Druckjob::Ende();
    bFertigMitLaden = true;
}
