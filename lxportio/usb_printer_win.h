// The USB printer class of Windows: the device behind a spooler port name (USB001, ...) found through
// SetupAPI, opened once for overlapped transfers that each end within their time-out.
#pragma once

#include "win/handles.h"

#include <windows.h>
#include <setupapi.h>

#include <string>
#include <vector>

namespace usbprint {

// The interface class of USB printers (GUID_DEVINTERFACE_USBPRINT), under which the port monitor finds them.
inline const GUID kUsbPrintInterface = {
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

// A SetupAPI device list, destroyed with its owner.
struct DeviceInfoTraits {
    static HDEVINFO invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(HDEVINFO h) { return h != INVALID_HANDLE_VALUE; }
    static void close(HDEVINFO h) { ::SetupDiDestroyDeviceInfoList(h); }
};
using DeviceInfoList = win::UniqueHandle<HDEVINFO, DeviceInfoTraits>;

// One present printer-class interface: the port name its device parameters give ("Base Name" and "Port
// Number", as the USB port monitor names its ports) and the path that opens it.
struct Interface {
    std::string port;
    std::wstring path;
};
// Every present interface whose two values are sound; one of the wrong type or size is passed over.
std::vector<Interface> EnumerateInterfaces();

// Writes or reads what it can of `count` bytes on the port within `timeoutMs` (capped at 60 s): TRUE with the
// count moved (a partial transfer included); FALSE with 0 when nothing moved, the name is unusable, no device
// is behind it or the device went away (the next call looks for it again). A request that runs out of time is
// cancelled and waited for before the call returns. Calls on one port are served one at a time.
BOOL Transfer(bool write, const char* portName, BYTE* bytes, DWORD count, DWORD* moved, DWORD timeoutMs);

// One overlapped transfer on an open handle within `timeoutMs`: true with the count moved (a partial one
// included, none after a time-out), false when the request failed, after which the handle is of no more use.
bool TransferOn(HANDLE handle, bool write, BYTE* bytes, DWORD count, DWORD timeoutMs, DWORD& moved);

// The device's IEEE 1284 id as it answers IOCTL_USBPRINT_GET_1284_ID, at most `count` bytes: TRUE with the
// bytes (0 when the device is there but did not answer the request); FALSE when no device is behind the port.
BOOL DeviceId(const char* portName, BYTE* buffer, DWORD count, DWORD* moved, DWORD timeoutMs);

} // namespace usbprint
