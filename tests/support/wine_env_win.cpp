// Test set-up under Wine: stand-ins into the spooler's driver folder; the library loaded.
#include "tests/support/wine_env_win.h"

#include "caps/tools/driver_install_win.h"

namespace caps_test {

std::wstring FromUnix(const char* value, const wchar_t* relative) {
    std::wstring path = L"Z:";
    for (const char* p = value; *p; ++p)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return path + L"\\" + relative;
}

// Fixed when the tests are built, so that a test runs the same from CTest and by hand.
std::wstring DistFile(const wchar_t* relative) {
    return FromUnix(LX_CAPS_DIST_DIR, relative);
}
std::wstring SourceFile(const wchar_t* relative) {
    return FromUnix(LX_CAPS_SOURCE_DIR, relative);
}

std::wstring MediaFolder() {
    return lxdrv::MediaFolder();
}

bool InstallMedia(const std::wstring& dataFile) {
    const std::wstring folder = MediaFolder();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring library = std::wstring(L"\\") + caps::kMediaLibraryFileW;
    return ::CopyFileW(DistFile((L"3" + library).c_str()).c_str(), (folder + library).c_str(), FALSE) &&
           ::CopyFileW(dataFile.c_str(), (folder + L"\\LXMEDIA.lmx").c_str(), FALSE);
}

CapsLibrary::CapsLibrary() {
    module_.reset(::LoadLibraryW(DistFile(caps::kCapsLibraryFile).c_str()));
    if (!module_) {
        error_ = ::GetLastError();
        return;
    }
    proc_ = reinterpret_cast<caps::DeviceCapabilitiesProc>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), caps::kCapsExport)));
}

} // namespace caps_test
