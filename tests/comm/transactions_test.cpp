// Every transaction's result codes, pauses and preconditions against simulated printers on a virtual clock.
#include "tests/support/virtual_clock.h"
#include "core/result_codes.h"
#include "comm/transactions.h"
#include "items/basic_items.h"
#include "tests/support/drive_fake.h"
#include "tests/support/item_fakes.h"
#include "tests/support/sim_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const ModelRecord kLx410{L"Korvale LX-410", 104, 48, L"lx-410", 1};

using Bytes = std::vector<uint8_t>;
const Bytes kStatus{0x1B, 0x40, 0x1B, 0x69, 0x53};
const Bytes kMode{0x1B, 0x69, 0x61, 0x01};
const Bytes kReset{0x1B, 0x69, 0x55, 0x69};
const Bytes kReport{0x1B, 0x69, 0x55, 0x4E};

// Records every device call and fails one step: the writes of the n-th transfer of a command (its retries
// included), or the reads after it. A transfer is new when its bytes differ from the write before or a read
// came between; so the wake-up attempts after a reset count as one step.
class StepDevice : public IPortDevice {
public:
    struct Call {
        uint32_t ms;
        bool write;
        Bytes bytes;
    };
    StepDevice(IPortDevice& inner, IClock& clock) : inner_(inner), clock_(clock) {}
    void FailAt(bool read, Bytes command, int occurrence) {
        failRead_ = read;
        command_ = std::move(command);
        occurrence_ = occurrence;
    }
    PortBool Write(char* n, const uint8_t* d, uint32_t c, uint32_t* m, uint32_t t) override {
        Bytes bytes(d, d + c);
        calls.push_back({clock_.TickCount(), true, bytes});
        if (bytes != last_) {
            last_ = bytes;
            const bool match = !command_.empty() && bytes.size() >= command_.size() &&
                               std::equal(command_.begin(), command_.end(), bytes.begin());
            inStep_ = match && ++seen_ == occurrence_;
        }
        if (inStep_ && !failRead_)
            return kPortFalse;
        return inner_.Write(n, d, c, m, t);
    }
    PortBool Read(char* n, uint8_t* b, uint32_t c, uint32_t* m, uint32_t t) override {
        calls.push_back({clock_.TickCount(), false, {}});
        last_.clear();
        if (inStep_ && failRead_)
            return kPortFalse;
        return inner_.Read(n, b, c, m, t);
    }
    std::string NarrowName(const std::wstring& name) override { return inner_.NarrowName(name); }

    std::vector<Call> calls;

private:
    IPortDevice& inner_;
    IClock& clock_;
    bool failRead_ = false;
    Bytes command_;
    int occurrence_ = 0;
    int seen_ = 0;
    bool inStep_ = false;
    Bytes last_;
};

class TransactionTest : public ::testing::Test {
protected:
    TransactionTest() {
        services.clock = &clock;
        services.device = &device;
        services.drives = &drives;
        services.portLookup = [this](const std::wstring& printer, std::wstring& port) {
            ++lookups;
            auto it = spooler.find(printer);
            if (it == spooler.end())
                return false;
            port = it->second;
            return true;
        };
        printer = &device.Add("USB001", 104, 48);
    }

    // Items in page order, each with its own drop-down list showing the given index.
    void MakeItems(int powerOn, int ac, int info, int calibration) {
        combos = {FakeCombo(powerOn), FakeCombo(ac), FakeCombo(info), FakeCombo(calibration)};
        auto powerOnItem = std::make_shared<CItemPowerOn>(&combos[0], platform);
        auto acItem = std::make_shared<CItemAutoOffAc>(&combos[1], platform);
        auto infoItem = std::make_shared<CItemPrinterInfo>(&combos[2], platform);
        auto calibrationItem = std::make_shared<CItemCalibration>(&combos[3], platform);
        items = {powerOnItem, acItem, infoItem, calibrationItem};
        for (size_t i = 0; i < items.size(); ++i)
            static_cast<CComboItemTemplate&>(*items[i]).Prepare(&combos[i]);
    }
    // Runs one kind of transaction on the LX-410 with the current items.
    int32_t Run(const std::string& kind) {
        if (kind == "get")
            return CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410);
        if (kind == "apply")
            return CApplyTransaction(items, services).Run(L"Korvale LX-410", kLx410);
        if (kind == "reset")
            return CResetTransaction(items, services).Run(L"Korvale LX-410", kLx410);
        return CCommandTransaction(kReport.data(), 4, services).Run(L"Korvale LX-410", kLx410);
    }
    int TotalSets() const {
        int n = 0;
        for (const auto& c : combos)
            n += c.sets;
        return n;
    }

    VirtualClock clock;
    SimDevice device{clock};
    FakeDrives drives;
    FakeItemPlatform platform;
    CommServices services;
    std::map<std::wstring, std::wstring> spooler{{L"Korvale LX-410", L"USB001"},
                                                 {L"Parallel LX-410", L"LPT1:"},
                                                 {L"Serial LX-410", L"COM1:"},
                                                 {L"Lower Case", L"usb003"},
                                                 {L"Nobody Home", L"USB099"}};
    int lookups = 0;
    sim::PrinterEngine* printer = nullptr;
    std::vector<FakeCombo> combos;
    SettingItems items;
};

