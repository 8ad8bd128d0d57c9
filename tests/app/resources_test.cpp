// The English language library carries everything the program's own resources do, plus its own extras.
#include "core/resource.h"
#include "tests/app/harness_win.h"
#include "win/handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

namespace {

win::Module LoadAsData(const std::wstring& path) {
    return win::Module(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) {
    auto* out = reinterpret_cast<std::map<UINT, std::wstring>*>(param);
    const UINT block = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
        const wchar_t* text = nullptr;
        int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
        if (length > 0)
            (*out)[id] = std::wstring(text, static_cast<size_t>(length));
    }
    return TRUE;
}

std::map<UINT, std::wstring> AllStrings(HMODULE module) {
    std::map<UINT, std::wstring> strings;
    ::EnumResourceNamesW(module, RT_STRING, &CollectBlock, reinterpret_cast<LONG_PTR>(&strings));
    return strings;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Creates a dialog of a module hidden and tells which of the given controls it has.
struct DialogProbe {
    DialogProbe(HMODULE module, UINT id, HWND parent = nullptr) {
        hwnd = ::CreateDialogParamW(module, MAKEINTRESOURCEW(id), parent, &QuietDialogProc, 0);
    }
    ~DialogProbe() {
        if (hwnd)
            ::DestroyWindow(hwnd);
    }
    bool Has(int control) const { return ::GetDlgItem(hwnd, control) != nullptr; }
    LONG_PTR Style(int control) const { return ::GetWindowLongPtrW(::GetDlgItem(hwnd, control), GWL_STYLE); }
    HWND hwnd;
};

class Resources : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
        ::InitCommonControlsEx(&controls);
        const std::wstring dist = harness::DistDir();
        program = LoadAsData(dist + L"\\lxdevset.exe");
        library = LoadAsData(dist + L"\\res\\lxdevset_ENU.dll");
        ASSERT_TRUE(program);
        ASSERT_TRUE(library);
        // Dialogs are created from real images, which the data-file load does not give.
        programImage.reset(
            ::LoadLibraryExW((dist + L"\\lxdevset.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
        libraryImage.reset(::LoadLibraryW((dist + L"\\res\\lxdevset_ENU.dll").c_str()));
        ASSERT_TRUE(libraryImage);
    }
    win::Module program, library, programImage, libraryImage;
};

} // namespace

TEST_F(Resources, LibraryRepeatsEveryProgramStringAndAddsItsOwn) {
    const auto own = AllStrings(program.get());
    const auto lib = AllStrings(library.get());
    ASSERT_GT(own.size(), 40u);
    for (const auto& [id, text] : own) {
        auto found = lib.find(id);
        ASSERT_NE(found, lib.end()) << "library lacks string " << id;
        EXPECT_EQ(found->second, text) << "string " << id;
    }
    for (UINT id :
         {101u, 1017u, 1018u, 1019u, 1020u, 1257u, 1260u, 1263u, 5026u, 5028u, 5029u, 5030u, 5031u, 7008u}) {
        EXPECT_EQ(own.count(id), 0u) << "program has string " << id;
        EXPECT_EQ(lib.count(id), 1u) << "library lacks string " << id;
    }
    EXPECT_EQ(own.at(IDS_APP_TITLE), L"Device settings");
    EXPECT_EQ(own.at(5008),
              L"Failed to acquire the current settings. \nCheck that the correct model is connected and "
              L"that the unit is correctly connected and turned on.");
}

TEST_F(Resources, SplitButtonAndSettingsPageOnlyInTheLibrary) {
    DialogProbe ownMain(programImage.get(), IDD_MAIN);
    DialogProbe libMain(libraryImage.get(), IDD_MAIN);
    ASSERT_TRUE(ownMain.hwnd);
    ASSERT_TRUE(libMain.hwnd);
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1096}) {
        EXPECT_TRUE(ownMain.Has(id)) << id;
        EXPECT_TRUE(libMain.Has(id)) << id;
    }
    EXPECT_FALSE(ownMain.Has(IDC_SPLIT_APPLY));
    EXPECT_TRUE(libMain.Has(IDC_SPLIT_APPLY));

    EXPECT_EQ(::FindResourceW(program.get(), MAKEINTRESOURCEW(IDD_TAB_BASIC), RT_DIALOG), nullptr);
    DialogProbe page(libraryImage.get(), IDD_TAB_BASIC, libMain.hwnd); // a child page needs its parent
    ASSERT_TRUE(page.hwnd);
    for (int id : {1006, 1009, 1010, 1016, 1098, 1027, 1036, 1012, 1136})
        EXPECT_TRUE(page.Has(id)) << id;
    for (int id : {1008, 1011, 1022, 1032, 1018}) {
        ASSERT_TRUE(page.Has(id)) << id;
        EXPECT_EQ(page.Style(id) & CBS_SORT, 0) << "list " << id << " must keep the item order";
    }
    // Rows stacked top to bottom: power-on, AC, battery.
    RECT a{}, b{}, c{};
    ::GetWindowRect(::GetDlgItem(page.hwnd, 1008), &a);
    ::GetWindowRect(::GetDlgItem(page.hwnd, 1011), &b);
    ::GetWindowRect(::GetDlgItem(page.hwnd, 1022), &c);
    EXPECT_LT(a.top, b.top);
    EXPECT_LT(b.top, c.top);
}

TEST_F(Resources, OtherDialogsAndMenusInBoth) {
    for (HMODULE m : {programImage.get(), libraryImage.get()}) {
        DialogProbe select(m, IDD_SELECT);
        ASSERT_TRUE(select.hwnd);
        EXPECT_TRUE(select.Has(IDC_SELECT_PRINTER));
        EXPECT_NE(select.Style(IDC_SELECT_PRINTER) & CBS_SORT, 0);
        for (UINT id : {IDD_ABOUT, IDD_OPTIONS, IDD_PROGRESS}) {
            DialogProbe probe(m, id);
            EXPECT_TRUE(probe.hwnd) << "dialog " << id;
        }
        HMENU menu = ::LoadMenuW(m, MAKEINTRESOURCEW(IDR_MAIN_MENU));
        ASSERT_TRUE(menu);
        EXPECT_EQ(::GetMenuItemCount(menu), 3);
        ::DestroyMenu(menu);
        HMENU split = ::LoadMenuW(m, MAKEINTRESOURCEW(IDR_APPLY_MENU));
        ASSERT_TRUE(split);
        EXPECT_EQ(::GetMenuItemID(::GetSubMenu(split, 0), 0), UINT(ID_SPLIT_APPLY));
        ::DestroyMenu(split);
    }
}
