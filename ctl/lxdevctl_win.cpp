// lxdevctl: the console companion of lxdevset for administrators who set up many printers from scripts.
#include "app/settings/dll_search_win.h"
#include "app/settings/settings_win.h"
#include "comm/port/port.h"
#include "comm/port/port_win.h"
#include "comm/services_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/printers.h"
#include "core/result_codes.h"
#include "core/rules.h"
#include "core/text_format.h"
#include "ctl/arguments.h"
#include "ctl/config_check.h"
#include "ctl/device_id.h"
#include "ctl/json.h"
#include "ctl/printer_run_win.h"
#include "ctl/report.h"
#include "ctl/run.h"
#include "ctl/selection.h"
#include "items/memory_items.h"
#include "items/platform_win.h"
#include "win/handles.h"
#include "win/text.h"

#include "lx_version.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <cstdio>
#include <mutex>
#include <thread>

namespace ctl {
namespace {

std::atomic<bool> g_interrupted{false};
std::atomic<int> g_running{0}; // printers whose operation is under way

// Ctrl+C and Ctrl+Break: no new printer is started; the ones under way finish, so none is left between its
// command-mode switch and its settings.
BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) {
        if (!g_interrupted.exchange(true)) {
            const int running = g_running;
            const std::wstring text = L"\nlxdevctl: interrupted; finishing " + std::to_wstring(running) +
                                      (running == 1 ? L" printer" : L" printers") +
                                      L" under way and starting no more\n";
            const std::string bytes = win::ToMultiByte(CP_UTF8, text);
            DWORD done = 0;
            ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                        &done, nullptr);
        }
        return TRUE;
    }
    return FALSE;
}

// Standard output and error as text: the console's own calls when they are a console, UTF-8 otherwise. A
// reader that went away (a closed pipe) ends the writing, not the run.
class Stream {
public:
    explicit Stream(DWORD which) : handle_(::GetStdHandle(which)) {
        DWORD mode = 0;
        console_ = handle_ && handle_ != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle_, &mode);
    }
    bool IsConsole() const { return console_; }
    void Write(const std::wstring& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (broken_ || !handle_ || handle_ == INVALID_HANDLE_VALUE)
            return;
        DWORD done = 0;
        if (console_) {
            broken_ = !::WriteConsoleW(handle_, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
            return;
        }
        const std::string bytes = win::ToMultiByte(CP_UTF8, text);
        broken_ = !bytes.empty() &&
                  !::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    }

private:
    HANDLE handle_;
    bool console_ = false;
    bool broken_ = false;
    std::mutex mutex_;
};

Stream& Out() {
    static Stream stream(STD_OUTPUT_HANDLE);
    return stream;
}

Stream& Err() {
    static Stream stream(STD_ERROR_HANDLE);
    return stream;
}

// A message as the console shows it: names and paths in it printable, and never more than a screenful
// however much of an argument or file it quotes.
std::wstring Shown(const std::wstring& message) {
    constexpr size_t kLongest = 2000;
    std::wstring text = Printable(message);
    if (text.size() > kLongest)
        text = text.substr(0, kLongest) + L"... (" + std::to_wstring(text.size() - kLongest) +
               L" more characters)";
    return text;
}

int Fail(int code, const std::wstring& message, const std::wstring& hint = {}) {
    Err().Write(L"lxdevctl: " + Shown(message) + L"\n");
    if (!hint.empty())
        Err().Write(L"(" + hint + L")\n");
    return code;
}

// Why a file named on the command line could not be read, from the system error.
std::wstring ReadFailure(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return L"there is no such file";
    case ERROR_ACCESS_DENIED:
        return L"access is denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return L"another program is using it";
    default:
        return L"error " + std::to_wstring(error);
    }
}

// A file named on the command line read whole, up to `largest` bytes; false with `error` saying why not.
bool ReadWholeFile(const std::wstring& path, long long largest, const std::wstring& what, std::string& bytes,
                   std::wstring& error) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) {
        error = L"cannot read " + what + L" " + path + L": " + ReadFailure(::GetLastError());
        return false;
    }
    if (size.QuadPart > largest) {
        error = what + L" " + path + L" is larger than " + std::to_wstring(largest / (1024 * 1024)) +
                L" MB, more than " + what + L" may hold";
        return false;
    }
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size())) {
        error = L"cannot read " + what + L" " + path + L": " + ReadFailure(::GetLastError());
        return false;
    }
    return true;
}

