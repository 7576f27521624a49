#pragma once
// What the start documents and the invitations share while drawing: a
// column of the row as text, the fonts, the middle of the section, empty
// lines, and the heading line.

#include "platform/ado/Ado.h"
#include "platform/host/Qvsettings.h"
#include "platform/report/Rpbase.h"

namespace DokumentDruck {

// A column of the current row as text; "" when the statement has none.
inline QString Feld(Ado::TDataSet& q, const char* name)
{
    Ado::TField* f = q.FindField(name);
    return f ? f->AsString() : QString();
}

// Arial in size, bold and italic as given, not underlined.
inline void Schrift(Report::TBaseReport& r, double size, bool bold = false, bool italic = false)
{
    r.SetFont("Arial", size);
    r.SetBold(bold);
    r.SetItalic(italic);
    r.SetUnderline(false);
}

inline double Mitte(Report::TBaseReport& r) { return r.SectionLeft() + (r.SectionRight() - r.SectionLeft()) / 2; }

inline void Zeilen(Report::TBaseReport& r, int n)
{
    for (int i = 0; i < n; ++i)
        r.NewLine();
}

// "Global"/"Ueberschr" and the sport year.
inline QString Kopfzeile()
{
    return Qvsettings::GetString("Global", "Ueberschr") + " "
           + QString::number(Qvsettings::GetInteger("Allgemein", "Sportjahr"));
}

} // namespace DokumentDruck
