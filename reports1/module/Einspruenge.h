#pragma once
// The module's entry procedures by name, for the command line: each opens a
// job's form (modal) or one of the top-level dialogs (modeless).

#include <QString>
#include <QStringList>
#include <functional>

namespace Einspruenge {

struct TEinsprung {
    QString Name;             // "Starterliste", "Ergebdruck1", …
    QString StandardKnopf;    // the button pressed when the caller names none
    std::function<void(const QString& Argument)> Aufruf;
};

// Every entry procedure the command line can start; nullptr when unknown.
const TEinsprung* Finden(const QString& Name);
QStringList Namen();

} // namespace Einspruenge