// Text from a file's bytes: UTF-16 after its mark in either byte order, UTF-8 after its mark, else
// `codePage`.
std::wstring DecodeText(const std::string& bytes, UINT codePage) {
    if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        const bool bigEndian = bytes[0] == '\xFE';
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned char first = static_cast<unsigned char>(bytes[i]),
                                second = static_cast<unsigned char>(bytes[i + 1]);
            text += static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
        }
        return text;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return win::FromMultiByte(CP_UTF8, bytes.substr(3));
    return win::FromMultiByte(codePage, bytes);
}

// Arguments with each @FILE replaced by the lines of that file (UTF-8 unless it starts with a byte-order
// mark). A file does not name further files: a line that starts with @ is refused, not taken as a printer.
bool ExpandResponseFiles(int argc, wchar_t** argv, std::vector<std::wstring>& arguments,
                         std::wstring& error) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.size() < 2 || argument[0] != L'@') {
            arguments.push_back(argument);
            continue;
        }
        const std::wstring path = argument.substr(1);
        std::string bytes;
        if (!ReadWholeFile(path, 16 * 1024 * 1024, L"the argument file", bytes, error))
            return false;
        const std::wstring text = DecodeText(bytes, CP_UTF8);
        size_t number = 0;
        for (const std::wstring& line : SplitLines(text)) {
            ++number;
            const std::wstring where = L"the argument file " + path + L", line " + std::to_wstring(number);
            if (line.find(L'\0') != std::wstring::npos) {
                error = where + L", holds a NUL character: an argument file is text, one argument a line";
                return false;
            }
            if (line.size() > 1 && line[0] == L'@') {
                error = where + L", names another argument file (" + line +
                        L"); argument files do not include others";
                return false;
            }
            if (!line.empty())
                arguments.push_back(line);
        }
    }
    return true;
}

// When and where, for the JSON records.
Origin Now() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = ::GetTimeZoneInformation(&zone);
    const long bias = zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT   ? zone.DaylightBias
                                   : kind == TIME_ZONE_ID_STANDARD ? zone.StandardBias
                                                                   : 0);
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ::GetComputerNameW(name, &size);
    return {FormatTimestamp(
                {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, bias}),
            name};
}

std::wstring Json(const PrinterResult& r, const std::wstring& operation, IStringSource& strings) {
    return win::FromMultiByte(CP_UTF8, ctl::Json(r, operation, strings, Now()));
}

// A configuration file's text as the private-profile functions read it: UTF-16 after its mark, else the ANSI
// code page (UTF-8 after its mark). False, with `error` saying why, when it cannot be read or is too large to
// be one.
bool ReadConfigText(const std::wstring& path, std::wstring& text, std::wstring& error) {
    std::string bytes;
    if (!ReadWholeFile(path, 1024 * 1024, L"the configuration file", bytes, error))
        return false;
    text = DecodeText(bytes, CP_ACP);
    return true;
}

// What sits on a USB port, as its IEEE 1284 id says: "manufacturer model", that a device is there whose model
// is not known, that nothing is, or "-" when it cannot be asked (the simulator link).
std::wstring DeviceOn(const std::wstring& port) {
    std::string raw;
    switch (QueryDeviceId(port, raw)) {
    case DeviceIdAnswer::kId: {
        DeviceId id;
        if (!ParseDeviceId(reinterpret_cast<const uint8_t*>(raw.data()), raw.size(), id))
            return L"connected, model unknown";
        const std::string text =
            id.manufacturer + (id.manufacturer.empty() || id.model.empty() ? "" : " ") + id.model;
        return win::FromMultiByte(CP_UTF8, text);
    }
    case DeviceIdAnswer::kConnected:
        return L"connected, model unknown";
    case DeviceIdAnswer::kNothing:
        return L"nothing connected";
    default:
        return L"-";
    }
}

