// lxdevctl under Wine against a fleet of sixteen simulated printers: cloning and auditing with faulty
// printers among them, refusals before anything is sent, output to a closed pipe, files shared with lxdevset.
#include "comm/port/clock.h"
#include "tests/app/harness_win.h"
#include "tests/support/sim_fixture_win.h"
#include "win/named_lock.h"
#include "win/text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>
#include <atomic>
#include <thread>

using harness::ProgramCopy;
using testing::HasSubstr;

namespace {

const char kFleetIni[] =
    "[Property]\r\nCompatibleModel=Korvale LX-FLEET,Korvale LX-410\r\n"
    "[Korvale LX-FLEET]\r\nSeriesCode=104\r\nModelCode=48\r\n"
    "[Korvale LX-410]\r\nSeriesCode=104\r\nModelCode=48\r\n[LangString]\r\ndefault=ENU\r\n";

struct CtlRun {
    DWORD exitCode = 999;
    std::string out, err;
};

// Everything the process wrote, until it has ended: a Wine service it started may hold the pipe open longer.
std::string ReadAll(HANDLE pipe, HANDLE process) {
    std::string text;
    char buffer[4096];
    for (bool ended = false;;) {
        DWORD available = 0, got = 0;
        if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
            break;
        if (available > 0 && ::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            text.append(buffer, got);
            continue;
        }
        if (ended)
            break;
        ended = ::WaitForSingleObject(process, 20) == WAIT_OBJECT_0;
    }
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Runs lxdevctl from the copy's folder with its output captured; `closeOutput` closes the reading end first.
CtlRun Ctl(const ProgramCopy& copy, const std::wstring& arguments, bool closeOutput = false,
           HANDLE token = nullptr) {
    CtlRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    ::CreatePipe(&outRead, &outWrite, &inherit, 0);
    ::CreatePipe(&errRead, &errWrite, &inherit, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    if (closeOutput)
        ::CloseHandle(outRead);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info{};
    std::wstring command = L"\"" + copy.dirPath(L"lxdevctl.exe") + L"\" " + arguments;
    const BOOL started =
        token ? ::CreateProcessAsUserW(token, nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                       nullptr, copy.dir().c_str(), &startup, &info)
              : ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                 copy.dir().c_str(), &startup, &info);
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    EXPECT_TRUE(started);
    if (started) {
        std::string err;
        std::thread errors([&] { err = ReadAll(errRead, info.hProcess); });
        if (!closeOutput)
            run.out = ReadAll(outRead, info.hProcess);
        ::WaitForSingleObject(info.hProcess, 120000);
        ::GetExitCodeProcess(info.hProcess, &run.exitCode);
        errors.join();
        run.err = err;
        ::CloseHandle(info.hProcess);
        ::CloseHandle(info.hThread);
    }
    if (!closeOutput)
        ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    return run;
}

// The JSON lines of a run, each reduced to the fields the tests look at.
struct Line {
    std::string printer, status;
    int code = 0;
    bool ok = false;
    double started = 0, seconds = 0;
    int differences = 0;
};

std::map<std::string, Line> Lines(const std::string& out) {
    std::map<std::string, Line> lines;
    static const std::regex field(
        R"re(\{"printer":"([^"]*)".*"status":"([^"]*)","code":(\d+),.*"ok":(true|false),"started":([\d.]+),"seconds":([\d.]+),.*"differences":\[(.*)\])re");
    std::istringstream in(out);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (!std::regex_search(text, m, field))
            continue;
        Line l{m[1],
               m[2],
               std::stoi(m[3]),
               m[4] == "true",
               std::stod(m[5]),
               std::stod(m[6]),
               static_cast<int>(
                   std::count(text.begin() + m.position(7), text.begin() + m.position(7) + m.length(7), '{') /
                   3)};
        lines[l.printer] = l;
    }
    return lines;
}

// Printer queues with names nobody expects, there for one test: the spooler lists what its registry holds.
class OddQueues {
public:
    explicit OddQueues(std::vector<std::wstring> names) : names_(std::move(names)) {
        int port = 150;
        for (const std::wstring& name : names_) {
            HKEY key = nullptr;
            if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kPrinters + name).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
                continue;
            const std::wstring portName = L"USB" + std::to_wstring(port++);
            for (const auto& [value, text] : {std::pair<const wchar_t*, std::wstring>{L"Name", name},
                                              {L"Port", portName},
                                              {L"Printer Driver", L"Korvale LX-FLEET"}})
                ::RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
            ::RegCloseKey(key);
        }
    }
    ~OddQueues() {
        for (const std::wstring& name : names_)
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kPrinters + name).c_str());
    }

