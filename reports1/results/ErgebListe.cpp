#include "reports1/results/ErgebListe.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"

using Report::TBaseReport;

namespace ErgebListe {

namespace {

using Qvutil::CRLF;

// The settings the list reads once per document.
struct TEinstellungen {
    bool MitVorschub, MitTab, Rekorde, VBWettkampf, Disqualifikation;
    int EinFrist, Tabellier, Sportjahr;

    static TEinstellungen Lesen()
    {
        auto j = [](const char* key) { return Qvsettings::GetString("Speziell", key) == "J"; };
        TEinstellungen e;
        e.MitVorschub = j("MitVorschub");
        e.MitTab = j("MitTab");
        e.Rekorde = j("Rekorde");
        e.VBWettkampf = j("VBWettkampf");
        e.Disqualifikation = j("Disqualifikation");
        e.EinFrist = Qvsettings::GetInteger("Speziell", "EinFrist");
        e.Tabellier = Qvsettings::GetInteger("Speziell", "Tabellier");
        e.Sportjahr = Qvsettings::GetInteger("Allgemein", "Sportjahr");
        return e;
    }
};

using Reportutil::Feld;
double zahl(Ado::TDataSet& q, const char* name) { return q.FieldByName(name)->AsFloat(); }

using Reportutil::Rest;
using Reportutil::TSpalte;
using Reportutil::Zeile;
constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

// Series grid of n columns below a result row.
void TabulatorSetzen(TBaseReport& r, int n)
{
    const double breite = (r.SectionRight() - r.SectionLeft() - 1.0 - 1.5) / n;
    QVector<TSpalte> s = {{1.0, L}};
    for (int i = 0; i < n; ++i)
        s << TSpalte{breite, R_};
    s << TSpalte{Rest, R_};
    Reportutil::SpaltenSetzen(r, s);
}

} // namespace

QStringList Bemerkungen(Ado::TDataSet& q)
{
    QStringList b;
    const double finale = zahl(q, "Finale"), stech = zahl(q, "StechErg"), mess = zahl(q, "MessErg");
    const int zusatz = q.FieldByName("Zusatz")->AsInteger();
    if (finale > 0)
        b << Schtools::Format31(finale / 10);
    if (stech > 0)
        b << Schtools::Format31(stech / 10);
    if (mess > 0)
        b << Schtools::Format31(1000 - mess / 10);
    if (zusatz >= 1 && zusatz <= 9998)
        b << QString::asprintf("%2d", zusatz);
    return b;
}

QString ErgebnisText(Ado::TDataSet& q, const Datamod::TDisziplinInfo& info)
{
    return zahl(q, "Finale") > 0 ? Datamod::ErgebnisStr2(zahl(q, "Gesamt"), info)
                                 : Datamod::ErgebnisStr2(zahl(q, "Ergebnis"), info).rightJustified(4);
}

namespace {

// One result row of an individual with everything printed under it, made
// before it is printed so that it goes to the next page whole.
struct TEinzelZeile {
    QStringList Felder;                   // the row, a text per column
    QStringList Verein;                   // further lines of a wrapped club name
    int VereinsSpalte = 0;                // the club's column (0-based)
    QStringList Bemerkungen;              // the remarks line under the row, when the row had no room
    QVector<QStringList> Serien;          // "Ausgabe aller Serien": ten series a line
    int Zeilen() const { return 1 + int(Verein.size()) + (Bemerkungen.isEmpty() ? 0 : 1) + int(Serien.size()); }
};

class TListe {
public:
    TListe(TBaseReport& r, ErgebRangfolge::TErgebDaten& d, const TOptionen& o)
        : R(r), D(d), O(o), E(TEinstellungen::Lesen()) {}

    void Drucken();

private:
    // A new page (with the two blank lines of every page) when fewer than
    // max(3, zeilen) lines are left.
    void platzFuer(int zeilen);
    void gruppenKopf(Ado::TDataSet& q, bool mannschaft, int ersteZeile);
    void mannschaften();
    void mannschaftSpalten(bool mitKuerzel);
    void einzelne();
    void einzelSpalten(bool mitKuerzel);
    TEinzelZeile einzelDaten(Ado::TDataSet& q, bool mitPlatz, int platz);
    void einzelZeile(Ado::TDataSet& q, bool mitPlatz, int platz);
    bool hatteDisqualifikation(Ado::TDataSet& gruppe);
    void legende();
    void einspruchsende();
    void gruppenEnde();

