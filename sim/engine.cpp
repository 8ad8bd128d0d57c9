// The printer's command table and how the simulated printer answers, latches and restarts.
#include "sim/engine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace sim {

namespace {

enum class Op {
    kInitialize,
    kStatus,
    kCommandMode,
    kReset,
    kReport,
    kDeleteTemplates,
    kDeleteLog,
    kPowerOnSet,
    kPowerOnGet,
    kAutoOffSet,
    kAutoOffGet,
    kPrintInfoSet,
    kPrintInfoGet,
    kCalibrationSet,
    kCalibrationGet,
    kCalibrationTakeOver,
    kPrintLogRead,
};

struct Command {
    Op op;
    const char* name;
    std::vector<uint8_t> prefix;
    size_t args; // bytes after the prefix
    bool needsCommandMode;
};

// The printer's own view of its command set.
const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {Op::kInitialize, "initialize", {0x1B, 0x40}, 0, false},
        {Op::kStatus, "status request", {0x1B, 0x69, 0x53}, 0, false},
        {Op::kCommandMode, "command mode", {0x1B, 0x69, 0x61}, 1, false},
        {Op::kReset, "factory reset", {0x1B, 0x69, 0x55, 0x69}, 0, true},
        {Op::kReport, "print information report", {0x1B, 0x69, 0x55, 0x4E}, 0, true},
        {Op::kDeleteTemplates, "delete templates and database", {0x1B, 0x69, 0x55, 0x59}, 0, true},
        {Op::kDeleteLog, "delete print log", {0x1B, 0x69, 0x58, 0x67, 0x32, 0x02, 0x00, 0x00, 0x01}, 0, true},
        {Op::kPowerOnSet, "set PowerOn", {0x1B, 0x69, 0x55, 0x70, 0x00}, 1, true},
        {Op::kPowerOnGet, "get PowerOn", {0x1B, 0x69, 0x55, 0x70, 0x01}, 0, true},
        {Op::kAutoOffSet, "set AutoOff", {0x1B, 0x69, 0x55, 0x41, 0x00}, 2, true},
        {Op::kAutoOffGet, "get AutoOff", {0x1B, 0x69, 0x55, 0x41, 0x01}, 1, true},
        {Op::kPrintInfoSet, "set PrintInfo", {0x1B, 0x69, 0x58, 0x6F, 0x00}, 1, true},
        {Op::kPrintInfoGet, "get PrintInfo", {0x1B, 0x69, 0x58, 0x6F, 0x01}, 0, true},
        {Op::kCalibrationSet, "set Calibration", {0x55, 0x0B, 0x03, 0x0D}, 1, true},
        {Op::kCalibrationGet, "get Calibration", {0x55, 0x0B, 0x04, 0x0D}, 0, true},
        {Op::kCalibrationTakeOver, "take over calibration", {0x54, 0x0C}, 1, true},
        // ESC i X g 1, the first piece's number (LE16) and how many pieces: a run of the print log.
        {Op::kPrintLogRead, "read print log", {0x1B, 0x69, 0x58, 0x67, 0x31}, 3, true},
    };
    return table;
}

constexpr size_t kBlockSize = 32;
constexpr size_t kValueOffset = 30;

std::string Hex(const uint8_t* bytes, size_t count) {
    std::string text;
    char piece[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(piece, sizeof piece, "%02X ", bytes[i]);
        text += piece;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    return Hex(bytes.data(), bytes.size());
}

// A log line stays readable whatever a client sends: long byte runs are shown by their start and size.
constexpr size_t kLoggedBytes = 32;
std::string ShortHex(const uint8_t* bytes, size_t count) {
    if (count <= kLoggedBytes)
        return Hex(bytes, count);
    return Hex(bytes, kLoggedBytes) + " ... (" + std::to_string(count) + " bytes)";
}

bool ParseNumber(const std::string& text, uint32_t& value) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long n = std::strtoull(text.c_str(), nullptr, 10);
    if (n > UINT32_MAX)
        return false;
    value = static_cast<uint32_t>(n);
    return true;
}

} // namespace

