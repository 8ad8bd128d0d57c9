// Stand-in for the outside media-table library: serves the media list of a text data file beside the DLL.
#include "caps/media_library_win.h"
#include "caps/records.h"
#include "stubs/lxmedia/lmx_file.h"
#include "win/handles.h"

#include <cstring>
#include <new>
#include <string>
#include <type_traits>

namespace {

using caps::MediaTableHandle;

HINSTANCE g_instance = nullptr;

struct OpenTable {
    lxmedia::MediaData data;
};

bool ReadWholeFile(const std::wstring& path, std::string& text) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20))
        return false;
    text.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    return text.empty() ||
           (::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) &&
            read == text.size());
}

// The data file is looked up beside this library, whatever the caller's current folder.
std::wstring BesideLibrary(const char* name) {
    wchar_t self[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(g_instance, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::wstring path(self, n);
    path.erase(path.find_last_of(L"\\/") + 1);
    wchar_t wide[MAX_PATH] = {};
    if (!::MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH))
        return {};
    return path + wide;
}

BOOL WINAPI OpenMediaTable(MediaTableHandle* handle, const char* dataFile) {
    if (handle == nullptr || dataFile == nullptr)
        return FALSE;
    *handle = nullptr;
    try {
        std::string text;
        std::wstring path = BesideLibrary(dataFile);
        if (path.empty() || !ReadWholeFile(path, text))
            return FALSE;
        auto* table = new OpenTable;
        lxmedia::ParseError error;
        if (!lxmedia::ParseMediaFile(text, table->data, error)) {
            std::string note = "lxmedia: " + std::string(dataFile) + " line " + std::to_string(error.line) +
                               ": " + error.message + "\n";
            ::OutputDebugStringA(note.c_str());
            delete table;
            return FALSE;
        }
        *handle = table;
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOL WINAPI CloseMediaTable(MediaTableHandle handle) {
    delete static_cast<OpenTable*>(handle);
    return TRUE;
}

// Both getters follow the size-query convention: `needed` is always set, a short buffer fails.
BOOL WINAPI GetDeviceInfo(MediaTableHandle handle, DWORD level, void* buffer, DWORD bufferSize,
                          DWORD* needed) {
    if (handle == nullptr || level != caps::kMediaLevel)
        return FALSE;
    const auto& device = static_cast<OpenTable*>(handle)->data.device;
    if (needed)
        *needed = static_cast<DWORD>(device.size());
    if (buffer == nullptr || bufferSize < device.size()) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, device.data(), device.size());
    return TRUE;
}

BOOL WINAPI GetMediaList(MediaTableHandle handle, DWORD level, void* buffer, DWORD bufferSize, DWORD* needed,
                         DWORD* count) {
    if (handle == nullptr || level != caps::kMediaLevel)
        return FALSE;
    const auto& data = static_cast<OpenTable*>(handle)->data;
    if (needed)
        *needed = static_cast<DWORD>(data.records.size());
    if (count)
        *count = static_cast<DWORD>(data.count());
    if (buffer == nullptr)
        return TRUE;
    if (bufferSize < data.records.size()) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, data.records.data(), data.records.size());
    return TRUE;
}

} // namespace

extern "C" BOOL WINAPI LMX_InitializeA(caps::MediaLibraryInterface* iface) {
    if (iface == nullptr || iface->size != sizeof(caps::MediaLibraryInterface))
        return FALSE;
    iface->OpenMediaTable = OpenMediaTable;
    iface->CloseMediaTable = CloseMediaTable;
    iface->GetDeviceInfo = GetDeviceInfo;
    iface->GetMediaList = GetMediaList;
    return TRUE;
}

static_assert(std::is_same_v<decltype(&LMX_InitializeA), caps::MediaLibraryInitialize>);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
