// The team re-registration sheets of the results dialog: one sheet per
// marked team of this championship (a team re-registered twice still gets
// one), its members' ranges and the fee, the marks cleared after printing
// so a second run offers the dialog instead; the blank sheet that clears
// nothing; the amount text with its thousands separator; a fee setting
// that is no amount; every print under the layout check.

#include "reports1/results/ErgebUmmeldung.h"

#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "reports1/entries/Ummeldungdlg.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

namespace {

class Ummeldungen : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Kreismeisterschaft");
        db.setting("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
        db.setting("Speziell", "UmmeldeBetr", "1234,5");
        for (int ident : {1, 2}) {
            db.insert("PDISZIPLIN", {{"Ident", ident}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
            db.insert("PKLASSE", {{"Ident", ident}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
            db.insert("PKLASSE", {{"Ident", ident}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
        }
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Luftdruckhalle"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle B"}});
        db.insert("EVEREIN", {{"VereinNr", "1101"}, {"Name", "SG Nord"}, {"Titel", "Kgl. priv."}, {"Abkuerzung", "SGN"}});
        db.insert("EVEREIN", {{"VereinNr", "1102"}, {"Name", "SV Süd"}});
        team(1, "1101", "10", "1");
        team(1, "1101", "10", "2");
        team(1, "1102", "11", "1");
        team(2, "1101", "10", "1"); // another competition's team
        mitglied("1101", "10", "1", 1);
        mitglied("1101", "10", "1", 1);
        mitglied("1101", "10", "1", 2);
        mitglied("1102", "11", "1", 2);
    }
    void TearDown() override
    {
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }
    void team(int ident, const QString& verein, const QString& klasse, const QString& nr, const QString& mark = "N")
    {
        db.insert("EMANNSCH", {{"Ident", ident}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", klasse},
                               {"MannschNr", nr}, {"MUmmeldung", mark}, {"Ummeldung", 0}});
    }
    void mitglied(const QString& verein, const QString& klasse, const QString& nr, int anlage)
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", QString::number(++mitglieder_)}, {"VereinNr", verein},
                               {"Disziplin", "110"}, {"EKlasse", klasse}, {"Anlage", anlage}, {"MVereinNr", verein},
                               {"MDisziplin", "110"}, {"MKlasse", klasse}, {"MannschNr", nr}});
    }
    // Marks a team through the re-registration dialog, as the office does.
    void ummelden(const QString& verein, const QString& klasse, const QString& nr)
    {
        Vcl::TFormDriver d;
        d.AddCtl("cx_MVerein", verein);
        d.AddCtl("cx_MDisziplin", "110");
        d.AddCtl("cx_MKlasse", klasse);
        d.AddCtl("ed_MMannschNr", nr);
        d.AddClick("bt_Bearbeiten");
        EXPECT_TRUE(d.Run([] { Ummeldungdlg::Erstellen(); }) == Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    }
    // Plays steps on the open results dialog ("name=value" sets, "name" clicks).
    void spielen(ErgebDialog::Dialog& dialog, const QStringList& schritte)
    {
        Vcl::TFormDriver d;
        for (const QString& s : schritte) {
            if (s.contains('='))
                d.AddCtl(s.section('=', 0, 0), s.section('=', 1));
            else
                d.AddClick(s);
        }
        d.Play(dialog.form());
    }
    ReportTest::Druck letzterDruck()
    {
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return ReportTest::druckLesen(ui->previews.last().file, ui->previews.last().title);
    }
    QStringList marken()
    {
        return ErgebDialog::rows("SELECT Ident, VereinNr, MKlasse, MannschNr, MUmmeldung, Ummeldung FROM EMANNSCH "
                                 "ORDER BY Ident, VereinNr, MKlasse, MannschNr");
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    int mitglieder_ = 0;
};

TEST_F(Ummeldungen, EachMarkedTeamGetsOneSheetOnceThenTheDialogIsOffered)
{
    // Team 1 of SG Nord re-registered twice, the ladies' team once.
    ummelden("1101", "10", "1");
    ummelden("1101", "10", "1");
    ummelden("1102", "11", "1");

    ErgebDialog::Dialog dialog;
    spielen(dialog, {"bt_Ummeldungen"});
    ASSERT_EQ(ui->previews.size(), 1);
    const ReportTest::Druck d = letzterDruck();
    EXPECT_EQ(d.titel, "Mannschaftsummeldungen");
    ASSERT_EQ(d.seiten.size(), 2);
    const auto seite = [&d](int i) {
        QStringList t;
        for (const QString& z : d.seiten[i])
            t << z.mid(z.indexOf(':') + 1);
        return t;
    };
    const QStringList erste = seite(0);
    EXPECT_EQ(erste.mid(0, 7), (QStringList{"Bayerischer Sportschützenbund e.V.", "Mannschaftsummeldung",
                                            "Kreismeisterschaft 2025", "Verein:|Kgl. priv. SG Nord (SGN), 1101",
                                            "Wettbewerb:|Luftgewehr", "Klasse:|Schützenklasse", "Mannschaft:|1"}))
        << erste.join('\n').toStdString();
    // One line per member with its range, numbered.
    const QStringList mitglieder = erste.filter(QRegularExpression("^\\d\\|"));
    ASSERT_EQ(mitglieder.size(), 3);
    QStringList anlagen;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mitglieder[i].section('|', 0, 0), QString::number(i + 1));
        anlagen << mitglieder[i].section('|', 1);
    }
    anlagen.sort();
    EXPECT_EQ(anlagen, (QStringList{"Halle B", "Luftdruckhalle", "Luftdruckhalle"}));
    EXPECT_TRUE(erste.contains("Die Ummeldegebühr beträgt 1.234,50 Euro."));
    const QStringList zweite = seite(1);
    EXPECT_TRUE(zweite.contains("Verein:|SV Süd, 1102"));
    EXPECT_TRUE(zweite.contains("Klasse:|Damenklasse"));
    EXPECT_TRUE(zweite.contains("1|Halle B"));
    EXPECT_EQ(Ergebdruck1::DruckjobID, ui->previews.last().id);
    EXPECT_TRUE(ui->progressStarts.contains(qMakePair(0, 2)));

