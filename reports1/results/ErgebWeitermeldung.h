#pragma once
// The forwarding lists of the federation mode: the results of one or
// several competitions with the personal data the organiser of the next
// level needs (date of birth, federation membership number), for
// individuals who count for no team and for complete teams with their
// members.

#include <QString>
#include <QVector>

class QObject;
namespace Report {
class TBaseReport;
class TRvNDRWriter;
} // namespace Report
namespace ErgebRangfolge { class TErgebDaten; }

namespace ErgebWeitermeldung {

// A shooter of the individual list.
struct TEinzel {
    QString Platz;         // "1." or empty (disqualified, or out of competition)
    QString Name;          // surname, title first name
    QString VereinNr, Verein;
    QString Ergebnis;      // as the results list prints it
    QString Geburtsdatum;  // day.month.year
    QString OrgMitglNr;    // federation membership number
    QString Abmeldung;     // deregistration mark, empty for "N"
    bool Disqualifiziert = false;
};
// A member of a forwarded team.
struct TMitglied {
    QString Name;          // title first name surname
    QString Geburtsdatum, VereinNr, Ergebnis, Abmeldung;
};
struct TMannschaft {
    QString Platz, VereinNr, Name, Ergebnis;
    QVector<TMitglied> Mitglieder;  // best first, at most the group's AnzWertung
};
struct TGruppe {
    QString Kennzahl, Titel;
    QVector<TEinzel> Einzel;
    QVector<TMannschaft> Mannschaften;
};

// The groups of Daten's competitions released for output, with their
// individuals who count for no team (disqualified ones last, without a
// place) or with their complete teams and members.
QVector<TGruppe> EinzelDaten(ErgebRangfolge::TErgebDaten& Daten);
QVector<TGruppe> MannschaftDaten(ErgebRangfolge::TErgebDaten& Daten);

// The bodies of rf_BSSBEinzel and rf_BSSBMannsch.
void BSSBEinzelPrint(Report::TBaseReport& Report, const QVector<TGruppe>& Gruppen, int Sportjahr);
void BSSBMannschPrint(Report::TBaseReport& Report, const QVector<TGruppe>& Gruppen, int Sportjahr);

// One run of a forwarding list over the competitions chosen on the
// selection page. Anlegen makes the writers, owned by the dialog.
class TWeitermeldungJob {
public:
    void Anlegen(QObject* Owner);
    // Marks the groups with results in the listed competitions and hands
    // the list to the preview (its id in DruckjobID). False, after telling
    // the user, when there is nothing to forward.
    bool Ausgeben(ErgebRangfolge::TErgebDaten& Daten, const QVector<int>& Wettkaempfe, bool Mannschaft,
                  int& DruckjobID);

    Report::TRvNDRWriter* rf_BSSBEinzel = nullptr;
    Report::TRvNDRWriter* rf_BSSBMannsch = nullptr;

private:
    QVector<TGruppe> gruppen_;
    int sportjahr_ = 0;
};

} // namespace ErgebWeitermeldung
