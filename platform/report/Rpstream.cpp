#include "platform/report/Rpstream.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace Report {

int TReportDocument::FontIndex(const TFontSpec& font)
{
    // Fonts are few; the last one used is by far the most frequent.
    for (int i = int(Fonts.size()) - 1; i >= 0; --i)
        if (Fonts[i] == font)
            return i;
    Fonts.append(font);
    return int(Fonts.size()) - 1;
}

// File layout (QDataStream's Qt 6.0 encoding, big endian):
//   "QVRS" quint16 version
//   title, orientation, paper, four margins
//   font count, fonts (name, size, bold, italic, underline)
//   page count, pages (width, height, op count, ops)
// An op is its kind byte followed by the fields its kind uses. Integers and
// doubles are big-endian, bools one byte, strings a quint32 byte count
// (0xffffffff for a null string) followed by UTF-16BE. The file is encoded
// and decoded here directly, byte for byte what QDataStream writes and reads,
// because a stream of a few hundred pages has millions of fields and
// QDataStream goes through the device for each of them.

namespace {

const char magic[4] = {'Q', 'V', 'R', 'S'};

// Fields into a buffer that is handed to the file in large blocks.
class Encoder {
public:
    explicit Encoder(QIODevice& out) : out_(out), buf_(new char[BlockSize]) {}

    void raw(const char* data, qsizetype n)
    {
        while (n > 0) {
            if (used_ == BlockSize)
                flush();
            const qsizetype k = std::min(n, BlockSize - used_);
            std::memcpy(buf_.get() + used_, data, size_t(k));
            used_ += k;
            data += k;
            n -= k;
        }
    }
    template <typename T>
    void be(T v)
    {
        if (BlockSize - used_ < qsizetype(sizeof(T)))
            flush();
        qToBigEndian(v, buf_.get() + used_);
        used_ += qsizetype(sizeof(T));
    }
    void u8(quint8 v) { be(v); }
    void i32(qint32 v) { be(v); }
    void u32(quint32 v) { be(v); }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        be(bits);
    }
    void boolean(bool v) { u8(v ? 1 : 0); }
    void str(const QString& s)
    {
        if (s.isNull()) {
            u32(0xffffffffu);
            return;
        }
        qsizetype n = s.size();
        u32(quint32(n * 2));
        const ushort* from = s.utf16();
        while (n > 0) {
            if (BlockSize - used_ < 2)
                flush();
            const qsizetype k = std::min(n, (BlockSize - used_) / 2);
            qToBigEndian<char16_t>(from, k, buf_.get() + used_);
            used_ += k * 2;
            from += k;
            n -= k;
        }
    }
    // Hands the buffer to the device; false when the device refused data.
    bool flush()
    {
        if (used_ > 0 && ok_)
            ok_ = out_.write(buf_.get(), used_) == used_;
        used_ = 0;
        return ok_;
    }

private:
    static constexpr qsizetype BlockSize = 1 << 20;
    QIODevice& out_;
    std::unique_ptr<char[]> buf_;
    qsizetype used_ = 0;
    bool ok_ = true;
};

// Fields out of the file, read in large blocks. Reading past the end yields
// zeros and clears ok(), as QDataStream's ReadPastEnd status does.
class Decoder {
public:
    explicit Decoder(QIODevice& in) : in_(in), buf_(new char[BlockSize]), unread_(in.size()) {}
    bool ok() const { return ok_; }
    // Bytes not decoded yet.
    qint64 left() const { return (end_ - p_) + unread_; }

