// Behaviour shared by every combo-box item: commands from templates, read-back, settings-file selection.
#include "items/setting_item.h"

#include <algorithm>
#include <cstring>

int ItemParameterListTemplate::FindIndex(uint8_t value) const {
    const auto& entries = GetParameters();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].paramValue == value)
            return static_cast<int>(i);
    return DefaultIndex();
}

int ItemParameterListTemplate::DefaultIndex() const {
    const auto& entries = GetParameters();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].isDefault)
            return static_cast<int>(i);
    return 0;
}

std::vector<std::wstring> ItemParameterListTemplate::GetOptionTexts(IStringSource& strings) const {
    std::vector<std::wstring> texts;
    for (const auto& entry : GetParameters())
        texts.push_back(strings.LoadText(entry.stringId));
    return texts;
}

CComboItemTemplate::CComboItemTemplate(IComboBox* combo, IItemPlatform& platform)
    : combo_(combo), platform_(platform) {}

void CComboItemTemplate::Define(std::shared_ptr<ItemParameterListTemplate> list, int32_t responseSize,
                                int32_t responsePos, std::wstring itemName) {
    ParameterList = std::move(list);
    // The answer must fit the receive buffer and the value byte must lie inside the answer.
    ResponseSize = std::clamp(responseSize, 1, kResponseBufferSize);
    ResponsePos = std::clamp(responsePos, 1, ResponseSize);
    ItemName = std::move(itemName);
}

int CComboItemTemplate::SelectedIndex() {
    const auto& entries = ParameterList->GetParameters();
    const int count = static_cast<int>(entries.size());
    const int index = combo_ ? combo_->GetCurSel() : -1;
    if (index >= 0 && index < count)
        return index;
    // Without a selection there is no entry to read; the default choice stands in for it.
    return ParameterList->DefaultIndex();
}

void CComboItemTemplate::BuildApplyCmd() {
    const auto& entries = ParameterList->GetParameters();
    if (!entries.empty())
        SelectParam = entries[SelectedIndex()].paramValue;
    ItemBytes command = ApplyCmdTemplate();
    if (command.size() > static_cast<size_t>(kMaxCommandSize))
        command.resize(kMaxCommandSize);
    if (!command.empty())
        command.back() = SelectParam;
    std::memset(ApplyCmd, 0, sizeof ApplyCmd);
    std::copy(command.begin(), command.end(), ApplyCmd);
    ApplyCmdSize = static_cast<int32_t>(command.size());
}

void CComboItemTemplate::Prepare(IComboBox* combo) {
    combo_ = combo;
    BuildApplyCmd();
    ItemBytes command = GetCmdTemplate();
    if (command.size() > static_cast<size_t>(kMaxCommandSize))
        command.resize(kMaxCommandSize);
    std::memset(GetCmd, 0, sizeof GetCmd);
    std::copy(command.begin(), command.end(), GetCmd);
    GetCmdSize = static_cast<int32_t>(command.size());
}

bool CComboItemTemplate::SendApplyCmd(std::shared_ptr<CPort> port) {
    if (!port)
        return false;
    return port->Write(ApplyCmd, static_cast<uint32_t>(ApplyCmdSize)) != kPortFalse;
}

bool CComboItemTemplate::ReadCurrentParam(std::shared_ptr<CPort> port) {
    if (!port)
        return false;
    if (port->Write(GetCmd, static_cast<uint32_t>(GetCmdSize)) == kPortFalse)
        return false;
    uint8_t response[kResponseBufferSize] = {};
    if (port->Read(response, static_cast<uint32_t>(ResponseSize)) == kPortFalse)
        return false;
    CurrentParam = response[ResponsePos - 1];
    SetCurSel = ParameterList->FindIndex(CurrentParam);
    return true;
}

bool CComboItemTemplate::WriteApplyCmd(std::ostream& file) {
    // Kept on purpose: such an item writes nothing, though GetApplyCmdSize still counts its whole command.
    if (!IsInCommandFile())
        return true;
    try {
        file.write(reinterpret_cast<const char*>(ApplyCmd), ApplyCmdSize);
        return static_cast<bool>(file);
    } catch (...) {
        return false;
    }
}

bool CComboItemTemplate::SaveToProfile(const std::wstring& path) {
    if (path.empty())
        return false;
    const int index = combo_ ? combo_->GetCurSel() : -1;
    return platform_.WriteProfileText(path, ini::kSettings, ItemName, std::to_wstring(index));
}

bool CComboItemTemplate::LoadFromProfile(const std::wstring& path) {
    if (path.empty())
        return false;
    const int index = platform_.ReadProfileInt(path, ini::kSettings, ItemName, ini::kNothingStored);
    if (index == ini::kNothingStored)
        return false;
    // An index that names no choice would leave the list without a selection: treat it as nothing stored.
    if (index < 0 || index >= static_cast<int>(ParameterList->GetParameters().size()))
        return false;
    SetCurSel = index;
    return true;
}

void CComboItemTemplate::ShowCurSel() {
    if (!combo_)
        return;
    combo_->SetCurSel(SetCurSel);
    combo_->Repaint();
}

namespace {

std::wstring HexBytes(const uint8_t* bytes, int32_t size) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (int32_t i = 0; i < size; ++i) {
        if (bytes[i] >= 0x10)
            text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
        text += L' ';
    }
    return text;
}

} // namespace

bool CComboItemTemplate::DumpToFile(std::ostream& file) {
    std::wstring text =
        L"ItemName:" + ItemName + L"===========\nApplyCmd:" + HexBytes(ApplyCmd, ApplyCmdSize) + L"\nSize:" +
        std::to_wstring(ApplyCmdSize) + L"\nGetCmd:" + HexBytes(GetCmd, GetCmdSize) + L"\nSize:" +
        std::to_wstring(GetCmdSize) + L"\nSelectedString:" + (combo_ ? combo_->GetText() : std::wstring()) +
        L"\nSelectParam:" + std::to_wstring(static_cast<unsigned>(SelectParam)) + L"\nCurrentParam:" +
        std::to_wstring(static_cast<unsigned>(CurrentParam)) + L"\nSetCurSel:" + std::to_wstring(SetCurSel) +
        L"\n";
    try {
        const std::string ansi = platform_.ToAnsi(text);
        file.write(ansi.data(), static_cast<std::streamsize>(ansi.size()));
        return static_cast<bool>(file);
    } catch (...) {
        return false;
    }
}
