#include "reports1/statistics/Statistik2.h"
#include "ui_Statistik2.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QTabBar>

#include <algorithm>

using Report::TBaseReport;
using Qvutil::CRLF;

namespace Statistik2 {

Tdl_StatistikDlg* dl_StatistikDlg = nullptr;
bool bAuswahl = true;
int DruckjobID = 0;

QString StatistikSQL(const QString& Ebene, bool MitKlassen, bool NurGestartet, int Ident)
{
    QStringList l;
    if (MitKlassen)
        l << "SELECT " + Ebene + " AS Bezirk, EKlasse," << "       Count(EKlasse) AS Anzahl";
    else
        l << "SELECT " + Ebene + " AS Bezirk," << "       Count(Bezirk) AS Anzahl";
    l << "FROM ERGEBNIS";
    if (NurGestartet)
        l << "WHERE Ergebnis > 0" << "  AND Ident = " + QString::number(Ident);
    else
        l << "WHERE Ident = " + QString::number(Ident);
    if (MitKlassen) {
        l << "GROUP BY " + Ebene + ",EKlasse";
        if (!NurGestartet)
            l << "ORDER BY " + Ebene + ",EKlasse";
    } else {
        l << "GROUP BY " + Ebene;
    }
    return l.join(CRLF);
}

int Erstellen(bool Auswahl)
{
    bAuswahl = Auswahl;
    return Vcl::TModalForm::ModalZeigen(dl_StatistikDlg);
}

} // namespace Statistik2