    TBaseReport& R;
    ErgebRangfolge::TErgebDaten& D;
    TOptionen O;
    TEinstellungen E;
    bool legendeFaellig_ = false;
    std::unique_ptr<Ado::TADOQuery> regeln_;
    ErgebRekorde::TRekordSuche rekorde_;
};

void TListe::platzFuer(int zeilen)
{
    if (R.LinesLeft() < std::max(3, zeilen)) {
        R.NewPage();
        R.NewLine();
        R.NewLine();
    }
}

void TListe::Drucken()
{
    Qvmain::f_Menue()->SetStatus("Erstellen der Zwischenergebnisliste");
    R.SetFont("Arial", 12);
    R.SetBold(true);
    Schtools::ResetTabShade();
    // The body starts two lines below the page header, as after every page break.
    R.NewLine();
    R.NewLine();

    D.Wettkaempfe = {Datamod::iIdent};
    D.EinzelMannschaftSQLErstellen();
    bool weiter = D.ErsteGruppe(2, E.Disqualifikation);
    bool erste = true;
    while (weiter) {
        Ado::TDataSet& g = *D.q_Gruppen;
        const QString name = D.q_Einzel->IsEmpty()
            ? Feld(*D.q_Mannschaft, "DisName") + " " + Feld(*D.q_Mannschaft, "KlaName")
            : Feld(*D.q_Einzel, "DisName") + " " + Feld(*D.q_Einzel, "KlaName");
        Qvmain::f_Menue()->SetStatus("Erstellen der Zwischenergebnisliste " + name);
        Qvmain::f_Menue()->StartProgress(0, D.q_Einzel->RecordCount());
        if (!erste) {
            gruppenEnde();
            if (E.MitVorschub) {
                R.NewPage();
                R.NewLine();
                R.NewLine();
            } else {
                for (int i = 0; i < 6; ++i)
                    R.NewLine();
            }
        }
        erste = false;
        legendeFaellig_ = hatteDisqualifikation(g);
        if (!D.q_Mannschaft->IsEmpty())
            mannschaften();
        if (!D.q_Einzel->IsEmpty())
            einzelne();
        weiter = D.SucheMannschaftOderEinzel(2, E.Disqualifikation);
    }
    if (!erste)
        gruppenEnde();
    Qvmain::f_Menue()->StopProgress();
    Qvmain::f_Menue()->SetStatus("");
}

void TListe::gruppenEnde()
{
    if (legendeFaellig_)
        legende();
    if (O.Einspruchsende)
        einspruchsende();
}

bool TListe::hatteDisqualifikation(Ado::TDataSet& g)
{
    auto q = Datamod::DataModule1()->DynQuery(
        "SELECT Disqualifikation\r\nFROM ERGEBNIS\r\nWHERE Ident = " + QString::number(g.FieldByName("Ident")->AsInteger())
            + CRLF + "  AND Disziplin = " + Ado::QuotedStr(Feld(g, "Disziplin")) + CRLF
            + "  AND EKlasse = " + Ado::QuotedStr(Feld(g, "Klasse")) + CRLF + "  AND Disqualifikation > 0",
        Ado::clUseServer, Ado::ltReadOnly);
    return !q->IsEmpty();
}

// The heading, a blank line and the group's first row stay together.
void TListe::gruppenKopf(Ado::TDataSet& q, bool mannschaft, int ersteZeile)
{
    platzFuer(2 + std::max(3, ersteZeile));
    // The code's column ends where the rows' name column begins; a code wider
    // than it is printed smaller.
    Reportutil::SpaltenSetzen(R, {{1.6, R_}, {8.9, L}, {6.0, R_}, {0.5, R_}});
    R.SetFont("Arial", 12);
    R.SetBold(true);
    R.SetTabShade(0);

    const QString disziplin = Feld(q, "Disziplin");
    const QString klasse = mannschaft ? Feld(q, "MKlasse") : Feld(q, "EKlasse");
    QString kennziffer;
    const QString kennzahl = mannschaft
        ? Reportutil::KennzZahlHolen(q.FieldByName("Ident")->AsInteger(), "M", "M", disziplin, klasse, kennziffer, true)
        : Reportutil::KennzZahlHolen(q.FieldByName("Ident")->AsInteger(), "E", "", disziplin, klasse, kennziffer, true);
    QString titel = Feld(q, "DisName");
    if (!E.VBWettkampf) {
        titel += " - " + Feld(q, "KlaName");
        if (!mannschaft)
            titel += " " + Feld(q, "KlaZusatz");
        else if (!Feld(q, "OlDisziGrp").isEmpty())
            titel += " " + Feld(q, "Zusatz");
    }
    Zeile(R, {kennzahl, titel, mannschaft ? QStringLiteral("Mannschaftsergebnisse") : QStringLiteral("Einzelergebnisse ")});
    R.NewLine();
}

// Place, abbreviation, team name, an empty column, the deregistration
// mark, three series, the result and the record mark: 17.5 cm, the width of
// the section.
void TListe::mannschaftSpalten(bool mitKuerzel)
{
    QVector<TSpalte> spalten = {{1.0, R_}};
    if (mitKuerzel)
        spalten << TSpalte{1.1, L};
    spalten << TSpalte{mitKuerzel ? 8.0 : 9.1, L} << TSpalte{1.0, L} << TSpalte{1.7, L} << TSpalte{1.0, R_}
            << TSpalte{1.0, R_} << TSpalte{1.0, R_} << TSpalte{1.2, R_} << TSpalte{0.5, L};
    Reportutil::SpaltenSetzen(R, spalten);
}

void TListe::mannschaften()
{
    Ado::TDataSet& q = *D.q_Mannschaft;
    q.First();
    gruppenKopf(q, true, 1);
    ErgebRangfolge::TMannschaftPlatz platz;
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
    for (q.First(); !q.Eof(); q.Next()) {
        platzFuer(1);
        R.SetFont("Arial", 10);
        R.SetBold(false);
        const bool mitKuerzel = !Feld(q, "Abkuerzung").isEmpty();
        mannschaftSpalten(mitKuerzel);
        Schtools::TabShadeSetzen(R, E.MitTab, E.Tabellier);

        const int p = platz.Naechster(Feld(q, "Qual"));
        auto serie = [&](const char* f) {
            const QString s = Datamod::ErgebnisStr2(zahl(q, f), info);
            return s == "0" ? QString() : s;
        };
        const QString abmeldung = Feld(q, "Abmeldung") == "N" ? QString() : Feld(q, "Abmeldung");
        QString rekord;
        if (E.Rekorde)
            rekorde_.MannschaftsRekordFeststellen(q.FieldByName("Ident")->AsInteger(), E.Sportjahr, Feld(q, "VereinNr"),
                                                  Feld(q, "MannschNr"), Feld(q, "MKlasse"), Feld(q, "Disziplin"), rekord);
        QStringList f = {p > 0 ? QString::number(p) + "." : QString()};
        if (mitKuerzel)
            f << Feld(q, "Abkuerzung");
        f << ErgebRangfolge::MannschaftName(Feld(q, "VerName"), Feld(q, "MannschNr")) << QString() << abmeldung
          << serie("Serie1") << serie("Serie2") << serie("Serie3") << Datamod::ErgebnisStr2(zahl(q, "Ergebnis"), info)
          << rekord;
        Zeile(R, f);
    }
    R.SetTabShade(0);
    R.NewLine();
}

void TListe::einzelne()
{
    Ado::TDataSet& q = *D.q_Einzel;
    q.First();
    gruppenKopf(q, false, einzelDaten(q, false, 0).Zeilen());
    ErgebRangfolge::TEinzelPlatz platz;
    bool disqualifikationKopf = false;
    int i = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        Qvmain::f_Menue()->SetProgress(++i);
        if (!disqualifikationKopf && q.FieldByName("Disqualifikation")->AsInteger() > 0) {
            // The heading stays with the first disqualified row.
            disqualifikationKopf = true;
            platzFuer(2 + std::max(3, einzelDaten(q, false, 0).Zeilen()));
            R.NewLine();
            R.SetFont("Arial", 12);
            R.SetBold(true);
            R.PrintCenter("Disqualifikation", R.SectionLeft() + (R.SectionRight() - R.SectionLeft()) / 2);
            R.NewLine();
        }
        const auto p = platz.Naechster(q);
        einzelZeile(q, p.Gedruckt, p.Nummer);
    }
    R.SetTabShade(0);
}

// Place, start number, name, abbreviation and club (or the club alone), six
// series, the result and the remark column: 17.5 cm, the width of the section.
void TListe::einzelSpalten(bool mitKuerzel)
{
    QVector<TSpalte> spalten = {{0.7, R_}, {0.9, R_}, {3.9, L}};
    if (mitKuerzel)
        spalten << TSpalte{1.1, L};
    spalten << TSpalte{mitKuerzel ? 3.7 : 4.8, L};
    for (int i = 0; i < 6; ++i)
        spalten << TSpalte{0.9, R_};
    spalten << TSpalte{1.2, R_} << TSpalte{Rest, L};
    Reportutil::SpaltenSetzen(R, spalten);
}

TEinzelZeile TListe::einzelDaten(Ado::TDataSet& q, bool mitPlatz, int platz)
{
    R.SetFont("Arial", 9);
    R.SetBold(false);
    const bool mitKuerzel = !Feld(q, "Abkuerzung").isEmpty();
    einzelSpalten(mitKuerzel);

    TEinzelZeile z;
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
    z.VereinsSpalte = mitKuerzel ? 4 : 3;
    const Report::TTab* vt = R.GetTab(z.VereinsSpalte + 1);
    const double innen = R.XI2U(vt->Margin);
    QStringList verein = Reportutil::TextAufteilen(R, Feld(q, "VerName"), vt->Pos + innen, vt->Pos + vt->Width - innen);
    if (verein.isEmpty())
        verein << QString();

    // Series: six columns on the row, or all of them on lines below.
    const QStringList serien = Schtools::SerienToStrings(Schtools::FromSerienFormat(Feld(q, "Serien")), "|");
    QString reihe[6];
    if (!O.AlleSerien) {
        for (int i = 0; i < 6 && i < serien.size(); ++i)
            reihe[i] = serien[i];
        D.InnenZehnerAusgeben(q, reihe);
    }

    // Final, shoot-off, measured and additional value go into the free series
    // columns counted from the right, in their order; where the row has not
    // enough free columns, they stand on a line of their own below it.
    const QStringList bemerkungen = Bemerkungen(q);
    QVector<int> frei;
    for (int i = 0; i < 6; ++i)
        if (reihe[i].trimmed().isEmpty())
            frei << i;
    QString eigeneZeile[6];
    const qsizetype n = bemerkungen.size();
    QString* ziel = n <= frei.size() ? reihe : eigeneZeile;
    for (qsizetype k = 0; k < n; ++k)
        ziel[n <= frei.size() ? frei[frei.size() - n + k] : 6 - n + k] = bemerkungen[k];

    // The remark: the disqualification, else the record mark.
    QString bemerkung;
    if (q.FieldByName("Disqualifikation")->AsInteger() > 0)
        bemerkung = "*" + Feld(q, "Disqualifikation");
    else if (E.Rekorde)
        rekorde_.EinzelRekordFeststellen(q.FieldByName("Ident")->AsInteger(), E.Sportjahr, Feld(q, "MitglNr"),
                                         Feld(q, "EKlasse"), Feld(q, "Disziplin"), bemerkung);
    auto zeile = [&](const QString& platzText, const QString& startNr, const QString& name, const QString& kuerzel,
                     const QString& verein, const QString (&spalten)[6], const QString& ergebnis, const QString& rest) {
        QStringList f = {platzText, startNr, name};
        if (mitKuerzel)
            f << kuerzel;
        f << verein;
        for (int i = 0; i < 6; ++i)
            f << spalten[i];
        f << ergebnis << rest;
        return f;
    };
    z.Felder = zeile(mitPlatz ? QString::number(platz) + "." : QString(), Feld(q, "StartNr"),
                     Feld(q, "Name") + ", " + Feld(q, "Titel") + " " + Feld(q, "Vorname"), Feld(q, "Abkuerzung"),
                     verein.first(), reihe, ErgebnisText(q, info), bemerkung);
    z.Verein = verein.mid(1);
    if (n > frei.size()) {
        z.Bemerkungen = zeile({}, {}, {}, {}, {}, eigeneZeile, {}, {});
    }

    if (O.AlleSerien) {
        QString plaetze[20];
        for (int i = 0; i < 20 && i < serien.size(); ++i)
            plaetze[i] = serien[i];
        auto hintenEintragen = [&](const QString& text) {
            for (int i = 19; i >= 0; --i)
                if (plaetze[i].isEmpty()) {
                    plaetze[i] = text;
                    return;
                }
        };
        const int iz = q.FieldByName("InnenZehner")->AsInteger();
        if (iz > 0)
            hintenEintragen("(" + QString::number(iz) + "iZ)");
        if (info.Zehntelwertung && zahl(q, "ErgZentel") > 0)
            hintenEintragen(Schtools::Format31(zahl(q, "ErgZentel") / 10));
        int letzte = -1;
        for (int i = 0; i < 20; ++i)
            if (!plaetze[i].isEmpty())
                letzte = i;
        for (int start = 0; start <= letzte; start += 10) {
            QStringList l = {QString()};
            for (int i = start; i < start + 10; ++i)
                l << plaetze[i];
            z.Serien << (l << QString());
        }
    }
    return z;
}

void TListe::einzelZeile(Ado::TDataSet& q, bool mitPlatz, int platz)
{
    TEinzelZeile z = einzelDaten(q, mitPlatz, platz);
    // The row and what belongs under it go to the next page together; every
    // line in the row's font, whatever the page header left.
    platzFuer(z.Zeilen());
    R.SetFont("Arial", 9);
    R.SetBold(false);
    Schtools::TabShadeSetzen(R, E.MitTab, E.Tabellier);
    Zeile(R, z.Felder);
    // Every line of the row enters every column, so its shading runs the
    // row's whole width.
    for (const QString& v : z.Verein) {
        QStringList f;
        for (qsizetype t = 0; t < z.Felder.size(); ++t)
            f << (t == z.VereinsSpalte ? v : QString());
        Zeile(R, f);
    }
    if (!z.Bemerkungen.isEmpty())
        Zeile(R, z.Bemerkungen);
    if (!z.Serien.isEmpty()) {
        const double groesse = R.GetFontSize();
        const double zeilenhoehe = R.LineHeight();
        R.SetFontSize(groesse - 2);
        R.PushTabs();
        TabulatorSetzen(R, 10);
        for (const QStringList& l : z.Serien)
            Zeile(R, l);
        // The next row's shading starts a full row's height above its
        // baseline: it keeps clear of the smaller lines' descenders.
        R.SetYPos(R.GetYPos() + zeilenhoehe - R.LineHeight());
        R.PopTabs();
        R.SetFontSize(groesse);
    }
}

void TListe::legende()
{
    // The heading stays with its first rule.
    platzFuer(2 + 1 + 3);
    R.NewLine();
    R.NewLine();
    Reportutil::SpaltenSetzen(R, {{1.8, L}});
    R.SetTabShade(0);
    R.SetFont("Arial", 11);
    R.SetBold(true);
    Zeile(R, {"Legende"});
    Reportutil::SpaltenSetzen(R, {{0.5, L}, {9.0, L}});
    if (!regeln_)
        regeln_ = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM EREGEL\r\nORDER BY Nummer", Ado::clUseServer,
                                                    Ado::ltReadOnly);
    for (regeln_->First(); !regeln_->Eof(); regeln_->Next()) {
        platzFuer(1);
        R.SetFont("Arial", 10);
        R.SetBold(false);
        Zeile(R, {Feld(*regeln_, "Nummer") + ". ", "Verstoss gegen die Regel-Nr.: " + Feld(*regeln_, "Regel")});
    }
}