bool ParseFault(const std::string& word, Faults& faults) {
    const size_t eq = word.find('=');
    const std::string key = word.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : word.substr(eq + 1);
    uint32_t n = 0;
    const bool number = ParseNumber(value, n);
    if (key == "silent" && value.empty())
        faults.silent = true;
    else if (key == "garbage" && value.empty())
        faults.garbage = true;
    else if (key == "hangup" && value.empty())
        faults.hangUp = true;
    else if (key == "oversize" && value.empty())
        faults.oversize = true;
    else if (key == "stall" && value.empty())
        faults.stall = true;
    else if (key == "nolatch" && !value.empty())
        faults.noLatch = value;
    else if (!number)
        return false;
    else if (key == "accept")
        faults.acceptPerCall = n;
    else if (key == "split")
        faults.answerPiece = n;
    else if (key == "series" && n <= 255)
        faults.seriesCode = static_cast<int>(n);
    else if (key == "model" && n <= 255)
        faults.modelCode = static_cast<int>(n);
    else if (key == "restart")
        faults.restartMs = n;
    else if (key == "wake")
        faults.wakeMs = n;
    else if (key == "late")
        faults.lateMs = n;
    else if (key == "short")
        faults.shortAnswer = n;
    else if (key == "long")
        faults.longAnswer = n;
    else if (key == "settle")
        faults.settleMs = n;
    else if (key == "status" && n <= 255)
        faults.statusLength = static_cast<int>(n);
    else if (key == "value" && n <= 255)
        faults.valueByte = static_cast<int>(n);
    else if (key == "printlog")
        faults.printLog = n;
    else if (key == "templates")
        faults.templates = n;
    else if (key == "logsilent" && n <= 0xFFFF)
        faults.logSilentFrom = static_cast<int>(n);
    else if (key == "loghangup" && n <= 0xFFFF)
        faults.logHangUpAfter = static_cast<int>(n);
    else if (key == "logcorrupt" && n <= 0xFFFF)
        faults.logCorrupt = static_cast<int>(n);
    else if (key == "logcut" && n <= 0xFFFF)
        faults.logCut = static_cast<int>(n);
    else if (key == "logclaim")
        faults.logClaim = n;
    else if (key == "logbadtime")
        faults.logBadTime = n;
    else if (key == "logflaky" && n <= 0xFFFF)
        faults.logFlaky = static_cast<int>(n);
    else if (key == "loggap")
        faults.logGap = n;
    else if (key == "logrepeat" && n >= 1)
        faults.logRepeat = n;
    else if (key == "logtrickle")
        faults.logTrickleMs = n;
    else if (key == "logrecordsize" && n >= 20 && n <= 240)
        faults.logRecordSize = n;
    else
        return false;
    return true;
}

PrinterEngine::PrinterEngine(uint8_t seriesCode, uint8_t modelCode, Faults faults, uint32_t restartMs)
    : series_(seriesCode), model_(modelCode), faults_(std::move(faults)),
      restartMs_(faults_.restartMs != 0 ? faults_.restartMs : restartMs), templates_(faults_.templates) {
    // A log of millions of records would only show that nothing stops a seed that large.
    const uint32_t seeded = std::min<uint32_t>(faults_.printLog, kMaxSeededLog);
    printLog_.reserve(seeded);
    for (uint32_t i = 0; i < seeded; ++i) {
        printLog_.push_back(SeededLogRecord(i));
        if (static_cast<int64_t>(i) == faults_.logBadTime)
            printLog_.back().time = 0;
        if (faults_.logGap >= 0 && static_cast<int64_t>(i) >= faults_.logGap)
            ++printLog_.back().sequence;
        if (static_cast<int64_t>(i) == faults_.logRepeat)
            printLog_.back().sequence = printLog_[i - 1].sequence;
    }
}

size_t PrinterEngine::Write(const uint8_t* data, size_t count, uint64_t nowMs) {
    if (!Present(nowMs) || nowMs < deafUntil_) {
        ++counters_.refusedWhileRestarting;
        Log("refused " + std::to_string(count) + " bytes while restarting");
        return 0;
    }
    size_t take = count;
    if (faults_.acceptPerCall != 0)
        take = std::min<size_t>(take, faults_.acceptPerCall);
    input_.insert(input_.end(), data, data + take);
    if (recordWire_ && take != 0)
        wire_.push_back({nowMs, true, std::vector<uint8_t>(data, data + take)});
    Log("received " + ShortHex(data, take) +
        (take < count ? " (took " + std::to_string(take) + " of " + std::to_string(count) + ")" : ""));
    Parse(nowMs);
    return take;
}

