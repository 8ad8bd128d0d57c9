// The language libraries: the English one carries everything the program's own resources do plus its extras;
// every other one the same ids, kinds, order and placeholders, with unique access keys and texts that fit.
#include "core/resource.h"
#include "items/basic_items.h"
#include "tests/app/harness_win.h"
#include "win/handles.h"
#include "win/text.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>

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

namespace {

const wchar_t* const kLanguages[] = {L"ENU", L"DEU", L"FRA", L"JPN", L"ARE"};

std::wstring LibraryPath(const std::wstring& code) {
    return harness::DistDir() + L"\\res\\lxdevset_" + code + L".dll";
}

// What must stay the same across languages in a text: its placeholders, line breaks and filter separators.
std::wstring Skeleton(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 1 < text.size())
            out += text.substr(i++, 2);
        else if (text[i] == L'|')
            out += L'|';
    }
    return out;
}

struct ControlInfo {
    HWND hwnd;
    int id;
    std::wstring cls;
    LONG style;
    RECT rect;
    std::wstring text;
};

std::vector<ControlInfo> Controls(HWND dialog) {
    std::vector<ControlInfo> controls;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        ::GetClassNameW(c, cls, 64);
        RECT rect{};
        ::GetWindowRect(c, &rect);
        controls.push_back({c, ::GetDlgCtrlID(c), cls, static_cast<LONG>(::GetWindowLongPtrW(c, GWL_STYLE)),
                            rect, harness::WindowText(c)});
    }
    return controls;
}

// The kind of a control: its class and the style bits that decide how it behaves.
std::wstring Kind(const ControlInfo& c) {
    LONG bits = 0;
    if (c.cls == L"Button")
        bits = c.style & BS_TYPEMASK;
    else if (c.cls == L"Static")
        bits = c.style & (SS_TYPEMASK | SS_NOPREFIX);
    else if (c.cls == L"ComboBox")
        bits = c.style & (CBS_DROPDOWNLIST | CBS_SORT);
    return c.cls + L"/" + std::to_wstring(bits);
}

// The access key of a text ('&' before a character; "&&" is a plain ampersand), upper-cased; 0 when none.
wchar_t AccessKey(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towupper(text[i + 1]));
    }
    return 0;
}

void ExpectUniqueKeys(const std::vector<std::wstring>& texts, const std::wstring& where) {
    std::map<wchar_t, std::wstring> seen;
    for (const std::wstring& text : texts) {
        const wchar_t key = AccessKey(text);
        if (!key)
            continue;
        auto [it, added] = seen.insert({key, text});
        EXPECT_TRUE(added) << win::ToMultiByte(CP_UTF8, where + L": \"" + text + L"\" and \"" + it->second +
                                                            L"\" share their access key");
    }
}

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

// A language library mapped as a program maps a module it runs dialogs from.
struct Library {
    explicit Library(const std::wstring& code)
        : code(code), module(::LoadLibraryW(LibraryPath(code).c_str())) {}
    std::wstring String(UINT id) const {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(module.get(), id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
    }
    std::wstring code;
    win::Module module;
};

} // namespace

TEST_F(Resources, EveryLibraryHasTheEnglishStringIdsWithTheSamePlaceholders) {
    const auto english = AllStrings(library.get());
    for (const wchar_t* code : kLanguages) {
        win::Module lib = LoadAsData(LibraryPath(code));
        ASSERT_TRUE(lib) << "no library " << win::ToMultiByte(CP_UTF8, code);
        const auto strings = AllStrings(lib.get());
        std::set<UINT> ids, englishIds;
        for (const auto& [id, text] : strings)
            ids.insert(id);
        for (const auto& [id, text] : english)
            englishIds.insert(id);
        EXPECT_EQ(ids, englishIds) << win::ToMultiByte(CP_UTF8, code);
        for (const auto& [id, text] : english) {
            auto found = strings.find(id);
            if (found != strings.end())
                EXPECT_EQ(Skeleton(found->second), Skeleton(text))
                    << win::ToMultiByte(CP_UTF8, code) << " string " << id;
        }
        if (std::wstring(code) != L"ENU")
            EXPECT_NE(strings.at(IDS_APP_TITLE), english.at(IDS_APP_TITLE)) << "untranslated";
    }
}

