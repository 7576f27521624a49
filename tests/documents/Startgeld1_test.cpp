// The entry-fee window driven off-screen: its opening (one window, raised
// again, the texts and the sub-championship box), recording and clearing
// fees, the limits of the two texts, and the direct debit from the folder
// choice to the files and the accompanying sheet, bad input writing nothing.

#include "reports1/documents/Startgeld1.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/host/Datamod.h"
#include "platform/host/Schtools.h"
#include "platform/vcl/FormDriver.h"
#include "platform/vcl/LookupCombo.h"
#include "tests/documents/DocumentsTest.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/QtGtest.h"
#include "tests/support/SepaSchema.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>

namespace {

class Startgeld : public DocumentsTest::Meisterschaft {
protected:
    void SetUp() override
    {
        Meisterschaft::SetUp();
        Startgeld1::DruckjobID = 0;
        verein("1101", "Tell Dachau", "37040044", "532013000", "0000002500");
        verein("1102", "Alpenrose Aising", "", "DE27 7025 0150 0001 2345 67", "0000001999");
        verein("1103", "Edelweiß Haar", "", "");
        mandate("1101;MR-1101;01.02.2024\n1102;MR-1102;15.03.2024\n");
    }
    void TearDown() override
    {
        if (Startgeld1::StartgeldForm)
            Startgeld1::StartgeldForm->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Meisterschaft::TearDown();
    }

    // Opens the window (or raises it) and plays the steps on it.
    Vcl::TFormDriver::Outcome spielen(const QList<QPair<QString, QString>>& schritte)
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : schritte) {
            if (name == "click")
                d.AddClick(wert);
            else
                d.AddCtl(name, wert);
        }
        return d.Run([] { Startgeld1::Erstellen(); });
    }
    template <class W>
    W* kind(const char* name)
    {
        return Startgeld1::StartgeldForm ? Startgeld1::StartgeldForm->findChild<W*>(name) : nullptr;
    }
    void verlassen(const char* memo)
    {
        QFocusEvent e(QEvent::FocusOut);
        QApplication::sendEvent(kind<QPlainTextEdit>(memo), &e);
    }
    QString startgeld(const QString& nr)
    {
        return db.value("SELECT Startgeld FROM EVEREIN WHERE VereinNr = '" + nr + "'").toString();
    }
    QString ziel() const { return db.folder() + "/Bank"; }
};

