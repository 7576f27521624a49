// The relay list, the team lists and the participants per range.

#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/Durchgang1Druck.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Pmsgdlg.h"
#include "platform/host/Qvclock.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/DurchgangSQL.h"
#include "reports1/preparation/VorbListen.h"

using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using namespace Durchgang1Druck;
using Reportutil::Rest;
using Reportutil::SpaltenSetzen;

namespace {

void neueSeite(TBaseReport& r)
{
    r.NewPage();
    r.NewLine();
    r.NewLine();
}

// The heading line of the lists: "Global"/"Veranst1" (when set), the
// championship's heading and the sport year.
QString ueberschrift()
{
    const QString veranst = Qvsettings::GetString("Global", "Veranst1").trimmed();
    const QString titel = Kopfzeile();
    return veranst.isEmpty() ? titel : veranst + ": " + titel;
}

} // namespace

// --- Relay list ------------------------------------------------------------------------------

void TDurchgangForm::rf_DurchgangslistePrint(TBaseReport& Report)
{
    const VorbListen::TSchattierung schatten = VorbListen::TSchattierung::AusEinstellungen();
    Ado::TDataSet& q = *Q1;

    QString gruppe, durchgang, anlageName, wettbewerb, letzterStand;
    bool ersteGruppe = true, neuerDurchgang = true;
    int hoechster = 0, naechster = 0;
    int dgNr = 0; // relays of the group printed

    const auto kopfTabs = [&] { SpaltenSetzen(Report, {{2.3, pjLeft}, {Rest, pjLeft}}); };
    const auto zeilenTabs = [&] {
        if (bVBWettkampf)
            SpaltenSetzen(Report, {{1.0, pjRight}, {6.0, pjLeft}, {9.5, pjLeft}, {1.0, pjRight}});
        else
            SpaltenSetzen(Report, {{1.0, pjRight}, {6.0, pjLeft}, {1.1, pjLeft}, {5.4, pjLeft}, {1.5, pjLeft},
                                   {1.5, pjLeft}, {1.0, pjRight}});
    };
    const auto leer = [&](int stand, int grenze) {
        if (Report.LinesLeft() <= grenze)
            neueSeite(Report);
        zeilenTabs();
        Schrift(Report, 10, false);
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        QStringList felder{QString::number(stand) + "."};
        for (int i = 1; i < Report.TabCount(); ++i)
            felder << "";
        Reportutil::Zeile(Report, felder);
    };
    // Every firing point from the one after the last printed row up to the
    // group's highest: beiGruppe counts at a group change (page break with 3
    // lines or fewer left), else at a relay change (fewer than 3).
    const auto durchgangAbschliessen = [&](bool beiGruppe) {
        if (bAnlageJ)
            return;
        for (int s = naechster; s <= hoechster; ++s)
            leer(s, beiGruppe ? 3 : 2);
        naechster = hoechster + 1;
    };

    Report.NewLine();
    Report.NewLine();
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        const QString key = bAnlageJ ? Feld(q, "Disziplin") : Feld(q, "Anlage") + Feld(q, "Disziplin") + Feld(q, "WKTag");
        if (key != gruppe || ersteGruppe) {
            if (!ersteGruppe) {
                durchgangAbschliessen(true);
                neueSeite(Report);
            }
            ersteGruppe = false;
            gruppe = key;
            anlageName = Feld(q, "AnlName");
            const QString code = Feld(q, "Disziplin");
            wettbewerb = Feld(q, "DisName").trimmed() + " (" + code.left(1) + "." + code.mid(1) + " )";
            Report.SetTabShade(0);
            Schrift(Report, 12, true);
            Report.PrintCenter("D U R C H G A N G S L I S T E", Mitte(Report));
            Report.NewLine();
            Report.PrintCenter(ueberschrift(), Mitte(Report));
            Report.NewLine();
            Schrift(Report, 10, false);
            Report.PrintRight(Qvclock::DatumText(Qvclock::Now().date()), Report.SectionRight());
            Report.NewLine();
            kopfTabs();
            if (!bAnlageJ)
                Reportutil::Zeile(Report, {"Anlage        :", anlageName});
            Reportutil::Zeile(Report, {"Wettbewerb:", wettbewerb});
            if (bAnlageJ)
                Report.NewLine();
            hoechster = 0;
            neuerDurchgang = true;
            dgNr = 0;
        }

        const QString dg = bAnlageJ ? QString() : Feld(q, "WKZeit1") + Feld(q, "Durchgang");
        const int stand = q.FieldByName("Stand")->AsInteger();
        if (dg != durchgang || neuerDurchgang) {
            if (!neuerDurchgang)
                durchgangAbschliessen(false);
            neuerDurchgang = false;
            durchgang = dg;
            letzterStand.clear();
            Schtools::ResetTabShade();
            Report.SetTabShade(0);
            Schrift(Report, 10, false);
            if (dgNr > 0)
                Report.NewLine();
            ++dgNr;
            if (Report.LinesLeft() <= 5) {
                neueSeite(Report);
                kopfTabs();
                if (!bAnlageJ)
                    Reportutil::Zeile(Report, {"Anlage:        ", anlageName});
                Reportutil::Zeile(Report, {"Wettbewerb: ", wettbewerb});
            }
            SpaltenSetzen(Report, {{2.2, pjLeft}, {1.5, pjLeft}, {1.0, pjLeft}, {2.5, pjLeft}, {1.1, pjLeft},
                                   {2.4, pjLeft}, {0.6, pjLeft}, {2.4, pjLeft}});
            QStringList zeile{"Durchgang:", Feld(q, "Durchgang"), "Tag: "};
            if (bAnlageJ) {
                zeile << "" << "Zeit: " << "";
            } else {
                zeile << Feld(q, "Datum") << "Zeit: " << Feld(q, "WKZeit1") + " Uhr";
                if (!Feld(q, "WKZeit2").isEmpty())
                    zeile << "/  " << Feld(q, "WKZeit2") + "  Uhr";
            }
            Reportutil::Zeile(Report, zeile);
            Report.NewLine();
            naechster = stand;
        }

        // Empty numbered rows for the free firing points before this one.
        if (!bAnlageJ)
            for (; naechster < stand; ++naechster)
                leer(naechster, 2);
        if (Report.LinesLeft() < 3)
            neueSeite(Report);
        zeilenTabs();
        Schrift(Report, 10, false);
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        // A second start on the same firing point does not repeat its number.
        const QString standKey = QString::asprintf("%02d%03d", q.FieldByName("Durchgang")->AsInteger(), stand);
        const QString nummer = bAnlageJ || standKey == letzterStand ? QString() : QString::number(stand) + ".";
        letzterStand = standKey;
        const QString name = VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "Titel"), Feld(q, "Vorname"));
        if (bVBWettkampf)
            VorbListen::Zeile(Report, {nummer, name, (Feld(q, "VerTitel") + " " + Feld(q, "VerName")).trimmed(),
                                       Feld(q, "StartNr")});
        else
            VorbListen::Zeile(Report, {nummer, name, Feld(q, "Abkuerzung"), Feld(q, "VerName"), Feld(q, "Jahrgang"),
                                       Feld(q, "KlaKurz"), Feld(q, "StartNr")});
        if (!bAnlageJ) {
            naechster = std::max(naechster, stand + 1);
            hoechster = std::max(hoechster, stand);
        }
    }
    durchgangAbschliessen(true);
    Report.SetTabShade(0);
}

