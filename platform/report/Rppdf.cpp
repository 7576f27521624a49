#include "platform/report/Rppdf.h"
#include "platform/report/Rpfiler.h"
#include "platform/report/Rpfonts.h"
#include "platform/report/Rpttf.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QRawFont>
#include <QSaveFile>
#include <QTextLayout>
#include <QGlyphRun>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace Report {

QImage LoadImageFile(const QString& file)
{
    // Opened without blocking and checked on the open descriptor, so a pipe
    // put in place of the file after any earlier look cannot stall us.
    const QByteArray path = QFile::encodeName(file);
    if (path.isEmpty())
        return QImage();
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QImage();
    struct stat st {};
    QByteArray data;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size < (qint64(1) << 30)) {
        data.resize(qsizetype(st.st_size));
        qsizetype got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, size_t(data.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        data.truncate(got);
    }
    ::close(fd);
    return data.isEmpty() ? QImage() : QImage::fromData(data);
}

namespace {

constexpr double PtPerCm = 72.0 / 2.54;

// A growing byte buffer for page contents: appends are inline and never
// shrink the storage, so a page reuses the room of the pages before it.
class Bytes {
public:
    void clear() { size_ = 0; }
    const char* data() const { return buf_.get(); }
    size_t size() const { return size_; }
    void append(const char* s, size_t n)
    {
        reserve(n);
        std::memcpy(buf_.get() + size_, s, n);
        size_ += n;
    }
    Bytes& operator+=(char c)
    {
        reserve(1);
        buf_[size_++] = c;
        return *this;
    }
    Bytes& operator+=(const char* s)
    {
        append(s, std::strlen(s));
        return *this;
    }
    Bytes& operator+=(const Bytes& b)
    {
        append(b.data(), b.size());
        return *this;
    }
    Bytes& operator+=(const std::string& s)
    {
        append(s.data(), s.size());
        return *this;
    }

private:
    void reserve(size_t n)
    {
        if (size_ + n <= capacity_)
            return;
        const size_t grown = std::max(capacity_ * 2, size_ + n + 4096);
        std::unique_ptr<char[]> bigger(new char[grown]);
        if (size_)
            std::memcpy(bigger.get(), buf_.get(), size_);
        buf_ = std::move(bigger);
        capacity_ = grown;
    }
    std::unique_ptr<char[]> buf_;
    size_t size_ = 0, capacity_ = 0;
};

// --- numbers as PDF writes them ---------------------------------------------

// Appends a number given in hundredths, as short as exact: "12.5", "-3".
template <typename Out>
void appendHundredths(Out& out, long long v)
{
    char buf[32];
    char* const end = buf + sizeof buf;
    char* p = end;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    const int frac = int(v % 100);
    long long whole = v / 100;
    if (frac) {
        if (frac % 10)
            *--p = char('0' + frac % 10);
        *--p = char('0' + frac / 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + whole % 10);
        whole /= 10;
    } while (whole);
    if (negative)
        *--p = '-';
    out.append(p, size_t(end - p));
}
long long hundredths(double v) { return std::llround(v * 100); }
template <typename Out>
void appendNum(Out& out, double v)
{
    appendHundredths(out, hundredths(v));
}
template <typename Out>
void appendInt(Out& out, long long v)
{
    appendHundredths(out, v * 100);
}

// A colour channel 0..255 as 0..1 with three decimals at most.
void appendChannel(Bytes& out, int byte)
{
    const int thousandths = (byte * 1000 + 127) / 255;
    if (thousandths >= 1000) {
        out += '1';
        return;
    }
    if (thousandths == 0) {
        out += '0';
        return;
    }
    char digits[3] = {char('0' + thousandths / 100), char('0' + thousandths / 10 % 10), char('0' + thousandths % 10)};
    int n = 3;
    while (digits[n - 1] == '0')
        --n;
    out += "0.";
    out.append(digits, size_t(n));
}

// A text string for the document information: UTF-16BE with its mark.
std::string textString(const QString& s)
{
    std::string out = "<FEFF";
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar c : s) {
        const ushort u = c.unicode();
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(u >> shift) & 15];
    }
    out += '>';
    return out;
}

// Page coordinates: PDF points from the sheet's bottom left.
double ptX(double cm) { return cm * PtPerCm; }

double penWidthPt(int width) { return width <= 0 ? 0.2 : width * 72.0 / 200; }
int greyOf(int shade) { return 255 - int(std::lround(255 * shade / 100.0)); }

// --- faces -------------------------------------------------------------------

// Faces read once per process: parsing the tables of a face is the
// expensive part, and a run prints the same few faces again and again.
std::shared_ptr<const Ttf::TFace> sharedFace(const QString& key, const QRawFont& raw)
{
    static std::mutex lock;
    static std::map<QString, std::shared_ptr<const Ttf::TFace>> faces;
    std::lock_guard<std::mutex> guard(lock);
    auto it = faces.find(key);
    if (it == faces.end())
        it = faces.emplace(key, std::make_shared<const Ttf::TFace>(raw)).first;
    return it->second;
}

