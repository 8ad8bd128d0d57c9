// The console companion's rules on the host: the command line and its refusals, printer selection, port
// groups, setting choices and JSON text.
#include "core/result_codes.h"
#include "core/rules.h"
#include "ctl/arguments.h"
#include "ctl/config_check.h"
#include "ctl/device_id.h"
#include "ctl/json.h"
#include "ctl/report.h"
#include "ctl/run.h"
#include "ctl/selection.h"
#include "tests/support/item_fakes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <thread>

using namespace ctl;
using Args = std::vector<std::wstring>;

TEST(CtlArguments, SoundCommandLines) {
    ParseResult r =
        ParseArguments({L"apply", L"Fleet *", L"Desk", L"--set", L"AutoOffAc=2 Hours", L"--json"});
    ASSERT_EQ(r.error, L"");
    EXPECT_EQ(r.options.command, ops::Id::kApply);
    EXPECT_EQ(r.options.printers, (Args{L"Fleet *", L"Desk"}));
    ASSERT_EQ(r.options.sets.size(), 1u);
    EXPECT_EQ(r.options.sets[0].second, L"2 Hours");
    EXPECT_TRUE(r.options.json);
    EXPECT_EQ(ParseArguments({L"list", L"--all"}).error, L"");
    EXPECT_EQ(ParseArguments({L"reset", L"--all", L"--yes"}).error, L"");
    EXPECT_EQ(ParseArguments({L"get", L"*", L"--out", L"x-{printer}.dat"}).error, L"");
    EXPECT_EQ(ParseArguments({L"help", L"verify"}).options.helpTopic, L"verify");
    EXPECT_EQ(ParseArguments({L"get", L"--help"}).options.command, ops::Id::kHelp);
    EXPECT_EQ(ParseArguments({}).error, L"no command");
    // As administrators expect: letter case, --opt=value, /opt, a --json before the command, help help.
    r = ParseArguments({L"--json", L"GET", L"P", L"--OUT=Master.dat", L"/yes=x"});
    EXPECT_EQ(r.error, L"--yes takes no value");
    r = ParseArguments({L"--json", L"GET", L"P", L"--OUT=Master.dat"});
    EXPECT_EQ(r.error, L"");
    EXPECT_TRUE(r.options.json);
    EXPECT_EQ(r.options.out, L"Master.dat");
    r = ParseArguments({L"Apply", L"/ALL", L"--set=Calibration=+1", L"--what-if"});
    EXPECT_EQ(r.error, L"");
    EXPECT_TRUE(r.options.all && r.options.whatIf);
    EXPECT_EQ(r.options.sets[0].second, L"+1");
    EXPECT_EQ(ParseArguments({L"list", L"Fleet*", L"/all"}).error, L"");
    EXPECT_EQ(ParseArguments({L"/?"}).options.command, ops::Id::kHelp);
    EXPECT_EQ(ParseArguments({L"help", L"HELP"}).options.helpTopic, L"help");
    EXPECT_TRUE(ParseArguments({L"--version"}).options.version);
    EXPECT_THAT(HelpText(L"delete-log"), testing::HasSubstr(L"takes: about 17 seconds"));
    EXPECT_THAT(HelpText(L"report"), testing::HasSubstr(L"the printer to print"));
}

