#include "reports1/documents/Einladung1.h"
#include "ui_Einladung1.h"

#include "reports1/documents/DokumentDruck.h"
#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Guard.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "platform/vcl/DataSetModel.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QDir>
#include <QScopeGuard>
#include <QTimer>

using Report::pjLeft;
using Report::TBaseReport;
using namespace DokumentDruck;

namespace {

using Qvutil::CRLF;

QString datei(const char* name) { return QDir(Qvpaths::DataFolder()).filePath(name); }

bool ja(const char* key) { return Qvsettings::GetString("Mitarbeiter", key) == "J"; }
int betrag(const char* key) { return Qvsettings::GetInteger("Mitarbeiter", key); }

// A text wrapped to the section, line by line at the left section.
void absatz(TBaseReport& r, const QString& text)
{
    for (const QString& z : Reportutil::TextAufteilen(r, text, r.SectionLeft(), r.SectionRight())) {
        r.PrintLeft(z, r.SectionLeft());
        r.NewLine();
    }
}

} // namespace

TEinladungForm::TEinladungForm() : ui(new Ui::TEinladungForm)
{
    ui->setupUi(this);
    rf_Einladung = Druckjob::Listenschreiber(this, "rf_Einladung", "Durchgangsliste");
    rf_Einladung->SetMarginRight(1.5);
    rf_Einladung->SetMarginBottom(2.0);
    rf_Einladung->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen der Mitarbeitereinladungen");
        Druckjob::ProgressStart(q_Brief ? q_Brief->RecordCount() : 0);
    };
    rf_Einladung->OnPrint = [this](TBaseReport& r) { rf_EinladungPrint(r); };

    MitArbTimer = new QTimer(this);
    MitArbTimer->setObjectName("MitArbTimer");
    MitArbTimer->setInterval(900);
    ds_Mitarbeiter = new Vcl::TDataSetModel(this);
    ds_Mitarbeiter->setObjectName("ds_Mitarbeiter");
    for (const char* f : {"Name", "Vorname", "Titel", "Jahrgang", "Monat"})
        ds_Mitarbeiter->AddColumn(f, f);
    ui->gr_Mitarbeiter->setModel(ds_Mitarbeiter);

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
    Host::Connect(ui->ed_NamenEinzel, &QLineEdit::textChanged, this, &TEinladungForm::ed_NamenEinzelChange);
    Host::Connect(MitArbTimer, &QTimer::timeout, this, &TEinladungForm::MitArbTimerTimer);
}

TEinladungForm::~TEinladungForm() { delete ui; }

void TEinladungForm::FormShow()
{
    ui->cb_Abzeichen->setChecked(true);
    q_Mitarbeiter = Datamod::DataModule1()->DynQuery("select * from MITARB" + CRLF + "ORDER BY Name, Vorname",
                                                     Ado::clUseServer, Ado::ltReadOnly);
    q_Mitarbeiter->Open();
    ds_Mitarbeiter->SetDataSet(q_Mitarbeiter.get());
    ds_Mitarbeiter->Refresh();
    ds_Mitarbeiter->Bind(ui->gr_Mitarbeiter);

    auto anlagen = Datamod::DataModule1()->DynQuery("Select * From PANLAGE" + CRLF + "WHERE Ident = :Ident" + CRLF
                                                        + "ORDER BY Name",
                                                    Ado::clUseServer, Ado::ltReadOnly);
    anlagen->ParamByName("Ident")->SetValue(Datamod::iIdent);
    anlagen->Open();
    ui->cx_Anlage->Fuellen(*anlagen, "Anlage", {"Name"});
}

void TEinladungForm::FormClose()
{
    MitArbTimer->stop();
    ds_Mitarbeiter->SetDataSet(nullptr);
    q_Mitarbeiter.reset();
    q_Brief.reset();
}

void TEinladungForm::ed_NamenEinzelChange()
{
    sSuche = ui->ed_NamenEinzel->text();
    iTicks = 0;
    if (!MitArbTimer->isActive())
        MitArbTimer->start();
}

