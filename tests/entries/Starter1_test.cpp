// The start list driven through its real form off-screen: the order
// choices, what each order counts and filters, headings and totals, range
// changes, shading by line, page breaks, the empty championship, RTF output
// and the preview hand-over.

#include "reports1/entries/Starter1.h"

#include "platform/host/Datamod.h"
#include "platform/host/HostUi.h"
#include "platform/host/Qvpaths.h"
#include "tests/support/TestHostUi.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "platform/vcl/RadioGroup.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using ReportTest::field;
using ReportTest::linesStarting;

namespace {

// One printed page: body rows as "line:text|text|text" (tab texts of one
// line, page header and footer left out) and the shaded tab boxes per line.
struct Seite {
    QStringList zeilen;
    std::map<int, int> schattiert; // line -> number of shaded boxes
    QStringList kopfFuss;          // texts of the header and footer
};

// The printed document as the preview received it.
struct Druck {
    QString dump;
    QVector<Seite> seiten;

    QStringList zeilen(int seite = 0) const { return seiten.value(seite).zeilen; }
    // Font of the first body text: "Arial 12 B".
    QString schrift(const QString& text) const
    {
        for (const QString& l : linesStarting(dump.split('\n'), "T\t"))
            if (field(l, 8) == text)
                return field(l, 5) + " " + field(l, 6) + " " + field(l, 7);
        return "?";
    }
};

Druck lesen(const QString& datei)
{
    Druck d;
    d.dump = Report::DumpStream(datei);
    Report::TReportDocument doc;
    if (!Report::ReadStream(datei, doc))
        return d;
    for (const Report::TStreamPage& p : doc.Pages) {
        Seite s;
        std::map<int, QStringList> zeilen;
        for (const Report::TStreamOp& op : p.Ops) {
            if (op.Kind == Report::TOpKind::Text) {
                if (doc.Fonts.value(op.Font).Italic)
                    s.kopfFuss << op.Text;
                else
                    zeilen[op.Line] << op.Text;
            } else if (op.Kind == Report::TOpKind::Box && op.Shade > 0) {
                ++s.schattiert[op.Line];
                EXPECT_EQ(op.Shade, 10);
            }
        }
        for (const auto& [line, texte] : zeilen)
            s.zeilen << QString::number(line) + ":" + texte.join('|');
        d.seiten << s;
    }
    return d;
}

class Starterliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Starter1::DruckjobID = 0;
        db.setting("Global", "Verband", "Schützengau Oberland");
        db.setting("Global", "Veranst1", "Schützenbezirk");
        db.setting("Global", "Veranst2", "Oberbayern");
        db.setting("Allgemein", "Sportjahr", "2026");
        db.setting("Allgemein", "VeranstaltungsArt", "2");
        db.setting("Speziell", "Teilmeisterschaft", "1");
    }
    void TearDown() override
    {
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    // Disciplines 110 and 120, 130 without any discipline-class row;
    // classes 10, 11 and 20 (110/20 without a discipline-class row); ranges
    // 0 to 2. The sub-championship of 120/10 is "2", of the others "1".
    void meisterschaft()
    {
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "130"}, {"Name", "Kleinkaliber"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "11"}, {"Name", "Damenklasse"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Jugendklasse"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"Teilmeisterschaft", "1"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "10"}, {"Teilmeisterschaft", "2"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "20"}, {"Teilmeisterschaft", "1"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 0}, {"Name", "ohne Anlage"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});

        start("110", "10", 1, "1", 380);
        start("110", "10", 1, "1", 0);        // not shot
        start("110", "10", 1, "2", 370);      // other sub-championship
        start("110", "11", 1, "1", 390, "J"); // withdrawn
        start("110", "11", 1, "1", 385);
        start("110", "20", 1, "1", 375);      // class without discipline-class row
        start("120", "10", 2, "1", 360);
        start("120", "20", 2, "1", 350);
        start("120", "20", 2, "2", 0);
        start("130", "10", 0, "1", 340);      // no range, no discipline-class row
        db.insert("ERGEBNIS", {{"Ident", 2}, {"Disziplin", "110"}, {"EKlasse", "10"}, {"Anlage", 1},
                               {"Teilmeisterschaft", "1"}, {"Ergebnis", 399}});
    }
    void start(const QString& dis, const QString& kla, int anlage, const QString& teilm, double ergebnis,
               const QString& abmeldung = "N")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"Disziplin", dis}, {"EKlasse", kla}, {"Anlage", anlage},
                               {"Teilmeisterschaft", teilm}, {"Ergebnis", ergebnis}, {"Abmeldung", abmeldung}});
    }

    // Opens the list with Auswahl, sets the controls and clicks OK.
    Vcl::TFormDriver::Outcome drucken(bool auswahl, const QList<QPair<QString, QString>>& ctls)
    {
        Vcl::TFormDriver driver;
        for (const auto& [name, wert] : ctls)
            driver.AddCtl(name, wert);
        driver.AddClick("bt_OK");
        const auto outcome = driver.Run([&] { ergebnis = Starter1::Starterliste(auswahl); });
        fehler = driver.ErrorText();
        return outcome;
    }
    // The list printed with these choices (one preview expected).
    Druck liste(bool auswahl, const QList<QPair<QString, QString>>& ctls)
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(auswahl, ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1);
        if (ui->previews.size() != vorher + 1)
            return {};
        return lesen(ui->previews.last().file);
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    int ergebnis = -1;
    QString fehler;
};

