// lxdevctl: the console companion of lxdevset for administrators who set up many printers from scripts.
#include "app/settings/dll_search_win.h"
#include "app/settings/settings_win.h"
#include "comm/port/port.h"
#include "comm/services_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/printers.h"
#include "core/rules.h"
#include "ctl/arguments.h"
#include "ctl/config_check.h"
#include "ctl/json.h"
#include "ctl/operations_win.h"
#include "ctl/selection.h"
#include "ops/operations_win.h"
#include "items/memory_items.h"
#include "items/platform_win.h"
#include "win/handles.h"
#include "win/text.h"

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

int Fail(int code, const std::wstring& message, const std::wstring& hint = {}) {
    Err().Write(L"lxdevctl: " + message + L"\n");
    if (!hint.empty())
        Err().Write(L"(" + hint + L")\n");
    return code;
}

// Arguments with each @FILE replaced by the lines of that file.
bool ExpandResponseFiles(int argc, wchar_t** argv, std::vector<std::wstring>& arguments,
                         std::wstring& error) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.size() < 2 || argument[0] != L'@') {
            arguments.push_back(argument);
            continue;
        }
        win::FileHandle file(::CreateFileW(argument.c_str() + 1, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 16 * 1024 * 1024) {
            error = L"cannot read the argument file " + argument.substr(1);
            return false;
        }
        std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (!bytes.empty() &&
            (!::ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
             got != bytes.size())) {
            error = L"cannot read the argument file " + argument.substr(1);
            return false;
        }
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
            bytes.erase(0, 3);
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\n', start);
            if (end == std::string::npos)
                end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                arguments.push_back(win::FromMultiByte(CP_UTF8, line));
            start = end + 1;
        }
    }
    return true;
}

std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\n' || c == L'\r')
            c = L' ';
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text;
}

std::string Utf8(const std::wstring& text) {
    return win::ToMultiByte(CP_UTF8, text);
}

std::string ValueJson(const ItemValue& v) {
    return JsonObject().Add("item", Utf8(v.item)).Add("index", v.index).Add("text", Utf8(v.text)).Text();
}

// A value as --set takes it back: the choice's text, quoted when it holds a blank.
std::wstring SetForm(const ItemValue& v) {
    const bool quote = v.text.find_first_of(L" \t") != std::wstring::npos;
    return v.item + L"=" + (quote ? L"\"" + v.text + L"\"" : v.text);
}

std::wstring Describe(const PrinterResult& r, const std::wstring& operation, IStringSource& strings) {
    // A printer that differs, or could not be checked, is never shown with a success message.
    std::wstring message = r.status == L"differs" || r.status == L"unchanged" || r.status == L"would-change"
                               ? r.note
                               : OneLine(strings.LoadText(static_cast<uint32_t>(r.code)));
    if (!r.note.empty() && message != r.note)
        message += (message.empty() ? L"" : L" ") + std::wstring(L"(") + r.note + L")";
    wchar_t seconds[32];
    std::swprintf(seconds, 32, L"%.1f s", r.seconds);
    std::wstring word = r.ok                       ? L"ok"
                        : r.status == L"differs"   ? L"DIFFERS"
                        : r.status == L"unchecked" ? L"UNCHECKED"
                                                   : L"FAILED";
    word.resize(9, L' ');
    std::wstring line = word + r.printer + L" [" + r.model + L", " + r.port + L"] " + operation + L": " +
                        std::to_wstring(r.code) + L" " + message + L" (" + seconds + L")\n";
    if (!r.before.empty()) {
        for (size_t i = 0; i < r.before.size() && i < r.values.size(); ++i)
            if (r.before[i].index != r.values[i].index)
                line += L"    " + r.before[i].item + L": " + r.before[i].text + L" -> " + r.values[i].text +
                        L"\n";
    } else {
        for (const ItemValue& v : r.values)
            line += L"    " + SetForm(v) + L"\n";
    }
    for (const Difference& d : r.differences)
        line += L"    differs: " + d.item + L" is " + d.actual.text + L" (#" +
                std::to_wstring(d.actual.index) + L"), the file has " + d.expected.text + L" (#" +
                std::to_wstring(d.expected.index) + L")\n";
    return line;
}

// What every JSON record carries, so that records from many workstations merge: when and where.
struct Origin {
    std::string time, computer;
};