void TListe::einspruchsende()
{
    Reportutil::SpaltenSetzen(R, {{7.0, L}, {5.0, L}});
    R.SetTabShade(0);
    platzFuer(3 + 1);
    R.NewLine();
    R.NewLine();
    R.NewLine();
    R.SetFont("Arial", 14);
    R.SetBold(false);
    const QTime ende = Qvclock::Now().addSecs(qint64(E.EinFrist) * 60).time();
    R.Print("\tEINSPRUCHSENDE: \t um    " + Qvclock::ZeitText(ende) + " Uhr");
    R.SetFont("Arial", 10);
    R.NewLine();
    R.NewLine();
    R.NewLine();
}

QString festeBreite(const QString& s, int n) { return s.left(n).leftJustified(n); }

// Opens q (a ranked dataset of Daten) for one discipline and class of the
// current competition.
void bildschirmOeffnen(ErgebRangfolge::TErgebDaten& Daten, std::unique_ptr<Ado::TADOQuery> ErgebRangfolge::TErgebDaten::*q,
                       const QString& Disziplin, const QString& Klasse)
{
    Daten.Wettkaempfe = {Datamod::iIdent};
    Daten.EinzelMannschaftSQLErstellen();
    Ado::TADOQuery& d = *(Daten.*q);
    d.ParamByName("Ident")->SetValue(Datamod::iIdent);
    d.ParamByName("Disziplin")->SetValue(Disziplin);
    d.ParamByName("Klasse")->SetValue(Klasse);
    d.Open();
    d.First();
}

} // namespace

