// The overall results list from the results dialog: the list file's line
// formats read back in Windows-1252, teams with and without their members,
// the options of the paper list, the DSB form, several competitions from
// the selection page, the web page with its name and overwrite rules, the
// RTF beside the paper, and the pages of a generated championship.

#include "reports1/results/ErgebGesamt.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/platform/report/HtmlCheck.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStringDecoder>

using ErgebDialog::texte;

namespace {

class Gesamtliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Datamod::DisziplinInfoVergessen();
        db.setting("Allgemein", "Sportjahr", 2025);
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        gruppe(1, "110", "Luftgewehr", "10", "Schützenklasse", "männlich");
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell Oberdorf"}, {"Abkuerzung", "Tell"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "Hubertus Łódź"}});
        db.insert("EVEREIN", {{"VereinNr", "1203"},
                              {"Name", "Königlich privilegierte Feuerschützengesellschaft Unterbrunn"}});
        db.insert("EVEREIN", {{"VereinNr", "1204"}, {"Name", "Diana Au"}});
    }

    void gruppe(int ident, const QString& dis, const QString& disName, const QString& kla, const QString& klaName,
                const QString& zusatz = {}, const QString& druckauftrag = "N")
    {
        if (db.count("PDISZIPLIN", QString("Ident = %1 AND Disziplin = '%2'").arg(ident).arg(dis)) == 0)
            db.insert("PDISZIPLIN", {{"Ident", ident}, {"Disziplin", dis}, {"Name", disName}});
        if (db.count("PKLASSE", QString("Ident = %1 AND Klasse = '%2'").arg(ident).arg(kla)) == 0)
            db.insert("PKLASSE", {{"Ident", ident}, {"Klasse", kla}, {"Name", klaName}, {"Zusatz", zusatz}});
        db.insert("PDISKLA", {{"Ident", ident}, {"Disziplin", dis}, {"Klasse", kla}, {"AnzWertung", 3},
                              {"KennzE", "1.10.10"}, {"KennzM", "1.10.20"}, {"Druckauftrag", druckauftrag}});
    }
    void start(const QString& nr, const QString& name, const QString& verein, double ergebnis,
               Fixture::Values mehr = {}, int ident = 1)
    {
        if (db.count("EMITGLIED", "MitglNr = '" + nr + "'") == 0)
            db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Eva"}, {"Titel", ""}});
        const qint64 id = db.insert("ERGEBNIS", {{"Ident", ident}, {"MitglNr", nr}, {"VereinNr", verein},
                                                 {"Disziplin", "110"}, {"EKlasse", "10"}, {"Ergebnis", ergebnis},
                                                 {"Serien", "095096097"}, {"Disqualifikation", 0}, {"Qual", "N"}});
        for (const auto& [spalte, wert] : mehr)
            db.exec("UPDATE ERGEBNIS SET " + spalte + " = " + Ado::QuotedStr(wert.toString()) + " WHERE ID = "
                    + QString::number(id));
    }
    // A complete team of club verein whose members are the starts nrs.
    void mannschaft(const QString& verein, const QString& nr, double ergebnis, const QStringList& mitglieder,
                    const QString& qual = "N")
    {
        for (const QString& m : mitglieder)
            db.exec("UPDATE ERGEBNIS SET MVereinNr = '" + verein + "', MDisziplin = '110', MKlasse = '10', MannschNr = '"
                    + nr + "' WHERE MitglNr = '" + m + "'");
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", nr}, {"Ergebnis", ergebnis}, {"AnzMannsch", 3}, {"AnzMannschIst", 3},
                               {"Qual", qual}});
    }
    // Four teams of three; the fourth is the club with the long name.
    void vierMannschaften()
    {
        const QStringList vereine = {"1201", "1202", "1204", "1203"};
        for (int t = 0; t < 4; ++t) {
            QStringList nrs;
            for (int i = 0; i < 3; ++i) {
                const QString nr = QString::number(100 + t * 10 + i);
                start(nr, "Schütz" + QString::number(t) + QString::number(i), vereine[t], 380 - t * 5 - i);
                nrs << nr;
            }
            mannschaft(vereine[t], "1", 1140 - t * 15, nrs);
        }
    }

    // The list file of the current competition, as its bytes and as lines.
    QStringList listDatei(const ErgebDialog::Dialog& d)
    {
        EXPECT_EQ(d.set("gb_Gesamt", "1"), "");
        EXPECT_EQ(d.set("gb_Direkt", "1"), "");
        d.click("bt_GesOK");
        QFile f(QDir(Qvpaths::DataFolder()).filePath("ERGLISTE.TXT"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        bytes = f.readAll();
        QStringList l = QString(QStringDecoder("windows-1252").decode(bytes)).split("\r\n");
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
    // The paper list of the current competition; its stream's texts.
    QString papier(const ErgebDialog::Dialog& d)
    {
        d.click("bt_GesOK");
        EXPECT_TRUE(ui->errors.isEmpty()) << ui->errors.join('|').toStdString();
        return ui->previews.isEmpty() ? QString() : ui->previews.last().file;
    }
    // The tab with the reprint of the current competition on paper.
    void oeffnen(const ErgebDialog::Dialog& d)
    {
        EXPECT_EQ(d.set("pc_Ergebnis", "Gesamtergebnisliste"), "");
        EXPECT_EQ(d.set("gb_Gesamt", "1"), "");
        EXPECT_EQ(d.set("gb_Direkt", "0"), "");
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    QByteArray bytes;
};

TEST_F(Gesamtliste, EveryLineOfTheListFileHasTheWidthsOfItsFormat)
{
    db.setting("Speziell", "Disqualifikation", "J");
    vierMannschaften();
    // A team printed without a place, an individual with a title, one with
    // a final and one disqualified.
    start("200", "Ohneplatz", "1204", 300);
    start("201", "Zweiter", "1204", 299);
    start("202", "Dritter", "1204", 298);
    mannschaft("1204", "2", 897, {"200", "201", "202"}, "Q");
    db.exec("UPDATE EMITGLIED SET Titel = 'Dr.' WHERE MitglNr = '100'");
    start("300", "Finalist", "1201", 390, {{"Finale", 1023}});
    start("301", "Raus", "1202", 399, {{"Disqualifikation", 2}});
    db.setting("Speziell", "GesPlatz", "2");
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("cb_GesEinzeilig", "false"), "");
    const QStringList l = listDatei(d);
    ASSERT_FALSE(l.isEmpty());
    EXPECT_EQ(ui->messageTexts().last(), "Die Gesamtergebnisliste ist im aktuellen Verzeichnis\\Daten\r\nunter dem "
                                         "Namen   ERGLISTE.TXT   erstellt worden.");
    // Umlauts are single Windows-1252 bytes; letters it lacks ("Ł", "ź")
    // become their plain letters.
    EXPECT_TRUE(bytes.contains("Sch\xFCtz"));
    EXPECT_TRUE(bytes.contains("Hubertus L\xF3" "dz"));
    EXPECT_FALSE(bytes.contains('\n' + QByteArray(1, '\r')));

    const QString leer(70, ' ');
    const QStringList erwartet = {
        leer,
        // %7s%1s%-30s: the team heading
        "1.10.20 Luftgewehr - Schützenklasse   ",
        leer,
        // %4s%1s%-6s%-45s%5s%2s: the abbreviation in its own field
        "  1. Tell  SV Tell Oberdorf                              1140  ",
        // %-4s%1s%-45s%4s: members up to place 2 with their results
        "     Dr. Eva Schütz00                              380",
        "     Eva Schütz01                                  379",
        "     Eva Schütz02                                  378",
        // %4s%1s%-45s%5s%2s
        "  2. Hubertus Lódz                                 1125  ",
        "     Eva Schütz10                                  375",
        "     Eva Schütz11                                  374",
        "     Eva Schütz12                                  373",
        "  3. Diana Au                                      1110  ",
        // %-4s%1s%-59s: later teams, their names on one line
        "     Eva Schütz20, Eva Schütz21, Eva Schütz22                   ",
        // a name longer than its 45 characters shifts the result, uncut
        "  4. Königlich privilegierte Feuerschützengesellschaft Unterbrunn 1095  ",
        "     Eva Schütz30, Eva Schütz31, Eva Schütz32                   ",
        // %4s%4s%-45s%5s%2s: without a place
        "        Diana Au 2                                     897  ",
        "     Eva Ohneplatz, Eva Zweiter, Eva Dritter                    ",
        leer,
        // %7s%1s%-50s: the individual heading
        "1.10.10 Luftgewehr - Schützenklasse  männlich             ",
        leer,
        // %3s%1s%-25s%-24s%6s%2s: the total with the final
        "  1 Finalist, Eva            Tell SV Tell Oberdorf    492,3  ",
        "  2 Schütz00, Dr. Eva        Tell SV Tell Oberdorf      380  ",
    };
    ASSERT_GE(l.size(), erwartet.size());
    for (qsizetype i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(l[i].toStdString(), erwartet[i].toStdString()) << i;
    //   %20s%-40s%10s before the disqualified, who have no place
    const qsizetype disq = l.indexOf(QString(20, ' ') + QString("Disqualifikation").leftJustified(40) + QString(10, ' '));
    ASSERT_GT(disq, 0);
    EXPECT_EQ(l[disq + 1].toStdString(), "    Raus, Eva                Hubertus Lódz              399  ");
    EXPECT_EQ(l.size(), disq + 2);
    for (const QString& z : l) {
        if (!z.contains("Königlich")) {
            EXPECT_LE(z.size(), 70) << z.toStdString();
        }
    }
}

TEST_F(Gesamtliste, TeamsUpToThePlaceHaveMembersTheRestOneLineEach)
{
    vierMannschaften();
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("ed_GesPlatz", "1"), "");
    EXPECT_EQ(d.set("cb_GesEinzeilig", "true"), "");
    QStringList l = listDatei(d);
    ASSERT_GE(l.size(), 9);
    EXPECT_TRUE(l[4].contains("Schütz00"));
    EXPECT_TRUE(l[7].startsWith("  2. Hubertus"));
    EXPECT_TRUE(l[8].startsWith("  3. Diana"));
    // On paper: the first team's members with their results, no other names.
    EXPECT_EQ(d.set("gb_Direkt", "0"), "");
    const QStringList t = texte(papier(d));
    EXPECT_TRUE(t.contains("Eva Schütz00 380, Eva Schütz01 379, Eva Schütz02 378"));
    EXPECT_TRUE(t.filter("Eva Schütz1").isEmpty());
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0); // the marks are reset afterwards
    EXPECT_EQ(db.count("PDISKLA", "1 = 1"), 1);

    // A negative place is refused and not stored.
    d.set("ed_GesPlatz", "-1");
    EXPECT_EQ(ui->errors.last(), "Die Angabe der Platzierung ist fehlerhaft.");
}

TEST_F(Gesamtliste, PaperOptionsHeadingPageNumbersSeriesAndTheDsbForm)
{
    vierMannschaften();
    start("300", "Einzeln", "1201", 390);
    gruppe(1, "120", "Zimmerstutzen", "10", "Schützenklasse", "", "J");
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "120"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 900}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}, {"Qual", "N"}});
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("cb_Ueberschrift", "true"), "");
    // The reprint with "DurchlaufJa" is the continuous display.
    db.setting("Speziell", "DurchlaufJa", "J");
    db.setting("Speziell", "Sekunden", 7);
    QStringList t = texte(papier(d));
    ASSERT_FALSE(ui->previews.isEmpty());
    EXPECT_EQ(ui->previews.last().interval, 7);
    db.setting("Speziell", "DurchlaufJa", "N");
    EXPECT_TRUE(t.contains("Gesamtergebnisliste Bezirksmeisterschaft 2025"));
    EXPECT_TRUE(t.contains("Seite 1"));
    EXPECT_TRUE(t.contains("95") && t.contains("97")); // the series
    EXPECT_TRUE(t.contains("Zimmerstutzen - Schützenklasse"));

    EXPECT_EQ(d.set("cb_Ueberschrift", "false"), "");
    EXPECT_EQ(d.set("cb_OhneSeite", "true"), "");
    EXPECT_EQ(d.set("cb_OhneSerien", "true"), "");
    t = texte(papier(d));
    EXPECT_FALSE(t.contains("Gesamtergebnisliste Bezirksmeisterschaft 2025"));
    EXPECT_TRUE(t.filter("Seite ").isEmpty());
    EXPECT_FALSE(t.contains("97"));

    // The DSB form (a state championship): no page numbers, team parts only
    // of groups whose order says "N", members with their class; the list
    // file is refused and nothing is written.
    db.setting("Allgemein", "VeranstaltungsArt", 3);
    EXPECT_EQ(d.set("pc_Ergebnis", "Ergebnisliste"), "");
    oeffnen(d);
    EXPECT_EQ(d.set("cb_DSB", "true"), "");
    EXPECT_EQ(d.set("ed_GesPlatz", "1"), "");
    t = texte(papier(d));
    EXPECT_TRUE(t.filter("Seite ").isEmpty());
    EXPECT_FALSE(t.contains("Zimmerstutzen - Schützenklasse"));
    EXPECT_TRUE(t.contains("Eva Schütz00 380  (10), Eva Schütz01 379  (10), Eva Schütz02 378  (10)"));
    // The same form for competitions chosen on the selection page.
    EXPECT_EQ(d.set("gb_Gesamt", "0"), "");
    EXPECT_EQ(d.set("cb_DSB", "true"), "");
    d.click("bt_GesOK");
    auto* links = d.ctl<QListWidget>("lx_VeranstL");
    ASSERT_GT(links->count(), 0);
    links->item(0)->setSelected(true);
    d.click("bt_Rechts");
    d.click("bt_Verarbeitung");
    t = texte(ui->previews.last().file);
    EXPECT_TRUE(t.filter("Seite ").isEmpty());
    EXPECT_FALSE(t.contains("Zimmerstutzen - Schützenklasse"));
    EXPECT_TRUE(t.contains("Eva Schütz00 380  (10), Eva Schütz01 379  (10), Eva Schütz02 378  (10)"));
    EXPECT_EQ(d.set("gb_Gesamt", "1"), "");
    EXPECT_EQ(d.set("gb_Direkt", "1"), "");
    EXPECT_EQ(d.set("cb_DSB", "true"), "");
    d.click("bt_GesOK");
    EXPECT_EQ(ui->errors.last(), "Diese Auswahl ist für den DSB nicht zugelassen.");
    EXPECT_FALSE(QFile::exists(QDir(Qvpaths::DataFolder()).filePath("ERGLISTE.TXT")));
}

