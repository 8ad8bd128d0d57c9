// Win32 drive queries, and the wiring of the clock, lxportio and the spooler into the exchanges.
#include "comm/services_win.h"

#include "core/printers.h"

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

const CommServices& Win32CommServices() {
    static Win32Clock clock;
    static LxportioDevice device;
    static Win32Drives drives;
    static const CommServices services{&clock, &device, &drives, &GetPrinterPortName};
    return services;
}