void ErgebnissePrint(TBaseReport& Report, ErgebRangfolge::TErgebDaten& Daten, const TOptionen& Optionen)
{
    TListe(Report, Daten, Optionen).Drucken();
}

void NichtangetretenPrint(TBaseReport& R, Ado::TDataSet& q)
{
    const double mitte = R.SectionLeft() + (R.SectionRight() - R.SectionLeft()) / 2;
    auto kopf = [&] {
        Reportutil::SpaltenSetzen(R, {{1.0, L}, {4.5, L}, {4.5, L}, {3.5, L}, {3.5, L}});
        R.SetFont("Arial", 10);
        R.SetBold(false);
        Zeile(R, {"St-Nr.", "Name", "Verein", "Wettbew.", "Klasse"});
    };
    // The body starts two lines below the page header.
    R.NewLine();
    R.NewLine();
    R.SetFont("Arial", 12);
    R.SetBold(false);
    R.PrintCenter("Protokoll nichtangetretener Teilnehmer", mitte);
    R.NewLine();
    R.NewLine();
    kopf();
    for (q.First(); !q.Eof(); q.Next()) {
        if (R.LinesLeft() < 3) {
            R.NewPage();
            R.NewLine();
            R.NewLine();
            kopf();
        }
        Zeile(R, {Feld(q, "StartNr"), Feld(q, "Name") + ", " + Feld(q, "Vorname"),
                  Feld(q, "Abkuerzung") + " " + Feld(q, "VerName"), Feld(q, "DisName"), Feld(q, "KlaName")});
    }
}

