// The press list: the best places per group within the limits, ties and
// shooters out of competition, the subdivision filter, the checks of "OK",
// the marks, the RTF file read back, and the layout of a generated
// championship's list.

#include "reports1/results/ErgebPresse.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Eingabefehler.h"
#include "platform/host/Qvpaths.h"
#include "platform/host/Schtools.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>

using ErgebDialog::texte;

namespace {

// The text of an RTF file, one paragraph a line, tabs as "|": control words
// dropped, \uN? and \'hh turned back into their characters.
QStringList rtfAbsaetze(const QString& datei)
{
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray rtf = f.readAll();
    QStringList absaetze;
    QString absatz;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n')
            continue;
        if (c != '\\') {
            absatz += QChar(uchar(c));
            continue;
        }
        if (i + 1 < rtf.size() && (rtf[i + 1] == '\\' || rtf[i + 1] == '{' || rtf[i + 1] == '}')) {
            absatz += QChar(rtf[++i]);
            continue;
        }
        if (i + 1 < rtf.size() && rtf[i + 1] == '\'') {
            absatz += QChar(QByteArray(rtf.mid(i + 2, 2)).toInt(nullptr, 16));
            i += 3;
            continue;
        }
        qsizetype j = i + 1;
        while (j < rtf.size() && std::isalpha(uchar(rtf[j])))
            ++j;
        const QByteArray wort = rtf.mid(i + 1, j - i - 1);
        qsizetype k = j;
        if (k < rtf.size() && rtf[k] == '-')
            ++k;
        while (k < rtf.size() && std::isdigit(uchar(rtf[k])))
            ++k;
        const int zahl = rtf.mid(j, k - j).toInt();
        if (k < rtf.size() && rtf[k] == ' ')
            ++k;
        if (wort == "u") {
            absatz += QChar(zahl < 0 ? zahl + 65536 : zahl);
            if (k < rtf.size() && rtf[k] == '?')
                ++k;
        } else if (wort == "tab") {
            absatz += '|';
        } else if (wort == "par" || wort == "row") {
            absaetze << absatz;
            absatz.clear();
        }
        i = k - 1;
    }
    return absaetze;
}

class Presseliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kennung", "A"}});
        for (auto [k, name] : {std::pair{"10", "Schützenklasse"}, {"20", "Damenklasse"}}) {
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", k}, {"Name", name}});
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", k}, {"KennzE", QString("1.10.") + k},
                                  {"KennzM", QString("1.10.") + k + "M"}});
        }
        for (auto [nr, name] : {std::pair{"1101", "SV Tell Aibling"}, {"1102", "Edelweiß Au"}, {"1201", "Hubertus Zell"}})
            db.insert("EVEREIN", {{"VereinNr", nr}, {"Name", name}, {"Kreis", QString(nr).left(2)}});
        start("1", "Adam", "1201", 390);
        start("2", "Bauer", "1101", 385);
        start("3", "Christ", "1102", 380, "096097");
        start("4", "Dorn", "1101", 375);
        start("5", "Eder", "1201", 370);
        start("6", "Frey", "1101", 0);
        start("7", "Gast", "1101", 388, "", "A"); // out of competition
        start("8", "Huber", "1101", 360, "", "N", "20");
        team("1101", 1150, 3);
        team("1201", 1140, 3);
        team("1102", 1160, 2); // incomplete
    }
    void start(const QString& nr, const QString& name, const QString& verein, double ergebnis,
               const QString& serien = "095096", const QString& qual = "N", const QString& klasse = "10")
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Eva"}, {"Titel", ""}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", "110"},
                               {"EKlasse", klasse}, {"Ergebnis", ergebnis}, {"Serien", serien}, {"Qual", qual}});
    }
    void team(const QString& verein, double ergebnis, int ist)
    {
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ergebnis", ergebnis}, {"AnzMannsch", 3}, {"AnzMannschIst", ist}});
    }
    // Runs the press list from its tab; the texts of the preview, empty
    // when none was made.
    QStringList drucken(ErgebDialog::Dialog& d, int druck, const QString& einzel, const QString& mannschaft,
                        const QString& untergl = {})
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(d.set("pc_Ergebnis", "Presseliste"), "");
        EXPECT_EQ(d.set("gb_PreDruck", QString::number(druck)), "");
        EXPECT_EQ(d.set("ed_Einzel", einzel), "");
        EXPECT_EQ(d.set("ed_Mannschaft", mannschaft), "");
        EXPECT_EQ(d.set("ed_Untergl", untergl), "");
        d.click("bt_PreOK");
        if (ui->previews.size() == vorher)
            return {};
        return texte(ui->previews.last().file);
    }
    // The rows of one part: the texts from its heading to the next heading.
    static QStringList teil(const QStringList& t, const QString& kennzahl)
    {
        const qsizetype von = t.indexOf(kennzahl);
        if (von < 0)
            return {};
        qsizetype bis = von + 2;
        while (bis < t.size() && !t[bis].startsWith("1.10.") && !t[bis].startsWith("Seite "))
            ++bis;
        return t.mid(von + 2, bis - von - 2);
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
};