namespace {

constexpr int Plaetze = 6;

// A read-only one-row look-up; empty fields when there is none.
std::unique_ptr<Ado::TADOQuery> Nachschlagen(const QStringList& zeilen)
{
    return Datamod::DataModule1()->DynQuery(zeilen.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
}

QString Feld(Ado::TADOQuery& q, const char* name) { return q.Eof() ? QString() : q.FieldByName(name)->AsString(); }

} // namespace

Tdl_StatistikDlg::Tdl_StatistikDlg() : ui(new Ui::Tdl_StatistikDlg)
{
    ui->setupUi(this);
    ui->pc_Statistik->tabBar()->hide();
    ui->gb_Ausgabe1->SetItems({"Ausgabe aller Teilnehmer", "Ausgabe nur gestarteter Teilnehmer"});
    ui->gb_Ausgabe2->SetItems({"Ausgabe ohne Klassen", "Ausgabe mit Klassen"});

    auto schreiber = [this](const QString& name, const QString& titel) {
        auto* w = Druckjob::Listenschreiber(this, name, titel);
        w->SetOrientation(Report::poPortrait);
        w->SetMargins(2.0, 1.5, 1.25, 2.0);
        return w;
    };
    rf_Statistik = schreiber("rf_Statistik", "Statistiken");
    rf_Statistik->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Eine Teilnehmerstatistik wird erstellt");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Statistik->OnPrint = [this](TBaseReport& r) { StatistikErstellen(r); };
    rf_Medaillen = schreiber("rf_Medaillen", "Auszählen Medaillen");
    rf_Medaillen->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Die Medaillen pro Anlage werden ausgezählt");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Medaillen->OnPrint = [this](TBaseReport& r) { rf_MedaillenPrint(r); };

    rtf_Statistik = new Report::TRTFFiler(this);
    rtf_Statistik->setObjectName("rtf_Statistik");
    rtf_Statistik->SetTitle("Statistiken");
    rtf_Statistik->SetMargins(2.0, 1.5, 1.25, 2.0);
    rtf_Statistik->OnBeforePrint = [this](TBaseReport&) {
        ui->pn_StatistikKnoepfe->setEnabled(false);
        Schtools::RTFAuswahl(*rtf_Statistik, "STATISTIK.RTF", "Daten ausgeben", sLaufwerk);
    };
    rtf_Statistik->OnPrint = [this](TBaseReport& r) {
        Druckjob::Status("Erstellen der Statistik als RTF-Datei");
        StatistikErstellen(r);
    };

    ConnectButton(ui->bt_Ausgabe, Host::mrOk, [this] { bt_AusgabeClick(); });
    ConnectButton(ui->bt_Zurueck, Host::mrCancel);
    ConnectButton(ui->bt_Medaille, Host::mrOk, [this] { bt_MedailleClick(); });
    ConnectButton(ui->cxButton2, Host::mrCancel);
}

Tdl_StatistikDlg::~Tdl_StatistikDlg() { delete ui; }

void Tdl_StatistikDlg::FormShow()
{
    const int id = Datamod::iIdent;
    if (Statistik2::bAuswahl) {
        ui->gb_Ausgabe1->SetItemIndex(0);
        ui->gb_Ausgabe2->SetItemIndex(0);
        ui->pc_Statistik->setCurrentWidget(ui->ts_Statistik);
        return;
    }
    auto anlagen = Nachschlagen({"SELECT *", "FROM PANLAGE", "WHERE Ident = " + QString::number(id), "ORDER BY Anlage"});
    ui->cx_Anlage->Fuellen(*anlagen, "Anlage", {"Name"});
    if (ui->cx_Anlage->count() > 0)
        ui->cx_Anlage->Waehlen(0);
    sTeilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    sUrkEinzel = QString::number(Qvsettings::GetInteger("Speziell", "UrkEinzel"));
    sUrkMannsch = QString::number(Qvsettings::GetInteger("Speziell", "UrkMannsch"));
    auto tage = Nachschlagen({"SELECT *", "FROM AWKTAG", "WHERE Ident = " + QString::number(id),
                              "  AND Teilmeisterschaft = " + Ado::QuotedStr(sTeilm), "ORDER BY Datum"});
    ui->cx_WKTag->Fuellen(*tage, "WKTag", {"Datum"});
    if (ui->cx_WKTag->count() > 0)
        ui->cx_WKTag->Waehlen(0);
    ui->ed_Einzel->setText(sUrkEinzel);
    ui->ed_Mannsch->setText(sUrkMannsch);
    ui->pc_Statistik->setCurrentWidget(ui->ts_Medaillen);
}

void Tdl_StatistikDlg::FormClose() { Q1.reset(); }

// --- participation statistics ----------------------------------------------

void Tdl_StatistikDlg::bt_AusgabeClick()
{
    SetModalResult(Host::mrNone);
    // The organising level: club for a county, district for a district,
    // region for a state championship. A club championship and an unknown
    // kind have no level to count by.
    QString ebene;
    switch (Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt")) {
    case 1: ebene = "VereinNr"; break;
    case 2: ebene = "MID(VereinNr,1,2)"; break;
    case 3: ebene = "MID(VereinNr,1,1)"; break;
    default:
        throw EHostFehler("Die Teilnehmerstatistik zählt nach Verein, Bezirk oder Gau und ist nur für Kreis-, "
                          "Bezirks- und Landesmeisterschaften möglich.");
    }
    if (ui->cb_RTF->isChecked()) {
        sLaufwerk = Schtools::LaufwerkHolen("RTF-Ausgabeordner", sLaufwerk);
        if (sLaufwerk.isEmpty())
            return;
    }
    bGestartet = ui->gb_Ausgabe1->ItemIndex() == 1;
    bKlassen = ui->gb_Ausgabe2->ItemIndex() == 1;
    Q1 = Datamod::DataModule1()->DynQuery(Statistik2::StatistikSQL(ebene, bKlassen, bGestartet, Datamod::iIdent),
                                          Ado::clUseServer, Ado::ltReadOnly);
    SetModalResult(Host::mrOk);
    if (Q1->RecordCount() < 1) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg("Es sind keine Teilnehmer vorhanden", Host::mtInformation, Host::mbOK);
        return;
    }
    if (ui->cb_RTF->isChecked()) {
        Druckjob::ProgressStart(Q1->RecordCount());
        const bool geschrieben = rtf_Statistik->Execute();
        ui->pn_StatistikKnoepfe->setEnabled(true);
        Druckjob::Ende();
        Q1.reset();
        if (!geschrieben)
            throw EHostFehler(rtf_Statistik->ErrorString());
        const QString ordner = Schtools::RTFAuswahl() ? sLaufwerk : QStringLiteral("DATEN");
        Pmsgdlg::qvMessageDlg("Die Statistik ist als   STATISTIK.RTF  im\r\nOrdner  " + ordner + "  erstellt worden",
                              Host::mtInformation, Host::mbOK);
        return;
    }
    Druckjob::Vorschau(*rf_Statistik, Statistik2::DruckjobID);
    Q1.reset();
}

