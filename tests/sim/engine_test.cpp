// The simulated printer and the link format: answers, state, restarts, faults, and what the link refuses.
#include "sim/engine.h"
#include "sim/link.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadAll(sim::PrinterEngine& p, uint64_t now) {
    Bytes out(300);
    out.resize(p.Read(out.data(), out.size(), now));
    return out;
}
size_t Send(sim::PrinterEngine& p, const Bytes& b, uint64_t now = 0) {
    return p.Write(b.data(), b.size(), now);
}

const Bytes kStatus{0x1B, 0x40, 0x1B, 0x69, 0x53};
const Bytes kMode{0x1B, 0x69, 0x61, 0x01};

TEST(Engine, StatusBlockNamesSeriesAndModel) {
    sim::PrinterEngine p(104, 50);
    Send(p, kStatus);
    Bytes block = ReadAll(p, 0);
    ASSERT_EQ(block.size(), 32u);
    EXPECT_EQ(block[3], 104);
    EXPECT_EQ(block[4], 50);
    EXPECT_EQ(p.Count().statusRequests, 1);
}

TEST(Engine, StatusOnlyRightAfterInitializeWhichDropsUnreadAnswers) {
    sim::PrinterEngine p(104, 48);
    Send(p, {0x1B, 0x69, 0x53});
    Send(p, {0x1B, 0x40, 0x00, 0x1B, 0x69, 0x53});
    EXPECT_EQ(p.Readable(0), 0u);
    EXPECT_EQ(p.Count().statusWithoutInitialize, 2);
    Send(p, kStatus);
    Send(p, kStatus);
    EXPECT_EQ(p.Readable(0), 32u) << "the first, unread status block went with the second initialize";
}

TEST(Engine, SettingsNeedCommandModeAndAnswerAtByte31) {
    sim::PrinterEngine p(104, 48);
    Send(p, {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00, 24});
    EXPECT_EQ(p.CurrentSettings().autoOffAc, 6);
    EXPECT_EQ(p.Count().ignoredOutsideCommandMode, 1);
    Send(p, kMode);
    Send(p, {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00, 24, 0x1B, 0x69, 0x55, 0x41, 0x00, 0x01, 5});
    Send(p, {0x1B, 0x69, 0x55, 0x41, 0x01, 0x01}, sim::kDefaultSettleMs);
    Bytes answer = ReadAll(p, sim::kDefaultSettleMs);
    ASSERT_EQ(answer.size(), 32u);
    EXPECT_EQ(answer[30], 5);
    EXPECT_NE(answer[29], 5);
    EXPECT_NE(answer[31], 5);
    EXPECT_EQ(p.CurrentSettings().autoOffAc, 24);
    Send(p, {0x55, 0x0B, 0x03, 0x0D, 80, 0x55, 0x0B, 0x04, 0x0D}, 100);
    EXPECT_EQ(ReadAll(p, 100), Bytes{100}) << "not settled yet";
    Send(p, {0x55, 0x0B, 0x04, 0x0D}, 100 + sim::kDefaultSettleMs);
    EXPECT_EQ(ReadAll(p, 100 + sim::kDefaultSettleMs), Bytes{80});
    Send(p, {0x54, 0x0C, 70});
    EXPECT_EQ(p.CurrentSettings().calibration, 70);
    EXPECT_EQ(p.Count().calibrationTakeOvers, 1);
}

TEST(Engine, CommandsSplitAcrossWritesAndGarbageBetweenThem) {
    sim::PrinterEngine p(104, 48);
    Send(p, kMode);
    Send(p, {0x00, 0x1B, 0x69});
    Send(p, {0x58, 0x6F, 0x00});
    EXPECT_EQ(p.CurrentSettings().printInfo, 0);
    Send(p, {0x02, 0xFF, 0x1B, 0x69, 0x55, 0x4E, 0x1B, 0x69, 0x55, 0x59});
    Send(p, {0x1B, 0x69, 0x58, 0x67, 0x32, 0x02, 0x00, 0x00, 0x01});
    EXPECT_EQ(p.CurrentSettings().printInfo, 2);
    EXPECT_EQ(p.Count().garbageBytes, 2);
    EXPECT_EQ(p.Count().reports, 1);
    EXPECT_EQ(p.Count().templateDeletions, 1);
    EXPECT_EQ(p.Count().logDeletions, 1);
}