TEST_F(Startgeld, OneWindowWithTheTextsOfItsFilesAndTheSubChampionshipBox)
{
    Schtools::StringsToFile({"Zahlbar ohne Abzug.", "Mit freundlichen Grüßen"}, datei("STARTG.DAT"));
    Schtools::StringsToFile({"Schützenbezirk Oberbayern", "Postfach 12"}, datei("ABSENDER.DAT"));
    db.setting("Speziell", "TeilStag", "J");
    ASSERT_EQ(spielen({}), Vcl::TFormDriver::Ok);
    TStartgeldForm* f = Startgeld1::StartgeldForm;
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "Startgeldberechnung - Testmeisterschaft - Teilm. 1");
    EXPECT_TRUE(f->isMaximized());
    EXPECT_EQ(kind<QPlainTextEdit>("mo_Startgeld")->toPlainText(), "Zahlbar ohne Abzug.\nMit freundlichen Grüßen");
    EXPECT_EQ(f->AbsenderText(), (QStringList{"Schützenbezirk Oberbayern", "Postfach 12"}));
    EXPECT_TRUE(f->Teilm());
    EXPECT_EQ(kind<QLineEdit>("ed_BuchText1")->maxLength(), 27);
    EXPECT_EQ(kind<Vcl::TLookupCombo>("cx_Verein")->count(), 3);

    // Both boxes store the state of the sub-championship box. The menu
    // entry brings a minimised window back instead of opening another.
    f->showMinimized();
    ASSERT_EQ(spielen({{"cb_PDFDatei", "true"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(Startgeld1::StartgeldForm, f);
    EXPECT_FALSE(f->isMinimized());
    EXPECT_EQ(db.value("SELECT Wert FROM QVSETTINGS WHERE Schluessel = 'TeilStag'").toString(), "J");
    ASSERT_EQ(spielen({{"cb_Teilm", "false"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(db.value("SELECT Wert FROM QVSETTINGS WHERE Schluessel = 'TeilStag'").toString(), "N");

    Startgeld1::DruckjobID = 7;
    Startgeld1::Druckfertig(8);
    EXPECT_EQ(Startgeld1::DruckjobID, 7);
    Startgeld1::Druckfertig(7);
    EXPECT_EQ(Startgeld1::DruckjobID, 0);

    f->close();
    EXPECT_EQ(Startgeld1::StartgeldForm, nullptr);
}

TEST_F(Startgeld, AFeeIsStoredInCentsForTheClubChosenAndBadInputIsRefused)
{
    ASSERT_EQ(spielen({{"cx_Verein", "1103"}, {"ed_Betrag", "25"}, {"click", "bt_Startg"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(startgeld("1103"), "0000002500"); // six zeros and 2500
    EXPECT_EQ(kind<QLineEdit>("ed_Betrag")->text(), "0,00");
    EXPECT_EQ(kind<Vcl::TLookupCombo>("cx_Verein")->KeyValue(), "");
    // The club by the text the box shows; a German amount with cents.
    ASSERT_EQ(spielen({{"cx_Verein", "Edelweiß Haar"}, {"ed_Betrag", "1.019,99"}, {"click", "bt_Startg"}}),
              Vcl::TFormDriver::Ok);
    EXPECT_EQ(startgeld("1103"), "0000101999");

    auto refused = [&](const QList<QPair<QString, QString>>& schritte) {
        const int vorher = int(ui->errors.size());
        EXPECT_EQ(spielen(schritte), Vcl::TFormDriver::Eingabefehler);
        return ui->errors.size() > vorher ? ui->errors.last() : QString("keine Meldung");
    };
    EXPECT_EQ(refused({{"ed_Betrag", "25"}, {"click", "bt_Startg"}}), "Es wurde kein Verein ausgewählt.");
    EXPECT_EQ(Startgeld1::StartgeldForm->focusWidget(), kind<Vcl::TLookupCombo>("cx_Verein"));
    EXPECT_EQ(refused({{"cx_Verein", "1101"}, {"ed_Betrag", "0"}, {"click", "bt_Startg"}}),
              "Es wurde kein Betrag eingegeben.");
    EXPECT_EQ(refused({{"cx_Verein", "1101"}, {"ed_Betrag", "0,00"}, {"click", "bt_Startg"}}),
              "Es wurde kein Betrag eingegeben.");
    EXPECT_EQ(refused({{"cx_Verein", "1101"}, {"ed_Betrag", "12,345"}, {"click", "bt_Startg"}}),
              "Der Betrag 12,345 hat mehr als zwei Nachkommastellen.");
    EXPECT_EQ(refused({{"cx_Verein", "1101"}, {"ed_Betrag", "zehn"}, {"click", "bt_Startg"}}),
              "Der Betrag zehn ist keine gültige Zahl.");
    EXPECT_EQ(startgeld("1101"), "0000002500"); // unchanged by every refusal
    EXPECT_EQ(kind<Vcl::TLookupCombo>("cx_Verein")->KeyValue(), "1101"); // kept for a correction
    EXPECT_EQ(spielen({{"cx_Verein", "9999"}}), Vcl::TFormDriver::Fehler); // no such club
}

TEST_F(Startgeld, ClearingEmptiesTheFeeOfEveryClubAfterTheQuestion)
{
    ui->answers = {Host::mrNo};
    ASSERT_EQ(spielen({{"click", "bt_StgLoeschen"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts(), (QStringList{"Möchten Sie die Startgeldbeträge tatsächlich löschen"}));
    EXPECT_EQ(db.count("EVEREIN", "Startgeld <> ''"), 2);

    ui->answers = {Host::mrYes};
    ASSERT_EQ(spielen({{"click", "bt_StgLoeschen"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(db.count("EVEREIN", "Startgeld <> ''"), 0);
    EXPECT_EQ(db.count("EVEREIN"), 3);
    EXPECT_EQ(ui->messageTexts().last(), "Die alten Startgeldbeträge sind gelöscht.");
    EXPECT_EQ(ui->messages.last().type, Host::mtInformation);
}

TEST_F(Startgeld, TheTextsKeepTheirLimitsWhenLeft)
{
    Schtools::StringsToFile({"alt"}, datei("ABSENDER.DAT"));
    ASSERT_EQ(spielen({{"mo_Absender", "Zeile 1\\nZeile 2\\nZeile 3\\nZeile 4"}}), Vcl::TFormDriver::Ok);
    verlassen("mo_Absender");
    EXPECT_EQ(ui->errors.value(0), "Es wurden mehr als 3 Zeilen eingegeben.");
    EXPECT_EQ(Schtools::FileToStrings(datei("ABSENDER.DAT")), QStringList{"alt"});
    ASSERT_EQ(spielen({{"mo_Absender", "Zeile 1\\nZeile 2\\nZeile 3\\n\\n"}}), Vcl::TFormDriver::Ok);
    verlassen("mo_Absender"); // empty lines after the text do not count
    EXPECT_EQ(Schtools::FileToStrings(datei("ABSENDER.DAT")), (QStringList{"Zeile 1", "Zeile 2", "Zeile 3"}));

    QStringList zehn;
    for (int i = 1; i <= 10; ++i)
        zehn << QString("Text %1").arg(i);
    ASSERT_EQ(spielen({{"mo_Startgeld", zehn.join("\\n") + "\\nText 11"}}), Vcl::TFormDriver::Ok);
    verlassen("mo_Startgeld");
    EXPECT_EQ(ui->errors.value(1), "Es wurden mehr als 10 Zeilen eingegeben.");
    EXPECT_FALSE(QFile::exists(datei("STARTG.DAT")));
    ASSERT_EQ(spielen({{"mo_Startgeld", zehn.join("\\n")}}), Vcl::TFormDriver::Ok);
    verlassen("mo_Startgeld");
    EXPECT_EQ(Schtools::FileToStrings(datei("STARTG.DAT")), zehn);
    EXPECT_EQ(ui->errors.size(), 2);
}

TEST_F(Startgeld, TheDebitGoesToTheFolderChosenWithItsSheet)
{
    db.setting("Global", "Institut", "Kreissparkasse Weilheim");
    ASSERT_EQ(spielen({{"click", "bt_Bankeinzug"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(kind<QStackedWidget>("pc_Startgeld")->currentWidget()->objectName(), "ts_Ausgabe");
    EXPECT_EQ(kind<QLabel>("lb_Ordner")->text(), QDir::toNativeSeparators(Qvpaths::DataFolder()));
    ui->folders = {""}; // a cancelled choice keeps the folder
    ASSERT_EQ(spielen({{"click", "bt_Save"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(kind<QLabel>("lb_Ordner")->text(), QDir::toNativeSeparators(Qvpaths::DataFolder()));
    EXPECT_EQ(ui->folderPrompts.value(0), "Bankdaten ausgeben");
    ASSERT_EQ(spielen({{"click", "bt_AusgZurueck"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(kind<QStackedWidget>("pc_Startgeld")->currentWidget()->objectName(), "ts_Einstellung");

    ui->folders = {ziel()};
    ASSERT_EQ(spielen({{"ed_BuchText1", "Startgeld BM 2025"}, {"click", "bt_Bankeinzug"}, {"click", "bt_Save"},
                       {"click", "bt_Ausgeben"}}),
              Vcl::TFormDriver::Ok)
        << ui->errors.join('\n').toStdString();
    QFile sepa(ziel() + "/SEPA-Lastschrift.xml");
    ASSERT_TRUE(sepa.open(QIODevice::ReadOnly));
    EXPECT_EQ(SepaSchema::Pruefen(sepa.readAll()), "");
    EXPECT_EQ(QFileInfo(ziel() + "/DTAUS0.TXT").size(), 128 + 2 * 256 + 128);
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(Startgeld1::DruckjobID, ui->previews[0].id);
    EXPECT_EQ(ui->previews[0].title, "Bankeinzug");
    EXPECT_EQ(ui->messageTexts().last(), "Die Dateien DTAUS0.TXT und SEPA-Lastschrift.xml sind im Ordner\r\n"
                                         + QDir::toNativeSeparators(ziel()) + " erstellt.");

    const QStringList z = DocumentsTest::Zeilen(ui->previews[0].file);
    for (const QString& zeile :
         QStringList{"1:Diskettenbegleitzettel  vom  01.03.2025", "1:Datei DTAUS0.TXT für LASTSCHRIFTEN",
          "1:Auftrag an Kreissparkasse Weilheim", "1:ÜBERNAHME AUS SDF-DATEI   DTAUS.TXT",
          "1:Disketten - Nr.|___________________", "1:Summe   DATENSÄTZE  C in EURO:|44,99",
          "1:Anzahl  DATENSÄTZE  C:|2", "1:Summe  KONTONUMMERN|533247567", "1:Summe  BANKLEITZAHL|107290194",
          "1:Bankleitzahl Absenderbank|70250150", "1:Kontonummer Absender|1234567",
          "1:Absendername: |SCHÜTZENBEZIRK OBERBAYERN", "1:SCHÜTZENBEZIRK OBERBAYERN", "1:Oberbayern  , den  01.03.2025",
          "1:" + QString(46, '_'), "1:(Unterschriften)", "2:Summe der Lastschriften in EURO:|44,99",
          "2:Anzahl der Lastschriften:|2", "2:Fälligkeitsdatum:|15.03.2025", "2:Gläubiger-ID:|DE98ZZZ09999999999",
          "2:IBAN Auftraggeber:|DE27 7025 0150 0001 2345 67"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
}

TEST_F(Startgeld, AClubWithoutBankDataStopsTheDebitBeforeAnyFile)
{
    db.exec("UPDATE EVEREIN SET Startgeld = '0000000500' WHERE VereinNr = '1103'");
    ui->folders = {ziel()};
    EXPECT_EQ(spielen({{"click", "bt_Bankeinzug"}, {"click", "bt_Save"}, {"click", "bt_Ausgeben"}}),
              Vcl::TFormDriver::Fehler);
    EXPECT_EQ(ui->errors.value(0), "Der Bankeinzug wurde nicht erstellt:\r\nVerein 1103 Edelweiß Haar: keine "
                                   "Bankverbindung\r\nVerein 1103 Edelweiß Haar: keine Mandatsreferenz in "
                                   "\"Mandatsreferenzen Schützenbezirk Oberbayern.csv\"");
    EXPECT_FALSE(QDir(ziel()).exists("DTAUS0.TXT"));
    EXPECT_FALSE(QDir(ziel()).exists("SEPA-Lastschrift.xml"));
    EXPECT_TRUE(ui->previews.isEmpty());
    EXPECT_EQ(Startgeld1::DruckjobID, 0);
}

// The sheet and the files of a generated championship, as the demo makes them.
TEST(StartgeldGeneriert, TheDebitOfAGeneratedChampionshipPassesSchemaAndLayoutCheck)
{
    auto db = Fixture::Database::Generated(300, 7);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(db->folder());
    ASSERT_TRUE(Demo::StartgeldDateien(db->connection(), db->folder()));
    ui->folders = {db->folder() + "/Bank"};
    Vcl::TFormDriver d;
    d.AddCtl("ed_BuchText1", "Startgeld");
    d.AddClick("bt_Bankeinzug");
    d.AddClick("bt_Save");
    d.AddClick("bt_Ausgeben");
    EXPECT_EQ(d.Run([] { Startgeld1::Erstellen(); }), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ReportTest::layoutFindings(ui->previews[0].file), "");
    QFile sepa(db->folder() + "/Bank/SEPA-Lastschrift.xml");
    ASSERT_TRUE(sepa.open(QIODevice::ReadOnly));
    EXPECT_EQ(SepaSchema::Pruefen(sepa.readAll()), "");
    QFile::remove(ui->previews[0].file);
    Startgeld1::StartgeldForm->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
