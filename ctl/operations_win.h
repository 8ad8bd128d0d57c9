// What the console companion does to one printer: each command as one call that returns a result for the
// output, built from the same transactions, files and items as the window.
#pragma once

#include "comm/transactions.h"
#include "core/model.h"
#include "core/rules.h"
#include "ctl/arguments.h"
#include "ctl/selection.h"
#include "items/item_platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

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
    // One word for scripts: "ok" or "failed"; verify: "matches", "differs" or "unchecked"; apply: "applied",
    // "unchanged" (it already had the settings), "would-change" (--what-if) or "failed".
    std::wstring status;
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

// Seconds on a steady clock.
double Seconds();

// Runs the command on one printer of a supported model, whose port and driver the spooler listed.
PrinterResult RunOnPrinter(const Context& context, const std::wstring& printer, const std::wstring& port,
                           const std::wstring& driver);

// command-file: builds the file for the model named on the command line; a result with the code.
PrinterResult BuildCommandFileFor(const Context& context);

// The settings named on the command line, checked against the models the selected printers have: false with a
// message that lists what is valid.
bool ResolveSets(Context& context, const std::vector<ModelFeatures>& models, std::wstring& error);

// The setting keys and choice texts the command line may name.
std::vector<SettingChoices> KnownSettings(IItemPlatform& platform, IStringSource& strings);

} // namespace ctl
