#pragma once
// Amounts of money as whole cents. Fees are added, multiplied and written
// in integers only, so 1,000 fees of 0,10 make exactly 100,00.

#include <QString>
#include <QtGlobal>

namespace Cent {

// The largest amount a direct debit carries: 999.999.999,99 (eleven digits).
inline constexpr qint64 Hoechstbetrag = 99999999999;

// An amount typed the German way: "25", "19,99", "1.234,50", also "19.99"
// (a point followed by one or two digits is taken as the decimal point).
// False with a German message naming the text when it is no amount, has
// more than two decimals, is negative or larger than Hoechstbetrag.
bool Lesen(const QString& Text, qint64& Cents, QString* Fehler = nullptr);

// "1234,50", "-0,50": two decimals, decimal comma, no grouping.
QString Text(qint64 Cents);
// "1234.50": two decimals, decimal point (XML, SEPA).
QString PunktText(qint64 Cents);

// The championship's currency text: "Speziell"/"W1" when "Waehrung" is 0,
// else "W2"; "Euro" or "DM" when that is not set.
QString Waehrung();

// A fee of a REAL column (8.0, 12.5) in cents, rounded to the nearest cent.
qint64 AusBetrag(double Betrag);

// The stored general fee of a club: cents as text, left-padded with "0" to
// at least ten characters ("0000002500" for 25,00). 0 is stored as "".
QString StartgeldText(qint64 Cents);
// The stored text back in cents; "" (no fee) and text that is no number
// give 0 and false.
bool AusStartgeld(const QString& Text, qint64& Cents);

} // namespace Cent
