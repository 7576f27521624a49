// The results list as printed: headings, team and individual rows, group
// separation, shading, disqualifications with legend, protest deadline, and
// the on-screen lines.

#include "platform/host/Datamod.h"
#include "reports1/results/ErgebListe.h"

#include "platform/ado/Ado.h"
#include "platform/host/DisziplinInfo.h"
#include "platform/host/Qvclock.h"
#include "reports1/results/Ergebdruck1.h"
#include "tests/support/TestHostUi.h"
#include "reports1/results/ErgebRangfolge.h"
#include "tests/platform/report/ReportTestUtil.h"
#include "tests/support/Fixture.h"
#include "tests/support/QtGtest.h"

#include "platform/host/Qvsettings.h"
#include "platform/report/Rplayout.h"
#include "reports1/frame/Druckjob.h"

#include <gtest/gtest.h>

using ReportTest::field;

namespace {

class Ergebnisliste : public ::testing::Test {
protected:
    void SetUp() override
    {
        Datamod::DisziplinInfoVergessen();
        Qvclock::SetNow(QDateTime(QDate(2026, 12, 5), QTime(14, 0, 0)));
        gruppe("110", "Luftgewehr", "10", "Schützenklasse");
        db.insert("EVEREIN", {{"VereinNr", "1201"}, {"Name", "SV Tell Oberdorf"}, {"Abkuerzung", "Tell"}});
        db.insert("EVEREIN", {{"VereinNr", "1202"}, {"Name", "Schützengesellschaft Hubertus Unterbrunn-Niederhausen"}});
    }
    void TearDown() override { Qvclock::SetNow({}); }

    void gruppe(const QString& dis, const QString& disName, const QString& kla, const QString& klaName)
    {
        if (db.count("PDISZIPLIN", "Disziplin = '" + dis + "'") == 0)
            db.insert("PDISZIPLIN", {{"Ident", 1}, {"Disziplin", dis}, {"Name", disName}});
        if (db.count("PKLASSE", "Klasse = '" + kla + "'") == 0)
            db.insert("PKLASSE", {{"Ident", 1}, {"Klasse", kla}, {"Name", klaName}});
        db.insert("PDISKLA", {{"Ident", 1}, {"Disziplin", dis}, {"Klasse", kla}, {"ErgebEing", "X"},
                              {"KennzE", "1.10.10"}, {"KennzM", "1.10.20"}});
    }
    void start(const QString& nr, const QString& name, const QString& verein, double ergebnis,
               const QString& kla = "10", int disq = 0, double finale = 0)
    {
        db.insert("EMITGLIED", {{"MitglNr", nr}, {"Name", name}, {"Vorname", "Hans"}, {"Titel", ""}});
        db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", nr}, {"VereinNr", verein}, {"Disziplin", "110"},
                               {"EKlasse", kla}, {"Ergebnis", ergebnis}, {"Serien", "095096"},
                               {"Disqualifikation", disq}, {"Finale", finale}, {"StartNr", nr.toInt()}});
    }
    // The list as the results dialog prints it, with its page header and
    // footer, read back from the stream.
    Report::TReportDocument dokument(ErgebListe::TOptionen o = {})
    {
        Report::TRvNDRWriter w;
        w.OnPrint = [&](Report::TBaseReport& r) { ErgebListe::ErgebnissePrint(r, daten, o); };
        w.OnPrintHeader = [](Report::TBaseReport& r) { Druckjob::Kopf(r, true, 1); };
        w.OnPrintFooter = [](Report::TBaseReport& r) { Druckjob::Fuss(r); };
        Report::TReportDocument doc;
        if (w.Execute())
            Report::ReadStream(w.FileName(), doc);
        QFile::remove(w.FileName());
        return doc;
    }
    // Every text of the document: page, font size and text.
    struct Text {
        int seite;
        double groesse, x, y;
        QString text;
    };
    static QVector<Text> texteMitSeite(const Report::TReportDocument& doc)
    {
        QVector<Text> l;
        for (int p = 0; p < doc.Pages.size(); ++p)
            for (const auto& op : doc.Pages[p].Ops)
                if (op.Kind == Report::TOpKind::Text)
                    l.append({p + 1, doc.Fonts[op.Font].Size, op.X1, op.Y1, op.Text});
        return l;
    }
    QStringList drucken(ErgebListe::TOptionen o = {})
    {
        return ReportTest::dumpOf([&](Report::TBaseReport& r) { ErgebListe::ErgebnissePrint(r, daten, o); });
    }
    static QStringList texte(const QStringList& dump)
    {
        QStringList t;
        for (const QString& l : ReportTest::linesStarting(dump, "T\t"))
            t << field(l, 8);
        return t;
    }
    static QString zeileMit(const QStringList& dump, const QString& text)
    {
        for (const QString& l : dump)
            if (l.startsWith("T\t") && field(l, 8) == text)
                return l;
        return {};
    }

    Host::TestUiGuard ui;
    Fixture::Database db;
    ErgebRangfolge::TErgebDaten daten;
};

