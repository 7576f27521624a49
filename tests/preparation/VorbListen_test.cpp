// The centre's checking lists and its other lists, printed through the
// centre: what each selects, how it groups, where the shading bands and
// empty lines fall, and every list of the generated championship fit to
// hand out.

#include "tests/preparation/Zentrale.h"

#include "platform/host/Schtools.h"
#include "reports1/preparation/VorbListen.h"

namespace {

class Listen : public Zentrale::Test {
protected:
    void SetUp() override
    {
        Zentrale::Test::SetUp();
        db.setting("Speziell", "MitTab", "J");
        db.setting("Speziell", "Tabellier", "10");
        for (auto [nr, name] : {std::pair{"110", "Luftgewehr"}, {"120", "Luftpistole"}, {"130", "KK liegend"}})
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", nr}, {"Name", name}});
        for (auto [nr, name] : {std::pair{"10", "Schützenklasse"}, {"20", "Jugendklasse"}})
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", nr}, {"Name", name}, {"Zusatz", "m"}});
        for (const char* d : {"110", "120", "130"})
            for (const char* k : {"10", "20"})
                db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", d}, {"Klasse", k}, {"Teilmeisterschaft", "1"}});
        db.insert("EVEREIN", {{"VereinNr", "1100"}, {"Name", "Gau Olching"}});
        db.insert("EVEREIN", {{"VereinNr", "1200"}, {"Name", "Gau Penzberg"}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Tell"}, {"Abkuerzung", "SGT"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "FSG Edelweiß"}, {"Abkuerzung", "FSG"}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "Hubertus"}, {"Abkuerzung", ""}});
    }

    void mitglied(const QString& nr, const QString& name, const QString& vorname, Fixture::Values mehr = {})
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", vorname}, {"Strasse", "Weg 1"},
                                {"PLZ", "82000"}, {"Ort", "Dorf"}});
        for (const auto& [feld, wert] : mehr)
            db.exec("UPDATE EMITGLIED SET " + feld + " = '" + wert.toString() + "' WHERE MitglNr = '" + nr + "'");
    }
    void start(const QString& nr, const QString& verein, const QString& dis, Fixture::Values mehr = {})
    {
        const qint64 id = db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", dis},
                                                 {"EKlasse", "10"}, {"Teilmeisterschaft", "1"}, {"DGID", 5}});
        for (const auto& [feld, wert] : mehr)
            db.exec("UPDATE ERGEBNIS SET " + feld + " = '" + wert.toString() + "' WHERE ID = " + QString::number(id));
    }
};

TEST_F(Listen, ClassJumpsByDistrictWithOneFullLinePerMember)
{
    mitglied("1", "Kögl", "Michael", {{"HlKlasse", "20"}, {"Titel", "Dr."}});
    mitglied("2", "Auer", "Eva", {{"HlKlasse", "20"}});
    mitglied("3", "Berger", "Max", {{"HlKlasse", "20"}});
    mitglied("4", "Ohne", "Sprung");
    for (const char* d : {"110", "120", "130"})
        start("1", "1101", d);
    start("2", "1102", "110");
    start("3", "1201", "120");
    start("4", "1101", "110");
    const Zentrale::Druck d = drucken("bt_KlassenSprung");
    EXPECT_EQ(d.titel, "Teilnehmer mit Klassensprung");
    const QStringList z = d.zeilen();
    ASSERT_GE(z.size(), 9) << z.join("\n").toStdString();
    EXPECT_EQ(z.mid(0, 2), (QStringList{"3:Teilnehmer mit Klassensprung", "4:Bezirksmeisterschaft 2026"}));
    // Three empty lines, then the first district without a line before it.
    EXPECT_EQ(z[2], "8:Kreis 11 Gau Olching");
    EXPECT_EQ(z.mid(3, 4), (QStringList{"10:Auer, Eva|FSG|FSG Edelweiß|Luftgewehr|Schützenklasse",
                                        "11:Kögl, Dr. Michael|SGT|SG Tell|Luftgewehr|Schützenklasse",
                                        "12:SGT|SG Tell|Luftpistole", "13:SGT|SG Tell|KK liegend"}));
    // The next district after an empty line; a club without abbreviation.
    EXPECT_EQ(z.mid(7), (QStringList{"15:Kreis 12 Gau Penzberg", "17:Berger, Max|Hubertus|Luftpistole|Schützenklasse"}));
    // One band per member: its continuation lines share it.
    EXPECT_EQ(d.schattiert[0], (QSet<int>{10, 17}));
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
}

