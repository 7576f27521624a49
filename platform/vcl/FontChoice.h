#pragma once
// Choosing a font family that every workstation of a championship shares.
//
// Settings keep the Windows names of the fonts ("Arial", "Times New Roman",
// "Courier New"), because other workstations read the same settings. Here
// fontconfig resolves those names to the metric-compatible Liberation fonts,
// which the font dialog lists under their own names only. The dialog is
// therefore opened on the family a stored name resolves to, and a chosen
// Liberation family is stored under the Windows name again.

#include <QString>
#include <functional>

class QFontDialog;

namespace Vcl {

// The family the font dialog lists for a stored name: "Arial" gives
// "Liberation Sans" here; a name the dialog lists is returned unchanged.
QString FontDialogFamily(const QString& stored);

// The name to store for a family chosen in the font dialog: "Liberation
// Sans" gives "Arial", "Liberation Serif" "Times New Roman", "Liberation
// Mono" "Courier New"; other families are stored as they are.
QString SharedFontFamily(const QString& chosen);

// Opens dialog modally on the stored family. When the user confirms, chosen
// receives the name to store: the stored name when the family offered was
// kept, else SharedFontFamily of the family chosen; the result is true.
// Cancel leaves everything as it was.
bool ChooseFontFamily(QFontDialog& dialog, const QString& stored,
                      const std::function<void(const QString& family)>& chosen);

} // namespace Vcl
