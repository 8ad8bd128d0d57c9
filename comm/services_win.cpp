// Win32 clock, lxportio device calls, drive queries, and their wiring to the spooler.
#include "comm/services_win.h"

#include "core/printers.h"
#include "comm/lxportio_win.h"
#include "win/seams.h"
#include "win/text.h"

#include <windows.h>

uint32_t Win32Clock::TickCount() {
    return ::GetTickCount() + skipped_;
}

void Win32Clock::Sleep(uint32_t ms) {
    const uint32_t slept = ms / win::TestPauseDivisor();
    ::Sleep(slept);
    skipped_ += ms - slept;
}

PortBool LxportioDevice::Write(char* portName, const uint8_t* data, uint32_t count, uint32_t* moved,
                               uint32_t timeoutMs) {
    DWORD done = 0;
    // The library never writes through the data pointer of a write.
    BOOL ok = LxPortWrite(0, portName, const_cast<BYTE*>(data), count, &done, timeoutMs);
    *moved = done;
    return ok;
}

PortBool LxportioDevice::Read(char* portName, uint8_t* buffer, uint32_t count, uint32_t* moved,
                              uint32_t timeoutMs) {
    DWORD done = 0;
    BOOL ok = LxPortRead(0, portName, buffer, count, &done, timeoutMs);
    *moved = done;
    return ok;
}

std::string LxportioDevice::NarrowName(const std::wstring& portName) {
    return win::ToMultiByte(CP_THREAD_ACP, portName);
}

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
