// RTF and HTML filers: the line and tab structure of a small list, read back
// with a small RTF reader, LibreOffice (when installed) and a tag checker.

#include "HtmlCheck.h"
#include "ReportTestUtil.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Report;
using namespace ReportTest;

namespace {

// A list in the shape of the starter list: centred title, three tabs
// (right, left, right; margin 3), a shaded row, an empty line, a total line
// with an empty first tab, and a second page.
void starterList(TBaseReport& r)
{
    const double centre = r.SectionLeft() + (r.SectionRight() - r.SectionLeft()) / 2;
    r.NewLine();
    r.SetFont("Arial", 15);
    r.SetBold(true);
    r.PrintCenter("Teilnehmer aller Teilmeisterschaften", centre);
    r.NewLine();
    r.SetFont("Arial", 10);
    r.SetBold(false);
    r.NewLine();
    r.ClearTabs();
    r.SetTab(r.SectionLeft(), pjRight, 1.1, 3, BOXLINENONE, 0);
    r.SetTab(NA, pjLeft, 12.0, 3, BOXLINENONE, 0);
    r.SetTab(NA, pjRight, 1.5, 3, BOXLINENONE, 0);
    r.SetBold(true);
    r.Println("\t1.10\tLuftgewehr <Auflage> & Co\tAnzahl");
    r.SetBold(false);
    r.SetTabShade(10);
    r.Println("\t10\tSchützenklasse\t12");
    r.SetTabShade(0);
    r.Println("\t11\tDamenklasse\t3");
    r.NewLine();
    r.Println("\t\tGesamt\t15");
    r.NewPage();
    r.Println("Seite zwei");
}

struct RtfParagraph {
    QStringList stops; // "R580", "L667", "C4961"
    QString text;      // "\t" for \tab; a table row: "\t" before each cell
    bool pageBreak = false;
    bool row = false;  // a table row
    QStringList cells; // a row's cells: "cellx:colour index:borders", e.g. "1191:2:LTRB"
    bool bottomRule = false;
};

// Reads the paragraphs of an RTF text; fails the test on unbalanced groups.
QVector<RtfParagraph> readRtf(const QByteArray& rtf)
{
    QVector<RtfParagraph> out;
    RtfParagraph cur;
    RtfParagraph row;       // the table row being read
    QString cellDef, cellBorders;
    QStringList cellTexts;
    QString kind = "L";
    int depth = 0, skipDepth = -1;
    for (int i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
            continue;
        }
        if (c == '}') {
            if (depth == skipDepth)
                skipDepth = -1;
            --depth;
            EXPECT_GE(depth, 0);
            ++i;
            continue;
        }
        if (c == '\\') {
            ++i;
            if (!QChar(rtf[i]).isLetter()) { // escaped character
                if (skipDepth < 0)
                    cur.text += QChar(rtf[i]);
                ++i;
                continue;
            }
            QByteArray word;
            while (i < rtf.size() && QChar(rtf[i]).isLetter())
                word += rtf[i++];
            QByteArray num;
            while (i < rtf.size() && (rtf[i] == '-' || QChar(rtf[i]).isDigit()))
                num += rtf[i++];
            if (i < rtf.size() && rtf[i] == ' ')
                ++i;
            if (word == "fonttbl" || word == "colortbl" || word == "info")
                skipDepth = depth;
            if (skipDepth >= 0)
                continue;
            if (word == "pard")
                cur = RtfParagraph();
            else if (word == "trowd") {
                row = RtfParagraph();
                row.row = true;
                cellDef.clear();
                cellBorders.clear();
                cellTexts.clear();
            } else if (word == "clcbpat")
                cellDef = QString::fromLatin1(num);
            else if (word.startsWith("clbrdr"))
                cellBorders += QString::fromLatin1(word.mid(6)).toUpper();
            else if (word == "cellx") {
                row.cells << QString::fromLatin1(num) + ":" + cellDef + ":" + cellBorders;
                cellDef.clear();
                cellBorders.clear();
            } else if (word == "cell") {
                cellTexts << cur.text;
                cur = RtfParagraph();
            } else if (word == "row") {
                row.text = cellTexts.isEmpty() ? QString() : "\t" + cellTexts.join("\t");
                out.append(row);
            } else if (word == "brdrb")
                cur.bottomRule = true;
            else if (word == "pagebb")
                cur.pageBreak = true;
            else if (word == "tqr")
                kind = "R";
            else if (word == "tqc")
                kind = "C";
            else if (word == "tx") {
                cur.stops << kind + num;
                kind = "L";
            } else if (word == "tab")
                cur.text += '\t';
            else if (word == "u") {
                cur.text += QChar(ushort(num.toShort()));
                ++i; // the replacement character
            } else if (word == "par")
                out.append(cur);
            continue;
        }
        if (c != '\n' && c != '\r' && skipDepth < 0 && depth > 0)
            cur.text += QChar(c);
        ++i;
    }
    EXPECT_EQ(depth, 0);
    return out;
}

} // namespace

