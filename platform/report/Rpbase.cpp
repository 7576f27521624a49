#include "platform/report/Rpbase.h"
#include "platform/report/Rpfonts.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace Report {

double PaperWidth(TPaper paper, TOrientation orientation)
{
    const double w = paper == paA5 ? 14.8 : 21.0, h = paper == paA5 ? 21.0 : 29.7;
    return orientation == poLandscape ? h : w;
}

double PaperHeight(TPaper paper, TOrientation orientation)
{
    const double w = paper == paA5 ? 14.8 : 21.0, h = paper == paA5 ? 21.0 : 29.7;
    return orientation == poLandscape ? w : h;
}

// ---------------------------------------------------------------------------

void TMemoBuf::SetText(const QString& text)
{
    text_ = text;
    pos_ = 0;
}

void TMemoBuf::Append(const QString& text) { text_ += text; }

// ---------------------------------------------------------------------------

TBaseReport::TBaseReport(const TPageSetup& setup) : setup_(setup)
{
    pageWidth_ = PaperWidth(setup.Paper, setup.Orientation);
    pageHeight_ = PaperHeight(setup.Paper, setup.Orientation);
    left_ = setup.MarginLeft;
    right_ = pageWidth_ - setup.MarginRight;
    top_ = setup.MarginTop;
    bottom_ = pageHeight_ - setup.MarginBottom;
    font_.Name = QStringLiteral("Arial");
    font_.Size = 10;
    doc_.Title = setup.Title;
    doc_.Setup = setup;
    x_ = left_;
    y_ = top_;
}

TBaseReport::~TBaseReport() = default;

TStreamPage& TBaseReport::page()
{
    if (ended_ || (sinkFailed_ && doc_.Pages.isEmpty())) {
        scratch_.Ops.clear();
        return scratch_;
    }
    if (doc_.Pages.isEmpty())
        startPage();
    return doc_.Pages.last();
}

void TBaseReport::handPage()
{
    if (!sink_ || doc_.Pages.isEmpty())
        return;
    lastOps_ = doc_.Pages.last().Ops.size();
    if (!aborted_ && !sink_->AddPage(doc_, doc_.Pages.last())) {
        sinkFailed_ = true;
        aborted_ = true;
    }
    doc_.Pages.clear();
}

void TBaseReport::startPage()
{
    handPage();
    if (sinkFailed_)
        return; // the output is gone: no further page
    ++page_;
    TStreamPage p;
    p.Width = pageWidth_;
    p.Height = pageHeight_;
    // Pages of a report are much alike: room for as many operations as the
    // previous page had.
    if (!doc_.Pages.isEmpty())
        lastOps_ = doc_.Pages.last().Ops.size();
    p.Ops.reserve(lastOps_);
    doc_.Pages.append(std::move(p));
    Home();
    if (OnNewPage)
        OnNewPage(*this);
    if (OnHeader && !inBand_) {
        inBand_ = true;
        OnHeader(*this);
        inBand_ = false;
    }
}

void TBaseReport::BeginDocument()
{
    if (page_ == 0)
        startPage();
}

void TBaseReport::EndDocument()
{
    if (page_ > 0 && OnFooter && !inBand_ && !aborted_) {
        inBand_ = true;
        OnFooter(*this);
        inBand_ = false;
    }
    if (sink_ && page_ > 0) {
        handPage();
        ended_ = true;
    }
}

TReportDocument TBaseReport::TakeDocument()
{
    TReportDocument d = std::move(doc_);
    doc_ = TReportDocument();
    fontIndex_ = -1;
    doc_.Title = setup_.Title;
    doc_.Setup = setup_;
    return d;
}

void TBaseReport::NewPage()
{
    if (aborted_)
        return;
    if (page_ == 0) {
        startPage();
        return;
    }
    if (OnFooter && !inBand_) {
        inBand_ = true;
        OnFooter(*this);
        inBand_ = false;
    }
    startPage();
}

