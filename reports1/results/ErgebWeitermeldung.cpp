#include "reports1/results/ErgebWeitermeldung.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebAuswahl.h"
#include "reports1/results/ErgebListe.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"

#include <QScopeGuard>
#include <functional>

using Report::TBaseReport;

namespace ErgebWeitermeldung {

namespace {

using Qvutil::CRLF;
using Reportutil::Zeile;
constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

using Reportutil::Feld;
QString abmeldung(Ado::TDataSet& q) { return Feld(q, "Abmeldung") == "N" ? QString() : Feld(q, "Abmeldung"); }

// Steps the marked groups of the wanted dataset (0 individuals, 1 teams)
// and hands each group to lesen, which fills its rows; groups left without
// rows are dropped.
QVector<TGruppe> gruppenLesen(ErgebRangfolge::TErgebDaten& D, int Auswahl,
                              const std::function<void(Ado::TDataSet&, Ado::TDataSet& Gruppe, TGruppe&)>& lesen)
{
    QVector<TGruppe> gruppen;
    const auto ende = qScopeGuard([] { Druckjob::Ende(); });
    const bool mannschaft = Auswahl == 1;
    for (bool weiter = D.ErsteGruppe(Auswahl, true); weiter; weiter = D.SucheMannschaftOderEinzel(Auswahl, true)) {
        Ado::TDataSet& q = mannschaft ? *D.q_Mannschaft : *D.q_Einzel;
        q.First();
        Druckjob::Status("Erstellen der Gesamtweitergabe an nächsten Veranstalter " + Feld(q, "DisName") + " "
                         + Feld(q, "KlaName"));
        const ErgebAuswahl::TGruppenKopf k = ErgebAuswahl::GruppenKopf(q, mannschaft);
        TGruppe g{k.Kennzahl, k.Titel, {}, {}};
        lesen(q, *D.q_Gruppen, g);
        if (!g.Einzel.isEmpty() || !g.Mannschaften.isEmpty())
            gruppen << g;
    }
    return gruppen;
}

// Opens sql into q, freeing the dataset q held before.
Ado::TDataSet& oeffnen(std::unique_ptr<Ado::TADOQuery>& q, const QString& sql)
{
    q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    return *q;
}

// Title, heading and the column header(s) at the top of each page.
class TSeite {
public:
    TSeite(TBaseReport& r, std::function<void()> spaltenKopf) : R(r), kopf_(std::move(spaltenKopf)) {}

