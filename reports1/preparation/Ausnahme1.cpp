#include "reports1/preparation/Ausnahme1.h"
#include "ui_Ausnahme1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

using Report::TBaseReport;
using Qvutil::CRLF;

namespace {

// The weapon groups' disciplines and classes, as they enter the statement.
const QString WettbewerbLG = "('110','120','210','216','410')";
const QString KlasseLG = "('20','21')";
const QString WettbewerbKK = "('140','160','180','220','230','240')";
const QString KlasseKK = "('30','31')";
const QString WettbewerbPist = "('253','255','258','259')";
const QString KlassePist = "('30','31','40','41','42','43')";

} // namespace

TAusnahmeForm::TAusnahmeForm() : ui(new Ui::TAusnahmeForm)
{
    ui->setupUi(this);
    ui->gb_Ausnahme->SetItems({"Luftdruckwaffen", "Kleinkaliberwaffen", "Großkaliberwaffen"});

    rf_Ausnahmen = Druckjob::Listenschreiber(this, "rf_Ausnahmen", "Ausnahmegenehmigungen");
    rf_Ausnahmen->SetMargins(2.0, 1.5, 1.25, 2.0);
    rf_Ausnahmen->OnBeforePrint = [this](TBaseReport& r) { rf_AusnahmenBeforePrint(r); };
    rf_Ausnahmen->OnPrint = [this](TBaseReport& r) { rf_AusnahmenPrint(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TAusnahmeForm::~TAusnahmeForm() { delete ui; }

void TAusnahmeForm::FormShow()
{
    ui->cx_Datum->setDate(QDate::currentDate());
    ui->gb_Ausnahme->SetItemIndex(0);
    q_Anlage = Datamod::DataModule1()->DynQuery("Select * From PANLAGE" + CRLF + "WHERE Ident = :Ident" + CRLF
                                                    + "ORDER BY Anlage",
                                                Ado::clUseServer, Ado::ltReadOnly);
    q_Anlage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q_Anlage->Open();
    ui->cx_Anlage->Fuellen(*q_Anlage, "Anlage", {"Name"});
}

void TAusnahmeForm::FormClose()
{
    q_Anlage.reset();
    Zeilen.clear();
}

QDate TAusnahmeForm::Geburtsdatum(const QString& Tag, const QString& Monat, const QString& Jahrgang)
{
    QString tag = Tag.trimmed();
    if (tag.isEmpty() || tag == "00")
        tag = "01";
    const QString text = tag.rightJustified(2, '0') + "." + Monat.trimmed().rightJustified(2, '0') + "."
                         + Jahrgang.trimmed();
    return QDate::fromString(text, "dd.MM.yyyy");
}

bool TAusnahmeForm::Ausnahme(const QDate& Wettkampftag, int Grenze, const QDate& Geburt)
{
    return Wettkampftag.addYears(Grenze) < Geburt;
}

void TAusnahmeForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    const int alterLG = Qvsettings::GetInteger("Speziell", "AlterLG");
    const int alterKK = Qvsettings::GetInteger("Speziell", "AlterKK");
    const int alterPist = Qvsettings::GetInteger("Speziell", "AlterPist");
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    const bool ohneTag = Qvsettings::GetString("Speziell", "Anlage") == "J";
    if (alterLG == 0 || alterKK == 0 || alterPist == 0) {
        Pmsgdlg::qvMessageDlg("Bítte geben Sie zuerst in den Einstellungen/Steuerung\r\ndie Altersgrenzen ein.",
                              Host::mtInformation, Host::mbOK, 1);
        return;
    }
    const QString anlage = ui->cx_Anlage->KeyValue();
    if (anlage.isEmpty()) {
        ui->cx_Anlage->setFocus();
        throw Eingabefehler("Sie haben keine Anlage ausgewählt");
    }
    const QDate datum = ui->cx_Datum->date();
    int wkTag = 0;
    if (!ohneTag) {
        auto tag = Datamod::DataModule1()->DynQuery(
            QString("SELECT *" + CRLF + "FROM AWKTAG" + CRLF + "WHERE Ident = %1" + CRLF + "  AND Teilmeisterschaft = %2"
                    + CRLF + "  AND Datum = DateValue(%3)")
                .arg(Datamod::iIdent)
                .arg(Ado::QuotedStr(teilm), Ado::QuotedStr(datum.toString("dd.MM.yyyy"))),
            Ado::clUseServer, Ado::ltReadOnly);
        if (tag->RecordCount() == 0) {
            ui->cx_Datum->setFocus();
            throw Eingabefehler("Dieser Wettkampftag ist nicht vorhanden");
        }
        wkTag = tag->FieldByName("WKTag")->AsInteger();
    }

    const int gruppe = ui->gb_Ausnahme->ItemIndex();
    const QString wettbewerbe = gruppe == 0 ? WettbewerbLG : gruppe == 1 ? WettbewerbKK : WettbewerbPist;
    const QString klassen = gruppe == 0 ? KlasseLG : gruppe == 1 ? KlasseKK : KlassePist;
    const int grenze = gruppe == 0 ? alterLG : gruppe == 1 ? alterKK : alterPist;

    QString sql = QStringList{"SELECT E.Disziplin,E.EKlasse,E.VereinNr,E.Durchgang,E.Stand,E.StartNr,",
                              "       M.Name,M.Vorname,M.Titel,M.Jahrgang,M.Monat,M.Tag,",
                              "       V.Name as VerName,V.Abkuerzung,D.Name AS DisName",
                              "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D",
                              "WHERE E.Disziplin = D.Disziplin",
                              "  AND E.VereinNr = V.VereinNr",
                              "  AND E.MitglNr = M.MitglNr",
                              "  AND E.Ident = D.Ident",
                              "  AND E.Ident = :Ident",
                              "  AND E.Anlage = :Anlage",
                              ""}
                      .join(CRLF);
    if (!ohneTag)
        sql += " AND E.WKTag = :WKTag" + CRLF;
    sql += " AND E.Disziplin IN " + wettbewerbe + " AND E.EKlasse IN " + klassen
           + " ORDER BY E.Disziplin,E.Durchgang,E.StartNr";
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    q->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q->ParamByName("Anlage")->SetValue(anlage.toInt());
    if (!ohneTag)
        q->ParamByName("WKTag")->SetValue(wkTag);
    q->Open();

    // Only those who need a permit are printed; a member whose birth date
    // cannot be read is printed too, with the date left empty, so that the
    // office looks at it.
    Zeilen.clear();
    for (q->First(); !q->Eof(); q->Next()) {
        const auto f = [&q](const char* n) { return q->FieldByName(n)->AsString(); };
        const QDate geburt = Geburtsdatum(f("Tag"), f("Monat"), f("Jahrgang"));
        if (geburt.isValid() && !Ausnahme(datum, grenze, geburt))
            continue;
        Zeilen << TZeile{f("DisName"),
                         f("Name") + ", " + f("Titel") + " " + f("Vorname"),
                         f("Abkuerzung") + " " + f("VerName"),
                         geburt.isValid() ? geburt.toString("dd.MM.yyyy") : QString(),
                         f("Durchgang"),
                         f("Stand"),
                         f("StartNr")};
    }
    if (Zeilen.isEmpty()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return;
    }
    SetModalResult(Host::mrOk);
    Druckjob::Vorschau(*rf_Ausnahmen, Ausnahme1::DruckjobID);
    Zeilen.clear();
}

void TAusnahmeForm::rf_AusnahmenBeforePrint(TBaseReport&)
{
    Druckjob::Status("Erstellen der Liste der Ausnahmegenehmigungen");
    Druckjob::ProgressStart(int(Zeilen.size()));
}

void TAusnahmeForm::rf_AusnahmenPrint(TBaseReport& Report)
{
    VorbListen::ListenKopf(Report, "Teilnehmer mit Ausnahmegenehmigungen", false, 2);
    const auto schatten = VorbListen::TSchattierung::AusEinstellungen();
    Reportutil::SpaltenSetzen(Report, {{5.5}, {6.0}, {3.0}, {1.0, Report::pjRight}, {1.0, Report::pjRight},
                                       {1.0, Report::pjRight}});
    // The discipline's name and the column heads.
    const auto kopf = [&Report](const QString& disName) {
        Report.SetTabShade(0);
        Report.SetFont("Arial", 11);
        Report.SetBold(true);
        Report.PrintLeft(disName, Report.SectionLeft());
        Report.NewLine();
        Report.SetFont("Arial", 10);
        Report.SetBold(false);
        Reportutil::Zeile(Report, {"Name", "Verein", "Geburtstag", "Dg.", "St.", "StNr."});
        Report.NewLine();
        Schtools::ResetTabShade();
    };
    QString disziplin;
    for (int i = 0; i < Zeilen.size(); ++i) {
        const TZeile& z = Zeilen[i];
        Druckjob::Progress(i + 1);
        if (i == 0 || z.DisName != disziplin) {
            if (i > 0) {
                Report.NewPage();
                Report.NewLine();
                Report.NewLine();
            }
            kopf(z.DisName);
            disziplin = z.DisName;
        } else if (Report.LinesLeft() < 2) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            kopf(z.DisName);
        }
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        VorbListen::Zeile(Report, {z.Name, z.Verein, z.Geburtstag, z.Durchgang, z.Stand, z.StartNr});
    }
    Report.SetTabShade(0);
}

namespace Ausnahme1 {

TAusnahmeForm* AusnahmeForm = nullptr;
int DruckjobID = 0;

int Ausnahmen() { return Vcl::TModalForm::ModalZeigen(AusnahmeForm); }

} // namespace Ausnahme1
