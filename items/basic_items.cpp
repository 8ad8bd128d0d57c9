// The data of the five basic settings: command bytes, answer layout, settings-file key and choices.
#include "items/basic_items.h"

// Apply templates end in the placeholder 00 that the chosen value replaces.
// ESC i U p = power-on; ESC i U A = automatic power-off (next byte 00 AC, 01 battery); ESC i X o = report
// contents. In each ESC command the byte after the letter is 00 to set and 01 to query.
const BasicItemDefinition kPowerOnDefinition = {
    L"PowerOn", 1008, {0x1B, 0x69, 0x55, 0x70, 0x00, 0x00}, {0x1B, 0x69, 0x55, 0x70, 0x01}, 32,
    31,         true, {{1, 1001, false}, {0, 1002, true}}};

const BasicItemDefinition kAutoOffAcDefinition = {L"AutoOffAc",
                                                  1011,
                                                  {0x1B, 0x69, 0x55, 0x41, 0x00, 0x00, 0x00},
                                                  {0x1B, 0x69, 0x55, 0x41, 0x01, 0x00},
                                                  32,
                                                  31,
                                                  true,
                                                  {{0, 1010, false},
                                                   {1, 1011, false},
                                                   {2, 1012, false},
                                                   {3, 1013, false},
                                                   {4, 1014, false},
                                                   {5, 1015, false},
                                                   {6, 1016, true},
                                                   {12, 1017, false},
                                                   {24, 1018, false},
                                                   {48, 1019, false},
                                                   {72, 1020, false}}};

const BasicItemDefinition kAutoOffBatteryDefinition = {L"AutoOffBattery",
                                                       1022,
                                                       {0x1B, 0x69, 0x55, 0x41, 0x00, 0x01, 0x00},
                                                       {0x1B, 0x69, 0x55, 0x41, 0x01, 0x01},
                                                       32,
                                                       31,
                                                       true,
                                                       {{0, 1010, false},
                                                        {1, 1011, false},
                                                        {2, 1012, false},
                                                        {3, 1013, true},
                                                        {4, 1014, false},
                                                        {5, 1015, false},
                                                        {6, 1016, false}}};

const BasicItemDefinition kPrinterInfoDefinition = {L"PrintInfo",
                                                    1032,
                                                    {0x1B, 0x69, 0x58, 0x6F, 0x00, 0x00},
                                                    {0x1B, 0x69, 0x58, 0x6F, 0x01},
                                                    32,
                                                    31,
                                                    true,
                                                    {{0, 1111, true}, {1, 1112, false}, {2, 1113, false}}};

// The calibration value is answered with one bare byte and never goes into a command file.
const BasicItemDefinition kCalibrationDefinition = {L"Calibration",
                                                    1018,
                                                    {0x55, 0x0B, 0x03, 0x0D, 0x00},
                                                    {0x55, 0x0B, 0x04, 0x0D},
                                                    1,
                                                    1,
                                                    false,
                                                    {{130, 1257, false},
                                                     {120, 1258, false},
                                                     {110, 1259, false},
                                                     {100, 1260, true},
                                                     {90, 1261, false},
                                                     {80, 1262, false},
                                                     {70, 1263, false}}};

CBasicItem::CBasicItem(IComboBox* combo, IItemPlatform& platform, const BasicItemDefinition& definition,
                       std::shared_ptr<ItemParameterListTemplate> list)
    : CComboItemTemplate(combo, platform), definition_(definition) {
    Define(std::move(list), definition.responseSize, definition.responsePos, definition.itemName);
}

std::vector<ItemBinding> MakeBasicBindings(const std::array<IComboBox*, 5>& combos, IItemPlatform& platform) {
    return {
        {kPowerOnDefinition.comboId, combos[0], std::make_shared<CItemPowerOn>(combos[0], platform)},
        {kAutoOffAcDefinition.comboId, combos[1], std::make_shared<CItemAutoOffAc>(combos[1], platform)},
        {kAutoOffBatteryDefinition.comboId, combos[2],
         std::make_shared<CItemAutoOffBattery>(combos[2], platform)},
        {kPrinterInfoDefinition.comboId, combos[3], std::make_shared<CItemPrinterInfo>(combos[3], platform)},
        {kCalibrationDefinition.comboId, combos[4], std::make_shared<CItemCalibration>(combos[4], platform)},
    };
}
