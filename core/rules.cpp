// Rules shared by every layer that need no system call.
#include "core/rules.h"

#include <cwctype>

std::wstring ReplaceLastFour(const std::wstring& path, const std::wstring& first,
                             const std::wstring& second) {
    // Kept on purpose: four characters go whether or not they are an extension (C:\x\tool gives C:\x\.ini).
    std::wstring result = path.size() > 4 ? path.substr(0, path.size() - 4) : std::wstring();
    return result + first + second;
}

wchar_t LowerChar(wchar_t c) {
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

std::wstring LowerCase(std::wstring text) {
    for (wchar_t& c : text)
        c = LowerChar(c);
    return text;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

bool IsDeviceName(const std::wstring& fileName) {
    std::wstring stem = fileName.substr(0, fileName.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L'.'))
        stem.pop_back();
    stem = LowerCase(stem);
    if (stem == L"con" || stem == L"prn" || stem == L"aux" || stem == L"nul" || stem == L"conin$" ||
        stem == L"conout$")
        return true;
    // COM and LPT with one digit, the superscripts 1, 2 and 3 included.
    return stem.size() == 4 && (stem.compare(0, 3, L"com") == 0 || stem.compare(0, 3, L"lpt") == 0) &&
           ((stem[3] >= L'0' && stem[3] <= L'9') || stem[3] == L'\u00b9' || stem[3] == L'\u00b2' ||
            stem[3] == L'\u00b3');
}

ModelFeatures FeaturesOf(const std::wstring& modelName) {
    const bool wireless = modelName == L"Korvale LX-450W";
    return {!wireless, wireless, wireless};
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
            // Kept on purpose: code-unit order, so "Beta" beats "alpha" though the list shows alpha first.
            if (!printer.workOffline && (choice.preferred.empty() || printer.name < choice.preferred))
                choice.preferred = printer.name;
        }
    }
    return choice;
}

Point CenteredOrigin(const Rect& window, const Rect& reference) {
    // Kept on purpose: a wider window starts left of the reference, and odd differences truncate toward zero.
    const int x = reference.left + ((reference.right - reference.left) - (window.right - window.left)) / 2;
    const int y = reference.top + ((reference.bottom - reference.top) - (window.bottom - window.top)) / 2;
    return {x, y};
}
