// A test's drives: letters with a type, a label and whether the label can be read.
#pragma once

#include "comm/local_drives.h"

#include <cstdint>
#include <map>
#include <string>

class FakeDrives : public IDriveQuery {
public:
    struct Drive {
        uint32_t type;
        std::wstring label;
        bool readable = true;
    };
    uint32_t LogicalDrives() override {
        uint32_t mask = 0;
        for (const auto& [letter, drive] : drives)
            mask |= 1u << (letter - L'A');
        return mask;
    }
    uint32_t DriveType(const std::wstring& root) override { return drives.at(root[0]).type; }
    bool VolumeLabel(const std::wstring& root, std::wstring& label) override {
        const Drive& d = drives.at(root[0]);
        label = d.label;
        return d.readable;
    }
    std::map<wchar_t, Drive> drives{{L'C', {3, L"LX-410"}}};
};
