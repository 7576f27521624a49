// The staff list of a range with its days of duty, and the payout list
// with the allowances of the staff.

#include "reports1/preparation/Durchgang1.h"
#include "reports1/preparation/Durchgang1Druck.h"

#include "platform/ado/Ado.h"
#include "platform/host/Cent.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/DurchgangSQL.h"
#include "reports1/preparation/VorbListen.h"

#include <cmath>

using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using namespace Durchgang1Druck;
using Reportutil::SpaltenSetzen;

namespace {

// Cell borders of a line, as letters of "ltrb".
int rahmen(const QString& l)
{
    return (l.contains('l') ? Report::BOXLINELEFT : 0) | (l.contains('t') ? Report::BOXLINETOP : 0)
           | (l.contains('r') ? Report::BOXLINERIGHT : 0) | (l.contains('b') ? Report::BOXLINEBOTTOM : 0);
}

// The staff list's cells: club number, name, function, six days, "seit";
// zelle gives every cell its borders, abschluss adds the closing cell of a
// row of several lines.
void mitarbeiterTabs(TBaseReport& r, const QString& zelle, const QString& abschluss = {})
{
    r.ClearTabs();
    const double breiten[] = {1.5, 4.7, 3.8, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    bool erste = true;
    for (double b : breiten) {
        r.SetTab(erste ? r.SectionLeft() : Report::NA, pjLeft, b, 3, rahmen(zelle), 0);
        erste = false;
    }
    if (!abschluss.isEmpty())
        r.SetTab(Report::NA, pjLeft, 0.01, 0, rahmen(abschluss), 0);
}

} // namespace

// --- Staff list ------------------------------------------------------------------------------

void TDurchgangForm::rf_MitarbeiterPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    // The range's days of duty: the first six become the day columns.
    auto tage = Datamod::DataModule1()->DynQuery(DurchgangSQL::MitarbeiterTage(), Ado::clUseServer, Ado::ltReadOnly);
    tage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    q.First();
    tage->ParamByName("Anlage")->SetValue(q.FieldByName("Anlage")->AsInteger());
    tage->ParamByName("Teilm")->SetValue(sTeilm);
    tage->Open();
    QStringList spalten;
    for (tage->First(); !tage->Eof() && spalten.size() < 6; tage->Next())
        spalten << tage->FieldByName("Datum")->AsString().left(5);
    while (spalten.size() < 6)
        spalten << QString();
    const QString anlage = Feld(q, "AnlName");

    bool ersteSeite = true;
    const auto seitenkopf = [&] {
        if (ersteSeite) {
            Report.NewLine();
            Report.NewLine();
            Schrift(Report, 12, true);
            Report.PrintCenter("Mitarbeiterliste", Mitte(Report));
            Report.NewLine();
            Report.PrintCenter(Kopfzeile(), Mitte(Report));
            Report.NewLine();
            Report.NewLine();
            ersteSeite = false;
        }
        Schrift(Report, 10, false);
        Report.PrintLeft("Anlage: " + anlage, Report.SectionLeft());
        Report.NewLine();
        Report.NewLine();
        Schrift(Report, 10, true);
        mitarbeiterTabs(Report, "ltrb");
        Reportutil::Zeile(Report, QStringList{"V.Nr.", "Name", "Funktion"} + spalten + QStringList{"seit"});
        Schrift(Report, 10, false);
    };

