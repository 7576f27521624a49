#include "platform/report/Rplabel.h"

#include <algorithm>

namespace Report {

TLabelShell::TLabelShell(QObject* parent) : QObject(parent) {}

void TLabelShell::SetUnits(TUnits u)
{
    for (TLength* l : {&LabelWidth, &LabelHeight, &SpacingLeft, &SpacingTop, &SpacingWidth, &SpacingHeight})
        l->Units = u;
}

void TLabelShell::SetSheet(int across, int down, double labelWidth, double labelHeight, TUnits labelUnits,
                           double left, double top, double width, double height, TUnits spacingUnits)
{
    NumAcross = across;
    NumDown = down;
    LabelWidth = {labelWidth, labelUnits};
    LabelHeight = {labelHeight, labelUnits};
    SpacingLeft = {left, spacingUnits};
    SpacingTop = {top, spacingUnits};
    SpacingWidth = {width, spacingUnits};
    SpacingHeight = {height, spacingUnits};
}

QRectF TLabelShell::CellRect(int column, int row) const
{
    const double pw = SpacingWidth.Cm(), ph = SpacingHeight.Cm();
    // Without a pitch the label itself is the cell.
    const double w = pw > 0 ? pw : LabelWidth.Cm();
    const double h = ph > 0 ? ph : LabelHeight.Cm();
    return QRectF(SpacingLeft.Cm() + column * w, SpacingTop.Cm() + row * h, w, h);
}

QRectF TLabelShell::LabelRect(int column, int row, const QSizeF& sheet) const
{
    const QRectF cell = CellRect(column, row);
    double w = LabelWidth.Cm(), h = LabelHeight.Cm();
    if (w <= 0 || w > cell.width())
        w = cell.width();
    if (h <= 0 || h > cell.height())
        h = cell.height();
    QRectF r(cell.topLeft(), QSizeF(w, h));
    if (sheet.isValid())
        r = r.intersected(QRectF(QPointF(0, 0), sheet));
    return r;
}

QRectF TLabelShell::PrintRect(int column, int row, const QSizeF& sheet) const
{
    const QRectF label = LabelRect(column, row, sheet);
    const double b = std::max(0.0, PrinterBorder);
    const QRectF printable(b, b, sheet.width() - 2 * b, sheet.height() - 2 * b);
    return label.intersected(printable);
}

void TLabelShell::Execute(TBaseReport& report)
{
    count_ = 0;
    const double left = report.SectionLeft(), right = report.SectionRight();
    const double top = report.SectionTop(), bottom = report.SectionBottom();
    auto restore = [&] {
        report.SetLeftSection(left);
        report.SetRightSection(right);
        report.SetTopSection(top);
        report.SetBottomSection(bottom);
    };
    if (OnReportBefore)
        OnReportBefore(report);
    const int across = std::max(1, NumAcross);
    const int perSheet = across * std::max(1, NumDown);
    const QSizeF sheet(report.GetPageWidth(), report.GetPageHeight());
    int slot = 0;
    bool more = bool(OnLabelPrint);
    while (more && !report.Aborted()) {
        if (slot == perSheet) {
            restore();
            report.NewPage();
            slot = 0;
        }
        const QRectF r = PrintRect(slot % across, slot / across, sheet);
        report.SetLeftSection(r.left());
        report.SetRightSection(r.right());
        report.SetTopSection(r.top());
        report.SetBottomSection(r.bottom());
        report.Home();
        more = OnLabelPrint(report);
        ++count_;
        ++slot;
        if (OnLabelAfter)
            more = OnLabelAfter(report) && more;
    }
    restore();
    if (OnReportAfter)
        OnReportAfter(report);
}

} // namespace Report
