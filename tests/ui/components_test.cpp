// The main window's parts in this process under Wine: the progress dialog's hold times and keys, the split
// button's zones, keys, menu and pixels, and the option dialog's settings-file rule.
#include "tests/support/virtual_clock.h"
#include "app/option_dlg_win.h"
#include "comm/progress/progress_dlg_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/resource.h"
#include "comm/device_ops.h"
#include "items/page/tab_page_win.h"
#include "tests/app/harness_win.h"
#include "ui/split_button_geometry.h"
#include "ui/split_button_win.h"
#include "win/resources.h"
#include "win/text.h"

#include <uxtheme.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <atomic>
#include <thread>

namespace {

class Components : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.Loaded()); }
    harness::EnglishResources library;
};

// A worker that sleeps, reads the bar on its way and pokes the dialog with everything that must not close it.
struct SlowJob {
    DWORD sleepMs = 0;
    int32_t code = 0;
    bool poke = false;
    int barAfterHalfSecond = -1;
    HWND dialog = nullptr;
};

int32_t SlowWorker(void* data) {
    auto* job = static_cast<SlowJob*>(data);
    if (job->sleepMs >= 800) {
        const DWORD start = ::GetTickCount();
        ::Sleep(700);
        job->dialog = ::GetForegroundWindow();
        HWND bar = ::FindWindowExW(job->dialog, nullptr, PROGRESS_CLASSW, nullptr);
        // The timer fills the bar in 700 ms; a loaded machine's timer may lag, so the state is waited for.
        do
            job->barAfterHalfSecond = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
        while (job->barAfterHalfSecond < 100 && ::GetTickCount() - start < 5000 && (::Sleep(20), true));
        if (job->poke) {
            ::PostMessageW(job->dialog, WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessageW(job->dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(job->dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            ::PostMessageW(job->dialog, WM_CLOSE, 0, 0);
        }
        const DWORD spent = ::GetTickCount() - start;
        ::Sleep(spent < job->sleepMs ? job->sleepMs - spent : 0);
    } else {
        ::Sleep(job->sleepMs);
    }
    return job->code;
}

DWORD TimedModal(CProgressDlg& dialog) {
    const DWORD start = ::GetTickCount();
    dialog.DoModal();
    return ::GetTickCount() - start;
}

} // namespace

TEST_F(Components, ProgressDialogHoldsAQuickWorkerAndFollowsASlowOne) {
    SlowJob quick{0, 6501};
    CProgressDlg first(nullptr, &SlowWorker, &quick, L"Applying settings...");
    const DWORD quickMs = TimedModal(first);
    EXPECT_EQ(first.result, 6501);
    EXPECT_GE(quickMs, 580u);
    EXPECT_LT(quickMs, 1500u);

    // Nothing but the worker's end closes it, and a result of 0 comes through as it is.
    SlowJob slow{1800, 0, true};
    CProgressDlg second(nullptr, &SlowWorker, &slow, L"Retrieving current setting...");
    const DWORD slowMs = TimedModal(second);
    EXPECT_EQ(second.result, 0);
    EXPECT_EQ(slow.barAfterHalfSecond, 100);
    EXPECT_GE(slowMs, 1980u);
    EXPECT_LT(slowMs, 2900u);
}

TEST_F(Components, AQuitDuringAProgressDialogServesTheWorkerUntilItEndsAndThenPassesOn) {
    // A list of this thread that the worker sends to, as a worker fills the settings page's lists.
    struct Job {
        HWND list;
        LRESULT answer = -2;
    } job{::CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)};
    {
        CProgressDlg dialog(
            nullptr,
            [](void* data) -> int32_t {
                auto* j = static_cast<Job*>(data);
                ::Sleep(500); // the loop has met the quit and left by now
                j->answer = ::SendMessageW(j->list, CB_GETCOUNT, 0, 0);
                return 6501;
            },
            &job, L"x");
        ::PostQuitMessage(7);
        dialog.DoModal();
    } // without the served wait this never returns: the worker waits in SendMessage for this thread
    EXPECT_EQ(job.answer, 0);
    MSG msg{};
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    ::DestroyWindow(job.list);
}

TEST_F(Components, ProgressDialogCentresOverItsParent) {
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400,
                                    nullptr, nullptr, nullptr, nullptr);
    SlowJob job{0, 1};
    RECT dialogRect{};
    CProgressDlg dialog(
        parent, [](void*) -> int32_t { return 1; }, &job, L"x");
    std::atomic<bool> stop{false};
    std::thread watcher([&] {
        while (!stop) {
            // This process's own: other test programs may show a progress dialog at the same time.
            HWND found = nullptr;
            for (HWND w = ::FindWindowW(L"#32770", L"Progress"); w;
                 w = ::FindWindowExW(nullptr, w, L"#32770", L"Progress")) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(w, &owner);
                if (owner == ::GetCurrentProcessId())
                    found = w;
            }
            if (found && ::IsWindowVisible(found)) {
                ::GetWindowRect(found, &dialogRect);
                return;
            }
            ::Sleep(10);
        }
    });
    dialog.DoModal();
    stop = true;
    watcher.join();
    const int width = dialogRect.right - dialogRect.left, height = dialogRect.bottom - dialogRect.top;
    EXPECT_EQ(dialogRect.left, 100 + (600 - width) / 2);
    EXPECT_EQ(dialogRect.top, 100 + (400 - height) / 2);
    ::DestroyWindow(parent);
}

