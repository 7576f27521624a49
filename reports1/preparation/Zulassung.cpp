#include "reports1/preparation/Zulassung.h"
#include "ui_Zulassung.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"
#include "reports1/preparation/Vorbereitung1.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>

using Report::TBaseReport;
using namespace Zulassung;

namespace {

using Qvutil::CRLF;
using Reportutil::Feld;
using Reportutil::Schrift;

void info(const QString& text) { Pmsgdlg::qvMessageDlg(text, Host::mtInformation, Host::mbOK, 1); }

// The preparation centre's field of the HTML file's name, when the centre is open.
QLineEdit* htmFeld()
{
    return Vorbereitung1::VorbereitungForm ? Vorbereitung1::VorbereitungForm->findChild<QLineEdit*>("ed_Htm") : nullptr;
}

// The words two names share from their start ("Seniorenklasse A" and
// "Seniorenklasse B": "Seniorenklasse").
QString gemeinsameWorte(const QString& a, const QString& b)
{
    int n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    if (n == a.size() && n == b.size())
        return a;
    if ((n == a.size() || a[n] == ' ') && (n == b.size() || b[n] == ' '))
        return a.left(n).trimmed();
    const int blank = int(a.left(n).lastIndexOf(' '));
    return blank < 0 ? QString() : a.left(blank).trimmed();
}

// Widths of the landscape matrix (cm): the discipline code and name, then
// the classes of the groups sharing the rest of the line.
constexpr double kCodeBreite = 1.5, kNameBreite = 5.0, kHoechstBreite = 2.5;

} // namespace

namespace Zulassung {

TZulassForm* ZulassForm = nullptr;
Host::TAuswahl fAuswahl = Host::fDurchgang;
int DruckjobID = 0;

QString EinzelText(double ZulassEinzel, const QString& Alle)
{
    const QString s = Schtools::ErgebnisStr(ZulassEinzel, false);
    return s == "0" ? Alle : s;
}

QString MannschaftText(double ZulassMannsch, const QString& Klasse, const QString& AbwMKlasse, const QString& Alle)
{
    if (Klasse.isEmpty() || !AbwMKlasse.contains(Klasse))
        return {};
    const QString s = Schtools::ErgebnisStr(ZulassMannsch, false);
    if (s != "0")
        return s;
    return AbwMKlasse.startsWith("XX") ? QString() : Alle;
}

void GruppenTitel(TGruppe& Gruppe)
{
    Gruppe.Unter.clear();
    const QVector<TKlasse>& k = Gruppe.Klassen;
    if (k.isEmpty()) {
        Gruppe.Titel.clear();
        return;
    }
    if (k.size() == 1) {
        Gruppe.Titel = k[0].Name;
        return;
    }
    QString gemeinsam = k[0].Name;
    for (const TKlasse& x : k)
        gemeinsam = gemeinsameWorte(gemeinsam, x.Name);
    if (gemeinsam.isEmpty()) {
        QStringList kurz;
        for (const TKlasse& x : k)
            kurz << x.Kurz;
        Gruppe.Titel = kurz.join('/');
    } else {
        Gruppe.Titel = gemeinsam;
    }
    const bool geschlecht = std::all_of(k.begin(), k.end(), [](const TKlasse& x) {
        return x.Zusatz == QStringLiteral("männlich") || x.Zusatz == QStringLiteral("weiblich");
    });
    for (const TKlasse& x : k) {
        if (geschlecht)
            Gruppe.Unter << (x.Zusatz == QStringLiteral("männlich") ? "m" : "w");
        else if (!gemeinsam.isEmpty() && x.Name.size() > gemeinsam.size())
            Gruppe.Unter << x.Name.mid(gemeinsam.size()).trimmed();
        else
            Gruppe.Unter << x.Kurz;
    }
}

int Zulassungsliste(Host::TAuswahl Auswahl)
{
    fAuswahl = Auswahl;
    return Vcl::TModalForm::ModalZeigen(ZulassForm);
}

} // namespace Zulassung

// --- Form ---------------------------------------------------------------------------

