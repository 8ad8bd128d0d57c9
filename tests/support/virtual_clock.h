// A clock for tests: time moves only when someone sleeps or advances it.
#pragma once

#include "comm/port/clock.h"

#include <cstdint>

// Time that moves only when someone sleeps or advances it: multi-second waits run in microseconds.
class VirtualClock : public IClock {
public:
    explicit VirtualClock(uint32_t start = 0) : now_(start) {}
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t ms) override {
        now_ += ms;
        slept_ += ms;
    }
    void Advance(uint32_t ms) { now_ += ms; }
    uint64_t Slept() const { return slept_; }

private:
    uint32_t now_;
    uint64_t slept_ = 0;
};