namespace {

// The main dialog's template with the split button attached, recording the commands it receives.
class SplitHost : public win::DialogImpl<SplitHost> {
public:
    SplitHost() : DialogImpl(IDD_MAIN, nullptr) {}
    CPopupButton button;
    std::vector<UINT> commands;
    std::vector<UINT> menuSeen;
    std::wstring buttonText;
    std::function<void(SplitHost&)> script;
    bool endAfterScript = true; // false: the script posts WM_APP + 1 when the loop has had its say
    size_t commandsOnPress = 0;

protected:
    BOOL OnInitDialog() override {
        button.Attach(hwnd());
        ::ShowWindow(button.hwnd(), SW_SHOW);
        ::PostMessageW(hwnd(), WM_APP, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg == WM_APP && script) {
            buttonText = win::WindowText(button.hwnd());
            script(*this);
            if (endAfterScript)
                EndDialog(IDOK);
            return true;
        }
        if (msg == WM_APP + 1)
            EndDialog(IDOK);
        return msg == WM_APP + 1;
    }
    bool OnCommand(UINT id, UINT) override {
        if (id >= 0x8000)
            commands.push_back(id);

        return id != IDOK && id != IDCANCEL;
    }
};

// Reads each popup menu that opens in this process and closes it with Escape, until stopped.
class MenuWatcher {
public:
    explicit MenuWatcher(std::vector<UINT>& seen) : seen_(seen), thread_([this] { Watch(); }) {}
    ~MenuWatcher() {
        stop_ = true;
        thread_.join();
    }

private:
    void Watch() {
        while (!stop_) {
            HWND popup = ::FindWindowW(L"#32768", nullptr);
            if (popup && ::IsWindowVisible(popup)) {
                HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
                for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                    seen_.push_back(::GetMenuItemID(menu, i));

                ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                while (::IsWindowVisible(popup) && !stop_)
                    ::Sleep(10);
            }
            ::Sleep(10);
        }
    }
    std::vector<UINT>& seen_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The button drawn into a bitmap of its own size: the pixel colours, row by row.
std::vector<COLORREF> Render(CPopupButton& button, RECT& rect, bool pressed) {
    ::GetClientRect(button.hwnd(), &rect);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = IDC_SPLIT_APPLY;
    draw.hwndItem = button.hwnd();
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemState = pressed ? ODS_SELECTED : 0;
    ::SendMessageW(button.hwnd(), win::kReflectBase + WM_DRAWITEM, IDC_SPLIT_APPLY,
                   reinterpret_cast<LPARAM>(&draw));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.bottom; ++y)
        for (int x = 0; x < rect.right; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// The screen's DPI, which the program's windows have; a test run at another DPI says which in LX_EXPECT_DPI.
int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    wchar_t expected[16] = {};
    if (::GetEnvironmentVariableW(L"LX_EXPECT_DPI", expected, 16))
        EXPECT_EQ(dpi, _wtoi(expected));
    return dpi;
}

// The black pixels inside the arrow strip (its frame left out), row by row: each run's first pixel (as
// x + 10000 y) and length.
std::vector<std::pair<int, int>> BlackRuns(const std::vector<COLORREF>& pixels, const RECT& rect, int strip) {
    std::vector<std::pair<int, int>> runs;
    for (int y = 2; y < rect.bottom - 2; ++y) {
        for (int x = rect.right - strip + 1; x < rect.right - 2; ++x) {
            if (pixels[static_cast<size_t>(y * rect.right + x)] != RGB(0, 0, 0))
                continue;
            if (!runs.empty() && runs.back().first + runs.back().second == x + y * 10000)
                ++runs.back().second;
            else
                runs.push_back({x + y * 10000, 1});
        }
    }
    return runs;
}

// The same runs as the geometry draws them.
std::vector<std::pair<int, int>> GeometryRuns(const RECT& rect, bool themed, bool pressed, int dpi) {
    const SplitButtonGeometry g = ComputeSplitButton(
        {0, 0, static_cast<int>(rect.right), static_cast<int>(rect.bottom)}, themed, pressed, dpi);
    std::vector<std::pair<int, int>> runs;
    for (const SplitLine& row : g.arrow)
        runs.push_back({row.x1 + row.y1 * 10000, row.x2 - row.x1});
    std::sort(runs.begin(), runs.end());
    return runs;
}

} // namespace

TEST_F(Components, SplitButtonFacePostsAtOnceArrowOffersOnlyTheOtherCommandKeysToo) {
    SplitHost host;
    MenuWatcher watcher(host.menuSeen);
    host.script = [](SplitHost& h) {
        RECT rect{};
        ::GetClientRect(h.button.hwnd(), &rect);
        // The right-most columns are the arrow strip (16 at 96 DPI); its separator is drawn in the first of
        // them.
        const int strip = ArrowStripWidth(ScreenDpi());
        const LPARAM face = MAKELPARAM(rect.right - strip - 1, 5), arrow = MAKELPARAM(rect.right - strip, 5);
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, face);
        Pump();
        h.commandsOnPress = h.commands.size(); // sent on the press, not on the release
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONUP, 0, face);
        Pump();
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, arrow);
        Pump();
        MSG other{h.button.hwnd(), WM_KEYDOWN, 'A', 0};
        EXPECT_FALSE(h.button.PreTranslateMessage(other));
        // The keys go through the program's own loop, as a user's do: posted to the focused button.
        ::SetFocus(h.button.hwnd());
        for (WPARAM key : {VK_RETURN, VK_SPACE, VK_DOWN})
            ::PostMessageW(h.button.hwnd(), WM_KEYDOWN, key, 0);
        ::PostMessageW(h.hwnd(), WM_APP + 1, 0, 0);
    };
    host.endAfterScript = false;
    host.DoModal();
    EXPECT_EQ(host.button.defaultCommand, ID_SPLIT_APPLY);
    EXPECT_EQ(host.buttonText, L"&Apply");
    EXPECT_EQ(host.commandsOnPress, 1u);
    EXPECT_EQ(host.commands, (std::vector<UINT>{ID_SPLIT_APPLY, ID_SPLIT_APPLY, ID_SPLIT_APPLY}));
    // Opened twice (arrow strip and Down), each time with the one other way of applying.
    EXPECT_EQ(host.menuSeen, (std::vector<UINT>{ID_SPLIT_SAVE_COMMAND_FILE, ID_SPLIT_SAVE_COMMAND_FILE}));
}

