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
#include <charconv>
#include <cstring>
#include <map>
#include <span>
#include <unordered_map>
#include <vector>

namespace Report {

namespace {

// A printed line: its baseline, the line tag of its first text and its
// texts from left to right.
struct PrintedLine {
    double y = 0;
    int line = 0;
    std::span<const TStreamOp* const> texts;
};

double leftEdge(const TStreamOp& op)
{
    return op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
}

// The printed lines of one page. The buffers are kept from page to page, so
// a long document sorts its texts without allocating for every page.
class PageLines {
public:
    const std::vector<PrintedLine>& of(const TStreamPage& page)
    {
        keys_.clear();
        for (const TStreamOp& op : page.Ops)
            if (op.Kind == TOpKind::Text)
                keys_.push_back({std::lround(op.Y1 * 1000), leftEdge(op), &op});
        // Texts with the same baseline (to a thousandth of a centimetre) are
        // one line, read from left to right. Pages are drawn from top to
        // bottom, so the texts are mostly in order already.
        const auto before = [](const Key& a, const Key& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; };
        if (!std::is_sorted(keys_.begin(), keys_.end(), before))
            std::stable_sort(keys_.begin(), keys_.end(), before);
        texts_.clear();
        for (const Key& k : keys_)
            texts_.push_back(k.op);
        lines_.clear();
        for (size_t i = 0; i < keys_.size();) {
            size_t end = i + 1;
            while (end < keys_.size() && keys_[end].y == keys_[i].y)
                ++end;
            lines_.push_back({texts_[i]->Y1, texts_[i]->Line, std::span(texts_).subspan(i, end - i)});
            i = end;
        }
        return lines_;
    }

private:
    struct Key {
        long y;
        double left;
        const TStreamOp* op;
    };
    std::vector<Key> keys_;
    std::vector<const TStreamOp*> texts_;
    std::vector<PrintedLine> lines_;
};

// A file's bytes, written straight into one buffer: a long list is tens of
// megabytes of markup made of a few hundred thousand short pieces, which
// QByteArray's operators would each copy into a temporary first.
class TextBuffer {
public:
    void reserve(qsizetype n) { room(n); }
    template <size_t N>
    TextBuffer& operator<<(const char (&literal)[N])
    {
        put(literal, N - 1);
        return *this;
    }
    TextBuffer& operator<<(QByteArrayView bytes)
    {
        put(bytes.data(), size_t(bytes.size()));
        return *this;
    }
    // Markup made as a QString (already escaped where it needs to be).
    TextBuffer& operator<<(const QString& markup) { return *this << QByteArrayView(markup.toUtf8()); }
    TextBuffer& operator<<(char c)
    {
        room(1);
        out_.data()[used_++] = c;
        return *this;
    }
    // A whole number in decimal, as QByteArray::number writes it.
    TextBuffer& num(qint64 n)
    {
        room(24);
        used_ = std::to_chars(out_.data() + used_, out_.data() + out_.size(), n).ptr - out_.data();
        return *this;
    }
    // A text as web page content: escaped as QString::toHtmlEscaped does it
    // and encoded as QString::toUtf8 does it, without either's temporaries.
    void html(QStringView text);
    // A text as RTF content: ASCII as it is, RTF's own characters escaped,
    // tabs and line breaks as their control words, every other UTF-16 unit
    // as \uN? (N signed, as RTF reads it).
    void rtf(QStringView text);
    QByteArrayView view() const { return QByteArrayView(out_.constData(), used_); }
    void clear() { used_ = 0; }
    QByteArray take()
    {
        out_.truncate(used_);
        return std::move(out_);
    }

private:
    // Room for n more bytes; the buffer at least doubles when it grows.
    void room(qsizetype n)
    {
        if (used_ + n > out_.size())
            out_.resize(std::max(used_ + n, 2 * out_.size()));
    }
    void put(const char* s, size_t n)
    {
        room(qsizetype(n));
        std::memcpy(out_.data() + used_, s, n);
        used_ += qsizetype(n);
    }
    QByteArray out_; // bytes beyond used_ are room, not content
    qsizetype used_ = 0;
};

void TextBuffer::html(QStringView text)
{
    // The longest form of a UTF-16 unit is "&quot;".
    room(text.size() * 6);
    char* const begin = out_.data();
    char* d = begin + used_;
    const char16_t* p = text.utf16();
    const char16_t* const e = p + text.size();
    const auto put = [&d](const char* s, size_t n) {
        std::memcpy(d, s, n);
        d += n;
    };
    while (p < e) {
        const char16_t c = *p;
        if (c < 0x80) {
            switch (c) {
            case u'<': put("&lt;", 4); break;
            case u'>': put("&gt;", 4); break;
            case u'&': put("&amp;", 5); break;
            case u'"': put("&quot;", 6); break;
            default: *d++ = char(c);
            }
            ++p;
        } else if (c < 0x800) {
            *d++ = char(0xc0 | (c >> 6));
            *d++ = char(0x80 | (c & 0x3f));
            ++p;
        } else if (!QChar::isSurrogate(c)) {
            *d++ = char(0xe0 | (c >> 12));
            *d++ = char(0x80 | ((c >> 6) & 0x3f));
            *d++ = char(0x80 | (c & 0x3f));
            ++p;
        } else {
            // Characters beyond the first plane, and stray halves of them,
            // as Qt's encoder writes them.
            const char16_t* q = p;
            while (q < e && QChar::isSurrogate(*q))
                ++q;
            const QByteArray u = QStringView(p, q).toUtf8();
            put(u.constData(), size_t(u.size()));
            p = q;
        }
    }
    used_ = d - begin;
}

void TextBuffer::rtf(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            *this << '\\' << char(u);
        } else if (u == u'\t') {
            *this << "\\tab ";
        } else if (u == u'\n') {
            *this << "\\line ";
        } else if (u == u'\r') {
        } else if (u < 0x80) {
            *this << char(u);
        } else {
            *this << "\\u";
            num(qint16(u)) << '?';
        }
    }
}

