// The print-log reader against the simulated printer: whole logs, faults mid-transfer, corrupt and absurd
// answers.
#include "tests/support/virtual_clock.h"
#include "comm/communicator.h"
#include "comm/print_log.h"
#include "tests/support/sim_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// The largest single allocation while tracking is on; the reader must not size anything by the printer's
// claim.
bool g_tracking = false;
size_t g_largest = 0;

} // namespace

// The replacements pair malloc with free; the compiler cannot see that both sides were replaced.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
    if (g_tracking && size > g_largest)
        g_largest = size;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace {

using printlog::ReadResult;

printlog::Record Expected(uint32_t i) {
    const sim::LogRecord r = sim::SeededLogRecord(i);
    return {r.sequence, r.time, r.labels, r.width, r.length, r.templateNumber, r.status};
}

class PrintLogTest : public ::testing::Test {
protected:
    // A printer with the given words, in command mode, and the log read from it.
    ReadResult Read(const std::string& words, std::vector<printlog::Record>& records) {
        sim::Faults faults;
        for (size_t start = 0; start <= words.size();) {
            const size_t comma = std::min(words.find(',', start), words.size());
            EXPECT_TRUE(sim::ParseFault(words.substr(start, comma - start), faults)) << words;
            start = comma + 1;
        }
        printer = &device.Add("USB001", 104, 48, faults, 60000);
        CCommunicater communicator(L"USB001", PortEnv{&clock, &device});
        uint8_t status[kStatusBlockSize];
        EXPECT_TRUE(communicator.RequestStatus(status) && communicator.SetCommandMode());
        return printlog::ReadPrintLog(communicator.Port(), clock, records);
    }

    VirtualClock clock;
    SimDevice device{clock};
    sim::PrinterEngine* printer = nullptr;
};

TEST_F(PrintLogTest, SeveralHundredRecordsArriveAsThePrinterKeepsThem) {
    std::vector<printlog::Record> records;
    ASSERT_EQ(Read("printlog=500", records), ReadResult::kOk);
    ASSERT_EQ(records.size(), 500u);
    for (uint32_t i = 0; i < 500; ++i)
        ASSERT_EQ(records[i], Expected(i)) << i;
    EXPECT_EQ(printer->Count().printLogPieces, 1 + 42) << "the header, then 41 full pieces and one of 8";
    EXPECT_EQ(clock.TickCount(), 0u) << "no pause, no retry";
    EXPECT_EQ(device.writes, 2 + 1 + 3) << "status, command mode, header, three runs of up to 16 pieces";
}

TEST_F(PrintLogTest, FaultsGiveAResultWithinTheDeadlinesAndNoRecords) {
    struct Case {
        const char* words;
        ReadResult result;
        size_t records;
    };
    for (const Case& c : {
             Case{"printlog=0", ReadResult::kOk, 0},
             Case{"printlog=13", ReadResult::kOk, 13},
             // A piece, or the header, damaged once is asked for again; a newer printer's longer records and
             // a record without a time are read.
             Case{"printlog=500,logflaky=5", ReadResult::kOk, 500},
             Case{"printlog=500,logflaky=0", ReadResult::kOk, 500},
             Case{"printlog=500,logrecordsize=24", ReadResult::kOk, 500},
             Case{"printlog=500,logbadtime=250", ReadResult::kOk, 500},
             Case{"printlog=500,logsilent=7", ReadResult::kTransferFailed, 0},
             Case{"printlog=500,loghangup=3", ReadResult::kTransferFailed, 0},
             // A cut piece in a run runs into the next one; a cut piece alone never completes.
             Case{"printlog=500,logcut=5", ReadResult::kCorrupt, 0},
             Case{"printlog=500,logcut=0", ReadResult::kTransferFailed, 0},
             Case{"printlog=500,logcut=42", ReadResult::kTransferFailed, 0},
             Case{"printlog=500,logcorrupt=5", ReadResult::kCorrupt, 0},
             Case{"printlog=500,logcorrupt=0", ReadResult::kCorrupt, 0},
             // A log that changed under the transfer: a job missing, or one number twice.
             Case{"printlog=500,loggap=250", ReadResult::kCorrupt, 0},
             Case{"printlog=500,logrepeat=250", ReadResult::kCorrupt, 0},
             Case{"printlog=500,logclaim=600", ReadResult::kTransferFailed, 0}, // the pieces run out
             Case{"printlog=500,logclaim=4294967295", ReadResult::kCorrupt, 0},
             Case{"printlog=500,logclaim=100001", ReadResult::kCorrupt, 0},
         }) {
        std::vector<printlog::Record> records(3);
        const uint32_t start = clock.TickCount();
        EXPECT_EQ(Read(c.words, records), c.result) << c.words;
        EXPECT_EQ(records.size(), c.records) << c.words;
        if (c.records == 500) {
            for (uint32_t i = 0; i < 500; ++i) {
                printlog::Record expected = Expected(i);
                expected.time = i == 250 && std::string(c.words).find("logbadtime") != std::string::npos
                                    ? 0
                                    : expected.time;
                ASSERT_EQ(records[i], expected) << c.words << " record " << i;
            }
        }
        // Each try of a run: at most one write and one read run into their deadlines.
        EXPECT_LE(clock.TickCount() - start, printlog::kRunTries * 2 * (kPortDeadlineMs + kPortRetryPauseMs))
            << c.words;
    }
}

TEST_F(PrintLogTest, APrinterThatTricklesItsPiecesIsGivenUpWithinTheTransfersBound) {
    std::vector<printlog::Record> records;
    const uint32_t start = clock.TickCount();
    // Each piece comes just within the port's deadline; the whole log would take over 13 minutes.
    EXPECT_EQ(Read("printlog=5000,logtrickle=1900", records), ReadResult::kTransferFailed);
    EXPECT_TRUE(records.empty());
    EXPECT_LE(clock.TickCount() - start, printlog::kTransferBaseMs + printlog::kTransferPerRecordMs * 5000 +
                                             2 * (kPortDeadlineMs + kPortRetryPauseMs));
}

TEST_F(PrintLogTest, NothingIsSizedByTheClaimAlone) {
    // The most a printer may claim, while it carries one piece.
    std::vector<printlog::Record> records;
    g_tracking = true;
    g_largest = 0;
    const ReadResult result = Read("printlog=12,logclaim=100000", records);
    g_tracking = false;
    EXPECT_EQ(result, ReadResult::kTransferFailed);
    EXPECT_LT(g_largest, 64u * 1024) << "an allocation for 100000 records";
}

TEST(PrintLogPieces, DecodingRefusesEveryChangedByte) {
    sim::LogRecord r = sim::SeededLogRecord(0);
    const std::vector<uint8_t> header = sim::LogHeaderPiece(12);
    const std::vector<uint8_t> piece = sim::LogRecordsPiece(1, &r, 1);
    printlog::Layout layout;
    std::vector<printlog::Record> records;
    ASSERT_TRUE(printlog::DecodeHeader(header.data(), header.size(), layout));
    EXPECT_EQ(layout.count, 12u);
    ASSERT_TRUE(printlog::DecodeRecords(piece.data(), piece.size(), 1, 1, records));
    for (size_t i = 0; i < piece.size(); ++i) {
        std::vector<uint8_t> changed = piece;
        changed[i] ^= 0x40;
        EXPECT_FALSE(printlog::DecodeRecords(changed.data(), changed.size(), 1, 1, records)) << i;
    }
    EXPECT_FALSE(printlog::DecodeRecords(piece.data(), piece.size(), 2, 1, records))
        << "another piece's number";
    EXPECT_FALSE(printlog::DecodeRecords(piece.data(), piece.size() - 1, 1, 1, records));
    EXPECT_EQ(records.size(), 1u) << "refused pieces add nothing";
}

} // namespace