TEST(Rpexport, RtfHasAParagraphPerLineWithTabStops)
{
    QTemporaryDir dir;
    TRTFFiler rtf;
    rtf.SetFileName(dir.filePath("STARTER.RTF"));
    rtf.SetTitle("Starterliste");
    rtf.OnPrint = starterList;
    ASSERT_TRUE(rtf.Execute()) << rtf.ErrorString().toStdString();
    QFile f(rtf.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(bytes.contains("\\paperw11906\\paperh16838\\margl1134\\margr850\\margt709\\margb1134"));
    // Only ASCII in the file: "ü" goes out as \u252?.
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }));
    EXPECT_TRUE(bytes.contains("Sch\\u252?tzenklasse"));

    const QVector<RtfParagraph> pars = readRtf(bytes);
    ASSERT_EQ(pars.size(), 6);
    // Title centred on the middle of the section: 10.75 - 2.0 cm = 4961 twips.
    EXPECT_EQ(pars[0].stops, QStringList({"C4961"}));
    EXPECT_EQ(pars[0].text, "\tTeilnehmer aller Teilmeisterschaften");
    // Right tab ends at 3.1 - 0.03 in (580), left text at 3.1 + 0.03 in (667),
    // third tab right at 16.6 - 0.03 in (8234); positions from the left margin.
    const QStringList stops = {"R580", "L667", "R8234"};
    EXPECT_EQ(pars[1].stops, stops);
    EXPECT_EQ(pars[1].text, "\t1.10\tLuftgewehr <Auflage> & Co\tAnzahl");
    // The shaded row is a table row: a cell per tab, shaded 10 % (grey 229,
    // the colour after the text's black), ending where the tabs end.
    EXPECT_TRUE(pars[2].row);
    EXPECT_EQ(pars[2].text, "\t10\tSchützenklasse\t12");
    EXPECT_EQ(pars[2].cells, QStringList({"624:2:", "7427:2:", "8277:2:"}));
    EXPECT_TRUE(bytes.contains("\\red229\\green229\\blue229;"));
    EXPECT_EQ(pars[3].stops, stops);
    EXPECT_EQ(pars[4].stops, QStringList({"L667", "R8234"}));
    EXPECT_EQ(pars[4].text, "\tGesamt\t15");
    EXPECT_FALSE(pars[4].pageBreak);
    EXPECT_TRUE(pars[5].pageBreak);
    EXPECT_EQ(pars[5].text, "Seite zwei");
    EXPECT_TRUE(pars[5].stops.isEmpty());
}

TEST(Rpexport, RtfWritesEveryCharacterAsAWordProcessorReadsIt)
{
    // RTF's own characters escaped, tabs and line breaks inside a text as
    // control words, everything beyond ASCII as a signed UTF-16 unit.
    QTemporaryDir dir;
    TRTFFiler rtf;
    rtf.SetFileName(dir.filePath("ZEICHEN.RTF"));
    rtf.OnPrint = [](TBaseReport& r) {
        r.PrintLeft("{Verein} C:\\Daten", 2.0);
        r.NewLine();
        r.PrintLeft(QString::fromUtf16(u"12,50 € 鷹 \U0001F3AF"), 2.0);
        r.NewLine();
        r.PrintLeft("A\tB Zeile\r\nzwei", 2.0);
        r.NewLine();
    };
    ASSERT_TRUE(rtf.Execute()) << rtf.ErrorString().toStdString();
    QFile f(rtf.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains(" \\{Verein\\} C:\\\\Daten}")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(" 12,50 \\u8364? \\u-25095? \\u-10180?\\u-8273?}"));
    EXPECT_TRUE(bytes.contains(" A\\tab B Zeile\\line zwei}"));
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }));
}

