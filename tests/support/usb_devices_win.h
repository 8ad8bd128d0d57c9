// Wine tests: USB printer-class interfaces registered through SetupAPI as the USB port monitor would find
// them, for the devices that tests/support/usb_bridge.py puts behind their paths.
#pragma once

#include "lxportio/usb_printer_win.h"
#include "win/handles.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <string>

namespace usbdev {

// How an interface's device parameters are written: sound, or with the port number of the wrong type.
enum class Values { kSound, kNumberAsText };

// Registers (or updates) the interface of device ROOT\LXTEST\<instance> with reference string `reference`
// ("USB001", which the bridge's path ends in), whose parameters name port base+number; `active` lists it as
// present. True when every step took.
inline bool Register(const std::wstring& instance, const std::wstring& reference, const std::wstring& base,
                     DWORD number, bool active = true, Values values = Values::kSound) {
    const usbprint::DeviceInfoList set(::SetupDiCreateDeviceInfoList(&usbprint::kUsbPrintInterface, nullptr));
    if (!set)
        return false;
    bool ok = false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    const std::wstring id = L"ROOT\\LXTEST\\" + instance;
    if (::SetupDiCreateDeviceInfoW(set.get(), id.c_str(), &usbprint::kUsbPrintInterface, nullptr, nullptr, 0,
                                   &device))
        ::SetupDiRegisterDeviceInfo(set.get(), &device, 0, nullptr, nullptr, nullptr);
    else if (!::SetupDiOpenDeviceInfoW(set.get(), id.c_str(), nullptr, 0, &device))
        return false;
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (::SetupDiCreateDeviceInterfaceW(set.get(), &device, &usbprint::kUsbPrintInterface, reference.c_str(),
                                        0, &interfaceData)) {
        const HKEY created = ::SetupDiCreateDeviceInterfaceRegKeyW(set.get(), &interfaceData, 0,
                                                                   KEY_ALL_ACCESS, nullptr, nullptr);
        const win::RegKey key(created == INVALID_HANDLE_VALUE ? nullptr : created);
        if (key) {
            const std::wstring text = std::to_wstring(number);
            ok = ::RegSetValueExW(key.get(), L"Base Name", 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(base.c_str()),
                                  static_cast<DWORD>((base.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
                 (values == Values::kSound
                      ? ::RegSetValueExW(key.get(), L"Port Number", 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&number), sizeof number)
                      : ::RegSetValueExW(
                            key.get(), L"Port Number", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)))) == ERROR_SUCCESS;
        }
    }
    // Windows keeps "Linked" under the interface's Control key while the interface is enabled; Wine lists an
    // interface as present by it.
    const wchar_t guid[] = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
    const std::wstring control = L"System\\CurrentControlSet\\Control\\DeviceClasses\\" + std::wstring(guid) +
                                 L"\\##?#ROOT#LXTEST#" + instance + L"#" + guid + L"\\#" + reference +
                                 L"\\Control";
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, control.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const win::RegKey key(opened);
    const DWORD linked = active ? 1 : 0;
    return ::RegSetValueExW(key.get(), L"Linked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&linked),
                            sizeof linked) == ERROR_SUCCESS &&
           ok;
}

// The bridge's devices ("INSTANCE=PORT" lines in its control folder's file `devices`) registered as their
// ports USBnnn; false when the bridge is not there or a registration failed.
inline bool RegisterBridged(const std::string& controlFolder) {
    FILE* file = std::fopen((controlFolder + "\\devices").c_str(), "r");
    if (!file)
        return false;
    bool ok = true;
    char line[128];
    while (std::fgets(line, sizeof line, file)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const size_t eq = text.find('=');
        if (eq == std::string::npos || text.size() < eq + 4)
            continue;
        const std::wstring instance(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(eq));
        const std::wstring port(text.begin() + static_cast<std::ptrdiff_t>(eq) + 1, text.end());
        ok =
            Register(instance, port, port.substr(0, 3), static_cast<DWORD>(std::stoul(port.substr(3)))) && ok;
    }
    std::fclose(file);
    return ok;
}

} // namespace usbdev
