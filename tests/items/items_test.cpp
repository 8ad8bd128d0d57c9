// The five basic items: command bytes for every choice, answers on the wire, settings-file keys, dumps.
#include "tests/support/virtual_clock.h"
#include "items/basic_items.h"
#include "tests/support/item_fakes.h"
#include "tests/support/sim_device.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using Maker = std::function<std::unique_ptr<CBasicItem>(IComboBox*, IItemPlatform&)>;
template <typename T> Maker Make() {
    return [](IComboBox* c, IItemPlatform& p) { return std::make_unique<T>(c, p); };
}

struct Expected {
    const char* label;
    Maker make;
    std::wstring name;
    ItemBytes prefix; // apply command without the value byte
    ItemBytes get;
    std::vector<uint8_t> values; // in drop-down order
    int defaultIndex;
    bool inCommandFile;
};

const std::vector<Expected>& AllItems() {
    static const std::vector<Expected> all = {
        {"PowerOn",
         Make<CItemPowerOn>(),
         L"PowerOn",
         {0x1B, 0x69, 0x55, 0x70, 0x00},
         {0x1B, 0x69, 0x55, 0x70, 0x01},
         {1, 0},
         1,
         true},
        {"AutoOffAc",
         Make<CItemAutoOffAc>(),
         L"AutoOffAc",
         {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00},
         {0x1B, 0x69, 0x55, 0x41, 0x01, 0x00},
         {0, 1, 2, 3, 4, 5, 6, 12, 24, 48, 72},
         6,
         true},
        {"AutoOffBattery",
         Make<CItemAutoOffBattery>(),
         L"AutoOffBattery",
         {0x1B, 0x69, 0x55, 0x41, 0x00, 0x01},
         {0x1B, 0x69, 0x55, 0x41, 0x01, 0x01},
         {0, 1, 2, 3, 4, 5, 6},
         3,
         true},
        {"PrintInfo",
         Make<CItemPrinterInfo>(),
         L"PrintInfo",
         {0x1B, 0x69, 0x58, 0x6F, 0x00},
         {0x1B, 0x69, 0x58, 0x6F, 0x01},
         {0, 1, 2},
         0,
         true},
        {"Calibration",
         Make<CItemCalibration>(),
         L"Calibration",
         {0x55, 0x0B, 0x03, 0x0D},
         {0x55, 0x0B, 0x04, 0x0D},
         {130, 120, 110, 100, 90, 80, 70},
         3,
         false},
    };
    return all;
}

class ItemsTest : public ::testing::Test {
protected:
    FakeItemPlatform platform;
    FakeCombo combo;
};

TEST_F(ItemsTest, EveryChoiceBuildsTheTemplateWithItsValueLast) {
    for (const Expected& e : AllItems()) {
        auto item = e.make(&combo, platform);
        EXPECT_EQ(item->GetItemName(), e.name);
        EXPECT_EQ(item->IsInCommandFile(), e.inCommandFile) << e.label;
        ASSERT_EQ(item->GetParameterList().GetParameters().size(), e.values.size()) << e.label;
        for (size_t i = 0; i < e.values.size(); ++i) {
            combo.selection = static_cast<int>(i);
            item->Prepare(&combo);
            ItemBytes want = e.prefix;
            want.push_back(e.values[i]);
            EXPECT_EQ(item->GetApplyCmd(), want) << e.label << " choice " << i;
            EXPECT_EQ(item->GetApplyCmdSize(), static_cast<int32_t>(want.size()));
            EXPECT_EQ(item->GetSelectParam(), e.values[i]);
            EXPECT_EQ(item->GetGetCmd(), e.get) << e.label;
        }
    }
}

TEST_F(ItemsTest, OptionTextsKeepTheirPlaceWhenATextIsMissing) {
    struct Strings : IStringSource {
        std::wstring LoadText(uint32_t id) override { return id == 1011 ? L"" : L"#" + std::to_wstring(id); }
    } strings;
    CItemAutoOffBattery item(&combo, platform);
    auto texts = item.GetParameterList().GetOptionTexts(strings);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], L"#1010");
    EXPECT_EQ(texts[1], L"");
    EXPECT_EQ(texts[2], L"#1012");
}

