// Finds removable drives labelled with the model name: the printer attached as a drive, not a printer.
#pragma once

#include "core/model.h"

#include <cstdint>
#include <string>
#include <vector>

// The volume functions LocalDrives asks; the real ones on Windows.
class IDriveQuery {
public:
    virtual ~IDriveQuery() = default;
    virtual uint32_t LogicalDrives() = 0; // bit 0 = A:
    virtual uint32_t DriveType(const std::wstring& root) = 0;
    virtual bool VolumeLabel(const std::wstring& root, std::wstring& label) = 0;
};

constexpr uint32_t kDriveRemovable = 2;

class LocalDrives {
public:
    explicit LocalDrives(IDriveQuery& drives) : drives_(drives) {}
    std::vector<std::wstring> FindPrinterDrives(const ModelRecord& modelRecord);

private:
    IDriveQuery& drives_;
    ModelRecord model_;
};

// The label names the model when it equals the end of the model name, ignoring ASCII case.
bool LabelMatchesModel(const std::wstring& label, const std::wstring& modelName);
