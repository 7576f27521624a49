#include "reports1/results/ErgebVordrucke.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRekorde.h"

#include <algorithm>

using Report::TBaseReport;

namespace ErgebVordrucke {

namespace {

using Reportutil::TSpalte;
constexpr auto L = Report::pjLeft;
constexpr auto C = Report::pjCenter;

QString global(const char* key) { return Qvsettings::GetString("Global", key).trimmed(); }

// The blanks of a form row take their room; the next row starts Abstand
// cm below.
void Luecke(TBaseReport& R, double Abstand) { R.SetYPos(R.GetYPos() + Abstand); }

} // namespace

void TabZeile(TBaseReport& R, const QString& Text)
{
    QStringList felder = Text.split('\t');
    felder.removeFirst();
    Reportutil::Zeile(R, felder);
}

// --- Deregistration forms ------------------------------------------------------

QString Erklaerung(int VeranstaltungsArt)
{
    static const char* const stufen[] = {"Kreis/Gau-Meisterschaft", "Bezirks-Meisterschaft", "Landes-Meisterschaft",
                                         "Deutschen Meisterschaft"};
    if (VeranstaltungsArt < 0 || VeranstaltungsArt > 3)
        return {};
    return QString("Hiermit erkläre ich, dass ich in diesem Sportjahr an der %1 in folgenden Disziplinen,")
        .arg(QString::fromUtf8(stufen[VeranstaltungsArt]));
}

TBildgroesse Wappengroesse(double Breite, double Hoehe)
{
    double b = Qvsettings::GetInteger("Speziell", "BitmapLL") / 100.0;
    double h = Qvsettings::GetInteger("Speziell", "BitmapLH") / 100.0;
    if (b <= 0 && h <= 0)
        return {};
    // One size alone gives a square picture.
    if (b <= 0)
        b = h;
    if (h <= 0)
        h = b;
    const double faktor = std::min({1.0, Breite / b, Hoehe / h});
    return {b * faktor, h * faktor};
}

namespace {

// One form, its top at Oben: the addressee and organiser beside the left
// coat of arms, the title between the two pictures, the declaration and
// the lines to fill in.
void Abmeldung(TBaseReport& R, double Oben)
{
    const double links = R.SectionLeft(), rechts = R.SectionRight();
    const TBildgroesse bild = Wappengroesse(3.0, 2.4);
    const double bildOben = Oben + 1.7;
    Schtools::PrintBmp(R, "WAPPEN.BMP", bild.Breite, bild.Hoehe, links + 0.8, bildOben);
    Schtools::PrintBmp(R, "WAPPEN.BMP", bild.Breite, bild.Hoehe, rechts - 0.8 - bild.Breite, bildOben);

    // Addressee, organiser and, when set, the sports director; the
    // federation's name stands right on the first line.
    R.SetBold(false);
    R.SetFont("Arial", 11);
    R.SetYPos(Oben + 0.4);
    Reportutil::SpaltenSetzen(R, {{12.5, L}, {Reportutil::Rest, Report::pjRight}});
    Reportutil::Zeile(R, {"An den " + global("Ueberschr"), Datamod::VerbandName(Datamod::iVerband)});
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {(global("Veranst1") + " " + global("Veranst2")).trimmed()});
    if (!global("Sportl").isEmpty())
        Reportutil::Zeile(R, {"z. Hd. " + global("Sportl")});

    // The title halfway down the pictures.
    R.SetYPos(bildOben + 1.4);
    // The rows of 17 cm are centred on the section.
    const double mitte17 = links + (rechts - links - 17.0) / 2;
    Reportutil::SpaltenSetzen(R, {{6.5, L}, {4.0, C}, {6.5, L}}, mitte17);
    R.SetFont("Arial", 18);
    TabZeile(R, "\t\tAbmeldung\t");

    R.SetYPos(bildOben + 3.0);
    R.SetFont("Arial", 10);
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {"Sehr geehrter " + global("Ueberschr")});
    R.NewLine();
    const QString erklaerung = Erklaerung(Qvsettings::GetInteger("Allgemein", "VeranstaltungsArt"));
    if (!erklaerung.isEmpty())
        Reportutil::Zeile(R, {erklaerung});
    Reportutil::SpaltenSetzen(R, {{7.0, L}, {3.0, C}, {7.0, L}}, mitte17);
    TabZeile(R, "\t\tnicht teilnehme.\t");
    Luecke(R, 0.4);

    Reportutil::SpaltenSetzen(R, {{1.0, L}, {2.5, L}, {13.0, L}, {1.0, L}});
    TabZeile(R, "\t\tDisziplinen: \t__________________________________________________________________________\t");
    R.SetFont("Arial", 8);
    Reportutil::SpaltenSetzen(R, {{1.0, L}, {15.5, L}});
    TabZeile(R, "\t\tWenn das Feld Diszipinen nicht ausgefüllt wird, werden alle Disziplinen abgemeldet!");
    Luecke(R, 0.5);

    R.SetFont("Arial", 11);
    const auto reihe = [&](const QVector<TSpalte>& spalten, const QString& text) {
        Reportutil::SpaltenSetzen(R, spalten);
        TabZeile(R, text);
        Luecke(R, 0.45);
    };
    reihe({{1.0, L}, {2.2, L}, {3.8, L}, {2.0, L}, {2.2, L}, {4.3, L}, {1.0, L}},
          "\t\tName: \t_________________________\t\tVorname: \t______________________________\t");
    reihe({{1.0, L}, {4.0, L}, {11.5, L}, {1.0, L}},
          "\t\tSchützenausweis-Nr.: \t___________________________________________________________\t");
    reihe({{1.0, L}, {2.2, L}, {3.8, L}, {2.0, L}, {2.2, L}, {5.3, L}, {1.0, L}},
          "\t\tVereins-Nr.: \t_________________________\t\tVerein: \t______________________________\t");
    reihe({{1.0, L}, {2.2, L}, {3.8, L}, {2.0, L}, {2.2, L}, {5.3, L}, {1.0, L}},
          "\t\tDatum: \t_________________________\t\tUnterschrift: \t______________________________\t");
    reihe({{0.5, L}, {0.5, L}, {4.0, L}, {1.5, L}, {3.5, L}, {6.5, L}, {1.0, L}},
          "\t\t\tAbmeldung der Mannschaft\t\tMannsch.-Führer:\t____________________________________\t");
}

} // namespace

void AbmeldungenPrint(TBaseReport& R)
{
    R.SetTabShade(0);
    Abmeldung(R, 0.8);
    // The cut line between the two forms.
    R.SetFont("Arial", 10);
    R.SetBold(false);
    R.SetYPos(14.9);
    ErgebRekorde::Zentriert(R, QString(120, '-'), (R.SectionLeft() + R.SectionRight()) / 2,
                            R.SectionRight() - R.SectionLeft());
    Abmeldung(R, 15.3);
}

} // namespace ErgebVordrucke
