#include "platform/host/Qvutil.h"

namespace Qvutil {

QStringList BreakApart(const QString& Text, const QString& Separator)
{
    return Text.split(Separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

} // namespace Qvutil
