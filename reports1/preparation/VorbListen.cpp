#include "reports1/preparation/VorbListen.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Qvsettings.h"
#include "platform/host/Qvutil.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "reports1/frame/Druckjob.h"
#include "reports1/frame/ReportUtil.h"

using Report::pjCenter;
using Report::pjLeft;
using Report::pjRight;
using Report::TBaseReport;
using Reportutil::SpaltenSetzen;

namespace VorbListen {

namespace {

using Qvutil::CRLF;
using Reportutil::Feld;
using Reportutil::Schrift;

} // namespace

TSchattierung TSchattierung::AusEinstellungen()
{
    TSchattierung s;
    s.An = Qvsettings::GetString("Speziell", "MitTab") == "J";
    const int wert = Qvsettings::GetInteger("Speziell", "Tabellier");
    s.Wert = wert > 0 ? wert : 10;
    return s;
}

void ListenKopf(TBaseReport& Report, const QString& Titel, bool Fett, int Leerzeilen)
{
    const double centre = Report.SectionLeft() + (Report.SectionRight() - Report.SectionLeft()) / 2;
    Report.NewLine();
    Report.NewLine();
    Schrift(Report, 15, true);
    Report.PrintCenter(Titel, centre);
    Report.NewLine();
    Schrift(Report, 12, Fett);
    Report.PrintCenter(Qvsettings::GetString("Global", "Ueberschr") + " "
                           + Qvsettings::GetString("Allgemein", "Sportjahr"),
                       centre);
    Report.NewLine();
    for (int i = 0; i < Leerzeilen; ++i)
        Report.NewLine();
    Schrift(Report, 10, false);
    // Every list begins its shading with its first row.
    Schtools::ResetTabShade();
    Report.SetTabShade(0);
}

bool Seitenwechsel(TBaseReport& Report, int Zeilen)
{
    if (Report.LinesLeft() >= Zeilen)
        return false;
    Report.NewPage();
    Report.NewLine();
    Report.NewLine();
    return true;
}

void Zeile(TBaseReport& Report, QStringList Felder)
{
    constexpr double kleinste = 8;
    const double groesse = Report.GetFontSize();
    for (int i = 0; i < Felder.size() && groesse > kleinste; ++i) {
        const Report::TTab* tab = Report.GetTab(i + 1);
        if (!tab)
            break;
        const double innen = tab->Width - 2 * Report.XI2U(tab->Margin);
        const double faktor = kleinste / groesse;
        QString text = Reportutil::Druckbar(Felder[i]);
        if (Report.TextWidth(text) * faktor <= innen)
            continue;
        while (text.size() > 1 && Report.TextWidth(text + QChar(0x2026)) * faktor > innen)
            text.chop(1);
        Felder[i] = text.trimmed() + QChar(0x2026);
    }
    Reportutil::Zeile(Report, Felder);
}

QString NameTitelVorname(const QString& Name, const QString& Titel, const QString& Vorname)
{
    return Name + ", " + (Titel.trimmed().isEmpty() ? QString() : Titel.trimmed() + " ") + Vorname;
}

QString Gepunktet(const QString& Disziplin) { return Disziplin.left(1) + "." + Disziplin.mid(1); }

// --- Entry checking lists ------------------------------------------------------

QString OhneStartSQL()
{
    return QStringList{
        "SELECT DISTINCT E.Disziplin,E.EKlasse,D.Name AS DisName,K.Name AS KlaName,K.Zusatz,",
        "       E.MitglNr,M.Name,M.Vorname,M.Titel,V.Abkuerzung,V.Name AS VerName",
        "FROM ERGEBNIS E, PDISZIPLIN D, PKLASSE K, PDISKLA DK, EMITGLIED M, EVEREIN V",
        "WHERE E.Disziplin = D.Disziplin",
        "  AND E.EKlasse = K.Klasse",
        "  AND E.Disziplin = DK.Disziplin",
        "  AND E.EKlasse = DK.Klasse",
        "  AND E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Ident = D.Ident",
        "  AND E.Ident = K.Ident",
        "  AND E.Ident = DK.Ident",
        "  AND E.DGID < 1",
        "  AND E.Qual = 'N'",
        "  AND E.Ident = :Ident",
        "  AND DK.Teilmeisterschaft = :Teilmeister",
        "ORDER BY E.Disziplin,E.EKlasse,M.Name,M.Vorname,E.MitglNr",
    }.join(CRLF);
}

QString KlassensprungSQL()
{
    return QStringList{
        "SELECT E.VereinNr,E.Disziplin,E.EKlasse,M.MitglNr,M.Name,M.Vorname,M.Titel,",
        "       M.Jahrgang,M.Monat,M.HlKlasse,V.Abkuerzung,V.Name AS VerName,",
        "       D.Name AS DisName,K.Name AS KlaName",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D, PKLASSE K",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Disziplin = D.Disziplin",
        "  AND E.EKlasse = K.Klasse",
        "  AND E.Ident = D.Ident",
        "  AND E.Ident = K.Ident",
        "  AND M.HlKlasse <> ''",
        "  AND E.Ident = :Ident",
        "ORDER BY MID(E.VereinNr,1,2),M.Name,M.Vorname,M.MitglNr,E.Disziplin",
    }.join(CRLF);
}

QString MitgliederSQL()
{
    return QStringList{
        "SELECT E.MitglNr,E.VereinNr,M.Name,M.Vorname,M.Titel,M.Tag,M.Monat,M.Jahrgang,",
        "       V.Abkuerzung,V.Name AS VerName",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND (M.PLZ = '' OR M.PLZ IS NULL)",
        "  AND (M.Ort = '' OR M.Ort IS NULL)",
        "  AND (M.Strasse = '' OR M.Strasse IS NULL)",
        "  AND E.Ident = :Ident",
        "ORDER BY M.Name,M.Vorname,E.MitglNr,E.VereinNr",
    }.join(CRLF);
}

QString WaffenGrpSQL()
{
    return QStringList{
        "SELECT E.VereinNr,E.Disziplin,E.WaffenGrp,E.Anlage,E.Durchgang,M.Name,M.Vorname,",
        "       V.Abkuerzung,V.Name AS VerName,D.Name AS DisName",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PDISZIPLIN D",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Disziplin = D.Disziplin",
        "  AND E.Ident = D.Ident",
        "  AND E.WaffenGrp <> ''",
        "  AND E.Ident = :Ident",
        "  AND E.Teilmeisterschaft = :Teilmeister",
        "ORDER BY E.VereinNr,E.Disziplin,E.WaffenGrp,M.Name,M.Vorname",
    }.join(CRLF);
}

void OhneStartPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Teilnehmer ohne Standeinteilung", false, 1);
    const QVector<Reportutil::TSpalte> kopf = {{1.1, pjRight}, {12.0, pjLeft}, {4.4, pjRight}};
    const QVector<Reportutil::TSpalte> zeile = {{1.1, pjRight}, {7.0, pjLeft}, {9.4, pjLeft}};
    QString disziplin, klasse;
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Feld(Q1, "Disziplin") != disziplin) {
            disziplin = Feld(Q1, "Disziplin");
            Report.SetTabShade(0);
            Seitenwechsel(Report, 7);
            klasse.clear();
            Schrift(Report, 10, true);
            Report.NewLine();
            SpaltenSetzen(Report, kopf);
            Zeile(Report, {Gepunktet(disziplin), Feld(Q1, "DisName"), ""});
        }
        Seitenwechsel(Report, 2);
        Schrift(Report, 10, false);
        SpaltenSetzen(Report, zeile);
        if (Feld(Q1, "EKlasse") != klasse) {
            klasse = Feld(Q1, "EKlasse");
            Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
            Zeile(Report, {klasse, (Feld(Q1, "KlaName") + " " + Feld(Q1, "Zusatz")).trimmed(), ""});
            Seitenwechsel(Report, 2);
        }
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        Zeile(Report, {"", NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")),
                       (Feld(Q1, "Abkuerzung") + " " + Feld(Q1, "VerName")).trimmed()});
    }
}

void KlassensprungPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Teilnehmer mit Klassensprung", false, 3);
    // Name, club abbreviation, club, discipline, class.
    const QVector<Reportutil::TSpalte> spalten = {{4.2, pjLeft}, {1.3, pjLeft}, {5.2, pjLeft}, {3.9, pjLeft}, {2.9, pjLeft}};
    SpaltenSetzen(Report, spalten);
    QString kreis, mitglied;
    bool ersterKreis = true;
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        const QString schluessel = Feld(Q1, "VereinNr").left(2);
        if (schluessel != kreis) {
            kreis = schluessel;
            Report.SetTabShade(0);
            if (!ersterKreis)
                Report.NewLine();
            ersterKreis = false;
            Seitenwechsel(Report, 6);
            auto k = Datamod::DataModule1()->DynQuery("SELECT *\r\nFROM EVEREIN\r\nWHERE VereinNr = "
                                                          + Ado::QuotedStr(kreis + "00"),
                                                      Ado::clUseServer, Ado::ltReadOnly);
            const QString name = k->IsEmpty() ? QString() : k->FieldByName("Name")->AsString();
            Schrift(Report, 12, true);
            SpaltenSetzen(Report, {{Reportutil::Rest, pjLeft}});
            Zeile(Report, {("Kreis " + kreis + " " + name).trimmed()});
            Report.NewLine();
            Schrift(Report, 10, false);
            SpaltenSetzen(Report, spalten);
            mitglied.clear();
        }
        if (Feld(Q1, "MitglNr") == mitglied) {
            // A further start of the member: without name and class.
            Seitenwechsel(Report, 2);
            Zeile(Report, {"", Feld(Q1, "Abkuerzung"), Feld(Q1, "VerName"), Feld(Q1, "DisName"), ""});
        } else {
            Seitenwechsel(Report, 4);
            Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
            Zeile(Report, {NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")), Feld(Q1, "Abkuerzung"),
                           Feld(Q1, "VerName"), Feld(Q1, "DisName"), Feld(Q1, "KlaName")});
        }
        mitglied = Feld(Q1, "MitglNr");
    }
}

void MitgliederPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Fehlerhafte Teilnehmer", true, 2);
    const QVector<Reportutil::TSpalte> spalten = {{6.0, pjLeft}, {3.0, pjLeft}, {8.5, pjLeft}};
    const auto spaltenkopf = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 12, true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"Name", "Geb. Datum", "Verein"});
        Schrift(Report, 10, false);
    };
    spaltenkopf();
    QString mitglied;
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Feld(Q1, "MitglNr") == mitglied)
            continue; // one line per member
        mitglied = Feld(Q1, "MitglNr");
        if (Seitenwechsel(Report, 3))
            spaltenkopf();
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        Zeile(Report, {NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")),
                       Feld(Q1, "Tag") + "." + Feld(Q1, "Monat") + "." + Feld(Q1, "Jahrgang"),
                       Feld(Q1, "VereinNr") + "   " + (Feld(Q1, "Abkuerzung") + " " + Feld(Q1, "VerName")).trimmed()});
    }
}

void WaffenGrpPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Teilnehmer mit Eintrag einer Waffengruppe", false, 2);
    const QVector<Reportutil::TSpalte> spalten = {{5.0, pjLeft}, {5.3, pjLeft},  {4.0, pjLeft}, {0.9, pjRight},
                                                  {0.9, pjRight}, {0.2, pjLeft}, {1.2, pjLeft}};
    const auto spaltenkopf = [&] {
        Report.SetTabShade(0);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"Name", "Verein", "Wettbewerb", "Anl.", "Dg.", "", "W.Grp"});
    };
    Schrift(Report, 10, false);
    spaltenkopf();
    QString gruppe;
    bool erste = true;
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        const QString schluessel = Feld(Q1, "VereinNr") + "|" + Feld(Q1, "Disziplin") + "|" + Feld(Q1, "WaffenGrp");
        if (erste || schluessel != gruppe) {
            // Each group of club, discipline and weapon group is one band.
            gruppe = schluessel;
            erste = false;
            Report.SetTabShade(0);
            Report.NewLine();
            Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        }
        if (Seitenwechsel(Report, 3)) {
            const int band = Report.GetTabShade();
            spaltenkopf();
            Report.SetTabShade(band);
        }
        Zeile(Report, {Feld(Q1, "Name") + ", " + Feld(Q1, "Vorname"), (Feld(Q1, "Abkuerzung") + " " + Feld(Q1, "VerName")).trimmed(),
                       Feld(Q1, "DisName"), Feld(Q1, "Anlage"), Feld(Q1, "Durchgang"), "", Feld(Q1, "WaffenGrp")});
    }
}

// --- Master data -----------------------------------------------------------------

QString StammdatenSQL()
{
    return QStringList{
        "SELECT DK.*,D.Name AS DisName,K.Name AS KlaName,",
        "       (DK.AnzWertung * DK.ErgebEinzel) as ErgebMannsch",
        "FROM PDISKLA DK, PDISZIPLIN D, PKLASSE K",
        "WHERE DK.Disziplin = D.Disziplin",
        "  AND DK.Klasse = K.Klasse",
        "  AND DK.Ident = D.Ident",
        "  AND DK.Ident = K.Ident",
        "  AND DK.Ident = :Ident",
        "  AND DK.Teilmeisterschaft = :Teilmeister",
        "ORDER BY DK.Disziplin,DK.Klasse",
    }.join(CRLF);
}

