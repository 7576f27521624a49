#pragma once
// Unit initialisation and finalisation of a loadable package, with the
// counting that makes repeated calls harmless, and the framework's class
// registry.

#include <QString>
#include <vector>

namespace Qvunits {

struct TUnit {
    const char* Name;
    void (*Init)();   // may be nullptr
    void (*Fini)();   // may be nullptr
    int Count = 0;    // how often the unit has been initialised and not finalised
};

// Runs every unit's initialisation in order; a unit acts only on its first.
void InitializeUnits(std::vector<TUnit>& units);
// Runs the finalisations in reverse order; a unit acts only on its last.
void FinalizeUnits(std::vector<TUnit>& units);

void RegisterClass(const QString& name);
void UnRegisterClass(const QString& name);
bool IsClassRegistered(const QString& name);

} // namespace Qvunits
