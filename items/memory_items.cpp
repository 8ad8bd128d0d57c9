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
        // As the page fills its lists.
        combos_[i].selection = list.DefaultIndex();
    }
}

bool MemoryItems::TakesPart(const ItemBinding& binding, const ModelFeatures& model) {
    if (binding.controlId == kBasicItems[kPowerOn].comboId)
        return model.powerOnRow;
    if (binding.controlId == kBasicItems[kAutoOffBattery].comboId)
        return model.batteryRow;
    return true;
}

std::vector<const ItemBinding*> MemoryItems::ActiveBindings(const ModelFeatures& model) const {
    std::vector<const ItemBinding*> active;
    for (const ItemBinding& binding : bindings_)
        if (TakesPart(binding, model))
            active.push_back(&binding);
    return active;
}

SettingItems MemoryItems::Active(const ModelFeatures& model) {
    SettingItems items;
    for (const ItemBinding* binding : ActiveBindings(model)) {
        binding->item->Prepare(binding->combo);
        items.push_back(binding->item);
    }
    return items;
}

const ItemBinding* MemoryItems::Find(const std::wstring& itemName) const {
    for (const ItemBinding& binding : bindings_)
        if (binding.item->GetItemName() == itemName)
            return &binding;
    return nullptr;
}
