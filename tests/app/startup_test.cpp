// The whole program under Wine: every start-up stop with its text, caption and style, selection, second copy.
#include "tests/app/harness_win.h"
#include "win/text.h"

#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using harness::ProgramCopy;
using harness::RunResult;
using testing::ElementsAre;

namespace {

const char kModels[] = "[Property]\r\nCompatibleModel=Korvale LX-410,Korvale LX-450W\r\n"
                       "[Korvale LX-410]\r\nSeriesCode=104\r\nModelCode=48\r\n"
                       "[Korvale LX-450W]\r\nSeriesCode=104\r\nModelCode=50\r\n";

std::string Ini(const std::string& langString) {
    return std::string(kModels) + "[LangString]\r\n" + langString;
}

// Error icon with a single OK button; with right-to-left reading and right alignment added.
const char kStop[] = "message|00000010|Error|";
const char kStopRtl[] = "message|00180010|Error|";

} // namespace

TEST(Startup, SettingsFileMissingReadOnlyOrLanguageLibraryMissing) {
    ProgramCopy copy(L"files");
    ::DeleteFileW(copy.ini().c_str());
    RunResult run = copy.Run(L"Korvale");
    EXPECT_TRUE(run.finished);
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "The settings file cannot be found."));

    harness::WriteTextFile(copy.ini(), Ini("default=ENU\r\n"));
    ::SetFileAttributesW(copy.ini().c_str(), FILE_ATTRIBUTE_READONLY);
    run = copy.Run(L"Korvale");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "The settings file is read-only."));
    ::SetFileAttributesW(copy.ini().c_str(), FILE_ATTRIBUTE_NORMAL);

    // No locale key and no default: no language code at all.
    harness::WriteTextFile(copy.ini(), Ini("xx=ENU\r\n"));
    run = copy.Run(L"Korvale");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "Resource file is not found."));

    // A language code whose library is not there.
    harness::WriteTextFile(copy.ini(), Ini("default=XYZ\r\n"));
    run = copy.Run(L"Korvale");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "Resource file is not found."));
}

TEST(Startup, CatalogueWithoutModelsStopsBeforeTheAdministratorTest) {
    ProgramCopy copy(L"nomodels");
    harness::WriteTextFile(copy.ini(), "[Property]\r\nCompatibleModel=,,\r\n[LangString]\r\ndefault=ENU\r\n");
    RunResult run = copy.Run(L"Korvale LX-410");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "The settings file cannot be found."));
}

TEST(Startup, PrinterChecksAreExact) {
    ProgramCopy copy(L"printers");
    const std::string notFound = std::string(kStop) + "The specified printer cannot be found.";
    EXPECT_THAT(copy.Run(L"No Such Printer").log, ElementsAre(notFound));
    EXPECT_THAT(copy.Run(L"korvale lx-410").log, ElementsAre(notFound));     // letter case matters
    EXPECT_THAT(copy.Run(L"\"Korvale LX-410\"").log, ElementsAre(notFound)); // quotes are part of the name
    EXPECT_THAT(copy.Run(L"Office Laser").log, ElementsAre(notFound));       // driver is no model
    EXPECT_THAT(copy.Run(L"Quoted \"Label\" Printer").log, ElementsAre(notFound)); // model of no catalogue
    EXPECT_THAT(copy.Run(std::wstring(2000, L'P')).log, ElementsAre(notFound));
    EXPECT_THAT(copy.Run(L"  Korvale LX-410 \t", harness::CloseMainWindow).Lines("main|"),
                ElementsAre("main|Korvale LX-410"));
    EXPECT_THAT(copy.Run(L"Warehouse LX-450W", harness::CloseMainWindow).Lines("main|"),
                ElementsAre("main|Warehouse LX-450W"));
}

