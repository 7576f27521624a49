#include "reports1/preparation/VorbScheiben.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/entries/Scheiben1.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

#include <QDate>
#include <QScopeGuard>

#include <initializer_list>
#include <utility>

using Report::TBaseReport;

namespace VorbScheiben {

namespace {

using Qvutil::CRLF;
constexpr auto L = Report::pjLeft;
constexpr auto R = Report::pjRight;
constexpr int Alle = Report::BOXLINEALL;
constexpr double Breite = 18.5; // the form's width, every block spans it

// Lines that must stay free below an article row: the form foot and the
// empty rows above it.
constexpr int FussZeilen = 15;

QString scheiben(const char* key) { return Qvsettings::GetString("Scheiben", key).trimmed(); }

// Area code and number, "089 / 3169490"; empty when both are.
QString Nummer(const QString& Vorwahl, const QString& Rufnummer)
{
    if (Vorwahl.isEmpty() || Rufnummer.isEmpty())
        return Vorwahl + Rufnummer;
    return Vorwahl + " / " + Rufnummer;
}

// Two parts of a line with a blank between them, either may be missing.
QString Verbunden(const QString& a, const QString& b) { return a.isEmpty() || b.isEmpty() ? a + b : a + " " + b; }

// The delivery date as it is stored ("dd.mm.yyyy" or an ISO date); the
// text as it is when it is none.
QString Termin(const QString& Text)
{
    QDate d = QDate::fromString(Text, "dd.MM.yyyy");
    if (!d.isValid())
        d = QDate::fromString(Text, Qt::ISODate);
    return d.isValid() ? d.toString("dd.MM.yyyy") : Text;
}

// Replaces the tabs: each column after the one before, from the left
// section, with the cell margin of the lists and the rules Linien.
void Spalten(TBaseReport& Rpt, std::initializer_list<std::pair<double, Report::TPrintJustify>> Liste, int Linien)
{
    Rpt.ClearTabs();
    bool erste = true;
    for (const auto& [breite, ausrichtung] : Liste) {
        Rpt.SetTab(erste ? Rpt.SectionLeft() : Report::NA, ausrichtung, breite, 3, Linien, 0);
        erste = false;
    }
}

void Schrift(TBaseReport& Rpt, double Groesse, bool Fett = false) { Reportutil::Schrift(Rpt, Groesse, Fett); }

// The article columns: quantity, article number, name, smallest pack,
// carton size.
void ArtikelSpalten(TBaseReport& Rpt, int Linien = Alle)
{
    Spalten(Rpt, {{2.0, R}, {2.5, L}, {10.8, L}, {1.5, R}, {1.7, R}}, Linien);
}

// The name of an article left in its cell and its marks right; the name
// gives way to the marks.
void NameUndKennzeichen(TBaseReport& Rpt, const QString& Name, const QString& Marken)
{
    Rpt.Tab();
    const Report::TTab* t = Rpt.GetTab(Rpt.TabIndex());
    const double rand = Rpt.XI2U(t->Margin);
    const double links = t->Pos + rand, rechts = t->Pos + t->Width - rand;
    Schrift(Rpt, 8);
    const double frei = rechts - links - (Marken.isEmpty() ? 0 : Rpt.TextWidth(Marken) + 0.3);
    Rpt.PushFont();
    Rpt.PrintLeft(Reportutil::EtikettEinpassen(Rpt, Reportutil::Druckbar(Name), frei), links);
    Rpt.PopFont();
    if (!Marken.isEmpty())
        Rpt.PrintRight(Marken, rechts);
    Schrift(Rpt, 9);
}

// The head of every page: the number of pages, the addressee with the
// coat of arms, the column heads.
void Kopf(TBaseReport& Rpt, int Seiten)
{
    const double links = Rpt.SectionLeft();
    Schrift(Rpt, 10, true);
    Spalten(Rpt, {{12.5, L}, {Breite - 12.5, L}}, Alle);
    Rpt.Print("\tBestellung besteht aus  " + (Seiten > 0 ? QString::number(Seiten) : QString("____")) + "  Seite(n)");
    Rpt.Tab();
    Schrift(Rpt, 8);
    Rpt.Print("Stand per  01.05.09");
    Rpt.NewLine();
    Schrift(Rpt, 10, true);
    Rpt.NewLine();

    // The addressee in a box; the coat of arms at its right.
    const QStringList adresse = {
        "Bestellung an :",
        Qvsettings::GetString("Global", "Verband").trimmed(),
        scheiben("VStrasse"),
        Verbunden(scheiben("VPLZ"), scheiben("VOrt")),
        "",
        "Scheibenartikel zur Abwicklung von Meisterschaften",
        "per Fax: " + scheiben("VFVorw") + " - " + scheiben("VFax"),
    };
    const double oben = Rpt.GetYPos() - Rpt.LineHeight() + Rpt.FontDescent();
    for (int i = 0; i < adresse.size(); ++i) {
        const int linien = Report::BOXLINELEFT | Report::BOXLINERIGHT | (i == 0 ? Report::BOXLINETOP : 0)
                           | (i == adresse.size() - 1 ? Report::BOXLINEBOTTOM : 0);
        Spalten(Rpt, {{Breite, L}}, linien);
        Schrift(Rpt, 10, i == 0 || i == 1 || i == adresse.size() - 1);
        Rpt.Tab();
        Rpt.PrintLeft(Reportutil::EtikettEinpassen(Rpt, adresse[i], 13.0), links + 0.3);
        Rpt.NewLine();
    }
    const double unten = Rpt.GetYPos() - Rpt.LineHeight() + Rpt.FontDescent();
    const Reportutil::TBildgroesse bild = Reportutil::Wappengroesse(3.5, unten - oben - 0.4);
    Schtools::PrintBmp(Rpt, "WAPPEN.BMP", bild.Breite, bild.Hoehe, links + Breite - 0.3 - bild.Breite,
                       oben + (unten - oben - bild.Hoehe) / 2);
    Rpt.NewLine();

    // The column heads: two lines in one ruled cell each.
    Schrift(Rpt, 9, true);
    ArtikelSpalten(Rpt, Report::BOXLINELEFT | Report::BOXLINERIGHT | Report::BOXLINETOP);
    Rpt.Print("\t\t\t\tKleinst\tKarton");
    Rpt.NewLine();
    ArtikelSpalten(Rpt, Report::BOXLINELEFT | Report::BOXLINERIGHT | Report::BOXLINEBOTTOM);
    Rpt.Print("\tMenge\tArtikel-Nr.\tBezeichnung\tpackung\tinhalt");
    Rpt.NewLine();
    Schrift(Rpt, 9);
}

// The foot of every page: the organiser, the orderer who also takes the
// delivery, the invoice address, the delivery date, the signature, the
// page and the legend of the marks. On the blank form the cells of the
// addresses stay empty.
void Fuss(TBaseReport& Rpt, bool Blanko, int Seite, int Seiten)
{
    Schrift(Rpt, 8);
    const auto wert = [Blanko](const QString& s) { return Blanko ? QString() : s; };
    // The invoice address is a second address only when "Check" says so.
    const bool re = scheiben("Check") == "N";
    const auto e = [&](const char* key) { return re ? wert(scheiben(key)) : QString(); };
    QString termin;
    if (!Blanko) {
        const QString t = scheiben("Termin");
        termin = t.isEmpty() ? QString("sofort") : Termin(t);
    }
    Spalten(Rpt, {{2.3, L}, {6.95, L}, {2.3, L}, {6.95, L}}, Alle);
    const QStringList zeilen[] = {
        {"Vereinsnr.:", wert(Qvsettings::GetString("Allgemein", "VeranstalterNr").trimmed()), "Liefertermin:", termin},
        {"Besteller: &",
         wert(Verbunden(Qvsettings::GetString("Global", "Veranst1").trimmed(),
                        Qvsettings::GetString("Global", "Veranst2").trimmed())),
         "RE.-Anschrift", e("EAdresse")},
        {"Lieferanschrift:", wert(Verbunden(scheiben("AVorname"), scheiben("AName"))), "                z.Hd.", ""},
        {"Strasse:", wert(scheiben("AStrasse")), "Strasse:", e("EStrasse")},
        {"PLZ,  Ort:", wert(Verbunden(scheiben("APLZ"), scheiben("AOrt"))), "PLZ,  Ort:",
         re ? wert(Verbunden(scheiben("EPLZ"), scheiben("EOrt"))) : QString()},
        {"Tel.:", wert(Nummer(scheiben("ATVorwahl"), scheiben("ATelefon"))), "Tel.:",
         re ? wert(Nummer(scheiben("ETVorwahl"), scheiben("ETelefon"))) : QString()},
        {"Fax:", wert(Nummer(scheiben("AFVorwahl"), scheiben("AFax"))), "Fax:",
         re ? wert(Nummer(scheiben("EFVorwahl"), scheiben("EFax"))) : QString()},
        {"eMail:", wert(scheiben("AeMail")), "eMail:", e("EeMail")},
    };
    for (const QStringList& z : zeilen)
        Reportutil::Zeile(Rpt, z);
    Rpt.SetYPos(Rpt.GetYPos() + Rpt.LineHeight() / 2);

    // The signature with the date written under it, the page beside.
    const auto unterschrift = [&Rpt](int Linie) {
        Rpt.ClearTabs();
        Rpt.SetTab(Rpt.SectionLeft(), L, 2.3, 3, Report::BOXLINENONE, 0);
        Rpt.SetTab(Report::NA, L, 6.95, 3, Linie, 0);
        Rpt.SetTab(Report::NA, L, 0.5, 3, Report::BOXLINENONE, 0);
        Rpt.SetTab(Report::NA, L, 8.75, 3, Report::BOXLINENONE, 0);
    };
    unterschrift(Report::BOXLINEBOTTOM);
    Reportutil::Zeile(Rpt, {"Unterschrift:", "", "",
                            "Seite  " + QString::number(Seite) + "  von  "
                                + (Seiten > 0 ? QString::number(Seiten) : QString("____"))});
    unterschrift(Report::BOXLINENONE);
    Schrift(Rpt, 7);
    Reportutil::Zeile(Rpt, {"", "      Tag               Monat                  Jahr", "",
                            "Bitte unbedingt Datum angeben -- Danke"});
    Rpt.SetYPos(Rpt.GetYPos() + Rpt.LineHeight() / 2);

    // The legend of the marks, three to a line.
    Schrift(Rpt, 8);
    Spalten(Rpt, {{0.8, L}, {5.37, L}, {0.8, L}, {5.37, L}, {0.8, L}, {5.36, L}}, Report::BOXLINENONE);
    Reportutil::Zeile(Rpt, {"P", "= Scheibe als Probe gekennzeichnet", "SN", "= Scheiben fortlaufend nummeriert", "K",
                            "= KNIEEND - Symbol"});
    Reportutil::Zeile(Rpt, {"L", "= LIEGEND - Symbol", "M", "= Wertungsscheibe (Meisterschaft)", "SE",
                            "= STEHEND - Symbol"});
}

// The title of a section of articles, with an empty line before all but
// the first; none for sections without one.
QStringList Abschnitt(int Sort)
{
    switch (Sort) {
    case 1:
        return {"Meisterschaftsscheiben und -spiegel mit SIGNUM"};
    case 2:
        return {"", "Hintergrund- und Trägerscheiben mit Einsteckschlitzen ohne SIGNUM"};
    case 3:
        return {"", "Probescheiben und -spiegel ohne SIGNUM"};
    case 4:
        return {"", "Schießsportzubehör"};
    default:
        return {};
    }
}

bool ja(Ado::TDataSet& q, const char* feld) { return q.FieldByName(feld)->AsString().trimmed().toUpper() == "J"; }

} // namespace

QString ScheibenSQL(bool Blanko)
{
    if (Blanko)
        return "SELECT *\r\nFROM PSCHEIART\r\n" + QString("WHERE Sort < 100") + CRLF + "ORDER BY Sort,Nummer,ScheibenArt";
    return "SELECT SA.BestMengeW,SA.BestMengeP,SA.ScheibenArt,SA.Anzahl,\r\n"
           "       SA.AnzahlWert,SA.AnzahlProbe,SA.BestAnz,\r\n"
           "       SA.Von,SA.Bis,SA.Wertung,SA.Probe,\r\n"
           "       SA.Liegend,SA.Stehend,SA.Kniend,\r\n"
           "       S.Sort,S.Nummer,\r\n"
           "       S.Name,S.Packung,S.Karton,S.Unterteilung\r\n"
           "FROM PSCHEIART S, ESCHEIBEN SA\r\n"
           "WHERE SA.ScheibenArt = S.ScheibenArt\r\n"
           + QString("  AND SA.Ident = :Ident") + CRLF + "ORDER BY S.Sort,S.Nummer,S.ScheibenArt,SA.Wertung,SA.Probe";
}

int Bestellmenge(int Menge, int Packung)
{
    if (Packung <= 1 || Menge <= 0 || Menge % Packung == 0)
        return Menge;
    return (Menge / Packung + 1) * Packung;
}

QString Kennzeichen(Ado::TDataSet& q)
{
    QStringList m;
    if (ja(q, "Wertung"))
        m << "M";
    if (ja(q, "Probe"))
        m << "P";
    const int von = q.FieldByName("Von")->AsInteger(), bis = q.FieldByName("Bis")->AsInteger();
    if (bis > 0)
        m << (von > 0 ? "SN " + QString::number(von) + "-" + QString::number(bis) : QString("SN"));
    if (ja(q, "Kniend"))
        m << "K";
    if (ja(q, "Liegend"))
        m << "L";
    if (ja(q, "Stehend"))
        m << "SE";
    return m.join(' ');
}

void AdressenPruefen()
{
    QStringList noetig = {"VPLZ", "VOrt", "APLZ", "AOrt", "VFVorw", "VFax"};
    if (scheiben("Check") == "N")
        noetig << "EPLZ" << "EOrt";
    for (const QString& key : noetig)
        if (scheiben(key.toLatin1().constData()).isEmpty())
            throw EHostFehler("Wichtige Adressfelder wurden nicht ausgefüllt.");
}

void ScheibenPrint(TBaseReport& Rpt, Ado::TDataSet& q, bool Blanko, int Seiten,
                   const std::function<void(int)>& Fortschritt)
{
    int seite = 1;
    Kopf(Rpt, Seiten);
    const auto umbruch = [&] {
        Fuss(Rpt, Blanko, seite, Seiten);
        Rpt.NewPage();
        ++seite;
        Kopf(Rpt, Seiten);
    };
    bool ersteZeile = true;
    int sort = 0, n = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        if (Fortschritt)
            Fortschritt(++n);
        const int s = q.FieldByName("Sort")->AsInteger();
        if (ersteZeile || s != sort) {
            const QStringList titel = Abschnitt(s);
            // A title stays with its first article.
            if (Rpt.LinesLeft() < FussZeilen + int(titel.size()))
                umbruch();
            Schrift(Rpt, 9, true);
            for (const QString& t : titel) {
                Spalten(Rpt, {{Breite, L}}, t.isEmpty() ? Report::BOXLINENONE : Alle);
                Rpt.Print("\t" + t);
                Rpt.NewLine();
            }
            ArtikelSpalten(Rpt);
            Schrift(Rpt, 9);
            sort = s;
            ersteZeile = false;
        }
        if (Rpt.LinesLeft() < FussZeilen) {
            umbruch();
            ArtikelSpalten(Rpt);
        }
        const int menge = Blanko ? 0
                                 : Bestellmenge(q.FieldByName("BestMengeW")->AsInteger(),
                                                q.FieldByName("Packung")->AsInteger());
        Reportutil::Zelle(Rpt, menge != 0 ? QString::number(menge) : QString());
        Reportutil::Zelle(Rpt, q.FieldByName("ScheibenArt")->AsString());
        NameUndKennzeichen(Rpt, q.FieldByName("Name")->AsString(), Blanko ? QString() : Kennzeichen(q));
        Reportutil::Zelle(Rpt, q.FieldByName("Packung")->AsString());
        Reportutil::Zelle(Rpt, q.FieldByName("Karton")->AsString());
        Rpt.NewLine();
    }
    // Room for articles written in by hand, down to the foot.
    Schrift(Rpt, 9);
    Spalten(Rpt, {{Breite, L}}, Alle);
    Rpt.Print("\t");
    Rpt.NewLine();
    ArtikelSpalten(Rpt);
    while (Rpt.LinesLeft() > FussZeilen - 2) {
        Rpt.Print("\t\t\t\t\t");
        Rpt.NewLine();
    }
    Fuss(Rpt, Blanko, seite, Seiten);
}