TEST_F(Resources, EveryTemplateHasTheEnglishControlsKindsAndOrderMirroredOnlyInArabic) {
    const auto positions = [](HWND dialog) {
        std::map<int, RECT> rects;
        for (const ControlInfo& c : Controls(dialog))
            rects[c.id] = c.rect;
        return rects;
    };
    for (const wchar_t* code : kLanguages) {
        Library lib(code);
        ASSERT_TRUE(lib.module);
        const std::string name = win::ToMultiByte(CP_UTF8, code);
        DialogProbe englishMain(libraryImage.get(), IDD_MAIN), main(lib.module.get(), IDD_MAIN);
        for (UINT id : {IDD_ABOUT, IDD_MAIN, IDD_SELECT, IDD_OPTIONS, IDD_PROGRESS, IDD_TAB_BASIC}) {
            const bool child = id == IDD_TAB_BASIC;
            DialogProbe english(libraryImage.get(), id, child ? englishMain.hwnd : nullptr);
            DialogProbe probe(lib.module.get(), id, child ? main.hwnd : nullptr);
            ASSERT_TRUE(probe.hwnd) << name << " template " << id;
            std::map<int, std::wstring> want, got;
            for (const ControlInfo& c : Controls(english.hwnd))
                want[c.id] += Kind(c);
            for (const ControlInfo& c : Controls(probe.hwnd))
                got[c.id] += Kind(c);
            EXPECT_EQ(got, want) << name << " template " << id;
            const bool mirrored = (::GetWindowLongPtrW(probe.hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
            EXPECT_EQ(mirrored, name == "ARE") << name << " template " << id;
        }
        // The main dialog: the printer row above the tab, the buttons below it.
        auto m = positions(main.hwnd);
        for (int id : {IDC_PRINTER_LABEL, IDC_PRINTER_LIST, IDC_CURRENT_SETTINGS})
            EXPECT_LT(m[id].bottom, m[IDC_TAB].top + 4) << name << " " << id;
        for (int id : {IDC_APPLY, IDC_SPLIT_APPLY, IDC_EXIT})
            EXPECT_GE(m[id].top, m[IDC_TAB].bottom) << name << " " << id;
        // The page: three rows top to bottom inside the frame, everything else below the third.
        DialogProbe page(lib.module.get(), IDD_TAB_BASIC, main.hwnd);
        auto p = positions(page.hwnd);
        EXPECT_LT(p[IDC_POWER_ON].top, p[IDC_AUTO_OFF_AC].top) << name;
        EXPECT_LT(p[IDC_AUTO_OFF_AC].top, p[IDC_AUTO_OFF_BATTERY].top) << name;
        EXPECT_GT(p[IDC_POWER_ON].top, p[IDC_POWER_FRAME].top) << name;
        EXPECT_LT(p[IDC_AUTO_OFF_BATTERY].top, p[IDC_POWER_FRAME].bottom) << name;
        for (int id : {IDC_PRINT_INFO_LABEL, IDC_CALIBRATION_LABEL, IDC_REPORT_NOTE, IDC_CALIBRATION_NOTE,
                       IDC_PRINT_INFO, IDC_CALIBRATION, IDC_SEND_CALIBRATION})
            EXPECT_GT(p[id].top, p[IDC_AUTO_OFF_BATTERY].top) << name << " " << id;
        // Every control a row of the settings' table names is in the page.
        for (const BasicItemDefinition& row : kBasicItems)
            for (int id : {row.comboId, row.labelId, row.noteId, row.buttonId, row.frameId})
                EXPECT_TRUE(!id || page.Has(id))
                    << name << ": the row " << win::ToMultiByte(CP_UTF8, row.itemName) << " names control "
                    << id << ", which the page lacks";
    }
}

TEST_F(Resources, AccessKeysAreUniqueWithinEachDialogAndMenu) {
    for (const wchar_t* code : kLanguages) {
        Library lib(code);
        const std::wstring name = code;
        DialogProbe main(lib.module.get(), IDD_MAIN);
        DialogProbe page(lib.module.get(), IDD_TAB_BASIC, main.hwnd);
        // The main dialog with its page and its menu bar, which Alt reaches too; the split button stands in
        // for the Apply button, never beside it.
        std::vector<std::wstring> texts = MenuTexts(::GetMenu(main.hwnd));
        for (HWND dialog : {main.hwnd, page.hwnd})
            for (const ControlInfo& c : Controls(dialog))
                if (c.id != IDC_SPLIT_APPLY && !(c.style & SS_NOPREFIX && c.cls == L"Static"))
                    texts.push_back(c.text);
        ExpectUniqueKeys(texts, name + L" main dialog");
        for (UINT id : {IDD_SELECT, IDD_OPTIONS, IDD_ABOUT}) {
            DialogProbe probe(lib.module.get(), id);
            std::vector<std::wstring> own;
            for (const ControlInfo& c : Controls(probe.hwnd))
                own.push_back(c.text);
            ExpectUniqueKeys(own, name + L" dialog " + std::to_wstring(id));
        }
        for (UINT id : {IDR_MAIN_MENU, IDR_APPLY_MENU}) {
            HMENU menu = ::LoadMenuW(lib.module.get(), MAKEINTRESOURCEW(id));
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                std::vector<std::wstring> items = MenuTexts(::GetSubMenu(menu, i));
                // The File menu also gets the command-file item while the wireless model is current.
                if (id == IDR_MAIN_MENU && i == 0)
                    items.push_back(lib.String(IDS_SAVE_COMMAND_FILE));
                ExpectUniqueKeys(items, name + L" menu " + std::to_wstring(id));
            }
            ::DestroyMenu(menu);
        }
        // Every control that takes input can be reached: an access key on its label or itself.
        for (int id : {IDC_POWER_ON_LABEL, IDC_AUTO_OFF_AC_LABEL, IDC_AUTO_OFF_BATTERY_LABEL,
                       IDC_PRINT_INFO_LABEL, IDC_CALIBRATION_LABEL, IDC_SEND_CALIBRATION})
            EXPECT_NE(AccessKey(harness::WindowText(::GetDlgItem(page.hwnd, id))), 0) << id;
    }
}

namespace {

// The room a control's own drawing takes from its client width.
int Chrome(const ControlInfo& c) {
    const LONG type = c.style & BS_TYPEMASK;
    if (c.cls == L"Button" && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX))
        return ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
    if (c.cls == L"Button" && type == BS_GROUPBOX)
        return 16;
    if (c.cls == L"Button") // push buttons: edges and the focus rectangle's margin
        return 8;
    if (c.cls == L"ComboBox")
        return ::GetSystemMetrics(SM_CXVSCROLL) + 6;
    return 0;
}

// Fits when the text, wrapped where the control wraps it, needs no more than the control's client area.
bool Fits(HWND control, const ControlInfo& c, const std::wstring& text, std::string& why) {
    RECT client{};
    ::GetClientRect(control, &client);
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    const bool wraps = (c.cls == L"Static") || (c.style & BS_MULTILINE);
    const int width = client.right - Chrome(c);
    RECT need{0, 0, width, 0};
    UINT flags = DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
    if (c.cls == L"Static" && (c.style & SS_NOPREFIX))
        flags |= DT_NOPREFIX;
    ::DrawTextW(dc, text.c_str(), -1, &need, flags);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    const bool combo = c.cls == L"ComboBox";
    const bool fits = need.right <= width && (combo || c.cls == L"Button" || need.bottom <= client.bottom);
    why = "needs " + std::to_string(need.right) + "x" + std::to_string(need.bottom) + " has " +
          std::to_string(width) + "x" + std::to_string(client.bottom);
    return fits;
}

} // namespace

