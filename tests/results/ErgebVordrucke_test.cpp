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
#include <QLabel>
#include <QRegularExpression>
#include <QImage>
#include <QListWidget>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableView>

namespace {

QStringList dumpOf(const QString& stream) { return Report::DumpStream(stream).split('\n'); }

using ErgebDialog::texte;

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

TEST(Olympisch, StartsMapOntoTheFormsRowsAndClassesAreRefusedByCode)
{
    using ErgebVordrucke::FormKennzahl;
    EXPECT_EQ(FormKennzahl("1.10.10", "M"), "1.10.10");
    EXPECT_EQ(FormKennzahl("2.10.41", "M"), "2.10.41");
    EXPECT_EQ(FormKennzahl("1.10.30", "M"), "1.10.40"); // youths apply as juniors
    EXPECT_EQ(FormKennzahl("1.10.31", "W"), "1.10.41");
    EXPECT_EQ(FormKennzahl("1.10.43", "W"), "1.10.41"); // juniors B
    EXPECT_EQ(FormKennzahl("1.10.50", "M"), "1.10.10");
    EXPECT_EQ(FormKennzahl("1.10.51", "W"), "1.10.11");
    EXPECT_EQ(FormKennzahl("1.10.61", "W"), "1.10.11"); // seniors: the member's sex
    EXPECT_EQ(FormKennzahl("1.10.61", "M"), "1.10.10");
    EXPECT_EQ(FormKennzahl("1.10", "M"), "");
    EXPECT_EQ(FormKennzahl("", "M"), "");

    using ErgebVordrucke::KlasseZugelassen;
    for (const char* k : {"10, Schützenklasse", "11, Damenklasse", "20, Schüler", "21, Schüler", "70, Senioren D", "9"})
        EXPECT_FALSE(KlasseZugelassen(k)) << k;
    for (const char* k : {"30, Jugend", "41, Junioren A", "50, Alters", "69"})
        EXPECT_TRUE(KlasseZugelassen(k)) << k;
    // The form's rows: 20 for rifles and pistols, 10 for shotguns.
    EXPECT_EQ(ErgebVordrucke::OlympiaZeilen(false).size(), 20);
    EXPECT_EQ(ErgebVordrucke::OlympiaZeilen(true).size(), 10);
}

class OlympischDialog : public Vordrucke {
protected:
    void SetUp() override
    {
        Vordrucke::SetUp();
        db.setting("Allgemein", "VeranstaltungsArt", 3);
        db.setting("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
        db.setting("Speziell", "Teilmeisterschaft", "1");
        for (auto [dis, name] : {std::pair{"110", "Luftgewehr"}, {"210", "Luftpistole"}})
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", dis}, {"Name", name}});
        for (auto [kla, name] : {std::pair{"21", "Schülerklasse"}, {"50", "Altersklasse"}})
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", name}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "50"}, {"KennzEDSB", "1.10.10"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "210"}, {"Klasse", "50"}, {"KennzEDSB", "2.10.10"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "21"}, {"KennzEDSB", "1.10.21"}});
        db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Alt"}, {"Vorname", "Anton"}, {"Tag", "3"}, {"Monat", "4"},
                                {"Jahrgang", "1970"}, {"OrgMitglNr", "BY123"}, {"Geschlecht", "M"}});
        db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Jung"}, {"Vorname", "Jana"}, {"Geschlecht", "W"}});
        for (auto [nr, dis, kla] : {std::tuple{"1", "110", "50"}, {"1", "210", "50"}, {"2", "110", "21"}})
            db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", "1201"}, {"Disziplin", dis},
                                   {"EKlasse", kla}, {"Ergebnis", 380}, {"Teilmeisterschaft", "1"}});
    }
};

