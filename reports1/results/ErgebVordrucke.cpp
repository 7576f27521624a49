#include "reports1/results/ErgebVordrucke.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/ReportUtil.h"
#include "reports1/results/ErgebRekorde.h"

#include <QDate>

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

// --- Results confirmation -------------------------------------------------------

TBestaetigung BestaetigungLesen(int Ident, const QString& MitglNr, const QString& VereinNr, const QStringList& Disziplinen)
{
    auto dm = Datamod::DataModule1();
    const QString ident = QString::number(Ident);
    TBestaetigung b;
    b.Datum = QDate::currentDate().toString("dd.MM.yyyy");
    {
        auto m = dm->DynQuery("SELECT Name,Vorname,Titel\r\nFROM EMITGLIED\r\nWHERE MitglNr = " + Ado::QuotedStr(MitglNr),
                              Ado::clUseServer, Ado::ltReadOnly);
        if (!m->IsEmpty()) {
            b.Name = m->FieldByName("Name")->AsString().trimmed();
            b.Vorname = m->FieldByName("Vorname")->AsString().trimmed();
            b.Titel = m->FieldByName("Titel")->AsString().trimmed();
        }
        auto v = dm->DynQuery("SELECT Abkuerzung,Name\r\nFROM EVEREIN\r\nWHERE VereinNr = " + Ado::QuotedStr(VereinNr),
                              Ado::clUseServer, Ado::ltReadOnly);
        if (!v->IsEmpty())
            b.Verein = (v->FieldByName("Abkuerzung")->AsString().trimmed() + " " + v->FieldByName("Name")->AsString().trimmed())
                           .trimmed();
    }
    for (const QString& disziplin : Disziplinen) {
        auto d = dm->DynQuery("SELECT Name\r\nFROM PDISZIPLIN\r\nWHERE Ident = " + ident + Qvutil::CRLF
                                  + "  AND Disziplin = " + Ado::QuotedStr(disziplin),
                              Ado::clUseServer, Ado::ltReadOnly);
        TBestaetigung::TWettbewerb w;
        w.Name = d->IsEmpty() ? disziplin : d->FieldByName("Name")->AsString();
        // The shooter's best result in the competition (a shooter may have
        // started in it in more than one class).
        auto e = dm->DynQuery("SELECT Ergebnis,Serien\r\nFROM ERGEBNIS\r\nWHERE Ident = " + ident + Qvutil::CRLF
                                  + "  AND MitglNr = " + Ado::QuotedStr(MitglNr) + Qvutil::CRLF + "  AND Disziplin = "
                                  + Ado::QuotedStr(disziplin) + Qvutil::CRLF + "  AND Ergebnis > 0" + Qvutil::CRLF
                                  + "ORDER BY Ergebnis DESC",
                              Ado::clUseServer, Ado::ltReadOnly);
        if (e->IsEmpty())
            throw Eingabefehler("Im Wettbewerb " + w.Name + " liegt für " + (b.Vorname + " " + b.Name).trimmed()
                                + " kein Ergebnis vor.");
        e->First();
        const bool zehntel = Datamod::DisziplinInfo(disziplin, Ident).Zehntelwertung;
        w.Ergebnis = Schtools::ErgebnisStr(e->FieldByName("Ergebnis")->AsFloat(), zehntel);
        w.Serien = Schtools::SerienToStrings(Schtools::FromSerienFormat(e->FieldByName("Serien")->AsString()), "|");
        b.Wettbewerbe << w;
    }
    return b;
}

void BestaetigungPrint(TBaseReport& R, const TBestaetigung& B)
{
    R.SetTabShade(0);
    const double links = R.SectionLeft(), breite = R.SectionRight() - links, mitte = links + breite / 2;
    R.SetBold(false);
    R.SetFont("Arial", 12);
    R.SetYPos(3.0);
    ErgebRekorde::Zentriert(R, "ERGEBNISBESTÄTIGUNG", mitte, breite);
    R.NewLine();
    ErgebRekorde::Zentriert(R, Reportutil::Druckbar(global("Ueberschr") + " "
                                                    + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr")))
                                   .trimmed(),
                            mitte, breite);
    Luecke(R, 2.0);

    R.SetFont("Arial", 11);
    Reportutil::SpaltenSetzen(R, {{1.7, L}, {8.0, L}, {2.1, L}, {5.0, L}});
    TabZeile(R, "\tName:\t" + B.Name + "\tVorname:\t" + (B.Titel + " " + B.Vorname).trimmed());
    Luecke(R, 0.3);
    Reportutil::SpaltenSetzen(R, {{1.7, L}, {8.0, L}});
    TabZeile(R, "\tVerein:\t" + B.Verein);
    Luecke(R, 1.0);

    R.SetFont("Arial", 10);
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {"hat bei der  " + global("Ueberschr") + "  in dem"});
    Luecke(R, 0.8);
    for (const TBestaetigung::TWettbewerb& w : B.Wettbewerbe) {
        Reportutil::SpaltenSetzen(R, {{2.7, L}, {6.9, L}, {2.1, L}, {5.0, L}});
        TabZeile(R, "\tWettbewerb:\t" + w.Name + "\tGesamt:\t" + w.Ergebnis);
        // The series right of the label, as many columns as there are series.
        if (!w.Serien.isEmpty()) {
            const int n = int(w.Serien.size());
            const double spalte = std::min(1.5, (breite - 2.7) / n);
            QVector<TSpalte> spalten = {{2.7, L}};
            for (int i = 0; i < n; ++i)
                spalten << TSpalte{spalte, Report::pjRight};
            Reportutil::SpaltenSetzen(R, spalten);
            Reportutil::Zeile(R, QStringList{"Serien:"} + w.Serien);
        }
        Luecke(R, 0.8);
    }

    R.SetFont("Arial", 10);
    R.SetYPos(23.3638);
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {"das oben aufgeführte Ergebnis erzielt"});
    Luecke(R, 1.2);
    R.SetFont("Arial", 11);
    Reportutil::SpaltenSetzen(R, {{1.7, L}, {5.7, L}, {2.9, L}, {4.7, L}});
    TabZeile(R, "\tDatum:\t" + B.Datum + "\tSchießleitung:\t_______________________________");
}

} // namespace ErgebVordrucke
