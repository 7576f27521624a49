#pragma once
#include "platform/host/HostUi.h"

class QWidget;

// The print preview of the host application. Opens a window for the report
// stream of the request; when the user has printed it, the host distributes
// "DRUCK FERTIG,<id>".
void OpenPreview(const Host::PrintRequest& request, QWidget* mainWindow);
// Continuous display: turn the preview of job id to its next page, or page 1.
void PreviewNextPage(int id);
