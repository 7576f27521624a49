#include "reports1/preparation/VorbStarterkl.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QSet>

using Report::pjLeft;
using Report::TBaseReport;
using Reportutil::SpaltenSetzen;
using VorbListen::Zeile;

namespace VorbStarterkl {

namespace {

using Qvutil::CRLF;

const QStringList kAnfang = {
    "bei den unten aufgeführten Wettbewerben, haben Sie keine Starterklärung, nach SPO 0.7.4 und 0.7.4.4,",
};
const QStringList kDisqualifikation = {
    "für die betroffenen Vereine abgegeben. Somit haben Sie für diese Wettbewerbe keine Startberechtigung",
    "und werden für die unten aufgeführten Wettbewerbe disqualifiziert.",
};
const QStringList kMahnung = {
    "für die betroffenen Vereine abgegeben. Somit haben Sie für diese Wettbewerbe keine Startberechtigung.",
    "Sie erhalten jedoch die Starterlaubnis, für die unten aufgeführten Wettbewerbe, bis zur vollständigen",
    "Klärung ihrer Startberechtigungen.",
    "Sollte für die unten aufgeführten Wettbewertbe keine gültige Startberechtigung vorliegen, wird keine",
    "Weitermeldung an die nächst höhere Verbandsebene erfolgen.",
};
const QStringList kSchluss = {
    "Gegen diese Entscheidung können Sie innerhalb, der für IhreVerbandsebene festgelegten Einspruchsfrist,",
    "Einspruch einlegen.",
    "Ein Kampfgericht tritt erst zusammen, wenn die für Ihre Verbandsebene festgelegte Einspruchsgebühr",
    "auf dem Konto der Verbandsebene, hinterlegt ist.",
    "Sollte Ihnen vom Kampfgricht ein positiver Bescheid zugestellt werden, dann wird Ihnen die",
    "Einspruchsgebühr wieder erstattet.",
    "Eventuell entstehende Fahrtkosten des Kampfgerichts und/oder Zeugen müssen Sie tragen.",
};

} // namespace

QString StartsSQL()
{
    return QStringList{
        "SELECT M.MitglNr,M.Name,M.Vorname,M.Titel,M.Geschlecht,M.Strasse,",
        "       M.PLZ,M.Ort,M.Strasse,",
        "       E.Disziplin,V.VereinNr,V.Name As VerName,V.Abkuerzung,",
        "       P.NAME AS DisName",
        "FROM EMITGLIED M, ERGEBNIS E, EVEREIN V, PDISZIPLIN P",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Disziplin = P.Disziplin",
        "  AND E.Ident = P.Ident",
        "  AND E.Ident = :Ident",
        "  AND E.Teilmeisterschaft = :Teilm",
        "ORDER BY M.Name,M.Vorname,M.MitglNr,E.Disziplin,E.VereinNr",
    }.join(CRLF);
}

QVector<TMitglied> Unerklaerte(Ado::TDataSet& Q1)
{
    // The declarations of the members who start, read once: "member|club|discipline".
    QSet<QString> erklaert;
    auto d = Datamod::DataModule1()->DynQuery(
        QStringList{"SELECT D.MitglNr,D.VereinNr,D.Disziplin", "FROM EDISZIPLIN D, EVEREIN V",
                    "WHERE D.VereinNr = V.VereinNr", "  AND D.MitglNr IN (SELECT MitglNr FROM ERGEBNIS WHERE Ident = "
                        + QString::number(Datamod::iIdent) + ")"}
            .join(CRLF),
        Ado::clUseServer, Ado::ltReadOnly);
    for (d->First(); !d->Eof(); d->Next())
        erklaert.insert(d->FieldByName("MitglNr")->AsString() + "|" + d->FieldByName("VereinNr")->AsString() + "|"
                        + d->FieldByName("Disziplin")->AsString());

    const auto f = [&](const char* name) { return Q1.FieldByName(name)->AsString(); };
    QVector<TMitglied> out;
    QString mitglied;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        const QString nr = f("MitglNr");
        if (erklaert.contains(nr + "|" + f("VereinNr") + "|" + f("Disziplin")))
            continue;
        if (out.isEmpty() || nr != mitglied)
            out.append({nr, f("Name"), f("Vorname"), f("Titel"), f("Geschlecht"), f("Strasse"), f("PLZ"), f("Ort"), {}});
        mitglied = nr;
        out.last().Starts.append({f("Disziplin"), f("DisName"), f("VereinNr"), f("Abkuerzung"), f("VerName")});
    }
    return out;
}

