#include "reports1/results/ErgebRekorde.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRangfolge.h"

#include <cmath>

using Report::TBaseReport;

namespace ErgebRekorde {

namespace {

using Qvutil::CRLF;
using Reportutil::Rest;
using Reportutil::TSpalte;
using Reportutil::Zeile;
constexpr auto L = Report::pjLeft;
constexpr auto R_ = Report::pjRight;

using Reportutil::Feld;

std::unique_ptr<Ado::TADOQuery> abfrage(const QString& sql)
{
    return Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
}

} // namespace

// --- Record marks ---------------------------------------------------------------

void TRekordSuche::EinzelRekordFeststellen(int Ident, int Sportjahr, const QString& MitglNr, const QString& Klasse,
                                           const QString& Disziplin, QString& Markierung)
{
    feststellen(false, Ident, Sportjahr, MitglNr, QString(), Klasse, Disziplin, Markierung);
}

void TRekordSuche::MannschaftsRekordFeststellen(int Ident, int Sportjahr, const QString& VereinNr,
                                                const QString& MannschNr, const QString& Klasse,
                                                const QString& Disziplin, QString& Markierung)
{
    feststellen(true, Ident, Sportjahr, VereinNr, MannschNr, Klasse, Disziplin, Markierung);
}

void TRekordSuche::feststellen(bool Mannschaft, int Ident, int Sportjahr, const QString& Inhaber,
                               const QString& MannschNr, const QString& Klasse, const QString& Disziplin,
                               QString& Markierung)
{
    const QString tabelle = Mannschaft ? QStringLiteral("EREKORDM") : QStringLiteral("EREKORDE");
    const QString schluessel = tabelle + '|' + QString::number(Ident) + '|' + Disziplin + '|' + Klasse;
    auto it = gruppen_.find(schluessel);
    if (it == gruppen_.end()) {
        QVector<TRekord> rekorde;
        auto q = abfrage("SELECT *\r\nFROM " + tabelle + "\r\nWHERE Ident = " + QString::number(Ident) + CRLF
                         + "  AND Disziplin = " + Ado::QuotedStr(Disziplin) + CRLF
                         + "  AND Klasse = " + Ado::QuotedStr(Klasse));
        for (q->First(); !q->Eof(); q->Next())
            rekorde.append({Feld(*q, "Disziplin"), Feld(*q, "Klasse"), Feld(*q, Mannschaft ? "VereinNr" : "MitglNr"),
                            Mannschaft ? Feld(*q, "MannschNr") : QString(), q->FieldByName("Jahr")->AsInteger(),
                            q->FieldByName("Nummer")->AsInteger(), q->FieldByName("Ergebnis")->AsFloat()});
        it = gruppen_.insert(schluessel, rekorde);
    }
    for (const TRekord& r : *it) {
        if (r.Disziplin != Disziplin || r.Klasse != Klasse)
            break;
        if (r.Jahr != Sportjahr || r.Inhaber != Inhaber || (Mannschaft && r.MannschNr != MannschNr))
            continue;
        if (r.Nummer == 1)
            Markierung = "NR";
        else if (r.Nummer > 1)
            Markierung = "RE";
        else
            continue;
        ergebnis_ = int(std::lround(r.Ergebnis));
        break;
    }
}

// --- The record list ----------------------------------------------------------------

TRekordSQL RekordSQL(bool Komplett)
{
    TRekordSQL s;
    s.Komplett = Komplett;
    s.Einzel = "SELECT R.Disziplin,R.Klasse,R.DisziplinName,R.KlasseKurz,\r\n"
               "       R.Abkuerzung,R.Name as VerName,R.Veranst,R.Jahr,R.KlasseName,\r\n"
               "       R.Ergebnis,R.Finale,M.Name,M.Vorname,M.Titel\r\n"
               "FROM EREKORDE R, MITARB M\r\n"
               "WHERE R.MitglNr = M.MitglNr\r\n"
               "  AND R.Ident = M.Ident\r\n"
               "  AND R.Ident = :Ident\r\n"
               "  AND R.Disziplin = :Disziplin\r\n";
    s.Mannschaft = "SELECT Disziplin,Klasse,MannschNr,DisziplinName,KlasseName,\r\n"
                   "       Abkuerzung,Name,Ergebnis,Jahr,Veranst\r\n"
                   "FROM EREKORDM\r\n"
                   "WHERE Ident = :Ident\r\n"
                   "  AND Disziplin = :Disziplin\r\n";
    if (Komplett) {
        s.Einzel += "ORDER BY R.Disziplin,R.Klasse,R.Jahr";
        s.Mannschaft += "ORDER BY Disziplin,Klasse,Jahr";
    } else {
        s.Einzel += "  AND Jahr = :Jahr" + CRLF + " ORDER BY R.Disziplin,R.Klasse,R.Jahr";
        s.Mannschaft += "  AND Jahr = :Jahr" + CRLF + " ORDER BY Disziplin,Klasse,Jahr";
    }
    return s;
}

TRekordSQL SortierungFestlegen()
{
    const int antwort = Pmsgdlg::qvMessageDlg("Möchten Sie die kompletten Rekorde ausgeben?", Host::mtConfirmation,
                                              Host::mbYesNo, 1);
    return RekordSQL(antwort == Host::mrYes);
}

namespace {

// One of the two record queries opened for a discipline.
std::unique_ptr<Ado::TADOQuery> rekorde(const QString& sql, int Ident, const QString& Disziplin, bool Komplett)
{
    auto q = abfrage(sql);
    q->ParamByName("Ident")->SetValue(Ident);
    q->ParamByName("Disziplin")->SetValue(Disziplin);
    if (!Komplett)
        q->ParamByName("Jahr")->SetValue(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    q->Open();
    return q;
}

QStringList disziplinenMitRekorden(const QString& tabelle, int Ident)
{
    QStringList l;
    auto q = abfrage("SELECT DISTINCT Disziplin\r\nFROM " + tabelle + "\r\nWHERE Ident = " + QString::number(Ident)
                     + CRLF + "ORDER BY Disziplin");
    for (q->First(); !q->Eof(); q->Next())
        l << Feld(*q, "Disziplin");
    return l;
}

} // namespace

QStringList RekordDisziplinen(int Ident, const TRekordSQL& Sql)
{
    const QStringList mitRekorden = disziplinenMitRekorden("EREKORDE", Ident) + disziplinenMitRekorden("EREKORDM", Ident);
    auto markiert = abfrage("SELECT DISTINCT Disziplin,Ident\r\nFROM PDISKLA\r\nWHERE ErgebEing = \"X\"\r\n"
                            "  AND Ident = :Ident\r\nORDER BY Disziplin");
    markiert->ParamByName("Ident")->SetValue(Ident);
    markiert->Open();
    QStringList l;
    for (markiert->First(); !markiert->Eof(); markiert->Next()) {
        const QString d = Feld(*markiert, "Disziplin");
        if (!mitRekorden.contains(d))
            continue;
        if (!rekorde(Sql.Mannschaft, Ident, d, Sql.Komplett)->IsEmpty() || !rekorde(Sql.Einzel, Ident, d, Sql.Komplett)->IsEmpty())
            l << d;
    }
    return l;
}

QString RekordTextDatei() { return Qvpaths::DataFolder() + "/REKORD.DAT"; }

void Zentriert(TBaseReport& R, const QString& Text, double Mitte, double Breite)
{
    const double groesse = R.GetFontSize();
    R.SetFontSize(Reportutil::FontSizeToFit(R, Text, Breite));
    R.PrintCenter(Text, Mitte);
    R.SetFontSize(groesse);
}

namespace {

class TListe {
public:
    TListe(TBaseReport& r, bool rtf, int ident, const TRekordSQL& sql)
        : R(r), RTF(rtf), Ident(ident), Sql(sql) {}

