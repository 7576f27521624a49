#include "reports1/entries/Gestartet1.h"
#include "ui_Gestartet1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>

using Report::TBaseReport;

namespace {

using Qvutil::CRLF;
using Reportutil::Feld;
using Reportutil::Schrift;

void leerzeilen(TBaseReport& r, int n)
{
    for (int i = 0; i < n; ++i)
        r.NewLine();
}

// A new page, the body going on two lines below the page header, when
// fewer than n lines are left.
void platz(TBaseReport& r, int n)
{
    if (r.LinesLeft() < n) {
        r.NewPage();
        leerzeilen(r, 2);
    }
}

int anzahl(const QString& sql)
{
    return Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly)->RecordCount();
}

} // namespace

namespace Gestartet1 {

TGestartetForm* GestartetForm = nullptr;
int DruckjobID = 0;

int Gestartetliste() { return Vcl::TModalForm::ModalZeigen(GestartetForm); }

QString Prozent(qint64 Zaehler, qint64 Nenner)
{
    const double v = Nenner == 0 ? 0.0 : double(Zaehler) * 100.0 / double(Nenner);
    return QString::number(v, 'f', 2).replace('.', ',');
}

} // namespace Gestartet1

TGestartetForm::TGestartetForm() : ui(new Ui::TGestartetForm)
{
    ui->setupUi(this);
    // Cleared when the form is made, not at each showing.
    ui->cb_DM->setChecked(false);
    ui->cb_Alle->setChecked(false);

    rf_Gestartet = Druckjob::Listenschreiber(this, "rf_Gestartet", "Ausdruck der gestarteten Teilnehmer");
    rf_Gestartet->SetMargins(2.0, 1.5, 1.25, 2.0);
    rf_Gestartet->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Die Liste der gestarteten Teilnehmer wird erstellt");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Gestartet->OnPrint = [this](TBaseReport& r) {
        Druckjob::Status("Erstellen der Gesamtstartliste");
        GestartetPrint(r);
        Druckjob::Ende();
    };

    rtf_GestartetRTF = new Report::TRTFFiler(this);
    rtf_GestartetRTF->setObjectName("rtf_GestartetRTF");
    rtf_GestartetRTF->SetTitle("Ausdruck der gestarteten Teilnehmer");
    rtf_GestartetRTF->SetMargins(2.0, 1.5, 1.25, 2.0);
    rtf_GestartetRTF->OnBeforePrint = rf_Gestartet->OnBeforePrint;
    rtf_GestartetRTF->OnPrint = [this](TBaseReport& r) {
        Druckjob::Status("Erstellen der Gesamtstartliste als RTF-Datei");
        GestartetPrint(r);
    };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TGestartetForm::~TGestartetForm() { delete ui; }

void TGestartetForm::FormClose() { Q1.reset(); }

void TGestartetForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    if (ui->cb_Alle->isChecked() && !ui->cb_DM->isChecked()) {
        ui->cb_Alle->setFocus();
        throw Eingabefehler("Bei dieser Einstellung, muss die Ausgabe\r\nmit Beträgen ebenfalls angeklickt sein.");
    }
    SetModalResult(Host::mrOk);
    bBetraege = ui->cb_DM->isChecked();

    QStringList l = {"SELECT E.Anlage,E.Disziplin,E.EKlasse,E.Ergebnis,",
                     "       A.Name as AnlName,D.Name as DisName,D.Erstattung,",
                     "       D.ErstattungElek,DK.Elektronisch",
                     "FROM   ERGEBNIS E, EMITGLIED M, PDISZIPLIN D, PANLAGE A,",
                     "       PDISKLA DK",
                     "WHERE  E.Disziplin = D.Disziplin"};
    if (!ui->cb_Alle->isChecked())
        l << "  AND  E.Ergebnis > 0";
    l << "  AND  E.MitglNr = M.MitglNr"
      << "  AND  E.Anlage = A.Anlage"
      << "  AND  E.EKlasse = DK.Klasse"
      << "  AND  E.Disziplin = DK.Disziplin"
      << "  AND  E.Ident = D.Ident"
      << "  AND  E.Ident = DK.Ident"
      << "  AND  E.Ident = A.Ident"
      << "  AND  E.Ident = :Ident"
      << "ORDER BY E.Anlage,E.Disziplin,E.EKlasse";
    Q1 = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    Q1->Open();
    if (Q1->RecordCount() < 1) {
        Q1.reset();
        Pmsgdlg::qvMessageDlg("Es sind keine gestarteten Teilnehmer vorhanden", Host::mtInformation, Host::mbOK, 1);
        return;
    }

    // RTF: always the same file of the data folder, replacing the last one.
    if (ui->cb_RTF->isChecked())
        Druckjob::Datei(*rtf_GestartetRTF, QDir(Qvpaths::DataFolder()).filePath("GESAMTSTARTS.RTF"),
                        "Die Gesamtstartliste ist als   GESAMTSTARTS.RTF  im\r\nOrdner  DATEN  erstellt worden");
    else
        Druckjob::Vorschau(*rf_Gestartet, Gestartet1::DruckjobID);
    Q1.reset();
}

