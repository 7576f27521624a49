// The exception permits driven through their form: the age limit on both
// sides of the birthday, the missing day of birth, the weapon group's
// disciplines and classes, range and competition day (or all days without
// range assignment), a page per discipline, the checks and messages, and a
// generated championship under the layout check.

#include "reports1/preparation/Ausnahme1.h"

#include "tests/entries/EntriesTest.h"

namespace {

class Ausnahmen : public EntriesTest::Test {
protected:
    void SetUp() override
    {
        Test::SetUp();
        Ausnahme1::DruckjobID = 0;
        db.setting("Speziell", "AlterLG", "-12");
        db.setting("Speziell", "AlterKK", "-14");
        db.setting("Speziell", "AlterPist", "-18");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "140"}, {"Name", "KK-Sportgewehr"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", "2026-03-07"}, {"Teilmeisterschaft", "1"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", "2026-03-08"}, {"Teilmeisterschaft", "1"}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}, {"Abkuerzung", "SGN"}});
    }
    // A start of a member born on tag.monat.jahr.
    void start(int nr, const QString& tag, const QString& monat, const QString& jahr, const QString& dis,
               const QString& kla, int anlage = 1, int wkTag = 1)
    {
        const QString m = QString::number(1000 + nr);
        db.insert("EMITGLIED", {{"MitglNr", m}, {"Name", QString("Name%1").arg(nr)}, {"Vorname", "Vor"},
                                {"Tag", tag}, {"Monat", monat}, {"Jahrgang", jahr}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", m}, {"VereinNr", "1101"}, {"Disziplin", dis},
                               {"EKlasse", kla}, {"Anlage", anlage}, {"WKTag", wkTag}, {"Durchgang", 2},
                               {"Stand", nr}, {"StartNr", 100 + nr}, {"Teilmeisterschaft", "1"}});
    }
    EntriesTest::Druck liste(const EntriesTest::Ctls& ctls)
    {
        return drucken([] { Ausnahme1::Ausnahmen(); }, ctls);
    }
    const EntriesTest::Ctls tag1 = {{"cx_Datum", "07.03.2026"}, {"cx_Anlage", "1"}};
};

TEST_F(Ausnahmen, TheAgeLimitSplitsAtTheBirthdayAndAMissingDayIsTheFirst)
{
    start(1, "08", "03", "2014", "110", "20"); // twelve the day after: permit
    start(2, "07", "03", "2014", "110", "20"); // twelve that day: none
    start(3, "", "03", "2014", "110", "21");   // 1 March: none
    start(4, "00", "4", "2014", "110", "21");  // 1 April: permit
    start(5, "1", "1", "2020", "110", "30");   // class of another group
    start(6, "1", "1", "2020", "140", "20");   // discipline of another group
    start(7, "1", "1", "2020", "110", "20", 2); // another range
    start(8, "1", "1", "2020", "110", "20", 1, 2); // another day
    start(9, "1", "1", "2020", "120", "20");   // second discipline: its own page

    const auto d = liste(tag1);
    EXPECT_EQ(d.titel, "Ausnahmegenehmigungen");
    ASSERT_EQ(d.seiten.size(), 2);
    const auto ohneZeile = [](const QStringList& s) {
        QStringList out;
        for (const QString& z : s)
            out << z.mid(z.indexOf(':') + 1);
        return out;
    };
    EXPECT_EQ(ohneZeile(d.seiten[0]), (QStringList{
        "Teilnehmer mit Ausnahmegenehmigungen", "Bezirksmeisterschaft 2026", "Luftgewehr",
        "Name|Verein|Geburtstag|Dg.|St.|StNr.",
        "Name1,  Vor|SGN SG Nord|08.03.2014|2|1|101",
        "Name4,  Vor|SGN SG Nord|01.04.2014|2|4|104",
    }));
    EXPECT_EQ(ohneZeile(d.seiten[1]), (QStringList{"Luftpistole", "Name|Verein|Geburtstag|Dg.|St.|StNr.",
                                                   "Name9,  Vor|SGN SG Nord|01.01.2020|2|9|109"}));
    EXPECT_EQ(Ausnahme1::DruckjobID, ui->previews.last().id);

    // Small-bore: its own limit (14) and classes.
    start(10, "09", "03", "2012", "140", "30");
    start(11, "06", "03", "2012", "140", "31");
    auto kk = liste({{"cx_Datum", "07.03.2026"}, {"cx_Anlage", "1"}, {"gb_Ausnahme", "1"}});
    EXPECT_EQ(kk.texte().mid(2), (QStringList{"KK-Sportgewehr", "Name|Verein|Geburtstag|Dg.|St.|StNr.",
                                              "Name10,  Vor|SGN SG Nord|09.03.2012|2|10|110"}));

    // Without range assignment every day of the range counts.
    db.setting("Speziell", "Anlage", "J");
    const auto alle = liste({{"cx_Datum", "01.01.2000"}, {"cx_Anlage", "1"}});
    EXPECT_TRUE(alle.texte().contains("Name8,  Vor|SGN SG Nord|01.01.2020|2|8|108")) << alle.texte().join('\n').toStdString();
}