    struct Person {
        QString nr, verein, name, funktion, seit;
        QString marken[6];
    } p;
    const auto drucken = [&](bool letzte) {
        if (Report.LinesLeft() < 4) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            seitenkopf();
        }
        Schrift(Report, 10, false);
        const double innen = 3.8 - 2 * Report.XI2U(0.03);
        QStringList funktion = TextAufteilen(Report, p.funktion.trimmed(), 0, innen);
        if (funktion.isEmpty())
            funktion << QString();
        const bool einzeilig = funktion.size() == 1;
        if (einzeilig)
            mitarbeiterTabs(Report, "ltrb");
        else
            mitarbeiterTabs(Report, "lt", "tr");
        QStringList zeile{p.verein, p.name, funktion.first()};
        for (const QString& m : p.marken)
            zeile << m;
        zeile << p.seit;
        VorbListen::Zeile(Report, zeile);
        for (int i = 1; i < funktion.size(); ++i) {
            const bool unten = i == funktion.size() - 1 && (letzte || Report.LinesLeft() - 1 < 5);
            if (unten)
                mitarbeiterTabs(Report, "lb", "br");
            else
                mitarbeiterTabs(Report, "l", "r");
            QStringList weiter{"", "", funktion[i]};
            for (int k = 0; k < 7; ++k)
                weiter << "";
            weiter << "";
            Reportutil::Zeile(Report, weiter);
        }
    };
    const auto sammeln = [&] {
        p.nr = Feld(q, "MitglNr");
        p.verein = Feld(q, "VereinNr");
        p.name = VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "VorTitel"), Feld(q, "Vorname"));
        p.funktion = Feld(q, "MitName");
        p.seit = Feld(q, "Seit");
        const int spalte = int(spalten.indexOf(Feld(q, "Datum").left(5)));
        if (spalte >= 0 && !spalten[spalte].isEmpty())
            p.marken[spalte] = " X ";
    };

    seitenkopf();
    q.First();
    p.nr = Feld(q, "MitglNr");
    for (; !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        if (Feld(q, "MitglNr") != p.nr) {
            drucken(false);
            p = Person();
        }
        sammeln();
    }
    drucken(true);
    Report.ClearTabs();
}

// --- Payout list -----------------------------------------------------------------------------

namespace {

// The allowance settings of section "Mitarbeiter"; amounts in cents.
struct TVerguetung {
    bool MPauschal, FPauschal, MComputer, UStunden, MOhne;
    qint64 MComp, MPausch, MPauschH, FPausch, FKM, MStd;
    int UStd;
    static TVerguetung AusEinstellungen()
    {
        const auto j = [](const char* k) { return Qvsettings::GetString("Mitarbeiter", k) == "J"; };
        const auto n = [](const char* k) { return qint64(Qvsettings::GetInteger("Mitarbeiter", k)); };
        return {j("MPauschal"), j("FPauschal"), j("MComputer"), j("UStunden"), j("MOhne"), n("MComp"), n("MPausch"),
                n("MPauschH"), n("FPausch"), n("FKM"), n("MStd"), int(n("UStd"))};
    }
};

struct TAuszahlung {
    int Stunden = 0;
    qint64 Entschaedigung = 0, Fahrgeld = 0;
    qint64 Gesamt() const { return Entschaedigung + Fahrgeld; }
};

// One assignment: day-rate code c ("1" full day, "2" half day, else none),
// kilometres km, hours worked.
TAuszahlung rechnen(const TVerguetung& v, const QString& c, double km, double stunden)
{
    TAuszahlung a;
    const bool satz = c == "1" || c == "2";
    const qint64 tagessatz = c == "1" ? v.MPausch : c == "2" ? v.MPauschH : 0;
    a.Stunden = satz ? int(std::lround(stunden)) : 0;
    const qint64 kilometer = std::llround(km * double(v.FKM));
    if (v.MPauschal && v.FPauschal) {
        a.Entschaedigung = tagessatz;
        a.Fahrgeld = satz ? v.FPausch : 0;
    } else if (v.MPauschal) {
        a.Entschaedigung = tagessatz;
        a.Fahrgeld = kilometer;
    } else if (v.FPauschal) {
        a.Entschaedigung = v.UStunden && a.Stunden < v.UStd ? 0 : a.Stunden * v.MStd;
        a.Fahrgeld = v.FPausch;
    } else {
        a.Entschaedigung = v.MOhne ? 0 : a.Stunden * v.MStd;
        a.Fahrgeld = kilometer;
    }
    return a;
}

void auszahlungTabs(TBaseReport& r, int rahmenart)
{
    r.ClearTabs();
    const struct {
        double b;
        Report::TPrintJustify j;
    } spalten[] = {{5.9, pjLeft}, {1.0, pjRight}, {1.3, pjRight}, {1.0, pjRight},
                   {1.3, pjRight}, {1.3, pjRight}, {5.6, pjLeft}};
    bool erste = true;
    for (const auto& s : spalten) {
        r.SetTab(erste ? r.SectionLeft() : Report::NA, s.j, s.b, 3, rahmenart, 0);
        erste = false;
    }
}

} // namespace

