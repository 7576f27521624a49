#pragma once
// Certificates of the best-placed shooters or teams of every group released
// for output, up to a place limit: printed one page each, written into the
// mail-merge tables EURKUNDEE / EURKUNDEM, or into the text files
// "URKEINZEL.TXT" / "URKMANNSCH.TXT" of the data folder. The certificates
// are chosen first (TUrkunde), then handed to the output; nothing here
// touches a widget.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
namespace ErgebRangfolge { class TErgebDaten; }

namespace ErgebUrkunde {

// The settings a run reads once.
struct TEinstellungen {
    QString Meistersch;     // "Global"/"Meistersch": the championship line
    QString Veranstalter;   // "Veranst1" + three blanks + "Veranst2"
    QString ErsteZ, Ober, Sportl;
    QString UrkOrt;
    QString Schrift;        // the certificate font ("FontUrkunden")
    QDate Datum;            // the certificate date ("Datum" with "UrkDatum" J, else today)
    bool UrkZusatz = false, Rekorde = false, VBWettkampf = false;
    double BitmapH = 0, BitmapL = 0; // picture height and width in cm
    int Verband = 0, Sportjahr = 0;

    static TEinstellungen Lesen();
};

// The message when the championship line is missing.
extern const QString MeisterschFehlt;

// What the user chose on the certificate tab.
struct TAuswahl {
    bool Mannschaft = false;  // team certificates
    int Platzierung = 0;      // places 1 to Platzierung
    int Nachdruck = 0;        // only this place again; 0 = every place
    bool AlleStarter = false; // "Ausgabe aller Starter"
    bool Gesamt = false;      // the competitions of Daten.Wettkaempfe added up
};

// One certificate.
struct TUrkunde {
    int Nummer = 0;           // running number in this run, from 1
    int Platz = 0;
    QString Disziplin, Klasse;
    QString DisziplinName, KlasseName; // class name with its addition when "UrkZusatz" is J
    QString Titel, Vorname, Nachname;  // the shooter
    QString Name;             // title, first name and surname; a team's name
    QString Verein, VerTitel, Abkuerzung;
    QString VereinNr, MannschNr;
    QStringList Mitglieder;   // a team's counted members, first name and surname
    QString Ergebnis;         // the result (total with a final) as the host prints it
    QString RingMannsch;      // counted results times the attainable result
    QString Ausgabe;          // the discipline's unit ("Ringe")
    QString Rekord;           // "NR", "RE" or empty
};

// The certificates of the groups released for output in Daten's
// competitions, in group order.
QVector<TUrkunde> UrkundenAuswaehlen(ErgebRangfolge::TErgebDaten& Daten, const TEinstellungen& E,
                                     const TAuswahl& A, const QString& Status);

// One page per certificate.
void AusdruckUrkundeEinzel(Report::TBaseReport& Report, const QVector<TUrkunde>& Urkunden, const TEinstellungen& E);
void AusdruckUrkundeMannschaft(Report::TBaseReport& Report, const QVector<TUrkunde>& Urkunden,
                               const TEinstellungen& E);

// Empties the mail-merge table and fills it, in one transaction: when a
// row cannot be written the table keeps its previous rows.
void UrkundenEinzelDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E);
void UrkundenMannschaftDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E);
// The two statements, each "%s" standing for a quoted value.
extern const QString EinzelInsert;
extern const QString MannschaftInsert;
// Fills the "%s" of Statement in order with the values, each quoted.
QString Werte(const QString& Statement, const QStringList& Werte);

// Rewrites the text file and returns its path.
QString UrkundenEinzelTextDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E);
QString UrkundenMannschaftTextDateiAusgabe(const QVector<TUrkunde>& Urkunden, const TEinstellungen& E);
// One line of a text file: each field followed by ";". A field holding ";"
// or '"' is enclosed in '"' (inner '"' doubled); tabs and line breaks are
// written as blanks.
QString TextZeile(const QStringList& Felder);
// The message after a file or table was written.
QString Meldung(int Anzahl, bool Mannschaft, const QString& Wohin);

// "Januar" to "Dezember" for 1 to 12, otherwise empty.
QString MonatFestlegen(int Monat);

// One run of the certificate tab: the championship line checked, the
// certificates chosen and put out; Drucken is the print event of the
// certificate writer.
class TUrkundenJob {
public:
    // Ausgabe 0: one page each through Writer to the preview (its id in
    // DruckjobID); 1: the mail-merge table; 2: the text file. False, after
    // telling the user, when nothing was produced.
    bool Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const TAuswahl& A, int Ausgabe, Report::TRvNDRWriter& Writer,
                  int& DruckjobID);
    void Drucken(Report::TBaseReport& Report) const;

private:
    TEinstellungen E_;
    bool mannschaft_ = false;
    QVector<TUrkunde> urkunden_;
};

} // namespace ErgebUrkunde