TEST_F(TransactionTest, GetReadsShowsAndPausesTwoSeconds) {
    printer->MutableSettings().autoOffAc = 12;
    printer->MutableSettings().calibration = 90;
    MakeItems(1, 6, 0, 3);
    CGetTransaction get(items, services);
    EXPECT_EQ(get.Run(L"Korvale LX-410", kLx410), result::kGetDone);
    EXPECT_EQ(combos[1].selection, 7);
    EXPECT_EQ(combos[3].selection, 4);
    EXPECT_EQ(combos[0].selection, 1) << "power-on 0 is \"Disable\"";
    EXPECT_GE(combos[2].repaints, 1);
    EXPECT_EQ(clock.Slept(), kShowValuesPauseMs);
    EXPECT_EQ(printer->Count().commandModeSwitches, 1);
}

TEST_F(TransactionTest, ApplyWritesVerifiesAndPausesOneThenTwoSeconds) {
    // The port name goes to the device as the spooler spells it.
    printer = &device.Add("usb003", 104, 48);
    MakeItems(0, 10, 1, 0);
    CApplyTransaction apply(items, services);
    EXPECT_EQ(apply.Run(L"Lower Case", kLx410), result::kApplyDone);
    const sim::Settings& s = printer->CurrentSettings();
    EXPECT_EQ(s.powerOn, 1);
    EXPECT_EQ(s.autoOffAc, 72);
    EXPECT_EQ(s.printInfo, 1);
    EXPECT_EQ(s.calibration, 130);
    EXPECT_EQ(s.autoOffBattery, 3) << "an item that is not in the list is not sent";
    EXPECT_EQ(clock.Slept(), kApplySettlePauseMs + kShowValuesPauseMs);
    EXPECT_EQ(TotalSets(), 4);
}

TEST_F(TransactionTest, ValueThatDoesNotLatchGives5014AndUpdatesNoList) {
    sim::Faults faults;
    faults.noLatch = "AutoOffAc";
    printer = &device.Add("USB001", 104, 48, faults);
    MakeItems(0, 2, 1, 3);
    CApplyTransaction apply({items[0], items[1], items[2]}, services);
    EXPECT_EQ(apply.Run(L"Korvale LX-410", kLx410), result::kNotApplied);
    EXPECT_EQ(TotalSets(), 0);
    EXPECT_EQ(printer->CurrentSettings().printInfo, 1) << "the items after it were still sent";
}

TEST_F(TransactionTest, WrongModelGives5015WithoutCommandModeSwitch) {
    for (auto [series, model] : {std::pair{104, 50}, std::pair{105, 48}}) {
        sim::Faults faults;
        faults.seriesCode = series;
        faults.modelCode = model;
        printer = &device.Add("USB001", 104, 48, faults);
        MakeItems(0, 0, 0, 0);
        EXPECT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kWrongModel);
        EXPECT_EQ(CApplyTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kWrongModel);
        EXPECT_EQ(CResetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kWrongModel);
        const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
        EXPECT_EQ(CCommandTransaction(report, 4, services).Run(L"Korvale LX-410", kLx410),
                  result::kWrongModel);
        EXPECT_EQ(printer->Count().statusRequests, 4);
        EXPECT_EQ(printer->Count().commandModeSwitches, 0);
        EXPECT_EQ(printer->Count().resets + printer->Count().reports, 0);
    }
}