const QString alle = "Teilnehmer aller Teilmeisterschaften";
const QString eine = "Teilnehmer der Teilmeisterschaft 1";
const QString veranstalter = "Schützenbezirk Oberbayern 2026";

TEST_F(Starterliste, OpensWithTheOrdersOfItsCallerAndClearedBoxes)
{
    struct Stand {
        QStringList items;
        int index = -2;
        bool teilm = true, rtf = true;
        QString titel;
    };
    auto oeffnen = [&](bool auswahl) {
        Stand s;
        Vcl::TFormDriver driver; // no steps: the form is cancelled after the look
        driver.Run([&] {
            QTimer::singleShot(0, [&] {
                TStarterForm* f = Starter1::StarterForm;
                if (!f)
                    return;
                auto* gb = f->findChild<Vcl::TRadioGroup*>("gb_Auswahl");
                s.items = gb->Items();
                s.index = gb->ItemIndex();
                s.teilm = f->findChild<QCheckBox*>("cb_Teilmeister")->isChecked();
                s.rtf = f->findChild<QCheckBox*>("cb_RTF")->isChecked();
                s.titel = f->windowTitle() + "/" + gb->title();
            });
            ergebnis = Starter1::Starterliste(auswahl);
        });
        return s;
    };

    Stand s = oeffnen(false);
    EXPECT_EQ(s.items, (QStringList{"Wettbewerbe", "Anlagen"}));
    EXPECT_EQ(s.index, 0);
    EXPECT_FALSE(s.teilm);
    EXPECT_FALSE(s.rtf);
    EXPECT_EQ(s.titel, "Starterliste/Sortiert nach");
    EXPECT_EQ(ergebnis, Host::mrCancel);
    EXPECT_EQ(Starter1::StarterForm, nullptr);
    EXPECT_TRUE(ui->previews.isEmpty());

    // Boxes ticked at one opening are cleared at the next.
    meisterschaft();
    ASSERT_EQ(drucken(false, {{"cb_Teilmeister", "true"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ergebnis, Host::mrOk);
    s = oeffnen(true);
    EXPECT_EQ(s.items, (QStringList{"Wettbewerbe", "Anlagen", "gestartete Teilnehmer"}));
    EXPECT_EQ(s.index, 2);
    EXPECT_FALSE(s.teilm);
    EXPECT_FALSE(s.rtf);

    // The third order is not offered to the preparation centre.
    const int vorher = int(ui->previews.size());
    EXPECT_EQ(drucken(false, {{"gb_Auswahl", "2"}}), Vcl::TFormDriver::Fehler);
    EXPECT_EQ(fehler, "Auswahl 2 gibt es in gb_Auswahl nicht");
    EXPECT_EQ(ui->previews.size(), vorher);
}

TEST_F(Starterliste, ByCompetitionsCountsEveryStartOfTheSubChampionship)
{
    meisterschaft();
    // One sub-championship (the default): the starts' own sub-championship
    // decides; groups without a discipline-class row print nothing, not even
    // the heading of their discipline (130).
    Druck d = liste(false, {});
    EXPECT_EQ(d.seiten.size(), 1);
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + eine,
                              "4:" + veranstalter,
                              "6:110|Luftgewehr|Anzahl",
                              "7:10|Schützenklasse|2",
                              "8:11|Damenklasse|2",
                              "10:Gesamt|4",
                              "12:120|Luftpistole|Anzahl",
                              "13:10|Schützenklasse|1",
                              "14:20|Jugendklasse|1",
                              "16:Gesamt|2",
                              "18:Insgesamt|6",
                          }));
    EXPECT_EQ(d.schrift(eine), "Arial 15 B");
    EXPECT_EQ(d.schrift(veranstalter), "Arial 12 ");
    EXPECT_EQ(d.schrift("Luftgewehr"), "Arial 12 B");
    EXPECT_EQ(d.schrift("Schützenklasse"), "Arial 10 ");
    EXPECT_EQ(d.schrift("Gesamt"), "Arial 11 B");
    EXPECT_EQ(d.schrift("Insgesamt"), "Arial 12 B");
    // Title and organiser centred; the tabs: right at 2.0+1.1, left from
    // 3.1, right at 16.6, each with a margin of 0.03 inch.
    const QStringList t = linesStarting(d.dump.split('\n'), "T\t");
    auto wo = [&](const QString& text) {
        for (const QString& l : t)
            if (field(l, 8) == text)
                return field(l, 2) + field(l, 4);
        return QString("?");
    };
    EXPECT_EQ(wo(eine), "10.750C");
    EXPECT_EQ(wo(veranstalter), "10.750C");
    EXPECT_EQ(wo("110"), "3.024R");
    EXPECT_EQ(wo("Luftgewehr"), "3.176L");
    EXPECT_EQ(wo("Anzahl"), "16.524R");
    EXPECT_EQ(wo("Insgesamt"), "3.176L");
    // The page header and footer of the list.
    EXPECT_TRUE(d.seiten[0].kopfFuss.contains("Schützengau Oberland"));
    EXPECT_TRUE(d.seiten[0].kopfFuss.contains("Schützenbezirk Oberbayern"));
    EXPECT_TRUE(d.seiten[0].kopfFuss.contains("Seite 1"));
    // Without MitTab nothing is shaded.
    EXPECT_TRUE(d.seiten[0].schattiert.empty());

    // All sub-championships.
    d = liste(false, {{"cb_Teilmeister", "1"}});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + alle,
                              "4:" + veranstalter,
                              "6:110|Luftgewehr|Anzahl",
                              "7:10|Schützenklasse|3",
                              "8:11|Damenklasse|2",
                              "10:Gesamt|5",
                              "12:120|Luftpistole|Anzahl",
                              "13:10|Schützenklasse|1",
                              "14:20|Jugendklasse|2",
                              "16:Gesamt|3",
                              "18:Insgesamt|8",
                          }));
}

