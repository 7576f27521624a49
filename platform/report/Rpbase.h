#pragma once
// The drawing surface of every print job.
//
// Units are centimetres from the sheet's top left corner. Line model:
//  - YPos is the baseline of the current line. A page starts with XPos at the
//    left section and YPos at the top section plus the ascent of the current
//    font, so that the first line sits just inside the top margin. GotoHeader
//    puts YPos at the top section itself, GotoFooter at the bottom section
//    (the band below the body); the header and footer routines move down
//    from there.
//  - NewLine (and CrLf, Println) moves down by LineHeight: the line spacing
//    of the current font, or 1/n inch after SetLinesPerInch(n) with n > 0;
//    XPos returns to the left section and the tab counter to "before tab 1".
//  - LinesLeft counts whole lines of LineHeight between YPos and the bottom
//    section. Nothing pages by itself: jobs test LinesLeft and call NewPage.
//  - NewPage runs the footer event for the page that ends and the header
//    event for the new one; the header and footer also run for the first and
//    the last page. The events are plain calls: what they change (font,
//    tabs) stays changed.
// Tabs: SetTab with position NA continues where the previous tab ends (the
// first at the left section); the margin argument is in hundredths of an
// inch. Tab (and "\t" in printed text) moves to the next tab; a tab with
// borders or shade draws its box over the line's height (from the baseline
// minus LineHeight plus the font's descent, LineHeight high) when it is
// entered. Text printed in a tab is justified between Pos + margin and
// Pos + Width - margin; a text that would run out of the tab's cell is
// printed in a smaller font (down to a quarter point) instead.

#include "platform/report/Rpdefine.h"
#include "platform/report/Rpstream.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace Report {

namespace Fonts {
struct Metrics;
}

class TBaseReport;

// Word-wrap buffer: text to be split into lines that fit between PrintStart
// and PrintEnd (report units) at the surface's current font. Line breaks in
// the text ("\r\n", "\n") end a paragraph.
class TMemoBuf {
public:
    void SetText(const QString& text);
    QString Text() const { return text_; }
    void Append(const QString& text);
    void Clear() { SetText(QString()); }
    void SetPrintStart(double x) { printStart_ = x; }
    void SetPrintEnd(double x) { printEnd_ = x; }
    double PrintStart() const { return printStart_; }
    double PrintEnd() const { return printEnd_; }
    // No text left to fetch.
    bool Empty() const { return pos_ >= text_.size(); }
    // Back to the first line.
    void Reset() { pos_ = 0; }

private:
    friend class TBaseReport;
    QString text_;
    qsizetype pos_ = 0;
    double printStart_ = NA, printEnd_ = NA;
};

class TBaseReport {
public:
    explicit TBaseReport(const TPageSetup& setup = {});
    ~TBaseReport();
    TBaseReport(const TBaseReport&) = delete;
    TBaseReport& operator=(const TBaseReport&) = delete;

    // --- sections and position -------------------------------------------
    double SectionLeft() const { return left_; }
    double SectionRight() const { return right_; }
    double SectionTop() const { return top_; }
    double SectionBottom() const { return bottom_; }
    void SetLeftSection(double x) { left_ = x; }
    void SetRightSection(double x) { right_ = x; }
    void SetTopSection(double y) { top_ = y; }
    void SetBottomSection(double y) { bottom_ = y; }
    double GetLeftSection() const { return left_; }
    double GetRightSection() const { return right_; }
    double GetXPos() const { return x_; }
    void SetXPos(double x) { x_ = x; }
    double GetYPos() const { return y_; }
    void SetYPos(double y) { y_ = y; }
    // Left section, and the first line's baseline below the top section.
    void Home();
    void GotoHeader();
    void GotoFooter();
    int LinesLeft() const;
    // Line of the page the cursor is on (1 = first; counted by NewLine).
    int LineNum() const { return lineNum_; }
    double GetPageHeight() const { return pageHeight_; }
    double GetPageWidth() const { return pageWidth_; }
    TOrientation Orientation() const { return setup_.Orientation; }
    TPaper Paper() const { return setup_.Paper; }
    QString Title() const { return setup_.Title; }
    void SetLinesPerInch(int lpi) { linesPerInch_ = lpi; }
    double LineHeight() const;
    double XI2U(double inches) const { return inches * 2.54; }
    double XU2I(double units) const { return units / 2.54; }
    int CurrentPage() const { return page_; }

    // --- tabs -------------------------------------------------------------
    void ClearTabs();
    void SetTab(double pos, TPrintJustify justify, double width, double margin, int lines, int shade);
    // Grey level (percent) drawn in tabs entered from now on; 0 = no shade,
    // NA = the tab's own shade again (as at the start).
    void SetTabShade(int percent) { tabShade_ = percent; }
    int GetTabShade() const { return tabShade_; }
    // 1-based; 0 = the current tab. nullptr when there is no such tab.
    TTab* GetTab(int index);
    int TabCount() const { return int(tabs_.size()); }
    // Number of the current tab (0 = before the first).
    int TabIndex() const { return tabIndex_; }
    void Tab(int left = NA, int right = NA, int top = NA, int bottom = NA, int shade = NA);
    void PushTabs();
    void PopTabs();
    // Back to "before tab 1" on the current line.
    void ResetTabs() { tabIndex_ = 0; tabUsed_ = false; }