QString faceKey(const QRawFont& raw)
{
    return raw.familyName() + QLatin1Char('|') + raw.styleName() + QLatin1Char('|') + QString::number(raw.weight())
           + QLatin1Char('|') + QString::number(int(raw.style()));
}

} // namespace

// --- the writer -----------------------------------------------------------------

struct TPdfWriter::Impl {
    // A face as used in this file.
    struct Face {
        std::shared_ptr<const Ttf::TFace> ttf;
        QString key;
        std::string resource;           // "F1"
        std::vector<bool> used;         // glyphs drawn
        std::vector<char32_t> unicode;  // per glyph: the character it was drawn for
    };
    // A document font: its face and whether texts in it are underlined.
    struct FontUse {
        int face = -2; // -2 not resolved yet, -1 none
        bool underline = false;
        double size = 10;
    };
    struct Image {
        std::string resource; // empty: the file gave no image
        int object = 0;
    };

    Impl(const QString& file, TFileSet* fileSet) : fileName(file), set(fileSet) {}

    QString fileName;
    TFileSet* set = nullptr; // the file belongs to a set, else it is saved on its own
    QSaveFile own{fileName};
    QFileDevice* out = nullptr;
    bool opened = false, failed = false, finished = false;
    QString error;
    std::string fileBuf;
    qint64 written = 0;       // bytes handed to the file, including fileBuf
    std::vector<qint64> offsets{0}; // byte offset of each object (index = object number)
    std::vector<int> kids;    // page objects
    QString title;
    double emptyWidth = 21.0, emptyHeight = 29.7;

    z_stream zs{};
    bool zInit = false;
    std::vector<unsigned char> zbuf;

    std::vector<Face> faces;
    std::vector<FontUse> fonts; // by document font index
    QHash<QString, Image> images;
    int imageCount = 0;

    // State of the page being written.
    Bytes content, str;
    struct Extent {
        double left, top, right, bottom;
    };
    std::vector<qsizetype> early;
    std::vector<Extent> extents;
    double pageHeight = 0;
    bool inText = false;
    bool fillPending = false; // rectangles waiting for their "f"
    int curFace = -1;
    double curSize = 0;
    long long tx = 0, ty = 0; // start of the current text line, 1/100 pt
    QRgb fill = 0, stroke = 0;
    long long lineWidth = 0;
    int cap = 0, dash = 1;

    static constexpr int CatalogObj = 1, PagesObj = 2, ResourcesObj = 3, InfoObj = 4;

    ~Impl()
    {
        if (zInit)
            deflateEnd(&zs);
    }

    bool fail(const QString& why)
    {
        if (!failed)
            error = QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(fileName, why);
        failed = true;
        return false;
    }

    // --- file -----------------------------------------------------------------
    bool open()
    {
        if (opened)
            return !failed;
        opened = true;
        if (set) {
            QString why;
            out = set->Create(fileName, &why);
            if (!out) {
                failed = true;
                error = why;
                return false;
            }
        } else {
            out = &own;
            if (!own.open(QIODevice::WriteOnly))
                return fail(own.errorString());
        }
        // The fastest level: page contents are repetitive enough that it
        // still takes them to a fifth, at a third of the default level's time.
        if (deflateInit(&zs, Z_BEST_SPEED) != Z_OK)
            return fail(QStringLiteral("zlib"));
        zInit = true;
        offsets.resize(InfoObj + 1, 0);
        fileBuf.reserve(1 << 20);
        write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
        return !failed;
    }
    void flush()
    {
        if (!fileBuf.empty() && !failed && out->write(fileBuf.data(), qint64(fileBuf.size())) != qint64(fileBuf.size()))
            fail(out->errorString());
        fileBuf.clear();
    }
    void write(const char* data, size_t n)
    {
        if (fileBuf.size() + n > (1u << 20))
            flush();
        if (n >= (1u << 20)) {
            if (!failed && out->write(data, qint64(n)) != qint64(n))
                fail(out->errorString());
        } else {
            fileBuf.append(data, n);
        }
        written += qint64(n);
    }
    void write(const std::string& s) { write(s.data(), s.size()); }
    void write(const char* s) { write(s, std::strlen(s)); }

    int newObject()
    {
        offsets.push_back(0);
        return int(offsets.size()) - 1;
    }
    void beginObject(int n)
    {
        offsets[size_t(n)] = written;
        std::string head;
        appendInt(head, n);
        head += " 0 obj\n";
        write(head);
    }
    // A stream object, compressed: dict entries (without the length) and
    // the data.
    void streamObject(int n, const std::string& dict, const char* data, size_t size)
    {
        deflated(reinterpret_cast<const unsigned char*>(data), size);
        const size_t length = zs.total_out;
        beginObject(n);
        std::string head = "<<" + dict;
        head += "/Length ";
        appendInt(head, qint64(length));
        head += "/Filter/FlateDecode>>\nstream\n";
        write(head);
        write(reinterpret_cast<const char*>(zbuf.data()), length);
        write("\nendstream\nendobj\n");
    }
    // Compresses into zbuf (zs.total_out bytes), with the one deflate state
    // of the file reset for each stream.
    void deflated(const unsigned char* data, size_t size)
    {
        deflateReset(&zs);
        const uLong bound = deflateBound(&zs, uLong(size));
        if (zbuf.size() < bound)
            zbuf.resize(bound);
        zs.next_in = const_cast<Bytef*>(data);
        zs.avail_in = uInt(size);
        zs.next_out = zbuf.data();
        zs.avail_out = uInt(zbuf.size());
        deflate(&zs, Z_FINISH);
    }

