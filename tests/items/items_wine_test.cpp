// Items with a real Win32 combo box and real private-profile files.
#include "items/basic_items.h"
#include "items/combo_win.h"
#include "items/platform_win.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class ItemsWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        combo_ = ::CreateWindowExW(0, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 200, 200,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(combo_, nullptr);
        for (const wchar_t* text : {L"Enable", L"Disable"})
            ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        path_ = std::wstring(dir) + L"lx_items_wine_test.dat";
        ::DeleteFileW(path_.c_str());
    }
    void TearDown() override {
        ::DestroyWindow(combo_);
        ::DeleteFileW(path_.c_str());
    }

    HWND combo_ = nullptr;
    std::wstring path_;
};

TEST_F(ItemsWineTest, ComboSelectionDrivesCommandDumpAndDisplay) {
    CComboBoxWin box(combo_);
    EXPECT_EQ(box.GetCurSel(), -1);
    box.SetCurSel(0);
    CItemPowerOn item(&box, TheItemPlatform());
    item.Prepare(&box);
    EXPECT_EQ(item.GetApplyCmd(), (ItemBytes{0x1B, 0x69, 0x55, 0x70, 0x00, 0x01}));
    std::ostringstream dump;
    ASSERT_TRUE(item.DumpToFile(dump));
    EXPECT_NE(dump.str().find("SelectedString:Enable\n"), std::string::npos);
    ASSERT_TRUE(item.SaveToProfile(path_));
    wchar_t stored[16] = {};
    ::GetPrivateProfileStringW(L"Settings", L"PowerOn", L"", stored, 16, path_.c_str());
    EXPECT_STREQ(stored, L"0");
    ::WritePrivateProfileStringW(L"Settings", L"PowerOn", L"1", path_.c_str());
    ASSERT_TRUE(item.LoadFromProfile(path_));
    EXPECT_EQ(box.GetCurSel(), 0) << "the list changes only when shown";
    item.ShowCurSel();
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(box.GetText(), L"Disable");
    ::WritePrivateProfileStringW(L"Settings", L"PowerOn", L"255", path_.c_str());
    EXPECT_FALSE(item.LoadFromProfile(path_));
    ::WritePrivateProfileStringW(L"Settings", L"PowerOn", nullptr, path_.c_str());
    EXPECT_FALSE(item.LoadFromProfile(path_));
}

class TextCombo : public IComboBox {
public:
    int GetCurSel() override { return 0; }
    void SetCurSel(int) override {}
    std::wstring GetText() override { return L"\u0412\u043a\u043b"; } // Cyrillic
    void Repaint() override {}
};

TEST(ItemDumpWine, ConvertsWithTheThreadsCodePage) {
    // A Russian thread locale gives the thread code page 1251 while the process keeps its own.
    ASSERT_NE(::GetACP(), 1251u);
    const LCID before = ::GetThreadLocale();
    ASSERT_TRUE(::SetThreadLocale(MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), SORT_DEFAULT)));
    TextCombo box;
    CItemPowerOn item(&box, TheItemPlatform());
    item.Prepare(&box);
    std::ostringstream dump;
    const bool written = item.DumpToFile(dump);
    ::SetThreadLocale(before);
    ASSERT_TRUE(written);
    EXPECT_NE(dump.str().find("SelectedString:\xC2\xEA\xEB\n"), std::string::npos) << dump.str();
}

TEST(ItemStringsWine, MissingTextKeepsItsPlace) {
    ModuleStrings strings(::GetModuleHandleW(nullptr));
    CComboBoxWin none;
    CItemPrinterInfo item(&none, TheItemPlatform());
    const auto texts = item.GetParameterList().GetOptionTexts(strings);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0].empty());
}

} // namespace
