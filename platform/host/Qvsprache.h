#pragma once
// The programs speak German, Qt's own dialogs included.

namespace Qvsprache {

// Makes German the language of the application: the default locale becomes
// de_DE (numbers and dates in Qt's widgets) and Qt's own translations
// (qtbase_de from Qt's translation folder) are installed, so the buttons
// and captions of Qt's file, font, print and message dialogs read German.
// Call once after the application object exists. False when Qt's German
// translations are not installed (package qt6-translations-l10n); the
// dialogs then stay English.
bool DeutschEinrichten();

} // namespace Qvsprache