// --- Team lists ------------------------------------------------------------------------------

namespace {

// The start number padded with leading blanks: one digit to 6 characters,
// two digits to 5, longer to at least 4.
QString startNrGepolstert(const QString& nr)
{
    const int breite = nr.size() <= 1 ? 6 : nr.size() == 2 ? 5 : 4;
    return nr.rightJustified(breite, ' ');
}

std::unique_ptr<Ado::TADOQuery> mitglieder(Ado::TDataSet& q, const QString& teilm)
{
    auto m = Datamod::DataModule1()->DynQuery(DurchgangSQL::Mannschaftsmitglieder(), Ado::clUseServer, Ado::ltReadOnly);
    m->ParamByName("Ident")->SetValue(Datamod::iIdent);
    m->ParamByName("VereinNr")->SetValue(Feld(q, "VereinNr"));
    m->ParamByName("Disziplin")->SetValue(Feld(q, "Disziplin"));
    m->ParamByName("Klasse")->SetValue(Feld(q, "MKlasse"));
    m->ParamByName("MannschNr")->SetValue(Feld(q, "MannschNr"));
    m->ParamByName("Teilm")->SetValue(teilm);
    m->Open();
    return m;
}

} // namespace

void TDurchgangForm::MannschaftenPruefen()
{
    for (Q1->First(); !Q1->Eof(); Q1->Next()) {
        auto m = mitglieder(*Q1, sTeilm);
        if (m->RecordCount() <= Q1->FieldByName("AnzMannschaft")->AsInteger() + 1)
            continue;
        Pmsgdlg::qvMessageDlg("Es sind zuviele Mannschaftsteilnehmer vorhanden.\r\n" + Feld(*Q1, "VereinNr") + " / "
                                  + Feld(*Q1, "Disziplin") + " / " + Feld(*Q1, "MKlasse") + " / " + Feld(*Q1, "MannschNr")
                                  + "\r\n" + "Bitte korrigieren Sie zuerst die Mannschaft.",
                              Host::mtError, Host::mbOK, 1);
        Q1.reset();
        throw EHostFehler("Die Verarbeitung wird abgebrochen.");
    }
}

