#pragma once
// Records. The host keeps them in EREKORDE (individuals) and EREKORDM
// (teams) per competition, discipline, class and year; this unit only reads
// them: it marks results that set ("NR") or equalled ("RE") a record of the
// sport year, builds the two queries of the record list and draws the list.
// Nothing here touches a widget.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Report { class TBaseReport; }

namespace ErgebRekorde {

// The record marks of one document: each group's records are read once.
class TRekordSuche {
public:
    // Sets Markierung to "NR" when a record of Sportjahr held by member
    // MitglNr has Nummer 1, to "RE" when its Nummer is greater; leaves it
    // unchanged otherwise.
    void EinzelRekordFeststellen(int Ident, int Sportjahr, const QString& MitglNr, const QString& Klasse,
                                 const QString& Disziplin, QString& Markierung);
    // The same for the team MannschNr of club VereinNr.
    void MannschaftsRekordFeststellen(int Ident, int Sportjahr, const QString& VereinNr, const QString& MannschNr,
                                      const QString& Klasse, const QString& Disziplin, QString& Markierung);
    // The result of the record found last, rounded to a whole number.
    int RekordErgebnis() const { return ergebnis_; }

private:
    struct TRekord {
        QString Disziplin, Klasse, Inhaber, MannschNr;
        int Jahr = 0;
        int Nummer = 0;
        double Ergebnis = 0;
    };
    void feststellen(bool Mannschaft, int Ident, int Sportjahr, const QString& Inhaber, const QString& MannschNr,
                     const QString& Klasse, const QString& Disziplin, QString& Markierung);
    QHash<QString, QVector<TRekord>> gruppen_;
    int ergebnis_ = 0;
};

// The two queries of the record list (parameters :Ident, :Disziplin and,
// for the sport year only, :Jahr) and which list they make.
struct TRekordSQL {
    QString Einzel;
    QString Mannschaft;
    bool Komplett = true;
};
// The queries of the complete list, or of the sport year's records only.
TRekordSQL RekordSQL(bool Komplett);
// Asks "Möchten Sie die kompletten Rekorde ausgeben?" and returns the
// queries of the answer.
TRekordSQL SortierungFestlegen();

// The marked disciplines of championship Ident that have records in the
// chosen list, in discipline order.
QStringList RekordDisziplinen(int Ident, const TRekordSQL& Sql);

// Draws the record list of the disciplines Disziplinen of championship
// Ident: the heading, the free text and, per discipline, the team and the
// individual records. On paper (RTF false) a page ends with "Seite n".
void RekordListe(Report::TBaseReport& Report, bool RTF, int Ident, const TRekordSQL& Sql,
                 const QStringList& Disziplinen, const QStringList& FreierText);

// The free text of the record list: at most this many lines, in the file
// "REKORD.DAT" of the data folder.
inline constexpr int MaxTextZeilen = 20;
QString RekordTextDatei();

// Prints Text centred on Mitte; a text wider than Breite is printed in the
// largest size that fits.
void Zentriert(Report::TBaseReport& Report, const QString& Text, double Mitte, double Breite);

} // namespace ErgebRekorde