size_t PrinterEngine::Readable(uint64_t nowMs) const {
    if (!Present(nowMs))
        return 0;
    size_t n = 0;
    for (const Pending& p : output_) {
        if (p.readableAt > nowMs)
            break;
        n += p.bytes.size() - p.taken;
    }
    return n;
}

uint64_t PrinterEngine::NextReadableAt() const {
    return output_.empty() ? UINT64_MAX : output_.front().readableAt;
}

size_t PrinterEngine::Read(uint8_t* out, size_t max, uint64_t nowMs) {
    size_t n = std::min(max, Readable(nowMs));
    if (faults_.answerPiece != 0)
        n = std::min<size_t>(n, faults_.answerPiece);
    for (size_t done = 0; done < n;) {
        Pending& p = output_.front();
        const size_t step = std::min(n - done, p.bytes.size() - p.taken);
        std::copy_n(p.bytes.begin() + static_cast<long>(p.taken), step, out + done);
        p.taken += step;
        done += step;
        if (p.taken == p.bytes.size())
            output_.pop_front();
    }
    outputBytes_ -= n;
    if (leaveAfterRead_ && outputBytes_ == 0) {
        leaveAfterRead_ = false;
        restartUntil_ = nowMs + restartMs_;
        Log("left the bus after a print-log piece, back in " + std::to_string(restartMs_) + " ms");
    }
    if (recordWire_ && n != 0)
        wire_.push_back({nowMs, false, std::vector<uint8_t>(out, out + n)});
    if (n != 0)
        Log("sent " + ShortHex(out, n));
    return n;
}

void PrinterEngine::Parse(uint64_t nowMs) {
    const auto& commands = Commands();
    // Consumed bytes are dropped once at the end: erasing at the front per command or per unknown byte would
    // make the parse quadratic in the input.
    size_t pos = 0;
    bool stopped = false;
    while (pos < input_.size() && !stopped) {
        const size_t left = input_.size() - pos;
        const uint8_t* at = input_.data() + pos;
        bool partial = false;
        size_t matched = commands.size();
        for (size_t i = 0; i < commands.size(); ++i) {
            const Command& c = commands[i];
            const size_t common = std::min(left, c.prefix.size());
            if (!std::equal(c.prefix.begin(), c.prefix.begin() + static_cast<long>(common), at))
                continue;
            if (left < c.prefix.size() + c.args) {
                partial = true;
                continue;
            }
            matched = i;
            break;
        }
        if (matched == commands.size()) {
            if (partial)
                break;
            if (garbageSample_.size() < kLoggedBytes)
                garbageSample_.push_back(*at);
            ++garbageRun_;
            ++counters_.garbageBytes;
            justInitialized_ = false;
            ++pos;
            continue;
        }
        FlushGarbage();
        const Command& c = commands[matched];
        const std::vector<uint8_t> args(at + c.prefix.size(), at + c.prefix.size() + c.args);
        pos += c.prefix.size() + c.args;
        const bool initialized = justInitialized_;
        justInitialized_ = false;
        if (c.needsCommandMode && !commandMode_) {
            ++counters_.ignoredOutsideCommandMode;
            LogCommand(std::string("ignored ") + c.name,
                       std::string("ignored ") + c.name + ": not in command mode");
        } else if (c.op == Op::kStatus && !initialized) {
            // The printer answers its status only right after being initialised (ESC @).
            ++counters_.statusWithoutInitialize;
            LogCommand("ignored status", "ignored status request: not preceded by initialize");
        } else if (!Execute(matched, args, nowMs)) {
            stopped = true; // the printer went away; the rest of the input is lost with it
        }
    }
    FlushGarbage();
    FlushCommandRun();
    if (droppedInRun_ != 0) {
        Log("output buffer full: dropped " + std::to_string(droppedInRun_) + " answer(s)");
        droppedInRun_ = 0;
    }
    if (stopped)
        input_.clear();
    else
        input_.erase(input_.begin(), input_.begin() + static_cast<long>(pos));
}

