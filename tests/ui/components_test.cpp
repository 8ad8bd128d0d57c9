// The main window's parts in this process under Wine: the progress dialog's hold times and keys, the split
// button's zones, keys, menu and pixels, and the option dialog's settings-file rule.
#include "app/option_dlg_win.h"
#include "comm/progress_dlg_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/resource.h"
#include "items/tab_page_win.h"
#include "tests/app/harness_win.h"
#include "ui/split_button_win.h"
#include "win/resources.h"
#include "win/text.h"

#include <uxtheme.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

class Components : public testing::Test {
protected:
    void SetUp() override {
        library.reset(::LoadLibraryW((harness::DistDir() + L"\\res\\lxdevset_ENU.dll").c_str()));
        ASSERT_TRUE(library);
        win::SetResourceModule(library.get());
    }
    void TearDown() override { win::SetResourceModule(nullptr); }
    win::Module library;
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
        ::Sleep(700);
        job->dialog = ::GetForegroundWindow();
        HWND bar = ::FindWindowExW(job->dialog, nullptr, PROGRESS_CLASSW, nullptr);
        job->barAfterHalfSecond = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
        if (job->poke) {
            ::PostMessageW(job->dialog, WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessageW(job->dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(job->dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            ::PostMessageW(job->dialog, WM_CLOSE, 0, 0);
        }
        ::Sleep(job->sleepMs - 700);
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
            for (HWND w = ::FindWindowW(L"#32770", L"Progress"); w; w = ::FindWindowExW(nullptr, w, L"#32770", L"Progress")) {
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
            EndDialog(IDOK);
            return true;
        }
        return false;
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

// The black run of each arrow row: its first column and length.
std::vector<std::pair<int, int>> ArrowRows(const std::vector<COLORREF>& pixels, const RECT& rect,
                                           int firstRow) {
    std::vector<std::pair<int, int>> rows;
    for (int y = firstRow; y < firstRow + 3; ++y) {
        int first = -1, length = 0;
        for (int x = rect.right - 16; x < rect.right; ++x) {
            if (pixels[static_cast<size_t>(y * rect.right + x)] == RGB(0, 0, 0)) {
                if (first < 0)
                    first = x;
                ++length;
            }
        }
        rows.push_back({first, length});
    }
    return rows;
}

} // namespace

TEST_F(Components, SplitButtonFacePostsAtOnceArrowOffersOnlyTheOtherCommandKeysToo) {
    SplitHost host;
    MenuWatcher watcher(host.menuSeen);
    host.script = [](SplitHost& h) {
        RECT rect{};
        ::GetClientRect(h.button.hwnd(), &rect);
        // The right-most 16 columns are the arrow strip; its separator is drawn in the first of them.
        const LPARAM face = MAKELPARAM(rect.right - 17, 5), arrow = MAKELPARAM(rect.right - 16, 5);
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, face);
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONUP, 0, face);
        Pump();
        ::SendMessageW(h.button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, arrow);
        Pump();
        for (WPARAM key : {VK_RETURN, VK_SPACE, VK_DOWN}) {

            MSG msg{h.button.hwnd(), WM_KEYDOWN, key, 0};
            EXPECT_TRUE(h.button.PreTranslateMessage(msg));
            Pump();
        }
        MSG other{h.button.hwnd(), WM_KEYDOWN, 'A', 0};
        EXPECT_FALSE(h.button.PreTranslateMessage(other));
    };
    host.DoModal();
    EXPECT_EQ(host.button.defaultCommand, ID_SPLIT_APPLY);
    EXPECT_EQ(host.buttonText, L"&Apply");
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
    const int m = rect.bottom / 2;
    const auto at = [&](const std::vector<COLORREF>& p, int x, int y) {
        return p[static_cast<size_t>(y * rect.right + x)];
    };
    // Separator: one column of the shadow colour from top + 4 down to (height - 4), end excluded.
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (int y = 4; y < rect.bottom - 4; ++y)
        EXPECT_EQ(at(themed, rect.right - 16, y), shadow) << "themed separator row " << y;
    EXPECT_EQ(
        ArrowRows(themed, rect, m - 1),
        (std::vector<std::pair<int, int>>{{rect.right - 12, 5}, {rect.right - 11, 3}, {rect.right - 10, 1}}));
    // Classic: one pixel higher and one further right; pressed, one more right and back down.
    EXPECT_EQ(at(classic, rect.right - 16, 3), shadow);
    const int mc = rect.bottom / 2 - 1;
    EXPECT_EQ(
        ArrowRows(classic, rect, mc - 1),
        (std::vector<std::pair<int, int>>{{rect.right - 11, 5}, {rect.right - 10, 3}, {rect.right - 9, 1}}));
    EXPECT_EQ(
        ArrowRows(classicPressed, rect, m - 1),
        (std::vector<std::pair<int, int>>{{rect.right - 10, 5}, {rect.right - 9, 3}, {rect.right - 8, 1}}));
}

TEST_F(Components, OptionDialogWritesOnlyAfterOkAndOnlyIntoAnExistingSettingsFile) {
    const std::wstring settings = SettingsFilePath();
    harness::WriteTextFile(settings, "[Property]\r\nNoDisplayStartupError=7\r\n");
    const auto answer = [](int button, bool toggle) {
        std::thread([=] {
            HWND dialog = nullptr;
            for (int i = 0; i < 200 && !dialog; ++i, ::Sleep(20))
                dialog = ::FindWindowW(L"#32770", L"Option Settings");
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
    CTabBasic page;
    std::vector<UINT> commands;

protected:
    BOOL OnInitDialog() override {
        context.Refresh(L"Some Printer", ModelRecord{L"Korvale LX-410", 104, 48});
        page.SetPrinterContext(&context);
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
    PageHost host(services);
    host.DoModal();
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), IDOK), 0);
    EXPECT_EQ(std::count(host.commands.begin(), host.commands.end(), IDC_APPLY), 0);
}

TEST_F(Components, MessagesOfAMirroredWindowReadRightToLeft) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"lxmirror-" + std::to_wstring(::GetCurrentProcessId()) + L".log";
    ::DeleteFileW(log.c_str());
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", log.c_str());
    HWND mirrored = ::CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ShowWindowMessageBox(mirrored, MB_OK | MB_ICONERROR, L"right");
    ShowWindowMessageBox(plain, MB_OKCANCEL, L"left");
    ::SetEnvironmentVariableW(L"LXDEVSET_TEST_LOG", nullptr);
    EXPECT_EQ(harness::ReadTextFile(log),
              L"message|00180010|Device settings|right\nmessage|00000001|Device settings|left\n");
    ::DestroyWindow(mirrored);
    ::DestroyWindow(plain);
    ::DeleteFileW(log.c_str());
}
