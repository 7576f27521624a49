// The staff statistics through their real form: who counts as long-serving,
// a member of two clubs in both orders, the club abbreviation column by
// federation, input errors and the empty selection, and the layout of the
// list of a generated championship.

#include "reports1/statistics/Statistik1.h"

#include "platform/host/Datamod.h"
#include "platform/host/HostUi.h"
#include "platform/vcl/FormDriver.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <gtest/gtest.h>

using ReportTest::field;
using ReportTest::linesStarting;

namespace {

class Mitarbeiterstatistik : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.setting("Allgemein", "Sportjahr", 2024);
        db.setting("Global", "Meistersch", "Gaumeisterschaft");
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "Edelweiß Aising"}, {"Abkuerzung", "SG"}});
        db.insert("EVEREIN", {{"VereinNr", "1205"}, {"Name", "Tell Dachau"}, {"Abkuerzung", "SV"}});
        auto mitarbeiter = [&](const char* nr, const char* name, const char* titel, const char* seit,
                               QStringList vereine) {
            db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Anna"}, {"Titel", titel}});
            db.insert("MITARB", {{"Ident", 1}, {"MitglNr", nr}, {"Seit", seit}});
            for (const QString& v : vereine)
                db.insert("EMITVER", {{"MitglNr", nr}, {"VereinNr", v}});
        };
        mitarbeiter("1", "Huber", "", "2014", {"1101", "1205"}); // just long enough, two clubs
        mitarbeiter("2", "Maier", "Dr.", "1990", {"1205"});
        mitarbeiter("3", "Zeller", "", "2015", {"1101"}); // one year short
        mitarbeiter("4", "Abel", "", "", {"1101"});       // no year: never
    }

    // The body rows of the printed list: the texts of each line of tab 1 on.
    QStringList zeilen(const QList<QPair<QString, QString>>& ctls, int* verfahren = nullptr)
    {
        Vcl::TFormDriver driver;
        for (const auto& [n, w] : ctls)
            driver.AddCtl(n, w);
        driver.AddClick("bt_OK");
        const int vorher = int(ui->previews.size());
        const auto r = driver.Run([] { Statistik1::MitarbeiterStatistik(); });
        if (verfahren)
            *verfahren = int(r);
        if (ui->previews.size() != vorher + 1)
            return {};
        const QString stream = ui->previews.last().file;
        EXPECT_EQ(ReportTest::layoutFindings(stream), QString());
        QMap<QString, QStringList> je; // line number -> its texts
        QStringList reihenfolge;
        for (const QString& l : linesStarting(Report::DumpStream(stream).split('\n'), "T\t")) {
            const double y = field(l, 3).toDouble();
            if (y < 4.0 || y > 26.0) // page header, titles and footer
                continue;
            const QString k = field(l, 3);
            if (!je.contains(k))
                reihenfolge << k;
            je[k] << field(l, 8);
        }
        QStringList out;
        for (const QString& k : reihenfolge)
            out << je[k].join('|');
        return out;
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
};

TEST_F(Mitarbeiterstatistik, LongServingStaffByNameOnceAndByClubNumberPerClub)
{
    EXPECT_EQ(zeilen({}), QStringList({"Name|Verein|Seit", "Huber,  Anna|SG|Edelweiß Aising|2014",
                                       "Maier, Dr. Anna|SV|Tell Dachau|1990"}))
        << "first club of the query";
    EXPECT_EQ(zeilen({{"gb_Sort", "1"}}),
              QStringList({"Name|Verein|Seit", "Huber,  Anna|SG|Edelweiß Aising|2014", "Huber,  Anna|SV|Tell Dachau|2014",
                           "Maier, Dr. Anna|SV|Tell Dachau|1990"}));
    // Fewer years reach later joiners.
    EXPECT_EQ(zeilen({{"ed_Jahre", "9"}}).size(), 4);

    // The BSSB prints no abbreviation column.
    db.setting("Allgemein", "Verband", 3);
    Datamod::DataModule1()->SetCurrentChampionship(1); // the host's iVerband follows
    ASSERT_EQ(Datamod::iVerband, 3);
    EXPECT_EQ(zeilen({}).value(1), "Huber,  Anna|Edelweiß Aising|2014");
    const QString dump = Report::DumpStream(ui->previews.last().file);
    EXPECT_TRUE(dump.contains("Langjährige Mitarbeiter der Gaumeisterschaft"));
}

TEST_F(Mitarbeiterstatistik, NoYearsIsAnInputErrorAndAnEmptySelectionSaysSo)
{
    for (const char* jahre : {"0", "abc", "", "-3"}) {
        int r = -1;
        EXPECT_TRUE(zeilen({{"ed_Jahre", jahre}}, &r).isEmpty()) << jahre;
        EXPECT_EQ(r, int(Vcl::TFormDriver::Eingabefehler)) << jahre;
        EXPECT_EQ(ui->errors.value(ui->errors.size() - 1), "Sie haben keine Auswahl getroffen") << jahre;
    }
    EXPECT_TRUE(ui->previews.isEmpty());

    EXPECT_TRUE(zeilen({{"ed_Jahre", "50"}}).isEmpty());
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(ui->messageTexts().value(ui->messageTexts().size() - 1), "Für diese Auswahl sind keine Daten vorhanden");
}

TEST(MitarbeiterstatistikGeneriert, PagesOfAGeneratedChampionshipPassTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(400, 3);
    db->setting("Speziell", "MitTab", "J");
    db->setting("Speziell", "Tabellier", 10);
    Host::TestUiGuard ui;
    Vcl::TFormDriver driver;
    driver.AddCtl("ed_Jahre", "1");
    driver.AddCtl("gb_Sort", "1");
    driver.AddClick("bt_OK");
    ASSERT_EQ(driver.Run([] { Statistik1::MitarbeiterStatistik(); }), Vcl::TFormDriver::Ok) << driver.ErrorText().toStdString();
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), QString());
    EXPECT_GE(linesStarting(Report::DumpStream(ui->previews[0].file).split('\n'), "T\t").size(), 20);
}

} // namespace
