// The print-log save: the log through a transaction, the CSV bytes, the file put in place whole.
#include "files/print_log_file_win.h"

#include "comm/device_ops.h"
#include "core/paths_win.h"
#include "core/result_codes.h"
#include "files/print_log_csv.h"
#include "win/handles.h"

#include <windows.h>

// By this machine's time-zone rules for that date.
bool SystemUtcOffset(uint32_t utcSeconds, int32_t& offsetMinutes) {
    // Seconds since 1970 to the file-time scale (100 ns since 1601).
    const ULONGLONG ticks = (static_cast<ULONGLONG>(utcSeconds) + 11644473600ULL) * 10000000ULL;
    FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{}, local{};
    if (!::FileTimeToSystemTime(&utcFile, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return false;
    FILETIME localFile{};
    if (!::SystemTimeToFileTime(&local, &localFile))
        return false;
    const ULONGLONG localTicks =
        (static_cast<ULONGLONG>(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime;
    offsetMinutes = static_cast<int32_t>((static_cast<LONGLONG>(localTicks) - static_cast<LONGLONG>(ticks)) /
                                         (60LL * 10000000LL));
    return true;
}

int32_t WriteFileWhole(const std::wstring& path, const std::string& bytes) {
    const int32_t code = WriteWholeBeside(path, false, [&](const std::wstring& temp) {
        win::FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        return file &&
               (bytes.empty() ||
                (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                 done == bytes.size())) &&
               ::FlushFileBuffers(file.get());
    });
    return code == result::kNone ? result::kFileCreated : code;
}

int32_t SavePrintLogWorker(void* job) {
    if (!job)
        return result::kNone;
    const DeviceJob copy = *static_cast<const DeviceJob*>(job);
    CPrintLogTransaction transaction(copy.services);
    const int32_t code = transaction.Run(copy.printerName, copy.model);
    if (code != result::kCommandDone)
        return code;
    std::string bytes;
    if (!printlog::BuildPrintLogCsv(transaction.Records(), &SystemUtcOffset, bytes))
        return result::kPrintLogNoCsv;
    return WriteFileWhole(copy.destinationPath, bytes);
}
