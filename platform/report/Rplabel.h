#pragma once
// Label sheets laid over a report's pages.
//
// Label (column c, row r), counted across then down, has its top left corner
// at (SpacingLeft + c * SpacingWidth, SpacingTop + r * SpacingHeight) from
// the sheet's top left corner: SpacingWidth and SpacingHeight are the
// distances from one label to the next. The label's printable area is
// LabelWidth x LabelHeight, cut to those distances. The geometry is given in
// Units (inches unless set to unCM) and converted to report units.
//
// Execute(report): OnReportBefore; then for every label the sections of the
// report are set to the label, the cursor goes to its first line, and
// OnLabelPrint draws it; OnLabelAfter follows. Another label follows while
// both return true (an unset event counts as true; without OnLabelPrint no
// label is printed). A full sheet is followed by NewPage. At the end
// OnReportAfter runs and the report's sections are restored.

#include "platform/report/Rpbase.h"

#include <QObject>
#include <QRectF>
#include <functional>

namespace Report {

class TLabelShell : public QObject {
    Q_OBJECT
public:
    explicit TLabelShell(QObject* parent = nullptr);

    int NumAcross = 1, NumDown = 1;
    double LabelWidth = 0, LabelHeight = 0;
    double SpacingLeft = 0, SpacingTop = 0, SpacingWidth = 0, SpacingHeight = 0;
    TUnits Units = unInch;
    void SetNumAcross(int n) { NumAcross = n; }
    void SetNumDown(int n) { NumDown = n; }
    void SetLabelWidth(double w) { LabelWidth = w; }
    void SetLabelHeight(double h) { LabelHeight = h; }
    void SetSpacingLeft(double v) { SpacingLeft = v; }
    void SetSpacingTop(double v) { SpacingTop = v; }
    void SetSpacingWidth(double v) { SpacingWidth = v; }
    void SetSpacingHeight(double v) { SpacingHeight = v; }
    void SetUnits(TUnits u) { Units = u; }

    std::function<void(TBaseReport&)> OnReportBefore, OnReportAfter;
    std::function<bool(TBaseReport&)> OnLabelPrint, OnLabelAfter;

    void Execute(TBaseReport& report);
    // Area of label (column, row) in report units.
    QRectF LabelRect(int column, int row) const;
    // Labels printed by the last Execute (empty ones included).
    int LabelCount() const { return count_; }

private:
    int count_ = 0;
};

} // namespace Report
