// Transactions under Wine: the real spooler, lxportio.dll, the simulator program and a real removable drive.
#include "core/result_codes.h"
#include "comm/services_win.h"
#include "items/basic_items.h"
#include "tests/support/item_fakes.h"
#include "tests/support/sim_fixture_win.h"

#include <gtest/gtest.h>

namespace {

const ModelRecord kLx410{L"Korvale LX-410", 104, 48, L"lx-410", 1};
const ModelRecord kLx450w{L"Korvale LX-450W", 104, 50, L"lx-450w", 2};
// The test prefix has a removable drive labelled LX-TEST and a fixed disk with the same label.
const ModelRecord kLxTest{L"Korvale LX-TEST", 104, 48, L"lx-test", 0};

class TransactionWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simfixture::Connect()) << "no simulator fixture (LX_SIM_DIR)";
        // Pauses a tenth as long; the port deadlines still see the full time.
        services = Win32CommServices();
        services.clock = &clock;
        combos = {FakeCombo(0), FakeCombo(1), FakeCombo(2), FakeCombo(3)};
        items = PlainModelItems({&combos[0], &combos[1], &combos[2], &combos[3]}, platform);
    }

    FastClock clock{10};
    CommServices services;
    FakeItemPlatform platform;
    std::vector<FakeCombo> combos;
    SettingItems items;
};

TEST_F(TransactionWineTest, ApplyThenGetThroughTheSpoolerAndTheLink) {
    ASSERT_EQ(CApplyTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kApplyDone);
    EXPECT_EQ(simfixture::StateValue("USB001", "PowerOn"), 1);
    EXPECT_EQ(simfixture::StateValue("USB001", "AutoOffAc"), 1);
    EXPECT_EQ(simfixture::StateValue("USB001", "PrintInfo"), 2);
    EXPECT_EQ(simfixture::StateValue("USB001", "Calibration"), 100);
    for (auto& c : combos)
        c.selection = -1;
    ASSERT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kGetDone);
    EXPECT_EQ(combos[0].selection, 0);
    EXPECT_EQ(combos[1].selection, 1);
    EXPECT_EQ(combos[2].selection, 2);
    EXPECT_EQ(combos[3].selection, 3);
}

TEST_F(TransactionWineTest, GetPutsExactlyItsCommandsOnTheWire) {
    const size_t from = simfixture::WireSize();
    ASSERT_EQ(CGetTransaction(items, services).Run(L"Korvale LX-410", kLx410), result::kGetDone);
    const std::vector<std::string> expected{"> 1B 40 1B 69 53",
                                            "< 32",
                                            "> 1B 69 61 01",
                                            "> 1B 69 55 70 01",
                                            "< 32",
                                            "> 1B 69 55 41 01 00",
                                            "< 32",
                                            "> 1B 69 58 6F 01",
                                            "< 32",
                                            "> 55 0B 04 0D",
                                            "< 1"};
    EXPECT_EQ(simfixture::WireSince("USB001", from), expected);
}

TEST_F(TransactionWineTest, ValueThatDoesNotLatchGives5014AndNoListChanges) {
    // "Lower Case Driver" sits on USB014, whose printer ignores the AC power-off setting.
    EXPECT_EQ(CApplyTransaction(items, services).Run(L"Lower Case Driver", kLxTest), result::kNotApplied);
    EXPECT_EQ(simfixture::StateValue("USB014", "PowerOn"), 1) << "everything was sent";
    EXPECT_EQ(simfixture::StateValue("USB014", "AutoOffAc"), 6);
    for (const auto& c : combos)
        EXPECT_EQ(c.sets, 0);
}

TEST_F(TransactionWineTest, ParallelPortGives5012) {
    EXPECT_EQ(CGetTransaction(items, services).Run(L"Parallel LX-410", kLx410), result::kNotUsbPort);
    const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
    EXPECT_EQ(CCommandTransaction(report, 4, services).Run(L"Parallel LX-410", kLx410), result::kNotUsbPort);
}

TEST_F(TransactionWineTest, OtherModelGives5015WithoutCommandModeSwitch) {
    // "Beta" sits on USB010, where the simulator is an LX-TEST with model code 49.
    EXPECT_EQ(CGetTransaction(items, services).Run(L"Beta", kLxTest), result::kWrongModel);
    EXPECT_EQ(simfixture::StateValue("USB010", "statusRequests"), 1);
    EXPECT_EQ(simfixture::StateValue("USB010", "commandModeSwitches"), 0);
}

TEST_F(TransactionWineTest, FailureCodesWithAndWithoutTheRemovableDrive) {
    const uint8_t report[] = {0x1B, 0x69, 0x55, 0x4E};
    EXPECT_EQ(CGetTransaction(items, services).Run(L"No Such Printer", kLx450w), result::kGetFailed);
    EXPECT_EQ(CApplyTransaction(items, services).Run(L"No Such Printer", kLx450w), result::kApplyFailed);
    EXPECT_EQ(CGetTransaction(items, services).Run(L"No Such Printer", kLxTest), result::kGetFailedDrive);
    EXPECT_EQ(CApplyTransaction(items, services).Run(L"No Such Printer", kLxTest), result::kApplyFailedDrive);
    EXPECT_EQ(CCommandTransaction(report, 4, services).Run(L"No Such Printer", kLxTest),
              result::kSendFailedDrive);
    EXPECT_EQ(CResetTransaction(items, services).Run(L"No Such Printer", kLxTest), result::kSendFailedDrive);

    Win32Drives drives;
    LocalDrives local(drives);
    const auto found = local.FindPrinterDrives(kLxTest);
    ASSERT_EQ(found.size(), 1u) << "the removable drive, not the fixed disk with the same label";
    EXPECT_EQ(drives.DriveType(found[0]), kDriveRemovable);
    EXPECT_TRUE(local.FindPrinterDrives(kLx410).empty());
}

TEST_F(TransactionWineTest, ResetWaitsForThePrinterToComeBack) {
    // "alpha" sits on USB011, whose printer stays away 2.5 s after a reset: longer than the shortened pause.
    ASSERT_EQ(CApplyTransaction(items, services).Run(L"alpha", kLxTest), result::kApplyDone);
    const int resetsBefore = simfixture::StateValue("USB011", "resets");
    EXPECT_EQ(CResetTransaction(items, services).Run(L"alpha", kLxTest), result::kResetDone);
    EXPECT_EQ(simfixture::StateValue("USB011", "resets"), resetsBefore + 1);
    EXPECT_EQ(simfixture::StateValue("USB011", "PowerOn"), 0);
    EXPECT_EQ(combos[0].selection, 1) << "factory power-on is \"Disable\"";
    EXPECT_EQ(combos[1].selection, 6);
}

} // namespace
