// Saving the printer's print log as a CSV file: the worker the print-log command runs behind the progress
// dialog, and the file written so that a failure never leaves a partial file or changes an earlier one.
#pragma once

#include <cstdint>
#include <string>

// The job is a DeviceJob whose destination path names the CSV file. 6503 when the file was written; the
// failure codes of sending a command when the log could not be read; WriteFileWhole's when it could not be
// written.
int32_t SavePrintLogWorker(void* job);

// Minutes east of UTC that this machine's local time was at a UTC instant (seconds since 1970).
bool SystemUtcOffset(uint32_t utcSeconds, int32_t& offsetMinutes);

// Writes the bytes to a new file beside the target and puts it in the target's place only when it is
// complete: 6503, or the code that says why it could not (target as it was, no temporary file left).
int32_t WriteFileWhole(const std::wstring& path, const std::string& bytes);
