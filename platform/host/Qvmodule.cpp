#include "platform/host/Qvmodule.h"

#include <QCoreApplication>
#include <QDir>

namespace Qvmodule {

TModuleLoader::~TModuleLoader() { Unload(); }

QString TModuleLoader::DefaultPath()
{
    return QDir(QCoreApplication::applicationDirPath() + "/../lib").absoluteFilePath("libReports1.so");
}

bool TModuleLoader::Load(const QString& path)
{
    Unload();
    lib_ = std::make_unique<QLibrary>(path);
    if (!lib_->load()) {
        error_ = lib_->errorString();
        lib_.reset();
        return false;
    }
    auto init = reinterpret_cast<TInitialize>(lib_->resolve("Initialize"));
    auto info = reinterpret_cast<TquarvelInfo>(lib_->resolve("quarvelInfo"));
    auto qinit = reinterpret_cast<TquarvelInit>(lib_->resolve("quarvelInit"));
    finalize_ = reinterpret_cast<TFinalize>(lib_->resolve("Finalize"));
    if (!init || !info || !qinit || !finalize_) {
        error_ = "Das Modul " + path + " bietet nicht alle Einsprungpunkte an";
        lib_->unload();
        lib_.reset();
        finalize_ = nullptr;
        return false;
    }
    init();
    info(info_);
    qinit();
    return true;
}

void TModuleLoader::Unload()
{
    if (!lib_)
        return;
    if (finalize_)
        finalize_();
    finalize_ = nullptr;
    // The library stays mapped: Qt's meta-objects of its forms may still be
    // referenced by pending events until the process ends.
    lib_.reset();
}

} // namespace Qvmodule
