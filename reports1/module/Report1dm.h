#pragma once
// The module's spine: the data module the host talks to, its print-menu
// handler and its message receivers, and the exported entry points.

#include "platform/host/Qvmodule.h"
#include "platform/host/Sectionlist.h"

#include <QObject>

class TReportForm : public QObject {
    Q_OBJECT
public:
    explicit TReportForm(QObject* owner = nullptr);

    // OnClick of the three print-menu entries.
    bool PrintJobClick(Sectionlist::TPrintJob& PrintJob);
    // "ZKTMP,…" messages of the host; always false.
    bool ReceiveMessage(const QString& Msg);
    // "DRUCK FERTIG,<id>"; true when the message was one.
    bool ProcessMessage(const QString& Msg);
};

namespace Report1dm {

extern TReportForm* ReportForm;

void Initialization();
void Finalization();

} // namespace Report1dm

#define REPORTS1_EXPORT extern "C" __attribute__((visibility("default")))

REPORTS1_EXPORT void quarvelInfo(Qvmodule::TModuleInfo& Info);
REPORTS1_EXPORT void quarvelInit();
REPORTS1_EXPORT void quarvelHide();
REPORTS1_EXPORT void Initialize();
REPORTS1_EXPORT void Finalize();
