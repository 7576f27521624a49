#include "platform/report/Rprender.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rpfonts.h"
#include "platform/report/Rppdf.h"

#include <QFileInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <QSaveFile>
#include <QTextLayout>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>

namespace Report {

namespace {

// Images by file name, loaded once (the PDF engine also embeds an image used
// on many pages only once, as long as it is the same QImage).
const QImage& imageFor(const QString& file)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(file);
    if (it == cache.end())
        it = cache.insert(file, LoadImageFile(file));
    return *it;
}

// Pen width in cm: n/200 inch, the thinnest line for n <= 0.
double penWidthCm(int width) { return width <= 0 ? 0.2 / 72 * 2.54 : width * 2.54 / 200; }

// Left edge of a text from its anchor.
double leftOf(const TStreamOp& op)
{
    return op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
}

// Texts shaped once per rendering. A document repeats most of its texts
// (places, scores, club names), and shaping them again for every occurrence
// was the larger part of drawing them. Each (font, text) pair is laid out
// once on the painter's device; its glyphs and their positions are then
// drawn as a glyph run, which hands the paint engine the same glyphs at the
// same positions as drawing the text does.
class TextRuns {
    using TextKey = Fonts::TextKey;

public:
    struct Shaped {
        QGlyphRun run;      // positions relative to the left end of the baseline
        QRectF ink;         // the glyphs' outlines, same coordinates
        bool asRun = false; // false: drawn with drawText
    };

    explicit TextRuns(const TReportDocument& doc) : runs_(doc.Fonts.size()), fonts_(doc.Fonts.size()) {}

    // The device font of document font fontIndex (the painter's font once
    // it was set), recorded on first use.
    bool hasFont(int fontIndex) const { return fonts_[fontIndex].has_value(); }
    void setFont(int fontIndex, const QFont& deviceFont) { fonts_[fontIndex] = deviceFont; }

    // The shaped text; the reference stays valid as long as the TextRuns.
    const Shaped& get(int fontIndex, const QString& text)
    {
        auto& byText = runs_[fontIndex];
        auto it = byText.constFind(TextKey{text});
        if (it == byText.constEnd()) {
            shaped_.push_back(shape(*fonts_[fontIndex], text));
            it = byText.insert(TextKey{text}, &shaped_.back());
        }
        return **it;
    }

private:
    // Drawn with drawText instead of a run: texts with control characters
    // (tabs are laid out differently), decorations (drawn by the painter per
    // text item) and texts of more than one run (fallback fonts, scripts).
    static Shaped shape(const QFont& font, const QString& text)
    {
        if (font.underline() || font.strikeOut() || font.overline())
            return {};
        for (const QChar c : text)
            if (c.unicode() < 0x20 || c.category() == QChar::Other_Format)
                return {};
        QTextLayout layout(text, font);
        layout.setCacheEnabled(true); // keeps the shaped glyphs for glyphRuns()
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            layout.endLayout();
            return {};
        }
        line.setLineWidth(1e6);
        layout.endLayout();
        if (line.textLength() != text.size())
            return {};
        const QList<QGlyphRun> runs = line.glyphRuns();
        if (runs.size() != 1 || runs.first().glyphIndexes().isEmpty())
            return {};
        Shaped shaped;
        shaped.run = runs.first();
        QList<QPointF> positions = shaped.run.positions();
        const QList<quint32> glyphs = shaped.run.glyphIndexes();
        const QRawFont rawFont = shaped.run.rawFont();
        const double ascent = line.ascent();
        for (qsizetype i = 0; i < positions.size(); ++i) {
            positions[i].ry() -= ascent;
            const QRectF box = rawFont.boundingRect(glyphs.value(i));
            if (!box.isEmpty())
                shaped.ink |= box.translated(positions[i]);
        }
        shaped.run.setPositions(positions);
        shaped.asRun = true;
        return shaped;
    }

    std::deque<Shaped> shaped_;
    QVector<QHash<TextKey, const Shaped*>> runs_;
    QVector<std::optional<QFont>> fonts_;
};