TEST_F(Components, SplitButtonDrawsSeparatorAndArrowThemedAndClassic) {
    SplitHost host;
    std::vector<COLORREF> themed, classic, classicPressed;
    RECT rect{};
    host.script = [&](SplitHost& h) {
        themed = Render(h.button, rect, false);
        ::SetWindowTheme(h.button.hwnd(), L" ", L" ");
        classic = Render(h.button, rect, false);
        classicPressed = Render(h.button, rect, true);
    };
    host.DoModal();
    ASSERT_FALSE(themed.empty());
    const int dpi = ScreenDpi();
    const int strip = ArrowStripWidth(dpi);
    // Every black pixel of the strip belongs to the arrow the geometry gives, in each look: at 96 DPI rows of
    // 5, 3 and 1 pixels, the classic ones one pixel higher and further right, pressed one more right and
    // down.
    EXPECT_EQ(BlackRuns(themed, rect, strip), GeometryRuns(rect, true, false, dpi));
    EXPECT_EQ(BlackRuns(classic, rect, strip), GeometryRuns(rect, false, false, dpi));
    EXPECT_EQ(BlackRuns(classicPressed, rect, strip), GeometryRuns(rect, false, true, dpi));
    // The separator in the shadow colour.
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const SplitButtonGeometry g = ComputeSplitButton(
        {0, 0, static_cast<int>(rect.right), static_cast<int>(rect.bottom)}, true, false, dpi);
    for (int y = g.separator.y1; y < g.separator.y2; ++y)
        EXPECT_EQ(themed[static_cast<size_t>(y * rect.right + g.separator.x1)], shadow)
            << "separator row " << y;
    if (dpi == 96) {
        const auto rows = GeometryRuns(rect, true, false, 96);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].second, 5);
        EXPECT_EQ(rows[0].first % 10000, rect.right - 12);
    }
}