void Ueberschrift(TBaseReport& Report)
{
    // Class and its name, then the deviating classes and the olympic group.
    SpaltenSetzen(Report, {{1.1, pjRight}, {8.0, pjLeft}, {2.5, pjLeft}, {2.5, pjLeft}, {3.4, pjLeft}});
    Zeile(Report, {"", "", "abw. Einzel", "abw. Mannsch.", "olymp. Disziplin"});
    TabsSetzen(Report);
    Zeile(Report, {"Einz.", "Mann.", "KZ", "Z.ringe", "Teiln.", "Serien", "Anz. M.", "Anz. W.", "DZ. 1", "DZ.2", "Pause",
                   "DSB E", "DSB M"});
}

void TabsSetzen(TBaseReport& Report)
{
    SpaltenSetzen(Report,
                  {{1.8, pjRight}, {1.5, pjRight}, {1.0, pjRight}, {1.3, pjRight}, {1.0, pjRight}, {1.2, pjRight},
                   {1.3, pjRight}, {1.3, pjRight}, {1.0, pjRight}, {1.0, pjRight}, {1.3, pjRight}, {1.4, pjRight},
                   {1.4, pjRight}},
                  Report.SectionLeft() + 1.0);
}

void StammdatenPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Stammdaten der Teilmeisterschaft " + Qvsettings::GetString("Speziell", "Teilmeisterschaft"),
               false, 1);
    const auto spaltenkopf = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 9, true);
        Ueberschrift(Report);
        Schrift(Report, 9, false);
    };
    spaltenkopf();
    QString disziplin;
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Feld(Q1, "Disziplin") != disziplin) {
            disziplin = Feld(Q1, "Disziplin");
            Report.SetTabShade(0);
            if (Seitenwechsel(Report, 6))
                spaltenkopf();
            Report.NewLine();
            Schrift(Report, 10, true);
            SpaltenSetzen(Report, {{1.1, pjRight}, {Reportutil::Rest, pjLeft}});
            Zeile(Report, {Gepunktet(disziplin), Feld(Q1, "DisName")});
            Schrift(Report, 9, false);
        }
        if (Seitenwechsel(Report, 3))
            spaltenkopf();
        // Both lines of a class share one band.
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        SpaltenSetzen(Report, {{1.1, pjRight}, {8.0, pjLeft}, {2.5, pjLeft}, {2.5, pjLeft}, {3.4, pjLeft}});
        Zeile(Report, {Feld(Q1, "Klasse"), Feld(Q1, "KlaName"), Feld(Q1, "AbwEKlasse"), Feld(Q1, "AbwMKlasse"), Feld(Q1, "OlDisziGrp")});
        TabsSetzen(Report);
        Zeile(Report, {Feld(Q1, "ErgebEinzel"), Feld(Q1, "ErgebMannsch"), Feld(Q1, "SteuerKz"), Feld(Q1, "ErgebFinale"),
                       Feld(Q1, "ErgebFinaleAnz"), Feld(Q1, "AnzSerien"), Feld(Q1, "AnzMannschaft"), Feld(Q1, "AnzWertung"),
                       Feld(Q1, "Durchgz1"), Feld(Q1, "Durchgz2"), Feld(Q1, "Pause"), Feld(Q1, "KennzEDSB"), Feld(Q1, "KennzMDSB")});
    }
}

// --- Participants per club -------------------------------------------------------

QString TeilnehmerSQL(int Ident)
{
    return QStringList{
        "SELECT E.VereinNr,V.Name AS VerName,V.Abkuerzung,E.MitglNr,M.Name,M.Vorname,M.Titel,",
        "       M.Jahrgang,COUNT(*) AS Starts",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.Ident = " + QString::number(Ident),
        "GROUP BY E.VereinNr,V.Name,V.Abkuerzung,E.MitglNr,M.Name,M.Vorname,M.Titel,M.Jahrgang",
        "ORDER BY E.VereinNr,E.MitglNr",
    }.join(CRLF);
}

void TeilnehmerPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Teilnehmer pro Verein", false, 1);
    const QVector<Reportutil::TSpalte> spalten = {{2.5, pjLeft}, {10.0, pjLeft}, {2.0, pjRight}, {2.0, pjRight},
                                                  {Reportutil::Rest, pjLeft}};
    QString verein;
    int anzahl = 0, i = 0;
    const auto summe = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 10, true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"", "Teilnehmer: " + QString::number(anzahl), "", "", ""});
        Schrift(Report, 10, false);
    };
    const auto vereinskopf = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 11, true);
        SpaltenSetzen(Report, {{2.5, pjLeft}, {Reportutil::Rest, pjLeft}});
        Zeile(Report, {verein, (Feld(Q1, "Abkuerzung") + " " + Feld(Q1, "VerName")).trimmed()});
        Schrift(Report, 9, true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"Mitgl.-Nr.", "Name", "Jahrgang", "Starts", ""});
        Schrift(Report, 10, false);
    };
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Feld(Q1, "VereinNr") != verein) {
            if (!verein.isEmpty()) {
                summe();
                Report.NewLine();
            }
            verein = Feld(Q1, "VereinNr");
            anzahl = 0;
            Seitenwechsel(Report, 6);
            vereinskopf();
        } else if (Seitenwechsel(Report, 2)) {
            vereinskopf();
        }
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        Zeile(Report, {Feld(Q1, "MitglNr"), NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")),
                       Feld(Q1, "Jahrgang"), Feld(Q1, "Starts"), ""});
        ++anzahl;
    }
    if (!verein.isEmpty()) {
        Seitenwechsel(Report, 2);
        summe();
    }
}

// --- Staff paid in cash ------------------------------------------------------------

QString BarSQL()
{
    return QStringList{
        "SELECT MZ.Anlage,MZ.MitglNr,MZ.WKTag,MZ.Beginn,MZ.Ende,MZ.Entfernung,",
        "       M.Name,M.Vorname,M.Titel,MI.Name AS MitName,WK.Datum,A.Name AS AnlName",
        "FROM MSPESEN MZ, EMITGLIED M, MITART MI, AWKTAG WK, PANLAGE A",
        "WHERE MZ.MitglNr = M.MitglNr",
        "  AND MZ.MitArt = MI.MitArt",
        "  AND MZ.WKTag = WK.WKTag",
        "  AND MZ.Ident = WK.Ident",
        "  AND MZ.Anlage = A.Anlage",
        "  AND MZ.Ident = A.Ident",
        "  AND MZ.Auszahlung = 'J'",
        "  AND MZ.Ident = :Ident",
        "  AND MZ.Teilmeisterschaft = :Teilmeister",
        "ORDER BY MZ.Anlage,M.Name,M.Vorname,MZ.MitglNr,WK.Datum",
    }.join(CRLF);
}

void BarPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Mitarbeiter mit Barauszahlung", false, 1);
    // Name, member number, day, role, time, kilometres, signature.
    const QVector<Reportutil::TSpalte> spalten = {{4.4, pjLeft},   {2.0, pjLeft},  {2.0, pjLeft}, {3.0, pjLeft},
                                                  {2.2, pjCenter}, {1.0, pjRight}, {2.9, pjRight}};
    QString anlage;
    int i = 0;
    const auto anlagenkopf = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 11, true);
        SpaltenSetzen(Report, {{Reportutil::Rest, pjLeft}});
        Zeile(Report, {"Anlage " + anlage + " " + Feld(Q1, "AnlName")});
        Schrift(Report, 9, true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"Name", "Mitgl.-Nr.", "Datum", "Funktion", "Zeit", "km", "Unterschrift"});
        Schrift(Report, 10, false);
    };
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Feld(Q1, "Anlage") != anlage) {
            if (!anlage.isEmpty())
                Report.NewLine();
            anlage = Feld(Q1, "Anlage");
            Seitenwechsel(Report, 6);
            anlagenkopf();
        } else if (Seitenwechsel(Report, 2)) {
            anlagenkopf();
        }
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        Report.GetTab(7)->Bottom = 1; // the line to sign on
        Zeile(Report, {NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")), Feld(Q1, "MitglNr"),
                       Feld(Q1, "Datum"), Feld(Q1, "MitName"), Feld(Q1, "Beginn").left(5) + " - " + Feld(Q1, "Ende").left(5),
                       Feld(Q1, "Entfernung"), ""});
        Report.GetTab(7)->Bottom = 0;
    }
}

// --- Start numbers of a shotgun competition ------------------------------------