// Paints the operations of one page.
//
// With a TextRuns (PDF and printer) texts are drawn from their shaped runs,
// and the shading of a printed line's tab boxes is painted before the line's
// texts instead of between them. Shading and text need different pen and
// brush states, and a PDF writes each change of state out in full; painted
// in turn they switch back and forth for every tab. A shading only goes
// before a text whose glyphs stay clear of it (by a point), so nothing that
// was covered is uncovered or the other way round: the picture stays the
// same, glyph for glyph at the same positions.
class PagePainter {
public:
    PagePainter(QPainter& painter, const TReportDocument& doc, double ppc, QPointF origin, TextRuns* runs)
        : p_(painter), doc_(doc), ppc_(ppc), origin_(origin), runs_(runs), fonts_(doc.Fonts.size()),
          clearance_(ppc * 2.54 / 72)
    {
        const QPaintDevice* device = painter.device();
        pointScale_ = ppc * 2.54 / (device ? device->logicalDpiY() : 72.0);
    }

    void paint(const TStreamPage& page)
    {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.setRenderHint(QPainter::TextAntialiasing, true);
        const auto& ops = page.Ops;
        for (qsizetype i = 0; i < ops.size();) {
            if (!runs_ || !inLine(ops[i])) {
                paintOp(ops[i]);
                ++i;
                continue;
            }
            qsizetype end = i + 1;
            while (end < ops.size() && inLine(ops[end]) && ops[end].Line == ops[i].Line)
                ++end;
            paintLine(ops, i, end);
            i = end;
        }
        p_.restore();
    }

private:
    double X(double x) const { return origin_.x() + x * ppc_; }
    double Y(double y) const { return origin_.y() + y * ppc_; }
    QRectF rectOf(const TStreamOp& op) const { return QRectF(X(op.X1), Y(op.Y1), op.X2 * ppc_, op.Y2 * ppc_); }
    static bool isFill(const TStreamOp& op) { return op.Kind == TOpKind::Box && op.Borders == 0; }
    static bool inLine(const TStreamOp& op) { return op.Kind == TOpKind::Text || isFill(op); }
    static int greyOf(int shade) { return 255 - int(std::lround(255 * shade / 100.0)); }
    bool validFont(const TStreamOp& op) const { return op.Font >= 0 && op.Font < doc_.Fonts.size(); }

    void selectFont(int index)
    {
        if (index == currentFont_)
            return;
        if (!fonts_[index])
            fonts_[index] = Fonts::makeFont(doc_.Fonts[index], doc_.Fonts[index].Size * pointScale_);
        p_.setFont(*fonts_[index]);
        currentFont_ = index;
        if (runs_ && !runs_->hasFont(index))
            runs_->setFont(index, p_.font());
    }
    void selectColor(QRgb color)
    {
        if (!colorSet_ || color != currentColor_) {
            p_.setPen(QColor::fromRgba(color));
            currentColor_ = color;
            colorSet_ = true;
        }
    }

