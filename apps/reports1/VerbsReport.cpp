#include "Verbs.h"

#include <QTextStream>

namespace Verbs {

int dump(const CliArgs&)
{
    QTextStream(stderr) << "FEHLER: dump ist noch nicht verfügbar\n";
    return 1;
}

int pdf(const CliArgs&)
{
    QTextStream(stderr) << "FEHLER: pdf ist noch nicht verfügbar\n";
    return 1;
}

} // namespace Verbs