TEST_F(TransactionTest, NonUsbPortsGive5012WithoutAnyExchange) {
    MakeItems(0, 0, 0, 0);
    const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
    for (const wchar_t* name : {L"Parallel LX-410", L"Serial LX-410"}) {
        EXPECT_EQ(CGetTransaction(items, services).Run(name, kLx410), result::kNotUsbPort);
        EXPECT_EQ(CApplyTransaction(items, services).Run(name, kLx410), result::kNotUsbPort);
        EXPECT_EQ(CResetTransaction(items, services).Run(name, kLx410), result::kNotUsbPort);
        EXPECT_EQ(CCommandTransaction(report, 4, services).Run(name, kLx410), result::kNotUsbPort);
    }
    EXPECT_EQ(device.writes + device.reads, 0);
}

// The port is held for the whole exchange and let go when it ends, whatever the outcome; a port another
// program keeps gives 5042 with nothing sent.
TEST_F(TransactionTest, EveryExchangeHoldsItsPortThroughoutAndABusyPortSendsNothing) {
    MakeItems(0, 0, 0, 0);
    std::vector<std::wstring> asked;
    bool busy = false;
    int takenAt = -1, releasedAt = -1; // transfers so far when the port was taken and let go
    auto transfers = [&] { return device.writes + device.reads; };
    services.portLock = [&](const std::wstring& port) -> std::shared_ptr<void> {
        asked.push_back(port);
        if (busy)
            return nullptr;
        takenAt = transfers();
        return std::shared_ptr<void>(&takenAt, [&](int*) { releasedAt = transfers(); });
    };
    for (const char* kind : {"get", "apply", "report"}) {
        const int before = transfers();
        Run(kind);
        EXPECT_EQ(takenAt, before) << kind;
        EXPECT_EQ(releasedAt, transfers()) << kind;
        EXPECT_GT(releasedAt, takenAt) << kind;
    }
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"USB001", L"USB001", L"USB001"}));
    busy = true;
    const int before = transfers();
    for (const char* kind : {"get", "apply", "reset", "report"})
        EXPECT_EQ(Run(kind), result::kPortBusy) << kind;
    EXPECT_EQ(transfers(), before);
}

TEST_F(TransactionTest, FailureCodesDependOnAMatchingRemovableDrive) {
    MakeItems(0, 0, 0, 0);
    const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
    auto runAll = [&](const std::wstring& name) {
        return std::vector<int32_t>{CApplyTransaction(items, services).Run(name, kLx410),
                                    CGetTransaction(items, services).Run(name, kLx410),
                                    CResetTransaction(items, services).Run(name, kLx410),
                                    CCommandTransaction(report, 4, services).Run(name, kLx410)};
    };
    const std::vector<int32_t> plain{5009, 5008, 5010, 5010};
    const std::vector<int32_t> onDrive{5028, 5029, 5030, 5030};
    // Unknown to the spooler, and a port without a printer behind it.
    EXPECT_EQ(runAll(L"No Such Printer"), plain) << "a fixed disk labelled LX-410 is no printer";
    EXPECT_EQ(runAll(L"Nobody Home"), plain);
    drives.drives[L'F'] = {2, L"LX-41"};
    drives.drives[L'G'] = {2, L"lx-410", false};
    EXPECT_EQ(runAll(L"No Such Printer"), plain) << "partial or unreadable labels do not match";
    drives.drives[L'E'] = {2, L""};
    EXPECT_EQ(runAll(L"No Such Printer"), onDrive) << "an unlabelled removable drive matches";
    drives.drives.erase(L'E');
    drives.drives[L'H'] = {2, L"lx-410"};
    EXPECT_EQ(runAll(L"No Such Printer"), onDrive);
    EXPECT_EQ(runAll(L"Nobody Home"), onDrive);
}

TEST_F(TransactionTest, PreconditionsFailBeforeTheSpoolerIsAsked) {
    MakeItems(0, 0, 0, 0);
    ModelRecord noSeries = kLx410;
    noSeries.SeriesCode = 0;
    ModelRecord noModel = kLx410;
    noModel.ModelCode = 0;
    const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
    EXPECT_EQ(CApplyTransaction(items, services).Run(L"", kLx410), result::kApplyFailed);
    EXPECT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", noSeries), result::kGetFailed);
    EXPECT_EQ(CResetTransaction(items, services).Run(L"Korvale LX-410", noModel), result::kSendFailed);
    EXPECT_EQ(CApplyTransaction({}, services).Run(L"Korvale LX-410", kLx410), result::kApplyFailed);
    EXPECT_EQ(CGetTransaction({}, services).Run(L"Korvale LX-410", kLx410), result::kGetFailed);
    EXPECT_EQ(CCommandTransaction(nullptr, 4, services).Run(L"Korvale LX-410", kLx410), result::kSendFailed);
    EXPECT_EQ(CCommandTransaction(report, 0, services).Run(L"Korvale LX-410", kLx410), result::kSendFailed);
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(device.writes, 0);
    drives.drives[L'E'] = {2, L"LX-410"};
    EXPECT_EQ(CGetTransaction({}, services).Run(L"Korvale LX-410", kLx410), result::kGetFailedDrive);
}

