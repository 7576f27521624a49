// The start documents driven through their dialog: the checks at OK in
// their order, the start summary per club and per district in both
// layouts, the staff overview and confirmation, the card layouts with
// their covers and page filling, the print stamp, one PDF per club, the
// score sheet, and the layout check on a generated championship.

#include "reports1/documents/Zusammen1.h"

#include "platform/host/Datamod.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpstream.h"
#include "platform/vcl/FormDriver.h"
#include "tests/documents/DocumentsTest.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/QtGtest.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {

using Ctls = QList<QPair<QString, QString>>;

class Zusammen : public DocumentsTest::Meisterschaft {
protected:
    void SetUp() override
    {
        Meisterschaft::SetUp();
        Zusammen1::DruckjobID = 0;
        Datamod::PDFStringList.Clear();
        db.setting("Allgemein", "Verband", "0");
        db.setting("Global", "Ueberschr", "Bezirksmeisterschaft");
        db.insert("PSTARTG", {{"Ident", 1}, {"StgGrp", 1}, {"Betrag", 8.0}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "110"}, {"Name", "Luftgewehr"}, {"Kurz", "LG"}});
        db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", "210"}, {"Name", "Luftpistole"}, {"Kurz", "LP"}});
        db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", "10"}, {"Name", "Schützenklasse"}, {"Kurz", "Sch"}});
        for (const char* d : {"110", "210"})
            db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", d}, {"Klasse", "10"}, {"Teilmeisterschaft", "1"},
                                  {"StgGrpEinzel", 1}, {"AnzSerien", 4}, {"KennzE", "E1"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 1}, {"Name", "Luftdruckhalle"}});
        db.insert("PANLAGE", {{"Ident", 1}, {"Anlage", 2}, {"Name", "KK-Stand"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 1}, {"Datum", QDate(2025, 3, 8)}, {"Teilmeisterschaft", "1"}});
        db.insert("AWKTAG", {{"Ident", 1}, {"WKTag", 2}, {"Datum", QDate(2025, 3, 9)}, {"Teilmeisterschaft", "1"}});
        verein("1101", "Tell Dachau", "1", "1");
        verein("1102", "Alpenrose Aising", "1", "1");
        verein("1200", "Kreis Süd", "1", "1");
        db.connection().Execute("UPDATE EVEREIN SET Titel = 'SG' WHERE VereinNr = '1101'");
        mitglied("1", "Huber", "Anna");
        mitglied("2", "Maier", "Max");
        mitglied("3", "Zeller", "Eva");
        start("1", "1101", "110", 11, 1, 1, "08:00:00", "00:00:00", "M");
        start("1", "1101", "210", 12, 2, 2, "10:00:00", "11:30:00", "F");
        start("2", "1101", "110", 13, 1, 1, "08:30:00", "00:00:00", "X");
        start("2", "1102", "210", 14, 2, 2, "09:00:00", "00:00:00", "");    // the same member for a second club
        start("3", "1200", "110", 15, 1, 1, "09:30:00", "00:00:00", "");
    }
    void TearDown() override
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Meisterschaft::TearDown();
    }
    void mitglied(const QString& nr, const QString& name, const QString& vorname)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", vorname}, {"Jahrgang", "1987"}});
    }
    void start(const QString& mitgl, const QString& verein, const QString& dis, int startNr, int anlage, int tag,
               const QString& zeit1, const QString& zeit2, const QString& manuell, const QString& teilm = "1")
    {
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", mitgl}, {"VereinNr", verein}, {"Disziplin", dis},
                               {"EKlasse", "10"}, {"StartNr", startNr}, {"Anlage", anlage}, {"WKTag", tag},
                               {"WKZeit1", QTime::fromString(zeit1)}, {"WKZeit2", QTime::fromString(zeit2)},
                               {"Stand", startNr % 10}, {"Durchgang", 1}, {"Manuell", manuell},
                               {"Teilmeisterschaft", teilm}, {"MannschNr", ""}});
    }
    Vcl::TFormDriver::Outcome drucken(int art, bool pdf, const Ctls& ctls)
    {
        Vcl::TFormDriver d;
        for (const auto& [name, wert] : ctls)
            d.AddCtl(name, wert);
        d.AddClick("bt_OK");
        return d.Run([&] { Zusammen1::Zusammenfassungsliste(Host::TDruckArt(art), pdf); });
    }
    // The lines of the one print the dialog made, after the layout check.
    QStringList druck(int art, const Ctls& ctls = {})
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(art, false, ctls), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
        if (ui->previews.size() != vorher + 1)
            return {"KEIN DRUCK"};
        EXPECT_EQ(ReportTest::layoutFindings(ui->previews.last().file), "");
        return DocumentsTest::Zeilen(ui->previews.last().file);
    }
    QString fehler(int art, const Ctls& ctls)
    {
        const int vorher = int(ui->previews.size());
        EXPECT_EQ(drucken(art, false, ctls), Vcl::TFormDriver::Eingabefehler);
        EXPECT_EQ(ui->previews.size(), vorher); // nothing printed
        return ui->errors.value(ui->errors.size() - 1);
    }
    // Start numbers whose start carries a print stamp.
    QStringList gestempelt()
    {
        QStringList nr;
        auto q = db.connection().Run("SELECT StartNr FROM ERGEBNIS WHERE DruckDat IS NOT NULL ORDER BY StartNr", {});
        while (q.next())
            nr << q.value(0).toString();
        return nr;
    }
    // The texts of a page with their vertical position (cm).
    QList<QPair<double, QString>> texte(int seite)
    {
        Report::TReportDocument doc;
        EXPECT_TRUE(Report::ReadStream(ui->previews.last().file, doc));
        QList<QPair<double, QString>> t;
        if (seite <= doc.Pages.size())
            for (const Report::TStreamOp& op : doc.Pages[seite - 1].Ops)
                if (op.Kind == Report::TOpKind::Text && !op.Text.trimmed().isEmpty())
                    t << qMakePair(op.Y1, op.Text);
        return t;
    }
    int seiten()
    {
        Report::TReportDocument doc;
        EXPECT_TRUE(Report::ReadStream(ui->previews.last().file, doc));
        return int(doc.Pages.size());
    }
};

