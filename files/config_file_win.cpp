// Configuration and last-settings files through the private-profile functions.
#include "files/config_file_win.h"

#include "core/ini_names.h"
#include "core/paths_win.h"
#include "core/result_codes.h"
#include "win/handles.h"
#include "win/named_lock.h"

#include <windows.h>

#include <functional>

namespace {

using ini::kDisableCheck;
using ini::kProperty;
using ini::kSettings;
constexpr wchar_t kFileVersion[] = L"100";

bool WriteKey(const std::wstring& path, const wchar_t* section, const std::wstring& key,
              const std::wstring& value) {
    return ::WritePrivateProfileStringW(section, key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

std::wstring TabKey(int32_t tab) {
    return L"Tab_" + std::to_wstring(tab);
}

} // namespace

bool WritePropertySection(const std::wstring& path, const ModelRecord& model) {
    if (path.empty() || model.ModelCode == 0 || model.SeriesCode == 0)
        return false;
    return WriteKey(path, kProperty, ini::kFileVersion, kFileVersion) &&
           WriteKey(path, kProperty, ini::kDriverName, model.name);
}

bool WriteDisableCheckSection(const std::wstring& path, const int32_t* disableFlags, int32_t flagCount) {
    if (!disableFlags || flagCount <= 0)
        return false;
    for (int32_t i = 1; i <= flagCount; ++i)
        if (!WriteKey(path, kDisableCheck, TabKey(i), std::to_wstring(disableFlags[i - 1])))
            return false;
    return true;
}

int32_t WriteConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                        const int32_t* disableFlags, int32_t flagCount) {
    if (path.empty() || items.empty())
        return result::kFileSaveFailed;
    if (!WritePropertySection(path, model) || !WriteDisableCheckSection(path, disableFlags, flagCount))
        return result::kFileSaveFailed;
    bool written = true;
    for (const auto& item : items)
        if (item)
            written = item->SaveToProfile(path) && written;
    return written ? result::kExportDone : result::kFileSaveFailed;
}

namespace {

// The profile functions write key by key and may hold what they wrote: the whole file is written beside the
// target and reaches the disk before it takes the target's place.
int32_t WriteWholeProfile(const std::wstring& path, bool keepEarlier,
                          const std::function<bool(const std::wstring&)>& write) {
    return WriteWholeBeside(path, keepEarlier, [&](const std::wstring& temp) {
        const bool written = write(temp);
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, temp.c_str());
        return written;
    });
}

} // namespace

int32_t ExportConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items) {
    if (items.empty())
        return result::kFileSaveFailed;
    const int32_t enabled[1] = {0};
    int32_t code = result::kFileSaveFailed;
    const int32_t failure = WriteWholeProfile(path, false, [&](const std::wstring& temp) {
        code = WriteConfigFile(temp, model, items, enabled, 1);
        return code == result::kExportDone;
    });
    return failure != result::kNone ? failure : code;
}

bool CheckConfigFileProperty(const std::wstring& path, const ModelRecord& model) {
    if (path.empty() || model.name.empty())
        return false;
    {
        win::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
    }
    wchar_t driver[MAX_PATH] = {};
    ::GetPrivateProfileStringW(kProperty, ini::kDriverName, L"", driver, MAX_PATH, path.c_str());
    if (driver[0] == L'\0' || model.name != driver)
        return false;
    return ::GetPrivateProfileIntW(kProperty, ini::kFileVersion, 0, path.c_str()) != 0;
}

bool ReadDisableCheckSection(const std::wstring& path, int32_t* disableFlags, int32_t flagCount) {
    for (int32_t i = 1; i <= flagCount; ++i) {
        const UINT value = ::GetPrivateProfileIntW(kDisableCheck, TabKey(i).c_str(), ini::kNothingStored, path.c_str());
        if (value == static_cast<UINT>(ini::kNothingStored))
            return false;
        disableFlags[i - 1] = static_cast<int32_t>(value);
    }
    return true;
}

int32_t ReadConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                       int32_t* disableFlags, int32_t flagCount) {
    if (path.empty() || !disableFlags || flagCount <= 0)
        return result::kImportUnreadable;
    if (!CheckConfigFileProperty(path, model))
        return result::kImportWrongModel;
    // What decides the result is read before any list changes, so a refused file changes nothing.
    if (!ReadDisableCheckSection(path, disableFlags, flagCount))
        return result::kImportUnreadable;
    for (const auto& item : items)
        if (item && item->LoadFromProfile(path))
            item->ShowCurSel();
    return result::kImportDone;
}

bool WriteLastSettingsFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items) {
    if (path.empty())
        return false; // never a bare name, which the profile functions would take from the Windows folder
    // Programs that finish together (two lxdevctl runs, lxdevctl beside lxdevset) write one model's file one
    // at a time, or its keys mix.
    win::NamedLock lock(L"file", path, 30000);
    if (!lock.Held())
        return false;
    const int32_t enabled[1] = {0};
    return WriteWholeProfile(path, true, [&](const std::wstring& temp) {
               return WriteConfigFile(temp, model, items, enabled, 1) == result::kExportDone &&
                      WriteKey(temp, kSettings, ini::kAdminPassword, L"");
           }) == result::kNone;
}