TZulassForm::TZulassForm() : ui(new Ui::TZulassForm)
{
    ui->setupUi(this);
    ui->gb_Auflage->SetItems({"Ausdruck Zulassungszahlen ohne Auflage", "Ausdruck Zulassungszahlen nur Auflage"});

    rf_Zulassung = Druckjob::Listenschreiber(this, "rf_Zulassung", "Zulassungszahlen");
    rf_Zulassung->OnBeforePrint = [this](TBaseReport&) { ZulassungBeforePrint(); };
    rf_Zulassung->OnPrint = [this](TBaseReport& r) { ZulassungsListeErstellen(r); };

    rf_QuerFormat = Druckjob::Listenschreiber(this, "rf_QuerFormat", "Zulassungszahlen Querformat");
    rf_QuerFormat->SetOrientation(Report::poLandscape);
    // The groups are the column heads of every page header: read before page 1.
    rf_QuerFormat->OnBeforePrint = [this](TBaseReport&) {
        ZulassungBeforePrint();
        MatrixLesen();
    };
    rf_QuerFormat->OnPrintHeader = [this](TBaseReport& r) {
        Druckjob::Kopf(r, false, 1);
        ZulassungsPrintHeader(r);
    };
    rf_QuerFormat->OnPrint = [this](TBaseReport& r) { ZulassungsListeQuerErstellen(r); };

    rtf_Zulassung = new Report::TRTFFiler(this);
    rtf_Zulassung->setObjectName("rtf_Zulassung");
    rtf_Zulassung->SetTitle("Zulassungszahlen");
    rtf_Zulassung->OnBeforePrint = [this](TBaseReport&) {
        ZulassungBeforePrint();
        Druckjob::Status("Erstellen der Zulassungszahlen als RTF-Datei");
    };
    rtf_Zulassung->OnPrint = [this](TBaseReport& r) { ZulassungsListeErstellen(r); };

    // The web page is the portrait list, its discipline heads the tables' heads.
    htm_ZulassungHoch = new Report::TRPHTMLFiler(this);
    htm_ZulassungHoch->setObjectName("htm_ZulassungHoch");
    htm_ZulassungHoch->SetTitle("Zulassungszahlen");
    htm_ZulassungHoch->OnBeforePrint = [this](TBaseReport&) {
        ZulassungBeforePrint();
        Druckjob::Status("Zulassungszahlen als HTM-Datei erstellen");
        Druckjob::Status("Erstellen von Internet-Dateien im HTM-Format");
    };
    htm_ZulassungHoch->OnPrint = [this](TBaseReport& r) { ZulassungsListeErstellen(r); };

    ConnectButton(ui->bt_OK, Host::mrOk, [this] { bt_OKClick(); });
    ConnectButton(ui->bt_Abbruch, Host::mrCancel);
}

TZulassForm::~TZulassForm() { delete ui; }

void TZulassForm::FormShow()
{
    const int code = Zulassung::fAuswahl;
    const bool quer = code == Host::fErgEingabe;
    ui->gb_Auflage->setVisible(quer);
    ui->rb_ZulassMit->setVisible(!quer);
    ui->rb_ZulassOhne->setVisible(!quer);
    ui->cb_Tabellierstr->setVisible(code == Host::fDurchgang);
    ui->cb_Teilmeister->setVisible(true);
    ui->gb_Auflage->SetItemIndex(0);
    ui->rb_ZulassMit->setChecked(true);
}

void TZulassForm::FormClose() { Q1.reset(); }

