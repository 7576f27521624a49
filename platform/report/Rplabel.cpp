#include "platform/report/Rplabel.h"

#include <algorithm>

namespace Report {

TLabelShell::TLabelShell(QObject* parent) : QObject(parent) {}

QRectF TLabelShell::LabelRect(int column, int row) const
{
    const double f = Units == unInch ? 2.54 : 1.0;
    const double x = (SpacingLeft + column * SpacingWidth) * f;
    const double y = (SpacingTop + row * SpacingHeight) * f;
    double w = LabelWidth * f, h = LabelHeight * f;
    if (SpacingWidth > 0 && (w <= 0 || w > SpacingWidth * f))
        w = SpacingWidth * f;
    if (SpacingHeight > 0 && (h <= 0 || h > SpacingHeight * f))
        h = SpacingHeight * f;
    return QRectF(x, y, w, h);
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
    int slot = 0;
    bool more = bool(OnLabelPrint);
    while (more && !report.Aborted()) {
        if (slot == perSheet) {
            restore();
            report.NewPage();
            slot = 0;
        }
        const QRectF r = LabelRect(slot % across, slot / across);
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
