#include "platform/host/Qvutil.h"

namespace Qvutil {

std::unique_ptr<QStringList> BreakApart(const QString& Text, const QString& Separator)
{
    return std::make_unique<QStringList>(Text.split(Separator, Qt::KeepEmptyParts, Qt::CaseSensitive));
}

} // namespace Qvutil