TEST_F(Presseliste, AllGroupsWithResultsWithinThePlaceLimits)
{
    ErgebDialog::Dialog d;
    const QStringList t = drucken(d, 0, "3", "1");
    ASSERT_FALSE(t.isEmpty()) << ui->errors.join('|').toStdString();
    EXPECT_EQ(t.mid(0, 2), QStringList({"Bezirksmeisterschaft 2025", "Presseliste"}));
    // The best complete team (the incomplete one of 1102 has more), then the
    // three best shooters in competition; the shooter out of competition and
    // the fourth are left out. Every group with results is there, also one
    // that was not marked.
    EXPECT_EQ(t[t.indexOf("1.10.10M") + 1], "Luftgewehr - Schützenklasse");
    EXPECT_EQ(teil(t, "1.10.10M"), QStringList({"1.", "SV Tell Aibling", "1150"}));
    EXPECT_EQ(t[t.indexOf("1.10.10") + 1], "Luftgewehr - Schützenklasse  ");
    EXPECT_EQ(teil(t, "1.10.10"), QStringList({"1.", "Adam, Eva", "Hubertus Zell", "390", "2.", "Bauer, Eva",
                                               "SV Tell Aibling", "385", "3.", "Christ, Eva", "Edelweiß Au",
                                               "380"}));
    EXPECT_EQ(teil(t, "1.10.20"), QStringList({"1.", "Huber, Eva", "SV Tell Aibling", "360"}));
    EXPECT_TRUE(t.contains("Seite 1"));
    EXPECT_TRUE(ui->statusTexts.contains("Erstellen der Presseliste Luftgewehr Schützenklasse"));
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
    // The marks the run set are gone.
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);

    // A tie with the third place is listed too, without a place of its own
    // (the row has no text before the name);
    // a limit of 0 leaves the teams out.
    start("9", "Ilg", "1201", 380, "096097");
    const QStringList mitGleichstand = drucken(d, 0, "3", "0");
    EXPECT_EQ(teil(mitGleichstand, "1.10.10").mid(8), QStringList({"3.", "Christ, Eva", "Edelweiß Au", "380", "Ilg, Eva", "Hubertus Zell", "380"}));
    EXPECT_FALSE(mitGleichstand.contains("1.10.10M"));
}

