// Fuzz target: printer answers from the input, fed through every transaction on a virtual clock.
#include "tests/support/virtual_clock.h"
#include "core/result_codes.h"
#include "comm/transactions.h"
#include "items/basic_items.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/scripted_device.h"
#include "tests/support/item_fakes.h"

#include <set>

namespace {

class Drives : public IDriveQuery {
public:
    explicit Drives(bool present) : present_(present) {}
    uint32_t LogicalDrives() override { return present_ ? 1u << 4 : 0; }
    uint32_t DriveType(const std::wstring&) override { return kDriveRemovable; }
    bool VolumeLabel(const std::wstring&, std::wstring& label) override {
        label = L"LX-410";
        return true;
    }

private:
    bool present_;
};

const ModelRecord kModel{L"Korvale LX-410", 104, 48, L"lx-410", 1};
const uint8_t kReport[] = {0x1B, 0x69, 0x55, 0x4E};
// Longest a transaction may take: every transfer to its deadline and every pause, with room to spare.
constexpr uint32_t kLongestRunMs = 80000;

} // namespace

// Input: a control byte (transaction, drive, spooler answer), four list selections, then the device script.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t control = in.Byte();
    VirtualClock clock;
    ScriptedDevice device(in);
    Drives drives(control & 4);
    CommServices services;
    services.clock = &clock;
    services.device = &device;
    services.drives = &drives;
    services.portLookup = [control](const std::wstring&, std::wstring& port) {
        port = control & 16 ? L"LPT1:" : L"usb001";
        return !(control & 8);
    };
    FakeItemPlatform platform;
    const int sizes[] = {2, 11, 3, 7};
    std::vector<FakeCombo> combos;
    for (int size : sizes)
        combos.emplace_back(static_cast<int>(in.Byte() % (size + 1)) - 1);
    SettingItems items = PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, platform);

    int32_t code = 0;
    std::set<int32_t> allowed{result::kNotUsbPort, result::kWrongModel};
    switch (control & 3) {
    case 0:
        code = CGetTransaction(items, services).Run(L"P", kModel);
        allowed.insert({result::kGetDone, result::kGetFailed, result::kGetFailedDrive});
        break;
    case 1:
        code = CApplyTransaction(items, services).Run(L"P", kModel);
        allowed.insert({result::kApplyDone, result::kApplyFailed, result::kApplyFailedDrive,
                        result::kGetFailed, result::kNotApplied});
        break;
    case 2:
        code = CResetTransaction(items, services).Run(L"P", kModel);
        allowed.insert({result::kResetDone, result::kSendFailed, result::kSendFailedDrive});
        break;
    default:
        code = CCommandTransaction(kReport, sizeof kReport, services).Run(L"P", kModel);
        allowed.insert({result::kCommandDone, result::kSendFailed, result::kSendFailedDrive});
        break;
    }
    if (!allowed.count(code))
        FuzzFault("result code outside the transaction's set");
    // The lists change all together or not at all, and only to an entry they have.
    int updated = 0;
    for (size_t i = 0; i < combos.size(); ++i) {
        if (combos[i].sets == 0)
            continue;
        ++updated;
        if (combos[i].selection < 0 || combos[i].selection >= sizes[i])
            FuzzFault("a list was left without a valid selection");
    }
    const bool success = code == result::kGetDone || code == result::kApplyDone || code == result::kResetDone;
    if (updated != (success ? 4 : 0))
        FuzzFault("lists updated on failure, or not all updated on success");
    if (clock.TickCount() > kLongestRunMs)
        FuzzFault("the exchange outlasted its deadlines");
    return 0;
}

std::vector<std::vector<uint8_t>> FuzzSeeds() {
    // A printer that answers everything correctly; the value byte is the 31st of each 32-byte answer.
    auto status = [](std::vector<uint8_t>& s) {
        s.push_back(32);
        std::vector<uint8_t> block(32, 0);
        block[3] = 104;
        block[4] = 48;
        s.insert(s.end(), block.begin(), block.end());
    };
    auto answer = [](std::vector<uint8_t>& s, uint8_t value, bool oneByte) {
        s.push_back(0x7F); // the get command
        s.push_back(oneByte ? 1 : 32);
        if (oneByte) {
            s.push_back(value);
            return;
        }
        std::vector<uint8_t> block(32, 0xEE);
        block[30] = value;
        s.insert(s.end(), block.begin(), block.end());
    };
    std::vector<std::vector<uint8_t>> seeds;
    for (uint8_t transaction = 0; transaction < 4; ++transaction) {
        std::vector<uint8_t> s{transaction, 1, 2, 3, 4, 0x7F};
        status(s);
        s.push_back(0x7F); // command mode
        if (transaction == 1)
            s.insert(s.end(), {0x7F, 0x7F, 0x7F, 0x7F});
        if (transaction == 2)
            s.insert(s.end(), {0x7F, 0, 0, 0x7F}); // reset, two refused wake-ups, then awake
        if (transaction == 3) {
            s.push_back(0x7F);
        } else {
            answer(s, 0, false);
            answer(s, 1, false);
            answer(s, 2, false);
            answer(s, 90, true);
        }
        seeds.push_back(s);
    }
    return seeds;
}
