// What the elevated program loads: only letters and digits make a language code, the language library's code
// never runs, and libraries planted beside the program or in the current folder are never loaded.
#include "tests/app/harness_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using harness::ProgramCopy;
using testing::ElementsAre;

namespace {

std::wstring BuildFile(const wchar_t* relative) {
    return harness::BuildDir() + L"\\" + relative;
}

bool Ran(const std::wstring& planted) {
    return ::GetFileAttributesW((planted + L".ran").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Wine's per-program library overrides for lxdevset.exe, removed again at the end.
class WineFilesFirst {
public:
    explicit WineFilesFirst(std::initializer_list<const wchar_t*> names) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(),
                          nullptr);
        for (const wchar_t* name : names)
            ::RegSetValueExW(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"),
                             sizeof L"native,builtin");
    }
    ~WineFilesFirst() {
        key_.reset();
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\lxdevset.exe\\DllOverrides";
    win::RegKey key_;
};

const char kModels[] =
    "[Property]\r\nCompatibleModel=Korvale LX-410\r\n[Korvale LX-410]\r\nSeriesCode=104\r\n"
    "ModelCode=48\r\n[LangString]\r\n";

} // namespace

TEST(Hardening, ALanguageCodeThatIsNotLettersAndDigitsLoadsNothing) {
    ProgramCopy copy(L"langcode");
    // Unchecked, this code would lead from res\ to the probe beside the program.
    const std::wstring probe = copy.dirPath(L"probe.dll");
    ASSERT_TRUE(::CopyFileW(BuildFile(L"tests\\lxprobe.dll").c_str(), probe.c_str(), FALSE));
    harness::WriteTextFile(copy.ini(), std::string(kModels) + "default=x\\..\\..\\probe\r\n");
    EXPECT_THAT(copy.Run(L"Parallel LX-410").log,
                ElementsAre("message|00000010|Error|Resource file is not found."));
    EXPECT_FALSE(Ran(probe));
}

TEST(Hardening, TheLanguageLibrarysCodeNeverRuns) {
    ProgramCopy copy(L"langcode2");
    const std::wstring library = copy.dirPath(L"res\\lxdevset_ENU.dll");
    ASSERT_TRUE(::CopyFileW(BuildFile(L"tests\\lxprobe_lang.dll").c_str(), library.c_str(), FALSE));
    auto run = copy.Run(L"Parallel LX-410", harness::CloseMainWindow);
    EXPECT_THAT(run.Lines("main|"), ElementsAre("main|Parallel LX-410"));
    EXPECT_FALSE(Ran(library));
}

TEST(Hardening, LibrariesPlantedBesideTheProgramOrInTheCurrentFolderAreNeverLoaded) {
    ProgramCopy copy(L"planted");
    const std::wstring current = copy.dirPath(L"current");
    ::CreateDirectoryW(current.c_str(), nullptr);
    std::vector<std::wstring> planted;
    for (const wchar_t* name :
         {L"uxtheme.dll", L"winspool.drv", L"version.dll", L"shell32.dll", L"ole32.dll"}) {
        for (const std::wstring& folder : {copy.dir(), current}) {
            planted.push_back(folder + L"\\" + name);
            ASSERT_TRUE(::CopyFileW(BuildFile(L"tests\\lxprobe.dll").c_str(), planted.back().c_str(), FALSE));
        }
    }
    copy.SetWorkingFolder(current);
    // Windows takes a library that is not one of its known ones from the first folder of the search that has
    // one; Wine would prefer its own builtin ones. Told to prefer files for this program, Wine searches as
    // Windows does (shell32 and ole32 are known to Windows, so they stay Wine's).
    WineFilesFirst filesFirst({L"uxtheme", L"winspool"});
    // Export shows the file dialog, which needs the shell and COM; Cancel closes it.
    copy.SetVariable(L"LXDEVSET_TEST_FILES", L"*");
    auto run = copy.Run(L"Parallel LX-410", [](const harness::Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        harness::PostCommand(main, 32774);
        running.WaitForLine("file|");
        harness::CloseMainWindow(running);
    });
    EXPECT_THAT(run.Lines("main|"), ElementsAre("main|Parallel LX-410"));
    for (const std::wstring& file : planted)
        EXPECT_FALSE(Ran(file)) << std::string(file.begin(), file.end());
}
