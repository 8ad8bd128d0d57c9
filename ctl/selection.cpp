// Printer selection, port groups and setting choices.
#include "ctl/selection.h"

#include <cwctype>
#include <map>
#include <set>

namespace ctl {
namespace {

wchar_t Fold(wchar_t c) {
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

bool EqualFolded(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

} // namespace

bool MatchesPattern(const std::wstring& pattern, const std::wstring& name) {
    if (pattern.find_first_of(L"*?") == std::wstring::npos)
        return pattern == name;
    // Greedy matching with one backtrack point: linear in practice, never exponential.
    size_t p = 0, n = 0, star = std::wstring::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
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
            key += Fold(c);
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
        if (EqualFolded(s.name, name))
            return &s;
    return nullptr;
}

int ResolveChoice(const SettingChoices& setting, const std::wstring& choice) {
    if (!choice.empty() && choice.size() <= 4 &&
        choice.find_first_not_of(L"0123456789") == std::wstring::npos) {
        const int index = std::stoi(choice);
        return index < static_cast<int>(setting.texts.size()) ? index : -1;
    }
    for (size_t i = 0; i < setting.texts.size(); ++i)
        if (!setting.texts[i].empty() && EqualFolded(setting.texts[i], choice))
            return static_cast<int>(i);
    return -1;
}

std::wstring DescribeChoices(const SettingChoices& setting) {
    std::wstring text;
    for (size_t i = 0; i < setting.texts.size(); ++i)
        text += (i ? L", " : L"") + std::to_wstring(i) + L" (" + setting.texts[i] + L")";
    return text;
}

} // namespace ctl
