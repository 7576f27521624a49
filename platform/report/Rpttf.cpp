#include "platform/report/Rpttf.h"

#include <QRawFont>
#include <algorithm>
#include <map>

namespace Report::Ttf {

namespace {

// Big-endian fields of a table; reads past the end give 0.
quint16 u16(const QByteArray& t, qsizetype at)
{
    if (at < 0 || at + 2 > t.size())
        return 0;
    return quint16((quint8(t[at]) << 8) | quint8(t[at + 1]));
}
qint16 i16(const QByteArray& t, qsizetype at) { return qint16(u16(t, at)); }
quint32 u32(const QByteArray& t, qsizetype at) { return (quint32(u16(t, at)) << 16) | u16(t, at + 2); }

void put16(QByteArray& t, qsizetype at, quint16 v)
{
    t[at] = char(v >> 8);
    t[at + 1] = char(v & 0xff);
}
void append16(QByteArray& t, quint16 v)
{
    t.append(char(v >> 8));
    t.append(char(v & 0xff));
}
void append32(QByteArray& t, quint32 v)
{
    append16(t, quint16(v >> 16));
    append16(t, quint16(v & 0xffff));
}

quint32 checksum(const QByteArray& t)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < t.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < t.size() ? quint8(t[i + k]) : 0);
        sum += word;
    }
    return sum;
}

QByteArray tag(const char* name) { return QByteArray::fromRawData(name, 4); }

} // namespace

TFace::TFace(const QRawFont& font)
{
    if (!font.isValid())
        return;
    head_ = font.fontTable("head");
    hhea_ = font.fontTable("hhea");
    maxp_ = font.fontTable("maxp");
    hmtx_ = font.fontTable("hmtx");
    loca_ = font.fontTable("loca");
    glyf_ = font.fontTable("glyf");
    cvt_ = font.fontTable("cvt ");
    fpgm_ = font.fontTable("fpgm");
    prep_ = font.fontTable("prep");
    os2_ = font.fontTable("OS/2");
    post_ = font.fontTable("post");
    if (head_.size() < 54 || hhea_.size() < 36 || maxp_.size() < 6 || loca_.isEmpty() || glyf_.isEmpty())
        return;
    unitsPerEm_ = u16(head_, 18);
    if (unitsPerEm_ < 16)
        return;
    for (int k = 0; k < 4; ++k)
        bbox_[k] = i16(head_, 36 + 2 * k);
    locaFormat_ = i16(head_, 50);
    glyphCount_ = u16(maxp_, 4);
    if (glyphCount_ == 0 || loca_.size() < (glyphCount_ + 1) * (locaFormat_ ? 4 : 2))
        return;

    const int metrics = std::min<int>(u16(hhea_, 34), glyphCount_);
    if (metrics == 0 || hmtx_.size() < metrics * 4)
        return;
    advances_.resize(size_t(glyphCount_));
    for (int g = 0; g < glyphCount_; ++g)
        advances_[size_t(g)] = u16(hmtx_, 4 * std::min(g, metrics - 1));

    ascent_ = i16(hhea_, 4);
    descent_ = i16(hhea_, 6);
    capHeight_ = ascent_;
    if (os2_.size() >= 78) {
        bold_ = (u16(os2_, 4) >= 600);
        if (u16(os2_, 0) >= 2 && os2_.size() >= 90)
            capHeight_ = i16(os2_, 88);
    }
    if (post_.size() >= 16) {
        italicAngle_ = qint32(u32(post_, 4)) / 65536.0;
        underlinePos_ = i16(post_, 8);
        underlineThickness_ = i16(post_, 10);
        fixedPitch_ = u32(post_, 12) != 0;
    }
    if (underlineThickness_ <= 0)
        underlineThickness_ = unitsPerEm_ / 20;
    readCmap(font.fontTable("cmap"));
    readKern(font.fontTable("kern"));
    readName(font.fontTable("name"), font.familyName());
    valid_ = !bmp_.empty() || !astral_.isEmpty();
}

