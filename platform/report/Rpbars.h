#pragma once
// Bar codes on the drawing surface. The bars are encoded by Zint and recorded
// as one bar-code operation of the stream (symbology "C25INTER").

#include "platform/report/Rpdefine.h"

#include <QString>

namespace Report {

class TBaseReport;

// Interleaved 2 of 5. Sizes in report units: BarWidth is the narrow bar
// (wide bars are three times as wide); BarHeight is the bars' height.
// PrintXY puts the bars' top at y and, by justification, their left edge,
// centre or right edge at x. With PrintReadable the text is printed centred
// below the bars in the surface's current font. An odd number of digits is
// completed with a leading 0, as the code requires pairs.
class TRPBars2of5 {
public:
    explicit TRPBars2of5(TBaseReport& report) : report_(report) {}

    void SetText(const QString& text) { text_ = text; }
    QString Text() const { return text_; }
    void SetBarHeight(double h) { barHeight_ = h; }
    void SetBarWidth(double w) { barWidth_ = w; }
    void SetBarCodeJustify(TPrintJustify j) { justify_ = j; }
    void SetPrintReadable(bool on) { readable_ = on; }
    void SetUseChecksum(bool on) { checksum_ = on; }
    // Width of the whole symbol in report units (0 when the text cannot be encoded).
    double Width() const;
    // Draws the bar code; false when the text cannot be encoded (nothing is drawn).
    bool PrintXY(double x, double y);

    // The bar pattern: '1' bar, '0' space, one character per narrow module.
    // Empty when the text cannot be encoded (error tells why).
    static QString Modules(const QString& text, bool checksum, QString* error = nullptr);

private:
    TBaseReport& report_;
    QString text_;
    double barHeight_ = 1.0;
    double barWidth_ = 0.03;
    TPrintJustify justify_ = pjLeft;
    bool readable_ = true;
    bool checksum_ = false;
};

} // namespace Report
