#include "platform/report/Rpfonts.h"

#include <QImage>
#include <algorithm>
#include <utility>
#include <vector>

namespace Report::Fonts {

namespace {

constexpr double cmPerDot = 2.54 / LayoutDpi;

// The layout device: a 1x1 image whose resolution is LayoutDpi.
const QPaintDevice* layoutDevice()
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dpm = int(LayoutDpi / 0.0254 + 0.5);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return &device;
}

} // namespace

double pointSize(double wanted)
{
    if (!(wanted > 0)) // also not a number
        return 1.0;
    return std::min(wanted, MaxPointSize);
}

QFont makeFont(const TFontSpec& wanted, double size)
{
    QFont f(wanted.Name.isEmpty() ? QStringLiteral("Arial") : wanted.Name);
    f.setPointSizeF(pointSize(size > 0 ? size : wanted.Size));
    f.setBold(wanted.Bold);
    f.setItalic(wanted.Italic);
    f.setUnderline(wanted.Underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

double Metrics::width(const QString& text) const
{
    if (text.isEmpty())
        return 0;
    if (text == lastText)
        return lastWidth;
    auto it = widths.constFind(TextKey{text});
    if (it == widths.constEnd()) {
        if (widths.size() > 20000)
            widths.clear();
        it = widths.insert(TextKey{text}, fm->horizontalAdvance(text) * cmPerDot);
    }
    lastText = text;
    lastWidth = *it;
    return lastWidth;
}

const Metrics& metrics(const TFontSpec& font)
{
    // Fonts are few: a list searched from the one found last.
    static std::vector<std::pair<TFontSpec, std::unique_ptr<Metrics>>> cache;
    static size_t last = 0;
    if (last < cache.size() && cache[last].first == font)
        return *cache[last].second;
    for (size_t i = 0; i < cache.size(); ++i)
        if (cache[i].first == font) {
            last = i;
            return *cache[i].second;
        }
    auto m = std::make_unique<Metrics>();
    m->font = makeFont(font);
    m->fm = std::make_unique<QFontMetricsF>(m->font, layoutDevice());
    m->ascent = m->fm->ascent() * cmPerDot;
    m->descent = m->fm->descent() * cmPerDot;
    m->lineSpacing = m->fm->lineSpacing() * cmPerDot;
    cache.emplace_back(font, std::move(m));
    last = cache.size() - 1;
    return *cache.back().second;
}

} // namespace Report::Fonts
