// The five basic settings: power-on, power-off on AC and on battery, information report, calibration.
#pragma once

#include "items/setting_item.h"

#include <array>
#include <initializer_list>

// Everything that distinguishes one basic setting from another; one row per setting in basic_items.cpp.
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

extern const BasicItemDefinition kPowerOnDefinition;
extern const BasicItemDefinition kAutoOffAcDefinition;
extern const BasicItemDefinition kAutoOffBatteryDefinition;
extern const BasicItemDefinition kPrinterInfoDefinition;
extern const BasicItemDefinition kCalibrationDefinition;

class BasicParameterList : public ItemParameterListTemplate {
public:
    explicit BasicParameterList(const BasicItemDefinition& definition) : entries_(definition.choices) {}
    const std::vector<ItemParameter>& GetParameters() const override { return entries_; }

private:
    std::vector<ItemParameter> entries_;
};

class ItemPowerOnParameterList : public BasicParameterList {
public:
    ItemPowerOnParameterList() : BasicParameterList(kPowerOnDefinition) {}
};
class ItemAutoOffAcParamList : public BasicParameterList {
public:
    ItemAutoOffAcParamList() : BasicParameterList(kAutoOffAcDefinition) {}
};
class ItemAutoOffBatteryParamList : public BasicParameterList {
public:
    ItemAutoOffBatteryParamList() : BasicParameterList(kAutoOffBatteryDefinition) {}
};
class ItemPrinterInfoParamList : public BasicParameterList {
public:
    ItemPrinterInfoParamList() : BasicParameterList(kPrinterInfoDefinition) {}
};
class ItemCalibrationParamList : public BasicParameterList {
public:
    ItemCalibrationParamList() : BasicParameterList(kCalibrationDefinition) {}
};

// The five rows of the basic settings in page order, each bound to its list: the one way the page and a
// program without a window build them.
std::vector<ItemBinding> MakeBasicBindings(const std::array<IComboBox*, 5>& combos, IItemPlatform& platform);

// A combo-box item whose data all comes from one definition row.
class CBasicItem : public CComboItemTemplate {
public:
    ItemBytes ApplyCmdTemplate() const override { return ItemBytes(definition_.applyTemplate); }
    ItemBytes GetCmdTemplate() const override { return ItemBytes(definition_.getCommand); }
    bool IsInCommandFile() const override { return definition_.inCommandFile; }
    int ComboId() const { return definition_.comboId; }

protected:
    CBasicItem(IComboBox* combo, IItemPlatform& platform, const BasicItemDefinition& definition,
               std::shared_ptr<ItemParameterListTemplate> list);

private:
    const BasicItemDefinition& definition_;
};

class CItemPowerOn : public CBasicItem {
public:
    CItemPowerOn(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kPowerOnDefinition, std::make_shared<ItemPowerOnParameterList>()) {}
};
class CItemAutoOffAc : public CBasicItem {
public:
    CItemAutoOffAc(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kAutoOffAcDefinition, std::make_shared<ItemAutoOffAcParamList>()) {}
};
class CItemAutoOffBattery : public CBasicItem {
public:
    CItemAutoOffBattery(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kAutoOffBatteryDefinition,
                     std::make_shared<ItemAutoOffBatteryParamList>()) {}
};
class CItemPrinterInfo : public CBasicItem {
public:
    CItemPrinterInfo(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kPrinterInfoDefinition, std::make_shared<ItemPrinterInfoParamList>()) {}
};
class CItemCalibration : public CBasicItem {
public:
    CItemCalibration(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kCalibrationDefinition, std::make_shared<ItemCalibrationParamList>()) {}
};
