// The package: its units in package order, and the start and stop entries
// that run their initialisation and finalisation.

#include "reports1/module/Report1dm.h"

#include "platform/host/Guard.h"
#include "platform/host/Qvunits.h"
#include "reports1/documents/Startgeld1.h"
#include "reports1/results/Ergebdruck1.h"

#include <vector>

namespace {

std::vector<Qvunits::TUnit>& units()
{
    // Units without work of their own at start or stop are not listed.
    static std::vector<Qvunits::TUnit> list = {
        {"Report1dm", Report1dm::Initialization, Report1dm::Finalization},
        {"Startgeld1", nullptr, Startgeld1::Finalization},
        {"Ergebdruck1", nullptr, Ergebdruck1::Finalization},
    };
    return list;
}

} // namespace

// Nothing escapes into the host: an error of a unit is shown through it.
void Initialize()
{
    Host::Guard([] { Qvunits::InitializeUnits(units()); });
}
void Finalize()
{
    Host::Guard([] { Qvunits::FinalizeUnits(units()); });
}