    // shaped: the text's runs when already looked up.
    void paintOp(const TStreamOp& op, const TextRuns::Shaped* shaped = nullptr)
    {
        switch (op.Kind) {
        case TOpKind::Text:
            if (!validFont(op))
                break;
            selectFont(op.Font);
            selectColor(op.Color);
            if (!shaped && runs_)
                shaped = &runs_->get(op.Font, op.Text);
            if (shaped && shaped->asRun)
                p_.drawGlyphRun(QPointF(X(leftOf(op)), Y(op.Y1)), shaped->run);
            else
                p_.drawText(QPointF(X(leftOf(op)), Y(op.Y1)), op.Text);
            break;
        case TOpKind::Line: {
            QPen pen(QColor::fromRgba(op.Color), penWidthCm(op.Width) * ppc_, Qt::PenStyle(op.PenStyle), Qt::FlatCap);
            p_.setPen(pen);
            p_.drawLine(QPointF(X(op.X1), Y(op.Y1)), QPointF(X(op.X2), Y(op.Y2)));
            colorSet_ = false;
            break;
        }
        case TOpKind::Box: {
            const QRectF r = rectOf(op);
            if (op.Shade > 0) {
                const int g = greyOf(op.Shade);
                p_.fillRect(r, QColor(g, g, g));
            }
            if (op.Borders) {
                p_.setPen(QPen(QColor::fromRgba(op.Color), penWidthCm(op.Width) * ppc_, Qt::SolidLine, Qt::SquareCap));
                if (op.Borders & BorderLeft)
                    p_.drawLine(r.topLeft(), r.bottomLeft());
                if (op.Borders & BorderTop)
                    p_.drawLine(r.topLeft(), r.topRight());
                if (op.Borders & BorderRight)
                    p_.drawLine(r.topRight(), r.bottomRight());
                if (op.Borders & BorderBottom)
                    p_.drawLine(r.bottomLeft(), r.bottomRight());
                colorSet_ = false;
            }
            break;
        }
        case TOpKind::Image: {
            const QImage& img = imageFor(op.Text);
            if (!img.isNull())
                p_.drawImage(rectOf(op), img);
            break;
        }
        case TOpKind::BarCode: {
            const int n = int(op.Modules.size());
            if (n == 0)
                break;
            const double module = op.X2 / n;
            const QColor black = QColor::fromRgba(op.Color);
            for (int i = 0; i < n;) {
                if (op.Modules[i] != QLatin1Char('1')) {
                    ++i;
                    continue;
                }
                int j = i;
                while (j < n && op.Modules[j] == QLatin1Char('1'))
                    ++j;
                p_.fillRect(QRectF(X(op.X1 + i * module), Y(op.Y1), (j - i) * module * ppc_, op.Y2 * ppc_), black);
                i = j;
            }
            break;
        }
        }
    }

    // Texts and tab shading of one printed line, ops[from, to).
    void paintLine(const QVector<TStreamOp>& ops, qsizetype from, qsizetype to)
    {
        // The shadings that can go first: those in front of the first one
        // that cannot, each clear of the glyphs of every text before it.
        early_.clear();
        inks_.clear();
        shaped_.resize(to - from);
        std::fill(shaped_.begin(), shaped_.end(), nullptr);
        const bool shading = std::any_of(ops.cbegin() + from, ops.cbegin() + to,
                                         [](const TStreamOp& op) { return op.Kind == TOpKind::Box && op.Shade > 0; });
        for (qsizetype k = from; shading && k < to; ++k) {
            const TStreamOp& op = ops[k];
            if (op.Kind == TOpKind::Text) {
                if (!validFont(op))
                    continue;
                selectFont(op.Font);
                const TextRuns::Shaped& shaped = runs_->get(op.Font, op.Text);
                shaped_[k - from] = &shaped;
                if (!shaped.asRun)
                    break; // glyphs not known: what follows keeps its place
                if (!shaped.ink.isEmpty())
                    inks_.append(shaped.ink.translated(X(leftOf(op)), Y(op.Y1))
                                     .adjusted(-clearance_, -clearance_, clearance_, clearance_));
            } else if (op.Shade > 0) {
                const QRectF r = rectOf(op);
                if (std::any_of(inks_.cbegin(), inks_.cend(), [&](const QRectF& ink) { return ink.intersects(r); }))
                    break;
                early_.append(k);
            }
        }
        if (!early_.isEmpty()) {
            p_.setPen(Qt::NoPen);
            int grey = -1;
            for (qsizetype k : early_) {
                const int g = greyOf(ops[k].Shade);
                if (g != grey) {
                    p_.setBrush(QColor(g, g, g));
                    grey = g;
                }
                p_.drawRect(rectOf(ops[k]));
            }
            p_.setBrush(Qt::NoBrush);
            colorSet_ = false;
        }
        qsizetype nextEarly = 0;
        for (qsizetype k = from; k < to; ++k) {
            if (nextEarly < early_.size() && early_[nextEarly] == k)
                ++nextEarly;
            else
                paintOp(ops[k], shaped_[k - from]);
        }
    }