// --- position --------------------------------------------------------------

void TBaseReport::Home()
{
    x_ = left_;
    y_ = top_ + FontAscent();
    lineNum_ = 1;
    ResetTabs();
}

void TBaseReport::GotoHeader()
{
    x_ = left_;
    y_ = top_;
    lineNum_ = 1;
    ResetTabs();
}

void TBaseReport::GotoFooter()
{
    x_ = left_;
    y_ = bottom_;
    ResetTabs();
}

double TBaseReport::LineHeight() const
{
    if (linesPerInch_ > 0)
        return 2.54 / linesPerInch_;
    return metrics().lineSpacing;
}

int TBaseReport::LinesLeft() const
{
    const double n = (bottom_ - y_) / LineHeight();
    return n <= 0 ? 0 : int(std::floor(n + 1e-9));
}

void TBaseReport::NewLine()
{
    y_ += LineHeight();
    x_ = left_;
    ++lineNum_;
    ResetTabs();
}

// --- tabs ------------------------------------------------------------------

void TBaseReport::ClearTabs()
{
    tabs_.clear();
    ResetTabs();
}

void TBaseReport::SetTab(double pos, TPrintJustify justify, double width, double margin, int lines, int shade)
{
    TTab t;
    if (pos == NA)
        t.Pos = tabs_.empty() ? left_ : tabs_.back().Pos + tabs_.back().Width;
    else
        t.Pos = pos;
    t.Justify = justify;
    t.Width = width == NA ? 0 : width;
    t.Margin = margin == NA ? 0 : margin / 100.0;
    t.Left = (lines & BOXLINELEFT) ? 1 : 0;
    t.Top = (lines & BOXLINETOP) ? 1 : 0;
    t.Right = (lines & BOXLINERIGHT) ? 1 : 0;
    t.Bottom = (lines & BOXLINEBOTTOM) ? 1 : 0;
    t.Shade = shade == int(NA) ? 0 : shade;
    tabs_.push_back(t);
}

TTab* TBaseReport::GetTab(int index)
{
    if (index == 0)
        index = tabIndex_;
    if (index < 1 || index > int(tabs_.size()))
        return nullptr;
    return &tabs_[size_t(index - 1)];
}

void TBaseReport::PushTabs() { tabStack_.push_back(tabs_); }

void TBaseReport::PopTabs()
{
    if (tabStack_.empty())
        return;
    tabs_ = std::move(tabStack_.back());
    tabStack_.pop_back();
    ResetTabs();
}

double TBaseReport::lineBoxTop() const { return y_ - LineHeight() + FontDescent(); }

void TBaseReport::Tab(int left, int right, int top, int bottom, int shade)
{
    if (aborted_)
        return;
    if (tabIndex_ >= int(tabs_.size())) {
        // Past the last tab: the text goes on where the cursor is.
        tabIndex_ = int(tabs_.size()) + 1;
        tabUsed_ = true;
        return;
    }
    ++tabIndex_;
    tabUsed_ = false;
    const TTab& t = tabs_[size_t(tabIndex_ - 1)];
    const int na = int(NA);
    const int l = left == na ? t.Left : left, r = right == na ? t.Right : right;
    const int tp = top == na ? t.Top : top, b = bottom == na ? t.Bottom : bottom;
    const int s = shade != na ? shade : (tabShade_ != na ? tabShade_ : t.Shade);
    const int borders = (l > 0 ? BorderLeft : 0) | (tp > 0 ? BorderTop : 0) | (r > 0 ? BorderRight : 0)
                        | (b > 0 ? BorderBottom : 0);
    if (borders || s > 0) {
        TStreamOp op;
        op.Kind = TOpKind::Box;
        op.X1 = t.Pos;
        op.Y1 = lineBoxTop();
        op.X2 = t.Width;
        op.Y2 = LineHeight();
        op.Shade = std::clamp(s, 0, 100);
        op.Borders = borders;
        op.Width = std::max({l, r, tp, b, 1});
        op.Color = penColor_;
        op.Line = lineNum_;
        op.Tab = tabIndex_;
        op.CellLeft = t.Pos;
        op.CellRight = t.Pos + t.Width;
        page().Ops.append(std::move(op));
    }
    x_ = t.Pos;
}

