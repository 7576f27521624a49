// The started participants driven through their form off-screen: starts
// per range and discipline, refunds to the cent at the rate of the
// discipline's last class, range totals and the total to pay out, the
// participation figures and both dropout tables, the refused setting, the
// empty selection, the RTF file, the results dialog's button, and the
// layout check on a generated championship.

#include "reports1/entries/Gestartet1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "reports1/results/Ergebdruck1.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"
#include "tests/support/TestHostUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace {

// Body lines of every page as "text|text" (page header and footer, italic, left out).
QVector<QStringList> seiten(const QString& datei)
{
    QVector<QStringList> out;
    Report::TReportDocument doc;
    if (!Report::ReadStream(datei, doc))
        return out;
    for (const Report::TStreamPage& p : doc.Pages) {
        std::map<int, QStringList> zeilen;
        for (const Report::TStreamOp& op : p.Ops)
            if (op.Kind == Report::TOpKind::Text && !doc.Fonts.value(op.Font).Italic)
                zeilen[op.Line] << op.Text;
        QStringList s;
        for (const auto& [line, texte] : zeilen)
            s << texte.join('|');
        out << s;
    }
    return out;
}

class Gestartetliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Qvpaths::SetProgramFolder(db.folder());
        Gestartet1::DruckjobID = 0;
        db.setting("Global", "Ueberschr", "Kreismeisterschaft");
        db.setting("Allgemein", "Sportjahr", "2026");
        db.setting("Speziell", "Waehrung", "0");
        db.setting("Speziell", "W1", "EUR");
    }
    void TearDown() override
    {
        for (const auto& p : ui->previews)
            QFile::remove(p.file);
    }

    void start(int anlage, const QString& dis, const QString& kla, double ergebnis)
    {
        const QString nr = QString::number(++mitglied);
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", "M" + nr}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"Anlage", anlage}, {"Disziplin", dis}, {"EKlasse", kla},
                               {"Ergebnis", ergebnis}});
    }
    // Range 1: 110 (refund 0,10, electronic 0,15; class 11 last and
    // electronic) and 120 (2,50); range 2: 120. 130 has no start.
    void meisterschaft()
    {
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Erstattung", 0.10},
                                 {"ErstattungElek", 0.15}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "120"}, {"Name", "Luftpistole"}, {"Erstattung", 2.50},
                                 {"ErstattungElek", 2.50}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "130"}, {"Name", "Kleinkaliber"}, {"Erstattung", 3.0}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Elektronisch", "N"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "11"}, {"Elektronisch", "J"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "120"}, {"Klasse", "10"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle Nord"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "Halle Süd"}});
        for (int i = 0; i < 7; ++i)
            start(1, "110", "10", 380);
        start(1, "110", "11", 390);
        start(1, "110", "11", 0); // dropped out
        start(1, "120", "10", 360);
        start(2, "120", "10", 350);
        start(2, "120", "10", 0); // dropped out
    }

    Vcl::TFormDriver::Outcome ausfuehren(const QList<QPair<QString, QString>>& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [n, w] : ctls)
            d.AddCtl(n, w);
        d.AddClick("bt_OK");
        const auto outcome = d.Run([&] { Gestartet1::Gestartetliste(); });
        fehler = d.ErrorText();
        return outcome;
    }
    QVector<QStringList> liste(const QList<QPair<QString, QString>>& ctls)
    {
        const qsizetype vorher = ui->previews.size();
        EXPECT_EQ(ausfuehren(ctls), Vcl::TFormDriver::Ok) << fehler.toStdString();
        EXPECT_EQ(ui->previews.size(), vorher + 1) << ui->messageTexts().join(" / ").toStdString();
        if (ui->previews.size() != vorher + 1)
            return {};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return seiten(ui->previews.last().file);
    }

    Fixture::Database db;
    Host::TestUiGuard ui;
    int mitglied = 0;
    QString fehler;
};

} // namespace

TEST_F(Gestartetliste, StartsAndRefundsPerRangeToTheCent)
{
    meisterschaft();
    const auto s = liste({{"cb_DM", "true"}, {"cb_Alle", "true"}});
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(ui->previews.last().title, "Ausdruck der gestarteten Teilnehmer");
    EXPECT_EQ(Gestartet1::DruckjobID, ui->previews.last().id);
    // 9 starts of 110 at the rate of its last class (electronic, 0,15):
    // 1,35, not 9 x 0,10; the sums stay exact in cents.
    EXPECT_EQ(s[0], (QStringList{"Gestartete Teilnehmer", "Kreismeisterschaft 2026", "1|Halle Nord|Anzahl|Betrag",
                                 "1.10|Luftgewehr|9|1,35|EUR", "1.20|Luftpistole|1|2,50|EUR", "Gesamt|10|3,85|EUR",
                                 "2|Halle Süd|Anzahl|Betrag", "1.20|Luftpistole|2|5,00|EUR", "Gesamt|2|5,00|EUR",
                                 "auszuzahlender Gesamtbetrag|12|8,85|EUR"}));
    EXPECT_EQ(s[1], (QStringList{"Teilnehmer der Meisterschaft|12", "gemeldete Starts|12",
                                 "ausgefallene Starts|2|16,67|%", "durchschnittl. Starts pro Teilnehmer|1,00",
                                 "Durchschnittl. Ausfall über alle Wettbewerbe", "Luftgewehr|1|50,00|%",
                                 "Luftpistole|1|50,00|%", "Kleinkaliber|0|0,00|%",
                                 "Durchschnittl. Ausfall innerhalb Wettbewerb", "Luftgewehr|9|1|11,11|%",
                                 "Luftpistole|3|1|33,33|%"}));

    // Amounts of starts with a result only; without amounts no count heads.
    auto t = liste({{"cb_DM", "true"}});
    EXPECT_EQ(t.value(0).mid(2, 4), (QStringList{"1|Halle Nord|Anzahl|Betrag", "1.10|Luftgewehr|8|1,20|EUR",
                                                 "1.20|Luftpistole|1|2,50|EUR", "Gesamt|9|3,70|EUR"}));
    EXPECT_EQ(t.value(0).last(), "auszuzahlender Gesamtbetrag|10|6,20|EUR");
    t = liste({});
    EXPECT_EQ(t.value(0).mid(2, 4), (QStringList{"1|Halle Nord", "1.10|Luftgewehr|8", "1.20|Luftpistole|1", "Gesamt|9"}));
    EXPECT_EQ(t.value(0).last(), "Gesamt|1");
}

