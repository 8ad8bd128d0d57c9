// The tick counter and Sleep of Windows, and the device calls of lxportio.
#include "comm/port/port_win.h"

#include "comm/port/lxportio_win.h"
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

DeviceIdAnswer QueryDeviceId(const std::wstring& portName, std::string& raw) {
    using DeviceIdCall = BOOL(WINAPI*)(DWORD, char*, BYTE*, DWORD, DWORD*, DWORD);
    raw.clear();
    const HMODULE library = ::GetModuleHandleW(L"lxportio.dll");
    const auto call =
        library ? reinterpret_cast<DeviceIdCall>(::GetProcAddress(library, MAKEINTRESOURCEA(3))) : nullptr;
    if (!call)
        return DeviceIdAnswer::kUnknown;
    std::string name = win::ToMultiByte(CP_THREAD_ACP, portName);
    BYTE buffer[1024];
    DWORD moved = 0;
    if (!call(0, &name[0], buffer, sizeof buffer, &moved, 2000))
        return ::GetLastError() == ERROR_NOT_SUPPORTED ? DeviceIdAnswer::kUnknown : DeviceIdAnswer::kNothing;
    if (moved == 0 || moved > sizeof buffer)
        return DeviceIdAnswer::kConnected;
    raw.assign(reinterpret_cast<const char*>(buffer), moved);
    return DeviceIdAnswer::kId;
}
