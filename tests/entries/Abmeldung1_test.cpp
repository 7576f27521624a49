// The list of deregistered and non-admitted starts driven through its form:
// one block per participant and club in the query's order, the archive
// filtered by discipline, class and deletion mark, the level codes, the
// required discipline, the empty selection and a generated championship
// under the layout check.

#include "reports1/entries/Abmeldung1.h"

#include "tests/entries/EntriesTest.h"

namespace {

class Abgemeldete : public EntriesTest::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        Abmeldung1::DruckjobID = 0;
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kurz", "LG"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}, {"Kurz", "LP"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}, {"Abkuerzung", "SGN"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "SV Süd"}, {"Abkuerzung", "SVS"}});
        db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Huber"}, {"Vorname", "Anna"}, {"Jahrgang", "1980"}});
        db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Adler"}, {"Vorname", "Max"}, {"Titel", "Dr."},
                                {"Jahrgang", "1975"}});
    }
    void start(const QString& mitgl, const QString& verein, const QString& dis, const QString& kla, double erg,
               const QString& abmeldung, int ident = 1)
    {
        db.insert("ERGEBNIS", {{"Ident", ident}, {"MitglNr", mitgl}, {"VereinNr", verein}, {"Disziplin", dis},
                               {"EKlasse", kla}, {"Ergebnis", erg}, {"Abmeldung", abmeldung}});
    }
    void archiv(const QString& mitgl, const QString& dis, const QString& kla, double erg, int ebene,
                const QString& loeschung)
    {
        db.insert("EARCHIV", {{"Ident", 1}, {"MitglNr", mitgl}, {"VereinNr", "1101"}, {"Disziplin", dis},
                              {"EKlasse", kla}, {"Ergebnis", erg}, {"Ebene", ebene}, {"Loeschung", loeschung}});
    }
    EntriesTest::Druck liste(bool auswahl, const EntriesTest::Ctls& ctls = {})
    {
        return drucken([auswahl] { Abmeldung1::Abgemeldete(auswahl); }, ctls);
    }
};

TEST_F(Abgemeldete, DeregisteredStartsFormOneBlockPerMemberAndClub)
{
    start("1", "1101", "120", "11", 371.6, "A");
    start("1", "1101", "110", "11", 388, "A");
    start("1", "1101", "110", "10", 390, "A");
    start("1", "1102", "110", "10", 377, "A"); // the same member for another club
    start("2", "1101", "110", "10", 380, "A");
    start("2", "1101", "120", "10", 360, "N"); // entered, not deregistered
    start("2", "1101", "120", "10", 365, "A", 2); // another championship

    const auto d = liste(true);
    EXPECT_EQ(d.titel, "nicht zugelassene Starts");
    EXPECT_EQ(d.texte(), (QStringList{
        "Bezirksmeisterschaft 2026",
        "Teilnehmer mit abgemeldeten Starts",
        "Adler, Dr. Max|SGN SG Nord|1975|380|LG|Abgemeldet",
        // by name, first name, class, discipline: a change of club opens a
        // block, also back to the club before
        "Huber,  Anna|SGN SG Nord|1980|390|LG|Abgemeldet",
        "Huber,  Anna|SVS SV Süd|1980|377|LG|Abgemeldet",
        "Huber,  Anna|SGN SG Nord|1980|388|LG|Abgemeldet",
        "372|LP|Abgemeldet",
    })) << d.texte().join('\n').toStdString();
    EXPECT_EQ(Abmeldung1::DruckjobID, ui->previews.last().id);
}

TEST_F(Abgemeldete, ArchiveListsADisciplineAndClassAllOrOnlyTheDeleted)
{
    archiv("1", "110", "10", 390, 1, "X");
    archiv("1", "110", "11", 385, 3, "");
    archiv("2", "110", "10", 380, 2, "");
    archiv("2", "120", "10", 370, 0, "X");  // another discipline

    // Nothing printed without a discipline: the form stays open with the
    // box focused, and the run ends as an input error.
    EXPECT_EQ(fahren([] { Abmeldung1::Abgemeldete(false); }, {}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_TRUE(ui->errors.contains("Sie haben keinen Wettbewerb ausgewählt")) << ui->errors.join('|').toStdString();
    EXPECT_TRUE(ui->previews.isEmpty());

    auto d = liste(false, {{"cx_Disziplin", "110"}});
    EXPECT_EQ(d.texte(), (QStringList{
        "Bezirksmeisterschaft 2026",
        "Teilnehmer mit nicht zugelassenen Starts",
        "Adler, Dr. Max|SGN SG Nord|1975|380|BM|Abgemeldet",
        "Huber,  Anna|SGN SG Nord|1980|390|KM|Löschung",
        "385|LM|Abgemeldet",
    })) << d.texte().join('\n').toStdString();

    d = liste(false, {{"cx_Disziplin", "110"}, {"gb_Auswahl", "1"}});
    EXPECT_EQ(d.texte().mid(2), QStringList{"Huber,  Anna|SGN SG Nord|1980|390|KM|Löschung"});

    d = liste(false, {{"cx_Disziplin", "110"}, {"cx_Klasse", "11"}});
    EXPECT_EQ(d.texte().mid(2), QStringList{"Huber,  Anna|SGN SG Nord|1980|385|LM|Abgemeldet"});

    // Deleted starts of another class only: nothing to print.
    const qsizetype vorher = ui->previews.size();
    EXPECT_EQ(fahren([] { Abmeldung1::Abgemeldete(false); },
                     {{"cx_Disziplin", "110"}, {"cx_Klasse", "11"}, {"gb_Auswahl", "1"}}),
              Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->previews.size(), vorher);
    EXPECT_EQ(letzteMeldung(), "Für diese Auswahl sind keine Daten vorhanden");
}

TEST(AbgemeldeteGeneriert, BothModesOfAGeneratedChampionshipPassTheLayoutCheck)
{
    auto gen = Fixture::Database::Generated(300, 3);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    const QString dis = gen->value("SELECT Disziplin FROM EARCHIV GROUP BY Disziplin ORDER BY COUNT(*) DESC").toString();
    ASSERT_FALSE(dis.isEmpty());
    for (bool auswahl : {true, false}) {
        Vcl::TFormDriver d;
        if (!auswahl)
            d.AddCtl("cx_Disziplin", dis);
        d.AddClick("bt_OK");
        EXPECT_EQ(d.Run([&] { Abmeldung1::Abgemeldete(auswahl); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
        ASSERT_FALSE(ui->previews.isEmpty()) << ui->messageTexts().join('|').toStdString();
        const QString datei = ui->previews.last().file;
        EXPECT_EQ(ReportTest::layoutFindings(datei), "");
        // Every deregistered start has its line.
        const auto druck = EntriesTest::lesen(ui->previews.last());
        const int zeilen = int(druck.texte().count()) - 2;
        EXPECT_EQ(zeilen, auswahl ? gen->count("ERGEBNIS", "Ident = 1 AND Abmeldung = 'A'")
                                  : gen->count("EARCHIV", "Ident = 1 AND Disziplin = '" + dis + "'"));
        QFile::remove(datei);
    }
}

} // namespace
