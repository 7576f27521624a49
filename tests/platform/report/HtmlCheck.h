#pragma once
// What is wrong with an HTML page of the HTML filer, one finding a line;
// empty when the page is fit to publish: the bytes are UTF-8, the markup is
// well-formed, it is HTML5 (doctype, language, charset first in the head,
// a title), a table has at most one head row, of column heads, and every
// row of a table has a cell per column. Where HTML Tidy is installed
// (Debian package tidy) its HTML5 check runs too and each of its warnings
// is a finding.

#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <QFile>
#include <QXmlStreamReader>

namespace ReportTest {

inline QStringList htmlFindings(const QByteArray& html)
{
    QStringList out;
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8(html);
    if (utf8.hasError())
        out << "not UTF-8";
    if (!html.startsWith("<!DOCTYPE html>\n"))
        out << "no HTML5 doctype at the start";

    QXmlStreamReader x(html);
    QStringList stack;
    bool charsetFirst = false, title = false, htmlLang = false;
    int tables = 0, columns = 0, cells = 0, headRows = 0;
    QString part; // "thead" or "tbody" while inside one
    const auto table = [&] { return "table " + QString::number(tables); };
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            const QString n = x.name().toString();
            if (n == "html")
                htmlLang = x.attributes().value("lang") == QLatin1String("de");
            if (n == "meta" && stack.endsWith("head") && x.attributes().value("charset").compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
                charsetFirst = !title;
            if (n == "title" && stack.endsWith("head"))
                title = true;
            if (n == "table") {
                ++tables;
                columns = 0;
                headRows = 0;
            }
            if (n == "col")
                ++columns;
            if (n == "thead" || n == "tbody")
                part = n;
            if (n == "tr")
                cells = 0;
            if (n == "th" || n == "td") {
                ++cells;
                const QString scope = x.attributes().value("scope").toString();
                if (part == "thead" && (n != "th" || scope != "col"))
                    out << table() + ": a head cell without scope col";
                if (n == "th" && part == "tbody" && scope != "row")
                    out << table() + ": a row head without scope row";
            }
            stack << n;
        } else if (x.isEndElement()) {
            const QString n = x.name().toString();
            if (n == "tr") {
                if (part == "thead")
                    ++headRows;
                if (cells != columns)
                    out << table() + ": a row of " + QString::number(cells) + " cells in " + QString::number(columns)
                               + " columns";
            }
            if (n == "thead" || n == "tbody")
                part.clear();
            if (n == "table" && headRows > 1)
                out << table() + ": " + QString::number(headRows) + " head rows";
            if (!stack.isEmpty())
                stack.removeLast();
        }
    }
    if (x.hasError())
        out << "not well-formed: " + x.errorString() + " at line " + QString::number(x.lineNumber());
    if (!htmlLang)
        out << "html without lang=\"de\"";
    if (!charsetFirst)
        out << "no charset utf-8 before the title";
    if (!title)
        out << "no title";

    const QString tidy = QStandardPaths::findExecutable("tidy");
    if (!tidy.isEmpty()) {
        QTemporaryDir dir;
        QFile f(dir.filePath("seite.html"));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(html);
            f.close();
            QProcess p;
            p.start(tidy, {"-q", "-e", "-utf8", "--show-warnings", "yes", f.fileName()});
            p.waitForFinished(30000);
            for (const QString& l : QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts))
                out << "tidy: " + l;
        }
    }
    return out;
}

} // namespace ReportTest
