// Paths beside the program, from the module file name.
#include "core/paths_win.h"

#include "core/rules.h"
#include "win/handles.h"

#include <windows.h>

namespace {
std::wstring g_programPath;
} // namespace

void SetProgramPath(const std::wstring& path) {
    g_programPath = path;
}

std::wstring ProgramPath() {
    if (!g_programPath.empty())
        return g_programPath;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(path, length);
}

std::wstring BuildPathBesideProgram(const std::wstring& first, const std::wstring& second) {
    // Without the program's path (one of 260 characters or more) there is no path beside it: a bare name
    // would send the profile functions to the Windows folder.
    const std::wstring program = ProgramPath();
    return program.empty() ? std::wstring() : ReplaceLastFour(program, first, second);
}

std::wstring SettingsFilePath() {
    return BuildPathBesideProgram(L"", L".ini");
}

std::wstring LastSettingsFilePath(const std::wstring& modelName) {
    return BuildPathBesideProgram(L"_" + modelName, L".ini");
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty())
        return path;
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

bool PathExists(const std::wstring& path) {
    if (path.empty())
        return false;
    WIN32_FIND_DATAW found;
    win::FindHandle search(::FindFirstFileW(path.c_str(), &found));
    return static_cast<bool>(search);
}

bool IsFolderOrReadOnly(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0;
}