TEST_F(Ergebnisliste, TeamsThenIndividualsWithHeadingsAndNames)
{
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1202", 390, "10", 0, 1023);
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 1150}, {"Serie1", 380}, {"Serie2", 385}, {"Serie3", 0},
                           {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1201"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "2"}, {"Ergebnis", 1100}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1202"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "1"}, {"Ergebnis", 1200}, {"AnzMannsch", 3}, {"AnzMannschIst", 2}});
    const QStringList dump = drucken();
    const QStringList t = texte(dump);

    const int team = int(t.indexOf("Mannschaftsergebnisse"));
    const int einzel = int(t.indexOf("Einzelergebnisse "));
    ASSERT_GE(team, 0);
    ASSERT_GT(einzel, team);
    EXPECT_EQ(t[team - 2], "1.10.20"); // federation code of the team group
    EXPECT_EQ(t[team - 1], "Luftgewehr - Schützenklasse");
    EXPECT_EQ(t[einzel - 2], "1.10.10");
    EXPECT_EQ(t[einzel - 1], "Luftgewehr - Schützenklasse "); // individuals add the class addition

    // Team 1 by its club name alone, team 2 with its number; the incomplete
    // team of 1202 is not listed; a series of 0 prints empty.
    EXPECT_TRUE(t.contains("SV Tell Oberdorf"));
    EXPECT_TRUE(t.contains("SV Tell Oberdorf 2"));
    EXPECT_FALSE(t.mid(team, einzel - team).join('|').contains("Hubertus"));
    EXPECT_EQ(t.mid(team, einzel - team).count("0"), 0);
    EXPECT_EQ(t.mid(team, einzel - team).count("1150"), 1);

    // The final adds a tenth of itself: 390 + 102.3 ranks Huber first.
    const int huber = int(t.indexOf("Huber,  Hans"));
    const int meier = int(t.indexOf("Meier,  Hans"));
    ASSERT_GE(huber, 0);
    EXPECT_LT(huber, meier);
    EXPECT_EQ(t[huber - 2], "1.");
    EXPECT_TRUE(t.mid(huber, 12).contains("492,3"));
    EXPECT_TRUE(t.mid(huber, 12).contains("102,3"));
    EXPECT_EQ(t[meier - 2], "2.");
    EXPECT_TRUE(t.mid(meier, 10).contains(" 385"));
}

TEST_F(Ergebnisliste, ClubColumnsDependOnTheAbbreviationAndLongNamesWrap)
{
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1202", 380);
    const QStringList dump = drucken();
    // With an abbreviation: 1.1 cm abbreviation column from 7.5 cm, club from 8.6 cm.
    EXPECT_EQ(field(zeileMit(dump, "Tell"), 2), "7.576");
    EXPECT_EQ(field(zeileMit(dump, "SV Tell Oberdorf"), 2), "8.676");
    // Without: one 4.8 cm club column from 7.5 cm, the long name split over lines.
    const QStringList t = texte(dump);
    int ersteZeile = -1;
    for (int i = 0; i < t.size(); ++i)
        if (t[i].startsWith("Schützengesellschaft"))
            ersteZeile = i;
    ASSERT_GE(ersteZeile, 0);
    const QString erste = zeileMit(dump, t[ersteZeile]);
    EXPECT_EQ(field(erste, 2), "7.576");
    EXPECT_FALSE(t[ersteZeile].contains("Niederhausen"));
    bool rest = false;
    for (const QString& l : dump)
        if (l.startsWith("T\t") && field(l, 8).contains("Niederhausen") && field(l, 2) == "7.576"
            && field(l, 3).toDouble() > field(erste, 3).toDouble())
            rest = true;
    EXPECT_TRUE(rest);
}

