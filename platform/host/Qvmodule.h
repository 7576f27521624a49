#pragma once
// The record a module fills in for the host when asked who it is.

#include <QString>
#include <cstdint>

namespace Qvmodule {

struct TModuleInfo {
    int32_t Size = 0;        // the record format the module writes (18)
    QString Framework;
    uint8_t VersionHigh = 0;
    uint8_t VersionLow = 0;
    QString Description;
    int32_t LoadSequence = 0;
};

// The exported entry points a module offers, by their plain names.
extern "C" {
using TquarvelInfo = void (*)(TModuleInfo&);
using TquarvelInit = void (*)();
using TquarvelHide = void (*)();
using TInitialize = void (*)();
using TFinalize = void (*)();
}

} // namespace Qvmodule

#include <QLibrary>
#include <memory>

namespace Qvmodule {

// Loads a module package by its exported entry points and drives its life
// cycle: Initialize, quarvelInfo, quarvelInit on Load; Finalize on Unload.
class TModuleLoader {
public:
    TModuleLoader() = default;
    ~TModuleLoader();

    // Default place of the module: <program dir>/../lib/libReports1.so.
    static QString DefaultPath();

    // Loads and starts the module; false with ErrorString() on failure.
    bool Load(const QString& path);
    void Unload();
    bool IsLoaded() const { return lib_ && lib_->isLoaded(); }
    const TModuleInfo& Info() const { return info_; }
    QString ErrorString() const { return error_; }

private:
    std::unique_ptr<QLibrary> lib_;
    TModuleInfo info_;
    TFinalize finalize_ = nullptr;
    QString error_;
};

} // namespace Qvmodule