Origin Now() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = ::GetTimeZoneInformation(&zone);
    long bias = zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT   ? zone.DaylightBias
                             : kind == TIME_ZONE_ID_STANDARD ? zone.StandardBias
                                                             : 0);
    const long east = -bias;
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02ld:%02ld", local.wYear, local.wMonth,
                  local.wDay, local.wHour, local.wMinute, local.wSecond, east < 0 ? '-' : '+',
                  std::labs(east) / 60, std::labs(east) % 60);
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ::GetComputerNameW(name, &size);
    return {text, Utf8(name)};
}

std::string ValuesJson(const std::vector<ItemValue>& values) {
    std::string text = "[";
    for (const ItemValue& v : values)
        text += (text.size() > 1 ? "," : "") + ValueJson(v);
    return text + "]";
}

// The fields every record starts with, whatever the command.
JsonObject& Head(JsonObject& object, const std::wstring& printer, const std::wstring& model,
                 const std::wstring& port, const std::wstring& operation, const std::wstring& status) {
    return object.Add("printer", Utf8(printer))
        .Add("model", Utf8(model))
        .Add("port", Utf8(port))
        .Add("operation", Utf8(operation))
        .Add("status", Utf8(status));
}

std::wstring Json(const PrinterResult& r, const std::wstring& operation, IStringSource& strings) {
    std::string differences = "[";
    for (const Difference& d : r.differences)
        differences += (differences.size() > 1 ? "," : "") + JsonObject()
                                                                 .Add("item", Utf8(d.item))
                                                                 .AddRaw("expected", ValueJson(d.expected))
                                                                 .AddRaw("actual", ValueJson(d.actual))
                                                                 .Text();
    char seconds[32], started[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    std::snprintf(started, sizeof started, "%.3f", r.started);
    const Origin origin = Now();
    JsonObject object;
    Head(object, r.printer, r.model, r.port, operation, r.status)
        .Add("code", r.code)
        .Add("message", Utf8(OneLine(strings.LoadText(static_cast<uint32_t>(r.code)))))
        .AddBool("ok", r.ok)
        .AddNumberText("started", started)
        .AddNumberText("seconds", seconds)
        .Add("time", origin.time)
        .Add("computer", origin.computer)
        .AddRaw("before", ValuesJson(r.before))
        .AddRaw("values", ValuesJson(r.values))
        .AddRaw("differences", differences + "]")
        .Add("note", Utf8(r.note));
    return win::FromMultiByte(CP_UTF8, object.Text()) + L"\n";
}

// A configuration file's text as the private-profile functions read it: UTF-16 after its mark, else the ANSI
// code page (UTF-8 after its mark). False when it cannot be read or is too large to be one.
bool ReadConfigText(const std::wstring& path, std::wstring& text) {
    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 1024 * 1024)
        return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size()))
        return false;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text = win::FromMultiByte(CP_UTF8, bytes.substr(3));
    } else {
        text = win::FromMultiByte(CP_ACP, bytes);
    }
    return true;
}

// The configuration file of --file checked for one model as strictly as --set is; empty when sound.
std::wstring CheckConfigFileFor(const Context& context, const std::wstring& modelName) {
    std::wstring text;
    if (!ReadConfigText(context.options.file, text))
        return L"cannot read " + context.options.file;
    const MemoryItems rows(*context.platform, *context.strings);
    const ModelFeatures features = FeaturesOf(modelName);
    std::vector<SettingChoices> settings;
    for (const SettingChoices& s : KnownSettings(*context.platform, *context.strings)) {
        const ItemBinding* binding = rows.Find(s.name);
        if (binding && MemoryItems::TakesPart(*binding, features))
            settings.push_back(s);
    }
    const std::wstring reason = CheckConfigText(text, modelName, settings);
    return reason.empty() ? reason : context.options.file + L": " + reason;
}

std::wstring SettingsHint(const std::wstring& model, const std::wstring& reason) {
    if (reason.find(L"the file is for ") != std::wstring::npos)
        return L"select only printers of the file's model; lxdevctl list shows each printer's model";
    return L"lxdevctl settings --model \"" + model + L"\" lists the settings and choices its files may hold";
}

// The folder an output path (with {printer} in it or not) goes into must exist and take a new file.
std::wstring CheckOutputFolder(const std::wstring& out) {
    const std::wstring sample = OutputPathFor(out, L"x");
    const std::wstring folder = sample.substr(0, sample.find_last_of(L'\\') + 1);
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return L"the folder " + folder + L" of " + out + L" does not exist";
    wchar_t probe[MAX_PATH] = {};
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"lxd", 0, probe))
        return L"cannot write in the folder " + folder + L" of " + out;
    ::DeleteFileW(probe);
    return L"";
}