// --- text ------------------------------------------------------------------

void TBaseReport::emitText(const QString& text, double x, char align, double width)
{
    if (text.isEmpty() || aborted_)
        return;
    if (fontIndex_ < 0)
        fontIndex_ = doc_.FontIndex(font_);
    // What the text carries is taken before page(), which may begin the
    // first page and run its header.
    const double y = y_;
    const int font = fontIndex_, line = lineNum_;
    const QRgb color = color_;
    const TTab* t = tabIndex_ >= 1 && tabIndex_ <= int(tabs_.size()) ? &tabs_[size_t(tabIndex_ - 1)] : nullptr;
    const int tab = t ? tabIndex_ : 0;
    const double cellLeft = t ? t->Pos : 0, cellRight = t ? t->Pos + t->Width : 0;
    // Made in its place on the page: a long list has hundreds of thousands.
    TStreamOp& op = page().Ops.emplace_back();
    op.Kind = TOpKind::Text;
    op.X1 = x;
    op.Y1 = y;
    op.X2 = width;
    op.Align = align;
    op.Font = font;
    op.Color = color;
    op.Line = line;
    op.Text = text;
    op.Tab = tab;
    op.CellLeft = cellLeft;
    op.CellRight = cellRight;
}

void TBaseReport::printSegment(const QString& text)
{
    if (text.isEmpty())
        return;
    double w = TextWidth(text);
    if (tabIndex_ >= 1 && tabIndex_ <= int(tabs_.size()) && !tabUsed_) {
        const TTab& t = tabs_[size_t(tabIndex_ - 1)];
        const double m = XI2U(t.Margin);
        // A text that would run out of its cell is printed smaller, so a long
        // name or a number never lies over the next column and nothing of it
        // is cut off.
        const double room = t.Width - (t.Justify == pjCenter ? 0 : m);
        const double size = font_.Size;
        bool shrunk = false;
        const auto restore = qScopeGuard([&] {
            if (shrunk)
                SetFontSize(size);
        });
        if (room > 0 && w > room) {
            shrunk = true;
            constexpr double smallest = 0.25;
            double s = std::max(smallest, std::floor(size * room / w * 4) / 4);
            SetFontSize(s);
            while ((w = TextWidth(text)) > room && s > smallest)
                SetFontSize(s = std::max(smallest, s - 0.25));
        }
        switch (t.Justify) {
        case pjRight:
            emitText(text, t.Pos + t.Width - m, 'R', w);
            x_ = t.Pos + t.Width - m;
            break;
        case pjCenter:
            emitText(text, t.Pos + t.Width / 2, 'C', w);
            x_ = t.Pos + t.Width / 2 + w / 2;
            break;
        default:
            emitText(text, t.Pos + m, 'L', w);
            x_ = t.Pos + m + w;
            break;
        }
        tabUsed_ = true;
        return;
    }
    emitText(text, x_, 'L', w);
    x_ += w;
}

void TBaseReport::Print(const QString& text)
{
    if (aborted_)
        return;
    if (!text.contains(QLatin1Char('\t'))) {
        printSegment(text);
        return;
    }
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), start);
        printSegment(text.mid(start, tab < 0 ? -1 : tab - start));
        if (tab < 0)
            break;
        Tab();
        start = tab + 1;
    }
}

void TBaseReport::Println(const QString& text)
{
    Print(text);
    NewLine();
}