void PrinterEngine::FlushGarbage() {
    if (garbageRun_ == 0)
        return;
    LogCommand("unknown bytes", "skipped " + std::to_string(garbageRun_) +
                                    " unknown byte(s): " + Hex(garbageSample_) +
                                    (garbageRun_ > garbageSample_.size() ? " ..." : ""));
    garbageRun_ = 0;
    garbageSample_.clear();
}

bool PrinterEngine::Latches(const char* setting) const {
    return faults_.noLatch.empty() || (faults_.noLatch != "all" && faults_.noLatch != setting);
}

std::vector<uint8_t> PrinterEngine::SettingAnswer(uint8_t value) const {
    // Bytes around the value differ from it, so a reader looking at the wrong position notices.
    std::vector<uint8_t> block(kBlockSize, 0);
    block[0] = 0x80;
    block[1] = static_cast<uint8_t>(kBlockSize);
    block[2] = 0x55;
    block[kValueOffset - 1] = 0xEE;
    block[kValueOffset] = value;
    block[kValueOffset + 1] = 0xFF;
    return block;
}

uint8_t& PrinterEngine::Stored(Slot slot) {
    switch (slot) {
    case kPowerOn:
        return settings_.powerOn;
    case kAutoOffAc:
        return settings_.autoOffAc;
    case kAutoOffBattery:
        return settings_.autoOffBattery;
    case kPrintInfo:
        return settings_.printInfo;
    default:
        return settings_.calibration;
    }
}

uint8_t PrinterEngine::Settled(Slot slot, uint64_t nowMs) {
    return nowMs >= settling_[slot].settledAt ? Stored(slot) : settling_[slot].before;
}

void PrinterEngine::Store(Slot slot, uint8_t value, uint64_t nowMs, uint32_t settleMs) {
    ++counters_.settingWrites;
    settling_[slot] = {Settled(slot, nowMs), nowMs + settleMs};
    Stored(slot) = value;
}

uint8_t PrinterEngine::Reported(Slot slot, uint64_t nowMs) {
    return faults_.valueByte >= 0 ? static_cast<uint8_t>(faults_.valueByte) : Settled(slot, nowMs);
}

