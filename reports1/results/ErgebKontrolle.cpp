#include "reports1/results/ErgebKontrolle.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRekorde.h"

#include <QHash>
#include <QPair>

using Report::TBaseReport;

namespace ErgebKontrolle {

namespace {

using Qvutil::CRLF;
using Reportutil::Rest;
using Reportutil::Zeile;
constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

using Reportutil::Feld;

// Title in "Arial" 12 and the line under it in "Arial" 11, both centred;
// the body starts two lines below the page header.
void Ueberschrift(TBaseReport& R, const QString& Titel, const QString& Zweite)
{
    const double breite = R.SectionRight() - R.SectionLeft(), mitte = R.SectionLeft() + breite / 2;
    R.NewLine();
    R.NewLine();
    R.SetBold(false);
    R.SetFont("Arial", 12);
    ErgebRekorde::Zentriert(R, Titel, mitte, breite);
    R.NewLine();
    R.SetFont("Arial", 11);
    ErgebRekorde::Zentriert(R, Reportutil::Druckbar(Zweite).simplified(), mitte, breite);
    R.NewLine();
    R.NewLine();
}

QString Sportjahr() { return QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")); }

// Room for Zeilen lines: otherwise a new page, the body two lines below its
// header. False when the page was already fresh enough.
bool PlatzFuer(TBaseReport& R, int Zeilen)
{
    const int seite = int((R.SectionBottom() - R.SectionTop()) / R.LineHeight()) - 4;
    if (R.LinesLeft() >= std::min(Zeilen, seite) && R.LinesLeft() >= 1)
        return false;
    R.NewPage();
    R.NewLine();
    R.NewLine();
    return true;
}

} // namespace

// --- Missing results -----------------------------------------------------------

QString AnzahlSQL()
{
    return "SELECT Disziplin,EKlasse,Count(*) AS Anzahl\r\nFROM ERGEBNIS\r\nWHERE Ident = :Ident\r\n"
           "  AND Teilmeisterschaft = :Teilm\r\nGROUP BY Disziplin,EKlasse\r\nORDER BY Disziplin, EKlasse";
}

QString AnzahlOhneErgebnisSQL()
{
    return "SELECT Disziplin,EKlasse,Count(*) AS Anzahl\r\nFROM ERGEBNIS\r\nWHERE Ergebnis = 0\r\n"
           "  AND Ident = :Ident\r\n  AND Teilmeisterschaft = :Teilm\r\nGROUP BY Disziplin,EKlasse\r\n"
           "ORDER BY Disziplin, EKlasse";
}

QVector<TFehlend> FehlendeErmitteln(int Ident, const QString& Teilm)
{
    auto oeffnen = [&](const QString& sql) {
        auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
        q->ParamByName("Ident")->SetValue(Ident);
        q->ParamByName("Teilm")->SetValue(Teilm);
        q->Open();
        return q;
    };
    // The groups are matched by discipline and class as a pair, so neither
    // the server's collation nor codes of different lengths can misalign
    // the two counts; the total list gives the order.
    QHash<QPair<QString, QString>, int> ohne;
    {
        auto q = oeffnen(AnzahlOhneErgebnisSQL());
        for (q->First(); !q->Eof(); q->Next())
            ohne.insert({Feld(*q, "Disziplin"), Feld(*q, "EKlasse")}, q->FieldByName("Anzahl")->AsInteger());
    }
    QHash<QString, QString> disziplinen, klassen;
    {
        auto d = Datamod::DataModule1()->DynQuery("SELECT Disziplin,Name\r\nFROM PDISZIPLIN\r\nWHERE Ident = "
                                                      + QString::number(Ident),
                                                  Ado::clUseServer, Ado::ltReadOnly);
        for (d->First(); !d->Eof(); d->Next())
            disziplinen.insert(Feld(*d, "Disziplin"), Feld(*d, "Name"));
        auto k = Datamod::DataModule1()->DynQuery("SELECT Klasse,Name\r\nFROM PKLASSE\r\nWHERE Ident = "
                                                      + QString::number(Ident),
                                                  Ado::clUseServer, Ado::ltReadOnly);
        for (k->First(); !k->Eof(); k->Next())
            klassen.insert(Feld(*k, "Klasse"), Feld(*k, "Name"));
    }
    QVector<TFehlend> fehlende;
    auto q = oeffnen(AnzahlSQL());
    for (q->First(); !q->Eof(); q->Next()) {
        TFehlend f{Feld(*q, "Disziplin"), Feld(*q, "EKlasse"), {}, {}, q->FieldByName("Anzahl")->AsInteger()};
        const auto it = ohne.constFind({f.Disziplin, f.Klasse});
        if (it == ohne.constEnd() || it.value() != f.Anzahl)
            continue;
        f.DisName = disziplinen.value(f.Disziplin);
        f.KlaName = klassen.value(f.Klasse);
        fehlende << f;
    }
    return fehlende;
}

void FehlendePrint(TBaseReport& R, const QVector<TFehlend>& Fehlende)
{
    R.SetTabShade(0);
    Ueberschrift(R, "Fehlende Ergebnisse von Wettbewerben und Klassen",
                 Qvsettings::GetString("Global", "Ueberschr").trimmed() + " " + Sportjahr());
    Reportutil::SpaltenSetzen(R, {{2.0, L}, {6.0, L}, {6.0, L}, {3.5, R_}});
    R.SetFont("Arial", 10);
    int n = 0;
    for (const TFehlend& f : Fehlende) {
        PlatzFuer(R, 1);
        Zeile(R, {f.Disziplin + "." + f.Klasse, f.DisName, f.KlaName, QString::number(f.Anzahl)});
        Druckjob::Progress(++n);
    }
}

// --- Incomplete teams ------------------------------------------------------------

QString MitgliederSQL(int Ident, const QString& VereinNr, const QString& Disziplin, const QString& Klasse,
                      const QString& MannschNr)
{
    return "SELECT E.Ergebnis,E.StartNr,M.Name,M.Vorname,M.Titel\r\nFROM ERGEBNIS E, EMITGLIED M\r\n"
           "WHERE E.MitglNr = M.MitglNr\r\n  AND E.Ident = "
           + QString::number(Ident) + CRLF + "  AND E.MVereinNr = " + Ado::QuotedStr(VereinNr) + CRLF
           + "  AND E.MDisziplin = " + Ado::QuotedStr(Disziplin) + CRLF + "  AND E.MKlasse = " + Ado::QuotedStr(Klasse)
           + CRLF + "  AND E.MannschNr = " + Ado::QuotedStr(MannschNr);
}

void MannschaftenPrint(TBaseReport& R, Ado::TDataSet& q)
{
    R.SetTabShade(0);
    const QStringList zweite = {Qvsettings::GetString("Global", "Ueberschr"), Qvsettings::GetString("Global", "Veranst1"),
                                Qvsettings::GetString("Global", "Veranst2"), Sportjahr()};
    QStringList gesetzt;
    for (const QString& z : zweite)
        if (!z.trimmed().isEmpty())
            gesetzt << z.trimmed();
    Ueberschrift(R, "Unvollständige Mannschaften", gesetzt.join(' '));

    struct TMitglied {
        QString StartNr, Name, Ergebnis;
    };
    QString gruppe, kopf;
    int n = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const bool zehntel = Feld(q, "Zehntel") == "J";
        QVector<TMitglied> mitglieder;
        {
            auto m = Datamod::DataModule1()->DynQuery(MitgliederSQL(q.FieldByName("Ident")->AsInteger(),
                                                                    Feld(q, "VereinNr"), Feld(q, "Disziplin"),
                                                                    Feld(q, "MKlasse"), Feld(q, "MannschNr")),
                                                      Ado::clUseServer, Ado::ltReadOnly);
            for (m->First(); !m->Eof(); m->Next()) {
                QString name = Feld(*m, "Name") + ",";
                for (const char* teil : {"Titel", "Vorname"})
                    if (!Feld(*m, teil).trimmed().isEmpty())
                        name += " " + Feld(*m, teil).trimmed();
                mitglieder << TMitglied{Feld(*m, "StartNr"), name,
                                        Schtools::ErgebnisStr(m->FieldByName("Ergebnis")->AsFloat(), zehntel)};
            }
        }
        // A team goes to the next page with its members; a discipline and
        // class heading with its first team. A group continued on a new page
        // repeats its heading.
        const QString neueGruppe = Feld(q, "Disziplin") + "|" + Feld(q, "MKlasse");
        const bool gruppenwechsel = neueGruppe != gruppe;
        const int zeilen = 1 + int(mitglieder.size()) + (gruppenwechsel ? 3 : 0);
        const bool neueSeite = PlatzFuer(R, zeilen);
        if (gruppenwechsel) {
            gruppe = neueGruppe;
            QString kennziffer;
            kopf = Reportutil::KennzZahlHolen(q.FieldByName("Ident")->AsInteger(), "M", "", Feld(q, "Disziplin"),
                                              Feld(q, "MKlasse"), kennziffer, true)
                   + "  " + Feld(q, "DisName") + "   " + Feld(q, "KlaName");
            if (n > 0 && !neueSeite)
                R.NewLine();
        }
        if (gruppenwechsel || neueSeite) {
            Reportutil::SpaltenSetzen(R, {{Rest, L}});
            R.SetFont("Arial", 11);
            R.SetBold(true);
            Zeile(R, {kopf});
            R.SetBold(false);
            R.NewLine();
        }
        Reportutil::SpaltenSetzen(R, {{14.0, L}, {3.5, R_}});
        R.SetFont("Arial", 10);
        QString team = Feld(q, "VereinNr") + " ";
        if (!Feld(q, "Abkuerzung").trimmed().isEmpty())
            team += Feld(q, "Abkuerzung").trimmed() + " ";
        team += Feld(q, "VerName") + " " + Feld(q, "MannschNr");
        Zeile(R, {team, Schtools::ErgebnisStr(q.FieldByName("Ergebnis")->AsFloat(), zehntel)});
        Reportutil::SpaltenSetzen(R, {{0.5, L}, {1.0, R_}, {0.5, L}, {8.0, L}, {3.0, R_}, {Rest, L}});
        for (const TMitglied& m : mitglieder)
            Zeile(R, {"", m.StartNr, "", m.Name, m.Ergebnis, ""});
        Druckjob::Progress(++n);
    }
}

} // namespace ErgebKontrolle
