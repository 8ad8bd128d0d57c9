// The test build's seams: message boxes, file dialogs and notes are written to the file LXDEVSET_TEST_LOG
// names; boxes are answered from LXDEVSET_TEST_ANSWERS (button ids, comma-separated, taken in order; then the
// first button) and file dialogs from LXDEVSET_TEST_FILES (paths separated by '|', "*" for Cancel; without
// the variable the real dialog is shown).
#include "win/seams.h"

#include "win/handles.h"
#include "win/text.h"

#include <cwchar>

namespace win {
namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? std::wstring(value, length) : std::wstring();
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

// Takes the next entry of a scripted list, so that a later request takes the one after it; false when the
// variable is not set.
bool TakeScripted(const wchar_t* name, wchar_t separator, std::wstring& entry) {
    wchar_t value[32768] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, 32768);
    if (length == 0 || length >= 32768)
        return false;
    std::wstring rest(value, length);
    const size_t at = rest.find(separator);
    entry = rest.substr(0, at);
    rest = at == std::wstring::npos ? std::wstring() : rest.substr(at + 1);
    ::SetEnvironmentVariableW(name, rest.empty() ? nullptr : rest.c_str());
    return true;
}

int NextAnswer(UINT style) {
    std::wstring answer;
    if (!TakeScripted(L"LXDEVSET_TEST_ANSWERS", L',', answer))
        return FirstButton(style);
    const int id = static_cast<int>(std::wcstol(answer.c_str(), nullptr, 10));
    return id > 0 ? id : FirstButton(style);
}

} // namespace

void TestNote(const std::wstring& line) {
    const std::wstring path = Variable(L"LXDEVSET_TEST_LOG");
    if (path.empty())
        return;
    FileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const std::string bytes = ToMultiByte(CP_UTF8, line) + "\n";
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int ShowBox(HWND, const std::wstring& text, const std::wstring& caption, UINT style) {
    wchar_t hex[16];
    ::wsprintfW(hex, L"%08X", style);
    TestNote(L"message|" + std::wstring(hex) + L"|" + Escape(caption) + L"|" + Escape(text));
    return NextAnswer(style);
}

uint32_t TestPauseDivisor() {
    const std::wstring value = Variable(L"LXDEVSET_TEST_PAUSE_DIVISOR");
    const long divisor = value.empty() ? 1 : std::wcstol(value.c_str(), nullptr, 10);
    return divisor > 0 ? static_cast<uint32_t>(divisor) : 1;
}

bool TestFileAnswer(const std::wstring& request, std::wstring& path, bool& chosen) {
    TestNote(L"file|" + request);
    std::wstring answer;
    if (!TakeScripted(L"LXDEVSET_TEST_FILES", L'|', answer))
        return false;
    chosen = answer != L"*";
    if (chosen)
        path = answer;
    return true;
}

} // namespace win
