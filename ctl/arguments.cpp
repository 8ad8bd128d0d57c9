// Parsing and checking the console companion's command line; the help texts.
#include "ctl/arguments.h"

namespace ctl {
namespace {

struct CommandInfo {
    Command command;
    const wchar_t* name;
    const wchar_t* usage;
    const wchar_t* summary;
};

const CommandInfo kCommands[] = {
    {Command::kList, L"list", L"list [--all]",
     L"The installed printers whose driver is a supported model, with model, port and whether the port is "
     L"USB.\n"
     L"  --all   also the other printers, and why each is not supported."},
    {Command::kGet, L"get", L"get PRINTERS [--out FILE.dat]",
     L"Reads the current settings and prints each setting's name, index and text.\n"
     L"  --out FILE.dat   also writes them as a configuration file that lxdevset imports; with several\n"
     L"                   printers put {printer} in the name."},
    {Command::kApply, L"apply", L"apply PRINTERS (--file FILE.dat | --set NAME=CHOICE ...)",
     L"Reads the current settings, changes them as told and applies them; the printer's answers are checked\n"
     L"against what was sent, and lxdevset's last-settings file of the model is written after success.\n"
     L"  --file FILE.dat      the settings of a configuration file (refused for a printer of another model)\n"
     L"  --set NAME=CHOICE    one setting, by the choice's text as get prints it (letter case ignored) or "
     L"by\n"
     L"                       its index written #N (Calibration=0 is the text 0, Calibration=#0 is +3);\n"
     L"                       repeatable"},
    {Command::kVerify, L"verify", L"verify PRINTERS --file FILE.dat",
     L"Reads the current settings and compares them with a configuration file; prints the differences.\n"
     L"Changes nothing. A printer that differs counts as failed."},
    {Command::kReport, L"report", L"report PRINTERS", L"Prints the printer's information report."},
    {Command::kReset, L"reset", L"reset PRINTERS --yes",
     L"Returns the printer to its factory settings (about 20 seconds) and reads them back."},
    {Command::kDeleteTemplates, L"delete-templates", L"delete-templates PRINTERS --yes",
     L"Deletes the templates and the database stored on the printer."},
    {Command::kDeleteLog, L"delete-log", L"delete-log PRINTERS --yes", L"Deletes the printer's print log."},
    {Command::kSaveLog, L"save-log", L"save-log PRINTERS --out FILE.csv",
     L"Saves the printer's print log as a CSV file (UTF-8); with several printers put {printer} in the "
     L"name."},
    {Command::kCommandFile, L"command-file", L"command-file --model NAME --file FILE.dat --out FILE.bin",
     L"Builds a command file from a configuration file without a printer (for the model that has them)."},
    {Command::kHelp, L"help", L"help [COMMAND]", L"This text, or one command's."},
};

const CommandInfo* Find(const std::wstring& name) {
    for (const CommandInfo& info : kCommands)
        if (name == info.name)
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

std::wstring Check(const Options& o) {
    const bool printers = !o.printers.empty() || (o.all && o.command != Command::kList);
    if (WorksOnPrinters(o.command) && !printers)
        return L"name the printers (names, patterns with * and ?, or --all)";
    if (!WorksOnPrinters(o.command) && printers)
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
    if (o.yes && o.command != Command::kReset && o.command != Command::kDeleteTemplates &&
        o.command != Command::kDeleteLog)
        return CommandName(o.command) + L" takes no --yes";
    return {};
}

} // namespace

std::wstring CommandName(Command command) {
    const CommandInfo* info = Find(command);
    return info ? info->name : L"";
}

bool NeedsAdministrator(Command command) {
    return command == Command::kApply || command == Command::kReset || command == Command::kDeleteTemplates ||
           command == Command::kDeleteLog;
}

bool WorksOnPrinters(Command command) {
    return command != Command::kList && command != Command::kCommandFile && command != Command::kHelp &&
           command != Command::kNone;
}

ParseResult ParseArguments(const std::vector<std::wstring>& arguments) {
    ParseResult r;
    Options& o = r.options;
    if (arguments.empty()) {
        o.command = Command::kHelp;
        return r;
    }
    size_t i = 0;
    if (arguments[0] == L"--help" || arguments[0] == L"-h" || arguments[0] == L"/?") {
        o.command = Command::kHelp;
        return r;
    }
    const CommandInfo* command = Find(arguments[0]);
    if (!command) {
        r.error = L"unknown command '" + arguments[0] + L"'";
        return r;
    }
    o.command = command->command;
    for (i = 1; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        if (o.command == Command::kHelp) {
            if (!o.helpTopic.empty() || !Find(a) || Find(a)->command == Command::kHelp) {
                r.error = L"no help on '" + a + L"'";
                return r;
            }
            o.helpTopic = a;
            continue;
        }
        if (a == L"--help" || a == L"-h") {
            o.helpTopic = command->name;
            o.command = Command::kHelp;
            return r;
        }
        if (a == L"--all") {
            o.all = true;
        } else if (a == L"--json") {
            o.json = true;
        } else if (a == L"--yes") {
            o.yes = true;
        } else if (a == L"--set") {
            if (i + 1 >= arguments.size()) {
                r.error = L"--set needs NAME=CHOICE";
                return r;
            }
            const std::wstring& value = arguments[++i];
            const size_t eq = value.find(L'=');
            if (eq == std::wstring::npos || eq == 0 || eq + 1 == value.size()) {
                r.error = L"--set needs NAME=CHOICE, not '" + value + L"'";
                return r;
            }
            o.sets.push_back({value.substr(0, eq), value.substr(eq + 1)});
        } else if (std::wstring* slot = ValueSlot(o, a)) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                r.error = a + L" needs a value";
                return r;
            }
            if (!slot->empty()) {
                r.error = a + L" given twice";
                return r;
            }
            *slot = arguments[++i];
        } else if (!a.empty() && a[0] == L'-') {
            r.error = L"unknown option '" + a + L"'";
            return r;
        } else if (a.empty()) {
            r.error = L"an empty printer name";
            return r;
        } else {
            o.printers.push_back(a);
        }
    }
    if (o.command != Command::kHelp)
        r.error = Check(o);
    return r;
}