TEST(Engine, ResetRestoresDefaultsAndIsGoneWhileRestarting) {
    sim::Faults faults;
    faults.wakeMs = 300;
    sim::PrinterEngine p(104, 48, faults, 1000);
    Send(p, kMode);
    Send(p, {0x1B, 0x69, 0x55, 0x70, 0x00, 0x01});
    Send(p, {0x1B, 0x69, 0x55, 0x69}, 100);
    EXPECT_EQ(p.CurrentSettings().powerOn, 0);
    EXPECT_FALSE(p.Present(1099));
    EXPECT_EQ(Send(p, kMode, 500), 0u);
    EXPECT_TRUE(p.Present(1100));
    EXPECT_EQ(Send(p, kMode, 1399), 0u) << "still waking up";
    EXPECT_EQ(Send(p, kMode, 1400), 4u);
    EXPECT_TRUE(p.InCommandMode());
}

TEST(Engine, FaultsShapeTheAnswers) {
    sim::Faults faults;
    ASSERT_TRUE(sim::ParseFault("accept=3", faults));
    ASSERT_TRUE(sim::ParseFault("split=20", faults));
    ASSERT_TRUE(sim::ParseFault("late=50", faults));
    ASSERT_TRUE(sim::ParseFault("model=49", faults));
    EXPECT_FALSE(sim::ParseFault("accept=", faults));
    EXPECT_FALSE(sim::ParseFault("silent=1", faults));
    EXPECT_FALSE(sim::ParseFault("series=256", faults));
    EXPECT_FALSE(sim::ParseFault("explode", faults));
    sim::PrinterEngine p(104, 48, faults);
    EXPECT_EQ(Send(p, kStatus), 3u);
    EXPECT_EQ(Send(p, {0x69, 0x53}), 2u);
    EXPECT_EQ(p.Readable(49), 0u);
    EXPECT_EQ(p.NextReadableAt(), 50u);
    Bytes first = ReadAll(p, 50);
    Bytes second = ReadAll(p, 50);
    EXPECT_EQ(first.size(), 20u);
    EXPECT_EQ(second.size(), 12u);
    EXPECT_EQ(first[4], 49);
}

TEST(Engine, NoLatchKeepsOnlyTheNamedSetting) {
    sim::Faults faults;
    faults.noLatch = "PowerOn";
    sim::PrinterEngine p(104, 48, faults);
    Send(p, kMode);
    Send(p, {0x1B, 0x69, 0x55, 0x70, 0x00, 0x01, 0x1B, 0x69, 0x58, 0x6F, 0x00, 0x01});
    EXPECT_EQ(p.CurrentSettings().powerOn, 0);
    EXPECT_EQ(p.CurrentSettings().printInfo, 1);
}

TEST(Engine, UnreadAnswersStopAtTheOutputBufferWholeAnswersDropped) {
    sim::PrinterEngine p(104, 48);
    const Bytes get{0x1B, 0x69, 0x55, 0x70, 0x01};
    Bytes requests = kMode;
    for (int i = 0; i < 200; ++i)
        requests.insert(requests.end(), get.begin(), get.end());
    Send(p, requests);
    const size_t fits = sim::kOutputBufferSize / 32;
    EXPECT_EQ(p.Readable(0), fits * 32);
    EXPECT_EQ(p.Count().droppedAnswers, static_cast<int>(200 - fits));
    // Room made by reading takes whole answers again.
    Bytes first = ReadAll(p, 0);
    Send(p, get);
    EXPECT_EQ(p.Readable(0), fits * 32 - first.size() + 32);
}

TEST(Engine, ARunOfGarbageIsCountedAndLoggedAsOneShortLine) {
    sim::PrinterEngine p(104, 48);
    p.TakeLog();
    Bytes input(64 * 1024, 0xFF);
    input.insert(input.end(), kStatus.begin(), kStatus.end());
    input.insert(input.end(), 100, 0x00);
    Send(p, input);
    EXPECT_EQ(p.Count().garbageBytes, 64 * 1024 + 100);
    EXPECT_EQ(p.Count().statusRequests, 1);
    int skipped = 0;
    for (const auto& line : p.TakeLog()) {
        skipped += line.rfind("skipped ", 0) == 0;
        EXPECT_LT(line.size(), 200u) << line.substr(0, 200);
    }
    EXPECT_EQ(skipped, 2) << "one line before the status request, one after";
}

TEST(Engine, AFloodOfCommandsInOneWriteLogsAHandfulOfLines) {
    for (const Bytes& unit : {Bytes{0x1B, 0x40, 0x1B, 0x69, 0x53}, Bytes{0x1B, 0x69, 0x53}}) {
        sim::PrinterEngine p(104, 48);
        p.TakeLog();
        Bytes input;
        while (input.size() + unit.size() <= 64 * 1024)
            input.insert(input.end(), unit.begin(), unit.end());
        Send(p, input);
        const std::vector<std::string> log = p.TakeLog();
        EXPECT_LE(log.size(), 20u);
        EXPECT_NE(log.back().find("not logged one by one"), std::string::npos) << log.back();
    }
}