bool PrinterEngine::Execute(size_t index, const std::vector<uint8_t>& args, uint64_t nowMs) {
    const Command& c = Commands()[index];
    std::string detail = args.empty() ? std::string() : " " + Hex(args);
    const uint32_t settle = faults_.settleMs;
    switch (c.op) {
    case Op::kInitialize:
        justInitialized_ = true;
        // Initialising clears the output buffer: answers nobody read are gone.
        if (outputBytes_ != 0)
            LogCommand("initialize (unread answer dropped)",
                       "initialize: dropped " + std::to_string(outputBytes_) + " unread answer byte(s)");
        output_.clear();
        outputBytes_ = 0;
        break;
    case Op::kStatus: {
        ++counters_.statusRequests;
        std::vector<uint8_t> block(kBlockSize, 0);
        block[0] = 0x80;
        block[1] = static_cast<uint8_t>(kBlockSize);
        block[2] = 0x42;
        block[3] = faults_.seriesCode >= 0 ? static_cast<uint8_t>(faults_.seriesCode) : series_;
        block[4] = faults_.modelCode >= 0 ? static_cast<uint8_t>(faults_.modelCode) : model_;
        block[18] = commandMode_ ? 1 : 0;
        if (faults_.statusLength >= 0)
            block.resize(static_cast<size_t>(faults_.statusLength), 0);
        Answer(block, nowMs);
        break;
    }
    case Op::kCommandMode:
        ++counters_.commandModeSwitches;
        commandMode_ = args[0] == 0x01;
        break;
    case Op::kReset:
        ++counters_.resets;
        settings_ = Settings();
        for (Settling& s : settling_)
            s = Settling();
        commandMode_ = false;
        output_.clear();
        outputBytes_ = 0;
        logSnapshot_ = -1; // a transfer does not survive the restart
        leaveAfterRead_ = false;
        restartUntil_ = nowMs + restartMs_;
        deafUntil_ = restartUntil_ + faults_.wakeMs;
        Log("factory reset: restarting for " + std::to_string(restartMs_) + " ms");
        return false;
    case Op::kReport:
        ++counters_.reports;
        break;
    case Op::kDeleteTemplates:
        ++counters_.templateDeletions;
        templates_ = 0;
        break;
    case Op::kDeleteLog:
        ++counters_.logDeletions;
        printLog_.clear();
        logSnapshot_ = -1;
        break;
    case Op::kPrintLogRead: {
        const uint32_t first = static_cast<uint32_t>(args[0] | args[1] << 8);
        if (args[2] == 0 || args[2] > kLogPiecesPerRequest) {
            LogCommand("print-log request not answered",
                       "print log: " + std::to_string(args[2]) + " pieces asked for, not answered");
            break;
        }
        for (uint32_t piece = first; piece < first + args[2] && piece <= 0xFFFF; ++piece) {
            const uint64_t readyMs = nowMs + faults_.logTrickleMs * (piece - first + 1);
            if (!AnswerLogPiece(static_cast<uint16_t>(piece), readyMs) || leaveAfterRead_)
                break;
        }
        break;
    }
    case Op::kPowerOnSet:
        if (Latches("PowerOn"))
            Store(kPowerOn, args[0], nowMs, settle);
        break;
    case Op::kPowerOnGet:
        Answer(SettingAnswer(Reported(kPowerOn, nowMs)), nowMs);
        break;
    case Op::kAutoOffSet:
        if (args[0] == 0x00 && Latches("AutoOffAc"))
            Store(kAutoOffAc, args[1], nowMs, settle);
        else if (args[0] == 0x01 && Latches("AutoOffBattery"))
            Store(kAutoOffBattery, args[1], nowMs, settle);
        break;
    case Op::kAutoOffGet:
        if (args[0] <= 0x01)
            Answer(SettingAnswer(Reported(args[0] == 0x00 ? kAutoOffAc : kAutoOffBattery, nowMs)), nowMs);
        break;
    case Op::kPrintInfoSet:
        if (Latches("PrintInfo"))
            Store(kPrintInfo, args[0], nowMs, settle);
        break;
    case Op::kPrintInfoGet:
        Answer(SettingAnswer(Reported(kPrintInfo, nowMs)), nowMs);
        break;
    case Op::kCalibrationSet:
        if (Latches("Calibration"))
            Store(kCalibration, args[0], nowMs, settle);
        break;
    case Op::kCalibrationGet:
        Answer({Reported(kCalibration, nowMs)}, nowMs);
        break;
    case Op::kCalibrationTakeOver:
        // Taken over at once: that is what this command is for.
        ++counters_.calibrationTakeOvers;
        if (Latches("Calibration"))
            Store(kCalibration, args[0], nowMs, 0);
        break;
    }
    LogCommand(c.name, std::string("command: ") + c.name + detail);
    return true;
}

bool PrinterEngine::AnswerLogPiece(uint16_t piece, uint64_t nowMs) {
    const std::string name = "print-log piece " + std::to_string(piece);
    if (faults_.logSilentFrom >= 0 && piece >= faults_.logSilentFrom) {
        LogCommand("print-log piece not answered", name + ": not answered (logsilent)");
        return false;
    }
    std::vector<uint8_t> bytes;
    if (piece == 0) {
        // The header fixes which records the pieces after it carry, whatever happens to the log meanwhile.
        logSnapshot_ = static_cast<int64_t>(printLog_.size());
        bytes = LogHeaderPiece(faults_.logClaim >= 0 ? static_cast<uint32_t>(faults_.logClaim)
                                                     : static_cast<uint32_t>(logSnapshot_),
                               faults_.logRecordSize);
    } else {
        const uint32_t perPiece = LogRecordsPerPiece(faults_.logRecordSize);
        const int64_t first = static_cast<int64_t>(piece - 1) * perPiece;
        if (first >= logSnapshot_ || first >= static_cast<int64_t>(printLog_.size())) {
            LogCommand("print-log piece not answered", name + ": no such piece, not answered");
            return false;
        }
        const size_t count = std::min<size_t>(perPiece, static_cast<size_t>(logSnapshot_ - first));
        bytes = LogRecordsPiece(piece, &printLog_[static_cast<size_t>(first)], count, faults_.logRecordSize);
    }
    if (piece == faults_.logCorrupt || (piece == faults_.logFlaky && !flakyDone_)) {
        bytes[6] ^= 0x01;
        flakyDone_ = flakyDone_ || piece == faults_.logFlaky;
    }
    if (piece == faults_.logCut)
        bytes.resize(bytes.size() / 2);
    if (piece == faults_.logHangUpAfter)
        leaveAfterRead_ = true;
    ++counters_.printLogPieces;
    Answer(std::move(bytes), nowMs);
    return true;
}

