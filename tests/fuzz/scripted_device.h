// Fuzz targets' port device: every call's outcome and every answer byte come from the fuzz input.
#pragma once

#include "comm/port/port.h"
#include "tests/fuzz/fuzz_target.h"

#include <algorithm>
#include <cstring>
#include <string>

// Each device call takes its outcome from the input. A write: one byte, 0 fails, 0xFF claims one byte more
// than offered, else that many bytes at most are taken. A read: one byte n, 0xFF fails, 0xFE claims more than
// asked, else up to n bytes of the input follow as the answer. An input that has run out fails every call.
class ScriptedDevice : public IPortDevice {
public:
    explicit ScriptedDevice(FuzzInput& in) : in_(in) {}
    PortBool Write(char*, const uint8_t*, uint32_t count, uint32_t* moved, uint32_t) override {
        if (in_.Empty())
            return kPortFalse;
        const uint8_t b = in_.Byte();
        if (b == 0)
            return kPortFalse;
        *moved = b == 0xFF ? count + 1 : std::min<uint32_t>(b, count);
        return kPortTrue;
    }
    PortBool Read(char*, uint8_t* buffer, uint32_t count, uint32_t* moved, uint32_t) override {
        if (in_.Empty())
            return kPortFalse;
        const uint8_t b = in_.Byte();
        if (b == 0xFF)
            return kPortFalse;
        if (b == 0xFE) {
            *moved = count + 1;
            return kPortTrue;
        }
        size_t n = std::min<size_t>(b, count);
        const uint8_t* answer = in_.Take(n);
        std::memcpy(buffer, answer, n);
        *moved = static_cast<uint32_t>(n);
        return kPortTrue;
    }
    std::string NarrowName(const std::wstring& name) override {
        return std::string(name.begin(), name.end());
    }

private:
    FuzzInput& in_;
};