int ListPrinters(const Context& context) {
    std::vector<InstalledPrinter> printers;
    if (!ListLocalPrinters(printers))
        return Fail(kExitUnexpected, L"the spooler did not list its printers (error " +
                                         std::to_wstring(::GetLastError()) + L")");
    struct Row {
        std::wstring name, model, port, can, device;
        bool supported, usb, offline;
    };
    std::vector<Row> rows;
    std::map<std::wstring, std::wstring> devices; // port in lower case -> what sits on it
    std::vector<std::wstring> names;
    for (const InstalledPrinter& p : printers)
        names.push_back(p.name);
    std::vector<std::wstring> unmatched;
    const std::vector<std::wstring> named =
        SelectPrinters(names, context.options.printers, context.options.printers.empty(), unmatched);
    for (const InstalledPrinter& p : printers) {
        if (std::find(named.begin(), named.end(), p.name) == named.end())
            continue;
        const bool supported = FindModel(context.catalogue, p.driver) != nullptr;
        if (!supported && !context.options.all)
            continue;
        const bool usb = IsUsbPortName(p.port);
        // One thing in the last column: what this tool can do with the printer.
        const std::wstring can = !supported ? L"unsupported: the driver is no supported model"
                                 : !usb     ? L"unreachable: not on a USB port"
                                            : L"ready";
        std::wstring device = L"-";
        if (usb) {
            // Printers that share a port share its device: it is asked once.
            const auto known = devices.find(LowerCase(p.port));
            device = known != devices.end() ? known->second : (devices[LowerCase(p.port)] = DeviceOn(p.port));
        }
        rows.push_back({p.name, p.driver, p.port, can, device, supported, usb, p.workOffline});
    }
    std::sort(rows.begin(), rows.end(),
              [](const Row& a, const Row& b) { return LowerCase(a.name) < LowerCase(b.name); });
    if (context.options.json) {
        const Origin origin = Now();
        for (const Row& row : rows) {
            JsonObject object;
            object.Add("printer", row.name)
                .Add("model", row.model)
                .Add("port", row.port)
                .Add("operation", L"list")
                .Add("status", row.supported && row.usb ? L"ok" : L"failed")
                .Add("code", 0)
                .Add("message", row.can)
                .AddBool("ok", row.supported && row.usb)
                .Add("time", origin.time)
                .Add("computer", origin.computer)
                .Add("device", row.device)
                .AddBool("supported", row.supported)
                .AddBool("usb", row.usb)
                .AddBool("offline", row.offline);
            Out().Write(win::FromMultiByte(CP_UTF8, object.Text()) + L"\n");
        }
    } else if (!rows.empty()) {
        size_t width[4] = {7, 5, 4, 6};
        for (Row& row : rows) {
            row.name = Printable(row.name), row.model = Printable(row.model), row.port = Printable(row.port);
            width[0] = std::max(width[0], row.name.size());
            width[1] = std::max(width[1], row.model.size());
            width[2] = std::max(width[2], row.port.size());
            width[3] = std::max(width[3], row.device.size());
        }
        auto pad = [](std::wstring text, size_t to) {
            text.resize(to, L' ');
            return text;
        };
        // The queue's state has a column of its own: the tool talks to the printer, not through the queue.
        Out().Write(pad(L"PRINTER", width[0]) + L"  " + pad(L"MODEL", width[1]) + L"  " +
                    pad(L"PORT", width[2]) + L"  " + pad(L"DEVICE", width[3]) + L"  QUEUE    STATE\n");
        for (const Row& row : rows)
            Out().Write(pad(row.name, width[0]) + L"  " + pad(row.model, width[1]) + L"  " +
                        pad(row.port, width[2]) + L"  " + pad(row.device, width[3]) + L"  " +
                        (row.offline ? L"offline  " : L"online   ") + row.can + L"\n");
    }
    if (!unmatched.empty())
        return Fail(kExitNoMatch, L"no installed printer matches '" + unmatched.front() + L"'");
    return rows.empty() ? kExitNoMatch : kExitOk;
}