TEST_F(Starterliste, StartedParticipantsCountOnlyShotAndNotWithdrawnStarts)
{
    meisterschaft();
    // From the results dialog the third order is preselected.
    Druck d = liste(true, {});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + eine,
                              "4:" + veranstalter,
                              "6:110|Luftgewehr|Anzahl",
                              "7:10|Schützenklasse|1",
                              "8:11|Damenklasse|1",
                              "10:Gesamt|2",
                              "12:120|Luftpistole|Anzahl",
                              "13:10|Schützenklasse|1",
                              "14:20|Jugendklasse|1",
                              "16:Gesamt|2",
                              "18:Insgesamt|4",
                          }));

    d = liste(true, {{"gb_Auswahl", "gestartete Teilnehmer"}, {"cb_Teilmeister", "true"}});
    EXPECT_EQ(d.zeilen().mid(3), (QStringList{
                                      "7:10|Schützenklasse|2",
                                      "8:11|Damenklasse|1",
                                      "10:Gesamt|3",
                                      "12:120|Luftpistole|Anzahl",
                                      "13:10|Schützenklasse|1",
                                      "14:20|Jugendklasse|1",
                                      "16:Gesamt|2",
                                      "18:Insgesamt|5",
                                  }));

    // A group whose starts are all unshot prints nothing, not even its
    // discipline's heading.
    start("140", "10", 1, "1", 0);
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "140"}, {"Name", "Armbrust"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "140"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
    d = liste(true, {});
    EXPECT_FALSE(d.dump.contains("Armbrust"));
    EXPECT_EQ(d.zeilen().last(), "18:Insgesamt|4");
    // By competitions the same start counts.
    d = liste(true, {{"gb_Auswahl", "Wettbewerbe"}});
    EXPECT_TRUE(d.zeilen().contains("18:140|Armbrust|Anzahl"));
    EXPECT_EQ(d.zeilen().last(), "23:Insgesamt|7");
}

