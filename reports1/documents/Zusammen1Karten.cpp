// Start cards, one card per member and club with every start of the
// championship, in four layouts (one, two or three per A4 page, four on a
// label sheet), each club's cards after a club cover; and the score sheets,
// one landscape page per start. Printing a card stamps its starts with the
// print time, all stamps of one print in one transaction.

#include "reports1/documents/Zusammen1.h"

#include "reports1/documents/DokumentDruck.h"
#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rplabel.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QDir>
#include <QFileInfo>

using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using namespace DokumentDruck;
using Reportutil::SpaltenSetzen;
using Reportutil::Zeile;

namespace {

// Text centred in the section, in a smaller font where it would not fit.
void mittig(TBaseReport& r, const QString& text)
{
    const double groesse = r.GetFontSize();
    r.SetFontSize(Reportutil::FontSizeToFit(r, text, r.SectionRight() - r.SectionLeft()));
    r.PrintCenter(text, Mitte(r));
    r.SetFontSize(groesse);
}

// Where the cards of a page begin (cm from the top; 0: the page's first
// line) and where the company picture stands beside each.
struct TPlatz {
    double Y, BmpY;
};
const TPlatz kEine[] = {{0, 2.6}};
const TPlatz kZwei[] = {{0, 1.6}, {16.35, 15.6}};
const TPlatz kDrei[] = {{0, 1.3}, {11.05, 10.3}, {21.07, 20.3}};

// "Name, Titel Vorname" of the row's member.
QString schuetze(Ado::TDataSet& q)
{
    return VorbListen::NameTitelVorname(Feld(q, "Name").trimmed(), Feld(q, "Titel"), Feld(q, "Vorname").trimmed());
}

// The club as the cards name it: title, name and number.
QString vereinText(Ado::TDataSet& q, int verband)
{
    const QString titel = verband == 3 || Feld(q, "VerTitel").trimmed().isEmpty() ? QString() : Feld(q, "VerTitel") + " ";
    return titel + Feld(q, "VerName") + "  ( " + Feld(q, "VereinNr") + " )";
}

// The cover's club name: title and name.
QString vereinName(Ado::TDataSet& q, int verband)
{
    const QString titel = verband == 3 || Feld(q, "VerTitel").trimmed().isEmpty() ? QString() : Feld(q, "VerTitel") + "  ";
    return titel + Feld(q, "VerName");
}

// The range of a start: its name, "*" when its place was set by hand.
QString anlageText(Ado::TDataSet& q, int laenge = -1)
{
    const QString m = Feld(q, "Manuell");
    return Feld(q, "AnlName").left(laenge) + (m == "X" || m == "F" ? "*" : "");
}

} // namespace

void TZusammenForm::StartkarteMBogen(Report::TLabelShell& s)
{
    s.SetSheet(2, 2, 4.0, 5.0, Report::unInch, 0.3, 0.4, 4.188, 6.0, Report::unInch);
}

void TZusammenForm::KartenEinstellungen()
{
    sVerband = Qvsettings::GetString("Global", "Verband");
    sUeberschr = Qvsettings::GetString("Global", "Ueberschr");
    sSportjahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const int ll = Qvsettings::GetInteger("Speziell", "BitmapLL");
    const int lh = Qvsettings::GetInteger("Speziell", "BitmapLH");
    dBitmapLL = ll == 0 ? 1.0 : ll / 100.0;
    dBitmapLH = lh == 0 ? 1.0 : lh / 100.0;
    bFirma = QFileInfo::exists(QDir(Qvpaths::ProgramFolder()).filePath("FIRMA.BMP"));
    Freitext = Schtools::FileToStrings(QDir(Qvpaths::DataFolder()).filePath("STARTK.DAT"));
    sVereinAlt.clear();
    iPlatz = 0;
    DruckZeit = Qvclock::Now();
    Stempel = std::make_unique<Ado::TTransaction>(*Datamod::DataModule1()->Connection());
}

