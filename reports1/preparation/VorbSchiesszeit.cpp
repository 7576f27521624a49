#include "reports1/preparation/VorbSchiesszeit.h"

#include "platform/ado/Ado.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/preparation/VorbListen.h"

#include <cmath>

using Report::pjCenter;
using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using Reportutil::SpaltenSetzen;
using VorbListen::Zeile;

namespace VorbSchiesszeit {

TWerte Berechnen(double Von, double Bis, int Dauer, int Anzahl, int ErsterStand, int DurchgangsZahl,
                 const QString& Kennung)
{
    TWerte w;
    const int fenster = int(std::lround((Bis - Von) * 24 * 60));
    w.Durchgaenge = Dauer > 0 ? fenster / Dauer : 0;
    w.Starts = DurchgangsZahl > 0 ? Anzahl * w.Durchgaenge / DurchgangsZahl : 0;
    w.VonStand = ErsterStand;
    // Kennung k > 1: after every k - 1 points one stays free. A Kennung of 1
    // would leave every point free; it counts like none.
    const int k = Kennung.trimmed().toInt();
    w.BisStand = k > 1 ? Anzahl + Anzahl / (k - 1) : ErsterStand + Anzahl - 1;
    return w;
}

QString SchiesszeitSQL()
{
    return QStringList{
        "SELECT AZ.ID,AZ.Anlage,AZ.WKTag,AZ.Disziplin,AZ.Von,AZ.Bis,AZ.Anzahl,AZ.ErsterStand,",
        "       AZ.Freigabe,AZ.KListe,WK.Datum,WK.Status,A.Name AS AnlName,",
        "       D.Name AS DisName,D.Kennung,D.DurchgangsZahl,",
        "       K.Klasse,K.Name AS KlaName,K.Zusatz,",
        "       DK.DurchGZ1,DK.DurchGZ1Elek,DK.Pause,DK.Elektronisch",
        "FROM ASZEIT AZ, AWKTAG WK, PANLAGE A, PDISZIPLIN D, AKLISTE KL, PKLASSE K, PDISKLA DK",
        "WHERE AZ.WKTag = WK.WKTag",
        "  AND AZ.Ident = WK.Ident",
        "  AND AZ.Anlage = A.Anlage",
        "  AND AZ.Ident = A.Ident",
        "  AND AZ.Disziplin = D.Disziplin",
        "  AND AZ.Ident = D.Ident",
        "  AND AZ.KListe = KL.KListe",
        "  AND AZ.Ident = KL.Ident",
        "  AND KL.Klasse = K.Klasse",
        "  AND KL.Ident = K.Ident",
        "  AND DK.Disziplin = AZ.Disziplin",
        "  AND DK.Klasse = K.Klasse",
        "  AND DK.Ident = AZ.Ident",
        "  AND AZ.Ident = :Ident",
        "  AND WK.Teilmeisterschaft = :Teilmeister",
        "ORDER BY AZ.Anlage,WK.Datum,AZ.Disziplin,AZ.Von,K.Klasse",
    }.join(Qvutil::CRLF);
}

void SchiesszeitPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const auto f = [&](const char* name) { return Q1.FieldByName(name)->AsString(); };
    const auto zahl = [&](const char* name) { return Q1.FieldByName(name)->AsInteger(); };
    const VorbListen::TSchattierung schatten = VorbListen::TSchattierung::AusEinstellungen();
    VorbListen::ListenKopf(Report, "Schiesszeiten Teilmeisterschaft " + Qvsettings::GetString("Speziell", "Teilmeisterschaft"),
                           false, 1);
    // Discipline, its name, from, to, first and last point, points, relays,
    // starts; the classes of an entry under its name.
    const QVector<Reportutil::TSpalte> spalten = {{1.1, pjLeft},   {3.8, pjLeft},   {2.0, pjLeft},
                                                  {2.0, pjLeft},   {1.4, pjCenter}, {1.3, pjCenter},
                                                  {1.3, pjCenter}, {1.6, pjCenter}, {1.4, pjCenter}};
    const QVector<Reportutil::TSpalte> klassen = {{1.1, pjLeft}, {1.1, pjRight}, {Reportutil::Rest, pjLeft}};
    const auto spaltenkopf = [&] {
        Report.SetTabShade(0);
        Report.SetFont("Arial", 10);
        Report.SetBold(true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"", "", "von Zeit", "bis Zeit", "von St.", "bis St.", "Anz.", "Durchg.", "Starts"});
        Report.SetBold(false);
    };
    QString anlage, tag;
    int eintrag = -1, i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (f("Anlage") != anlage) {
            if (!anlage.isEmpty()) {
                Report.NewPage();
                Report.NewLine();
                Report.NewLine();
            }
            anlage = f("Anlage");
            tag.clear();
            Report.SetTabShade(0);
            Report.SetFont("Arial", 12);
            Report.SetBold(true);
            SpaltenSetzen(Report, {{1.1, pjRight}, {12.0, pjLeft}, {1.5, pjRight}});
            Zeile(Report, {anlage, f("AnlName"), ""});
        }
        if (f("WKTag") != tag) {
            tag = f("WKTag");
            Report.SetTabShade(0);
            VorbListen::Seitenwechsel(Report, 6);
            Report.NewLine();
            Report.SetFont("Arial", 11);
            Report.SetBold(true);
            SpaltenSetzen(Report, {{1.1, pjLeft}, {3.8, pjLeft}, {Reportutil::Rest, pjLeft}});
            Zeile(Report, {"Tag:", tag, f("Datum")});
            spaltenkopf();
            eintrag = -1;
        }
        if (VorbListen::Seitenwechsel(Report, 2))
            spaltenkopf();
        Report.SetFont("Arial", 10);
        if (zahl("ID") != eintrag) {
            // The entry once, its classes below it.
            eintrag = zahl("ID");
            const bool elektronisch = f("Elektronisch") == "J";
            const int dauer = (elektronisch ? zahl("DurchGZ1Elek") : zahl("DurchGZ1")) + zahl("Pause");
            const TWerte w = Berechnen(Q1.FieldByName("Von")->AsFloat(), Q1.FieldByName("Bis")->AsFloat(), dauer,
                                       zahl("Anzahl"), zahl("ErsterStand"), zahl("DurchgangsZahl"), f("Kennung"));
            Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
            SpaltenSetzen(Report, spalten);
            Zeile(Report, {VorbListen::Gepunktet(f("Disziplin")), f("DisName"), f("Von").left(5), f("Bis").left(5),
                           QString::number(w.VonStand), QString::number(w.BisStand), f("Anzahl"),
                           QString::number(w.Durchgaenge), QString::number(w.Starts)});
        }
        Report.SetFont("Arial", 9);
        SpaltenSetzen(Report, klassen);
        Zeile(Report, {"", f("Klasse"), (f("KlaName") + " " + f("Zusatz")).trimmed()});
    }
}

} // namespace VorbSchiesszeit
