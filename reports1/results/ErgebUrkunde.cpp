#include "reports1/results/ErgebUrkunde.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebAuswahl.h"
#include "reports1/results/ErgebRangfolge.h"
#include "reports1/results/ErgebRekorde.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <tuple>

using Report::TBaseReport;

namespace ErgebUrkunde {

const QString MeisterschFehlt =
    QStringLiteral("In den Einstellungen/Benutzer wurde die\r\nzweite Zeile der Urkunde nicht ausgefüllt.");

const QString EinzelInsert = QStringLiteral(
    "INSERT INTO EURKUNDEE (Disziplin,EKlasse,Platz,Nummer,\r\n"
    "  Name1,Name2,Sportjahr,DisziplinName,KlasseName,\r\n"
    "  Name,Verein,RingEinzel,RingMannsch,RingZusatz,\r\n"
    "  Ober,Sportl,Titel,Abkuerzung,Rekord)\r\n"
    "Values\r\n"
    " (%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s)");

const QString MannschaftInsert = QStringLiteral(
    "INSERT INTO EURKUNDEM (Disziplin,MKlasse,Platz,Nummer,\r\n"
    "  Name1,Name2,Sportjahr,DisziplinName,KlasseName,\r\n"
    "  VerTitel,VerName,Mitglied,RingEinzel,RingMannsch,RingZusatz,\r\n"
    "  Ober,Sportl,Abkuerzung,Rekord)\r\n"
    "Values\r\n"
    " (%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s)");

namespace {

using Qvutil::CRLF;

using Reportutil::Feld;
double zahl(Ado::TDataSet& q, const char* name) { return q.FieldByName(name)->AsFloat(); }

// The parts that are not empty, joined by a blank.
QString verbinden(const QStringList& teile) { return ErgebAuswahl::NamenTeile(teile); }

QDate datumLesen(const QString& text)
{
    for (const char* format : {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text.trimmed(), QString::fromLatin1(format));
        if (d.isValid())
            return d;
    }
    return {};
}

// Places within one group: a row tied with the row before it (same result,
// series, measured value, additional value, final and shoot-off) shares its
// place; a row with an additional value of 9999 or more keeps the place of
// the row before it.
class TPlatzierung {
public:
    int Naechster(int Zusatz, const QString& Schluessel)
    {
        ++zaehler_;
        int platz = Zusatz < 9999 ? zaehler_ : platz_;
        if (platz < 1)
            platz = 1;
        if (zaehler_ > 1 && Schluessel == schluessel_)
            platz = platz_;
        platz_ = platz;
        schluessel_ = Schluessel;
        return platz;
    }

private:
    int zaehler_ = 0;
    int platz_ = 0;
    QString schluessel_;
};

QString tieSchluessel(Ado::TDataSet& q)
{
    return Feld(q, "Ergebnis") + Feld(q, "Serien") + Feld(q, "MessErg") + Feld(q, "Zusatz") + '|' + Feld(q, "Finale")
           + '|' + Feld(q, "StechErg");
}

class TAuswahlLauf {
public:
    TAuswahlLauf(ErgebRangfolge::TErgebDaten& d, const TEinstellungen& e, const TAuswahl& a)
        : D(d), E(e), A(a) {}

    QVector<TUrkunde> Auswaehlen(const QString& Status);

private:
    // Whether a row of this place gets a certificate; false when the group ends.
    bool nehmen(int platz, bool& ende) const
    {
        ende = platz > A.Platzierung;
        return !ende && (A.Nachdruck == 0 || platz == A.Nachdruck);
    }
    void einzelne();
    void einzelneGesamt(Ado::TDataSet& g);
    void mannschaften();
    void mannschaftenGesamt(Ado::TDataSet& g);
    // What individual and team certificates share.
    TUrkunde urkunde(Ado::TDataSet& q, bool mannschaft, double ergebnis, int platz) const;
    TUrkunde einzel(Ado::TDataSet& person, double ergebnis, int platz);
    TUrkunde mannschaft(Ado::TDataSet& team, double ergebnis, int platz);
    // A certificate of the current group.
    void hinzu(TUrkunde u)
    {
        Ado::TDataSet& g = *D.q_Gruppen;
        u.RingMannsch = Schtools::ErgebnisStr(
            g.FieldByName("AnzWertung")->AsFloat() * g.FieldByName("ErgebEinzel")->AsFloat(), false);
        u.Nummer = int(urkunden_.size()) + 1;
        urkunden_.append(u);
        Druckjob::Progress(++inGruppe_);
    }

