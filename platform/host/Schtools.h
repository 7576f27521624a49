#pragma once
// The host's sport routines: result and series formatting, field splitting,
// folder prompts for outputs, row shading, the version text.

#include <QString>
#include <QStringList>

#include <map>

namespace Report {
class TBaseReport;
class TRTFFiler;
} // namespace Report
namespace Ado {
class TDataSet;
}

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

// The short code of a championship level (TVeranstaltungsart): "VM", "KM",
// "BM", "LM"; empty for an unknown level.
QString VeranstaltungsartKuerzel(int Ebene);

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

// The working folder outputs go to unless the user chooses another: the
// setting Allgemein/Arbeitspfad when it names a folder, else the
// installation's data folder.
QString ArbeitspfadLaden();

// --- Entry fees (the clubs' starts by fee group) ----------------------------

// Team starts of club VereinNr in championship iIdent, counted into Anzahl
// by the team fee group (PDISKLA.StgGrpMannschaft of the team's discipline
// and class): with Teilm only the current sub-championship's, with
// Nachtraeglich only teams with a start entered later (AManuell = 'X').
void MannschaftStartZaehlen(const QString& VereinNr, bool Teilm, bool Nachtraeglich, std::map<int, int>& Anzahl);
// The same, and each team also adds 1 to ZaehlerM of its discipline and
// class (PDISKLA), which the detailed invoice lists.
void MannschaftStartZaehlenDetail(const QString& VereinNr, bool Teilm, bool Nachtraeglich, std::map<int, int>& Anzahl);
// The fee of every club into EVEREIN.Startgeld (cents, "0000002500"; ""
// for none), emptied and refilled in one transaction: its starts and teams
// by fee group, and its team re-registrations when Speziell/Ummeldung is
// "J". Teilm and Nachtraeglich select as above; with RechnrBehalten the
// clubs' invoice numbers stay (they are never changed here). Vereine, when
// given, is read again afterwards.
void StartgelderRechnen(Ado::TDataSet* Vereine, bool Teilm, bool Nachtraeglich, bool RechnrBehalten, int Ident);

// --- Direct debit -----------------------------------------------------------

// Writes the direct debits of the clubs of Vereine (EVEREIN rows) with a
// general fee into the folder Ordner: the exchange file DTAUS0.TXT and the
// SEPA file SEPA-Lastschrift.xml, both or neither (each written under a
// temporary name, existing files only replaced after the user agreed).
// Everything is checked before anything is written; a club without bank
// data or mandate, a wrong account of the association or an unreadable
// mandate file raise EHostFehler naming them. Ergebnis gets five texts: the
// sum in cents, the number of debits, the check sums of the account
// numbers and of the bank codes, and the collection date (dd.mm.yyyy).
// False when the user did not want existing files replaced.
bool EinzugErstellen(Ado::TDataSet& Vereine, bool Lastschrift, const QString& BuchText1, const QString& BuchText2,
                     const QString& Ordner, QStringList& Ergebnis);

} // namespace Schtools