private:
    static constexpr const wchar_t* kPrinters = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";
    std::vector<std::wstring> names_;
};

class Lxdevctl : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simfixture::Connect());
        ASSERT_TRUE(::CopyFileW((harness::DistDir() + L"\\lxdevctl.exe").c_str(),
                                copy.dirPath(L"lxdevctl.exe").c_str(), FALSE));
        harness::WriteTextFile(copy.ini(), kFleetIni);
    }
    ProgramCopy copy{L"ctl"};
};

} // namespace

TEST_F(Lxdevctl, ClonesOnePrinterToTheFleetAndAuditsItWithFaultyPrintersReported) {
    ASSERT_EQ(
        Ctl(copy, L"apply \"Fleet 01\" --set AutoOffAc=#9 --set printinfo=\"usage log\" --set Calibration=#6")
            .exitCode,
        0u);
    // What is plugged in: over the USB printer class each port's device (a bridged one answers no id), over
    // the simulator link nothing to ask.
    const bool usb = simfixture::OverUsb();
    const std::string listed = Ctl(copy, L"list --all").out;
    std::smatch row;
    ASSERT_TRUE(std::regex_search(listed, row,
                                  std::regex("\\nFleet 01 +Korvale LX-FLEET +USB101 +([^ ].*?) +online")));
    EXPECT_EQ(row[1], usb ? "connected, model unknown" : "-");
    if (usb)
        EXPECT_TRUE(std::regex_search(listed, std::regex("\\nSilent LX-410 .*USB022 +nothing connected ")));
    // Bare file names are the working folder's, not the Windows folder's.
    ASSERT_EQ(Ctl(copy, L"get \"Fleet 01\" --out fleet.dat").exitCode, 0u);
    EXPECT_THAT(harness::ReadTextFile(copy.dirPath(L"fleet.dat")), testing::StartsWith(L"[Property]"));
    EXPECT_EQ(::GetFileAttributesW(L"C:\\windows\\fleet.dat"), INVALID_FILE_ATTRIBUTES);
    const std::wstring file = L"fleet.dat";

    const int writesBefore = simfixture::StateValue("USB101", "settingWrites");
    CtlRun apply = Ctl(copy, L"apply \"fleet *\" --file \"" + file + L"\" --json");
    EXPECT_EQ(apply.exitCode, 1u) << apply.err;
    std::map<std::string, Line> lines = Lines(apply.out);
    ASSERT_EQ(lines.size(), 17u) << apply.out;
    EXPECT_EQ(lines["Fleet 14"].code, 5008); // silent: the reading that comes first fails
    EXPECT_EQ(lines["Fleet 15"].code, 5015); // another model
    EXPECT_EQ(lines["Fleet 16"].code, 5014); // does not take AutoOffAc
    int applied = 0, unchanged = 0;
    for (const auto& [name, line] : lines) {
        applied += line.code == 6502 && line.ok;
        unchanged += line.status == "unchanged" && line.ok;
    }
    // The printer the file came from, and the second queue of one printer, already have the settings: they
    // are left alone, and say so.
    EXPECT_EQ(applied, 12);
    EXPECT_EQ(unchanged, 2);
    EXPECT_EQ(lines["Fleet 01"].status, "unchanged");
    EXPECT_TRUE(lines["Fleet 01"].ok);
    EXPECT_EQ(simfixture::StateValue("USB101", "settingWrites"), writesBefore);
    // Two queues on one port: one after the other (apart from the rounding of the times printed).
    const Line &a = lines["Fleet 02"], &b = lines["Fleet 02 Twin"];
    const double overlap =
        std::min(a.started + a.seconds, b.started + b.seconds) - std::max(a.started, b.started);
    EXPECT_LT(overlap, 0.05);
    EXPECT_THAT(apply.err,
                HasSubstr("17 printers: 14 succeeded, 3 failed ('Fleet 14', 'Fleet 15', 'Fleet 16')"));

    // An audit tells a printer that differs from one that could not be checked, and so does its exit code.
    CtlRun verify = Ctl(copy, L"verify \"Fleet *\" --file \"" + file + L"\" --json");
    EXPECT_EQ(verify.exitCode, 7u);
    lines = Lines(verify.out);
    EXPECT_EQ(lines["Fleet 16"].code, 6501);
    EXPECT_FALSE(lines["Fleet 16"].ok);
    EXPECT_EQ(lines["Fleet 16"].status, "differs");
    EXPECT_EQ(lines["Fleet 16"].differences, 1);
    EXPECT_EQ(lines["Fleet 14"].status, "unchecked");
    EXPECT_TRUE(lines["Fleet 09"].ok);
    EXPECT_EQ(lines["Fleet 09"].status, "matches");
    EXPECT_EQ(lines["Fleet 09"].differences, 0);
    CtlRun differs = Ctl(copy, L"verify \"Fleet 16\" \"Fleet 09\" --file fleet.dat");
    EXPECT_EQ(differs.exitCode, 1u);
    EXPECT_THAT(differs.out, HasSubstr("DIFFERS  Fleet 16"));
    EXPECT_LT(differs.out.find("Fleet 09"), differs.out.find("Fleet 16")); // in name order
    EXPECT_THAT(differs.out, HasSubstr("verify: 6501 differs from the file"));
    EXPECT_EQ(simfixture::StateValue("USB109", "AutoOffAc"), 48);
}