void TEinladungForm::MitArbTimerTimer()
{
    ++iTicks;
    if (iTicks < 3)
        return;
    MitArbTimer->stop();
    QString name, vorname;
    Schtools::NameInFeldStellen(sSuche, name, vorname);
    Qvsettings::SetString("Global", "Name", name);
    Qvsettings::SetString("Global", "Vorname", vorname);
    ui->gr_Mitarbeiter->setEnabled(false);
    const auto freigeben = qScopeGuard([this] { ui->gr_Mitarbeiter->setEnabled(true); });
    MitarbNamenSuchen(name, vorname);
}

void TEinladungForm::MitarbNamenSuchen(const QString& Name, const QString& Vorname)
{
    for (int row = 0; row < ds_Mitarbeiter->rowCount(); ++row) {
        if (ds_Mitarbeiter->Value(row, "Name").startsWith(Name, Qt::CaseInsensitive)
            && ds_Mitarbeiter->Value(row, "Vorname").startsWith(Vorname, Qt::CaseInsensitive)) {
            ui->gr_Mitarbeiter->setCurrentIndex(ds_Mitarbeiter->index(row, 0));
            return;
        }
    }
}

void TEinladungForm::bt_OKClick()
{
    SetModalResult(Host::mrNone);
    QStringList l = {
        "SELECT M.Name,M.Vorname,M.PLZ,M.Ort,M.Strasse,M.Geschlecht,M.Titel,MZ.MitglNr,MZ.Tagessatz,MZ.Beginn,",
        "       A.Name AS AnlName,MZ.VereinNr,WK.Datum,MI.Name AS MitName,MT.Seit",
        "FROM MITARB MT, MSPESEN MZ, EMITGLIED M, PANLAGE A, MITART MI, AWKTAG WK",
        "WHERE MT.MitglNr = MZ.MitglNr",
        "  AND MT.Ident = MZ.Ident",
        "  AND MZ.MitglNr = M.MitglNr",
        "  AND MZ.MitArt = MI.MitArt",
        "  AND MZ.WKTag = WK.WKTag",
        "  AND MZ.Ident = WK.Ident",
        "  AND MZ.Anlage = A.Anlage",
        "  AND MZ.Ident = A.Ident",
        "  AND MZ.Teilmeisterschaft = WK.Teilmeisterschaft",
        "  AND MZ.Ident = :Ident",
    };
    const bool einzeln = ui->cb_Mitarbeiter->isChecked();
    const bool tm = ui->cb_TM->isChecked();
    const QString anlage = ui->cx_Anlage->KeyValue();
    const int zeile = ds_Mitarbeiter->CurrentRow();
    const QString mitglied = zeile >= 0 ? ds_Mitarbeiter->Value(zeile, "MitglNr") : QString();
    if (einzeln) {
        l << "  AND MT.MitglNr = :MitglNr";
        if (tm)
            l << "AND WK.Teilmeisterschaft = :Teilm";
        l << "ORDER BY M.Name,M.Vorname,MZ.MitglNr,WK.Datum";
    } else {
        if (!anlage.isEmpty())
            l << "AND A.Anlage = :Anlage";
        if (tm)
            l << "AND WK.Teilmeisterschaft = :Teilm";
        l << "ORDER BY M.Name,M.Vorname,WK.Datum";
    }
    q_Brief = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    q_Brief->ParamByName("Ident")->SetValue(Datamod::iIdent);
    if (Ado::TParameter* p = q_Brief->FindParam("MitglNr"))
        p->SetValue(mitglied);
    if (Ado::TParameter* p = q_Brief->FindParam("Anlage"))
        p->SetValue(anlage.toInt());
    if (Ado::TParameter* p = q_Brief->FindParam("Teilm"))
        p->SetValue(Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
    q_Brief->Open();
    if (q_Brief->RecordCount() == 0) {
        q_Brief.reset();
        throw Eingabefehler("Zu diesem Mitarbeiter fehlen wichtige Daten");
    }
    SetModalResult(Host::mrOk);
    Druckjob::Vorschau(*rf_Einladung, Einladung1::DruckjobID);
    q_Brief.reset();
}

void TEinladungForm::rf_EinladungPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *q_Brief;
    q.First();
    int fortschritt = 0;
    bool erster = true;
    while (!q.Eof()) {
        if (!erster)
            Report.NewPage();
        erster = false;
        Brief(Report);
        Druckjob::Progress(++fortschritt);
    }
}