TEST(Rpexport, RtfKeepsFramesAndTheRulesOfTheLayout)
{
    QTemporaryDir dir;
    TRTFFiler rtf;
    rtf.SetFileName(dir.filePath("rahmen.rtf"));
    rtf.OnPrint = [](TBaseReport& r) {
        r.PrintLeft("Kopf", r.SectionLeft());
        r.SetYPos(r.GetYPos() + 0.2);
        r.SetPen(Qt::black, Qt::SolidLine, -1);
        r.MoveTo(r.SectionLeft(), r.GetYPos());
        r.LineTo(r.SectionRight(), r.GetYPos());
        r.MoveTo(2.0, 20.0); // a short line has no place in the text
        r.LineTo(5.0, 20.0);
        r.NewLine();
        r.SetTab(r.SectionLeft(), pjLeft, 3.0, 3, BOXLINEALL, 0);
        r.SetTab(NA, pjRight, 2.0, 3, BOXLINEBOTTOM, 0);
        r.Println("\tName\t12");
    };
    ASSERT_TRUE(rtf.Execute()) << rtf.ErrorString().toStdString();
    QFile f(rtf.FileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QVector<RtfParagraph> pars = readRtf(f.readAll());
    ASSERT_EQ(pars.size(), 3);
    EXPECT_EQ(pars[0].text, "Kopf");
    EXPECT_TRUE(pars[1].bottomRule); // the rule under the heading
    EXPECT_TRUE(pars[2].row);
    EXPECT_EQ(pars[2].cells, QStringList({"1701::LTRB", "2835::B"}));
    EXPECT_EQ(pars[2].text, "\tName\t12");
}

TEST(Rpexport, RtfOpensInLibreOfficeWithItsColumns)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    TRTFFiler rtf;
    rtf.SetFileName(dir.filePath("liste.rtf"));
    rtf.OnPrint = starterList;
    ASSERT_TRUE(rtf.Execute());
    run(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to", "pdf",
                  "--outdir", dir.path(), rtf.FileName()},
        120000);
    ASSERT_TRUE(QFile::exists(dir.filePath("liste.pdf")));
    // Left column texts start at one x, right-aligned numbers end at one x:
    // the tab stops carry the columns.
    const QVector<Word> words = pdfWords(dir.filePath("liste.pdf"));
    const Word head = pdfWord(words, "Anzahl"), name1 = pdfWord(words, "Schützenklasse"),
               name2 = pdfWord(words, "Damenklasse"), total = pdfWord(words, "Gesamt");
    ASSERT_FALSE(head.text.isEmpty());
    ASSERT_FALSE(total.text.isEmpty());
    EXPECT_NEAR(name1.xMin, (3.1 + 0.0762) * ptPerCm, 0.5);
    EXPECT_NEAR(name2.xMin, name1.xMin, 0.5);
    EXPECT_NEAR(total.xMin, name1.xMin, 0.5);
    EXPECT_NEAR(head.xMax, (16.6 - 0.0762) * ptPerCm, 0.5);
    for (const char* n : {"12", "3", "15"})
        EXPECT_NEAR(pdfWord(words, n).xMax, head.xMax, 0.5) << n;
    EXPECT_NEAR(pdfWord(words, "10").xMax, (3.1 - 0.0762) * ptPerCm, 0.5);
    // Rows keep their order and spacing: the total line lies two lines below the last row.
    EXPECT_GT(total.yMin - name2.yMin, 1.5 * (name2.yMin - name1.yMin));
    const QString text = run("pdftotext", {"-layout", dir.filePath("liste.pdf"), "-"});
    EXPECT_LT(text.indexOf("Teilnehmer aller"), text.indexOf("Anzahl"));
    EXPECT_LT(text.indexOf("Gesamt"), text.indexOf("Seite zwei"));
}