TEST_F(Gesamtliste, SeveralCompetitionsFromTheSelectionPageInSections)
{
    db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Rückkampf Oberland"}});
    gruppe(2, "110", "Luftgewehr", "10", "Schützenklasse", "männlich");
    gruppe(1, "120", "Zimmerstutzen", "10", "Schützenklasse", "männlich");
    start("1", "Adam", "1201", 390);
    start("2", "Bauer", "1201", 380, {}, 2);
    start("3", "Cramer", "1201", 370, {{"Disziplin", "120"}});
    db.setting("Speziell", "VBWettkampf", "J");
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("gb_Gesamt", "0"), "");
    d.click("bt_GesOK");
    EXPECT_EQ(d.ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName(), "ts_Auswahl");
    d.click("bt_Verarbeitung");
    EXPECT_EQ(ui->errors.last(), "Es wurden keine Veranstaltungen ausgewählt.");
    EXPECT_TRUE(ui->previews.isEmpty());
    auto* links = d.ctl<QListWidget>("lx_VeranstL");
    while (links->count() > 0) {
        links->item(0)->setSelected(true);
        d.click("bt_Rechts");
    }
    d.click("bt_Verarbeitung");
    ASSERT_EQ(ui->previews.size(), 1);
    // Competition by competition: the first one's groups, then the second's.
    const QStringList t = texte(ui->previews.last().file);
    const auto at = [&](const QString& s) { return t.indexOf(s); };
    ASSERT_GE(at("Vorkampf"), 0);
    EXPECT_LT(at("Vorkampf"), at("Adam, Eva"));
    EXPECT_LT(at("Adam, Eva"), at("Cramer, Eva"));
    EXPECT_LT(at("Cramer, Eva"), at("Rückkampf"));
    EXPECT_LT(at("Rückkampf"), at("Bauer, Eva"));
    EXPECT_EQ(d.ctl<QStackedWidget>("pc_Ergebnisse")->currentWidget()->objectName(), "ts_Normal");
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST_F(Gesamtliste, TheOverallStandingAddsUpTheCompetitions)
{
    db.insert("ZKTMP", {{"Ident", 2}, {"Veranstalter", "Rückkampf Oberland"}});
    gruppe(2, "110", "Luftgewehr", "10", "Schützenklasse", "männlich");
    start("1", "Adam", "1201", 390);
    start("1", "Adam", "1201", 380, {}, 2);
    start("2", "Bauer", "1202", 385);
    start("2", "Bauer", "1202", 390, {}, 2);
    for (const auto& [ident, ergebnis] : {std::pair{1, 1100}, std::pair{2, 1110}})
        db.insert("EMANNSCH", {{"Ident", ident}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ergebnis", ergebnis}, {"AnzMannsch", 3}, {"AnzMannschIst", 3},
                               {"Qual", "N"}});
    db.setting("Speziell", "VBWettkampf", "J");
    db.setting("Speziell", "VBWettkampfGesamt", "J");
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("gb_Gesamt", "0"), "");
    EXPECT_EQ(d.set("gb_Direkt", "1"), "");
    d.click("bt_GesOK");
    auto* links = d.ctl<QListWidget>("lx_VeranstL");
    while (links->count() > 0) {
        links->item(0)->setSelected(true);
        d.click("bt_Rechts");
    }
    d.click("bt_Verarbeitung");
    QFile f(QDir(Qvpaths::DataFolder()).filePath("ERGLISTE.TXT"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList l = QString(QStringDecoder("windows-1252").decode(f.readAll())).split("\r\n");
    const qsizetype vor = l.indexOf(QString("Vorkampf").leftJustified(70));
    const qsizetype rueck = l.indexOf(QString("Rückkampf").leftJustified(70));
    const qsizetype gesamt = l.indexOf(QString("Gesamtstand").leftJustified(70));
    ASSERT_TRUE(vor >= 0 && vor < rueck && rueck < gesamt) << vor << " " << rueck << " " << gesamt;
    // Summed: the team 2210, Bauer 775 before Adam 770.
    const QStringList stand = l.mid(gesamt);
    EXPECT_EQ(stand.filter("2210").size(), 1);
    const qsizetype bauer = stand.indexOf(QRegularExpression("^  1 Bauer, Eva .* 775  $"));
    const qsizetype adam = stand.indexOf(QRegularExpression("^  2 Adam, Eva .* 770  $"));
    EXPECT_TRUE(bauer > 0 && bauer < adam) << stand.join('\n').toStdString();
}

TEST_F(Gesamtliste, WebPageNamedByTheCaseRuleAndReplacedOnlyWhenAllowed)
{
    vierMannschaften();
    ErgebDialog::Dialog d;
    EXPECT_EQ(d.set("pc_Ergebnis", "Internet"), "");
    d.click("bt_Internet");
    EXPECT_EQ(ui->errors.last(), "Es wurde keine Ausgabedatei angegeben");
    EXPECT_EQ(d.set("ed_Ziel", "Gesamt Liste.HTM"), "");
    d.click("bt_Internet");
    const QString datei = QDir(Qvpaths::InternetFolder()).filePath("gesamt liste.htm");
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    f.close();
    EXPECT_EQ(ReportTest::htmlFindings(html), QStringList());
    EXPECT_TRUE(html.contains("<th scope=\"col\"><span style=\"font-size:10pt;font-weight:bold\">Mannschaft</span></th>"));
    EXPECT_TRUE(html.contains("name=\"viewport\""));

    // No: nothing is replaced and the run is cancelled; yes: replaced.
    QFile::remove(datei);
    ASSERT_TRUE(Report::WriteFileAtomic(datei, "alt"));
    ui->answers.push_back(Host::mrNo);
    d.click("bt_Internet");
    EXPECT_EQ(ui->errors.last(), "Die Verarbeitung wird abgebrochen.");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "alt");
    f.close();
    EXPECT_EQ(d.set("gb_Internet", "1"), "");
    d.click("bt_Internet");
    EXPECT_TRUE(QFile::exists(QDir(Qvpaths::InternetFolder()).filePath("GESAMT LISTE.HTM")));
    EXPECT_EQ(db.count("PDISKLA", "ErgebEing = 'X'"), 0);
}

