// The console probe prints the library's answers for the DEVMODE it is asked for.
#include "caps/tools/driver_install_win.h"
#include "tests/support/wine_env_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Runs a program and returns what it wrote to its standard output.
std::string RunProgram(std::wstring commandLine, DWORD& exitCode) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::Handle readEnd, writeEnd;
    if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0))
        return {};
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd.get();
    si.hStdError = writeEnd.get();
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return {};
    win::Handle process(pi.hProcess), thread(pi.hThread);
    writeEnd.reset();
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(readEnd.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    ::WaitForSingleObject(process.get(), 30000);
    ::GetExitCodeProcess(process.get(), &exitCode);
    return out;
}

// Column widths are the probe's business: runs of blanks compare as one.
std::string Squeeze(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && !(c == ' ' && !out.empty() && out.back() == ' '))
            out += c;
    return out;
}

bool HasLine(const std::string& out, const std::string& part1, const std::string& part2) {
    std::size_t start = 0;
    while (start < out.size()) {
        std::size_t end = out.find('\n', start);
        std::string line =
            Squeeze(out.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (line.find(Squeeze(part1)) != std::string::npos && line.find(Squeeze(part2)) != std::string::npos)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

TEST(Probe, PrintsEveryAnswerForTheChosenDevmode) {
    ASSERT_TRUE(caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx")));
    const std::wstring probe = L"\"" + caps_test::DistFile(L"lxcapsq.exe") + L"\"";
    DWORD code = 1;
    std::string out = RunProgram(probe, code);
    EXPECT_EQ(code, 0u) << out;
    EXPECT_TRUE(HasLine(out, "device code", "0x1234")) << out;
    EXPECT_TRUE(HasLine(out, "Media (257)", "8 entries")) << out;
    EXPECT_TRUE(HasLine(out, "Tape A", "12.0/85       100.0/709      7/10")) << out;
    EXPECT_TRUE(HasLine(out, "  0     1    10  2 mm", "0.08 \"")) << out;

    out = RunProgram(probe + L" --y-dpi 360 --reversed", code);
    EXPECT_TRUE(HasLine(out, "Tape D", "98.8/1400     10/60")) << out;
    EXPECT_TRUE(HasLine(out, "  0     1    20  2 mm", "0.08 \"")) << out;

    RunProgram(probe + L" --bogus", code);
    EXPECT_EQ(code, 2u);
}

TEST(Probe, InstallsThePrinterAndAsksItThroughTheSpooler) {
    const std::wstring probe = L"\"" + caps_test::DistFile(L"lxcapsq.exe") + L"\"";
    DWORD code = 1;
    std::string out = RunProgram(probe + L" --install-printer \"LX Probe Test\"", code);
    ASSERT_EQ(code, 0u) << out;
    ASSERT_TRUE(caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx")));
    out = RunProgram(probe + L" --printer \"LX Probe Test\" --y-dpi 360 --reversed", code);
    EXPECT_EQ(code, 0u) << out;
    EXPECT_TRUE(HasLine(out, "Asking", "DeviceCapabilitiesW")) << out;
    EXPECT_TRUE(HasLine(out, "device code", "0x1234")) << out;
    EXPECT_TRUE(HasLine(out, "Tape D", "98.8/1400     10/60")) << out;
}

// The 32-bit library answers as the 64-bit one does: each build's probe, loading its own library and media
// stand-in over the same data file, prints the same table for the same DEVMODEs. Run from the x86 build,
// whose WoW64 prefix runs both.
TEST(Probe, BothArchitecturesGiveTheSameAnswers) {
    if (sizeof(void*) == 8)
        GTEST_SKIP() << "run by the x86 build";
    const std::wstring data = caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx");
    ASSERT_TRUE(caps_test::InstallMedia(data));
    const std::wstring folder64 = lxdrv::MediaFolder(L"Windows x64");
    ASSERT_FALSE(folder64.empty());
    ::CreateDirectoryW(folder64.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW(caps_test::DistFile(L"..\\x64\\3\\lxmedia64.dll").c_str(),
                            (folder64 + L"\\lxmedia64.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(data.c_str(), (folder64 + L"\\LXMEDIA.lmx").c_str(), FALSE));
    const std::wstring probe32 = L"\"" + caps_test::DistFile(L"lxcapsq.exe") + L"\"";
    const std::wstring probe64 = L"\"" + caps_test::DistFile(L"..\\x64\\lxcapsq.exe") + L"\"";
    // Past the first line, which names the library file.
    auto answers = [](const std::string& out) { return out.substr(std::min(out.find('\n'), out.size())); };
    for (const wchar_t* options :
         {L"", L" --y-dpi 360 --reversed", L" --x-dpi 360 --y-dpi 180", L" --x-dpi 0"}) {
        DWORD code32 = 1, code64 = 1;
        const std::string out32 = RunProgram(probe32 + options, code32);
        const std::string out64 = RunProgram(probe64 + options, code64);
        EXPECT_EQ(code32, 0u) << out32;
        EXPECT_EQ(code64, 0u) << out64;
        EXPECT_GT(out32.size(), 1000u) << out32;
        EXPECT_EQ(answers(out32), answers(out64));
    }
}

} // namespace
