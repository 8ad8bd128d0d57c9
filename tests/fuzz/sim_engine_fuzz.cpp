// Fuzz target: the simulated printer's command parser with faults, writes, reads and time from the input.
#include "sim/engine.h"
#include "tests/fuzz/fuzz_target.h"

// Input: four bytes of faults, then operations: 0 write (length, bytes), 1 read (most bytes), 2 wait (tens of
// ms), 3 write one of the printer's commands (index) so that deep states are reached.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    sim::Faults faults;
    const uint8_t a = in.Byte(), b = in.Byte(), c = in.Byte(), d = in.Byte();
    faults.settleMs = a * 10u;
    faults.acceptPerCall = b & 7;
    faults.answerPiece = (b >> 3) & 31;
    faults.lateMs = (c & 3) * 100u;
    faults.shortAnswer = (c >> 2) & 3 ? (c >> 2) & 31 : 0;
    faults.longAnswer = c >> 7 ? 5 : 0;
    faults.silent = d & 1;
    faults.garbage = d & 2;
    faults.statusLength = d & 4 ? d >> 3 : -1;
    faults.valueByte = d & 8 ? a : -1;
    faults.restartMs = 1 + b * 10u;
    faults.printLog = a;
    faults.logClaim = d & 32 ? c * 3 : -1;
    faults.logCorrupt = d & 64 ? b & 7 : -1;
    faults.logCut = d & 128 ? c & 7 : -1;
    faults.logHangUpAfter = (a & 7) == 5 ? b & 3 : -1;
    sim::PrinterEngine engine(104, 48, faults);
    engine.RecordWire(d & 16);
    static const std::vector<std::vector<uint8_t>> commands = {
        {0x1B, 0x40, 0x1B, 0x69, 0x53},
        {0x1B, 0x69, 0x61, 0x01},
        {0x1B, 0x69, 0x55, 0x69},
        {0x1B, 0x69, 0x55, 0x70, 0x01},
        {0x1B, 0x69, 0x55, 0x41, 0x01},
        {0x1B, 0x69, 0x58, 0x6F, 0x00},
        {0x55, 0x0B, 0x04, 0x0D},
        {0x55, 0x0B, 0x03, 0x0D},
        {0x54, 0x0C},
        {0x1B, 0x69, 0x58, 0x67, 0x31, 0x00, 0x00},
        {0x1B, 0x69, 0x58, 0x67, 0x31, 0x01, 0x00},
        {0x1B, 0x69, 0x58, 0x67, 0x31},
        {0x1B, 0x69, 0x58, 0x67, 0x32, 0x02, 0x00, 0x00, 0x01},
        {0x1B, 0x69, 0x55, 0x59},
    };
    uint64_t now = 0;
    uint8_t out[300];
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        switch (op & 3) {
        case 0: {
            size_t n = in.Byte() * 4u;
            const uint8_t* bytes = in.Take(n);
            if (engine.Write(bytes, n, now) > n)
                FuzzFault("took more than offered");
            break;
        }
        case 1: {
            const size_t max = in.Byte();
            const size_t readable = engine.Readable(now);
            const size_t n = engine.Read(out, max, now);
            if (n > max || n > readable)
                FuzzFault("handed out more than asked or readable");
            break;
        }
        case 2:
            now += in.Byte() * 10u;
            break;
        default: {
            const auto& command = commands[(op >> 2) % commands.size()];
            engine.Write(command.data(), command.size(), now);
            break;
        }
        }
        if (engine.PendingAnswerBytes() > sim::kOutputBufferSize)
            FuzzFault("output buffer past its size");
        engine.TakeLog();
        engine.TakeWire();
    }
    engine.DumpState();
    return 0;
}

std::vector<std::vector<uint8_t>> FuzzSeeds() {
    // Status, command mode, a set and a get of each kind, with reads and waits between.
    return {{0, 0, 0, 0, 3, 1, 40, 7, 3 | 5 << 2, 2, 10, 1, 40, 3 | 6 << 2, 2, 10, 1, 40},
            {20, 3, 1, 0, 3, 1, 32, 7, 0, 3, 0x55, 0x0B, 0x03, 0x0D, 90, 2, 30, 27, 1, 32, 11, 2, 255, 1, 32},
            {0, 0, 0, 0, 7, 0, 2, 0xFF, 0xFF, 0x1B, 0x69, 0x55, 0x69, 2, 255, 3, 1, 32},
            {30, 0, 0, 0, 7, 3 | 9 << 2, 1, 22, 3 | 10 << 2, 1, 250, 3 | 11 << 2, 2, 1, 250, 3 | 12 << 2}};
}
