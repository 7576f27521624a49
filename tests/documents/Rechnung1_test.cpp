// The invoices driven through their dialog: running invoice numbers, fee
// groups without amount, teams and re-registrations, the payment terms
// from the mandate file, the checks of the dialog, the detailed invoice
// and its counters, the overview with its calculation, one PDF per club,
// and the layout check on a generated championship.

#include "reports1/documents/Rechnung1.h"

#include "apps/reports1/demo/Demo.h"
#include "platform/host/Datamod.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rprender.h"
#include "platform/vcl/FormDriver.h"
#include "tests/documents/DocumentsTest.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <QApplication>

namespace {

class Rechnung : public DocumentsTest::Meisterschaft {
protected:
    void SetUp() override
    {
        Meisterschaft::SetUp();
        Rechnung1::DruckjobID = 0;
        Datamod::PDFStringList.Clear();
        db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 1}, {"Betrag", 8.0}});
        db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 2}, {"Betrag", 5.5}});
        db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 3}, {"Betrag", 15.0}});
        db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 4}, {"Betrag", 0.0}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "320"}, {"Name", "Skeet"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "20"}, {"Name", "Schülerklasse"}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"},
                              {"StgGrpEinzel", 1}, {"StgGrpMannschaft", 3}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "110"}, {"Klasse", "20"}, {"Teilmeisterschaft", "1"},
                              {"StgGrpEinzel", 2}, {"StgGrpMannschaft", 3}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", "320"}, {"Klasse", "10"}, {"Teilmeisterschaft", "2"},
                              {"StgGrpEinzel", 4}, {"StgGrpMannschaft", 4}});
        verein("1101", "Tell Dachau", "37040044", "532013000");
        verein("1102", "Alpenrose Aising", "70050010", "1234");
        verein("1103", "Edelweiß Haar", "70050020", "5678");
        verein("1104", "Skeet Club Moosach", "70050030", "9999"); // only starts without a fee
        start("1101", "110", "10", 3);
        start("1101", "110", "20", 2);
        start("1102", "110", "10", 1);
        start("1103", "110", "20", 1);
        start("1104", "320", "10", 4);
        db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1101"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                               {"MannschNr", "1"}, {"Ummeldung", 1}});
    }
    void TearDown() override
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Meisterschaft::TearDown();
    }
    void start(const QString& verein, const QString& dis, const QString& kla, int n)
    {
        for (int i = 0; i < n; ++i)
            db.insert("ERGEBNIS", {{"Ident", 1}, {"VereinNr", verein}, {"Disziplin", dis}, {"EKlasse", kla},
                                   {"Teilmeisterschaft", dis == "320" ? "2" : "1"}});
    }
    Vcl::TFormDriver::Outcome drucken(const QString& art, bool pdf, const QList<QPair<QString, QString>>& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : ctls)
            d.AddCtl(name, wert);
        d.AddClick("bt_OK");
        return d.Run([&] { Rechnung1::Rechnungliste(art, pdf); });
    }
    // The lines of the one print the dialog made.
    QStringList druck(const QString& art, const QList<QPair<QString, QString>>& ctls = {})
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(art, false, ctls), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
        if (ui->previews.size() != vorher + 1)
            return {"KEIN DRUCK"};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return DocumentsTest::Zeilen(ui->previews.last().file);
    }
    QString fehler(const QString& art, const QList<QPair<QString, QString>>& ctls)
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(art, false, ctls), Vcl::TFormDriver::Eingabefehler);
        EXPECT_EQ(ui->previews.size(), vorher); // nothing printed
        return ui->errors.value(ui->errors.size() - 1);
    }
};