TEST_F(Ausnahmen, ChecksAndEmptySelectionsPrintNothing)
{
    start(1, "08", "03", "2014", "110", "20");
    start(2, "01", "01", "2000", "120", "20");

    // An unknown competition day, no range: input errors, the form stays.
    EXPECT_EQ(fahren([] { Ausnahme1::Ausnahmen(); }, {{"cx_Datum", "09.03.2026"}, {"cx_Anlage", "1"}}),
              Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Dieser Wettkampftag ist nicht vorhanden");
    EXPECT_EQ(fahren([] { Ausnahme1::Ausnahmen(); }, {{"cx_Datum", "07.03.2026"}}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Sie haben keine Anlage ausgewählt");

    // A missing age limit: the hint and nothing else.
    db.setting("Speziell", "AlterPist", "0");
    EXPECT_EQ(fahren([] { Ausnahme1::Ausnahmen(); }, tag1), Vcl::TFormDriver::Ok);
    EXPECT_EQ(letzteMeldung(), "Bítte geben Sie zuerst in den Einstellungen/Steuerung\r\ndie Altersgrenzen ein.");
    db.setting("Speziell", "AlterPist", "-18");

    // Starts of the group, but nobody young enough.
    db.exec("UPDATE EMITGLIED SET Jahrgang = '1990'");
    EXPECT_EQ(fahren([] { Ausnahme1::Ausnahmen(); }, tag1), Vcl::TFormDriver::Ok);
    EXPECT_EQ(letzteMeldung(), "Für diese Auswahl sind keine Daten vorhanden");
    EXPECT_TRUE(ui->previews.isEmpty());
}

TEST(AusnahmenGeneriert, TheYoungestRangeOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto gen = Fixture::Database::Generated(300, 5);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    gen->setting("Speziell", "AlterLG", "-30");
    gen->setting("Speziell", "AlterKK", "-30");
    gen->setting("Speziell", "AlterPist", "-30");
    gen->setting("Speziell", "Anlage", "J");
    gen->setting("Speziell", "MitTab", "J");
    int gedruckt = 0;
    for (const char* anlage : {"1", "2", "3"})
        for (const char* gruppe : {"0", "1", "2"}) {
            const qsizetype vorher = ui->previews.size();
            Vcl::TFormDriver d;
            d.AddCtl("cx_Anlage", anlage);
            d.AddCtl("gb_Ausnahme", gruppe);
            d.AddClick("bt_OK");
            if (d.Run([] { Ausnahme1::Ausnahmen(); }) != Vcl::TFormDriver::Ok || ui->previews.size() == vorher)
                continue;
            ++gedruckt;
            EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "") << anlage << "/" << gruppe;
            QFile::remove(ui->previews.last().file);
        }
    EXPECT_GT(gedruckt, 0);
}

} // namespace
