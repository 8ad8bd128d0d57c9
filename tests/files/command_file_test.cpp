// The command file on real disk under Wine: the exact bytes, the backup rules on every path, awkward targets.
#include "core/result_codes.h"
#include "files/command_file_win.h"
#include "tests/app/harness_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const ModelRecord kModel{L"Korvale LX-450W", 0x68, 0x30, L"lx-450w", 2};

// An item of a given command that can be told to fail its write or to stay out of the file.
class ScriptedItem : public ISettingItem {
public:
    ScriptedItem(std::vector<uint8_t> command, bool inFile = true, bool fails = false)
        : command_(std::move(command)), inFile_(inFile), fails_(fails) {}
    bool WriteApplyCmd(std::ostream& file) override {
        if (fails_)
            return false;
        if (inFile_)
            file.write(reinterpret_cast<const char*>(command_.data()),
                       static_cast<std::streamsize>(command_.size()));
        return static_cast<bool>(file);
    }
    int32_t GetApplyCmdSize() override { return static_cast<int32_t>(command_.size()); }
    bool SendApplyCmd(std::shared_ptr<CPort>) override { return false; }
    bool ReadCurrentParam(std::shared_ptr<CPort>) override { return false; }
    bool SaveToProfile(const std::wstring&) override { return false; }
    bool LoadFromProfile(const std::wstring&) override { return false; }
    bool IsApplied() override { return false; }
    void ShowCurSel() override {}
    bool DumpToFile(std::ostream&) override { return false; }

private:
    std::vector<uint8_t> command_;
    bool inFile_, fails_;
};

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class CommandFile : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"lxcommand-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(dir.c_str(), nullptr);
        path = dir + L"\\x.bin";
    }
    void TearDown() override {
        for (const wchar_t* name : {L"\\x.bin", L"\\x.bin.bak"})
            ::DeleteFileW((dir + name).c_str());
        ::RemoveDirectoryW(dir.c_str());
    }
    SettingItems Items(bool lastFails = false) {
        return {
            std::make_shared<ScriptedItem>(std::vector<uint8_t>{0xA1, 0xA2, 0xA3}),
            std::make_shared<ScriptedItem>(std::vector<uint8_t>{0x55, 0x0B, 0x03, 0x0D, 0x64}, false),
            std::make_shared<ScriptedItem>(std::vector<uint8_t>{0xB1, 0xB2, 0xB3, 0xB4}, true, lastFails)};
    }
    std::wstring dir, path;
};

} // namespace

TEST_F(CommandFile, LeadInHeaderAndOnlyTheItemsThatBelongInTheFile) {
    EXPECT_EQ(WriteCommandFile(path, ModelRecord{L"M", 0x168, 0x130}, Items()), 6503);
    // The calibration-like item adds its 5 bytes to the total (12) but none to the body.
    EXPECT_EQ(harness::ReadBytes(path),
              std::string("\x1B\x69\x61\x01\x1B\x69\x55\x4F\x10\x68\x30\x00\x0C\x00\x00\x00"
                          "\x00\x00\x00\x00\xA1\xA2\xA3\xB1\xB2\xB3\xB4",
                          27));
    EXPECT_FALSE(Exists(path + L".bak"));
    EXPECT_EQ(WriteCommandFile(path, ModelRecord{L"M", 0, 1}, Items()), 5020);
    EXPECT_EQ(WriteCommandFile(path, kModel, {}), 5020);
}

TEST_F(CommandFile, AnEarlierFileIsNeverLost) {
    harness::WriteTextFile(path, "earlier");
    // Replaced: no backup left behind.
    EXPECT_EQ(WriteCommandFile(path, kModel, Items()), 6503);
    EXPECT_FALSE(Exists(path + L".bak"));
    // An item that fails midway: the earlier file is back under its name.
    harness::WriteTextFile(path, "earlier");
    EXPECT_EQ(WriteCommandFile(path, kModel, Items(true)), 5020);
    EXPECT_EQ(harness::ReadBytes(path), "earlier");
    EXPECT_FALSE(Exists(path + L".bak"));
    // A backup name already taken: nothing is touched, and the message names the backup.
    harness::WriteTextFile(path + L".bak", "older");
    EXPECT_EQ(WriteCommandFile(path, kModel, Items()), 5033);
    EXPECT_EQ(harness::ReadBytes(path), "earlier");
    EXPECT_EQ(harness::ReadBytes(path + L".bak"), "older");
    // A read-only target is refused before anything moves, and says so.
    ::DeleteFileW((path + L".bak").c_str());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WriteCommandFile(path, kModel, Items()), 5039);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(harness::ReadBytes(path), "earlier");
    EXPECT_FALSE(Exists(path + L".bak"));
}

TEST_F(CommandFile, AwkwardTargetsFailOrSucceedWithoutLosingAnything) {
    // A folder is refused before anything moves, and so is a folder that is not there.
    EXPECT_EQ(WriteCommandFile(dir, kModel, Items()), 5038);
    EXPECT_TRUE(Exists(dir));
    EXPECT_EQ(WriteCommandFile(dir + L"\\no such folder\\x.bin", kModel, Items()), 5041);
    // Names outside the ANSI code page are names like any other.
    const std::wstring unicode = dir + L"\\\u0429\u0442\u2603.bin";
    EXPECT_EQ(WriteCommandFile(unicode, kModel, Items()), 6503);
    EXPECT_EQ(harness::ReadBytes(unicode).size(), 27u);
    ::DeleteFileW(unicode.c_str());
    // 259 characters: the file would fit but its backup name would not, so the path is refused as too long
    // before anything is written.
    std::wstring longPath = dir + L"\\";
    longPath += std::wstring(259 - longPath.size() - 4, L'n') + L".bin";
    ASSERT_EQ(longPath.size(), 259u);
    EXPECT_EQ(WriteCommandFile(longPath, kModel, Items()), 5036);
    EXPECT_FALSE(Exists(longPath));
}
