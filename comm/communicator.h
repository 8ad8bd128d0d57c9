// The communicator: owns the port for one exchange and sends the fixed commands every exchange begins with.
#pragma once

#include "comm/port.h"
#include "items/setting_item.h"

#include <cstdint>
#include <memory>
#include <string>

// Fixed printer commands of every exchange, in one place.
namespace printer_command {
constexpr uint8_t kStatusRequest[] = {0x1B, 0x40, 0x1B, 0x69, 0x53}; // ESC @ ESC i S
constexpr uint8_t kCommandMode[] = {0x1B, 0x69, 0x61, 0x01};         // ESC i a 01
constexpr uint8_t kFactoryReset[] = {0x1B, 0x69, 0x55, 0x69};        // ESC i U i
} // namespace printer_command

constexpr uint32_t kStatusBlockSize = 32;
constexpr size_t kStatusSeriesOffset = 3;
constexpr size_t kStatusModelOffset = 4;

class CCommunicater {
public:
    CCommunicater(const std::wstring& portName, const PortEnv& env);
    CCommunicater(const CCommunicater&) = delete;
    CCommunicater& operator=(const CCommunicater&) = delete;

    // Reads the 32-byte status block; the caller's buffer changes only on success.
    bool RequestStatus(uint8_t* status);
    bool SetCommandMode();
    bool SendSettings(const SettingItems& items);
    bool ReadSettings(const SettingItems& items);

    const std::shared_ptr<CPort>& Port() const { return port_; }

private:
    std::shared_ptr<CPort> port_;
};
