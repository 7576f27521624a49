#pragma once
// The layout check of a report stream: what a printer would cut off or a
// reader could not read.
//
//  - a text, box, image or bar code beyond the printable area (the sheet
//    less the border no printer reaches), or anything beyond the sheet (a
//    line, such as a fold mark, may start at the sheet's edge);
//  - a text wider than the tab cell it was printed in, running into the
//    next cell or past the section;
//  - a text painted over: by a later shaded box, by a line through its
//    letters, or by another text.
//
// Texts are measured with the layout's own font metrics: a text's ink box
// runs from its baseline up by the font's cap height and down by half the
// descent, so lines printed at their line spacing never touch.

#include "platform/report/Rpstream.h"

#include <QString>
#include <QVector>

namespace Report {

struct TLayoutFinding {
    enum TKind { AusserhalbDruckbereich, AusserhalbBlatt, ZelleUeberschritten, Uebermalt, Durchgestrichen, Ueberlappt };
    TKind Kind = AusserhalbDruckbereich;
    int Page = 0;           // 1-based
    double X = 0, Y = 0;    // where: a text's left edge and baseline, a shape's top left (cm)
    QString Text;           // the text concerned (empty for shapes)
    QString Detail;         // what it runs into, in German

    // One line: "Seite 3, x 18,20 y 12,35: Text "483,5" ragt über den druckbaren Bereich (rechts 20,50 cm)".
    QString ToString() const;
};

struct TLayoutOptions {
    double PrinterBorder = 0.5;   // cm on every side that printers do not reach
    double Tolerance = 0.01;      // cm a text may touch a neighbour or edge
};

QVector<TLayoutFinding> CheckLayout(const TReportDocument& doc, const TLayoutOptions& options = {});

// The findings one line each (empty when there are none).
QString LayoutReport(const QVector<TLayoutFinding>& findings);

} // namespace Report
