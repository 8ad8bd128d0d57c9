// Printer ports: byte transfers to a named port that either complete within a deadline or fail.
#pragma once

#include "comm/port/clock.h"

#include <cstdint>
#include <memory>
#include <string>

// Windows BOOL: nonzero is success.
using PortBool = int32_t;
constexpr PortBool kPortFalse = 0;
constexpr PortBool kPortTrue = 1;

// The two device calls of the USB I/O library; on Windows they are its ordinals 1 and 2.
class IPortDevice {
public:
    virtual ~IPortDevice() = default;
    virtual PortBool Write(char* portName, const uint8_t* data, uint32_t count, uint32_t* moved,
                           uint32_t timeoutMs) = 0;
    virtual PortBool Read(char* portName, uint8_t* buffer, uint32_t count, uint32_t* moved,
                          uint32_t timeoutMs) = 0;
    // The 8-bit form of a port name that the device calls take (the ANSI code page on Windows).
    virtual std::string NarrowName(const std::wstring& portName) = 0;
};

// What a port needs from the platform; both outlive every port made with them.
struct PortEnv {
    IClock* clock = nullptr;
    IPortDevice* device = nullptr;
};

constexpr uint32_t kPortDeadlineMs = 2000;
constexpr uint32_t kPortRetryPauseMs = 200;
constexpr uint32_t kPortCallTimeoutMs = 500;
constexpr uint32_t kPortStagingSize = 260;

class CPort {
public:
    virtual ~CPort() = default;
    CPort(const CPort&) = delete;
    CPort& operator=(const CPort&) = delete;

    virtual PortBool Write(const uint8_t* data, uint32_t length) = 0;
    virtual PortBool Read(uint8_t* buffer, uint32_t length) = 0;
    virtual PortBool Close() = 0;
    virtual PortBool Open() = 0;
    virtual PortBool Configure(uint32_t baudRate) = 0;
    virtual PortBool SetDefaultConfig(const std::wstring& portName, uint32_t count, uint32_t baudRate) = 0;

    const std::wstring& PortName() const { return portName_; }
    const std::string& NarrowPortName() const { return narrowName_; }

protected:
    CPort(std::wstring portName, std::string narrowName)
        : portName_(std::move(portName)), narrowName_(std::move(narrowName)) {}

private:
    std::wstring portName_;
    std::string narrowName_;
};

class CPort_USB : public CPort {
public:
    CPort_USB(const std::wstring& portName, const PortEnv& env);

    PortBool Write(const uint8_t* data, uint32_t length) override;
    PortBool Read(uint8_t* buffer, uint32_t length) override;
    PortBool Close() override { return kPortTrue; }
    PortBool Open() override { return kPortTrue; }
    PortBool Configure(uint32_t) override { return kPortTrue; }
    PortBool SetDefaultConfig(const std::wstring&, uint32_t, uint32_t) override { return kPortTrue; }

private:
    enum class Direction { kWrite, kRead };
    PortBool Transfer(Direction direction, uint8_t* bytes, uint32_t length);

    PortEnv env_;
};

// True when the name begins with "USB", ignoring the case of ASCII letters.
bool IsUsbPortName(const std::wstring& portName);

// A CPort_USB for a USB port name; empty for any other name.
std::shared_ptr<CPort> CreatePort(const std::wstring& portName, const PortEnv& env);
