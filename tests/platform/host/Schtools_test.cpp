// The host's sport routines as the lists print them: series, results and
// "%3.1f" numbers with a decimal comma, fields of a text, typed names split
// into surname and first name, alternating row shades, and the
// installation's text files.

#include "platform/host/DisziplinInfo.h"
#include "platform/host/Schtools.h"
#include "platform/report/Rpbase.h"
#include "tests/support/QtGtest.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(Serien, StoredSeriesOfThreeCharactersBecomeTheirValues)
{
    using Schtools::FromSerienFormat;
    EXPECT_EQ(FromSerienFormat("095097098"), "95|97|98");
    EXPECT_EQ(FromSerienFormat("100099000"), "100|99|0");
    EXPECT_EQ(FromSerienFormat(" 95 97 98"), "95|97|98"); // padded with blanks
    EXPECT_EQ(FromSerienFormat("095097098   "), "95|97|98");
    EXPECT_EQ(FromSerienFormat("09509709"), "95|97"); // an incomplete series is none
    EXPECT_EQ(FromSerienFormat("09"), "");
    EXPECT_EQ(FromSerienFormat(""), "");
    EXPECT_EQ(FromSerienFormat("095 - 098"), "95|-|98"); // a slot that is no number keeps its text
    EXPECT_EQ(FromSerienFormat("095   098"), "95||98");

    using Schtools::SerienToStrings;
    EXPECT_EQ(SerienToStrings("95|97|98", "|"), (QStringList{"95", "97", "98"}));
    EXPECT_EQ(SerienToStrings("95||98", "|"), (QStringList{"95", "", "98"}));
    EXPECT_EQ(SerienToStrings("95", "|"), (QStringList{"95"}));
    EXPECT_TRUE(SerienToStrings("", "|").isEmpty());
    EXPECT_EQ(SerienToStrings(FromSerienFormat("095097"), "|").size(), 2);
}

TEST(Ergebnisse, TenthsAlwaysWithOneDecimalWholeResultsWithout)
{
    using Schtools::ErgebnisStr;
    EXPECT_EQ(ErgebnisStr(102.3, true), "102,3");
    EXPECT_EQ(ErgebnisStr(389, true), "389,0");
    EXPECT_EQ(ErgebnisStr(389, false), "389");
    EXPECT_EQ(ErgebnisStr(0, false), "0");
    EXPECT_EQ(ErgebnisStr(0, true), "0,0");
    EXPECT_EQ(ErgebnisStr(389 + 1023 / 10.0, false), "491,3"); // result plus final: a fraction
    EXPECT_EQ(ErgebnisStr(0.1 * 30, false), "3");             // 3.0000000000000004 is whole
    EXPECT_EQ(ErgebnisStr(1234567, false), "1234567");        // neither exponent nor grouping
    EXPECT_EQ(ErgebnisStr(1234567.8, true), "1234567,8");
    EXPECT_EQ(ErgebnisStr(99.95, true), "100,0");
    EXPECT_EQ(ErgebnisStr(99.94, true), "99,9");
    EXPECT_EQ(ErgebnisStr(10.25, true), "10,3"); // halves round up

    Datamod::TDisziplinInfo luftgewehr;
    luftgewehr.Zehntelwertung = true;
    EXPECT_EQ(Datamod::ErgebnisStr2(389, luftgewehr), "389,0");
    EXPECT_EQ(Datamod::ErgebnisStr2(389, Datamod::TDisziplinInfo{}), "389");

    using Schtools::Format31;
    EXPECT_EQ(Format31(102.3), "102,3");
    EXPECT_EQ(Format31(7), "7,0");
    EXPECT_EQ(Format31(12345.67), "12345,7");
    EXPECT_EQ(Format31(0.25), "0,3");
    EXPECT_EQ(Format31(-3.25), "-3,3");
    EXPECT_EQ(Format31(-102.3), "-102,3");
    EXPECT_EQ(Format31(0.04), "0,0");
}

