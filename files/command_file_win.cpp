// The command file on disk: backup, create, lead-in, header, item commands, and the way back on failure.
#include "files/command_file_win.h"

#include "core/paths_win.h"
#include "core/result_codes.h"
#include "comm/communicator.h"
#include "files/command_file.h"
#include "win/handles.h"

#include <windows.h>

#include <ostream>
#include <streambuf>

namespace {

// An unbuffered output stream over a file handle: every write goes to the file at once, and a failed write
// fails the stream, which the items report.
class HandleStreamBuf : public std::streambuf {
public:
    explicit HandleStreamBuf(HANDLE file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* data, std::streamsize count) override {
        std::streamsize done = 0;
        while (done < count) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(count - done > 0x10000 ? 0x10000 : count - done);
            if (!::WriteFile(file_, data + done, chunk, &written, nullptr) || written == 0)
                break;
            done += written;
        }
        return done;
    }

private:
    HANDLE file_;
};

} // namespace

int32_t WriteCommandFile(std::wstring path, ModelRecord model, SettingItems items) {
    const std::wstring backup = path + L".bak";
    if (path.empty() || items.empty() || model.SeriesCode == 0 || model.ModelCode == 0 || model.name.empty())
        return result::kFileSaveFailed;
    // A folder, a read-only file, a device name or a path too long is refused before anything moves.
    const int32_t problem = OutputTargetProblem(path);
    if (problem != result::kNone)
        return problem;
    const bool exists = ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    bool haveBackup = false;
    if (exists) {
        // A backup left from an earlier save may be the only copy of that file: it is never replaced.
        if (::GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES)
            return result::kBackupInTheWay;
        if (!::MoveFileW(path.c_str(), backup.c_str()))
            return WriteFailureCode(::GetLastError(), path);
        haveBackup = true;
    }
    auto restore = [&] {
        if (haveBackup)
            ::MoveFileW(backup.c_str(), path.c_str());
    };

    win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const int32_t code = WriteFailureCode(::GetLastError(), path);
        restore();
        return code == result::kFileSaveFailed ? result::kFileOpenFailed : code;
    }
    // Removes the partly written file and brings the earlier one back. When the partial file cannot be
    // removed, the earlier file stays reachable under its backup name rather than being overwritten.
    auto fail = [&] {
        file.reset();
        if (::DeleteFileW(path.c_str()))
            restore();
        return result::kFileSaveFailed;
    };

    HandleStreamBuf buffer(file.get());
    std::ostream out(&buffer);
    out.write(reinterpret_cast<const char*>(printer_command::kCommandMode), sizeof printer_command::kCommandMode);
    if (!out)
        return fail();
    uint32_t total = 0;
    for (const auto& item : items)
        if (item)
            total += static_cast<uint32_t>(item->GetApplyCmdSize());
    uint8_t header[260] = {};
    uint32_t headerLength = 0;
    if (!BuildCommandFileHeader(total, model.SeriesCode, model.ModelCode, header, &headerLength))
        return fail();
    out.write(reinterpret_cast<const char*>(header), headerLength);
    if (!out)
        return fail();
    for (const auto& item : items)
        if (!item || !item->WriteApplyCmd(out))
            return fail();
    file.reset();
    // The new file is complete; a backup that stays would refuse every later save to this name, so it is
    // said.
    if (haveBackup && !::DeleteFileW(backup.c_str()))
        return result::kBackupInTheWay;
    return result::kFileCreated;
}