TEST(Startup, ArabicLanguageCodeTurnsMessagesRightToLeftFromTheAdministratorTestOn) {
    ProgramCopy copy(L"arabic");
    harness::WriteTextFile(copy.ini(), Ini("default=ARE\r\n"));
    ASSERT_TRUE(::CopyFileW((copy.dir() + L"\\res\\lxdevset_ENU.dll").c_str(),
                            (copy.dir() + L"\\res\\lxdevset_ARE.dll").c_str(), FALSE));
    EXPECT_THAT(copy.Run(L"No Such Printer").log,
                ElementsAre(std::string(kStopRtl) + "The specified printer cannot be found."));
    // Before the library is chosen the desktop decides, and it is left to right.
    ::SetFileAttributesW(copy.ini().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THAT(copy.Run(L"No Such Printer").log,
                ElementsAre(std::string(kStop) + "The settings file is read-only."));
    ::SetFileAttributesW(copy.ini().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Startup, NonAdministratorIsStopped) {
    const win::Handle restricted = harness::RestrictedToken();
    ASSERT_TRUE(restricted);

    ProgramCopy copy(L"user");
    RunResult run = copy.Run(L"Korvale LX-410", {}, true, restricted.get());
    EXPECT_TRUE(run.finished);
    // The rights are tested after the catalogue and before the printer: an empty catalogue still says so, and
    // a missing printer is not reached.
    EXPECT_THAT(copy.Run(L"No Such Printer", {}, true, restricted.get()).log,
                ElementsAre(std::string(kStop) +
                            "Administrator privileges are required in order to start this tool."));
    harness::WriteTextFile(copy.ini(), "[Property]\r\nCompatibleModel=\r\n[LangString]\r\ndefault=ENU\r\n");
    EXPECT_THAT(copy.Run(L"Korvale LX-410", {}, true, restricted.get()).log,
                ElementsAre(std::string(kStop) + "The settings file cannot be found."));
    harness::WriteTextFile(copy.ini(), std::string(kModels) + "[LangString]\r\ndefault=ENU\r\n");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) +
                                     "Administrator privileges are required in order to start this tool."));
}

TEST(Startup, RealMessageBoxShowsTextCaptionAndClosesWithOk) {
    ProgramCopy copy(L"realbox", harness::Build::kShipped);
    std::wstring caption, text;
    RunResult run = copy.Run(
        L"No Such Printer",
        [&](const harness::Running& running) {
            HWND box = harness::WaitForWindow(running.processId, L"#32770", 10000);
            ASSERT_NE(box, nullptr);
            caption = harness::WindowText(box);
            text = harness::WindowText(::GetDlgItem(box, 0xFFFF));
            ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        },
        false);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(caption, L"Error");
    EXPECT_EQ(text, L"The specified printer cannot be found.");
}

namespace {
// Reads the selection dialog's list while the program shows it.
struct SelectionSeen {
    std::vector<std::wstring> entries;
    std::wstring selected;
    std::wstring caption;
};

SelectionSeen ReadSelection(HWND dialog) {
    SelectionSeen seen;
    seen.caption = harness::WindowText(dialog);
    HWND list = ::GetDlgItem(dialog, 1126);
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[260] = {};
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        seen.entries.push_back(text);
    }
    const LRESULT current = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (current >= 0 && current < count)
        seen.selected = seen.entries[static_cast<size_t>(current)];
    return seen;
}
} // namespace

