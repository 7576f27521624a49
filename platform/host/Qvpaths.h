#pragma once
// The installation's folders: the program folder with "Daten" (text blocks,
// archived prints, fixed outputs) and "Internet" (HTML outputs) below it.

#include <QString>

namespace Qvpaths {

// The program folder; chosen by the host (--home), default under the user's
// data directory. Created on first use.
QString ProgramFolder();
void SetProgramFolder(const QString& dir);
// "<program folder>/Daten" and "<program folder>/Internet", created on first use.
QString DataFolder();
QString InternetFolder();

} // namespace Qvpaths