void TFace::readCmap(const QByteArray& cmap)
{
    // The Unicode subtable: full repertoire (format 12) when there is one,
    // else the BMP one (format 4).
    const int count = u16(cmap, 2);
    qsizetype best = -1;
    int bestRank = 0;
    for (int i = 0; i < count; ++i) {
        const int platform = u16(cmap, 4 + 8 * i), encoding = u16(cmap, 6 + 8 * i);
        const qsizetype offset = u32(cmap, 8 + 8 * i);
        const int format = u16(cmap, offset);
        int rank = 0;
        if (format == 12 && (platform == 3 || platform == 0))
            rank = 3;
        else if (format == 4 && ((platform == 3 && encoding == 1) || platform == 0))
            rank = 2;
        if (rank > bestRank) {
            bestRank = rank;
            best = offset;
        }
    }
    if (best < 0)
        return;
    bmp_.assign(0x10000, 0);
    if (bestRank == 3) {
        const quint32 groups = u32(cmap, best + 12);
        for (quint32 g = 0; g < groups; ++g) {
            const qsizetype at = best + 16 + 12 * qsizetype(g);
            if (at + 12 > cmap.size())
                break;
            const quint32 first = u32(cmap, at), last = std::min<quint32>(u32(cmap, at + 4), 0x10ffff);
            const quint32 glyph = u32(cmap, at + 8);
            for (quint32 c = first; c <= last; ++c) {
                const quint32 gid = glyph + (c - first);
                if (gid >= quint32(glyphCount_))
                    break;
                if (c < 0x10000)
                    bmp_[c] = quint16(gid);
                else
                    astral_.insert(char32_t(c), quint16(gid));
            }
        }
        return;
    }
    const int segments = u16(cmap, best + 6) / 2;
    const qsizetype ends = best + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                    ranges = deltas + 2 * segments;
    for (int s = 0; s < segments; ++s) {
        const quint32 first = u16(cmap, starts + 2 * s), last = u16(cmap, ends + 2 * s);
        const quint16 delta = u16(cmap, deltas + 2 * s);
        const quint16 range = u16(cmap, ranges + 2 * s);
        for (quint32 c = first; c <= last && c != 0xffff; ++c) {
            quint16 gid;
            if (range == 0) {
                gid = quint16(c + delta);
            } else {
                const qsizetype at = ranges + 2 * s + range + 2 * qsizetype(c - first);
                gid = u16(cmap, at);
                if (gid != 0)
                    gid = quint16(gid + delta);
            }
            bmp_[c] = gid < glyphCount_ ? gid : 0;
        }
    }
}

void TFace::readKern(const QByteArray& kern)
{
    // The classic table: horizontal pair lists (format 0).
    if (u16(kern, 0) != 0)
        return;
    const int tables = u16(kern, 2);
    qsizetype at = 4;
    kernLeft_.assign(size_t(glyphCount_), false);
    for (int t = 0; t < tables && at + 6 <= kern.size(); ++t) {
        const quint16 length = u16(kern, at + 2), coverage = u16(kern, at + 4);
        const bool horizontal = coverage & 1, minimum = coverage & 2, cross = coverage & 4;
        if ((coverage >> 8) == 0 && horizontal && !minimum && !cross) {
            const int pairs = u16(kern, at + 6);
            for (int p = 0; p < pairs; ++p) {
                const qsizetype e = at + 14 + 6 * qsizetype(p);
                if (e + 6 > kern.size())
                    break;
                const quint16 left = u16(kern, e), right = u16(kern, e + 2);
                const int value = i16(kern, e + 4);
                if (left >= glyphCount_ || right >= glyphCount_)
                    continue;
                kern_[(quint32(left) << 16) | right] += value;
                kernLeft_[left] = true;
            }
        }
        if (length == 0)
            break;
        at += length;
    }
}

void TFace::readName(const QByteArray& name, const QString& family)
{
    // PostScript name (name id 6): Windows Unicode record, else Macintosh.
    const int count = u16(name, 2);
    const qsizetype strings = u16(name, 4);
    QByteArray fromMac;
    for (int i = 0; i < count; ++i) {
        const qsizetype r = 6 + 12 * qsizetype(i);
        const int platform = u16(name, r), id = u16(name, r + 6);
        const qsizetype length = u16(name, r + 8), offset = strings + u16(name, r + 10);
        if (id != 6 || offset + length > name.size())
            continue;
        if (platform == 3 || platform == 0) {
            QByteArray ascii;
            for (qsizetype k = 0; k + 1 < length; k += 2)
                ascii.append(char(u16(name, offset + k) & 0x7f));
            psName_ = ascii;
            break;
        }
        if (platform == 1)
            fromMac = name.mid(offset, length);
    }
    if (psName_.isEmpty())
        psName_ = fromMac;
    if (psName_.isEmpty())
        psName_ = family.toLatin1();
    // A name token must not hold delimiters or blanks.
    QByteArray clean;
    for (const char c : std::as_const(psName_))
        if (c > 32 && c < 127 && !QByteArray("()<>[]{}/%#").contains(c))
            clean.append(c);
    psName_ = clean.isEmpty() ? QByteArray("Font") : clean;
}

bool TFace::glyphRange(int glyph, quint32& offset, quint32& length) const
{
    if (glyph < 0 || glyph >= glyphCount_)
        return false;
    quint32 from, to;
    if (locaFormat_) {
        from = u32(loca_, 4 * glyph);
        to = u32(loca_, 4 * glyph + 4);
    } else {
        from = 2u * u16(loca_, 2 * glyph);
        to = 2u * u16(loca_, 2 * glyph + 2);
    }
    if (to < from || to > quint32(glyf_.size()))
        return false;
    offset = from;
    length = to - from;
    return true;
}

