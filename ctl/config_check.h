// A configuration file named on the command line, checked as strictly as --set before any printer is
// contacted.
#pragma once

#include "ctl/selection.h"

#include <string>
#include <vector>

namespace ctl {

// Checks a configuration file's text for a model whose settings (key and choices) are `settings`: [Property]
// must name the model with a file version, [DisableCheck] must hold Tab_1, and every key of [Settings] must
// be one of the model's settings with an index among its choices. Empty when sound; otherwise the reason,
// with the line number where a line is at fault.
std::wstring CheckConfigText(const std::wstring& text, const std::wstring& modelName,
                             const std::vector<SettingChoices>& settings);

} // namespace ctl
