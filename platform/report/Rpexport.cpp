// RTF and HTML from the stream's line and tab structure.
//
// Both work on the printed lines of each page: the text operations that share
// a baseline, read from left to right.
//  RTF: one paragraph per line with exact line spacing (the distance from the
//  previous baseline), a tab stop per text that is not at the left section
//  (left, centred or right by the text's alignment, at its anchor), and a run
//  per text with its font, size and style. Pages start with a page break.
//  HTML: consecutive lines printed in tabs form one table (a column per tab,
//  widths from the tabs, shade and borders of the tab boxes on the cells); a
//  new table starts where the tabs change or an empty line lies between. A
//  table's first line printed all in bold over lines that are not is its head
//  row (header cells, repeated on every printed page). Other lines are
//  paragraphs; empty lines become a spacer of their height. The markup is
//  also well-formed XML, and a print stylesheet sets the paper and margins.

#include "platform/report/Rpfiler.h"

#include <QHash>
#include <QMap>
#include <algorithm>
#include <cmath>

namespace Report {

namespace {

struct PrintedLine {
    double y = 0;
    int line = 0; // line tag of the first text
    QVector<const TStreamOp*> texts;
};

double leftEdge(const TStreamOp& op)
{
    return op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
}

QVector<PrintedLine> printedLines(const TStreamPage& page)
{
    QVector<const TStreamOp*> texts;
    for (const TStreamOp& op : page.Ops)
        if (op.Kind == TOpKind::Text)
            texts.append(&op);
    std::stable_sort(texts.begin(), texts.end(), [](const TStreamOp* a, const TStreamOp* b) {
        const long ya = std::lround(a->Y1 * 1000), yb = std::lround(b->Y1 * 1000);
        if (ya != yb)
            return ya < yb;
        return leftEdge(*a) < leftEdge(*b);
    });
    QVector<PrintedLine> lines;
    for (const TStreamOp* op : texts) {
        if (lines.isEmpty() || std::lround(lines.last().y * 1000) != std::lround(op->Y1 * 1000)) {
            PrintedLine l;
            l.y = op->Y1;
            l.line = op->Line;
            lines.append(l);
        }
        lines.last().texts.append(op);
    }
    return lines;
}

// --- RTF -------------------------------------------------------------------

int twips(double cm) { return int(std::lround(cm * 1440.0 / 2.54)); }

QByteArray rtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\r') {
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

} // namespace

namespace {

int greyOf(int shade) { return 255 - int(std::lround(255 * shade / 100.0)); }

// The tab cells of one printed line that carry a shade or a frame, by tab.
struct RtfCell {
    double left = 0, right = 0;
    int shade = 0;
    int borders = 0;
    QVector<const TStreamOp*> texts;
};

// A horizontal rule across most of the section: the rules under a page
// header and above its footer. Other lines have no place in a text file.
bool isRule(const TStreamOp& op, const TPageSetup& s, double pageWidth)
{
    const double section = pageWidth - s.MarginLeft - s.MarginRight;
    return op.Kind == TOpKind::Line && std::fabs(op.Y1 - op.Y2) < 1e-6
           && std::fabs(op.X2 - op.X1) >= 0.8 * section;
}

} // namespace

QByteArray DocumentToRtf(const TReportDocument& doc)
{
    const TPageSetup& s = doc.Setup;
    const double pw = PaperWidth(s.Paper, s.Orientation), ph = PaperHeight(s.Paper, s.Orientation);

    QStringList fontNames;
    for (const TFontSpec& f : doc.Fonts)
        if (!fontNames.contains(f.Name))
            fontNames << f.Name;
    if (fontNames.isEmpty())
        fontNames << QStringLiteral("Arial");
    QVector<QRgb> colors;
    for (const TStreamPage& page : doc.Pages)
        for (const TStreamOp& op : page.Ops) {
            if (op.Kind == TOpKind::Text && !colors.contains(op.Color))
                colors.append(op.Color);
            if (op.Kind == TOpKind::Box && op.Tab > 0 && op.Shade > 0) {
                const int g = greyOf(op.Shade);
                if (!colors.contains(qRgb(g, g, g)))
                    colors.append(qRgb(g, g, g));
            }
        }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < fontNames.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fswiss\\fcharset0 " + rtfText(fontNames[i]) + ";}";
    out += "}\n{\\colortbl;";
    for (QRgb c : colors)
        out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue"
               + QByteArray::number(qBlue(c)) + ';';
    out += "}\n{\\info{\\title " + rtfText(doc.Title) + "}}\n";
    out += "\\paperw" + QByteArray::number(twips(pw)) + "\\paperh" + QByteArray::number(twips(ph)) + "\\margl"
           + QByteArray::number(twips(s.MarginLeft)) + "\\margr" + QByteArray::number(twips(s.MarginRight))
           + "\\margt" + QByteArray::number(twips(s.MarginTop)) + "\\margb"
           + QByteArray::number(twips(s.MarginBottom));
    if (s.Orientation == poLandscape)
        out += "\\landscape";
    out += "\n\\sectd";
    if (s.Orientation == poLandscape)
        out += "\\lndscpsxn";
    out += "\n";

