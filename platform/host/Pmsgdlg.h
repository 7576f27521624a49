#pragma once
#include "platform/host/HostUi.h"

namespace Pmsgdlg {

// Shows Text with the given type (Host::mtInformation, Host::mtConfirmation…)
// and buttons; returns the modal result (Host::mrYes = 6 for Yes).
int qvMessageDlg(const QString& Text, int Type, int Buttons, int HelpCtx = 1);

} // namespace Pmsgdlg