TEST_F(Rechnung, OneInvoicePerClubWithRunningNumbersAmountsAndPaymentTerms)
{
    mandate("1101;MR-1101;01.02.2024\n");
    db.setting("Speziell", "Ummeldung", "J");
    db.setting("Speziell", "UBetrag", "500");
    Schtools::StringsToFile({"Bitte beachten Sie die Zahlungsbedingungen."}, datei("STARTG.DAT"));
    Schtools::StringsToFile({"Bezirk Oberbayern", "Postfach 1"}, datei("ABSENDER.DAT"));
    const QStringList z = druck("1", {{"ed_RechnungsNummer", "100"}});
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->previews[0].title, "Startgeldrechnung");
    EXPECT_EQ(Rechnung1::DruckjobID, ui->previews[0].id);
    for (const QString& zeile : QStringList{
             "1:Bezirksmeisterschaft Oberbayern 2025", "1:Startgeldrechnung Komplett", "1:01.03.2025",
             "1:Bezirk Oberbayern Postfach 1", "1:SG  Tell Dachau|1101", "1:Vorstand 1101", "1:82362  Weilheim",
             "1:Rechnungsnummer:|101", "1:Einzelstarter", "1:3|X|8,00|Euro|24,00|Euro", "1:2|X|5,50|Euro|11,00|Euro",
             "1:Mannschaften", "1:1|X|15,00|Euro|15,00|Euro", "1:Mannschaftsummeldungen", "1:1|X|5,00|Euro|5,00|Euro",
             "1:Gesamtbetrag|55,00|Euro", "1:Bitte beachten Sie die Zahlungsbedingungen.",
             "1:Zahlung erfolgt per Lastschrift zum 15.03.2025|Ihre Mandatsreferenz: MR-1101",
             "1:Sie erreichen uns: Tel.:  0881/12345  Fax:  0881/12346|St.-Nr.: 168/123/45678",
             "1:Kreissparkasse Weilheim  1234567 (70250150)|Gläubiger ID: DE98ZZZ09999999999",
             "2:Rechnungsnummer:|102", "2:1|X|8,00|Euro|8,00|Euro", "2:Gesamtbetrag|8,00|Euro",
             "3:Rechnungsnummer:|103", "3:Gesamtbetrag|5,50|Euro"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    // The club whose starts cost nothing gets no invoice; without a mandate
    // there are no payment terms.
    EXPECT_FALSE(z.join('\n').contains("1104"));
    EXPECT_FALSE(z.join('\n').contains("4:"));
    EXPECT_FALSE(z.join('\n').contains("2:Zahlung erfolgt"));
    EXPECT_TRUE(z.contains("2:Kreissparkasse Weilheim  1234567 (70250150)|Gläubiger ID: DE98ZZZ09999999999"));
}

TEST_F(Rechnung, TheSelectionOfTheDialogAndWhatItRefuses)
{
    // One club alone; the sub-championship of the entry-fee window; due
    // days of the dialog.
    mandate("1102;MR-1102\n");
    db.setting("Speziell", "TeilStag", "J");
    QStringList z = druck("1", {{"cx_StgVereinAb", "1102"}, {"e_Faelligkeitstage", "30"}});
    EXPECT_TRUE(z.contains("1:Startgeldrechnung für Teilm. 1")) << z.join('\n').toStdString();
    EXPECT_TRUE(z.contains("1:Rechnungsnummer:|0")); // no number entered
    EXPECT_TRUE(z.contains("1:Zahlung erfolgt per Lastschrift zum 31.03.2025|Ihre Mandatsreferenz: MR-1102"));
    EXPECT_FALSE(z.join('\n').contains("2:"));

    EXPECT_EQ(fehler("1", {{"cb_Nachtraeglich", "true"}, {"cb_Startgelder", "true"}}),
              "Beide Arten auszuführen ist nicht möglich.");
    EXPECT_EQ(fehler("1", {{"cx_StgVereinBis", "1102"}}), "Es wurde kein Verein Ab eingegeben.");
    EXPECT_EQ(fehler("1", {{"cx_StgVereinAb", "1103"}, {"cx_StgVereinBis", "1101"}}),
              "Es wurde eine falsche Vereinsauswahl getroffen.");
    EXPECT_EQ(fehler("1", {{"ed_RechnungsNummer", "R12"}}), "Es wurde eine falsche Rechnungsnummer eingegeben.");
    EXPECT_EQ(fehler("1", {{"ed_RechnungsNummer", "0"}}), "Es wurde eine falsche Rechnungsnummer eingegeben.");
    EXPECT_EQ(fehler("3", {{"cb_Startgelder", "true"}}), "Der Text für die Überschrift fehlt.");

    // Late entries only: none here, so nothing is printed.
    EXPECT_EQ(drucken("2", false, {{"cb_Nachtraeglich", "true"}}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts().last(), "Für diese Auswahl sind keine Daten vorhanden");
    EXPECT_EQ(ui->previews.size(), 1);

    // A mandate file that cannot be used prints nothing.
    mandate("1101;Mandat für Tell\n");
    EXPECT_EQ(drucken("1", false, {}), Vcl::TFormDriver::Fehler);
    EXPECT_TRUE(ui->errors.last().contains("ist in Zeile 1 fehlerhaft")) << ui->errors.last().toStdString();
    EXPECT_EQ(ui->previews.size(), 1);
}

TEST_F(Rechnung, AtStateLevelOfTheThirdFederationTheClubsOwnNumbersAreUsed)
{
    db.setting("Allgemein", "VeranstaltungsArt", "3");
    db.setting("Allgemein", "Verband", "2");
    // No club has a number yet: the dialog says what to do and closes.
    EXPECT_EQ(drucken("1", false, {}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts().last(), "Bitte erstellen Sie zuerst die Datensätze\r\nfür die FAKTU");
    EXPECT_TRUE(ui->previews.isEmpty());

    // One club of the selection without a number stops the whole print.
    db.exec("UPDATE EVEREIN SET RechNr = 'BZ-2025-0007' WHERE VereinNr = '1101'");
    EXPECT_EQ(drucken("1", false, {}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(ui->messageTexts().last(), "Bitte vergeben Sie zuerst die Rechnungsnummern");
    EXPECT_TRUE(ui->previews.isEmpty());

    // The prefix stays, the number after the last "-" is read as a number.
    const QStringList z = druck("1", {{"cx_StgVereinAb", "1101"}, {"cb_Rechnr", "true"}});
    EXPECT_TRUE(z.contains("1:Rechnungsnummer:|BZ-2025-7")) << z.join('\n').toStdString();
}

TEST_F(Rechnung, TheDetailedInvoiceListsCompetitionsAndClearsItsCounters)
{
    const QStringList z = druck("2", {{"cx_StgVereinAb", "1101"}, {"cx_StgVereinBis", "1101"}});
    EXPECT_EQ(ui->previews.value(0).title, "Startgeldrechnung detailiert");
    for (const QString& zeile : QStringList{"1:Luftgewehr Schützenklasse ....|3|X|8,00|Euro|24,00|Euro",
                                 "1:Luftgewehr Schülerklasse ....|2|X|5,50|Euro|11,00|Euro",
                                 "1:Luftgewehr Schützenklasse ....|1|X|15,00|Euro|15,00|Euro",
                                 "1:Gesamtbetrag|50,00|Euro"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    EXPECT_EQ(db.count("PDISKLA", "ZaehlerE <> 0 OR ZaehlerM <> 0"), 0);
}

TEST_F(Rechnung, TheOverviewCalculatesTheGeneralFeesFirstOrPrintsThemAsTheyAre)
{
    db.exec("UPDATE EVEREIN SET Startgeld = '0000000100' WHERE VereinNr = '1104'");
    QStringList z = druck("3", {{"cx_Uebersicht", "Nur Drucken"}});
    EXPECT_TRUE(z.contains("1:S T A R T G E L D Ü B E R S I C H T")) << z.join('\n').toStdString();
    EXPECT_TRUE(z.contains("1:V-Nr.|Verein|Bank|Konto|BLZ|Betrag"));
    EXPECT_TRUE(z.contains("1:1104|SG Skeet Club Moosach|Sparkasse|9999|70050030|1,00"));
    EXPECT_TRUE(z.contains("1:Gesamt|1,00"));

    z = druck("3", {});
    EXPECT_TRUE(z.contains("1:1101|SG Tell Dachau|Sparkasse|532013000|37040044|50,00")) << z.join('\n').toStdString();
    EXPECT_TRUE(z.contains("1:1102|SG Alpenrose Aising|Sparkasse|1234|70050010|8,00"));
    EXPECT_TRUE(z.contains("1:1103|SG Edelweiß Haar|Sparkasse|5678|70050020|5,50"));
    EXPECT_TRUE(z.contains("1:Gesamt|63,50"));
    EXPECT_EQ(db.count("EVEREIN", "Startgeld <> ''"), 3); // 1104's fee is gone: its starts cost nothing

    // General fees on the invoice: the fee as stored, under the heading typed.
    z = druck("1", {{"cb_Startgelder", "true"}, {"ed_Text", "Startgeld Allgemein"}});
    EXPECT_TRUE(z.contains("1:Startgeld Allgemein")) << z.join('\n').toStdString();
    EXPECT_TRUE(z.contains("1:Gesamtbetrag|50,00|Euro"));
    EXPECT_FALSE(z.join('\n').contains("Einzelstarter"));
}

TEST_F(Rechnung, OnePdfFilePerClubInAFolderNamedAfterIt)
{
    const QString ziel = db.folder() + "/PDF";
    ui->folders = {ziel};
    EXPECT_EQ(drucken("1", true, {}), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    EXPECT_TRUE(ui->previews.isEmpty());
    ASSERT_EQ(Datamod::PDFStringList.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString nr = QString("110%1").arg(i + 1);
        EXPECT_EQ(Datamod::PDFStringList.Strings(i), ziel + "/" + nr + "/" + nr + "_StartgeldV.PDF");
        EXPECT_EQ(Datamod::PDFStringList.Objects(i)->Disziplin, nr);
        EXPECT_TRUE(QFile::exists(Datamod::PDFStringList.Strings(i)));
    }
    const QString text = ReportTest::run("pdftotext", {ziel + "/1102/1102_StartgeldV.PDF", "-"});
    EXPECT_TRUE(text.contains("Alpenrose Aising")) << text.toStdString();
    EXPECT_FALSE(text.contains("Tell Dachau"));
    EXPECT_EQ(ui->messageTexts().last(), "Die Ausgabe ist erstellt");

    // Files there already are replaced only when the user agrees.
    QFile::resize(ziel + "/1101/1101_StartgeldV.PDF", 3);
    ui->folders = {ziel};
    ui->answers = {Host::mrNo};
    EXPECT_EQ(drucken("1", true, {}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(QFileInfo(ziel + "/1101/1101_StartgeldV.PDF").size(), 3);
    EXPECT_TRUE(ui->messageTexts().last().startsWith("Im Ordner "));
    // A cancelled folder choice produces nothing.
    ui->folders = {""};
    EXPECT_EQ(drucken("2", true, {}), Vcl::TFormDriver::Ok);
    EXPECT_FALSE(QFile::exists(ziel + "/1101/1101_StartgeldD.PDF"));

    // A batch run that sends its prints to a PDF of its own still writes
    // the clubs' files, and nothing into the batch's file.
    const QString stapel = db.folder() + "/stapel.pdf";
    Report::TBatchOutput ausgabe(stapel, {});
    ausgabe.WriteDirectly();
    Datamod::PDFStringList.Clear();
    ui->folders = {ziel};
    EXPECT_EQ(drucken("2", true, {}), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    EXPECT_EQ(Datamod::PDFStringList.Count(), 3);
    EXPECT_TRUE(ReportTest::run("pdftotext", {ziel + "/1101/1101_StartgeldD.PDF", "-"}).contains("Tell Dachau"));
    EXPECT_EQ(ausgabe.Count(), 0);
    EXPECT_FALSE(QFile::exists(stapel));
}

TEST(RechnungGeneriert, EveryDocumentOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(300, 5);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(db->folder());
    ASSERT_TRUE(Demo::StartgeldDateien(db->connection(), db->folder()));
    for (const QString& art : QStringList{"1", "2", "3"}) {
        Vcl::TFormDriver d;
        if (art != "3") // the overview has no invoice number
            d.AddCtl("ed_RechnungsNummer", "1");
        d.AddClick("bt_OK");
        EXPECT_EQ(d.Run([&] { Rechnung1::Rechnungliste(art, false); }), Vcl::TFormDriver::Ok)
            << ui->errors.join('\n').toStdString();
    }
    ASSERT_EQ(ui->previews.size(), 3);
    for (const auto& p : ui->previews) {
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
        QFile::remove(p.file);
    }
}

} // namespace