    ErgebRangfolge::TErgebDaten& D;
    const TEinstellungen& E;
    const TAuswahl& A;
    ErgebRekorde::TRekordSuche rekorde_;
    QVector<TUrkunde> urkunden_;
    int inGruppe_ = 0;
};

QVector<TUrkunde> TAuswahlLauf::Auswaehlen(const QString& Status)
{
    Druckjob::Status(Status);
    const int auswahl = A.Mannschaft ? 1 : 0;
    D.EinzelMannschaftSQLErstellen({A.Gesamt, false, A.AlleStarter, false, false});
    if (A.Gesamt && !A.Mannschaft)
        D.DatenInClientDataSet();
    QSet<QString> gesehen; // over several competitions each discipline and class once
    for (bool weiter = D.ErsteGruppe(auswahl, false); weiter; weiter = D.SucheMannschaftOderEinzel(auswahl, false)) {
        Ado::TDataSet& g = *D.q_Gruppen;
        if (A.Gesamt) {
            const QString gruppe = Feld(g, "Disziplin") + '|' + Feld(g, "Klasse");
            if (gesehen.contains(gruppe))
                continue;
            gesehen.insert(gruppe);
        }
        Ado::TDataSet& q = A.Mannschaft ? static_cast<Ado::TDataSet&>(*D.q_Mannschaft) : *D.q_Einzel;
        q.First();
        Druckjob::Status((A.Mannschaft ? "Erstellen der Urkunden Mannschaft " : "Erstellen der Urkunden Einzel ")
                         + Feld(q, "DisName") + " " + Feld(q, "KlaName"));
        inGruppe_ = 0;
        if (A.Mannschaft)
            A.Gesamt ? mannschaftenGesamt(g) : mannschaften();
        else
            A.Gesamt ? einzelneGesamt(g) : einzelne();
    }
    Druckjob::Ende();
    return urkunden_;
}

TUrkunde TAuswahlLauf::urkunde(Ado::TDataSet& q, bool mannschaft, double ergebnis, int platz) const
{
    TUrkunde u;
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(Feld(q, "Disziplin"), q.FieldByName("Ident")->AsInteger());
    u.Platz = platz;
    u.Disziplin = Feld(q, "Disziplin");
    u.Klasse = Feld(q, mannschaft ? "MKlasse" : "EKlasse");
    u.DisziplinName = Feld(q, "DisName").trimmed();
    u.KlasseName = E.UrkZusatz ? verbinden({Feld(q, "KlaName"), Feld(q, mannschaft ? "Zusatz" : "KlaZusatz")})
                               : Feld(q, "KlaName").trimmed();
    u.VereinNr = Feld(q, "VereinNr");
    u.Verein = Feld(q, "VerName");
    u.VerTitel = Feld(q, "VerTitel");
    u.Abkuerzung = E.Verband == 3 ? QString() : Feld(q, "Abkuerzung");
    u.Ergebnis = Schtools::ErgebnisStr(ergebnis, info.Zehntelwertung);
    u.Ausgabe = Feld(q, "Ausgabe");
    return u;
}

TUrkunde TAuswahlLauf::einzel(Ado::TDataSet& p, double ergebnis, int platz)
{
    TUrkunde u = urkunde(p, false, ergebnis, platz);
    u.Titel = Feld(p, "Titel").trimmed();
    u.Vorname = Feld(p, "Vorname").trimmed();
    u.Nachname = Feld(p, "Name").trimmed();
    u.Name = verbinden({u.Titel, u.Vorname, u.Nachname});
    if (E.Rekorde)
        rekorde_.EinzelRekordFeststellen(A.Gesamt ? Datamod::iIdent : p.FieldByName("Ident")->AsInteger(), E.Sportjahr,
                                         Feld(p, "MitglNr"), u.Klasse, u.Disziplin, u.Rekord);
    return u;
}

void TAuswahlLauf::einzelne()
{
    Ado::TDataSet& q = *D.q_Einzel;
    TPlatzierung platzierung;
    for (q.First(); !q.Eof(); q.Next()) {
        if (Feld(q, "Qual") != "N")
            continue;
        const int platz = platzierung.Naechster(q.FieldByName("Zusatz")->AsInteger(), tieSchluessel(q));
        bool ende = false;
        if (nehmen(platz, ende))
            hinzu(einzel(q, zahl(q, "Finale") > 0 ? zahl(q, "Gesamt") : zahl(q, "Ergebnis"), platz));
        if (ende)
            break;
    }
}

void TAuswahlLauf::einzelneGesamt(Ado::TDataSet& g)
{
    // The combined results in their order; the shooter's name, club and
    // discipline from the rows of the single competitions.
    Ado::TDataSet& c = *D.cds_Einzel;
    c.SetFilter("Disziplin = " + Ado::QuotedStr(Feld(g, "Disziplin")) + " AND EKlasse = "
                + Ado::QuotedStr(Feld(g, "Klasse")) + " AND Disqualifikation = 0");
    c.SetFiltered(true);
    TPlatzierung platzierung;
    for (c.First(); !c.Eof(); c.Next()) {
        if (Feld(c, "Qual") != "N" || !D.q_Einzel->Locate("MitglNr", {Feld(c, "MitglNr")}))
            continue;
        const int platz = platzierung.Naechster(c.FieldByName("Zusatz")->AsInteger(), tieSchluessel(c));
        bool ende = false;
        if (nehmen(platz, ende))
            hinzu(einzel(*D.q_Einzel, zahl(c, "Summe"), platz));
        if (ende)
            break;
    }
    c.SetFiltered(false);
}

TUrkunde TAuswahlLauf::mannschaft(Ado::TDataSet& t, double ergebnis, int platz)
{
    TUrkunde u = urkunde(t, true, ergebnis, platz);
    u.MannschNr = Feld(t, "MannschNr");
    u.Name = ErgebRangfolge::MannschaftName(u.Verein, u.MannschNr);
    if (E.Rekorde)
        rekorde_.MannschaftsRekordFeststellen(A.Gesamt ? Datamod::iIdent : t.FieldByName("Ident")->AsInteger(),
                                              E.Sportjahr, u.VereinNr, u.MannschNr, u.Klasse, u.Disziplin, u.Rekord);

    // The members whose results count, best first, at most AnzWertung.
    const int anzahl = D.q_Gruppen->FieldByName("AnzWertung")->AsInteger();
    auto m = Datamod::DataModule1()->DynQuery(
        "SELECT E.MitglNr, M.Vorname, M.Name, SUM(E.Ergebnis) AS Summe\r\n"
        "FROM ERGEBNIS E, EMITGLIED M\r\n"
        "WHERE E.MitglNr = M.MitglNr\r\n"
        "  AND E.MVereinNr = " + Ado::QuotedStr(u.VereinNr) + CRLF
            + "  AND E.MDisziplin = " + Ado::QuotedStr(u.Disziplin) + CRLF
            + "  AND E.MKlasse = " + Ado::QuotedStr(u.Klasse) + CRLF
            + "  AND E.MannschNr = " + Ado::QuotedStr(u.MannschNr) + CRLF
            + "  AND E.Ergebnis > 0" + ErgebRangfolge::WettkampfListe("E.Ident", D.Wettkaempfe) + CRLF
            + "GROUP BY E.MitglNr, M.Vorname, M.Name\r\nORDER BY SUM(E.Ergebnis) DESC, M.Name, M.Vorname",
        Ado::clUseServer, Ado::ltReadOnly);
    for (m->First(); !m->Eof() && (anzahl <= 0 || u.Mitglieder.size() < anzahl); m->Next())
        u.Mitglieder << verbinden({Feld(*m, "Vorname"), Feld(*m, "Name")});
    return u;
}

void TAuswahlLauf::mannschaften()
{
    Ado::TDataSet& q = *D.q_Mannschaft;
    int zaehler = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        if (Feld(q, "Qual") != "N")
            continue;
        bool ende = false;
        if (nehmen(++zaehler, ende))
            hinzu(mannschaft(q, zahl(q, "Ergebnis"), zaehler));
        if (ende)
            break;
    }
}

void TAuswahlLauf::mannschaftenGesamt(Ado::TDataSet& g)
{
    // The team sums over the competitions, ordered by sum and series.
    struct TSumme {
        QString VereinNr, MannschNr;
        double Summe, S1, S2, S3;
    };
    QVector<TSumme> summen;
    auto s = Datamod::DataModule1()->DynQuery(ErgebRangfolge::MannschaftSummenSQL(D.Wettkaempfe), Ado::clUseServer,
                                              Ado::ltReadOnly);
    for (s->First(); !s->Eof(); s->Next())
        if (Feld(*s, "Disziplin") == Feld(g, "Disziplin") && Feld(*s, "MKlasse") == Feld(g, "Klasse"))
            summen.append({Feld(*s, "VereinNr"), Feld(*s, "MannschNr"), zahl(*s, "Summe"), zahl(*s, "Serie1"),
                           zahl(*s, "Serie2"), zahl(*s, "Serie3")});
    std::stable_sort(summen.begin(), summen.end(), [](const TSumme& a, const TSumme& b) {
        return std::tie(b.Summe, b.S1, b.S2, b.S3) < std::tie(a.Summe, a.S1, a.S2, a.S3);
    });
    Ado::TDataSet& q = *D.q_Mannschaft;
    int zaehler = 0;
    for (const TSumme& t : summen) {
        if (!q.Locate("VereinNr;MannschNr", {t.VereinNr, t.MannschNr}) || Feld(q, "Qual") != "N")
            continue;
        bool ende = false;
        if (nehmen(++zaehler, ende))
            hinzu(mannschaft(q, t.Summe, zaehler));
        if (ende)
            break;
    }
}

} // namespace