    // --- text -------------------------------------------------------------
    void Print(const QString& text);
    void Println(const QString& text);
    void PrintLeft(const QString& text, double x);
    void PrintCenter(const QString& text, double x);
    void PrintRight(const QString& text, double x);
    void PrintXY(double x, double y, const QString& text);
    void NewLine();
    void CrLf() { NewLine(); }
    void NewPage();

    // --- font -------------------------------------------------------------
    void SetFont(const QString& name, double size);
    QString FontName() const { return font_.Name; }
    void SetFontName(const QString& name)
    {
        font_.Name = name;
        fontChanged();
    }
    void SetBold(bool on)
    {
        font_.Bold = on;
        fontChanged();
    }
    bool GetBold() const { return font_.Bold; }
    void SetItalic(bool on)
    {
        font_.Italic = on;
        fontChanged();
    }
    bool GetItalic() const { return font_.Italic; }
    void SetUnderline(bool on)
    {
        font_.Underline = on;
        fontChanged();
    }
    bool GetUnderline() const { return font_.Underline; }
    void SetFontSize(double size)
    {
        font_.Size = size;
        fontChanged();
    }
    double GetFontSize() const { return font_.Size; }
    void SetFontColor(QColor color) { color_ = color.rgba(); }
    QColor GetFontColor() const { return QColor::fromRgba(color_); }
    void PushFont();
    void PopFont();
    double TextWidth(const QString& text) const;
    // Ascent and descent of the current font in report units.
    double FontAscent() const;
    double FontDescent() const;

    // --- pen and lines ----------------------------------------------------
    // width: line width in 1/200 inch, -1 (or 0) the thinnest line.
    void SetPen(QColor color, Qt::PenStyle style, int width, int mode = 0);
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Rectangle(double x1, double y1, double x2, double y2);

    // --- memo, images, bar codes --------------------------------------------
    int MemoLines(TMemoBuf& buf);
    QString GetMemoLine(TMemoBuf& buf, bool& eol);
    // Prints up to maxLines (0 = all) lines of the buffer at its print start,
    // each followed by NewLine.
    void PrintMemo(TMemoBuf& buf, int maxLines = 0);
    void PrintBitmapRect(double x1, double y1, double x2, double y2, const QString& file);
    // Records a bar code (used by the bar-code classes).
    void AddBarCode(double x, double y, double width, double height, const QString& symbology,
                    const QString& data, const QString& modules);

    void Abort() { aborted_ = true; }
    bool Aborted() const { return aborted_; }

    // --- run control (used by the output components) ----------------------
    std::function<void(TBaseReport&)> OnHeader, OnFooter, OnNewPage;
    // Opens page 1 and runs its header.
    void BeginDocument();
    // Runs the last page's footer.
    void EndDocument();
    const TReportDocument& Document() const { return doc_; }
    TReportDocument TakeDocument();
    // Hands every page to sink as soon as it is finished (the next page
    // begins, or EndDocument) and drops it: the document then keeps only
    // the page being drawn, and nothing after EndDocument. A page the sink
    // refuses aborts the report (SinkFailed). nullptr keeps the pages.
    void SetPageSink(TPageSink* sink) { sink_ = sink; }
    bool SinkFailed() const { return sinkFailed_; }

private:
    struct FontState {
        TFontSpec font;
        QRgb color;
    };
    TStreamPage& page();
    void startPage();
    // Gives the page being drawn to the sink.
    void handPage();
    // The metrics of the current font (looked up once per font change).
    const Fonts::Metrics& metrics() const;
    void fontChanged()
    {
        metrics_ = nullptr;
        fontIndex_ = -1;
    }
    void printAligned(const QString& text, double x, char align);
    void printSegment(const QString& text);
    void emitText(const QString& text, double x, char align, double width);
    double lineBoxTop() const;

    TPageSetup setup_;
    TReportDocument doc_;
    double pageWidth_, pageHeight_;
    double left_, right_, top_, bottom_;
    double x_ = 0, y_ = 0;
    int page_ = 0;
    int lineNum_ = 1;
    int linesPerInch_ = 0;
    std::vector<TTab> tabs_;
    std::vector<std::vector<TTab>> tabStack_;
    int tabIndex_ = 0;
    bool tabUsed_ = false;
    int tabShade_ = int(NA);
    TFontSpec font_;
    mutable const Fonts::Metrics* metrics_ = nullptr;
    int fontIndex_ = -1; // font_ in doc_.Fonts, -1 = not looked up yet
    QRgb color_ = 0xff000000;
    std::vector<FontState> fontStack_;
    QRgb penColor_ = 0xff000000;
    int penStyle_ = 1;
    int penWidth_ = 1;
    double penX_ = 0, penY_ = 0;
    bool aborted_ = false;
    bool inBand_ = false;
    TPageSink* sink_ = nullptr;
    bool sinkFailed_ = false;
    bool ended_ = false;        // the last page went to the sink
    qsizetype lastOps_ = 0;     // operations of the previous page
    TStreamPage scratch_;       // takes what is drawn after the end
};

} // namespace Report
