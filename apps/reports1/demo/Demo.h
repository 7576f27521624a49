#pragma once
// A generated championship: the clubs, members, disciplines, classes,
// schedule, results, teams, records, staff and settings of a German
// district championship (a state-sized one for many starts), the same for
// the same seed.

#include "platform/ado/Ado.h"

#include <QString>

namespace Demo {

struct Options {
    int starts = 600;       // number of ERGEBNIS rows
    quint32 seed = 1;
    int ident = 1;          // the championship's Ident
    int sportjahr = 2025;
};

struct Summary {
    QString veranstaltung;  // the championship's name (settings scope)
    int clubs = 0;
    int members = 0;
    int starts = 0;
    int teams = 0;
    int completeTeams = 0;
    int staff = 0;
};

// Fills a database that has the schema and no championship yet, in one
// transaction.
Summary Generate(Ado::TADOConnection& connection, const Options& options);

// Writes the file: the schema and, with demo, a generated championship.
// It is built under a temporary name and renamed over the file when
// complete, so the file is either the old one or the complete new one.
bool CreateDatabase(const QString& file, const Options& options, bool demo, QString* error,
                    Summary* summary = nullptr);

// Writes into folder (the program folder) what the association's treasurer
// keeps there: the file of mandate references of the clubs with a fee, and
// the invoices' closing text and sender line (Daten/STARTG.DAT,
// Daten/ABSENDER.DAT).
bool StartgeldDateien(Ado::TADOConnection& connection, const QString& folder, QString* error = nullptr);

// Writes into folder (the program folder) what the certificates and the
// record list use: the signatures beside the program (ULINKS.BMP,
// URECHTS.BMP) and the record list's text (Daten/REKORD.DAT).
bool UrkundenDateien(const QString& folder, QString* error = nullptr);

namespace detail {
// A team of this year that equalled its record (EREKORDM, Nummer 2); the
// earlier records of every group with a record equalled this year stand at
// the result that equalled them.
void RekordEgalisiert(Ado::TADOConnection& connection, const Options& options);
} // namespace detail

// The coat of arms the staff badges carry, WAPPEN.BMP in the program folder.
bool WappenSchreiben(const QString& folder, QString* error = nullptr);

} // namespace Demo
