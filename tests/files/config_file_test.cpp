// Configuration and last-settings files on real disk under Wine: the exact lines, the import rules and what
// hostile files do to the lists.
#include "core/result_codes.h"
#include "files/command_file_win.h"
#include "files/config_file_win.h"
#include "files/print_log_file_win.h"
#include "items/basic_items.h"
#include "items/platform_win.h"
#include "tests/app/harness_win.h"
#include "tests/support/item_fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using testing::HasSubstr;

namespace {

const ModelRecord kModel{L"Korvale LX-410", 104, 48, L"lx-410", 1};

class ConfigFile : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"lxconfig-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(dir.c_str(), nullptr);
        path = dir + L"\\settings.dat";
        ::DeleteFileW(path.c_str());
        items = PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, TheItemPlatform(), false);
    }
    void TearDown() override {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(dir.c_str());
    }
    int32_t Export() { return ExportConfigFile(path, kModel, items); }
    int32_t Import() {
        int32_t flags[1] = {-1};
        return ReadConfigFile(path, kModel, items, flags, 1);
    }
    std::vector<int> Selections() const {
        std::vector<int> out;
        for (const FakeCombo& combo : combos)
            out.push_back(combo.selection);
        return out;
    }
    void Write(const std::string& text) { harness::WriteTextFile(path, text); }

    std::wstring dir, path;
    FakeCombo combos[4]{FakeCombo(1), FakeCombo(7), FakeCombo(2), FakeCombo(3)};
    SettingItems items;
};

size_t Count(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    win::FindHandle search(::FindFirstFileW(pattern.c_str(), &found));
    size_t count = search ? 1 : 0;
    while (search && ::FindNextFileW(search.get(), &found))
        ++count;
    return count;
}

const char kValid[] =
    "[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\nTab_1=0\r\n";

} // namespace

TEST_F(ConfigFile, ExportWritesExactlyTheseLinesOverAnyEarlierContent) {
    Write("[Old]\r\nKey=1\r\n[Settings]\r\nAdminPassword=x\r\n");
    EXPECT_EQ(Export(), 6508);
    EXPECT_EQ(harness::ReadTextFile(path),
              L"[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\nTab_1=0\r\n"
              L"[Settings]\r\nPowerOn=1\r\nAutoOffAc=7\r\nPrintInfo=2\r\nCalibration=3\r\n");
    // A model without codes is refused.
    const int32_t enabled[1] = {0};
    EXPECT_EQ(WriteConfigFile(path, ModelRecord{L"M", 0, 48}, items, enabled, 1), 5020);
}

TEST_F(ConfigFile, ImportChecksTheModelExactlyAndTakesWhatTheFileHas) {
    Write("[Property]\r\nFileVersion=100\r\nDriverName=korvale lx-410\r\n[DisableCheck]\r\nTab_1=0\r\n"
          "[Settings]\r\nPowerOn=0\r\n");
    EXPECT_EQ(Import(), 5025);
    EXPECT_EQ(combos[0].selection, 1);
    Write("[Property]\r\nDriverName=Korvale LX-410\r\n[Settings]\r\nPowerOn=0\r\n");
    EXPECT_EQ(Import(), 5025); // no FileVersion
    // Any version but 0 is taken; a key the file lacks leaves that list alone.
    Write("[Property]\r\nFileVersion=7\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\nTab_1=0\r\n"
          "[Settings]\r\nPowerOn=0\r\nCalibration=6\r\n");
    EXPECT_EQ(Import(), 6507);
    EXPECT_EQ(Selections(), (std::vector<int>{0, 7, 2, 6}));
    // Without Tab_1 the import fails and no list changes.
    Write("[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[Settings]\r\nAutoOffAc=10\r\n");
    EXPECT_EQ(Import(), 5019);
    EXPECT_EQ(combos[1].selection, 7);
    EXPECT_EQ(ReadConfigFile(dir + L"\\missing.dat", kModel, items, nullptr, 1), 5019);
    EXPECT_EQ(Import(), 5019);
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(Import(), 5025);
}

TEST_F(ConfigFile, HostileFilesNeverLeaveAListWithoutAValidChoice) {
    const std::vector<std::string> hostile = {
        std::string(kValid) + "[Settings]\r\nPowerOn=2\r\nAutoOffAc=-1\r\nPrintInfo=99999999999999999999\r\n"
                              "Calibration=3x\r\n",
        std::string(kValid) + "[Settings]\r\nAutoOffAc=11\r\n[Settings]\r\nAutoOffAc=1\r\n[Property]\r\n"
                              "DriverName=Other\r\n",
        std::string("\x00\xFF\xFE[Property]\x01\r\n\x80\x90", 12),
    };
    for (const std::string& text : hostile) {
        Write(text);
        const int32_t code = Import();
        EXPECT_TRUE(code == 6507 || code == 5019 || code == 5025) << code;
        const std::vector<int> now = Selections();
        for (size_t i = 0; i < now.size(); ++i) {
            const auto count =
                static_cast<CComboItemTemplate&>(*items[i]).GetParameterList().GetParameters().size();
            EXPECT_GE(now[i], 0);
            EXPECT_LT(static_cast<size_t>(now[i]), count);
        }
    }
    // A 10 MB file of a valid head and noise: read, bounded, and nothing out of range.
    std::string huge(kValid);
    huge += "[Settings]\r\nAutoOffAc=4\r\n";
    huge.resize(10 * 1024 * 1024, 'x');
    Write(huge);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(Import(), 6507);
    EXPECT_LT(::GetTickCount() - start, 20000u);
    EXPECT_EQ(combos[1].selection, 4);
}