TEST_F(Ergebnisliste, GroupsAreSeparatedByBlankLinesOrNewPages)
{
    gruppe("110", "Luftgewehr", "11", "Damenklasse");
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 380, "11");
    db.setting("Speziell", "MitVorschub", "N");
    QStringList dump = drucken();
    EXPECT_EQ(ReportTest::linesStarting(dump, "P ").size(), 1);
    const double y1 = field(zeileMit(dump, "Meier,  Hans"), 3).toDouble();
    const double y2 = field(zeileMit(dump, "Luftgewehr - Damenklasse "), 3).toDouble();
    // The heading of the second group lies six blank lines (and the row's
    // own line) below the last row of the first.
    EXPECT_GT(y2 - y1, 6 * 0.35);

    db.setting("Speziell", "MitVorschub", "J");
    dump = drucken();
    EXPECT_EQ(ReportTest::linesStarting(dump, "P ").size(), 2);
    EXPECT_EQ(field(zeileMit(dump, "Luftgewehr - Damenklasse "), 1), "2");
}

TEST_F(Ergebnisliste, AlternateShadingFollowsTabellier)
{
    for (int i = 1; i <= 4; ++i)
        start(QString::number(i), "S" + QString::number(i), "1201", 380 - i);
    db.setting("Speziell", "MitTab", "J");
    db.setting("Speziell", "Tabellier", "10");
    const QStringList dump = drucken();
    QStringList zeilenShade;
    for (int i = 1; i <= 4; ++i) {
        const double y = field(zeileMit(dump, "S" + QString::number(i) + ",  Hans"), 3).toDouble();
        QString shade = "0";
        for (const QString& l : ReportTest::linesStarting(dump, "B\t"))
            if (field(l, 3).toDouble() < y && field(l, 3).toDouble() + field(l, 5).toDouble() > y)
                shade = field(l, 6);
        zeilenShade << shade;
    }
    EXPECT_EQ(zeilenShade, (QStringList{"10", "0", "10", "0"}));
}

TEST_F(Ergebnisliste, DisqualificationsLegendAndProtestDeadline)
{
    db.insert("EREGEL", {{"Nummer", 2}, {"Regel", "0.3.2.1"}});
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 390, "10", 2);
    db.setting("Speziell", "Disqualifikation", "J");
    db.setting("Speziell", "EinFrist", "30");
    const QStringList t = texte(drucken({false, true}));
    const int kopf = int(t.indexOf("Disqualifikation"));
    ASSERT_GE(kopf, 0);
    EXPECT_LT(t.indexOf("Meier,  Hans"), kopf);   // disqualified rows come last
    EXPECT_GT(t.indexOf("Huber,  Hans"), kopf);
    EXPECT_TRUE(t.contains("*2"));
    EXPECT_FALSE(t.mid(kopf).contains("2."));    // and take no place
    const int legende = int(t.indexOf("Legende"));
    ASSERT_GT(legende, kopf);
    EXPECT_EQ(t[legende + 1], "2. ");
    EXPECT_EQ(t[legende + 2], "Verstoss gegen die Regel-Nr.: 0.3.2.1");
    EXPECT_TRUE(t.contains("EINSPRUCHSENDE: "));
    EXPECT_TRUE(t.contains(" um    14:30:00 Uhr"));

    // Without the setting the disqualified start is not listed at all, but
    // the group still had one: the legend follows.
    db.setting("Speziell", "Disqualifikation", "N");
    const QStringList ohne = texte(drucken());
    EXPECT_FALSE(ohne.contains("Huber,  Hans"));
    EXPECT_TRUE(ohne.contains("Legende"));
    EXPECT_FALSE(ohne.contains("EINSPRUCHSENDE: "));
}

TEST_F(Ergebnisliste, ScreenLinesUseBlankPlacesForTies)
{
    db.exec("UPDATE PDISZIPLIN SET Kennung = 'V'");
    start("1", "Meier", "1201", 385);
    start("2", "Huber", "1201", 385);
    const auto b = ErgebListe::ErgebnisseEinzelAusgabe(daten, "110", "10");
    EXPECT_EQ(b.Ueberschrift, "Luftgewehr Schützenklasse ");
    ASSERT_EQ(b.Zeilen.size(), 2);
    EXPECT_TRUE(b.Zeilen[0].startsWith("1. Huber,  Hans"));   // same result: alphabetical
    EXPECT_TRUE(b.Zeilen[1].startsWith("     Meier,  Hans"));
    EXPECT_TRUE(b.Zeilen[0].endsWith("   385"));
}