TEST_F(ItemsTest, NoSelectionBuildsTheDefaultChoice) {
    combo.selection = -1;
    CItemCalibration item(&combo, platform);
    item.Prepare(&combo);
    EXPECT_EQ(item.GetApplyCmd(), (ItemBytes{0x55, 0x0B, 0x03, 0x0D, 100}));
    combo.selection = 99;
    item.Prepare(&combo);
    EXPECT_EQ(item.GetSelectParam(), 100);
}

// Reads through a real port from a simulated printer holding the given value.
class ItemWireTest : public ::testing::Test {
protected:
    ItemWireTest() {
        sim::PrinterEngine& engine = device.Add("USB001", 104, 48);
        const uint8_t mode[] = {0x1B, 0x69, 0x61, 0x01};
        engine.Write(mode, sizeof mode, 0);
        printer = &engine;
    }
    VirtualClock clock;
    SimDevice device{clock};
    sim::PrinterEngine* printer;
    std::shared_ptr<CPort> port = CreatePort(L"USB001", PortEnv{&clock, &device});
    FakeItemPlatform platform;
    FakeCombo combo;
};

TEST_F(ItemWireTest, ValuesInTheListSelectTheirIndexOthersTheDefault) {
    struct Case {
        size_t item;
        uint8_t value;
        int index;
    };
    for (const Case& c : {Case{0, 1, 0}, Case{0, 0, 1}, Case{0, 7, 1}, Case{1, 12, 7}, Case{1, 7, 6},
                          Case{1, 72, 10}, Case{2, 0, 0}, Case{2, 9, 3}, Case{3, 2, 2}, Case{3, 3, 0},
                          Case{4, 0x5A, 4}, Case{4, 71, 3}, Case{4, 130, 0}}) {
        sim::Settings& s = printer->MutableSettings();
        uint8_t* slots[] = {&s.powerOn, &s.autoOffAc, &s.autoOffBattery, &s.printInfo, &s.calibration};
        *slots[c.item] = c.value;
        const Expected& e = AllItems()[c.item];
        auto item = e.make(&combo, platform);
        item->Prepare(&combo);
        ASSERT_TRUE(item->ReadCurrentParam(port)) << e.label;
        EXPECT_EQ(item->GetCurrentParam(), c.value) << e.label;
        EXPECT_EQ(item->GetSetCurSel(), c.index) << e.label << " value " << int(c.value);
        EXPECT_EQ(combo.sets, 0) << "reading does not touch the list";
        item->ShowCurSel();
        EXPECT_EQ(combo.selection, c.index);
        combo.sets = 0;
    }
}

TEST_F(ItemWireTest, ApplyThenReadBackIsApplied) {
    combo.selection = 9;
    CItemAutoOffAc item(&combo, platform);
    item.Prepare(&combo);
    ASSERT_TRUE(item.SendApplyCmd(port));
    EXPECT_EQ(printer->CurrentSettings().autoOffAc, 48);
    EXPECT_FALSE(item.IsApplied());
    clock.Advance(sim::kDefaultSettleMs); // the printer reports a new value once it has stored it
    ASSERT_TRUE(item.ReadCurrentParam(port));
    EXPECT_TRUE(item.IsApplied());
}

TEST_F(ItemWireTest, FailedReadLeavesTheValuesAndNoPortIsAFailure) {
    CItemPrinterInfo item(&combo, platform);
    combo.selection = 2;
    item.Prepare(&combo);
    printer->MutableSettings().printInfo = 2;
    ASSERT_TRUE(item.ReadCurrentParam(port));
    sim::Faults silent;
    silent.silent = true;
    device.Add("USB001", 104, 48, silent);
    EXPECT_FALSE(item.ReadCurrentParam(port));
    EXPECT_EQ(item.GetCurrentParam(), 2);
    EXPECT_EQ(item.GetSetCurSel(), 2);
    EXPECT_FALSE(item.ReadCurrentParam(nullptr));
    EXPECT_FALSE(item.SendApplyCmd(nullptr));
}

