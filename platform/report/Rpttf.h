#pragma once
// TrueType faces as the PDF writer needs them: the glyph of a character, the
// advance widths and pair kerning the layout used, the metrics of the font
// descriptor, and a font program cut down to the glyphs a document used.
// The tables come from the face Qt resolved for a font (QRawFont), so the
// PDF embeds exactly the face the layout measured with.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

class QRawFont;

namespace Report::Ttf {

class TFace {
public:
    // Reads the face's tables. IsValid() is false for a face without
    // TrueType outlines or with damaged tables.
    explicit TFace(const QRawFont& font);

    bool IsValid() const { return valid_; }
    int GlyphCount() const { return glyphCount_; }
    int UnitsPerEm() const { return unitsPerEm_; }

    // Glyph of a character, 0 (the missing glyph) when the face has none.
    quint16 Glyph(char32_t c) const
    {
        if (c < 0x10000)
            return bmp_.empty() ? 0 : bmp_[c];
        return astral_.value(c, 0);
    }
    // Advance width in font units.
    int Advance(quint16 glyph) const
    {
        return advances_.empty() ? 0 : advances_[glyph < advances_.size() ? glyph : advances_.size() - 1];
    }
    // Kerning of the pair in font units (negative: closer), 0 when none.
    int Kerning(quint16 left, quint16 right) const
    {
        if (left >= kernLeft_.size() || !kernLeft_[left])
            return 0;
        return kern_.value((quint32(left) << 16) | right, 0);
    }

    // PostScript name ("LiberationSans-Bold"); the family without blanks
    // when the face names none.
    QByteArray PostScriptName() const { return psName_; }
    // Descriptor metrics in font units.
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int CapHeight() const { return capHeight_; }
    const int* BoundingBox() const { return bbox_; }
    double ItalicAngle() const { return italicAngle_; }
    bool Bold() const { return bold_; }
    bool FixedPitch() const { return fixedPitch_; }
    int UnderlinePosition() const { return underlinePos_; }
    int UnderlineThickness() const { return underlineThickness_; }

    // A font program holding the outlines of the glyphs marked in `used`,
    // of the glyphs those are composed of and of glyph 0; every other glyph
    // is empty. Glyph numbers stay as they are, so a document's glyph codes
    // need no mapping.
    QByteArray Subset(const std::vector<bool>& used) const;

private:
    void readCmap(const QByteArray& cmap);
    void readKern(const QByteArray& kern);
    void readName(const QByteArray& name, const QString& family);
    // Offset and length of a glyph's outline in glyf_; length 0 = empty.
    bool glyphRange(int glyph, quint32& offset, quint32& length) const;

    bool valid_ = false;
    int glyphCount_ = 0;
    int unitsPerEm_ = 1000;
    int locaFormat_ = 0;
    QByteArray head_, hhea_, maxp_, hmtx_, loca_, glyf_, cvt_, fpgm_, prep_, os2_, post_;
    std::vector<quint16> bmp_;
    QHash<char32_t, quint16> astral_;
    std::vector<int> advances_;
    std::vector<bool> kernLeft_;
    QHash<quint32, int> kern_;
    QByteArray psName_;
    int ascent_ = 0, descent_ = 0, capHeight_ = 0;
    int bbox_[4] = {0, 0, 0, 0};
    double italicAngle_ = 0;
    bool bold_ = false, fixedPitch_ = false;
    int underlinePos_ = 0, underlineThickness_ = 0;
};

} // namespace Report::Ttf
