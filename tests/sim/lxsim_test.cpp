// The simulator program against hostile clients: readers that leave, garbage floods, requests that drip in.
#include "tests/support/lxsim_process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
const std::vector<uint8_t> kStatusRequest{0x1B, 0x40, 0x1B, 0x69, 0x53};

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(LxsimProgram, ReaderThatLeftTakesNothingFromTheNextClient) {
    LxsimProcess sim(LXSIM_PROGRAM, {"--printer", "USB001=104,48"});
    ASSERT_TRUE(sim.Ok());
    // A read that asks to wait far longer than any caller does, abandoned by its client.
    std::vector<uint8_t> request;
    ASSERT_TRUE(simlink::EncodeRequest(simlink::kOpRead, "USB001", 32, 0xFFFFFFFF, nullptr, request));
    const int fd = sim.Connect();
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(LxsimProcess::Send(fd, request));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    ASSERT_TRUE(sim.Call(simlink::kOpWrite, "USB001", kStatusRequest, 5, 500));
    std::vector<uint8_t> block;
    ASSERT_TRUE(sim.Call(simlink::kOpRead, "USB001", {}, 32, 500, &block));
    ASSERT_EQ(block.size(), 32u) << "the status block went to the next client";
    EXPECT_EQ(block[4], 48);
    EXPECT_NE(sim.Log().find("client left while waiting"), std::string::npos);
}

TEST(LxsimProgram, GarbageOnOnePortDoesNotHoldUpAnother) {
    LxsimProcess sim(LXSIM_PROGRAM, {"--printer", "USB001=104,48", "--printer", "USB002=104,50"});
    ASSERT_TRUE(sim.Ok());
    const std::vector<uint8_t> garbage(simlink::kMaxCount, 0xFF);
    std::atomic<bool> stop{false};
    std::atomic<int> floods{0};
    std::thread flood([&] {
        while (!stop) {
            sim.Call(simlink::kOpWrite, "USB001", garbage, static_cast<uint32_t>(garbage.size()), 500);
            ++floods;
        }
    });
    long long slowest = 0;
    for (int i = 0; i < 20; ++i) {
        const auto start = Clock::now();
        std::vector<uint8_t> block;
        EXPECT_TRUE(sim.Call(simlink::kOpWrite, "USB002", kStatusRequest, 5, 500));
        EXPECT_TRUE(sim.Call(simlink::kOpRead, "USB002", {}, 32, 500, &block));
        EXPECT_EQ(block.size(), 32u);
        slowest = std::max(slowest, MsSince(start));
    }
    stop = true;
    flood.join();
    EXPECT_GT(floods.load(), 0);
    EXPECT_LT(slowest, 250) << "a round trip on USB002 waited for USB001's garbage";

    // One log line per run of garbage, not one per byte.
    const std::string log = sim.Log();
    size_t lines = 0;
    for (size_t at = log.find("skipped "); at != std::string::npos; at = log.find("skipped ", at + 1))
        ++lines;
    EXPECT_EQ(lines, static_cast<size_t>(floods.load()));
}

TEST(LxsimProgram, RequestThatDripsInIsCutOffAtItsDeadline) {
    LxsimProcess sim(LXSIM_PROGRAM, {"--printer", "USB001=104,48", "--request-ms", "300"});
    ASSERT_TRUE(sim.Ok());
    std::vector<uint8_t> request;
    ASSERT_TRUE(simlink::EncodeRequest(simlink::kOpWrite, "USB001", 5, 500, kStatusRequest.data(), request));
    const int fd = sim.Connect();
    ASSERT_GE(fd, 0);
    const auto start = Clock::now();
    bool closed = false;
    // One byte every 100 ms: each byte is well within any idle limit, the whole far beyond the deadline.
    for (size_t i = 0; i < request.size() && !closed; ++i) {
        ::send(fd, &request[i], 1, MSG_NOSIGNAL);
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0) {
            uint8_t byte;
            closed = ::recv(fd, &byte, 1, 0) <= 0;
        }
    }
    const long long spent = MsSince(start);
    ::close(fd);
    EXPECT_TRUE(closed) << "the whole request was taken after " << spent << " ms";
    EXPECT_LT(spent, 1000);
    EXPECT_NE(sim.Log().find("late request"), std::string::npos);
}

} // namespace