void TZusammenForm::Stempeln()
{
    // The start of the row; a start that is not found prints unstamped.
    Ado::TADOConnection& c = *Datamod::DataModule1()->Connection();
    if (!StempelSQL)
        StempelSQL = std::make_unique<Ado::TPreparedStatement>(
            c, "UPDATE ERGEBNIS SET DruckDat = ? WHERE Ident = ? AND MitglNr = ? AND Disziplin = ? AND VereinNr = ?");
    StempelSQL->Execute({c.BindValue(DruckZeit, Ado::ftDateTime), Datamod::iIdent, Feld(*Q1, "MitglNr"),
                         Feld(*Q1, "Disziplin"), Feld(*Q1, "VereinNr")});
}

// --- One, two and three cards per page ----------------------------------------------------

void TZusammenForm::rf_StartkarteEinePrint(TBaseReport& Report) { KartenDrucken(Report, 1); }
void TZusammenForm::rf_StartkarteHPrint(TBaseReport& Report) { KartenDrucken(Report, 2); }
void TZusammenForm::rf_StartkarteLPrint(TBaseReport& Report) { KartenDrucken(Report, 3); }

void TZusammenForm::KartenDeckblatt(TBaseReport& Report, bool neueSeite)
{
    if (neueSeite) {
        Report.NewPage();
        Zeilen(Report, 4);
    } else {
        Zeilen(Report, 2);
    }
    Schrift(Report, 16, true);
    mittig(Report, sVerband);
    Zeilen(Report, 2);
    mittig(Report, sUeberschr + "  " + sSportjahr);
    Zeilen(Report, 6);
    mittig(Report, Feld(*Q1, "VereinNr"));
    Zeilen(Report, 3);
    mittig(Report, vereinName(*Q1, iVerband));
    Zeilen(Report, 2);
}

void TZusammenForm::KartenDrucken(TBaseReport& Report, int Plaetze)
{
    KartenEinstellungen();
    const TPlatz* plaetze = Plaetze == 1 ? kEine : Plaetze == 2 ? kZwei : kDrei;
    Ado::TDataSet& q = *Q1;
    bool seiteLeer = true; // nothing drawn on the current page yet
    Anfang();
    while (!Ende()) {
        if (Feld(q, "VereinNr") != sVereinAlt) {
            if (!bNachdruck) {
                KartenDeckblatt(Report, !sVereinAlt.isEmpty());
                seiteLeer = false;
                iPlatz = 1;
                if (Plaetze == 1)
                    iPlatz = Plaetze; // the cover has its page to itself
            } else if (!seiteLeer) {
                Zeilen(Report, 2);
            }
        }
        sVereinAlt = Feld(q, "VereinNr");
        if (iPlatz >= Plaetze) {
            iPlatz = 0;
            if (!seiteLeer)
                Report.NewPage();
            seiteLeer = true;
        }
        ++iPlatz;
        const TPlatz& platz = plaetze[iPlatz - 1];
        if (iPlatz == 1) {
            if (!seiteLeer)
                Report.NewPage();
            Report.Home();
        } else {
            Report.SetYPos(platz.Y);
        }
        seiteLeer = false;
        Zeilen(Report, 2);
        KarteDrucken(Report, platz.BmpY);
    }
    Stempel->Commit();
    Stempel.reset();
    StempelSQL.reset();
}

