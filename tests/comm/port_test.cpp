// The USB port's transfer loop on a scripted device and a virtual clock: retries, pieces, silence, refusals.
#include "tests/support/virtual_clock.h"
#include "comm/port/port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Each device call runs the next step of a script; when the script ends, calls succeed with nothing moved.
struct Call {
    bool write;
    uint32_t offered;
    uint32_t at;
    std::string name;
};
using Step = std::function<PortBool(uint8_t* bytes, uint32_t count, uint32_t* moved)>;

class ScriptedDevice : public IPortDevice {
public:
    explicit ScriptedDevice(VirtualClock& clock) : clock_(clock) {}
    PortBool Write(char* name, const uint8_t* data, uint32_t count, uint32_t* moved,
                   uint32_t timeout) override {
        EXPECT_EQ(timeout, kPortCallTimeoutMs);
        calls.push_back({true, count, clock_.TickCount(), name});
        sent.insert(sent.end(), data, data + std::min(count, acceptEach));
        return Next(const_cast<uint8_t*>(data), count, moved);
    }
    PortBool Read(char* name, uint8_t* buffer, uint32_t count, uint32_t* moved, uint32_t timeout) override {
        EXPECT_EQ(timeout, kPortCallTimeoutMs);
        calls.push_back({false, count, clock_.TickCount(), name});
        return Next(buffer, count, moved);
    }
    std::string NarrowName(const std::wstring& name) override {
        return std::string(name.begin(), name.end());
    }

    PortBool Next(uint8_t* bytes, uint32_t count, uint32_t* moved) {
        EXPECT_EQ(*moved, 0u) << "the count must be cleared before each call";
        if (step < script.size())
            return script[step++](bytes, count, moved);
        return kPortTrue;
    }

    std::vector<Step> script;
    std::vector<Call> calls;
    std::vector<uint8_t> sent;
    uint32_t acceptEach = UINT32_MAX;
    size_t step = 0;

private:
    VirtualClock& clock_;
};

Step Accept(uint32_t n) {
    return [n](uint8_t*, uint32_t count, uint32_t* moved) {
        *moved = std::min(n, count);
        return kPortTrue;
    };
}

Step Deliver(std::vector<uint8_t> piece) {
    return [piece](uint8_t* buffer, uint32_t count, uint32_t* moved) {
        const uint32_t n = std::min<uint32_t>(count, static_cast<uint32_t>(piece.size()));
        std::copy(piece.begin(), piece.begin() + n, buffer);
        *moved = n;
        return kPortTrue;
    };
}

Step Refuse() {
    return [](uint8_t*, uint32_t, uint32_t*) { return kPortFalse; };
}

class PortTest : public ::testing::Test {
protected:
    VirtualClock clock{1000};
    ScriptedDevice device{clock};
    CPort_USB port{L"USB001", PortEnv{&clock, &device}};
};

TEST_F(PortTest, RefusesNullDataZeroLengthAndEmptyNameWithoutDeviceCall) {
    uint8_t bytes[4] = {1, 2, 3, 4};
    EXPECT_FALSE(port.Write(nullptr, 4));
    EXPECT_FALSE(port.Write(bytes, 0));
    EXPECT_FALSE(port.Read(nullptr, 4));
    EXPECT_FALSE(port.Read(bytes, 0));
    CPort_USB unnamed(L"", PortEnv{&clock, &device});
    EXPECT_FALSE(unnamed.Write(bytes, 4));
    EXPECT_FALSE(unnamed.Read(bytes, 4));
    EXPECT_TRUE(device.calls.empty());
    EXPECT_EQ(clock.Slept(), 0u);
}

TEST_F(PortTest, PartialWriteSendsTheRestAfterOnePause) {
    const uint8_t bytes[5] = {0x1B, 0x69, 0x55, 0x70, 0x01};
    device.acceptEach = 3;
    device.script = {Accept(3), Accept(3)};
    EXPECT_TRUE(port.Write(bytes, 5));
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_EQ(device.calls[0].offered, 5u);
    EXPECT_EQ(device.calls[1].offered, 2u);
    EXPECT_EQ(device.calls[1].at - device.calls[0].at, kPortRetryPauseMs);
    EXPECT_EQ(device.sent, std::vector<uint8_t>(bytes, bytes + 5));
    EXPECT_EQ(device.calls[0].name, "USB001");
}

TEST_F(PortTest, SplitReplyIsJoinedInOrder) {
    std::vector<uint8_t> reply(32);
    for (size_t i = 0; i < reply.size(); ++i)
        reply[i] = static_cast<uint8_t>(0xA0 + i);
    device.script = {Deliver({reply.begin(), reply.begin() + 20}),
                     Deliver({reply.begin() + 20, reply.end()})};
    uint8_t buffer[32] = {};
    EXPECT_TRUE(port.Read(buffer, 32));
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 32), reply);
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_EQ(device.calls[1].offered, 12u);
}

