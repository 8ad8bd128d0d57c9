// A console run over printers, without system calls: the plan (which printers, their models, the files the
// run will write and read, checked before anything is sent), the run itself (one worker per port, Ctrl+C),
// and the summary with the exit code. What touches the system comes in through IRunHost.
#pragma once

#include "comm/transactions.h"
#include "core/model.h"
#include "core/rules.h"
#include "ctl/arguments.h"
#include "ctl/selection.h"
#include "items/item_platform.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ctl {

// One printer's outcome in one word, for scripts.
enum class Status {
    kOk,
    kFailed,
    kApplied,     // apply: the settings were written and read back
    kUnchanged,   // apply: the printer already had them; nothing was written
    kWouldChange, // apply --what-if: what would change; nothing was written
    kMatches,     // verify
    kDiffers,     // verify
    kUnchecked,   // verify: the printer could not be read
};
// The word a status is printed as ("would-change").
const wchar_t* StatusName(Status status);

struct ItemValue {
    std::wstring item;
    int index = -1;
    std::wstring text;
};

struct Difference {
    std::wstring item;
    ItemValue expected, actual;
};

// One printer's outcome.
struct PrinterResult {
    std::wstring printer, model, port;
    int32_t code = 0; // the result code (a string-table id) of the printer's operation
    bool ok = false;  // succeeded (for verify: and matched the file)
    Status status = Status::kFailed;
    std::wstring note; // a word of the tool's own, for outcomes the result codes do not name
    std::vector<ItemValue> values;
    std::vector<ItemValue> before; // apply: the values read before anything was written
    std::vector<Difference> differences;
    double started = 0; // seconds from the start of the run
    double seconds = 0;
};

// What every operation needs: the catalogue, the platform and the texts of the language library.
struct Context {
    ModelCatalogue catalogue;
    CommServices services;
    IItemPlatform* platform = nullptr;
    IStringSource* strings = nullptr;
    Options options;
    std::vector<std::pair<std::wstring, int>> resolvedSets; // --set as item key and index
};

// One printer the run will work on, as the spooler listed it when the run began.
struct PlannedPrinter {
    std::wstring name, port;
    ModelRecord model;
};

// What the run asks of the system: Win32 in the program, fakes in the tests.
class IRunHost {
public:
    virtual ~IRunHost() = default;
    // The printers the spooler lists, in its order; false when it would not list them.
    virtual bool ListPrinters(std::vector<InstalledPrinter>& printers, uint32_t& error) = 0;
    // Why a file could not be written at `path` (a result code), or result::kNone.
    virtual int32_t OutputProblem(const std::wstring& path) = 0;
    // Whether the folder of `path` takes a new file.
    virtual bool FolderTakesNewFile(const std::wstring& path) = 0;
    // A configuration file named on the command line, as its text; false with `error` saying why not.
    virtual bool ReadConfigText(const std::wstring& path, std::wstring& text, std::wstring& error) = 0;
    // The command on one printer; called on the run's worker threads, one at a time on each port.
    virtual PrinterResult RunOnPrinter(const PlannedPrinter& printer) = 0;
    // Seconds on a steady clock.
    virtual double Seconds() = 0;
};

// Why a run was refused before anything was sent: its exit code, the message and what helps.
struct Refusal {
    int exitCode = kExitOk;
    std::wstring message;
    std::wstring hint;
    explicit operator bool() const { return exitCode != kExitOk; }
};

// The setting keys and choice texts the command line may name, in the order of the basic settings' table.
std::vector<SettingChoices> KnownSettings(IItemPlatform& platform, IStringSource& strings);

// The settings named on the command line, checked against the models the selected printers have: false with a
// message that lists what is valid.
bool ResolveSets(Context& context, const std::vector<ModelFeatures>& models, std::wstring& error);

// The configuration file of --file checked for one model as strictly as --set is; empty when sound.
std::wstring CheckConfigFileFor(const Context& context, IRunHost& host, const std::wstring& modelName);
// What helps after the check of a configuration file refused it.
std::wstring SettingsHint(const std::wstring& model, const std::wstring& reason);

// Every file the run will write (one per printer when --out has {printer}, else the one named) checked before
// the first printer is contacted: each can be written where it is named, no two printers write one file, and
// each folder takes a new file. Empty when sound; otherwise why, naming the path.
std::wstring CheckOutputs(const Context& context, IRunHost& host, const std::vector<std::wstring>& printers);

// The printers the command line selects among those of a supported model, and everything checked before the
// first of them is contacted; a refusal when the run cannot start.
Refusal PlanRun(Context& context, IRunHost& host, std::vector<PlannedPrinter>& plan);

// What happens while the printers run, for the front end to show.
struct RunEvents {
    // A printer was started or has ended: how many have ended and which are under way.
    std::function<void(size_t finished, size_t total, const std::vector<std::wstring>& running)> progress;
    // A printer has ended (called as each ends, under the run's lock).
    std::function<void(const PrinterResult& result)> finished;
};

struct RunOutcome {
    std::vector<PrinterResult> results;   // in the order of the printers' names
    std::vector<std::wstring> notStarted; // left when `interrupted` was set, in name order
};

// Runs every printer of the plan: one worker per port (GroupByPort), printers of a port one after another,
// and none started once `interrupted` is set.
RunOutcome ExecuteRun(const std::vector<PlannedPrinter>& plan, IRunHost& host,
                      const std::atomic<bool>& interrupted, const RunEvents& events = {});

// The summary line of a run ("3 printers: 2 succeeded, 1 failed ('Desk')") and its exit code.
std::wstring Summary(ops::Id command, size_t planned, const RunOutcome& outcome);
int ExitCodeOf(const RunOutcome& outcome);

} // namespace ctl