void ListePrint(TBaseReport& Report, const QVector<TMitglied>& Mitglieder)
{
    const VorbListen::TSchattierung schatten = VorbListen::TSchattierung::AusEinstellungen();
    VorbListen::ListenKopf(Report, "Starts ohne Starterklärung", false, 1);
    const QVector<Reportutil::TSpalte> spalten = {{5.0, pjLeft}, {2.2, pjLeft}, {5.0, pjLeft}, {5.3, pjLeft}};
    const auto spaltenkopf = [&] {
        Report.SetTabShade(0);
        Report.SetFont("Arial", 10);
        Report.SetBold(true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"Name", "Mitgl.-Nr.", "Wettbewerb", "Verein"});
        Report.SetBold(false);
    };
    spaltenkopf();
    for (const TMitglied& m : Mitglieder) {
        if (VorbListen::Seitenwechsel(Report, 1 + std::min<int>(int(m.Starts.size()), 3)))
            spaltenkopf();
        // One band per member; the name on the first of its starts.
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        bool erste = true;
        for (const TStart& s : m.Starts) {
            if (!erste && VorbListen::Seitenwechsel(Report, 2)) {
                const int band = Report.GetTabShade();
                spaltenkopf();
                Report.SetTabShade(band);
            }
            Zeile(Report, {erste ? VorbListen::NameTitelVorname(m.Name, m.Titel, m.Vorname) : QString(),
                           erste ? m.MitglNr : QString(), VorbListen::Gepunktet(s.Disziplin) + " " + s.DisName,
                           s.VereinNr + " " + (s.Abkuerzung + " " + s.VerName).trimmed()});
            erste = false;
        }
    }
}

int RegelNummer()
{
    auto q = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM EREGEL\r\nWHERE Regel = " + Ado::QuotedStr("0.7.4")
                                                  + "   OR Regel = " + Ado::QuotedStr("0.7.4.4"),
                                              Ado::clUseServer, Ado::ltReadOnly);
    if (!q->IsEmpty()) {
        q->First();
        return q->FieldByName("Nummer")->AsInteger();
    }
    auto h = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM EREGEL\r\nORDER BY Nummer DESC", Ado::clUseServer,
                                              Ado::ltReadOnly);
    int nummer = 1;
    if (!h->IsEmpty()) {
        h->First();
        nummer = h->FieldByName("Nummer")->AsInteger() + 1;
    }
    Datamod::DataModule1()->DynSQL(
        QString("INSERT INTO EREGEL (Nummer,Regel)\r\nValues (%1,%2)").arg(nummer).arg(Ado::QuotedStr("0.7.4")));
    return nummer;
}

