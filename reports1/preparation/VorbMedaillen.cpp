#include "reports1/preparation/VorbMedaillen.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/HostUi.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rpfiler.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QMap>
#include <QVector>
#include <cmath>
#include <memory>

using Qvutil::CRLF;
using Report::TBaseReport;

namespace VorbMedaillen {

TMedaillen Einzel(int Eintraege, int Plaetze, int Minimum)
{
    TMedaillen m;
    if (Minimum > 0 && Eintraege < Minimum)
        return m;
    // Only the places somebody can take, up to the places with medals.
    m.Gold = Eintraege >= 1 && Plaetze >= 1;
    m.Silber = Eintraege >= 2 && Plaetze >= 2;
    m.Bronze = Eintraege >= 3 && Plaetze >= 3;
    return m;
}

TMedaillen Mannschaft(int Eintraege, int Groesse, int Plaetze, int Minimum)
{
    if (Groesse < 1 || Plaetze < 1)
        return {};
    // Whole teams, halves rounded to the even number.
    const int teams = int(std::nearbyint(double(Eintraege) / Groesse));
    TMedaillen m = Einzel(teams, Plaetze, Minimum);
    m.Gold *= Groesse;
    m.Silber *= Groesse;
    m.Bronze *= Groesse;
    return m;
}

namespace {

QString anlageUndTage(const TAuswahl& A)
{
    if (A.Art != 2)
        return {};
    QString s;
    if (A.Anlage != 0)
        s += "  AND Anlage = " + QString::number(A.Anlage) + CRLF;
    if (A.Tage.size() >= 2)
        s += "  AND (WKTag = " + QString::number(A.Tage[0]) + "   OR  WKTag = " + QString::number(A.Tage[1]) + ")" + CRLF;
    else if (A.Tage.size() == 1)
        s += "  AND WKTag = " + QString::number(A.Tage[0]) + CRLF;
    return s;
}

std::unique_ptr<Ado::TADOQuery> oeffnen(const QString& sql, const QString& teilm)
{
    auto q = Datamod::DataModule1()->DynQuery(sql, Ado::clUseServer, Ado::ltReadOnly);
    if (q->FindParam("Ident"))
        q->ParamByName("Ident")->SetValue(Datamod::iIdent);
    if (q->FindParam("Teilmeister"))
        q->ParamByName("Teilmeister")->SetValue(teilm);
    q->Open();
    return q;
}

int teamGroesse(const QString& disziplin, const QString& klasse)
{
    auto q = Datamod::DataModule1()->DynQuery("SELECT AnzWertung\r\nFROM PDISKLA\r\nWHERE Ident = "
                                                  + QString::number(Datamod::iIdent) + "  AND Disziplin = "
                                                  + Ado::QuotedStr(disziplin) + "  AND Klasse = " + Ado::QuotedStr(klasse),
                                              Ado::clUseServer, Ado::ltReadOnly);
    return q->Eof() ? 0 : q->FieldByName("AnzWertung")->AsInteger();
}

bool klasseZaehlt(const TAuswahl& A, const QString& klasse) { return A.Klassen.isEmpty() || A.Klassen.contains(klasse); }

// The general and per-range counts: per range (0 = all ranges together).
struct TBlock {
    TMedaillen Einzel, Mannschaft;
};

void block(TBaseReport& Report, const QString& art, const TMedaillen& m)
{
    Reportutil::Zeile(Report, {art, "Gold", QString::number(m.Gold)});
    Reportutil::Zeile(Report, {"", "Silber", QString::number(m.Silber)});
    Reportutil::Zeile(Report, {"", "Bronze", QString::number(m.Bronze)});
}

void kopf(TBaseReport& Report)
{
    const double mitte = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 12);
    Report.SetBold(true);
    Report.PrintCenter("VORAUSSICHTLICHER MEDAILLENBEDARF", mitte);
    Report.NewLine();
    Report.SetBold(false);
    QString zeile = Qvsettings::GetString("Global", "Ueberschr") + " "
                    + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    if (const QString t = Qvsettings::GetString("Speziell", "Teilmeisterschaft"); !t.isEmpty())
        zeile += " – Teilmeisterschaft " + t;
    Report.PrintCenter(zeile, mitte);
    Report.NewLine();
    Report.NewLine();
    Report.SetFont("Arial", 10);
}

void gesamt(TBaseReport& Report, const TMedaillen& e, const TMedaillen& m)
{
    VorbListen::Seitenwechsel(Report, 6);
    Report.NewLine();
    Report.SetBold(true);
    Reportutil::SpaltenSetzen(Report, {{17.0, Report::pjLeft}});
    Reportutil::Zeile(Report, {"Medaillenbedarf Gesamt"});
    Report.SetBold(false);
    Reportutil::SpaltenSetzen(Report, {{3.0, Report::pjLeft}, {1.5, Report::pjLeft}, {2.0, Report::pjRight}});
    TMedaillen s = e;
    s += m;
    block(Report, "Gesamt", s);
}

// One part of the printed forecast: an optional bold heading (a club, a
// range) and its individual and team medals.
struct TAbschnitt {
    QStringList Kopf;
    QVector<Reportutil::TSpalte> KopfSpalten, Spalten;
    TMedaillen Einzel, Mannschaft;
};

void liste(TBaseReport& Report, const QVector<TAbschnitt>& abschnitte)
{
    kopf(Report);
    TMedaillen e, m;
    for (const TAbschnitt& a : abschnitte) {
        VorbListen::Seitenwechsel(Report, 9);
        if (!a.Kopf.isEmpty()) {
            Report.SetBold(true);
            Reportutil::SpaltenSetzen(Report, a.KopfSpalten);
            Reportutil::Zeile(Report, a.Kopf);
            Report.SetBold(false);
        }
        Reportutil::SpaltenSetzen(Report, a.Spalten);
        block(Report, "Einzel", a.Einzel);
        block(Report, "Mannschaft", a.Mannschaft);
        Report.NewLine();
        e += a.Einzel;
        m += a.Mannschaft;
    }
    gesamt(Report, e, m);
}

// Per club: the ranked results so far, the first places of each class to
// their clubs.
struct TVerein {
    QString Abkuerzung, Name;
    TMedaillen Einzel, Mannschaft;
};

void vereineZaehlen(const TAuswahl& A, const QString& teilm, QMap<QString, TVerein>& vereine)
{
    const QString id = QString::number(Datamod::iIdent);
    auto e = oeffnen(QStringList{"SELECT E.Disziplin,E.EKlasse,(E.Ergebnis + (E.Finale / 10)) as Gesamt,",
                                 "       E.VereinNr,E.Zusatz,E.MessErg,E.StechErg,E.Serien,E.Zehner,E.MVereinNr,",
                                 "       V.Name AS VerName,V.Abkuerzung",
                                 "FROM ERGEBNIS E, EVEREIN V",
                                 "WHERE E.VereinNr = V.VereinNr",
                                 "  AND E.Ergebnis > 0",
                                 "  AND E.Ident = :Ident",
                                 "  AND E.Teilmeisterschaft = :Teilmeister",
                                 "ORDER BY E.Disziplin,E.EKlasse,(E.Ergebnis + (E.Finale / 10)) DESC,",
                                 "         E.StechErg DESC,E.Zusatz DESC,E.Serien DESC,E.MessErg DESC,E.Zehner DESC"}
                         .join(CRLF),
                     teilm);
    QString gruppe;
    int platz = 0, eintraege = 0;
    for (e->First(); !e->Eof(); e->Next()) {
        const QString d = e->FieldByName("Disziplin")->AsString(), k = e->FieldByName("EKlasse")->AsString();
        if (d + QChar(0) + k != gruppe) {
            gruppe = d + QChar(0) + k;
            platz = 0;
            auto n = oeffnen("SELECT Disziplin,EKlasse,Count(*) AS Summe\r\nFROM ERGEBNIS\r\nWHERE Anlage > 0\r\n  AND Ident = "
                                 + id + "  AND Teilmeisterschaft = " + Ado::QuotedStr(teilm) + "  AND Disziplin = "
                                 + Ado::QuotedStr(d) + "  AND EKlasse = " + Ado::QuotedStr(k) + CRLF
                                 + "GROUP BY Disziplin,EKlasse" + CRLF + "ORDER BY Disziplin,EKlasse",
                             teilm);
            eintraege = n->Eof() ? 0 : n->FieldByName("Summe")->AsInteger();
        }
        ++platz;
        if (!klasseZaehlt(A, k) || platz > A.Einzel || (A.MEinzel > 0 && eintraege < A.MEinzel))
            continue;
        TVerein& v = vereine[e->FieldByName("VereinNr")->AsString()];
        v.Abkuerzung = e->FieldByName("Abkuerzung")->AsString();
        v.Name = e->FieldByName("VerName")->AsString();
        (platz == 1 ? v.Einzel.Gold : platz == 2 ? v.Einzel.Silber : v.Einzel.Bronze) += 1;
    }

    if (A.Mannschaft < 1)
        return;
    auto m = oeffnen(QStringList{"SELECT M.Disziplin,M.MKlasse,M.Ergebnis,M.VereinNr,DK.AnzWertung,",
                                 "       M.Serie1,M.Serie2,M.Serie3,V.Name AS VerName,V.Abkuerzung",
                                 "FROM EMANNSCH M, EVEREIN V, PDISKLA DK",
                                 "WHERE M.VereinNr = V.VereinNr",
                                 "  AND M.Disziplin = DK.Disziplin",
                                 "  AND M.MKlasse = DK.Klasse",
                                 "  AND M.Ident = DK.Ident",
                                 "  AND M.AnzMannsch = M.AnzMannschIst",
                                 "  AND M.Ergebnis > 0",
                                 "  AND M.Ident = :Ident",
                                 "ORDER BY M.Disziplin,M.MKlasse,M.Ergebnis DESC,",
                                 "         M.Serie1 DESC,M.Serie2 DESC,M.Serie3 DESC"}
                         .join(CRLF),
                     teilm);
    gruppe.clear();
    int teams = 0;
    for (m->First(); !m->Eof(); m->Next()) {
        const QString d = m->FieldByName("Disziplin")->AsString(), k = m->FieldByName("MKlasse")->AsString();
        const int groesse = m->FieldByName("AnzWertung")->AsInteger();
        if (d + QChar(0) + k != gruppe) {
            gruppe = d + QChar(0) + k;
            platz = 0;
            auto n = oeffnen("SELECT Count(*) AS Summe\r\nFROM ERGEBNIS\r\nWHERE MDisziplin = " + Ado::QuotedStr(d)
                                 + "\r\n  AND MKlasse = " + Ado::QuotedStr(k) + "\r\n  AND Anlage > 0\r\n  AND Ident = " + id
                                 + "\r\n  AND Teilmeisterschaft = " + Ado::QuotedStr(teilm),
                             teilm);
            teams = groesse > 0 && !n->Eof() ? n->FieldByName("Summe")->AsInteger() / groesse : 0;
        }
        ++platz;
        if (!klasseZaehlt(A, k) || platz > A.Mannschaft || (A.MMannschaft > 0 && teams < A.MMannschaft))
            continue;
        TVerein& v = vereine[m->FieldByName("VereinNr")->AsString()];
        v.Abkuerzung = m->FieldByName("Abkuerzung")->AsString();
        v.Name = m->FieldByName("VerName")->AsString();
        (platz == 1 ? v.Mannschaft.Gold : platz == 2 ? v.Mannschaft.Silber : v.Mannschaft.Bronze) += 1;
    }
}

} // namespace

