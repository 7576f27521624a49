// The forms of the general page: the deregistration forms, the results
// confirmation and the application for the Olympic disciplines.

#include "reports1/results/ErgebVordrucke.h"

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvpaths.h"
#include "platform/report/Rpstream.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/results/ErgebDialog.h"
#include "tests/support/Fixture.h"

#include <QImage>

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

} // namespace