QString FlintenSQL()
{
    return QStringList{
        "SELECT E.Anlage,E.Disziplin,E.WKTag,E.StartNr,E.Durchgang,E.Stand,E.WKZeit1,",
        "       M.Name,M.Vorname,M.Titel,V.Name AS VerName,K.Name AS KlaName,",
        "       A.Name AS AnlName,D.Name AS DisName,WK.Datum",
        "FROM ERGEBNIS E, EMITGLIED M, EVEREIN V, PKLASSE K, PANLAGE A, PDISZIPLIN D, AWKTAG WK",
        "WHERE E.MitglNr = M.MitglNr",
        "  AND E.VereinNr = V.VereinNr",
        "  AND E.EKlasse = K.Klasse",
        "  AND E.Ident = K.Ident",
        "  AND E.Anlage = A.Anlage",
        "  AND E.Ident = A.Ident",
        "  AND E.Disziplin = D.Disziplin",
        "  AND E.Ident = D.Ident",
        "  AND E.WKTag = WK.WKTag",
        "  AND E.Ident = WK.Ident",
        "  AND E.Ident = :Ident",
        "  AND E.Anlage = :Anlage",
        "  AND E.Disziplin = :Disziplin",
        "  AND E.WKTag = :Tag",
        "  AND E.Teilmeisterschaft = :Teilmeister",
        "ORDER BY E.Anlage,E.Disziplin,E.WKTag,M.Name,M.Vorname",
    }.join(CRLF);
}

void FlintenPrint(TBaseReport& Report, Ado::TDataSet& Q1)
{
    const TSchattierung schatten = TSchattierung::AusEinstellungen();
    ListenKopf(Report, "Startnummernliste für Flintenwettbewerbe", false, 1);
    Q1.First();
    // Range, discipline and day once above the list.
    Schrift(Report, 11, true);
    SpaltenSetzen(Report, {{Reportutil::Rest, pjLeft}});
    Zeile(Report, {"Anlage " + Feld(Q1, "Anlage") + " " + Feld(Q1, "AnlName")});
    Zeile(Report, {Gepunktet(Feld(Q1, "Disziplin")) + " " + Feld(Q1, "DisName") + "   Wettkampftag "
                   + Feld(Q1, "Datum")});
    Report.NewLine();
    // Start number, name, club, class, relay, firing point, time.
    const QVector<Reportutil::TSpalte> spalten = {{1.6, pjRight}, {5.0, pjLeft}, {4.9, pjLeft}, {3.0, pjLeft},
                                                  {1.0, pjRight}, {1.0, pjRight}, {1.0, pjRight}};
    const auto kopf = [&] {
        Report.SetTabShade(0);
        Schrift(Report, 9, true);
        SpaltenSetzen(Report, spalten);
        Zeile(Report, {"StNr.", "Name", "Verein", "Klasse", "Dg.", "St.", "Zeit"});
        Schrift(Report, 10, false);
    };
    kopf();
    int i = 0;
    for (Q1.First(); !Q1.Eof(); Q1.Next()) {
        Druckjob::Progress(i++);
        if (Seitenwechsel(Report, 2))
            kopf();
        Schtools::TabShadeSetzen(Report, schatten.An, schatten.Wert);
        Zeile(Report, {Feld(Q1, "StartNr"), NameTitelVorname(Feld(Q1, "Name"), Feld(Q1, "Titel"), Feld(Q1, "Vorname")),
                       Feld(Q1, "VerName"), Feld(Q1, "KlaName"), Feld(Q1, "Durchgang"), Feld(Q1, "Stand"),
                       Feld(Q1, "WKZeit1").left(5)});
    }
    Report.SetTabShade(0);
}

// --- Notes -------------------------------------------------------------------------

QStringList Hinweise() { return Schtools::FileToStrings(Qvpaths::DataFolder() + "/FEHLER.DAT"); }

void HinweisPrint(TBaseReport& Report, const QStringList& Zeilen)
{
    Report::TMemoBuf memo;
    QString text;
    for (const QString& z : Zeilen)
        text += z + CRLF;
    memo.SetText(text);
    Schrift(Report, 10, false);
    Report.NewLine();
    Report.NewLine();
    const int n = Report.MemoLines(memo);
    for (int i = 0; i < n; ++i) {
        Druckjob::Progress(int(qint64(i) * Zeilen.size() / n)); // counted in lines of the file
        if (Report.LinesLeft() < 2) {
            Report.NewPage();
            Report.NewLine();
            Report.NewLine();
        }
        bool eol = false;
        Report.Print(Reportutil::Druckbar(Report.GetMemoLine(memo, eol)));
        Report.NewLine();
    }
}

} // namespace VorbListen
