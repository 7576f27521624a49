#pragma once
// Direct debits of the clubs' fees: the German exchange file (DTAUS) with
// its check sums, the SEPA direct-debit file (ISO 20022 pain.008.001.02,
// CORE), IBANs made from bank code and account number, and the mandate
// references the association keeps in a semicolon-separated file.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <map>

namespace Einzug {

// --- IBAN and creditor identifier ------------------------------------------

// Without blanks, in capitals.
QString Normiert(const QString& Text);
// A German IBAN from an eight-digit bank code and an account number of up
// to ten digits, with its check digits; "" when the two are no such numbers.
QString IbanAusKonto(const QString& Blz, const QString& Konto);
// Whether Iban (normalised) has the form and the check digits of an IBAN.
bool IbanGueltig(const QString& Iban);
// Whether Id (normalised) is a creditor identifier with valid check digits
// ("DE98ZZZ09999999999").
bool GlaeubigerIdGueltig(const QString& Id);

// An account as the association stores it: bank code and account number,
// or an IBAN in the account field.
struct TKonto {
    QString Blz, Konto;   // digits; empty for a foreign IBAN
    QString Iban;
};
// The account of Blz and Konto; Fehler names what is missing or wrong
// (empty when the account is usable).
TKonto KontoLesen(const QString& Blz, const QString& Konto, QString& Fehler);

// --- Mandate references ----------------------------------------------------

struct TMandat {
    QString Referenz;
    QDate Unterschrift;   // invalid when the file gives none
};
using TMandate = std::map<QString, TMandat>; // by club number

// The file of the association's mandate references in the program folder:
// "Mandatsreferenzen " + the association's name (setting Global/Verband) + ".csv".
QString MandatsDatei();
// The file's name for the association Verband.
QString MandatsDateiName(QString Verband);
// Reads the file: one club a line, "club number;reference" and optionally
// ";dd.mm.yyyy" (the date the mandate was signed); a heading line and empty
// lines are skipped; UTF-8, or Windows-1252 when the file is no UTF-8.
// A file that is missing gives no mandates. A file that cannot be read or
// has a wrong line raises EHostFehler naming the file and the line.
TMandate MandateLesen(const QString& Datei);

// --- The debit -------------------------------------------------------------

// One club's debit.
struct TPosten {
    QString VereinNr, Name;
    TKonto Konto;
    qint64 Cent = 0;
    QString Mandat;
    QDate Unterschrift;
};

// The whole order: the association as creditor and its clubs' debits.
struct TAuftrag {
    QString Name;            // the association as sender
    TKonto Konto;            // the association's account
    QString GlaeubigerId;
    QString Text1, Text2;    // booking texts, 27 characters each
    QDate Erstellt;          // the day the files are made
    QDateTime ErstelltUm;
    QDate Faellig;           // the collection date
    QVector<TPosten> Posten;
};

// The check sums of the exchange file's trailer.
struct TSummen {
    qint64 Anzahl = 0, Cent = 0, Konten = 0, Bankleitzahlen = 0;
};
TSummen Summen(const TAuftrag& Auftrag);

// Text as a field of the exchange file: capitals, umlauts in the German
// character set of the format, other characters as blanks, cut or filled
// with blanks to Laenge.
QByteArray DtausText(const QString& Text, int Laenge);
// The exchange file DTAUS0.TXT of direct debits: the header record A, one
// record C per club, the trailer E with the check sums.
QByteArray DtausDatei(const TAuftrag& Auftrag);

// The SEPA direct-debit file (pain.008.001.02, CORE, recurring), one
// transaction per club; MsgId identifies the file.
QByteArray SepaDatei(const TAuftrag& Auftrag, const QString& MsgId);

// Names of the two files in the chosen folder.
inline const QString DtausName = QStringLiteral("DTAUS0.TXT");
inline const QString SepaName = QStringLiteral("SEPA-Lastschrift.xml");

} // namespace Einzug
