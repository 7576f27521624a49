#include "reports1/results/ErgebGesamt.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebAuswahl.h"
#include "reports1/results/ErgebListe.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"

#include <QHash>
#include <QSet>

using Report::TBaseReport;

namespace ErgebGesamt {

namespace {

using Qvutil::CRLF;
using Reportutil::Feld;
using Reportutil::Rest;
using Reportutil::TSpalte;
using Reportutil::Zeile;
constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

std::unique_ptr<Ado::TADOQuery> abfrage(const QString& sql)
{
    return Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
}

bool ja(const char* key) { return Qvsettings::GetString("Speziell", key) == "J"; }

double zahl(Ado::TDataSet& q, const char* name) { return q.FieldByName(name)->AsFloat(); }


// Collects the rows group by group.
class TSammler {
public:
    TSammler(ErgebRangfolge::TErgebDaten& d, const TOptionen& o) : D(d), O(o) {}
    TListe Sammeln();

private:
    void mannschaften(TGruppe& g, int anzWertung);
    // The members of the current team of q whose results count, best first,
    // at most anzWertung (every one when it is 0).
    void mitglieder(Ado::TDataSet& q, int Ident, int anzWertung, const Datamod::TDisziplinInfo& info,
                    TMannschaft& m);
    void einzelne(TGruppe& g);
    // The section "Gesamtstand": every group over the listed competitions.
    void gesamtstand(TListe& liste, bool disqualifikation);

