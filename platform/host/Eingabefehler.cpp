#include "platform/host/Eingabefehler.h"

#include "platform/ado/AdoError.h"

QString ExceptionText(const std::exception& e)
{
    if (auto* ef = dynamic_cast<const Eingabefehler*>(&e))
        return ef->Message();
    if (auto* hf = dynamic_cast<const EHostFehler*>(&e))
        return hf->Message();
    if (auto* df = dynamic_cast<const Ado::EDatenfehler*>(&e))
        return df->Message();
    return QString::fromUtf8(e.what());
}

QString ExceptionDetail(const std::exception& e)
{
    if (auto* df = dynamic_cast<const Ado::EDatenfehler*>(&e))
        return df->Detail();
    return {};
}
