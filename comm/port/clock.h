// The tick counter and pauses every bounded wait on the printer uses; real on Windows, virtual in tests.
#pragma once

#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; wraps like the Windows tick counter.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};