    auto run = [&](const TStreamOp& op) {
        const TFontSpec f = op.Font >= 0 && op.Font < doc.Fonts.size() ? doc.Fonts[op.Font] : TFontSpec();
        QByteArray r = "{\\f" + QByteArray::number(std::max<qsizetype>(0, fontNames.indexOf(f.Name))) + "\\fs"
                       + QByteArray::number(std::lround(f.Size * 2));
        if (f.Bold)
            r += "\\b";
        if (f.Italic)
            r += "\\i";
        if (f.Underline)
            r += "\\ul";
        const qsizetype color = colors.indexOf(op.Color);
        if (color >= 0)
            r += "\\cf" + QByteArray::number(color + 1);
        return r + ' ' + rtfText(op.Text) + '}';
    };
    auto spacing = [](double dy) {
        return dy > 0.05 ? "\\sl-" + QByteArray::number(twips(dy)) + "\\slmult0" : QByteArray();
    };

    for (int p = 0; p < doc.Pages.size(); ++p) {
        const TStreamPage& page = doc.Pages[p];
        const QVector<PrintedLine> lines = printedLines(page);
        // The shaded or framed tab cells of each line of the page.
        QHash<int, QMap<int, RtfCell>> cellsOfLine;
        for (const TStreamOp& op : page.Ops)
            if (op.Kind == TOpKind::Box && op.Tab > 0 && (op.Shade > 0 || op.Borders)) {
                RtfCell& c = cellsOfLine[op.Line][op.Tab];
                c.left = op.CellLeft;
                c.right = op.CellRight;
                c.shade = op.Shade;
                c.borders = op.Borders;
            }
        QVector<double> rules;
        for (const TStreamOp& op : page.Ops)
            if (isRule(op, s, page.Width))
                rules.append(op.Y1);
        std::sort(rules.begin(), rules.end());

        double prevY = s.MarginTop;
        bool first = true;
        auto pard = [&] {
            QByteArray b = "\\pard\\plain";
            if (p > 0 && first)
                b += "\\pagebb";
            first = false;
            return b;
        };
        qsizetype nextRule = 0;
        auto rulesUpTo = [&](double y) {
            // A rule is the bottom border of an empty paragraph that ends where it is drawn.
            for (; nextRule < rules.size() && rules[nextRule] <= y; ++nextRule) {
                const double dy = rules[nextRule] - prevY;
                out += pard() + "\\sl-" + QByteArray::number(std::max(1, twips(dy))) + "\\slmult0"
                       + "\\brdrb\\brdrs\\brdrw10 \\par\n";
                prevY = rules[nextRule];
            }
        };
        if (lines.isEmpty() && rules.isEmpty()) {
            out += pard() + "\\par\n";
            continue;
        }
        for (const PrintedLine& line : lines) {
            rulesUpTo(line.y);
            const double dy = line.y - prevY;
            auto cells = cellsOfLine.value(line.line);
            if (!cells.isEmpty()) {
                // A shaded or framed line is a table row: a cell per tab with
                // its shade and frame, the texts in their cells.
                double rowHeight = 0;
                for (const TStreamOp& op : page.Ops)
                    if (op.Kind == TOpKind::Box && op.Line == line.line && op.Tab > 0)
                        rowHeight = std::max(rowHeight, op.Y2);
                if (dy - rowHeight > 0.05)
                    out += pard() + "\\sl-" + QByteArray::number(twips(dy - rowHeight)) + "\\slmult0\\par\n";
                for (const TStreamOp* t : line.texts) {
                    if (t->Tab > 0 && !cells.contains(t->Tab))
                        cells[t->Tab] = RtfCell{t->CellLeft, t->CellRight, 0, 0, {}};
                    (t->Tab > 0 ? cells[t->Tab] : cells.first()).texts.append(t);
                }
                QByteArray row = "\\trowd\\trgaph0\\trleft" + QByteArray::number(twips(cells.first().left - s.MarginLeft))
                                 + "\\trrh-" + QByteArray::number(twips(rowHeight));
                QByteArray body;
                double edge = cells.first().left;
                for (const RtfCell& c : cells) {
                    if (c.left - edge > 0.01) { // a column between without shade or frame
                        row += "\\cellx" + QByteArray::number(twips(c.left - s.MarginLeft));
                        body += "\\pard\\plain\\intbl\\cell";
                    }
                    if (c.borders & BorderLeft)
                        row += "\\clbrdrl\\brdrs\\brdrw10";
                    if (c.borders & BorderTop)
                        row += "\\clbrdrt\\brdrs\\brdrw10";
                    if (c.borders & BorderRight)
                        row += "\\clbrdrr\\brdrs\\brdrw10";
                    if (c.borders & BorderBottom)
                        row += "\\clbrdrb\\brdrs\\brdrw10";
                    if (c.shade > 0) {
                        const int g = greyOf(c.shade);
                        row += "\\clcbpat" + QByteArray::number(colors.indexOf(qRgb(g, g, g)) + 1);
                    }
                    row += "\\clvertalb\\cellx" + QByteArray::number(twips(c.right - s.MarginLeft));
                    edge = c.right;
                    const char align = c.texts.isEmpty() ? 'L' : c.texts.first()->Align;
                    body += "\\pard\\plain\\intbl";
                    body += align == 'R' ? "\\qr" : align == 'C' ? "\\qc" : "\\ql";
                    // The cell's text keeps the margin of the tab it was printed in.
                    const double inset = c.texts.isEmpty() ? 0 : (align == 'R' ? c.right - c.texts.first()->X1
                                                                               : std::max(0.0, leftEdge(*c.texts.first()) - c.left));
                    if (align == 'R')
                        body += "\\ri" + QByteArray::number(std::max(0, twips(inset)));
                    else if (align == 'L')
                        body += "\\li" + QByteArray::number(std::max(0, twips(inset)));
                    body += ' ';
                    for (const TStreamOp* t : c.texts)
                        body += run(*t);
                    body += "\\cell";
                }
                if (p > 0 && first) { // a page that begins with a row
                    out += "\\pard\\plain\\pagebb\\sl-20\\slmult0\\par\n";
                    first = false;
                }
                out += row + '\n' + body + "\\row\n";
                prevY = line.y;
                continue;
            }

            out += pard() + spacing(dy);
            prevY = line.y;
            // Tab stops and the order of the runs.
            QMap<int, char> stops;
            QByteArray body;
            double prevRight = NA;
            for (int i = 0; i < line.texts.size(); ++i) {
                const TStreamOp& op = *line.texts[i];
                const bool atLeft = i == 0 && op.Align == 'L' && op.X1 - s.MarginLeft < 0.05;
                const bool continues = i > 0 && op.Align == 'L' && std::fabs(op.X1 - prevRight) < 0.01;
                if (!atLeft && !continues) {
                    const int pos = std::max(0, twips(op.X1 - s.MarginLeft));
                    if (!stops.contains(pos))
                        stops.insert(pos, op.Align);
                    body += "\\tab";
                }
                prevRight = leftEdge(op) + op.X2;
                body += run(op);
            }
            for (auto it = stops.cbegin(); it != stops.cend(); ++it) {
                if (it.value() == 'R')
                    out += "\\tqr";
                else if (it.value() == 'C')
                    out += "\\tqc";
                out += "\\tx" + QByteArray::number(it.key());
            }
            out += ' ' + body + "\\par\n";
        }
        rulesUpTo(page.Height);
    }
    out += "}\n";
    return out;
}

