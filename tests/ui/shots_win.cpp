// lxshots: walks the shipped program through its windows and asks for a screenshot of each.
//   lxshots OUTDIR PROGRAMDIR [scene...]
// For each picture it creates OUTDIR\<name>.want and waits until the script that takes the screenshots
// (scripts/shots.sh) has removed it. Without scene names it shows every scene.
#include "core/resource.h"
#include "tests/support/window_search_win.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

std::wstring g_out;
std::wstring g_program;

void Shot(const std::wstring& name) {
    ::Sleep(400); // let the windows finish painting
    const std::wstring want = g_out + L"\\" + name + L".want";
    HANDLE file = ::CreateFileW(want.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    for (int i = 0; i < 300 && ::GetFileAttributesW(want.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    std::wprintf(L"shot %ls\n", name.c_str());
    std::fflush(stdout);
}

struct Program {
    PROCESS_INFORMATION info{};
    bool Start(const std::wstring& arguments) {
        std::wstring command = L"\"" + g_program + L"\\lxdevset.exe\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, g_program.c_str(),
                                &startup, &info) != FALSE;
    }
    ~Program() {
        if (::WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(info.hProcess, 1);
        ::CloseHandle(info.hProcess);
        ::CloseHandle(info.hThread);
    }
};

// The program's window whose caption is the given one; any visible window of it when the caption is empty.
HWND WaitFor(const Program& program, const std::wstring& caption, DWORD timeoutMs = 20000) {
    return winsearch::WaitTopWindow(
        program.info.dwProcessId,
        [&](HWND window) {
            wchar_t text[256] = {};
            ::GetWindowTextW(window, text, 256);
            return caption.empty() || caption == text;
        },
        timeoutMs);
}

void WaitGone(HWND window) {
    for (int i = 0; i < 200 && ::IsWindow(window) && ::IsWindowVisible(window); ++i)
        ::Sleep(50);
}

HWND Child(HWND window, int id) {
    return winsearch::ChildById(window, id);
}

void SelectPrinter(HWND main, const std::wstring& name) {
    HWND list = Child(main, IDC_PRINTER_LIST);
    const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_PRINTER_LIST, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

HWND MainOf(Program& program) {
    return winsearch::WaitTopWindow(program.info.dwProcessId, &winsearch::IsMainDialog, 20000);
}

// The main window of a printer once its first reading is over.
HWND OpenMain(Program& program, const std::wstring& printer) {
    HWND main = program.Start(printer) ? MainOf(program) : nullptr;
    ::SetForegroundWindow(main);
    return main;
}

void Close(HWND main) {
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
}

void MainWindows() {
    Program program;
    HWND main = OpenMain(program, L"Korvale LX-410");
    if (!main)
        return;
    Shot(L"main-lx410");
    SelectPrinter(main, L"Warehouse LX-450W");
    Shot(L"main-lx450w");
    // The split button's menu, opened from its arrow strip.
    HWND split = Child(main, IDC_SPLIT_APPLY);
    RECT rect{};
    ::GetClientRect(split, &rect);
    ::PostMessageW(split, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 6, rect.bottom / 2));
    Shot(L"split-menu");
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ::Sleep(200);
    SelectPrinter(main, L"Korvale LX-410");

    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_CURRENT_SETTINGS, BN_CLICKED), 0);
    if (HWND progress = WaitFor(program, L"Progress", 5000)) {
        ::Sleep(600);
        Shot(L"progress");
        WaitGone(progress);
    }
    if (HWND box = WaitFor(program, L"Device settings", 5000); box && box != main) {
        Shot(L"result-message");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitGone(box);
    }
    ::PostMessageW(main, WM_COMMAND, ID_HELP_ABOUT, 0);
    if (HWND about = WaitFor(program, L"Version Information", 5000)) {
        Shot(L"about");
        ::PostMessageW(about, WM_COMMAND, IDOK, 0);
        WaitGone(about);
    }
    ::PostMessageW(main, WM_COMMAND, ID_TOOLS_OPTIONS, 0);
    if (HWND options = WaitFor(program, L"Option Settings", 5000)) {
        Shot(L"options");
        ::PostMessageW(options, WM_COMMAND, IDCANCEL, 0);
        WaitGone(options);
    }
    Close(main);
}

void Selection() {
    Program program;
    if (!program.Start(L""))
        return;
    if (HWND select = WaitFor(program, L"Device settings")) {
        Shot(L"selection");
        ::PostMessageW(select, WM_COMMAND, IDCANCEL, 0);
    }
}

// One language: the settings file's default names it (the user's locale has no key in the copy's file).
void SetLanguage(const std::wstring& code) {
    const std::wstring ini = g_program + L"\\lxdevset.ini";
    ::WritePrivateProfileStringW(L"LangString", nullptr, nullptr, ini.c_str());
    ::WritePrivateProfileStringW(L"LangString", L"default", code.c_str(), ini.c_str());
}

// For each language: the selection dialog, the main window of the wireless model and the message of a refused
// command (a printer on a parallel port).
void Languages() {
    for (const wchar_t* code : {L"DEU", L"FRA", L"JPN", L"ARE", L"ENU"}) {
        SetLanguage(code);
        const std::wstring tag = std::wstring(L"lang-") + code;
        {
            Program program;
            if (program.Start(L"")) {
                if (HWND select = WaitFor(program, L"")) {
                    Shot(tag + L"-selection");
                    ::PostMessageW(select, WM_COMMAND, IDCANCEL, 0);
                }
            }
        }
        {
            Program program;
            if (!program.Start(L"Warehouse LX-450W"))
                continue;
            if (HWND main = MainOf(program)) {
                ::SetForegroundWindow(main);
                Shot(tag + L"-main");
                ::PostMessageW(main, WM_COMMAND, ID_TOOLS_PRINT_INFORMATION, 0);
                ::Sleep(800);
                Shot(tag + L"-message");
                for (HWND box = nullptr; (box = ::GetForegroundWindow()) && box != main;) {
                    ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                    ::Sleep(300);
                }
                ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
            }
        }
    }
}

void Classic() {
    Program program;
    HWND main = OpenMain(program, L"Warehouse LX-450W");
    if (!main)
        return;
    Shot(L"main-classic");
    Close(main);
}

// The main window on a 144-DPI screen (shots.sh sets the DPI before the desktop starts).
void HighDpi() {
    SetLanguage(L"ENU");
    Program program;
    HWND main = OpenMain(program, L"Warehouse LX-450W");
    if (!main)
        return;
    Shot(L"main-144dpi");
    Close(main);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: lxshots OUTDIR PROGRAMDIR [scene...]\n");
        return 2;
    }
    g_out = argv[1];
    g_program = argv[2];
    const std::map<std::wstring, std::function<void()>> scenes = {{L"main", MainWindows},
                                                                  {L"selection", Selection},
                                                                  {L"classic", Classic},
                                                                  {L"languages", Languages},
                                                                  {L"dpi", HighDpi}};
    std::vector<std::wstring> wanted;
    for (int i = 3; i < argc; ++i)
        wanted.push_back(argv[i]);
    if (wanted.empty())
        wanted = {L"main", L"selection", L"languages"};
    for (const std::wstring& name : wanted) {
        auto it = scenes.find(name);
        if (it == scenes.end()) {
            std::fwprintf(stderr, L"lxshots: no scene %ls\n", name.c_str());
            return 2;
        }
        it->second();
    }
    HANDLE done =
        ::CreateFileW((g_out + L"\\done").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (done != INVALID_HANDLE_VALUE)
        ::CloseHandle(done);
    return 0;
}
