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

// --- Application for the Olympic disciplines ---------------------------------------

QString KlasseHolen(int Ident, const QString& MitglNr)
{
    auto dm = Datamod::DataModule1();
    const QString ident = QString::number(Ident);
    QString code;
    auto e = dm->DynQuery("SELECT EKlasse\r\nFROM ERGEBNIS\r\nWHERE Ident = " + ident + Qvutil::CRLF + "  AND MitglNr = "
                              + Ado::QuotedStr(MitglNr) + Qvutil::CRLF + "ORDER BY EKlasse",
                          Ado::clUseServer, Ado::ltReadOnly);
    if (!e->IsEmpty()) {
        e->First();
        code = e->FieldByName("EKlasse")->AsString().trimmed();
    } else {
        auto m = dm->DynQuery("SELECT HlKlasse\r\nFROM EMITGLIED\r\nWHERE MitglNr = " + Ado::QuotedStr(MitglNr),
                              Ado::clUseServer, Ado::ltReadOnly);
        if (!m->IsEmpty())
            code = m->FieldByName("HlKlasse")->AsString().trimmed();
    }
    if (code.isEmpty())
        return {};
    auto k = dm->DynQuery("SELECT Name\r\nFROM PKLASSE\r\nWHERE Ident = " + ident + Qvutil::CRLF + "  AND Klasse = "
                              + Ado::QuotedStr(code),
                          Ado::clUseServer, Ado::ltReadOnly);
    return code + ", " + (k->IsEmpty() ? QString() : k->FieldByName("Name")->AsString().trimmed());
}

bool KlasseZugelassen(const QString& Klasse)
{
    const QString code = Klasse.section(',', 0, 0).trimmed();
    return !(code == "10" || code == "11" || code == "20" || code == "21" || code > "69");
}

QString FormKennzahl(const QString& KennzEDSB, const QString& Geschlecht)
{
    const QStringList teile = KennzEDSB.trimmed().split('.');
    if (teile.size() < 2 || teile[0].isEmpty() || teile[1].isEmpty())
        return {};
    const QString disziplin = teile[0] + "." + teile[1];
    const QString klasse = teile.value(2).trimmed();
    if (klasse == "10" || klasse == "11" || klasse == "40" || klasse == "41")
        return disziplin + "." + klasse;
    // Youths and juniors B apply as juniors, the older classes as men or
    // women; the seniors' classes are for both, the member's sex decides.
    const bool frau = klasse.startsWith('6') ? Geschlecht.trimmed().toUpper().startsWith('W')
                                             : (!klasse.isEmpty() && klasse.back().digitValue() % 2 == 1);
    if (klasse.startsWith('3') || klasse.startsWith('4'))
        return disziplin + (frau ? ".41" : ".40");
    if (klasse.startsWith('5') || klasse.startsWith('6') || klasse.startsWith('1'))
        return disziplin + (frau ? ".11" : ".10");
    return {};
}

QVector<TOlympiaZeile> OlympiaZeilen(bool Flinte)
{
    struct TDisziplin {
        const char* Code;
        QStringList Name;
        QStringList Klassen;
    };
    static const QHash<QString, QString> texte = {{".10", "Männer"}, {".11", "Frauen"}, {".40", "Jun. m"}, {".41", "Jun. w"}};
    const QVector<TDisziplin> links = {
        {"1.10", {"Luftgewehr"}, {".10", ".40", ".11", ".41"}},
        {"1.40", {"KK 3 x 20"}, {".11", ".41"}},
        {"1.60", {"KK 3 x 40"}, {".10", ".40"}},
        {"1.80", {"KK Liegend"}, {".10", ".40"}},
        {"2.10", {"Luftpistole"}, {".10", ".40", ".11", ".41"}},
        {"2.20", {"Freie Pistole"}, {".10", ".40"}},
        {"2.30", {"Olympische", "Schnellfeuerpistole"}, {".10", ".40"}},
        {"2.40", {"Sportpistole"}, {".11", ".41"}},
    };
    const QVector<TDisziplin> rechts = {
        {"3.10", {"Trap"}, {".10", ".40", ".11", ".41"}},
        {"3.15", {"Doppeltrap"}, {".10", ".40"}},
        {"3.20", {"Skeet"}, {".10", ".40", ".11", ".41"}},
    };
    QVector<TOlympiaZeile> zeilen;
    for (const TDisziplin& d : Flinte ? rechts : links)
        for (int i = 0; i < d.Klassen.size(); ++i)
            zeilen << TOlympiaZeile{d.Code, d.Name.value(i), d.Klassen[i], texte.value(d.Klassen[i])};
    return zeilen;
}

