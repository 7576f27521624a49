#pragma once
// Small text utilities of the host.

#include <QString>
#include <QStringList>

namespace Qvutil {

// The line end of statement texts and of messages: carriage return, line feed.
inline const QString CRLF = QStringLiteral("\r\n");

// Text split at every Separator; empty fields are kept ("a,,b" gives three
// fields, "" gives one empty field).
QStringList BreakApart(const QString& Text, const QString& Separator);

} // namespace Qvutil