void Tdl_StatistikDlg::Schattieren(TBaseReport& Report)
{
    if (Qvsettings::GetString("Speziell", "MitTab") != "J")
        return;
    const int tabellier = Qvsettings::GetInteger("Speziell", "Tabellier");
    iShade = iShade == tabellier ? 0 : tabellier;
    Report.SetTabShade(iShade);
}

void Tdl_StatistikDlg::TabellenKopf(TBaseReport& Report)
{
    const int linie = Report::BOXLINEBOTTOM;
    Report.ClearTabs();
    Report.SetFont("Arial", 10);
    Report.SetBold(true);
    if (bKlassen) {
        Report.SetTab(Report.SectionLeft(), Report::pjLeft, 6.0, 3, linie, 0);
        Report.SetTab(Report::NA, Report::pjLeft, 8.5, 3, linie, 0);
        Report.SetTab(Report::NA, Report::pjRight, 3.0, 3, linie, 0);
        Reportutil::Zeile(Report, {"Ebene", "Klasse", "Anzahl"});
        Reportutil::SpaltenSetzen(Report, {{6.0, Report::pjLeft}, {8.5, Report::pjLeft}, {3.0, Report::pjRight}});
    } else {
        Report.SetTab(Report.SectionLeft(), Report::pjLeft, 6.0, 3, linie, 0);
        Report.SetTab(Report::NA, Report::pjRight, 3.0, 3, linie, 0);
        Reportutil::Zeile(Report, {"Ebene", "Anzahl"});
        Reportutil::SpaltenSetzen(Report, {{6.0, Report::pjLeft}, {3.0, Report::pjRight}});
    }
    Report.SetBold(false);
}

void Tdl_StatistikDlg::StatistikErstellen(TBaseReport& Report)
{
    const QString jahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.SetPen(Qt::black, Qt::SolidLine, -1);
    iShade = 0;
    Report.SetTabShade(0);
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    Report.PrintCenter("Teilnehmerstatistik der " + Qvsettings::GetString("Global", "Ueberschr") + " " + jahr, mitte);
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(false);
    const QString titel = QString(bGestartet ? "Gestartete Teilnehmer" : "Alle Teilnehmer")
                          + (bKlassen ? " mit Klassen" : " ohne Klassen");
    Report.PrintCenter(titel + " " + jahr, mitte);
    Report.NewLine();
    Report.NewLine();
    TabellenKopf(Report);

    QString gruppe, name;
    bool ersteZeileDerSeite = true;
    int zeile = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(++zeile);
        const QString bezirk = Q1->FieldByName("Bezirk")->AsString();
        bool neueGruppe = bezirk != gruppe || zeile == 1;
        if (neueGruppe) {
            if (bKlassen && zeile > 1)
                Report.NewLine();
            gruppe = bezirk;
            // A district "12" is named after club 1200, a region "1" after 1000.
            const QString nummer = bezirk.leftJustified(4, '0');
            auto v = Nachschlagen({"SELECT Abkuerzung,Name", "FROM EVEREIN", "WHERE VereinNr = " + Ado::QuotedStr(nummer)});
            name = v->Eof() ? nummer : (Feld(*v, "Abkuerzung") + " " + Feld(*v, "Name")).trimmed();
        }
        if (!bKlassen) {
            Schattieren(Report);
            Reportutil::Zeile(Report, {name, Q1->FieldByName("Anzahl")->AsString()});
            continue;
        }
        auto k = Nachschlagen({"SELECT Name,Zusatz", "FROM PKLASSE", "WHERE Ident = " + QString::number(Datamod::iIdent),
                               "  AND Klasse = " + Ado::QuotedStr(Q1->FieldByName("EKlasse")->AsString())});
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            Report.SetTabShade(0);
            TabellenKopf(Report);
            ersteZeileDerSeite = true;
        }
        Schattieren(Report);
        Reportutil::Zeile(Report, {neueGruppe || ersteZeileDerSeite ? name : QString(),
                                   (Feld(*k, "Name") + " " + Feld(*k, "Zusatz")).trimmed(),
                                   Q1->FieldByName("Anzahl")->AsString()});
        ersteZeileDerSeite = false;
    }
}

// --- medal count ------------------------------------------------------------

