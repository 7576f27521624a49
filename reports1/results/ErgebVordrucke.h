#pragma once
// The forms of the general page: the results confirmation of one shooter,
// the blank deregistration forms (two to a page) and the pre-filled
// application for the Olympic disciplines. Nothing here touches a widget.

#include <QString>
#include <QStringList>
#include <QVector>

namespace Report { class TBaseReport; }

namespace ErgebVordrucke {

// A row of a form: one column per tab, as Reportutil::SpaltenSetzen takes
// them, and the text as the form spells it ("\t\tName: \t____\t"): the
// text before the first tab is empty, each tab moves to the next column.
void TabZeile(Report::TBaseReport& Report, const QString& Text);

// --- Deregistration forms ----------------------------------------------------

// The declaration of the form for the event level "VeranstaltungsArt";
// empty for levels without one.
QString Erklaerung(int VeranstaltungsArt);
// Draws one page with two deregistration forms and the cut line between
// them.
void AbmeldungenPrint(Report::TBaseReport& Report);
// The coat of arms of the forms, its size from the settings "BitmapLL"
// (width) and "BitmapLH" (height) in hundredths of a centimetre, scaled
// down to fit Breite x Hoehe; 0 x 0 when neither is set.
struct TBildgroesse {
    double Breite = 0, Hoehe = 0;
};
TBildgroesse Wappengroesse(double Breite, double Hoehe);

} // namespace ErgebVordrucke
