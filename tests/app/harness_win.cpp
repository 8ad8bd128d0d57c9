// Runs a private copy of the shipped program and reads its test log.
#include "tests/app/harness_win.h"

#include "tests/support/window_search_win.h"

#include "win/resources.h"
#include "win/text.h"

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

std::string ReadBytes(const std::wstring& path) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

std::wstring ReadTextFile(const std::wstring& path) {
    return win::FromMultiByte(CP_UTF8, ReadBytes(path));
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

// Lines in UTF-8, as the log holds them.
std::vector<std::string> SplitLines(const std::wstring& text) {
    std::vector<std::string> lines;
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\n') {
            lines.push_back(win::ToMultiByte(CP_UTF8, line));
            line.clear();
        } else if (c != L'\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(win::ToMultiByte(CP_UTF8, line));
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
    WIN32_FIND_DATAW found;
    win::FindHandle libraries(::FindFirstFileW((dist + L"\\res\\lxdevset_*.dll").c_str(), &found));
    if (libraries) {
        do {
            CopyOrFail(dist + L"\\res\\" + found.cFileName, dir_ + L"\\res\\" + found.cFileName);
        } while (::FindNextFileW(libraries.get(), &found));
    }
    logPath_ = dir_ + L"\\test.log";
}

ProgramCopy::~ProgramCopy() {
    RemoveTree(dir_);
}

void ProgramCopy::SetVariable(const std::wstring& name, const std::wstring& value) {
    variables_.push_back({name, value});
}

RunResult ProgramCopy::Run(const std::wstring& tail, const std::function<void(const Running&)>& during,
                           bool logged, HANDLE token) {
    RunResult result;
    ::DeleteFileW(logPath_.c_str());
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", logged ? logPath_.c_str() : nullptr);
    for (const auto& [name, value] : variables_)
        ::SetEnvironmentVariableW(name.c_str(), value.c_str());
    std::wstring commandLine = L"\"" + exe() + L"\" " + tail;
    const std::wstring folder = workingFolder_.empty() ? dir_ : workingFolder_;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL started = token ? ::CreateProcessAsUserW(token, nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                                                  nullptr, folder.c_str(), &startup, &info)
                         : ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                            folder.c_str(), &startup, &info);
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", nullptr);
    for (const auto& [name, value] : variables_)
        ::SetEnvironmentVariableW(name.c_str(), nullptr);
    EXPECT_TRUE(started) << "cannot start the program: " << ::GetLastError();
    if (!started)
        return result;
    win::Handle process(info.hProcess);
    win::Handle thread(info.hThread);
    if (during)
        during({info.dwProcessId, info.hProcess, logPath_});
    result.finished = ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
    if (!result.finished)
        ::TerminateProcess(process.get(), 1);
    result.log = SplitLines(ReadTextFile(logPath_));
    return result;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    return winsearch::WaitTopWindow(
        processId, [&](HWND window) { return winsearch::ClassName(window) == className; }, timeoutMs);
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    ::SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> RunResult::Lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line);
    return lines;
}

std::string Running::WaitForLine(const std::string& prefix, DWORD timeoutMs, int n) const {
    const DWORD start = ::GetTickCount();
    do {
        int seen = 0;
        for (const std::string& line : SplitLines(ReadTextFile(logPath)))
            if (line.compare(0, prefix.size(), prefix) == 0 && ++seen == n)
                return line;
        if (::WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            break;
    } while (::GetTickCount() - start < timeoutMs);
    // One last look: the program may have written the line just before it ended.
    int seen = 0;
    for (const std::string& line : SplitLines(ReadTextFile(logPath)))
        if (line.compare(0, prefix.size(), prefix) == 0 && ++seen == n)
            return line;
    return {};
}

HWND Running::MainWindow(DWORD timeoutMs) const {
    return winsearch::WaitTopWindow(processId, &winsearch::IsMainDialog, timeoutMs, process);
}

Box WaitForBox(const Running& running, DWORD timeoutMs) {
    Box box;
    // A message box is the dialog with the message text control.
    box.window = winsearch::WaitTopWindow(
        running.processId, [](HWND window) { return ::GetDlgItem(window, 0xFFFF) != nullptr; }, timeoutMs,
        running.process, 20);
    if (box.window) {
        box.caption = WindowText(box.window);
        box.text = WindowText(::GetDlgItem(box.window, 0xFFFF));
        box.hasCancel = ::GetDlgItem(box.window, IDCANCEL) != nullptr;
    }
    return box;
}

void Press(const Box& box, int buttonId) {
    if (!box.window)
        return;
    ::PostMessageW(::GetDlgItem(box.window, buttonId), BM_CLICK, 0, 0);
    for (int i = 0; i < 200 && ::IsWindow(box.window) && ::IsWindowVisible(box.window); ++i)
        ::Sleep(20);
}

HWND WaitForCaption(const Running& running, const std::wstring& caption, DWORD timeoutMs) {
    return winsearch::WaitTopWindow(
        running.processId, [&](HWND window) { return WindowText(window) == caption; }, timeoutMs,
        running.process, 20);
}

void CloseMainWindow(const Running& running) {
    if (HWND main = running.MainWindow())
        ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

HWND Descendant(HWND window, int id) {
    return winsearch::ChildById(window, id);
}

int ComboSelection(HWND window, int id) {
    return static_cast<int>(::SendMessageW(Descendant(window, id), CB_GETCURSEL, 0, 0));
}

std::vector<std::wstring> ComboEntries(HWND window, int id) {
    HWND list = Descendant(window, id);
    std::vector<std::wstring> entries;
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[260] = {};
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

std::wstring ComboText(HWND window, int id) {
    const int selected = ComboSelection(window, id);
    const std::vector<std::wstring> entries = ComboEntries(window, id);
    return selected >= 0 && static_cast<size_t>(selected) < entries.size()
               ? entries[static_cast<size_t>(selected)]
               : std::wstring();
}

void SelectCombo(HWND window, int id, int index) {
    HWND list = Descendant(window, id);
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

void PostCommand(HWND mainWindow, int id) {
    ::PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

win::Handle RestrictedToken() {
    win::Handle own, restricted;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    win::Sid admins;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, own.put()) ||
        !::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                    0, 0, admins.put()))
        return restricted;
    SID_AND_ATTRIBUTES deny = {admins.get(), 0};
    ::CreateRestrictedToken(own.get(), 0, 1, &deny, 0, nullptr, 0, nullptr, restricted.put());
    return restricted;
}

EnglishResources::EnglishResources()
    : library_(::LoadLibraryW((DistDir() + L"\\res\\lxdevset_ENU.dll").c_str())) {
    win::SetResourceModule(library_.get());
}

EnglishResources::~EnglishResources() {
    win::SetResourceModule(nullptr);
}

} // namespace harness