TEST_F(Listen, FaultyParticipantsOnceEachAndWeaponGroupsInBandsPerGroup)
{
    mitglied("1", "Lang", "Georg", {{"Tag", "20"}, {"Monat", "09"}, {"Jahrgang", "1965"}});
    db.exec("UPDATE EMITGLIED SET Strasse = '', PLZ = NULL, Ort = '' WHERE MitglNr = '1'");
    mitglied("2", "Voll", "Adresse");
    db.exec("UPDATE EMITGLIED SET Strasse = '', PLZ = '' WHERE MitglNr = '2'"); // the town is there
    start("1", "1101", "110");
    start("1", "1101", "120");
    start("1", "1102", "130");
    start("2", "1101", "110");
    Zentrale::Druck d = drucken("bt_Mitglieder");
    EXPECT_EQ(d.zeilen(), (QStringList{"3:Fehlerhafte Teilnehmer", "4:Bezirksmeisterschaft 2026", "7:Name|Geb. Datum|Verein",
                                       "8:Lang, Georg|20.09.1965|1101   SGT SG Tell"}));

    mitglied("3", "Haas", "Tobias");
    start("1", "1101", "120", {{"WaffenGrp", "A"}, {"Anlage", 2}, {"Durchgang", 3}});
    start("2", "1101", "120", {{"WaffenGrp", "A"}, {"Anlage", 2}, {"Durchgang", 4}});
    start("3", "1101", "120", {{"WaffenGrp", "B"}, {"Anlage", 2}, {"Durchgang", 4}});
    start("3", "1102", "120", {{"WaffenGrp", "B"}, {"Teilmeisterschaft", "2"}}); // another sub-championship
    d = drucken("bt_WaffenGrp");
    EXPECT_EQ(d.titel, "Waffengruppen");
    EXPECT_EQ(d.zeilen(), (QStringList{"3:Teilnehmer mit Eintrag einer Waffengruppe", "4:Bezirksmeisterschaft 2026",
                                       "7:Name|Verein|Wettbewerb|Anl.|Dg.|W.Grp",
                                       "9:Lang, Georg|SGT SG Tell|Luftpistole|2|3|A",
                                       "10:Voll, Adresse|SGT SG Tell|Luftpistole|2|4|A",
                                       "12:Haas, Tobias|SGT SG Tell|Luftpistole|2|4|B"}));
    // Both starts of group A share the band, group B has none.
    EXPECT_EQ(d.schattiert[0], (QSet<int>{9, 10}));
}

TEST_F(Listen, StartsWithoutAssignmentByDisciplineAndClass)
{
    mitglied("1", "Auer", "Eva");
    mitglied("2", "Berger", "Max");
    start("1", "1101", "110", {{"DGID", 0}});
    start("2", "1102", "110", {{"DGID", 0}, {"EKlasse", "20"}});
    start("2", "1102", "120", {{"DGID", 0}, {"Qual", "Q"}});  // not 'N'
    start("1", "1101", "130");                                // assigned
    db.exec("UPDATE PDISKLA SET Teilmeisterschaft = '2' WHERE Disziplin = '120'");
    start("1", "1101", "120", {{"DGID", 0}});                 // another sub-championship
    const Zentrale::Druck d = drucken("bt_EinteilungOhne");
    EXPECT_EQ(d.titel, "Starts ohne Einteilungsdaten");
    EXPECT_EQ(d.zeilen(), (QStringList{"3:Teilnehmer ohne Standeinteilung", "4:Bezirksmeisterschaft 2026",
                                       "7:1.10|Luftgewehr", "8:10|Schützenklasse m", "9:Auer, Eva|SGT SG Tell",
                                       "10:20|Jugendklasse m", "11:Berger, Max|FSG FSG Edelweiß"}));
}