TEST_F(PortTest, SilenceFailsAtTheDeadlineAndLeavesTheBufferAlone) {
    // Each read call spends its full time-out, as a real silent device does.
    for (int i = 0; i < 20; ++i)
        device.script.push_back([this](uint8_t*, uint32_t, uint32_t*) {
            clock.Advance(kPortCallTimeoutMs);
            return kPortTrue;
        });
    uint8_t buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), 0x77);
    const uint32_t start = clock.TickCount();
    EXPECT_FALSE(port.Read(buffer, 32));
    const uint32_t spent = clock.TickCount() - start;
    EXPECT_GE(spent, kPortDeadlineMs);
    EXPECT_LE(spent, kPortDeadlineMs + kPortCallTimeoutMs + kPortRetryPauseMs);
    EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer), [](uint8_t b) { return b == 0x77; }));
}

TEST_F(PortTest, PieceThenSilenceStillLeavesTheBufferAlone) {
    device.script = {Deliver(std::vector<uint8_t>(20, 0x11))};
    uint8_t buffer[32] = {};
    EXPECT_FALSE(port.Read(buffer, 32));
    EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer), [](uint8_t b) { return b == 0; }));
    // 2000 ms of 200 ms pauses: one call at each of 0, 200, ..., 1800.
    EXPECT_EQ(device.calls.size(), 10u);
}

TEST_F(PortTest, SuccessWithZeroCountAndRefusalsAreRetried) {
    const uint8_t bytes[4] = {0x1B, 0x69, 0x61, 0x01};
    device.script = {Accept(0), Refuse(), Accept(4)};
    EXPECT_TRUE(port.Write(bytes, 4));
    ASSERT_EQ(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[2].at - device.calls[0].at, 2 * kPortRetryPauseMs);
}

TEST_F(PortTest, DeviceClaimingMoreThanOfferedIsAFailureNotAnOverrun) {
    const uint8_t bytes[4] = {1, 2, 3, 4};
    device.script = {Accept(2), [](uint8_t*, uint32_t count, uint32_t* moved) {
                         *moved = count + 100;
                         return kPortTrue;
                     }};
    EXPECT_FALSE(port.Write(bytes, 4));
    uint8_t buffer[8] = {};
    device.step = 0;
    device.script = {[](uint8_t*, uint32_t count, uint32_t* moved) {
        *moved = count + 1;
        return kPortTrue;
    }};
    EXPECT_FALSE(port.Read(buffer, 8));
}

TEST_F(PortTest, ReadLongerThanTheStagingBufferIsRefused) {
    std::vector<uint8_t> buffer(kPortStagingSize + 1);
    EXPECT_FALSE(port.Read(buffer.data(), static_cast<uint32_t>(buffer.size())));
    EXPECT_TRUE(device.calls.empty());
    device.script = {Deliver(std::vector<uint8_t>(kPortStagingSize, 0x42))};
    EXPECT_TRUE(port.Read(buffer.data(), kPortStagingSize));
}

TEST_F(PortTest, DeadlineHoldsAcrossTickCounterWrap) {
    VirtualClock nearWrap(UINT32_MAX - 300);
    CPort_USB wrapping(L"USB001", PortEnv{&nearWrap, &device});
    const uint8_t bytes[2] = {1, 2};
    EXPECT_FALSE(wrapping.Write(bytes, 2));
    EXPECT_EQ(device.calls.size(), 10u) << "the whole deadline is used, not cut short by the wrap";
}

TEST(PortFactory, UsbPrefixIgnoringAsciiCaseGivesAUsbPort) {
    VirtualClock clock;
    ScriptedDevice device(clock);
    const PortEnv env{&clock, &device};
    EXPECT_TRUE(CreatePort(L"USB001", env));
    EXPECT_TRUE(CreatePort(L"usb001", env));
    EXPECT_TRUE(CreatePort(L"uSb", env));
    EXPECT_FALSE(CreatePort(L"LPT1:", env));
    EXPECT_FALSE(CreatePort(L"COM1:", env));
    EXPECT_FALSE(CreatePort(L"US", env));
    EXPECT_FALSE(CreatePort(L"", env));
    EXPECT_FALSE(CreatePort(L" USB001", env));
    auto port = CreatePort(L"usb002", env);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->PortName(), L"usb002");
    EXPECT_EQ(port->NarrowPortName(), "usb002");
}

} // namespace
