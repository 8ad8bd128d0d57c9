// lxportio.dll: ordinals 1 (write) and 2 (read) to a printer behind a spooler port name, over the USB printer
// class, or over the simulator link when one is configured; ordinal 3 gives the device's IEEE 1284 id.
#include "lxportio/simulator_link_win.h"
#include "lxportio/usb_printer_win.h"
#include "sim/link.h"

#include <windows.h>

namespace {

HMODULE g_module = nullptr;

// Asked at every call, as the variable or the file may change between calls (the file is read again only when
// it has changed): a wrong address then fails the call rather than sending it to whatever else is configured.
std::string Simulator() {
    return ConfiguredSimulator(g_module);
}

BOOL Exchange(uint8_t op, char* portName, BYTE* bytes, DWORD count, DWORD* moved, DWORD timeoutMs) {
    const std::string simulator = Simulator();
    if (!simulator.empty())
        return SimulatorExchange(simulator, op, portName, bytes, count, moved, timeoutMs) ? TRUE : FALSE;
    return usbprint::Transfer(op == simlink::kOpWrite, portName, bytes, count, moved, timeoutMs);
}

// Every export: the count starts at zero and nothing unwinds into the caller.
template <typename Call> BOOL Guarded(DWORD* moved, Call call) {
    if (moved)
        *moved = 0;
    try {
        return call();
    } catch (...) {
        if (moved)
            *moved = 0;
        return FALSE;
    }
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

BOOL WINAPI LxPortWrite(DWORD, char* portName, BYTE* data, DWORD count, DWORD* moved, DWORD timeoutMs) {
    return Guarded(moved,
                   [&] { return Exchange(simlink::kOpWrite, portName, data, count, moved, timeoutMs); });
}

BOOL WINAPI LxPortRead(DWORD, char* portName, BYTE* buffer, DWORD count, DWORD* moved, DWORD timeoutMs) {
    return Guarded(moved,
                   [&] { return Exchange(simlink::kOpRead, portName, buffer, count, moved, timeoutMs); });
}

// The simulator has no device id to give: FALSE with ERROR_NOT_SUPPORTED, which callers show as not known.
BOOL WINAPI LxPortDeviceId(DWORD, char* portName, BYTE* buffer, DWORD count, DWORD* moved, DWORD timeoutMs) {
    return Guarded(moved, [&] {
        if (!Simulator().empty()) {
            ::SetLastError(ERROR_NOT_SUPPORTED);
            return FALSE;
        }
        ::SetLastError(ERROR_SUCCESS);
        return usbprint::DeviceId(portName, buffer, count, moved, timeoutMs);
    });
}

} // extern "C"
