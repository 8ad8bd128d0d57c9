// Runs a private copy of the shipped program and reads its test log.
#include "tests/app/harness_win.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace harness {

std::wstring WindowsPath(const std::string& linuxPath) {
    std::wstring path = L"Z:";
    for (char c : linuxPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring DistDir() {
    const char* dist = std::getenv("LX_DIST_DIR");
    return dist ? WindowsPath(dist) : std::wstring();
}

std::wstring BuildDir() {
    const char* build = std::getenv("LX_BUILD_DIR");
    return build ? WindowsPath(build) : std::wstring();
}

std::wstring ReadTextFile(const std::wstring& path) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (size > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}

void WriteTextFile(const std::wstring& path, const std::string& text) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << "cannot write " << ::GetLastError();
    DWORD written = 0;
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

namespace {

void CopyOrFail(const std::wstring& from, const std::wstring& to) {
    ASSERT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE)) << "copy failed: " << ::GetLastError();
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    win::FindHandle search(::FindFirstFileW((dir + L"\\*").c_str(), &found));
    if (search) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(search.get(), &found));
    }
    search.reset();
    ::RemoveDirectoryW(dir.c_str());
}

std::vector<std::string> SplitLines(const std::wstring& text) {
    std::vector<std::string> lines;
    std::string line;
    for (wchar_t c : text) {
        if (c == L'\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != L'\r') {
            // Tests compare ASCII texts; anything else shows as '?'.
            line += c < 0x80 ? static_cast<char>(c) : '?';
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

ProgramCopy::ProgramCopy(const std::wstring& tag, Build build) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"lxdevset-" + tag + L"-" + std::to_wstring(::GetCurrentProcessId());
    RemoveTree(dir_);
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    ::CreateDirectoryW((dir_ + L"\\res").c_str(), nullptr);
    const std::wstring dist = DistDir();
    CopyOrFail(build == Build::kShipped ? dist + L"\\lxdevset.exe" : BuildDir() + L"\\app\\lxdevset_test.exe",
               exe());
    CopyOrFail(dist + L"\\lxportio.dll", dir_ + L"\\lxportio.dll");
    CopyOrFail(dist + L"\\lxportio.ini", dir_ + L"\\lxportio.ini");
    CopyOrFail(dist + L"\\lxdevset.ini", ini());
    CopyOrFail(dist + L"\\res\\lxdevset_ENU.dll", dir_ + L"\\res\\lxdevset_ENU.dll");
    logPath_ = dir_ + L"\\test.log";
}

ProgramCopy::~ProgramCopy() {
    RemoveTree(dir_);
}

RunResult ProgramCopy::Run(const std::wstring& tail, const std::function<void(const Running&)>& during,
                           bool logged, HANDLE token) {
    RunResult result;
    ::DeleteFileW(logPath_.c_str());
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", logged ? logPath_.c_str() : nullptr);
    std::wstring commandLine = L"\"" + exe() + L"\" " + tail;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL started = token ? ::CreateProcessAsUserW(token, nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                                  nullptr, dir_.c_str(), &startup, &info)
                         : ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                            dir_.c_str(), &startup, &info);
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", nullptr);
    EXPECT_TRUE(started) << "cannot start the program: " << ::GetLastError();
    if (!started)
        return result;
    win::Handle process(info.hProcess);
    win::Handle thread(info.hThread);
    if (during)
        during({info.dwProcessId, info.hProcess});
    result.finished = ::WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
    if (!result.finished)
        ::TerminateProcess(process.get(), 1);
    result.log = SplitLines(ReadTextFile(logPath_));
    return result;
}

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    if (owner == search->processId && wcscmp(cls, search->className) == 0 && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        WindowSearch search = {processId, className, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    ::SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace harness