// --- HTML ------------------------------------------------------------------

namespace {

QString html(const QString& text) { return text.toHtmlEscaped(); }

QString cm(double v) { return QString::number(v, 'f', 2) + QLatin1String("cm"); }

// The opening tag of a text's span, made once per font and colour: a long
// list has hundreds of thousands of texts in a handful of fonts.
class SpanTags {
public:
    explicit SpanTags(const TReportDocument& doc) : doc_(doc) {}
    void append(QString& out, const TStreamOp& op)
    {
        const quint64 key = (quint64(quint32(op.Font)) << 32) | quint32(op.Color);
        auto it = tags_.constFind(key);
        if (it == tags_.constEnd())
            it = tags_.insert(key, open(op));
        out += *it;
        out += html(op.Text);
        out += QLatin1String("</span>");
    }

private:
    QString open(const TStreamOp& op) const
    {
        const TFontSpec f = op.Font >= 0 && op.Font < doc_.Fonts.size() ? doc_.Fonts[op.Font] : TFontSpec();
        QString style = QStringLiteral("font-size:%1pt").arg(QString::number(f.Size));
        if (f.Name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) != 0)
            style += QStringLiteral(";font-family:'%1'").arg(html(f.Name));
        if (f.Bold)
            style += QLatin1String(";font-weight:bold");
        if (f.Italic)
            style += QLatin1String(";font-style:italic");
        if (f.Underline)
            style += QLatin1String(";text-decoration:underline");
        if ((op.Color & 0xffffff) != 0)
            style += QLatin1String(";color:") + QColor::fromRgba(op.Color).name();
        return QStringLiteral("<span style=\"%1\">").arg(style);
    }
    const TReportDocument& doc_;
    QHash<quint64, QString> tags_;
};