TEST_F(Resources, EveryTextFitsItsControlInTheDialogsFont) {
    // The choices each list of the page shows.
    const std::map<int, std::vector<UINT>> choices = {
        {IDC_POWER_ON, {1001, 1002}},
        {IDC_AUTO_OFF_AC, {1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020}},
        {IDC_AUTO_OFF_BATTERY, {1010, 1013, 1016}},
        {IDC_PRINT_INFO, {1111, 1112, 1113}},
        {IDC_CALIBRATION, {1257, 1263}}};
    for (const wchar_t* code : kLanguages) {
        Library lib(code);
        const std::string name = win::ToMultiByte(CP_UTF8, code);
        DialogProbe main(lib.module.get(), IDD_MAIN);
        // Texts set at run time: the version lines, every progress caption, the split button's menu text.
        std::map<int, std::vector<std::wstring>> runtime = {
            {IDC_ABOUT_VERSION, {L"Version 1.1.0"}},
            {IDC_ABOUT_COPYRIGHT, {lib.String(IDS_COPYRIGHT)}},
            {IDC_PROGRESS_CAPTION, {}},
        };
        for (UINT id : {IDS_PROGRESS_RETRIEVING_DATA, IDS_PROGRESS_DELETING, IDS_PROGRESS_APPLYING,
                        IDS_PROGRESS_GETTING, IDS_PROGRESS_RESETTING})
            runtime[IDC_PROGRESS_CAPTION].push_back(lib.String(id));
        for (const auto& [id, list] : choices)
            for (UINT text : list)
                runtime[id].push_back(lib.String(text));
        for (UINT id : {IDD_ABOUT, IDD_MAIN, IDD_SELECT, IDD_OPTIONS, IDD_PROGRESS, IDD_TAB_BASIC}) {
            DialogProbe probe(lib.module.get(), id, id == IDD_TAB_BASIC ? main.hwnd : nullptr);
            for (const ControlInfo& c : Controls(probe.hwnd)) {
                std::vector<std::wstring> texts{c.text};
                if (runtime.count(c.id))
                    texts = runtime[c.id];
                if (c.id == IDC_SPLIT_APPLY || (c.cls == L"Static" && (c.style & SS_TYPEMASK) == SS_ICON))
                    continue;
                for (const std::wstring& text : texts) {
                    std::string why;
                    if (!text.empty())
                        EXPECT_TRUE(Fits(c.hwnd, c, text, why))
                            << name << " template " << id << " control " << c.id << ": "
                            << win::ToMultiByte(CP_UTF8, text) << " " << why;
                }
            }
        }
    }
}
