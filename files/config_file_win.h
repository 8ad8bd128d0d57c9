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
// a failed export leaves an earlier file as it was. 6508 on success, 5020 on any failure.
int32_t ExportConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items);
bool WritePropertySection(const std::wstring& path, const ModelRecord& model);
bool WriteDisableCheckSection(const std::wstring& path, const int32_t* disableFlags, int32_t flagCount);

// 6507 on success, 5025 when the file does not belong to the model, 5019 otherwise. The lists change only on
// success.
int32_t ReadConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                       int32_t* disableFlags, int32_t flagCount);
bool CheckConfigFileProperty(const std::wstring& path, const ModelRecord& model);
bool ReadDisableCheckSection(const std::wstring& path, int32_t* disableFlags, int32_t flagCount);

// The last-settings file: the configuration written in place (keys from earlier writes stay) plus an empty
// AdminPassword. Nothing is reported.
void WriteLastSettingsFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items);
