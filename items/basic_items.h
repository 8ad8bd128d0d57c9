// The five basic settings: power-on, power-off on AC and on battery, information report, calibration.
#pragma once

#include "items/setting_item.h"

#include <array>
#include <initializer_list>

// Everything that distinguishes one basic setting from another; one row per setting in kBasicItems.
struct BasicItemDefinition {
    const wchar_t* itemName;                      // settings-file key
    int comboId;                                  // the page's drop-down list
    std::initializer_list<uint8_t> applyTemplate; // last byte replaced by the chosen value
    std::initializer_list<uint8_t> getCommand;
    int32_t responseSize;
    int32_t responsePos; // 1-based position of the value in the answer
    bool inCommandFile;
    std::initializer_list<ItemParameter> choices; // in drop-down order
};

// The rows of the table, in page order.
enum BasicItem : size_t {
    kPowerOn,
    kAutoOffAc,
    kAutoOffBattery,
    kPrinterInfo,
    kCalibration,
    kBasicItemCount
};

// The five basic settings, one row each, indexed by BasicItem.
extern const std::array<BasicItemDefinition, kBasicItemCount> kBasicItems;

class BasicParameterList : public ItemParameterListTemplate {
public:
    explicit BasicParameterList(const BasicItemDefinition& definition) : entries_(definition.choices) {}
    const std::vector<ItemParameter>& GetParameters() const override { return entries_; }

private:
    std::vector<ItemParameter> entries_;
};

// The five rows of the basic settings in page order, each bound to its list: the one way the page and a
// program without a window build them.
std::vector<ItemBinding> MakeBasicBindings(const std::array<IComboBox*, kBasicItemCount>& combos,
                                           IItemPlatform& platform);

// A combo-box item whose data all comes from one row of the table.
class CBasicItem : public CComboItemTemplate {
public:
    CBasicItem(IComboBox* combo, IItemPlatform& platform, const BasicItemDefinition& definition);
    ItemBytes ApplyCmdTemplate() const override { return ItemBytes(definition_.applyTemplate); }
    ItemBytes GetCmdTemplate() const override { return ItemBytes(definition_.getCommand); }
    bool IsInCommandFile() const override { return definition_.inCommandFile; }

private:
    const BasicItemDefinition& definition_;
};

// Each item and its list under its own name: the row of the table and nothing more.
template <BasicItem row> class CBasicItemRow : public CBasicItem {
public:
    CBasicItemRow(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kBasicItems[row]) {}
};
template <BasicItem row> class BasicParameterListRow : public BasicParameterList {
public:
    BasicParameterListRow() : BasicParameterList(kBasicItems[row]) {}
};

using CItemPowerOn = CBasicItemRow<kPowerOn>;
using CItemAutoOffAc = CBasicItemRow<kAutoOffAc>;
using CItemAutoOffBattery = CBasicItemRow<kAutoOffBattery>;
using CItemPrinterInfo = CBasicItemRow<kPrinterInfo>;
using CItemCalibration = CBasicItemRow<kCalibration>;
using ItemPowerOnParameterList = BasicParameterListRow<kPowerOn>;
using ItemAutoOffAcParamList = BasicParameterListRow<kAutoOffAc>;
using ItemAutoOffBatteryParamList = BasicParameterListRow<kAutoOffBattery>;
using ItemPrinterInfoParamList = BasicParameterListRow<kPrinterInfo>;
using ItemCalibrationParamList = BasicParameterListRow<kCalibration>;
