// The real platform under a port: the tick counter and Sleep, and the two calls of lxportio.
#pragma once

#include "comm/port/port.h"

#include <atomic>

// The tick counter and Sleep. In the test build pauses may be shortened; the counter then moves on by the
// part not slept, so deadlines still see the whole pause.
class Win32Clock : public IClock {
public:
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;

private:
    std::atomic<uint32_t> skipped_{0};
};

class LxportioDevice : public IPortDevice {
public:
    PortBool Write(char* portName, const uint8_t* data, uint32_t count, uint32_t* moved,
                   uint32_t timeoutMs) override;
    PortBool Read(char* portName, uint8_t* buffer, uint32_t count, uint32_t* moved,
                  uint32_t timeoutMs) override;
    std::string NarrowName(const std::wstring& portName) override;
};

// What is behind a USB port, as lxportio tells it (its ordinal 3, looked up when asked, so a library without
// it still serves the transfers): the device's raw IEEE 1284 id, a device that gave none, nothing at all, or
// not known (the simulator link has no devices to ask).
enum class DeviceIdAnswer { kId, kConnected, kNothing, kUnknown };
DeviceIdAnswer QueryDeviceId(const std::wstring& portName, std::string& raw);