TEST_F(Ergebnisliste, EveryModeStaysInsideThePrintableArea)
{
    // Finals, shoot-offs, measured and additional values, a disqualification,
    // the longest names and club names, teams, with and without all series,
    // legend and protest deadline, shaded rows.
    db.insert("EREGEL", {{"Nummer", 12}, {"Regel", "0.3.2.1"}});
    db.insert("EVEREIN", {{"VereinNr", "1203"}, {"Name", "Kgl. priv. Feuerschützengesellschaft Edelweiß-Alpenrose "
                                                          "Garmisch-Partenkirchen 1878 e.V."}, {"Abkuerzung", "KpFSG"}});
    db.setting("Speziell", "MitTab", "J");
    db.setting("Speziell", "Tabellier", "15");
    db.setting("Speziell", "Disqualifikation", "J");
    db.setting("Speziell", "EinFrist", "30");
    db.insert("EMITGLIED", {{"MitglNr", "9"}, {"Name", "Obermaier-Hinterberger"}, {"Titel", "Prof. Dr. med."},
                            {"Vorname", "Maximilian Korbinian"}});
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "9"}, {"VereinNr", "1203"}, {"Disziplin", "110"}, {"EKlasse", "10"},
                           {"Ergebnis", 628.4}, {"Finale", 1008}, {"StechErg", 104}, {"MessErg", 8050}, {"Zusatz", 5},
                           {"Serien", "104105103106104106"}, {"StartNr", 12345}, {"InnenZehner", 31}});
    start("1", "Meier", "1201", 385, "10", 0, 1023);
    start("2", "Huber", "1202", 380, "10", 12);
    db.exec("UPDATE ERGEBNIS SET Serien = '104105103106104106100101102103104105' WHERE MitglNr = '1'");
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1203"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "12"}, {"Ergebnis", 1885.2}, {"Serie1", 628.4}, {"Serie2", 628.4},
                           {"Serie3", 628.4}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}, {"Abmeldung", "A"}});
    db.exec("UPDATE PDISZIPLIN SET Zehntel = 'J'");
    for (bool alle : {false, true}) {
        const auto doc = dokument({alle, true});
        ASSERT_FALSE(doc.Pages.isEmpty());
        EXPECT_EQ(Report::LayoutReport(Report::CheckLayout(doc)), "") << "alle Serien: " << alle;
    }
    // Nothing lost: the four remarks of the long row are printed.
    const QStringList t = texte(drucken());
    for (const char* b : {"100,8", "10,4", "195,0", " 5"})
        EXPECT_TRUE(t.contains(b)) << b;
    EXPECT_TRUE(t.contains("*12"));
}

TEST_F(Ergebnisliste, ARowAndItsLinesGoToTheNextPageTogetherInTheirFont)
{
    // Rows with wrapped club names and all series fill more than a page: no
    // row is parted from its further lines, and those keep the row's font.
    // Rows of one, two and four lines, so that some row meets every distance
    // from the page foot.
    db.insert("EVEREIN", {{"VereinNr", "1203"}, {"Name", "Königlich privilegierte Feuerschützengesellschaft "
                                                          "Edelweiß-Alpenrose Garmisch-Partenkirchen 1878 e.V."}});
    const char* vereine[] = {"1201", "1202", "1203"};
    for (int i = 1; i <= 80; ++i)
        start(QString::number(i), QString("Zeile%1").arg(i, 2, 10, QChar('0')), vereine[(i * i) % 3], 400 - i);
    const auto doc = dokument();
    ASSERT_GE(doc.Pages.size(), 2);
    const QVector<Text> t = texteMitSeite(doc);
    int geprueft = 0;
    for (int i = 0; i < t.size(); ++i) {
        if (!t[i].text.startsWith("Zeile"))
            continue;
        int j = i + 1;
        while (j < t.size() && !t[j].text.startsWith("Zeile"))
            ++j;
        // Up to the next row (whose place and start number come before its
        // name), every text stands on the row's page in 9 or 7 points.
        for (int k = i + 1; k < j; ++k) {
            if (t[k].y > 27.0 || t[k].y < 3.0) // page footer and header
                continue;
            if (j < t.size() && t[k].seite == t[j].seite && std::abs(t[k].y - t[j].y) < 1e-6)
                continue;
            EXPECT_EQ(t[k].seite, t[i].seite) << t[i].text.toStdString() << " / " << t[k].text.toStdString();
            EXPECT_TRUE(t[k].groesse == 9 || t[k].groesse == 7) << t[k].text.toStdString() << " " << t[k].groesse;
            ++geprueft;
        }
    }
    EXPECT_GT(geprueft, 100);
}

