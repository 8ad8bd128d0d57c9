// Which printers a command works on, how they share out among workers, and the settings named on the command
// line: rules without system calls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ctl {

// A printer name against a pattern with * and ?, letter case ignored; a pattern without them is a name and
// matches that name in any letter case.
bool MatchesPattern(const std::wstring& pattern, const std::wstring& name);

// The names of `available` (in their order) that the selection takes; each name once. `unmatched` receives
// the selectors that took none.
std::vector<std::wstring> SelectPrinters(const std::vector<std::wstring>& available,
                                         const std::vector<std::wstring>& selectors, bool all,
                                         std::vector<std::wstring>& unmatched);

// Printers grouped by port, the groups in the order their first printer came, printers in their order within
// a group: one worker per group, so that two printer queues on one port are never served at once. The port is
// compared ignoring letter case (USB001 and usb001 are one port).
std::vector<std::vector<size_t>> GroupByPort(const std::vector<std::wstring>& ports);

// One setting as the command line may name it: its key and its choices' texts in list order.
struct SettingChoices {
    std::wstring name;
    std::vector<std::wstring> texts;
};

// The setting whose name equals `name` ignoring letter case; null when none.
const SettingChoices* FindSetting(const std::vector<SettingChoices>& settings, const std::wstring& name);
// The index a choice names: a text equal to one of the choices ignoring letter case (an empty text never
// matches), or an explicit index "#N" within the list. -1 when it names none, with `error` saying why; a bare
// number that is no choice's text ("0" where the choices are "+3", "+2", ...) is refused with each reading it
// could have, never taken as an index.
int ResolveChoice(const SettingChoices& setting, const std::wstring& choice, std::wstring& error);
// "None (#0), 10 Minutes (#1), ..." for a message that lists the valid choices.
std::wstring DescribeChoices(const SettingChoices& setting);

} // namespace ctl