// --- RTF -------------------------------------------------------------------

int twips(double cm) { return int(std::lround(cm * 1440.0 / 2.54)); }

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
    qsizetype texts = 0;
    for (const TStreamPage& page : doc.Pages)
        for (const TStreamOp& op : page.Ops) {
            if (op.Kind == TOpKind::Text && !colors.contains(op.Color))
                colors.append(op.Color);
            if (op.Kind == TOpKind::Box && op.Tab > 0 && op.Shade > 0) {
                const int g = greyOf(op.Shade);
                if (!colors.contains(qRgb(g, g, g)))
                    colors.append(qRgb(g, g, g));
            }
            texts += op.Kind == TOpKind::Text;
        }

    TextBuffer out;
    // About fifty bytes for each text.
    out.reserve(8192 + texts * 50);
    out << "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < fontNames.size(); ++i) {
        out << "{\\f";
        out.num(i) << "\\fswiss\\fcharset0 ";
        out.rtf(fontNames[i]);
        out << ";}";
    }
    out << "}\n{\\colortbl;";
    for (QRgb c : colors) {
        out << "\\red";
        out.num(qRed(c)) << "\\green";
        out.num(qGreen(c)) << "\\blue";
        out.num(qBlue(c)) << ';';
    }
    out << "}\n{\\info{\\title ";
    out.rtf(doc.Title);
    out << "}}\n";
    out << "\\paperw";
    out.num(twips(pw)) << "\\paperh";
    out.num(twips(ph)) << "\\margl";
    out.num(twips(s.MarginLeft)) << "\\margr";
    out.num(twips(s.MarginRight)) << "\\margt";
    out.num(twips(s.MarginTop)) << "\\margb";
    out.num(twips(s.MarginBottom));
    if (s.Orientation == poLandscape)
        out << "\\landscape";
    out << "\n\\sectd";
    if (s.Orientation == poLandscape)
        out << "\\lndscpsxn";
    out << "\n";

    // The opening of a text's run, made once per font and colour.
    std::unordered_map<quint64, QByteArray> runs;
    auto run = [&](TextBuffer& to, const TStreamOp& op) {
        const quint64 key = (quint64(quint32(op.Font)) << 32) | quint32(op.Color);
        auto it = runs.find(key);
        if (it == runs.end()) {
            const TFontSpec f = op.Font >= 0 && op.Font < doc.Fonts.size() ? doc.Fonts[op.Font] : TFontSpec();
            TextBuffer r;
            r << "{\\f";
            r.num(std::max<qsizetype>(0, fontNames.indexOf(f.Name))) << "\\fs";
            r.num(std::lround(f.Size * 2));
            if (f.Bold)
                r << "\\b";
            if (f.Italic)
                r << "\\i";
            if (f.Underline)
                r << "\\ul";
            const qsizetype color = colors.indexOf(op.Color);
            if (color >= 0) {
                r << "\\cf";
                r.num(color + 1);
            }
            r << ' ';
            it = runs.emplace(key, r.take()).first;
        }
        to << QByteArrayView(it->second);
        to.rtf(op.Text);
        to << '}';
    };

    PageLines pageLines;
    // A plain line's tab stops (position and alignment, the first text at a
    // position sets it) and its runs.
    std::vector<std::pair<int, char>> stops;
    TextBuffer body;
    for (int p = 0; p < doc.Pages.size(); ++p) {
        const TStreamPage& page = doc.Pages[p];
        const std::vector<PrintedLine>& lines = pageLines.of(page);
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
            out << "\\pard\\plain";
            if (p > 0 && first)
                out << "\\pagebb";
            first = false;
        };
        qsizetype nextRule = 0;
        auto rulesUpTo = [&](double y) {
            // A rule is the bottom border of an empty paragraph that ends where it is drawn.
            for (; nextRule < rules.size() && rules[nextRule] <= y; ++nextRule) {
                const double dy = rules[nextRule] - prevY;
                pard();
                out << "\\sl-";
                out.num(std::max(1, twips(dy))) << "\\slmult0\\brdrb\\brdrs\\brdrw10 \\par\n";
                prevY = rules[nextRule];
            }
        };
        if (lines.empty() && rules.isEmpty()) {
            pard();
            out << "\\par\n";
            continue;
        }
        for (const PrintedLine& line : lines) {
            rulesUpTo(line.y);
            const double dy = line.y - prevY;
            if (auto found = cellsOfLine.constFind(line.line); found != cellsOfLine.constEnd()) {
                // A shaded or framed line is a table row: a cell per tab with
                // its shade and frame, the texts in their cells.
                QMap<int, RtfCell> cells = *found;
                double rowHeight = 0;
                for (const TStreamOp& op : page.Ops)
                    if (op.Kind == TOpKind::Box && op.Line == line.line && op.Tab > 0)
                        rowHeight = std::max(rowHeight, op.Y2);
                if (dy - rowHeight > 0.05) {
                    pard();
                    out << "\\sl-";
                    out.num(twips(dy - rowHeight)) << "\\slmult0\\par\n";
                }
                for (const TStreamOp* t : line.texts) {
                    if (t->Tab > 0 && !cells.contains(t->Tab))
                        cells[t->Tab] = RtfCell{t->CellLeft, t->CellRight, 0, 0, {}};
                    (t->Tab > 0 ? cells[t->Tab] : cells.first()).texts.append(t);
                }
                TextBuffer row;
                row << "\\trowd\\trgaph0\\trleft";
                row.num(twips(cells.first().left - s.MarginLeft)) << "\\trrh-";
                row.num(twips(rowHeight));
                body.clear();
                double edge = cells.first().left;
                for (const RtfCell& c : cells) {
                    if (c.left - edge > 0.01) { // a column between without shade or frame
                        row << "\\cellx";
                        row.num(twips(c.left - s.MarginLeft));
                        body << "\\pard\\plain\\intbl\\cell";
                    }
                    if (c.borders & BorderLeft)
                        row << "\\clbrdrl\\brdrs\\brdrw10";
                    if (c.borders & BorderTop)
                        row << "\\clbrdrt\\brdrs\\brdrw10";
                    if (c.borders & BorderRight)
                        row << "\\clbrdrr\\brdrs\\brdrw10";
                    if (c.borders & BorderBottom)
                        row << "\\clbrdrb\\brdrs\\brdrw10";
                    if (c.shade > 0) {
                        const int g = greyOf(c.shade);
                        row << "\\clcbpat";
                        row.num(colors.indexOf(qRgb(g, g, g)) + 1);
                    }
                    row << "\\clvertalb\\cellx";
                    row.num(twips(c.right - s.MarginLeft));
                    edge = c.right;
                    const char align = c.texts.isEmpty() ? 'L' : c.texts.first()->Align;
                    body << "\\pard\\plain\\intbl";
                    body << (align == 'R' ? QByteArrayView("\\qr") : align == 'C' ? QByteArrayView("\\qc") : QByteArrayView("\\ql"));
                    // The cell's text keeps the margin of the tab it was printed in.
                    const double inset = c.texts.isEmpty() ? 0 : (align == 'R' ? c.right - c.texts.first()->X1
                                                                               : std::max(0.0, leftEdge(*c.texts.first()) - c.left));
                    if (align == 'R') {
                        body << "\\ri";
                        body.num(std::max(0, twips(inset)));
                    } else if (align == 'L') {
                        body << "\\li";
                        body.num(std::max(0, twips(inset)));
                    }
                    body << ' ';
                    for (const TStreamOp* t : c.texts)
                        run(body, *t);
                    body << "\\cell";
                }
                if (p > 0 && first) { // a page that begins with a row
                    out << "\\pard\\plain\\pagebb\\sl-20\\slmult0\\par\n";
                    first = false;
                }
                out << row.view() << '\n' << body.view() << "\\row\n";
                prevY = line.y;
                continue;
            }

            pard();
            if (dy > 0.05) {
                out << "\\sl-";
                out.num(twips(dy)) << "\\slmult0";
            }
            prevY = line.y;
            // Tab stops and the order of the runs.
            stops.clear();
            body.clear();
            double prevRight = NA;
            for (size_t i = 0; i < line.texts.size(); ++i) {
                const TStreamOp& op = *line.texts[i];
                const bool atLeft = i == 0 && op.Align == 'L' && op.X1 - s.MarginLeft < 0.05;
                const bool continues = i > 0 && op.Align == 'L' && std::fabs(op.X1 - prevRight) < 0.01;
                if (!atLeft && !continues) {
                    const int pos = std::max(0, twips(op.X1 - s.MarginLeft));
                    if (std::none_of(stops.begin(), stops.end(), [pos](const auto& stop) { return stop.first == pos; }))
                        stops.emplace_back(pos, op.Align);
                    body << "\\tab";
                }
                prevRight = leftEdge(op) + op.X2;
                run(body, op);
            }
            std::sort(stops.begin(), stops.end());
            for (const auto& [pos, align] : stops) {
                if (align == 'R')
                    out << "\\tqr";
                else if (align == 'C')
                    out << "\\tqc";
                out << "\\tx";
                out.num(pos);
            }
            out << ' ' << body.view() << "\\par\n";
        }
        rulesUpTo(page.Height);
    }
    out << "}\n";
    return out.take();
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
    void append(TextBuffer& out, const TStreamOp& op)
    {
        const quint64 key = (quint64(quint32(op.Font)) << 32) | quint32(op.Color);
        if (!last_ || key != lastKey_) {
            auto it = tags_.find(key);
            if (it == tags_.end())
                it = tags_.emplace(key, open(op).toUtf8()).first;
            last_ = &it->second;
            lastKey_ = key;
        }
        out << QByteArrayView(*last_);
        out.html(op.Text);
        out << "</span>";
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
    // Node-based: the tags stay where they are while others are added.
    std::unordered_map<quint64, QByteArray> tags_;
    const QByteArray* last_ = nullptr;
    quint64 lastKey_ = 0;
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

// The cells of a table by tab number. Tabs up to MaxTabColumns are looked up
// by position; larger numbers (a damaged stream) are kept in a map.
class TabCells {
public:
    TabCells() : small_(MaxTabColumns + 1) {}
    bool isEmpty() const { return used_.empty() && large_.empty(); }
    const Cell* find(int tab) const
    {
        if (tab >= 1 && tab <= MaxTabColumns)
            return small_[size_t(tab)].set ? &small_[size_t(tab)].cell : nullptr;
        const auto it = large_.find(tab);
        return it == large_.end() ? nullptr : &it->second;
    }
    void insert(int tab, Cell cell)
    {
        if (tab >= 1 && tab <= MaxTabColumns) {
            Slot& s = small_[size_t(tab)];
            if (!s.set) {
                s.set = true;
                used_.push_back(tab);
                lastSmall_ = std::max(lastSmall_, tab);
            }
            s.cell = cell;
        } else {
            large_[tab] = cell;
        }
    }
    int lastKey() const { return large_.empty() || large_.rbegin()->first < lastSmall_ ? lastSmall_ : large_.rbegin()->first; }
    // Every tab with a cell, in order.
    void keys(std::vector<int>& out) const
    {
        out.assign(used_.begin(), used_.end());
        for (const auto& [tab, cell] : large_)
            out.push_back(tab);
        std::sort(out.begin(), out.end());
    }
    void clear()
    {
        for (const int tab : used_)
            small_[size_t(tab)].set = false;
        used_.clear();
        large_.clear();
        lastSmall_ = 0;
    }

private:
    struct Slot {
        bool set = false;
        Cell cell;
    };
    std::vector<Slot> small_;
    std::vector<int> used_;
    std::map<int, Cell> large_;
    int lastSmall_ = 0;
};

} // namespace

