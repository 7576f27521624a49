#include "reports1/module/Einspruenge.h"

#include "reports1/entries/Starter1.h"
#include "reports1/preparation/Vorbereitung1.h"
#include "reports1/results/Ergebdruck1.h"

#include <vector>

namespace Einspruenge {

namespace {

bool wahr(const QString& a)
{
    const QString s = a.trimmed().toLower();
    return s == "true" || s == "1" || s == "ja" || s == "j";
}

const std::vector<TEinsprung>& alle()
{
    static const std::vector<TEinsprung> liste = {
        {"Starterliste", "bt_OK", [](const QString& a) { Starter1::Starterliste(wahr(a)); }},
        {"Ergebdruck1", "", [](const QString& a) { Ergebdruck1::Erstellen(a.isEmpty() || wahr(a)); }},
        {"Vorbereitung1", "", [](const QString&) { Vorbereitung1::Erstellen(); }},
    };
    return liste;
}

} // namespace

const TEinsprung* Finden(const QString& Name)
{
    for (const auto& e : alle())
        if (e.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QStringList Namen()
{
    QStringList n;
    for (const auto& e : alle())
        n << e.Name;
    return n;
}

} // namespace Einspruenge
