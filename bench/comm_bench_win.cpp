// Timed program: what reading and applying the settings cost beyond their fixed pauses, and what reading a
// large print log costs, over the real link.
#include "comm/services_win.h"
#include "items/basic_items.h"
#include "items/platform_win.h"
#include "core/printers.h"
#include "comm/port/lxportio_win.h"
#include "comm/print_log.h"
#include "core/result_codes.h"
#include "tests/support/item_fakes.h"
#include "tests/support/usb_devices_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Milliseconds with the performance counter; the tick counter is too coarse for the overhead.
double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The real clock, counting how long the transaction asked to pause.
class CountingClock : public IClock {
public:
    explicit CountingClock(bool pause) : pause_(pause) {}
    uint32_t TickCount() override { return ::GetTickCount(); }
    void Sleep(uint32_t ms) override {
        requested += ms;
        marks.push_back(Now());
        if (pause_)
            ::Sleep(ms);
        marks.push_back(Now());
    }
    uint64_t requested = 0;
    std::vector<double> marks; // entry and exit of each pause

private:
    bool pause_;
};

class NullCombo : public IComboBox {
public:
    explicit NullCombo(int index) : index_(index) {}
    int GetCurSel() override { return index_; }
    void SetCurSel(int index) override { index_ = index; }
    std::wstring GetText() override { return {}; }
    void Repaint() override {}

private:
    int index_;
};

struct Stats {
    double min, median, max;
};

Stats Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

// Times `count` writes of the command-mode switch to a port, one lxportio call each.
bool OneCall(const char* portName, int count, const char* transport) {
    std::vector<double> calls;
    char port[16] = {};
    std::snprintf(port, sizeof port, "%s", portName);
    BYTE mode[] = {0x1B, 0x69, 0x61, 0x01};
    for (int i = 0; i < count; ++i) {
        DWORD moved = 0;
        const double start = Now();
        if (!LxPortWrite(0, port, mode, sizeof mode, &moved, 500) || moved != sizeof mode) {
            std::fprintf(stderr, "comm_bench: no printer on %s over %s\n", portName, transport);
            return false;
        }
        calls.push_back(Now() - start);
    }
    const Stats c = Summarise(calls);
    std::printf(
        "one lxportio call over %s (%d calls), ms min/median/max\n  write 4 bytes          %7.2f %7.2f "
        "%7.2f\n",
        transport, count, c.min, c.median, c.max);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // "calls N": the device call alone over the USB printer class, to the bridged printer of
    // run-comm-bench.sh (its interface registered here, as the USB port monitor would find it).
    if (argc > 2 && std::string(argv[1]) == "calls") {
        if (!usbdev::Register(L"0001", L"USB001", L"USB", 1))
            return 1;
        return OneCall("USB001", std::max(1, std::atoi(argv[2])), "the USB printer class (a bridged device)")
                   ? 0
                   : 1;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int quickRounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    const bool verbose = argc > 3;
    const ModelRecord model{L"Korvale LX-410", 104, 48, L"lx-410", 1};
    const wchar_t* printer = L"Korvale LX-410";
    NullCombo combos[] = {NullCombo(0), NullCombo(3), NullCombo(1), NullCombo(2)};
    SettingItems items = PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, TheItemPlatform());

    // One device call alone: what each of the 11 (read) or 15 (apply) device calls costs.
    if (!OneCall("USB001", quickRounds, "the simulator link"))
        return 1;
    // The program has used the spooler before its first exchange; so does this one.
    {
        std::wstring port;
        GetPrinterPortName(printer, port);
    }
    // Real pauses: the whole cost as the user waits for it. Then without pauses: the exchange alone, many
    // times.
    for (bool pause : {true, false}) {
        const int n = pause ? rounds : quickRounds;
        std::vector<double> getOverhead, applyOverhead;
        for (int i = 0; i < n; ++i) {
            for (bool apply : {false, true}) {
                CountingClock clock(pause);
                CommServices services = Win32CommServices();
                services.clock = &clock;
                const double start = Now();
                const int32_t code = apply ? CApplyTransaction(items, services).Run(printer, model)
                                           : CGetTransaction(items, services).Run(printer, model);
                const double spent = Now() - start - (pause ? static_cast<double>(clock.requested) : 0.0);
                if (code != (apply ? result::kApplyDone : result::kGetDone)) {
                    std::fprintf(stderr, "comm_bench: %s returned %d\n", apply ? "apply" : "get", code);
                    return 1;
                }
                (apply ? applyOverhead : getOverhead).push_back(spent);
                if (verbose && pause) {
                    std::printf("  %s: %.2f ms to the first pause", apply ? "apply" : "get",
                                clock.marks[0] - start);
                    for (size_t k = 1; k + 1 < clock.marks.size(); k += 2)
                        std::printf(", %.2f ms after pause %zu", clock.marks[k + 1] - clock.marks[k],
                                    k / 2 + 1);
                    std::printf(", %.2f ms after the last\n", Now() - clock.marks.back());
                }
            }
        }
        const Stats g = Summarise(getOverhead), a = Summarise(applyOverhead);
        std::printf("%s (%d rounds): overhead beyond the fixed pauses, ms min/median/max\n",
                    pause ? "with real pauses" : "exchange only", n);
        std::printf("  read current settings  %7.2f %7.2f %7.2f  (pauses 2000 ms)\n", g.min, g.median, g.max);
        std::printf("  apply settings         %7.2f %7.2f %7.2f  (pauses 1000 + 2000 ms)\n", a.min, a.median,
                    a.max);
        if (pause && (g.max > 50.0 || a.max > 50.0))
            std::printf("  OVER BUDGET: more than 50 ms beyond the pauses\n");
    }
    // The print log, when the printer holds one: status, command mode, then every piece through the real
    // port.
    std::vector<double> logTimes;
    size_t logRecords = 0;
    for (int i = 0; i < rounds; ++i) {
        Win32Clock clock;
        LxportioDevice device;
        CCommunicater communicator(L"USB001", PortEnv{&clock, &device});
        uint8_t status[kStatusBlockSize];
        std::vector<printlog::Record> records;
        const double start = Now();
        if (!communicator.RequestStatus(status) || !communicator.SetCommandMode() ||
            printlog::ReadPrintLog(communicator.Port(), clock, records) != printlog::ReadResult::kOk) {
            std::fprintf(stderr, "comm_bench: the print log could not be read\n");
            return 1;
        }
        logTimes.push_back(Now() - start);
        logRecords = records.size();
    }
    if (logRecords != 0) {
        const Stats l = Summarise(logTimes);
        std::printf(
            "print log of %zu records (%d rounds), ms min/median/max\n  whole transfer         %7.2f %7.2f "
            "%7.2f  (%.3f ms per record)\n",
            logRecords, rounds, l.min, l.median, l.max, l.median / static_cast<double>(logRecords));
        if (l.max > 2000.0)
            std::printf("  OVER BUDGET: more than 2 s\n");
    }
    return 0;
}
