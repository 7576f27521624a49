// Target labels on the matrix sheet, the laser sheet and the 70 x 36 sheet
// of "Verband" 3, and the staff badges.
//
// The label events keep their state in the form: each discipline begins on
// a fresh row with its header label, the rest of that row stays empty;
// "Beginn Bahn" skips the rows already used; several labels per start
// repeat the start with a copy number.

#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/Durchgang1Druck.h"

#include "platform/ado/Ado.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbars.h"
#include "platform/report/Rpbase.h"
#include "platform/report/Rplabel.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QDir>
#include <QFileInfo>

using Report::TBaseReport;
using namespace Durchgang1Druck;

namespace {

// Room kept between two texts of one line.
constexpr double kAbstand = Reportutil::EtikettAbstand;

} // namespace

// --- Sheets ----------------------------------------------------------------------------------

void TDurchgangForm::EtikettenMatrixBogen(Report::TLabelShell& s)
{
    s.SetSheet(2, 14, 1.8, 1.0, Report::unInch, 0.6, 0.1, 2.0, 0.84, Report::unInch);
}

void TDurchgangForm::EtikettenLaserBogen(Report::TLabelShell& s)
{
    s.SetSheet(4, 16, 4.85, 1.7, Report::unCM, 0.6, 0.57, 1.9, 0.665, Report::unInch);
}

void TDurchgangForm::EtikettenBogen(Report::TLabelShell& s)
{
    s.SetSheet(3, 8, 7.0, 3.6, Report::unCM, 0.4, 0.3, 2.75, 1.398, Report::unInch);
}

void TDurchgangForm::MEtikettenBogen(Report::TLabelShell& s)
{
    s.SetSheet(2, 5, 9.0, 5.4, Report::unCM, 0.5, 0.4, 3.5, 2.18, Report::unInch);
}

// --- Target labels ---------------------------------------------------------------------------

void TDurchgangForm::rf_EtikettenPrint(TBaseReport& Report)
{
    switch (Durchgang1::fAuswahl) {
    case Host::fEtikettenM: rpt_EtikettenMatrix->Execute(Report); break;
    case Host::fMEtiketten: rpt_MEtiketten->Execute(Report); break;
    default: rpt_EtikettenLaser->Execute(Report); break;
    }
}

void TDurchgangForm::rf_EtikettenBYPrint(TBaseReport& Report) { rpt_Etiketten->Execute(Report); }

void TDurchgangForm::EtikettenBefore(TBaseReport&)
{
    iZeile = 0;
    iZaehler1 = 0;
    iZaehler2 = 1;
    iZaehler3 = 0;
    iZaehler4 = 1;
    sOldE.clear();
    bEtikett = true;
    bDrucken = false;
    bLeer = false;
    bWiederholen = false;
    Q1->First();
}

bool TDurchgangForm::EtikettenAfter(TBaseReport&)
{
    if (bEtikett && bWiederholen) {
        Q1->Next();
        Druckjob::Progress(++iZeile);
    }
    if (Q1->Eof())
        return false;
    ++iZaehler1;
    return true;
}

bool TDurchgangForm::rpt_EtikettenMatrixPrint(TBaseReport& Report) { return Etikett(Report, 2, false); }

bool TDurchgangForm::rpt_EtikettenLaserPrint(TBaseReport& Report) { return Etikett(Report, 4, false); }

bool TDurchgangForm::rpt_EtikettenPrint(TBaseReport& Report) { return Etikett(Report, 3, true); }

bool TDurchgangForm::Etikett(TBaseReport& Report, int A, bool BY)
{
    if (!bLeer) {
        // The rows of the sheet used before stay empty.
        if (iBahn > 1 && iZaehler2 < iBahn) {
            if (++iZaehler3 == A) {
                ++iZaehler2;
                iZaehler3 = 0;
            }
            return true;
        }
        bLeer = bEtikett = bWiederholen = true;
        bDrucken = false;
    }
    Schrift(Report, 10);
    const QString disziplin = Feld(*Q1, "Disziplin");
    if (disziplin != sOldE) {
        if (iZaehler1 >= 1 && iZaehler1 <= A - 1) {
            bDrucken = true; // the rest of the row stays empty, the header follows
        } else {
            KopfEtikett(Report, BY, false);
            iZaehler1 = 0;
            bDrucken = false;
        }
        bEtikett = false;
    } else if (!bEtikett && iZaehler1 < A) {
        // an empty label fills the row
    } else if (bDrucken) {
        KopfEtikett(Report, BY, true);
        iZaehler1 = 0;
        bDrucken = false;
    } else {
        if (iZaehler1 > A - 1)
            iZaehler1 = 0;
        bEtikett = true;
        if (BY)
            StartEtikettBY(Report);
        else
            StartEtikettLaser(Report, Durchgang1::fAuswahl == Host::fEtikettenM);
        // The copies of a start: the query moves on after the last one.
        if (iAnzLabel > 1) {
            bWiederholen = iZaehler4 >= iAnzLabel;
            iZaehler4 = bWiederholen ? 1 : iZaehler4 + 1;
        }
    }
    sOldE = disziplin;
    Schrift(Report, 10);
    return true;
}