// --- The run -----------------------------------------------------------------

TScheibenBestellung::TScheibenBestellung(QObject* Owner) : rf_Scheiben(Druckjob::Schreiber(Owner, "rf_Scheiben", "Scheibenbestellung"))
{
    // The form has its own head and foot instead of the lists' page header.
    rf_Scheiben->SetMargins(1.25, 1.25, 1.0, 1.0);
    rf_Scheiben->OnBeforePrint = [this](TBaseReport&) {
        Druckjob::Status("Erstellen der Scheibenbestellung");
        Druckjob::ProgressStart(Q1 ? Q1->RecordCount() : 0);
    };
    rf_Scheiben->OnPrint = [this](TBaseReport& r) {
        if (Q1)
            ScheibenPrint(r, *Q1, blanko_, seiten_, Druckjob::Progress);
    };
    rf_Scheiben->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Scheiben); };
}

TScheibenBestellung::~TScheibenBestellung() = default;

void TScheibenBestellung::Drucken(bool Blanko, int& DruckjobID)
{
    if (!Blanko)
        AdressenPruefen();
    auto q = Datamod::DataModule1()->DynQuery(ScheibenSQL(Blanko), Ado::clUseServer, Ado::ltReadOnly);
    if (Ado::TParameter* p = q->FindParam("Ident"))
        p->SetValue(Datamod::iIdent);
    if (!q->Active())
        q->Open();
    if (q->RecordCount() == 0) {
        Pmsgdlg::qvMessageDlg("Es sind keine Daten zur Scheibenbestellung vorhanden", Host::mtInformation, Host::mbOK, 1);
        return;
    }
    if (Qvsettings::GetString("Global", "Verband").trimmed().isEmpty()) {
        Pmsgdlg::qvMessageDlg("Die Verbandsbezeichnung und die Anschrift fehlen", Host::mtWarning, Host::mbOK, 1);
        return;
    }
    bool veraendert = false;
    if (!Blanko)
        for (q->First(); !q->Eof(); q->Next()) {
            const int menge = q->FieldByName("BestMengeW")->AsInteger();
            veraendert = veraendert || Bestellmenge(menge, q->FieldByName("Packung")->AsInteger()) != menge;
        }

    // The head and foot name the number of pages: counted on a first run
    // that is not kept.
    {
        TBaseReport zaehlung(rf_Scheiben->Setup());
        zaehlung.BeginDocument();
        ScheibenPrint(zaehlung, *q, Blanko, 0);
        zaehlung.EndDocument();
        seiten_ = zaehlung.CurrentPage();
    }
    Q1 = std::move(q);
    blanko_ = Blanko;
    const auto frei = qScopeGuard([this] { Q1.reset(); });
    Druckjob::Vorschau(*rf_Scheiben, DruckjobID);
    if (veraendert)
        Pmsgdlg::qvMessageDlg("Bestellmengen wurde auf Packungsgröße verändert.", Host::mtInformation, Host::mbOK, 1);
}

void Scheibenbestellung(int& DruckjobID)
{
    const bool blanko = Scheiben1::Bestellung();
    QObject besitzer; // owns the writer for this run
    TScheibenBestellung(&besitzer).Drucken(blanko, DruckjobID);
}

} // namespace VorbScheiben