TEST(Engine, MaintenanceCommandsActOnWhatThePrinterHolds) {
    sim::Faults faults;
    ASSERT_TRUE(sim::ParseFault("printlog=30", faults));
    ASSERT_TRUE(sim::ParseFault("templates=4", faults));
    sim::PrinterEngine p(104, 48, faults);
    ASSERT_EQ(p.PrintLog().size(), 30u);
    EXPECT_EQ(p.PrintLog()[29].sequence, sim::SeededLogRecord(29).sequence);
    const Bytes header{0x1B, 0x69, 0x58, 0x67, 0x31, 0x00, 0x00, 0x01};
    Send(p, kMode);
    Send(p, {0x1B, 0x69, 0x55, 0x4E, 0x1B, 0x69, 0x55, 0x59});
    EXPECT_EQ(p.Count().reports, 1);
    EXPECT_EQ(p.Templates(), 0u);
    Send(p, header);
    EXPECT_EQ(ReadAll(p, 0), sim::LogHeaderPiece(30));
    Send(p, {0x1B, 0x69, 0x58, 0x67, 0x32, 0x02, 0x00, 0x00, 0x01});
    EXPECT_TRUE(p.PrintLog().empty());
    Send(p, {0x1B, 0x69, 0x58, 0x67, 0x31, 0x01, 0x00, 0x01});
    EXPECT_EQ(p.Readable(0), 0u) << "the deletion ended the transfer";
    Send(p, header);
    EXPECT_EQ(ReadAll(p, 0), sim::LogHeaderPiece(0));
}

TEST(Link, RequestsRoundTripAndMalformedOnesAreRecognised) {
    const uint8_t data[] = {1, 2, 3};
    Bytes wire;
    ASSERT_TRUE(simlink::EncodeRequest('W', "USB001", 3, 500, data, wire));
    EXPECT_EQ(wire, (Bytes{'W', 6, 'U', 'S', 'B', '0', '0', '1', 3, 0, 0, 0, 0xF4, 1, 0, 0, 1, 2, 3}));
    simlink::Request r;
    for (size_t n = 0; n < wire.size(); ++n)
        EXPECT_EQ(simlink::ParseRequest(Bytes(wire.begin(), wire.begin() + static_cast<long>(n)), r),
                  simlink::ParseResult::kIncomplete);
    ASSERT_EQ(simlink::ParseRequest(wire, r), simlink::ParseResult::kComplete);
    EXPECT_EQ(r.portName, "USB001");
    EXPECT_EQ(r.timeoutMs, 500u);
    EXPECT_EQ(r.data, Bytes(data, data + 3));
    wire.push_back(0);
    EXPECT_EQ(simlink::ParseRequest(wire, r), simlink::ParseResult::kMalformed);
    EXPECT_EQ(simlink::ParseRequest(Bytes{'X', 0}, r), simlink::ParseResult::kMalformed);
    ASSERT_TRUE(simlink::EncodeRequest('R', "", 32, 500, nullptr, wire));
    ASSERT_EQ(simlink::ParseRequest(wire, r), simlink::ParseResult::kComplete);
    EXPECT_EQ(r.count, 32u);
    EXPECT_TRUE(simlink::EncodeRequest('R', std::string(255, 'P'), 1, 500, nullptr, wire));
    EXPECT_FALSE(simlink::EncodeRequest('R', std::string(256, 'P'), 1, 500, nullptr, wire));
    EXPECT_FALSE(simlink::EncodeRequest('R', "USB001", simlink::kMaxCount + 1, 500, nullptr, wire));
}

TEST(Link, OnlyLoopbackAddressesAreAccepted) {
    simlink::Address a;
    ASSERT_TRUE(simlink::ParseAddress("127.0.0.1:9100", a));
    EXPECT_EQ(a.ipv4, 0x7F000001u);
    EXPECT_EQ(a.port, 9100);
    EXPECT_TRUE(simlink::ParseAddress("127.1.2.3:1", a));
    EXPECT_TRUE(simlink::ParseAddress("localhost:65535", a));
    for (const char* bad : {"10.0.0.1:9100", "0.0.0.0:9100", "128.0.0.1:80", "127.0.0.1", "127.0.0.1:0",
                            "127.0.0.1:65536", "127.0.0.256:1", "127.0.0:1", "127.0.0.1.5:1",
                            "example.com:80", "", ":9100", "127.0.0.1:-1", " 127.0.0.1:1"})
        EXPECT_FALSE(simlink::ParseAddress(bad, a)) << bad;
    EXPECT_EQ(simlink::FormatAddress({0x7F000001, 9100}), "127.0.0.1:9100");
}

} // namespace
