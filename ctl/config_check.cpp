// Configuration-file checks of the console companion: model, keys and value ranges, line by line.
#include "ctl/config_check.h"

#include "core/ini_names.h"
#include "core/rules.h"
#include "core/text_format.h"

namespace ctl {
namespace {

std::wstring Trim(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// A non-negative decimal of at most four digits, as the settings' indexes are written.
bool Index(const std::wstring& text, int& value) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    value = std::stoi(text);
    return true;
}

} // namespace

std::wstring CheckConfigText(const std::wstring& text, const std::wstring& modelName,
                             const std::vector<SettingChoices>& settings) {
    std::wstring section, driver, version;
    std::wstring fault; // the first bad line, told once the file is known to be this model's
    bool tab1 = false;
    size_t number = 0;
    for (std::wstring line : SplitLines(text)) {
        ++number;
        line = Trim(line);
        if (line.empty() || line[0] == L';')
            continue;
        const std::wstring where = L"line " + std::to_wstring(number) + L": ";
        const auto note = [&](const std::wstring& what) {
            if (fault.empty())
                fault = where + what;
        };
        if (line[0] == L'[') {
            if (line.back() != L']')
                note(L"'" + line + L"' is no section name");
            else
                section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            note(L"'" + line + L"' is no KEY=VALUE line");
            continue;
        }
        const std::wstring key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
        if (EqualIgnoringCase(section, ini::kProperty)) {
            if (EqualIgnoringCase(key, ini::kDriverName) && driver.empty())
                driver = value;
            else if (EqualIgnoringCase(key, ini::kFileVersion) && version.empty())
                version = value;
        } else if (EqualIgnoringCase(section, ini::kDisableCheck)) {
            tab1 = tab1 || EqualIgnoringCase(key, L"Tab_1");
        } else if (EqualIgnoringCase(section, ini::kSettings)) {
            if (EqualIgnoringCase(key,
                                  ini::kAdminPassword)) // written by lxdevset into its last-settings files
                continue;
            const SettingChoices* setting = FindSetting(settings, key);
            if (!setting) {
                std::wstring names;
                for (const SettingChoices& s : settings)
                    names += (names.empty() ? L"" : L", ") + s.name;
                note(L"no setting '" + key + L"' for " + modelName + L"; its settings are " + names);
                continue;
            }
            int index = -1;
            if (!Index(value, index) || index >= static_cast<int>(setting->texts.size()))
                note(setting->name + L"=" + value + L" names no choice; the choices are " +
                     DescribeChoices(*setting));
        }
    }
    if (driver.empty() || version.empty() || version.find_first_not_of(L"0") == std::wstring::npos)
        return L"not a configuration file: [Property] lacks DriverName or FileVersion";
    if (driver != modelName)
        return L"the file is for " + driver + L", not for " + modelName;
    if (!tab1)
        return L"not a configuration file: [DisableCheck] lacks Tab_1";
    return fault;
}

} // namespace ctl
