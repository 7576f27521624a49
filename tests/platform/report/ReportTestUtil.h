#pragma once
// Helpers of the report library tests: run a small document through the
// stream writer and read its dump back.

#include "platform/report/Report.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QVector>
#include <QStringList>
#include <functional>
#include <map>

namespace ReportTest {

// Runs body as the print event of a stream writer (header and footer when
// given) and returns the dump of the written stream file, one line each.
inline QStringList dumpOf(const std::function<void(Report::TBaseReport&)>& body,
                          const std::function<void(Report::TRvNDRWriter&)>& configure = {})
{
    Report::TRvNDRWriter w;
    w.SetTitle(QStringLiteral("Test"));
    w.OnPrint = body;
    if (configure)
        configure(w);
    if (!w.Execute())
        return {QStringLiteral("EXECUTE FAILED: ") + w.ErrorString()};
    const QString dump = Report::DumpStream(w.FileName());
    QFile::remove(w.FileName());
    return dump.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The layout check's findings on a stream file, one a line; empty when the
// page is fit to hand out. A file that cannot be read is a finding too.
inline QString layoutFindings(const QString& streamFile)
{
    Report::TReportDocument doc;
    QString error;
    if (!Report::ReadStream(streamFile, doc, &error))
        return error;
    return Report::LayoutReport(Report::CheckLayout(doc));
}

// Lines of the dump that start with prefix.
inline QStringList linesStarting(const QStringList& dump, const QString& prefix)
{
    QStringList out;
    for (const QString& l : dump)
        if (l.startsWith(prefix))
            out << l;
    return out;
}

// Field i (0-based) of a dump line.
inline QString field(const QString& line, int i) { return line.split(QLatin1Char('\t')).value(i); }

// Output of a program, empty when it cannot run.
inline QString run(const QString& program, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(5000) || !p.waitForFinished(timeoutMs))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words of a PDF with their boxes in points (pdftotext -bbox), in reading order.
struct Word {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
inline QVector<Word> pdfWords(const QString& pdf)
{
    QVector<Word> words;
    const QString xml = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = re.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        Word w;
        w.xMin = m.captured(1).toDouble();
        w.yMin = m.captured(2).toDouble();
        w.xMax = m.captured(3).toDouble();
        w.yMax = m.captured(4).toDouble();
        w.text = m.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                     .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                     .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        words.append(w);
    }
    return words;
}
inline Word pdfWord(const QVector<Word>& words, const QString& text)
{
    for (const Word& w : words)
        if (w.text == text)
            return w;
    return Word();
}
constexpr double ptPerCm = 72 / 2.54;

// The library prints a text that would run out of its cell in a smaller
// font; streams of other writers need not. This puts the text back in the
// font of another text, as such a writer would have left it, so tests can
// show what a run-on text does on the page.
inline void notShrunk(Report::TReportDocument& doc, const QString& text, const QString& fontOf)
{
    for (Report::TStreamPage& page : doc.Pages) {
        Report::TStreamOp* run = nullptr;
        const Report::TStreamOp* like = nullptr;
        for (Report::TStreamOp& op : page.Ops) {
            if (op.Kind == Report::TOpKind::Text && op.Text == text && !run)
                run = &op;
            else if (op.Kind == Report::TOpKind::Text && op.Text == fontOf && !like)
                like = &op;
        }
        if (run && like) {
            run->X2 *= doc.Fonts[like->Font].Size / doc.Fonts[run->Font].Size;
            run->Font = like->Font;
        }
    }
}

// A printed document read back from its stream: per page its body lines
// "line:text|text" (the italic page header and footer left out), the lines
// whose tabs are shaded, and the dump.
struct Druck {
    QString titel;
    QString dump;
    QVector<QStringList> seiten;
    QVector<QSet<int>> schattiert;

    QStringList zeilen(int seite = 0) const { return seiten.value(seite); }
    // Every body line of every page, without line numbers.
    QStringList texte() const
    {
        QStringList out;
        for (const QStringList& s : seiten)
            for (const QString& z : s)
                out << z.mid(z.indexOf(':') + 1);
        return out;
    }
};

inline Druck druckLesen(const QString& datei, const QString& titel = {})
{
    Druck d;
    d.titel = titel;
    d.dump = Report::DumpStream(datei);
    Report::TReportDocument doc;
    if (!Report::ReadStream(datei, doc))
        return d;
    for (const Report::TStreamPage& page : doc.Pages) {
        std::map<int, QStringList> zeilen;
        QSet<int> schatten;
        for (const Report::TStreamOp& op : page.Ops) {
            if (op.Kind == Report::TOpKind::Text && !doc.Fonts.value(op.Font).Italic)
                zeilen[op.Line] << op.Text;
            else if (op.Kind == Report::TOpKind::Box && op.Shade > 0)
                schatten.insert(op.Line);
        }
        QStringList s;
        for (const auto& [line, texte] : zeilen)
            s << QString::number(line) + ":" + texte.join('|');
        d.seiten << s;
        d.schattiert << schatten;
    }
    return d;
}

} // namespace ReportTest