TEinstellungen TEinstellungen::Lesen()
{
    using namespace Qvsettings;
    const auto ja = [](const char* key) { return GetString("Speziell", key) == "J"; };
    TEinstellungen e;
    e.Meistersch = GetString("Global", "Meistersch");
    e.Veranstalter = (GetString("Global", "Veranst1").trimmed() + "   " + GetString("Global", "Veranst2").trimmed()).trimmed();
    e.ErsteZ = GetString("Global", "ErsteZ");
    e.Ober = GetString("Global", "Ober");
    e.Sportl = GetString("Global", "Sportl");
    e.UrkZusatz = GetString("Global", "UrkZusatz") == "J";
    e.Rekorde = ja("Rekorde");
    e.VBWettkampf = ja("VBWettkampf");
    e.UrkOrt = GetString("Speziell", "UrkOrt");
    e.BitmapH = GetInteger("Speziell", "BitmapH") / 100.0;
    e.BitmapL = GetInteger("Speziell", "BitmapL") / 100.0;
    e.Verband = GetInteger("Allgemein", "Verband");
    e.Sportjahr = GetInteger("Allgemein", "Sportjahr");
    e.Schrift = GetString("Allgemein", "FontUrkunden").trimmed();
    if (e.Schrift.isEmpty())
        e.Schrift = "Arial";
    if (ja("UrkDatum"))
        e.Datum = datumLesen(GetString("Speziell", "Datum"));
    if (!e.Datum.isValid())
        e.Datum = Qvclock::Now().date();
    return e;
}