    QPainter& p_;
    const TReportDocument& doc_;
    const double ppc_;
    const QPointF origin_;
    TextRuns* runs_;
    QVector<std::optional<QFont>> fonts_;
    const double clearance_; // a point in device pixels
    double pointScale_ = 1;
    int currentFont_ = -1;
    QRgb currentColor_ = 0;
    bool colorSet_ = false;
    QVarLengthArray<qsizetype, 32> early_;
    QVarLengthArray<QRectF, 32> inks_;
    QVarLengthArray<const TextRuns::Shaped*, 32> shaped_;
};

void paintPage(QPainter& painter, const TReportDocument& doc, int pageIndex, double ppc, QPointF origin,
               TextRuns* textRuns)
{
    if (pageIndex < 0 || pageIndex >= doc.Pages.size())
        return;
    PagePainter(painter, doc, ppc, origin, textRuns).paint(doc.Pages[pageIndex]);
}

} // namespace

void PaintPage(QPainter& painter, const TReportDocument& doc, int pageIndex, double ppc, QPointF origin)
{
    paintPage(painter, doc, pageIndex, ppc, origin, nullptr);
}

bool RenderPdf(const TReportDocument& doc, const QString& pdfFile, QString* error)
{
    TPdfWriter pdf(pdfFile);
    for (const TStreamPage& page : doc.Pages)
        if (!pdf.AddPage(doc, page))
            break;
    if (!pdf.Finish()) {
        if (error)
            *error = pdf.ErrorString();
        return false;
    }
    return true;
}

