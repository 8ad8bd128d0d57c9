// Catalogue, language choice and printer queries against real INI files, the Wine registry and the Wine
// spooler.
#include "core/messages_win.h"
#include "core/printer_list_win.h"
#include "core/printers.h"
#include "app/settings/settings_win.h"
#include "tests/app/harness_win.h"
#include "win/handles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

// An INI file in the temp folder, removed at the end.
class TempIni {
public:
    explicit TempIni(const std::string& text) {
        wchar_t dir[MAX_PATH];
        ::GetTempPathW(MAX_PATH, dir);
        path = std::wstring(dir) + L"lxcat-" + std::to_wstring(::GetCurrentProcessId()) + L".ini";
        harness::WriteTextFile(path, text);
    }
    ~TempIni() { ::DeleteFileW(path.c_str()); }
    std::wstring path;
};

// A model's driver key created for one test and deleted after it.
class DriverKey {
public:
    explicit DriverKey(const std::wstring& model) : path_(DriverKeyPath(model)) {
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    key_.put(), nullptr),
                  ERROR_SUCCESS);
    }
    ~DriverKey() {
        key_.reset();
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, path_.c_str());
    }
    void SetText(const wchar_t* name, const std::wstring& value) {
        ::RegSetValueExW(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void SetBytes(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ::RegSetValueExW(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    }

private:
    std::wstring path_;
    win::RegKey key_;
};

std::vector<std::wstring> Names(const ModelCatalogue& catalogue) {
    std::vector<std::wstring> names;
    for (const ModelRecord& m : catalogue)
        names.push_back(m.name);
    return names;
}

} // namespace

TEST(Catalogue, ModelsInOrderWithCodesAndDriverValues) {
    DriverKey a(L"LxCat A");
    a.SetText(L"ModelID", L"LX-410 Mixed");
    DWORD el = 0x12345678;
    a.SetBytes(L"ELChangeCmd", REG_DWORD, &el, sizeof el);
    TempIni ini("[Property]\r\nCompatibleModel=,LxCat A,,LxCat B, LxCat A,LxCat A,\r\n"
                "[LxCat A]\r\nSeriesCode=104\r\nModelCode=48\r\n[lxcat b]\r\nseriescode=7\r\n");
    const ModelCatalogue catalogue = BuildModelCatalogue(ini.path);
    ASSERT_THAT(Names(catalogue), ElementsAre(L"LxCat A", L"LxCat B", L" LxCat A", L"LxCat A"));
    EXPECT_EQ(catalogue[0].SeriesCode, 104);
    EXPECT_EQ(catalogue[0].ModelCode, 48);
    EXPECT_EQ(catalogue[0].ModelID, L"lx-410 mixed");
    EXPECT_EQ(catalogue[0].ELChangeCmd, 0x12345678u);
    // Section names ignore case; a missing key gives 0 and a missing driver key empty values, even after a
    // model that had them.
    EXPECT_EQ(catalogue[1].SeriesCode, 7);
    EXPECT_EQ(catalogue[1].ModelCode, 0);
    EXPECT_EQ(catalogue[1].ModelID, L"");
    EXPECT_EQ(catalogue[1].ELChangeCmd, 0u);
    // The blank stays part of the name and of the driver key (the profile functions trim section names).
    EXPECT_EQ(catalogue[2].ModelID, L"");
    EXPECT_EQ(catalogue[3].ModelID, L"lx-410 mixed");
}

TEST(Catalogue, OversizedRegistryValuesCountAsMissing) {
    DriverKey a(L"LxCat Big");
    a.SetText(L"ModelID", std::wstring(300, L'X'));
    const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    a.SetBytes(L"ELChangeCmd", REG_BINARY, eight, sizeof eight);
    DriverKey b(L"LxCat Edge");
    b.SetText(L"ModelID", std::wstring(259, L'Y'));
    const unsigned char two[2] = {1, 2};
    b.SetBytes(L"ELChangeCmd", REG_BINARY, two, sizeof two);
    TempIni ini("[Property]\r\nCompatibleModel=LxCat Big,LxCat Edge\r\n");
    const ModelCatalogue catalogue = BuildModelCatalogue(ini.path);
    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(catalogue[0].ModelID, L"");
    EXPECT_EQ(catalogue[0].ELChangeCmd, 0u);
    EXPECT_EQ(catalogue[1].ModelID, std::wstring(259, L'y'));
    EXPECT_EQ(catalogue[1].ELChangeCmd, 0u);
}

TEST(Catalogue, OverlongModelListIsCutAtItsBuffer) {
    std::string longList = "[Property]\r\nCompatibleModel=" + std::string(400, 'M') + ",Second\r\n";
    TempIni ini(longList);
    const ModelCatalogue catalogue = BuildModelCatalogue(ini.path);
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue[0].name.size(), 259u);
    EXPECT_TRUE(BuildModelCatalogue(L"C:\\no\\such\\file.ini").empty());
}