TEST_F(Presseliste, SingleOutputTakesTheMarkedGroupsAndNothingWithoutMarks)
{
    ErgebDialog::Dialog d;
    EXPECT_TRUE(drucken(d, 1, "3", "3").isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");

    db.exec("UPDATE PDISKLA SET ErgebEing = 'X' WHERE Klasse = '20'");
    const QStringList t = drucken(d, 1, "3", "3");
    EXPECT_TRUE(t.contains("1.10.20"));
    EXPECT_FALSE(t.contains("1.10.10"));
    EXPECT_FALSE(t.contains("1.10.10M"));
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST_F(Presseliste, ASubdivisionListsItsOwnWithTheirPlacesInTheWholeGroup)
{
    ErgebDialog::Dialog d;
    // District 11: its clubs' three best, numbered as in the whole group.
    QStringList t = drucken(d, 0, "3", "3", "1100");
    EXPECT_TRUE(t.contains("Presseliste der Untergliederung 1100"));
    EXPECT_EQ(teil(t, "1.10.10M"), QStringList({"1.", "SV Tell Aibling", "1150"}));
    EXPECT_EQ(teil(t, "1.10.10"), QStringList({"2.", "Bauer, Eva", "SV Tell Aibling", "385", "3.", "Christ, Eva",
                                               "Edelweiß Au", "380", "4.", "Dorn, Eva", "SV Tell Aibling", "375"}));
    // One club: the team of club 1201 is second.
    t = drucken(d, 0, "3", "3", "1201");
    EXPECT_EQ(teil(t, "1.10.10M"), QStringList({"2.", "Hubertus Zell", "1140"}));
    EXPECT_EQ(teil(t, "1.10.10"), QStringList({"1.", "Adam, Eva", "Hubertus Zell", "390", "5.", "Eder, Eva",
                                               "Hubertus Zell", "370"}));
    EXPECT_FALSE(t.contains("1.10.20"));
    // A subdivision without anybody in it: nothing to print.
    EXPECT_TRUE(drucken(d, 0, "3", "3", "1300").isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
}

TEST(PresseUntergliederung, ClubNumberBelowTheStateLevelDistrictNumberAtIt)
{
    using ErgebPresse::InUntergliederung;
    EXPECT_TRUE(InUntergliederung("", "9901", "", 2));
    EXPECT_TRUE(InUntergliederung("1100", "1107", "", 2));
    EXPECT_FALSE(InUntergliederung("1100", "1207", "", 2));
    EXPECT_TRUE(InUntergliederung("1107", "1107", "", 1));
    EXPECT_FALSE(InUntergliederung("1107", "1108", "", 1));
    EXPECT_TRUE(InUntergliederung("1110", "1113", "", 1));
    // A state championship compares the club's district number, whatever
    // its club number says; without one, the club number.
    EXPECT_TRUE(InUntergliederung("1200", "1107", "12", 3));
    EXPECT_FALSE(InUntergliederung("1100", "1107", "12", 3));
    EXPECT_TRUE(InUntergliederung("1100", "1107", "", 3));
}

TEST_F(Presseliste, OkRefusesWrongCountsAndShortSubdivisionCodes)
{
    ErgebDialog::Dialog d;
    const auto pruefen = [&](const QString& einzel, const QString& mannschaft, const QString& untergl,
                             const char* fehler, const char* feld) {
        ui->errors.clear();
        EXPECT_TRUE(drucken(d, 0, einzel, mannschaft, untergl).isEmpty());
        ASSERT_FALSE(ui->errors.isEmpty());
        EXPECT_EQ(ui->errors.last(), fehler);
        EXPECT_EQ(d.form()->focusWidget(), d.ctl<QLineEdit>(feld));
    };
    pruefen("drei", "3", "", "Die Angabe Anzahl Einzel ist fehlerhaft.", "ed_Einzel");
    pruefen("3", "", "", "Die Angabe Anzahl Mannschaft ist fehlerhaft.", "ed_Mannschaft");
    pruefen("3", "3", "110", "Es wurde eine fehlerhafte Untergliederung eingegeben.", "ed_Untergl");
    EXPECT_TRUE(ui->previews.isEmpty());
    // Nothing was marked by a refused run.
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST_F(Presseliste, TheRtfFileIsReadBackAndReplacedOnlyWhenWanted)
{
    const QString ordner = QDir(db.folder()).filePath("presse");
    const QString datei = QDir(ordner).filePath("PRESSE.RTF");
    ErgebDialog::Dialog d;
    EXPECT_EQ(d.set("pc_Ergebnis", "Presseliste"), "");
    EXPECT_EQ(d.set("gb_PDirekt", "1"), "");
    ui->folders.push_back(ordner);
    EXPECT_TRUE(drucken(d, 0, "2", "1").isEmpty()); // no preview: a file
    EXPECT_EQ(ui->messageTexts().last(),
              "Die Presseliste ist als   PRESSE.RTF  im\r\nOrdner  " + QDir::toNativeSeparators(ordner) + "  erstellt worden");
    const QStringList a = rtfAbsaetze(datei);
    ASSERT_FALSE(a.isEmpty());
    const QString text = a.join('\n');
    for (const char* s : {"Bezirksmeisterschaft 2025", "Presseliste", "1.10.10M|Luftgewehr - Schützenklasse",
                          "|1.|SV Tell Aibling|1150", "|2.|Bauer, Eva|SV Tell Aibling|385"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    // Two shooters and one team per group; no page numbers in the file.
    EXPECT_FALSE(text.contains("Christ"));
    EXPECT_FALSE(text.contains("Seite"));

    // An existing file stays unless the question is answered Yes.
    Schtools::StringsToFile({"alt"}, datei);
    ui->answers = {Host::mrNo};
    ui->folders.push_back(ordner);
    drucken(d, 0, "2", "1");
    EXPECT_EQ(Schtools::FileToStrings(datei), QStringList({"alt"}));
    EXPECT_EQ(ui->messageTexts().last(), "Die angegebene Datei ist schon vorhanden.\r\nSoll die Datei überschieben werden?");
    ui->answers = {Host::mrYes};
    ui->folders.push_back(ordner);
    drucken(d, 0, "2", "1");
    EXPECT_TRUE(rtfAbsaetze(datei).join('\n').contains("Bauer, Eva"));
}

TEST(PresselisteGeneriert, AGeneratedChampionshipPassesTheLayoutCheck)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(600, 6);
    Qvpaths::SetProgramFolder(db->folder());
    ErgebDialog::Dialog d;
    EXPECT_EQ(d.set("pc_Ergebnis", "Presseliste"), "");
    EXPECT_EQ(d.set("gb_PreDruck", "0"), "");
    d.click("bt_PreOK");
    ASSERT_EQ(ui->previews.size(), 1) << ui->errors.join('|').toStdString();
    const QString stream = ui->previews.last().file;
    EXPECT_EQ(ReportTest::layoutFindings(stream), "");
    // Every page ends with its number; no part has more than three places.
    Report::TReportDocument doc;
    ASSERT_TRUE(Report::ReadStream(stream, doc));
    const QStringList t = texte(stream);
    for (int p = 1; p <= doc.Pages.size(); ++p)
        EXPECT_TRUE(t.contains("Seite " + QString::number(p))) << p;
    EXPECT_FALSE(t.contains("4."));
    EXPECT_GT(t.count("3."), 10);
    EXPECT_EQ(db->count("PDISKLA", "ErgebEing = 'X'"), 0);
}

} // namespace
