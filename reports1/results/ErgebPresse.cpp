#include "reports1/results/ErgebPresse.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebAuswahl.h"
#include "reports1/results/ErgebListe.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>

using Report::TBaseReport;

namespace ErgebPresse {

namespace {

constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

using Reportutil::Feld;

// A count typed into an edit: a whole number (a negative one counts 0);
// anything else is refused with Meldung and the focus on the edit.
int Anzahl(QLineEdit* edit, const QString& Meldung)
{
    bool ok = false;
    const int n = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        edit->setFocus();
        throw Eingabefehler(Meldung);
    }
    return std::max(0, n);
}

// The settings the list reads once per run.
struct TEinstellungen {
    QString Ueberschr;
    bool Rekorde = false;
    int Sportjahr = 0, Veranstaltungsart = 0;

    static TEinstellungen Lesen()
    {
        TEinstellungen e;
        e.Ueberschr = Qvsettings::GetString("Global", "Ueberschr");
        e.Rekorde = Qvsettings::GetString("Speziell", "Rekorde") == "J";
        e.Sportjahr = Qvsettings::GetInteger("Allgemein", "Sportjahr");
        e.Veranstaltungsart = Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt");
        return e;
    }
};

// Place (right), name and the rest of the row up to the result and the
// record mark: 17.5 cm, the width of the section.
void mannschaftSpalten(TBaseReport& R) { Reportutil::SpaltenSetzen(R, {{1.5, R_}, {12.5, L}, {2.5, R_}, {1.0, L}}); }
void einzelSpalten(TBaseReport& R)
{
    Reportutil::SpaltenSetzen(R, {{1.5, R_}, {5.5, L}, {7.0, L}, {2.5, R_}, {1.0, L}});
}

// The place text of a listed row: tied rows stay blank under the row they
// tie with, as in the results list; when that row is not listed (another
// subdivision) the place is printed.
QString platzText(int Platz, bool Gedruckt, int VorigerPlatz)
{
    return (!Gedruckt && Platz == VorigerPlatz) ? QString() : QString::number(Platz) + ".";
}

void einzelLesen(Ado::TDataSet& q, const TOptionen& O, const TEinstellungen& E, ErgebRekorde::TRekordSuche& rekorde,
                 QVector<TZeile>& zeilen)
{
    ErgebRangfolge::TEinzelPlatz platz;
    int gedruckt = 0;        // the place of the last row that had one printed
    int gelistet = 0;        // rows listed
    int gelistetPlatz = -1;  // the place of the last listed row
    for (q.First(); !q.Eof(); q.Next()) {
        if (Feld(q, "Qual") != "N")
            continue; // out of competition: no place, not for the press
        const auto p = platz.Naechster(q);
        const int nummer = p.Gedruckt ? p.Nummer : gedruckt;
        gedruckt = nummer;
        if (!InUntergliederung(O.Untergliederung, Feld(q, "VereinNr"), Feld(q, "Kreis"), E.Veranstaltungsart))
            continue;
        if (gelistet >= O.Einzel && nummer != gelistetPlatz)
            break;
        const Datamod::TDisziplinInfo info =
            Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
        TZeile z;
        z.Platz = platzText(nummer, p.Gedruckt, gelistetPlatz);
        const QString vorname = ErgebAuswahl::NamenTeile({Feld(q, "Titel"), Feld(q, "Vorname")});
        z.Name = vorname.isEmpty() ? Feld(q, "Name") : Feld(q, "Name") + ", " + vorname;
        z.Verein = Feld(q, "VerName");
        z.Ergebnis = ErgebListe::ErgebnisText(q, info).trimmed();
        if (E.Rekorde)
            rekorde.EinzelRekordFeststellen(q.FieldByName("Ident")->AsInteger(), E.Sportjahr, Feld(q, "MitglNr"),
                                            Feld(q, "EKlasse"), Feld(q, "Disziplin"), z.Rekord);
        zeilen << z;
        ++gelistet;
        gelistetPlatz = nummer;
    }
}

void mannschaftenLesen(Ado::TDataSet& q, const TOptionen& O, const TEinstellungen& E,
                       ErgebRekorde::TRekordSuche& rekorde, QVector<TZeile>& zeilen)
{
    ErgebRangfolge::TMannschaftPlatz platz;
    for (q.First(); !q.Eof() && zeilen.size() < O.Mannschaft; q.Next()) {
        const int p = platz.Naechster(Feld(q, "Qual"));
        if (p == 0)
            continue;
        if (!InUntergliederung(O.Untergliederung, Feld(q, "VereinNr"), Feld(q, "Kreis"), E.Veranstaltungsart))
            continue;
        const Datamod::TDisziplinInfo info =
            Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
        TZeile z;
        z.Platz = QString::number(p) + ".";
        z.Name = ErgebRangfolge::MannschaftName(Feld(q, "VerName"), Feld(q, "MannschNr"));
        z.Ergebnis = Datamod::ErgebnisStr2(q.FieldByName("Ergebnis")->AsFloat(), info);
        if (E.Rekorde)
            rekorde.MannschaftsRekordFeststellen(q.FieldByName("Ident")->AsInteger(), E.Sportjahr, Feld(q, "VereinNr"),
                                                 Feld(q, "MannschNr"), Feld(q, "MKlasse"), Feld(q, "Disziplin"),
                                                 z.Rekord);
        zeilen << z;
    }
}

} // namespace