const char* alignName(char a) { return a == 'R' ? "right" : a == 'C' ? "center" : "left"; }

double nominalLineHeight(const TReportDocument& doc, const PrintedLine& line)
{
    double size = 0;
    for (const TStreamOp* op : line.texts)
        if (op->Font >= 0 && op->Font < doc.Fonts.size())
            size = std::max(size, doc.Fonts[op->Font].Size);
    return (size > 0 ? size : 10) * 2.54 / 72 * 1.15;
}

struct Cell {
    double left = 0, right = 0;
};

constexpr int MaxTabColumns = 256;

} // namespace

QByteArray DocumentToHtml(const TReportDocument& doc)
{
    const TPageSetup& setup = doc.Setup;
    SpanTags spans(doc);
    QString out;
    out.reserve(1 << 20);
    out += QLatin1String("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>")
           + html(doc.Title.isEmpty() ? QStringLiteral("Bericht") : doc.Title)
           + QLatin1String("</title>\n<style>\n"
                           "body { font-family: Arial, 'Liberation Sans', sans-serif; font-size: 10pt; }\n"
                           "p { margin: 0; white-space: pre-wrap; }\n"
                           "table { border-collapse: collapse; table-layout: fixed; }\n"
                           "td, th { padding: 0 0.08cm; vertical-align: bottom; white-space: pre-wrap; "
                           "text-align: left; font-weight: normal; }\n"
                           ".page + .page { break-before: page; border-top: 1px dashed #999; margin-top: 1em; }\n")
           // On screen a page is as wide as its printable area, so centred
           // lines stand centred over the tables.
           + QStringLiteral(".page { width: %1; }\n")
                 .arg(cm((doc.Pages.isEmpty() ? 21.0 : doc.Pages.first().Width) - setup.MarginLeft - setup.MarginRight))
           // On a narrow screen the tables take the screen's width and wrap.
           + QLatin1String("@media screen and (max-width: 40em) {\n"
                           "  .page { width: auto; }\n"
                           "  table { width: 100%; table-layout: auto; }\n"
                           "  col { width: auto !important; }\n"
                           "}\n")
           + QLatin1String("@media print {\n")
           + QStringLiteral("  @page { size: %1 %2; margin: %3 %4 %5 %6; }\n")
                 .arg(QLatin1String(setup.Paper == paA5 ? "A5" : "A4"),
                      QLatin1String(setup.Orientation == poLandscape ? "landscape" : "portrait"), cm(setup.MarginTop),
                      cm(setup.MarginRight), cm(setup.MarginBottom), cm(setup.MarginLeft))
           + QLatin1String("  body { margin: 0; }\n"
                           "  .page { width: auto; }\n"
                           "  .page + .page { border-top: none; margin-top: 0; }\n"
                           "  thead { display: table-header-group; }\n"
                           "  tr { break-inside: avoid; page-break-inside: avoid; }\n"
                           "}\n"
                           "</style>\n</head>\n<body>\n");

    const auto allBold = [&](const PrintedLine& l) {
        return std::all_of(l.texts.begin(), l.texts.end(), [&](const TStreamOp* op) {
            return op->Font >= 0 && op->Font < doc.Fonts.size() && doc.Fonts[op->Font].Bold;
        });
    };

    for (int p = 0; p < doc.Pages.size(); ++p) {
        const TStreamPage& page = doc.Pages[p];
        const QVector<PrintedLine> lines = printedLines(page);
        // Boxes of tabs by (line, tab).
        QMap<QPair<int, int>, const TStreamOp*> boxes;
        for (const TStreamOp& op : page.Ops)
            if (op.Kind == TOpKind::Box && op.Tab > 0)
                boxes.insert({op.Line, op.Tab}, &op);

        out += QLatin1String("<div class=\"page\">\n");
        double prevY = doc.Setup.MarginTop;
        bool first = true;
        int i = 0;
        while (i < lines.size()) {
            const PrintedLine& line = lines[i];
            const double lh = nominalLineHeight(doc, line);
            const double gap = line.y - prevY - (first ? 0 : lh);
            if (gap > lh * 0.5)
                out += QStringLiteral("<div style=\"height:%1\"></div>\n").arg(cm(gap));
            first = false;

            const bool tabbed = std::any_of(line.texts.begin(), line.texts.end(), [](auto* op) { return op->Tab > 0; });
            if (!tabbed) {
                QString style = QStringLiteral("text-align:%1").arg(QLatin1String(alignName(line.texts.first()->Align)));
                if (line.texts.first()->Align == 'L' && line.texts.first()->X1 - doc.Setup.MarginLeft > 0.05)
                    style += QLatin1String(";padding-left:") + cm(line.texts.first()->X1 - doc.Setup.MarginLeft);
                out += QStringLiteral("<p style=\"%1\">").arg(style);
                for (int k = 0; k < line.texts.size(); ++k) {
                    if (k > 0)
                        out += QLatin1String(" ");
                    spans.append(out, *line.texts[k]);
                }
                out += QLatin1String("</p>\n");
                prevY = line.y;
                ++i;
                continue;
            }

            // A run of tabbed lines with consistent tabs and no empty line between.
            QMap<int, Cell> cells;
            auto fits = [&](const PrintedLine& l) {
                for (const TStreamOp* op : l.texts) {
                    if (op->Tab <= 0)
                        continue;
                    auto it = cells.constFind(op->Tab);
                    if (it != cells.constEnd()
                        && (std::fabs(it->left - op->CellLeft) > 0.001 || std::fabs(it->right - op->CellRight) > 0.001))
                        return false;
                }
                return true;
            };
            auto add = [&](const PrintedLine& l) {
                for (const TStreamOp* op : l.texts)
                    if (op->Tab > 0)
                        cells.insert(op->Tab, {op->CellLeft, op->CellRight});
            };
            int end = i;
            add(lines[end]);
            ++end;
            while (end < lines.size()) {
                const PrintedLine& l = lines[end];
                const bool lt = std::any_of(l.texts.begin(), l.texts.end(), [](auto* op) { return op->Tab > 0; });
                const double g = l.y - lines[end - 1].y - nominalLineHeight(doc, l);
                if (!lt || g > nominalLineHeight(doc, l) * 0.5 || !fits(l))
                    break;
                add(l);
                ++end;
            }
            // A bold first line over lines that are not heads the columns.
            bool head = false;
            if (allBold(lines[i]))
                for (int k = i + 1; k < end && !head; ++k)
                    head = !allBold(lines[k]);

            // A column per tab up to the last one used; tabs without a text
            // in between keep their place as empty columns. Tab numbers far
            // beyond what a report sets (a damaged stream) get columns only
            // where texts are.
            QList<int> columns;
            if (cells.isEmpty())
                columns << 1;
            else if (cells.lastKey() <= MaxTabColumns)
                for (int c = 1; c <= cells.lastKey(); ++c)
                    columns << c;
            else
                columns = cells.keys();
            out += QLatin1String("<table>\n<colgroup>");
            for (const int c : columns) {
                auto it = cells.constFind(c);
                if (it != cells.constEnd())
                    out += QStringLiteral("<col style=\"width:%1\"/>").arg(cm(it->right - it->left));
                else
                    out += QLatin1String("<col/>");
            }
            out += QLatin1String("</colgroup>\n");
            for (int k = i; k < end; ++k) {
                const PrintedLine& l = lines[k];
                const bool headRow = head && k == i;
                if (headRow)
                    out += QLatin1String("<thead>\n");
                else if (k == (head ? i + 1 : i))
                    out += QLatin1String("<tbody>\n");
                out += QLatin1String("<tr>");
                // The texts of the row by column (the texts outside any tab
                // go to the first one).
                QHash<int, QVector<const TStreamOp*>> imTab;
                for (const TStreamOp* op : l.texts)
                    imTab[op->Tab > 0 ? op->Tab : columns.first()].append(op);
                for (const int c : columns) {
                    const QVector<const TStreamOp*> texte = imTab.value(c);
                    const char align = texte.isEmpty() ? 'L' : texte.first()->Align;
                    QString style;
                    if (align != 'L')
                        style += QLatin1String("text-align:") + QLatin1String(alignName(align)) + QLatin1Char(';');
                    if (const TStreamOp* box = boxes.value({l.line, c}, nullptr)) {
                        if (box->Shade > 0) {
                            const int g = 255 - int(std::lround(255 * box->Shade / 100.0));
                            style += QLatin1String("background-color:") + QColor(g, g, g).name() + QLatin1Char(';');
                        }
                        if (box->Borders & BorderLeft)
                            style += QLatin1String("border-left:1px solid #000;");
                        if (box->Borders & BorderTop)
                            style += QLatin1String("border-top:1px solid #000;");
                        if (box->Borders & BorderRight)
                            style += QLatin1String("border-right:1px solid #000;");
                        if (box->Borders & BorderBottom)
                            style += QLatin1String("border-bottom:1px solid #000;");
                    }
                    out += headRow ? QLatin1String("<th scope=\"col\"") : QLatin1String("<td");
                    if (!style.isEmpty())
                        out += QLatin1String(" style=\"") + style + QLatin1Char('"');
                    out += QLatin1Char('>');
                    for (qsizetype t = 0; t < texte.size(); ++t) {
                        if (t > 0)
                            out += QLatin1Char(' ');
                        spans.append(out, *texte[t]);
                    }
                    out += headRow ? QLatin1String("</th>") : QLatin1String("</td>");
                }
                out += QLatin1String("</tr>\n");
                if (headRow)
                    out += QLatin1String("</thead>\n");
            }
            out += QLatin1String("</tbody>\n</table>\n");
            prevY = lines[end - 1].y;
            i = end;
        }
        out += QLatin1String("</div>\n");
    }
    out += QLatin1String("</body>\n</html>\n");
    return out.toUtf8();
}

} // namespace Report
