// Items bound to lists in memory.
#include "items/memory_items.h"

#include "items/row_layout.h"

std::wstring MemoryCombo::GetText() {
    return selection >= 0 && static_cast<size_t>(selection) < texts.size()
               ? texts[static_cast<size_t>(selection)]
               : std::wstring();
}

MemoryItems::MemoryItems(IItemPlatform& platform, IStringSource& strings) {
    bindings_ =
        MakeBasicBindings({&combos_[0], &combos_[1], &combos_[2], &combos_[3], &combos_[4]}, platform);
    for (size_t i = 0; i < bindings_.size(); ++i) {
        const ItemParameterListTemplate& list = bindings_[i].item->GetParameterList();
        combos_[i].texts = list.GetOptionTexts(strings);
        // As the page fills its lists: the first default choice, or the first choice.
        combos_[i].selection = 0;
        const auto& entries = list.GetParameters();
        for (size_t e = 0; e < entries.size(); ++e) {
            if (entries[e].isDefault) {
                combos_[i].selection = static_cast<int>(e);
                break;
            }
        }
    }
}

SettingItems MemoryItems::Active(bool isWirelessModel) {
    const ModelRows rows = RowsForModel(isWirelessModel);
    SettingItems items;
    for (const ItemBinding& binding : bindings_) {
        if ((binding.controlId == kPowerOnDefinition.comboId && !rows.first) ||
            (binding.controlId == kAutoOffBatteryDefinition.comboId && !rows.third))
            continue;
        binding.item->Prepare(binding.combo);
        items.push_back(binding.item);
    }
    return items;
}

const ItemBinding* MemoryItems::Find(const std::wstring& itemName) const {
    for (const ItemBinding& binding : bindings_)
        if (binding.item->GetItemName() == itemName)
            return &binding;
    return nullptr;
}