TEST_F(OlympischDialog, ACrossAtEachTickedStartsRowAndPupilsAreRefused)
{
    ErgebDialog::Dialog d;
    d.click("bt_Olympisch");
    EXPECT_EQ(d.set("ed_Suche", "Jung"), "");
    d.click("bt_OlWaehlen");
    EXPECT_EQ(ui->errors, QStringList({"Für diese Klasse ist keine Auswahl möglich"}));
    EXPECT_EQ(d.form()->focusWidget(), d.ctl<QWidget>("bt_OlWaehlen"));

    EXPECT_EQ(d.set("ed_Suche", "Alt"), "");
    EXPECT_EQ(d.ctl<QLabel>("lb_KlasseMe")->text(), "Klasse: 50, Altersklasse");
    EXPECT_EQ(d.ctl<QLabel>("lb_Alter")->text(), "Alter: 55");
    d.click("bt_OlWaehlen");
    auto* starts = d.ctl<QListWidget>("clb_Starts");
    ASSERT_EQ(starts->count(), 2);
    EXPECT_EQ(starts->item(0)->text(), "1.10  Luftgewehr - Altersklasse");
    // Only the air rifle is wanted.
    starts->item(1)->setCheckState(Qt::Unchecked);
    d.click("bt_SBeenden");
    ASSERT_EQ(ui->previews.size(), 1);
    const QString stream = ui->previews[0].file;
    EXPECT_EQ(ReportTest::layoutFindings(stream), "");
    const QStringList t = texte(stream);
    for (const char* s : {"Deutscher Schützenbund", "über Bayerischer Sportschützenbund e.V.", "Datum: ___________________",
                          "Antrag auf Startberechtigung in den olympischen Disziplinen", "Alt", "Anton", "3.4.1970",
                          "Altersklasse", "BY123", "Unterschrift des Schützen", "Schnellfeuerpistole"})
        EXPECT_TRUE(t.contains(s)) << s;
    // One cross, in the row of 1.10 men.
    const QStringList dump = dumpOf(stream);
    const QStringList kreuze = dump.filter(QRegularExpression("^T\\t.*\\tX$"));
    ASSERT_EQ(kreuze.size(), 1);
    const QStringList zeile = dump.filter(QRegularExpression("^T\\t.*\\t1\\.10\\.10$"));
    ASSERT_EQ(zeile.size(), 1);
    EXPECT_EQ(ReportTest::field(kreuze[0], 3), ReportTest::field(zeile[0], 3));
    // Back to the member list.
    EXPECT_EQ(d.ctl<QStackedWidget>("pc_Starts")->currentIndex(), 0);
}

TEST(VordruckeGeneriert, FormsOfAGeneratedChampionshipPassTheLayoutCheck)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(600, 5);
    Qvpaths::SetProgramFolder(db->folder());
    db->setting("Allgemein", "VeranstaltungsArt", 3);
    // A junior with a name no other member has, and his club.
    const QString nr = db->value("SELECT MIN(E.MitglNr) FROM ERGEBNIS E, EMITGLIED M WHERE E.MitglNr = M.MitglNr"
                                 " AND E.EKlasse IN ('40', '41') AND E.Ergebnis > 0 AND (SELECT COUNT(*) FROM EMITGLIED X"
                                 " WHERE X.Name = M.Name AND X.Vorname = M.Vorname) = 1")
                           .toString();
    ASSERT_FALSE(nr.isEmpty());
    const QString name = db->value("SELECT Name FROM EMITGLIED WHERE MitglNr = '" + nr + "'").toString();
    const QString vorname = db->value("SELECT Vorname FROM EMITGLIED WHERE MitglNr = '" + nr + "'").toString();
    const QString dis = db->value("SELECT MIN(Disziplin) FROM ERGEBNIS WHERE Ergebnis > 0 AND MitglNr = '" + nr + "'").toString();

    ErgebDialog::Dialog d;
    d.click("bt_Abmeldung");
    d.click("bt_Olympisch");
    EXPECT_EQ(d.set("ed_Suche", name + ", " + vorname), "");
    d.click("bt_OlWaehlen");
    d.click("bt_SBeenden");
    d.click("bt_Bestaetigung");
    d.form()->NamenSuchen(name, vorname);
    EXPECT_EQ(d.set("gr_Disziplin", dis + ";"), "");
    d.click("bt_Ausgabe");
    ASSERT_EQ(ui->previews.size(), 3) << ui->errors.join('|').toStdString();
    for (const auto& p : ui->previews)
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
    EXPECT_EQ(dumpOf(ui->previews[1].file).filter(QRegularExpression("^T\\t.*\\tX$")).size(), 1);
    EXPECT_TRUE(texte(ui->previews[2].file).contains(name));
}

} // namespace