TEST_F(TransactionTest, ResetSucceedsOnTheFourthCommandModeAttempt) {
    // Gone for 16 s after the reset, then deaf long enough to turn away three attempts of 2 s plus 0.5 s
    // each.
    sim::Faults faults;
    faults.wakeMs = 3 * (kPortDeadlineMs + kCommandModeRetryPauseMs) - 400;
    printer = &device.Add("USB001", 104, 48, faults, kResetRestartPauseMs);
    printer->MutableSettings().autoOffAc = 24;
    MakeItems(0, 0, 0, 0);
    const uint32_t start = clock.TickCount();
    EXPECT_EQ(CResetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kResetDone);
    const uint32_t spent = clock.TickCount() - start;
    EXPECT_EQ(printer->Count().resets, 1);
    EXPECT_EQ(printer->CurrentSettings().autoOffAc, 6);
    EXPECT_EQ(combos[1].selection, 6) << "the lists show the factory values";
    EXPECT_GE(spent, kResetRestartPauseMs + 3 * (kPortDeadlineMs + kCommandModeRetryPauseMs));
    EXPECT_LT(spent, kResetRestartPauseMs + 4 * (kPortDeadlineMs + kCommandModeRetryPauseMs));
    EXPECT_EQ(printer->Count().commandModeSwitches, 2) << "one before the reset, one after";
}

TEST_F(TransactionTest, ResetWithoutItemsStillResetsThenReports5010) {
    printer = &device.Add("USB001", 104, 48, {}, 5000);
    EXPECT_EQ(CResetTransaction({}, services).Run(L"Korvale LX-410", kLx410), result::kSendFailed);
    EXPECT_EQ(printer->Count().resets, 1);
    EXPECT_EQ(printer->Count().commandModeSwitches, 2);
    EXPECT_GE(clock.Slept(), kResetRestartPauseMs);
}

TEST_F(TransactionTest, CommandIsSentAfterTheCommandModeSwitch) {
    const uint8_t deleteLog[] = {0x1B, 0x69, 0x58, 0x67, 0x32, 0x02, 0x00, 0x00, 0x01};
    EXPECT_EQ(CCommandTransaction(deleteLog, sizeof deleteLog, services).Run(L"Korvale LX-410", kLx410),
              result::kCommandDone);
    EXPECT_EQ(printer->Count().logDeletions, 1);
    const uint8_t calibration[] = {0x54, 0x0C, 80};
    EXPECT_EQ(CCommandTransaction(calibration, 3, services).Run(L"Korvale LX-410", kLx410),
              result::kCommandDone);
    EXPECT_EQ(printer->CurrentSettings().calibration, 80);
    EXPECT_EQ(clock.Slept(), 0u);
}

// Oversized answers leave stray bytes that the next read takes first: values come out wrong, but nothing
// overruns and the exchange ends.
TEST_F(TransactionTest, BadAnswersEndInAFailureCodeWithinTheDeadlines) {
    struct Case {
        const char* fault;
        int32_t get;
    };
    for (const Case& c :
         {Case{"silent", 5008}, Case{"short=20", 5008}, Case{"late=2500", 5008}, Case{"garbage", 5015},
          Case{"split=7", 6501}, Case{"accept=3", 6501}, Case{"late=300", 6501}, Case{"long=8", 6501}}) {
        sim::Faults faults;
        ASSERT_TRUE(sim::ParseFault(c.fault, faults));
        printer = &device.Add("USB001", 104, 48, faults);
        MakeItems(0, 0, 0, 0);
        const uint32_t start = clock.TickCount();
        EXPECT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410), c.get) << c.fault;
        // Worst case: status write, status read, switch, then four items of write plus read.
        EXPECT_LE(clock.TickCount() - start, 11 * (kPortDeadlineMs + 700) + kShowValuesPauseMs) << c.fault;
    }
}