TEST_F(Lxdevctl, RefusesBeforeAnythingIsSent) {
    const int before = simfixture::StateValue("USB103", "statusRequests");
    const std::string head =
        "[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-FLEET\r\n[DisableCheck]\r\n"
        "Tab_1=0\r\n[Settings]\r\n";
    harness::WriteTextFile(copy.dirPath(L"range.dat"), head + "PowerOn=0\r\nAutoOffAc=42\r\n");
    harness::WriteTextFile(copy.dirPath(L"misspelt.dat"), head + "PowerOnn=0\r\n");
    harness::WriteTextFile(copy.dirPath(L"other.dat"), "[Property]\r\nFileVersion=100\r\nDriverName=Korvale "
                                                       "LX-450W\r\n[DisableCheck]\r\nTab_1=0\r\n");
    const std::vector<std::tuple<std::wstring, DWORD, std::string>> refused = {
        {L"apply \"Fleet 03\" --set Brightness=9", 2,
         "no setting 'Brightness'; the settings are PowerOn, AutoOffAc"},
        {L"apply \"Fleet 03\" --set AutoOffAc=11", 2,
         "no choice '11' for AutoOffAc; the choices are None (#0)"},
        {L"apply \"Fleet 03\" --set AutoOffAc=3", 2, "write AutoOffAc=#3 for the choice at index 3"},
        {L"apply \"Fleet 03\" --set AutoOffBattery=#1", 2,
         "AutoOffBattery is not a setting of every selected"},
        {L"reset \"Fleet 03\"", 2, "reset cannot be undone: confirm with --yes"},
        {L"apply \"Fleet 03\" --file missing.dat", 2, "missing.dat: there is no such file; nothing was sent"},
        {L"apply \"Fleet 03\" --file range.dat", 2, "line 8: AutoOffAc=42 names no choice"},
        {L"verify \"Fleet 03\" --file misspelt.dat", 2, "line 7: no setting 'PowerOnn' for Korvale LX-FLEET"},
        {L"apply \"Fleet 03\" --file other.dat", 2,
         "the file is for Korvale LX-450W, not for Korvale LX-FLEET"},
        {L"get \"Fleet 03\" --out nowhere\\x.dat", 2, "nowhere\\ of "},
        {L"get \"Fleet 03\" \"No Such*\"", 3, "matches 'No Such*'; nothing was sent"},
        {L"command-file --model \"Korvale LX-410\" --file a.dat --out a.bin", 2,
         "command files are made for"},
    };
    for (const auto& [arguments, code, message] : refused) {
        const CtlRun run = Ctl(copy, arguments);
        EXPECT_EQ(run.exitCode, code) << run.err;
        EXPECT_THAT(run.err, HasSubstr(message));
    }
    // Ten thousand settings from an argument file, the last one wrong: checked in full, refused quickly.
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "--set\nAutoOffAc=#3\n";
    harness::WriteTextFile(copy.dirPath(L"many.txt"), many + "--set\nAutoOffAc=300\n");
    const CtlRun run = Ctl(copy, L"apply \"Fleet 03\" @many.txt");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_THAT(run.err, HasSubstr("no choice '300'"));
    EXPECT_EQ(simfixture::StateValue("USB103", "statusRequests"), before);
}

