#include "platform/report/Rpbars.h"
#include "platform/report/Rpbase.h"

#include <zint.h>

#include <cmath>
#include <memory>

namespace Report {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// Encodes text; fills the module pattern and the human-readable text.
bool encode(const QString& text, bool checksum, QString& modules, QString& readable, QString& error)
{
    std::unique_ptr<zint_symbol, SymbolDeleter> sym(ZBarcode_Create());
    if (!sym) {
        error = QStringLiteral("Zint nicht verfügbar");
        return false;
    }
    sym->symbology = BARCODE_C25INTER;
    sym->show_hrt = 0;
    sym->option_2 = checksum ? 1 : 0;
    const QByteArray data = text.toLatin1();
    if (data.isEmpty()) {
        error = QStringLiteral("leerer Barcode");
        return false;
    }
    const int rc = ZBarcode_Encode_and_Buffer_Vector(sym.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                                     int(data.size()), 0);
    if (rc >= ZINT_ERROR || !sym->vector || sym->width <= 0) {
        error = QString::fromLatin1(sym->errtxt);
        return false;
    }
    // The vector's rectangles are the bars, in a unit of vector width / modules.
    const double unit = double(sym->vector->width) / sym->width;
    modules = QString(sym->width, QLatin1Char('0'));
    for (const zint_vector_rect* r = sym->vector->rectangles; r; r = r->next) {
        const int from = int(std::lround(r->x / unit));
        const int len = int(std::lround(r->width / unit));
        for (int i = from; i < from + len && i < sym->width; ++i)
            modules[i] = QLatin1Char('1');
    }
    readable = QString::fromLatin1(reinterpret_cast<const char*>(sym->text));
    return true;
}

} // namespace

QString TRPBars2of5::Modules(const QString& text, bool checksum, QString* error)
{
    QString modules, readable, why;
    if (!encode(text, checksum, modules, readable, why)) {
        if (error)
            *error = why;
        return QString();
    }
    return modules;
}

double TRPBars2of5::Width() const { return Modules(text_, checksum_).size() * barWidth_; }

bool TRPBars2of5::PrintXY(double x, double y)
{
    QString modules, readable, why;
    if (!encode(text_, checksum_, modules, readable, why))
        return false;
    const double width = modules.size() * barWidth_;
    double left = x;
    if (justify_ == pjCenter)
        left = x - width / 2;
    else if (justify_ == pjRight)
        left = x - width;
    report_.AddBarCode(left, y, width, barHeight_, QStringLiteral("C25INTER"), text_, modules);
    if (readable_) {
        const double keepY = report_.GetYPos(), keepX = report_.GetXPos();
        report_.SetYPos(y + barHeight_ + report_.FontAscent());
        report_.PrintCenter(readable, left + width / 2);
        report_.SetYPos(keepY);
        report_.SetXPos(keepX);
    }
    return true;
}

} // namespace Report