TEST_F(Zusammen, ChecksAtOkAnswerInTheirOrderAndPrintNothing)
{
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"cx_Disziplin", "110"}, {"ed_StartNrVon", "11"}}),
              "Bei Eingabe einer Startnummer darf kein Wettbewerb ausgewählt werden.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}}), "Es wurde keine Startnummer ausgewählt.");
    EXPECT_EQ(fehler(0, {{"cx_Disziplin", "110"}}), "Es wurde keine Anlage ausgewählt.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"cx_Disziplin", "110"}}), "Es wurde kein Wettkampftag ausgewählt.");
    EXPECT_EQ(fehler(8, {{"cx_WKTag", "1"}}), "Es wurde kein Wettbewerb ausgewählt.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"ed_StartNrVon", "11"}, {"ed_VDurchg", "1"}}),
              "Entweder Startnummer oder Durchgänge.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"ed_StartNrVon", "x"}}), "Es wurde keine Startnummer Von eingegeben.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"ed_StartNrVon", "11"}}), "Es wurde keine Startnummer Bis eingegeben.");
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "2"}, {"ed_StartNrVon", "20"}, {"ed_StartNrBis", "22"}}),
              "Es sind keine Startnummern im Datenbestand.");
    EXPECT_EQ(fehler(4, {{"cx_StgVereinAb", "1102"}, {"cx_StgVereinBis", "1101"}}),
              "Die Auswahl der Vereine ist fehlerhaft.");
    // Relays compare as numbers: 9 to 10 is a range, 10 to 9 is not.
    EXPECT_EQ(fehler(0, {{"cx_StkAnlage", "1"}, {"cx_Disziplin", "110"}, {"cx_WKTag", "1"}, {"ed_VDurchg", "10"},
                         {"ed_BDurchg", "9"}}),
              "Der Durchgang Bis ist kleiner als Von");
    druck(1, {{"cx_StkAnlage", "1"}, {"cx_Disziplin", "110"}, {"cx_WKTag", "1"}, {"ed_VDurchg", "9"}, {"ed_BDurchg", "10"}});
    EXPECT_EQ(ui->messageTexts().last(), "Es sind keine Daten vorhanden.");

    // District summary: with "Verband" 0 a district number begins with "9";
    // otherwise its third and fourth characters are "00".
    EXPECT_EQ(fehler(7, {{"cx_StgVereinAb", "1101"}}), "Es wurde kein Kreis Ab ausgewählt.");
    db.setting("Allgemein", "Verband", "1");
    EXPECT_EQ(fehler(7, {{"cx_StgVereinAb", "1101"}}), "Es wurde kein Kreis Ab ausgewählt.");
    EXPECT_EQ(fehler(7, {{"cx_StgVereinBis", "1102"}}), "Es wurde kein Kreis Bis ausgewählt.");
    EXPECT_EQ(fehler(7, {{"cx_StgVereinAb", "1200"}, {"cx_StgVereinBis", "1200"}}),
              "Im Kreis Bis muss der nächste Kreis eingestellt werden.");
    EXPECT_NE(druck(7, {{"cx_StgVereinAb", "1200"}}), QStringList{"KEIN DRUCK"});
    EXPECT_NE(druck(7), QStringList{"KEIN DRUCK"}); // default bounds take every club
}

