#include "platform/host/Pmsgdlg.h"

namespace Pmsgdlg {

int qvMessageDlg(const QString& Text, int Type, int Buttons, int)
{
    return Host::ui().messageDlg(Text, Type, Buttons);
}

} // namespace Pmsgdlg