TOptionen EingabenPruefen(QLineEdit* ed_Einzel, QLineEdit* ed_Mannschaft, QLineEdit* ed_Untergl)
{
    TOptionen o;
    o.Einzel = Anzahl(ed_Einzel, "Die Angabe Anzahl Einzel ist fehlerhaft.");
    o.Mannschaft = Anzahl(ed_Mannschaft, "Die Angabe Anzahl Mannschaft ist fehlerhaft.");
    o.Untergliederung = ed_Untergl->text().trimmed();
    if (!o.Untergliederung.isEmpty() && o.Untergliederung.size() < 4) {
        ed_Untergl->setFocus();
        throw Eingabefehler("Es wurde eine fehlerhafte Untergliederung eingegeben.");
    }
    return o;
}

bool InUntergliederung(const QString& Code, const QString& VereinNr, const QString& Kreis, int Veranstaltungsart)
{
    if (Code.isEmpty())
        return true;
    // At a state championship (level 3 and above) the subdivisions are the
    // districts the clubs record; below it the club number, whose first
    // two characters are the district, decides.
    if (Veranstaltungsart >= 3 && !Kreis.trimmed().isEmpty())
        return Kreis.trimmed().left(2) == Code.left(2);
    if (VereinNr.left(2) != Code.left(2))
        return false;
    // Beyond the district the code's further characters narrow the clubs
    // down to those whose number continues the same way; trailing zeros
    // stand for "any" ("1100" is district 11, "1101" the club 1101).
    QString rest = Code.mid(2);
    while (rest.endsWith('0'))
        rest.chop(1);
    return VereinNr.mid(2).startsWith(rest);
}

QVector<TGruppe> PresseDaten(ErgebRangfolge::TErgebDaten& D, const TOptionen& O)
{
    const TEinstellungen E = TEinstellungen::Lesen();
    ErgebRekorde::TRekordSuche rekorde;
    QVector<TGruppe> gruppen;
    D.EinzelMannschaftSQLErstellen();
    const auto ende = qScopeGuard([] { Druckjob::Ende(); });
    for (bool weiter = D.ErsteGruppe(2, false); weiter; weiter = D.SucheMannschaftOderEinzel(2, false)) {
        Ado::TDataSet& m = *D.q_Mannschaft;
        Ado::TDataSet& e = *D.q_Einzel;
        Ado::TDataSet& erste = e.IsEmpty() ? m : e;
        erste.First();
        Druckjob::Status("Erstellen der Presseliste " + Feld(erste, "DisName") + " " + Feld(erste, "KlaName"));
        TGruppe g;
        if (!m.IsEmpty()) {
            m.First();
            g.MannschaftKopf = ErgebAuswahl::GruppenKopf(m, true);
            mannschaftenLesen(m, O, E, rekorde, g.Mannschaften);
        }
        if (!e.IsEmpty()) {
            e.First();
            g.EinzelKopf = ErgebAuswahl::GruppenKopf(e, false);
            einzelLesen(e, O, E, rekorde, g.Einzel);
        }
        if (!g.Mannschaften.isEmpty() || !g.Einzel.isEmpty())
            gruppen << g;
    }
    return gruppen;
}

void SeiteDrucken(TBaseReport& R)
{
    R.SetFont("Arial", 10);
    R.SetBold(false);
    R.SetYPos(R.GetPageHeight() - 2.0);
    R.PrintCenter("Seite " + QString::number(R.CurrentPage()), (R.SectionLeft() + R.SectionRight()) / 2);
}