    // --- fonts ----------------------------------------------------------------
    // The face of a resolved font in this file; -1 when it has no
    // TrueType outlines. For characters no installed face has, the layout
    // hands out a stand-in without any font file behind it (it draws
    // boxes); it has no tables and must not be asked for its names.
    int faceOf(const QRawFont& raw)
    {
        if (!raw.isValid() || raw.fontTable("head").isEmpty())
            return -1;
        const QString key = faceKey(raw);
        for (size_t i = 0; i < faces.size(); ++i)
            if (faces[i].key == key)
                return int(i);
        std::shared_ptr<const Ttf::TFace> ttf = sharedFace(key, raw);
        if (!ttf->IsValid())
            return -1;
        Face f;
        f.ttf = ttf;
        f.key = key;
        f.resource = "F" + std::to_string(faces.size() + 1);
        f.used.assign(size_t(ttf->GlyphCount()), false);
        f.unicode.assign(size_t(ttf->GlyphCount()), 0);
        faces.push_back(std::move(f));
        return int(faces.size()) - 1;
    }
    int faceFor(const TFontSpec& wanted)
    {
        int face = faceOf(QRawFont::fromFont(Fonts::makeFont(wanted, 12)));
        if (face < 0) {
            // A face without TrueType outlines: the layout's default family
            // in the same style stands in.
            TFontSpec standIn = wanted;
            standIn.Name = QStringLiteral("Arial");
            face = faceOf(QRawFont::fromFont(Fonts::makeFont(standIn, 12)));
        }
        return face;
    }
    const FontUse* fontOf(const TReportDocument& doc, int index)
    {
        if (index < 0 || index >= doc.Fonts.size())
            return nullptr;
        if (size_t(index) >= fonts.size())
            fonts.resize(size_t(doc.Fonts.size()));
        FontUse& use = fonts[size_t(index)];
        if (use.face == -2) {
            const TFontSpec& wanted = doc.Fonts[index];
            use.face = faceFor(wanted);
            use.underline = wanted.Underline;
            // The size the layout measured at: the layout device sets a
            // face in whole pixels of its resolution (10 pt at 1200 dpi is
            // 167 pixels, 10.02 pt), and the widths in the stream are those.
            const double size = Fonts::pointSize(wanted.Size);
            const double pixels = std::round(size * Fonts::LayoutDpi / 72);
            use.size = pixels > 0 ? pixels * 72 / Fonts::LayoutDpi : size;
        }
        return use.face >= 0 ? &use : nullptr;
    }

    // --- page state -----------------------------------------------------------
    void beginText()
    {
        flushFill();
        if (!inText) {
            content += "BT\n";
            inText = true;
            tx = ty = 0;
        }
    }
    void endText()
    {
        if (inText) {
            content += "ET\n";
            inText = false;
        }
    }
    static void appendColor(Bytes& s, QRgb c, const char* grey, const char* rgb)
    {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        if (r == g && g == b) {
            appendChannel(s, r);
            s += grey;
        } else {
            appendChannel(s, r);
            s += ' ';
            appendChannel(s, g);
            s += ' ';
            appendChannel(s, b);
            s += rgb;
        }
    }
    void flushFill()
    {
        if (fillPending) {
            content += "f\n";
            fillPending = false;
        }
    }
    // A filled rectangle: rectangles in a row with the same colour make one
    // path, filled once.
    void fillRect(double xCm, double yCm, double wCm, double hCm, QRgb c)
    {
        endText();
        setFill(c);
        appendRect(xCm, yCm, wCm, hCm);
        fillPending = true;
    }
    void setFill(QRgb c)
    {
        c &= 0xffffff;
        if (c != fill) {
            flushFill();
            appendColor(content, c, " g\n", " rg\n");
            fill = c;
        }
    }
    // Stroke colour, width (pt), cap (0 butt, 2 square) and Qt pen style.
    void setStroke(QRgb c, double width, int lineCap, int penStyle)
    {
        flushFill();
        c &= 0xffffff;
        if (c != stroke) {
            appendColor(content, c, " G\n", " RG\n");
            stroke = c;
        }
        const long long w = hundredths(width);
        if (w != lineWidth) {
            appendHundredths(content, w);
            content += " w\n";
            lineWidth = w;
        }
        if (lineCap != cap) {
            appendInt(content, lineCap);
            content += " J\n";
            cap = lineCap;
        }
        if (penStyle != dash) {
            // Qt's dash patterns, in pen widths.
            static const std::vector<std::vector<int>> patterns = {
                {}, {}, {4, 2}, {1, 2}, {4, 2, 1, 2}, {4, 2, 1, 2, 1, 2}};
            const std::vector<int>& p = penStyle >= 0 && penStyle < int(patterns.size()) ? patterns[size_t(penStyle)]
                                                                                          : patterns[1];
            content += '[';
            for (size_t i = 0; i < p.size(); ++i) {
                if (i)
                    content += ' ';
                appendNum(content, p[i] * width);
            }
            content += "] 0 d\n";
            dash = penStyle;
        }
    }
    void appendPoint(double xCm, double yCm)
    {
        appendNum(content, ptX(xCm));
        content += ' ';
        appendNum(content, pageHeight - yCm * PtPerCm);
    }
    void appendRect(double xCm, double yCm, double wCm, double hCm)
    {
        appendNum(content, ptX(xCm));
        content += ' ';
        appendNum(content, pageHeight - (yCm + hCm) * PtPerCm);
        content += ' ';
        appendNum(content, wCm * PtPerCm);
        content += ' ';
        appendNum(content, hCm * PtPerCm);
        content += " re\n";
    }