    // Printed once: the marks are cleared, the host's count of
    // re-registrations stays.
    EXPECT_EQ(marken(), (QStringList{"1|1101|10|1|N|2", "1|1101|10|2|N|0", "1|1102|11|1|N|1", "2|1101|10|1|N|0"}));

    // Nothing marked now: the dialog is offered; left with "Zurück" it says so.
    spielen(dialog, {"bt_Ummeldungen", "cxButton2"});
    EXPECT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Ummeldungen vorhanden");

    // A team marked there is printed at once.
    spielen(dialog, {"bt_Ummeldungen", "cx_MVerein=1101", "cx_MDisziplin=110", "cx_MKlasse=10", "ed_MMannschNr=2",
                     "bt_Bearbeiten"});
    ASSERT_EQ(ui->previews.size(), 2);
    const QStringList t = letzterDruck().texte();
    EXPECT_TRUE(t.contains("Mannschaft:|2"));
    EXPECT_EQ(t.filter(QRegularExpression("^\\d$")).size(), 4); // no member on record: lines to fill in
    EXPECT_EQ(db.count("EMANNSCH", "Ident = 1 AND MUmmeldung = 'J'"), 0);

    // The dialog passes a club's team that does not exist: still nothing to print.
    spielen(dialog, {"bt_Ummeldungen", "cx_MVerein=1101", "cx_MDisziplin=110", "cx_MKlasse=10", "ed_MMannschNr=7",
                     "bt_Bearbeiten"});
    EXPECT_EQ(ui->previews.size(), 2);
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Ummeldungen vorhanden");
}

