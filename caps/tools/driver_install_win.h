// Installs the stand-in driver and a printer that uses it into the spooler of this (Wine) machine.
#pragma once

#include <windows.h>

#include <string>

namespace lxdrv {

constexpr wchar_t kDriverName[] = L"Korvale LX Stand-in Driver";

// The driver directory's "3" folder, where the media-table library lives, for this program's architecture or
// for `environment` ("Windows x64"); empty when the spooler does not say.
std::wstring MediaFolder(const wchar_t* environment = nullptr);

// Copies the driver stand-in, the capability library, the media-table stand-in and its data file from `dist`
// (the folder that holds the capability library and the "3" folder) into the spooler's driver folder,
// registers the driver and adds `printer` on `port` unless it exists. Returns ERROR_SUCCESS or the failing
// call's error.
DWORD InstallPrinter(const std::wstring& dist, const wchar_t* printer, const wchar_t* port);

} // namespace lxdrv
