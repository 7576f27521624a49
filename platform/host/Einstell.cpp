#include "platform/host/Einstell.h"
#include "platform/ado/Ado.h"

namespace Einstell {

TIniFile IniFile;

int TIniFile::GetIdent() const
{
    if (set_)
        return ident_;
    Ado::TADOConnection* c = Ado::DefaultConnection();
    if (!c || !c->Connected() || !c->TableExists("ZKTMP"))
        return 0;
    const QVariant v = c->Scalar("SELECT MIN(Ident) FROM ZKTMP");
    return v.isValid() ? v.toInt() : 0;
}

void TIniFile::SetIdent(int ident)
{
    ident_ = ident;
    set_ = true;
}

void TIniFile::ClearIdent()
{
    ident_ = 0;
    set_ = false;
}

} // namespace Einstell
