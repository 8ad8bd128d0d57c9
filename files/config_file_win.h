// Configuration files and the last-settings file: INI files written and read through the private-profile
// functions, naming the model they were made for and the selected index of every setting item.
#pragma once

#include "core/model.h"
#include "items/setting_item.h"

#include <cstdint>
#include <string>

// Creates the file or truncates an existing one to zero length; false on any failure.
bool CreateEmptyFile(const std::wstring& path);

// 6508 on success, 5020 on failure.
int32_t WriteConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                        const int32_t* disableFlags, int32_t flagCount);
bool WritePropertySection(const std::wstring& path, const ModelRecord& model);
bool WriteDisableCheckSection(const std::wstring& path, const int32_t* disableFlags, int32_t flagCount);

// 6507 on success, 5025 when the file does not belong to the model, 5019 otherwise. Items found in the file
// show their stored selection even when the result is 5019.
int32_t ReadConfigFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items,
                       int32_t* disableFlags, int32_t flagCount);
bool CheckConfigFileProperty(const std::wstring& path, const ModelRecord& model);
bool ReadDisableCheckSection(const std::wstring& path, int32_t* disableFlags, int32_t flagCount);

// The last-settings file: the configuration written in place (keys from earlier writes stay) plus an empty
// AdminPassword. Nothing is reported.
void WriteLastSettingsFile(const std::wstring& path, const ModelRecord& model, const SettingItems& items);