TEST(CtlArguments, EveryRefusalNamesItsReason) {
    const std::vector<std::pair<Args, std::wstring>> refused = {
        {{L"frobnicate"}, L"unknown command 'frobnicate'"},
        {{L"get"}, L"name the printers (names, patterns with * and ?, or --all)"},
        {{L"settings", L"Fleet 01"}, L"settings works on no printer"},
        {{L"get", L"P", L"/bogus"}, L"unknown option '/bogus'"},
        {{L"get", L"P", L"--what-if"}, L"get takes no --what-if"},
        {{L"apply", L"P"}, L"apply takes either --file or --set, not both and not neither"},
        {{L"apply", L"P", L"--file", L"a.dat", L"--set", L"PowerOn=0"},
         L"apply takes either --file or --set, not both and not neither"},
        {{L"apply", L"P", L"--set", L"PowerOn"}, L"--set needs NAME=CHOICE, not 'PowerOn'"},
        {{L"apply", L"P", L"--set"}, L"--set needs NAME=CHOICE"},
        {{L"verify", L"P"}, L"verify needs --file"},
        {{L"reset", L"P"}, L"reset cannot be undone: confirm with --yes"},
        {{L"delete-log", L"P"}, L"delete-log cannot be undone: confirm with --yes"},
        {{L"save-log", L"P"}, L"save-log needs --out"},
        {{L"save-log", L"P", L"Q", L"--out", L"log.csv"},
         L"with several printers --out needs {printer} in the file name"},
        {{L"command-file", L"--model", L"M"}, L"command-file needs --model, --file and --out"},
        {{L"get", L"P", L"--out", L"a", L"--out", L"b"}, L"--out given twice"},
        {{L"get", L"P", L"--file", L"a.dat"}, L"get takes no --file"},
        {{L"report", L"P", L"--yes"}, L"report takes no --yes"},
        {{L"get", L"P", L"--colour"}, L"unknown option '--colour'"},
        {{L"help", L"nothing"}, L"no help on 'nothing'"},
    };
    for (const auto& [args, error] : refused)
        EXPECT_EQ(ParseArguments(args).error, error) << std::string(args[0].begin(), args[0].end());
    EXPECT_FALSE(HelpText(L"").empty());
    EXPECT_EQ(HelpText(L"nothing"), L"");
}

TEST(CtlSelection, PatternsNamesAndPortGroups) {
    EXPECT_TRUE(MatchesPattern(L"fleet *", L"Fleet 07"));
    EXPECT_TRUE(MatchesPattern(L"*LX-4?0", L"Korvale LX-410"));
    EXPECT_TRUE(MatchesPattern(L"korvale LX-410", L"Korvale LX-410")); // a plain name in any letter case
    EXPECT_FALSE(MatchesPattern(L"Korvale LX-41", L"Korvale LX-410"));
    EXPECT_FALSE(MatchesPattern(L"Fleet ?", L"Fleet 10"));
    EXPECT_TRUE(MatchesPattern(L"*a*a*a*a*a*a*b", std::wstring(60, L'a') + L"b"));
    EXPECT_FALSE(MatchesPattern(L"*a*a*a*a*a*a*b", std::wstring(5000, L'a')));

    std::vector<std::wstring> unmatched;
    const std::vector<std::wstring> available = {L"B", L"A", L"AB"};
    EXPECT_EQ(SelectPrinters(available, {L"A*", L"A", L"Z*"}, false, unmatched), (Args{L"A", L"AB"}));
    EXPECT_EQ(unmatched, (Args{L"Z*"}));
    EXPECT_EQ(SelectPrinters(available, {}, true, unmatched), available);

    const auto groups = GroupByPort({L"USB001", L"USB002", L"usb001", L"LPT1:"});
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0], (std::vector<size_t>{0, 2}));
}

