// Installation of the stand-in driver: its files into the driver folder, then the driver and the printer.
#include "caps/tools/driver_install_win.h"

#include "caps/media_library_win.h"
#include "win/handles.h"

#include <winspool.h>

namespace lxdrv {

namespace {

#ifdef _WIN64
constexpr wchar_t kDriverFile[] = L"lxdrv64.dll";
#else
constexpr wchar_t kDriverFile[] = L"lxdrv32.dll";
#endif

} // namespace

std::wstring MediaFolder(const wchar_t* environment) {
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(environment), 1,
                                      reinterpret_cast<BYTE*>(dir), sizeof dir, &needed))
        return {};
    return std::wstring(dir) + L"\\3";
}

DWORD InstallPrinter(const std::wstring& dist, const wchar_t* printer, const wchar_t* port) {
    const std::wstring media = MediaFolder();
    if (media.empty())
        return ::GetLastError();
    const std::wstring folder = media + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // Copied in place first: Wine's AddPrinterDriverExW records the files but does not always copy them.
    const std::wstring files[][2] = {
        {dist + L"\\" + caps::kCapsLibraryFile, folder + caps::kCapsLibraryFile},
        {dist + L"\\3\\" + kDriverFile, folder + kDriverFile},
        {dist + L"\\3\\" + caps::kMediaLibraryFileW, folder + caps::kMediaLibraryFileW},
        {dist + L"\\3\\LXMEDIA.lmx", folder + L"LXMEDIA.lmx"},
    };
    for (const auto& f : files)
        if (!::CopyFileW(f[0].c_str(), f[1].c_str(), FALSE))
            return ::GetLastError();

    std::wstring driverDll = folder + kDriverFile;
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriverName);
    driver.pDriverPath = driverDll.data();
    driver.pDataFile = driverDll.data();
    driver.pConfigFile = driverDll.data();
    if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES))
        return ::GetLastError();

    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(printer);
    info.pPortName = const_cast<wchar_t*>(port);
    info.pDriverName = const_cast<wchar_t*>(kDriverName);
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    win::PrinterHandle added(::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    if (!added && ::GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return ::GetLastError();
    return ERROR_SUCCESS;
}

} // namespace lxdrv
