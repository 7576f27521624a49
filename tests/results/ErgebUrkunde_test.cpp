// Certificates from the results dialog: places up to the limit with ties
// and reprints, team members, values through the mail-merge table and the
// text file, the refill that fails, the input errors, the printed pages of
// a generated championship, and several competitions added up.

#include "reports1/results/ErgebUrkunde.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStackedWidget>

using ErgebDialog::rows;

namespace {

class Urkunden : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Global", "Meistersch", "Bezirksmeisterschaft");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberland");
        db.setting("Global", "Ober", "Georg Obermaier");
        db.setting("Global", "Sportl", "Anna Lechner");
        db.setting("Global", "UrkZusatz", "J");
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Speziell", "Urkunde", "J");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr "}, {"Kennung", "E"},
                                 {"Ausgabe", "Ringe"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Zusatz", "männlich"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"AnzWertung", 3},
                              {"ErgebEinzel", 400}});
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "D'Hubertusschützen"}, {"Abkuerzung", "DHS"},
                              {"Titel", "Kgl. priv. FSG"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "SV Tell"}, {"Abkuerzung", "SVT"}});
    }

    // Member nr of club 1201 with a result in 110/10 of championship ident.
    void start(const QString& nr, const QString& name, double ergebnis, Fixture::Values mehr = {}, int ident = 1)
    {
        if (db.count("EMITGLIED", "MitglNr = '" + nr + "'") == 0)
            db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Hans"}});
        const qint64 id = db.insert("ERGEBNIS", {{"Ident", ident}, {"MitglNr", nr}, {"VereinNr", "1201"},
                                                 {"Disziplin", "110"}, {"EKlasse", "10"}, {"Ergebnis", ergebnis},
                                                 {"Serien", "095096"}});
        for (const auto& [spalte, wert] : mehr)
            db.exec("UPDATE ERGEBNIS SET " + spalte + " = " + Ado::QuotedStr(wert.toString()) + " WHERE ID = "
                    + QString::number(id));
    }
    // Adam, Bauer and Cramer of club 1201, its complete team number nr.
    void dreierMannschaft(const QString& nr)
    {
        start("1", "Adam", 390);
        start("2", "Bauer", 385);
        start("3", "Cramer", 380);
        db.exec("UPDATE ERGEBNIS SET MVereinNr = '1201', MDisziplin = '110', MKlasse = '10', MannschNr = "
                + Ado::QuotedStr(nr));
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", nr}, {"Ergebnis", 1155}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    }
    // Certificates of all groups with the output chosen (0 print, 1 table, 2 file).
    void urkunden(const ErgebDialog::Dialog& d, int ausgabe, const QString& bis, const QString& nachdruck = {})
    {
        db.exec("UPDATE PDISKLA SET ErgebEing = 'X'");
        EXPECT_EQ(d.set("pc_Ergebnis", "Urkunden"), "");
        EXPECT_EQ(d.set("gb_UrkDirekt", QString::number(ausgabe)), "");
        EXPECT_EQ(d.set("ed_Platzierung", bis), "");
        EXPECT_EQ(d.set(nachdruck.isEmpty() ? "rb_UrkGesamt" : "rb_UrkNachdruck", "true"), "");
        if (!nachdruck.isEmpty()) {
            EXPECT_EQ(d.set("ed_Platz", nachdruck), "");
        }
        d.click("bt_Urkunde");
    }
    QString datei(const QString& name) { return QDir(Qvpaths::DataFolder()).filePath(name); }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Urkunden, PlacesUpToTheLimitSharedByTiesAndReprintsOfOnePlace)
{
    start("1", "Adam", 390);
    start("2", "Bauer", 385, {{"Serien", "096097"}});
    start("3", "Cramer", 385, {{"Serien", "096097"}}); // tied with Bauer
    start("4", "Dorn", 380);
    start("5", "Ernst", 375);
    start("6", "Frank", 375, {{"Zusatz", 9999}});      // keeps the place of the row before
    start("7", "Fuchs", 395, {{"Qual", "Q"}});          // ranked without place
    start("8", "Gast", 396, {{"Disqualifikation", 3}});
    start("9", "Huber", 384);
    ErgebDialog::Dialog d;
    const QString sql = "SELECT Platz, Name, Nummer FROM EURKUNDEE ORDER BY ID";
    urkunden(d, 1, "3");
    EXPECT_EQ(rows(sql), QStringList({"1.|Hans Adam|1", "2.|Hans Bauer|2", "2.|Hans Cramer|3"}));
    // The marks are reset after the output.
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
    // A tie at the limit takes both; the row after it ends the group.
    urkunden(d, 1, "2");
    EXPECT_EQ(rows(sql).size(), 3);
    urkunden(d, 1, "6");
    EXPECT_EQ(rows("SELECT Platz, Name FROM EURKUNDEE ORDER BY ID").mid(3),
              QStringList({"4.|Hans Huber", "5.|Hans Dorn", "5.|Hans Frank"}));
    // A reprint writes the place's certificates alone, tied ones together.
    urkunden(d, 1, "3", "2");
    EXPECT_EQ(rows(sql), QStringList({"2.|Hans Bauer|1", "2.|Hans Cramer|2"}));
    urkunden(d, 1, "6", "4");
    EXPECT_EQ(rows(sql), QStringList({"4.|Hans Huber|1"}));
    EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join('|').toStdString();
}