    void Titel(const QString& Text, int Sportjahr)
    {
        const double links = R.SectionLeft(), breite = R.SectionRight() - R.SectionLeft();
        // The body starts two lines below the page header.
        R.NewLine();
        R.NewLine();
        R.SetFont("Arial", 14);
        R.SetBold(true);
        ErgebRekorde::Zentriert(R, Text, links + breite / 2, breite);
        R.NewLine();
        R.SetFont("Arial", 12);
        R.SetBold(false);
        ErgebRekorde::Zentriert(R, "Gaumeisterschaft " + QString::number(Sportjahr), links + breite / 2, breite);
        R.NewLine();
        R.NewLine();
        kopf_();
    }
    // When fewer than max(3, zeilen) lines are left: a new page, two blank
    // lines and the column header, and the heading of the group that
    // continues there.
    void PlatzFuer(int zeilen)
    {
        if (R.LinesLeft() >= std::max(3, zeilen))
            return;
        R.NewPage();
        R.NewLine();
        R.NewLine();
        kopf_();
        if (!gruppe_.Titel.isEmpty())
            ErgebAuswahl::GruppenKopfDrucken(R, gruppe_);
    }
    // A group's heading after a blank line; zeilen: the lines of its
    // first row, which stay with it.
    void Gruppe(const TGruppe& g, int zeilen)
    {
        gruppe_ = {};
        PlatzFuer(2 + std::max(3, zeilen));
        R.NewLine();
        gruppe_ = {g.Kennzahl, g.Titel};
        ErgebAuswahl::GruppenKopfDrucken(R, gruppe_);
    }

private:
    TBaseReport& R;
    std::function<void()> kopf_;
    ErgebAuswahl::TGruppenKopf gruppe_;
};

void spaltenKopf(TBaseReport& R, const std::function<void()>& spalten, const QStringList& texte)
{
    R.SetFont("Arial", 9);
    R.SetBold(true);
    spalten();
    Zeile(R, texte);
    R.SetBold(false);
}

// Place, name, club number, club, result, date of birth, membership
// number, deregistration mark: 17.5 cm, the width of the section.
void einzelSpalten(TBaseReport& R)
{
    Reportutil::SpaltenSetzen(R, {{0.9, R_}, {4.3, L}, {1.4, L}, {4.5, L}, {1.5, R_}, {2.0, L}, {2.2, L}, {0.7, L}});
}
constexpr int VereinSpalte = 4; // the club's column (1-based), wrapped when too long
// Place, club number, team name, (birth date column of the members),
// result; members: name, date of birth, club number, result, mark.
void mannschaftSpalten(TBaseReport& R)
{
    Reportutil::SpaltenSetzen(R, {{1.5, L}, {2.0, L}, {6.0, L}, {3.5, L}, {3.0, R_}, {0.5, L}, {1.0, L}});
}
void mitgliedSpalten(TBaseReport& R)
{
    Reportutil::SpaltenSetzen(R, {{1.5, L}, {2.0, L}, {6.0, L}, {3.5, L}, {1.5, L}, {2.0, R_}, {1.0, L}});
}

} // namespace

QVector<TGruppe> EinzelDaten(ErgebRangfolge::TErgebDaten& D)
{
    D.EinzelMannschaftSQLErstellen({.OhneMannschaft = true});
    return gruppenLesen(D, 0, [](Ado::TDataSet& q, Ado::TDataSet&, TGruppe& g) {
        // The place counts the rows that are neither disqualified nor out
        // of competition.
        int platz = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            const Datamod::TDisziplinInfo info =
                Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
            TEinzel e;
            e.Disqualifiziert = q.FieldByName("Disqualifikation")->AsInteger() > 0;
            if (!e.Disqualifiziert && Feld(q, "Qual") == "N")
                e.Platz = QString::number(++platz) + ".";
            const QString vorname = ErgebAuswahl::NamenTeile({Feld(q, "Titel"), Feld(q, "Vorname")});
            e.Name = vorname.isEmpty() ? Feld(q, "Name") : Feld(q, "Name") + ", " + vorname;
            e.VereinNr = Feld(q, "VereinNr");
            e.Verein = Feld(q, "VerName");
            e.Ergebnis = ErgebListe::ErgebnisText(q, info).trimmed();
            e.Geburtsdatum = ErgebAuswahl::Geburtsdatum(Feld(q, "Tag"), Feld(q, "Monat"), Feld(q, "Jahrgang"));
            e.OrgMitglNr = Feld(q, "OrgMitglNr");
            e.Abmeldung = abmeldung(q);
            g.Einzel << e;
        }
    });
}