int ListPrinters(const Context& context) {
    std::vector<InstalledPrinter> printers;
    if (!ListLocalPrinters(printers))
        return Fail(kExitUnexpected, L"the spooler did not list its printers (error " +
                                         std::to_wstring(::GetLastError()) + L")");
    struct Row {
        std::wstring name, model, port, can;
        bool supported, usb, offline;
    };
    std::vector<Row> rows;
    std::vector<std::wstring> names;
    for (const InstalledPrinter& p : printers)
        names.push_back(p.name);
    std::vector<std::wstring> unmatched;
    const std::vector<std::wstring> named =
        SelectPrinters(names, context.options.printers, context.options.printers.empty(), unmatched);
    for (const InstalledPrinter& p : printers) {
        if (std::find(named.begin(), named.end(), p.name) == named.end())
            continue;
        bool supported = false;
        for (const ModelRecord& model : context.catalogue)
            supported = supported || model.name == p.driver;
        if (!supported && !context.options.all)
            continue;
        const bool usb = IsUsbPortName(p.port);
        // One thing in the last column: what this tool can do with the printer.
        const std::wstring can = !supported ? L"unsupported: the driver is no supported model"
                                 : !usb     ? L"unreachable: not on a USB port"
                                            : L"ready";
        rows.push_back({p.name, p.driver, p.port, can, supported, usb, p.workOffline});
    }
    std::sort(rows.begin(), rows.end(),
              [](const Row& a, const Row& b) { return LowerCase(a.name) < LowerCase(b.name); });
    if (context.options.json) {
        const Origin origin = Now();
        for (const Row& row : rows) {
            JsonObject object;
            Head(object, row.name, row.model, row.port, L"list", row.supported && row.usb ? L"ok" : L"failed")
                .Add("code", 0)
                .Add("message", Utf8(row.can))
                .AddBool("ok", row.supported && row.usb)
                .Add("time", origin.time)
                .Add("computer", origin.computer)
                .AddBool("supported", row.supported)
                .AddBool("usb", row.usb)
                .AddBool("offline", row.offline);
            Out().Write(win::FromMultiByte(CP_UTF8, object.Text()) + L"\n");
        }
    } else if (!rows.empty()) {
        size_t width[3] = {7, 5, 4};
        for (const Row& row : rows) {
            width[0] = std::max(width[0], row.name.size());
            width[1] = std::max(width[1], row.model.size());
            width[2] = std::max(width[2], row.port.size());
        }
        auto pad = [](std::wstring text, size_t to) {
            text.resize(to, L' ');
            return text;
        };
        // The queue's state has a column of its own: the tool talks to the printer, not through the queue.
        Out().Write(pad(L"PRINTER", width[0]) + L"  " + pad(L"MODEL", width[1]) + L"  " +
                    pad(L"PORT", width[2]) + L"  QUEUE    STATE\n");
        for (const Row& row : rows)
            Out().Write(pad(row.name, width[0]) + L"  " + pad(row.model, width[1]) + L"  " +
                        pad(row.port, width[2]) + L"  " + (row.offline ? L"offline  " : L"online   ") +
                        row.can + L"\n");
    }
    if (!unmatched.empty())
        return Fail(kExitNoMatch, L"no installed printer matches '" + unmatched.front() + L"'");
    return rows.empty() ? kExitNoMatch : kExitOk;
}

// settings: every setting the command line may name, with its choices; with --model, that model's only.
int ListSettings(const Context& context) {
    std::wstring model = context.options.model;
    bool known = model.empty();
    std::wstring models;
    for (const ModelRecord& m : context.catalogue) {
        models += (models.empty() ? L"" : L", ") + m.name;
        if (EqualIgnoringCase(m.name, model)) {
            known = true;
            model = m.name; // the catalogue's spelling, which the model's rows are known by
        }
    }
    if (!known)
        return Fail(kExitUsage, L"no model '" + model + L"'; the models are " + models,
                    L"usage: lxdevctl settings [--model NAME]");
    const MemoryItems rows(*context.platform, *context.strings);
    const ModelFeatures features = FeaturesOf(model);
    for (const SettingChoices& s : KnownSettings(*context.platform, *context.strings)) {
        const ItemBinding* binding = rows.Find(s.name);
        if (!model.empty() && !(binding && MemoryItems::TakesPart(*binding, features)))
            continue;
        Out().Write(s.name + L": " + DescribeChoices(s) + L"\n");
    }
    return kExitOk;
}