void TZulassForm::bt_OKClick()
{
    const int code = Zulassung::fAuswahl;
    sAuflage = ui->gb_Auflage->ItemIndex() == 1 ? "J" : "N";
    bMitAnzahl = !ui->rb_ZulassOhne->isChecked();
    bAlleTeilm = ui->cb_Teilmeister->isChecked();
    bTabellier = code == Host::fDurchgang && !ui->cb_Tabellierstr->isChecked();

    QStringList l = {"SELECT DK.Disziplin,DK.Klasse,DK.ZulassEinzel,DK.ZulassEinzelAnz,",
                     "       DK.ZulassMannsch,DK.ZulassMannschAnz,DK.AbwMKlasse,",
                     "       DK.AbwMKlasse,D.Name as DisName,K.Name as KlaName",
                     "FROM PDISZIPLIN D, PDISKLA DK, PKLASSE K",
                     "WHERE DK.Disziplin = D.Disziplin",
                     "  AND DK.Klasse = K.Klasse",
                     QStringLiteral("  AND ") + "(",
                     "      DK.ZulassEinzel > 0",
                     "   OR DK.ZulassEinzelAnz > 0",
                     "   OR DK.ZulassMannsch > 0",
                     "   OR DK.ZulassMannschAnz > 0",
                     ")",
                     "  AND DK.Ident = D.Ident",
                     "  AND DK.Ident = K.Ident",
                     "  AND DK.Ident = :Ident"};
    if (code == Host::fErgEingabe)
        l << "  AND D.Auflage = :Auflage";
    if (!bAlleTeilm)
        l << "  AND DK.Teilmeisterschaft = :Teilmeister";
    l << "ORDER BY DK.Disziplin,DK.Klasse";

    Q1 = Datamod::DataModule1()->DynQuery(l.join(CRLF), Ado::clUseServer, Ado::ltReadOnly);
    Q1->ParamByName("Ident")->SetValue(Datamod::iIdent);
    if (code == Host::fErgEingabe)
        Q1->ParamByName("Auflage")->SetValue(sAuflage);
    if (!bAlleTeilm)
        Q1->ParamByName("Teilmeister")->SetValue(Qvsettings::GetString("Speziell", "Teilmeisterschaft"));
    Q1->Open();
    if (Q1->RecordCount() < 1) {
        Q1.reset();
        info("Es sind keine Zulassungszahlen vorhanden");
        return;
    }

    switch (code) {
    case Host::fDurchgang:
        Druckjob::Vorschau(*rf_Zulassung, Zulassung::DruckjobID);
        break;
    case Host::fErgEingabe:
        Druckjob::Vorschau(*rf_QuerFormat, Zulassung::DruckjobID);
        break;
    case Host::fMannschaft:
        htm_ZulassungHochPrint();
        break;
    default:
        rtf_ZulassungPrint();
        break;
    }
    Q1.reset();
}

// --- Before printing: status, progress and the headings ----------------------------------

void TZulassForm::ZulassungBeforePrint()
{
    Druckjob::Status("Liste der Zulassungszahlen erstellen");
    Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    sUeberschr = Qvsettings::GetString("Global", "Ueberschr");
    sVerband = Qvsettings::GetString("Global", "Verband");
    sVeranst1 = Qvsettings::GetString("Global", "Veranst1");
    sVeranst2 = Qvsettings::GetString("Global", "Veranst2");
    sMeistersch = Qvsettings::GetString("Global", "Meistersch");
    sSportjahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    iVArt = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt");
}

QString TZulassForm::Ueberschrift() const
{
    return bAlleTeilm ? QStringLiteral("Zulassungszahlen")
                      : "Zulassungszahlen der Teilm. " + Qvsettings::GetString("Speziell", "Teilmeisterschaft");
}

// --- Portrait list --------------------------------------------------------------------------

QVector<TDisziplin> TZulassForm::Disziplinen()
{
    QVector<TDisziplin> out;
    int i = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(i++);
        const QString code = Feld(*Q1, "Disziplin");
        if (out.isEmpty() || out.last().Code != code)
            out.append({code, Feld(*Q1, "DisName"), {}});
        const QString klasse = Feld(*Q1, "Klasse");
        out.last().Zeilen.append(
            {klasse, Feld(*Q1, "KlaName"), EinzelText(Q1->FieldByName("ZulassEinzel")->AsFloat()),
             bMitAnzahl ? Feld(*Q1, "ZulassEinzelAnz") : QString(),
             MannschaftText(Q1->FieldByName("ZulassMannsch")->AsFloat(), klasse, Feld(*Q1, "AbwMKlasse")),
             bMitAnzahl ? Feld(*Q1, "ZulassMannschAnz") : QString()});
    }
    return out;
}

void TZulassForm::ZulassungsListeErstellen(TBaseReport& Report)
{
    const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.NewLine();
    Report.NewLine();
    Report.SetTabShade(0);
    Schrift(Report, 15, true);
    Report.PrintCenter(Ueberschrift(), centre);
    Report.NewLine();
    Schrift(Report, 12, true);
    Report.PrintCenter(sUeberschr + " " + sSportjahr, centre);
    Report.NewLine();

    Reportutil::SpaltenSetzen(Report, {{1.1, Report::pjLeft}, {6.5, Report::pjLeft}, {1.5, Report::pjRight},
                                       {1.5, Report::pjRight}, {2.5, Report::pjRight}, {1.5, Report::pjRight},
                                       {2.9, Report::pjLeft}});
    const QString anzahl = bMitAnzahl ? QStringLiteral("Anzahl") : QString();
    const int grau = VorbListen::TSchattierung::AusEinstellungen().Wert;
    bool erste = true;
    for (const TDisziplin& d : Disziplinen()) {
        const auto kopf = [&] {
            Report.SetTabShade(0);
            Schrift(Report, 10, true);
            VorbListen::Zeile(Report, {VorbListen::Gepunktet(d.Code), d.Name, "Einzel", anzahl, "Mannschaft", anzahl, ""});
        };
        if (!erste && Report.LinesLeft() < 4) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
        }
        erste = false;
        Report.NewLine();
        kopf();
        bool schatten = false;
        for (const QStringList& z : d.Zeilen) {
            // A discipline that goes on on the next page repeats its head there.
            if (Report.LinesLeft() < 2) {
                Report.NewPage();
                Report.NewLine();
                Report.NewLine();
                kopf();
            }
            schatten = bTabellier && !schatten;
            Report.SetTabShade(schatten ? grau : 0);
            Schrift(Report, 10, false);
            VorbListen::Zeile(Report, QStringList(z) << "");
        }
        Report.SetTabShade(0);
    }
    Druckjob::Ende();
}

