#pragma once
// The host's clock. Printed dates and times, deadlines and timers read it,
// so tests can set a fixed moment instead of waiting for a real one.

#include <QDateTime>

namespace Qvclock {

QDateTime Now();
// Fixes the clock at t (an invalid t returns to the real clock).
void SetNow(const QDateTime& t);

// Dates and times as the host prints them: "05.12.2026", "14:30:00", and
// the short time "14:30".
QString DatumText(const QDate& d);
QString ZeitText(const QTime& t);
QString ZeitKurz(const QTime& t);

} // namespace Qvclock