TEST_F(Components, OptionDialogWritesOnlyAfterOkAndOnlyIntoAnExistingSettingsFile) {
    const std::wstring settings = SettingsPathBesideProgram();
    harness::WriteTextFile(settings, "[Property]\r\nNoDisplayStartupError=7\r\n");
    LRESULT shown = -1; // the box's state as the dialog opened
    const auto answer = [&shown](int button, bool toggle) {
        std::thread([=, &shown] {
            HWND dialog = nullptr;
            for (int i = 0; i < 200 && !dialog; ++i, ::Sleep(20))
                dialog = ::FindWindowW(L"#32770", L"Option Settings");
            shown = ::SendMessageW(::GetDlgItem(dialog, IDC_OPTION_NO_STARTUP_ERROR), BM_GETCHECK, 0, 0);
            if (toggle)
                ::SendMessageW(::GetDlgItem(dialog, IDC_OPTION_NO_STARTUP_ERROR), BM_CLICK, 0, 0);
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        }).detach();
        OnOptionSettings();
    };
    const auto stored = [&] { return harness::ReadTextFile(settings); };
    answer(IDCANCEL, true);
    EXPECT_EQ(stored(), L"[Property]\r\nNoDisplayStartupError=7\r\n");
    answer(IDOK, false); // a value other than 1 shows as cleared and is written back as 0
    EXPECT_EQ(stored(), L"[Property]\r\nNoDisplayStartupError=0\r\n");
    answer(IDOK, true);
    EXPECT_EQ(stored(), L"[Property]\r\nNoDisplayStartupError=1\r\n");
    answer(IDCANCEL, false);
    EXPECT_EQ(shown, BST_CHECKED) << "a stored 1 opens the dialog with its box ticked";
    ::DeleteFileW(settings.c_str());
    answer(IDOK, true);
    EXPECT_EQ(::GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {
// The settings page inside the main dialog's template, with a printer context whose lookups are counted.
class PageHost : public win::DialogImpl<PageHost> {
public:
    explicit PageHost(const CommServices& services) : DialogImpl(IDD_MAIN, nullptr), context(services) {}
    PrinterContext context;
    const ICalibrationSender* sender = nullptr; // instead of the context
    CTabBasic page;
    std::vector<UINT> commands;

protected:
    BOOL OnInitDialog() override {
        context.Refresh(L"Some Printer", ModelRecord{L"Korvale LX-410", 104, 48});
        page.SetPrinterContext(sender ? sender : &context);
        page.CreatePage(hwnd());
        ::ShowWindow(page.hwnd(), SW_SHOW);
        ::SetFocus(page.Item(IDC_SEND_CALIBRATION));
        ::PostMessageW(page.Item(IDC_SEND_CALIBRATION), WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(page.Item(IDC_SEND_CALIBRATION), WM_KEYUP, VK_RETURN, 0);
        ::PostMessageW(hwnd(), WM_APP, 0, 0);
        return FALSE;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg == WM_APP)
            EndDialog(IDCANCEL);
        return msg == WM_APP;
    }
    bool OnCommand(UINT id, UINT) override {
        commands.push_back(id);
        return id != IDCANCEL;
    }
};
} // namespace

TEST_F(Components, EnterOnTheSendButtonSendsTheCalibrationOnceAndAppliesNothing) {
    int lookups = 0;
    CommServices services;
    services.portLookup = [&](const std::wstring&, std::wstring&) {
        ++lookups;
        return false;
    };
    VirtualClock clock;
    services.clock = &clock;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring log =
        std::wstring(temp) + L"lxcalib-" + std::to_wstring(::GetCurrentProcessId()) + L".log";
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", log.c_str());
    PageHost host(services);
    host.DoModal();
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), IDOK), 0);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), IDC_APPLY), 0);
    // The result's icon: stop on failure (above), information on success.
    struct Sent : ICalibrationSender {
        int32_t SendCalibration(const ItemBinding&) const override { return 6504; }
    } sent;
    PageHost second(services);
    second.sender = &sent;
    second.DoModal();
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", nullptr);
    const std::wstring boxes = harness::ReadTextFile(log);
    ::DeleteFileW(log.c_str());
    ASSERT_EQ(std::count(boxes.begin(), boxes.end(), L'\n'), 2) << std::string(boxes.begin(), boxes.end());
    EXPECT_EQ(boxes.find(L"message|00000010|"), 0u);
    EXPECT_NE(boxes.find(L"\nmessage|00000040|"), std::wstring::npos);
}

