#include "platform/host/Qvdruckvorschau.h"
#include "platform/host/HostUi.h"

namespace Qvdruckvorschau {

namespace {
int lastId = 0;
}

int DruckStart(const QString& File, const QString& Modul, const QString& Titel,
               bool, bool, int Interval)
{
    Host::PrintRequest r;
    r.id = ++lastId;
    r.file = File;
    r.modul = Modul;
    r.title = Titel;
    r.interval = Interval;
    Host::ui().preview(r);
    return r.id;
}

void NaechsteSeite(int JobId) { Host::ui().previewNextPage(JobId); }

} // namespace Qvdruckvorschau
