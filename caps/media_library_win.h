// The interface of the outside media-table library: its entry point, the interface record and the file names.
#pragma once

#include <windows.h>

#include <cstddef>

namespace caps {

using MediaTableHandle = void*;

// Filled by the library's "LMX_InitializeA"; the caller sets `size` first. Every member is one pointer wide.
struct MediaLibraryInterface {
    UINT_PTR size;
    BOOL(WINAPI* OpenMediaTable)(MediaTableHandle* handle, const char* dataFile);
    BOOL(WINAPI* CloseMediaTable)(MediaTableHandle handle);
    BOOL(WINAPI* GetDeviceInfo)
    (MediaTableHandle handle, DWORD level, void* buffer, DWORD bufferSize, DWORD* needed);
    BOOL(WINAPI* GetMediaList)
    (MediaTableHandle handle, DWORD level, void* buffer, DWORD bufferSize, DWORD* needed, DWORD* count);
};

using MediaLibraryInitialize = BOOL(WINAPI*)(MediaLibraryInterface* iface);

static_assert(sizeof(MediaLibraryInterface) == 5 * sizeof(void*));
static_assert(offsetof(MediaLibraryInterface, GetMediaList) == 4 * sizeof(void*));

constexpr char kMediaLibraryEntry[] = "LMX_InitializeA";
constexpr char kMediaDataFile[] = "LXMEDIA.lmx";
constexpr DWORD kMediaLevel = 1;
#ifdef _WIN64
constexpr char kMediaLibraryFile[] = "lxmedia64.dll";
constexpr wchar_t kMediaLibraryFileW[] = L"lxmedia64.dll";
constexpr wchar_t kCapsLibraryFile[] = L"lxcaps64.dll";
#else
constexpr char kMediaLibraryFile[] = "lxmedia32.dll";
constexpr wchar_t kMediaLibraryFileW[] = L"lxmedia32.dll";
constexpr wchar_t kCapsLibraryFile[] = L"lxcaps.dll";
#endif
// The media-table library lives in this folder of the printer-driver directory.
constexpr char kMediaFolder[] = "\\3\\";

// The capability library's one export.
using DeviceCapabilitiesProc = DWORD(WINAPI*)(const char* device, const char* port, DWORD capability,
                                              void* output, const void* devmode);
constexpr char kCapsExport[] = "MyDeviceCapabilities";

} // namespace caps