QString OlympischSQL(int Ident, const QString& MitglNr, const QStringList& Disziplinen)
{
    QString sql = "SELECT *\r\nFROM ERGEBNIS\r\nWHERE Ident = " + QString::number(Ident) + Qvutil::CRLF
                  + "  AND MitglNr = " + Ado::QuotedStr(MitglNr) + Qvutil::CRLF + " AND (";
    for (int i = 0; i < Disziplinen.size(); ++i)
        sql += (i == 0 ? "Disziplin = " : " OR Disziplin = ") + Ado::QuotedStr(Disziplinen[i]);
    return sql + ")" + Qvutil::CRLF + "ORDER BY Disziplin,EKlasse";
}

TOlympisch OlympischLesen(int Ident, const QString& MitglNr, const QStringList& Disziplinen)
{
    auto dm = Datamod::DataModule1();
    TOlympisch o;
    QString geschlecht;
    auto m = dm->DynQuery("SELECT *\r\nFROM EMITGLIED\r\nWHERE MitglNr = " + Ado::QuotedStr(MitglNr), Ado::clUseServer,
                          Ado::ltReadOnly);
    if (!m->IsEmpty()) {
        auto f = [&](const char* n) { return m->FieldByName(n)->AsString().trimmed(); };
        o.Name = f("Name");
        o.Vorname = (f("Titel") + " " + f("Vorname")).trimmed();
        if (!f("Jahrgang").isEmpty())
            o.Geburtsdatum = f("Tag") + "." + f("Monat") + "." + f("Jahrgang");
        o.Mitgliedsnummer = f("OrgMitglNr");
        geschlecht = f("Geschlecht");
    }
    o.Klasse = KlasseHolen(Ident, MitglNr).section(',', 1).trimmed();
    if (Disziplinen.isEmpty())
        return o;
    auto e = dm->DynQuery(OlympischSQL(Ident, MitglNr, Disziplinen), Ado::clUseServer, Ado::ltReadOnly);
    for (e->First(); !e->Eof(); e->Next()) {
        auto k = dm->DynQuery("SELECT KennzEDSB\r\nFROM PDISKLA\r\nWHERE Ident = " + QString::number(Ident) + Qvutil::CRLF
                                  + " AND Disziplin = " + Ado::QuotedStr(e->FieldByName("Disziplin")->AsString())
                                  + Qvutil::CRLF + " AND Klasse = " + Ado::QuotedStr(e->FieldByName("EKlasse")->AsString()),
                              Ado::clUseServer, Ado::ltReadOnly);
        if (k->IsEmpty())
            continue;
        const QString kennzahl = FormKennzahl(k->FieldByName("KennzEDSB")->AsString(), geschlecht);
        if (!kennzahl.isEmpty() && !o.Kreuze.contains(kennzahl))
            o.Kreuze << kennzahl;
    }
    return o;
}

