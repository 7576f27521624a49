// The result-entry sheets: a line per start and a line of boxes for its
// series, the rest of a group's last page filled with blank entries for
// starters entered late.

#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/Durchgang1Druck.h"

#include "platform/ado/Ado.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using namespace Durchgang1Druck;
using Reportutil::Rest;
using Reportutil::SpaltenSetzen;

namespace {

const QString kBox = QStringLiteral("------,");
const QString kGesamt = QStringLiteral("Gesamt:  ------ /");

// Tabs of the start line and of the box lines; both add up to the section.
void startTabs(TBaseReport& r)
{
    SpaltenSetzen(r, {{1.2, pjLeft}, {6.6, pjLeft}, {1.2, pjLeft}, {6.5, pjLeft}, {Rest, pjLeft}});
}
void boxTabs(TBaseReport& r) { SpaltenSetzen(r, {{0.5, pjRight}, {2.6, pjLeft}, {Rest, pjLeft}}); }

} // namespace

void TDurchgangForm::rf_ErgebEintragPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    const QString kopf = Kopfzeile();
    const QString strich(52, '-');
    const auto blanko = [&] {
        Schrift(Report, 10, false);
        startTabs(Report);
        Reportutil::Zeile(Report, {"------", strich, "", strich, ""});
        Report.NewLine();
        boxTabs(Report);
        Reportutil::Zeile(Report, {"", kGesamt, kBox.repeated(8)});
        Report.NewLine();
    };

    QString disziplin, tag;
    bool erste = true;
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        if (erste || Feld(q, "Disziplin") != disziplin || Feld(q, "WKTag") != tag) {
            if (!erste) {
                while (Report.LinesLeft() > 6)
                    blanko();
                Report.NewPage();
                Report.NewLine();
                Report.NewLine();
                Report.NewLine();
            } else {
                Report.NewLine();
                Report.NewLine();
            }
            erste = false;
            Report.SetFont("Arial", 15);
            Report.SetBold(true);
            Report.PrintCenter("Ergebniseingabeliste", centre);
            Report.NewLine();
            Report.SetFont("Arial", 12);
            Report.PrintCenter(kopf, centre);
            Report.NewLine();
            Report.NewLine();
            Schrift(Report, 10, true);
            SpaltenSetzen(Report, {{2.5, pjLeft}, {5.5, pjLeft}, {8.0, pjLeft}});
            Reportutil::Zeile(Report, {"Anlage:", bAnlageJ ? QString() : Feld(q, "AnlName"), ""});
            const QString code = Feld(q, "Disziplin");
            Reportutil::Zeile(Report, {"Wettbewerb:",
                                       Feld(q, "DisName").trimmed() + " ( " + code.left(1) + "." + code.mid(1) + " ) ",
                                       bAnlageJ ? QStringLiteral("Tag:         ") : "Tag: " + Feld(q, "Datum")});
            Report.NewLine();
            Report.NewLine();
            disziplin = code;
            tag = Feld(q, "WKTag");
        }

        const int serien = std::max(0, q.FieldByName("AnzSerien")->AsInteger());
        Schrift(Report, 10, false);
        // A start and its boxes stay on one page: 4 lines, 6 with a second
        // line of boxes.
        if (Report.LinesLeft() < (serien > 15 ? 6 : 4)) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
        }
        startTabs(Report);
        VorbListen::Zeile(Report, {Feld(q, "StartNr"), VorbListen::NameTitelVorname(Feld(q, "Name").trimmed(), Feld(q, "Titel"),
                                                                                 Feld(q, "Vorname").trimmed()),
                                   Feld(q, "Abkuerzung"), Feld(q, "VerName"), Feld(q, "KlaKurz")});
        Report.NewLine();
        boxTabs(Report);
        Reportutil::Zeile(Report, {"", kGesamt, kBox.repeated(serien < 16 ? serien : 10)});
        Report.NewLine();
        if (serien > 15) {
            Reportutil::Zeile(Report, {"", "", kBox.repeated(serien - 10)});
            Report.NewLine();
        }
    }
}
