// Writing the command file with a backup of the file it replaces: on every failure the earlier file is back
// under its name, or, when the partly written file cannot be removed, still under its backup name.
#pragma once

#include "core/model.h"
#include "items/setting_item.h"

#include <cstdint>
#include <string>

// 6503 on success; 5017 when the file cannot be created (or the path names a folder); 5020 otherwise.
int32_t WriteCommandFile(std::wstring path, ModelRecord model, SettingItems items);
