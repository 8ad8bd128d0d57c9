// The program's library search in this process: after the restriction a library is found only in the system
// folder, not beside the program and not in the current folder.
#include "app/settings/dll_search_win.h"
#include "tests/app/harness_win.h"

#include <gtest/gtest.h>

TEST(LibrarySearch, OnlyTheSystemFolderAfterTheRestriction) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring besideProgram(self);
    besideProgram.resize(besideProgram.rfind(L'\\'));
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring current = std::wstring(temp) + L"lxsearch-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(current.c_str(), nullptr);
    const std::wstring probe = besideProgram + L"\\lxprobe.dll";
    ASSERT_TRUE(::CopyFileW(probe.c_str(), (besideProgram + L"\\lxplanted_beside.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(probe.c_str(), (current + L"\\lxplanted_current.dll").c_str(), FALSE));
    ::SetCurrentDirectoryW(current.c_str());

    RestrictLibrarySearch();
    EXPECT_EQ(::LoadLibraryW(L"lxplanted_beside.dll"), nullptr);
    EXPECT_EQ(::LoadLibraryW(L"lxplanted_current.dll"), nullptr);
    EXPECT_NE(::LoadLibraryW(L"uxtheme.dll"), nullptr);

    ::SetCurrentDirectoryW(besideProgram.c_str());
    ::DeleteFileW((besideProgram + L"\\lxplanted_beside.dll").c_str());
    ::DeleteFileW((current + L"\\lxplanted_current.dll").c_str());
    ::RemoveDirectoryW(current.c_str());
}
