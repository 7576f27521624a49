// The datasets of the results dialog: group stepping, inner tens, the team
// tie-break of discipline "531" and the combination of several competitions.

#include "platform/host/Qvutil.h"
#include "reports1/results/ErgebRangfolge.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvmain.h"
#include "platform/host/Schtools.h"

#include <QMap>
#include <algorithm>
#include <cmath>

namespace ErgebRangfolge {

namespace {

using Qvutil::CRLF;

std::unique_ptr<Ado::TADOQuery> abfrage(const QString& sql)
{
    return Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
}

// Value and number of occurrences of one group of equal series values.
struct TGruppe {
    int Wert = 0;
    int Anzahl = 0;
};

// All series of a team's members, sorted as text; runs of equal values form
// groups (at most 10).
QVector<TGruppe> serienGruppen(const QStringList& serien)
{
    QStringList werte;
    for (const QString& s : serien)
        werte << Schtools::SerienToStrings(Schtools::FromSerienFormat(s), "|");
    werte.sort();
    QVector<TGruppe> gruppen;
    for (qsizetype i = 0; i < werte.size() && gruppen.size() <= 10;) {
        qsizetype j = i;
        while (j < werte.size() && werte[j] == werte[i])
            ++j;
        if (gruppen.size() == 10)
            break;
        gruppen.push_back({werte[i].toInt(), int(j - i)});
        i = j;
    }
    return gruppen;
}

} // namespace

TEinzelPlatz::TPlatz TEinzelPlatz::Naechster(Ado::TDataSet& q)
{
    return Naechster(q.FieldByName("Qual")->AsString(), q.FieldByName("Disqualifikation")->AsInteger(),
                     q.FieldByName("Zusatz")->AsInteger(), q.FieldByName("Kennung")->AsString(),
                     q.FieldByName("Ergebnis")->AsString(), q.FieldByName("Serien")->AsString(),
                     q.FieldByName("MessErg")->AsString());
}

TErgebDaten::TErgebDaten() = default;
TErgebDaten::~TErgebDaten() = default;

void TErgebDaten::EinzelMannschaftSQLErstellen(const TErgebOptionen& Optionen)
{
    ProMitglied = Optionen.ProMitglied;
    AltEinzelSQL = q_Einzel ? q_Einzel->SQL() : QString();
    AltMannschaftSQL = q_Mannschaft ? q_Mannschaft->SQL() : QString();
    // Both texts carry parameters, so the datasets come back closed.
    const TErgebSQL sql = SQLErstellen(Wettkaempfe, Optionen);
    q_Einzel = abfrage(sql.Einzel);
    q_Mannschaft = abfrage(sql.Mannschaft);
}

void TErgebDaten::ErgebEingSetzen() { q_Gruppen = abfrage(ErgebEingSQL(Wettkaempfe, GruppenProIdent, !AlleGruppen)); }

void TErgebDaten::SetMannschaftundEinzelRange(int Auswahl, bool MitDisqualifikation)
{
    if (!q_Gruppen || q_Gruppen->Eof())
        return;
    const QVariant ident = q_Gruppen->FieldByName("Ident")->AsInteger();
    const QString disziplin = q_Gruppen->FieldByName("Disziplin")->AsString();
    const QString klasse = q_Gruppen->FieldByName("Klasse")->AsString();
    auto oeffnen = [&](Ado::TADOQuery& q) {
        q.Close();
        if (!ProMitglied)
            q.ParamByName("Ident")->SetValue(ident);
        q.ParamByName("Disziplin")->SetValue(disziplin);
        q.ParamByName("Klasse")->SetValue(klasse);
        q.Open();
    };
    if (Auswahl == 1 || Auswahl == 2)
        oeffnen(*q_Mannschaft);
    if (Auswahl == 0 || Auswahl == 2) {
        oeffnen(*q_Einzel);
        q_Einzel->SetFilter("Disqualifikation = 0");
        q_Einzel->SetFiltered(!MitDisqualifikation);
    }

    QString name;
    for (Ado::TADOQuery* q : {q_Einzel.get(), q_Mannschaft.get()})
        if (q && q->Active() && !q->IsEmpty()) {
            q->First();
            name = q->FieldByName("DisName")->AsString() + " " + q->FieldByName("KlaName")->AsString();
            break;
        }
    const int anzahl = (Auswahl != 1 && q_Einzel->Active()) ? q_Einzel->RecordCount() : q_Mannschaft->RecordCount();
    Qvmain::f_Menue()->StartProgress(0, anzahl);
    Qvmain::f_Menue()->SetStatus(name);
}

bool TErgebDaten::GruppeHatDaten(int Auswahl) const
{
    const bool einzel = (Auswahl == 0 || Auswahl == 2) && q_Einzel && q_Einzel->Active() && !q_Einzel->IsEmpty();
    const bool mannschaft = (Auswahl == 1 || Auswahl == 2) && q_Mannschaft && q_Mannschaft->Active()
                            && !q_Mannschaft->IsEmpty();
    return einzel || mannschaft;
}

bool TErgebDaten::SucheMannschaftOderEinzel(int Auswahl, bool MitDisqualifikation)
{
    if (!q_Gruppen)
        return false;
    while (!q_Gruppen->Eof()) {
        q_Gruppen->Next();
        if (q_Gruppen->Eof())
            return false;
        SetMannschaftundEinzelRange(Auswahl, MitDisqualifikation);
        if (GruppeHatDaten(Auswahl))
            return true;
    }
    return false;
}

bool TErgebDaten::ErsteGruppe(int Auswahl, bool MitDisqualifikation)
{
    ErgebEingSetzen();
    if (q_Gruppen->IsEmpty())
        return false;
    q_Gruppen->First();
    SetMannschaftundEinzelRange(Auswahl, MitDisqualifikation);
    if (GruppeHatDaten(Auswahl))
        return true;
    return SucheMannschaftOderEinzel(Auswahl, MitDisqualifikation);
}

bool TErgebDaten::InnenZehnerAusgeben(Ado::TDataSet& q, QString (&Serien)[6])
{
    const QString ident = q.FieldByName("Ident")->AsString();
    const QString disziplin = q.FieldByName("Disziplin")->AsString();
    const QString key = ident + "|" + disziplin;
    auto it = zehntel_.find(key);
    if (it == zehntel_.end()) {
        auto z = abfrage("SELECT Zehntel\r\nFROM PDISZIPLIN\r\nWHERE Ident = " + QString::number(ident.toInt()) + CRLF
                         + "  AND Disziplin = " + Ado::QuotedStr(disziplin));
        it = zehntel_.insert(key, z->IsEmpty() ? QString() : (z->First(), z->FieldByName("Zehntel")->AsString()));
    }
    return InnenZehnerEintragen(*it, q.FieldByName("InnenZehner")->AsInteger(), Serien);
}

void TErgebDaten::RangfolgeFestlegen(int Ident)
{
    auto q = abfrage("SELECT *\r\nFROM EMANNSCH\r\nWHERE Qual <> 'Q'\r\n  AND Ergebnis > 0\r\n  AND Disziplin = '531'\r\n"
                     "  AND AnzMannsch = AnzMannschIst\r\n  AND Ident = :Ident\r\nORDER BY Ergebnis DESC");
    q->ParamByName("Ident")->SetValue(Ident);
    q->Open();
    qint64 vorher = -1, gleich = 0;
    QString disziplin;
    for (q->First(); !q->Eof(); q->Next()) {
        const qint64 wert = qRound64(q->FieldByName("Ergebnis")->AsFloat());
        if (wert == vorher) {
            gleich = wert;
            disziplin = q->FieldByName("Disziplin")->AsString();
        }
        vorher = wert;
    }
    if (gleich == 0)
        return;

    auto teams = abfrage("SELECT *\r\nFROM EMANNSCH\r\nWHERE EMANNSCH.Ident = :Ident\r\n  AND EMANNSCH.Disziplin = :Disziplin\r\n"
                         "  AND EMANNSCH.Ergebnis = :Ergebnis\r\nORDER BY EMANNSCH.Ergebnis DESC");
    teams->ParamByName("Ident")->SetValue(Ident);
    teams->ParamByName("Disziplin")->SetValue(disziplin);
    teams->ParamByName("Ergebnis")->SetValue(gleich);
    teams->Open();

    auto mitglieder = abfrage(
        "SELECT M.VereinNr,M.Disziplin,M.MKlasse,M.MannschNr,M.Ergebnis,\r\n"
        "       E.Ergebnis AS EErgebnis,E.Serien\r\n"
        "FROM ERGEBNIS E, EMANNSCH M\r\n"
        "WHERE E.MVereinNr = M.VereinNr\r\n"
        "  AND E.MDisziplin = M.Disziplin\r\n"
        "  AND E.MKlasse = M.MKlasse\r\n"
        "  AND E.MannschNr = M.MannschNr\r\n"
        "  AND E.Ident = M.Ident\r\n"
        "  AND M.Ident = :Ident\r\n"
        "  AND M.VereinNr = :VereinNr\r\n"
        "  AND M.Disziplin = :Disziplin\r\n"
        "  AND M.MKlasse = :Klasse\r\n"
        "  AND M.MannschNr = :MannschNr\r\n"
        "ORDER BY M.Ergebnis DESC,M.VereinNr,M.Disziplin,M.MKlasse,M.MannschNr");

    struct TTeam {
        QString VereinNr, Disziplin, Klasse, MannschNr;
        QStringList Serien;
    } a, b;
    QStringList listeA, listeB;
    QString letzterVerein;
    for (teams->First(); !teams->Eof(); teams->Next()) {
        const QString verein = teams->FieldByName("VereinNr")->AsString();
        if (verein == letzterVerein)
            continue;
        letzterVerein = verein;
        TTeam t{verein, teams->FieldByName("Disziplin")->AsString(), teams->FieldByName("MKlasse")->AsString(),
                teams->FieldByName("MannschNr")->AsString(), {}};
        mitglieder->Close();
        mitglieder->ParamByName("Ident")->SetValue(Ident);
        mitglieder->ParamByName("VereinNr")->SetValue(t.VereinNr);
        mitglieder->ParamByName("Disziplin")->SetValue(t.Disziplin);
        mitglieder->ParamByName("Klasse")->SetValue(t.Klasse);
        mitglieder->ParamByName("MannschNr")->SetValue(t.MannschNr);
        mitglieder->Open();
        for (mitglieder->First(); !mitglieder->Eof(); mitglieder->Next()) {
            const QString ergebnis = QString::number(qRound64(mitglieder->FieldByName("EErgebnis")->AsFloat()));
            const QString serien = mitglieder->FieldByName("Serien")->AsString();
            if (listeA.size() < 3) {
                listeA << ergebnis;
                if (a.VereinNr != t.VereinNr || a.MannschNr != t.MannschNr)
                    a = t;
                a.Serien << serien;
            } else {
                listeB << ergebnis;
                if (b.VereinNr != t.VereinNr || b.MannschNr != t.MannschNr)
                    b = t;
                b.Serien << serien;
            }
        }
    }
    if (listeA.isEmpty() || listeB.isEmpty())
        return;
    listeA.sort();
    listeB.sort();

    bool aZuerst = true;
    if (listeA.first() > listeB.first()) {
        aZuerst = true;
    } else if (listeA.first() < listeB.first()) {
        aZuerst = false;
    } else {
        // Equal lowest member results: the team whose series groups reach a
        // smaller value first ranks first; at equal values the team with more
        // occurrences of it. Identical tables keep the order found.
        const QVector<TGruppe> ga = serienGruppen(a.Serien), gb = serienGruppen(b.Serien);
        for (int i = 0; i < std::min(ga.size(), gb.size()); ++i) {
            if (ga[i].Wert != gb[i].Wert) {
                aZuerst = ga[i].Wert < gb[i].Wert;
                break;
            }
            if (ga[i].Anzahl != gb[i].Anzahl) {
                aZuerst = ga[i].Anzahl > gb[i].Anzahl;
                break;
            }
        }
    }

    auto schreiben = [&](const TTeam& t, int rang) {
        auto row = Datamod::DataModule1()->DynQuery(
            "SELECT *\r\nFROM EMANNSCH\r\nWHERE Ident = :Ident\r\n  AND VereinNr = :VereinNr\r\n  AND Disziplin = :Disziplin\r\n"
            "  AND MKlasse = :Klasse\r\n  AND MannschNr = :MannschNr",
            Ado::clUseServer, Ado::ltOptimistic);
        row->ParamByName("Ident")->SetValue(Ident);
        row->ParamByName("VereinNr")->SetValue(t.VereinNr);
        row->ParamByName("Disziplin")->SetValue(t.Disziplin);
        row->ParamByName("Klasse")->SetValue(t.Klasse);
        row->ParamByName("MannschNr")->SetValue(t.MannschNr);
        row->Open();
        if (row->IsEmpty())
            return;
        row->First();
        row->Edit();
        row->FieldByName("Rangfolge")->SetAsInteger(rang);
        row->Post();
    };
    schreiben(aZuerst ? a : b, 1);
    schreiben(aZuerst ? b : a, 2);
}

void TErgebDaten::DatenInClientDataSet()
{
    cds_Einzel = Datamod::DataModule1()->DynCLDS("SELECT ADGID AS Summe,*\r\nFROM ERGEBNIS\r\nWHERE Ident = 99", false);
    cds_Einzel->ClearIndexDefs();
    const QString felder = "Summe;StechErg;Zusatz;Serien;MessErg;Zehner";
    cds_Einzel->AddIndexDef("PRIMARY", felder, felder);
    cds_Einzel->SetIndexName("PRIMARY");

    auto q = abfrage("SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ergebnis > 0" + WettkampfListe("Ident", Wettkaempfe)
                     + " ORDER BY VereinNr,Disziplin,EKlasse,MitglNr");
    struct TSumme {
        double Ergebnis = 0, Finale = 0, StechErg = 0, MessErg = 0, Zusatz = 0, Disqualifikation = 0;
        QVector<int> Serien = QVector<int>(13, 0);
    };
    auto einfuegen = [&](Ado::TDataSet& von, const TSumme& s) {
        cds_Einzel->Append();
        for (const char* f : {"MitglNr", "Disziplin", "EKlasse", "VereinNr", "MVereinNr", "MDisziplin", "MKlasse",
                              "MannschNr", "Qual"})
            cds_Einzel->FieldByName(f)->SetValue(von.FieldByName(f)->Value());
        cds_Einzel->FieldByName("Ergebnis")->SetAsFloat(s.Ergebnis);
        cds_Einzel->FieldByName("Finale")->SetAsFloat(s.Finale);
        cds_Einzel->FieldByName("StechErg")->SetAsFloat(s.StechErg);
        cds_Einzel->FieldByName("MessErg")->SetAsFloat(s.MessErg);
        cds_Einzel->FieldByName("Zusatz")->SetAsFloat(s.Zusatz);
        cds_Einzel->FieldByName("Disqualifikation")->SetAsFloat(s.Disqualifikation);
        cds_Einzel->FieldByName("Serien")->SetAsString(SerienAusSlots(s.Serien));
        cds_Einzel->FieldByName("Summe")->SetAsFloat(s.Ergebnis + s.Finale / 10);
        cds_Einzel->FieldByName("Ident")->SetAsInteger(1);
        cds_Einzel->Post();
    };

    QString schluessel;
    TSumme summe;
    // The last row of a shooter supplies the columns that are not summed.
    bool offen = false;
    for (q->First(); !q->Eof(); q->Next()) {
        const QString k = q->FieldByName("VereinNr")->AsString() + "|" + q->FieldByName("Disziplin")->AsString() + "|"
                          + q->FieldByName("EKlasse")->AsString() + "|" + q->FieldByName("MitglNr")->AsString();
        if (offen && k != schluessel) {
            q->Prior();
            einfuegen(*q, summe);
            q->Next();
            summe = TSumme();
        }
        schluessel = k;
        offen = true;
        summe.Ergebnis += q->FieldByName("Ergebnis")->AsFloat();
        summe.Finale += q->FieldByName("Finale")->AsFloat();
        summe.StechErg += q->FieldByName("StechErg")->AsFloat();
        summe.MessErg += q->FieldByName("MessErg")->AsFloat();
        summe.Zusatz += q->FieldByName("Zusatz")->AsFloat();
        summe.Disqualifikation += q->FieldByName("Disqualifikation")->AsFloat();
        const QVector<int> s = SerienSlots(q->FieldByName("Serien")->AsString());
        for (int i = 0; i < 13; ++i)
            summe.Serien[i] += s[i];
    }
    if (offen) {
        q->Last();
        einfuegen(*q, summe);
    }
}

} // namespace ErgebRangfolge