void TDurchgangForm::rf_MannschaftPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    QString gruppe;
    Report.NewLine();
    Report.NewLine();
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        // The results-notice form: chosen in the dialog, and always for the
        // olympic discipline groups, whose teams hang with their results.
        const bool ergebnis = bErgebnisform || Feld(q, "OlDisziGrp") == "X";
        const QString key = Feld(q, "Disziplin") + "|" + Feld(q, "MKlasse");
        const int groesse = std::max(1, q.FieldByName("AnzMannschaft")->AsInteger());
        auto m = mitglieder(q, sTeilm);
        // The team's lines: its head, its members or the places for them, the
        // total in the results-notice form, an empty line.
        const int mannschaft = std::max(groesse, m->RecordCount()) + (ergebnis ? 3 : 2);
        if (key != gruppe) {
            if (!gruppe.isEmpty()) {
                Report.NewLine();
                // A head never stands alone at the foot of a page: it takes
                // about 6 lines and its first team follows it.
                if (Report.LinesLeft() < std::max(ergebnis ? 7 : 9, 6 + mannschaft))
                    neueSeite(Report);
            }
            gruppe = key;
            const QString code = Feld(q, "Disziplin");
            Schrift(Report, 14, true);
            SpaltenSetzen(Report, {{Rest, pjLeft}});
            Reportutil::Zeile(Report, {"Mannschaftsaushangliste"});
            Schrift(Report, 12, true);
            Reportutil::Zeile(Report, {Feld(q, "DisName").trimmed() + "  ( " + code.left(1) + "." + code.mid(1) + " ) "});
            Schrift(Report, 10, false);
            SpaltenSetzen(Report, {{1.5, pjLeft}, {9.5, pjLeft}, {Rest, pjLeft}});
            Reportutil::Zeile(Report, {"Anlage: ", Feld(q, "AnlName"), Feld(q, "Datum").isEmpty() ? "Tag:         00.00.00"
                                                                                           : "Tag: " + Feld(q, "Datum")});
            Reportutil::Zeile(Report, {"Klasse: ", (Feld(q, "KlaName") + " " + Feld(q, "Zusatz")).trimmed()});
            Report.NewLine();
        }
        // A team is not split over two pages.
        if (Report.LinesLeft() < mannschaft)
            neueSeite(Report);
        Schrift(Report, 10, true);
        SpaltenSetzen(Report, {{1.5, pjLeft}, {11.0, pjLeft}, {Rest, pjRight}});
        Reportutil::Zeile(Report, {Feld(q, "VereinNr"), Feld(q, "VerName").trimmed() + "  " + Feld(q, "MannschNr"),
                                   ergebnis ? QStringLiteral("Ergebnis") : QString()});
        Schrift(Report, 10, false);
        SpaltenSetzen(Report, {{1.5, pjLeft}, {11.0, pjLeft}, {Rest, pjRight}});
        int n = 0;
        for (m->First(); !m->Eof(); m->Next(), ++n)
            Reportutil::Zeile(Report, {"", startNrGepolstert(Feld(*m, "StartNr")) + "  " + Feld(*m, "Name") + ", "
                                               + Feld(*m, "Vorname"),
                                       ergebnis ? QStringLiteral("____________") : QString()});
        // Lines to write in the members still missing, in the names' column.
        for (; n < groesse; ++n)
            Reportutil::Zeile(Report, {"   ", "____________", ergebnis ? QStringLiteral("____________") : QString()});
        if (ergebnis)
            Reportutil::Zeile(Report, {"", "Gesamt", "____________"});
        Report.NewLine();
    }
}

