// The command table.
#include "ops/operations.h"

#include "core/resource.h"
#include "core/result_codes.h"
#include "core/rules.h"

namespace ops {
namespace {

constexpr unsigned kPrinterCommand = kPrinters;
constexpr unsigned kCannotBeUndone = kPrinters | kYes;

// clang-format off
constexpr std::array<Operation, kOperationCount> kOperations = {{
    {Id::kList, L"list", L"list [PRINTERS] [--all]",
     L"The installed printers whose driver is a supported model (or those the patterns name), with model, port\n"
     L"and what this tool can do with each.\n"
     L"  --all   also the other printers, and why each is not supported.",
     L"lxdevctl list \"Warehouse *\" --all", L"at once",
     kPrinters, 0,
     0, 0, false, result::kNone, false, false, Items::kNone},
    {Id::kGet, L"get", L"get PRINTERS [--out FILE.dat]",
     L"Reads the current settings and prints them as NAME=CHOICE lines that --set takes back.\n"
     L"  --out FILE.dat   also writes them as a configuration file that lxdevset imports; with several\n"
     L"                   printers put {printer} in the name.",
     L"lxdevctl get \"Front Desk\" --out master.dat", L"about a second a printer",
     kPrinters | kOut, kPrinterCommand,
     0, IDS_PROGRESS_GETTING, false, result::kGetDone, false, false, Items::kRequired},
    {Id::kApply, L"apply", L"apply PRINTERS (--file FILE.dat | --set NAME=CHOICE ...) [--what-if]",
     L"Reads the current settings, changes them as told and applies them; the printer's answers are checked\n"
     L"against what was sent, and lxdevset's last-settings file of the model is written after success. A\n"
     L"printer that already has the settings is left alone. Each line shows the settings before -> after.\n"
     L"  --file FILE.dat      the settings of a configuration file (checked before any printer is contacted)\n"
     L"  --set NAME=CHOICE    one setting, by the choice's text as get prints it (letter case ignored) or by\n"
     L"                       its index written #N (Calibration=0 is the text 0, Calibration=#0 is +3);\n"
     L"                       repeatable\n"
     L"  --what-if            reads and prints what would change; writes nothing",
     L"lxdevctl apply \"Warehouse *\" --set AutoOffAc=\"2 Hours\" --set Calibration=+1",
     L"about two seconds a printer (the printer takes one second to store the values)",
     kPrinters | kFile | kSet | kWhatIf, kPrinterCommand,
     0, IDS_PROGRESS_APPLYING, false, result::kApplyDone, true, true, Items::kRequired},
    {Id::kVerify, L"verify", L"verify PRINTERS --file FILE.dat",
     L"Reads the current settings and compares them with a configuration file; prints the differences.\n"
     L"Changes nothing. Each printer's status is matches, differs or unchecked (it could not be read).",
     L"lxdevctl verify --all --file master.dat --json", L"about a second a printer",
     kPrinters | kFile, kPrinterCommand | kFile,
     0, 0, false, result::kGetDone, false, false, Items::kRequired},
    {Id::kReport, L"report", L"report PRINTERS",
     L"Asks the printer to print its information report on its own paper.", L"lxdevctl report \"Front Desk\"",
     L"about a second a printer, then the printer prints",
     kPrinters, kPrinterCommand,
     IDS_CONFIRM_REPORT, 0, false, result::kCommandDone, false, false, Items::kNone},
    {Id::kReset, L"reset", L"reset PRINTERS --yes",
     L"Returns the printer to its factory settings and reads them back. Cannot be undone.",
     L"lxdevctl reset \"Front Desk\" --yes", L"about 20 seconds a printer",
     kPrinters | kYes, kCannotBeUndone,
     IDS_CONFIRM_RESET, IDS_PROGRESS_RESETTING, false, result::kResetDone, true, false, Items::kAny},
    {Id::kDeleteTemplates, L"delete-templates", L"delete-templates PRINTERS --yes",
     L"Deletes the templates and the database stored on the printer. Cannot be undone.",
     L"lxdevctl delete-templates \"Warehouse *\" --yes", L"about 17 seconds a printer (16 s the printer works)",
     kPrinters | kYes, kCannotBeUndone,
     IDS_CONFIRM_DELETE_TEMPLATES, IDS_PROGRESS_DELETING, false, result::kDataDeleted, true, false, Items::kNone},
    {Id::kDeleteLog, L"delete-log", L"delete-log PRINTERS --yes",
     L"Deletes the printer's print log. Cannot be undone.", L"lxdevctl delete-log \"Warehouse *\" --yes",
     L"about 17 seconds a printer (16 s the printer works)",
     kPrinters | kYes, kCannotBeUndone,
     IDS_CONFIRM_DELETE_LOG, IDS_PROGRESS_DELETING, false, result::kDataDeleted, true, false, Items::kNone},
    {Id::kSaveLog, L"save-log", L"save-log PRINTERS --out FILE.csv",
     L"Saves the printer's print log as a CSV file (UTF-8); with several printers put {printer} in the name.",
     L"lxdevctl save-log --all --out \"logs\\{printer}.csv\"", L"about a second for every 8,000 records",
     kPrinters | kOut, kPrinterCommand | kOut,
     0, IDS_PROGRESS_RETRIEVING_DATA, false, result::kFileCreated, false, false, Items::kNone},
    {Id::kCommandFile, L"command-file", L"command-file --model NAME --file FILE.dat --out FILE.bin",
     L"Builds a command file from a configuration file without a printer (for the model that has them).",
     L"lxdevctl command-file --model \"Korvale LX-450W\" --file master.dat --out lx-450wut.bin", L"at once",
     kModel | kFile | kOut, kModel | kFile | kOut,
     0, 0, true, result::kFileCreated, false, true, Items::kRequired},
    {Id::kSettings, L"settings", L"settings [--model NAME]",
     L"Every setting's name and its choices, as text and as #index; with --model, that model's settings.",
     L"lxdevctl settings --model \"Korvale LX-410\"", L"at once",
     kModel, 0,
     0, 0, false, result::kNone, false, false, Items::kNone},
    {Id::kHelp, L"help", L"help [COMMAND]",
     L"The commands, or one command's usage, example and duration.", L"lxdevctl help apply", L"at once",
     0, 0,
     0, 0, false, result::kNone, false, false, Items::kNone},
    {Id::kExport, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
     0, 0, true, result::kExportDone, false, true, Items::kRequired},
    {Id::kImport, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
     0, 0, true, result::kImportDone, false, false, Items::kAny},
}};
// clang-format on

constexpr bool EveryIdHasItsRow() {
    for (size_t i = 0; i < kOperationCount; ++i)
        if (static_cast<size_t>(kOperations[i].id) != i)
            return false;
    return true;
}
static_assert(EveryIdHasItsRow(), "the rows of kOperations are in the order of their ids, one row each");

} // namespace

const std::array<Operation, kOperationCount>& All() {
    return kOperations;
}

const Operation* FindByName(const std::wstring& name) {
    for (const Operation& operation : kOperations)
        if (operation.name && EqualIgnoringCase(name, operation.name))
            return &operation;
    return nullptr;
}

} // namespace ops
