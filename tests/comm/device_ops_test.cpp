// The single-command operations on a virtual clock: start checks, the 16 s the printer is given to delete,
// and what reaches the printer.
#include "tests/support/virtual_clock.h"
#include "comm/device_ops.h"
#include "core/result_codes.h"
#include "items/basic_items.h"
#include "tests/support/item_fakes.h"
#include "tests/support/sim_device.h"

#include <gtest/gtest.h>

namespace {

class NoDrives : public IDriveQuery {
public:
    uint32_t LogicalDrives() override { return 0; }
    uint32_t DriveType(const std::wstring&) override { return 0; }
    bool VolumeLabel(const std::wstring&, std::wstring&) override { return false; }
};

const ModelRecord kLx410{L"Korvale LX-410", 104, 48, L"lx-410", 1};

class DeviceOps : public testing::Test {
protected:
    DeviceOps() {
        services.clock = &clock;
        services.device = &device;
        services.drives = &drives;
        services.portLookup = [this](const std::wstring& name, std::wstring& port) {
            ++lookups;
            port = name == L"Parallel" ? L"LPT1:" : L"USB001";
            return name != L"Missing";
        };
        printer = &device.Add("USB001", 104, 48);
    }
    VirtualClock clock;
    SimDevice device{clock};
    NoDrives drives;
    CommServices services;
    sim::PrinterEngine* printer = nullptr;
    int lookups = 0;
};

} // namespace

TEST_F(DeviceOps, DeletionsWaitForThePrinterOnlyAfterTheCommandWasSent) {
    uint64_t before = clock.Slept();
    EXPECT_EQ(DeleteTemplateAndDatabase(L"Korvale", kLx410, services), result::kDataDeleted);
    EXPECT_EQ(clock.Slept() - before, kDeletionWorkPauseMs);
    EXPECT_EQ(printer->Count().templateDeletions, 1);
    before = clock.Slept();
    EXPECT_EQ(DeletePrintLog(L"Korvale", kLx410, services), result::kDataDeleted);
    EXPECT_EQ(clock.Slept() - before, kDeletionWorkPauseMs);
    EXPECT_EQ(printer->Count().logDeletions, 1);
    // A failed send is reported at once.
    before = clock.Slept();
    EXPECT_EQ(DeletePrintLog(L"Missing", kLx410, services), result::kSendFailed);
    EXPECT_LT(clock.Slept() - before, kDeletionWorkPauseMs);
}

TEST_F(DeviceOps, StartChecksRefuseWithoutTouchingTheSpoolerOrThePort) {
    const ModelRecord noModel{L"Korvale LX-410", 104, 0};
    for (auto operation : {&PrintInformationReport, &DeleteTemplateAndDatabase, &DeletePrintLog}) {
        EXPECT_EQ(operation(L"", kLx410, services), result::kSendFailed);
        EXPECT_EQ(operation(L"Korvale", noModel, services), result::kSendFailed);
    }
    EXPECT_EQ(SendCalibrationValue(L"", kLx410, 90, services), result::kSendFailed);
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(device.writes, 0);
    EXPECT_EQ(PrintInformationReport(L"Parallel", kLx410, services), result::kNotUsbPort);
    EXPECT_EQ(device.writes, 0);
}

TEST_F(DeviceOps, ReportAndCalibrationReachThePrinterOnce) {
    EXPECT_EQ(PrintInformationReport(L"Korvale", kLx410, services), result::kCommandDone);
    EXPECT_EQ(printer->Count().reports, 1);
    PrinterContext context(services);
    context.Refresh(L"Korvale", kLx410);
    FakeCombo combo(5);
    FakeItemPlatform platform;
    ItemBinding binding{1018, &combo, std::make_shared<CItemCalibration>(&combo, platform)};
    EXPECT_EQ(context.SendCalibration(binding), result::kCommandDone);
    EXPECT_EQ(printer->CurrentSettings().calibration, 80);
    EXPECT_EQ(printer->Count().calibrationTakeOvers, 1);
    combo.selection = -1; // no selection: nothing is sent
    EXPECT_EQ(context.SendCalibration(binding), result::kSendFailed);
    EXPECT_EQ(printer->Count().calibrationTakeOvers, 1);
}