bool PrintDocument(const TReportDocument& doc, QPrinter& printer, int fromPage, int toPage)
{
    if (doc.Pages.isEmpty())
        return false;
    const int first = std::max(1, fromPage);
    const int last = toPage <= 0 ? int(doc.Pages.size()) : std::min<int>(toPage, int(doc.Pages.size()));
    printer.setFullPage(true);
    printer.setDocName(doc.Title);
    const TStreamPage& p0 = doc.Pages[first - 1];
    printer.setPageLayout(QPageLayout(QPageSize(QSizeF(p0.Width * 10, p0.Height * 10), QPageSize::Millimeter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double ppc = printer.resolution() / 2.54;
    TextRuns textRuns(doc);
    for (int i = first; i <= last; ++i) {
        if (i > first)
            printer.newPage();
        paintPage(painter, doc, i - 1, ppc, {}, &textRuns);
    }
    return painter.end();
}

bool TRPRender::Render(const QString& streamFile)
{
    error_.clear();
    TReportDocument doc;
    if (!ReadStream(streamFile, doc, &error_))
        return false;
    return renderDocument(doc);
}

bool TRvRenderPDF::renderDocument(const TReportDocument& doc)
{
    if (OutputFileName.isEmpty()) {
        error_ = QStringLiteral("kein Dateiname für die PDF-Ausgabe");
        return false;
    }
    return RenderPdf(doc, OutputFileName, &error_);
}

int TFilePrinter::GetPages(const QString& streamFile)
{
    TReportDocument doc;
    return ReadStream(streamFile, doc) ? int(doc.Pages.size()) : 0;
}

QString NumberedFileName(const QString& base, int n)
{
    if (n <= 1)
        return base;
    const QFileInfo fi(base);
    const QString suffix = fi.suffix();
    QString stem = base;
    if (!suffix.isEmpty())
        stem.chop(suffix.size() + 1);
    return stem + QLatin1Char('-') + QString::number(n) + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

// The files of one print: PDF and dump, written page by page. A sink of
// the direct output also queues how the print went, for Write("").
class TBatchOutput::Sink : public TPageSink {
public:
    Sink(TBatchOutput& owner, bool direct) : owner_(owner), number_(owner.count_ + 1), direct_(direct)
    {
        if (!owner.pdfBase_.isEmpty())
            pdf_ = std::make_unique<TPdfWriter>(NumberedFileName(owner.pdfBase_, number_));
        if (!owner.dumpBase_.isEmpty())
            dump_ = std::make_unique<QSaveFile>(NumberedFileName(owner.dumpBase_, number_));
    }
    ~Sink() override { drop(); }

    bool AddPage(const TReportDocument& doc, const TStreamPage& page) override
    {
        ++pages_;
        if (pdf_ && !pdf_->AddPage(doc, page))
            return fail(pdf_->ErrorString());
        if (dump_) {
            if (pages_ == 1 && !dump_->open(QIODevice::WriteOnly))
                return failDump();
            text_.clear();
            DumpPage(doc, pages_, page, text_);
            const QByteArray bytes = text_.toUtf8();
            if (dump_->write(bytes) != bytes.size())
                return failDump();
        }
        return true;
    }
    bool Finish() override
    {
        if (done_)
            return error_.isEmpty();
        if (pdf_ && !pdf_->Finish())
            fail(pdf_->ErrorString());
        if (dump_ && error_.isEmpty() && ((!dump_->isOpen() && !dump_->open(QIODevice::WriteOnly)) || !dump_->commit()))
            failDump();
        if (!error_.isEmpty()) {
            drop();
            report(error_);
            return false;
        }
        done_ = true;
        owner_.count_ = number_;
        owner_.lastPages_ = pages_;
        if (pdf_)
            owner_.written_ << pdf_->FileName();
        if (dump_)
            owner_.written_ << dump_->fileName();
        report(QString());
        return true;
    }
    void Cancel() override
    {
        if (done_)
            return;
        drop();
        report(error_.isEmpty() ? QStringLiteral("Druck abgebrochen") : error_);
    }
    QString ErrorString() const override { return error_; }

private:
    bool fail(const QString& why)
    {
        if (error_.isEmpty())
            error_ = why;
        return false;
    }
    bool failDump()
    {
        return fail(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                        .arg(dump_->fileName(), dump_->errorString()));
    }
    // Removes what was written.
    void drop()
    {
        if (done_)
            return;
        done_ = true;
        if (pdf_)
            pdf_->Cancel();
        if (dump_ && dump_->isOpen()) {
            dump_->cancelWriting();
            dump_->commit();
        }
    }
    void report(const QString& result)
    {
        if (direct_)
            owner_.directResults_.push_back(result);
    }

    TBatchOutput& owner_;
    const int number_;
    const bool direct_;
    std::unique_ptr<TPdfWriter> pdf_;
    std::unique_ptr<QSaveFile> dump_;
    QString text_;
    QString error_;
    int pages_ = 0;
    bool done_ = false;
};

TBatchOutput::TBatchOutput(const QString& pdfBase, const QString& dumpBase) : pdfBase_(pdfBase), dumpBase_(dumpBase)
{
}

namespace {
// The batch output whose direct output is installed.
TBatchOutput* directOutput = nullptr;
} // namespace

TBatchOutput::~TBatchOutput()
{
    if (directOutput == this) {
        SetPrintSinkFactory({});
        directOutput = nullptr;
    }
}

void TBatchOutput::WriteDirectly()
{
    directOutput = this;
    SetPrintSinkFactory(
        [this](const TReportComponent&) -> std::unique_ptr<TPageSink> { return std::make_unique<Sink>(*this, true); });
}

bool TBatchOutput::Write(const QString& streamFile, QString* error)
{
    if (streamFile.isEmpty()) {
        // A print of the direct output, or nothing at all.
        const QString why = directResults_.empty() ? QStringLiteral("keine Druckdatei") : directResults_.front();
        if (!directResults_.empty())
            directResults_.pop_front();
        if (!why.isEmpty() && error)
            *error = why;
        return why.isEmpty();
    }
    TReportDocument doc;
    QString why;
    if (!ReadStream(streamFile, doc, &why)) {
        if (error)
            *error = why;
        return false;
    }
    Sink sink(*this, false);
    for (const TStreamPage& page : doc.Pages)
        if (!sink.AddPage(doc, page))
            break;
    if (!sink.Finish()) {
        if (error)
            *error = sink.ErrorString();
        return false;
    }
    return true;
}

} // namespace Report
