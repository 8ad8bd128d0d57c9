// Test set-up under Wine: shipped files, the spooler's driver folder, the library as loaded.
#pragma once

#include "caps/media_library_win.h"
#include "win/handles.h"

#include <string>

namespace caps_test {

// A Unix path, joined with a relative Windows path, as Wine sees it.
std::wstring FromUnix(const char* unixPath, const wchar_t* relative);
std::wstring DistFile(const wchar_t* relative);   // under dist/x64
std::wstring SourceFile(const wchar_t* relative); // under the source tree
// The driver directory's "3" folder, where the media-table library lives.
std::wstring MediaFolder();
// Puts the shipped media-table stand-in and the given data file into the media folder.
bool InstallMedia(const std::wstring& dataFile);

// The capability library, loaded the way the driver loads it.
class CapsLibrary {
public:
    CapsLibrary();
    explicit operator bool() const { return static_cast<bool>(module_) && proc_ != nullptr; }
    DWORD operator()(DWORD capability, void* output, const void* devmode) const {
        return proc_(nullptr, nullptr, capability, output, devmode);
    }
    DWORD loadError() const { return error_; }

private:
    win::Module module_;
    caps::DeviceCapabilitiesProc proc_ = nullptr;
    DWORD error_ = 0;
};

} // namespace caps_test
