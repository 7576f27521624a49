#include "platform/host/Qvmain.h"
#include "platform/host/HostUi.h"

#include <QWidget>

namespace Qvmain {

TfMenue::TfMenue() { setObjectName("f_Menue"); }

void TfMenue::SetStatus(const QString& text) { Host::ui().status(text); }
void TfMenue::StartProgress(int min, int max) { Host::ui().progressStart(min, max); }
void TfMenue::SetProgress(int position) { Host::ui().progressSet(position); }
int TfMenue::Progress() const { return Host::ui().progressPosition(); }
void TfMenue::StopProgress() { Host::ui().progressStop(); }

TfMenue::TControlsEinstellen TfMenue::GetControlsEinstellen() const
{
    if (controls_)
        return controls_;
    return [](QWidget*) {};
}

void TfMenue::WartenAufEsc() { Host::ui().waitForEsc(); }
bool TfMenue::EscGedrueckt() { return Host::ui().escPressed(); }

TfMenue* f_Menue()
{
    static TfMenue* menu = new TfMenue; // lives as long as the process
    return menu;
}

} // namespace Qvmain
