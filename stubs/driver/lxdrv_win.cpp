// Stand-in driver configuration DLL: the spooler loads it for DeviceCapabilities and DEVMODEs.
#include "caps/media_library_win.h"
#include "caps/records.h"
#include "win/handles.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {

HINSTANCE g_instance = nullptr;

// The driver's private DEVMODE part; the capability library reads its flags.
#pragma pack(push, 1)
struct DriverPrivate {
    BYTE reserved[caps::devmode::kPrivateFlags];
    DWORD flags; // caps::devmode::kReversed: the medium feeds reversed
    BYTE spare[6];
};
#pragma pack(pop)
static_assert(sizeof(DriverPrivate) == 32);
static_assert(offsetof(DriverPrivate, flags) == caps::devmode::kPrivateFlags);

// The capability library reads an ANSI DEVMODE by these offsets.
static_assert(offsetof(DEVMODEA, dmSize) == caps::devmode::kSize);
static_assert(offsetof(DEVMODEA, dmPrintQuality) == caps::devmode::kPrintQuality);
static_assert(offsetof(DEVMODEA, dmYResolution) == caps::devmode::kYResolution);

constexpr short kBaseResolution = 180;

// The header the spooler hands to DrvDocumentPropertySheets when it only wants a DEVMODE (no user interface).
struct DocumentPropertyHeader {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    DEVMODEW* pdmIn;
    DEVMODEW* pdmOut;
    DWORD cbOut;
    DWORD fMode;
};

// Loaded on first use from this DLL's own folder, where the driver's files are installed, and kept.
caps::DeviceCapabilitiesProc CapabilityLibrary() {
    static win::Module module;
    static caps::DeviceCapabilitiesProc proc = []() -> caps::DeviceCapabilitiesProc {
        wchar_t self[MAX_PATH] = {};
        DWORD n = ::GetModuleFileNameW(g_instance, self, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return nullptr;
        std::wstring path(self, n);
        path.erase(path.find_last_of(L"\\/") + 1);
        module.reset(::LoadLibraryW((path + caps::kCapsLibraryFile).c_str()));
        if (!module)
            return nullptr;
        return reinterpret_cast<caps::DeviceCapabilitiesProc>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), caps::kCapsExport)));
    }();
    return proc;
}

// The capability library speaks ANSI: the public part converted field by field, the private part copied as is
// (padded with zeros when the caller's DEVMODE carries less of it).
std::vector<BYTE> ToAnsi(const DEVMODEW& w) {
    std::vector<BYTE> out(sizeof(DEVMODEA) + std::max<std::size_t>(sizeof(DriverPrivate), w.dmDriverExtra),
                          0);
    DEVMODEA a{};
    ::WideCharToMultiByte(CP_ACP, 0, w.dmDeviceName, CCHDEVICENAME, reinterpret_cast<char*>(a.dmDeviceName),
                          CCHDEVICENAME, nullptr, nullptr);
    const std::size_t publicBytes = std::min<std::size_t>(w.dmSize, sizeof(DEVMODEW));
    auto copyRange = [&](std::size_t fromW, std::size_t toA, std::size_t bytes) {
        if (fromW < publicBytes)
            std::memcpy(reinterpret_cast<BYTE*>(&a) + toA, reinterpret_cast<const BYTE*>(&w) + fromW,
                        std::min(bytes, publicBytes - fromW));
    };
    copyRange(offsetof(DEVMODEW, dmSpecVersion), offsetof(DEVMODEA, dmSpecVersion),
              offsetof(DEVMODEW, dmFormName) - offsetof(DEVMODEW, dmSpecVersion));
    if (publicBytes >= offsetof(DEVMODEW, dmLogPixels))
        ::WideCharToMultiByte(CP_ACP, 0, w.dmFormName, CCHFORMNAME, reinterpret_cast<char*>(a.dmFormName),
                              CCHFORMNAME, nullptr, nullptr);
    copyRange(offsetof(DEVMODEW, dmLogPixels), offsetof(DEVMODEA, dmLogPixels),
              sizeof(DEVMODEW) - offsetof(DEVMODEW, dmLogPixels));
    a.dmSize = sizeof(DEVMODEA);
    a.dmDriverExtra = static_cast<WORD>(out.size() - sizeof(DEVMODEA));
    std::memcpy(out.data(), &a, sizeof a);
    std::memcpy(out.data() + sizeof a, reinterpret_cast<const BYTE*>(&w) + w.dmSize, w.dmDriverExtra);
    return out;
}

