// Message boxes and the test log seam.
#include "win/message_box.h"

#include "win/handles.h"

namespace win {
namespace {

std::wstring TestLogPath() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", path, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? std::wstring(path, length) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr,
                              nullptr);
    return out;
}

// Line breaks inside a message are written as \n so that one box stays one line.
std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n')
            out += L"\\n";
        else if (c != L'\r')
            out += c;
    }
    return out;
}

int FirstButton(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    case MB_CANCELTRYCONTINUE:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace

void TestLog(const std::wstring& line) {
    const std::wstring path = TestLogPath();
    if (path.empty())
        return;
    FileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const std::string bytes = Utf8(line) + "\n";
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    if (!TestLogPath().empty()) {
        wchar_t hex[16];
        ::wsprintfW(hex, L"%08X", style);
        TestLog(L"message|" + std::wstring(hex) + L"|" + Escape(caption) + L"|" + Escape(text));
        return FirstButton(style);
    }
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

} // namespace win
