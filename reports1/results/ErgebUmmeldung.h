#pragma once
// The team re-registration sheets of the results dialog: one sheet per
// team marked as re-registered, with the team, a line per member to write
// the change in, and the re-registration fee; or one blank sheet. Once the
// sheets are printed the marks of the championship are cleared, so each
// change is printed once.

#include <QString>
#include <QStringList>
#include <QVector>

class QObject;
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report

namespace ErgebUmmeldung {

// An amount written with a decimal comma as the host prints amounts: two
// decimals (cut or padded), a "." every three digits of the integer part,
// then by Art: 0 " " and the currency, 1 the currency directly, 2 " %",
// other values nothing; a leading "-" stays in front. "1234,5" with Art 0
// and "Euro" gives "1.234,50 Euro".
QString BetragErstellen(const QString& Betrag, int Art, const QString& Waehrung);

// The re-registration fee as printed ("5,00 Euro"): the setting
// "UmmeldeBetr" (an amount typed the German way), or, when it is empty,
// "UBetrag" in cents, which the invoices bill. Empty when there is no fee.
// A setting that is no amount raises the host's error naming it.
QString Gebuehr();

// The re-registered teams (MUmmeldung = 'J') of the database, by club,
// discipline, class and team number.
QString MannschaftenSQL();

// A team of a sheet and the ranges of its members, one per member.
struct TMannschaft {
    QString VereinNr, Disziplin, Klasse, MannschNr;
    QString DisName, KlaName, VerName, Titel, Abkuerzung;
    QStringList Anlagen;
};
QVector<TMannschaft> MannschaftenLesen(int Ident);

// Draws one sheet per team, or one blank sheet when Mannschaften is empty.
void UmmeldungenPrint(Report::TBaseReport& Report, const QVector<TMannschaft>& Mannschaften, const QString& Gebuehr);

// The sheets of the results dialog: its writer rf_Ummeldungen and the run.
class TUmmeldungen {
public:
    explicit TUmmeldungen(QObject* Owner);

    Report::TRvNDRWriter* rf_Ummeldungen;

    // Blanko: one blank sheet. Otherwise the sheets of the re-registered
    // teams; when none is marked the re-registration dialog is offered
    // first, and without a team marked there the user is told so. After
    // printing the teams' sheets their marks are cleared.
    void Drucken(bool Blanko, int& DruckjobID);

private:
    QVector<TMannschaft> mannschaften_; // while rf_Ummeldungen runs
    QString gebuehr_;
};

} // namespace ErgebUmmeldung
