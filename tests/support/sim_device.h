// Host-test port device: connects ports straight to simulated printers, with waits on a virtual clock.
#pragma once

#include "tests/support/virtual_clock.h"
#include "comm/port/port.h"
#include "sim/engine.h"

#include <map>
#include <memory>
#include <string>

class SimDevice : public IPortDevice {
public:
    explicit SimDevice(VirtualClock& clock) : clock_(clock) {}

    sim::PrinterEngine& Add(const std::string& port, uint8_t series, uint8_t model, sim::Faults faults = {},
                            uint32_t restartMs = 8000) {
        auto& slot = printers_[port];
        slot = std::make_unique<sim::PrinterEngine>(series, model, faults, restartMs);
        return *slot;
    }

    PortBool Write(char* portName, const uint8_t* data, uint32_t count, uint32_t* moved, uint32_t) override {
        ++writes;
        sim::PrinterEngine* engine = Find(portName);
        if (!engine || !engine->Present(Now()))
            return kPortFalse;
        *moved = static_cast<uint32_t>(engine->Write(data, count, Now()));
        return kPortTrue;
    }

    PortBool Read(char* portName, uint8_t* buffer, uint32_t count, uint32_t* moved,
                  uint32_t timeoutMs) override {
        ++reads;
        sim::PrinterEngine* engine = Find(portName);
        if (!engine || !engine->Present(Now()))
            return kPortFalse;
        // Like the link: wait up to the time-out for answer bytes, then hand out what there is.
        if (engine->Readable(Now()) == 0) {
            const uint64_t next = engine->NextReadableAt();
            const uint64_t wait = next == UINT64_MAX || next > Now() + timeoutMs ? timeoutMs : next - Now();
            clock_.Advance(static_cast<uint32_t>(wait));
        }
        *moved = static_cast<uint32_t>(engine->Read(buffer, count, Now()));
        return kPortTrue;
    }

    std::string NarrowName(const std::wstring& portName) override {
        std::string narrow;
        for (wchar_t c : portName)
            narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }

    int writes = 0;
    int reads = 0;

private:
    uint64_t Now() const { return clock_.TickCount(); }
    sim::PrinterEngine* Find(const char* name) {
        auto it = printers_.find(name);
        return it == printers_.end() ? nullptr : it->second.get();
    }

    VirtualClock& clock_;
    std::map<std::string, std::unique_ptr<sim::PrinterEngine>> printers_;
};
