// Start-up rules that need no system call.
#include "app/startup_rules.h"

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

std::vector<std::wstring> SplitModelList(const std::wstring& compatibleModel) {
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= compatibleModel.size()) {
        size_t comma = compatibleModel.find(L',', start);
        if (comma == std::wstring::npos)
            comma = compatibleModel.size();
        if (comma > start)
            names.push_back(compatibleModel.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

std::wstring ReplaceLastFour(const std::wstring& path, const std::wstring& first,
                             const std::wstring& second) {
    std::wstring result = path.size() > 4 ? path.substr(0, path.size() - 4) : std::wstring();
    return result + first + second;
}

std::wstring LowerCase(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

bool IsRightToLeftLanguage(const std::wstring& languageCode) {
    return languageCode == L"ARE";
}

PrinterChoice ChooseAcceptablePrinters(const std::vector<InstalledPrinter>& printers,
                                       const std::vector<std::wstring>& modelNames) {
    PrinterChoice choice;
    for (const InstalledPrinter& printer : printers) {
        for (const std::wstring& model : modelNames) {
            if (printer.driver != model)
                continue;
            choice.listed.push_back(printer.name);
            // std::wstring compares code units, which is the order wanted here.
            if (!printer.workOffline && (choice.preferred.empty() || printer.name < choice.preferred))
                choice.preferred = printer.name;
        }
    }
    return choice;
}

Point CenteredOrigin(const Rect& window, const Rect& reference) {
    const long x = reference.left + ((reference.right - reference.left) - (window.right - window.left)) / 2;
    const long y = reference.top + ((reference.bottom - reference.top) - (window.bottom - window.top)) / 2;
    return {x, y};
}