void TBaseReport::PrintLeft(const QString& text, double x)
{
    const double w = TextWidth(text);
    const int keep = tabIndex_;
    tabIndex_ = 0;
    emitText(text, x, 'L', w);
    tabIndex_ = keep;
    x_ = x + w;
}

void TBaseReport::PrintCenter(const QString& text, double x)
{
    const double w = TextWidth(text);
    const int keep = tabIndex_;
    tabIndex_ = 0;
    emitText(text, x, 'C', w);
    tabIndex_ = keep;
    x_ = x + w / 2;
}

void TBaseReport::PrintRight(const QString& text, double x)
{
    const double w = TextWidth(text);
    const int keep = tabIndex_;
    tabIndex_ = 0;
    emitText(text, x, 'R', w);
    tabIndex_ = keep;
    x_ = x;
}

void TBaseReport::PrintXY(double x, double y, const QString& text)
{
    y_ = y;
    PrintLeft(text, x);
}

// --- font ------------------------------------------------------------------

void TBaseReport::SetFont(const QString& name, double size)
{
    font_.Name = name;
    font_.Size = size;
    fontChanged();
}

void TBaseReport::PushFont() { fontStack_.push_back({font_, color_}); }

void TBaseReport::PopFont()
{
    if (fontStack_.empty())
        return;
    font_ = fontStack_.back().font;
    color_ = fontStack_.back().color;
    fontStack_.pop_back();
    fontChanged();
}

const Fonts::Metrics& TBaseReport::metrics() const
{
    if (!metrics_)
        metrics_ = &Fonts::metrics(font_);
    return *metrics_;
}

double TBaseReport::TextWidth(const QString& text) const { return metrics().width(text); }
double TBaseReport::FontAscent() const { return metrics().ascent; }
double TBaseReport::FontDescent() const { return metrics().descent; }

// --- pen -------------------------------------------------------------------

void TBaseReport::SetPen(QColor color, Qt::PenStyle style, int width, int)
{
    penColor_ = color.rgba();
    penStyle_ = int(style);
    penWidth_ = width;
}

void TBaseReport::MoveTo(double x, double y)
{
    penX_ = x;
    penY_ = y;
}

void TBaseReport::LineTo(double x, double y)
{
    if (!aborted_) {
        TStreamOp op;
        op.Kind = TOpKind::Line;
        op.X1 = penX_;
        op.Y1 = penY_;
        op.X2 = x;
        op.Y2 = y;
        op.Width = penWidth_;
        op.PenStyle = penStyle_;
        op.Color = penColor_;
        page().Ops.append(std::move(op));
    }
    penX_ = x;
    penY_ = y;
}

void TBaseReport::Rectangle(double x1, double y1, double x2, double y2)
{
    if (aborted_)
        return;
    TStreamOp op;
    op.Kind = TOpKind::Box;
    op.X1 = std::min(x1, x2);
    op.Y1 = std::min(y1, y2);
    op.X2 = std::abs(x2 - x1);
    op.Y2 = std::abs(y2 - y1);
    op.Borders = BorderLeft | BorderTop | BorderRight | BorderBottom;
    op.Width = penWidth_;
    op.Color = penColor_;
    page().Ops.append(std::move(op));
}

// --- memo ------------------------------------------------------------------