void PresseListe(TBaseReport& R, const QVector<TGruppe>& Gruppen, const TOptionen& O, bool Rtf)
{
    const TEinstellungen E = TEinstellungen::Lesen();
    // A page end when fewer than n lines are left: the page number goes
    // at its foot (the footer), the next page begins two lines down.
    const auto platzFuer = [&](int n) {
        if (Rtf || R.LinesLeft() >= n)
            return;
        R.NewPage();
        R.NewLine();
        R.NewLine();
    };
    const double links = R.SectionLeft(), breite = R.SectionRight() - R.SectionLeft();
    R.SetFont("Arial", 12);
    R.SetBold(true);
    ErgebRekorde::Zentriert(R, Reportutil::Druckbar(ErgebAuswahl::NamenTeile({E.Ueberschr, QString::number(E.Sportjahr)})),
                            links + breite / 2, breite);
    R.NewLine();
    R.SetBold(false);
    ErgebRekorde::Zentriert(R,
                            O.Untergliederung.isEmpty() ? QStringLiteral("Presseliste")
                                                        : "Presseliste der Untergliederung " + O.Untergliederung,
                            links + breite / 2, breite);
    R.NewLine();

    // A row with its wrapped team or club name, in the row's columns.
    const auto zeilenVon = [&](const TZeile& z, bool mannschaft) {
        R.SetFont("Arial", 10);
        R.SetBold(false);
        if (mannschaft) {
            mannschaftSpalten(R);
            return ErgebAuswahl::SpaltenZeilen(R, 2, z.Name);
        }
        einzelSpalten(R);
        return ErgebAuswahl::SpaltenZeilen(R, 3, z.Verein);
    };
    const auto teil = [&](const ErgebAuswahl::TGruppenKopf& kopf, const QVector<TZeile>& zeilen, bool mannschaft) {
        if (zeilen.isEmpty())
            return;
        // The heading stays with its first row; a part continued on a new
        // page repeats it there.
        platzFuer(2 + int(zeilenVon(zeilen.first(), mannschaft).size()));
        R.NewLine();
        ErgebAuswahl::GruppenKopfDrucken(R, kopf);
        for (const TZeile& z : zeilen) {
            QStringList umbruch = zeilenVon(z, mannschaft);
            if (!Rtf && R.LinesLeft() < umbruch.size()) {
                platzFuer(int(umbruch.size()) + 1);
                ErgebAuswahl::GruppenKopfDrucken(R, kopf);
                umbruch = zeilenVon(z, mannschaft);
            }
            if (mannschaft)
                ErgebAuswahl::UmbruchZeile(R, {z.Platz, QString(), z.Ergebnis, z.Rekord}, 2, umbruch);
            else
                ErgebAuswahl::UmbruchZeile(R, {z.Platz, z.Name, QString(), z.Ergebnis, z.Rekord}, 3, umbruch);
        }
    };
    for (const TGruppe& g : Gruppen) {
        teil(g.MannschaftKopf, g.Mannschaften, true);
        teil(g.EinzelKopf, g.Einzel, false);
    }
}

void TPresseJob::Anlegen(QObject* Owner)
{
    // Paper: the list's own heading, each page ending with its number; no
    // page header or footer of the lists. The body keeps clear of the number.
    rf_Presseliste = Druckjob::Schreiber(Owner, "rf_Presseliste", "Presseliste");
    rf_Presseliste->SetMarginBottom(2.6);
    rf_Presseliste->OnPrint = [this](TBaseReport& r) { PresseListe(r, gruppen_, O_, false); };
    rf_Presseliste->OnPrintFooter = [](TBaseReport& r) { SeiteDrucken(r); };
    rf_Presseliste->OnAfterPrint = [this](TBaseReport&) { Druckjob::NachDruck(*rf_Presseliste); };

    rtf_Presse = new Report::TRTFFiler(Owner);
    rtf_Presse->setObjectName("rtf_Presse");
    rtf_Presse->SetTitle("Presseliste");
    rtf_Presse->OnPrint = [this](TBaseReport& r) {
        Druckjob::Status("Erstellen der Presseliste als RTF-Datei");
        PresseListe(r, gruppen_, O_, true);
    };
}

bool TPresseJob::Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const TOptionen& O, bool Rtf, int& DruckjobID,
                          QString& Laufwerk)
{
    O_ = O;
    Daten.Wettkaempfe = {Datamod::iIdent};
    if (O.Gesamtausdruck)
        ErgebAuswahl::ErgebnisGruppenMarkieren(Datamod::iIdent);
    gruppen_ = PresseDaten(Daten, O);
    const auto leeren = qScopeGuard([this] { gruppen_.clear(); });
    if (gruppen_.isEmpty()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return false;
    }
    if (!Rtf) {
        Druckjob::Vorschau(*rf_Presseliste, DruckjobID);
        return true;
    }
    const QString ordner = Schtools::LaufwerkHolen("RTF-Ausgabeordner", Laufwerk);
    if (ordner.isEmpty())
        return false;
    Laufwerk = ordner;
    Schtools::RTFAuswahl(*rtf_Presse, "PRESSE.RTF", "Daten ausgeben", Laufwerk);
    const QString datei = rtf_Presse->FileName();
    if (!Druckjob::UeberschreibenErlaubt(datei))
        return false;
    Druckjob::Datei(*rtf_Presse, datei,
                    "Die Presseliste ist als   PRESSE.RTF  im\r\nOrdner  " + QDir::toNativeSeparators(Laufwerk)
                        + "  erstellt worden");
    return true;
}

} // namespace ErgebPresse
