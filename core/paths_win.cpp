// Paths beside the program, from the module file name.
#include "core/paths_win.h"

#include "core/result_codes.h"
#include "core/rules.h"
#include "win/handles.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

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

std::wstring SettingsPathBesideProgram() {
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

namespace {

// "~lx" and eight hex digits with ".tmp": the longest name a temporary file beside an output takes.
constexpr size_t kTempNameLength = 15;
// A command file keeps the earlier one as NAME.bak while it writes.
constexpr size_t kBackupSuffixLength = 4;

size_t NameStart(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

} // namespace

int32_t OutputTargetProblem(const std::wstring& path) {
    if (path.empty())
        return result::kFileSaveFailed;
    const size_t nameStart = NameStart(path);
    const std::wstring name = path.substr(nameStart);
    // "\\.\" is the device namespace, where a full path of a device name such as NUL also lands.
    if (path.compare(0, 4, L"\\\\.\\") == 0 || IsDeviceName(name))
        return result::kDeviceName;
    if (name.empty())
        return result::kTargetIsFolder;
    if (nameStart + std::max(name.size() + kBackupSuffixLength, kTempNameLength) >= MAX_PATH)
        return result::kPathTooLong;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return result::kTargetIsFolder;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return result::kTargetReadOnly;
        return result::kNone;
    }
    const std::wstring folder = nameStart == 0 ? L"." : path.substr(0, nameStart);
    const DWORD folderAttributes = ::GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return result::kFolderMissing;
    return result::kNone;
}

int32_t WriteFailureCode(unsigned long error, const std::wstring& path) {
    // Replacing a file that another program holds may be refused as access denied: whether it is held is
    // asked of the file itself.
    if (error == ERROR_ACCESS_DENIED && !path.empty()) {
        win::FileHandle probe(::CreateFileW(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        if (!probe && ::GetLastError() == ERROR_SHARING_VIOLATION)
            return result::kFileInUse;
    }
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return result::kFileInUse;
    case ERROR_PATH_NOT_FOUND:
        return result::kFolderMissing;
    case ERROR_FILENAME_EXCED_RANGE:
        return result::kPathTooLong;
    default:
        return result::kFileSaveFailed;
    }
}

std::wstring CreateTempFileBeside(const std::wstring& path) {
    const std::wstring folder = path.substr(0, NameStart(path));
    static volatile LONG counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        // Unique enough across processes and threads; a name taken by someone else is passed over.
        const DWORD seed = ::GetCurrentProcessId() * 2654435761u ^ ::GetTickCount() ^
                           static_cast<DWORD>(::InterlockedIncrement(&counter)) * 40503u;
        wchar_t name[kTempNameLength + 1];
        std::swprintf(name, kTempNameLength + 1, L"~lx%08lx.tmp", static_cast<unsigned long>(seed));
        std::wstring temp = folder + name;
        win::FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return temp;
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

int32_t WriteWholeBeside(const std::wstring& path, bool keepEarlier,
                         const std::function<bool(const std::wstring& temp)>& write) {
    const int32_t problem = OutputTargetProblem(path);
    if (problem != result::kNone)
        return problem;
    const std::wstring temp = CreateTempFileBeside(path);
    if (temp.empty())
        return WriteFailureCode(::GetLastError(), path);
    DWORD error = ERROR_SUCCESS;
    if (keepEarlier && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !::CopyFileW(path.c_str(), temp.c_str(), FALSE))
        error = ::GetLastError();
    const bool written = error == ERROR_SUCCESS && write(temp);
    if (written &&
        ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return result::kNone;
    const int32_t code = WriteFailureCode(written ? ::GetLastError() : error, path);
    ::DeleteFileW(temp.c_str());
    return code;
}
