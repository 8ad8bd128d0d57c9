// Start-up rules that need no system call: command line and model list.
#include "app/settings/startup_rules.h"

#include <cwctype>

std::wstring TrimCommandLine(const std::wstring& commandLine) {
    size_t first = 0;
    size_t last = commandLine.size();
    while (first < last && std::iswspace(static_cast<wint_t>(commandLine[first])))
        ++first;
    while (last > first && std::iswspace(static_cast<wint_t>(commandLine[last - 1])))
        --last;
    return commandLine.substr(first, last - first);
}

bool IsValidLanguageCode(const std::wstring& code) {
    if (code.empty() || code.size() > 8)
        return false;
    for (wchar_t c : code)
        if (!((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')))
            return false;
    return true;
}

std::vector<std::wstring> SplitModelList(const std::wstring& compatibleModel) {
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= compatibleModel.size()) {
        size_t comma = compatibleModel.find(L',', start);
        if (comma == std::wstring::npos)
            comma = compatibleModel.size();
        // Kept on purpose: a blank after a comma starts the next name, and its section and subkey.
        if (comma > start)
            names.push_back(compatibleModel.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}
