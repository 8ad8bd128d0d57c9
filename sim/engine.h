// A simulated label printer: answers command bytes as a printer of one series and model would, keeps state.
#pragma once

#include "sim/print_log.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace sim {

// The printer's settings; the factory defaults are the initial values.
struct Settings {
    uint8_t powerOn = 0;
    uint8_t autoOffAc = 6;
    uint8_t autoOffBattery = 3;
    uint8_t printInfo = 0;
    uint8_t calibration = 100;
    bool operator==(const Settings& o) const {
        return powerOn == o.powerOn && autoOffAc == o.autoOffAc && autoOffBattery == o.autoOffBattery &&
               printInfo == o.printInfo && calibration == o.calibration;
    }
};

struct Counters {
    int statusRequests = 0;
    int commandModeSwitches = 0;
    int resets = 0;
    int reports = 0;
    int templateDeletions = 0;
    int logDeletions = 0;
    int calibrationTakeOvers = 0;
    int ignoredOutsideCommandMode = 0;
    int garbageBytes = 0;
    int refusedWhileRestarting = 0;
    int droppedAnswers = 0; // answers that did not fit the output buffer
    int statusWithoutInitialize = 0;
    int printLogPieces = 0; // pieces of the print log answered
    int settingWrites = 0;  // setting commands received (taken or not)
};

// A real printer's output buffer is a few KiB; answers nobody reads must not grow the simulator without
// limit.
constexpr size_t kOutputBufferSize = 4096;

// A set value takes effect this long after its command, as the printer stores it; earlier reads give the old
// value. The apply exchange waits 1000 ms before reading back, which covers it.
constexpr uint32_t kDefaultSettleMs = 50;

// The print log keeps at most this many records, as a printer's memory would.
constexpr uint32_t kMaxSeededLog = 100000;

// What a printer holds and how it behaves beyond its codes: its print log and templates, its settle time, and
// misbehaviour on request (all off by default).
struct Faults {
    uint32_t printLog = 0;                // the print log is seeded with this many records (SeededLogRecord)
    uint32_t templates = 3;               // templates stored, until the delete command
    uint32_t settleMs = kDefaultSettleMs; // a set value is read back only this long after its command
    uint32_t acceptPerCall = 0;           // accept at most this many bytes per write call (0: all)
    uint32_t answerPiece = 0;             // hand out at most this many answer bytes per read call (0: all)
    bool silent = false;                  // parse commands but never answer
    int seriesCode = -1;                  // report this series code instead of the real one
    int modelCode = -1;                   // report this model code instead of the real one
    std::string noLatch;                  // setting that ignores sets ("all" for every setting)
    uint32_t restartMs = 0;   // restart period after a reset (0: the default of the engine's owner)
    uint32_t wakeMs = 0;      // after restarting, refuse bytes for this much longer
    uint32_t lateMs = 0;      // answers become readable this much later
    uint32_t shortAnswer = 0; // cut every answer to this many bytes (0: whole)
    uint32_t longAnswer = 0;  // append this many extra bytes to every answer
    bool garbage = false;     // answer bytes are noise
    int statusLength = -1;    // the status block has this many bytes instead of 32
    int valueByte = -1;       // setting answers carry this value byte instead of the setting
    // Print-log transfer faults; a piece is named by its number (0: the header).
    int logSilentFrom = -1; // from this piece on, log requests are not answered
    int logHangUpAfter =
        -1;                // once this piece has been read, the printer leaves the bus for its restart period
    int logCorrupt = -1;   // this piece has a byte changed after its checksum was made
    int logCut = -1;       // this piece is cut to half its length
    int64_t logClaim = -1; // the header claims this many records, whatever the log holds
    int64_t logBadTime = -1;   // this record (from 0) carries time 0, as a printer whose clock was never set
    int logFlaky = -1;         // this piece is damaged the first time it is sent, sound when asked again
    int64_t logGap = -1;       // from this record on, sequence numbers are one higher (a job went missing)
    int64_t logRepeat = -1;    // this record repeats the sequence number of the one before
    uint32_t logTrickleMs = 0; // each print-log piece becomes readable this much after the one before
    uint32_t logRecordSize = 20; // a newer printer's record size: the known fields, then zero bytes
    // Link-level faults, carried out by the server program.
    bool hangUp = false;   // close the connection in the middle of an answer
    bool oversize = false; // claim more bytes moved than were asked for
    bool stall = false;    // never answer, keep the connection open
};

// Parses "name=value" fault words ("accept=3", "silent", "nolatch=AutoOffAc", ...); false on an unknown word.
bool ParseFault(const std::string& word, Faults& faults);

// One transfer as the printer saw it: bytes it took from the host, or bytes it handed out.
struct WireEntry {
    uint64_t ms;
    bool fromHost;
    std::vector<uint8_t> bytes;
};