// settings: every setting the command line may name, with its choices; with --model, that model's only.
int ListSettings(const Context& context) {
    std::wstring model = context.options.model;
    if (!model.empty()) {
        const ModelRecord* found = FindModelNamed(context.catalogue, model);
        if (!found)
            return Fail(kExitUsage,
                        L"no model '" + model + L"'; the models are " + ModelNames(context.catalogue),
                        L"usage: lxdevctl settings [--model NAME]");
        model = found->name; // the catalogue's spelling, which the model's rows are known by
    }
    const ModelFeatures features = FeaturesOf(model);
    const std::vector<SettingChoices> settings = KnownSettings(*context.platform, *context.strings);
    for (size_t row = 0; row < settings.size(); ++row)
        if (model.empty() || TakesPart(row, features))
            Out().Write(settings[row].name + L": " + DescribeChoices(settings[row]) + L"\n");
    return kExitOk;
}

// What a run needs from Windows: the spooler, the file system, the printers and the clock.
class Win32RunHost : public IRunHost {
public:
    explicit Win32RunHost(const Context& context) : context_(context) {}
    bool ListPrinters(std::vector<InstalledPrinter>& printers, uint32_t& error) override {
        const bool listed = ListLocalPrinters(printers);
        error = listed ? 0 : ::GetLastError();
        return listed;
    }
    int32_t OutputProblem(const std::wstring& path) override { return OutputTargetProblem(path); }
    bool FolderTakesNewFile(const std::wstring& path) override {
        const std::wstring probe = CreateTempFileBeside(path);
        if (probe.empty())
            return false;
        ::DeleteFileW(probe.c_str());
        return true;
    }
    bool ReadConfigText(const std::wstring& path, std::wstring& text, std::wstring& error) override {
        return ctl::ReadConfigText(path, text, error);
    }
    PrinterResult RunOnPrinter(const PlannedPrinter& printer) override {
        return ctl::RunOnPrinter(context_, printer);
    }
    double Seconds() override { return ctl::Seconds(); }

private:
    const Context& context_;
};

int RunCommandFile(Context& context, IStringSource& strings) {
    const Options& o = context.options;
    const ModelRecord* model = FindModelNamed(context.catalogue, o.model);
    if (!model)
        return Fail(kExitUsage,
                    L"no model '" + o.model + L"'; the models are " + ModelNames(context.catalogue),
                    L"lxdevctl settings lists each model's settings");
    context.options.model = model->name; // the catalogue's spelling from here on
    if (!FeaturesOf(o.model).commandFile)
        return Fail(kExitUsage, L"command files are made for the model that takes them, not for " + o.model,
                    L"lxdevctl help command-file");
    Win32RunHost host(context);
    const std::wstring reason = CheckConfigFileFor(context, host, o.model);
    if (!reason.empty())
        return Fail(kExitUsage, reason + L"; nothing was written", SettingsHint(o.model, reason));
    const std::wstring outputs = CheckOutputs(context, host, {});
    if (!outputs.empty())
        return Fail(kExitUsage, outputs + L"; nothing was written");
    PrinterResult r = BuildCommandFileFor(context);
    r.printer = o.out;
    Out().Write(o.json ? Json(r, L"command-file", strings) : Describe(r, L"command-file", strings));
    return r.ok ? kExitOk : kExitFailed;
}

int RunOnPrinters(Context& context, IStringSource& strings) {
    const Options& o = context.options;
    Win32RunHost host(context);
    std::vector<PlannedPrinter> plan;
    if (const Refusal refused = PlanRun(context, host, plan))
        return Fail(refused.exitCode, refused.message, refused.hint);
    const std::wstring operation = CommandName(o.command);
    const bool progress = Err().IsConsole() && !o.json;
    RunEvents events;
    // On a console, one line on standard error says how far the run is and which printers are under way.
    events.progress = [&](size_t finished, size_t total, const std::vector<std::wstring>& running) {
        g_running = static_cast<int>(running.size());
        if (!progress)
            return;
        std::wstring line =
            L"\r\x1b[K" + std::to_wstring(finished) + L"/" + std::to_wstring(total) + L" done";
        if (!running.empty()) {
            line += L"; running:";
            for (const std::wstring& name : running)
                line += L" '" + Printable(name) + L"'";
        }
        Err().Write(line);
    };
    // JSON records go out as they come, for a collector; text waits to be printed in name order.
    if (o.json)
        events.finished = [&](const PrinterResult& r) { Out().Write(Json(r, operation, strings)); };
    const RunOutcome outcome = ExecuteRun(plan, host, g_interrupted, events);
    if (progress)
        Err().Write(L"\r\x1b[K");
    if (!o.json)
        for (const PrinterResult& r : outcome.results)
            Out().Write(Describe(r, operation, strings));
    (o.json ? Err() : Out()).Write(Summary(o.command, plan.size(), outcome) + L"\n");
    return ExitCodeOf(outcome);
}