    // --- operations -----------------------------------------------------------
    void text(const TReportDocument& doc, const TStreamOp& op)
    {
        const FontUse* use = fontOf(doc, op.Font);
        if (!use || op.Text.isEmpty())
            return;
        Face& face = faces[size_t(use->face)];
        const Ttf::TFace& ttf = *face.ttf;

        // The glyph codes as one string; a kerned pair moves the next
        // glyph by the font's amount inside a TJ array.
        str.clear();
        str += '(';
        bool kerned = false;
        quint16 previous = 0;
        bool first = true;
        const qsizetype n = op.Text.size();
        const QChar* chars = op.Text.constData();
        for (qsizetype i = 0; i < n; ++i) {
            char32_t c = chars[i].unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < n && chars[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(chars[i].unicode(), chars[i + 1].unicode());
                ++i;
            }
            if (c < 0x20)
                c = 0x20;
            const quint16 glyph = ttf.Glyph(c);
            if (glyph == 0) {
                fallbackText(doc, op, *use);
                return;
            }
            if (!face.used[glyph]) {
                face.used[glyph] = true;
                face.unicode[glyph] = c;
            }
            if (!first) {
                const int k = ttf.Kerning(previous, glyph);
                if (k) {
                    str += ')';
                    appendHundredths(str, std::llround(-k * 100000.0 / ttf.UnitsPerEm()));
                    str += '(';
                    kerned = true;
                }
            }
            first = false;
            previous = glyph;
            for (const char byte : {char(glyph >> 8), char(glyph & 0xff)}) {
                switch (byte) {
                case '(':
                case ')':
                case '\\':
                    str += '\\';
                    str += byte;
                    break;
                case '\r':
                    str += "\\r";
                    break;
                default:
                    str += byte;
                }
            }
        }
        str += ')';

        const double left = op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
        const long long x = hundredths(ptX(left)), y = hundredths(pageHeight - op.Y1 * PtPerCm);
        beginText();
        if (use->face != curFace || use->size != curSize) {
            content += '/';
            content += face.resource;
            content += ' ';
            appendNum(content, use->size);
            content += " Tf\n";
            curFace = use->face;
            curSize = use->size;
        }
        setFill(op.Color);
        appendHundredths(content, x - tx);
        content += ' ';
        appendHundredths(content, y - ty);
        content += " Td";
        tx = x;
        ty = y;
        if (kerned) {
            content += '[';
            content += str;
            content += "]TJ\n";
        } else {
            content += str;
            content += "Tj\n";
        }
        if (use->underline)
            underline(op, *use, left);
    }

    void underline(const TStreamOp& op, const FontUse& use, double left)
    {
        const Ttf::TFace& ttf = *faces[size_t(use.face)].ttf;
        const double scale = use.size / ttf.UnitsPerEm() / PtPerCm; // font units to cm
        const double thickness = ttf.UnderlineThickness() * scale;
        fillRect(left, op.Y1 - ttf.UnderlinePosition() * scale - thickness / 2, op.X2, thickness, op.Color);
    }