// Printer names become one file name each that stays in its folder; devices are no files; names are shown
// so that nothing in them acts on a terminal and every JSON name comes back as it was.
TEST(CtlOutput, FileNamesDevicesAndShownNames) {
    const std::vector<std::pair<std::wstring, std::wstring>> names = {
        {L"A:B", L"A_B"},  {L"..", L"__"},         {L".", L"_"},
        {L"", L"_"},       {L"A. ", L"A__"},       {L"..x", L"..x"},
        {L"a\nb", L"a_b"}, {L"x/../y", L"x_.._y"}, {L"\u00c9t\u00e9", L"\u00c9t\u00e9"}};
    for (const auto& [printer, file] : names)
        EXPECT_EQ(FileNameFor(printer), file);
    EXPECT_EQ(OutputPathFor(L"out\\{printer}\\{printer}.dat", L".."), L"out\\__\\__.dat");
    for (const wchar_t* device : {L"NUL", L"nul.txt", L"Con", L"COM1", L"com9.dat", L"LPT1.tar.gz", L"aux .x",
                                  L"PRN.", L"CONOUT$", L"com\u00b9"})
        EXPECT_TRUE(IsDeviceName(device)) << device;
    for (const wchar_t* file : {L"NULL", L"console", L"COM10", L"xCOM1", L"LPT", L"_NUL", L"nul_.txt"})
        EXPECT_FALSE(IsDeviceName(file)) << file;

    EXPECT_EQ(JsonString(std::wstring(L"a\"\n") + wchar_t(0xD800) + L"b" + wchar_t(0xDFFF) + wchar_t(0x2028) +
                         wchar_t(0xE9)),
              "\"a\\\"\\n\\ud800b\\udfff\\u2028\xC3\xA9\"");
    EXPECT_EQ(JsonString(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}), "\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(Printable(std::wstring(L"Desk\n1\x1b[2J") + wchar_t(0x202E) + L"\u00e9"),
              L"Desk\\u000a1\\u001b[2J\\u202e\u00e9");
}

// A printer's IEEE 1284 id is device input: every hostile form gives a clean answer or none.
TEST(CtlDeviceId, ManufacturerAndModelFromWhateverTheDeviceSends) {
    auto parse = [](const std::string& bytes, DeviceId& id) {
        return ParseDeviceId(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), id);
    };
    auto withLength = [](const std::string& text) {
        const size_t n = text.size() + 2;
        return std::string{static_cast<char>(n >> 8), static_cast<char>(n & 0xFF)} + text;
    };
    DeviceId id;
    ASSERT_TRUE(parse(withLength("MFG:Korvale;CMD:LX;MDL:LX-410;CLS:PRINTER;"), id));
    EXPECT_EQ(id.manufacturer, "Korvale");
    EXPECT_EQ(id.model, "LX-410");
    ASSERT_TRUE(parse(withLength(" manufacturer : Korvale Industries ;model:LX-450W"), id)); // no terminator
    EXPECT_EQ(id.manufacturer, "Korvale Industries");
    EXPECT_EQ(id.model, "LX-450W");
    // A length beyond the bytes, a NUL inside, control characters and an overlong value.
    ASSERT_TRUE(parse(std::string("\xFF\xFFMDL:A\x1b[2J", 11), id));
    EXPECT_EQ(id.model, "A?[2J");
    ASSERT_TRUE(parse(withLength("MDL:" + std::string(5000, 'x')), id));
    EXPECT_EQ(id.model.size(), 64u);
    ASSERT_TRUE(parse(withLength(std::string("MFG:K\0MDL:hidden", 17)), id));
    EXPECT_EQ(id.model, "");
    for (const std::string& bad : {std::string(), std::string("\x00", 1), withLength(""), withLength(";;::;"),
                                   withLength("CLS:PRINTER;CMD:X"), std::string("\x00\x02MFG:K", 7)})
        EXPECT_FALSE(parse(bad, id)) << bad.size();
    EXPECT_FALSE(ParseDeviceId(nullptr, 10, id));
}