int Main(int argc, wchar_t** argv) {
    std::vector<std::wstring> arguments;
    std::wstring error;
    if (!ExpandResponseFiles(argc, argv, arguments, error))
        return Fail(kExitUsage, error);
    const ParseResult parsed = ParseArguments(arguments);
    if (arguments.empty()) {
        // A script that forgot its arguments learns it from the exit code, a person from the usage.
        Err().Write(ShortUsage());
        return kExitUsage;
    }
    if (!parsed.error.empty())
        return Fail(kExitUsage, parsed.error, parsed.hint);
    if (parsed.options.version) {
        Out().Write(L"lxdevctl " LX_VERSION_TEXT L"\n");
        return kExitOk;
    }
    if (parsed.options.command == ops::Id::kHelp) {
        Out().Write(HelpText(parsed.options.helpTopic));
        return kExitOk;
    }

    // The settings, last-settings and language files are lxdevset's, beside this program.
    const std::wstring self = ProgramPath();
    if (self.empty())
        return Fail(kExitUsage,
                    L"this program's path is 260 characters or longer; lxdevctl and lxdevset must be "
                    L"installed in a folder with a shorter path");
    SetProgramPath(self.substr(0, self.find_last_of(L'\\') + 1) + L"lxdevset.exe");
    const std::wstring settings = GetSettingsFilePath();
    if (settings.empty())
        return Fail(kExitUsage, L"the settings file lxdevset.ini cannot be found beside this program");
    Context context;
    context.options = parsed.options;
    // Paths are taken from the current folder, as the user means them, before anything else reads them.
    context.options.file = FullPath(context.options.file);
    context.options.out = FullPath(context.options.out);
    context.catalogue = BuildModelCatalogue(settings);
    if (context.catalogue.empty())
        return Fail(kExitUsage, L"the settings file names no model");
    std::wstring languageCode;
    win::Module library;
    if (!OpenLanguageLibrary(settings, languageCode, library))
        return Fail(kExitUsage, L"the language library cannot be found in res\\ beside this program");
    if (ops::Find(context.options.command).needsAdministrator && !IsUserAdministrator())
        return Fail(kExitNoRights,
                    CommandName(context.options.command) +
                        L" changes printers and lxdevset's files and needs administrator rights; "
                        L"run it from an elevated prompt. Nothing was sent");
    ModuleStrings strings(library.get());
    context.services = Win32CommServices();
    context.platform = &TheItemPlatform();
    context.strings = &strings;
    ::SetConsoleCtrlHandler(&OnConsoleControl, TRUE);
    switch (context.options.command) {
    case ops::Id::kList:
        return ListPrinters(context);
    case ops::Id::kCommandFile:
        return RunCommandFile(context, strings);
    case ops::Id::kSettings:
        return ListSettings(context);
    default:
        return RunOnPrinters(context, strings);
    }
}

} // namespace
} // namespace ctl

int wmain(int argc, wchar_t** argv) {
    RestrictLibrarySearch();
    try {
        return ctl::Main(argc, argv);
    } catch (const std::exception& e) {
        // Out of memory or the like: the one place that says so, with its own exit code.
        return ctl::Fail(ctl::kExitUnexpected, L"an unexpected failure stopped the run (" +
                                                   win::FromMultiByte(CP_ACP, e.what()) + L")");
    } catch (...) {
        return ctl::Fail(ctl::kExitUnexpected, L"an unexpected failure stopped the run");
    }
}
