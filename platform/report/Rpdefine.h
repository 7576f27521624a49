#pragma once
// Shared definitions of the report output library: the "left open" value,
// justification, tab borders, page formats and the tab stop record.

#include <QString>

namespace Report {

// A position, width or border left open: SetTab continues after the
// previous tab, Tab keeps the tab's own border or shade.
constexpr double NA = -32768;

enum TPrintJustify { pjCenter, pjLeft, pjRight, pjBlock };

// Border flags of SetTab's "lines" argument, combinable.
enum { BOXLINENONE = 0, BOXLINELEFT = 1, BOXLINETOP = 2, BOXLINERIGHT = 4, BOXLINEBOTTOM = 8, BOXLINEALL = 15 };

enum TOrientation { poPortrait, poLandscape };
enum TPaper { paA4, paA5 };

// Unit of a label sheet's geometry (TLabelShell::Units).
enum TUnits { unInch, unCM };

// One tab stop. Positions and widths are in report units (cm) measured from
// the sheet's left edge; Margin is kept in inches (XI2U converts); the four
// border values are line widths (0 = no line); Shade is percent of black.
struct TTab {
    double Pos = 0;
    TPrintJustify Justify = pjLeft;
    double Width = 0;
    double Margin = 0;
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
    int Shade = 0;
};

// Page size in cm of a paper in an orientation.
double PaperWidth(TPaper paper, TOrientation orientation);
double PaperHeight(TPaper paper, TOrientation orientation);

// Page layout handed from an output component to its drawing surface.
struct TPageSetup {
    TOrientation Orientation = poPortrait;
    TPaper Paper = paA4;
    double MarginLeft = 2.0, MarginRight = 1.5, MarginTop = 1.25, MarginBottom = 2.0;
    QString Title;
};

} // namespace Report
