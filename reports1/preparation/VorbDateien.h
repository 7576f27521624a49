#pragma once
// The files the centre makes per club: the list of per-club outputs in a
// folder, the passwords of a password file, and the password sheet.

#include <QHash>
#include <QString>
#include <QStringList>

namespace Report {
class TBaseReport;
}

namespace VorbDateien {

// The entries of Ordner (files and folders) whose name is a club number,
// in name order, into the host's PDFStringList (each with a TDisziplin
// holding the club number). Returns how many there are.
int VereinsEintraege(const QString& Ordner);

// The lines of a password file ("<club number>;<password>"), sorted by club
// number; lines without ";" are left out. UTF-8, else Windows-1252. Throws
// when the file cannot be read.
QStringList PasswortZeilen(const QString& Datei);

// The password of each club of Vereine (ascending) from the sorted lines:
// each club's line is searched from the line after the previous club's
// match on (both lists ascend, so this is a merge); the password is the
// text after the first ";" (at most 99 characters). A club without a line
// is not in the result.
QHash<QString, QString> Zuordnen(const QStringList& Vereine, const QStringList& Zeilen);

// The password sheet: "Das Passwort für Ihren Verein lautet:", two lines
// further the password.
void PasswortPrint(Report::TBaseReport& Report, const QString& Passwort);

} // namespace VorbDateien
