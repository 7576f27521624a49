#pragma once
// Font metrics of the layout, computed once per font at a fixed device
// resolution so that every output (stream, PDF, preview, RTF) uses the same
// numbers whatever the screen or printer.

#include "platform/report/Rpstream.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <memory>

namespace Report::Fonts {

// Resolution of the layout device (dots per inch).
constexpr double LayoutDpi = 1200.0;

// A text as a hash key. Texts are looked up once per text printed or drawn,
// so the hash is a short one (FNV-1a over the UTF-16 units) rather than
// QString's.
struct TextKey {
    QString text;
    bool operator==(const TextKey& other) const { return text == other.text; }
    friend size_t qHash(const TextKey& key, size_t seed) noexcept
    {
        quint64 h = 14695981039346656037ull ^ seed;
        for (const QChar c : key.text)
            h = (h ^ c.unicode()) * 1099511628211ull;
        return size_t(h);
    }
};

struct Metrics {
    QFont font;
    std::unique_ptr<QFontMetricsF> fm;
    double ascent = 0, descent = 0, lineSpacing = 0; // cm
    mutable QHash<TextKey, double> widths;           // cm
    // The text measured last and its width: a text is mostly measured twice
    // in a row, to see whether it fits and when it is printed.
    mutable QString lastText;
    mutable double lastWidth = 0;
    double width(const QString& text) const;
};

// The metrics of a font, created on first use and kept.
const Metrics& metrics(const TFontSpec& font);

// The point size a font is set in: its own when it is a usable number,
// 1 pt for none, zero or less, at most MaxPointSize (a damaged stream can
// carry any value, and a font of a million points stalls the font engine).
constexpr double MaxPointSize = 1000;
double pointSize(double wanted);

// A QFont for the wanted font, with the hinting and style switches the
// layout uses; pointSize overrides its size when > 0.
QFont makeFont(const TFontSpec& wanted, double pointSize = 0);

} // namespace Report::Fonts
