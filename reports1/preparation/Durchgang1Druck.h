#pragma once
// What the print events of the relay-list dialog share: reading a column of
// the row, the fonts, the middle of the section, the heading line.

#include "platform/ado/Ado.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"

namespace Durchgang1Druck {

// A column of the current row as text; "" when the statement has no such
// column (the outputs without range assignment select fewer).
inline QString Feld(Ado::TDataSet& q, const char* name)
{
    Ado::TField* f = q.FindField(name);
    return f ? f->AsString() : QString();
}

// Arial in size, bold or not, neither italic nor underlined.
inline void Schrift(Report::TBaseReport& r, double size, bool bold = false)
{
    r.SetFont("Arial", size);
    r.SetBold(bold);
    r.SetItalic(false);
    r.SetUnderline(false);
}

inline double Mitte(Report::TBaseReport& r) { return r.SectionLeft() + (r.SectionRight() - r.SectionLeft()) / 2; }

// "Global"/"Ueberschr" and the sport year.
inline QString Kopfzeile()
{
    return Qvsettings::GetString("Global", "Ueberschr") + " "
           + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
}

} // namespace Durchgang1Druck
