#pragma once
// The statements of the relay-list dialog's outputs, as the dialog builds
// them from its choices. Lines end in "\r\n". Parameters: :Ident (the
// championship), :Anlage (the range, only with range assignment),
// :Teilmeister or :Teilm (the sub-championship), :Disziplin and :Tag (when
// chosen), :Klasse (a chosen class).

#include <QString>

namespace DurchgangSQL {

// What the dialog chose. OhneAnlage: the championship is run without
// range, day and time assignment ("Speziell"/"Anlage" = "J").
struct TFilter {
    bool OhneAnlage = false;
    bool Disziplin = false;
    bool Tag = false;
    bool Klasse = false;
};

// Relay list (code 0).
QString Durchgangsliste(const TFilter& a);

// Result-entry sheets (code 1) in one of their three orders.
enum TEintragOrdnung { NachName, NachStartNr, OhneAnlageNachName };
// The order the sheets take: without range assignment by discipline and
// name; for one competition day by start number, as the relays stand;
// otherwise by name.
TEintragOrdnung EintragOrdnung(const TFilter& a);
QString Ergebniseingabe(const TFilter& a, TEintragOrdnung Ordnung);

// Team lists (code 2): range, championship and sub-championship are part
// of the text (the sub-championship quoted).
QString Mannschaften(const TFilter& a, int Anlage, int Ident, const QString& Teilmeisterschaft);
// The members of one team: :Ident, :VereinNr, :Disziplin, :Klasse,
// :MannschNr, :Teilm.
QString Mannschaftsmitglieder();

// Target labels (codes 3 and 4).
QString Etiketten(const TFilter& a);

// Participants per range (code 5); without a discipline :Disziplin is "000".
QString Teilnehmer(const TFilter& a);

// Staff list (code 6) of every day, ordered by name or (NachArt) by role;
// its days of duty.
QString Mitarbeiter(const TFilter& a, bool NachArt);
QString MitarbeiterTage();

// Payout list (code 7).
QString Auszahlung(const TFilter& a);

// Staff badges (code 8).
QString MEtiketten(const TFilter& a);

} // namespace DurchgangSQL
