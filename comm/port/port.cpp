// The USB port's transfer loop: retry partial transfers with pauses until all bytes moved or the deadline.
#include "comm/port/port.h"

#include <cstring>
#include <vector>

CPort_USB::CPort_USB(const std::wstring& portName, const PortEnv& env)
    : CPort(portName, env.device ? env.device->NarrowName(portName) : std::string()), env_(env) {}

PortBool CPort_USB::Write(const uint8_t* data, uint32_t length) {
    // The transfer never writes through the pointer when sending.
    return Transfer(Direction::kWrite, const_cast<uint8_t*>(data), length);
}

PortBool CPort_USB::Read(uint8_t* buffer, uint32_t length) {
    return Transfer(Direction::kRead, buffer, length);
}

PortBool CPort_USB::Transfer(Direction direction, uint8_t* bytes, uint32_t length) {
    if (!bytes || length == 0 || NarrowPortName().empty() || !env_.clock || !env_.device)
        return kPortFalse;
    // Replies land in a buffer of our own first, so a failed read leaves the caller's buffer untouched.
    if (direction == Direction::kRead && length > kPortStagingSize)
        return kPortFalse;
    uint8_t staging[kPortStagingSize] = {};
    // The device may keep the name pointer for the call only; it gets a writable copy each time.
    std::vector<char> name(NarrowPortName().begin(), NarrowPortName().end());
    name.push_back('\0');

    // Elapsed time, not "now < start + deadline": the tick counter wraps and the deadline must still hold.
    const uint32_t start = env_.clock->TickCount();
    uint32_t done = 0;
    while (env_.clock->TickCount() - start < kPortDeadlineMs) {
        uint32_t moved = 0;
        const uint32_t remaining = length - done;
        PortBool ok =
            direction == Direction::kWrite
                ? env_.device->Write(name.data(), bytes + done, remaining, &moved, kPortCallTimeoutMs)
                : env_.device->Read(name.data(), staging + done, remaining, &moved, kPortCallTimeoutMs);
        // A device that claims more than was offered has not told us anything we can trust.
        if (ok && moved > remaining)
            return kPortFalse;
        if (ok && moved != 0) {
            done += moved;
            if (done == length) {
                if (direction == Direction::kRead)
                    std::memcpy(bytes, staging, length);
                return ok;
            }
        }
        env_.clock->Sleep(kPortRetryPauseMs);
    }
    return kPortFalse;
}

bool IsUsbPortName(const std::wstring& portName) {
    static const wchar_t kUsb[] = L"USB";
    if (portName.size() < 3)
        return false;
    for (size_t i = 0; i < 3; ++i) {
        wchar_t c = portName[i];
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != kUsb[i])
            return false;
    }
    return true;
}

std::shared_ptr<CPort> CreatePort(const std::wstring& portName, const PortEnv& env) {
    if (!IsUsbPortName(portName))
        return {};
    return std::make_shared<CPort_USB>(portName, env);
}