void Tdl_StatistikDlg::bt_MedailleClick()
{
    SetModalResult(Host::mrNone);
    auto anzahl = [this](QLineEdit* ed, const QString& wer, int& n) {
        n = std::max(0, ed->text().trimmed().toInt());
        if (n == 0) {
            if (Pmsgdlg::qvMessageDlg("Es ist keine Anzahl " + wer + " vorhanden\r\nIst dies korrekt?",
                                      Host::mtConfirmation, Host::mbYesNo)
                == Host::mrNo)
                return false;
        } else if (n > Plaetze) {
            ed->setFocus();
            throw Eingabefehler("Die Anzahl Medaillen " + wer + " ist zu groß");
        }
        return true;
    };
    if (!anzahl(ui->ed_Einzel, "Einzel", iEinzel) || !anzahl(ui->ed_Mannsch, "Mannschaft", iMannsch))
        return;
    if (ui->cx_Anlage->KeyValue().isEmpty()) {
        ui->cx_Anlage->setFocus();
        throw Eingabefehler("Es wurde keine Anlage ausgewählt.");
    }
    if (ui->cx_WKTag->KeyValue().isEmpty()) {
        ui->cx_WKTag->setFocus();
        throw Eingabefehler("Es wurde kein Wettkampftag ausgewählt.");
    }
    iAnlage = ui->cx_Anlage->KeyValue().toInt();
    iWKTag = ui->cx_WKTag->KeyValue().toInt();
    const QString id = QString::number(Datamod::iIdent);
    auto a = Nachschlagen({"SELECT *", "FROM PANLAGE", "WHERE Ident = " + id, "  AND Anlage = " + QString::number(iAnlage)});
    sAnlage = Feld(*a, "Name");
    auto t = Nachschlagen({"SELECT *", "FROM AWKTAG", "WHERE Ident = " + id, "  AND WKTag = " + QString::number(iWKTag),
                           "  AND Teilmeisterschaft = " + Ado::QuotedStr(sTeilm)});
    sWKTag = Feld(*t, "Datum");

    Q1 = Datamod::DataModule1()->DynQuery(QStringList{"SELECT Disziplin,EKlasse,Anlage,Count(*) AS Summe",
                                                      "FROM ERGEBNIS", "WHERE Qual <> 'Q'", "  AND Qual <> 'D'",
                                                      "  AND Ident = :Ident", "  AND Anlage = :Anlage",
                                                      "  AND WKTag = :WKTag", "  AND Teilmeisterschaft = :Teilmeister",
                                                      "GROUP BY Anlage,Disziplin,EKlasse",
                                                      "ORDER BY Anlage,Disziplin,EKlasse"}
                                              .join(CRLF),
                                          Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    Q1->ParamByName("Anlage")->SetValue(iAnlage);
    Q1->ParamByName("WKTag")->SetValue(iWKTag);
    Q1->ParamByName("Teilmeister")->SetValue(sTeilm);
    Q1->Open();
    SetModalResult(Host::mrOk);
    if (Q1->RecordCount() < 1) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg("Es sind keine Teilnehmer vorhanden", Host::mtInformation, Host::mbOK);
        return;
    }
    Druckjob::Vorschau(*rf_Medaillen, Statistik2::DruckjobID);
    Q1.reset();
}

void Tdl_StatistikDlg::Zaehlen(int Summe, int Plaetze, int Gewicht, int (&Anzahl)[6])
{
    // Only places that somebody can take: a group of two has no bronze, and
    // none below three has a fourth place.
    for (int platz = 1; platz <= Plaetze && platz <= 6; ++platz)
        if (Summe >= platz)
            Anzahl[platz - 1] += Gewicht;
}

void Tdl_StatistikDlg::MedaillenDrucken(TBaseReport& Report, const QString& Art, int Plaetze, const int (&Anzahl)[6])
{
    static const QString namen[6] = {"Gold", "Silber", "Bronze", "4. Platz", "5. Platz", "6. Platz"};
    Report.NewLine();
    Reportutil::SpaltenSetzen(Report, {{3.0, Report::pjLeft}, {1.5, Report::pjLeft}, {2.0, Report::pjRight}});
    for (int i = 0; i < Plaetze && i < 6; ++i)
        Reportutil::Zeile(Report, {i == 0 ? Art : QString(), namen[i], QString::number(Anzahl[i])});
}