void TDurchgangForm::KopfEtikett(TBaseReport& Report, bool BY, bool fett)
{
    Schrift(Report, 10, BY && fett);
    const QString erste = BY && bAnlageJ ? QStringLiteral("0 / keine Anlage")
                                         : Feld(*Q1, "Anlage") + " / " + Feld(*Q1, "AnlName");
    Reportutil::EtikettZeile(Report, erste, Report.SectionLeft());
    Reportutil::EtikettZeile(Report, Feld(*Q1, "DisName"), Report.SectionLeft());
}

void TDurchgangForm::StartEtikettLaser(TBaseReport& Report, bool matrix)
{
    Ado::TDataSet& q = *Q1;
    const double links = Report.SectionLeft();
    const QString datum = bAnlageJ || Feld(q, "Datum").isEmpty() ? QStringLiteral("00.00.00") : Feld(q, "Datum");
    Reportutil::EtikettZeile(Report, Feld(q, "Disziplin") + "  /  " + datum + "  /  " + Feld(q, "Kurz"), links);
    const double ersteUnten = Report.GetYPos() - Report.LineHeight() + Report.FontDescent();
    Report.NewLine();
    Schrift(Report, 14);
    QString gross = "  " + Feld(q, "Anlage") + " / " + Feld(q, "StartNr");
    const bool kopien = !matrix && iAnzLabel > 1;
    if (kopien)
        gross += " / " + QString::number(iZaehler4);
    if (matrix || kopien) {
        Reportutil::EtikettZeile(Report, gross, links);
        return;
    }
    // One label per start: the large line 0.37 higher, the bar code beside
    // it where the label leaves room, below the first line.
    Report.SetYPos(Report.GetYPos() - 0.37);
    const double y = Report.GetYPos();
    Report.PushFont();
    gross = Reportutil::EtikettEinpassen(Report, gross, Report.SectionRight() - links - kAbstand);
    Report.PrintLeft(gross, links);
    const double ende = links + Report.TextWidth(gross);
    Report.PopFont();
    if (bBarcode) {
        Report::TRPBars2of5 bar(Report);
        bar.SetText(Feld(q, "StartNr"));
        bar.SetBarWidth(0.043);
        bar.SetBarHeight(0.6);
        const double breite = bar.Width();
        const double x = std::min(ende + 1.5, Report.SectionRight() - kAbstand - breite);
        const double oben = std::max(y - 0.55, ersteUnten + kAbstand);
        if (x >= ende + kAbstand && oben + 0.6 <= Report.SectionBottom())
            Barcode(Report, x, oben, 0.6);
    }
}

void TDurchgangForm::StartEtikettBY(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const double links = Report.SectionLeft();
    if (bAnlageJ) {
        Reportutil::EtikettZeile(Report, Feld(q, "Disziplin") + "  /  00.00.00  /  " + Feld(q, "Kurz"), links);
    } else {
        Reportutil::EtikettZeile(Report, Feld(q, "Disziplin") + "  /  " + Feld(q, "Datum") + "  /  " + Feld(q, "WKZeit1").left(5), links);
        Report.SetUnderline(true);
        Reportutil::EtikettZeile(Report, (VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "Titel"), Feld(q, "Vorname")) + " / " + Feld(q, "Kurz"))
                          .trimmed(),
              links);
        Report.SetUnderline(false);
        Reportutil::EtikettZeile(Report, Feld(q, "VerName"), links);
    }
    Report.NewLine();
    Schrift(Report, 14);
    if (iAnzLabel > 1) {
        Reportutil::EtikettZeile(Report, "  " + Feld(q, "Durchgang") + " / " + Feld(q, "Stand") + " / " + Feld(q, "StartNr") + " / "
                          + QString::number(iZaehler4),
              links);
        return;
    }
    // One line of small captions and large numbers: each part at its place,
    // or after the part before it when that reaches further.
    Report.SetYPos(Report.GetYPos() - 0.2);
    const struct {
        QString text;
        double groesse, versatz;
    } teile[] = {{"Dur.", 9, 0},
                 {Feld(q, "Durchgang") + " / ", 14, 0.6},
                 {"St.", 9, 1.3},
                 {Feld(q, "Stand") + " / ", 14, 1.8},
                 {"St-Nr.", 9, 2.5},
                 {Feld(q, "StartNr"), 14, 3.5}};
    // Where the line would end at a size factor; printed at the first
    // factor that keeps it inside the label.
    const auto setzen = [&](double faktor, bool drucken) {
        double x = links;
        for (const auto& t : teile) {
            Report.SetFontSize(t.groesse * faktor);
            x = std::max(links + t.versatz, x);
            if (drucken)
                Report.PrintLeft(t.text, x);
            x += Report.TextWidth(t.text) + (t.text.endsWith(' ') ? 0 : kAbstand);
        }
        return x;
    };
    double faktor = 1.0;
    while (faktor > 0.6 && setzen(faktor, false) > Report.SectionRight())
        faktor -= 0.05;
    setzen(faktor, true);
    Report.SetYPos(Report.GetYPos() + 0.6);
    Report.SetXPos(links);
    if (bBarcode)
        Barcode(Report, links + 1.5, Report.GetYPos() - 0.4, 0.9);
}

