#pragma once
// What the host knows of a discipline, and results formatted by it.

#include <QString>
#include <cstdint>

namespace Datamod {

struct TDisziplinInfo {
    bool Gueltig = false;
    int32_t Ident = 0;
    QString Disziplin;
    QString Name;
    QString Kennung;
    bool Zehntelwertung = false;  // scored in tenths (PDISZIPLIN.Zehntel = "J")
    bool Auflage = false;         // rest-shooting discipline (PDISZIPLIN.Auflage = "J")
};

// The discipline of championship Ident; not Gueltig when there is none.
// Read once per discipline and kept until DisziplinInfoVergessen, which
// the data module calls whenever the database or the championship changes.
TDisziplinInfo DisziplinInfo(const QString& Disziplin, int Ident);
void DisziplinInfoVergessen();

// A result as text, in tenths when the discipline is scored so.
QString ErgebnisStr2(double Wert, const TDisziplinInfo& Info);

} // namespace Datamod