void TDurchgangForm::rf_AuszahlungPrint(TBaseReport& Report)
{
    Ado::TDataSet& q = *Q1;
    const TVerguetung v = TVerguetung::AusEinstellungen();
    const QString waehrung = Qvsettings::GetInteger("Speziell", "Waehrung") == 0
                                 ? Qvsettings::GetString("Speziell", "W1")
                                 : Qvsettings::GetString("Speziell", "W2");
    const QString spaltenzeile = v.MPauschal && v.FPauschal ? "\tName\t\tEnt.\t\tFahrg.\tGes.\tUnterschrift"
                                 : v.MPauschal              ? "\tName\t\tEntsch\tKM\tFahrg.\tGes.\tUnterschrift"
                                 : v.FPauschal              ? "\tName\tStd\tEntsch\t\tFahrg.\tGes.\tUnterschrift"
                                                            : "\tName\tStd\tEntsch\tKm\tFahrg.\tGes.\tUnterschrift";
    const bool stunden = !v.MPauschal, kilometer = !v.FPauschal;

    QString anlage, datum, blatt;
    qint64 summe = 0;
    const auto kopf = [&](bool titel) {
        if (titel) {
            Schrift(Report, 15, true);
            Report.PrintCenter("Auszahlungsliste", Mitte(Report));
            Report.NewLine();
            Schrift(Report, 12, false);
            Report.PrintCenter(Kopfzeile(), Mitte(Report));
            Report.NewLine();
            Report.NewLine();
        }
        Schrift(Report, 10, true);
        Report.PrintLeft("Anlage:   " + anlage, Report.SectionLeft());
        Report.NewLine();
        Report.PrintLeft("Tag:   " + datum, Report.SectionLeft());
        Report.NewLine();
        Report.NewLine();
        auszahlungTabs(Report, Report::BOXLINEALL);
        Reportutil::Zeile(Report, spaltenzeile.mid(1).split('\t'));
        Schrift(Report, 10, false);
    };
    const auto schliessen = [&] {
        if (Report.LinesLeft() < 9) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
        }
        Schrift(Report, 10, false);
        if (v.MComputer) {
            auszahlungTabs(Report, Report::BOXLINENONE);
            Reportutil::Zeile(Report, {"Computereinsatz", "", "", "", "", Cent::Text(v.MComp)});
            summe += v.MComp;
        }
        Report.NewLine();
        Schrift(Report, 10, true);
        SpaltenSetzen(Report, {{11.8, pjLeft}, {2.5, pjRight}, {2.0, pjLeft}});
        Reportutil::Zeile(Report, {"Auszuzahlender Betrag:                                            ",
                                   Cent::Text(summe), waehrung});
        Schrift(Report, 10, false);
        Report.NewLine();
        Report.NewLine();
        Report.PrintLeft("sachlich richtig:          ___________________________________", Report.SectionLeft());
        Report.NewLine();
        Report.NewLine();
        Report.NewLine();
        Report.PrintLeft("rechnerisch richtig:    ___________________________________", Report.SectionLeft());
        Report.NewLine();
        summe = 0;
    };

    Report.NewLine();
    Report.NewLine();
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iZeile);
        const QString key = Feld(q, "Anlage") + "|" + Feld(q, "WKTag");
        if (key != blatt) {
            if (!blatt.isEmpty()) {
                schliessen();
                Report.NewPage();
                Report.NewLine();
                Report.NewLine();
            }
            blatt = key;
            anlage = Feld(q, "AnlName");
            datum = Feld(q, "Datum");
            kopf(true);
        }
        if (Report.LinesLeft() < 3) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
            kopf(false);
        }
        const double h = (q.FieldByName("Ende")->AsFloat() - q.FieldByName("Beginn")->AsFloat()) * 24;
        const TAuszahlung a = rechnen(v, Feld(q, "Tagessatz").trimmed(), q.FieldByName("Entfernung")->AsFloat(), h);
        summe += a.Gesamt();
        auszahlungTabs(Report, Report::BOXLINELEFT);
        VorbListen::Zeile(Report, {VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "Titel"), Feld(q, "Vorname")),
                                   stunden ? QString::number(a.Stunden) : QString(), Cent::Text(a.Entschaedigung),
                                   kilometer ? Feld(q, "Entfernung") : QString(), Cent::Text(a.Fahrgeld),
                                   Cent::Text(a.Gesamt()), ""});
    }
    schliessen();
    Report.ClearTabs();
}