class PrinterEngine {
public:
    PrinterEngine(uint8_t seriesCode, uint8_t modelCode, Faults faults = {}, uint32_t restartMs = 8000);

    // Offers bytes at time nowMs (milliseconds); returns how many the printer took.
    size_t Write(const uint8_t* data, size_t count, uint64_t nowMs);
    // Takes up to max answer bytes that are readable at nowMs.
    size_t Read(uint8_t* out, size_t max, uint64_t nowMs);
    size_t Readable(uint64_t nowMs) const;
    // Answer bytes queued, readable yet or not; never more than kOutputBufferSize.
    size_t PendingAnswerBytes() const { return outputBytes_; }
    // When the next queued answer byte becomes readable; UINT64_MAX when none is queued.
    uint64_t NextReadableAt() const;
    // False while the printer restarts after a reset: it is gone from the bus.
    bool Present(uint64_t nowMs) const { return nowMs >= restartUntil_; }

    const Settings& CurrentSettings() const { return settings_; }
    Settings& MutableSettings() { return settings_; }
    const Counters& Count() const { return counters_; }
    const Faults& ActiveFaults() const { return faults_; }
    bool InCommandMode() const { return commandMode_; }
    const std::vector<LogRecord>& PrintLog() const { return printLog_; }
    uint32_t Templates() const { return templates_; }
    uint8_t SeriesCode() const { return series_; }
    uint8_t ModelCode() const { return model_; }

    // Readable lines describing what happened since the last call.
    std::vector<std::string> TakeLog();
    // The bytes on the wire, kept only while recording is on (off at first).
    void RecordWire(bool on) { recordWire_ = on; }
    const std::vector<WireEntry>& Wire() const { return wire_; }
    std::vector<WireEntry> TakeWire();
    // The whole state as "key=value" lines.
    std::string DumpState() const;

private:
    // One queued answer; bytes before `taken` were handed out already.
    struct Pending {
        std::vector<uint8_t> bytes;
        size_t taken;
        uint64_t readableAt;
    };

    void Parse(uint64_t nowMs);
    void FlushGarbage();
    // False when the piece was not answered, which ends the request.
    bool AnswerLogPiece(uint16_t piece, uint64_t nowMs);
    bool Execute(size_t command, const std::vector<uint8_t>& args, uint64_t nowMs);
    void Answer(std::vector<uint8_t> bytes, uint64_t nowMs);
    std::vector<uint8_t> SettingAnswer(uint8_t value) const;
    bool Latches(const char* setting) const;
    enum Slot { kPowerOn, kAutoOffAc, kAutoOffBattery, kPrintInfo, kCalibration, kSlotCount };
    uint8_t& Stored(Slot slot);
    // Stores a value that the printer reports only once it has settled.
    void Store(Slot slot, uint8_t value, uint64_t nowMs, uint32_t settleMs);
    uint8_t Settled(Slot slot, uint64_t nowMs);
    // What a get command answers: the settled value, unless a fault says otherwise.
    uint8_t Reported(Slot slot, uint64_t nowMs);
    void Log(const std::string& line);

    uint8_t series_;
    uint8_t model_;
    Faults faults_;
    uint32_t restartMs_;
    Settings settings_;
    Counters counters_;
    bool commandMode_ = false;
    bool justInitialized_ = false;
    // Per setting: the value reported until the stored one has settled, and when it has.
    struct Settling {
        uint8_t before = 0;
        uint64_t settledAt = 0;
    };
    Settling settling_[kSlotCount];
    std::vector<LogRecord> printLog_;
    int64_t logSnapshot_ = -1; // records the header announced; the pieces after it come from those
    bool leaveAfterRead_ = false;
    bool flakyDone_ = false;
    uint32_t templates_ = 0;
    bool recordWire_ = false;
    std::vector<WireEntry> wire_;
    uint64_t restartUntil_ = 0;
    uint64_t deafUntil_ = 0;
    uint32_t noise_ = 0x2545F491;
    std::vector<uint8_t> input_;
    std::deque<Pending> output_;
    size_t outputBytes_ = 0;
    // The current run of unknown bytes, logged as one line when it ends.
    size_t garbageRun_ = 0;
    std::vector<uint8_t> garbageSample_;
    int droppedInRun_ = 0;
    // Command lines of the current write: the first few are logged, the rest counted by kind and logged as
    // one line, so a flood of commands costs the log (and memory) no more than a handful.
    size_t commandLines_ = 0;
    std::map<std::string, size_t> unloggedCommands_;
    void LogCommand(const std::string& kind, const std::string& line);
    void FlushCommandRun();
    std::vector<std::string> log_;
};

} // namespace sim