TEST(FeldErmitteln, WalksTheFieldsOfATextAndStopsPastItsEnd)
{
    const QString s = "1.2;;Luftgewehr;";
    int pos = 1;
    QStringList felder, positionen;
    for (int i = 0; i < 5; ++i) {
        felder << Schtools::FeldErmitteln(s, pos, ';');
        positionen << QString::number(pos);
    }
    EXPECT_EQ(felder, (QStringList{"1.2", "", "Luftgewehr", "", ""}));
    EXPECT_EQ(positionen, (QStringList{"5", "6", "17", "18", "18"}));

    pos = 8; // from the middle, 1-based
    EXPECT_EQ(Schtools::FeldErmitteln("KennzE.12.3", pos, '.'), "12");
    EXPECT_EQ(pos, 11);
    EXPECT_EQ(Schtools::FeldErmitteln("KennzE.12.3", pos, '.'), "3");
    EXPECT_GT(pos, 11);
    pos = 0;
    EXPECT_EQ(Schtools::FeldErmitteln("a.b", pos, '.'), "a");
    pos = 1;
    EXPECT_EQ(Schtools::FeldErmitteln("", pos, '.'), "");
    EXPECT_GT(pos, 0);
}

TEST(NameInFeldStellen, SplitsSurnameAndFirstNameWithOrWithoutComma)
{
    const struct {
        QString eingabe, name, vorname;
    } faelle[] = {
        {"Meier, Hans", "Meier", "Hans"},
        {"Meier,Hans", "Meier", "Hans"},
        {"Hans Meier", "Meier", "Hans"},
        {"Karl Heinz Meier", "Meier", "Karl Heinz"},
        {"Meier", "Meier", ""},
        {"  Hans   Meier  ", "Meier", "Hans"},
        {" Meier ,  Karl  Heinz ", "Meier", "Karl Heinz"},
        {"von Hagen, Anna", "von Hagen", "Anna"},
        {"Meier,", "Meier", ""},
        {"", "", ""},
    };
    for (const auto& f : faelle) {
        QString name = "alt", vorname = "alt";
        Schtools::NameInFeldStellen(f.eingabe, name, vorname);
        EXPECT_EQ(name, f.name) << f.eingabe.toStdString();
        EXPECT_EQ(vorname, f.vorname) << f.eingabe.toStdString();
    }
}

TEST(TabShade, AlternatesPerShadedLineAndStartsShadedAfterAReset)
{
    Report::TBaseReport r;
    QList<int> schatten;
    auto zeile = [&](bool an) {
        Schtools::TabShadeSetzen(r, an, 10);
        schatten << r.GetTabShade();
    };
    Schtools::ResetTabShade();
    zeile(true);
    zeile(true);
    zeile(false); // no shading wanted: neither set nor counted
    zeile(true);
    EXPECT_EQ(schatten, (QList<int>{10, 0, 0, 10}));
    Schtools::ResetTabShade(); // the next document starts shaded again
    schatten.clear();
    zeile(true);
    zeile(true);
    EXPECT_EQ(schatten, (QList<int>{10, 0}));
}

TEST(TextDateien, ListsRoundTripInUtf8AndAMissingFileReadsEmpty)
{
    QTemporaryDir dir;
    const QString datei = dir.filePath("REKORD.DAT");
    const QStringList zeilen = {"Rekorde 2025", "Müller, Jürgen – 399 Ringe", "", "Größe ÄÖÜ ß"};
    ASSERT_TRUE(Schtools::StringsToFile(zeilen, datei));
    EXPECT_EQ(Schtools::FileToStrings(datei), zeilen);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("M\xc3\xbcller"));
    f.close();

    // Rewriting a shorter list leaves nothing of the longer one.
    ASSERT_TRUE(Schtools::StringsToFile({"eine Zeile"}, datei));
    EXPECT_EQ(Schtools::FileToStrings(datei), (QStringList{"eine Zeile"}));

    // A file written on Windows reads without its carriage returns.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Rekorde\r\nzweite Zeile\r\n");
    f.close();
    EXPECT_EQ(Schtools::FileToStrings(datei), (QStringList{"Rekorde", "zweite Zeile"}));

    EXPECT_TRUE(Schtools::FileToStrings(dir.filePath("FEHLT.DAT")).isEmpty());
    EXPECT_FALSE(Schtools::StringsToFile(zeilen, dir.filePath("fehlt/REKORD.DAT")));
}

} // namespace