QVector<TGruppe> MannschaftDaten(ErgebRangfolge::TErgebDaten& D)
{
    D.EinzelMannschaftSQLErstellen();
    std::unique_ptr<Ado::TADOQuery> mitglieder, mitglied;
    return gruppenLesen(D, 1, [&](Ado::TDataSet& q, Ado::TDataSet& gruppe, TGruppe& g) {
        const int wertung = gruppe.FieldByName("AnzWertung")->AsInteger();
        ErgebRangfolge::TMannschaftPlatz platz;
        for (q.First(); !q.Eof(); q.Next()) {
            const int ident = q.FieldByName("Ident")->AsInteger();
            const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), ident);
            TMannschaft m;
            const int p = platz.Naechster(Feld(q, "Qual"));
            m.Platz = p > 0 ? QString::number(p) + "." : QString();
            m.VereinNr = Feld(q, "VereinNr");
            m.Name = ErgebRangfolge::MannschaftName(Feld(q, "VerName"), Feld(q, "MannschNr"));
            m.Ergebnis = Datamod::ErgebnisStr2(q.FieldByName("Ergebnis")->AsFloat(), info);
            // The members whose results count, best first, at most AnzWertung.
            const QString mitgliederSql = "SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = " + QString::number(ident) + CRLF
                                          + "  AND MVereinNr = " + Ado::QuotedStr(m.VereinNr) + CRLF
                                          + "  AND MDisziplin = " + Ado::QuotedStr(Feld(q, "Disziplin")) + CRLF
                                          + "  AND MKlasse = " + Ado::QuotedStr(Feld(q, "MKlasse")) + CRLF
                                          + "  AND MannschNr = " + Ado::QuotedStr(Feld(q, "MannschNr")) + CRLF
                                          + "ORDER BY Ergebnis DESC,Serien DESC";
            Ado::TDataSet& e = oeffnen(mitglieder, mitgliederSql);
            for (e.First(); !e.Eof() && (wertung <= 0 || m.Mitglieder.size() < wertung); e.Next()) {
                Ado::TDataSet& n = oeffnen(mitglied, "SELECT Name,Vorname,Titel,Tag,Monat,Jahrgang\r\nFROM EMITGLIED\r\n"
                                                     "WHERE MitglNr = "
                                                         + Ado::QuotedStr(Feld(e, "MitglNr")));
                TMitglied t;
                if (!n.IsEmpty()) {
                    n.First();
                    t.Name = ErgebAuswahl::NamenTeile({Feld(n, "Titel"), Feld(n, "Vorname"), Feld(n, "Name")});
                    t.Geburtsdatum = ErgebAuswahl::Geburtsdatum(Feld(n, "Tag"), Feld(n, "Monat"), Feld(n, "Jahrgang"));
                }
                t.VereinNr = Feld(e, "VereinNr");
                t.Ergebnis = Datamod::ErgebnisStr2(e.FieldByName("Ergebnis")->AsFloat(), info);
                t.Abmeldung = abmeldung(e);
                m.Mitglieder << t;
            }
            g.Mannschaften << m;
        }
    });
}

void BSSBEinzelPrint(TBaseReport& R, const QVector<TGruppe>& Gruppen, int Sportjahr)
{
    TSeite seite(R, [&R] {
        spaltenKopf(R, [&R] { einzelSpalten(R); },
                    {"Platz", "Name, Vorname", "Ver.-Nr.", "Verein", "Ergebnis", "Geb.-Datum", "Mitgl.-Nr.", "Abm."});
    });
    seite.Titel("Ergebnis-Weitermeldung Einzelstarter", Sportjahr);
    for (const TGruppe& g : Gruppen) {
        // A club name too long for its column wraps onto further lines.
        const auto vereinZeilen = [&R](const QString& verein) {
            R.SetFont("Arial", 10);
            R.SetBold(false);
            einzelSpalten(R);
            return ErgebAuswahl::SpaltenZeilen(R, VereinSpalte, verein);
        };
        seite.Gruppe(g, g.Einzel.isEmpty() ? 1 : int(vereinZeilen(g.Einzel.first().Verein).size()));
        bool disqualifikation = false;
        for (const TEinzel& e : g.Einzel) {
            const QStringList verein = vereinZeilen(e.Verein);
            const bool kopf = e.Disqualifiziert && !disqualifikation;
            seite.PlatzFuer((kopf ? 1 : 0) + std::max(3, int(verein.size())));
            R.SetFont("Arial", 10);
            if (kopf) {
                disqualifikation = true;
                R.SetBold(true);
                Reportutil::SpaltenSetzen(R, {{0.9, L}, {Reportutil::Rest, L}});
                Zeile(R, {QString(), "Disqualifikation"});
                R.SetBold(false);
            }
            einzelSpalten(R);
            ErgebAuswahl::UmbruchZeile(
                R, {e.Platz, e.Name, e.VereinNr, QString(), e.Ergebnis, e.Geburtsdatum, e.OrgMitglNr, e.Abmeldung},
                VereinSpalte, verein);
        }
    }
}

