#include "platform/host/Datamod.h"
#include "platform/host/HostUi.h"

namespace Datamod {

int iIdent = 0;
QString sVeranstaltung;
QString sDruckPfad;

TDataModule1::TDataModule1() { setObjectName("DataModule1"); }

bool TDataModule1::VeranstalterAuswaehlen() { return Host::ui().confirmOrganiser(); }

TDataModule1* DataModule1()
{
    static TDataModule1* dm = new TDataModule1; // lives as long as the process
    return dm;
}

} // namespace Datamod
