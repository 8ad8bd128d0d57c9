// Start-up rules that need no system call: the command line and the model list of the settings file.
#pragma once

#include <string>
#include <vector>

// The command line after the program name without surrounding white space; quotation marks stay.
std::wstring TrimCommandLine(const std::wstring& commandLine);

// A language code the program accepts: 1 to 8 ASCII letters and digits. It becomes part of a library's path,
// so nothing else (no separator, no dot) may reach it.
bool IsValidLanguageCode(const std::wstring& code);

// CompatibleModel cut at every comma; empty pieces are dropped, blanks stay part of the names.
std::vector<std::wstring> SplitModelList(const std::wstring& compatibleModel);