void Tdl_StatistikDlg::rf_MedaillenPrint(TBaseReport& Report)
{
    const QString id = QString::number(Datamod::iIdent);
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.SetPen(Qt::black, Qt::SolidLine, -1);
    Report.SetTabShade(0);
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 15);
    Report.SetBold(true);
    for (const QString& z : {QString("Anzahl Medaillen für die"), "Anlage " + sAnlage, "am " + sWKTag}) {
        Report.PrintCenter(z, mitte);
        Report.NewLine();
    }
    Report.NewLine();
    Report.SetFont("Arial", 10);
    Report.SetBold(false);

    // The competitions held there that day.
    Reportutil::SpaltenSetzen(Report, {{6.0, Report::pjLeft}, {11.0, Report::pjLeft}});
    QString disziplin;
    int zeile = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(++zeile);
        const QString d = Q1->FieldByName("Disziplin")->AsString();
        auto dn = Nachschlagen({"SELECT Name", "FROM PDISZIPLIN", "WHERE Ident = " + id, "  AND Disziplin = " + Ado::QuotedStr(d)});
        auto kn = Nachschlagen({"SELECT Name", "FROM PKLASSE", "WHERE Ident = " + id,
                                "  AND Klasse = " + Ado::QuotedStr(Q1->FieldByName("EKlasse")->AsString())});
        if (Report.LinesLeft() < 3)
            Report.NewPage();
        if (d != disziplin || zeile == 1) {
            if (zeile > 1)
                Report.NewLine();
            Reportutil::Zeile(Report, {Feld(*dn, "Name"), Feld(*kn, "Name")});
            disziplin = d;
        } else {
            Reportutil::Zeile(Report, {QString(), Feld(*kn, "Name")});
        }
    }

    auto gruppen = [&](const QStringList& l) {
        auto q = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
        q->ParamByName("Anlage")->SetValue(iAnlage);
        q->ParamByName("WKTag")->SetValue(iWKTag);
        q->ParamByName("Teilmeister")->SetValue(sTeilm);
        q->Open();
        return q;
    };

    // Individual medals: one per place a starter takes.
    int einzel[6] = {};
    auto e = gruppen({"SELECT Disziplin,EKlasse,Anlage,Count(*) AS Summe", "FROM ERGEBNIS", "WHERE Ergebnis > 0",
                      "  AND Qual <> 'Q'", "  AND Qual <> 'D'", "  AND Ident = :Ident", "  AND Anlage = :Anlage",
                      "  AND WKTag = :WKTag", "  AND Teilmeisterschaft = :Teilmeister",
                      "GROUP BY Anlage,Disziplin,EKlasse", "ORDER BY Anlage,Disziplin,EKlasse"});
    for (e->First(); !e->Eof(); e->Next())
        Zaehlen(e->FieldByName("Summe")->AsInteger(), iEinzel, 1, einzel);
    if (Report.LinesLeft() < 8)
        Report.NewPage();
    MedaillenDrucken(Report, "Einzel", iEinzel, einzel);

    // Team medals: one per member of each team that takes a place; the team
    // size is that of the first team competition.
    int mannschaft[6] = {};
    auto m = gruppen({"SELECT MDisziplin,MKlasse,Anlage,Count(*) AS Summe", "FROM ERGEBNIS", "WHERE MDisziplin <> ''",
                      "  AND MKlasse <> ''", "  AND Qual <> 'Q'", "  AND Qual <> 'D'", "  AND Ergebnis > 0",
                      "  AND Ident = :Ident", "  AND Anlage = :Anlage", "  AND WKTag = :WKTag",
                      "  AND Teilmeisterschaft = :Teilmeister", "GROUP BY Anlage,MDisziplin,MKlasse",
                      "ORDER BY Anlage,MDisziplin,MKlasse"});
    if (!m->Eof()) {
        auto g = Nachschlagen({"SELECT AnzWertung", "FROM PDISKLA", "WHERE Ident = " + id,
                               "  AND Disziplin = " + Ado::QuotedStr(m->FieldByName("MDisziplin")->AsString()),
                               "  AND Klasse = " + Ado::QuotedStr(m->FieldByName("MKlasse")->AsString())});
        const int groesse = g->Eof() ? 0 : g->FieldByName("AnzWertung")->AsInteger();
        for (m->First(); groesse > 0 && !m->Eof(); m->Next()) {
            const int teams = qRound(double(m->FieldByName("Summe")->AsInteger()) / groesse);
            Zaehlen(teams, iMannsch, groesse, mannschaft);
        }
    }
    if (Report.LinesLeft() < 8)
        Report.NewPage();
    MedaillenDrucken(Report, "Mannschaft", iMannsch, mannschaft);
}