void BriefePrint(TBaseReport& Report, const QVector<TMitglied>& Mitglieder, bool Disqualifikation)
{
    // The letter's text in one size that fits the section.
    QStringList text = kAnfang + (Disqualifikation ? kDisqualifikation : kMahnung) + kSchluss;
    Report.SetFont("Arial", 10);
    double groesse = 10;
    for (const QString& z : text)
        groesse = std::min(groesse, Reportutil::FontSizeToFit(Report, z, Report.SectionRight() - Report.SectionLeft()));

    const QString ort = Qvsettings::GetString("Absender", "Ort");
    const int breite = Qvsettings::GetInteger("Speziell", "BitmapLL");
    const int hoehe = Qvsettings::GetInteger("Speziell", "BitmapLH");
    // The marks go in with the letters: all of them, or none when the
    // print fails (and one commit instead of one per start).
    Ado::TTransaction markieren(*Datamod::DataModule1()->Connection());
    int regel = -1;
    bool ersterBrief = true;
    int i = 0;
    for (const TMitglied& m : Mitglieder) {
        Druckjob::Progress(i++);
        if (!ersterBrief)
            Report.NewPage();
        ersterBrief = false;
        const bool herr = m.Geschlecht == "M";

        // Sender line above the address field, fold mark, address.
        Reportutil::BriefkopfDrucken(Report, 5.0);
        Reportutil::Faltmarker(Report);
        Report.SetFont("Arial", 11);
        Report.SetBold(false);
        for (const QString& z : {QString(herr ? "Herr " : "Frau ") + (m.Titel.trimmed().isEmpty() ? QString() : m.Titel.trimmed() + " ")
                                     + m.Vorname + " " + m.Name,
                                 m.Strasse, (m.PLZ + " " + m.Ort).trimmed()}) {
            Report.PrintLeft(z, Report.SectionLeft());
            Report.NewLine();
        }
        Report.SetYPos(10.8);
        Report.SetFont("Arial", 10);
        Report.PrintRight((ort.isEmpty() ? QString() : ort + ", ") + Qvclock::DatumText(Qvclock::Now().date()),
                          Report.SectionRight());
        Report.NewLine();
        Report.NewLine();
        Report.PrintLeft((herr ? "Sehr geehrter Herr " : "Sehr geehrte Frau ") + m.Name + ",", Report.SectionLeft());
        Report.NewLine();
        Report.NewLine();
        Report.SetFontSize(groesse);
        for (const QString& z : text) {
            Report.PrintLeft(z, Report.SectionLeft());
            Report.NewLine();
        }
        Report.NewLine();
        Report.SetFont("Arial", 11);
        Report.SetBold(true);
        Report.PrintLeft("Wettbewerbe", Report.SectionLeft());
        Report.NewLine();
        Report.SetFont("Arial", 10);
        Report.SetBold(false);
        SpaltenSetzen(Report, {{1.0, pjLeft}, {6.0, pjLeft}, {10.5, pjLeft}});
        for (const TStart& s : m.Starts) {
            if (VorbListen::Seitenwechsel(Report, 2))
                SpaltenSetzen(Report, {{1.0, pjLeft}, {6.0, pjLeft}, {10.5, pjLeft}});
            Zeile(Report, {s.Disziplin, s.DisName, s.VereinNr + " " + (s.Abkuerzung + " " + s.VerName).trimmed()});
            // The start is marked at once.
            const QString wo = CRLF + "WHERE Ident = " + QString::number(Datamod::iIdent) + CRLF + "  AND MitglNr = "
                               + Ado::QuotedStr(m.MitglNr) + CRLF + "  AND Disziplin = " + Ado::QuotedStr(s.Disziplin)
                               + CRLF + "  AND VereinNr = " + Ado::QuotedStr(s.VereinNr);
            if (Disqualifikation) {
                if (regel < 0)
                    regel = RegelNummer();
                Datamod::DataModule1()->DynSQL("UPDATE ERGEBNIS SET Disqualifikation = " + QString::number(regel) + wo);
            } else {
                Datamod::DataModule1()->DynSQL("UPDATE ERGEBNIS SET Abmeldung = " + Ado::QuotedStr("A") + wo);
            }
        }
        // Greeting, signature picture and the sports director's name.
        VorbListen::Seitenwechsel(Report, 7);
        Report.NewLine();
        Report.NewLine();
        Report.PrintLeft("Mit freundlichen Grüßen", Report.SectionLeft());
        Report.NewLine();
        const double bild = Report.GetYPos();
        if (breite > 0 && hoehe > 0)
            Schtools::PrintBmp(Report, "URECHTS.BMP", breite / 100.0, hoehe / 100.0, Report.SectionLeft(), bild);
        Report.SetYPos(bild + std::max(1.5, hoehe / 100.0) + Report.LineHeight());
        Report.PrintLeft(Qvsettings::GetString("Global", "Sportl"), Report.SectionLeft());
        Report.NewLine();
    }
    markieren.Commit();
}

} // namespace VorbStarterkl