QVector<TUrkunde> UrkundenAuswaehlen(ErgebRangfolge::TErgebDaten& Daten, const TEinstellungen& E, const TAuswahl& A,
                                     const QString& Status)
{
    return TAuswahlLauf(Daten, E, A).Auswaehlen(Status);
}

QString MonatFestlegen(int Monat)
{
    static const char* const namen[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return Monat >= 1 && Monat <= 12 ? QString::fromUtf8(namen[Monat - 1]) : QString();
}

// --- The printed certificate ------------------------------------------------------

namespace {

// The page of one certificate, drawn from the top down: every line centred
// between the sections, a line wider than the section in the largest size
// that fits.
class TSeite {
public:
    TSeite(TBaseReport& r, const TEinstellungen& e)
        : R(r), E(e), mitte_((r.SectionLeft() + r.SectionRight()) / 2), breite_(r.SectionRight() - r.SectionLeft())
    {
    }

    // A line of size groesse after leer blank lines.
    void Zeile(const QString& text, double groesse, bool fett, int leer)
    {
        schrift(groesse, fett);
        naechsteZeile(leer);
        ErgebRekorde::Zentriert(R, Reportutil::Druckbar(text), mitte_, breite_);
    }
    // Lines of size groesse made of the parts, as many to a line as fit.
    void Absatz(const QStringList& teile, double groesse, int leer)
    {
        schrift(groesse, false);
        QStringList zeilen;
        for (const QString& t : teile) {
            const QString teil = Reportutil::Druckbar(t);
            if (!zeilen.isEmpty() && R.TextWidth(zeilen.last() + ", " + teil) <= breite_)
                zeilen.last() += ", " + teil;
            else
                zeilen << teil;
        }
        for (int i = 0; i < zeilen.size(); ++i)
            Zeile(zeilen[i], groesse, false, i == 0 ? leer : 0);
    }
    // "den 2. Platz mit 391 Ringe", centred, the place and the result larger.
    void Platzzeile(const TUrkunde& u, int leer)
    {
        struct TTeil {
            QString Text;
            double Groesse;
        };
        QVector<TTeil> teile = {{"den ", 10}, {QString::number(u.Platz) + ".", 14}, {" Platz", 10},
                                {"  mit  ", 9}, {u.Ergebnis, 14}};
        if (!u.Ausgabe.trimmed().isEmpty())
            teile.append({" " + Reportutil::Druckbar(u.Ausgabe.trimmed()), 10});
        schrift(14, false);
        naechsteZeile(leer);
        double breite = 0;
        for (const TTeil& t : teile) {
            R.SetFontSize(t.Groesse);
            breite += R.TextWidth(t.Text);
        }
        double x = mitte_ - breite / 2;
        for (const TTeil& t : teile) {
            R.SetFontSize(t.Groesse);
            R.PrintLeft(t.Text, x);
            x += R.TextWidth(t.Text);
        }
        R.SetFontSize(14);
    }
    // The pictures (or, for several competitions, the date line) and the
    // signatories at the foot of the page.
    void Fuss()
    {
        const double links = R.SectionLeft(), rechts = R.SectionRight();
        schrift(8, false);
        const double unterschrift = 27.8166;
        const double xLinks = links + 1.0, xRechts = rechts - 4.4;
        if (!E.VBWettkampf) {
            // Each picture above its signatory's name and inside the sheet's
            // printable area; a picture too large for that is scaled down.
            const double y = 25.7, hoeheMax = unterschrift - R.FontAscent() - 0.15 - y;
            const double breiteMax = std::min(xRechts - xLinks - 0.2, R.GetPageWidth() - 0.5 - xRechts);
            double b = E.BitmapL, h = E.BitmapH;
            if (b > 0 && h > 0) {
                const double faktor = std::min({1.0, hoeheMax / h, breiteMax / b});
                b *= faktor;
                h *= faktor;
                Schtools::PrintBmp(R, "ULINKS.BMP", b, h, xLinks, y);
                Schtools::PrintBmp(R, "URECHTS.BMP", b, h, xRechts, y);
            }
        } else {
            schrift(10, false);
            R.SetYPos(26.4711);
            R.PrintLeft(Reportutil::Druckbar(E.UrkOrt) + ", den " + QString::number(E.Datum.day()) + ". "
                            + MonatFestlegen(E.Datum.month()) + " " + QString::number(E.Datum.year()),
                        links - 1.5);
            schrift(8, false);
        }
        R.SetYPos(unterschrift);
        R.PrintLeft(Reportutil::Druckbar(E.Ober), xLinks);
        R.PrintLeft(Reportutil::Druckbar(E.Sportl), xRechts);
    }

private:
    void schrift(double groesse, bool fett)
    {
        R.SetFont(E.Schrift, groesse);
        R.SetBold(fett);
    }
    // The next baseline: below the line before (its descent), the blank
    // lines and the ascent of the current font.
    void naechsteZeile(int leer)
    {
        if (abstieg_ < 0)
            y_ = 13.0;
        else
            y_ += abstieg_ + 0.15 + leer * 0.35 + R.FontAscent();
        R.SetYPos(y_);
        abstieg_ = R.FontDescent();
    }

    TBaseReport& R;
    const TEinstellungen& E;
    double mitte_, breite_;
    double y_ = 13.0;
    double abstieg_ = -1;
};

void seitenkopf(TSeite& s, const TEinstellungen& E, const TUrkunde& u)
{
    s.Zeile(E.ErsteZ, 12, false, 0);
    s.Zeile(verbinden({E.Meistersch, QString::number(E.Sportjahr)}), 20, true, 2);
    s.Zeile(E.Veranstalter, 14, false, 1);
    s.Zeile("im Wettbewerb", 10, false, 2);
    s.Zeile(verbinden({u.DisziplinName, u.KlasseName.isEmpty() ? QString() : "- " + u.KlasseName}), 14, false, 1);
    s.Zeile("errang", 10, false, 1);
}

// A club's or a team's name as the federation prints it: with "Verband" 3
// the club's title before it.
QString mitTitel(const TEinstellungen& E, const TUrkunde& u, const QString& name)
{
    return E.Verband == 3 ? verbinden({u.VerTitel, name}) : name;
}

void drucken(TBaseReport& R, const QVector<TUrkunde>& Urkunden, const TEinstellungen& E, bool mannschaft)
{
    Druckjob::Status(mannschaft ? "Erstellen der Urkunden Mannschaft" : "Erstellen der Urkunden Einzel");
    Druckjob::ProgressStart(int(Urkunden.size()));
    for (int i = 0; i < Urkunden.size(); ++i) {
        const TUrkunde& u = Urkunden[i];
        if (i > 0)
            R.NewPage();
        TSeite s(R, E);
        seitenkopf(s, E, u);
        if (mannschaft) {
            s.Zeile(mitTitel(E, u, u.Name), 36, false, 3);
            s.Absatz(u.Mitglieder, 14, 0);
        } else {
            s.Zeile(verbinden({u.Titel, u.Vorname}) + "  " + u.Nachname, 36, false, 3);
            s.Zeile(mitTitel(E, u, u.Verein), 20, false, 0);
        }
        s.Platzzeile(u, 3);
        if (E.Rekorde && !u.Rekord.isEmpty())
            s.Zeile(u.Rekord, 11, true, 0);
        s.Fuss();
        Druckjob::Progress(i + 1);
    }
    Druckjob::Ende();
}

} // namespace

void AusdruckUrkundeEinzel(TBaseReport& Report, const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    drucken(Report, Urkunden, E, false);
}

void AusdruckUrkundeMannschaft(TBaseReport& Report, const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    drucken(Report, Urkunden, E, true);
}

// --- Mail-merge tables --------------------------------------------------------------

QString Werte(const QString& Statement, const QStringList& Werte)
{
    // One pass: a value holding "%s" or "%1" stays as it is.
    QString s;
    qsizetype von = 0;
    for (const QString& w : Werte) {
        const qsizetype p = Statement.indexOf("%s", von);
        if (p < 0)
            break;
        s += Statement.mid(von, p - von) + Ado::QuotedStr(w);
        von = p + 2;
    }
    return s + Statement.mid(von);
}

namespace {

QString platzText(const TUrkunde& u) { return QString::number(u.Platz) + "."; }

void tabelleFuellen(const QString& tabelle, const QString& statement, const QVector<QStringList>& zeilen)
{
    Druckjob::ProgressStart(int(zeilen.size()));
    Ado::TTransaction t(*Datamod::DataModule1()->Connection());
    Datamod::DataModule1()->DynSQL("DELETE FROM " + tabelle);
    for (int i = 0; i < zeilen.size(); ++i) {
        Datamod::DataModule1()->DynSQL(Werte(statement, zeilen[i]));
        Druckjob::Progress(i + 1);
    }
    t.Commit();
}

} // namespace

void UrkundenEinzelDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    Druckjob::Status("Erstellen der Urkundendatei Einzel");
    QVector<QStringList> zeilen;
    for (const TUrkunde& u : Urkunden)
        zeilen.append({u.Disziplin, u.Klasse, platzText(u), QString::number(u.Nummer), E.Meistersch, E.Veranstalter,
                       QString::number(E.Sportjahr), u.DisziplinName, u.KlasseName, u.Name, u.Verein, u.Ergebnis,
                       u.RingMannsch, u.Ausgabe, E.Ober, E.Sportl, u.VerTitel, u.Abkuerzung, u.Rekord});
    tabelleFuellen("EURKUNDEE", EinzelInsert, zeilen);
    Druckjob::Ende();
}

void UrkundenMannschaftDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    Druckjob::Status("Erstellen der Urkundendatei Mannschaft");
    QVector<QStringList> zeilen;
    for (const TUrkunde& u : Urkunden) {
        QString mitglieder;
        for (const QString& m : u.Mitglieder)
            mitglieder += m + "\n";
        zeilen.append({u.Disziplin, u.Klasse, platzText(u), QString::number(u.Nummer), E.Meistersch, E.Veranstalter,
                       QString::number(E.Sportjahr), u.DisziplinName, u.KlasseName, u.VerTitel, u.Verein, mitglieder,
                       u.Ergebnis, u.RingMannsch, u.Ausgabe, E.Ober, E.Sportl, u.Abkuerzung, u.Rekord});
    }
    tabelleFuellen("EURKUNDEM", MannschaftInsert, zeilen);
    Druckjob::Ende();
}

// --- Text files ---------------------------------------------------------------------

QString TextZeile(const QStringList& Felder)
{
    QString z;
    for (const QString& f : Felder) {
        QString w = Reportutil::Druckbar(f);
        if (w.contains(';') || w.contains('"'))
            w = '"' + w.replace("\"", "\"\"") + '"';
        z += w + ';';
    }
    return z;
}

namespace {

// Written as UTF-8 with a byte order mark and CR LF, under a temporary name
// that replaces the old file only when complete.
QString textDateiSchreiben(const QString& name, const QStringList& zeilen)
{
    const QString pfad = QDir(Qvpaths::DataFolder()).filePath(name);
    QSaveFile f(pfad);
    QByteArray inhalt = "\xEF\xBB\xBF";
    for (const QString& z : zeilen)
        inhalt += (z + CRLF).toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size() || !f.commit())
        throw EHostFehler("Die Datei " + QDir::toNativeSeparators(pfad) + " konnte nicht geschrieben werden: "
                          + f.errorString());
    return pfad;
}