    bool raw(char* to, qint64 n)
    {
        if (!need(n))
            return false;
        std::memcpy(to, p_, size_t(n));
        p_ += n;
        return true;
    }
    template <typename T>
    T be()
    {
        if (!need(sizeof(T)))
            return T(0);
        const T v = qFromBigEndian<T>(p_);
        p_ += sizeof(T);
        return v;
    }
    quint8 u8() { return be<quint8>(); }
    qint32 i32() { return be<qint32>(); }
    double f64()
    {
        const quint64 bits = be<quint64>();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    bool boolean() { return be<qint8>() != 0; }
    QString str()
    {
        const quint32 bytes = be<quint32>();
        if (!ok_ || bytes == 0xffffffffu)
            return QString();
        if (bytes == 0)
            return QString(QLatin1StringView(""));
        if ((bytes & 1) || left() < qint64(bytes)) {
            fail();
            return QString();
        }
        qsizetype n = bytes / 2;
        QString s(n, Qt::Uninitialized);
        QChar* to = s.data();
        while (n > 0) {
            if (!need(2))
                return QString();
            const qsizetype k = std::min<qsizetype>(n, (end_ - p_) / 2);
            qFromBigEndian<char16_t>(p_, k, to);
            p_ += k * 2;
            to += k;
            n -= k;
        }
        return s;
    }

private:
    static constexpr qint64 BlockSize = 1 << 20;

    // At least n (<= BlockSize) bytes in the buffer, else the read fails.
    bool need(qint64 n)
    {
        if (ok_ && end_ - p_ >= n)
            return true;
        if (!ok_)
            return false;
        const qint64 have = end_ - p_;
        std::memmove(buf_.get(), p_, size_t(have));
        const qint64 got = in_.read(buf_.get() + have, BlockSize - have);
        p_ = buf_.get();
        end_ = p_ + have + std::max<qint64>(got, 0);
        unread_ = std::max<qint64>(unread_ - std::max<qint64>(got, 0), 0);
        if (end_ - p_ >= n)
            return true;
        fail();
        return false;
    }
    void fail()
    {
        ok_ = false;
        p_ = end_;
    }

    QIODevice& in_;
    std::unique_ptr<char[]> buf_;
    const char* p_ = nullptr;
    const char* end_ = nullptr;
    qint64 unread_;
    bool ok_ = true;
};

void writeOp(Encoder& s, const TStreamOp& op)
{
    s.u8(quint8(op.Kind));
    s.f64(op.X1);
    s.f64(op.Y1);
    s.f64(op.X2);
    s.f64(op.Y2);
    switch (op.Kind) {
    case TOpKind::Text:
        s.u8(quint8(op.Align));
        s.i32(op.Font);
        s.u32(op.Color);
        s.i32(op.Line);
        s.i32(op.Tab);
        s.f64(op.CellLeft);
        s.f64(op.CellRight);
        s.str(op.Text);
        break;
    case TOpKind::Line:
        s.i32(op.Width);
        s.i32(op.PenStyle);
        s.u32(op.Color);
        break;
    case TOpKind::Box:
        s.i32(op.Shade);
        s.i32(op.Borders);
        s.i32(op.Width);
        s.u32(op.Color);
        s.i32(op.Line);
        s.i32(op.Tab);
        s.f64(op.CellLeft);
        s.f64(op.CellRight);
        break;
    case TOpKind::Image:
        s.str(op.Text);
        break;
    case TOpKind::BarCode:
        s.u32(op.Color);
        s.str(op.Text);
        s.str(op.Symbology);
        s.str(op.Modules);
        break;
    }
}

bool readOp(Decoder& s, TStreamOp& op)
{
    op.Kind = TOpKind(s.u8());
    op.X1 = s.f64();
    op.Y1 = s.f64();
    op.X2 = s.f64();
    op.Y2 = s.f64();
    switch (op.Kind) {
    case TOpKind::Text:
        op.Align = char(s.be<qint8>());
        op.Font = s.i32();
        op.Color = s.be<quint32>();
        op.Line = s.i32();
        op.Tab = s.i32();
        op.CellLeft = s.f64();
        op.CellRight = s.f64();
        op.Text = s.str();
        break;
    case TOpKind::Line:
        op.Width = s.i32();
        op.PenStyle = s.i32();
        op.Color = s.be<quint32>();
        break;
    case TOpKind::Box:
        op.Shade = s.i32();
        op.Borders = s.i32();
        op.Width = s.i32();
        op.Color = s.be<quint32>();
        op.Line = s.i32();
        op.Tab = s.i32();
        op.CellLeft = s.f64();
        op.CellRight = s.f64();
        break;
    case TOpKind::Image:
        op.Text = s.str();
        break;
    case TOpKind::BarCode:
        op.Color = s.be<quint32>();
        op.Text = s.str();
        op.Symbology = s.str();
        op.Modules = s.str();
        break;
    default:
        return false;
    }
    return s.ok();
}

// Smallest encoded op (an image: kind, four doubles, an empty file name).
constexpr qint64 MinOpBytes = 1 + 4 * 8 + 4;

} // namespace