TEST_F(TransactionTest, ApplyReadsBackOnlyAfterItsPause) {
    // Values that settle exactly when the 1000 ms pause ends: any read-back before it sees the old values.
    sim::Faults faults;
    faults.settleMs = 1000;
    printer = &device.Add("USB001", 104, 48, faults);
    MakeItems(0, 10, 1, 0);
    EXPECT_EQ(CApplyTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kApplyDone);
    EXPECT_EQ(combos[1].selection, 10);
}

// Each step of each transaction fails in turn, without and with a removable drive that names the model.
TEST_F(TransactionTest, FailureAtEachStepGivesItsCodeAndUpdatesNoList) {
    const Bytes powerOnGet{0x1B, 0x69, 0x55, 0x70, 0x01};
    const Bytes acGet{0x1B, 0x69, 0x55, 0x41, 0x01, 0x00};
    const Bytes infoSet{0x1B, 0x69, 0x58, 0x6F, 0x00};
    const Bytes calibrationGet{0x55, 0x0B, 0x04, 0x0D};
    struct Case {
        const char* transaction;
        const char* step;
        bool read;
        Bytes command;
        int occurrence;
        int32_t code;
        int32_t codeWithDrive;
    };
    const Case cases[] = {
        {"get", "nothing", false, {}, 0, 6501, 6501},
        {"get", "status request", false, kStatus, 1, 5008, 5029},
        {"get", "status block", true, kStatus, 1, 5008, 5029},
        {"get", "command mode", false, kMode, 1, 5008, 5029},
        {"get", "AC get command", false, acGet, 1, 5008, 5029},
        {"get", "calibration answer", true, calibrationGet, 1, 5008, 5029},
        {"apply", "nothing", false, {}, 0, 6502, 6502},
        {"apply", "status block", true, kStatus, 1, 5009, 5028},
        {"apply", "command mode", false, kMode, 1, 5009, 5028},
        {"apply", "third setting", false, infoSet, 1, 5009, 5028},
        {"apply", "first read-back", false, powerOnGet, 1, 5008, 5008},
        {"apply", "last read-back answer", true, calibrationGet, 1, 5008, 5008},
        {"reset", "nothing", false, {}, 0, 6505, 6505},
        {"reset", "status request", false, kStatus, 1, 5010, 5030},
        {"reset", "command mode", false, kMode, 1, 5010, 5030},
        {"reset", "reset command", false, kReset, 1, 5010, 5030},
        {"reset", "every wake-up", false, kMode, 2, 5010, 5030},
        {"reset", "AC answer after waking", true, acGet, 1, 5010, 5030},
        {"command", "nothing", false, {}, 0, 6504, 6504},
        {"command", "status block", true, kStatus, 1, 5010, 5030},
        {"command", "command mode", false, kMode, 1, 5010, 5030},
        {"command", "the command", false, kReport, 1, 5010, 5030},
    };
    for (bool onDrive : {false, true}) {
        if (onDrive)
            drives.drives[L'E'] = {kDriveRemovable, L"LX-410"};
        for (const Case& c : cases) {
            printer = &device.Add("USB001", 104, 48, {}, 8000);
            StepDevice steps(device, clock);
            steps.FailAt(c.read, c.command, c.occurrence);
            services.device = &steps;
            MakeItems(0, 7, 2, 1);
            const std::string what = std::string(c.transaction) + ", failing " + c.step;
            EXPECT_EQ(Run(c.transaction), onDrive ? c.codeWithDrive : c.code) << what;
            const bool success = c.occurrence == 0;
            EXPECT_EQ(TotalSets(), success && std::string(c.transaction) != "command" ? 4 : 0) << what;
        }
    }
}