TEST_F(Urkunden, TeamsListTheirCountedMembersAndOnlyCompleteTeamsPlace)
{
    for (auto [nr, name, ergebnis, verein] : {std::tuple{"1", "Adam", 390.0, "1201"}, {"2", "Bauer", 385.0, "1201"},
                                              {"3", "Cramer", 0.0, "1201"}, {"4", "Dorn", 380.0, "1202"},
                                              {"5", "Ernst", 391.0, "1202"}, {"6", "Frank", 375.0, "1202"},
                                              {"7", "Gast", 389.0, "1202"}}) {
        start(nr, name, ergebnis);
        db.exec(QString("UPDATE ERGEBNIS SET MVereinNr = '%1', MDisziplin = '110', MKlasse = '10', MannschNr = '1' "
                        "WHERE MitglNr = '%2'").arg(verein, nr));
    }
    // 1201 counts two results of three; 1202 the best three of four; 1203 is incomplete.
    for (auto [verein, ergebnis, ist] : {std::tuple{"1201", 775.0, 3}, {"1202", 1160.0, 3}, {"1203", 1190.0, 2}})
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ergebnis", ergebnis}, {"AnzMannsch", 3}, {"AnzMannschIst", ist}});
    db.insert("EVEREIN", {{"VereinNr", "1203"}, {"Name", "SG Hubertus"}});
    ErgebDialog::Dialog d;
    EXPECT_EQ(d.set("gb_UrkEinzel", "Mannschaft"), "");
    urkunden(d, 1, "3");
    EXPECT_EQ(rows("SELECT Platz, VerName, Mitglied, RingEinzel, RingMannsch, KlasseName FROM EURKUNDEM ORDER BY ID"),
              QStringList({"1.|SV Tell|Hans Ernst\nHans Gast\nHans Dorn\n|1160|1200|Schützenklasse männlich",
                           "2.|D'Hubertusschützen|Hans Adam\nHans Bauer\n|775|1200|Schützenklasse männlich"}));

    // The text file: the individual fields, then the members.
    urkunden(d, 2, "1");
    QFile f(datei("URKMANNSCH.TXT"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              QString("\uFEFF110;10;1.;Bezirksmeisterschaft;Schützenbezirk   Oberland;2025;Luftgewehr;"
                      "Schützenklasse männlich;SV Tell;;SVT;SV Tell;1160;Ringe;Georg Obermaier;Anna Lechner;"
                      "Hans Ernst, Hans Gast, Hans Dorn;\r\n"));
}

TEST_F(Urkunden, TheFederationThatNamesClubsByTitlePrintsTheTitleBeforeClubAndTeam)
{
    dreierMannschaft("2");
    ErgebDialog::Dialog d;
    // The centred lines of the last certificate printed.
    auto zeilen = [&](const char* wer) {
        EXPECT_EQ(d.set("gb_UrkEinzel", wer), "");
        urkunden(d, 0, "1");
        QStringList t;
        if (ui->previews.isEmpty())
            return t;
        for (const QString& l : ReportTest::linesStarting(Report::DumpStream(ui->previews.last().file).split('\n'),
                                                         "T\t1\t11.003\t"))
            t << ReportTest::field(l, 8);
        return t;
    };
    for (int verband : {0, 3}) {
        db.setting("Allgemein", "Verband", verband);
        const QString titel = verband == 3 ? "Kgl. priv. FSG " : "";
        const QStringList einzel = zeilen("Einzel");
        EXPECT_TRUE(einzel.contains("Hans  Adam")) << verband;
        EXPECT_TRUE(einzel.contains(titel + "D'Hubertusschützen")) << einzel.join('|').toStdString();
        EXPECT_EQ(einzel.contains("Kgl. priv. FSG D'Hubertusschützen"), verband == 3);
        const QStringList team = zeilen("Mannschaft");
        EXPECT_TRUE(team.contains(titel + "D'Hubertusschützen 2")) << team.join('|').toStdString();
        EXPECT_EQ(team.contains("Kgl. priv. FSG D'Hubertusschützen 2"), verband == 3);
        EXPECT_TRUE(team.contains("Hans Adam, Hans Bauer, Hans Cramer")) << team.join('|').toStdString();
    }
    EXPECT_EQ(ui->previews.size(), 4);
    EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join('|').toStdString();
}

TEST_F(Urkunden, RecordsOfTheSportYearAreNotedOnPageAndInTheTable)
{
    dreierMannschaft("1");
    // Adam set this year's record, Bauer equalled it, Cramer's is an earlier year's.
    for (auto [nr, jahr, nummer] : {std::tuple{"1", 2025, 1}, {"2", 2025, 2}, {"3", 2021, 1}})
        db.insert("EREKORDE", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"MitglNr", nr},
                               {"Jahr", jahr}, {"Nummer", nummer}});
    db.insert("EREKORDM", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"VereinNr", "1201"},
                           {"MannschNr", "1"}, {"Jahr", 2025}, {"Nummer", 2}});
    ErgebDialog::Dialog d;
    for (const char* an : {"J", "N"}) {
        db.setting("Speziell", "Rekorde", an);
        const bool ja = QString(an) == "J";
        urkunden(d, 1, "3");
        EXPECT_EQ(rows("SELECT Name, Rekord FROM EURKUNDEE ORDER BY ID"),
                  QStringList({"Hans Adam|" + QString(ja ? "NR" : ""), "Hans Bauer|" + QString(ja ? "RE" : ""),
                               "Hans Cramer|"}));
        urkunden(d, 0, "1");
        ASSERT_FALSE(ui->previews.isEmpty());
        const QStringList seite = Report::DumpStream(ui->previews.last().file).split('\n');
        EXPECT_EQ(seite.filter(QRegularExpression("\t11\tB\tNR$")).size(), ja ? 1 : 0) << an;
        EXPECT_EQ(d.set("gb_UrkEinzel", "Mannschaft"), "");
        urkunden(d, 1, "3");
        EXPECT_EQ(rows("SELECT VerName, Rekord FROM EURKUNDEM"), QStringList({"D'Hubertusschützen|" + QString(ja ? "RE" : "")}));
        EXPECT_EQ(d.set("gb_UrkEinzel", "Einzel"), "");
    }
    EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join('|').toStdString();
}

