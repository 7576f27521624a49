#include "platform/report/Rplayout.h"

#include "platform/report/Rpfonts.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace Report {

namespace {

struct Rect {
    double l = 0, t = 0, r = 0, b = 0;
    bool valid() const { return r > l && b > t; }
};

// Overlap of two rectangles by more than tol in both directions.
bool overlaps(const Rect& a, const Rect& b, double tol)
{
    return std::min(a.r, b.r) - std::max(a.l, b.l) > tol && std::min(a.b, b.b) - std::max(a.t, b.t) > tol;
}

QString cm(double v) { return QString::number(v, 'f', 2).replace('.', ','); }

// The ink of a text: from the first to the last letter (blanks at either
// end have width but no ink), from the cap height to half the descent.
struct TextInk {
    Rect box;
    double baseline = 0;
    double cap = 0;
};

TextInk inkOf(const TReportDocument& doc, const TStreamOp& op)
{
    TextInk ink;
    if (op.Font < 0 || op.Font >= doc.Fonts.size())
        return ink;
    const Fonts::Metrics& m = Fonts::metrics(doc.Fonts[op.Font]);
    const QString trimmed = op.Text.trimmed();
    if (trimmed.isEmpty())
        return ink;
    const double full = op.X2;
    const qsizetype lead = op.Text.indexOf(trimmed);
    const double before = lead > 0 ? m.width(op.Text.left(lead)) : 0;
    const double width = m.width(trimmed);
    const double left = op.Align == 'R' ? op.X1 - full : op.Align == 'C' ? op.X1 - full / 2 : op.X1;
    ink.baseline = op.Y1;
    ink.cap = m.fm->capHeight() / Fonts::LayoutDpi * 2.54;
    ink.box = {left + before, op.Y1 - ink.cap, left + before + width, op.Y1 + m.descent / 2};
    return ink;
}

Rect shapeOf(const TStreamOp& op)
{
    switch (op.Kind) {
    case TOpKind::Line:
        return {std::min(op.X1, op.X2), std::min(op.Y1, op.Y2), std::max(op.X1, op.X2), std::max(op.Y1, op.Y2)};
    case TOpKind::Box:
    case TOpKind::Image:
    case TOpKind::BarCode:
        return {op.X1, op.Y1, op.X1 + op.X2, op.Y1 + op.Y2};
    case TOpKind::Text:
        break;
    }
    return {};
}

QString shapeName(TOpKind kind)
{
    switch (kind) {
    case TOpKind::Line: return QStringLiteral("Linie");
    case TOpKind::Box: return QStringLiteral("Rahmen");
    case TOpKind::Image: return QStringLiteral("Bild");
    case TOpKind::BarCode: return QStringLiteral("Strichcode");
    case TOpKind::Text: break;
    }
    return QStringLiteral("Text");
}

// Which edge of an area r leaves, as words: "rechts 20,50 cm".
QString outside(const Rect& r, const Rect& area, double tol)
{
    QStringList w;
    if (r.l < area.l - tol)
        w << "links " + cm(area.l) + " cm";
    if (r.r > area.r + tol)
        w << "rechts " + cm(area.r) + " cm";
    if (r.t < area.t - tol)
        w << "oben " + cm(area.t) + " cm";
    if (r.b > area.b + tol)
        w << "unten " + cm(area.b) + " cm";
    return w.join(", ");
}

// The page's operations by the 0.5 cm bands of height they reach into.
// Bands end one band beyond the sheet: what lies further out is already
// reported as off the sheet, and a damaged coordinate (1e300, NaN) must not
// make millions of bands.
class Bands {
public:
    explicit Bands(double pageHeight)
        : last_(std::isnan(pageHeight) ? 1 : int(std::clamp(pageHeight, 0.0, 1000.0) / 0.5) + 1)
    {
    }
    void add(int index, const Rect& r)
    {
        for (int k = band(r.t); k <= band(r.b); ++k)
            bands_[k].append(index);
    }
    // Every index that reaches a band of r, each once, in order.
    QVector<int> near(const Rect& r) const
    {
        QVector<int> out;
        for (int k = band(r.t); k <= band(r.b); ++k)
            out += bands_.value(k);
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

private:
    int band(double y) const
    {
        if (std::isnan(y))
            return -1;
        return int(std::clamp(std::floor(y / 0.5), -1.0, double(last_)));
    }
    int last_;
    QHash<int, QVector<int>> bands_;
};

} // namespace

QString TLayoutFinding::ToString() const
{
    const QString where = QString("Seite %1, x %2 y %3: ").arg(Page).arg(cm(X), cm(Y));
    const QString what = Text.isEmpty() ? Detail : "Text \"" + Text + "\" " + Detail;
    return where + what;
}

QVector<TLayoutFinding> CheckLayout(const TReportDocument& doc, const TLayoutOptions& o)
{
    QVector<TLayoutFinding> found;
    const double tol = o.Tolerance;
    for (int p = 0; p < doc.Pages.size(); ++p) {
        const TStreamPage& page = doc.Pages[p];
        const Rect sheet{0, 0, page.Width, page.Height};
        const Rect printable{o.PrinterBorder, o.PrinterBorder, page.Width - o.PrinterBorder,
                             page.Height - o.PrinterBorder};
        auto add = [&](TLayoutFinding::TKind kind, double x, double y, const QString& text, const QString& detail) {
            found.append({kind, p + 1, x, y, text, detail});
        };
        // what: the shape's name, empty for a text ("Text "…" ragt …").
        auto edges = [&](const Rect& r, double x, double y, const QString& text, const QString& what) {
            const QString ragt = what.isEmpty() ? QStringLiteral("ragt") : what + " ragt";
            const QString offSheet = outside(r, sheet, tol);
            if (!offSheet.isEmpty())
                add(TLayoutFinding::AusserhalbBlatt, x, y, text, ragt + " über das Blatt (" + offSheet + ")");
            else if (what == QLatin1String("Linie"))
                return; // a line may begin at the edge: what no printer reaches is left off
            else if (const QString off = outside(r, printable, tol); !off.isEmpty())
                add(TLayoutFinding::AusserhalbDruckbereich, x, y, text,
                    ragt + " über den druckbaren Bereich (" + off + ")");
        };

        QVector<TextInk> inks(page.Ops.size());
        Bands texts(page.Height), painters(page.Height);
        for (int i = 0; i < page.Ops.size(); ++i) {
            const TStreamOp& op = page.Ops[i];
            if (op.Kind != TOpKind::Text) {
                const Rect s = shapeOf(op);
                edges(s, s.l, s.t, QString(), shapeName(op.Kind));
                if (op.Kind == TOpKind::Line || (op.Kind == TOpKind::Box && op.Shade > 0) || op.Kind == TOpKind::Image
                    || op.Kind == TOpKind::BarCode)
                    painters.add(i, s);
                continue;
            }
            const TextInk ink = inkOf(doc, op);
            if (!ink.box.valid())
                continue;
            inks[i] = ink;
            const Rect& b = ink.box;
            edges(b, b.l, op.Y1, op.Text, QString());
            if (op.Tab > 0 && op.CellRight > op.CellLeft && (b.l < op.CellLeft - tol || b.r > op.CellRight + tol))
                add(TLayoutFinding::ZelleUeberschritten, b.l, op.Y1, op.Text,
                    QString("ist breiter als seine Spalte %1 (%2–%3 cm)").arg(op.Tab).arg(cm(op.CellLeft), cm(op.CellRight)));
            // Texts printed before this one that it lies on.
            for (int k : texts.near(b)) {
                if (overlaps(inks[k].box, b, tol)) {
                    add(TLayoutFinding::Ueberlappt, b.l, op.Y1, op.Text,
                        "liegt über dem Text \"" + page.Ops[k].Text.trimmed() + "\"");
                    break;
                }
            }
            texts.add(i, b);
        }
        // Shading, pictures and bar codes painted after a text cover it; a
        // line through its letters strikes it, whenever it was drawn.
        for (int i = 0; i < page.Ops.size(); ++i) {
            if (page.Ops[i].Kind != TOpKind::Text || !inks[i].box.valid())
                continue;
            const TextInk& ink = inks[i];
            const Rect letters{ink.box.l + tol, ink.baseline - ink.cap + tol, ink.box.r - tol, ink.baseline - tol};
            for (int k : painters.near(ink.box)) {
                const TStreamOp& s = page.Ops[k];
                const Rect r = shapeOf(s);
                if (s.Kind == TOpKind::Line) {
                    const bool horizontal = std::abs(s.Y1 - s.Y2) < 1e-6, vertical = std::abs(s.X1 - s.X2) < 1e-6;
                    const bool crosses = (horizontal && r.t > letters.t && r.t < letters.b && r.r > letters.l
                                          && r.l < letters.r)
                                         || (vertical && r.l > letters.l && r.l < letters.r && r.b > letters.t
                                             && r.t < letters.b);
                    if (crosses) {
                        add(TLayoutFinding::Durchgestrichen, ink.box.l, ink.baseline, page.Ops[i].Text,
                            "wird von einer Linie durchgestrichen");
                        break;
                    }
                } else if (k > i && overlaps(r, ink.box, tol)) {
                    add(TLayoutFinding::Uebermalt, ink.box.l, ink.baseline, page.Ops[i].Text,
                        "wird von einem später gezeichneten " + shapeName(s.Kind) + " verdeckt");
                    break;
                }
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const TLayoutFinding& a, const TLayoutFinding& b) {
        return a.Page != b.Page ? a.Page < b.Page : a.Y < b.Y;
    });
    return found;
}

QString LayoutReport(const QVector<TLayoutFinding>& findings)
{
    QString out;
    for (const TLayoutFinding& f : findings)
        out += f.ToString() + "\n";
    return out;
}

} // namespace Report
