// The data of the five basic settings: command bytes, answer layout, settings-file key and choices.
#include "items/basic_items.h"

#include "core/resource.h"

// Apply templates end in the placeholder 00 that the chosen value replaces.
// ESC i U p = power-on; ESC i U A = automatic power-off (next byte 00 AC, 01 battery); ESC i X o = report
// contents. In each ESC command the byte after the letter is 00 to set and 01 to query.
// The calibration value is answered with one bare byte and never goes into a command file.
// clang-format off
const std::array<BasicItemDefinition, kBasicItemCount> kBasicItems = {{
    // key, then the row's list, label, note, button and frame, and the feature that shows it
    {L"PowerOn",        IDC_POWER_ON,         IDC_POWER_ON_LABEL,         0, 0, IDC_POWER_FRAME, &ModelFeatures::powerOnRow,
    //  apply template                          get command                       size pos  file
     {0x1B, 0x69, 0x55, 0x70, 0x00, 0x00},       {0x1B, 0x69, 0x55, 0x70, 0x01},       32, 31, true,
     {{1, IDS_CHOICE_ENABLE, false}, {0, IDS_CHOICE_DISABLE, true}}},
    {L"AutoOffAc",      IDC_AUTO_OFF_AC,      IDC_AUTO_OFF_AC_LABEL,      0, 0, IDC_POWER_FRAME, nullptr,
     {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00, 0x00}, {0x1B, 0x69, 0x55, 0x41, 0x01, 0x00}, 32, 31, true,
     {{0, IDS_CHOICE_NO_AUTO_OFF, false}, {1, IDS_CHOICE_10_MINUTES, false}, {2, IDS_CHOICE_20_MINUTES, false},
      {3, IDS_CHOICE_30_MINUTES, false}, {4, IDS_CHOICE_40_MINUTES, false}, {5, IDS_CHOICE_50_MINUTES, false},
      {6, IDS_CHOICE_60_MINUTES, true}, {12, IDS_CHOICE_2_HOURS, false}, {24, IDS_CHOICE_4_HOURS, false},
      {48, IDS_CHOICE_8_HOURS, false}, {72, IDS_CHOICE_12_HOURS, false}}},
    {L"AutoOffBattery", IDC_AUTO_OFF_BATTERY, IDC_AUTO_OFF_BATTERY_LABEL, 0, 0, IDC_POWER_FRAME, &ModelFeatures::batteryRow,
     {0x1B, 0x69, 0x55, 0x41, 0x00, 0x01, 0x00}, {0x1B, 0x69, 0x55, 0x41, 0x01, 0x01}, 32, 31, true,
     {{0, IDS_CHOICE_NO_AUTO_OFF, false}, {1, IDS_CHOICE_10_MINUTES, false}, {2, IDS_CHOICE_20_MINUTES, false},
      {3, IDS_CHOICE_30_MINUTES, true}, {4, IDS_CHOICE_40_MINUTES, false}, {5, IDS_CHOICE_50_MINUTES, false},
      {6, IDS_CHOICE_60_MINUTES, false}}},
    {L"PrintInfo",      IDC_PRINT_INFO,       IDC_PRINT_INFO_LABEL,       IDC_REPORT_NOTE, 0, 0, nullptr,
     {0x1B, 0x69, 0x58, 0x6F, 0x00, 0x00},       {0x1B, 0x69, 0x58, 0x6F, 0x01},       32, 31, true,
     {{0, IDS_CHOICE_REPORT_ALL, true}, {1, IDS_CHOICE_REPORT_USAGE_LOG, false}, {2, IDS_CHOICE_REPORT_SETTINGS, false}}},
    {L"Calibration",    IDC_CALIBRATION,      IDC_CALIBRATION_LABEL,      IDC_CALIBRATION_NOTE, IDC_SEND_CALIBRATION, 0, nullptr,
     {0x55, 0x0B, 0x03, 0x0D, 0x00},             {0x55, 0x0B, 0x04, 0x0D},              1,  1, false,
     {{130, IDS_CHOICE_PLUS_3, false}, {120, IDS_CHOICE_PLUS_2, false}, {110, IDS_CHOICE_PLUS_1, false},
      {100, IDS_CHOICE_ZERO, true}, {90, IDS_CHOICE_MINUS_1, false}, {80, IDS_CHOICE_MINUS_2, false},
      {70, IDS_CHOICE_MINUS_3, false}}},
}};
// clang-format on

CBasicItem::CBasicItem(IComboBox* combo, IItemPlatform& platform, const BasicItemDefinition& definition)
    : CComboItemTemplate(combo, platform), definition_(definition) {
    Define(std::make_shared<BasicParameterList>(definition), definition.responseSize, definition.responsePos,
           definition.itemName);
}

std::vector<ItemBinding> MakeBasicBindings(const std::array<IComboBox*, kBasicItemCount>& combos,
                                           IItemPlatform& platform) {
    std::vector<ItemBinding> bindings;
    for (size_t row = 0; row < kBasicItemCount; ++row)
        bindings.push_back({kBasicItems[row].comboId, combos[row],
                            std::make_shared<CBasicItem>(combos[row], platform, kBasicItems[row])});
    return bindings;
}
