// Rules shared by every layer that need no system call: paths beside the program, lower-casing, text
// direction, the printer to preselect, centring.
#pragma once

#include <string>
#include <vector>

// A path without its last four characters (the extension of "x.exe"), plus the two suffixes.
std::wstring ReplaceLastFour(const std::wstring& path, const std::wstring& first, const std::wstring& second);

// Lower-cases character by character with the C library's rules for the current locale.
std::wstring LowerCase(std::wstring text);
wchar_t LowerChar(wchar_t c);
// Equal after LowerCase: how names, choices, commands and options typed by a user are compared.
bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b);

// True when Windows takes this file name (the last part of a path) for a device rather than a file: CON, PRN,
// AUX, NUL, COM0-9, LPT0-9 (and their superscript-digit forms), CONIN$ and CONOUT$, in any letter case,
// with any extension and with trailing blanks or dots.
bool IsDeviceName(const std::wstring& fileName);

// What a model has beyond the settings every model shares. Which model has what is decided here alone.
struct ModelFeatures {
    bool powerOnRow = true;   // the power-on setting (the page's first row)
    bool batteryRow = false;  // the battery power-off setting (the page's third row)
    bool commandFile = false; // command files, and the split button that offers them
};
// The wireless sibling has no power-on setting, a battery setting, and command files; every other model the
// reverse.
ModelFeatures FeaturesOf(const std::wstring& modelName);

// Message boxes of this language read right to left.
bool IsRightToLeftLanguage(const std::wstring& languageCode);

// One installed printer as the printer lists see it.
struct InstalledPrinter {
    std::wstring name;
    std::wstring driver;
    bool workOffline = false;
    std::wstring port;
};

// The names to list (one per matching model name, so a model named twice lists its printers twice) and the
// preferred one: the smallest name, in code-unit order, of the acceptable printers that are not offline.
struct PrinterChoice {
    std::vector<std::wstring> listed;
    std::wstring preferred;
};
PrinterChoice ChooseAcceptablePrinters(const std::vector<InstalledPrinter>& printers,
                                       const std::vector<std::wstring>& modelNames);

// The rectangle of the portable code: windows, the page's recorded places, the split button's parts.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
struct Point {
    int x, y;
};
// Top-left corner that centres a box of the window's size over the reference; divisions truncate toward zero.
Point CenteredOrigin(const Rect& window, const Rect& reference);