TEST_F(Lxdevctl, WithoutRightsOrWithOutputGoneItStillSaysHowItEnded) {
    const win::Handle restricted = harness::RestrictedToken();
    ASSERT_TRUE(restricted);
    CtlRun run = Ctl(copy, L"delete-log \"Fleet 04\" --yes", false, restricted.get());
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_THAT(run.err, HasSubstr("needs administrator rights"));
    EXPECT_EQ(Ctl(copy, L"list", false, restricted.get()).exitCode, 0u);
    // Nobody reads the output any more: the run still ends, with its own exit code.
    EXPECT_EQ(Ctl(copy, L"get \"Fleet 04\"", true).exitCode, 0u);
}

TEST_F(Lxdevctl, FilesPassBetweenTheConsoleAndTheWindow) {
    ASSERT_EQ(Ctl(copy, L"apply \"Fleet 05\" --set AutoOffAc=#2 --set Calibration=#1").exitCode, 0u);
    const std::wstring fromConsole = copy.dirPath(L"console.dat"), fromWindow = copy.dirPath(L"window.dat");
    ASSERT_EQ(Ctl(copy, L"get \"Fleet 05\" --out \"" + fromConsole + L"\"").exitCode, 0u);
    // The window imports the console's file unchanged and exports its own for the console.
    copy.SetVariable(L"LXDEVSET_TEST_FILES", fromConsole + L"|" + fromWindow);
    copy.SetVariable(L"LXDEVSET_TEST_PAUSE_DIVISOR", L"40");
    std::vector<int> shown;
    auto window = copy.Run(L"Fleet 06", [&](const harness::Running& running) {
        HWND main = running.MainWindow();
        ASSERT_NE(main, nullptr);
        harness::PostCommand(main, 32773);
        running.WaitForLine("file|", 10000, 1);
        ::Sleep(300);
        shown = {harness::ComboSelection(main, 1011), harness::ComboSelection(main, 1018)};
        harness::PostCommand(main, 32774);
        running.WaitForLine("file|", 10000, 2);
        ::Sleep(300);
        harness::CloseMainWindow(running);
    });
    EXPECT_EQ(shown, (std::vector<int>{2, 1}));
    EXPECT_TRUE(window.Lines("message|").empty());
    const CtlRun apply = Ctl(copy, L"apply \"Fleet 07\" --file \"" + fromWindow + L"\"");
    EXPECT_EQ(apply.exitCode, 0u) << apply.out << apply.err;
    EXPECT_EQ(simfixture::StateValue("USB107", "AutoOffAc"), 2);
}