void BSSBMannschPrint(TBaseReport& R, const QVector<TGruppe>& Gruppen, int Sportjahr)
{
    TSeite seite(R, [&R] {
        spaltenKopf(R, [&R] { mannschaftSpalten(R); }, {"Platz", "Ver.-Nr.", "Mannschaft", "", "Ergebnis", "", ""});
        spaltenKopf(R, [&R] { mitgliedSpalten(R); }, {"", "", "Schütze", "Geb.-Datum", "Ver.-Nr.", "Einzel", "Abm."});
    });
    seite.Titel("Ergebnis-Weitermeldung Mannschaften", Sportjahr);
    for (const TGruppe& g : Gruppen) {
        // A long team name wraps within its column.
        const auto namensZeilen = [&R](const TMannschaft& m) {
            R.SetFont("Arial", 10);
            R.SetBold(false);
            mannschaftSpalten(R);
            return ErgebAuswahl::SpaltenZeilen(R, 3, m.Name);
        };
        const auto zeilen = [&](const TMannschaft& m) {
            return int(namensZeilen(m).size() + m.Mitglieder.size());
        };
        seite.Gruppe(g, g.Mannschaften.isEmpty() ? 1 : zeilen(g.Mannschaften.first()));
        for (const TMannschaft& m : g.Mannschaften) {
            // A team goes to the next page with its members.
            seite.PlatzFuer(zeilen(m));
            const QStringList name = namensZeilen(m);
            ErgebAuswahl::UmbruchZeile(R, {m.Platz, m.VereinNr, QString(), QString(), m.Ergebnis, QString(), QString()},
                                       3, name);
            mitgliedSpalten(R);
            for (const TMitglied& t : m.Mitglieder)
                Zeile(R, {QString(), QString(), t.Name, t.Geburtsdatum, t.VereinNr, t.Ergebnis, t.Abmeldung});
        }
    }
}

void TWeitermeldungJob::Anlegen(QObject* Owner)
{
    rf_BSSBEinzel = Druckjob::Listenschreiber(Owner, "rf_BSSBEinzel", "Weitermeldung Einzelergebnisse");
    rf_BSSBEinzel->OnPrint = [this](TBaseReport& r) { BSSBEinzelPrint(r, gruppen_, sportjahr_); };
    rf_BSSBMannsch = Druckjob::Listenschreiber(Owner, "rf_BSSBMannsch", "Weitermeldung Mannschaftsergebnisse");
    rf_BSSBMannsch->OnPrint = [this](TBaseReport& r) { BSSBMannschPrint(r, gruppen_, sportjahr_); };
}

bool TWeitermeldungJob::Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const QVector<int>& Wettkaempfe, bool Mannschaft,
                                 int& DruckjobID)
{
    Daten.Wettkaempfe = Wettkaempfe;
    ErgebAuswahl::GruppenMarkieren(Wettkaempfe);
    sportjahr_ = Qvsettings::GetInteger("Allgemein", "Sportjahr");
    gruppen_ = Mannschaft ? MannschaftDaten(Daten) : EinzelDaten(Daten);
    const auto leeren = qScopeGuard([this] { gruppen_.clear(); });
    if (gruppen_.isEmpty()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return false;
    }
    Druckjob::Vorschau(Mannschaft ? *rf_BSSBMannsch : *rf_BSSBEinzel, DruckjobID);
    return true;
}

} // namespace ErgebWeitermeldung
