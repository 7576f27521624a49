// The staff overview and the staff confirmation per club: per range the
// club's staff with a mark under every day of duty; the confirmation also
// carries the contact block and a closing text for the club to answer.

#include "reports1/documents/Zusammen1.h"

#include "reports1/documents/DokumentDruck.h"
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
using namespace DokumentDruck;

namespace {

using Qvutil::CRLF;

// Fold mark, title, heading and, for the confirmation, the contact block;
// then the club.
void SeitenKopfDrucken(TBaseReport& Report, Ado::TDataSet& q, const QString& Titel, bool Adresse, int Verband)
{
    const QStringList kontakt = Schtools::FileToStrings(QDir(Qvpaths::DataFolder()).filePath("KONTAK.DAT"));
    Reportutil::Faltmarker(Report);
    Zeilen(Report, 2);
    Schrift(Report, 14, true, true);
    Report.PrintCenter(Titel, Mitte(Report));
    Report.NewLine();
    Schrift(Report, 12);
    Report.PrintCenter(Kopfzeile(), Mitte(Report));
    if (!Adresse) {
        Zeilen(Report, 2);
    } else {
        Zeilen(Report, 5);
        Schrift(Report, 10);
        for (const QString& z : kontakt) {
            Report.PrintLeft(Reportutil::Druckbar(z), Report.SectionLeft());
            Report.NewLine();
        }
        if (kontakt.isEmpty())
            Zeilen(Report, 2);
        Zeilen(Report, 3);
    }
    Schrift(Report, 12, true);
    const QString titel = Verband == 3 || Feld(q, "Titel").trimmed().isEmpty() ? QString() : Feld(q, "Titel") + " ";
    Report.PrintCenter(Feld(q, "VereinNr") + " " + titel + Feld(q, "VerName"), Mitte(Report));
    Zeilen(Report, 2);
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
    Schrift(Report, 12, true, true);
    Report.PrintLeft("Anlage: " + Feld(q, "AnlName"), 2.0);
    Zeilen(Report, 2);
    anlagenTabs(Report);
    Schrift(Report, 10);
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
    Zeilen(Report, 2);
    Schrift(Report, 10);
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
    Zeilen(Report, 3);
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
        Schrift(Report, 10);
        anlagenTabs(Report);
        VorbListen::Zeile(Report, z);
        p.nr.clear();
    };
    bool erste = true;
    for (q.First(); !q.Eof(); q.Next()) {
        Druckjob::Progress(++iFortschritt);
        const bool neuerVerein = Feld(q, "VereinNr") != verein || erste;
        if (neuerVerein || Feld(q, "Anlage") != anlage || Feld(q, "MitglNr") != p.nr)
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
        } else if (Feld(q, "Anlage") != anlage) {
            Zeilen(Report, 2);
            if (Report.LinesLeft() < 6)
                Report.NewPage();
            tage = AnlagenKopfDrucken(Report, q);
        }
        verein = Feld(q, "VereinNr");
        anlage = Feld(q, "Anlage");
        if (p.nr.isEmpty()) {
            if (Report.LinesLeft() < 3) {
                // The range heading goes on over the rest of its staff.
                Report.NewPage();
                Zeilen(Report, 2);
                tage = AnlagenKopfDrucken(Report, q);
            }
            p.nr = Feld(q, "MitglNr");
            p.verein = Feld(q, "VereinNr");
            p.name = VorbListen::NameTitelVorname(Feld(q, "Name"), Feld(q, "VorTitel"), Feld(q, "Vorname"));
            p.funktion = Feld(q, "MitName");
            p.marken = QStringList(6, QString());
        }
        const int spalte = int(tage.indexOf(Feld(q, "Datum").left(6)));
        if (spalte >= 0)
            p.marken[spalte] = " X ";
    }
    zeileDrucken();
    if (Bestaetigung && !erste)
        PrintNachsatz(Report);
}