QStringList textFelder(const TUrkunde& u, const TEinstellungen& E)
{
    return {u.Disziplin,     u.Klasse,     platzText(u), E.Meistersch, E.Veranstalter, QString::number(E.Sportjahr),
            u.DisziplinName, u.KlasseName, u.Name,       u.VerTitel,   u.Abkuerzung,   u.Verein,
            u.Ergebnis,      u.Ausgabe,    E.Ober,       E.Sportl};
}

} // namespace

QString UrkundenEinzelTextDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    Druckjob::Status("Erstellen der Urkundendatei Einzel");
    QStringList zeilen;
    for (const TUrkunde& u : Urkunden)
        zeilen << TextZeile(textFelder(u, E));
    const QString pfad = textDateiSchreiben("URKEINZEL.TXT", zeilen);
    Druckjob::Ende();
    return pfad;
}

QString UrkundenMannschaftTextDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E)
{
    Druckjob::Status("Erstellen der Urkundendatei Mannschaft");
    QStringList zeilen;
    for (const TUrkunde& u : Urkunden)
        zeilen << TextZeile(textFelder(u, E) << u.Mitglieder.join(", "));
    const QString pfad = textDateiSchreiben("URKMANNSCH.TXT", zeilen);
    Druckjob::Ende();
    return pfad;
}

