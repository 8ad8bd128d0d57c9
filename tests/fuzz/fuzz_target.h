// What every fuzz target provides: the libFuzzer entry point and a few well-formed inputs to start from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Inputs the regression runner mutates and the libFuzzer run starts its corpus with.
std::vector<std::vector<std::uint8_t>> FuzzSeeds();

// A broken invariant is a crash, so that both libFuzzer and the runner keep the input.
[[noreturn]] inline void FuzzFault(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

// Takes bytes from the front of the input; past its end every take gives 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : at_(data), end_(data + size) {}
    bool Empty() const { return at_ == end_; }
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }
    std::uint8_t Byte() { return at_ == end_ ? 0 : *at_++; }
    // Up to n bytes, fewer at the end of the input.
    const std::uint8_t* Take(std::size_t& n) {
        if (n > Left())
            n = Left();
        const std::uint8_t* p = at_;
        at_ += n;
        return p;
    }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};