TEST(Startup, BlankCommandLineShowsSelectionAndOkTakesThePreselectedPrinter) {
    ProgramCopy copy(L"select");
    SelectionSeen seen;
    RunResult run = copy.Run(L"   ", [&](const harness::Running& running) {
        HWND dialog = harness::WaitForWindow(running.processId, L"#32770", 10000);
        ASSERT_NE(dialog, nullptr);
        seen = ReadSelection(dialog);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        harness::CloseMainWindow(running);
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(seen.caption, L"Device settings");
    EXPECT_THAT(seen.entries,
                ElementsAre(L"Korvale LX-410", L"Label Desk LX-410", L"Logbook LX-410", L"Logbreak LX-410",
                            L"Other Model LX-410", L"Parallel LX-410", L"Silent LX-410", L"Stubborn LX-410",
                            L"Unplugged LX-410", L"Warehouse LX-450W", L"Wireless Desk LX-450W"));
    EXPECT_EQ(seen.selected, L"Korvale LX-410");
    EXPECT_THAT(run.Lines("main|"), ElementsAre("main|Korvale LX-410"));
}

TEST(Startup, SelectionCancelEndsSilentlyAndChosenNameKeepsItsCase) {
    ProgramCopy copy(L"cancel");
    RunResult run = copy.Run(L"", [&](const harness::Running& running) {
        HWND dialog = harness::WaitForWindow(running.processId, L"#32770", 10000);
        ASSERT_NE(dialog, nullptr);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(run.log.empty());

    // The test printers: Beta is preferred over alpha although the sorted list shows alpha first.
    harness::WriteTextFile(copy.ini(),
                           "[Property]\r\nCompatibleModel=Korvale LX-TEST\r\n[Korvale LX-TEST]\r\n"
                           "SeriesCode=1\r\nModelCode=1\r\n[LangString]\r\ndefault=ENU\r\n");
    SelectionSeen seen;
    run = copy.Run(L"", [&](const harness::Running& running) {
        HWND dialog = harness::WaitForWindow(running.processId, L"#32770", 10000);
        ASSERT_NE(dialog, nullptr);
        seen = ReadSelection(dialog);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        harness::CloseMainWindow(running);
    });
    // "Able Offline" sorts before both but works offline: never the one offered.
    EXPECT_THAT(seen.entries, ElementsAre(L"Able Offline", L"alpha", L"Beta", L"Quoted \"Label\" Printer"));
    EXPECT_EQ(seen.selected, L"Beta");
    EXPECT_THAT(run.Lines("main|"), ElementsAre("main|Beta"));
}

TEST(Startup, NoAcceptablePrinterSaysSoOnceAndEnds) {
    ProgramCopy copy(L"noprinter");
    harness::WriteTextFile(copy.ini(),
                           "[Property]\r\nCompatibleModel=Korvale LX-999\r\n[LangString]\r\ndefault=ENU\r\n");
    RunResult run = copy.Run(L"");
    EXPECT_TRUE(run.finished);
    EXPECT_THAT(run.log,
                ElementsAre("message|00000010|Device settings|No compatible printer driver is installed."));
}

namespace {
// Stands in for a first copy: owns the mutex and shows a window with the application title.
class FirstCopy {
public:
    FirstCopy() {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = ::DefWindowProcW;
        cls.hInstance = ::GetModuleHandleW(nullptr);
        cls.lpszClassName = L"LxFirstCopy";
        ::RegisterClassW(&cls);
        window = ::CreateWindowW(L"LxFirstCopy", L"Device settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, cls.hInstance, nullptr);
        other = ::CreateWindowW(L"LxFirstCopy", L"Something else", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                200, 100, nullptr, nullptr, cls.hInstance, nullptr);
        mutex.reset(::CreateMutexW(nullptr, TRUE, L"mutex_LX-410SeriesDeviceSettingTool"));
    }
    ~FirstCopy() {
        ::DestroyWindow(window);
        ::DestroyWindow(other);
    }
    HWND window = nullptr;
    HWND other = nullptr;
    win::Handle mutex;
};
} // namespace

TEST(Startup, SecondCopyBringsTheFirstToTheFront) {
    FirstCopy first;
    ASSERT_TRUE(first.window);
    ::SetForegroundWindow(first.other);
    ProgramCopy copy(L"second");
    RunResult run = copy.Run(L"Korvale LX-410");
    EXPECT_TRUE(run.finished);
    EXPECT_THAT(run.log, ElementsAre("already-running"));
    // Activation reaches this thread as messages: serve them for a moment.
    for (int i = 0; i < 40 && ::GetForegroundWindow() != first.window; ++i) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(25);
    }
    EXPECT_EQ(::GetForegroundWindow(), first.window);

    // A missing printer is reported before the running copy is noticed.
    run = copy.Run(L"No Such Printer");
    EXPECT_THAT(run.log, ElementsAre(std::string(kStop) + "The specified printer cannot be found."));
}

// The program as the installation package put it in place (run by the package test in its own prefix, which
// names the folder and the AutoOffAc choice it gave the simulated printer; skipped elsewhere): it opens on
// that printer and shows what the printer holds.
TEST(Installed, OpensOnASimulatedPrinterAndShowsItsValues) {
    const char* dir = std::getenv("LX_INSTALLED_DIR");
    const char* expected = std::getenv("LX_INSTALLED_AUTOOFFAC");
    if (!dir || !expected)
        GTEST_SKIP() << "for the package test";
    std::wstring command = L"\"" + win::FromMultiByte(CP_UTF8, dir) + L"\\lxdevset.exe\" Korvale LX-410";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &info));
    const harness::Running running{info.dwProcessId, info.hProcess, L""};
    const HWND main = running.MainWindow(60000);
    ASSERT_NE(main, nullptr);
    int shown = -1;
    for (int i = 0; i < 100 && shown != std::atoi(expected); ++i, ::Sleep(100))
        shown = harness::ComboSelection(main, 1011);
    EXPECT_EQ(shown, std::atoi(expected));
    harness::CloseMainWindow(running);
    EXPECT_EQ(::WaitForSingleObject(info.hProcess, 20000), WAIT_OBJECT_0);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
}