void DefaultDevmode(DEVMODEW& dm, const wchar_t* printer) {
    std::memset(&dm, 0, sizeof(DEVMODEW) + sizeof(DriverPrivate));
    if (printer)
        ::lstrcpynW(dm.dmDeviceName, printer, CCHDEVICENAME);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmDriverVersion = 0x0100;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmDriverExtra = sizeof(DriverPrivate);
    dm.dmFields = DM_ORIENTATION | DM_PRINTQUALITY | DM_YRESOLUTION;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPrintQuality = kBaseResolution;
    dm.dmYResolution = kBaseResolution;
}

} // namespace

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE /*printer*/, PWSTR deviceName, WORD capability,
                                              void* output, DEVMODEW* devmode) {
    switch (capability) {
    case DC_FIELDS:
        return DM_ORIENTATION | DM_PRINTQUALITY | DM_YRESOLUTION;
    case DC_SIZE:
        return sizeof(DEVMODEW);
    case DC_EXTRA:
        return sizeof(DriverPrivate);
    case DC_VERSION:
        return DM_SPECVERSION;
    case DC_DRIVER:
        return 0x0100;
    default:
        break;
    }
    if (capability < caps::capability::kMedia)
        return GDI_ERROR;
    // The extended codes are the capability library's. Nothing may throw back into the spooler.
    try {
        caps::DeviceCapabilitiesProc query = CapabilityLibrary();
        if (query == nullptr)
            return GDI_ERROR;
        char name[CCHDEVICENAME] = {};
        if (deviceName)
            ::WideCharToMultiByte(CP_ACP, 0, deviceName, -1, name, sizeof name, nullptr, nullptr);
        if (devmode == nullptr)
            return query(name, nullptr, capability, output, nullptr);
        std::vector<BYTE> ansi = ToAnsi(*devmode);
        return query(name, nullptr, capability, output, ansi.data());
    } catch (...) {
        return GDI_ERROR;
    }
}

// Without a property sheet to show, the spooler asks only for the DEVMODE: its size, or a copy merged with
// pdmIn.
extern "C" LONG WINAPI DrvDocumentPropertySheets(void* sheetInfo, LPARAM param) {
    if (sheetInfo != nullptr || param == 0)
        return -1;
    auto* header = reinterpret_cast<DocumentPropertyHeader*>(param);
    const LONG size = sizeof(DEVMODEW) + sizeof(DriverPrivate);
    if (header->fMode == 0 || header->pdmOut == nullptr)
        return size;
    // Wine fills cbOut from the output buffer's own (not yet written) dmSize, so 0 means "not known".
    if (header->cbOut != 0 && header->cbOut < static_cast<DWORD>(size))
        return -1;
    DefaultDevmode(*header->pdmOut, header->pszPrinterName);
    const DEVMODEW* in = header->pdmIn;
    if ((header->fMode & DM_IN_BUFFER) && in != nullptr &&
        in->dmSize >= offsetof(DEVMODEW, dmYResolution) + 2) {
        if (in->dmFields & DM_PRINTQUALITY)
            header->pdmOut->dmPrintQuality = in->dmPrintQuality;
        if (in->dmFields & DM_YRESOLUTION)
            header->pdmOut->dmYResolution = in->dmYResolution;
        if (in->dmFields & DM_ORIENTATION)
            header->pdmOut->dmOrientation = in->dmOrientation;
        if (in->dmDriverExtra >= sizeof(DriverPrivate))
            std::memcpy(reinterpret_cast<BYTE*>(header->pdmOut) + sizeof(DEVMODEW),
                        reinterpret_cast<const BYTE*>(in) + in->dmSize, sizeof(DriverPrivate));
    }
    return 1;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
