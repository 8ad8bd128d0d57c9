// The capability library's DLL entry: loads the media-table library while attaching, then answers the driver.
#include "caps/media_library_win.h"
#include "caps/media_table.h"
#include "caps/queries.h"
#include "win/handles.h"

#include <winspool.h>

#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace {

using caps::MediaLibraryInterface;

// The media-table library for the length of the start-up: module, interface record and open table.
struct MediaLibrary {
    win::Module module;
    MediaLibraryInterface iface{};
    caps::MediaTableHandle handle = nullptr;
};

// Built during process attach and only read afterwards, so queries need no lock.
const caps::MediaTable* g_table = nullptr;
caps::DeviceValues g_device;

std::size_t ConvertNameAnsi(const char16_t* text, std::size_t units, char* out, std::size_t outBytes) {
    int n = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text), static_cast<int>(units),
                                  out, static_cast<int>(outBytes), nullptr, nullptr);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

// Appends `text` to the zero-terminated `buffer` of `size` bytes; fails rather than truncate a path.
bool Append(char* buffer, std::size_t size, const char* text) {
    std::size_t used = ::strnlen(buffer, size);
    std::size_t add = std::strlen(text);
    if (used + add >= size)
        return false;
    std::memcpy(buffer + used, text, add + 1);
    return true;
}

bool LoadMediaLibrary(MediaLibrary& lib) {
    if (lib.handle != nullptr)
        return true;
    lib.iface = MediaLibraryInterface{};
    char path[MAX_PATH] = {};
    DWORD needed = 0;
    // Room is left for the folder and the file name appended below.
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path), 244, &needed))
        return false;
    if (!Append(path, sizeof path, caps::kMediaFolder) || !Append(path, sizeof path, caps::kMediaLibraryFile))
        return false;
    lib.module.reset(::LoadLibraryA(path));
    if (!lib.module)
        return false;
    lib.iface.size = sizeof(MediaLibraryInterface);
    auto initialize = reinterpret_cast<caps::MediaLibraryInitialize>(
        reinterpret_cast<void*>(::GetProcAddress(lib.module.get(), caps::kMediaLibraryEntry)));
    if (initialize == nullptr || !initialize(&lib.iface) || lib.iface.OpenMediaTable == nullptr) {
        lib.iface = MediaLibraryInterface{};
        lib.module.reset();
        return false;
    }
    if (!lib.iface.OpenMediaTable(&lib.handle, caps::kMediaDataFile)) {
        lib.handle = nullptr;
        lib.iface = MediaLibraryInterface{};
        lib.module.reset();
        return false;
    }
    return true;
}

bool ReadDeviceInfo(MediaLibrary& lib, caps::DeviceValues& device) {
    if (lib.handle == nullptr || lib.iface.GetDeviceInfo == nullptr)
        return false;
    std::uint8_t block[caps::device_info::kSize] = {};
    DWORD needed = 0;
    if (!lib.iface.GetDeviceInfo(lib.handle, caps::kMediaLevel, block, sizeof block, &needed))
        return false;
    device = caps::ParseDeviceInfo(block);
    return true;
}

// The library's counts are checked before they size anything: a record count the table cannot hold, or a size
// too small for the records it claims, is refused rather than read past.
bool RecordsFit(DWORD bytes, DWORD count) {
    return count != 0 && count <= caps::kMaxRecords && bytes / caps::media_record::kSize >= count;
}

bool ReadMediaList(MediaLibrary& lib, const caps::DeviceValues& device, caps::MediaTable& table) {
    if (lib.handle == nullptr || lib.iface.GetMediaList == nullptr)
        return false;
    DWORD needed = 0;
    DWORD count = 0;
    lib.iface.GetMediaList(lib.handle, caps::kMediaLevel, nullptr, 0, &needed, &count);
    if (needed == 0 || count == 0 || !RecordsFit(needed, count))
        return false;
    std::vector<std::uint8_t> buffer;
    try {
        buffer.assign(needed, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD needed2 = 0;
    if (!lib.iface.GetMediaList(lib.handle, caps::kMediaLevel, buffer.data(), needed, &needed2, &count))
        return false;
    // The second answer may name a different count than the first; the buffer is what bounds it.
    if (!RecordsFit(needed, count))
        return false;
    return table.BuildMediaTable(device, buffer.data(), buffer.size(), count, ConvertNameAnsi);
}

void ReleaseMediaLibrary(MediaLibrary& lib) {
    if (lib.handle != nullptr && lib.iface.CloseMediaTable != nullptr)
        lib.iface.CloseMediaTable(lib.handle);
    lib.iface = MediaLibraryInterface{};
    lib.handle = nullptr;
    lib.module.reset();
}

void FreeMediaTable() {
    delete g_table;
    g_table = nullptr;
}

bool StartUp() {
    FreeMediaTable();
    std::unique_ptr<caps::MediaTable> table(new (std::nothrow) caps::MediaTable);
    if (!table)
        return false;
    MediaLibrary lib;
    bool ok = false;
    if (LoadMediaLibrary(lib)) {
        bool device = false;
        bool list = false;
        try {
            device = ReadDeviceInfo(lib, g_device);
            list = ReadMediaList(lib, g_device, *table);
        } catch (...) {
        }
        ok = device && list;
    }
    ReleaseMediaLibrary(lib);
    if (ok)
        g_table = table.release();
    return ok;
}

} // namespace

extern "C" DWORD WINAPI MyDeviceCapabilities(const char* /*device*/, const char* /*port*/, DWORD capability,
                                             void* output, const void* devmode) {
    if (g_table == nullptr)
        return caps::capability::kUnsupported;
    return caps::QueryCapability(*g_table, capability, output, devmode);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return StartUp() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        FreeMediaTable();
        break;
    default:
        break;
    }
    return TRUE;
}

static_assert(std::is_same_v<decltype(&MyDeviceCapabilities), caps::DeviceCapabilitiesProc>,
              "the export and its callers agree on one signature");
