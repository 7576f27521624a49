// The forms of the general page: the deregistration forms, the results
// confirmation and the application for the Olympic disciplines.

#include "reports1/results/ErgebVordrucke.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QDate>
#include <QImage>
#include <QStackedWidget>
#include <QTableView>

namespace {

QStringList dumpOf(const QString& stream) { return Report::DumpStream(stream).split('\n'); }

// The printed texts of a stream, in order.
QStringList texte(const QString& stream)
{
    QStringList t;
    for (const QString& l : ReportTest::linesStarting(dumpOf(stream), "T\t"))
        t << ReportTest::field(l, 8);
    return t;
}

class Vordrucke : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberland");
    }
    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Vordrucke, DeclarationFollowsTheEventLevel)
{
    EXPECT_EQ(ErgebVordrucke::Erklaerung(0),
              "Hiermit erkläre ich, dass ich in diesem Sportjahr an der Kreis/Gau-Meisterschaft in folgenden Disziplinen,");
    EXPECT_EQ(ErgebVordrucke::Erklaerung(1),
              "Hiermit erkläre ich, dass ich in diesem Sportjahr an der Bezirks-Meisterschaft in folgenden Disziplinen,");
    EXPECT_EQ(ErgebVordrucke::Erklaerung(3),
              "Hiermit erkläre ich, dass ich in diesem Sportjahr an der Deutschen Meisterschaft in folgenden Disziplinen,");
    EXPECT_EQ(ErgebVordrucke::Erklaerung(4), "");
    EXPECT_EQ(ErgebVordrucke::Erklaerung(-1), "");
}

TEST_F(Vordrucke, TwoDeregistrationFormsToAPageWithTheCutLineAndTheCoatOfArms)
{
    db.setting("Allgemein", "VeranstaltungsArt", 2);
    db.setting("Global", "Sportl", "Anna Lechner");
    db.setting("Speziell", "BitmapLL", 250);
    db.setting("Speziell", "BitmapLH", 300);
    QImage wappen(50, 60, QImage::Format_RGB32);
    wappen.fill(Qt::blue);
    ASSERT_TRUE(wappen.save(db.folder() + "/WAPPEN.BMP", "BMP"));

    ErgebDialog::Dialog d;
    d.click("bt_Abmeldung");
    ASSERT_EQ(ui->previews.size(), 1);
    const QString stream = ui->previews[0].file;
    EXPECT_EQ(ReportTest::layoutFindings(stream), "");
    const QStringList dump = dumpOf(stream);
    EXPECT_EQ(ReportTest::linesStarting(dump, "P").size(), 1);
    const QStringList t = texte(stream);
    EXPECT_EQ(t.count("Abmeldung"), 2);
    EXPECT_EQ(t.count("Hiermit erkläre ich, dass ich in diesem Sportjahr an der Landes-Meisterschaft in folgenden "
                      "Disziplinen,"),
              2);
    for (const char* s : {"An den Bezirksmeisterschaft", "Schützenbezirk Oberland", "z. Hd. Anna Lechner",
                          "Sehr geehrter Bezirksmeisterschaft", "nicht teilnehme.", "Name: ", "Vorname: ",
                          "Schützenausweis-Nr.: ", "Vereins-Nr.: ", "Verein: ", "Datum: ", "Unterschrift: ",
                          "Abmeldung der Mannschaft", "Mannsch.-Führer:", "Disziplinen: ",
                          "Wenn das Feld Diszipinen nicht ausgefüllt wird, werden alle Disziplinen abgemeldet!"})
        EXPECT_EQ(t.count(s), 2) << s;
    // The cut line halfway down the page, each form above or below it.
    const QStringList schnitt = dump.filter("\t" + QString(120, '-'));
    ASSERT_EQ(schnitt.size(), 1);
    EXPECT_EQ(ReportTest::field(schnitt[0], 3), "14.900");
    QVector<double> titel;
    for (const QString& l : dump)
        if (l.startsWith("T\t") && l.endsWith("\tAbmeldung"))
            titel << ReportTest::field(l, 3).toDouble();
    ASSERT_EQ(titel.size(), 2);
    EXPECT_LT(titel[0], 14.9);
    EXPECT_GT(titel[1], 14.9);
    // The coat of arms twice per form, 2.5 x 3.0 cm scaled into its room.
    const QStringList bilder = ReportTest::linesStarting(dump, "I\t");
    ASSERT_EQ(bilder.size(), 4);
    for (const QString& b : bilder) {
        EXPECT_EQ(ReportTest::field(b, 4), "2.000") << b.toStdString();
        EXPECT_EQ(ReportTest::field(b, 5), "2.400") << b.toStdString();
    }
}

TEST_F(Vordrucke, WithoutALevelOrPictureSizeTheFormHasNeitherDeclarationNorPictures)
{
    db.setting("Allgemein", "VeranstaltungsArt", 4);
    ErgebDialog::Dialog d;
    d.click("bt_Abmeldung");
    ASSERT_EQ(ui->previews.size(), 1);
    const QStringList dump = dumpOf(ui->previews[0].file);
    EXPECT_TRUE(dump.filter("Hiermit erkläre").isEmpty());
    EXPECT_TRUE(dump.filter("z. Hd.").isEmpty());
    EXPECT_TRUE(ReportTest::linesStarting(dump, "I\t").isEmpty());
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
}

