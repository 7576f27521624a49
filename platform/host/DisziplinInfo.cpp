#include "platform/host/DisziplinInfo.h"

#include "platform/ado/Ado.h"
#include "platform/host/Datamod.h"
#include "platform/host/Schtools.h"

#include <QHash>

namespace Datamod {

namespace {
QHash<QString, TDisziplinInfo>& cache()
{
    static QHash<QString, TDisziplinInfo> c;
    return c;
}
} // namespace

TDisziplinInfo DisziplinInfo(const QString& Disziplin, int Ident)
{
    const QString key = QString::number(Ident) + "|" + Disziplin;
    auto it = cache().constFind(key);
    if (it != cache().constEnd())
        return *it;
    TDisziplinInfo info;
    auto q = DataModule1()->DynQuery("SELECT * FROM PDISZIPLIN WHERE Ident = " + QString::number(Ident)
                                         + " AND Disziplin = " + Ado::QuotedStr(Disziplin),
                                     Ado::clUseServer, Ado::ltReadOnly);
    if (!q->IsEmpty()) {
        q->First();
        info.Gueltig = true;
        info.Ident = Ident;
        info.Disziplin = Disziplin;
        info.Name = q->FieldByName("Name")->AsString();
        info.Kennung = q->FieldByName("Kennung")->AsString();
        info.Zehntelwertung = q->FieldByName("Zehntel")->AsString() == "J";
        info.Auflage = q->FieldByName("Auflage")->AsString() == "J";
    }
    cache().insert(key, info);
    return info;
}

void DisziplinInfoVergessen() { cache().clear(); }

QString ErgebnisStr2(double Wert, const TDisziplinInfo& Info) { return Schtools::ErgebnisStr(Wert, Info.Zehntelwertung); }

} // namespace Datamod