    void Kopf(const QStringList& FreierText);
    void Disziplin(const QString& disziplin);

private:
    // A new page when the block of zeilen lines no longer fits (and would
    // fit on an empty page), or when not even one more line fits.
    void platzFuer(int zeilen);
    void blockKopf(const QString& disziplin, bool mannschaft, const QString& name);
    void block(Ado::TDataSet& q, const Datamod::TDisziplinInfo& info, bool mannschaft);
    void zeile(QStringList felder, int verein);

    TBaseReport& R;
    bool RTF;
    int Ident;
    TRekordSQL Sql;
};

void TListe::platzFuer(int zeilen)
{
    // An RTF file is paged by the word processor.
    if (RTF)
        return;
    const double seite = (R.SectionBottom() - R.SectionTop()) / R.LineHeight() - 2;
    if (R.LinesLeft() < 1 || (R.LinesLeft() < zeilen && zeilen <= seite)) {
        R.NewPage();
        R.NewLine();
    }
}

void TListe::Kopf(const QStringList& FreierText)
{
    const double links = R.SectionLeft(), breite = R.SectionRight() - R.SectionLeft(), mitte = links + breite / 2;
    R.SetFont("Arial", 12);
    R.SetBold(false);
    const QString jahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const QStringList zeilen = {
        Qvsettings::GetString("Global", "Ueberschr"),
        (Qvsettings::GetString("Global", "Veranst1").trimmed() + "   " + Qvsettings::GetString("Global", "Veranst2").trimmed())
            .trimmed(),
        "Anerkennung von Rekorden des Sportjahres " + jahr};
    for (const QString& z : zeilen) {
        if (z.trimmed().isEmpty())
            continue;
        Zentriert(R, Reportutil::Druckbar(z), mitte, breite);
        R.NewLine();
    }
    R.NewLine();
    // The free text of "REKORD.DAT", each line wrapped within the section.
    QStringList text = FreierText;
    while (!text.isEmpty() && text.last().trimmed().isEmpty())
        text.removeLast();
    if (text.isEmpty())
        return;
    R.SetFont("Arial", 10);
    Report::TMemoBuf memo;
    memo.SetText(text.join("\r\n"));
    memo.SetPrintStart(links);
    memo.SetPrintEnd(R.SectionRight());
    while (!memo.Empty()) {
        platzFuer(1);
        R.PrintMemo(memo, 1);
    }
    R.NewLine();
}

void TListe::blockKopf(const QString& disziplin, bool mannschaft, const QString& name)
{
    Reportutil::SpaltenSetzen(R, {{1.5, L}, {Rest, L}});
    R.SetFont("Arial", 11);
    R.SetBold(true);
    QString kennziffer;
    const QString kennzahl = Reportutil::KennzZahlHolen(Ident, mannschaft ? "M" : "E", "V", disziplin, QString(),
                                                        kennziffer, true);
    Zeile(R, {kennzahl, name + (mannschaft ? "   Mannschaft" : "   Einzel")});
    R.SetBold(false);
}

void TListe::Disziplin(const QString& disziplin)
{
    const Datamod::TDisziplinInfo info = Datamod::DisziplinInfo(disziplin, Ident);
    Druckjob::Status("Erstellen der Rekordliste " + info.Name);
    for (bool mannschaft : {true, false}) {
        auto q = rekorde(mannschaft ? Sql.Mannschaft : Sql.Einzel, Ident, disziplin, Sql.Komplett);
        if (!q->IsEmpty())
            block(*q, info, mannschaft);
    }
}

// A row whose club name wraps within its column: the further lines carry
// the club alone, and the row goes to the next page whole.
void TListe::zeile(QStringList felder, int verein)
{
    R.SetFont("Arial", 10);
    const Report::TTab* t = R.GetTab(verein + 1);
    const double innen = R.XI2U(t->Margin);
    QStringList zeilen = Reportutil::TextAufteilen(R, felder[verein], t->Pos + innen, t->Pos + t->Width - innen);
    if (zeilen.isEmpty())
        zeilen << QString();
    platzFuer(int(zeilen.size()));
    felder[verein] = zeilen.first();
    Zeile(R, felder);
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        QStringList weiter;
        for (int k = 0; k < verein; ++k)
            weiter << QString();
        Zeile(R, weiter << zeilen[i]);
    }
}

// A block: its heading, then a row for each record. It goes to the next
// page whole when it fits on one.
void TListe::block(Ado::TDataSet& q, const Datamod::TDisziplinInfo& info, bool mannschaft)
{
    R.SetFont("Arial", 11);
    platzFuer(3 + q.RecordCount());
    q.First();
    blockKopf(info.Disziplin, mannschaft, Feld(q, "DisziplinName"));
    for (; !q.Eof(); q.Next()) {
        R.SetFont("Arial", 10);
        const double ergebnis = q.FieldByName("Ergebnis")->AsFloat();
        if (mannschaft) {
            // Class, class name, abbreviation, club, event, year and result: 17.5 cm.
            Reportutil::SpaltenSetzen(R, {{0.7, L}, {4.6, L}, {1.3, L}, {5.6, L}, {2.2, L}, {1.0, L}, {Rest, R_}});
            zeile({Feld(q, "Klasse"), Feld(q, "KlasseName"), Feld(q, "Abkuerzung"),
                   ErgebRangfolge::MannschaftName(Feld(q, "Name"), Feld(q, "MannschNr")), Feld(q, "Veranst"),
                   Feld(q, "Jahr"), Datamod::ErgebnisStr2(ergebnis, info)},
                  3);
            continue;
        }
        // Class, short name, holder, abbreviation, club, event, year, final,
        // the result as a number and as the host prints it: 17.5 cm.
        Reportutil::SpaltenSetzen(R, {{0.7, L}, {1.5, L}, {3.8, L}, {1.3, L}, {4.3, L}, {1.8, L}, {1.0, L},
                                      {1.0, R_}, {1.0, R_}, {Rest, R_}});
        const QString zahl = info.Zehntelwertung ? Schtools::Format31(ergebnis)
                                                 : QString::number(qint64(std::llround(ergebnis)));
        const QString vorname = (Feld(q, "Titel").trimmed() + " " + Feld(q, "Vorname").trimmed()).trimmed();
        zeile({Feld(q, "Klasse"), Feld(q, "KlasseKurz"), Feld(q, "Name").trimmed() + ", " + vorname,
               Feld(q, "Abkuerzung"), Feld(q, "VerName"), Feld(q, "Veranst"), Feld(q, "Jahr"),
               Schtools::Format31(q.FieldByName("Finale")->AsFloat() / 10), zahl, Datamod::ErgebnisStr2(ergebnis, info)},
              4);
    }
    R.NewLine();
}

} // namespace

void RekordListe(TBaseReport& Report, bool RTF, int Ident, const TRekordSQL& Sql, const QStringList& Disziplinen,
                 const QStringList& FreierText)
{
    Druckjob::Status("Erstellen der Rekordliste");
    Druckjob::ProgressStart(int(Disziplinen.size()));
    TListe liste(Report, RTF, Ident, Sql);
    liste.Kopf(FreierText);
    int i = 0;
    for (const QString& d : Disziplinen) {
        liste.Disziplin(d);
        Druckjob::Progress(++i);
    }
    Druckjob::Ende();
}

} // namespace ErgebRekorde