namespace {

QByteArray htmlOf(const std::function<void(TBaseReport&)>& print, TOrientation orientation = poPortrait)
{
    QTemporaryDir dir;
    TRPHTMLFiler htm;
    htm.SetFileName(dir.filePath("liste.html"));
    htm.SetTitle("Zulassung & Co");
    htm.SetOrientation(orientation);
    htm.OnPrint = print;
    EXPECT_TRUE(htm.Execute()) << htm.ErrorString().toStdString();
    QFile f(htm.FileName());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Rpexport, HtmlIsUtf8Html5WithATablePerRunOfTabLines)
{
    const QByteArray bytes = htmlOf(starterList);
    EXPECT_EQ(ReportTest::htmlFindings(bytes), QStringList());
    EXPECT_TRUE(bytes.startsWith("<!DOCTYPE html>\n<html lang=\"de\">"));
    EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\"/>"));
    EXPECT_TRUE(bytes.contains("<title>Zulassung &amp; Co</title>"));
    EXPECT_TRUE(bytes.contains("Sch\xc3\xbctzenklasse"));
    const QString html = QString::fromUtf8(bytes);

    // The header and the two class lines form one table, the total line
    // after the empty line another.
    EXPECT_EQ(html.count("<table>"), 2);
    const QString first = html.section("<table>", 1, 1);
    EXPECT_EQ(first.count("<tr>"), 3);
    EXPECT_EQ(first.count("<col style=\"width:"), 3);
    EXPECT_TRUE(first.contains("<col style=\"width:12.00cm\"/>"));
    // The bold first line heads the columns; the class lines are the body.
    EXPECT_TRUE(first.contains("<thead>\n<tr><th scope=\"col\" style=\"text-align:right;\"><span "
                               "style=\"font-size:10pt;font-weight:bold\">1.10</span></th><th scope=\"col\"><span "
                               "style=\"font-size:10pt;font-weight:bold\">Luftgewehr &lt;Auflage&gt; &amp; Co</span></th>"));
    EXPECT_EQ(first.section("</thead>", 1).count("<th"), 0);
    EXPECT_EQ(first.section("<tbody>", 1).count("<tr>"), 2);
    // The shaded line has a grey background on each of its cells.
    const QString shaded = first.section("<tr>", 2, 2);
    EXPECT_EQ(shaded.count("background-color:#e5e5e5"), 3);
    EXPECT_TRUE(shaded.contains("<td style=\"text-align:right;background-color:#e5e5e5;\"><span style=\"font-size:10pt\">12</span></td>"));
    // A table of one plain line has no head.
    const QString second = html.section("<table>", 2, 2);
    EXPECT_FALSE(second.contains("<thead>"));
    EXPECT_TRUE(second.contains("<tr><td></td><td><span style=\"font-size:10pt\">Gesamt</span></td>"));
    // Non-table lines are paragraphs; pages are sections of their own.
    EXPECT_TRUE(html.contains("<p style=\"text-align:center\"><span style=\"font-size:15pt;font-weight:bold\">"
                              "Teilnehmer aller Teilmeisterschaften</span></p>"));
    EXPECT_EQ(html.count("<div class=\"page\">"), 2);
    EXPECT_LT(html.indexOf("Gesamt"), html.indexOf("Seite zwei"));
    // On screen a page is as wide as the printable area; printed, it has the
    // report's paper and margins and repeats the heads.
    EXPECT_TRUE(html.contains(".page { width: 17.50cm; }"));
    EXPECT_TRUE(html.contains("@media print {\n  @page { size: A4 portrait; margin: 1.25cm 1.50cm 2.00cm 2.00cm; }"));
    EXPECT_TRUE(html.contains("thead { display: table-header-group; }"));
    EXPECT_TRUE(QString::fromUtf8(htmlOf(starterList, poLandscape)).contains("@page { size: A4 landscape;"));
}

TEST(Rpexport, HtmlHeadsATableOnlyWithABoldLineOverPlainOnes)
{
    const auto lines = [](bool firstBold, bool restBold, int rest) {
        return [=](TBaseReport& r) {
            r.SetFont("Arial", 10);
            r.ClearTabs();
            r.SetTab(r.SectionLeft(), pjLeft, 3.0, 3, BOXLINENONE, 0);
            r.SetTab(NA, pjRight, 2.0, 3, BOXLINENONE, 0);
            r.SetBold(firstBold);
            r.Println("\tGesamt\t15");
            r.SetBold(restBold);
            for (int i = 0; i < rest; ++i)
                r.Println("\tInsgesamt\t" + QString::number(i));
        };
    };
    EXPECT_TRUE(htmlOf(lines(true, false, 2)).contains("<thead>"));
    EXPECT_FALSE(htmlOf(lines(true, true, 2)).contains("<thead>"));   // all bold: totals, no heads
    EXPECT_FALSE(htmlOf(lines(true, false, 0)).contains("<thead>"));  // a bold line alone
    EXPECT_FALSE(htmlOf(lines(false, true, 2)).contains("<thead>"));
    for (bool a : {false, true})
        for (bool b : {false, true})
            EXPECT_EQ(ReportTest::htmlFindings(htmlOf(lines(a, b, 2))), QStringList()) << a << b;
}