int RunCommandFile(Context& context, IStringSource& strings) {
    const Options& o = context.options;
    std::wstring models;
    bool known = false;
    for (const ModelRecord& model : context.catalogue) {
        models += (models.empty() ? L"" : L", ") + model.name;
        if (EqualIgnoringCase(model.name, o.model)) {
            known = true;
            context.options.model = model.name; // the catalogue's spelling from here on
        }
    }
    if (!known)
        return Fail(kExitUsage, L"no model '" + o.model + L"'; the models are " + models,
                    L"lxdevctl settings lists each model's settings");
    if (!FeaturesOf(o.model).commandFile)
        return Fail(kExitUsage, L"command files are made for the model that takes them, not for " + o.model,
                    L"lxdevctl help command-file");
    const std::wstring reason = CheckConfigFileFor(context, o.model);
    if (!reason.empty())
        return Fail(kExitUsage, reason + L"; nothing was written", SettingsHint(o.model, reason));
    PrinterResult r = BuildCommandFileFor(context);
    r.printer = o.out;
    Out().Write(o.json ? Json(r, L"command-file", strings) : Describe(r, L"command-file", strings));
    return r.ok ? kExitOk : kExitFailed;
}

int RunOnPrinters(Context& context, IStringSource& strings) {
    const Options& o = context.options;
    std::vector<InstalledPrinter> installed;
    if (!ListLocalPrinters(installed))
        return Fail(kExitUnexpected, L"the spooler did not list its printers (error " +
                                         std::to_wstring(::GetLastError()) + L"); nothing was sent");
    std::vector<std::wstring> available;
    std::map<std::wstring, const InstalledPrinter*> byName;
    for (const InstalledPrinter& p : installed) {
        for (const ModelRecord& model : context.catalogue) {
            if (model.name == p.driver) {
                available.push_back(p.name);
                byName.emplace(p.name, &p);
                break;
            }
        }
    }
    std::vector<std::wstring> unmatched;
    const std::vector<std::wstring> chosen = SelectPrinters(available, o.printers, o.all, unmatched);
    if (!unmatched.empty()) {
        std::wstring list;
        for (const std::wstring& u : unmatched)
            list += (list.empty() ? L"'" : L", '") + u + L"'";
        return Fail(kExitNoMatch,
                    L"no installed printer of a supported model matches " + list + L"; nothing was sent");
    }
    if (chosen.empty())
        return Fail(kExitNoMatch, L"no installed printer of a supported model; nothing was sent");

    std::vector<std::wstring> ports, drivers;
    std::vector<ModelFeatures> features;
    // Port and driver as the spooler listed them a moment ago; each printer's transaction asks the spooler
    // for its port again for itself.
    for (const std::wstring& name : chosen) {
        ports.push_back(byName[name]->port);
        drivers.push_back(byName[name]->driver);
        features.push_back(FeaturesOf(drivers.back()));
    }
    std::wstring error;
    if (o.command == Command::kApply && !ResolveSets(context, features, error))
        return Fail(kExitUsage, error + L"; nothing was sent",
                    L"lxdevctl settings lists every setting and its choices");
    // The file is checked for every model it will meet, before the first printer is contacted.
    std::vector<std::wstring> checkedModels;
    for (const std::wstring& name : chosen) {
        const std::wstring& model = byName[name]->driver;
        if (o.file.empty() ||
            std::find(checkedModels.begin(), checkedModels.end(), model) != checkedModels.end())
            continue;
        checkedModels.push_back(model);
        const std::wstring reason = CheckConfigFileFor(context, model);
        if (!reason.empty())
            return Fail(kExitUsage,
                        reason + (chosen.size() > 1 ? L" ('" + name + L"' is one)" : L"") +
                            L"; nothing was sent",
                        SettingsHint(model, reason));
    }

    const std::wstring operation = CommandName(o.command);
    std::mutex mutex;
    size_t finished = 0;
    std::vector<PrinterResult> results;
    std::vector<std::wstring> notStarted, running;
    const bool progress = Err().IsConsole() && !o.json;
    const double runStart = Seconds();
    // On a console, one line on standard error says how far the run is and which printers are under way.
    auto showProgress = [&] {
        std::wstring line =
            L"\r\x1b[K" + std::to_wstring(finished) + L"/" + std::to_wstring(chosen.size()) + L" done";
        if (!running.empty()) {
            line += L"; running:";
            for (const std::wstring& name : running)
                line += L" '" + name + L"'";
        }
        Err().Write(line);
    };
    auto worker = [&](const std::vector<size_t>& group) {
        for (size_t index : group) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (g_interrupted) {
                    notStarted.push_back(chosen[index]);
                    continue;
                }
                ++g_running;
                running.push_back(chosen[index]);
                if (progress)
                    showProgress();
            }
            const double started = Seconds() - runStart;
            PrinterResult r = RunOnPrinter(context, chosen[index], ports[index], drivers[index]);
            r.started = started;
            std::lock_guard<std::mutex> lock(mutex);
            --g_running;
            running.erase(std::find(running.begin(), running.end(), chosen[index]));
            ++finished;
            // JSON records go out as they come, for a collector; text waits to be printed in name order.
            if (o.json)
                Out().Write(Json(r, operation, strings));
            results.push_back(std::move(r));
            if (progress)
                showProgress();
        }
    };
    std::vector<std::thread> threads;
    for (const std::vector<size_t>& group : GroupByPort(ports))
        threads.emplace_back(worker, group);
    for (std::thread& t : threads)
        t.join();
    if (progress)
        Err().Write(L"\r\x1b[K");

    std::sort(results.begin(), results.end(), [](const PrinterResult& a, const PrinterResult& b) {
        return LowerCase(a.printer) < LowerCase(b.printer);
    });
    size_t succeeded = 0, differing = 0, unchecked = 0;
    std::wstring failedNames;
    for (const PrinterResult& r : results) {
        if (!o.json)
            Out().Write(Describe(r, operation, strings));
        succeeded += r.ok;
        differing += r.status == L"differs";
        unchecked += r.status == L"unchecked";
        if (!r.ok)
            failedNames += (failedNames.empty() ? L" (" : L", ") + std::wstring(L"'") + r.printer + L"'";
    }
    if (!failedNames.empty())
        failedNames += L")";
    const size_t failed = results.size() - succeeded;
    std::wstring summary =
        std::to_wstring(chosen.size()) + (chosen.size() == 1 ? L" printer: " : L" printers: ");
    if (o.command == Command::kVerify)
        summary += std::to_wstring(succeeded) + L" match, " + std::to_wstring(differing) + L" differ, " +
                   std::to_wstring(unchecked) + L" could not be checked" + failedNames;
    else
        summary +=
            std::to_wstring(succeeded) + L" succeeded, " + std::to_wstring(failed) + L" failed" + failedNames;
    if (!notStarted.empty()) {
        std::sort(notStarted.begin(), notStarted.end());
        summary += L", " + std::to_wstring(notStarted.size()) + L" not started (interrupted):";
        for (const std::wstring& name : notStarted)
            summary += L" '" + name + L"'";
    }
    (o.json ? Err() : Out()).Write(summary + L"\n");
    if (!notStarted.empty())
        return kExitInterrupted;
    if (unchecked > 0)
        return kExitUnchecked;
    return failed == 0 ? kExitOk : kExitFailed;
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
    if (parsed.options.command == Command::kHelp) {
        Out().Write(HelpText(parsed.options.helpTopic));
        return kExitOk;
    }
    if (parsed.options.command == Command::kVersion) {
        Out().Write(L"lxdevctl " LX_VERSION_TEXT L"\n");
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
    if (!context.options.out.empty()) {
        const std::wstring reason = CheckOutputFolder(context.options.out);
        if (!reason.empty())
            return Fail(kExitUsage, reason + L"; nothing was sent");
    }
    context.catalogue = BuildModelCatalogue(settings);
    if (context.catalogue.empty())
        return Fail(kExitUsage, L"the settings file names no model");
    std::wstring languageCode;
    win::Module library;
    if (!OpenLanguageLibrary(settings, languageCode, library))
        return Fail(kExitUsage, L"the language library cannot be found in res\\ beside this program");
    const ops::Operation* operation = ops::FindByName(CommandName(context.options.command));
    if (operation && operation->needsAdministrator && !IsUserAdministrator())
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
    case Command::kList:
        return ListPrinters(context);
    case Command::kCommandFile:
        return RunCommandFile(context, strings);
    case Command::kSettings:
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
