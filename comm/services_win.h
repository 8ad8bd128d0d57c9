// The real platform behind the exchanges: the port's clock and device, volume functions, the spooler.
#pragma once

#include "comm/port/port_win.h"
#include "comm/transactions.h"

class Win32Drives : public IDriveQuery {
public:
    uint32_t LogicalDrives() override;
    uint32_t DriveType(const std::wstring& root) override;
    bool VolumeLabel(const std::wstring& root, std::wstring& label) override;
};

// The services of the shipped program; lives for the whole process.
const CommServices& Win32CommServices();
