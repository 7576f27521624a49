#pragma once
// The report stream: pages of positioned drawing operations, as the drawing
// surface produces them. It is kept in memory while a report runs and stored
// by TRvNDRWriter in a versioned binary file that the preview, the PDF
// renderer and TFilePrinter read back. Every stream can be written as a text
// dump, one operation a line (DumpDocument).

#include "platform/report/Rpdefine.h"

#include <QRgb>
#include <QString>
#include <QVector>

namespace Report {

enum class TOpKind : quint8 { Text = 1, Line = 2, Box = 3, Image = 4, BarCode = 5 };

// Box border bits (same values as the BOXLINE… flags).
enum : int { BorderLeft = 1, BorderTop = 2, BorderRight = 4, BorderBottom = 8 };

struct TFontSpec {
    QString Name;
    double Size = 10;
    bool Bold = false, Italic = false, Underline = false;
    bool operator==(const TFontSpec&) const = default;
};

// One drawing operation. All coordinates in cm from the sheet's top left.
//  Text:    X1 = anchor (left edge, centre or right edge by Align), Y1 = baseline,
//           X2 = text width; Font, Color; Text.
//  Line:    (X1,Y1) to (X2,Y2); Width = pen width (-1 thinnest), PenStyle, Color.
//  Box:     X1,Y1 top left, X2,Y2 width and height; Shade percent; Borders bits,
//           Width = border line width.
//  Image:   X1,Y1 top left, X2,Y2 width and height; Text = image file.
//  BarCode: X1,Y1 top left of the bars, X2,Y2 width and bar height;
//           Text = data, Symbology, Modules = bar pattern ('1' bar, '0' space,
//           one character per narrow module).
// Text and tab boxes carry the line of the page (1 = first) and the tab
// (0 = none) they were printed in, with the tab's extent.
struct TStreamOp {
    TOpKind Kind = TOpKind::Text;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    char Align = 'L';
    qint32 Font = -1;
    QRgb Color = 0xff000000;
    qint32 Width = 0;
    qint32 PenStyle = 1; // Qt::SolidLine
    qint32 Shade = 0;
    qint32 Borders = 0;
    qint32 Line = 0;
    qint32 Tab = 0;
    double CellLeft = 0, CellRight = 0;
    QString Text;
    QString Symbology;
    QString Modules;
};

} // namespace Report

// Every member moves as its bytes (numbers and implicitly shared strings): a
// growing page moves its operations as one block.
Q_DECLARE_TYPEINFO(Report::TStreamOp, Q_RELOCATABLE_TYPE);

namespace Report {

struct TStreamPage {
    double Width = 21.0, Height = 29.7;
    QVector<TStreamOp> Ops;
};

struct TReportDocument {
    QString Title;
    TPageSetup Setup;
    QVector<TFontSpec> Fonts;
    QVector<TStreamPage> Pages;

    // Index of a font in Fonts, added when new.
    int FontIndex(const TFontSpec& font);
};

// The stream file format version this library writes and reads.
constexpr quint16 StreamVersion = 1;

// Receives the pages of a report one by one as they are finished, so that
// an output can be written while the report is still being drawn and no
// page has to be kept (the drawing surface hands its pages to one with
// TBaseReport::SetPageSink; the batch output installs them).
class TPageSink {
public:
    virtual ~TPageSink();
    // A finished page. doc carries the title, the setup and the font table
    // as far as it goes (every font of the page is in it); its Pages are not
    // looked at. false when the page could not be written (ErrorString).
    virtual bool AddPage(const TReportDocument& doc, const TStreamPage& page) = 0;
    // The last page is in: completes the output. false when it could not be
    // written; nothing is left behind then.
    virtual bool Finish() = 0;
    // Drops everything written so far.
    virtual void Cancel() = 0;
    virtual QString ErrorString() const = 0;
};

// Writes the stream atomically (temporary name, then rename).
bool WriteStream(const TReportDocument& doc, const QString& file, QString* error = nullptr);
bool ReadStream(const QString& file, TReportDocument& doc, QString* error = nullptr);

// The text dump:
//   P n                                  before each page
//   T page x y align font size style text
//   L page x1 y1 x2 y2 width
//   B page x y w h shade borders         borders: subset of "LTRB"
//   I page x y w h file
//   C page x y symbology data
// Fields are tab-separated, lengths in cm with 3 decimals; lines end in "\n".
QString DumpDocument(const TReportDocument& doc);
// The dump lines of one page (pageNumber 1-based, with its "P n" line),
// appended to out: DumpDocument is these for every page.
void DumpPage(const TReportDocument& doc, int pageNumber, const TStreamPage& page, QString& out);
// The dump of a stream file; empty when the file cannot be read.
QString DumpStream(const QString& streamFile);

} // namespace Report