TEST_F(Zusammen, StartSummaryPerClubWithNamesOnceFeesAndRangeLegend)
{
    const QStringList z = druck(4);
    ASSERT_EQ(ui->previews.size(), 1);
    EXPECT_EQ(ui->previews[0].title, "Startzusammenfassung");
    EXPECT_EQ(Zusammen1::DruckjobID, ui->previews[0].id);
    for (const QString& zeile : QStringList{
             "1:Teilnehmer der Teilm. 1", "1:Bezirksmeisterschaft 2025",
             "1:St.Nr.|Name|Diszip.|Kl.|Jhg|E/M|Tag|Uhrz.|Stand|Anl.|St.g.", "1:SG  Tell Dachau ( 1101 )",
             "1:11|Huber, Anna|LG|Sch|87|08.03.|08:00|1|1|8,00", "1:12|LP|Sch|87|09.03.|10:00|2|2|8,00",
             "1:13|Maier, Max|LG|Sch|87|08.03.|08:30|3|1|8,00", "1:Anlagenbezeichnung", "1:1|Luftdruckhalle",
             "1:2|KK-Stand", "1:Alpenrose Aising ( 1102 )", "1:14|Maier, Max|LP|Sch|87|09.03.|09:00|4|2|8,00"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    // One heading and legend per club.
    EXPECT_EQ(z.filter("Teilnehmer der Teilm.").size(), 3);
    EXPECT_EQ(z.filter("Anlagenbezeichnung").size(), 3);

    // Per district the clubs of a district share one heading.
    const QStringList k = druck(7);
    EXPECT_EQ(k.filter("Teilnehmer der Teilm.").size(), 2) << k.join('\n').toStdString();
    EXPECT_TRUE(k.contains("1:Alpenrose Aising ( 1102 )"));

    // Without competition days the day column stays empty.
    db.setting("Speziell", "Anlage", "J");
    const QStringList j = druck(4);
    EXPECT_TRUE(j.contains("1:11|Huber, Anna|LG|Sch|87|08:00|1|1|8,00")) << j.join('\n').toStdString();

    // The federation variant.
    db.setting("Speziell", "Anlage", "");
    db.setting("Allgemein", "Verband", "3");
    const QStringList b = druck(4, {{"cx_StgVereinAb", "1101"}, {"cx_StgVereinBis", "1101"}});
    for (const QString& zeile : QStringList{"1:Bezirksmeisterschaft 2025",
                                            "1:Gesamtliste nach Verein: 1101 Tell Dachau|Datum/Uhrzeit/Stand",
                                            "1:11|Huber, Anna|E1|Luftgewehr Schützenklasse|Luftdruckhalle|08.03.2025|08:00|1",
                                            "1:12|E1|Luftpistole Schützenklasse|KK-Stand|09.03.2025|10:00|2"})
        EXPECT_TRUE(b.contains(zeile)) << zeile.toStdString() << "\n" << b.join('\n').toStdString();
    EXPECT_FALSE(b.join('\n').contains("Alpenrose"));
}

TEST_F(Zusammen, StaffOverviewAndConfirmationPerClubAndRange)
{
    db.insert("MITART", {{"MitArt", "1"}, {"Name", "Standaufsicht"}});
    db.insert("MITARB", {{"Ident", 1}, {"MitglNr", "1"}, {"Name", "Huber"}, {"Vorname", "Anna"}});
    db.insert("MITARB", {{"Ident", 1}, {"MitglNr", "3"}, {"Name", "Zeller"}, {"Vorname", "Eva"}});
    for (int tag : {1, 2})
        db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", "1"}, {"VereinNr", "1101"}, {"Anlage", 1}, {"WKTag", tag},
                              {"MitArt", "1"}, {"Teilmeisterschaft", "1"}});
    db.insert("MSPESEN", {{"Ident", 1}, {"MitglNr", "3"}, {"VereinNr", "1200"}, {"Anlage", 2}, {"WKTag", 2},
                          {"MitArt", "1"}, {"Teilmeisterschaft", "1"}});
    Schtools::StringsToFile({"Schützenbezirk Oberbayern", "Tel. 0881/12345"}, datei("KONTAK.DAT"));

    const QStringList m = druck(5);
    EXPECT_EQ(ui->previews.last().title, "Mitarbeiterliste");
    for (const QString& zeile : QStringList{"1:Mitarbeiterliste", "1:1101 SG Tell Dachau", "1:Anlage: Luftdruckhalle",
                                            "1:V.Nr.|Name|Funktion|08.03.|09.03.|Best.",
                                            "1:1101|Huber, Anna|Standaufsicht| X | X ", "2:1200 Kreis Süd",
                                            "2:Anlage: KK-Stand", "2:1200|Zeller, Eva|Standaufsicht| X "})
        EXPECT_TRUE(m.contains(zeile)) << zeile.toStdString() << "\n" << m.join('\n').toStdString();
    EXPECT_FALSE(m.join('\n').contains("Tel. 0881"));
    EXPECT_FALSE(m.join('\n').contains("Bitte bestätigen"));

    const QStringList b = druck(6, {{"cx_StgVereinAb", "1101"}, {"cx_StgVereinBis", "1101"}});
    EXPECT_EQ(ui->previews.last().title, "Mitarbeiterbestätigung");
    for (const QString& zeile : QStringList{
             "1:Mitarbeiterbestätigung", "1:Schützenbezirk Oberbayern", "1:Tel. 0881/12345",
             "1:1101|Huber, Anna|Standaufsicht| X | X ",
             "1:Bitte bestätigen Sie im rechten Feld, ob der Mitarbeiter an den für ihn vorgesehenen Tagen,",
             "1:bei der Bezirksmeisterschaft, zur Verfügung steht.",
             "1:Die Sportleitung bedankt sich schon im Voraus."})
        EXPECT_TRUE(b.contains(zeile)) << zeile.toStdString() << "\n" << b.join('\n').toStdString();
    EXPECT_FALSE(b.join('\n').contains("Zeller"));
}