void TZusammenForm::KarteDrucken(TBaseReport& Report, double BmpY)
{
    Ado::TDataSet& q = *Q1;
    const QString schluessel = Feld(q, "VereinNr") + Feld(q, "MitglNr");
    Schrift(Report, 10);
    const bool firma = bFirma;
    if (firma) {
        Schtools::PrintBmp(Report, "FIRMA.BMP", dBitmapLL, dBitmapLH, Report.SectionRight() - 3.0, BmpY);
        Report.PrintLeft(sUeberschr + " " + sSportjahr, Report.SectionLeft());
        Report.NewLine();
    } else {
        SpaltenSetzen(Report, {{9.5}, {Reportutil::Rest, pjRight}});
        Zeile(Report, {sVerband, sUeberschr + " " + sSportjahr});
    }
    Schrift(Report, 14);
    mittig(Report, "S T A R T K A R T E");
    Report.NewLine();
    Schrift(Report, 10);
    Report.PrintLeft(QString(firma ? 96 : 118, '*'), Report.SectionLeft());
    Zeilen(Report, 3);

    SpaltenSetzen(Report, {{2.2}, {9.8}});
    Zeile(Report, {"Verein:        ", vereinText(q, iVerband)});
    Report.NewLine();
    Zeile(Report, {"Schütze(in):", schuetze(q)});
    Report.NewLine();

    Schrift(Report, 9);
    Report.ClearTabs();
    const double kopf[] = {1.5, 2.0, 1.5, 2.0, 2.0, 2.0, 1.2, 3.8};
    for (int i = 0; i < 8; ++i)
        Report.SetTab(i == 0 ? Report.SectionLeft() : Report::NA, pjLeft, kopf[i], 3, Report::BOXLINEBOTTOM, 0);
    Zeile(Report, {"Startnr.", "Wettb.", "Klasse", "Datum", "Zeit1", "Zeit2", "Stand", "Anlage"});
    SpaltenSetzen(Report, {{1.1, pjRight}, {0.4}, {2.0}, {1.5}, {2.0}, {2.0}, {2.0}, {0.9, pjRight}, {0.3, pjRight},
                           {4.8}});
    while (!Ende() && Feld(q, "VereinNr") + Feld(q, "MitglNr") == schluessel) {
        const QTime zeit2 = q.FieldByName("WKZeit2")->AsDateTime().time();
        const QString z2 = zeit2.isValid() && zeit2 != QTime(0, 0) ? Feld(q, "WKZeit2").left(5) : QString();
        Zeile(Report, {Feld(q, "StartNr"), "", Feld(q, "DisKurz"), Feld(q, "KlaKurz"),
                       bAnlageJ ? QStringLiteral("00.00.00") : Feld(q, "Datum").left(6), Feld(q, "WKZeit1").left(5),
                       z2, Feld(q, "Stand"), "", anlageText(q)});
        Stempeln();
        q.Next();
        Druckjob::Progress(++iFortschritt);
    }
    if (!Freitext.isEmpty()) {
        Report.NewLine();
        for (const QString& z : Freitext) {
            Report.PrintLeft(Reportutil::Druckbar(z), Report.SectionLeft());
            Report.NewLine();
        }
    }
}

// --- Four cards per page on the label sheet -------------------------------------------------

void TZusammenForm::rf_StartkartePrint(TBaseReport& Report)
{
    Anfang();
    rpt_StartkarteM->Execute(Report);
}

void TZusammenForm::rpt_StartkarteMReportBefore(TBaseReport&)
{
    KartenEinstellungen();
    iPlatz = 0; // labels drawn so far
}