void TGestartetForm::GestartetPrint(TBaseReport& Report)
{
    const QString sportjahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const QString ueberschr = Qvsettings::GetString("Global", "Ueberschr");
    const int waehrung = Qvsettings::GetInteger("Speziell", "Waehrung");
    const QString sWaehrung = waehrung == 0   ? Qvsettings::GetString("Speziell", "W1")
                              : waehrung == 1 ? Qvsettings::GetString("Speziell", "W2")
                                              : QString();

    const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    leerzeilen(Report, 2);
    Schrift(Report, 15, true);
    Report.PrintCenter("Gestartete Teilnehmer", centre);
    Report.NewLine();
    Schrift(Report, 12, false);
    Report.PrintCenter(ueberschr + " " + sportjahr, centre);
    Report.NewLine();
    Reportutil::SpaltenSetzen(Report, {{1.1, Report::pjRight}, {0.1, Report::pjLeft}, {7.0, Report::pjLeft},
                                       {3.0, Report::pjRight}, {2.4, Report::pjRight}, {1.0, Report::pjLeft}});

    // Counts and amounts (whole cents) of the discipline, the range and all.
    QString sAnlage, sDisziplin, sDisName;
    qint64 erstattung = 0; // per start, of the discipline's last row
    int iDisziplin = 0, iAnlage = 0, iGesamt = 0;
    qint64 cAnlage = 0, cGesamt = 0;
    const QString leer;

    const auto disziplinZeile = [&] {
        if (iDisziplin == 0)
            return;
        platz(Report, 4);
        const qint64 betrag = erstattung * iDisziplin;
        Schrift(Report, 10, false);
        Reportutil::Zeile(Report, {sDisziplin.left(1) + "." + sDisziplin.mid(1), leer, sDisName,
                                   QString::number(iDisziplin), bBetraege ? Cent::Text(betrag) : leer,
                                   bBetraege ? sWaehrung : leer});
        iAnlage += iDisziplin;
        iGesamt += iDisziplin;
        cAnlage += betrag;
        cGesamt += betrag;
        iDisziplin = 0;
    };
    const auto anlageGesamt = [&] {
        Report.Println("\t\t\t\t\t\t");
        Schrift(Report, 10, true);
        Reportutil::Zeile(Report, {leer, leer, "Gesamt", QString::number(iAnlage), bBetraege ? Cent::Text(cAnlage) : leer,
                                   bBetraege ? sWaehrung : leer});
        Report.SetBold(false);
    };

    int i = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(++i);
        const QString anlage = Feld(*Q1, "Anlage");
        if (anlage != sAnlage) {
            if (!sAnlage.isEmpty()) {
                disziplinZeile();
                anlageGesamt();
                iAnlage = 0;
                cAnlage = 0;
            }
            Schrift(Report, 10, true);
            Report.NewLine();
            platz(Report, 6);
            Reportutil::Zeile(Report, {anlage, leer, Feld(*Q1, "AnlName"), bBetraege ? QStringLiteral("Anzahl") : leer,
                                       bBetraege ? QStringLiteral("Betrag") : leer, leer});
            Report.SetBold(false);
            sDisziplin = Feld(*Q1, "Disziplin");
        }
        sAnlage = anlage;
        if (Feld(*Q1, "Disziplin") != sDisziplin)
            disziplinZeile();
        sDisziplin = Feld(*Q1, "Disziplin");
        sDisName = Feld(*Q1, "DisName");
        erstattung = Cent::AusBetrag(Feld(*Q1, "Elektronisch") == "J" ? Q1->FieldByName("ErstattungElek")->AsFloat()
                                                                   : Q1->FieldByName("Erstattung")->AsFloat());
        ++iDisziplin;
    }
    disziplinZeile();
    anlageGesamt();
    if (bBetraege) {
        Report.NewLine();
        Schrift(Report, 10, false);
        Reportutil::Zeile(Report, {leer, leer, "auszuzahlender Gesamtbetrag", QString::number(iGesamt),
                                   Cent::Text(cGesamt), sWaehrung});
    }
    Statistik(Report);
}

