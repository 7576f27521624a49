#include "Verbs.h"

#include <QTextStream>

namespace Verbs {

int initDb(const CliArgs&)
{
    QTextStream(stderr) << "FEHLER: init-db ist noch nicht verfügbar\n";
    return 1;
}

} // namespace Verbs
