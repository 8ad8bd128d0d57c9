// Parsing and checking the console companion's command line; the help texts.
#include "ctl/arguments.h"

#include "core/rules.h"

namespace ctl {
namespace {

struct CommandInfo {
    Command command;
    const wchar_t* name;
    const wchar_t* usage;
    const wchar_t* summary;
    const wchar_t* example;
    const wchar_t* duration;
};

const CommandInfo kCommands[] = {
    {Command::kList, L"list", L"list [PRINTERS] [--all]",
     L"The installed printers whose driver is a supported model (or those the patterns name), with model, "
     L"port\n"
     L"and what this tool can do with each.\n"
     L"  --all   also the other printers, and why each is not supported.",
     L"lxdevctl list \"Warehouse *\" --all", L"at once"},
    {Command::kGet, L"get", L"get PRINTERS [--out FILE.dat]",
     L"Reads the current settings and prints them as NAME=CHOICE lines that --set takes back.\n"
     L"  --out FILE.dat   also writes them as a configuration file that lxdevset imports; with several\n"
     L"                   printers put {printer} in the name.",
     L"lxdevctl get \"Front Desk\" --out master.dat", L"about a second a printer"},
    {Command::kApply, L"apply", L"apply PRINTERS (--file FILE.dat | --set NAME=CHOICE ...) [--what-if]",
     L"Reads the current settings, changes them as told and applies them; the printer's answers are checked\n"
     L"against what was sent, and lxdevset's last-settings file of the model is written after success. A\n"
     L"printer that already has the settings is left alone. Each line shows the settings before -> after.\n"
     L"  --file FILE.dat      the settings of a configuration file (checked before any printer is "
     L"contacted)\n"
     L"  --set NAME=CHOICE    one setting, by the choice's text as get prints it (letter case ignored) or "
     L"by\n"
     L"                       its index written #N (Calibration=0 is the text 0, Calibration=#0 is +3);\n"
     L"                       repeatable\n"
     L"  --what-if            reads and prints what would change; writes nothing",
     L"lxdevctl apply \"Warehouse *\" --set AutoOffAc=\"2 Hours\" --set Calibration=+1",
     L"about two seconds a printer (the printer takes one second to store the values)"},
    {Command::kVerify, L"verify", L"verify PRINTERS --file FILE.dat",
     L"Reads the current settings and compares them with a configuration file; prints the differences.\n"
     L"Changes nothing. Each printer's status is matches, differs or unchecked (it could not be read).",
     L"lxdevctl verify --all --file master.dat --json", L"about a second a printer"},
    {Command::kReport, L"report", L"report PRINTERS",
     L"Asks the printer to print its information report on its own paper.", L"lxdevctl report \"Front Desk\"",
     L"about a second a printer, then the printer prints"},
    {Command::kReset, L"reset", L"reset PRINTERS --yes",
     L"Returns the printer to its factory settings and reads them back. Cannot be undone.",
     L"lxdevctl reset \"Front Desk\" --yes", L"about 20 seconds a printer"},
    {Command::kDeleteTemplates, L"delete-templates", L"delete-templates PRINTERS --yes",
     L"Deletes the templates and the database stored on the printer. Cannot be undone.",
     L"lxdevctl delete-templates \"Warehouse *\" --yes",
     L"about 17 seconds a printer (16 s the printer works)"},
    {Command::kDeleteLog, L"delete-log", L"delete-log PRINTERS --yes",
     L"Deletes the printer's print log. Cannot be undone.", L"lxdevctl delete-log \"Warehouse *\" --yes",
     L"about 17 seconds a printer (16 s the printer works)"},
    {Command::kSaveLog, L"save-log", L"save-log PRINTERS --out FILE.csv",
     L"Saves the printer's print log as a CSV file (UTF-8); with several printers put {printer} in the name.",
     L"lxdevctl save-log --all --out \"logs\\{printer}.csv\"", L"about a second for every 8,000 records"},
    {Command::kCommandFile, L"command-file", L"command-file --model NAME --file FILE.dat --out FILE.bin",
     L"Builds a command file from a configuration file without a printer (for the model that has them).",
     L"lxdevctl command-file --model \"Korvale LX-450W\" --file master.dat --out lx-450wut.bin", L"at once"},
    {Command::kSettings, L"settings", L"settings [--model NAME]",
     L"Every setting's name and its choices, as text and as #index; with --model, that model's settings.",
     L"lxdevctl settings --model \"Korvale LX-410\"", L"at once"},
    {Command::kHelp, L"help", L"help [COMMAND]",
     L"The commands, or one command's usage, example and duration.", L"lxdevctl help apply", L"at once"},
};

bool Same(const std::wstring& a, const wchar_t* b) {
    return EqualIgnoringCase(a, b);
}

const CommandInfo* Find(const std::wstring& name) {
    for (const CommandInfo& info : kCommands)
        if (Same(name, info.name))
            return &info;
    return nullptr;
}

const CommandInfo* Find(Command command) {
    for (const CommandInfo& info : kCommands)
        if (info.command == command)
            return &info;
    return nullptr;
}

// Options that take a value, and where it goes.
std::wstring* ValueSlot(Options& o, const std::wstring& option) {
    if (option == L"--file")
        return &o.file;
    if (option == L"--out")
        return &o.out;
    if (option == L"--model")
        return &o.model;
    return nullptr;
}

// Options that are switches, and where they go.
bool* SwitchSlot(Options& o, const std::wstring& option) {
    if (option == L"--all")
        return &o.all;
    if (option == L"--json")
        return &o.json;
    if (option == L"--yes")
        return &o.yes;
    if (option == L"--what-if")
        return &o.whatIf;
    return nullptr;
}

// An argument in its --name form when it is an option: letter case ignored, "/all" as "--all", "/?" and "-h"
// as "--help", "--out=FILE" split at the first '='. False for a printer name or pattern.
bool AsOption(const std::wstring& argument, std::wstring& name, std::wstring& value, bool& hasValue) {
    hasValue = false;
    if (argument.size() < 2 || (argument[0] != L'-' && argument[0] != L'/'))
        return false;
    name = LowerCase(argument);
    if (name == L"/?" || name == L"-?" || name == L"-h" || name == L"/h")
        name = L"--help";
    else if (name[0] == L'/')
        name = L"--" + name.substr(1);
    const size_t eq = name.find(L'=');
    if (name.compare(0, 2, L"--") == 0 && eq != std::wstring::npos) {
        value = argument.substr(eq); // the value keeps its letter case
        value.erase(0, 1);
        name.resize(eq);
        hasValue = true;
    }
    return true;
}

bool TakesPrinters(Command command) {
    return WorksOnPrinters(command) || command == Command::kList;
}

std::wstring Check(const Options& o) {
    const bool printers = !o.printers.empty() || (o.all && o.command != Command::kList);
    if (WorksOnPrinters(o.command) && !printers)
        return L"name the printers (names, patterns with * and ?, or --all)";
    if (!TakesPrinters(o.command) && printers)
        return CommandName(o.command) + L" works on no printer";
    switch (o.command) {
    case Command::kApply:
        if (o.file.empty() == o.sets.empty())
            return L"apply takes either --file or --set, not both and not neither";
        break;
    case Command::kVerify:
        if (o.file.empty())
            return L"verify needs --file";
        break;
    case Command::kReset:
    case Command::kDeleteTemplates:
    case Command::kDeleteLog:
        if (!o.yes)
            return CommandName(o.command) + L" cannot be undone: confirm with --yes";
        break;
    case Command::kSaveLog:
        if (o.out.empty())
            return L"save-log needs --out";
        break;
    case Command::kCommandFile:
        if (o.model.empty() || o.file.empty() || o.out.empty())
            return L"command-file needs --model, --file and --out";
        break;
    default:
        break;
    }
    const bool several = o.all || o.printers.size() > 1 ||
                         (o.printers.size() == 1 && o.printers[0].find_first_of(L"*?") != std::wstring::npos);
    if (several && !o.out.empty() && o.out.find(L"{printer}") == std::wstring::npos &&
        (o.command == Command::kGet || o.command == Command::kSaveLog))
        return L"with several printers --out needs {printer} in the file name";
    if (!o.file.empty() && o.command != Command::kApply && o.command != Command::kVerify &&
        o.command != Command::kCommandFile)
        return CommandName(o.command) + L" takes no --file";
    if (!o.out.empty() && o.command != Command::kGet && o.command != Command::kSaveLog &&
        o.command != Command::kCommandFile)
        return CommandName(o.command) + L" takes no --out";
    if (!o.model.empty() && o.command != Command::kCommandFile && o.command != Command::kSettings)
        return CommandName(o.command) + L" takes no --model";
    if (o.yes && o.command != Command::kReset && o.command != Command::kDeleteTemplates &&
        o.command != Command::kDeleteLog)
        return CommandName(o.command) + L" takes no --yes";
    if (o.whatIf && o.command != Command::kApply)
        return CommandName(o.command) + L" takes no --what-if";
    return {};
}

} // namespace

std::wstring CommandName(Command command) {
    const CommandInfo* info = Find(command);
    return info ? info->name : L"";
}

bool WorksOnPrinters(Command command) {
    return command != Command::kList && command != Command::kCommandFile && command != Command::kHelp &&
           command != Command::kSettings && command != Command::kVersion && command != Command::kNone;
}

ParseResult ParseArguments(const std::vector<std::wstring>& arguments) {
    ParseResult r;
    Options& o = r.options;
    const std::wstring general = L"lxdevctl --help lists the commands";
    std::wstring name, value;
    bool hasValue = false;
    // Options that stand before the command: --json for the whole run, --help and --version.
    size_t i = 0;
    for (; i < arguments.size() && AsOption(arguments[i], name, value, hasValue); ++i) {
        if (name == L"--help") {
            o.command = Command::kHelp;
            return r;
        }
        if (name == L"--version") {
            o.command = Command::kVersion;
            return r;
        }
        if (name != L"--json" || hasValue) {
            r.error = L"'" + arguments[i] + L"' cannot stand before the command";
            r.hint = general;
            return r;
        }
        o.json = true;
    }
    if (i == arguments.size()) {
        r.error = L"no command";
        r.hint = L"usage: lxdevctl COMMAND [PRINTERS] [OPTIONS]; " + general;
        return r;
    }
    const CommandInfo* command = Find(arguments[i]);
    if (!command) {
        r.error = L"unknown command '" + arguments[i] + L"'";
        r.hint = general;
        return r;
    }
    o.command = command->command;
    const std::wstring usage = L"usage: lxdevctl " + std::wstring(command->usage);
    auto refuse = [&](const std::wstring& error) {
        r.error = error;
        r.hint = usage;
        return r;
    };
    for (++i; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        if (o.command == Command::kHelp) {
            if (!o.helpTopic.empty() || !Find(a))
                return refuse(L"no help on '" + a + L"'");
            o.helpTopic = Find(a)->name;
            continue;
        }
        if (a.empty())
            return refuse(L"an empty printer name");
        if (!AsOption(a, name, value, hasValue)) {
            o.printers.push_back(a);
            continue;
        }
        if (name == L"--help") {
            o.helpTopic = command->name;
            o.command = Command::kHelp;
            return r;
        }
        if (bool* flag = SwitchSlot(o, name)) {
            if (hasValue)
                return refuse(name + L" takes no value");
            *flag = true;
            continue;
        }
        const bool isSet = name == L"--set";
        std::wstring* slot = isSet ? nullptr : ValueSlot(o, name);
        if (!isSet && !slot)
            return refuse(L"unknown option '" + a + L"'");
        if (!hasValue) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                return refuse(isSet ? L"--set needs NAME=CHOICE" : name + L" needs a value");
            value = arguments[++i];
        }
        if (isSet) {
            const size_t eq = value.find(L'=');
            if (eq == std::wstring::npos || eq == 0 || eq + 1 == value.size())
                return refuse(L"--set needs NAME=CHOICE, not '" + value + L"'");
            o.sets.push_back({value.substr(0, eq), value.substr(eq + 1)});
            continue;
        }
        if (value.empty())
            return refuse(name + L" needs a value");
        if (!slot->empty())
            return refuse(name + L" given twice");
        *slot = value;
    }
    if (o.command != Command::kHelp) {
        r.error = Check(o);
        if (!r.error.empty())
            r.hint = usage;
    }
    return r;
}