    ErgebRangfolge::TErgebDaten& D;
    const TOptionen& O;
    bool rekorde_ = false;
    int sportjahr_ = 0;
    ErgebRekorde::TRekordSuche rekordSuche_;
};

TListe TSammler::Sammeln()
{
    TListe liste;
    rekorde_ = ja("Rekorde");
    sportjahr_ = Qvsettings::GetInteger("Allgemein", "Sportjahr");
    const bool disqualifikation = ja("Disqualifikation");
    const bool abschnitte = D.Wettkaempfe.size() > 1 && ja("VBWettkampf");

    QString ueber = "Gesamtergebnisliste";
    const QString u = Qvsettings::GetString("Global", "Ueberschr").trimmed();
    if (!u.isEmpty())
        ueber += " " + u;
    if (sportjahr_ > 0)
        ueber += " " + QString::number(sportjahr_);
    liste.Ueberschrift = ueber;

    D.GruppenProIdent = abschnitte;
    D.EinzelMannschaftSQLErstellen({.ProIdent = abschnitte, .AlleStarter = O.AlleStarter});
    bool weiter = D.ErsteGruppe(2, disqualifikation);
    D.GruppenProIdent = false;
    int letzterWettkampf = -1;
    while (weiter) {
        Ado::TDataSet& gr = *D.q_Gruppen;
        TGruppe g;
        g.Ident = gr.FieldByName("Ident")->AsInteger();
        g.Disziplin = Feld(gr, "Disziplin");
        g.Klasse = Feld(gr, "Klasse");
        Ado::TDataSet& erste = D.q_Einzel->IsEmpty() ? *D.q_Mannschaft : *D.q_Einzel;
        erste.First();
        Druckjob::Status("Erstellen der Gesamtergebnisliste " + Feld(erste, "DisName") + " " + Feld(erste, "KlaName"));

        if (liste.Abschnitte.isEmpty() || (abschnitte && g.Ident != letzterWettkampf)) {
            TAbschnitt a;
            if (abschnitte)
                a.Titel = liste.Abschnitte.isEmpty() ? QStringLiteral("Vorkampf") : QStringLiteral("Rückkampf");
            liste.Abschnitte << a;
        }
        letzterWettkampf = g.Ident;

        // The DSB form lists a group's teams only when its order says "N".
        if (!D.q_Mannschaft->IsEmpty() && (!O.DSB || Feld(gr, "Druckauftrag") == "N"))
            mannschaften(g, gr.FieldByName("AnzWertung")->AsInteger());
        if (!D.q_Einzel->IsEmpty())
            einzelne(g);
        if (!g.Mannschaften.isEmpty() || !g.Einzel.isEmpty())
            liste.Abschnitte.last().Gruppen << g;
        weiter = D.SucheMannschaftOderEinzel(2, disqualifikation);
    }
    if (abschnitte && ja("VBWettkampfGesamt"))
        gesamtstand(liste, disqualifikation);
    return liste;
}

void TSammler::gesamtstand(TListe& liste, bool disqualifikation)
{
    // The shooters' results added up over the competitions (ranked in the
    // combined dataset), the complete teams' sums; names and clubs from the
    // rows of the single competitions.
    D.DatenInClientDataSet();
    D.EinzelMannschaftSQLErstellen({.ProMitglied = true, .AlleStarter = O.AlleStarter});
    struct TSumme {
        QString VereinNr, MannschNr;
        double Summe, S1, S2, S3;
    };
    QHash<QString, QVector<TSumme>> summen; // discipline|class -> teams
    auto s = abfrage(ErgebRangfolge::MannschaftSummenSQL(D.Wettkaempfe));
    for (s->First(); !s->Eof(); s->Next())
        summen[Feld(*s, "Disziplin") + "|" + Feld(*s, "MKlasse")].append(
            {Feld(*s, "VereinNr"), Feld(*s, "MannschNr"), zahl(*s, "Summe"), zahl(*s, "Serie1"), zahl(*s, "Serie2"),
             zahl(*s, "Serie3")});

    TAbschnitt a;
    a.Titel = QStringLiteral("Gesamtstand");
    QSet<QString> gesehen;
    for (bool weiter = D.ErsteGruppe(2, disqualifikation); weiter;
         weiter = D.SucheMannschaftOderEinzel(2, disqualifikation)) {
        Ado::TDataSet& gr = *D.q_Gruppen;
        TGruppe g;
        g.Ident = gr.FieldByName("Ident")->AsInteger();
        g.Disziplin = Feld(gr, "Disziplin");
        g.Klasse = Feld(gr, "Klasse");
        if (gesehen.contains(g.Disziplin + "|" + g.Klasse))
            continue;
        gesehen.insert(g.Disziplin + "|" + g.Klasse);
        const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(g.Disziplin, g.Ident);
        QString kennziffer;

        Ado::TDataSet& m = *D.q_Mannschaft;
        QVector<TSumme> teams = summen.value(g.Disziplin + "|" + g.Klasse);
        std::stable_sort(teams.begin(), teams.end(), [](const TSumme& x, const TSumme& y) {
            return std::tie(y.Summe, y.S1, y.S2, y.S3) < std::tie(x.Summe, x.S1, x.S2, x.S3);
        });
        if (!m.IsEmpty() && !teams.isEmpty() && (!O.DSB || Feld(gr, "Druckauftrag") == "N")) {
            m.First();
            g.KennzahlM = Reportutil::KennzZahlHolen(g.Ident, "M", "M", g.Disziplin, g.Klasse, kennziffer, true);
            g.TitelM = Feld(m, "DisName") + " - " + Feld(m, "KlaName");
            ErgebRangfolge::TMannschaftPlatz platz;
            for (const TSumme& t : teams) {
                if (!m.Locate("VereinNr;MannschNr", {t.VereinNr, t.MannschNr}))
                    continue;
                TMannschaft z;
                z.Platz = platz.Naechster(Feld(m, "Qual"));
                z.Kuerzel = Feld(m, "Abkuerzung");
                z.Name = ErgebRangfolge::MannschaftName(Feld(m, "VerName"), t.MannschNr);
                z.Ergebnis = Datamod::ErgebnisStr2(t.Summe, info);
                g.Mannschaften << z;
            }
        }

        Ado::TDataSet& e = *D.q_Einzel;
        Ado::TDataSet& c = *D.cds_Einzel;
        c.SetFilter("Disziplin = " + Ado::QuotedStr(g.Disziplin) + " AND EKlasse = " + Ado::QuotedStr(g.Klasse)
                    + (disqualifikation ? QString() : QStringLiteral(" AND Disqualifikation = 0")));
        c.SetFiltered(true);
        if (!e.IsEmpty() && !c.IsEmpty()) {
            e.First();
            g.KennzahlE = Reportutil::KennzZahlHolen(g.Ident, "E", "", g.Disziplin, g.Klasse, kennziffer, true);
            g.TitelE = Feld(e, "DisName") + " - " + Feld(e, "KlaName") + "  " + Feld(e, "KlaZusatz");
            ErgebRangfolge::TEinzelPlatz platz;
            // Disqualified shooters after the others, in the combined order.
            for (const bool disq : {false, true})
                for (c.First(); !c.Eof(); c.Next()) {
                    if ((c.FieldByName("Disqualifikation")->AsFloat() > 0) != disq
                        || !e.Locate("MitglNr", {Feld(c, "MitglNr")}))
                        continue;
                    TEinzel z;
                    const auto p = platz.Naechster(Feld(c, "Qual"), disq ? 1 : 0, c.FieldByName("Zusatz")->AsInteger(),
                                                   Feld(e, "Kennung"), Feld(c, "Summe"), Feld(c, "Serien"),
                                                   Feld(c, "MessErg"));
                    z.Platz = p.Nummer;
                    z.Gedruckt = p.Gedruckt;
                    z.Disqualifiziert = disq;
                    const QString titel = Feld(e, "Titel").trimmed();
                    z.Name = Feld(e, "Name") + ", " + (titel.isEmpty() ? QString() : titel + " ") + Feld(e, "Vorname");
                    z.Kuerzel = Feld(e, "Abkuerzung");
                    z.Verein = Feld(e, "VerName");
                    if (!O.OhneSerien) {
                        const QStringList serien =
                            Schtools::SerienToStrings(Schtools::FromSerienFormat(Feld(c, "Serien")), "|");
                        if (O.AlleSerien)
                            z.AlleSerien = serien;
                        else
                            for (int i = 0; i < 6 && i < serien.size(); ++i)
                                z.Serien[i] = serien[i];
                    }
                    z.Ergebnis = Datamod::ErgebnisStr2(zahl(c, "Summe"), info);
                    g.Einzel << z;
                }
        }
        c.SetFiltered(false);
        if (!g.Mannschaften.isEmpty() || !g.Einzel.isEmpty())
            a.Gruppen << g;
    }
    if (!a.Gruppen.isEmpty())
        liste.Abschnitte << a;
}

void TSammler::mannschaften(TGruppe& g, int anzWertung)
{
    Ado::TDataSet& q = *D.q_Mannschaft;
    q.First();
    QString kennziffer;
    g.KennzahlM = Reportutil::KennzZahlHolen(g.Ident, "M", "M", g.Disziplin, g.Klasse, kennziffer, true);
    g.TitelM = Feld(q, "DisName") + " - " + Feld(q, "KlaName");
    if (!Feld(q, "OlDisziGrp").isEmpty())
        g.TitelM += " " + Feld(q, "Zusatz");
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(g.Disziplin, g.Ident);
    ErgebRangfolge::TMannschaftPlatz platz;
    int letzterPlatz = 0;
    for (; !q.Eof(); q.Next()) {
        TMannschaft m;
        m.Platz = platz.Naechster(Feld(q, "Qual"));
        m.Kuerzel = Feld(q, "Abkuerzung");
        m.Name = ErgebRangfolge::MannschaftName(Feld(q, "VerName"), Feld(q, "MannschNr"));
        m.Ergebnis = Datamod::ErgebnisStr2(zahl(q, "Ergebnis"), info);
        if (rekorde_)
            rekordSuche_.MannschaftsRekordFeststellen(g.Ident, sportjahr_, Feld(q, "VereinNr"), Feld(q, "MannschNr"),
                                                      Feld(q, "MKlasse"), g.Disziplin, m.Rekord);
        // A team without a place has its members as the team before it.
        if (m.Platz > 0)
            letzterPlatz = m.Platz;
        const int reihe = letzterPlatz;
        if (reihe <= O.GesPlatz)
            m.Mitgliederzeilen = TMannschaft::MitErgebnis;
        else if (!O.RestEinzeilig)
            m.Mitgliederzeilen = TMannschaft::NurNamen;
        if (m.Mitgliederzeilen != TMannschaft::KeineMitglieder)
            mitglieder(q, g.Ident, anzWertung, info, m);
        g.Mannschaften << m;
    }
}

void TSammler::mitglieder(Ado::TDataSet& q, int Ident, int anzWertung, const Datamod::TDisziplinInfo& info,
                          TMannschaft& m)
{
    auto e = abfrage("SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = " + QString::number(Ident) + CRLF
                     + "  AND MVereinNr = " + Ado::QuotedStr(Feld(q, "VereinNr")) + CRLF
                     + "  AND MDisziplin = " + Ado::QuotedStr(Feld(q, "Disziplin")) + CRLF
                     + "  AND MKlasse = " + Ado::QuotedStr(Feld(q, "MKlasse")) + CRLF
                     + "  AND MannschNr = " + Ado::QuotedStr(Feld(q, "MannschNr")) + CRLF
                     + "ORDER BY Ergebnis DESC,Serien DESC");
    for (e->First(); !e->Eof() && (anzWertung <= 0 || m.Mitglieder.size() < anzWertung); e->Next()) {
        auto n = abfrage("SELECT Name,Vorname,Titel\r\nFROM EMITGLIED\r\nWHERE MitglNr = "
                         + Ado::QuotedStr(Feld(*e, "MitglNr")));
        const QString name = n->IsEmpty()
            ? QString()
            : ErgebAuswahl::NamenTeile({Feld(*n, "Titel"), Feld(*n, "Vorname"), Feld(*n, "Name")});
        m.Mitglieder << TMitglied{name, Datamod::ErgebnisStr2(zahl(*e, "Ergebnis"), info), Feld(*e, "EKlasse")};
    }
}

void TSammler::einzelne(TGruppe& g)
{
    Ado::TDataSet& q = *D.q_Einzel;
    q.First();
    QString kennziffer;
    g.KennzahlE = Reportutil::KennzZahlHolen(g.Ident, "E", "", g.Disziplin, g.Klasse, kennziffer, true);
    g.TitelE = Feld(q, "DisName") + " - " + Feld(q, "KlaName") + "  " + Feld(q, "KlaZusatz");
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(g.Disziplin, g.Ident);
    ErgebRangfolge::TEinzelPlatz platz;
    // The columns are looked up once per group: the loop runs over every
    // start of the championship.
    auto f = [&q](const char* name) { return q.FieldByName(name); };
    Ado::TField *qual = f("Qual"), *disq = f("Disqualifikation"), *zusatz = f("Zusatz"), *kennung = f("Kennung"),
                *ergebnis = f("Ergebnis"), *serienFeld = f("Serien"), *mess = f("MessErg"), *titelFeld = f("Titel"),
                *name = f("Name"), *vorname = f("Vorname"), *kuerzel = f("Abkuerzung"), *verein = f("VerName"),
                *innen = f("InnenZehner"), *finale = f("Finale"), *mitglNr = f("MitglNr"), *klasse = f("EKlasse");
    const QString zehntel = info.Zehntelwertung ? QStringLiteral("J") : QString();
    for (; !q.Eof(); q.Next()) {
        TEinzel e;
        const QString serienText = serienFeld->AsString();
        const auto p = platz.Naechster(qual->AsString(), disq->AsInteger(), zusatz->AsInteger(), kennung->AsString(),
                                       ergebnis->AsString(), serienText, mess->AsString());
        e.Platz = p.Nummer;
        e.Gedruckt = p.Gedruckt;
        e.Disqualifiziert = disq->AsInteger() > 0;
        const QString titel = titelFeld->AsString().trimmed();
        e.Name = name->AsString() + ", " + (titel.isEmpty() ? QString() : titel + " ") + vorname->AsString();
        e.Kuerzel = kuerzel->AsString();
        e.Verein = verein->AsString();
        const QStringList serien = Schtools::SerienToStrings(Schtools::FromSerienFormat(serienText), "|");
        const int iz = innen->AsInteger();
        if (O.AlleSerien) {
            e.AlleSerien = serien;
            if (info.Zehntelwertung && iz > 0)
                e.AlleSerien << "(" + QString::number(iz) + "iZ)";
        } else if (!O.OhneSerien) {
            for (int i = 0; i < 6 && i < serien.size(); ++i)
                e.Serien[i] = serien[i];
            ErgebRangfolge::InnenZehnerEintragen(zehntel, iz, e.Serien);
        }
        e.Ergebnis = Datamod::ErgebnisStr2(ergebnis->AsFloat(), info);
        if (finale->AsFloat() > 0)
            e.Gesamt = ErgebListe::ErgebnisText(q, info).trimmed();
        e.Werte = ErgebListe::Bemerkungen(q).join(' ');
        if (rekorde_ && !e.Disqualifiziert)
            rekordSuche_.EinzelRekordFeststellen(g.Ident, sportjahr_, mitglNr->AsString(), klasse->AsString(),
                                                 g.Disziplin, e.Rekord);
        g.Einzel << e;
    }
}

// --- Drawing -------------------------------------------------------------------

class TZeichner {
public:
    TZeichner(TBaseReport& r, const TListe& l, const TOptionen& o) : R(r), Li(l), O(o) {}
    void Zeichnen();

private:
    void schrift(double groesse, bool fett) { R.SetFont(O.Schrift, groesse); R.SetBold(fett); R.SetItalic(false); }
    void platzFuer(int zeilen);
    void mitte(const QString& text, double groesse);
    void gruppenKopf(const QString& kennzahl, const QString& titel, int folgende);
    void mannschaften(const TGruppe& g);
    void einzelne(const TGruppe& g);
    QStringList mitgliederZeilen(const TMannschaft& m, const Report::TTab& spalte);

