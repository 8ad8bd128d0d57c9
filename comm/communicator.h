// The communicator: owns the port for one exchange and sends the fixed commands every exchange begins with.
#pragma once

#include "comm/port/port.h"
#include "items/setting_item.h"

#include <cstdint>
#include <memory>
#include <string>

// Fixed printer commands of every exchange, in one place.
namespace printer_command {
constexpr uint8_t kStatusRequest[] = {0x1B, 0x40, 0x1B, 0x69, 0x53}; // ESC @ ESC i S
constexpr uint8_t kCommandMode[] = {0x1B, 0x69, 0x61, 0x01};         // ESC i a 01
constexpr uint8_t kFactoryReset[] = {0x1B, 0x69, 0x55, 0x69};        // ESC i U i
constexpr uint8_t kInformationReport[] = {0x1B, 0x69, 0x55, 0x4E};   // ESC i U N
constexpr uint8_t kDeleteTemplates[] = {0x1B, 0x69, 0x55, 0x59};     // ESC i U Y
constexpr uint8_t kDeletePrintLog[] = {0x1B, 0x69, 0x58, 0x67, 0x32,
                                       0x02, 0x00, 0x00, 0x01}; // ESC i X g 2 ..
constexpr uint8_t kCalibrationTakeOver[] = {0x54, 0x0C};        // T 0C, then the value
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
