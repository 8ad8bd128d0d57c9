// Win32 drive queries, and the wiring of the clock, lxportio and the spooler into the exchanges.
#include "comm/services_win.h"

#include "core/printers.h"
#include "win/named_lock.h"

#include <windows.h>

uint32_t Win32Drives::LogicalDrives() {
    return ::GetLogicalDrives();
}

uint32_t Win32Drives::DriveType(const std::wstring& root) {
    return ::GetDriveTypeW(root.c_str());
}

bool Win32Drives::VolumeLabel(const std::wstring& root, std::wstring& label) {
    wchar_t name[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!::GetVolumeInformationW(root.c_str(), name, MAX_PATH, &serial, &maxComponent, &flags, fileSystem,
                                 MAX_PATH))
        return false;
    label = name;
    return true;
}

namespace {

// Long enough for another program's longest exchange (a reset waits 16 s for the printer to restart, a print
// log may take longer), short enough that a program that hangs on the port is reported, not waited for.
constexpr DWORD kPortWaitMs = 60000;

std::shared_ptr<void> HoldPort(const std::wstring& portName) {
    auto lock = std::make_shared<win::NamedLock>(L"port", portName, kPortWaitMs);
    return lock->Held() ? lock : nullptr;
}

} // namespace

const CommServices& Win32CommServices() {
    static Win32Clock clock;
    static LxportioDevice device;
    static Win32Drives drives;
    static const CommServices services{&clock, &device, &drives, &GetPrinterPortName, &HoldPort};
    return services;
}