TBildschirm ErgebnisseEinzelAusgabe(ErgebRangfolge::TErgebDaten& Daten, const QString& Disziplin, const QString& Klasse)
{
    TBildschirm b;
    bildschirmOeffnen(Daten, &ErgebRangfolge::TErgebDaten::q_Einzel, Disziplin, Klasse);
    Ado::TADOQuery& q = *Daten.q_Einzel;
    if (!q.IsEmpty()) {
        b.Ueberschrift = Feld(q, "DisName") + " " + Feld(q, "KlaName") + " " + Feld(q, "KlaZusatz");
    }
    ErgebRangfolge::TEinzelPlatz platz(true);
    for (q.First(); !q.Eof(); q.Next()) {
        const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
        QString z = ErgebRangfolge::BildschirmPlatz(platz.Naechster(q));
        z += festeBreite(Feld(q, "Name") + ", " + Feld(q, "Titel") + " " + Feld(q, "Vorname"), 22);
        z += Feld(q, "Abkuerzung").leftJustified(5) + Feld(q, "VerName").left(20).leftJustified(20);
        for (const QString& b : Bemerkungen(q))
            z += " " + b;
        z += ErgebnisText(q, info).rightJustified(zahl(q, "Finale") > 0 ? 7 : 6);
        b.Zeilen << z;
    }
    return b;
}

