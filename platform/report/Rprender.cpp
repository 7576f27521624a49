#include "platform/report/Rprender.h"
#include "platform/report/Rpfonts.h"

#include <QFileInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace Report {

namespace {

// Images by file name, loaded once (the PDF engine also embeds an image used
// on many pages only once, as long as it is the same QImage).
const QImage& imageFor(const QString& file)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(file);
    if (it == cache.end()) {
        QImage img(file);
        it = cache.insert(file, img);
    }
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
// is the larger part of drawing them. Each (font, text) pair is laid out once
// on the painter's device; its glyphs and their positions are then drawn as
// a glyph run, which gives the paint engine the same glyphs at the same
// positions as drawing the text would.
class TextRuns {
public:
    explicit TextRuns(const TReportDocument& doc) : runs_(doc.Fonts.size()) {}

    // Draws text with its left end of the baseline at pos in the painter's
    // current font, which is the device font of document font fontIndex.
    void draw(QPainter& painter, int fontIndex, const QPointF& pos, const QString& text)
    {
        auto& byText = runs_[fontIndex];
        auto it = byText.constFind(text);
        if (it == byText.constEnd())
            it = byText.insert(text, shape(painter.font(), text));
        if (it->isEmpty())
            painter.drawText(pos, text);
        else
            painter.drawGlyphRun(pos, *it);
    }

private:
    // The glyph run of text, positions relative to the left end of the
    // baseline; empty when the text is drawn as text: control characters
    // (tabs are laid out differently), decorations (drawn by the painter per
    // text item) or more than one run (fallback fonts, mixed scripts).
    static QGlyphRun shape(const QFont& font, const QString& text)
    {
        if (font.underline() || font.strikeOut() || font.overline())
            return {};
        for (const QChar c : text)
            if (c.unicode() < 0x20 || c.category() == QChar::Other_Format)
                return {};
        QTextLayout layout(text, font);
        layout.setCacheEnabled(true);
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
        QGlyphRun run = runs.first();
        QList<QPointF> positions = run.positions();
        const double ascent = line.ascent();
        for (QPointF& p : positions)
            p.ry() -= ascent;
        run.setPositions(positions);
        return run;
    }