TEST(CtlSelection, ChoicesByIndexOrTextAndJsonText) {
    const SettingChoices calibration{L"Calibration", {L"+3", L"+2", L"+1", L"0", L"-1", L"", L"-3"}};
    std::wstring error;
    // The text wins; an index is only ever #N; a bare number that is no text is refused with its readings.
    EXPECT_EQ(ResolveChoice(calibration, L"0", error), 3);
    EXPECT_EQ(ResolveChoice(calibration, L"#3", error), 3);
    EXPECT_EQ(ResolveChoice(calibration, L"#0", error), 0);
    EXPECT_EQ(ResolveChoice(calibration, L"+2", error), 1);
    EXPECT_EQ(ResolveChoice(calibration, L"-1", error), 4);
    EXPECT_EQ(ResolveChoice(calibration, L"3", error), -1);
    EXPECT_EQ(error,
              L"'3' is not a choice's text for Calibration; write Calibration=+3 for the choice \"+3\", or "
              L"Calibration=#3 for the choice at index 3 (\"0\")");
    EXPECT_EQ(ResolveChoice(calibration, L"6", error), -1);
    EXPECT_EQ(error,
              L"'6' is not a choice's text for Calibration; write Calibration=#6 for the choice at index 6 "
              L"(\"-3\")");
    for (const wchar_t* bad : {L"7", L"#7", L"#-1", L"#+1", L"#", L"", L"99999999999", L"#99999999999"}) {
        EXPECT_EQ(ResolveChoice(calibration, bad, error), -1) << bad;
        EXPECT_NE(error, L"") << bad;
    }
    const std::vector<SettingChoices> settings = {{L"AutoOffAc", {L"None", L"2 Hours"}}};
    ASSERT_NE(FindSetting(settings, L"autooffac"), nullptr);
    EXPECT_EQ(ResolveChoice(*FindSetting(settings, L"AUTOOFFAC"), L"2 hours", error), 1);
    EXPECT_EQ(DescribeChoices(settings[0]), L"None (#0), 2 Hours (#1)");
    EXPECT_EQ(JsonString("a\"b\\c\n\x01\xC3\xA4"), "\"a\\\"b\\\\c\\n\\u0001\xC3\xA4\"");
    EXPECT_EQ(JsonObject().Add("n", 3).AddBool("ok", false).Add("s", "x").Text(),
              "{\"n\":3,\"ok\":false,\"s\":\"x\"}");
}

TEST(CtlConfigCheck, AFileIsCheckedAsStrictlyAsSet) {
    const std::vector<SettingChoices> settings = {{L"PowerOn", {L"Off", L"On"}},
                                                  {L"AutoOffAc", {L"None", L"1 h"}}};
    const std::wstring head =
        L"[Property]\r\nFileVersion=100\r\nDriverName=M\r\n[DisableCheck]\r\nTab_1=0\r\n";
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {head + L"[Settings]\r\n; a note\r\npoweron = 1\r\nAdminPassword=\r\n[Other]\r\nX=y", L""},
        {head + L"[Settings]\r\nPowerOn=1\r\nAutoOffAc=42\r\n",
         L"line 8: AutoOffAc=42 names no choice; the choices are None (#0), 1 h (#1)"},
        {head + L"[Settings]\r\nAutoOffAc=-1\r\n",
         L"line 7: AutoOffAc=-1 names no choice; the choices are None (#0), 1 h (#1)"},
        {head + L"[Settings]\r\nPowerOnn=1\r\n",
         L"line 7: no setting 'PowerOnn' for M; its settings are PowerOn, AutoOffAc"},
        {head + L"[Settings\r\n", L"line 6: '[Settings' is no section name"},
        {L"[Property]\r\nFileVersion=100\r\nDriverName=N\r\n[DisableCheck]\r\nTab_1=0\r\n",
         L"the file is for N, not for M"},
        {L"[Property]\r\nFileVersion=0\r\nDriverName=M\r\n",
         L"not a configuration file: [Property] lacks DriverName or FileVersion"},
        {L"[Property]\r\nFileVersion=1\r\nDriverName=M\r\n",
         L"not a configuration file: [DisableCheck] lacks Tab_1"},
        {L"\x01\x02 binary", L"not a configuration file: [Property] lacks DriverName or FileVersion"},
        // Another model's file is named as such, before any of its lines.
        {L"[Property]\r\nFileVersion=100\r\nDriverName=N\r\n[DisableCheck]\r\nTab_1=0\r\n[Settings]\r\nX="
         L"1\r\n",
         L"the file is for N, not for M"},
    };
    for (const auto& [text, reason] : cases)
        EXPECT_EQ(CheckConfigText(text, L"M", settings), reason) << std::string(text.begin(), text.end());
}

