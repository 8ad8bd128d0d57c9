// The five basic settings: power-on, power-off on AC and on battery, information report, calibration.
#pragma once

#include "core/rules.h"
#include "items/setting_item.h"

#include <array>
#include <initializer_list>

// Everything that distinguishes one basic setting from another; one row per setting in kBasicItems. Adding a
// setting is one row here (and the controls of its row in the page's template).
struct BasicItemDefinition {
    const wchar_t* itemName; // settings-file key
    // The row's controls on the page: its drop-down list and label, a note below it and a button beside it (0
    // for none), and the frame that groups it with others (0 for none).
    int comboId;
    int labelId;
    int noteId;
    int buttonId;
    int frameId;
    // The model feature that shows the row; null when every model shows it.
    bool ModelFeatures::*shownBy;
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

// Whether a model shows the row, on the page and in the console alike.
inline bool TakesPart(const BasicItemDefinition& row, const ModelFeatures& model) {
    return !row.shownBy || model.*row.shownBy;
}
inline bool TakesPart(size_t row, const ModelFeatures& model) {
    return TakesPart(kBasicItems[row], model);
}

// One drop-down list per row, as MakeBasicBindings takes them, from an array of lists of any kind.
template <class Combo>
std::array<IComboBox*, kBasicItemCount> CombosOf(std::array<Combo, kBasicItemCount>& combos) {
    std::array<IComboBox*, kBasicItemCount> pointers{};
    for (size_t row = 0; row < kBasicItemCount; ++row)
        pointers[row] = &combos[row];
    return pointers;
}

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

// Each item under its own name: the row of the table and nothing more.
template <BasicItem row> class CBasicItemRow : public CBasicItem {
public:
    CBasicItemRow(IComboBox* combo, IItemPlatform& platform)
        : CBasicItem(combo, platform, kBasicItems[row]) {}
};

using CItemPowerOn = CBasicItemRow<kPowerOn>;
using CItemAutoOffAc = CBasicItemRow<kAutoOffAc>;
using CItemAutoOffBattery = CBasicItemRow<kAutoOffBattery>;
using CItemPrinterInfo = CBasicItemRow<kPrinterInfo>;
using CItemCalibration = CBasicItemRow<kCalibration>;