QByteArray DocumentToHtml(const TReportDocument& doc)
{
    const TPageSetup& setup = doc.Setup;
    SpanTags spans(doc);
    TextBuffer out;
    // About a hundred bytes of markup for each drawing operation.
    qsizetype ops = 0;
    for (const TStreamPage& page : doc.Pages)
        ops += page.Ops.size();
    out.reserve(8192 + ops * 100);
    out << QLatin1String("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n"
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
                     .arg(cm((doc.Pages.isEmpty() ? 21.0 : doc.Pages.first().Width) - setup.MarginLeft
                             - setup.MarginRight))
               // On a narrow screen the tables take the screen's width and wrap.
               + QLatin1String("@media screen and (max-width: 40em) {\n"
                               "  .page { width: auto; }\n"
                               "  table { width: 100%; table-layout: auto; }\n"
                               "  col { width: auto !important; }\n"
                               "}\n")
               + QLatin1String("@media print {\n")
               + QStringLiteral("  @page { size: %1 %2; margin: %3 %4 %5 %6; }\n")
                     .arg(QLatin1String(setup.Paper == paA5 ? "A5" : "A4"),
                          QLatin1String(setup.Orientation == poLandscape ? "landscape" : "portrait"),
                          cm(setup.MarginTop), cm(setup.MarginRight), cm(setup.MarginBottom), cm(setup.MarginLeft))
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
    const auto tabbed = [](const PrintedLine& l) {
        return std::any_of(l.texts.begin(), l.texts.end(), [](const TStreamOp* op) { return op->Tab > 0; });
    };

    PageLines pageLines;
    TabCells cells;
    std::vector<int> columns;
    // The texts of a row by column: each text's column, and the texts in
    // column order (stable) with where each column's texts begin.
    std::vector<size_t> columnOf, firstOf, order;
    for (int p = 0; p < doc.Pages.size(); ++p) {
        const TStreamPage& page = doc.Pages[p];
        const std::vector<PrintedLine>& lines = pageLines.of(page);
        // Boxes of tabs by (line, tab).
        QMap<QPair<int, int>, const TStreamOp*> boxes;
        for (const TStreamOp& op : page.Ops)
            if (op.Kind == TOpKind::Box && op.Tab > 0)
                boxes.insert({op.Line, op.Tab}, &op);

        out << "<div class=\"page\">\n";
        double prevY = doc.Setup.MarginTop;
        bool first = true;
        size_t i = 0;
        while (i < lines.size()) {
            const PrintedLine& line = lines[i];
            const double lh = nominalLineHeight(doc, line);
            const double gap = line.y - prevY - (first ? 0 : lh);
            if (gap > lh * 0.5)
                out << "<div style=\"height:" << cm(gap) << "\"></div>\n";
            first = false;

            if (!tabbed(line)) {
                const TStreamOp& lead = *line.texts.front();
                out << "<p style=\"text-align:" << QByteArrayView(alignName(lead.Align));
                if (lead.Align == 'L' && lead.X1 - doc.Setup.MarginLeft > 0.05)
                    out << ";padding-left:" << cm(lead.X1 - doc.Setup.MarginLeft);
                out << "\">";
                for (size_t k = 0; k < line.texts.size(); ++k) {
                    if (k > 0)
                        out << ' ';
                    spans.append(out, *line.texts[k]);
                }
                out << "</p>\n";
                prevY = line.y;
                ++i;
                continue;
            }

            // A run of tabbed lines with consistent tabs and no empty line between.
            cells.clear();
            auto fits = [&](const PrintedLine& l) {
                for (const TStreamOp* op : l.texts) {
                    if (op->Tab <= 0)
                        continue;
                    const Cell* c = cells.find(op->Tab);
                    if (c && (std::fabs(c->left - op->CellLeft) > 0.001 || std::fabs(c->right - op->CellRight) > 0.001))
                        return false;
                }
                return true;
            };
            auto add = [&](const PrintedLine& l) {
                for (const TStreamOp* op : l.texts)
                    if (op->Tab > 0)
                        cells.insert(op->Tab, {op->CellLeft, op->CellRight});
            };
            size_t end = i;
            add(lines[end]);
            ++end;
            while (end < lines.size()) {
                const PrintedLine& l = lines[end];
                const double g = l.y - lines[end - 1].y - nominalLineHeight(doc, l);
                if (!tabbed(l) || g > nominalLineHeight(doc, l) * 0.5 || !fits(l))
                    break;
                add(l);
                ++end;
            }
            // A bold first line over lines that are not heads the columns.
            bool head = false;
            if (allBold(lines[i]))
                for (size_t k = i + 1; k < end && !head; ++k)
                    head = !allBold(lines[k]);

            // A column per tab up to the last one used; tabs without a text
            // in between keep their place as empty columns. Tab numbers far
            // beyond what a report sets (a damaged stream) get columns only
            // where texts are.
            const bool contiguous = cells.isEmpty() || cells.lastKey() <= MaxTabColumns;
            columns.clear();
            if (cells.isEmpty())
                columns.push_back(1);
            else if (contiguous)
                for (int c = 1; c <= cells.lastKey(); ++c)
                    columns.push_back(c);
            else
                cells.keys(columns);
            out << "<table>\n<colgroup>";
            for (const int c : columns) {
                if (const Cell* cell = cells.find(c))
                    out << "<col style=\"width:" << cm(cell->right - cell->left) << "\"/>";
                else
                    out << "<col/>";
            }
            out << "</colgroup>\n";
            for (size_t k = i; k < end; ++k) {
                const PrintedLine& l = lines[k];
                const bool headRow = head && k == i;
                if (headRow)
                    out << "<thead>\n";
                else if (k == (head ? i + 1 : i))
                    out << "<tbody>\n";
                out << "<tr>";
                // The texts of the row by column (the texts outside any tab
                // go to the first one).
                const size_t n = l.texts.size();
                columnOf.resize(n);
                firstOf.assign(columns.size() + 1, 0);
                for (size_t t = 0; t < n; ++t) {
                    const int tab = l.texts[t]->Tab;
                    const size_t c = tab <= 0 ? 0
                                     : contiguous
                                         ? size_t(tab - 1)
                                         : size_t(std::lower_bound(columns.begin(), columns.end(), tab) - columns.begin());
                    columnOf[t] = c;
                    ++firstOf[c + 1];
                }
                for (size_t c = 0; c < columns.size(); ++c)
                    firstOf[c + 1] += firstOf[c];
                order.resize(n);
                for (size_t t = 0, c = 0; t < n; ++t) {
                    c = columnOf[t];
                    order[firstOf[c]++] = t;
                }
                // firstOf[c] is now where column c's texts end.
                size_t from = 0;
                for (size_t c = 0; c < columns.size(); ++c) {
                    const size_t to = firstOf[c];
                    const char align = to > from ? l.texts[order[from]]->Align : 'L';
                    const TStreamOp* box = boxes.isEmpty() ? nullptr : boxes.value({l.line, columns[c]}, nullptr);
                    const int borders = box ? box->Borders & (BorderLeft | BorderTop | BorderRight | BorderBottom) : 0;
                    out << (headRow ? QByteArrayView("<th scope=\"col\"") : QByteArrayView("<td"));
                    if (align != 'L' || borders || (box && box->Shade > 0)) {
                        out << " style=\"";
                        if (align != 'L')
                            out << "text-align:" << QByteArrayView(alignName(align)) << ';';
                        if (box && box->Shade > 0) {
                            const int g = 255 - int(std::lround(255 * box->Shade / 100.0));
                            out << "background-color:" << QColor(g, g, g).name() << ';';
                        }
                        if (borders & BorderLeft)
                            out << "border-left:1px solid #000;";
                        if (borders & BorderTop)
                            out << "border-top:1px solid #000;";
                        if (borders & BorderRight)
                            out << "border-right:1px solid #000;";
                        if (borders & BorderBottom)
                            out << "border-bottom:1px solid #000;";
                        out << '"';
                    }
                    out << '>';
                    for (size_t t = from; t < to; ++t) {
                        if (t > from)
                            out << ' ';
                        spans.append(out, *l.texts[order[t]]);
                    }
                    out << (headRow ? QByteArrayView("</th>") : QByteArrayView("</td>"));
                    from = to;
                }
                out << "</tr>\n";
                if (headRow)
                    out << "</thead>\n";
            }
            out << "</tbody>\n</table>\n";
            prevY = lines[end - 1].y;
            i = end;
        }
        out << "</div>\n";
    }
    out << "</body>\n</html>\n";
    return out.take();
}

} // namespace Report