// --- Participants per range ------------------------------------------------------------------

void TDurchgangForm::rf_TeilnehmerPrint(TBaseReport& Report)
{
    const VorbListen::TSchattierung schatten = VorbListen::TSchattierung::AusEinstellungen();
    Ado::TDataSet& q = *Q1;
    QString gruppe, anlage, wettbewerb, tag;
    const auto spalten = [&] {
        SpaltenSetzen(Report, {{1.2, pjRight}, {5.4, pjLeft}, {1.3, pjLeft}, {5.3, pjLeft}, {1.3, pjLeft},
                               {Rest, pjLeft}});
    };
    const auto spaltenKopf = [&] {
        Schrift(Report, 10, true);
        spalten();
        Report.SetTabShade(0);
        Reportutil::Zeile(Report, {"St-Nr.", "Name", "Verein", "", "Jahrg.", "Klasse"});
        Schrift(Report, 10, false);
    };
    const auto kopf = [&](bool titel) {
        if (titel) {
            Schrift(Report, 15, true);
            Report.PrintCenter("Teilnehmerliste", Mitte(Report));
            Report.NewLine();
            Schrift(Report, 12, false);
            Report.PrintCenter(ueberschrift(), Mitte(Report));
            Report.NewLine();
            Report.NewLine();
        }
        Schrift(Report, 10, true);
        SpaltenSetzen(Report, {{11.0, pjLeft}, {Rest, pjLeft}});
        Report.SetTabShade(0);
        Reportutil::Zeile(Report, {"Anlage        : " + anlage});
        Reportutil::Zeile(Report, {"Wettbewerb: " + wettbewerb, tag});
        Report.NewLine();
        spaltenKopf();
    };
    Report.NewLine();
    Report.NewLine();
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        const QString key = Feld(q, "Anlage") + "|" + Feld(q, "Disziplin") + "|" + Feld(q, "WKTag");
        if (key != gruppe) {
            if (!gruppe.isEmpty())
                neueSeite(Report);
            gruppe = key;
            const QString code = Feld(q, "Disziplin");
            anlage = Feld(q, "AnlName");
            wettbewerb = Feld(q, "DisName").trimmed() + "  ( " + code.left(1) + "." + code.mid(1) + " ) ";
            tag = Feld(q, "Datum").isEmpty() ? "Tag:         00.00.00" : "Tag: " + Feld(q, "Datum");
            Schtools::ResetTabShade();
            kopf(true);
        }
        if (Report.LinesLeft() < 2) {
            neueSeite(Report);
            kopf(false);
        }
        spalten();
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        VorbListen::Zeile(Report, {Feld(q, "StartNr"), VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "Titel"), Feld(q, "Vorname")),
                                   Feld(q, "Abkuerzung"), Feld(q, "VerName"), Feld(q, "Jahrgang"), Feld(q, "Kurz")});
    }
    Report.SetTabShade(0);
}
