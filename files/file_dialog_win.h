// The Open and Save As dialogs of the file commands (the system's item dialogs, owned by the main dialog) and
// the start-folder rule they all apply first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// When the current directory is the system directory (or its 32-bit twin), the user's Documents folder
// becomes the current directory; any other current directory stays, and so does it on any failure.
void PrepareFileDialogFolder();

struct FileDialogRequest {
    bool save = true;              // Save As; otherwise Open
    std::wstring filter;           // "Name|*.ext|Name|*.*||" as the string table holds it
    std::wstring defaultExtension; // without the dot
    std::wstring defaultName;      // empty for none
    bool overwritePrompt = true;   // Save As asks before replacing a file
};

// Runs PrepareFileDialogFolder, then the dialog; true with the chosen full path when the user confirmed.
bool ShowFileDialog(HWND owner, const FileDialogRequest& request, std::wstring& path);

// The filter pairs of a string-table filter ("Name|*.ext|...||").
struct FilterPair {
    std::wstring name;
    std::wstring pattern; // "*.dat"
};
std::vector<FilterPair> ParseFilter(const std::wstring& filter);