void TDurchgangForm::Barcode(TBaseReport& Report, double x, double y, double hoehe)
{
    Report::TRPBars2of5 bar(Report);
    Report.PushFont();
    Schrift(Report, 10);
    bar.SetText(Feld(*Q1, "StartNr"));
    bar.SetBarWidth(0.043);
    bar.SetBarHeight(hoehe);
    bar.SetBarCodeJustify(Report::pjLeft);
    // The start number stands beside the bars in large type already.
    bar.SetPrintReadable(false);
    bar.PrintXY(x, y);
    Report.PopFont();
}

// --- Staff badges ----------------------------------------------------------------------------

bool TDurchgangForm::rpt_MEtikettenPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const double links = Report.SectionLeft();
    // Right-aligned texts at 9.0 cm, or at the label's edge where it is cut.
    const double rechts = std::min(links + 9.0, Report.SectionRight());
    const auto marken = [&](const QString& m) {
        Report.PrintLeft(m, links);
        Report.PrintRight(m, rechts);
        Report.NewLine();
    };
    Schrift(Report, 10);
    marken("---");
    marken("|");

    Schrift(Report, 11);
    const QString kopf = Kopfzeile();
    const bool wappen = QFileInfo::exists(QDir(Qvpaths::ProgramFolder()).filePath("WAPPEN.BMP"));
    const double bildLinks = links + 6.9;
    double bildRechts = rechts;
    if (wappen) {
        // The picture at its place, made smaller where the label ends or
        // the role's line begins.
        const double top = Report.SectionTop();
        double b = Qvsettings::GetInteger("Speziell", "BitmapLL") / 100.0;
        double h = Qvsettings::GetInteger("Speziell", "BitmapLH") / 100.0;
        const double maxB = Report.SectionRight() - bildLinks - kAbstand;
        const double maxH = 2.4;
        const double faktor = std::min({1.0, b > 0 ? maxB / b : 1.0, h > 0 ? maxH / h : 1.0});
        b *= faktor;
        h *= faktor;
        Schtools::PrintBmp(Report, "WAPPEN.BMP", b, h, bildLinks, top + 0.5);
        bildRechts = bildLinks - kAbstand;
        Report.PushFont();
        Report.PrintLeft(Reportutil::EtikettEinpassen(Report, kopf, bildRechts - (links + 2.4)), links + 2.4);
        Report.PopFont();
        Report.NewLine();
    } else {
        Reportutil::EtikettZeile(Report, kopf, Mitte(Report), true);
    }
    // The organiser's line is centred and stays clear of the picture.
    const double m = Mitte(Report);
    const double halb = std::min(m - links, bildRechts - m);
    if (Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt") < 3) {
        Report.PushFont();
        Report.PrintCenter(Reportutil::EtikettEinpassen(Report, Qvsettings::GetString("Global", "Veranst1") + " "
                                                 + Qvsettings::GetString("Global", "Veranst2"),
                                     2 * halb),
                           m);
        Report.PopFont();
    }
    Report.NewLine();
    // Three empty lines (not four): so the role, the name and the cut marks
    // stay on the 5.4 cm badge.
    for (int i = 0; i < 3; ++i)
        Report.NewLine();
    Schrift(Report, 20, true);
    Reportutil::EtikettZeile(Report, Feld(q, "MitName"), m, true);
    Schrift(Report, 16);
    Reportutil::EtikettZeile(Report, (Feld(q, "Titel") + " " + Feld(q, "Vorname") + " " + Feld(q, "Name")).simplified(), m, true);
    Schrift(Report, 10);
    marken("|");
    Report.PrintLeft("---", links);
    Report.PrintRight("---", rechts);
    return true;
}

bool TDurchgangForm::rpt_MEtikettenAfter(TBaseReport&)
{
    Q1->Next();
    Druckjob::Progress(++iZeile);
    return !Q1->Eof();
}
