#include "platform/host/Qvclock.h"

namespace Qvclock {

namespace {
QDateTime fixed;
}

QDateTime Now() { return fixed.isValid() ? fixed : QDateTime::currentDateTime(); }
void SetNow(const QDateTime& t) { fixed = t; }

QString DatumText(const QDate& d) { return d.toString("dd.MM.yyyy"); }
QString ZeitText(const QTime& t) { return t.toString("hh:mm:ss"); }
QString ZeitKurz(const QTime& t) { return t.toString("hh:mm"); }

} // namespace Qvclock
