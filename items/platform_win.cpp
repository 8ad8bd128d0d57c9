// Private-profile access, ANSI conversion and string-table loading for the setting items.
#include "items/platform_win.h"

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
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string ansi(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size,
                          nullptr, nullptr);
    return ansi;
}

Win32ItemPlatform& TheItemPlatform() {
    static Win32ItemPlatform platform;
    return platform;
}

std::wstring ModuleStrings::LoadText(uint32_t id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself, of any length.
    const int length = ::LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    return std::wstring(text, static_cast<size_t>(length));
}
