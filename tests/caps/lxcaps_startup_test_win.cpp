// Start-up of the capability library: every fault of the media-table library makes loading it fail, cleanly.
#include "caps/records.h"
#include "tests/support/wine_env_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::wstring Widen(const char* s) {
    return std::wstring(s, s + std::strlen(s));
}

std::string Variable(const char* name) {
    char text[32] = {};
    return ::GetEnvironmentVariableA(name, text, sizeof text) ? text : "";
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(caps_test::InstallMedia(testData)) << ::GetLastError();
        ::SetEnvironmentVariableA("LX_FAULTY_OPEN_TABLES", "0");
        ::SetEnvironmentVariableA("LX_FAULTY_BAD_CLOSES", "0");
    }
    // The next test, in this process or another, finds the good stand-in again.
    void TearDown() override {
        ::SetEnvironmentVariableA("LX_FAULTY_MEDIA", nullptr);
        EXPECT_TRUE(caps_test::InstallMedia(testData));
    }

    static bool Replace(const std::wstring& dll) {
        return ::CopyFileW(dll.c_str(), (caps_test::MediaFolder() + L"\\" + caps::kMediaLibraryFileW).c_str(),
                           FALSE);
    }

    // Loads the capability library over the hostile stand-in, and checks that nothing of the media library
    // stays.
    bool LoadsWith(const char* mode) {
        ::SetEnvironmentVariableA("LX_FAULTY_MEDIA", mode);
        bool loaded = static_cast<bool>(caps_test::CapsLibrary());
        EXPECT_EQ(::GetModuleHandleW(caps::kMediaLibraryFileW), nullptr) << mode;
        EXPECT_EQ(Variable("LX_FAULTY_OPEN_TABLES"), "0") << mode;
        EXPECT_EQ(Variable("LX_FAULTY_BAD_CLOSES"), "0") << mode;
        return loaded;
    }

    const std::wstring testData = caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx");
};

TEST_F(Startup, MissingMediaLibraryOrDataFileFailsTheLoad) {
    const std::wstring folder = caps_test::MediaFolder();
    ASSERT_TRUE(::DeleteFileW((folder + L"\\LXMEDIA.lmx").c_str()));
    EXPECT_FALSE(caps_test::CapsLibrary());
    ASSERT_TRUE(caps_test::InstallMedia(testData));
    ASSERT_TRUE(::DeleteFileW((folder + L"\\" + caps::kMediaLibraryFileW).c_str()));
    EXPECT_FALSE(caps_test::CapsLibrary());
}

TEST_F(Startup, ShippedDataFileLoads) {
    ASSERT_TRUE(caps_test::InstallMedia(caps_test::DistFile(L"3\\LXMEDIA.lmx")));
    caps_test::CapsLibrary caps;
    ASSERT_TRUE(caps);
    std::vector<std::uint8_t> dm(256, 0);
    caps::StoreU16(dm.data() + caps::devmode::kSize, 156);
    EXPECT_EQ(caps(caps::capability::kMedia, nullptr, dm.data()), 16u);
    EXPECT_EQ(caps(caps::capability::kDeviceCode, nullptr, nullptr), 0x3041u);
}

TEST_F(Startup, DataFileWithAMistakeFailsTheLoad) {
    const std::wstring data = caps_test::MediaFolder() + L"\\LXMEDIA.lmx";
    const char text[] = "[device]\nresolution = 180 180\n[media]\nwidht_dots = 85\n";
    win::FileHandle file(::CreateFileW(data.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), text, sizeof text - 1, &written, nullptr));
    file.reset();
    EXPECT_FALSE(caps_test::CapsLibrary());
}

TEST_F(Startup, EntryPointMissingOrRefusingFailsTheLoad) {
    ASSERT_TRUE(Replace(Widen(LX_CAPS_NO_ENTRY_DLL)));
    EXPECT_FALSE(LoadsWith(""));
    ASSERT_TRUE(Replace(Widen(LX_CAPS_FAULTY_DLL)));
    EXPECT_FALSE(LoadsWith("refuse"));
    EXPECT_FALSE(LoadsWith("no-open"));
    EXPECT_FALSE(LoadsWith("open-fails"));
}

TEST_F(Startup, DeviceInformationOrMediaListMissingFailsTheLoad) {
    ASSERT_TRUE(Replace(Widen(LX_CAPS_FAULTY_DLL)));
    EXPECT_TRUE(LoadsWith("good"));
    EXPECT_FALSE(LoadsWith("device-fails"));
    EXPECT_FALSE(LoadsWith("no-device-info"));
    EXPECT_FALSE(LoadsWith("no-media-list"));
    EXPECT_FALSE(LoadsWith("second-fails"));
    EXPECT_FALSE(LoadsWith("empty"));
    EXPECT_FALSE(LoadsWith("empty-count"));
}

// The library's sizes and counts are not trusted to bound the reads.
TEST_F(Startup, CountsThatDoNotMatchTheBufferAreRefused) {
    ASSERT_TRUE(Replace(Widen(LX_CAPS_FAULTY_DLL)));
    EXPECT_FALSE(LoadsWith("short"));
    EXPECT_FALSE(LoadsWith("grows"));
    EXPECT_FALSE(LoadsWith("huge"));
    EXPECT_FALSE(LoadsWith("wide"));
}

TEST_F(Startup, UnterminatedNamesAreReadWithinTheirField) {
    ASSERT_TRUE(Replace(Widen(LX_CAPS_FAULTY_DLL)));
    ::SetEnvironmentVariableA("LX_FAULTY_MEDIA", "unterminated");
    caps_test::CapsLibrary caps;
    ASSERT_TRUE(caps);
    std::vector<std::uint8_t> dm(256, 0);
    caps::StoreU16(dm.data() + caps::devmode::kSize, 156);
    caps::MediaDescriptor media[2];
    ASSERT_EQ(caps(caps::capability::kMedia, media, dm.data()), 2u);
    // Group 2 first: the label, then the tape with the full-length names.
    EXPECT_STREQ(media[0].name, "Faulty B");
    EXPECT_EQ(std::string(media[1].name), std::string(32, 'X'));
    EXPECT_EQ(std::string(media[1].name2), std::string(32, 'Y'));
}

} // namespace