void PrinterEngine::Answer(std::vector<uint8_t> bytes, uint64_t nowMs) {
    if (faults_.silent) {
        LogCommand("answer withheld (silent)", "stays silent");
        return;
    }
    if (faults_.shortAnswer != 0 && bytes.size() > faults_.shortAnswer)
        bytes.resize(faults_.shortAnswer);
    for (uint32_t i = 0; i < faults_.longAnswer; ++i)
        bytes.push_back(0xA5);
    if (faults_.garbage)
        for (auto& b : bytes) {
            noise_ = noise_ * 1103515245u + 12345u;
            b = static_cast<uint8_t>(noise_ >> 16);
        }
    if (bytes.empty())
        return;
    // Like a printer whose buffer is full: the whole answer is lost, never a part of it.
    if (outputBytes_ + bytes.size() > kOutputBufferSize) {
        ++counters_.droppedAnswers;
        ++droppedInRun_;
        return;
    }
    outputBytes_ += bytes.size();
    output_.push_back({std::move(bytes), 0, nowMs + faults_.lateMs});
}

void PrinterEngine::LogCommand(const std::string& kind, const std::string& line) {
    constexpr size_t kLoggedCommandsPerWrite = 16;
    if (commandLines_ < kLoggedCommandsPerWrite) {
        ++commandLines_;
        Log(line);
    } else {
        ++unloggedCommands_[kind];
    }
}

void PrinterEngine::FlushCommandRun() {
    commandLines_ = 0;
    if (unloggedCommands_.empty())
        return;
    std::string line = "and further commands of that write, not logged one by one:";
    for (const auto& [kind, count] : unloggedCommands_)
        line += " " + kind + " x" + std::to_string(count);
    Log(line);
    unloggedCommands_.clear();
}

void PrinterEngine::Log(const std::string& line) {
    log_.push_back(line);
}

std::vector<WireEntry> PrinterEngine::TakeWire() {
    std::vector<WireEntry> taken;
    taken.swap(wire_);
    return taken;
}

std::vector<std::string> PrinterEngine::TakeLog() {
    std::vector<std::string> taken;
    taken.swap(log_);
    return taken;
}

std::string PrinterEngine::DumpState() const {
    std::ostringstream out;
    out << "series=" << int(series_) << "\nmodel=" << int(model_)
        << "\ncommandMode=" << (commandMode_ ? 1 : 0) << "\nPowerOn=" << int(settings_.powerOn)
        << "\nAutoOffAc=" << int(settings_.autoOffAc) << "\nAutoOffBattery=" << int(settings_.autoOffBattery)
        << "\nPrintInfo=" << int(settings_.printInfo) << "\nCalibration=" << int(settings_.calibration)
        << "\nstatusRequests=" << counters_.statusRequests
        << "\ncommandModeSwitches=" << counters_.commandModeSwitches << "\nresets=" << counters_.resets
        << "\nreports=" << counters_.reports << "\ntemplateDeletions=" << counters_.templateDeletions
        << "\nlogDeletions=" << counters_.logDeletions
        << "\ncalibrationTakeOvers=" << counters_.calibrationTakeOvers
        << "\nignoredOutsideCommandMode=" << counters_.ignoredOutsideCommandMode
        << "\nstatusWithoutInitialize=" << counters_.statusWithoutInitialize
        << "\nsettingWrites=" << counters_.settingWrites << "\nprintLogRecords=" << printLog_.size()
        << "\nprintLogPieces=" << counters_.printLogPieces << "\ntemplates=" << templates_
        << "\ngarbageBytes=" << counters_.garbageBytes << "\ndroppedAnswers=" << counters_.droppedAnswers
        << "\npendingAnswerBytes=" << outputBytes_ << "\n";
    return out.str();
}

} // namespace sim