TEST(Catalogue, OddModelNamesReadDefaultsWithoutHarm) {
    const std::string longName(300, 'L');
    TempIni ini("[Property]\r\nCompatibleModel=Odd]Name,Back\\Slash,=,;x\r\n[Odd]Name]\r\nSeriesCode=5\r\n");
    const ModelCatalogue catalogue = BuildModelCatalogue(ini.path);
    ASSERT_THAT(Names(catalogue), ElementsAre(L"Odd]Name", L"Back\\Slash", L"=", L";x"));
    for (const ModelRecord& m : catalogue) {
        EXPECT_EQ(m.ModelID, L"");
        EXPECT_EQ(m.ELChangeCmd, 0u);
    }
    // The driver key path is cut to its buffer, never beyond.
    EXPECT_EQ(DriverKeyPath(std::wstring(longName.begin(), longName.end())).size(), 259u);
}

TEST(LanguageCode, LowerCasedAbbreviationThenTwoLettersThenDefault) {
    TempIni ini("[LangString]\r\nenu=ENU\r\nde=DEU\r\nfra=FRA\r\ndefault=ZZZ\r\n");
    std::wstring code;
    EXPECT_TRUE(FindLanguageCode(L"ENU", ini.path, code));
    EXPECT_EQ(code, L"ENU");
    EXPECT_TRUE(FindLanguageCode(L"DES", ini.path, code)); // Swiss German: only the two letters match
    EXPECT_EQ(code, L"DEU");
    EXPECT_TRUE(FindLanguageCode(L"FRA", ini.path, code));
    EXPECT_EQ(code, L"FRA");
    EXPECT_FALSE(FindLanguageCode(L"JPN", ini.path, code));
    EXPECT_EQ(code, L"");
    EXPECT_FALSE(FindLanguageCode(L"", ini.path, code));
    EXPECT_FALSE(FindLanguageCode(L"ENU", L"", code));
    EXPECT_FALSE(FindLanguageCode(L"E", ini.path, code));

    TempIni noLocale("[LangString]\r\nxx=1\r\ndefault=DEF\r\n");
    EXPECT_EQ(ChooseLanguageCode(noLocale.path), L"DEF");
    TempIni nothing("[LangString]\r\nxx=1\r\n");
    EXPECT_EQ(ChooseLanguageCode(nothing.path), L"");
}

TEST(Spooler, QueriesOfThePreparedPrinters) {
    EXPECT_TRUE(PrinterExists(L"Korvale LX-410"));
    EXPECT_FALSE(PrinterExists(L"korvale lx-410"));
    EXPECT_FALSE(PrinterExists(L""));
    EXPECT_TRUE(PrinterExists(L"Quoted \"Label\" Printer"));
    std::wstring driver, port;
    EXPECT_TRUE(GetPrinterDriverName(L"Warehouse LX-450W", driver));
    EXPECT_EQ(driver, L"Korvale LX-450W");
    EXPECT_TRUE(GetPrinterPortName(L"Parallel LX-410", port));
    EXPECT_EQ(port, L"LPT1:");
    EXPECT_FALSE(GetPrinterPortName(L"No Such Printer", port));
    EXPECT_FALSE(GetPrinterDriverName(std::wstring(300, L'P'), driver));
}