// --- Landscape matrix -------------------------------------------------------------------------

void TZulassForm::MatrixLesen()
{
    vGruppen.clear();
    vArray.clear();
    const QString id = QString::number(Datamod::iIdent);
    auto gruppen = Datamod::DataModule1()->DynQuery(
        "SELECT Sort,Count(*) AS Zahl\r\nFROM PKLASSE\r\nWHERE Ident = " + id + CRLF + "  AND Auflage = "
            + Ado::QuotedStr(sAuflage) + CRLF + "GROUP BY Sort" + CRLF + "HAVING Count(*) > 0" + CRLF + "ORDER BY Sort",
        Ado::clUseServer, Ado::ltReadOnly);
    // Only the first groups that fit the page; the centre tells the user so.
    for (gruppen->First(); !gruppen->Eof() && vGruppen.size() < MaxGruppen; gruppen->Next()) {
        TGruppe g;
        g.Sort = Feld(*gruppen, "Sort");
        auto k = Datamod::DataModule1()->DynQuery("SELECT Klasse,Kurz,Name,Zusatz,Auflage\r\nFROM PKLASSE\r\nWHERE Ident = "
                                                      + id + CRLF + "  AND Sort = " + Ado::QuotedStr(g.Sort) + CRLF
                                                      + "  AND Auflage = " + Ado::QuotedStr(sAuflage) + CRLF
                                                      + "ORDER BY Klasse",
                                                  Ado::clUseServer, Ado::ltReadOnly);
        for (k->First(); !k->Eof(); k->Next())
            g.Klassen.append({Feld(*k, "Klasse"), Feld(*k, "Kurz"), Feld(*k, "Name"), Feld(*k, "Zusatz")});
        GruppenTitel(g);
        vGruppen.append(g);
    }

    QStringList spalten; // the class of each column
    for (const TGruppe& g : vGruppen)
        for (const TKlasse& k : g.Klassen)
            spalten << k.Klasse;
    int i = 0;
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        Druckjob::Progress(i++);
        const QString code = Feld(*Q1, "Disziplin");
        if (vArray.isEmpty() || vArray.last().Code != code) {
            TMatrixZeile z{code, Feld(*Q1, "DisName"), {}, {}};
            for (int c = 0; c < spalten.size(); ++c) {
                z.Einzel << QString();
                z.Mannschaft << QString();
            }
            vArray.append(z);
        }
        const QString klasse = Feld(*Q1, "Klasse");
        const int c = int(spalten.indexOf(klasse));
        if (c < 0)
            continue; // a class of no group on this matrix
        vArray.last().Einzel[c] = EinzelText(Q1->FieldByName("ZulassEinzel")->AsFloat(), "alle");
        vArray.last().Mannschaft[c] =
            MannschaftText(Q1->FieldByName("ZulassMannsch")->AsFloat(), klasse, Feld(*Q1, "AbwMKlasse"), "alle");
    }
}

void TZulassForm::MatrixTabs(TBaseReport& Report, bool Gruppenweise)
{
    int klassen = 0;
    for (const TGruppe& g : vGruppen)
        klassen += int(g.Klassen.size());
    const double frei = Report.SectionRight() - Report.SectionLeft() - kCodeBreite - kNameBreite;
    const double breite = klassen > 0 ? std::min(kHoechstBreite, frei / klassen) : frei;
    Report.ClearTabs();
    Report.SetTab(Report.SectionLeft(), Report::pjLeft, kCodeBreite, 3, Report::BOXLINENONE, 0);
    Report.SetTab(Report::NA, Report::pjLeft, kNameBreite, 3, Report::BOXLINENONE, 0);
    for (const TGruppe& g : vGruppen) {
        if (Gruppenweise) {
            Report.SetTab(Report::NA, Report::pjCenter, breite * double(g.Klassen.size()), 3, Report::BOXLINELEFT, 0);
            continue;
        }
        for (int k = 0; k < g.Klassen.size(); ++k)
            Report.SetTab(Report::NA, Report::pjCenter, breite, 3, k == 0 ? Report::BOXLINELEFT : Report::BOXLINENONE, 0);
    }
}