TEST_F(Gestartetliste, ARefundOfTenCentsAThousandTimesIsExactlyOneHundred)
{
    db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Erstattung", 0.10}});
    db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}});
    db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Halle"}});
    db.insert("EMITGLIED", {{"MitglNr", "1"}, {"Name", "Huber"}});
    // 1,000 starts: ten of another championship, crossed three times.
    for (int i = 0; i < 10; ++i)
        db.insert("ERGEBNIS", {{"Ident", 2}});
    db.exec("INSERT INTO ERGEBNIS (Ident, MitglNr, Anlage, Disziplin, EKlasse, Ergebnis) "
            "SELECT 1, '1', 1, '110', '10', 300 FROM ERGEBNIS a, ERGEBNIS b, ERGEBNIS c "
            "WHERE a.Ident = 2 AND b.Ident = 2 AND c.Ident = 2");
    ASSERT_EQ(db.count("ERGEBNIS", "Ident = 1"), 1000);
    const auto s = liste({{"cb_DM", "true"}});
    EXPECT_EQ(s.value(0).last(), "auszuzahlender Gesamtbetrag|1000|100,00|EUR");
}

TEST_F(Gestartetliste, RefusesAllStartsWithoutAmountsAndSaysWhenNobodyStarted)
{
    EXPECT_EQ(ausfuehren({{"cb_Alle", "true"}}), Vcl::TFormDriver::Eingabefehler);
    EXPECT_EQ(ui->errors, QStringList{"Bei dieser Einstellung, muss die Ausgabe\r\nmit Beträgen ebenfalls angeklickt sein."});
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(ausfuehren({}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), QStringList{"Es sind keine gestarteten Teilnehmer vorhanden"});
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(Qvpaths::DataFolder()).filePath("GESAMTSTARTS.RTF")));
}

TEST_F(Gestartetliste, RtfFileReplacesTheLastOneInTheDataFolder)
{
    meisterschaft();
    const QString datei = QDir(Qvpaths::DataFolder()).filePath("GESAMTSTARTS.RTF");
    QFile alt(datei);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    ASSERT_EQ(ausfuehren({{"cb_DM", "true"}, {"cb_RTF", "true"}}), Vcl::TFormDriver::Ok) << fehler.toStdString();
    EXPECT_EQ(ui->messageTexts(),
              QStringList{"Die Gesamtstartliste ist als   GESAMTSTARTS.RTF  im\r\nOrdner  DATEN  erstellt worden"});
    EXPECT_TRUE(ui->previews.isEmpty());
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray rtf = f.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    for (const char* s : {"Luftgewehr", "auszuzahlender Gesamtbetrag", "6,20", "Durchschnittl. Ausfall innerhalb Wettbewerb"})
        EXPECT_TRUE(rtf.contains(s)) << s;
}

TEST_F(Gestartetliste, TheResultsDialogsGeneralPageOpensIt)
{
    meisterschaft();
    Ergebdruck1::Erstellen(true);
    QCoreApplication::sendPostedEvents();
    ASSERT_NE(Ergebdruck1::ErgebDruckForm, nullptr);
    Vcl::TFormDriver d;
    d.AddClick("bt_Teilnehmer");
    d.AddCtl("cb_DM", "true");
    d.AddClick("bt_OK");
    EXPECT_EQ(d.Play(Ergebdruck1::ErgebDruckForm), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    EXPECT_EQ(ui->previews.size(), 1);
    Ergebdruck1::ErgebDruckForm->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(GestartetlisteGeneriert, PassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(600, 5);
    Qvpaths::SetProgramFolder(db->folder());
    Host::TestUiGuard ui;
    Vcl::TFormDriver d;
    d.AddCtl("cb_DM", "true");
    d.AddCtl("cb_Alle", "true");
    d.AddClick("bt_OK");
    ASSERT_EQ(d.Run([] { Gestartet1::Gestartetliste(); }), Vcl::TFormDriver::Ok) << d.ErrorText().toStdString();
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
    QFile::remove(ui->previews[0].file);
}
