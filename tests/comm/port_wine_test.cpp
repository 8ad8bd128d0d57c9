// The USB port through lxportio.dll and the simulator program: pieces, silence, bad answers, refusals.
#include "comm/communicator.h"
#include "comm/port/lxportio_win.h"
#include "comm/print_log.h"
#include "comm/services_win.h"
#include "sim/print_log.h"
#include "tests/support/sim_fixture_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const uint8_t kStatusRequest[] = {0x1B, 0x40, 0x1B, 0x69, 0x53};

// These tests leave USB001 and the printers of the spooler to the transaction tests, which may run alongside.
class PortWineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simfixture::Connect()) << "no simulator fixture (LX_SIM_DIR)"; }

    std::shared_ptr<CPort> Port(const std::wstring& name) {
        return CreatePort(name, PortEnv{&clock, &device});
    }
    static DWORD Since(DWORD start) { return ::GetTickCount() - start; }

    Win32Clock clock;
    LxportioDevice device;
};

TEST_F(PortWineTest, StatusExchangeOverTheLink) {
    auto port = Port(L"USB002");
    uint8_t block[32] = {};
    ASSERT_TRUE(port->Write(kStatusRequest, sizeof kStatusRequest));
    ASSERT_TRUE(port->Read(block, 32));
    EXPECT_EQ(block[3], 104);
    EXPECT_EQ(block[4], 50);
}

TEST_F(PortWineTest, PartialWritesAndSplitAnswersComplete) {
    auto accepting = Port(L"USB020"); // takes 3 bytes per call
    uint8_t block[32] = {};
    DWORD start = ::GetTickCount();
    ASSERT_TRUE(accepting->Write(kStatusRequest, sizeof kStatusRequest));
    EXPECT_GE(Since(start), kPortRetryPauseMs);
    ASSERT_TRUE(accepting->Read(block, 32));
    EXPECT_EQ(block[4], 48);

    auto splitting = Port(L"USB021"); // answers in pieces of 20
    std::fill(std::begin(block), std::end(block), 0);
    ASSERT_TRUE(splitting->Write(kStatusRequest, sizeof kStatusRequest));
    start = ::GetTickCount();
    ASSERT_TRUE(splitting->Read(block, 32));
    EXPECT_GE(Since(start), kPortRetryPauseMs);
    EXPECT_EQ(block[0], 0x80);
    EXPECT_EQ(block[3], 104);
    EXPECT_EQ(block[4], 48);
}

TEST_F(PortWineTest, LateAnswerWithinTheCallTimeOutArrives) {
    auto port = Port(L"USB028"); // answers 300 ms late
    uint8_t block[32] = {};
    ASSERT_TRUE(port->Write(kStatusRequest, sizeof kStatusRequest));
    ASSERT_TRUE(port->Read(block, 32));
    EXPECT_EQ(block[4], 48);
}

TEST_F(PortWineTest, SilenceAndBadAnswersFailWithinTheDeadline) {
    // silent, short answer (both take the request); closes mid-answer, claims more than asked, never answers,
    // no printer at all (these fail the request as well, so only the read is timed)
    const std::pair<const wchar_t*, bool> cases[] = {{L"USB022", true},  {L"USB027", true},
                                                     {L"USB023", false}, {L"USB024", false},
                                                     {L"USB025", false}, {L"USB099", false}};
    for (const auto& [name, takesRequest] : cases) {
        auto port = Port(name);
        if (takesRequest) {
            ASSERT_TRUE(port->Write(kStatusRequest, sizeof kStatusRequest));
        }
        uint8_t block[32];
        std::fill(std::begin(block), std::end(block), 0x77);
        const DWORD start = ::GetTickCount();
        EXPECT_FALSE(port->Read(block, 32));
        const DWORD spent = Since(start);
        EXPECT_GE(spent, kPortDeadlineMs - 20);
        EXPECT_LE(spent, kPortDeadlineMs + kPortCallTimeoutMs + 500 + kPortRetryPauseMs + 300);
        EXPECT_TRUE(std::all_of(std::begin(block), std::end(block), [](uint8_t b) { return b == 0x77; }));
    }
}

TEST_F(PortWineTest, RefusalsAndPortNameLengths) {
    uint8_t block[32] = {};
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(Port(L"USB002")->Write(nullptr, 5));
    EXPECT_FALSE(Port(L"USB002")->Read(block, 0));
    CPort_USB unnamed(L"", PortEnv{&clock, &device});
    EXPECT_FALSE(unnamed.Write(kStatusRequest, sizeof kStatusRequest));
    EXPECT_LT(Since(start), 150u);

    // The longest name the link can carry reaches its printer; one more character cannot be sent at all.
    auto longest = Port(L"USB" + std::wstring(252, L'P'));
    ASSERT_TRUE(longest->Write(kStatusRequest, sizeof kStatusRequest));
    ASSERT_TRUE(longest->Read(block, 32));
    EXPECT_EQ(block[4], 48);
    auto tooLong = Port(L"USB" + std::wstring(253, L'P'));
    EXPECT_FALSE(tooLong->Write(kStatusRequest, sizeof kStatusRequest));
}