QString EinzelSQL(const TAuswahl& A)
{
    return "SELECT Disziplin,EKlasse,Anlage,Count(*) AS Summe\r\nFROM ERGEBNIS\r\nWHERE Anlage > 0\r\n  AND Ident = "
           ":Ident\r\n  AND Teilmeisterschaft = :Teilmeister\r\n"
           + anlageUndTage(A) + "GROUP BY Anlage,Disziplin,EKlasse" + "\r\n" + "ORDER BY Anlage,Disziplin,EKlasse";
}

QString MannschaftSQL(const TAuswahl& A)
{
    return "SELECT MDisziplin,MKlasse,Anlage,Count(*) AS Summe\r\nFROM ERGEBNIS\r\nWHERE MDisziplin <> ''\r\n  AND "
           "MKlasse <> ''\r\n  AND Anlage > 0\r\n  AND Ident = :Ident\r\n  AND Teilmeisterschaft = :Teilmeister\r\n"
           + anlageUndTage(A) + "GROUP BY Anlage,MDisziplin,MKlasse" + "\r\n" + "ORDER BY Anlage,MDisziplin,MKlasse";
}

bool Drucken(const TAuswahl& A, int& DruckjobID)
{
    const QString teilm = Qvsettings::GetString("Speziell", "Teilmeisterschaft");
    auto* dm = Datamod::DataModule1();
    std::unique_ptr<Report::TRvNDRWriter> w(Druckjob::Listenschreiber(nullptr, "rf_Medaillen", "Medaillenbedarf"));

    if (A.Art == 1) {
        QMap<QString, TVerein> vereine;
        Druckjob::Status("Erstellen Druck Medaillen pro Verein");
        vereineZaehlen(A, teilm, vereine);
        {
            Ado::TTransaction t(*dm->Connection());
            dm->DynSQL("DELETE FROM EMEDAILLE");
            for (auto it = vereine.cbegin(); it != vereine.cend(); ++it) {
                const TVerein& v = it.value();
                dm->DynSQL("INSERT INTO EMEDAILLE (VereinNr,Nummer,Abkuerzung,Name,Titel,EGold,ESilber,EBronze,MGold,"
                           "MSilber,MBronze) VALUES ("
                           + QStringList{Ado::QuotedStr(it.key()), QString::number(it.key().toInt()),
                                         Ado::QuotedStr(v.Abkuerzung), Ado::QuotedStr(v.Name), Ado::QuotedStr(""),
                                         QString::number(v.Einzel.Gold), QString::number(v.Einzel.Silber),
                                         QString::number(v.Einzel.Bronze), QString::number(v.Mannschaft.Gold),
                                         QString::number(v.Mannschaft.Silber), QString::number(v.Mannschaft.Bronze)}
                                 .join(',')
                           + ")");
            }
            t.Commit();
        }
        if (vereine.isEmpty()) {
            Druckjob::Ende();
            Pmsgdlg::qvMessageDlg("Es sind keine Datensätze vorhanden", Host::mtInformation, Host::mbOK);
            return false;
        }
        QVector<TAbschnitt> abschnitte;
        for (auto it = vereine.cbegin(); it != vereine.cend(); ++it)
            abschnitte.append({{it.key(), (it->Abkuerzung + " " + it->Name).trimmed()},
                               {{2.0, Report::pjLeft}, {15.0, Report::pjLeft}},
                               {{2.5, Report::pjLeft}, {4.0, Report::pjLeft}, {2.5, Report::pjRight}},
                               it->Einzel,
                               it->Mannschaft});
        w->OnPrint = [abschnitte](TBaseReport& Report) { liste(Report, abschnitte); };
        Druckjob::Vorschau(*w, DruckjobID);
        return true;
    }

    // General and per range: the entries per range, discipline and class.
    Druckjob::Status("Liste des voraussichtlichen Medaillenbedarfs erstellen");
    auto e = oeffnen(EinzelSQL(A), teilm);
    auto m = oeffnen(MannschaftSQL(A), teilm);
    if (e->Eof() && m->Eof()) {
        Druckjob::Ende();
        Pmsgdlg::qvMessageDlg("Es sind keine Datensätze vorhanden", Host::mtInformation, Host::mbOK);
        return false;
    }
    QMap<int, TBlock> bloecke; // range -> its medals (all in 0 for the general forecast)
    for (e->First(); !e->Eof(); e->Next())
        if (klasseZaehlt(A, e->FieldByName("EKlasse")->AsString()))
            bloecke[A.Art == 2 ? e->FieldByName("Anlage")->AsInteger() : 0].Einzel
                += Einzel(e->FieldByName("Summe")->AsInteger(), A.Einzel, A.MEinzel);
    for (m->First(); !m->Eof(); m->Next())
        if (klasseZaehlt(A, m->FieldByName("MKlasse")->AsString()))
            bloecke[A.Art == 2 ? m->FieldByName("Anlage")->AsInteger() : 0].Mannschaft
                += Mannschaft(m->FieldByName("Summe")->AsInteger(),
                              teamGroesse(m->FieldByName("MDisziplin")->AsString(), m->FieldByName("MKlasse")->AsString()),
                              A.Mannschaft, A.MMannschaft);
    QVector<TAbschnitt> abschnitte;
    for (auto it = bloecke.cbegin(); it != bloecke.cend(); ++it) {
        TAbschnitt a{{}, {{17.0, Report::pjLeft}},
                     {{3.0, Report::pjLeft}, {1.5, Report::pjLeft}, {2.0, Report::pjRight}},
                     it->Einzel,
                     it->Mannschaft};
        if (A.Art == 2) {
            auto q = dm->DynQuery("SELECT Anlage,Name\r\nFROM PANLAGE\r\nWHERE Ident = " + QString::number(Datamod::iIdent)
                                      + "  AND Anlage = " + QString::number(it.key()),
                                  Ado::clUseServer, Ado::ltReadOnly);
            a.Kopf << "Anlage " + (q->Eof() ? QString::number(it.key()) : q->FieldByName("Name")->AsString());
        }
        abschnitte << a;
    }
    w->OnPrint = [abschnitte](TBaseReport& Report) { liste(Report, abschnitte); };
    Druckjob::Vorschau(*w, DruckjobID);
    return true;
}

} // namespace VorbMedaillen
