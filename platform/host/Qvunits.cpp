#include "platform/host/Qvunits.h"

#include <QSet>

namespace Qvunits {

void InitializeUnits(std::vector<TUnit>& units)
{
    for (auto& u : units)
        if (u.Count++ == 0 && u.Init)
            u.Init();
}

void FinalizeUnits(std::vector<TUnit>& units)
{
    for (auto it = units.rbegin(); it != units.rend(); ++it) {
        if (it->Count == 0)
            continue;
        if (--it->Count == 0 && it->Fini)
            it->Fini();
    }
}

namespace {
QSet<QString>& classes()
{
    static QSet<QString> c;
    return c;
}
} // namespace

void RegisterClass(const QString& name) { classes().insert(name); }
void UnRegisterClass(const QString& name) { classes().remove(name); }
bool IsClassRegistered(const QString& name) { return classes().contains(name); }

} // namespace Qvunits
