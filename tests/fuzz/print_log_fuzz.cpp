// Fuzz target: printer answers from the input through the print-log reader, and the records into the CSV
// file.
#include "tests/support/virtual_clock.h"
#include "comm/print_log.h"
#include "files/print_log_csv.h"
#include "sim/print_log.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/scripted_device.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    VirtualClock clock;
    ScriptedDevice device(in);
    auto port = CreatePort(L"USB001", PortEnv{&clock, &device});
    std::vector<printlog::Record> records;
    const printlog::ReadResult result = printlog::ReadPrintLog(port, clock, records);
    if (result != printlog::ReadResult::kOk) {
        if (!records.empty())
            FuzzFault("records kept after a failed transfer");
        return 0;
    }
    if (records.size() > printlog::kMaxRecords)
        FuzzFault("more records than a printer keeps");
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].time < printlog::kEarliestTime || records[i].time >= printlog::kLatestTime)
            FuzzFault("an impossible time stamp got through");
        if (i > 0 && records[i].sequence <= records[i - 1].sequence)
            FuzzFault("sequence numbers out of order");
    }
    std::string csv;
    const printlog::UtcOffsetFn zone = [](uint32_t utc, int32_t& offset) {
        offset = static_cast<int32_t>(utc % 1561) - 720;
        return true;
    };
    if (!printlog::BuildPrintLogCsv(records, zone, csv) || csv.compare(0, 3, "\xEF\xBB\xBF") != 0 ||
        std::count(csv.begin(), csv.end(), '\n') != static_cast<long>(records.size()) + 1)
        FuzzFault("the CSV file is not one line per record after the header");
    return 0;
}

std::vector<std::vector<uint8_t>> FuzzSeeds() {
    // Logs of 0, 5 and 300 records as a printer sends them.
    std::vector<std::vector<uint8_t>> seeds;
    for (uint32_t count : {0u, 5u, 300u}) {
        std::vector<sim::LogRecord> log;
        for (uint32_t i = 0; i < count; ++i)
            log.push_back(sim::SeededLogRecord(i));
        std::vector<std::vector<uint8_t>> pieces{sim::LogHeaderPiece(count)};
        for (uint32_t first = 0, n = 1; first < count; first += sim::kLogRecordsPerPiece, ++n)
            pieces.push_back(sim::LogRecordsPiece(static_cast<uint16_t>(n), &log[first],
                                                  std::min<size_t>(sim::kLogRecordsPerPiece, count - first)));
        // A taken request before the header and before every run of pieces, then each piece as one read.
        std::vector<uint8_t> seed;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i == 0 || (i - 1) % sim::kLogPiecesPerRequest == 0)
                seed.push_back(0x7F);
            seed.push_back(static_cast<uint8_t>(pieces[i].size()));
            seed.insert(seed.end(), pieces[i].begin(), pieces[i].end());
        }
        seeds.push_back(seed);
    }
    return seeds;
}