TEST_F(PortWineTest, LibraryNeverWritesPastTheCountOrAcceptsAForeignAddress) {
    char name[] = "USB024"; // claims one byte more than asked
    uint8_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 0xCC);
    DWORD moved = 99;
    EXPECT_FALSE(LxPortRead(0, name, buffer, 8, &moved, 100));
    EXPECT_EQ(moved, 0u);
    EXPECT_TRUE(std::all_of(std::begin(buffer), std::end(buffer), [](uint8_t b) { return b == 0xCC; }));
    EXPECT_FALSE(LxPortWrite(0, name, buffer, 4, nullptr, 100));
    char empty[] = "";
    EXPECT_FALSE(LxPortRead(0, empty, buffer, 8, &moved, 100)) << "no printer has an empty name";
    EXPECT_FALSE(LxPortRead(0, nullptr, buffer, 8, &moved, 100));

    char silent[] = "USB022";
    DWORD start = ::GetTickCount();
    EXPECT_TRUE(LxPortRead(0, silent, buffer, 8, &moved, 100)) << "an answer of nothing is still an answer";
    EXPECT_EQ(moved, 0u);
    EXPECT_LT(Since(start), 1000u) << "within the call's own time-out, not the port deadline";

    ::SetEnvironmentVariableA("LXPORTIO_SIMULATOR", "10.0.0.1:9100");
    char usb002[] = "USB002";
    start = ::GetTickCount();
    EXPECT_FALSE(LxPortWrite(0, usb002, buffer, 4, &moved, 100));
    EXPECT_LT(Since(start), 150u) << "refused without any connection attempt";
}

TEST_F(PortWineTest, LibraryTellsTheSimulatorTheWaitItReallyMakes) {
    char name[] = "USB030";
    BYTE status[] = {0x1B, 0x40, 0x1B, 0x69, 0x53};
    BYTE block[32] = {};
    DWORD moved = 0;
    ASSERT_TRUE(LxPortWrite(0, name, status, sizeof status, &moved, 500));
    // The answer is waiting, so the call returns at once; what matters is the time-out it announced.
    ASSERT_TRUE(LxPortRead(0, name, block, sizeof block, &moved, 0xFFFFFFFF));
    EXPECT_EQ(moved, 32u);
    const std::string log = simfixture::LogText();
    const size_t line = log.rfind("USB030   R count=32 ");
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(log.substr(line, log.find('\n', line) - line), "USB030   R count=32 timeout=60000 -> moved=32");
}

TEST_F(PortWineTest, PrintLogOverTheLinkWholeOrNotAtAll) {
    // USB031 holds 300 records; USB032 the same, but leaves the bus once piece 3 has been read.
    for (const auto& [name, whole] : {std::pair{L"USB031", true}, std::pair{L"USB032", false}}) {
        CCommunicater communicator(name, PortEnv{&clock, &device});
        uint8_t status[kStatusBlockSize];
        ASSERT_TRUE(communicator.RequestStatus(status) && communicator.SetCommandMode());
        std::vector<printlog::Record> records;
        const printlog::ReadResult result = printlog::ReadPrintLog(communicator.Port(), clock, records);
        if (!whole) {
            EXPECT_EQ(result, printlog::ReadResult::kTransferFailed);
            EXPECT_TRUE(records.empty());
            continue;
        }
        ASSERT_EQ(result, printlog::ReadResult::kOk);
        ASSERT_EQ(records.size(), 300u);
        const sim::LogRecord last = sim::SeededLogRecord(299);
        EXPECT_EQ(records.back().sequence, last.sequence);
        EXPECT_EQ(records.back().time, last.time);
    }
}

TEST(LxportioWine, ExportsOrdinalsOneToThreeOnly) {
    HMODULE library = ::GetModuleHandleW(L"lxportio.dll");
    ASSERT_NE(library, nullptr) << "bound at load time";
    EXPECT_NE(::GetProcAddress(library, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_NE(::GetProcAddress(library, MAKEINTRESOURCEA(2)), nullptr);
    EXPECT_NE(::GetProcAddress(library, MAKEINTRESOURCEA(3)), nullptr); // the device id, looked up when asked
    EXPECT_EQ(::GetProcAddress(library, MAKEINTRESOURCEA(4)), nullptr);
    EXPECT_EQ(::GetProcAddress(library, "LxPortWrite"), nullptr);
}

TEST_F(PortWineTest, AddressComesFromTheIniBesideTheLibraryWithoutTheVariable) {
    char address[64] = {};
    ASSERT_GT(::GetEnvironmentVariableA("LXPORTIO_SIMULATOR", address, sizeof address), 0u);
    char ini[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(::GetModuleHandleA("lxportio.dll"), ini, MAX_PATH), 0u);
    std::strcpy(std::strrchr(ini, '\\') + 1, "lxportio.ini");
    ASSERT_TRUE(::WritePrivateProfileStringA("Simulator", "Address", address, ini));
    ::SetEnvironmentVariableA("LXPORTIO_SIMULATOR", nullptr);
    char name[] = "USB002";
    BYTE mode[] = {0x1B, 0x69, 0x61, 0x01};
    DWORD moved = 0;
    EXPECT_TRUE(LxPortWrite(0, name, mode, sizeof mode, &moved, 500));
    EXPECT_EQ(moved, sizeof mode);
    ::WritePrivateProfileStringA("Simulator", "Address", "192.168.1.20:9100", ini);
    EXPECT_FALSE(LxPortWrite(0, name, mode, sizeof mode, &moved, 500))
        << "only this machine is ever contacted";
    ::DeleteFileA(ini);
    EXPECT_FALSE(LxPortWrite(0, name, mode, sizeof mode, &moved, 500));
}

} // namespace