TEST_F(Zusammen, TwoCardsPerPageCoverFirstEachClubOnANewPageAndStampsOnlyPrintedStarts)
{
    Schtools::StringsToFile({"Bitte 30 Minuten vor Beginn anwesend sein."}, datei("STARTK.DAT"));
    const QStringList z = druck(1, {{"cx_StgVereinAb", "1101"}, {"cx_StgVereinBis", "1102"}});
    EXPECT_EQ(ui->previews.last().title, "Startkarten");
    // Page 1: club 1101's cover and its first card; page 2: the second card;
    // page 3: club 1102's cover and card.
    for (const QString& zeile : QStringList{
             "1:Schützenbezirk Oberbayern", "1:Bezirksmeisterschaft  2025", "1:1101", "1:SG  Tell Dachau", "1:S T A R T K A R T E",
             "1:Verein:        |SG Tell Dachau  ( 1101 )", "1:Schütze(in):|Huber, Anna",
             "1:Startnr.|Wettb.|Klasse|Datum|Zeit1|Zeit2|Stand|Anlage", "1:11|LG|Sch|08.03.|08:00|1|Luftdruckhalle",
             "1:12|LP|Sch|09.03.|10:00|11:30|2|KK-Stand*", "1:Bitte 30 Minuten vor Beginn anwesend sein.",
             "2:Schütze(in):|Maier, Max", "2:13|LG|Sch|08.03.|08:30|3|Luftdruckhalle*",
             "3:Alpenrose Aising", "3:Schütze(in):|Maier, Max", "3:14|LP|Sch|09.03.|09:00|4|KK-Stand"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    EXPECT_EQ(seiten(), 3);
    EXPECT_FALSE(z.join('\n').contains("Zeller"));
    // The second card of a page stands in its slot.
    for (const auto& [y, text] : texte(3)) {
        if (text == "Verein:        ") {
            EXPECT_GT(y, 16.35);
        }
    }
    // Stamped: every printed start, not those of the club outside the
    // selection.
    EXPECT_EQ(gestempelt(), (QStringList{"11", "12", "13", "14"}));
    auto q = db.connection().Run("SELECT DruckDat FROM ERGEBNIS WHERE StartNr = 11", {});
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).toString().startsWith("2025-03-01")) << q.value(0).toString().toStdString();
}

