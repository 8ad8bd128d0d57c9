// The setting item model: one printer setting bound to one drop-down list, its commands, its settings key.
#pragma once

#include "comm/port/port.h"
#include "core/ini_names.h"
#include "items/combo.h"
#include "items/item_platform.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

constexpr int kMaxCommandSize = 20;
constexpr int kResponseBufferSize = 260;

struct ItemParameter {
    uint8_t paramValue = 0;
    uint32_t stringId = 0;
    bool isDefault = false;
};

class ItemParameterListTemplate {
public:
    virtual ~ItemParameterListTemplate() = default;
    virtual const std::vector<ItemParameter>& GetParameters() const = 0;

    // Position of the first entry with this value, else DefaultIndex().
    int FindIndex(uint8_t value) const;
    // Position of the first default entry, else 0: what a freshly filled list shows.
    int DefaultIndex() const;
    // One text per entry in list order; an identifier without a text still takes its place.
    std::vector<std::wstring> GetOptionTexts(IStringSource& strings) const;
};

using ItemBytes = std::vector<uint8_t>;

class CPort;

class ISettingItem {
public:
    virtual ~ISettingItem() = default;
    virtual bool SendApplyCmd(std::shared_ptr<CPort> port) = 0;
    virtual bool ReadCurrentParam(std::shared_ptr<CPort> port) = 0;
    virtual bool WriteApplyCmd(std::ostream& file) = 0;
    virtual bool SaveToProfile(const std::wstring& path) = 0;
    virtual bool LoadFromProfile(const std::wstring& path) = 0;
    virtual bool IsApplied() = 0;
    virtual int32_t GetApplyCmdSize() = 0;
    virtual void ShowCurSel() = 0;
    virtual bool DumpToFile(std::ostream& file) = 0;
};

using SettingItems = std::vector<std::shared_ptr<ISettingItem>>;

class CComboItemTemplate : public ISettingItem {
public:
    CComboItemTemplate(IComboBox* combo, IItemPlatform& platform);
    CComboItemTemplate(const CComboItemTemplate&) = delete;
    CComboItemTemplate& operator=(const CComboItemTemplate&) = delete;

    bool SendApplyCmd(std::shared_ptr<CPort> port) override;
    bool ReadCurrentParam(std::shared_ptr<CPort> port) override;
    bool WriteApplyCmd(std::ostream& file) override;
    bool SaveToProfile(const std::wstring& path) override;
    bool LoadFromProfile(const std::wstring& path) override;
    bool IsApplied() override { return CurrentParam == SelectParam; }
    int32_t GetApplyCmdSize() override { return ApplyCmdSize; }
    void ShowCurSel() override;
    bool DumpToFile(std::ostream& file) override;

    virtual ItemBytes ApplyCmdTemplate() const = 0;
    virtual ItemBytes GetCmdTemplate() const = 0;
    virtual bool IsInCommandFile() const = 0;

    void Prepare(IComboBox* combo);
    void BuildApplyCmd();

    // Read-only views for the page, the command file and tests.
    const std::wstring& GetItemName() const { return ItemName; }
    const ItemParameterListTemplate& GetParameterList() const { return *ParameterList; }
    ItemBytes GetApplyCmd() const { return ItemBytes(ApplyCmd, ApplyCmd + ApplyCmdSize); }
    ItemBytes GetGetCmd() const { return ItemBytes(GetCmd, GetCmd + GetCmdSize); }
    uint8_t GetCurrentParam() const { return CurrentParam; }
    uint8_t GetSelectParam() const { return SelectParam; }
    int32_t GetSetCurSel() const { return SetCurSel; }

protected:
    // The concrete item's data, set once in its constructor.
    void Define(std::shared_ptr<ItemParameterListTemplate> list, int32_t responseSize, int32_t responsePos,
                std::wstring itemName);

private:
    int SelectedIndex();

    IComboBox* combo_;
    IItemPlatform& platform_;
    uint8_t CurrentParam = 0;
    uint8_t SelectParam = 0;
    int32_t SetCurSel = 0;
    uint8_t GetCmd[kMaxCommandSize] = {};
    int32_t GetCmdSize = 0;
    uint8_t ApplyCmd[kMaxCommandSize] = {};
    int32_t ApplyCmdSize = 0;
    int32_t ResponseSize = 0;
    int32_t ResponsePos = 0;
    std::wstring ItemName;
    std::shared_ptr<ItemParameterListTemplate> ParameterList;
};

// One row of a settings page: the drop-down list's control id, the page's list object and the item shown in
// it.
struct ItemBinding {
    int32_t controlId = 0;
    IComboBox* combo = nullptr;
    std::shared_ptr<CComboItemTemplate> item;
};

// Where the settings page sends what it sends at once (the calibration value): the printer the page works
// for.
class ICalibrationSender {
public:
    virtual ~ICalibrationSender() = default;
    // Sends the value of the choice selected in the binding's list; a result code (6504 on success).
    virtual int32_t SendCalibration(const ItemBinding& binding) const = 0;
};