TEST_F(Listen, ParticipantsPerClubAndStaffPaidInCash)
{
    mitglied("11010001", "Auer", "Eva", {{"Jahrgang", "1990"}});
    mitglied("11010002", "Berger", "Max", {{"Jahrgang", "2008"}});
    start("11010001", "1101", "110");
    start("11010001", "1101", "120");
    start("11010002", "1102", "110");
    Zentrale::Druck d = drucken("bt_Teilnehmer");
    EXPECT_EQ(d.titel, "Teilnehmerliste");
    EXPECT_EQ(d.texte().mid(2), (QStringList{"1101|SGT SG Tell", "Mitgl.-Nr.|Name|Jahrgang|Starts",
                                             "11010001|Auer, Eva|1990|2", "Teilnehmer: 1", "1102|FSG FSG Edelweiß",
                                             "Mitgl.-Nr.|Name|Jahrgang|Starts", "11010002|Berger, Max|2008|1",
                                             "Teilnehmer: 1"}));

    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
    db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
    db.insert("MITART", {{"MitArt", "SL"}, {"Name", "Schießleiter"}});
    for (auto [nr, aus, teilm] : {std::tuple{"11010001", "J", "1"}, {"11010002", "N", "1"}, {"11010002", "J", "2"}})
        db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", nr}, {"Anlage", 1}, {"WKTag", 1}, {"MitArt", "SL"},
                              {"Beginn", "07:30:00"}, {"Ende", "18:00:00"}, {"Auszahlung", aus},
                              {"Teilmeisterschaft", teilm}, {"Entfernung", 35}});
    d = drucken("bt_Bar");
    EXPECT_EQ(d.titel, "Mitarbeiter mit Barauszahlung");
    EXPECT_EQ(d.texte().mid(2), (QStringList{"Anlage 1 Halle Nord", "Name|Mitgl.-Nr.|Datum|Funktion|Zeit|km|Unterschrift",
                                             "Auer, Eva|11010001|07.03.2026|Schießleiter|07:30 - 18:00|35"}));
}

// Every list of the centre on the generated championship, shaded and not:
// nothing beyond the printable area or its column, nothing painted over.
TEST(ListenLayout, EveryListOfTheDemoChampionshipIsFitToHandOut)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(900, 3);
    Qvpaths::SetProgramFolder(db->folder());
    QStringList hinweise;
    for (int i = 0; i < 90; ++i)
        hinweise << QString("Übernahme: Mitglied %1 hat keinen Eintrag im Verbandsverzeichnis; bitte die Daten des "
                            "Vereins prüfen und die Meldung berichtigen").arg(11010000 + i);
    Schtools::StringsToFile(hinweise, Qvpaths::DataFolder() + "/FEHLER.DAT");
    Vorbereitung1::Erstellen();
    for (const char* mitTab : {"J", "N"}) {
        db->setting("Speziell", "MitTab", mitTab);
        for (const char* knopf : {"bt_EinteilungOhne", "bt_KlassenSprung", "bt_Schiesszeiten", "bt_Stammdaten",
                                  "bt_WaffenGrp", "bt_Mitglieder", "bt_Teilnehmer", "bt_Bar", "bt_Disziplinen",
                                  "bt_Hinweis", "bt_Mahnungen", "bt_Starterklaerung"}) {
            Vcl::TFormDriver d;
            d.AddClick(knopf);
            ASSERT_EQ(d.Play(Vorbereitung1::VorbereitungForm), Vcl::TFormDriver::Ok) << knopf;
            ASSERT_FALSE(ui->previews.isEmpty()) << knopf << ": " << ui->messageTexts().join(" / ").toStdString();
            EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "") << knopf << ", MitTab " << mitTab;
            QFile::remove(ui->previews.last().file);
            ui->previews.clear();
        }
    }
    Vorbereitung1::VorbereitungForm->close();
    Zentrale::flushEvents();
}

} // namespace