void TZulassForm::ZulassungsPrintHeader(TBaseReport& Report)
{
    Report.SetTabShade(0);
    QString text = sMeistersch;
    if (text.isEmpty()) {
        static const char* const arten[] = {"Vereinsmeisterschaft", "Kreismeisterschaft", "Bezirksmeisterschaft",
                                             "Landesmeisterschaft"};
        text = iVArt >= 0 && iVArt < 4 ? QString::fromUtf8(arten[iVArt]) : sUeberschr;
    }
    Report.NewLine();
    Reportutil::SpaltenSetzen(Report, {{Report.SectionRight() - Report.SectionLeft() - 4.5, Report::pjLeft},
                                       {1.5, Report::pjLeft},
                                       {Reportutil::Rest, Report::pjRight}});
    Schrift(Report, 12, true);
    VorbListen::Zeile(Report, {"Zulassungsringzahlen " + text + " " + sSportjahr, "Stand:",
                               Qvclock::DatumText(Qvclock::Now().date())});
    Report.NewLine();

    Schrift(Report, 8, true);
    MatrixTabs(Report, true);
    QStringList titel = {"", "Wettkampfklassen"};
    for (const TGruppe& g : vGruppen)
        titel << g.Titel;
    VorbListen::Zeile(Report, titel);
    MatrixTabs(Report, false);
    for (int i = 1; i <= Report.TabCount(); ++i)
        if (Report::TTab* t = Report.GetTab(i))
            t->Bottom = 1; // a rule under the heads
    QStringList unter = {"", ""};
    for (const TGruppe& g : vGruppen)
        for (int k = 0; k < g.Klassen.size(); ++k)
            unter << g.Unter.value(k);
    Schrift(Report, 8, false);
    VorbListen::Zeile(Report, unter);
    Report.NewLine();
}

void TZulassForm::ZulassungsListeQuerErstellen(TBaseReport& Report)
{
    const VorbListen::TSchattierung schattierung = VorbListen::TSchattierung::AusEinstellungen();
    bool schatten = false;
    for (const TMatrixZeile& z : vArray) {
        if (Report.LinesLeft() < 3)
            Report.NewPage();
        schatten = schattierung.An && !schatten;
        MatrixTabs(Report, false);
        Report.SetTabShade(schatten ? schattierung.Wert : 0);
        Schrift(Report, 9, true);
        VorbListen::Zeile(Report, QStringList{"(" + VorbListen::Gepunktet(z.Code) + ")", z.Name} + z.Einzel);
        Schrift(Report, 9, false);
        VorbListen::Zeile(Report, QStringList{"", "          Mannschaft"} + z.Mannschaft);
    }
    Report.SetTabShade(0);
    Druckjob::Ende();
}

// --- HTML and RTF files -------------------------------------------------------------------------

void TZulassForm::htm_ZulassungHochPrint()
{
    QLineEdit* feld = htmFeld();
    const QString name = (feld ? feld->text() : QStringLiteral("zulassung.htm")).toLower();
    const QString datei = QDir(Qvpaths::InternetFolder()).filePath(name);
    if (!Druckjob::UeberschreibenErlaubt(datei)) {
        if (feld)
            feld->setFocus();
        throw Eingabefehler("Die Verarbeitung wird abgebrochen.");
    }

    // The page replaces an earlier one only once it is complete.
    Druckjob::Datei(*htm_ZulassungHoch, datei,
                    "Die Zulassungszahlen sind als\r\n" + name + "\r\n" + "im Ordner  INTERNET  erstellt worden");
}

void TZulassForm::rtf_ZulassungPrint()
{
    Druckjob::Datei(*rtf_Zulassung, QDir(Qvpaths::DataFolder()).filePath("ZULASS.RTF"),
                    "Die Zulassungszahlen sind als   ZULASS.RTF  im\r\nOrdner  DATEN  erstellt worden");
}
