// The console probe prints the library's answers for the DEVMODE it is asked for.
#include "tests/support/wine_env_win.h"

#include <gtest/gtest.h>

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

} // namespace