bool WriteStream(const TReportDocument& doc, const QString& file, QString* error)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    Encoder s(out);
    s.raw(magic, 4);
    s.be<quint16>(StreamVersion);
    const TPageSetup& p = doc.Setup;
    s.str(doc.Title);
    s.i32(qint32(p.Orientation));
    s.i32(qint32(p.Paper));
    s.f64(p.MarginLeft);
    s.f64(p.MarginRight);
    s.f64(p.MarginTop);
    s.f64(p.MarginBottom);
    s.i32(qint32(doc.Fonts.size()));
    for (const TFontSpec& f : doc.Fonts) {
        s.str(f.Name);
        s.f64(f.Size);
        s.boolean(f.Bold);
        s.boolean(f.Italic);
        s.boolean(f.Underline);
    }
    s.i32(qint32(doc.Pages.size()));
    for (const TStreamPage& page : doc.Pages) {
        s.f64(page.Width);
        s.f64(page.Height);
        s.i32(qint32(page.Ops.size()));
        for (const TStreamOp& op : page.Ops)
            writeOp(s, op);
    }
    if (!s.flush() || !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

bool ReadStream(const QString& file, TReportDocument& doc, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Druckdatei %1 kann nicht gelesen werden: %2").arg(file, in.errorString()));
    Decoder s(in);
    char m[4];
    if (!s.raw(m, 4) || memcmp(m, magic, 4) != 0)
        return fail(QStringLiteral("keine Druckdatei: %1").arg(file));
    const quint16 version = s.be<quint16>();
    if (version != StreamVersion)
        return fail(QStringLiteral("Druckdatei-Version %1 wird nicht unterstützt").arg(version));
    TReportDocument d;
    d.Title = s.str();
    d.Setup.Orientation = TOrientation(s.i32());
    d.Setup.Paper = TPaper(s.i32());
    d.Setup.MarginLeft = s.f64();
    d.Setup.MarginRight = s.f64();
    d.Setup.MarginTop = s.f64();
    d.Setup.MarginBottom = s.f64();
    d.Setup.Title = d.Title;
    qint32 count = s.i32();
    // A font takes at least 12 bytes, a page 20: a count beyond what the
    // rest of the file can hold is damage.
    if (!s.ok() || count < 0 || count > s.left() / 12)
        return fail(QStringLiteral("Druckdatei beschädigt"));
    d.Fonts.resize(count);
    for (TFontSpec& f : d.Fonts) {
        f.Name = s.str();
        f.Size = s.f64();
        f.Bold = s.boolean();
        f.Italic = s.boolean();
        f.Underline = s.boolean();
    }
    count = s.i32();
    if (!s.ok() || count < 0 || count > s.left() / 20)
        return fail(QStringLiteral("Druckdatei beschädigt"));
    d.Pages.resize(count);
    for (TStreamPage& page : d.Pages) {
        page.Width = s.f64();
        page.Height = s.f64();
        const qint32 ops = s.i32();
        if (!s.ok() || ops < 0 || ops > s.left() / MinOpBytes)
            return fail(QStringLiteral("Druckdatei beschädigt"));
        page.Ops.resize(ops);
        for (TStreamOp& op : page.Ops)
            if (!readOp(s, op))
                return fail(QStringLiteral("Druckdatei beschädigt"));
    }
    doc = std::move(d);
    return true;
}

// --- dump ------------------------------------------------------------------

namespace {

QString num(double v)
{
    if (std::fabs(v) < 0.0005)
        v = 0;
    return QString::number(v, 'f', 3);
}

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

} // namespace

TPageSink::~TPageSink() = default;

void DumpPage(const TReportDocument& doc, int pageNumber, const TStreamPage& streamPage, QString& out)
{
    const QChar t = QLatin1Char('\t');
    const QString page = QString::number(pageNumber);
    out += QLatin1String("P ") + page + QLatin1Char('\n');
    for (const TStreamOp& op : streamPage.Ops) {
        switch (op.Kind) {
        case TOpKind::Text: {
            const TFontSpec f = op.Font >= 0 && op.Font < doc.Fonts.size() ? doc.Fonts[op.Font] : TFontSpec();
            QString style;
            if (f.Bold)
                style += QLatin1Char('B');
            if (f.Italic)
                style += QLatin1Char('I');
            if (f.Underline)
                style += QLatin1Char('U');
            out += QLatin1Char('T') + t + page + t + num(op.X1) + t + num(op.Y1) + t + QLatin1Char(op.Align) + t
                   + f.Name + t + QString::number(f.Size) + t + style + t + oneLine(op.Text);
            break;
        }
        case TOpKind::Line:
            out += QLatin1Char('L') + t + page + t + num(op.X1) + t + num(op.Y1) + t + num(op.X2) + t + num(op.Y2)
                   + t + QString::number(op.Width);
            break;
        case TOpKind::Box: {
            QString borders;
            if (op.Borders & BorderLeft)
                borders += QLatin1Char('L');
            if (op.Borders & BorderTop)
                borders += QLatin1Char('T');
            if (op.Borders & BorderRight)
                borders += QLatin1Char('R');
            if (op.Borders & BorderBottom)
                borders += QLatin1Char('B');
            out += QLatin1Char('B') + t + page + t + num(op.X1) + t + num(op.Y1) + t + num(op.X2) + t + num(op.Y2)
                   + t + QString::number(op.Shade) + t + borders;
            break;
        }
        case TOpKind::Image:
            out += QLatin1Char('I') + t + page + t + num(op.X1) + t + num(op.Y1) + t + num(op.X2) + t + num(op.Y2)
                   + t + oneLine(op.Text);
            break;
        case TOpKind::BarCode:
            out += QLatin1Char('C') + t + page + t + num(op.X1) + t + num(op.Y1) + t + op.Symbology + t
                   + oneLine(op.Text);
            break;
        }
        out += QLatin1Char('\n');
    }
}

QString DumpDocument(const TReportDocument& doc)
{
    QString out;
    for (int p = 0; p < doc.Pages.size(); ++p)
        DumpPage(doc, p + 1, doc.Pages[p], out);
    return out;
}

QString DumpStream(const QString& streamFile)
{
    TReportDocument doc;
    if (!ReadStream(streamFile, doc))
        return QString();
    return DumpDocument(doc);
}

} // namespace Report