// Splits a line of the text file: ";" ends a field, '"' encloses one.
QStringList felder(const QString& zeile)
{
    QStringList l;
    QString f;
    bool zitat = false;
    for (qsizetype i = 0; i < zeile.size(); ++i) {
        const QChar c = zeile[i];
        if (zitat && c == '"' && i + 1 < zeile.size() && zeile[i + 1] == '"')
            f += c, ++i;
        else if (c == '"')
            zitat = !zitat;
        else if (c == ';' && !zitat)
            l << f, f.clear();
        else
            f += c;
    }
    return l;
}

TEST_F(Urkunden, ValuesReachTableAndTextFileUnchanged)
{
    const QString verein = "D'Hubertus; \"Tell\" Weiß\\Grün 100% ?:x";
    db.exec("UPDATE EVEREIN SET Name = " + Ado::QuotedStr(verein) + " WHERE VereinNr = '1201'");
    start("1", "Öttl-Größl", 390, {{"Finale", 1023}});
    db.exec("UPDATE EMITGLIED SET Vorname = 'Jürgen', Titel = 'Dr.' WHERE MitglNr = '1'");
    db.setting("Allgemein", "Verband", 3);
    ErgebDialog::Dialog d;
    urkunden(d, 1, "3");
    EXPECT_EQ(rows("SELECT Verein, Name, RingEinzel, Abkuerzung, Titel, DisziplinName, Name2 FROM EURKUNDEE"),
              QStringList({verein + "|Dr. Jürgen Öttl-Größl|492,3||Kgl. priv. FSG|Luftgewehr|Schützenbezirk   Oberland"}));
    EXPECT_EQ(ui->messageTexts().last(), "Es wurden  1\r\nEinzelurkunden für Serienbriefe erstellt.\r\nTabelle EURKUNDEE");

    urkunden(d, 2, "3");
    EXPECT_EQ(ui->messageTexts().last(), "Es wurden  1\r\nEinzelurkunden für Serienbriefe erstellt.\r\nDatei URKEINZEL.TXT im Ordner "
                                             + QDir::toNativeSeparators(Qvpaths::DataFolder()));
    QFile f(datei("URKEINZEL.TXT"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray roh = f.readAll();
    ASSERT_TRUE(roh.startsWith("\xEF\xBB\xBF")); // UTF-8 that a word processor recognises
    ASSERT_TRUE(roh.endsWith(";\r\n"));
    const QStringList z = felder(QString::fromUtf8(roh.mid(3)).chopped(2));
    EXPECT_EQ(z, QStringList({"110", "10", "1.", "Bezirksmeisterschaft", "Schützenbezirk   Oberland", "2025",
                              "Luftgewehr", "Schützenklasse männlich", "Dr. Jürgen Öttl-Größl", "Kgl. priv. FSG", "",
                              verein, "492,3", "Ringe", "Georg Obermaier", "Anna Lechner"}));
}

TEST_F(Urkunden, AFailedRefillKeepsThePreviousRows)
{
    start("1", "Adam", 390);
    ErgebDialog::Dialog d;
    urkunden(d, 1, "3");
    ASSERT_EQ(db.count("EURKUNDEE"), 1);
    start("2", "Bauer", 385);
    // Every row written now fails: the emptied table comes back as it was.
    db.exec("ALTER TABLE EURKUNDEE RENAME COLUMN Rekord TO RekordAlt");
    urkunden(d, 1, "3");
    ASSERT_EQ(ui->errors.size(), 1);
    EXPECT_TRUE(ui->errors[0].contains("Datenbankfehler")) << ui->errors[0].toStdString();
    EXPECT_EQ(rows("SELECT Name FROM EURKUNDEE"), QStringList({"Hans Adam"}));
}

TEST_F(Urkunden, BadInputIsAnsweredAndNothingIsWritten)
{
    start("1", "Adam", 390);
    start("2", "Bauer", 385);
    db.insert("EURKUNDEE", {{"Name", "vom letzten Mal"}});
    ErgebDialog::Dialog d;
    auto nichtsGeschrieben = [&] {
        EXPECT_EQ(rows("SELECT Name FROM EURKUNDEE"), QStringList({"vom letzten Mal"}));
        EXPECT_FALSE(QFile::exists(datei("URKEINZEL.TXT")));
        EXPECT_TRUE(ui->previews.isEmpty());
    };
    for (const char* bis : {"0", "drei"}) {
        urkunden(d, 1, bis);
        EXPECT_EQ(ui->errors.last(), "Die Angabe der Platzierung ist fehlerhaft.");
        EXPECT_EQ(d.form()->focusWidget(), d.ctl<QLineEdit>("ed_Platzierung"));
    }
    ui->errors.clear();
    urkunden(d, 2, "3", "4"); // the edit refuses it, and so does the button
    EXPECT_EQ(ui->errors, QStringList(2, "Es wurde ein fehlerhafter Platz angegeben"));
    EXPECT_EQ(d.form()->focusWidget(), d.ctl<QLineEdit>("ed_Platz"));
    // A place that no group has: no data, and the marks stay for another try.
    urkunden(d, 0, "3", "3");
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 1);
    db.setting("Global", "Meistersch", " ");
    urkunden(d, 2, "3");
    EXPECT_EQ(ui->messageTexts().last(),
              "In den Einstellungen/Benutzer wurde die\r\nzweite Zeile der Urkunde nicht ausgefüllt.");
    nichtsGeschrieben();
}

TEST_F(Urkunden, PrintedPagesOfAGeneratedChampionshipPassTheLayoutCheck)
{
    auto gen = Fixture::Database::Generated(600, 2);
    Qvpaths::SetProgramFolder(gen->folder());
    ASSERT_TRUE(Demo::UrkundenDateien(gen->folder()));
    gen->setting("Speziell", "UrkDatum", "J");
    gen->setting("Speziell", "Datum", "05.10.2025");
    ErgebDialog::Dialog d;
    auto drucken = [&](const char* wer) {
        EXPECT_EQ(d.set("gb_UrkEinzel", wer), "");
        gen->exec("UPDATE PDISKLA SET ErgebEing = 'X'");
        EXPECT_EQ(d.set("ed_Platzierung", "3"), "");
        d.click("bt_Urkunde");
        EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join('|').toStdString();
        return ui->previews.isEmpty() ? QString() : ui->previews.last().file;
    };
    EXPECT_EQ(d.set("pc_Ergebnis", "Urkunden"), "");
    for (const char* wer : {"Einzel", "Mannschaft"}) {
        const QString stream = drucken(wer);
        ASSERT_FALSE(stream.isEmpty());
        EXPECT_EQ(ReportTest::layoutFindings(stream), "") << wer;
        const QStringList dump = Report::DumpStream(stream).split('\n');
        // Every line of the body is centred between 3.0 and 19.0058 cm; the
        // signatures stand beside the program, above the names.
        const QStringList zentriert = ReportTest::linesStarting(dump, "T\t1\t11.003\t");
        EXPECT_GE(zentriert.size(), 8) << wer;
        EXPECT_EQ(ReportTest::linesStarting(dump, "I\t1\t").size(), 2) << wer;
    }
    // Over several competitions the date line replaces the pictures.
    gen->setting("Speziell", "VBWettkampf", "J");
    const QString stream = drucken("Einzel");
    EXPECT_EQ(ReportTest::layoutFindings(stream), "");
    const QStringList dump = Report::DumpStream(stream).split('\n');
    EXPECT_TRUE(ReportTest::linesStarting(dump, "I\t").isEmpty());
    EXPECT_TRUE(dump.filter("Garching-Hochbrück, den 5. Oktober 2025").size() > 0);
}

TEST_F(Urkunden, SeveralCompetitionsAreAddedUpOnTheChosenCompetitions)
{
    db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Zweiter Durchgang"}});
    db.insert("PDISZIPLIN", {{"Ident", 2}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Ausgabe", "Ringe"}});
    db.insert("PKLASSE", {{"Ident", 2}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
    db.insert("PDISKLA", {{"Ident", 2}, {"Disziplin", "110"}, {"Klasse", "10"}, {"AnzWertung", 3}});
    start("1", "Adam", 390);
    start("1", "Adam", 380, {}, 2);
    start("2", "Bauer", 385);
    start("2", "Bauer", 390, {}, 2);
    db.setting("Speziell", "VBWettkampf", "J");
    db.setting("Speziell", "VBWettkampfGesamt", "J");
    ErgebDialog::Dialog d;
    urkunden(d, 1, "3");
    EXPECT_EQ(d.ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName(), "ts_Auswahl");
    auto* links = d.ctl<QListWidget>("lx_VeranstL");
    ASSERT_EQ(links->count(), 2);
    d.click("bt_Verarbeitung");
    EXPECT_EQ(ui->errors.last(), "Es wurden keine Veranstaltungen ausgewählt.");
    while (links->count() > 0) {
        links->item(0)->setSelected(true);
        d.click("bt_Rechts");
    }
    d.click("bt_Verarbeitung");
    EXPECT_EQ(rows("SELECT Platz, Name, RingEinzel FROM EURKUNDEE ORDER BY ID"),
              QStringList({"1.|Hans Bauer|775", "2.|Hans Adam|770"}));
    EXPECT_EQ(d.ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName(), "ts_Normal");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST(UrkundeTexte, MonthNamesAndStatementValues)
{
    EXPECT_EQ(ErgebUrkunde::MonatFestlegen(3), "März");
    EXPECT_EQ(ErgebUrkunde::MonatFestlegen(12), "Dezember");
    EXPECT_EQ(ErgebUrkunde::MonatFestlegen(0), "");
    // A value holding "%s" is not filled in again.
    EXPECT_EQ(ErgebUrkunde::Werte("(%s,%s)", {"%s'", "b"}), "('%s''','b')");
}

} // namespace