namespace {

// The next line of buf's text from `from` that fits `width` at metrics m.
// Returns the line; next = where the following line starts; eol = the line
// ends a paragraph (or the text).
QString nextMemoLine(const QString& text, qsizetype from, double width, const Fonts::Metrics& m,
                     qsizetype& next, bool& eol)
{
    qsizetype nl = text.indexOf(QLatin1Char('\n'), from);
    const qsizetype parEnd = nl < 0 ? text.size() : nl;
    QString par = text.mid(from, parEnd - from);
    if (par.endsWith(QLatin1Char('\r')))
        par.chop(1);
    auto finishParagraph = [&](const QString& line) {
        next = nl < 0 ? text.size() : nl + 1;
        eol = true;
        return line;
    };
    if (m.width(par) <= width)
        return finishParagraph(par);

    // Longest run of whole words that fits; a line may end at a blank or
    // after a hyphen.
    qsizetype best = -1;
    for (qsizetype k = 0; k < par.size(); ++k) {
        const QChar c = par.at(k);
        qsizetype end;
        if (c == QLatin1Char(' '))
            end = k;
        else if (c == QLatin1Char('-') && k > 0 && k + 1 < par.size() && par.at(k + 1) != QLatin1Char(' '))
            end = k + 1;
        else
            continue;
        QString cand = par.left(end);
        while (cand.endsWith(QLatin1Char(' ')))
            cand.chop(1);
        if (cand.isEmpty())
            continue;
        if (m.width(cand) > width)
            break;
        best = end;
    }
    qsizetype cut;
    QString line;
    if (best > 0) {
        line = par.left(best);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        cut = best;
        while (cut < par.size() && par.at(cut) == QLatin1Char(' '))
            ++cut;
    } else {
        // A single word wider than the line: break it between characters.
        cut = 1;
        while (cut < par.size() && m.width(par.left(cut + 1)) <= width)
            ++cut;
        line = par.left(cut);
    }
    if (cut >= par.size())
        return finishParagraph(line);
    next = from + cut;
    eol = false;
    return line;
}

} // namespace

int TBaseReport::MemoLines(TMemoBuf& buf)
{
    const double start = buf.printStart_ == NA ? left_ : buf.printStart_;
    const double end = buf.printEnd_ == NA ? right_ : buf.printEnd_;
    const auto& m = metrics();
    int n = 0;
    qsizetype pos = buf.pos_;
    while (pos < buf.text_.size()) {
        qsizetype next;
        bool eol;
        nextMemoLine(buf.text_, pos, end - start, m, next, eol);
        pos = next;
        ++n;
    }
    return n;
}

QString TBaseReport::GetMemoLine(TMemoBuf& buf, bool& eol)
{
    eol = true;
    if (buf.pos_ >= buf.text_.size())
        return QString();
    const double start = buf.printStart_ == NA ? left_ : buf.printStart_;
    const double end = buf.printEnd_ == NA ? right_ : buf.printEnd_;
    qsizetype next;
    QString line = nextMemoLine(buf.text_, buf.pos_, end - start, metrics(), next, eol);
    buf.pos_ = next;
    return line;
}

void TBaseReport::PrintMemo(TMemoBuf& buf, int maxLines)
{
    const double start = buf.printStart_ == NA ? left_ : buf.printStart_;
    for (int n = 0; !buf.Empty() && (maxLines <= 0 || n < maxLines); ++n) {
        bool eol;
        PrintLeft(GetMemoLine(buf, eol), start);
        NewLine();
    }
}

// --- images and bar codes --------------------------------------------------

void TBaseReport::PrintBitmapRect(double x1, double y1, double x2, double y2, const QString& file)
{
    if (aborted_)
        return;
    TStreamOp op;
    op.Kind = TOpKind::Image;
    op.X1 = std::min(x1, x2);
    op.Y1 = std::min(y1, y2);
    op.X2 = std::abs(x2 - x1);
    op.Y2 = std::abs(y2 - y1);
    op.Text = file;
    page().Ops.append(std::move(op));
}

void TBaseReport::AddBarCode(double x, double y, double width, double height, const QString& symbology,
                             const QString& data, const QString& modules)
{
    if (aborted_)
        return;
    TStreamOp op;
    op.Kind = TOpKind::BarCode;
    op.X1 = x;
    op.Y1 = y;
    op.X2 = width;
    op.Y2 = height;
    op.Symbology = symbology;
    op.Text = data;
    op.Modules = modules;
    op.Color = 0xff000000;
    page().Ops.append(std::move(op));
}

} // namespace Report