void OlympischPrint(TBaseReport& R, const TOlympisch& O)
{
    R.SetTabShade(0);
    const double links = R.SectionLeft(), rechts = R.SectionRight(), breite = rechts - links;
    R.SetBold(false);

    // Header: the addressee left, the coat of arms right.
    const TBildgroesse bild = Wappengroesse(3.0, 3.0);
    Schtools::PrintBmp(R, "WAPPEN.BMP", bild.Breite, bild.Hoehe, rechts - bild.Breite, 1.3);
    R.SetFont("Arial", 11);
    R.SetYPos(2.0);
    Reportutil::SpaltenSetzen(R, {{11.0, L}});
    for (const QString& z : {QString("An den"), QString("Deutscher Schützenbund"), "über " + global("Verband")})
        Reportutil::Zeile(R, {z});
    R.SetYPos(5.2);
    Reportutil::SpaltenSetzen(R, {{breite - 6.0, L}, {6.0, L}});
    Reportutil::Zeile(R, {"", "Datum: ___________________"});

    R.SetYPos(6.8);
    R.SetFont("Arial", 14);
    R.SetBold(true);
    ErgebRekorde::Zentriert(R, "Antrag auf Startberechtigung in den olympischen Disziplinen", links + breite / 2, breite);
    R.SetBold(false);
    R.SetFont("Arial", 10);
    R.SetYPos(7.8);
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {"Hiemit beantrage ich die Startgenehmigung in den olympischen Disziplinen anlässlich der"});
    Reportutil::Zeile(R, {"Deutschen Meisterschaften."});

    // The applicant, each value in its box.
    R.SetYPos(9.6);
    R.SetFont("Arial", 10);
    const auto kasten = [&](const QStringList& felder) {
        Reportutil::SpaltenSetzen(R, {{3.3, L}, {5.45, L}, {3.3, L}, {5.45, L}});
        Reportutil::TabLines(R, "lrtb", false);
        Reportutil::Zeile(R, felder);
    };
    kasten({"Name", O.Name, "Vorname", O.Vorname});
    kasten({"Geburtsdatum:", O.Geburtsdatum, "Klasse", O.Klasse});
    kasten({"Mitgliedsnummer", O.Mitgliedsnummer, "", ""});

    R.SetYPos(12.2);
    Reportutil::SpaltenSetzen(R, {{Reportutil::Rest, L}});
    Reportutil::Zeile(R, {"Ich möchte in folgenden olympischen Disziplinen starten:"});
    R.NewLine();

    // The two halves of the table: rifles and pistols left, shotguns right.
    R.SetFont("Arial", 9);
    const QVector<TSpalte> spalten = {{3.3, L}, {1.65, L}, {1.6, L}, {2.2, C}, {3.3, L}, {1.65, L}, {1.6, L}, {2.2, C}};
    Reportutil::SpaltenSetzen(R, spalten);
    Reportutil::TabLines(R, "lrtb", false);
    R.SetBold(true);
    TabZeile(R, "\tWettbewerb\tKennzahl\tKlasse\tankreuzen\tWettbewerb\tKennzahl\tKlasse\tankreuzen");
    R.SetBold(false);
    const QVector<TOlympiaZeile> links_ = OlympiaZeilen(false), rechts_ = OlympiaZeilen(true);
    for (int i = 0; i < std::max(links_.size(), rechts_.size()); ++i) {
        QStringList felder;
        for (const QVector<TOlympiaZeile>* seite : {&links_, &rechts_}) {
            if (i < seite->size()) {
                const TOlympiaZeile& z = (*seite)[i];
                const QString kennzahl = z.Disziplin + z.Klasse;
                felder << z.Name << kennzahl << z.KlassenText << (O.Kreuze.contains(kennzahl) ? "X" : "");
            } else {
                felder << "" << "" << "" << "";
            }
        }
        Reportutil::SpaltenSetzen(R, spalten);
        // The cells of a discipline's rows share their name's box; the
        // right half ends with the shotguns' last row.
        Reportutil::TabLines(R, i < rechts_.size() ? QVector<int>{1, 2, 3, 4, 5, 6, 7, 8} : QVector<int>{1, 2, 3, 4},
                             "lrtb", false);
        Reportutil::Zeile(R, felder);
    }

    // The applicant's signature.
    R.SetFont("Arial", 10);
    R.SetYPos(25.0);
    Reportutil::SpaltenSetzen(R, {{breite - 9.0, L}, {9.0, C}});
    Reportutil::Zeile(R, {"", "________________________________________________"});
    Reportutil::Zeile(R, {"", "Unterschrift des Schützen"});
}

} // namespace ErgebVordrucke