void TEinladungForm::Brief(TBaseReport& Report)
{
    Ado::TDataSet& q = *q_Brief;
    const QString ueberschr = Qvsettings::GetString("Global", "Ueberschr");
    const QString veranst1 = Qvsettings::GetString("Global", "Veranst1");
    const QString veranst2 = Qvsettings::GetString("Global", "Veranst2");
    const int art = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt");
    const QString waehrung = Qvsettings::GetInteger("Speziell", "Waehrung") == 1 ? "DM" : "Euro";
    const auto geld = [&](qint64 cents) { return waehrung + " " + Cent::Text(cents); };
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;

    // 1. Heading, date, sender line and address.
    Reportutil::Faltmarker(Report);
    Report.NewLine();
    Report.NewLine();
    Schrift(Report, 12, true);
    Report.PrintCenter("Einladung für Mitarbeiter", mitte);
    Report.NewLine();
    Schrift(Report, 12);
    Report.PrintCenter(ueberschr + " " + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")), mitte);
    Report.NewLine();
    Schrift(Report, 10);
    Report.PrintRight(Qvclock::DatumText(Qvclock::Now().date()), Report.SectionRight());
    Report.NewLine();
    Report.NewLine();
    Report.NewLine();
    Schrift(Report, 8);
    const QString absender = Schtools::FileToStrings(datei("KONTAK.DAT")).join(' ');
    Report.PrintLeft(Reportutil::Druckbar(absender), Report.SectionLeft());
    Report.NewLine();
    Schrift(Report, 11);
    const QString titel = Feld(q, "Titel").trimmed();
    for (const QString& z : {Feld(q, "Geschlecht") == "M" ? QStringLiteral("Herr") : QStringLiteral("Frau"),
                             (titel.isEmpty() ? QString() : titel + " ") + Feld(q, "Vorname") + " " + Feld(q, "Name"),
                             Feld(q, "Strasse"), Feld(q, "PLZ") + " " + Feld(q, "Ort")}) {
        Report.PrintLeft(Reportutil::Druckbar(z), Report.SectionLeft());
        Report.NewLine();
    }
    for (int i = 0; i < 4; ++i)
        Report.NewLine();

    // 2. Subject and request.
    Schrift(Report, 11, true);
    absatz(Report, "Mitarbeit bei der " + ueberschr);
    Report.NewLine();
    Schrift(Report, 11);
    absatz(Report, "Sehr geehrte Damen und Herren,");
    Report.NewLine();
    absatz(Report, "die " + veranst1 + " " + veranst2 + " bittet um Ihre Mitarbeit bei der " + ueberschr
                       + ". Wir haben Sie für die nachstehenden Termine vorgesehen.");
    Report.NewLine();

    // 3. The engagements.
    const auto tabs = [&] {
        Report.ClearTabs();
        const double breiten[] = {4.0, 2.0, 5.0, 4.0};
        for (int i = 0; i < 4; ++i)
            Report.SetTab(i == 0 ? Report.SectionLeft() : Report::NA, pjLeft, breiten[i], 3, Report::BOXLINEALL, 0);
    };
    tabs();
    Schrift(Report, 11, true);
    Reportutil::Zeile(Report, {"Datum", "Uhrzeit", "Tätigkeit", "Anlage"});
    Schrift(Report, 11);
    const QString nr = Feld(q, "MitglNr");
    const QString tagessatz = Feld(q, "Tagessatz");
    while (!q.Eof() && Feld(q, "MitglNr") == nr) {
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            tabs();
        }
        Reportutil::Zeile(Report, {Feld(q, "Datum"), Feld(q, "Beginn").left(5), Feld(q, "MitName"), Feld(q, "AnlName")});
        q.Next();
    }
    Report.ClearTabs();
    Report.NewLine();

    // 4. The fixed text.
    for (const QString& z : Schtools::FileToStrings(datei("EINLAD.DAT")))
        absatz(Report, z);
    Report.NewLine();

    // 5. Allowances of a day or half-day rate.
    if (tagessatz == "1" || tagessatz == "2") {
        if (ja("MPauschal"))
            absatz(Report, "Für einen Einsatztag erhalten Sie " + geld(betrag("MPausch"))
                               + (betrag("MPauschH") > 0 ? " oder " + geld(betrag("MPauschH")) : QString())
                               + " Verpflegungskostenzuschuß.");
        if (ja("MStunden")) {
            if (ja("UStunden")) {
                absatz(Report, "Für eine Einsatzstunde erhalten Sie " + geld(betrag("MStd"))
                                   + " Verpflegungszuschuß, wenn Sie mindestens ");
                absatz(Report, QString::asprintf("%2d", betrag("UStd")) + " Stunden anwesend sind.");
            } else {
                absatz(Report, "Für eine Einsatzstunde erhalten Sie " + geld(betrag("MStd")) + " Verpflegungszuschuß.");
            }
        }
        if (ja("MOhne"))
            absatz(Report, "Für einen Einsatztag erhalten Sie " + geld(0) + " Verpflegungszuschuß.");
        if (ja("FPauschal") && betrag("FPausch") > 0)
            absatz(Report, "Weiterhin erhalten Sie eine Fahrgeldvergütung von " + geld(betrag("FPausch")) + ".");
        if (ja("FKilom") && betrag("FKM") > 0)
            absatz(Report, "Weiterhin erhalten Sie eine Fahrgeldvergütung von " + geld(betrag("FKM"))
                               + " pro gefahrene Kilometer.");
        Report.NewLine();
    }

    // 6. and 7. Badge, thanks and greeting.
    if (ui->cb_Abzeichen->isChecked()) {
        absatz(Report, "Jeder Mitarbeiter erhält ein Mitarbeiterabzeichen bzw. eine Jahresspange.");
        Report.NewLine();
    }
    const char* const endung[] = {"ssportleitung", "sportleitung", "ssportleitung", "essportleitung"};
    absatz(Report, "Die " + veranst1 + (art >= 0 && art <= 3 ? endung[art] : "") + " rechnet mit Ihrer Mitarbeit und dankt Ihnen"
                       + " im Voraus dafür.");
    Report.NewLine();
    absatz(Report, "Mit freundlichen Grüßen");

    // 8. Signature block: the signature picture, under it the signer and
    // the organiser on the left, the enclosures on the right.
    const int bl = Qvsettings::GetInteger("Speziell", "BitmapL");
    const int bh = Qvsettings::GetInteger("Speziell", "BitmapH");
    const double hoehe = bh > 0 ? bh / 100.0 : 1.5;
    const QStringList anlagen = Schtools::FileToStrings(datei("ANLAGE.DAT"));
    if (Report.GetYPos() + hoehe + (anlagen.size() + 3) * Report.LineHeight() > Report.SectionBottom())
        Report.NewPage();
    const double y = Report.GetYPos();
    Schtools::PrintBmp(Report, "ULINKS.BMP", bl > 0 ? bl / 100.0 : 4.0, hoehe, Report.SectionLeft(), y);
    Report.SetYPos(y + hoehe);
    Report.NewLine();
    Reportutil::SpaltenSetzen(Report, {{12.0}, {Reportutil::Rest}});
    Schrift(Report, 10, true, true);
    Reportutil::Zelle(Report, Qvsettings::GetString("Global", "Sportl"));
    Schrift(Report, 12, true);
    Reportutil::Zelle(Report, "Anlage");
    Report.NewLine();
    Schrift(Report, 10);
    const QStringList links = {art < 3 ? (veranst1 + " " + veranst2).toUpper() : QStringLiteral("Geschäftsstelle")};
    for (int i = 0; i < std::max(links.size(), anlagen.size()); ++i)
        Reportutil::Zeile(Report, {links.value(i), anlagen.value(i)});
}

// --- Unit ------------------------------------------------------------------------------------

namespace Einladung1 {

TEinladungForm* EinladungForm = nullptr;
int DruckjobID = 0;

int Einladungsliste() { return Vcl::TModalForm::ModalZeigen(EinladungForm); }

} // namespace Einladung1
