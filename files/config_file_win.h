// Configuration files and the last-settings file: INI files written and read through the private-profile
// functions, naming the model they were made for and the selected index of every setting item.
#pragma once

#include "core/model.h"
#include "items/setting_item.h"

#include <cstdint>
#include <string>

// The keys written in place; 6508 when every write succeeded, 5020 otherwise.
int32_t WriteConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                        const int32_t* disableFlags, int32_t flagCount);
// Export: the whole file written beside the target and put in its place only when every key was written, so
// a failed export leaves an earlier file as it was. 6508 on success; otherwise the code that says why (a
// device name, a path too long, a read-only file, a file in use, ...), 5020 when nothing more is known.
int32_t ExportConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items);
bool WritePropertySection(const std::wstring& path, const ModelRecord& model);
bool WriteDisableCheckSection(const std::wstring& path, const int32_t* disableFlags, int32_t flagCount);

// 6507 on success, 5025 when the file does not belong to the model, 5019 otherwise. The lists change only on
// success.
int32_t ReadConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                       int32_t* disableFlags, int32_t flagCount);
bool CheckConfigFileProperty(const std::wstring& path, const ModelRecord& model);
bool ReadDisableCheckSection(const std::wstring& path, int32_t* disableFlags, int32_t flagCount);

// The last-settings file: the configuration plus an empty AdminPassword over what the file held (its other
// keys stay), written beside it and put in place whole, one program or thread at a time. False when it could
// not be written.
bool WriteLastSettingsFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items);
