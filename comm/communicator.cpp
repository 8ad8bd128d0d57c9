// The communicator's fixed commands and the loops that hand the port to each setting item.
#include "comm/communicator.h"

#include <cstring>

CCommunicater::CCommunicater(const std::wstring& portName, const PortEnv& env)
    : port_(CreatePort(portName, env)) {}

bool CCommunicater::RequestStatus(uint8_t* status) {
    if (!port_ || !status)
        return false;
    if (!port_->Write(printer_command::kStatusRequest, sizeof printer_command::kStatusRequest))
        return false;
    uint8_t block[kStatusBlockSize] = {};
    if (!port_->Read(block, kStatusBlockSize))
        return false;
    std::memcpy(status, block, kStatusBlockSize);
    return true;
}

bool CCommunicater::SetCommandMode() {
    if (!port_)
        return false;
    return port_->Write(printer_command::kCommandMode, sizeof printer_command::kCommandMode) != kPortFalse;
}

bool CCommunicater::SendSettings(const SettingItems& items) {
    if (!port_ || items.empty())
        return false;
    for (const auto& item : items)
        if (!item || !item->SendApplyCmd(port_))
            return false;
    return true;
}

bool CCommunicater::ReadSettings(const SettingItems& items) {
    if (!port_ || items.empty())
        return false;
    for (const auto& item : items)
        if (!item || !item->ReadCurrentParam(port_))
            return false;
    return true;
}