TEST_F(ConfigFile, UnwritableTargetsFailEachWithItsReasonAndTheirContentIntact) {
    Write("keep me");
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Export(), 5039);
    EXPECT_EQ(harness::ReadTextFile(path), L"keep me");
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        // Held by another program without sharing: nothing replaces it.
        win::FileHandle held(
            ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(Export(), 5040);
    }
    EXPECT_EQ(harness::ReadTextFile(path), L"keep me");
    const std::vector<std::pair<std::wstring, int32_t>> targets = {
        {dir + L"\\no such folder\\settings.dat", 5041},
        {dir, 5038},
        {dir + L"\\", 5038},
        {dir + L"\\NUL", 5037},
        {dir + L"\\com1.dat", 5037},
        {dir + L"\\Aux .txt", 5037},
        {L"\\\\.\\COM1", 5037}};
    for (const auto& [target, code] : targets) {
        path = target;
        EXPECT_EQ(Export(), code) << std::string(target.begin(), target.end());
    }
    path = dir + L"\\settings.dat";
    // A key write that fails after the new file was made: 5020, the earlier file as it was, no file left
    // over.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Write("keep me");
    FakeItemPlatform full;
    full.failWrites = true;
    items.push_back(std::make_shared<CItemCalibration>(&combos[3], full));
    EXPECT_EQ(Export(), 5020);
    EXPECT_EQ(harness::ReadTextFile(path), L"keep me");
    WIN32_FIND_DATAW found;
    win::FindHandle any(::FindFirstFileW((dir + L"\\*.tmp").c_str(), &found));
    EXPECT_FALSE(any);
    items.pop_back();
}

TEST_F(ConfigFile, LastSettingsFileKeepsEarlierKeysAndHoldsAnEmptyAdminPassword) {
    Write("[Settings]\r\nOlderKey=5\r\nPowerOn=0\r\n");
    WriteLastSettingsFile(path, kModel, items);
    const std::wstring text = harness::ReadTextFile(path);
    EXPECT_THAT(text, HasSubstr(L"OlderKey=5"));
    EXPECT_THAT(text, HasSubstr(L"PowerOn=1"));
    EXPECT_THAT(text, HasSubstr(L"AdminPassword=\r\n"));
    EXPECT_THAT(text, HasSubstr(L"DriverName=Korvale LX-410"));
}

// Folders of 240 to 400 characters with a short file name in them, as an administrator's deep share may have:
// every writer either writes the whole file or says the path is too long, and nothing lands anywhere else.
TEST_F(ConfigFile, EveryWriterWritesOrRefusesLongPathsAndNothingLandsElsewhere) {
    std::wstring folder = dir;
    std::vector<std::wstring> made;
    const size_t strayBefore = Count(L"~lx*");
    for (size_t length = 240; length <= 400; length += 8) {
        // Parts of at most 100 characters, made through the long-path form.
        while (folder.size() < length) {
            const size_t part = std::min<size_t>(100, length - folder.size() - 1);
            folder += L"\\" + std::wstring(part == 0 ? 1 : part, L'd');
            ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
            made.push_back(folder);
        }
        const std::wstring target = folder + L"\\log.csv";
        const bool fits = target.size() + 4 < MAX_PATH;
        const ModelRecord model = kModel;
        const SettingItems prepared =
            PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, TheItemPlatform());
        const std::vector<std::pair<const char*, std::function<int32_t()>>> writers = {
            {"configuration", [&] { return ExportConfigFile(target, model, prepared); }},
            {"command file", [&] { return WriteCommandFile(target, model, prepared); }},
            {"print log", [&] { return WriteFileWhole(target, "Sequence\r\n"); }},
            {"last settings", [&] { return WriteLastSettingsFile(target, model, prepared) ? 6503 : 5036; }},
        };
        for (const auto& [what, write] : writers) {
            const int32_t code = write();
            const bool written =
                ::GetFileAttributesW((L"\\\\?\\" + target).c_str()) != INVALID_FILE_ATTRIBUTES;
            EXPECT_EQ(written, fits) << what << " " << target.size();
            EXPECT_TRUE(fits ? code == 6503 || code == 6508 : code == 5036) << what << " " << code;
            ::DeleteFileW((L"\\\\?\\" + target).c_str());
        }
        EXPECT_EQ(Count(L"\\\\?\\" + folder + L"\\*"), 2u) << target.size(); // "." and ".." alone
    }
    EXPECT_EQ(Count(L"~lx*"), strayBefore); // nothing in the current folder
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        ::RemoveDirectoryW((L"\\\\?\\" + *it).c_str());
}