QByteArray TFace::Subset(const std::vector<bool>& used) const
{
    if (!valid_)
        return QByteArray();
    // The glyphs to keep: the used ones, glyph 0, and the components of
    // composite glyphs (which may be composites themselves).
    std::vector<bool> keep(size_t(glyphCount_), false);
    std::vector<int> todo{0};
    for (size_t g = 0; g < used.size() && g < keep.size(); ++g)
        if (used[g])
            todo.push_back(int(g));
    while (!todo.empty()) {
        const int g = todo.back();
        todo.pop_back();
        if (keep[size_t(g)])
            continue;
        keep[size_t(g)] = true;
        quint32 offset, length;
        if (!glyphRange(g, offset, length) || length < 10 || i16(glyf_, offset) >= 0)
            continue;
        qsizetype at = offset + 10;
        const qsizetype end = offset + length;
        for (;;) {
            const quint16 flags = u16(glyf_, at), component = u16(glyf_, at + 2);
            if (component < glyphCount_ && !keep[component])
                todo.push_back(component);
            at += 4 + ((flags & 0x0001) ? 4 : 2);
            if (flags & 0x0008)
                at += 2;
            else if (flags & 0x0040)
                at += 4;
            else if (flags & 0x0080)
                at += 8;
            if (!(flags & 0x0020) || at >= end)
                break;
        }
    }

    // The font ends after the last glyph kept: glyph numbers above it are
    // never drawn, and loca and hmtx shrink from the whole face's length.
    int count = glyphCount_;
    while (count > 1 && !keep[size_t(count - 1)])
        --count;
    QByteArray glyf, loca;
    glyf.reserve(glyf_.size() / 8);
    loca.reserve((count + 1) * 4);
    for (int g = 0; g < count; ++g) {
        append32(loca, quint32(glyf.size()));
        quint32 offset, length;
        if (keep[size_t(g)] && glyphRange(g, offset, length) && length > 0) {
            glyf.append(glyf_.constData() + offset, length);
            while (glyf.size() % 4)
                glyf.append('\0');
        }
    }
    append32(loca, quint32(glyf.size()));

    const int longMetrics = std::min<int>(u16(hhea_, 34), glyphCount_);
    const int metrics = std::min(longMetrics, count);
    QByteArray hmtx = hmtx_.left(4 * metrics);
    if (count > metrics)
        hmtx += hmtx_.mid(4 * longMetrics, 2 * (count - metrics));
    QByteArray hhea = hhea_, maxp = maxp_;
    put16(hhea, 34, quint16(metrics));
    put16(maxp, 4, quint16(count));

    QByteArray head = head_;
    put16(head, 8, 0); // checkSumAdjustment, set below
    put16(head, 10, 0);
    put16(head, 50, 1); // long offsets in loca
    // A version 3 post table: metrics without glyph names.
    QByteArray post = post_.left(32);
    if (post.size() == 32) {
        put16(post, 0, 3);
        put16(post, 2, 0);
    }

    std::map<QByteArray, QByteArray> tables; // sorted by tag, as the directory must be
    tables[tag("head")] = head;
    tables[tag("hhea")] = hhea;
    tables[tag("maxp")] = maxp;
    tables[tag("hmtx")] = hmtx;
    tables[tag("loca")] = loca;
    tables[tag("glyf")] = glyf;
    if (!cvt_.isEmpty())
        tables[tag("cvt ")] = cvt_;
    if (!fpgm_.isEmpty())
        tables[tag("fpgm")] = fpgm_;
    if (!prep_.isEmpty())
        tables[tag("prep")] = prep_;
    if (!os2_.isEmpty())
        tables[tag("OS/2")] = os2_;
    if (post.size() == 32)
        tables[tag("post")] = post;

    const int n = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= n) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    append32(out, 0x00010000);
    append16(out, quint16(n));
    append16(out, quint16(power * 16));
    append16(out, quint16(log2));
    append16(out, quint16(n * 16 - power * 16));
    quint32 offset = quint32(12 + 16 * n);
    qsizetype headOffset = 0;
    for (const auto& [name, data] : tables) {
        out.append(name);
        append32(out, checksum(data));
        append32(out, offset);
        append32(out, quint32(data.size()));
        if (name == "head")
            headOffset = offset;
        offset += quint32((data.size() + 3) & ~qsizetype(3));
    }
    for (const auto& [name, data] : tables) {
        out.append(data);
        while (out.size() % 4)
            out.append('\0');
    }
    const quint32 adjustment = 0xB1B0AFBAu - checksum(out);
    put16(out, headOffset + 8, quint16(adjustment >> 16));
    put16(out, headOffset + 10, quint16(adjustment & 0xffff));
    return out;
}

} // namespace Report::Ttf
