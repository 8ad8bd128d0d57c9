// Items bound to lists in memory.
#include "items/memory_items.h"

std::wstring MemoryCombo::GetText() {
    return selection >= 0 && static_cast<size_t>(selection) < texts.size()
               ? texts[static_cast<size_t>(selection)]
               : std::wstring();
}

MemoryItems::MemoryItems(IItemPlatform& platform, IStringSource& strings) {
    bindings_ = MakeBasicBindings(CombosOf(combos_), platform);
    for (size_t i = 0; i < bindings_.size(); ++i) {
        const ItemParameterListTemplate& list = bindings_[i].item->GetParameterList();
        combos_[i].texts = list.GetOptionTexts(strings);
        // As the page fills its lists.
        combos_[i].selection = list.DefaultIndex();
    }
}

std::vector<const ItemBinding*> MemoryItems::ActiveBindings(const ModelFeatures& model) const {
    std::vector<const ItemBinding*> active;
    for (size_t row = 0; row < kBasicItemCount; ++row)
        if (TakesPart(row, model))
            active.push_back(&bindings_[row]);
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

size_t MemoryItems::Find(const std::wstring& itemName) const {
    for (size_t row = 0; row < kBasicItemCount; ++row)
        if (kBasicItems[row].itemName == itemName)
            return row;
    return kBasicItemCount;
}
