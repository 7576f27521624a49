#pragma once
// Ranking of the results dialog: the ranked queries of individuals and
// teams, the group stepping over the groups released for output, place
// numbering, the team tie-break of discipline "531", the inner-ten note and
// the combination of several competitions.
//
// Nothing here touches a widget; the results dialog owns one TErgebDaten and
// every results document works through it.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace Ado {
class TADOQuery;
class TClientDataSet;
class TDataSet;
} // namespace Ado

namespace ErgebRangfolge {

// --- Query texts ---------------------------------------------------------

// The fixed first part of the individual query: columns, tables and joins.
QString EinzelSelect();
// The fixed first part of the team query.
QString MannschaftSelect();

// What the ranked statements select and how they group; all off is the
// results list of one competition: shooters with a result, complete teams,
// ordered by discipline, competition and class.
struct TErgebOptionen {
    bool ProMitglied = false;     // per shooter over several competitions (no :Ident)
    bool ProIdent = false;        // individuals ordered by competition first
    bool AlleStarter = false;     // also starts without a result and incomplete teams
    bool Unvollstaendig = false;  // only incomplete teams, ordered by club
    bool OhneMannschaft = false;  // only individuals counting for no team
};

// The two command texts for the options and the competition list.
struct TErgebSQL {
    QString Einzel;
    QString Mannschaft;
};
TErgebSQL SQLErstellen(const QVector<int>& Wettkaempfe, const TErgebOptionen& Optionen);

// " AND (<feld> = a OR <feld> = b)" over the competition list; entries after
// the first are taken only when greater than 0. Empty for an empty list.
QString WettkampfListe(const QString& feld, const QVector<int>& Wettkaempfe);

// The groups released for output (ErgebEing = 'X'), narrowed to the listed
// competitions.
// Ordered by discipline first, or with ProIdent by competition first.
// Without NurMarkierte every group of the listed competitions, marked or not.
QString ErgebEingSQL(const QVector<int>& Wettkaempfe, bool ProIdent = false, bool NurMarkierte = true);

// --- Place numbering -----------------------------------------------------

// Places of individuals within one group, row by row in query order.
class TEinzelPlatz {
public:
    // OhneErgebnis: the on-screen variant, whose tie key leaves out the result.
    explicit TEinzelPlatz(bool OhneErgebnis = false) : ohneErgebnis_(OhneErgebnis) {}
    void Reset();

    struct TPlatz {
        int Nummer = 0;      // the place (>= 1) when Gedruckt
        bool Gedruckt = false;
    };
    TPlatz Naechster(const QString& Qual, int Disqualifikation, int Zusatz, const QString& Kennung,
                     const QString& Ergebnis, const QString& Serien, const QString& MessErg);
    // Reads the columns of the current row of an individual result dataset.
    TPlatz Naechster(Ado::TDataSet& q);

    int Zaehler() const { return zaehler_; }

private:
    bool ohneErgebnis_;
    int zaehler_ = 0;
    int letzterPlatz_ = 0;
    QString letzterSchluessel_;
    bool ersteZeile_ = true;
};

// "1. " or five blanks: the place as the on-screen list writes it.
QString BildschirmPlatz(const TEinzelPlatz::TPlatz& p);

// Places of teams within one group: every team with Qual "N" counts.
class TMannschaftPlatz {
public:
    void Reset() { zaehler_ = 0; }
    // The place of the team, 0 when it is printed without one.
    int Naechster(const QString& Qual);
private:
    int zaehler_ = 0;
};

// Club name, followed by " " and the team number unless it is "1".
QString MannschaftName(const QString& VereinName, const QString& MannschNr);

// --- Inner tens ----------------------------------------------------------

// Puts "(<count>iZ)" into the first of the six series texts that is empty or
// "0" after trimming, when the discipline is scored in tenths ("J") and the
// count is at least 1. True when the note was placed.
bool InnenZehnerEintragen(const QString& Zehntel, int InnenZehner, QString (&Serien)[6]);

// --- Several competitions ------------------------------------------------

// The result series as 13 slots of 3 characters; a slot that is not a
// number counts 0.
QVector<int> SerienSlots(const QString& Serien);
// Slot sums back into the stored format: each sum above 0 zero-padded to 3
// characters, an empty slot written as nothing.
QString SerienAusSlots(const QVector<int>& Slots);

// The team sums over the listed competitions (complete teams only).
QString MannschaftSummenSQL(const QVector<int>& Wettkaempfe);

// --- The datasets of the results dialog ----------------------------------

// The ranked datasets every results document reads, and the walk over the
// groups released for output. Owned by the results dialog.
class TErgebDaten {
public:
    TErgebDaten();
    ~TErgebDaten();

    // The selected competitions (the current one alone unless the overall
    // list's selection page chose several).
    QVector<int> Wettkaempfe;
    // The groups are walked competition by competition (else discipline by
    // discipline).
    bool GruppenProIdent = false;
    // Every group of the listed competitions is walked, not only the marked
    // ones (a run that must leave the user's marks alone).
    bool AlleGruppen = false;

    std::unique_ptr<Ado::TADOQuery> q_Einzel;      // individual results
    std::unique_ptr<Ado::TADOQuery> q_Mannschaft;  // team results
    std::unique_ptr<Ado::TADOQuery> q_Gruppen;     // groups released for output
    std::unique_ptr<Ado::TClientDataSet> cds_Einzel; // combined over several competitions

    // The command texts before the last EinzelMannschaftSQLErstellen.
    QString AltEinzelSQL, AltMannschaftSQL;
    bool ProMitglied = false;

    // Writes the command texts of q_Einzel and q_Mannschaft (closed).
    void EinzelMannschaftSQLErstellen(const TErgebOptionen& Optionen = {});
    // Opens q_Gruppen on the groups released for output.
    void ErgebEingSetzen();
    // Auswahl: 0 individuals, 1 teams, 2 both. Reopens the wanted datasets for
    // the current group of q_Gruppen; disqualified individual rows only when
    // MitDisqualifikation. Starts the progress bar and names the group in the
    // status line.
    void SetMannschaftundEinzelRange(int Auswahl, bool MitDisqualifikation);
    // Whether the wanted datasets of the current group have rows.
    bool GruppeHatDaten(int Auswahl) const;
    // Advances to the next group with rows; false when the groups are exhausted.
    bool SucheMannschaftOderEinzel(int Auswahl, bool MitDisqualifikation);
    // ErgebEingSetzen, then the first group with rows; false when there is none.
    bool ErsteGruppe(int Auswahl, bool MitDisqualifikation);

    // The inner-ten note for the current row of q (an individual dataset).
    bool InnenZehnerAusgeben(Ado::TDataSet& q, QString (&Serien)[6]);

    // The team tie-break of discipline "531" for championship Ident.
    void RangfolgeFestlegen(int Ident);

    // Combines the listed competitions' individual results per shooter into
    // cds_Einzel, ordered by sum, shoot-off, additional value, series,
    // measured value and tens, all descending.
    void DatenInClientDataSet();

private:
    QHash<QString, QString> zehntel_;
};

} // namespace ErgebRangfolge