TEST_F(ItemsTest, SettingsFileStoresTheIndexUnderTheItemName) {
    for (const Expected& e : AllItems()) {
        auto item = e.make(&combo, platform);
        combo.selection = static_cast<int>(e.values.size()) - 1;
        ASSERT_TRUE(item->SaveToProfile(L"a.dat"));
        EXPECT_EQ(platform.files[L"a.dat"][L"Settings/" + e.name], std::to_wstring(e.values.size() - 1));
    }
    platform.files[L"b.dat"][L"Settings/PowerOn"] = L"1";
    platform.files[L"b.dat"][L"Settings/AutoOffAc"] = L"7";
    CItemPowerOn powerOn(&combo, platform);
    CItemAutoOffAc ac(&combo, platform);
    ASSERT_TRUE(powerOn.LoadFromProfile(L"b.dat"));
    ASSERT_TRUE(ac.LoadFromProfile(L"b.dat"));
    EXPECT_EQ(powerOn.GetSetCurSel(), 1) << "\"Disable\"";
    EXPECT_EQ(ac.GetSetCurSel(), 7);
    combo.selection = ac.GetSetCurSel();
    ac.Prepare(&combo);
    EXPECT_EQ(ac.GetSelectParam(), 12);
}

TEST_F(ItemsTest, MissingStoredOrOutOfRangeSelectionLeavesTheItemAlone) {
    CItemAutoOffBattery item(&combo, platform);
    platform.files[L"c.dat"][L"Settings/AutoOffBattery"] = L"5";
    ASSERT_TRUE(item.LoadFromProfile(L"c.dat"));
    for (const wchar_t* bad : {L"255", L"7", L"-1", L"1000"}) {
        platform.files[L"c.dat"][L"Settings/AutoOffBattery"] = bad;
        EXPECT_FALSE(item.LoadFromProfile(L"c.dat")) << bad;
        EXPECT_EQ(item.GetSetCurSel(), 5) << bad;
    }
    EXPECT_FALSE(item.LoadFromProfile(L"missing.dat"));
    const int touches = platform.touches;
    EXPECT_FALSE(item.LoadFromProfile(L""));
    EXPECT_FALSE(item.SaveToProfile(L""));
    EXPECT_EQ(platform.touches, touches);
}

TEST_F(ItemsTest, CommandFileNeverHoldsTheCalibrationSet) {
    std::ostringstream file;
    for (const Expected& e : AllItems()) {
        combo.selection = e.defaultIndex;
        auto item = e.make(&combo, platform);
        item->Prepare(&combo);
        EXPECT_TRUE(item->WriteApplyCmd(file));
    }
    const std::string bytes = file.str();
    EXPECT_EQ(bytes.size(), 6u + 7 + 7 + 6);
    EXPECT_EQ(bytes.find("\x55\x0B\x03\x0D"), std::string::npos);
    CItemCalibration calibration(&combo, platform);
    calibration.Prepare(&combo);
    EXPECT_EQ(calibration.GetApplyCmdSize(), 5);
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    CItemPowerOn powerOn(&combo, platform);
    powerOn.Prepare(&combo);
    EXPECT_FALSE(powerOn.WriteApplyCmd(broken));
    EXPECT_FALSE(powerOn.DumpToFile(broken));
}

TEST_F(ItemsTest, DumpShowsCommandsInBareHex) {
    combo.selection = 0;
    combo.text = L"Enable";
    CItemPowerOn item(&combo, platform);
    item.Prepare(&combo);
    std::ostringstream file;
    ASSERT_TRUE(item.DumpToFile(file));
    EXPECT_EQ(file.str(),
              "ItemName:PowerOn===========\nApplyCmd:1B 69 55 70 0 1 \nSize:6\nGetCmd:1B 69 55 70 1 \n"
              "Size:5\nSelectedString:Enable\nSelectParam:1\nCurrentParam:0\nSetCurSel:0\n");
}

} // namespace
