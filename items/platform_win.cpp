// Private-profile access, ANSI conversion and string-table loading for the setting items.
#include "items/platform_win.h"

#include "win/resources.h"
#include "win/text.h"

bool Win32ItemPlatform::WriteProfileText(const std::wstring& path, const std::wstring& section,
                                         const std::wstring& key, const std::wstring& value) {
    return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

int Win32ItemPlatform::ReadProfileInt(const std::wstring& path, const std::wstring& section,
                                      const std::wstring& key, int defaultValue) {
    return static_cast<int>(
        ::GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

std::string Win32ItemPlatform::ToAnsi(const std::wstring& text) {
    // The thread's code page follows the language the program runs in, which need not be the system's.
    return win::ToMultiByte(CP_THREAD_ACP, text);
}

Win32ItemPlatform& TheItemPlatform() {
    static Win32ItemPlatform platform;
    return platform;
}

std::wstring ModuleStrings::LoadText(uint32_t id) {
    return win::LoadModuleString(module_, id);
}