    QVector<QHash<QString, QGlyphRun>> runs_;
};

void paintPage(QPainter& painter, const TReportDocument& doc, int pageIndex, double ppc, QPointF origin,
               TextRuns* textRuns)
{
    if (pageIndex < 0 || pageIndex >= doc.Pages.size())
        return;
    const TStreamPage& page = doc.Pages[pageIndex];
    const QPaintDevice* device = painter.device();
    const double dpiY = device ? device->logicalDpiY() : 72.0;
    // Fonts of this device, by font index of the document.
    QVector<QFont> fonts(doc.Fonts.size());
    QVector<bool> made(doc.Fonts.size(), false);
    const double pointScale = ppc * 2.54 / dpiY;

    auto X = [&](double x) { return origin.x() + x * ppc; };
    auto Y = [&](double y) { return origin.y() + y * ppc; };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    int currentFont = -1;
    QRgb currentColor = 0;
    bool colorSet = false;
    for (const TStreamOp& op : page.Ops) {
        switch (op.Kind) {
        case TOpKind::Text: {
            if (op.Font < 0 || op.Font >= doc.Fonts.size())
                break;
            if (op.Font != currentFont) {
                if (!made[op.Font]) {
                    fonts[op.Font] = Fonts::makeFont(doc.Fonts[op.Font], doc.Fonts[op.Font].Size * pointScale);
                    made[op.Font] = true;
                }
                painter.setFont(fonts[op.Font]);
                currentFont = op.Font;
            }
            if (!colorSet || op.Color != currentColor) {
                painter.setPen(QColor::fromRgba(op.Color));
                currentColor = op.Color;
                colorSet = true;
            }
            const QPointF pos(X(leftOf(op)), Y(op.Y1));
            if (textRuns)
                textRuns->draw(painter, op.Font, pos, op.Text);
            else
                painter.drawText(pos, op.Text);
            break;
        }
        case TOpKind::Line: {
            QPen pen(QColor::fromRgba(op.Color), penWidthCm(op.Width) * ppc, Qt::PenStyle(op.PenStyle), Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(QPointF(X(op.X1), Y(op.Y1)), QPointF(X(op.X2), Y(op.Y2)));
            colorSet = false;
            break;
        }
        case TOpKind::Box: {
            const QRectF r(X(op.X1), Y(op.Y1), op.X2 * ppc, op.Y2 * ppc);
            if (op.Shade > 0) {
                const int g = 255 - int(std::lround(255 * op.Shade / 100.0));
                painter.fillRect(r, QColor(g, g, g));
            }
            if (op.Borders) {
                painter.setPen(QPen(QColor::fromRgba(op.Color), penWidthCm(op.Width) * ppc, Qt::SolidLine, Qt::SquareCap));
                if (op.Borders & BorderLeft)
                    painter.drawLine(r.topLeft(), r.bottomLeft());
                if (op.Borders & BorderTop)
                    painter.drawLine(r.topLeft(), r.topRight());
                if (op.Borders & BorderRight)
                    painter.drawLine(r.topRight(), r.bottomRight());
                if (op.Borders & BorderBottom)
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
                colorSet = false;
            }
            break;
        }
        case TOpKind::Image: {
            const QImage& img = imageFor(op.Text);
            if (!img.isNull())
                painter.drawImage(QRectF(X(op.X1), Y(op.Y1), op.X2 * ppc, op.Y2 * ppc), img);
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
                painter.fillRect(QRectF(X(op.X1 + i * module), Y(op.Y1), (j - i) * module * ppc, op.Y2 * ppc), black);
                i = j;
            }
            break;
        }
        }
    }
    painter.restore();
}

} // namespace

void PaintPage(QPainter& painter, const TReportDocument& doc, int pageIndex, double ppc, QPointF origin)
{
    paintPage(painter, doc, pageIndex, ppc, origin, nullptr);
}

bool RenderPdf(const TReportDocument& doc, const QString& pdfFile, QString* error)
{
    QSaveFile out(pdfFile);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    {
        QPdfWriter writer(&out);
        const int dpi = 1200;
        writer.setResolution(dpi);
        writer.setTitle(doc.Title);
        writer.setCreator(QStringLiteral("Reports1"));
        auto layoutFor = [](const TStreamPage& p) {
            return QPageLayout(QPageSize(QSizeF(p.Width * 10, p.Height * 10), QPageSize::Millimeter, QString(),
                                         QPageSize::ExactMatch),
                               QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
        };
        if (!doc.Pages.isEmpty())
            writer.setPageLayout(layoutFor(doc.Pages.first()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("PDF kann nicht geschrieben werden: %1").arg(pdfFile);
            out.cancelWriting();
            return false;
        }
        TextRuns textRuns(doc);
        for (int i = 0; i < doc.Pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutFor(doc.Pages[i]));
                writer.newPage();
            }
            paintPage(painter, doc, i, dpi / 2.54, {}, &textRuns);
        }
        painter.end();
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
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

bool TBatchOutput::Write(const QString& streamFile, QString* error)
{
    TReportDocument doc;
    QString why;
    if (!ReadStream(streamFile, doc, &why)) {
        if (error)
            *error = why;
        return false;
    }
    ++count_;
    if (!pdfBase_.isEmpty()) {
        const QString file = NumberedFileName(pdfBase_, count_);
        if (!RenderPdf(doc, file, &why)) {
            if (error)
                *error = why;
            return false;
        }
        written_ << file;
    }
    if (!dumpBase_.isEmpty()) {
        const QString file = NumberedFileName(dumpBase_, count_);
        QSaveFile out(file);
        const QByteArray text = DumpDocument(doc).toUtf8();
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
            if (error)
                *error = out.errorString();
            return false;
        }
        written_ << file;
    }
    return true;
}

} // namespace Report