TEST_F(Components, MessagesOfAMirroredWindowReadRightToLeft) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring log =
        std::wstring(temp) + L"lxmirror-" + std::to_wstring(::GetCurrentProcessId()) + L".log";
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", log.c_str());
    HWND mirrored = ::CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    HWND plain =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ShowWindowMessageBox(mirrored, MB_OK | MB_ICONERROR, L"right");
    ShowWindowMessageBox(plain, MB_OKCANCEL, L"left");
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", nullptr);
    EXPECT_EQ(harness::ReadTextFile(log),
              L"message|00180010|Device settings|right\nmessage|00000001|Device settings|left\n");
    ::DestroyWindow(mirrored);
    ::DestroyWindow(plain);
    ::DeleteFileW(log.c_str());
}

namespace {
// The settings page inside the main dialog's template, handed to a script once it is shown.
class PageScriptHost : public win::DialogImpl<PageScriptHost> {
public:
    PageScriptHost() : DialogImpl(IDD_MAIN, nullptr), context(CommServices{}) {}
    PrinterContext context;
    CTabBasic page;
    std::function<void(PageScriptHost&)> script;

protected:
    BOOL OnInitDialog() override {
        page.SetPrinterContext(&context);
        page.CreatePage(hwnd());
        ::PostMessageW(hwnd(), WM_APP, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg != WM_APP)
            return false;
        script(*this);
        EndDialog(IDCANCEL);
        return true;
    }
};

std::vector<RECT> PageRects(HWND page) {
    std::vector<RECT> rects;
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        rects.push_back(rect);
    }
    return rects;
}

