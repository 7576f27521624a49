// The HTML table writer: escaping, the table structure a browser and a
// screen reader rely on, an HTML5 check of the page (also that the check
// itself catches a broken page), and the atomic write.

#include "HtmlCheck.h"
#include "platform/report/Rphtml.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Report;

namespace {

THtmlDocument liste()
{
    THtmlDocument d("Zulassungszahlen <Teilm. 1> & Co");
    d.AddLine("Bezirksmeisterschaft \"Oberbayern\" 2026");
    THtmlTable& t = d.AddTable("1.10 Luftgewehr", {"Klasse", "Name", "Einzel", "Anzahl"});
    t.RightAligned = {false, false, true, true};
    t.RowHeader = true;
    t.Rows.append(QStringList{"10", "Schützenklasse", "370", "12"});
    t.Rows.append(QStringList{"11", "Damen <Auflage>"}); // short row
    THtmlTable& u = d.AddTable("2.10 Luftpistole", {"Klasse", "Name"});
    u.Rows.append(QStringList{"20", "Jugend"});
    return d;
}

} // namespace

TEST(Rphtml, TablesWithCaptionsHeadsAndEscapedTextsPassTheHtml5Check)
{
    const QByteArray html = liste().ToHtml();
    EXPECT_EQ(ReportTest::htmlFindings(html), QStringList());
    const QString s = QString::fromUtf8(html);
    EXPECT_TRUE(s.contains("<title>Zulassungszahlen &lt;Teilm. 1&gt; &amp; Co</title>"));
    EXPECT_TRUE(s.contains("<p class=\"zeile\">Bezirksmeisterschaft &quot;Oberbayern&quot; 2026</p>"));
    EXPECT_TRUE(s.contains("<caption>1.10 Luftgewehr</caption>"));
    EXPECT_TRUE(s.contains("<th scope=\"col\" class=\"r\">Einzel</th>"));
    EXPECT_TRUE(s.contains("<tr><th scope=\"row\">10</th><td>Schützenklasse</td><td class=\"r\">370</td>"));
    // The short row is filled up to the heads.
    EXPECT_TRUE(s.contains("<td>Damen &lt;Auflage&gt;</td><td class=\"r\"></td><td class=\"r\"></td></tr>"));
    EXPECT_TRUE(s.contains("@media print"));
    EXPECT_TRUE(s.contains("thead { display: table-header-group; }"));
    EXPECT_EQ(s.count("<table>"), 2);
}

TEST(Rphtml, TheCheckFindsWhatBreaksAPage)
{
    QByteArray html = liste().ToHtml();
    QByteArray ohneCaption = html;
    ohneCaption.replace("<caption>1.10 Luftgewehr</caption>\n", "");
    EXPECT_FALSE(ReportTest::htmlFindings(ohneCaption).isEmpty());
    QByteArray kaputt = html;
    kaputt.replace("</td></tr>", "</tr>");
    EXPECT_FALSE(ReportTest::htmlFindings(kaputt).isEmpty());
    QByteArray latin1 = html;
    latin1.replace("Schützenklasse", "Sch\xfctzenklasse");
    EXPECT_FALSE(ReportTest::htmlFindings(latin1).isEmpty());
}

TEST(Rphtml, SaveReplacesTheFileWhole)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("zulassung.htm");
    QFile alt(file);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    QString fehler;
    ASSERT_TRUE(liste().Save(file, &fehler)) << fehler.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), liste().ToHtml());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"zulassung.htm"});
    // A folder that does not exist: a German message naming the file.
    EXPECT_FALSE(liste().Save(dir.filePath("fehlt/zulassung.htm"), &fehler));
    EXPECT_TRUE(fehler.contains("fehlt/zulassung.htm")) << fehler.toStdString();
}