TEST_F(Ergebnisliste, AGroupHeadingNeverStandsAloneAtThePageFoot)
{
    // Groups of 1, 2, 3, ... rows, one after the other, so that their
    // headings come at every distance from a page foot: every heading is
    // followed by its first row on the same page.
    int nr = 100;
    for (int k = 11; k <= 40; ++k) {
        gruppe("110", "Luftgewehr", QString::number(k), QString("Klasse %1").arg(k));
        for (int i = 0; i < k - 10; ++i)
        {
            ++nr;
            start(QString::number(nr), QString("Einzel%1").arg(nr), "1201", 380, QString::number(k));
        }
    }
    db.setting("Speziell", "MitVorschub", "N");
    const QVector<Text> t = texteMitSeite(dokument());
    int koepfe = 0;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i].text != "Einzelergebnisse ")
            continue;
        ++koepfe;
        int k = i + 1;
        while (k < t.size() && !t[k].text.startsWith("Einzel") && !t[k].text.startsWith("Meier"))
            ++k;
        ASSERT_LT(k, t.size());
        EXPECT_EQ(t[k].seite, t[i].seite) << t[k].text.toStdString();
    }
    EXPECT_EQ(koepfe, 30);
}

TEST_F(Ergebnisliste, TabsInsideDataDoNotMoveTheColumns)
{
    db.insert("EVEREIN", {{"VereinNr", "1204"}, {"Name", "SV\tTell"}, {"Abkuerzung", "S\tT"}});
    start("1", "Meier", "1201", 385);
    db.insert("EMITGLIED", {{"MitglNr", "2"}, {"Name", "Hu\tber"}, {"Vorname", "Eva"}});
    db.insert("ERGEBNIS", {{"Ident", 1}, {"MitglNr", "2"}, {"VereinNr", "1204"}, {"Disziplin", "110"},
                           {"EKlasse", "10"}, {"Ergebnis", 380}, {"Serien", "095096"}, {"StartNr", 2}});
    const QStringList dump = drucken();
    const QString meier = zeileMit(dump, " 385"), huber = zeileMit(dump, " 380");
    ASSERT_FALSE(meier.isEmpty());
    ASSERT_FALSE(huber.isEmpty());
    EXPECT_EQ(field(huber, 2), field(meier, 2)); // the result stays in its column
    EXPECT_FALSE(zeileMit(dump, "Hu ber,  Eva").isEmpty());
    EXPECT_FALSE(zeileMit(dump, "SV Tell").isEmpty());
}

TEST_F(Ergebnisliste, OnScreenTeamNamesKeepTheirNumber)
{
    db.insert("EVEREIN", {{"VereinNr", "1205"}, {"Name", "Kimmerl Kolbermoor 1907 e.V."}, {"Abkuerzung", "FSG"}});
    db.insert("EMANNSCH", {{"Ident", 1}, {"VereinNr", "1205"}, {"Disziplin", "110"}, {"MKlasse", "10"},
                           {"MannschNr", "2"}, {"Ergebnis", 1100}, {"AnzMannsch", 3}, {"AnzMannschIst", 3}});
    const auto b = ErgebListe::ErgebnisseMannschaftAusgabe(daten, "110", "10");
    ASSERT_EQ(b.Zeilen.size(), 1);
    EXPECT_EQ(b.Zeilen[0].mid(3, 27), "Kimmerl Kolbermoor 1907 e 2");
}

TEST_F(Ergebnisliste, NonStartersTitleStandsBelowThePageHeader)
{
    db.setting("Global", "Verband", "Bayerischer Sportschützenbund e.V.");
    start("1", "Meier", "1201", 0);
    auto q = Datamod::DataModule1()->DynQuery(Ergebdruck1::NichtangetreteneSQL("ORDER BY E.Disziplin, E.StartNr"));
    q->ParamByName("Ident")->SetValue(1);
    q->Open();
    ASSERT_EQ(q->RecordCount(), 1);
    Report::TRvNDRWriter w;
    w.OnPrint = [&](Report::TBaseReport& r) { ErgebListe::NichtangetretenPrint(r, *q); };
    w.OnPrintHeader = [](Report::TBaseReport& r) { Druckjob::Kopf(r, false, 1); };
    w.OnPrintFooter = [](Report::TBaseReport& r) { Druckjob::Fuss(r); };
    ASSERT_TRUE(w.Execute());
    Report::TReportDocument doc;
    ASSERT_TRUE(Report::ReadStream(w.FileName(), doc));
    QFile::remove(w.FileName());
    EXPECT_EQ(Report::LayoutReport(Report::CheckLayout(doc)), "");
}

} // namespace
