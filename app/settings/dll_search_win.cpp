// The program runs elevated, often from a folder others can write to (a download folder): a library planted
// there or in the current folder must never be loaded in place of a system one.
#include "app/settings/dll_search_win.h"

#include <windows.h>
#include <delayimp.h>

#include <string>

namespace {

// A library imported on first use is loaded from the system folder by its full path, whatever the search
// path. The common controls are the exception: the manifest's version is found by name (side by side), and
// the search for anything else is limited to the system folder.
FARPROC WINAPI LoadFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || !info || !info->szDll)
        return nullptr;
    if (::lstrcmpiA(info->szDll, "comctl32.dll") == 0)
        return reinterpret_cast<FARPROC>(
            ::LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::wstring path(system, length);
    path += L'\\';
    for (const char* c = info->szDll; *c; ++c)
        path += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return reinterpret_cast<FARPROC>(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace

void RestrictLibrarySearch() {
    // The current folder leaves the search path, then every search is limited to the system folder.
    ::SetDllDirectoryW(L"");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
        auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
            ::GetProcAddress(kernel, "SetDefaultDllDirectories"));
        if (setDefault)
            setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    __pfnDliNotifyHook2 = &LoadFromSystemFolder;
}