void TGestartetForm::Statistik(TBaseReport& Report)
{
    const QString id = QString::number(Datamod::iIdent);
    Report.NewPage();
    leerzeilen(Report, 3);
    Schrift(Report, 10, false);

    const int teilnehmer =
        anzahl("SELECT Distinct E.MitglNr" + CRLF + "FROM ERGEBNIS E,EMITGLIED M" + CRLF + "WHERE E.MitglNr = M.MitglNr"
               + CRLF + "  AND E.Ident = " + id);
    const QString starts = "SELECT MitglNr" + CRLF + "FROM ERGEBNIS" + CRLF + "WHERE Ident = " + id;
    const QString ausfall = starts + CRLF + "  AND ERGEBNIS = 0";
    const int gemeldet = anzahl(starts);
    const int ausgefallen = anzahl(ausfall);
    const QString leer;

    Reportutil::Zeile(Report, {leer, leer, "Teilnehmer der Meisterschaft", QString::number(teilnehmer), leer, leer});
    leerzeilen(Report, 2);
    Reportutil::Zeile(Report, {leer, leer, "gemeldete Starts", QString::number(gemeldet), leer, leer});
    if (gemeldet > 0 || ausgefallen > 0)
        Reportutil::Zeile(Report, {leer, leer, "ausgefallene Starts", QString::number(ausgefallen),
                                   Gestartet1::Prozent(ausgefallen, gemeldet), "%"});
    Report.NewLine();
    Reportutil::Zeile(Report, {leer, leer, "durchschnittl. Starts pro Teilnehmer", leer,
                               QString::number(teilnehmer == 0 ? 0.0 : double(gemeldet) / teilnehmer, 'f', 2).replace('.', ','),
                               leer});
    leerzeilen(Report, 3);

    Reportutil::SpaltenSetzen(Report, {{1.1, Report::pjRight}, {0.1, Report::pjLeft}, {6.5, Report::pjLeft},
                                       {2.0, Report::pjRight}, {2.0, Report::pjRight}, {2.0, Report::pjRight},
                                       {0.5, Report::pjLeft}});
    auto disziplinen = Datamod::DataModule1()->DynQuery("SELECT Disziplin,Name as DisName" + CRLF + "FROM PDISZIPLIN" + CRLF
                                                            + "WHERE Ident = " + id + CRLF + "ORDER BY Disziplin",
                                                        Ado::clUseServer, Ado::ltReadOnly);
    auto proDisziplin = [&](const QString& sql, const QString& disziplin) {
        auto q = Datamod::DataModule1()->DynQuery(sql + CRLF + "  AND Disziplin = :Disziplin", Ado::clUseServer,
                                                  Ado::ltReadOnly);
        q->ParamByName("Disziplin")->SetValue(disziplin);
        q->Open();
        return q->RecordCount();
    };
    const auto titel = [&](const QString& text) {
        // Wider than its column: from where the column begins.
        Schrift(Report, 12, true);
        const Report::TTab* t = Report.GetTab(3);
        Report.PrintLeft(text, t->Pos + Report.XI2U(t->Margin));
        Report.NewLine();
        Schrift(Report, 10, false);
        leerzeilen(Report, 2);
    };

    titel("Durchschnittl. Ausfall über alle Wettbewerbe");
    Druckjob::ProgressStart(disziplinen->RecordCount());
    int i = 0;
    for (disziplinen->First(); !disziplinen->Eof(); disziplinen->Next()) {
        Druckjob::Progress(++i);
        const int aus = proDisziplin(ausfall, Feld(*disziplinen, "Disziplin"));
        platz(Report, 3);
        Reportutil::Zeile(Report, {leer, leer, Feld(*disziplinen, "DisName"), leer, QString::number(aus),
                                   Gestartet1::Prozent(aus, aus == 0 ? 0 : ausgefallen), "%"});
    }

    if (Report.LinesLeft() < 4) {
        Report.NewPage();
        leerzeilen(Report, 2);
    } else {
        leerzeilen(Report, 2);
    }
    titel("Durchschnittl. Ausfall innerhalb Wettbewerb");
    Druckjob::ProgressStart(disziplinen->RecordCount());
    i = 0;
    for (disziplinen->First(); !disziplinen->Eof(); disziplinen->Next()) {
        Druckjob::Progress(++i);
        const int ein = proDisziplin(starts, Feld(*disziplinen, "Disziplin"));
        const int aus = proDisziplin(ausfall, Feld(*disziplinen, "Disziplin"));
        if (ein == 0)
            continue;
        platz(Report, 3);
        Reportutil::Zeile(Report, {leer, leer, Feld(*disziplinen, "DisName"), QString::number(ein), QString::number(aus),
                                   Gestartet1::Prozent(aus, ein), "%"});
    }
}