std::wstring HelpText(const std::wstring& topic) {
    if (!topic.empty()) {
        const CommandInfo* info = Find(topic);
        if (!info)
            return {};
        return L"usage: lxdevctl " + std::wstring(info->usage) + L"\n\n" + info->summary + L"\n";
    }
    std::wstring text = L"lxdevctl: the device settings of Korvale LX printers from the command line, for "
                        L"one printer or many.\n\n"
                        L"usage: lxdevctl COMMAND [PRINTERS] [OPTIONS]\n\ncommands:\n";
    for (const CommandInfo& info : kCommands)
        text += L"  " + std::wstring(info.usage) + L"\n";
    text +=
        L"\nPRINTERS: printer names, wildcard patterns over them (* and ?, letter case ignored), or --all.\n"
        L"Several printers run in parallel, one at a time on each port.\n\n"
        L"options: --json (one JSON object per printer on standard output), --help, help COMMAND;\n"
        L"         @FILE reads further arguments from FILE, one per line.\n\n"
        L"exit codes:\n"
        L"  0  every printer succeeded\n"
        L"  1  at least one printer failed (or, for verify, differed); each printer's result code is in the "
        L"output\n"
        L"  2  the command line or a file named on it was refused; nothing was sent\n"
        L"  3  no installed printer of a supported model matched\n"
        L"  4  the command needs administrator rights (apply, reset, delete-templates, delete-log)\n"
        L"  5  interrupted by Ctrl+C: the printers already started were finished, the others not started\n"
        L"  6  the run could not go on: the spooler would not list its printers, or a failure of lxdevctl's "
        L"own\n";
    return text;
}

std::wstring OutputPathFor(const std::wstring& pattern, const std::wstring& printer) {
    std::wstring safe;
    for (wchar_t c : printer)
        safe += (c < 32 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) ? L'_' : c;
    std::wstring out = pattern;
    for (size_t at = out.find(L"{printer}"); at != std::wstring::npos;
         at = out.find(L"{printer}", at + safe.size()))
        out.replace(at, 9, safe);
    return out;
}

} // namespace ctl