TEST_F(Zusammen, ReprintByStartNumberPrintsAllStartsOfTheMemberWithoutCover)
{
    const QStringList z = druck(0, {{"cx_StkAnlage", "2"}, {"ed_StartNrVon", "14"}, {"ed_StartNrBis", "14"}});
    EXPECT_FALSE(z.join('\n').contains("Alpenrose Aising\n")) << z.join('\n').toStdString();
    EXPECT_EQ(z.filter("S T A R T K A R T E").size(), 2) << z.join('\n').toStdString(); // member 2, two clubs
    EXPECT_TRUE(z.contains("1:13|LG|Sch|08.03.|08:30|3|Luftdruckhalle*"));
    EXPECT_TRUE(z.contains("2:14|LP|Sch|09.03.|09:00|4|KK-Stand"));
    EXPECT_EQ(seiten(), 2);
    EXPECT_EQ(gestempelt(), (QStringList{"13", "14"}));
}

TEST_F(Zusammen, ThreeAndFourPerPageFillTheirPlacesAndLeaveTheRestOfAClubsSheetEmpty)
{
    // Without a club chosen the clubs come in the order of their names.
    const QStringList drei = druck(2);
    // 1102: cover and card on page 1; 1200 on page 2; 1101: cover and two
    // cards on page 3.
    EXPECT_EQ(seiten(), 3) << drei.join('\n').toStdString();
    EXPECT_EQ(drei.filter(QRegularExpression("^1:Schütze\\(in\\)")).size(), 1) << drei.join('\n').toStdString();
    EXPECT_EQ(drei.filter(QRegularExpression("^3:Schütze\\(in\\)")).size(), 2);

    const QStringList vier = druck(3);
    // Sheet 1: 1102's cover, its card and two empty labels; sheet 2: 1200;
    // sheet 3: 1101's cover and two cards, one label left empty.
    EXPECT_EQ(seiten(), 3) << vier.join('\n').toStdString();
    EXPECT_EQ(vier.filter(QRegularExpression("^1:S T A R T K A R T E")).size(), 1);
    EXPECT_EQ(vier.filter(QRegularExpression("^3:S T A R T K A R T E")).size(), 2);
    EXPECT_TRUE(vier.contains("1:Alpenrose Aising"));
    EXPECT_TRUE(vier.contains("1:14|LP|Sch|09.03.|09:00|4|KK-Stand"));
    EXPECT_TRUE(vier.contains("2:Kreis Süd"));
    EXPECT_TRUE(vier.contains("3:Startnr.|Wettb.|Klasse|Datum|Zeit1|Stand|Anlage"));
    EXPECT_TRUE(vier.contains("3:12|LP|Sch|09.03.|10:00|2|KK-Stand*"));
    // The cover takes the first label, the cards the next ones across and down.
    const auto t = texte(3);
    double deckblatt = -1, zweiteKarte = -1;
    for (const auto& [y, text] : t) {
        if (text == "SG  Tell Dachau")
            deckblatt = y;
        if (text == "13")
            zweiteKarte = y;
    }
    EXPECT_LT(deckblatt, 14.0);
    EXPECT_GT(zweiteKarte, 16.2);

    // Without competition days every date reads "00.00.00".
    db.setting("Speziell", "Anlage", "J");
    const QStringList j = druck(3);
    EXPECT_TRUE(j.contains("3:11|LG|Sch|00.00.00|08:00|1|Luftdruckh")) << j.join('\n').toStdString();
    EXPECT_TRUE(j.contains("3:13|LG|Sch|00.00.00|08:30|3|Luftdruckh*"));
}