TEST_F(Gesamtliste, RtfHasTheRowsOfThePaperInTheirOrder)
{
    vierMannschaften();
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("cb_Ueberschrift", "true"), "");
    const QStringList papierTexte = texte(papier(d));
    const QString ordner = db.folder() + "/rtf";
    QDir().mkpath(ordner);
    ui->folders.push_back(ordner);
    EXPECT_EQ(d.set("gb_Gesamt", "1"), "");
    EXPECT_EQ(d.set("gb_Direkt", "2"), "");
    d.click("bt_GesOK");
    QFile f(ordner + "/ERGLISTE.RTF");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray rtf = f.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("\\brdrb")); // the rule under the page header
    // Every row text of the paper, in order (the page numbers aside).
    qsizetype pos = 0;
    for (const QString& t : papierTexte) {
        if (t.startsWith("Seite ") || t.startsWith("Gedruckt am") || t.startsWith("Version"))
            continue;
        QByteArray roh;
        for (QChar c : t)
            roh += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(c.unicode()) + '?';
        const qsizetype n = rtf.indexOf(roh, pos);
        EXPECT_GE(n, 0) << t.toStdString();
        if (n >= 0)
            pos = n;
    }
}

TEST_F(Gesamtliste, GeneratedChampionshipPassesTheLayoutCheckOnPaperAndOnTheWeb)
{
    auto gen = Fixture::Database::Generated(400, 3);
    Qvpaths::SetProgramFolder(gen->folder());
    ErgebDialog::Dialog d;
    oeffnen(d);
    EXPECT_EQ(d.set("ed_GesPlatz", "3"), "");
    for (const char* serien : {"cb_OhneSerien", "cb_AlleSerien"}) {
        EXPECT_EQ(d.set("cb_Ueberschrift", "true"), "");
        EXPECT_EQ(d.set("cb_OhneSerien", "false"), "");
        EXPECT_EQ(d.set(serien, "true"), "");
        const QString stream = papier(d);
        ASSERT_FALSE(stream.isEmpty());
        EXPECT_EQ(ReportTest::layoutFindings(stream), "") << serien;
        // Every group heading in its font, also at the top of a page after
        // the page header.
        int koepfe = 0;
        for (const QString& l : ReportTest::linesStarting(Report::DumpStream(stream).split('\n'), "T\t")) {
            if (!ReportTest::field(l, 8).contains(" - "))
                continue;
            ++koepfe;
            EXPECT_EQ(ReportTest::field(l, 6) + " " + ReportTest::field(l, 7), "11 B") << l.toStdString();
        }
        EXPECT_GT(koepfe, 10);
        EXPECT_EQ(d.set(serien, "false"), "");
    }
    EXPECT_EQ(d.set("pc_Ergebnis", "Internet"), "");
    EXPECT_EQ(d.set("ed_Ziel", "gesamt.htm"), "");
    d.click("bt_Internet");
    QFile f(QDir(Qvpaths::InternetFolder()).filePath("gesamt.htm"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReportTest::htmlFindings(f.readAll()), QStringList());
}

TEST(GesamtAnsi, CharactersOutsideTheCodePage)
{
    EXPECT_EQ(ErgebGesamt::Ansi("Müller ß €"), QByteArray("M\xFCller \xDF \x80"));
    EXPECT_EQ(ErgebGesamt::Ansi("Łódź Čech"), QByteArray("L\xF3" "dz Cech"));
    EXPECT_EQ(ErgebGesamt::Ansi("\u4E2D"), QByteArray("?"));
}

} // namespace