class Bestaetigung : public Vordrucke {
protected:
    void SetUp() override
    {
        Vordrucke::SetUp();
        for (auto [dis, name] : {std::pair{"110", "Luftgewehr"}, {"120", "Zimmerstutzen"}, {"130", "KK 3 x 20"},
                                 {"140", "KK Liegend"}, {"210", "Luftpistole"}})
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", dis}, {"Name", name}, {"Zehntel", "N"}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell"}, {"Abkuerzung", "SVT"}});
        db.insert("EVEREIN", {{"VereinNr", "1305"}, {"Name", "FSG Au"}});
        db.insert("EMITGLIED", {{"MitglNr", "7"}, {"Name", "Meier"}, {"Vorname", "Hans"}, {"Titel", "Dr."}});
        db.insert("EMITGLIED", {{"MitglNr", "8"}, {"Name", "Zenz"}, {"Vorname", "Eva"}});
        db.insert("EMITVER", {{"MitglNr", "7"}, {"VereinNr", "1201"}});
        db.insert("EMITVER", {{"MitglNr", "8"}, {"VereinNr", "1305"}});
        auto ergebnis = [&](const char* nr, const char* dis, const char* kla, double e, const char* serien) {
            db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", dis},
                                   {"EKlasse", kla}, {"Ergebnis", e}, {"Serien", serien}});
        };
        ergebnis("7", "110", "10", 290, "095097098");
        ergebnis("7", "110", "20", 385, "096097098094"); // the better start counts
        ergebnis("7", "120", "10", 281, "093094094");
        ergebnis("8", "210", "10", 350, "087088087088");
    }
    QString page() const { return d->form()->findChild<QStackedWidget*>("pc_Ergebnisse")->currentWidget()->objectName(); }
    std::unique_ptr<ErgebDialog::Dialog> d;
};

TEST_F(Bestaetigung, ConfirmsTheChosenCompetitionsOfTheShooterWithTheSeries)
{
    d = std::make_unique<ErgebDialog::Dialog>();
    d->click("bt_Bestaetigung");
    EXPECT_EQ(page(), "ts_Bestaetigung");
    ASSERT_EQ(d->set("gr_Mitglied", "Meier"), "");
    // Only the clubs of the member chosen, with abbreviation and name.
    auto* vereine = d->ctl<QTableView>("gr_MitVer")->model();
    ASSERT_EQ(vereine->rowCount(), 1);
    EXPECT_EQ(vereine->index(0, 0).data().toString() + " " + vereine->index(0, 1).data().toString() + " "
                  + vereine->index(0, 2).data().toString(),
              "1201 SVT SV Tell");
    ASSERT_EQ(d->set("gr_Disziplin", "120;110"), "");
    d->click("bt_Ausgabe");
    ASSERT_EQ(ui->previews.size(), 1) << ui->errors.join('|').toStdString();
    const QString stream = ui->previews[0].file;
    EXPECT_EQ(ReportTest::layoutFindings(stream), "");
    EXPECT_EQ(texte(stream),
              QStringList({"ERGEBNISBESTÄTIGUNG", "Bezirksmeisterschaft 2025", "Name:", "Meier", "Vorname:", "Dr. Hans",
                           "Verein:", "SVT SV Tell", "hat bei der  Bezirksmeisterschaft  in dem", "Wettbewerb:",
                           "Luftgewehr", "Gesamt:", "385", "Serien:", "96", "97", "98", "94", "Wettbewerb:",
                           "Zimmerstutzen", "Gesamt:", "281", "Serien:", "93", "94", "94",
                           "das oben aufgeführte Ergebnis erzielt", "Datum:",
                           QDate::currentDate().toString("dd.MM.yyyy"), "Schießleitung:",
                           "_______________________________"}));
    // The closing sentence at its place low on the page.
    const QStringList schluss = dumpOf(stream).filter("\tdas oben aufgeführte Ergebnis erzielt");
    ASSERT_EQ(schluss.size(), 1);
    EXPECT_EQ(ReportTest::field(schluss[0], 3), "23.364");
}

TEST_F(Bestaetigung, WrongNumberOfCompetitionsOrAMissingResultPrintsNothing)
{
    d = std::make_unique<ErgebDialog::Dialog>();
    d->click("bt_Bestaetigung");
    ASSERT_EQ(d->set("gr_Mitglied", "Meier"), "");
    ASSERT_EQ(d->set("gr_Disziplin", "110;120;130;140;210"), "");
    d->click("bt_Ausgabe");
    d->ctl<QTableView>("gr_Disziplin")->clearSelection();
    d->click("bt_Ausgabe");
    EXPECT_EQ(ui->errors, QStringList(2, "Es wurde eine falsche Anzahl ausgewählt."));
    EXPECT_EQ(d->form()->focusWidget(), d->ctl<QWidget>("gr_Disziplin"));
    // Four are allowed, but the shooter did not start in 130.
    ASSERT_EQ(d->set("gr_Disziplin", "110;120;130;140"), "");
    d->click("bt_Ausgabe");
    EXPECT_EQ(ui->errors.last(), "Im Wettbewerb KK 3 x 20 liegt für Hans Meier kein Ergebnis vor.");
    EXPECT_TRUE(ui->previews.isEmpty());

    // Another shooter: his own club and result.
    ASSERT_EQ(d->set("gr_Mitglied", "Zenz"), "");
    ASSERT_EQ(d->set("gr_Disziplin", "210"), "");
    d->click("bt_Ausgabe");
    ASSERT_EQ(ui->previews.size(), 1);
    const QStringList t = texte(ui->previews[0].file);
    EXPECT_TRUE(t.contains("FSG Au"));
    EXPECT_TRUE(t.contains("350"));
    EXPECT_FALSE(t.contains("SVT SV Tell"));
    d->click("br_BestAbbruch");
    EXPECT_EQ(page(), "ts_Normal");
}

} // namespace
