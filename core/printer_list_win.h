// Fills a drop-down list with the acceptable printers and preselects the one to offer first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// True when at least one printer was added; the list is left untouched otherwise.
bool FillPrinterList(HWND comboBox, const std::vector<std::wstring>& modelNames);
