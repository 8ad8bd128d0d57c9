// The test build's seams: message boxes and notes are written to the file LXDEVSET_TEST_LOG names, and boxes
// are answered from LXDEVSET_TEST_ANSWERS (button ids, comma-separated, taken in order; then the first button).
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

// The next scripted answer, consumed from the variable so that a later box takes the one after it.
int NextAnswer(UINT style) {
    std::wstring answers = Variable(L"LXDEVSET_TEST_ANSWERS");
    if (answers.empty())
        return FirstButton(style);
    const size_t comma = answers.find(L',');
    const int answer = static_cast<int>(std::wcstol(answers.substr(0, comma).c_str(), nullptr, 10));
    answers = comma == std::wstring::npos ? std::wstring() : answers.substr(comma + 1);
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_ANSWERS", answers.empty() ? nullptr : answers.c_str());
    return answer > 0 ? answer : FirstButton(style);
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

} // namespace win