TEST_F(Starterliste, ByRangesWithTotalsPerRangeOnce)
{
    meisterschaft();
    // All sub-championships: every start of ranges above 0; the range change
    // prints the discipline and range totals once, then the new range and
    // the new discipline's heading without a second discipline total.
    Druck d = liste(false, {{"gb_Auswahl", "Anlagen"}, {"cb_Teilmeister", "true"}});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + alle,
                              "4:" + veranstalter,
                              "6:1|Halle Nord",
                              "8:110|Luftgewehr|Anzahl",
                              "9:10|Schützenklasse|3",
                              "10:11|Damenklasse|2",
                              "11:20|Jugendklasse|1",
                              "12:Gesamt|6",
                              "14:Gesamt pro Anlage|6",
                              "16:2|Halle Süd",
                              "18:120|Luftpistole|Anzahl",
                              "19:10|Schützenklasse|1",
                              "20:20|Jugendklasse|2",
                              "22:Gesamt|3",
                              "24:Gesamt pro Anlage|3",
                              "26:Insgesamt|9",
                          }));
    EXPECT_EQ(d.schrift("Halle Nord"), "Arial 13 B");
    EXPECT_EQ(d.schrift("Gesamt pro Anlage"), "Arial 11 B");

    // One sub-championship: the discipline-class row's sub-championship
    // decides, not the start's (120/10 belongs to "2"; the starts of "2" in
    // 110/10 and 120/20 count).
    d = liste(false, {{"gb_Auswahl", "1"}});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + eine,
                              "4:" + veranstalter,
                              "6:1|Halle Nord",
                              "8:110|Luftgewehr|Anzahl",
                              "9:10|Schützenklasse|3",
                              "10:11|Damenklasse|2",
                              "11:Gesamt|5",
                              "13:Gesamt pro Anlage|5",
                              "15:2|Halle Süd",
                              "17:120|Luftpistole|Anzahl",
                              "18:20|Jugendklasse|2",
                              "20:Gesamt|2",
                              "22:Gesamt pro Anlage|2",
                              "24:Insgesamt|7",
                          }));
}