TEST_F(TransactionTest, ResetMakesEightWakeUpAttemptsEachAFullDeadlineAndAPauseApart) {
    printer = &device.Add("USB001", 104, 48, {}, 60000);
    StepDevice steps(device, clock);
    services.device = &steps;
    MakeItems(0, 0, 0, 0);
    EXPECT_EQ(CResetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kSendFailed);
    EXPECT_EQ(TotalSets(), 0);
    // The first call of each attempt: a switch after a gap longer than the port's own retry pause.
    bool reset = false;
    uint32_t resetAt = 0;
    std::vector<uint32_t> attempts;
    uint32_t previous = 0;
    for (const auto& call : steps.calls) {
        if (call.write && call.bytes == kReset) {
            reset = true;
            resetAt = call.ms;
        }
        if (!call.write || call.bytes != kMode || !reset)
            continue;
        if (attempts.empty() || call.ms - previous > kPortRetryPauseMs)
            attempts.push_back(call.ms);
        previous = call.ms;
    }
    // The numbers the printer's behaviour asks for, not the program's constants: 8 attempts after a 16 s
    // pause, each a 2 s write deadline followed by a 0.5 s pause.
    ASSERT_EQ(attempts.size(), 8u);
    EXPECT_EQ(attempts[0] - resetAt, 16000u);
    for (size_t i = 1; i < attempts.size(); ++i)
        EXPECT_EQ(attempts[i] - attempts[i - 1], 2500u) << i;
}

// What the printer receives, write by write, and how long each answer it hands out is.
TEST_F(TransactionTest, EachTransactionPutsExactlyItsCommandsOnTheWire) {
    const Bytes gets[] = {{0x1B, 0x69, 0x55, 0x70, 0x01},
                          {0x1B, 0x69, 0x55, 0x41, 0x01, 0x00},
                          {0x1B, 0x69, 0x58, 0x6F, 0x01},
                          {0x55, 0x0B, 0x04, 0x0D}};
    const Bytes sets[] = {{0x1B, 0x69, 0x55, 0x70, 0x00, 0x01},
                          {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00, 0x02},
                          {0x1B, 0x69, 0x58, 0x6F, 0x00, 0x01},
                          {0x55, 0x0B, 0x03, 0x0D, 90}};
    struct Case {
        const char* transaction;
        std::vector<Bytes> commands;
        std::vector<size_t> answers;
    };
    std::vector<Bytes> readGets;
    for (const Bytes& g : gets) {
        readGets.push_back(g);
        readGets.push_back({});
    }
    const auto join = [](std::vector<Bytes> a, const std::vector<Bytes>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<Bytes> start{kStatus, {}, kMode};
    const Case cases[] = {
        {"get", join(start, readGets), {32, 32, 32, 32, 1}},
        {"apply", join(join(start, {sets[0], sets[1], sets[2], sets[3]}), readGets), {32, 32, 32, 32, 1}},
        {"reset", join(join(start, {kReset, kMode}), readGets), {32, 32, 32, 32, 1}},
        {"command", join(start, {kReport}), {32}},
    };
    for (const Case& c : cases) {
        printer = &device.Add("USB001", 104, 48, {}, 8000);
        printer->RecordWire(true);
        MakeItems(0, 2, 1, 4);
        Run(c.transaction);
        // An empty entry in the list stands for an answer: the answers are checked by their sizes below.
        std::vector<Bytes> written;
        std::vector<size_t> answered;
        for (const sim::WireEntry& e : printer->Wire()) {
            if (e.fromHost) {
                written.push_back(e.bytes);
            } else {
                written.push_back({});
                answered.push_back(e.bytes.size());
            }
        }
        EXPECT_EQ(written, c.commands) << c.transaction;
        EXPECT_EQ(answered, c.answers) << c.transaction;
    }
}

// A status block of another length, or a value in no list: a result code, and every list keeps a selection.
TEST_F(TransactionTest, OddAnswersGiveACodeAndLeaveEveryListWithASelection) {
    struct Case {
        const char* fault;
        int32_t get;
        int32_t apply;
    };
    for (const Case& c : {Case{"status=31", 5008, 5009}, Case{"status=0", 5008, 5009},
                          Case{"status=33", 6501, 5014}, Case{"value=200", 6501, 5014}}) {
        sim::Faults faults;
        ASSERT_TRUE(sim::ParseFault(c.fault, faults));
        printer = &device.Add("USB001", 104, 48, faults);
        MakeItems(0, 7, 2, 1);
        EXPECT_EQ(CApplyTransaction(items, services).Run(L"Korvale LX-410", kLx410), c.apply) << c.fault;
        EXPECT_EQ(TotalSets(), 0) << c.fault;
        EXPECT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410), c.get) << c.fault;
        const int sizes[] = {2, 11, 3, 7};
        for (size_t i = 0; i < combos.size(); ++i) {
            EXPECT_GE(combos[i].selection, 0) << c.fault << " list " << i;
            EXPECT_LT(combos[i].selection, sizes[i]) << c.fault << " list " << i;
        }
    }
}

} // namespace
