// The commands both front ends offer, one row each: what the window asks and shows, what the console takes
// and says about it, the administrator and last-settings rules. Adding a command is one row here, its worker
// in operations_win.cpp, and the handler of the front end that offers it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ops {

// In the order the console's help lists them; the window's own (export, import) last.
enum class Id {
    kList,
    kGet,
    kApply,
    kVerify,
    kReport,
    kReset,
    kDeleteTemplates,
    kDeleteLog,
    kSaveLog,
    kCommandFile,
    kSettings,
    kHelp,
    kExport,
    kImport,
    kCount
};
constexpr size_t kOperationCount = static_cast<size_t>(Id::kCount);

// What the operation does with the setting items of the rows shown.
enum class Items {
    kNone,     // works without them
    kAny,      // takes them as they are, none included
    kRequired, // refused with 5023 when no row takes part
};

// The console's options, as a command takes or needs them.
enum Option : unsigned {
    kPrinters = 1u << 0, // printer names, patterns or --all
    kFile = 1u << 1,     // --file
    kOut = 1u << 2,      // --out
    kModel = 1u << 3,    // --model
    kSet = 1u << 4,      // --set
    kWhatIf = 1u << 5,   // --what-if
    kYes = 1u << 6,      // --yes
};

struct Operation {
    Id id;
    // The console: its name (null for the window's own), usage, what it does, an example and how long it
    // takes; the options it takes and those it needs (kYes for what cannot be undone).
    const wchar_t* name;
    const wchar_t* usage;
    const wchar_t* summary;
    const wchar_t* example;
    const wchar_t* duration;
    unsigned takes;
    unsigned needs;
    // The window: the question asked before anything happens (0 for none), the progress dialog's caption (0
    // runs on the calling thread), and whether it says nothing when it succeeds.
    uint32_t confirmation;
    uint32_t progressCaption;
    bool quietOnSuccess;
    int32_t success;         // the result code of success
    bool needsAdministrator; // it changes printers or lxdevset's files
    bool savesLastSettings;  // success writes the model's last-settings file from the job's items
    Items items;
};

// Every row, in the order of the ids.
const std::array<Operation, kOperationCount>& All();
// The row of an id.
inline const Operation& Find(Id id) {
    return All()[static_cast<size_t>(id)];
}
// The row of a console name (letter case ignored); null when none.
const Operation* FindByName(const std::wstring& name);
inline bool WorksOnPrinters(const Operation& operation) {
    return (operation.needs & kPrinters) != 0;
}

} // namespace ops