    // A text with characters its face lacks, set as the layout sets it:
    // Qt's text layout picks a face that has them, and each glyph goes
    // where the layout puts it. Rare, so neither short nor fast.
    void fallbackText(const TReportDocument& doc, const TStreamOp& op, const FontUse& use)
    {
        static const QImage device = [] {
            QImage img(1, 1, QImage::Format_ARGB32);
            const int dpm = int(Fonts::LayoutDpi / 0.0254 + 0.5);
            img.setDotsPerMeterX(dpm);
            img.setDotsPerMeterY(dpm);
            return img;
        }();
        const double ptPerPixel = 72.0 / Fonts::LayoutDpi;
        QString text = op.Text;
        for (QChar& c : text)
            if (c.unicode() < 0x20)
                c = QLatin1Char(' ');
        QTextLayout layout(text, Fonts::makeFont(doc.Fonts[op.Font]), const_cast<QImage*>(&device));
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            layout.endLayout();
            return;
        }
        line.setLineWidth(1e6);
        layout.endLayout();
        const double left = op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
        const double baseline = pageHeight - op.Y1 * PtPerCm;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QRawFont raw = run.rawFont();
            const int fi = faceOf(raw);
            if (fi < 0)
                continue;
            Face& face = faces[size_t(fi)];
            const double size = std::round(raw.pixelSize()) * ptPerPixel;
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            beginText();
            if (fi != curFace || size != curSize) {
                content += '/';
                content += face.resource;
                content += ' ';
                appendNum(content, size);
                content += " Tf\n";
                curFace = fi;
                curSize = size;
            }
            setFill(op.Color);
            for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
                const quint32 glyph = glyphs[i];
                if (glyph >= face.used.size())
                    continue;
                if (!face.used[glyph]) {
                    face.used[glyph] = true;
                    // The character the glyph stands for: the first of the
                    // text that the face maps to it.
                    for (qsizetype k = 0; k < text.size() && !face.unicode[glyph]; ++k) {
                        char32_t c = text[k].unicode();
                        if (text[k].isHighSurrogate() && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
                            c = QChar::surrogateToUcs4(text[k], text[k + 1]);
                            ++k;
                        }
                        if (face.ttf->Glyph(c) == glyph)
                            face.unicode[glyph] = c;
                    }
                }
                const long long x = hundredths(ptX(left) + positions[i].x() * ptPerPixel);
                const long long y = hundredths(baseline - (positions[i].y() - line.ascent()) * ptPerPixel);
                appendHundredths(content, x - tx);
                content += ' ';
                appendHundredths(content, y - ty);
                content += " Td<";
                static const char hex[] = "0123456789ABCDEF";
                for (int shift = 12; shift >= 0; shift -= 4)
                    content += hex[(glyph >> shift) & 15];
                content += ">Tj\n";
                tx = x;
                ty = y;
            }
        }
        if (use.underline)
            underline(op, use, left);
    }

    void box(const TStreamOp& op)
    {
        endText();
        if (op.Shade > 0) {
            const int g = greyOf(op.Shade);
            fillRect(op.X1, op.Y1, op.X2, op.Y2, qRgb(g, g, g));
        }
        if (op.Borders) {
            setStroke(op.Color, penWidthPt(op.Width), 2, 1);
            const double l = op.X1, t = op.Y1, r = op.X1 + op.X2, b = op.Y1 + op.Y2;
            auto segment = [&](double x1, double y1, double x2, double y2) {
                appendPoint(x1, y1);
                content += " m ";
                appendPoint(x2, y2);
                content += " l\n";
            };
            if (op.Borders & BorderLeft)
                segment(l, t, l, b);
            if (op.Borders & BorderTop)
                segment(l, t, r, t);
            if (op.Borders & BorderRight)
                segment(r, t, r, b);
            if (op.Borders & BorderBottom)
                segment(l, b, r, b);
            content += "S\n";
        }
    }

    void line(const TStreamOp& op)
    {
        if (op.PenStyle == 0) // no pen
            return;
        endText();
        setStroke(op.Color, penWidthPt(op.Width), 0, op.PenStyle);
        appendPoint(op.X1, op.Y1);
        content += " m ";
        appendPoint(op.X2, op.Y2);
        content += " l S\n";
    }

    void image(const TStreamOp& op)
    {
        const Image& img = imageFor(op.Text);
        if (img.resource.empty())
            return;
        endText();
        flushFill();
        content += "q ";
        appendNum(content, op.X2 * PtPerCm);
        content += " 0 0 ";
        appendNum(content, op.Y2 * PtPerCm);
        content += ' ';
        appendPoint(op.X1, op.Y1 + op.Y2);
        content += " cm /";
        content += img.resource;
        content += " Do Q\n";
    }

    void barCode(const TStreamOp& op)
    {
        const qsizetype n = op.Modules.size();
        if (n == 0)
            return;
        const double module = op.X2 / double(n);
        for (qsizetype i = 0; i < n;) {
            if (op.Modules[i] != QLatin1Char('1')) {
                ++i;
                continue;
            }
            qsizetype j = i;
            while (j < n && op.Modules[j] == QLatin1Char('1'))
                ++j;
            fillRect(op.X1 + double(i) * module, op.Y1, double(j - i) * module, op.Y2, op.Color);
            i = j;
        }
    }

    const Image& imageFor(const QString& file)
    {
        auto it = images.find(file);
        if (it != images.end())
            return *it;
        Image result;
        QImage img = LoadImageFile(file);
        if (!img.isNull() && open()) {
            const int w = img.width(), h = img.height();
            const bool alpha = img.hasAlphaChannel();
            const bool grey = !alpha && img.isGrayscale();
            img = img.convertToFormat(alpha ? QImage::Format_RGBA8888 : grey ? QImage::Format_Grayscale8
                                                                              : QImage::Format_RGB888);
            const int channels = grey ? 1 : 3;
            std::string pixels, mask;
            pixels.reserve(size_t(w) * size_t(h) * size_t(channels));
            if (alpha)
                mask.reserve(size_t(w) * size_t(h));
            for (int y = 0; y < h; ++y) {
                const char* row = reinterpret_cast<const char*>(img.constScanLine(y));
                if (!alpha) {
                    pixels.append(row, size_t(w) * size_t(channels));
                    continue;
                }
                for (int x = 0; x < w; ++x) {
                    pixels.append(row + 4 * x, 3);
                    mask += row[4 * x + 3];
                }
            }
            std::string dict = "/Type/XObject/Subtype/Image/Width " + std::to_string(w) + "/Height "
                               + std::to_string(h) + "/BitsPerComponent 8";
            if (alpha) {
                const int smask = newObject();
                streamObject(smask, dict + "/ColorSpace/DeviceGray", mask.data(), mask.size());
                dict += "/SMask " + std::to_string(smask) + " 0 R";
            }
            result.object = newObject();
            streamObject(result.object, dict + (grey ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB"),
                         pixels.data(), pixels.size());
            result.resource = "Im" + std::to_string(++imageCount);
        }
        return *images.insert(file, result);
    }

    void paintOp(const TReportDocument& doc, const TStreamOp& op)
    {
        switch (op.Kind) {
        case TOpKind::Text:
            text(doc, op);
            break;
        case TOpKind::Box:
            box(op);
            break;
        case TOpKind::Line:
            line(op);
            break;
        case TOpKind::Image:
            image(op);
            break;
        case TOpKind::BarCode:
            barCode(op);
            break;
        }
    }

    // Texts and tab shading of a printed line.
    static bool inLine(const TStreamOp& op)
    {
        return op.Kind == TOpKind::Text || (op.Kind == TOpKind::Box && op.Borders == 0);
    }

    // The shading of a printed line's tabs is filled before the line's
    // texts instead of between them, as one path of rectangles (cells side
    // by side merged), so that the page switches between filling and text
    // once per line rather than once per tab. A shading only goes before a
    // text that stays clear of it (by the text's extent and a margin for
    // overhanging glyphs), so nothing that was covered is uncovered or the
    // other way round: the picture stays the same.
    void paintLine(const TReportDocument& doc, const QVector<TStreamOp>& ops, qsizetype from, qsizetype to)
    {
        early.clear();
        extents.clear();
        for (qsizetype k = from; k < to; ++k) {
            const TStreamOp& op = ops[k];
            if (op.Kind == TOpKind::Text) {
                const FontUse* use = fontOf(doc, op.Font);
                if (!use)
                    continue;
                const Ttf::TFace& ttf = *faces[size_t(use->face)].ttf;
                const double em = use->size / PtPerCm; // cm
                const double margin = std::max(2.54 / 72, 0.15 * em);
                const double left = op.Align == 'R' ? op.X1 - op.X2 : op.Align == 'C' ? op.X1 - op.X2 / 2 : op.X1;
                const double up = double(ttf.BoundingBox()[3]) / ttf.UnitsPerEm() * em;
                const double down = -double(ttf.BoundingBox()[1]) / ttf.UnitsPerEm() * em;
                extents.push_back({left - margin, op.Y1 - up - margin, left + op.X2 + margin, op.Y1 + down + margin});
            } else if (op.Shade > 0) {
                const double l = op.X1, t = op.Y1, r = op.X1 + op.X2, b = op.Y1 + op.Y2;
                const bool clear = std::none_of(extents.begin(), extents.end(), [&](const Extent& e) {
                    return e.left < r && l < e.right && e.top < b && t < e.bottom;
                });
                if (!clear)
                    break; // this one and what follows keep their places
                early.push_back(k);
            }
        }
        // Shadings side by side on the same band become one rectangle.
        for (size_t i = 0; i < early.size();) {
            const TStreamOp& first = ops[early[i]];
            double right = first.X1 + first.X2;
            size_t j = i + 1;
            for (; j < early.size(); ++j) {
                const TStreamOp& next = ops[early[j]];
                if (next.Shade != first.Shade || std::abs(next.Y1 - first.Y1) > 1e-9
                    || std::abs(next.Y2 - first.Y2) > 1e-9 || std::abs(next.X1 - right) > 1e-9)
                    break;
                right = next.X1 + next.X2;
            }
            const int g = greyOf(first.Shade);
            fillRect(first.X1, first.Y1, right - first.X1, first.Y2, qRgb(g, g, g));
            i = j;
        }
        size_t nextEarly = 0;
        for (qsizetype k = from; k < to; ++k) {
            if (nextEarly < early.size() && early[nextEarly] == k)
                ++nextEarly;
            else
                paintOp(doc, ops[k]);
        }
    }

    bool addPage(const TReportDocument& doc, const TStreamPage& page)
    {
        if (finished || !open())
            return false;
        if (kids.empty())
            title = doc.Title;
        // Whole points, as the page sizes of earlier output were.
        pageHeight = std::round(page.Height * PtPerCm);
        content.clear();
        inText = false;
        curFace = -1;
        curSize = 0;
        // The PDF defaults every page starts from.
        fill = stroke = 0;
        lineWidth = 100;
        cap = 0;
        dash = 1;
        fillPending = false;
        const QVector<TStreamOp>& ops = page.Ops;
        for (qsizetype i = 0; i < ops.size();) {
            if (!inLine(ops[i])) {
                paintOp(doc, ops[i]);
                ++i;
                continue;
            }
            qsizetype end = i + 1;
            while (end < ops.size() && inLine(ops[end]) && ops[end].Line == ops[i].Line)
                ++end;
            paintLine(doc, ops, i, end);
            i = end;
        }
        endText();
        flushFill();
        writePage(std::round(page.Width * PtPerCm), pageHeight);
        return !failed;
    }

    void writePage(double width, double height)
    {
        const int contents = newObject();
        streamObject(contents, std::string(), content.data(), content.size());
        const int pageObj = newObject();
        beginObject(pageObj);
        std::string s = "<</Type/Page/Parent 2 0 R/MediaBox[0 0 ";
        appendNum(s, width);
        s += ' ';
        appendNum(s, height);
        s += "]/Resources 3 0 R/Contents ";
        appendInt(s, contents);
        s += " 0 R>>\nendobj\n";
        write(s);
        kids.push_back(pageObj);
    }

    // The Type 0 font of a face, its descendant, descriptor, program and
    // ToUnicode map; returns the Type 0 font's object.
    int writeFont(const Face& face)
    {
        const Ttf::TFace& ttf = *face.ttf;
        const double toThousand = 1000.0 / ttf.UnitsPerEm();
        // Subset tag: six letters from the glyphs used.
        QCryptographicHash hash(QCryptographicHash::Md5);
        hash.addData(face.key.toUtf8());
        for (size_t g = 0; g < face.used.size(); ++g)
            if (face.used[g])
                hash.addData(QByteArrayView(reinterpret_cast<const char*>(&g), sizeof g));
        const QByteArray digest = hash.result();
        std::string name;
        for (int i = 0; i < 6; ++i)
            name += char('A' + quint8(digest[i]) % 26);
        name += '+';
        name += ttf.PostScriptName().toStdString();

        const QByteArray program = ttf.Subset(face.used);
        const int file = newObject();
        streamObject(file, "/Length1 " + std::to_string(program.size()), program.constData(), size_t(program.size()));

        const int descriptor = newObject();
        beginObject(descriptor);
        std::string s = "<</Type/FontDescriptor/FontName/" + name + "/Flags ";
        appendInt(s, 32 | (ttf.FixedPitch() ? 1 : 0) | (ttf.ItalicAngle() != 0 ? 64 : 0));
        s += "/FontBBox[";
        for (int k = 0; k < 4; ++k) {
            if (k)
                s += ' ';
            appendNum(s, ttf.BoundingBox()[k] * toThousand);
        }
        s += "]/ItalicAngle ";
        appendNum(s, ttf.ItalicAngle());
        s += "/Ascent ";
        appendNum(s, ttf.Ascent() * toThousand);
        s += "/Descent ";
        appendNum(s, ttf.Descent() * toThousand);
        s += "/CapHeight ";
        appendNum(s, ttf.CapHeight() * toThousand);
        s += ttf.Bold() ? "/StemV 120" : "/StemV 80";
        s += "/FontFile2 " + std::to_string(file) + " 0 R>>\nendobj\n";
        write(s);

        // Widths of the glyphs used, in runs of consecutive glyphs.
        const int cid = newObject();
        beginObject(cid);
        s = "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name
            + "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor "
            + std::to_string(descriptor) + " 0 R/CIDToGIDMap/Identity/W[";
        for (size_t g = 0; g < face.used.size();) {
            if (!face.used[g]) {
                ++g;
                continue;
            }
            appendInt(s, qint64(g));
            s += '[';
            for (bool firstInRun = true; g < face.used.size() && face.used[g]; ++g, firstInRun = false) {
                if (!firstInRun)
                    s += ' ';
                appendNum(s, ttf.Advance(quint16(g)) * toThousand);
            }
            s += "]\n";
        }
        s += "]>>\nendobj\n";
        write(s);

        // ToUnicode: glyph code to the character it was drawn for.
        static const char hex[] = "0123456789ABCDEF";
        auto hex4 = [&](std::string& o, unsigned v) {
            for (int shift = 12; shift >= 0; shift -= 4)
                o += hex[(v >> shift) & 15];
        };
        std::vector<size_t> mapped;
        for (size_t g = 0; g < face.unicode.size(); ++g)
            if (face.used[g] && face.unicode[g])
                mapped.push_back(g);
        std::string cmap = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                           "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                           "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                           "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
        for (size_t i = 0; i < mapped.size(); i += 100) {
            const size_t end = std::min(mapped.size(), i + 100);
            cmap += std::to_string(end - i) + " beginbfchar\n";
            for (size_t k = i; k < end; ++k) {
                const size_t g = mapped[k];
                const char32_t c = face.unicode[g];
                cmap += '<';
                hex4(cmap, unsigned(g));
                cmap += "><";
                if (c >= 0x10000) {
                    hex4(cmap, QChar::highSurrogate(c));
                    hex4(cmap, QChar::lowSurrogate(c));
                } else {
                    hex4(cmap, unsigned(c));
                }
                cmap += ">\n";
            }
            cmap += "endbfchar\n";
        }
        cmap += "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
        const int toUnicode = newObject();
        streamObject(toUnicode, std::string(), cmap.data(), cmap.size());

        const int type0 = newObject();
        beginObject(type0);
        s = "<</Type/Font/Subtype/Type0/BaseFont/" + name + "/Encoding/Identity-H/DescendantFonts["
            + std::to_string(cid) + " 0 R]/ToUnicode " + std::to_string(toUnicode) + " 0 R>>\nendobj\n";
        write(s);
        return type0;
    }

    bool finish()
    {
        if (finished)
            return !failed;
        if (!open())
            return false;
        if (kids.empty()) {
            content.clear();
            writePage(std::round(emptyWidth * PtPerCm), std::round(emptyHeight * PtPerCm));
        }
        std::string fontDict, imageDict;
        for (const Face& face : faces)
            fontDict += "/" + face.resource + " " + std::to_string(writeFont(face)) + " 0 R";
        for (const Image& img : std::as_const(images))
            if (!img.resource.empty())
                imageDict += "/" + img.resource + " " + std::to_string(img.object) + " 0 R";

        beginObject(ResourcesObj);
        write("<</ProcSet[/PDF/Text/ImageB/ImageC]/Font<<" + fontDict + ">>/XObject<<" + imageDict
              + ">>>>\nendobj\n");
        beginObject(PagesObj);
        std::string s = "<</Type/Pages/Count " + std::to_string(kids.size()) + "/Kids[";
        for (size_t i = 0; i < kids.size(); ++i) {
            s += std::to_string(kids[i]);
            s += (i + 1) % 16 ? " 0 R " : " 0 R\n";
        }
        s += "]>>\nendobj\n";
        write(s);
        beginObject(CatalogObj);
        write("<</Type/Catalog/Pages 2 0 R>>\nendobj\n");
        const QDateTime now = QDateTime::currentDateTimeUtc();
        beginObject(InfoObj);
        write("<</Title" + textString(title) + "/Creator(Reports1)/Producer(Reports1)/CreationDate(D:"
              + now.toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + "Z)>>\nendobj\n");

        const qint64 xref = written;
        s = "xref\n0 " + std::to_string(offsets.size()) + "\n0000000000 65535 f \n";
        char entry[32];
        for (size_t i = 1; i < offsets.size(); ++i) {
            std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offsets[i]));
            s += entry;
        }
        const QByteArray id = QCryptographicHash::hash(
            (fileName + now.toString(Qt::ISODateWithMs) + QString::number(written)).toUtf8(), QCryptographicHash::Md5)
                                  .toHex()
                                  .toUpper();
        s += "trailer\n<</Size " + std::to_string(offsets.size()) + "/Root 1 0 R/Info 4 0 R/ID[<" + id.toStdString()
             + "><" + id.toStdString() + ">]>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        write(s);
        flush();
        finished = true;
        if (failed) {
            drop();
            return false;
        }
        if (set) {
            // Closed now (a set may hold hundreds of files); the set puts it in place.
            out->close();
            if (out->error() != QFileDevice::NoError)
                return fail(out->errorString());
            return true;
        }
        if (!own.commit())
            return fail(own.errorString());
        return true;
    }

    void cancel()
    {
        if (opened && !finished)
            drop();
        finished = true;
    }

    // Removes what was written so far.
    void drop()
    {
        if (set) {
            set->Drop(fileName);
        } else if (own.isOpen()) {
            own.cancelWriting();
            own.commit(); // removes the temporary file
        }
    }
};

TPdfWriter::TPdfWriter(const QString& file) : d(std::make_unique<Impl>(file, nullptr)) {}
TPdfWriter::TPdfWriter(const QString& file, TFileSet& set) : d(std::make_unique<Impl>(file, &set)) {}

TPdfWriter::~TPdfWriter()
{
    if (!d->finished)
        d->cancel();
}

bool TPdfWriter::AddPage(const TReportDocument& doc, const TStreamPage& page) { return d->addPage(doc, page); }
bool TPdfWriter::Finish() { return d->finish(); }
void TPdfWriter::Cancel() { d->cancel(); }
QString TPdfWriter::ErrorString() const { return d->error; }
int TPdfWriter::PageCount() const { return int(d->kids.size()); }
QString TPdfWriter::FileName() const { return d->fileName; }

} // namespace Report