namespace {

// The system as a run sees it: the spooler's printers, the file system's answers and each printer's outcome.
class FakeRunHost : public IRunHost {
public:
    bool ListPrinters(std::vector<InstalledPrinter>& printers, uint32_t& error) override {
        printers = installed;
        error = 5;
        return listed;
    }
    int32_t OutputProblem(const std::wstring& path) override {
        return path.find(L"NUL") != std::wstring::npos ? result::kDeviceName : result::kNone;
    }
    bool FolderTakesNewFile(const std::wstring&) override { return true; }
    bool ReadConfigText(const std::wstring&, std::wstring& text, std::wstring&) override {
        text = configText;
        return true;
    }
    PrinterResult RunOnPrinter(const PlannedPrinter& printer) override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            sharedPort = sharedPort || !busyPorts.insert(LowerCase(printer.port)).second;
            if (printer.name == stopAfter)
                interrupted = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        PrinterResult r;
        r.printer = printer.name;
        r.port = printer.port;
        r.model = printer.model.name;
        r.status = outcomes.count(printer.name) ? outcomes[printer.name] : Status::kOk;
        r.ok = r.status == Status::kOk || r.status == Status::kMatches;
        std::lock_guard<std::mutex> lock(mutex);
        busyPorts.erase(LowerCase(printer.port));
        return r;
    }
    double Seconds() override { return 0; }

    bool listed = true;
    std::vector<InstalledPrinter> installed = {{L"Desk", L"Korvale LX-410", false, L"USB001"},
                                               {L"desk twin", L"Korvale LX-410", false, L"usb001"},
                                               {L"Wireless", L"Korvale LX-450W", false, L"USB002"},
                                               {L"Laser", L"Generic Laser", false, L"USB003"}};
    std::wstring configText;
    std::map<std::wstring, Status> outcomes;
    std::wstring stopAfter;
    std::atomic<bool> interrupted{false};
    std::mutex mutex;
    std::set<std::wstring> busyPorts;
    bool sharedPort = false; // two printers of one port were run at once
};

struct RunFixture {
    explicit RunFixture(const Args& arguments) {
        context.options = ParseArguments(arguments).options;
        context.catalogue = {{L"Korvale LX-410", 104, 48, L"lx-410", 1},
                             {L"Korvale LX-450W", 104, 50, L"", 2}};
        context.platform = &platform;
        context.strings = &strings;
    }
    Refusal Plan() { return PlanRun(context, host, plan); }
    FakeItemPlatform platform;
    FakeStrings strings;
    Context context;
    FakeRunHost host;
    std::vector<PlannedPrinter> plan;
};

} // namespace

// The plan takes the printers of supported models the command line names, and refuses before anything is
// sent.
TEST(CtlRun, PlanSelectsSupportedPrintersAndRefusesBeforeSending) {
    RunFixture all({L"get", L"--all"});
    ASSERT_FALSE(all.Plan());
    ASSERT_EQ(all.plan.size(), 3u); // not the laser printer
    EXPECT_EQ(all.plan[2].model.ModelCode, 50);
    const std::vector<std::pair<Args, std::pair<int, std::wstring>>> refused = {
        {{L"get", L"Laser"}, {kExitNoMatch, L"no installed printer of a supported model matches 'Laser'"}},
        {{L"get", L"Desk", L"--out", L"NUL"}, {kExitUsage, L"NUL: 5037"}},
        {{L"get", L"Desk*", L"--out", L"x.dat"}, {kExitUsage, L"with several printers"}},
        {{L"get", L"*", L"--out", L"{printer}.dat"}, {kExitOk, L""}},
        {{L"apply", L"*", L"--set", L"PowerOn=#0"}, {kExitUsage, L"PowerOn is not a setting of every"}},
        {{L"apply", L"Desk", L"--set", L"Colour=#0"}, {kExitUsage, L"no setting 'Colour'"}},
        {{L"apply", L"*", L"--file", L"m.dat"}, {kExitUsage, L"not a configuration file"}},
    };
    for (const auto& [args, expected] : refused) {
        RunFixture f(args);
        if (!ParseArguments(args).error.empty()) {
            EXPECT_THAT(ParseArguments(args).error, testing::HasSubstr(expected.second));
            continue;
        }
        const Refusal r = f.Plan();
        EXPECT_EQ(r.exitCode, expected.first) << std::string(args[1].begin(), args[1].end());
        EXPECT_THAT(r.message, testing::HasSubstr(expected.second));
        if (r)
            EXPECT_THAT(r.message, testing::HasSubstr(L"nothing was sent"));
    }
    RunFixture silent({L"get", L"--all"});
    silent.host.listed = false;
    EXPECT_EQ(silent.Plan().exitCode, kExitUnexpected);
}