TEST_F(Starterliste, MitTabShadesByTheLinesPositionOnThePage)
{
    meisterschaft();
    db.setting("Speziell", "MitTab", "J");
    // Class and total lines on odd lines get 10 % in all three tabs, those on
    // even lines none; headings are never shaded (15 and 17 are headings).
    Druck d = liste(false, {{"gb_Auswahl", "1"}});
    std::map<int, int> erwartet = {{9, 3}, {11, 3}, {13, 3}};
    EXPECT_EQ(d.seiten.value(0).schattiert, erwartet);
    const QStringList boxen = linesStarting(d.dump.split('\n'), "B\t");
    ASSERT_EQ(boxen.size(), 9);
    for (const QString& b : boxen)
        EXPECT_EQ(field(b, 6) + "/" + field(b, 7), "10/") << b.toStdString();
    EXPECT_EQ(field(boxen[0], 2) + " " + field(boxen[1], 2) + " " + field(boxen[2], 2), "2.000 3.100 15.100");

    // A third class of 120 puts both totals at the end on odd lines.
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "11"}, {"Teilmeisterschaft", "1"}});
    start("120", "11", 2, "1", 330);
    d = liste(false, {{"cb_Teilmeister", "true"}});
    ASSERT_EQ(d.zeilen().mid(7), (QStringList{"13:10|Schützenklasse|1", "14:11|Damenklasse|1", "15:20|Jugendklasse|2",
                                              "17:Gesamt|4", "19:Insgesamt|9"}));
    erwartet = {{7, 3}, {13, 3}, {15, 3}, {17, 3}, {19, 3}};
    EXPECT_EQ(d.seiten.value(0).schattiert, erwartet);

    // Only "J" shades.
    db.setting("Speziell", "MitTab", "j");
    d = liste(false, {{"cb_Teilmeister", "true"}});
    EXPECT_TRUE(d.seiten.value(0).schattiert.empty());
}

TEST_F(Starterliste, LongListsBreakPagesAndShadeByPagePosition)
{
    db.setting("Speziell", "MitTab", "J");
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    const int klassen = 90;
    for (int k = 10; k < 10 + klassen; ++k) {
        const QString kla = QString::number(k);
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", "Klasse " + kla}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", kla}, {"Teilmeisterschaft", "1"}});
        start("110", kla, 1, "1", 300);
    }
    Druck d = liste(false, {});
    ASSERT_EQ(d.seiten.size(), 2) << d.dump.toStdString();

    // Page 2 has its header and footer and goes on after two empty lines.
    EXPECT_TRUE(d.seiten[0].kopfFuss.contains("Seite 1"));
    EXPECT_TRUE(d.seiten[1].kopfFuss.contains("Seite 2"));
    EXPECT_TRUE(d.seiten[1].kopfFuss.contains("Schützengau Oberland"));
    const QStringList z1 = d.zeilen(0), z2 = d.zeilen(1);
    ASSERT_FALSE(z2.isEmpty());
    EXPECT_TRUE(z2.first().startsWith("3:")) << z2.first().toStdString();

    // Every class once, in order, across both pages; then the totals.
    QStringList klassenZeilen;
    for (const QString& z : z1 + z2)
        if (z.contains("|Klasse "))
            klassenZeilen << z.section(':', 1);
    ASSERT_EQ(klassenZeilen.size(), klassen);
    for (int i = 0; i < klassen; ++i)
        EXPECT_EQ(klassenZeilen[i], QString("%1|Klasse %1|1").arg(10 + i));
    EXPECT_EQ(z2.last().section(':', 1), QString("Insgesamt|%1").arg(klassen));

    // Page 1 ends at the first class line that leaves 2 lines or fewer.
    const QStringList t1 = linesStarting(d.dump.section("P 2\n", 0, 0).split('\n'), "T\t");
    QVector<double> ys;
    for (const QString& l : t1)
        if (field(l, 8).startsWith("Klasse "))
            ys << field(l, 3).toDouble();
    ASSERT_GE(ys.size(), 3);
    const double zeile = (ys.last() - ys.first()) / (ys.size() - 1);
    auto rest = [&](double y) { return int(std::floor((27.7 - (y + zeile)) / zeile + 1e-6)); };
    EXPECT_LE(rest(ys.last()), 2);
    EXPECT_GT(rest(ys[ys.size() - 2]), 2);

    // Shading follows the line on each page: odd lines shaded, even not.
    for (int p = 0; p < 2; ++p)
        for (const QString& z : d.zeilen(p)) {
            const int line = z.section(':', 0, 0).toInt();
            if (!z.contains("|Klasse ") && !z.contains("Gesamt") && !z.contains("Insgesamt"))
                continue;
            EXPECT_EQ(d.seiten[p].schattiert.count(line) ? d.seiten[p].schattiert.at(line) : 0, line % 2 ? 3 : 0)
                << p << " " << z.toStdString();
        }
}