TEST_F(Ummeldungen, TheBlankSheetNamesNoTeamAndClearsNoMark)
{
    db.exec("UPDATE EMANNSCH SET MUmmeldung = 'J' WHERE Ident = 1 AND MannschNr = '1'");
    ErgebDialog::Dialog dialog;
    spielen(dialog, {"cb_Ummeldungen=true", "bt_Ummeldungen"});
    ASSERT_EQ(ui->previews.size(), 1);
    const ReportTest::Druck d = letzterDruck();
    ASSERT_EQ(d.seiten.size(), 1);
    const QStringList t = d.texte();
    EXPECT_TRUE(t.contains("Verein:"));
    EXPECT_TRUE(t.contains("Mannschaft:"));
    EXPECT_EQ(t.filter(QRegularExpression("^\\d$")).size(), 4);
    EXPECT_TRUE(t.contains("Die Ummeldegebühr beträgt 1.234,50 Euro."));
    EXPECT_FALSE(d.dump.contains("SG Nord"));
    EXPECT_EQ(db.count("EMANNSCH", "MUmmeldung = 'J'"), 2);
    EXPECT_TRUE(ui->progressStarts.isEmpty());
}

TEST_F(Ummeldungen, TheFeeIsWrittenAsTheHostWritesAmounts)
{
    using ErgebUmmeldung::BetragErstellen;
    EXPECT_EQ(BetragErstellen("1234,5", 0, "Euro"), "1.234,50 Euro");
    EXPECT_EQ(BetragErstellen("5", 0, "Euro"), "5,00 Euro");
    EXPECT_EQ(BetragErstellen("999,999", 1, "€"), "999,99€"); // cut, not rounded
    EXPECT_EQ(BetragErstellen("1234567,8", 2, ""), "1.234.567,80 %");
    EXPECT_EQ(BetragErstellen("-1234,56", 0, "DM"), "-1.234,56 DM");
    EXPECT_EQ(BetragErstellen("1.234,5", 3, "Euro"), "1.234,50");
    EXPECT_EQ(BetragErstellen(",5", 3, ""), "0,50");

    // "UmmeldeBetr" first, else "UBetrag" in cents; the championship's currency.
    EXPECT_EQ(ErgebUmmeldung::Gebuehr(), "1.234,50 Euro");
    db.setting("Speziell", "UmmeldeBetr", "");
    db.setting("Speziell", "UBetrag", "250000");
    db.setting("Speziell", "Waehrung", "1");
    EXPECT_EQ(ErgebUmmeldung::Gebuehr(), "2.500,00 DM");
    db.setting("Speziell", "UBetrag", "");
    EXPECT_EQ(ErgebUmmeldung::Gebuehr(), "");

    // Decimals beyond the second are cut.
    db.setting("Speziell", "UmmeldeBetr", "12,345");
    db.setting("Speziell", "Waehrung", "0");
    EXPECT_EQ(ErgebUmmeldung::Gebuehr(), "12,34 Euro");

    // A fee that is no amount is named; nothing is printed or cleared.
    db.setting("Speziell", "UmmeldeBetr", "12,3x");
    db.exec("UPDATE EMANNSCH SET MUmmeldung = 'J' WHERE Ident = 1");
    ErgebDialog::Dialog dialog;
    spielen(dialog, {"bt_Ummeldungen"});
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(ui->errors, QStringList{"Die Ummeldegebühr ist fehlerhaft eingestellt: Der Betrag 12,3x ist keine "
                                      "gültige Zahl."});
    EXPECT_EQ(db.count("EMANNSCH", "Ident = 1 AND MUmmeldung = 'J'"), 3);
}

TEST(UmmeldungenGeneriert, SheetsOfAGeneratedChampionshipPassTheLayoutCheck)
{
    auto gen = Fixture::Database::Generated(300, 7);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(gen->folder());
    gen->exec("UPDATE EMANNSCH SET MUmmeldung = 'J' WHERE MannschNr = '1'");
    const int teams = gen->count("EMANNSCH", "MUmmeldung = 'J'");
    ASSERT_GT(teams, 3);
    ErgebDialog::Dialog dialog;
    for (const bool blanko : {true, false}) {
        Vcl::TFormDriver d;
        d.AddCtl("cb_Ummeldungen", blanko ? "true" : "false");
        d.AddClick("bt_Ummeldungen");
        d.Play(dialog.form());
        ASSERT_EQ(ui->previews.size(), blanko ? 1 : 2);
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        EXPECT_EQ(ReportTest::druckLesen(ui->previews.last().file).seiten.size(), blanko ? 1 : teams);
    }
    for (const auto& p : ui->previews)
        QFile::remove(p.file);
}

} // namespace