TEST(Spooler, CompatibilityAndModelIndexMatchDriverNamesExactly) {
    ModelCatalogue catalogue(3);
    catalogue[0].name = L"Korvale LX-450W";
    catalogue[1].name = L"Korvale LX-TEST";
    catalogue[2].name = L"Korvale LX-TEST";
    EXPECT_TRUE(IsPrinterCompatible(catalogue, L"Beta"));
    EXPECT_FALSE(IsPrinterCompatible(catalogue, L"Lower Case Driver"));
    EXPECT_FALSE(IsPrinterCompatible(catalogue, L"Korvale LX-410"));
    EXPECT_FALSE(IsPrinterCompatible(catalogue, std::wstring(5000, L'x')));
    size_t index = 99;
    EXPECT_TRUE(FindModelIndex(catalogue, L"alpha", index));
    EXPECT_EQ(index, 1u); // the first record of that name wins
    EXPECT_FALSE(FindModelIndex(catalogue, L"Office Laser", index));
}

namespace {
// A sorted drop-down list in a hidden window, as the dialogs have it.
class SortedList {
public:
    SortedList() {
        combo = ::CreateWindowW(L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 100, 100,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~SortedList() { ::DestroyWindow(combo); }
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> out;
        const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[260] = {};
            ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    std::wstring Selected() const {
        wchar_t text[260] = {};
        ::GetWindowTextW(combo, text, 260);
        return text;
    }
    HWND combo;
};
} // namespace

TEST(PrinterList, PreselectsSmallestOnlineNameInCodeUnitOrder) {
    SortedList list;
    ASSERT_TRUE(FillPrinterList(list.combo, {L"Korvale LX-TEST"}));
    EXPECT_THAT(list.Entries(), ElementsAre(L"Able Offline", L"alpha", L"Beta", L"Quoted \"Label\" Printer"));
    EXPECT_EQ(list.Selected(), L"Beta");
}

TEST(PrinterList, AllOfflineSelectsFirstEntryAndRepeatedModelListsTwice) {
    SortedList offline;
    ASSERT_TRUE(FillPrinterList(offline.combo, {L"Korvale LX-OFFLINE"}));
    EXPECT_THAT(offline.Entries(), ElementsAre(L"Offline One", L"Offline Two"));
    EXPECT_EQ(offline.Selected(), L"Offline One");

    SortedList twice;
    ASSERT_TRUE(FillPrinterList(twice.combo, {L"Korvale LX-450W", L"Korvale LX-450W"}));
    EXPECT_THAT(twice.Entries(), ElementsAre(L"Warehouse LX-450W", L"Warehouse LX-450W",
                                             L"Wireless Desk LX-450W", L"Wireless Desk LX-450W"));
}

TEST(PrinterList, NothingAcceptableLeavesTheListUntouched) {
    SortedList list;
    ::SendMessageW(list.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"kept"));
    EXPECT_FALSE(FillPrinterList(list.combo, {}));
    EXPECT_FALSE(FillPrinterList(list.combo, {L"KORVALE LX-TEST"}));
    EXPECT_THAT(list.Entries(), ElementsAre(L"kept"));
}

TEST(Windows, CenterWindowOverAllowsNegativeOffsets) {
    HWND reference =
        ::CreateWindowW(L"STATIC", L"", WS_POPUP, 100, 100, 100, 80, nullptr, nullptr, nullptr, nullptr);
    HWND window =
        ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 301, 40, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(CenterWindowOver(window, reference));
    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 100 + (100 - 301) / 2); // -100: truncated toward zero
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 301);
    ::DestroyWindow(window);
    ::DestroyWindow(reference);
}

TEST(Windows, WindowMessageBoxesFollowTheWindowDirection) {
    HWND plain =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND mirrored = ::CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    EXPECT_EQ(WithWindowDirection(plain, MB_ICONERROR), UINT(MB_ICONERROR));
    EXPECT_EQ(WithWindowDirection(mirrored, MB_ICONERROR), UINT(MB_ICONERROR | MB_RTLREADING | MB_RIGHT));
    EXPECT_EQ(WithWindowDirection(nullptr, MB_OK), UINT(MB_OK));
    ::DestroyWindow(plain);
    ::DestroyWindow(mirrored);
}