// Discipline 110 with n classes in range 1, then discipline 120 in range 2;
// the class counts put the totals where they leave just enough lines for
// the next heading, or no longer.
TEST_F(Starterliste, TotalsNearThePageEndMoveTheNextHeadingToANewPage)
{
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"}});
    start("120", "10", 2, "1", 300);
    int klassen = 0;
    auto bis = [&](int n) {
        for (; klassen < n; ++klassen) {
            const QString kla = QString::number(10 + klassen);
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", "Klasse " + kla}});
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", kla}, {"Teilmeisterschaft", "1"}});
            start("110", kla, 1, "1", 300);
        }
    };
    auto seite = [](const QStringList& zeilen) {
        QStringList l;
        for (const QString& z : zeilen)
            l << z.section(':', 1);
        return l;
    };

    // Range change: after the range total and its empty line 6 lines are
    // left (the new range stays), then 5 (new page).
    bis(43);
    Druck d = liste(false, {{"gb_Auswahl", "1"}});
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(d.zeilen(0).filter(":2|Halle Süd").size(), 1) << d.zeilen(0).join('\n').toStdString();
    bis(44);
    d = liste(false, {{"gb_Auswahl", "1"}});
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(seite(d.zeilen(0)).mid(d.zeilen(0).size() - 3),
              (QStringList{"53|Klasse 53|1", "Gesamt|44", "Gesamt pro Anlage|44"}));
    EXPECT_EQ(d.zeilen(1).mid(0, 2), (QStringList{"3:2|Halle Süd", "5:120|Luftpistole|Anzahl"}));

    // Discipline change: after the total and its empty line 4 lines are
    // left (heading stays), then 3 (new page, heading on line 3).
    bis(49);
    d = liste(false, {});
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(seite(d.zeilen(0)).mid(d.zeilen(0).size() - 3),
              (QStringList{"Gesamt|49", "120|Luftpistole|Anzahl", "10|Klasse 10|1"}));
    bis(50);
    d = liste(false, {});
    ASSERT_EQ(d.seiten.size(), 2);
    EXPECT_EQ(seite(d.zeilen(0)).mid(d.zeilen(0).size() - 2), (QStringList{"59|Klasse 59|1", "Gesamt|50"}));
    EXPECT_EQ(d.zeilen(1).value(0), "3:120|Luftpistole|Anzahl");
}

TEST_F(Starterliste, EmptyChampionshipPrintsTitlesAndZeroTotals)
{
    Druck d = liste(false, {});
    EXPECT_EQ(d.zeilen(), (QStringList{"3:" + eine, "4:" + veranstalter, "7:Gesamt|0", "9:Insgesamt|0"}));
    d = liste(false, {{"gb_Auswahl", "1"}, {"cb_Teilmeister", "1"}});
    EXPECT_EQ(d.zeilen(), (QStringList{"3:" + alle, "4:" + veranstalter, "7:Gesamt|0", "9:Gesamt pro Anlage|0",
                                       "11:Insgesamt|0"}));
    EXPECT_TRUE(ui->messages.isEmpty()); // no "no data" message
}

