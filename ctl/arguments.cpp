// Parsing and checking the console companion's command line; the help texts.
#include "ctl/arguments.h"

#include "core/rules.h"

namespace ctl {
namespace {

// The command of a console name; null for none (and for the window's own operations, which have no name).
const ops::Operation* Find(const std::wstring& name) {
    return ops::FindByName(name);
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

// "--model, --file and --out": the options of a mask in the order the usage lines name them.
std::wstring OptionList(unsigned options) {
    std::vector<std::wstring> names;
    for (const auto& [option, name] : {std::pair<unsigned, const wchar_t*>{ops::kModel, L"--model"},
                                       {ops::kFile, L"--file"},
                                       {ops::kOut, L"--out"},
                                       {ops::kSet, L"--set"},
                                       {ops::kWhatIf, L"--what-if"},
                                       {ops::kYes, L"--yes"}})
        if (options & option)
            names.push_back(name);
    std::wstring text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? L"" : i + 1 == names.size() ? L" and " : L", ") + names[i];
    return text;
}

// The options given, as a mask.
unsigned Given(const Options& o) {
    return (!o.printers.empty() || (o.all && o.command != ops::Id::kList) ? ops::kPrinters : 0u) |
           (o.file.empty() ? 0u : ops::kFile) | (o.out.empty() ? 0u : ops::kOut) |
           (o.model.empty() ? 0u : ops::kModel) | (o.sets.empty() ? 0u : ops::kSet) |
           (o.whatIf ? ops::kWhatIf : 0u) | (o.yes ? ops::kYes : 0u);
}

std::wstring Check(const Options& o) {
    const ops::Operation& command = ops::Find(o.command);
    const std::wstring name = command.name;
    const unsigned given = Given(o);
    if ((command.needs & ops::kPrinters) && !(given & ops::kPrinters))
        return L"name the printers (names, patterns with * and ?, or --all)";
    if (!(command.takes & ops::kPrinters) && (given & ops::kPrinters))
        return name + L" works on no printer";
    if (o.command == ops::Id::kApply && o.file.empty() == o.sets.empty())
        return L"apply takes either --file or --set, not both and not neither";
    if ((command.needs & ops::kYes) && !o.yes)
        return name + L" cannot be undone: confirm with --yes";
    const unsigned missing = command.needs & ~given & ~(ops::kPrinters | ops::kYes);
    if (missing)
        return name + L" needs " + OptionList(command.needs & ~(ops::kPrinters | ops::kYes));
    const bool several = o.all || o.printers.size() > 1 ||
                         (o.printers.size() == 1 && o.printers[0].find_first_of(L"*?") != std::wstring::npos);
    if (several && !o.out.empty() && o.out.find(L"{printer}") == std::wstring::npos &&
        (command.takes & ops::kPrinters))
        return L"with several printers --out needs {printer} in the file name";
    for (unsigned option : {ops::kFile, ops::kOut, ops::kModel, ops::kYes, ops::kWhatIf, ops::kSet})
        if ((given & option) && !(command.takes & option))
            return name + L" takes no " + OptionList(option);
    return {};
}

} // namespace

std::wstring CommandName(ops::Id command) {
    const wchar_t* name = ops::Find(command).name;
    return name ? name : L"";
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
            o.command = ops::Id::kHelp;
            return r;
        }
        if (name == L"--version") {
            o.version = true;
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
    const ops::Operation* command = Find(arguments[i]);
    if (!command) {
        r.error = L"unknown command '" + arguments[i] + L"'";
        r.hint = general;
        return r;
    }
    o.command = command->id;
    const std::wstring usage = L"usage: lxdevctl " + std::wstring(command->usage);
    auto refuse = [&](const std::wstring& error) {
        r.error = error;
        r.hint = usage;
        return r;
    };
    for (++i; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        if (o.command == ops::Id::kHelp) {
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
            o.command = ops::Id::kHelp;
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
    if (o.command != ops::Id::kHelp) {
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
        const ops::Operation* info = Find(topic);
        if (!info)
            return {};
        return L"usage: lxdevctl " + std::wstring(info->usage) + L"\n\n" + info->summary + L"\n\nexample: " +
               info->example + L"\ntakes: " + info->duration + L"\n";
    }
    std::wstring text = L"lxdevctl: the device settings of Korvale LX printers from the command line, for "
                        L"one printer or many.\n\n"
                        L"usage: lxdevctl [--json] COMMAND [PRINTERS] [OPTIONS]\n\ncommands:\n";
    std::wstring administrator;
    for (const ops::Operation& info : ops::All()) {
        if (!info.name)
            continue;
        text += L"  " + std::wstring(info.usage) + L"\n";
        if (info.needsAdministrator)
            administrator += (administrator.empty() ? L"" : L", ") + std::wstring(info.name);
    }
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
        L"  4  the command needs administrator rights (" +
        administrator +
        L")\n"
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
