// What every transport of lxportio holds to, whatever the caller asks of it.
#pragma once

#include <cstdint>

// No call blocks longer than this, whatever time-out it is given.
constexpr uint32_t kLongestTimeoutMs = 60000;

inline uint32_t CappedTimeoutMs(uint32_t timeoutMs) {
    return timeoutMs < kLongestTimeoutMs ? timeoutMs : kLongestTimeoutMs;
}