QString Meldung(int Anzahl, bool Mannschaft, const QString& Wohin)
{
    return "Es wurden  " + QString::number(Anzahl) + CRLF
           + (Mannschaft ? "Mannschaftsurkunden für Serienbriefe erstellt." : "Einzelurkunden für Serienbriefe erstellt.")
           + CRLF + Wohin;
}

bool TUrkundenJob::Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const TAuswahl& A, int Ausgabe,
                           Report::TRvNDRWriter& Writer, int& DruckjobID)
{
    E_ = TEinstellungen::Lesen();
    if (E_.Meistersch.trimmed().isEmpty()) {
        Pmsgdlg::qvMessageDlg(MeisterschFehlt, Host::mtWarning, Host::mbOK, 1);
        return false;
    }
    mannschaft_ = A.Mannschaft;
    const QString art = A.Mannschaft ? "Mannschaft" : "Einzel";
    urkunden_ = UrkundenAuswaehlen(Daten, E_, A,
                                   (Ausgabe == 0 ? "Erstellen der Urkunden " : "Erstellen der Urkundendatei ") + art);
    const auto leeren = qScopeGuard([this] { urkunden_.clear(); });
    if (urkunden_.isEmpty()) {
        Pmsgdlg::qvMessageDlg(Druckjob::KeineDatenText, Host::mtInformation, Host::mbOK, 1);
        return false;
    }
    const int anzahl = int(urkunden_.size());
    if (Ausgabe == 0) {
        Druckjob::Vorschau(Writer, DruckjobID);
    } else if (Ausgabe == 1) {
        if (A.Mannschaft)
            UrkundenMannschaftDateiAusgabe(urkunden_, E_);
        else
            UrkundenEinzelDateiAusgabe(urkunden_, E_);
        Pmsgdlg::qvMessageDlg(Meldung(anzahl, A.Mannschaft, A.Mannschaft ? "Tabelle EURKUNDEM" : "Tabelle EURKUNDEE"),
                              Host::mtInformation, Host::mbOK, 1);
    } else {
        const QString pfad = A.Mannschaft ? UrkundenMannschaftTextDateiAusgabe(urkunden_, E_)
                                          : UrkundenEinzelTextDateiAusgabe(urkunden_, E_);
        const QFileInfo datei(pfad);
        Pmsgdlg::qvMessageDlg(Meldung(anzahl, A.Mannschaft,
                                      "Datei " + datei.fileName() + " im Ordner "
                                          + QDir::toNativeSeparators(datei.absolutePath())),
                              Host::mtInformation, Host::mbOK, 1);
    }
    return true;
}

void TUrkundenJob::Drucken(TBaseReport& Report) const
{
    if (mannschaft_)
        AusdruckUrkundeMannschaft(Report, urkunden_, E_);
    else
        AusdruckUrkundeEinzel(Report, urkunden_, E_);
}

} // namespace ErgebUrkunde
