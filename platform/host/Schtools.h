#pragma once
// The host's sport routines: result and series formatting, field splitting,
// folder prompts for outputs, row shading, the version text.

#include <QString>
#include <QStringList>

namespace Report {
class TBaseReport;
class TRTFFiler;
} // namespace Report

namespace Schtools {

// The version text printed in every page footer.
QString VersionsText();

// The field of S that starts at the 1-based position Pos, up to the next
// Separator; Pos moves past the separator (beyond the end when none is left).
QString FeldErmitteln(const QString& S, int& Pos, QChar Separator);

// A result as text: with Zehntel one decimal ("102,3"), otherwise the whole
// number ("389"), or one decimal when the value has a fraction.
QString ErgebnisStr(double Wert, bool Zehntel);

// Stored series ("095097098": 3 characters per series) as "95|97|98".
QString FromSerienFormat(const QString& Serien);
// Text split at Separator into its parts (no parts for an empty text).
QStringList SerienToStrings(const QString& Text, const QString& Separator);

// A number with one decimal as "%3.1f" prints it here ("102,3").
QString Format31(double Wert);

// Alternating row shade: when An, each call switches the shade of the
// following tabs between Wert and 0; ResetTabShade starts a document anew.
void TabShadeSetzen(Report::TBaseReport& Report, bool An, int Wert);
void ResetTabShade();

// A folder for outputs chosen by the user; empty = cancelled.
QString LaufwerkHolen(const QString& Prompt, const QString& Vorgabe);

// Names the RTF filer's file: DefaultName in Ordner, or in the
// installation's data folder when Ordner is empty.
void RTFAuswahl(Report::TRTFFiler& Filer, const QString& DefaultName, const QString& Caption, QString& Ordner);
// Whether the last RTFAuswahl wrote into a folder chosen by the user.
bool RTFAuswahl();

// Surname and first name of a typed name ("Meier, Hans" or "Hans Meier").
void NameInFeldStellen(const QString& Eingabe, QString& Name, QString& Vorname);

// A picture of the program folder ("URECHTS.BMP") drawn Breite x Hoehe cm
// with its top left at (X, Y); nothing when the file is not there.
void PrintBmp(Report::TBaseReport& Report, const QString& Datei, double Breite, double Hoehe, double X, double Y);
// The user's sender address from the settings "Absender": name, street,
// postcode and town, telephone, fax, e-mail (the lines that are set).
// False, with no lines, when no sender name has been entered.
bool AbsenderErmitteln(QStringList& Zeilen);
// Text files of the installation, one line per list entry (UTF-8).
QStringList FileToStrings(const QString& Datei);
bool StringsToFile(const QStringList& Zeilen, const QString& Datei);

} // namespace Schtools