TEST_F(Zusammen, OnePdfPerClubEachWithItsOwnCardsAndACancelledFolderMakesNothing)
{
    const QString ziel = db.folder() + "/PDF/";
    ui->folders = {""};
    EXPECT_EQ(drucken(1, true, {}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(Datamod::PDFStringList.Count(), 0);
    EXPECT_TRUE(gestempelt().isEmpty()); // cancelled before drawing: no stamps
    EXPECT_TRUE(ui->messageTexts().isEmpty());

    // A file that cannot be written stops the run with its name, and the
    // stamps of the clubs printed before it are taken back.
    ASSERT_TRUE(QDir().mkpath(ziel + "1200/1200_Startkarte.PDF"));
    ui->folders = {ziel};
    EXPECT_EQ(drucken(1, true, {}), Vcl::TFormDriver::Fehler);
    EXPECT_TRUE(ui->errors.last().contains("1200_Startkarte.PDF")) << ui->errors.last().toStdString();
    EXPECT_TRUE(gestempelt().isEmpty());
    // No file of the run is left, not even the club's printed before.
    EXPECT_EQ(QDir(ziel + "1102").entryList(QDir::Files | QDir::Hidden), QStringList());
    ASSERT_TRUE(QDir(ziel).removeRecursively());
    Datamod::PDFStringList.Clear();

    ui->folders = {ziel};
    EXPECT_EQ(drucken(1, true, {}), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    EXPECT_TRUE(ui->previews.isEmpty());
    ASSERT_EQ(Datamod::PDFStringList.Count(), 3);
    const QStringList nr = {"1102", "1200", "1101"}; // by club name
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Datamod::PDFStringList.Strings(i), ziel + nr[i] + "/" + nr[i] + "_Startkarte.PDF");
        EXPECT_EQ(Datamod::PDFStringList.Objects(i)->Disziplin, nr[i]);
    }
    const QString a = ReportTest::run("pdftotext", {ziel + "1101/1101_Startkarte.PDF", "-"});
    const QString b = ReportTest::run("pdftotext", {ziel + "1102/1102_Startkarte.PDF", "-"});
    EXPECT_TRUE(a.contains("Tell Dachau") && a.contains("Huber")) << a.toStdString();
    EXPECT_FALSE(a.contains("Alpenrose"));
    EXPECT_TRUE(b.contains("Alpenrose") && b.contains("Maier")) << b.toStdString();
    EXPECT_FALSE(b.contains("Tell Dachau") || b.contains("Huber"));
    EXPECT_EQ(gestempelt(), (QStringList{"11", "12", "13", "14", "15"}));

    // Per district the summaries go to one file per district; files there
    // already are replaced only when the user agrees.
    ui->folders = {ziel};
    EXPECT_EQ(drucken(7, true, {}), Vcl::TFormDriver::Ok) << ui->errors.join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(ziel + "11/11_Zusammen.PDF"));
    EXPECT_TRUE(QFile::exists(ziel + "12/12_Zusammen.PDF"));
    QFile::resize(ziel + "11/11_Zusammen.PDF", 3);
    ui->folders = {ziel};
    ui->answers = {Host::mrNo};
    EXPECT_EQ(drucken(7, true, {}), Vcl::TFormDriver::Ok);
    EXPECT_EQ(QFileInfo(ziel + "11/11_Zusammen.PDF").size(), 3);
}

