#pragma once
// The medal forecast of the preparation centre: how many gold, silver and
// bronze medals to order, in general (from the entries per discipline and
// class), per range and day, or per club (from the results entered so far).

#include <QList>
#include <QString>
#include <QStringList>

class QObject;
namespace Report { class TBaseReport; }

namespace VorbMedaillen {

struct TAuswahl {
    int Art = 0;          // 0 general, 1 per club, 2 per range
    int Einzel = 3;       // places with medals, 0 to 3
    int Mannschaft = 3;   // 0 = no team medals
    int MEinzel = 0;      // minimum entries, 0 = none
    int MMannschaft = 0;  // minimum teams, 0 = none
    QStringList Klassen;  // class codes that get medals; empty = all
    int Anlage = 0;       // per range: the range (0 = all)
    QList<int> Tage;      // per range: one or two competition days
};

// Medals gold, silver, bronze.
struct TMedaillen {
    int Gold = 0, Silber = 0, Bronze = 0;
    TMedaillen& operator+=(const TMedaillen& o)
    {
        Gold += o.Gold;
        Silber += o.Silber;
        Bronze += o.Bronze;
        return *this;
    }
    bool operator==(const TMedaillen&) const = default;
};

// The medals a class of Eintraege individual entries needs.
TMedaillen Einzel(int Eintraege, int Plaetze, int Minimum);
// The medals a team class of Eintraege starts in teams of Groesse needs,
// one per team member.
TMedaillen Mannschaft(int Eintraege, int Groesse, int Plaetze, int Minimum);

// The statements of the general and per-range forecast (:Ident, :Teilmeister).
QString EinzelSQL(const TAuswahl& A);
QString MannschaftSQL(const TAuswahl& A);

// Counts and hands the forecast to the preview (title "Medaillenbedarf").
// False, after saying so, when there are no entries.
bool Drucken(QObject* Owner, const TAuswahl& A, int& DruckjobID);

} // namespace VorbMedaillen