TBildschirm ErgebnisseMannschaftAusgabe(ErgebRangfolge::TErgebDaten& Daten, const QString& Disziplin,
                                        const QString& Klasse)
{
    TBildschirm b;
    bildschirmOeffnen(Daten, &ErgebRangfolge::TErgebDaten::q_Mannschaft, Disziplin, Klasse);
    Ado::TADOQuery& q = *Daten.q_Mannschaft;
    if (!q.IsEmpty()) {
        b.Ueberschrift = Feld(q, "DisName") + " " + Feld(q, "KlaName");
    }
    ErgebRangfolge::TMannschaftPlatz platz;
    for (q.First(); !q.Eof(); q.Next()) {
        const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
        const int p = platz.Naechster(Feld(q, "Qual"));
        QString z = p > 0 ? QString::number(p) + ". " : QStringLiteral("     ");
        // 27 characters: a long club name is shortened, never the team number.
        const QString nr = Feld(q, "MannschNr");
        const QString zusatz = ErgebRangfolge::MannschaftName(QString(), nr);
        z += festeBreite(Feld(q, "VerName").left(27 - zusatz.size()) + zusatz, 27);
        z += Feld(q, "Abkuerzung").leftJustified(5);
        for (const char* s : {"Serie1", "Serie2", "Serie3"})
            z += Datamod::ErgebnisStr2(zahl(q, s), info).rightJustified(6);
        z += Datamod::ErgebnisStr2(zahl(q, "Ergebnis"), info).rightJustified(7);
        b.Zeilen << z;
    }
    return b;
}

} // namespace ErgebListe
