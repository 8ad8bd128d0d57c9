// The print log's CSV file: exact bytes, quoting, local times, refusals, and a whole log read from the
// printer.
#include "tests/support/virtual_clock.h"
#include "comm/communicator.h"
#include "files/print_log_csv.h"
#include "tests/support/sim_device.h"

#include <gtest/gtest.h>

namespace {

using printlog::Record;

const std::string kHead =
    "\xEF\xBB\xBFSequence,Printed at,Labels,Media width (mm),Media length (mm),Template,"
    "Status code,Status\r\n";

// A zone one hour east of UTC until the new year, then five hours west, then five and a half east.
bool ShiftingZone(uint32_t utc, int32_t& offset) {
    offset = utc < 1704000000 ? 60 : utc < 1709000000 ? -300 : 330;
    return true;
}

TEST(PrintLogCsv, RecordsBecomeExactlyTheseBytes) {
    const std::vector<Record> records{
        {1001, 1700000000, 1, 35, 0, 0, 0},
        {1002, 1704079800, 12, 120, 305, 4, 1},
        {1003, 1709208000, 40000, 240, 1000, 65535, 2},
        {1004, 4102444799u, 7, 60, 9, 1, 77},
        // A printer whose clock was never set: the record stays, its time does not.
        {1005, 0, 2, 35, 0, 0, 0}};
    std::string csv;
    ASSERT_TRUE(printlog::BuildPrintLogCsv(records, ShiftingZone, csv));
    EXPECT_EQ(csv,
              kHead + "1001,2023-11-14T23:13:20+01:00,1,3.5,,,0,Completed\r\n"
                      "1002,2023-12-31T22:30:00-05:00,12,12.0,30.5,4,1,Cancelled\r\n"
                      "1003,2024-02-29T17:30:00+05:30,40000,24.0,100.0,65535,2,\"Media end, job stopped\"\r\n"
                      "1004,2100-01-01T05:29:59+05:30,7,6.0,0.9,1,77,Unknown\r\n"
                      "1005,,2,3.5,,,0,Completed\r\n");
}

TEST(PrintLogCsv, AnEmptyLogIsTheHeaderLineAlone) {
    std::string csv;
    ASSERT_TRUE(printlog::BuildPrintLogCsv({}, ShiftingZone, csv));
    EXPECT_EQ(csv, kHead);
}

TEST(PrintLogCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},
        {"", ""},
        {" spaced ", " spaced "},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"\n", "\"\n\""},
        {"\"", "\"\"\"\""},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(printlog::CsvField(text), field) << text;
}

TEST(PrintLogCsv, ATimeWithoutALocalOffsetRefusesTheWholeFile) {
    const std::vector<Record> records{{1, 1700000000, 1, 35, 0, 0, 0}};
    const printlog::UtcOffsetFn unknown = [](uint32_t, int32_t&) { return false; };
    const printlog::UtcOffsetFn absurd = [](uint32_t, int32_t& offset) {
        offset = 15 * 60;
        return true;
    };
    for (const auto& zone : {unknown, absurd, printlog::UtcOffsetFn()}) {
        std::string csv = "old";
        EXPECT_FALSE(printlog::BuildPrintLogCsv(records, zone, csv));
        EXPECT_TRUE(csv.empty());
    }
}

// Several hundred records through the port: the file is the one the printer's own records make.
TEST(PrintLogCsv, ALogReadFromThePrinterMakesTheFileOfItsOwnRecords) {
    VirtualClock clock;
    SimDevice device(clock);
    sim::Faults faults;
    faults.printLog = 700;
    device.Add("USB001", 104, 48, faults);
    CCommunicater communicator(L"USB001", PortEnv{&clock, &device});
    uint8_t status[kStatusBlockSize];
    ASSERT_TRUE(communicator.RequestStatus(status) && communicator.SetCommandMode());
    std::vector<Record> read;
    ASSERT_EQ(printlog::ReadPrintLog(communicator.Port(), clock, read), printlog::ReadResult::kOk);
    std::vector<Record> own;
    for (uint32_t i = 0; i < 700; ++i) {
        const sim::LogRecord r = sim::SeededLogRecord(i);
        own.push_back({r.sequence, r.time, r.labels, r.width, r.length, r.templateNumber, r.status});
    }
    std::string fromPrinter, expected;
    ASSERT_TRUE(printlog::BuildPrintLogCsv(read, ShiftingZone, fromPrinter));
    ASSERT_TRUE(printlog::BuildPrintLogCsv(own, ShiftingZone, expected));
    EXPECT_EQ(fromPrinter, expected);
    EXPECT_EQ(std::count(fromPrinter.begin(), fromPrinter.end(), '\n'), 701);
}

} // namespace