    TBaseReport& R;
    const TListe& Li;
    const TOptionen& O;
    // The lines of a club (abbreviation and name) in the individual rows'
    // club column. Every group's rows have the same font and columns, so a
    // club is wrapped once for the whole list.
    QHash<std::pair<QString, QString>, QStringList> vereinZeilen_;
};

// A new page (with two blank lines at its top) when fewer than
// max(3, zeilen) lines are left; the font and the columns are the same
// after it, whatever the page header used.
void TZeichner::platzFuer(int zeilen)
{
    if (R.LinesLeft() < std::max(3, zeilen)) {
        const double groesse = R.GetFontSize();
        const bool fett = R.GetBold();
        R.PushTabs();
        R.NewPage();
        R.PopTabs();
        schrift(groesse, fett);
        R.NewLine();
        R.NewLine();
    }
}

void TZeichner::mitte(const QString& text, double groesse)
{
    schrift(groesse, true);
    R.PrintCenter(text, (R.SectionLeft() + R.SectionRight()) / 2);
    R.NewLine();
}

void TZeichner::Zeichnen()
{
    R.NewLine();
    if (O.Ueberschrift) {
        mitte(Li.Ueberschrift, 12);
        R.NewLine();
    }
    for (const TAbschnitt& a : Li.Abschnitte) {
        if (!a.Titel.isEmpty()) {
            platzFuer(6);
            R.NewLine();
            mitte(a.Titel, 12);
        }
        for (const TGruppe& g : a.Gruppen) {
            if (!g.Mannschaften.isEmpty())
                mannschaften(g);
            if (!g.Einzel.isEmpty())
                einzelne(g);
        }
    }
}

// The heading stays with the first rows after it.
void TZeichner::gruppenKopf(const QString& kennzahl, const QString& titel, int folgende)
{
    schrift(11, true);
    platzFuer(2 + folgende);
    R.NewLine();
    Reportutil::SpaltenSetzen(R, {{1.5, R_}, {15.0, L}});
    Zeile(R, {kennzahl, titel});
}

QStringList TZeichner::mitgliederZeilen(const TMannschaft& m, const Report::TTab& spalte)
{
    if (m.Mitglieder.isEmpty())
        return {};
    QStringList teile;
    for (const TMitglied& t : m.Mitglieder) {
        QString s = t.Name;
        if (m.Mitgliederzeilen == TMannschaft::MitErgebnis) {
            s += " " + t.Ergebnis;
            if (O.DSB)
                s += "  (" + t.Klasse + ")";
        }
        teile << s;
    }
    const double innen = R.XI2U(spalte.Margin);
    return Reportutil::TextAufteilen(R, teile.join(", "), spalte.Pos + innen, spalte.Pos + spalte.Width - innen);
}

void TZeichner::mannschaften(const TGruppe& g)
{
    const bool mitKuerzel = std::any_of(g.Mannschaften.begin(), g.Mannschaften.end(),
                                        [](const TMannschaft& m) { return !m.Kuerzel.isEmpty(); });
    auto spalten = [&] {
        if (mitKuerzel)
            Reportutil::SpaltenSetzen(R, {{1.0, R_}, {1.2, L}, {10.7, L}, {1.0, R_}, {Rest, L}});
        else
            Reportutil::SpaltenSetzen(R, {{1.0, R_}, {11.9, L}, {1.0, R_}, {Rest, L}});
    };
    auto felder = [&](const QString& platz, const QString& kuerzel, const QString& name, const QString& ergebnis,
                      const QString& rekord) {
        QStringList f;
        f.reserve(5);
        f << platz;
        if (mitKuerzel)
            f << kuerzel;
        return f << name << ergebnis << rekord;
    };
    gruppenKopf(g.KennzahlM, g.TitelM, O.Spaltenkoepfe ? 2 : 1);
    if (O.Spaltenkoepfe) {
        schrift(10, true);
        spalten();
        Zeile(R, felder("Pl.", "Kürzel", "Mannschaft", "Erg.", ""));
    }
    for (const TMannschaft& m : g.Mannschaften) {
        schrift(10, false);
        spalten();
        // Members in the name's column, in a smaller font, with the team.
        schrift(9, false);
        const QStringList mitglieder = mitgliederZeilen(m, *R.GetTab(mitKuerzel ? 3 : 2));
        schrift(10, false);
        platzFuer(1 + int(mitglieder.size()));
        Zeile(R, felder(m.Platz > 0 ? QString::number(m.Platz) + "." : QString(), m.Kuerzel, m.Name, m.Ergebnis,
                        m.Rekord));
        schrift(9, false);
        for (const QString& z : mitglieder)
            Zeile(R, felder({}, {}, z, {}, {}));
    }
}

void TZeichner::einzelne(const TGruppe& g)
{
    // Place, name, club (with its abbreviation; a long one wraps), six
    // series, the result, the other values, the total with a final and the
    // record mark: 17.5 cm, the width of the section.
    auto spalten = [&] {
        QVector<TSpalte> s = {{0.8, R_}, {3.6, L}, {4.4, L}};
        for (int i = 0; i < 6; ++i)
            s << TSpalte{0.75, R_};
        s << TSpalte{1.0, R_} << TSpalte{1.4, R_} << TSpalte{1.2, R_} << TSpalte{Rest, L};
        Reportutil::SpaltenSetzen(R, s);
    };
    auto felder = [&](const QString& platz, const QString& name, const QString& verein, const QString (&serien)[6],
                      const QString& ergebnis, const QString& werte, const QString& gesamt, const QString& rekord) {
        QStringList f;
        f.reserve(14);
        f << platz << name << verein;
        for (const QString& s : serien)
            f << s;
        return f << ergebnis << werte << gesamt << rekord;
    };
    // The club's lines of a row, wrapped in its column (at the rows' font).
    schrift(9, false);
    spalten();
    const Report::TTab vereinSpalte = *R.GetTab(3);
    const double innen = R.XI2U(vereinSpalte.Margin);
    auto vereinZeilen = [&](const TEinzel& e) {
        auto it = vereinZeilen_.constFind({e.Kuerzel, e.Verein});
        if (it != vereinZeilen_.constEnd())
            return *it;
        QStringList z = Reportutil::TextAufteilen(R, (e.Kuerzel + " " + e.Verein).trimmed(), vereinSpalte.Pos + innen,
                                                  vereinSpalte.Pos + vereinSpalte.Width - innen);
        if (z.isEmpty())
            z << QString();
        return *vereinZeilen_.insert({e.Kuerzel, e.Verein}, z);
    };
    auto serienZeilen = [&](const TEinzel& e) {
        QVector<QStringList> zeilen;
        for (qsizetype i = 0; i < e.AlleSerien.size(); i += 10)
            zeilen << (QStringList{QString()} + e.AlleSerien.mid(i, 10));
        return zeilen;
    };
    const QString leer[6];

    const TEinzel& erste = g.Einzel.first();
    gruppenKopf(g.KennzahlE, g.TitelE,
                int(vereinZeilen(erste).size() + serienZeilen(erste).size()) + (O.Spaltenkoepfe ? 1 : 0));
    if (O.Spaltenkoepfe) {
        schrift(9, true);
        spalten();
        const QString n[6] = {"1", "2", "3", "4", "5", "6"};
        Zeile(R, felder("Pl.", "Name", "Verein", O.OhneSerien || O.AlleSerien ? leer : n, "Erg.", "", "Ges.", ""));
    }
    bool disqualifikationKopf = false;
    // The row's columns stay set until a page or the series lines change them.
    int seite = -1;
    for (const TEinzel& e : g.Einzel) {
        schrift(9, false);
        const QStringList verein = vereinZeilen(e);
        const QVector<QStringList> serien = serienZeilen(e);
        const int zeilen = int(verein.size() + serien.size());
        if (e.Disqualifiziert && !disqualifikationKopf) {
            disqualifikationKopf = true;
            schrift(12, true);
            platzFuer(3 + zeilen);
            R.NewLine();
            mitte("Disqualifikation", 12);
            seite = -1;
        }
        schrift(9, false);
        platzFuer(zeilen);
        if (seite != R.CurrentPage())
            spalten();
        seite = R.CurrentPage();
        Zeile(R, felder(e.Gedruckt ? QString::number(e.Platz) + "." : QString(), e.Name, verein.first(), e.Serien,
                        e.Ergebnis, e.Werte, e.Gesamt, e.Rekord));
        for (qsizetype i = 1; i < verein.size(); ++i)
            Zeile(R, felder({}, {}, verein[i], leer, {}, {}, {}, {}));
        if (!serien.isEmpty()) {
            schrift(7, false);
            QVector<TSpalte> s = {{1.6, L}};
            for (int i = 0; i < 10; ++i)
                s << TSpalte{1.0, R_};
            Reportutil::SpaltenSetzen(R, s);
            for (const QStringList& z : serien)
                Zeile(R, z);
            seite = -1;
        }
    }
}

} // namespace

bool TListe::Leer() const
{
    for (const TAbschnitt& a : Abschnitte)
        if (!a.Gruppen.isEmpty())
            return false;
    return true;
}

void GruppenMarkieren(const QVector<int>& Wettkaempfe, bool AlleStarter,
                      const std::function<void(int, const QString&, const QString&)>& Markieren)
{
    const QString einzel = AlleStarter
        ? "SELECT DISTINCT Disziplin,EKlasse\r\nFROM ERGEBNIS WHERE" + ErgebRangfolge::WettkampfListe("Ident", Wettkaempfe).mid(4)
        : "SELECT DISTINCT Disziplin,EKlasse\r\nFROM ERGEBNIS\r\nWHERE Ergebnis > 0"
              + ErgebRangfolge::WettkampfListe("Ident", Wettkaempfe);
    const QString mannschaft = "SELECT DISTINCT Disziplin,MKlasse\r\nFROM EMANNSCH\r\nWHERE Ergebnis > 0\r\n"
                               "  AND AnzMannsch = AnzMannschIst\r\n"
                               + ErgebRangfolge::WettkampfListe("Ident", Wettkaempfe);
    // One transaction: the marks are many small writes.
    Ado::TTransaction t(*Datamod::DataModule1()->Connection());
    for (const auto& [sql, klasse] : {std::pair{einzel, "EKlasse"}, std::pair{mannschaft, "MKlasse"}}) {
        auto q = abfrage(sql);
        for (q->First(); !q->Eof(); q->Next())
            for (int w : Wettkaempfe)
                if (w > 0)
                    Markieren(w, Feld(*q, "Disziplin"), Feld(*q, klasse));
    }
    t.Commit();
}

TListe Sammeln(ErgebRangfolge::TErgebDaten& Daten, const TOptionen& Optionen)
{
    // One transaction: on SQLite the rows then come from one state of the
    // database (a result saved meanwhile on another workstation shows in the
    // next list, not in half of this one), and the file is locked once
    // instead of for each of the many member statements.
    Ado::TTransaction t(*Datamod::DataModule1()->Connection());
    TListe liste = TSammler(Daten, Optionen).Sammeln();
    t.Commit();
    return liste;
}

void GesamtergebnisListe(TBaseReport& Report, const TListe& Liste, const TOptionen& Optionen)
{
    TZeichner(Report, Liste, Optionen).Zeichnen();
}

void SeiteDrucken(TBaseReport& R, const TOptionen& O)
{
    if (O.DSB || O.OhneSeite)
        return;
    const double unten = R.GetPageHeight();
    R.SetFont(O.Schrift, 10);
    R.SetBold(false);
    R.SetItalic(false);
    R.SetYPos(unten - 2.0);
    R.PrintCenter("Seite " + QString::number(R.CurrentPage()), (R.SectionLeft() + R.SectionRight()) / 2);
    if (O.Ueberschrift) {
        // The footer's rule and line below the page number.
        R.SetYPos(unten - 1.6);
        Reportutil::quarvelFusszeile(R, -1);
    }
}

} // namespace ErgebGesamt
