#include "platform/report/Rpstream.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <cstring>

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

// File layout (QDataStream, Qt 6.0 encoding, big endian):
//   "QVRS" quint16 version
//   title, orientation, paper, four margins
//   font count, fonts (name, size, bold, italic, underline)
//   page count, pages (width, height, op count, ops)
// An op is its kind byte followed by the fields its kind uses.

namespace {

const char magic[4] = {'Q', 'V', 'R', 'S'};

void writeOp(QDataStream& s, const TStreamOp& op)
{
    s << quint8(op.Kind) << op.X1 << op.Y1 << op.X2 << op.Y2;
    switch (op.Kind) {
    case TOpKind::Text:
        s << qint8(op.Align) << op.Font << op.Color << op.Line << op.Tab << op.CellLeft << op.CellRight << op.Text;
        break;
    case TOpKind::Line:
        s << op.Width << op.PenStyle << op.Color;
        break;
    case TOpKind::Box:
        s << op.Shade << op.Borders << op.Width << op.Color << op.Line << op.Tab << op.CellLeft << op.CellRight;
        break;
    case TOpKind::Image:
        s << op.Text;
        break;
    case TOpKind::BarCode:
        s << op.Color << op.Text << op.Symbology << op.Modules;
        break;
    }
}

bool readOp(QDataStream& s, TStreamOp& op)
{
    quint8 kind;
    s >> kind >> op.X1 >> op.Y1 >> op.X2 >> op.Y2;
    op.Kind = TOpKind(kind);
    switch (op.Kind) {
    case TOpKind::Text: {
        qint8 align;
        s >> align >> op.Font >> op.Color >> op.Line >> op.Tab >> op.CellLeft >> op.CellRight >> op.Text;
        op.Align = char(align);
        break;
    }
    case TOpKind::Line:
        s >> op.Width >> op.PenStyle >> op.Color;
        break;
    case TOpKind::Box:
        s >> op.Shade >> op.Borders >> op.Width >> op.Color >> op.Line >> op.Tab >> op.CellLeft >> op.CellRight;
        break;
    case TOpKind::Image:
        s >> op.Text;
        break;
    case TOpKind::BarCode:
        s >> op.Color >> op.Text >> op.Symbology >> op.Modules;
        break;
    default:
        return false;
    }
    return s.status() == QDataStream::Ok;
}

} // namespace

bool WriteStream(const TReportDocument& doc, const QString& file, QString* error)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    QDataStream s(&out);
    s.setVersion(QDataStream::Qt_6_0);
    s.writeRawData(magic, 4);
    s << StreamVersion;
    const TPageSetup& p = doc.Setup;
    s << doc.Title << qint32(p.Orientation) << qint32(p.Paper) << p.MarginLeft << p.MarginRight << p.MarginTop
      << p.MarginBottom;
    s << qint32(doc.Fonts.size());
    for (const TFontSpec& f : doc.Fonts)
        s << f.Name << f.Size << f.Bold << f.Italic << f.Underline;
    s << qint32(doc.Pages.size());
    for (const TStreamPage& page : doc.Pages) {
        s << page.Width << page.Height << qint32(page.Ops.size());
        for (const TStreamOp& op : page.Ops)
            writeOp(s, op);
    }
    if (s.status() != QDataStream::Ok || !out.commit()) {
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
    QDataStream s(&in);
    s.setVersion(QDataStream::Qt_6_0);
    char m[4];
    if (s.readRawData(m, 4) != 4 || memcmp(m, magic, 4) != 0)
        return fail(QStringLiteral("keine Druckdatei: %1").arg(file));
    quint16 version;
    s >> version;
    if (version != StreamVersion)
        return fail(QStringLiteral("Druckdatei-Version %1 wird nicht unterstützt").arg(version));
    TReportDocument d;
    qint32 orientation, paper, count;
    s >> d.Title >> orientation >> paper >> d.Setup.MarginLeft >> d.Setup.MarginRight >> d.Setup.MarginTop
        >> d.Setup.MarginBottom;
    d.Setup.Orientation = TOrientation(orientation);
    d.Setup.Paper = TPaper(paper);
    d.Setup.Title = d.Title;
    s >> count;
    if (s.status() != QDataStream::Ok || count < 0)
        return fail(QStringLiteral("Druckdatei beschädigt"));
    d.Fonts.resize(count);
    for (TFontSpec& f : d.Fonts)
        s >> f.Name >> f.Size >> f.Bold >> f.Italic >> f.Underline;
    s >> count;
    if (s.status() != QDataStream::Ok || count < 0)
        return fail(QStringLiteral("Druckdatei beschädigt"));
    d.Pages.resize(count);
    for (TStreamPage& page : d.Pages) {
        qint32 ops;
        s >> page.Width >> page.Height >> ops;
        if (s.status() != QDataStream::Ok || ops < 0)
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

QString DumpDocument(const TReportDocument& doc)
{
    QString out;
    const QChar t = QLatin1Char('\t');
    for (int p = 0; p < doc.Pages.size(); ++p) {
        const QString page = QString::number(p + 1);
        out += QLatin1String("P ") + page + QLatin1Char('\n');
        for (const TStreamOp& op : doc.Pages[p].Ops) {
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