bool TZusammenForm::rpt_StartkarteMLabelPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    if (Ende())
        return false;
    const int platz = iPlatz % 4 + 1; // this label's place on its sheet
    ++iPlatz;
    if (Feld(q, "VereinNr") != sVereinAlt && !bNachdruck) {
        // Each club begins a sheet with its cover.
        if (!sVereinAlt.isEmpty() && platz != 1)
            return true;
        sVereinAlt = Feld(q, "VereinNr");
        Schrift(Report, 10, true);
        mittig(Report, sVerband);
        Report.NewLine();
        Schrift(Report, 12);
        mittig(Report, sUeberschr + "  " + sSportjahr);
        Zeilen(Report, 6);
        mittig(Report, Feld(q, "VereinNr"));
        Zeilen(Report, 3);
        mittig(Report, vereinName(q, iVerband));
        return true;
    }
    sVereinAlt = Feld(q, "VereinNr");
    const QString schluessel = Feld(q, "VereinNr") + Feld(q, "MitglNr");
    Schrift(Report, 9);
    mittig(Report, sVerband);
    Report.NewLine();
    mittig(Report, sUeberschr + " " + sSportjahr);
    Report.NewLine();
    Schrift(Report, 12);
    mittig(Report, "S T A R T K A R T E");
    Report.NewLine();
    Schrift(Report, 8);
    Report.PrintLeft(QString(76, '*'), Report.SectionLeft());
    Zeilen(Report, 2);
    SpaltenSetzen(Report, {{2.2}, {Reportutil::Rest}});
    Zeile(Report, {"Verein:        ", vereinText(q, iVerband)});
    Zeile(Report, {"Schütze(in):", schuetze(q)});
    Report.NewLine();
    SpaltenSetzen(Report, {{1.0}, {1.5}, {1.0}, {1.2}, {1.2}, {1.2}, {1.5}});
    Zeile(Report, {"Startnr.", "Wettb.", "Klasse", "Datum", "Zeit1", "Stand", "Anlage"});
    Report.PrintLeft(QString(90, '-'), Report.SectionLeft());
    Report.NewLine();
    SpaltenSetzen(Report, {{0.8, pjRight}, {0.2}, {1.5}, {1.0}, {1.2}, {1.2}, {0.9, pjRight}, {0.3, pjRight}, {1.5}});
    while (!Ende() && Feld(q, "VereinNr") + Feld(q, "MitglNr") == schluessel) {
        Zeile(Report, {Feld(q, "StartNr"), "", Feld(q, "DisKurz"), Feld(q, "KlaKurz"),
                       bAnlageJ ? QStringLiteral("00.00.00") : Feld(q, "Datum").left(6), Feld(q, "WKZeit1").left(5),
                       Feld(q, "Stand"), "", anlageText(q, 10)});
        Stempeln();
        q.Next();
        Druckjob::Progress(++iFortschritt);
    }
    if (!Freitext.isEmpty()) {
        Schrift(Report, 6);
        for (const QString& z : Freitext) {
            Report.PrintLeft(Reportutil::Druckbar(z), Report.SectionLeft());
            Report.NewLine();
        }
    }
    return true;
}

void TZusammenForm::rpt_StartkarteMReportAfter(TBaseReport&)
{
    Stempel->Commit();
    Stempel.reset();
    StempelSQL.reset();
}

// --- Score sheets ---------------------------------------------------------------------------