TEST(Rpexport, TheHtmlCheckFindsWhatBreaksAPage)
{
    const QByteArray html = htmlOf(starterList);
    ASSERT_EQ(ReportTest::htmlFindings(html), QStringList());
    const auto kaputt = [&](const QByteArray& aus, const QByteArray& zu) {
        QByteArray k = html;
        EXPECT_TRUE(k.contains(aus)) << aus.toStdString();
        return ReportTest::htmlFindings(k.replace(aus, zu));
    };
    EXPECT_FALSE(kaputt("</td></tr>", "</tr>").isEmpty());                                // not closed
    EXPECT_FALSE(kaputt("Sch\xc3\xbctzenklasse", "Sch\xfctzenklasse").isEmpty());         // not UTF-8
    EXPECT_FALSE(kaputt("<td></td><td><span style=\"font-size:10pt\">Gesamt",             // a cell missing
                        "<td><span style=\"font-size:10pt\">Gesamt").isEmpty());
    EXPECT_FALSE(kaputt("<html lang=\"de\">", "<html>").isEmpty());                       // no language
}

TEST(Rpexport, HtmlWritesEveryCharacterAsUtf8WithTheMarkupEscaped)
{
    // One, two, three and four bytes of UTF-8, the four characters markup
    // escapes, and stray halves of a surrogate pair, in paragraphs and cells.
    const QStringList texte = {
        QString::fromUtf16(u"Schütze \"Jäger\" & Söhne <Gau 1>"),
        QString::fromUtf16(u"Startgeld 12,50 € – Zehner ⊙"),
        QString::fromUtf16(u"Ziel \U0001F3AF getroffen"),
        QString::fromUtf16(u"halb ") + QChar(0xD83C) + "x" + QChar(0xDFAF) + QChar(0xDFAF) + QChar(0xD83C),
    };
    const QByteArray bytes = htmlOf([&](TBaseReport& r) {
        r.SetFont("Arial", 10);
        for (const QString& t : texte)
            r.Println(t);
        r.SetTab(r.SectionLeft(), pjLeft, 12.0, 3, BOXLINENONE, 0);
        for (const QString& t : texte)
            r.Println("\t" + t);
    });
    for (const QString& t : texte)
        EXPECT_EQ(bytes.count(">" + t.toHtmlEscaped().toUtf8() + "</span>"), 2) << t.toStdString();
}

TEST(Rpexport, HtmlPutsEachTextIntoTheColumnOfItsTab)
{
    // Two texts in one tab share its cell; a text outside the tabs goes to
    // the first column; a skipped tab is an empty cell.
    const QString html = QString::fromUtf8(htmlOf([](TBaseReport& r) {
        r.SetFont("Arial", 10);
        r.ClearTabs();
        for (int i = 0; i < 4; ++i)
            r.SetTab(NA, pjLeft, 3.0, 3, BOXLINENONE, 0);
        r.Print("\tA1\t");
        r.Print("B1");
        r.Print("B2");
        r.Print("\t\tD1");
        r.PrintLeft("frei", 15.0);
        r.NewLine();
        r.Println("\tA2\tB3\tC3\tD2");
    }));
    const auto zellen = [](const QString& zeile) {
        QStringList z;
        static const QRegularExpression zelle("<td[^>]*>(.*?)</td>");
        for (auto it = zelle.globalMatch(zeile); it.hasNext();)
            z << it.next().captured(1).remove(QRegularExpression("<[^>]*>"));
        return z;
    };
    EXPECT_EQ(zellen(html.section("<tr>", 1, 1)), (QStringList{"A1 frei", "B1 B2", "", "D1"}));
    EXPECT_EQ(zellen(html.section("<tr>", 2, 2)), (QStringList{"A2", "B3", "C3", "D2"}));

    // Tab numbers far beyond any report's (a damaged stream) get a column
    // only where a text is, in the order of the numbers.
    TReportDocument doc;
    doc.Fonts << TFontSpec{"Arial", 10};
    TStreamPage page;
    const int tabs[] = {5000, 300, 7, -2};
    for (int z = 1; z <= 2; ++z)
        for (const int tab : tabs) {
            TStreamOp t;
            t.Y1 = 3.0 + z * 0.5;
            t.X1 = 2.0 + (tab > 0 ? tab % 17 : 0);
            t.Font = 0;
            t.Line = z;
            t.Tab = tab;
            t.CellLeft = t.X1;
            t.CellRight = t.X1 + 1;
            t.Text = QString::number(tab) + "/" + QString::number(z);
            page.Ops << t;
        }
    doc.Pages << page;
    const QString damaged = QString::fromUtf8(DocumentToHtml(doc));
    EXPECT_EQ(damaged.count("<col "), 3);
    EXPECT_EQ(zellen(damaged.section("<tr>", 1, 1)), (QStringList{"-2/1 7/1", "300/1", "5000/1"}));
    EXPECT_EQ(zellen(damaged.section("<tr>", 2, 2)), (QStringList{"-2/2 7/2", "300/2", "5000/2"}));
}
