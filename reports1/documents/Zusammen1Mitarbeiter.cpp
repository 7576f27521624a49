// The staff overview and the staff confirmation per club: per range the
// club's staff with a mark under every day of duty; the confirmation also
// carries the contact block and a closing text for the club to answer.

#include "reports1/documents/Zusammen1.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <QDir>

using Report::pjLeft;
using Report::TBaseReport;

namespace {

using Qvutil::CRLF;

QString feld(Ado::TDataSet& q, const char* name)
{
    Ado::TField* f = q.FindField(name);
    return f ? f->AsString() : QString();
}

void schrift(TBaseReport& r, double size, bool bold = false, bool italic = false)
{
    r.SetFont("Arial", size);
    r.SetBold(bold);
    r.SetItalic(italic);
    r.SetUnderline(false);
}

double mitte(TBaseReport& r) { return r.SectionLeft() + (r.SectionRight() - r.SectionLeft()) / 2; }

QString kopfzeile()
{
    return Qvsettings::GetString("Global", "Ueberschr") + " "
           + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
}

void zeilen(TBaseReport& r, int n)
{
    for (int i = 0; i < n; ++i)
        r.NewLine();
}

// Fold mark, title, heading and, for the confirmation, the contact block;
// then the club.
void SeitenKopfDrucken(TBaseReport& Report, Ado::TDataSet& q, const QString& Titel, bool Adresse, int Verband)
{
    const QStringList kontakt = Schtools::FileToStrings(QDir(Qvpaths::DataFolder()).filePath("KONTAK.DAT"));
    Reportutil::Faltmarker(Report);
    zeilen(Report, 2);
    schrift(Report, 14, true, true);
    Report.PrintCenter(Titel, mitte(Report));
    Report.NewLine();
    schrift(Report, 12);
    Report.PrintCenter(kopfzeile(), mitte(Report));
    if (!Adresse) {
        zeilen(Report, 2);
    } else {
        zeilen(Report, 5);
        schrift(Report, 10);
        for (const QString& z : kontakt) {
            Report.PrintLeft(Reportutil::Druckbar(z), Report.SectionLeft());
            Report.NewLine();
        }
        if (kontakt.isEmpty())
            zeilen(Report, 2);
        zeilen(Report, 3);
    }
    schrift(Report, 12, true);
    const QString titel = Verband == 3 || feld(q, "Titel").trimmed().isEmpty() ? QString() : feld(q, "Titel") + " ";
    Report.PrintCenter(feld(q, "VereinNr") + " " + titel + feld(q, "VerName"), mitte(Report));
    zeilen(Report, 2);
}

// The cells of the range table: club number, name, task, six days, answer.
void anlagenTabs(TBaseReport& Report)
{
    Report.ClearTabs();
    const double breiten[] = {1.5, 4.7, 3.8, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    for (int i = 0; i < 10; ++i)
        Report.SetTab(i == 0 ? Report.SectionLeft() : Report::NA, pjLeft, breiten[i], 3, Report::BOXLINEALL, 0);
}

// The range heading with its days of duty; returns those days (at most six,
// as day and month).
QStringList AnlagenKopfDrucken(TBaseReport& Report, Ado::TDataSet& q)
{
    schrift(Report, 12, true, true);
    Report.PrintLeft("Anlage: " + feld(q, "AnlName"), 2.0);
    zeilen(Report, 2);
    anlagenTabs(Report);
    schrift(Report, 10);
    auto tage = Datamod::DataModule1()->DynQuery(
        "SELECT DISTINCT MZ.Anlage,WK.Datum\r\nFROM MSPESEN MZ, MITARB MT, AWKTAG WK\r\nWHERE MZ.MitglNr = MT.MitglNr\r\n"
        "  AND MZ.WKTag = WK.WKTag\r\n  AND MZ.Ident = WK.Ident\r\n  AND MZ.Ident = :Ident\r\n  AND MZ.Anlage = :Anlage\r\n"
        "ORDER BY MZ.Anlage,WK.Datum",
        Ado::clUseServer, Ado::ltReadOnly);
    tage->ParamByName("Ident")->SetValue(Datamod::iIdent);
    tage->ParamByName("Anlage")->SetValue(q.FieldByName("Anlage")->AsInteger());
    tage->Open();
    QStringList spalten;
    for (tage->First(); !tage->Eof() && spalten.size() < 6; tage->Next()) {
        const QString d = tage->FieldByName("Datum")->AsString().left(6);
        if (!spalten.contains(d))
            spalten << d;
    }
    while (spalten.size() < 6)
        spalten << QString();
    Reportutil::Zeile(Report, QStringList{"V.Nr.", "Name", "Funktion"} + spalten + QStringList{"Best."});
    return spalten;
}

void PrintNachsatz(TBaseReport& Report)
{
    if (Report.LinesLeft() < 10)
        Report.NewPage();
    zeilen(Report, 2);
    schrift(Report, 10);
    const QStringList text = {
        "Bitte bestätigen Sie im rechten Feld, ob der Mitarbeiter an den für ihn vorgesehenen Tagen,",
        "bei der " + Qvsettings::GetString("Global", "Ueberschr") + ", zur Verfügung steht.",
        "Ohne die Teilnahme Ihrer qualifizierten Mitarbeiter, kann eine Meisterschaft leider nicht durchgeführt werden.",
        "Die Sportleitung bedankt sich schon im Voraus.",
    };
    for (const QString& z : text) {
        for (const QString& teil : Reportutil::TextAufteilen(Report, z, Report.SectionLeft(), Report.SectionRight())) {
            Report.PrintLeft(teil, Report.SectionLeft());
            Report.NewLine();
        }
    }
    zeilen(Report, 3);
    Report.PrintLeft("______________________________ den,", Report.SectionLeft());
    Report.NewLine();
}

} // namespace

void TZusammenForm::rf_MitarbeiterPrint(TBaseReport& Report) { MitarbeiterDrucken(Report, false); }

void TZusammenForm::rf_BestaetigungPrint(TBaseReport& Report) { MitarbeiterDrucken(Report, true); }

void TZusammenForm::MitarbeiterDrucken(TBaseReport& Report, bool Bestaetigung)
{
    Ado::TDataSet& q = *Q1;
    const QString titel = Bestaetigung ? "Mitarbeiterbestätigung" : "Mitarbeiterliste";
    QString verein, anlage;
    QStringList tage;
    struct {
        QString nr, verein, name, funktion;
        QStringList marken;
    } p;
    const auto zeileDrucken = [&] {
        if (p.nr.isEmpty())
            return;
        QStringList z{p.verein, p.name, p.funktion};
        z << p.marken;
        z << "";
        schrift(Report, 10);
        anlagenTabs(Report);
        VorbListen::Zeile(Report, z);
        p.nr.clear();
    };
    bool erste = true;
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iFortschritt);
        const bool neuerVerein = feld(q, "VereinNr") != verein || erste;
        if (neuerVerein || feld(q, "Anlage") != anlage || feld(q, "MitglNr") != p.nr)
            zeileDrucken();
        if (neuerVerein) {
            if (!erste) {
                if (Bestaetigung)
                    PrintNachsatz(Report);
                Report.NewPage();
            }
            erste = false;
            SeitenKopfDrucken(Report, q, titel, Bestaetigung, iVerband);
            tage = AnlagenKopfDrucken(Report, q);
        } else if (feld(q, "Anlage") != anlage) {
            zeilen(Report, 2);
            if (Report.LinesLeft() < 6)
                Report.NewPage();
            tage = AnlagenKopfDrucken(Report, q);
        }
        verein = feld(q, "VereinNr");
        anlage = feld(q, "Anlage");
        if (p.nr.isEmpty()) {
            if (Report.LinesLeft() < 3) {
                // The range heading goes on over the rest of its staff.
                Report.NewPage();
                zeilen(Report, 2);
                tage = AnlagenKopfDrucken(Report, q);
            }
            p.nr = feld(q, "MitglNr");
            p.verein = feld(q, "VereinNr");
            p.name = VorbListen::NameTitelVorname(feld(q, "Name"), feld(q, "VorTitel"), feld(q, "Vorname"));
            p.funktion = feld(q, "MitName");
            p.marken = QStringList(6, QString());
        }
        const int spalte = int(tage.indexOf(feld(q, "Datum").left(6)));
        if (spalte >= 0)
            p.marken[spalte] = " X ";
    }
    zeileDrucken();
    if (Bestaetigung && !erste)
        PrintNachsatz(Report);
}