// One worker per port, in name order afterwards; the summary and exit code say how it ended.
TEST(CtlRun, PrintersOfAPortTakeTurnsAndTheSummarySaysHowItEnded) {
    RunFixture f({L"verify", L"--all", L"--file", L"m.dat"});
    f.host.configText =
        L"[Property]\r\nFileVersion=100\r\nDriverName=Korvale LX-410\r\n[DisableCheck]\r\nTab_1=0\r\n";
    f.context.options.printers = {L"Desk*"};
    f.context.options.all = false;
    ASSERT_FALSE(f.Plan());
    f.host.outcomes = {{L"desk twin", Status::kDiffers}};
    std::vector<std::wstring> records;
    RunEvents events;
    events.finished = [&](const PrinterResult& r) { records.push_back(r.printer); };
    RunOutcome outcome = ExecuteRun(f.plan, f.host, f.host.interrupted, events);
    EXPECT_FALSE(f.host.sharedPort);
    EXPECT_EQ(records.size(), 2u);
    ASSERT_EQ(outcome.results.size(), 2u);
    EXPECT_EQ(outcome.results[0].printer, L"Desk");
    EXPECT_EQ(Summary(ops::Id::kVerify, 2, outcome),
              L"2 printers: 1 match, 1 differ, 0 could not be checked ('desk twin')");
    EXPECT_EQ(ExitCodeOf(outcome), kExitFailed);
    f.host.outcomes = {{L"Desk", Status::kUnchecked}};
    EXPECT_EQ(ExitCodeOf(ExecuteRun(f.plan, f.host, f.host.interrupted)), kExitUnchecked);

    // Ctrl+C during the first printer of a port: the port's next printer is not started.
    RunFixture g({L"get", L"Desk*"});
    ASSERT_FALSE(g.Plan());
    g.host.stopAfter = L"Desk";
    outcome = ExecuteRun(g.plan, g.host, g.host.interrupted);
    EXPECT_EQ(outcome.notStarted, (Args{L"desk twin"}));
    EXPECT_EQ(ExitCodeOf(outcome), kExitInterrupted);
    EXPECT_THAT(Summary(ops::Id::kGet, 2, outcome),
                testing::HasSubstr(L"1 not started (interrupted): 'desk twin'"));
    EXPECT_EQ(StatusName(Status::kWouldChange), std::wstring(L"would-change"));
}

// Local time with the offset east of UTC, from Windows' bias (minutes west).
TEST(CtlRun, TimestampsCarryTheOffsetEastOfUtc) {
    EXPECT_EQ(FormatTimestamp({2026, 12, 10, 13, 42, 8, -60}), "2026-12-10T13:42:08+01:00");
    EXPECT_EQ(FormatTimestamp({2026, 7, 1, 8, 5, 0, 300}), "2026-07-01T08:05:00-05:00");
    EXPECT_EQ(FormatTimestamp({2026, 1, 2, 3, 4, 5, -330}), "2026-01-02T03:04:05+05:30");
    EXPECT_EQ(FormatTimestamp({2026, 1, 2, 3, 4, 5, 0}), "2026-01-02T03:04:05+00:00");
}
