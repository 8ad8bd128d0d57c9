// Printer selection, port groups and setting choices.
#include "ctl/selection.h"

#include "core/rules.h"

#include <map>
#include <set>

namespace ctl {
bool MatchesPattern(const std::wstring& pattern, const std::wstring& name) {
    if (pattern.find_first_of(L"*?") == std::wstring::npos)
        return EqualIgnoringCase(pattern, name);
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    size_t p = 0, n = 0, star = std::wstring::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || LowerChar(pattern[p]) == LowerChar(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

std::vector<std::wstring> SelectPrinters(const std::vector<std::wstring>& available,
                                         const std::vector<std::wstring>& selectors, bool all,
                                         std::vector<std::wstring>& unmatched) {
    std::vector<std::wstring> chosen;
    std::set<std::wstring> taken;
    std::vector<bool> used(selectors.size(), false);
    for (const std::wstring& name : available) {
        bool take = all;
        for (size_t i = 0; i < selectors.size(); ++i) {
            if (MatchesPattern(selectors[i], name)) {
                take = true;
                used[i] = true;
            }
        }
        if (take && taken.insert(name).second)
            chosen.push_back(name);
    }
    unmatched.clear();
    for (size_t i = 0; i < selectors.size(); ++i)
        if (!used[i])
            unmatched.push_back(selectors[i]);
    return chosen;
}

std::vector<std::vector<size_t>> GroupByPort(const std::vector<std::wstring>& ports) {
    std::vector<std::vector<size_t>> groups;
    std::map<std::wstring, size_t> groupOf;
    for (size_t i = 0; i < ports.size(); ++i) {
        std::wstring key;
        for (wchar_t c : ports[i])
            key += LowerChar(c);
        auto it = groupOf.find(key);
        if (it == groupOf.end()) {
            groupOf[key] = groups.size();
            groups.push_back({i});
        } else {
            groups[it->second].push_back(i);
        }
    }
    return groups;
}

const SettingChoices* FindSetting(const std::vector<SettingChoices>& settings, const std::wstring& name) {
    for (const SettingChoices& s : settings)
        if (EqualIgnoringCase(s.name, name))
            return &s;
    return nullptr;
}

namespace {

// A decimal number of at most four digits with an optional sign; false for anything else.
bool SmallNumber(const std::wstring& text, int& value) {
    const size_t digits = !text.empty() && (text[0] == L'+' || text[0] == L'-') ? 1 : 0;
    if (text.size() <= digits || text.size() - digits > 4 ||
        text.find_first_not_of(L"0123456789", digits) != std::wstring::npos)
        return false;
    value = std::stoi(text.substr(digits)) * (text[0] == L'-' ? -1 : 1);
    return true;
}

} // namespace

int ResolveChoice(const SettingChoices& setting, const std::wstring& choice, std::wstring& error) {
    error.clear();
    const int count = static_cast<int>(setting.texts.size());
    if (!choice.empty() && choice[0] == L'#') {
        int index = -1;
        if (choice.size() > 1 && SmallNumber(choice.substr(1), index) && choice[1] != L'+' &&
            choice[1] != L'-' && index < count)
            return index;
        error = L"no choice " + choice + L" for " + setting.name + L"; the choices are " +
                DescribeChoices(setting);
        return -1;
    }
    for (size_t i = 0; i < setting.texts.size(); ++i)
        if (!setting.texts[i].empty() && EqualIgnoringCase(setting.texts[i], choice))
            return static_cast<int>(i);
    // A bare number that is no choice's text could mean an index or a value: each reading is named, and the
    // user writes the one meant.
    int number = 0;
    std::vector<std::wstring> readings;
    if (SmallNumber(choice, number)) {
        for (const std::wstring& text : setting.texts) {
            int value = 0;
            if (SmallNumber(text, value) && value == number)
                readings.push_back(setting.name + L"=" + text + L" for the choice \"" + text + L"\"");
        }
        if (choice.find_first_of(L"+-") == std::wstring::npos && number < count)
            readings.push_back(setting.name + L"=#" + std::to_wstring(number) + L" for the choice at index " +
                               std::to_wstring(number) + L" (\"" +
                               setting.texts[static_cast<size_t>(number)] + L"\")");
    }
    if (readings.empty()) {
        error = L"no choice '" + choice + L"' for " + setting.name + L"; the choices are " +
                DescribeChoices(setting);
    } else {
        error = L"'" + choice + L"' is not a choice's text for " + setting.name + L"; write " + readings[0];
        for (size_t i = 1; i < readings.size(); ++i)
            error += L", or " + readings[i];
    }
    return -1;
}

std::wstring DescribeChoices(const SettingChoices& setting) {
    std::wstring text;
    for (size_t i = 0; i < setting.texts.size(); ++i)
        text += (i ? L", " : L"") + setting.texts[i] + L" (#" + std::to_wstring(i) + L")";
    return text;
}

} // namespace ctl
