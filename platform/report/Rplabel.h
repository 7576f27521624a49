#pragma once
// Label sheets laid over a report's pages.
//
// Cell (column c, row r), counted across then down, has its top left corner
// at (SpacingLeft + c * SpacingWidth, SpacingTop + r * SpacingHeight) from
// the sheet's top left corner and is SpacingWidth x SpacingHeight large:
// the spacings are the distances from one label to the next. The label is
// LabelWidth x LabelHeight at the cell's top left, cut to its cell and to
// the sheet. What is printed on it stays PrinterBorder away from the
// sheet's edges, the border printers do not reach (its print area).
//
// Each value carries its own unit (TLength): label sheets are measured in
// inches or centimetres, and one sheet may give its pitches in the one and
// its label sizes in the other. SetUnits gives every value the same unit.
//
// Execute(report): OnReportBefore; then for every label the sections of the
// report are set to the label's print area, the cursor goes to its first
// line, and OnLabelPrint draws it; OnLabelAfter follows. Another label
// follows while both return true (an unset event counts as true; without
// OnLabelPrint no label is printed). A full sheet is followed by NewPage. At
// the end OnReportAfter runs and the report's sections are restored.

#include "platform/report/Rpbase.h"

#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <functional>

namespace Report {

// A length of a label sheet in its unit.
struct TLength {
    double Value = 0;
    TUnits Units = unInch;
    double Cm() const { return Units == unInch ? Value * 2.54 : Value; }
};

class TLabelShell : public QObject {
    Q_OBJECT
public:
    explicit TLabelShell(QObject* parent = nullptr);

    int NumAcross = 1, NumDown = 1;
    TLength LabelWidth, LabelHeight;
    TLength SpacingLeft, SpacingTop, SpacingWidth, SpacingHeight;
    // cm from each edge of the sheet that nothing is printed in (the layout
    // check's printer border).
    double PrinterBorder = 0.5;

    void SetNumAcross(int n) { NumAcross = n; }
    void SetNumDown(int n) { NumDown = n; }
    // A value keeps its unit unless one is given.
    void SetLabelWidth(double v) { LabelWidth.Value = v; }
    void SetLabelWidth(double v, TUnits u) { LabelWidth = {v, u}; }
    void SetLabelHeight(double v) { LabelHeight.Value = v; }
    void SetLabelHeight(double v, TUnits u) { LabelHeight = {v, u}; }
    void SetSpacingLeft(double v) { SpacingLeft.Value = v; }
    void SetSpacingLeft(double v, TUnits u) { SpacingLeft = {v, u}; }
    void SetSpacingTop(double v) { SpacingTop.Value = v; }
    void SetSpacingTop(double v, TUnits u) { SpacingTop = {v, u}; }
    void SetSpacingWidth(double v) { SpacingWidth.Value = v; }
    void SetSpacingWidth(double v, TUnits u) { SpacingWidth = {v, u}; }
    void SetSpacingHeight(double v) { SpacingHeight.Value = v; }
    void SetSpacingHeight(double v, TUnits u) { SpacingHeight = {v, u}; }
    // Every value in unit u.
    void SetUnits(TUnits u);
    // The label size in LabelUnits, the spacings in SpacingUnits.
    void SetSheet(int across, int down, double labelWidth, double labelHeight, TUnits labelUnits, double left,
                  double top, double width, double height, TUnits spacingUnits);

    std::function<void(TBaseReport&)> OnReportBefore, OnReportAfter;
    std::function<bool(TBaseReport&)> OnLabelPrint, OnLabelAfter;

    void Execute(TBaseReport& report);
    // Cell (column, row) in cm.
    QRectF CellRect(int column, int row) const;
    // Label (column, row) in cm: cut to its cell and, when sheet is given,
    // to the sheet.
    QRectF LabelRect(int column, int row, const QSizeF& sheet = {}) const;
    // The part of the label that is printed on: the label less the printer
    // border of the sheet. Empty when nothing of it can be printed.
    QRectF PrintRect(int column, int row, const QSizeF& sheet) const;
    // Labels printed by the last Execute (empty ones included).
    int LabelCount() const { return count_; }

private:
    int count_ = 0;
};

} // namespace Report