TEST_F(Starterliste, PreviewHandOverStatusProgressAndArchive)
{
    meisterschaft();
    Druck d = liste(false, {{"cb_Teilmeister", "true"}});
    ASSERT_EQ(ui->previews.size(), 1);
    const Host::PrintRequest& p = ui->previews.last();
    EXPECT_EQ(p.modul, "REPORTS1");
    EXPECT_EQ(p.title, "Starterliste");
    EXPECT_EQ(p.interval, 0);
    EXPECT_EQ(Starter1::DruckjobID, p.id);
    EXPECT_EQ(ergebnis, Host::mrOk);
    EXPECT_EQ(Starter1::StarterForm, nullptr);

    // Six groups: progress 0 to 5, then stopped and the status cleared.
    EXPECT_TRUE(ui->statusTexts.contains("Liste der Gesamtstarts erstellen"));
    EXPECT_EQ(ui->statusTexts.last(), "");
    EXPECT_EQ(ui->progressStarts, (QList<QPair<int, int>>{{0, 5}}));
    EXPECT_EQ(ui->progressSets, (QList<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ui->progressStops, 1);

    // After printing the stream is named to the host and archived.
    EXPECT_EQ(Datamod::sDruckPfad, p.file);
    const QString archiv = Datamod::DataModule1()->LetzteArchivdatei();
    EXPECT_TRUE(archiv.startsWith(QDir(Qvpaths::DataFolder()).filePath("Archiv"))) << archiv.toStdString();
    EXPECT_EQ(Report::DumpStream(archiv), d.dump);

    // A second run hands over a new job under a new id.
    liste(false, {});
    EXPECT_EQ(ui->previews.size(), 2);
    EXPECT_EQ(Starter1::DruckjobID, ui->previews.last().id);
    EXPECT_NE(ui->previews[0].id, ui->previews[1].id);

    // Cancel prints nothing.
    Vcl::TFormDriver driver;
    driver.AddCtl("cb_RTF", "true");
    driver.AddClick("CoolBtn2");
    EXPECT_EQ(driver.Run([&] { ergebnis = Starter1::Starterliste(false); }), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ergebnis, Host::mrCancel);
    EXPECT_EQ(ui->previews.size(), 2);
    EXPECT_TRUE(ui->folderPrompts.isEmpty());
}

TEST_F(Starterliste, RtfFileInTheChosenFolderWithoutPreview)
{
    meisterschaft();
    QTemporaryDir ordner;
    ui->folders.push_back(ordner.path());
    ASSERT_EQ(drucken(false, {{"cb_RTF", "true"}, {"cb_Teilmeister", "true"}}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ui->folderPrompts, QStringList{"RTF-Ausgabeordner"});
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(Starter1::DruckjobID, 0);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(ui->messages[0].text,
              "Die Starterliste ist als   STARTER.RTF  im\r\nOrdner  " + ordner.path() + "  erstellt worden");
    EXPECT_EQ(ui->messages[0].type, Host::mtInformation);

    QFile rtf(QDir(ordner.path()).filePath("STARTER.RTF"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray inhalt = rtf.readAll();
    EXPECT_TRUE(inhalt.startsWith("{\\rtf"));
    EXPECT_TRUE(inhalt.contains("Teilnehmer aller Teilmeisterschaften"));
    EXPECT_TRUE(inhalt.contains("Insgesamt"));
    EXPECT_FALSE(inhalt.contains("Gedruckt am")); // no page header or footer
    EXPECT_FALSE(inhalt.contains("Seite 1"));

    EXPECT_TRUE(ui->statusTexts.contains("Liste der Starts erstellen"));
    EXPECT_TRUE(ui->statusTexts.contains("Erstellen der Starterliste als RTF-Datei"));
    EXPECT_EQ(ui->statusTexts.last(), "");
    EXPECT_EQ(ui->progressStarts, (QList<QPair<int, int>>{{0, 6}}));
    EXPECT_EQ(ui->progressStops, 1);
    EXPECT_FALSE(QFile::exists(QDir(Qvpaths::DataFolder()).filePath("STARTER.RTF")));
}

TEST_F(Starterliste, RtfWithoutAFolderEndsSilently)
{
    meisterschaft();
    ASSERT_EQ(drucken(false, {{"cb_RTF", "true"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ergebnis, Host::mrOk);
    EXPECT_EQ(ui->folderPrompts.size(), 1);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_TRUE(ui->errors.isEmpty());
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_TRUE(ui->progressStarts.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(Qvpaths::DataFolder()).filePath("STARTER.RTF")));
    EXPECT_EQ(Starter1::StarterForm, nullptr);
}

TEST_F(Starterliste, RtfIntoAFolderThatCannotBeWrittenIsAnErrorNamingTheFile)
{
    meisterschaft();
    QTemporaryDir ordner;
    const QString keinOrdner = ordner.filePath("Ausgabe");
    QFile datei(keinOrdner); // a file where the folder should be
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();
    ui->folders.push_back(keinOrdner);
    EXPECT_EQ(drucken(false, {{"cb_RTF", "true"}}), Vcl::TFormDriver::Fehler);
    ASSERT_EQ(ui->errors.size(), 1);
    EXPECT_EQ(ui->errors[0], "Die Datei \"" + keinOrdner + "/STARTER.RTF\" kann nicht geschrieben werden: "
                             "der Ordner fehlt, ist keiner oder ist nicht beschreibbar");
    EXPECT_TRUE(ui->messages.isEmpty()); // nothing announced as created
    EXPECT_EQ(ui->progressStops, 1);     // and the progress is stopped
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"Ausgabe"});
}

TEST_F(Starterliste, CodesHoldingCommaOrPointKeepAllTheirStarts)
{
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "1.10"}, {"Name", "Luftgewehr Auflage"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "5,1"}, {"Name", "Seniorenklasse"}});
    db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "5.2"}, {"Name", "Altersklasse"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "1.10"}, {"Klasse", "5,1"}, {"Teilmeisterschaft", "1"}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "1.10"}, {"Klasse", "5.2"}, {"Teilmeisterschaft", "1"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
    start("1.10", "5,1", 1, "1", 300);
    start("1.10", "5,1", 1, "1", 301);
    start("1.10", "5.2", 1, "1", 302);
    Druck d = liste(false, {});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + eine,
                              "4:" + veranstalter,
                              "6:1.10|Luftgewehr Auflage|Anzahl",
                              "7:5,1|Seniorenklasse|2",
                              "8:5.2|Altersklasse|1",
                              "10:Gesamt|3",
                              "12:Insgesamt|3",
                          }));
    // By ranges: still every start.
    d = liste(false, {{"gb_Auswahl", "1"}});
    EXPECT_EQ(d.zeilen(), (QStringList{
                              "3:" + eine,
                              "4:" + veranstalter,
                              "6:1|Halle Nord",
                              "8:1.10|Luftgewehr Auflage|Anzahl",
                              "9:5,1|Seniorenklasse|2",
                              "10:5.2|Altersklasse|1",
                              "12:Gesamt|3",
                              "14:Gesamt pro Anlage|3",
                              "16:Insgesamt|3",
                          }));
}

// Every order, for one and for all sub-championships, shaded and not, on a
// generated championship: nothing beyond the printable area, nothing wider
// than its column, nothing painted over.
TEST(StarterlisteLayout, EveryOrderIsFitToHandOut)
{
    Host::TestUiGuard ui;
    auto db = Fixture::Database::Generated(900, 4);
    for (const char* mitTab : {"J", "N"}) {
        db->setting("Speziell", "MitTab", mitTab);
        for (const char* auswahl : {"0", "1", "2"})
            for (const char* alle : {"true", "false"}) {
                Vcl::TFormDriver d;
                d.AddCtl("gb_Auswahl", auswahl);
                d.AddCtl("cb_Teilmeister", alle);
                d.AddClick("bt_OK");
                ASSERT_EQ(d.Run([] { Starter1::Starterliste(true); }), Vcl::TFormDriver::Ok);
                ASSERT_FALSE(ui->previews.isEmpty());
                EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "")
                    << "Sortierung " << auswahl << ", alle " << alle << ", MitTab " << mitTab;
                QFile::remove(ui->previews.last().file);
            }
    }
}

} // namespace
