// The dialog layer: its own modal loop, the pre-translation hook and the per-class handler tables.
#include "core/resource.h"
#include "tests/app/harness_win.h"
#include "win/dialog.h"
#include "win/resources.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kPing = WM_APP + 1;

class ProbeDialog : public win::DialogImpl<ProbeDialog> {
public:
    explicit ProbeDialog(bool endAtOnce) : DialogImpl(IDD_SELECT, nullptr), endAtOnce_(endAtOnce) {}
    int pings = 0;
    int selChanges = 0;
    bool visibleWhenEnded = true;

protected:
    BOOL OnInitDialog() override {
        if (endAtOnce_) {
            EndDialog(5);
            return TRUE;
        }
        ::PostMessageW(hwnd(), kPing, 0, 0);
        return TRUE;
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message != kPing)
            return false;
        ++pings;
        // A notification with a code the table does not name, then one it does.
        ::PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SELECT_PRINTER, CBN_DROPDOWN), 0);
        ::PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SELECT_PRINTER, CBN_SELCHANGE), 0);
        return true;
    }
    bool OnCommand(UINT id, UINT code) override {
        static const Command table[] = {
            {IDC_SELECT_PRINTER, CBN_SELCHANGE, &ProbeDialog::OnSelChange},
            {IDCANCEL, win::kAnyCode, &ProbeDialog::OnClose},
        };
        return Dispatch(table, id, code);
    }

private:
    void OnSelChange(UINT, UINT) {
        ++selChanges;
        visibleWhenEnded = ::IsWindowVisible(hwnd()) != FALSE;
        EndDialog(77);
    }
    void OnClose(UINT, UINT) { EndDialog(99); }
    bool endAtOnce_;
};

class DialogLayer : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.Loaded()); }
    harness::EnglishResources library;
};

} // namespace

TEST_F(DialogLayer, LoopServesHookAndTableThenEnds) {
    ProbeDialog dialog(false);
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(dialog.pings, 1);
    EXPECT_EQ(dialog.selChanges, 1);
    EXPECT_TRUE(dialog.visibleWhenEnded);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST_F(DialogLayer, EndingDuringInitialisationNeverShowsTheDialog) {
    ProbeDialog dialog(true);
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.pings, 0);
}

TEST_F(DialogLayer, MissingTemplateFailsAndStringsComeFromTheResourceModule) {
    win::SetResourceModule(nullptr); // the test program has no templates and no strings
    ProbeDialog dialog(false);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(win::LoadResourceString(IDS_APP_TITLE), L"");
    win::SetResourceModule(library.get());
    EXPECT_EQ(win::LoadResourceString(IDS_APP_TITLE), L"Device settings");
    EXPECT_EQ(win::LoadResourceString(5031).substr(0, 9), L"If the pr");
}