TEST_F(Zusammen, ScoreSheetOnePageAPerStartOfTheCompetitionDay)
{
    const QStringList z = druck(8, {{"cx_Disziplin", "110"}, {"cx_WKTag", "1"}});
    EXPECT_EQ(ui->previews.last().title, "Schusszettel");
    EXPECT_EQ(seiten(), 3);
    for (const QString& zeile : QStringList{"1:Schwäbische Meisterschaft G/P/A/VL/W 2025", "1:Schwaben",
                                            "1:08.03.2025|08:00 Uhr|Stand  1", "1:Luftgewehr|E1",
                                            "1:WettbNr.|Kaliber|MIP", "1:1.10|Luftgewehr", "1:Startnummer|11",
                                            "1:Huber, Anna", "1:Munitionstest", "1:1101 Tell Dachau",
                                            "1:Vorkampf|1|2|3|4|5|6|7|8|9|10|Summe", "1:Serie 4", "1:Endkampf",
                                            "1:Stechschuss|Gesamt", "3:Startnummer|15"})
        EXPECT_TRUE(z.contains(zeile)) << zeile.toStdString() << "\n" << z.join('\n').toStdString();
    EXPECT_FALSE(z.join('\n').contains("Serie 5"));
    EXPECT_TRUE(gestempelt().isEmpty());
}

TEST(ZusammenGeneriert, EveryStartDocumentOfAGeneratedChampionshipPassesTheLayoutCheck)
{
    auto db = Fixture::Database::Generated(300, 7);
    Host::TestUiGuard ui;
    Qvpaths::SetProgramFolder(db->folder());
    Schtools::StringsToFile({"Freier Text der Startkarten", "zweite Zeile"},
                            QDir(Qvpaths::DataFolder()).filePath("STARTK.DAT"));
    for (int art = 0; art <= 8; ++art) {
        Vcl::TFormDriver d;
        if (art == 8) {
            d.AddCtl("cx_Disziplin", "110");
            d.AddCtl("cx_WKTag", "1");
        }
        d.AddClick("bt_OK");
        EXPECT_EQ(d.Run([&] { Zusammen1::Zusammenfassungsliste(Host::TDruckArt(art), false); }), Vcl::TFormDriver::Ok)
            << art << ui->errors.join('\n').toStdString();
    }
    ASSERT_EQ(ui->previews.size(), 9) << ui->messageTexts().join('\n').toStdString();
    for (const auto& p : ui->previews) {
        EXPECT_EQ(ReportTest::layoutFindings(p.file), "") << p.title.toStdString();
        QFile::remove(p.file);
    }
}

} // namespace
