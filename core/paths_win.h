// Files beside the program: its own full path and the paths built from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The device-settings program's full path: this program's own, unless a companion program beside it has named
// it with SetProgramPath (its settings, last-settings and language files are then shared). Empty when it
// cannot be read or does not fit 260 characters.
std::wstring ProgramPath();
void SetProgramPath(const std::wstring& path);

// The program's full path without its last four characters, plus the two suffixes; empty when the program's
// path cannot be read.
std::wstring BuildPathBesideProgram(const std::wstring& first, const std::wstring& second);

// The settings file beside the program (it need not exist).
std::wstring SettingsPathBesideProgram();

// The last-settings file of a model beside the program.
std::wstring LastSettingsFilePath(const std::wstring& modelName);

// Why a file cannot be written at this full path, as a result code; result::kNone when nothing stands in the
// way. Checked before anything is written: a device name, a path too long for the file, its temporary file
// beside it or a .bak copy, a missing folder, a folder or a read-only file at the path.
int32_t OutputTargetProblem(const std::wstring& path);
// The result code of a failed write of `path` from its system error: in use, folder missing, too long, else
// 5020.
int32_t WriteFailureCode(unsigned long error, const std::wstring& path);
// Creates an empty file of a new name in the folder of `path`, for a file that is written whole and then put
// in place; empty when it cannot, with the system error left for WriteFailureCode.
std::wstring CreateTempFileBeside(const std::wstring& path);

// Writes a file whole: `write` fills a new file beside `path` (a copy of what `path` holds now when
// `keepEarlier`), which then takes its place, so a reader, another writer or a failure midway never meets
// half a file. result::kNone when done; otherwise the code that says why, with the earlier file as it was and
// no temporary file left.
int32_t WriteWholeBeside(const std::wstring& path, bool keepEarlier,
                         const std::function<bool(const std::wstring& temp)>& write);

// The path made full against the current folder, as the file functions would take it; the private-profile
// functions would take a bare name from the Windows folder instead. Empty stays empty; a path that cannot be
// made full comes back as it is.
std::wstring FullPath(const std::wstring& path);

// True when a file or folder of exactly this path exists.
bool PathExists(const std::wstring& path);