TEST_F(Lxdevctl, OddNamesAreShownAsTheyAreAndNeverWriteWhereTheyShouldNot) {
    const std::wstring lone = std::wstring(L"Odd ") + wchar_t(0xD800);
    OddQueues odd({L"Odd A:B", L"Odd A_B", L"NUL", L"Odd\nLine\x1b[2J", lone, L".."});
    // JSON gives every name back exactly; text shows no control character raw.
    const CtlRun json = Ctl(copy, L"list \"Odd*\" --json");
    EXPECT_THAT(json.out, HasSubstr("\"printer\":\"Odd \\ud800\""));
    EXPECT_THAT(json.out, HasSubstr("\"printer\":\"Odd\\nLine\\u001b[2J\""));
    const CtlRun text = Ctl(copy, L"list \"Odd*\"");
    EXPECT_THAT(text.out, HasSubstr("Odd\\u000aLine\\u001b[2J "));
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos);

    harness::WriteTextFile(copy.dirPath(L"kept.dat"), "kept");
    ::SetFileAttributesW(copy.dirPath(L"kept.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    const int before = simfixture::StateValue("USB103", "statusRequests");
    const std::vector<std::pair<std::wstring, std::string>> refused = {
        {L"get \"Odd A*\" --out \"{printer}.dat\"", "'Odd A:B' and 'Odd A_B' would both be written to"},
        {L"get NUL --out \"{printer}.dat\"",
         "NUL.dat: The file cannot be saved because its name is reserved"},
        {L"get \"Fleet 03\" --out com1", "reserved for a device"},
        {L"get \"Fleet 03\" --out kept.dat",
         "kept.dat: The file cannot be saved because the file there is read-only"},
        // ".." is one name inside the folder named, not the folder above it.
        {L"save-log .. --out \"out\\{printer}\\log.csv\"",
         "the folder " + win::ToMultiByte(CP_UTF8, copy.dirPath(L"out\\__\\"))},
        {L"get \"Fleet 03\" --out \"" + std::wstring(300, L'p') + L".dat\"", "because its path is too long"},
    };
    for (const auto& [arguments, message] : refused) {
        const CtlRun run = Ctl(copy, arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.err;
        EXPECT_THAT(run.err, HasSubstr(message));
    }
    EXPECT_EQ(simfixture::StateValue("USB103", "statusRequests"), before);
    EXPECT_EQ(harness::ReadBytes(copy.dirPath(L"kept.dat")), "kept");
    ::SetFileAttributesW(copy.dirPath(L"kept.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    // A name typed in other letters is still the printer's name.
    EXPECT_EQ(Ctl(copy, L"get \"fleet 03\"").exitCode, 0u);
}

TEST_F(Lxdevctl, ArgumentFilesInEitherUtf16OrderAndNoFileWithinAFile) {
    const std::wstring lines = L"get\r\nFleet 08\r\n";
    std::string little("\xFF\xFE", 2), big("\xFE\xFF", 2);
    for (wchar_t c : lines) {
        little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    harness::WriteTextFile(copy.dirPath(L"le.txt"), little);
    harness::WriteTextFile(copy.dirPath(L"be.txt"), big);
    harness::WriteTextFile(copy.dirPath(L"nested.txt"), "get\n@le.txt\n");
    harness::WriteTextFile(copy.dirPath(L"binary.txt"), std::string(100000, '\x7F') + "\n");
    harness::WriteTextFile(copy.dirPath(L"binary0.txt"), std::string("get\n\0\x01\n", 7));
    for (const wchar_t* file : {L"@le.txt", L"@be.txt"})
        EXPECT_EQ(Ctl(copy, file).exitCode, 0u) << file;
    const std::vector<std::pair<std::wstring, std::string>> refused = {
        {L"@nested.txt",
         "line 2, names another argument file (@le.txt); argument files do not include others"},
        {L"@binary0.txt", "line 2, holds a NUL character"},
        {L"@missing.txt", "missing.txt: there is no such file"},
    };
    for (const auto& [arguments, message] : refused) {
        const CtlRun run = Ctl(copy, arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.err;
        EXPECT_THAT(run.err, HasSubstr(message));
    }
    // An argument of 100 000 odd bytes is quoted in part, not echoed whole.
    const CtlRun binary = Ctl(copy, L"@binary.txt");
    EXPECT_EQ(binary.exitCode, 2u);
    EXPECT_LT(binary.err.size(), 20000u);
    EXPECT_THAT(binary.err, HasSubstr("more characters)"));
}

// Two programs at once on one printer take turns on its port, and writes of one model's last-settings file
// never mix.
TEST_F(Lxdevctl, TwoProgramsOnOnePrinterTakeTurnsAndKeepTheLastSettingsFileWhole) {
    // Another program holds Fleet 03's port: the run reads Fleet 05 on its own port meanwhile, sends nothing
    // to Fleet 03 while the port is held, and reads it once the holder lets go.
    size_t from = simfixture::WireSize();
    ASSERT_EQ(Ctl(copy, L"get \"Fleet 05\"").exitCode, 0u);
    const size_t oneRead = simfixture::WireSince("USB105", from).size();
    std::atomic<bool> taken{false}, release{false};
    std::thread holder([&] {
        win::NamedLock lock(L"port", L"USB103", 5000);
        taken = lock.Held();
        while (!release)
            ::Sleep(10);
    });
    while (!taken)
        ::Sleep(10);
    from = simfixture::WireSize();
    CtlRun waited;
    std::thread run([&] { waited = Ctl(copy, L"get \"Fleet 03\" \"Fleet 05\" --json"); });
    for (DWORD start = ::GetTickCount();
         simfixture::WireSince("USB105", from).size() < oneRead && ::GetTickCount() - start < 60000;)
        ::Sleep(20);
    EXPECT_EQ(simfixture::WireSince("USB105", from).size(), oneRead);
    EXPECT_TRUE(simfixture::WireSince("USB103", from).empty()) << "sent to a port another program holds";
    release = true;
    holder.join();
    run.join();
    EXPECT_EQ(waited.exitCode, 0u) << waited.err;
    const std::map<std::string, Line> lines = Lines(waited.out);
    ASSERT_EQ(lines.count("Fleet 03"), 1u) << waited.out;
    EXPECT_TRUE(lines.at("Fleet 03").ok);
    EXPECT_FALSE(simfixture::WireSince("USB103", from).empty());

    // Two runs that share Fleet 04, each finishing printers of one model while the other does.
    const std::wstring last = copy.dirPath(L"lxdevset_Korvale LX-FLEET.ini");
    for (int round = 0; round < 3; ++round) {
        CtlRun first, second;
        std::thread other([&] {
            first = Ctl(copy, L"apply \"Fleet 0?\" --json --set AutoOffAc=#" + std::to_wstring(2 + round));
        });
        second = Ctl(copy, L"apply \"Fleet 1?\" \"Fleet 04\" --json --set Calibration=#" +
                               std::to_wstring(1 + round));
        other.join();
        EXPECT_EQ(first.exitCode, 0u) << first.out << first.err;
        EXPECT_EQ(second.exitCode, 1u) << second.err; // Fleet 14 to 16 are faulty
        EXPECT_TRUE(Lines(second.out)["Fleet 04"].ok) << second.out;
        EXPECT_TRUE(Lines(second.out)["Fleet 13"].ok) << second.out;
        const std::wstring text = harness::ReadTextFile(last);
        for (const wchar_t* key : {L"[Property]", L"[DisableCheck]", L"DriverName=Korvale LX-FLEET",
                                   L"AutoOffAc=", L"Calibration=", L"AdminPassword="}) {
            const size_t at = text.find(key);
            EXPECT_NE(at, std::wstring::npos) << round << " " << win::ToMultiByte(CP_UTF8, key);
            EXPECT_EQ(text.find(key, at + 1), std::wstring::npos) << round; // once
        }
    }
}
