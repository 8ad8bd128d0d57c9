// A hostile media-table library for the start-up tests: the variable LX_FAULTY_MEDIA picks its fault.
#include "caps/media_library_win.h"
#include "tests/support/record_builder.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using caps::MediaTableHandle;

std::string Mode() {
    char mode[64] = {};
    ::GetEnvironmentVariableA("LX_FAULTY_MEDIA", mode, sizeof mode);
    return mode;
}

// What the test can check afterwards: tables left open, handles closed that were never opened.
void Count(const char* variable, int delta) {
    char text[16] = "0";
    ::GetEnvironmentVariableA(variable, text, sizeof text);
    ::SetEnvironmentVariableA(variable, std::to_string(std::atoi(text) + delta).c_str());
}

int g_table = 0; // the one table's handle is its address

std::vector<std::uint8_t> Records() {
    caps_test::Medium a;
    a.name = u"Faulty A";
    a.id = 1;
    caps_test::Medium b;
    b.name = u"Faulty B";
    b.id = 2;
    b.kind = 8;
    if (Mode() == "unterminated") {
        a.name = std::u16string(32, u'X');
        a.name2 = std::u16string(32, u'Y');
    }
    return caps_test::Records({a, b});
}

BOOL WINAPI OpenMediaTable(MediaTableHandle* handle, const char* /*dataFile*/) {
    if (Mode() == "open-fails") {
        *handle = reinterpret_cast<MediaTableHandle>(0x1234); // a failed open leaves garbage behind
        return FALSE;
    }
    *handle = &g_table;
    Count("LX_FAULTY_OPEN_TABLES", +1);
    return TRUE;
}

BOOL WINAPI CloseMediaTable(MediaTableHandle handle) {
    if (handle != &g_table) {
        Count("LX_FAULTY_BAD_CLOSES", +1);
        return FALSE;
    }
    Count("LX_FAULTY_OPEN_TABLES", -1);
    return TRUE;
}

BOOL WINAPI GetDeviceInfo(MediaTableHandle /*handle*/, DWORD /*level*/, void* buffer, DWORD bufferSize,
                          DWORD* needed) {
    *needed = caps::device_info::kSize;
    if (Mode() == "device-fails" || bufferSize < caps::device_info::kSize)
        return FALSE;
    auto block = caps_test::DeviceBlock({});
    std::memcpy(buffer, block.data(), block.size());
    return TRUE;
}

BOOL WINAPI GetMediaList(MediaTableHandle /*handle*/, DWORD /*level*/, void* buffer, DWORD bufferSize,
                         DWORD* needed, DWORD* count) {
    const std::string mode = Mode();
    std::vector<std::uint8_t> records = Records();
    DWORD n = 2;
    DWORD bytes = static_cast<DWORD>(records.size());
    if (mode == "empty")
        n = bytes = 0;
    else if (mode == "empty-count")
        n = 0;
    else if (mode == "short")
        n = 4; // claims four records, needs room for two
    else if (mode == "grows" && buffer != nullptr)
        n = 3; // the second answer claims more records than the first
    else if (mode == "huge")
        n = 0x8000, bytes = 0x8000 * 252;
    else if (mode == "wide")
        n = 0x10002, bytes = 0x10002 * 252; // cut to 16 bits it would be 2
    *needed = bytes;
    *count = n;
    if (buffer == nullptr)
        return TRUE;
    if (mode == "second-fails")
        return FALSE;
    std::memcpy(buffer, records.data(), std::min<std::size_t>(records.size(), bufferSize));
    return TRUE;
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI LMX_InitializeA(caps::MediaLibraryInterface* iface) {
    const std::string mode = Mode();
    if (mode == "refuse")
        return FALSE;
    if (iface->size != sizeof(caps::MediaLibraryInterface))
        return FALSE;
    if (mode != "no-open")
        iface->OpenMediaTable = OpenMediaTable;
    iface->CloseMediaTable = CloseMediaTable;
    if (mode != "no-device-info")
        iface->GetDeviceInfo = GetDeviceInfo;
    if (mode != "no-media-list")
        iface->GetMediaList = GetMediaList;
    return TRUE;
}
