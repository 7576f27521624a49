#include "platform/report/Rpfonts.h"

#include <QImage>
#include <map>
#include <tuple>

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

using Key = std::tuple<QString, double, bool, bool, bool>;

} // namespace

QFont makeFont(const TFontSpec& spec, double pointSize)
{
    QFont f(spec.Name.isEmpty() ? QStringLiteral("Arial") : spec.Name);
    f.setPointSizeF(pointSize > 0 ? pointSize : (spec.Size > 0 ? spec.Size : 1.0));
    f.setBold(spec.Bold);
    f.setItalic(spec.Italic);
    f.setUnderline(spec.Underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

double Metrics::width(const QString& text) const
{
    auto it = widths.constFind(text);
    if (it != widths.constEnd())
        return *it;
    if (widths.size() > 20000)
        widths.clear();
    const double w = fm->horizontalAdvance(text) * cmPerDot;
    widths.insert(text, w);
    return w;
}

const Metrics& metrics(const TFontSpec& font)
{
    static std::map<Key, std::unique_ptr<Metrics>> cache;
    Key key{font.Name, font.Size, font.Bold, font.Italic, font.Underline};
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    auto m = std::make_unique<Metrics>();
    m->font = makeFont(font);
    m->fm = std::make_unique<QFontMetricsF>(m->font, layoutDevice());
    m->ascent = m->fm->ascent() * cmPerDot;
    m->descent = m->fm->descent() * cmPerDot;
    m->lineSpacing = m->fm->lineSpacing() * cmPerDot;
    return *cache.emplace(key, std::move(m)).first->second;
}

} // namespace Report::Fonts