bool Same(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!::EqualRect(&a[i], &b[i]))
            return false;
    return true;
}
} // namespace

TEST_F(Components, RowsCloseTheGapOfTheHiddenRowFromTheRecordedPlaces) {
    // Each row's controls: list and label, then the notes and the button that belong to it.
    const std::vector<std::vector<int>> rows = {
        {IDC_POWER_ON, IDC_POWER_ON_LABEL},
        {IDC_AUTO_OFF_AC, IDC_AUTO_OFF_AC_LABEL},
        {IDC_AUTO_OFF_BATTERY, IDC_AUTO_OFF_BATTERY_LABEL},
        {IDC_PRINT_INFO, IDC_PRINT_INFO_LABEL, IDC_REPORT_NOTE},
        {IDC_CALIBRATION, IDC_CALIBRATION_LABEL, IDC_CALIBRATION_NOTE, IDC_SEND_CALIBRATION}};
    PageScriptHost host;
    host.script = [&](PageScriptHost& h) {
        const auto place = [&](int id) {
            RECT r{};
            ::GetWindowRect(h.page.Item(id), &r);
            ::MapWindowPoints(nullptr, h.page.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        std::map<int, RECT> recorded; // the template's places, before any arrangement
        for (const auto& row : rows)
            for (int id : row)
                recorded[id] = place(id);
        for (bool wireless : {true, false}) {
            h.page.ArrangeRows(FeaturesOf(wireless ? L"Korvale LX-450W" : L"Korvale LX-410"));
            const size_t hidden = wireless ? 0 : 2; // the power-on row, or the battery row
            // One row pitch: that of the first two rows for the wireless model, of the second and third
            // otherwise.
            const size_t upper = wireless ? 0 : 1;
            const long gap = recorded[rows[upper + 1][0]].top - recorded[rows[upper][0]].top;
            for (size_t row = 0; row < rows.size(); ++row) {
                for (int id : row == hidden ? std::vector<int>{} : rows[row]) {
                    RECT expected = recorded[id];
                    if (row > hidden)
                        ::OffsetRect(&expected, 0, -gap);
                    const RECT now = place(id);
                    EXPECT_TRUE(::EqualRect(&expected, &now))
                        << "control " << id << (wireless ? " wireless" : " plain");
                }
                for (int id : rows[hidden])
                    EXPECT_FALSE(::GetWindowLongW(h.page.Item(id), GWL_STYLE) & WS_VISIBLE)
                        << "control " << id;
            }
        }
    };
    host.DoModal();
}

TEST_F(Components, ThePageComesBackToTheSameRectanglesAfterMovingThroughOtherDpis) {
    PageScriptHost host;
    std::vector<RECT> before, larger, after;
    host.script = [&](PageScriptHost& h) {
        const int dpi = h.page.Dpi();
        h.page.ArrangeRows(FeaturesOf(L"Korvale LX-450W"));
        before = PageRects(h.page.hwnd());
        h.page.ScaleToDpi(dpi * 2);
        larger = PageRects(h.page.hwnd());
        h.page.ScaleToDpi(dpi * 5 / 4);
        h.page.ScaleToDpi(dpi);
        after = PageRects(h.page.hwnd());
    };
    host.DoModal();
    ASSERT_FALSE(before.empty());
    EXPECT_TRUE(Same(before, after));
    EXPECT_FALSE(Same(before, larger));
}