void TZusammenForm::rf_SchusszettelPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const QString jahr = QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
    const double links = Report.SectionLeft();
    const auto tabs = [&](std::initializer_list<double> breiten, int rahmen, double rand = 3,
                          Report::TPrintJustify letzte = pjLeft) {
        Report.ClearTabs();
        int i = 0;
        for (double b : breiten) {
            ++i;
            Report.SetTab(i == 1 ? links : Report::NA, i == int(breiten.size()) ? letzte : pjLeft, b, rand, rahmen, 0);
        }
    };
    bool erste = true;
    for (Anfang(); !Ende(); q.Next()) {
        Druckjob::Progress(++iFortschritt);
        if (!erste)
            Report.NewPage();
        erste = false;
        Report.SetLinesPerInch(6);
        Report.Home();
        // 1. Heading.
        tabs({13.5}, Report::BOXLINENONE);
        Schrift(Report, 12, true);
        Zeile(Report, {"Schwäbische Meisterschaft G/P/A/VL/W " + jahr});
        Zeile(Report, {"Schwaben"});
        Report.NewLine();
        // 2. Day, time and lane.
        tabs({2.5, 1.0, 2.5, 1.0, 5.5}, Report::BOXLINENONE);
        Schrift(Report, 10);
        Zeile(Report, {bAnlageJ ? QString() : Feld(q, "Datum"), "", Feld(q, "WKZeit1").left(5) + " Uhr", "",
                       "Stand  " + Feld(q, "Stand")});
        // 3. Competition and its federation code.
        tabs({9.5, 1.5}, Report::BOXLINENONE);
        Schrift(Report, 10, true);
        Reportutil::Zelle(Report, Feld(q, "DisName"));
        Schrift(Report, 8);
        Reportutil::Zelle(Report, Feld(q, "KennzE"));
        Report.NewLine();
        Report.SetYPos(Report.GetYPos() + 0.5);
        // 4. Competition number, calibre, ammunition test.
        tabs({2.5, 6.0, 2.5}, Report::BOXLINEALL, 6.0);
        Schrift(Report, 10);
        Zeile(Report, {"WettbNr.", "Kaliber", "MIP"});
        const QString dis = Feld(q, "Disziplin");
        Zeile(Report, {dis.left(1) + "." + dis.mid(1), Feld(q, "DisName"), ""});
        Report.SetYPos(Report.GetYPos() + 0.3);
        // 5. Start number, name; the ammunition test's caption.
        tabs({4.0, 7.0}, Report::BOXLINENONE);
        Schrift(Report, 12, true);
        Reportutil::Zelle(Report, "Startnummer");
        Reportutil::Zelle(Report, Feld(q, "StartNr"));
        Report.NewLine();
        tabs({11.0}, Report::BOXLINENONE);
        Zeile(Report, {Feld(q, "Name") + ", " + Feld(q, "Vorname")});
        tabs({8.5, 2.5}, Report::BOXLINENONE, 3, pjRight);
        Schrift(Report, 9, true);
        Zeile(Report, {"", "Munitionstest"});
        // 6. Club.
        tabs({10.3, 0.7}, Report::BOXLINEALL);
        Schrift(Report, 12, true);
        Zeile(Report, {Feld(q, "VereinNr") + " " + Feld(q, "VerName"), ""});
        Report.SetYPos(Report.GetYPos() + 0.1);
        // 7. Qualification grid.
        Report.SetLinesPerInch(4);
        const auto gitter = [&] {
            Report.ClearTabs();
            Report.SetTab(links, pjLeft, 2.0, 4, Report::BOXLINEALL, 0);
            for (int i = 0; i < 10; ++i)
                Report.SetTab(Report::NA, pjLeft, 0.7, 4, Report::BOXLINEALL, 0);
            Report.SetTab(Report::NA, pjLeft, 2.0, 4, Report::BOXLINEALL, 0);
        };
        gitter();
        Schrift(Report, 10);
        Zeile(Report, {"Vorkampf", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Summe"});
        const int serien = std::max(1, q.FieldByName("AnzSerien")->AsInteger());
        for (int s = 1; s <= serien; ++s)
            Zeile(Report, QStringList{"Serie " + QString::number(s)} + QStringList(11, QString()));
        tabs({9.0, 2.0}, Report::BOXLINEALL);
        Zeile(Report, {"Vorkampfergebnis", ""});
        tabs({9.0, 2.0}, Report::BOXLINELEFT | Report::BOXLINETOP | Report::BOXLINERIGHT);
        Zeile(Report, {"Unterschrift des Schützen", "Platz"});
        tabs({9.0, 2.0}, Report::BOXLINELEFT | Report::BOXLINERIGHT | Report::BOXLINEBOTTOM);
        Zeile(Report, {"", ""});
        Report.SetYPos(Report.GetYPos() + 0.2);
        // 8. Final grid.
        gitter();
        Reportutil::Zelle(Report, "Endkampf");
        Schrift(Report, 12);
        for (int i = 0; i < 11; ++i)
            Reportutil::Zelle(Report, "");
        Report.NewLine();
        tabs({3.0, 3.5, 2.5, 2.0}, Report::BOXLINEALL);
        Schrift(Report, 10);
        Zeile(Report, {"Stechschuss", "", "Gesamt", ""});
        // The signature's caption spans the first three cells, where it
        // reads in the size of the other captions.
        tabs({9.0, 2.0}, Report::BOXLINELEFT | Report::BOXLINETOP | Report::BOXLINERIGHT);
        Zeile(Report, {"Unterschrift des Schützen", "Platz"});
        tabs({9.0, 2.0}, Report::BOXLINELEFT | Report::BOXLINERIGHT | Report::BOXLINEBOTTOM);
        Zeile(Report, {"", ""});
        Report.SetLinesPerInch(6);
    }
}