std::wstring ShortUsage() {
    return L"usage: lxdevctl COMMAND [PRINTERS] [OPTIONS]   (lxdevctl --help lists the commands)\n";
}

std::wstring HelpText(const std::wstring& topic) {
    if (!topic.empty()) {
        const CommandInfo* info = Find(topic);
        if (!info)
            return {};
        return L"usage: lxdevctl " + std::wstring(info->usage) + L"\n\n" + info->summary + L"\n\nexample: " +
               info->example + L"\ntakes: " + info->duration + L"\n";
    }
    std::wstring text = L"lxdevctl: the device settings of Korvale LX printers from the command line, for "
                        L"one printer or many.\n\n"
                        L"usage: lxdevctl [--json] COMMAND [PRINTERS] [OPTIONS]\n\ncommands:\n";
    for (const CommandInfo& info : kCommands)
        text += L"  " + std::wstring(info.usage) + L"\n";
    text +=
        L"\nPRINTERS: printer names or wildcard patterns over them (* and ?), letter case ignored, or "
        L"--all.\n"
        L"Several printers run in parallel, one at a time on each port. Commands and options ignore letter\n"
        L"case; --opt=value and /opt work as --opt value and --opt.\n\n"
        L"options: --json (one JSON object per printer on standard output), --help, help COMMAND, "
        L"--version;\n"
        L"         @FILE reads further arguments from FILE, one per line; paths are taken from the current\n"
        L"         folder.\n\n"
        L"exit codes:\n"
        L"  0  every printer succeeded (for verify: every printer matched the file)\n"
        L"  1  at least one printer failed (for verify: differed from the file); each printer's result is "
        L"in\n"
        L"     the output\n"
        L"  2  the command line or a file named on it was refused; nothing was sent\n"
        L"  3  no installed printer of a supported model matched\n"
        L"  4  the command needs administrator rights (apply, reset, delete-templates, delete-log)\n"
        L"  5  interrupted by Ctrl+C: the printers already started were finished, the others not started\n"
        L"  6  the run could not go on: the spooler would not list its printers, or a failure of lxdevctl's\n"
        L"     own\n"
        L"  7  verify: at least one printer could not be checked (none is reported as matching that was not\n"
        L"     read)\n";
    return text;
}

std::wstring FileNameFor(const std::wstring& printer) {
    std::wstring safe;
    for (wchar_t c : printer)
        safe += (c < 32 || c == 127 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) ? L'_' : c;
    // Windows drops trailing dots and blanks from a name: "." and ".." would name the folder itself or the
    // one above it, and "A." would be "A". They are kept, as underscores.
    for (size_t i = safe.size(); i > 0 && (safe[i - 1] == L'.' || safe[i - 1] == L' '); --i)
        safe[i - 1] = L'_';
    return safe.empty() ? L"_" : safe;
}

std::wstring OutputPathFor(const std::wstring& pattern, const std::wstring& printer) {
    const std::wstring safe = FileNameFor(printer);
    std::wstring out = pattern;
    for (size_t at = out.find(L"{printer}"); at != std::wstring::npos;
         at = out.find(L"{printer}", at + safe.size()))
        out.replace(at, 9, safe);
    return out;
}

} // namespace ctl
