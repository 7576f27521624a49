#pragma once
#include <QString>
#include <QStringList>
#include <memory>

namespace Qvutil {

// Splits Text at every Separator into a new list; empty fields are kept
// ("a,,b" gives three fields, "" gives one empty field).
std::unique_ptr<QStringList> BreakApart(const QString& Text, const QString& Separator);

} // namespace Qvutil
