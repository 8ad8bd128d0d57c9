// The console companion's command line: commands, printer selection and options, parsed and checked before
// anything touches a printer.
#pragma once

#include "ops/operations.h"

#include <string>
#include <utility>
#include <vector>

namespace ctl {

// What the process returns; documented in --help and the README.
enum ExitCode : int {
    kExitOk = 0,          // every printer succeeded (for verify: every printer matched the file)
    kExitFailed = 1,      // at least one printer failed or differed; the others are reported as they ended
    kExitUsage = 2,       // the command line or a file named on it was refused; nothing was sent
    kExitNoMatch = 3,     // no installed printer of a supported model matched the selection
    kExitNoRights = 4,    // the operation changes printers or shared files and the user is no administrator
    kExitInterrupted = 5, // Ctrl+C: the printers already started were finished, the others not started
    kExitUnexpected = 6,  // the spooler would not list its printers, or a failure of the program's own
    kExitUnchecked = 7,   // verify: a printer could not be read, so the run cannot say all match
};

struct Options {
    ops::Id command = ops::Id::kHelp;
    bool version = false;                                    // --version, instead of a command
    std::wstring helpTopic;                                  // help <command>
    std::vector<std::wstring> printers;                      // names and wildcard patterns
    bool all = false;                                        // --all
    bool json = false;                                       // --json
    bool yes = false;                                        // --yes
    bool whatIf = false;                                     // --what-if
    std::wstring file;                                       // --file
    std::wstring out;                                        // --out
    std::wstring model;                                      // --model
    std::vector<std::pair<std::wstring, std::wstring>> sets; // --set NAME=CHOICE, in order
};

struct ParseResult {
    Options options;
    std::wstring error; // empty when the command line is sound
    std::wstring hint;  // what helps with this error: the command's usage, or where the commands are listed
};

// Parses the arguments after the program name (response files already expanded).
ParseResult ParseArguments(const std::vector<std::wstring>& arguments);

// The command's name as typed ("delete-templates").
std::wstring CommandName(ops::Id command);

// One line that says how to call the program, for a run without arguments.
std::wstring ShortUsage();
// The whole help, or the help of one command with its example and duration; empty for an unknown command.
std::wstring HelpText(const std::wstring& topic);

// A printer's name as one part of a path that stays in its folder: characters a file name cannot hold and
// trailing dots and blanks become underscores, an empty name "_". Two names may still come out alike ("A:B"
// and "A_B"); a run checks its outputs apart before it starts.
std::wstring FileNameFor(const std::wstring& printer);
// "{printer}" in an output path replaced by FileNameFor the printer.
std::wstring OutputPathFor(const std::wstring& pattern, const std::wstring& printer);

} // namespace ctl
