// The basic settings without a window: each item bound to a list kept in memory, for programs that work on
// printers from the command line.
#pragma once

#include "core/rules.h"
#include "items/basic_items.h"
#include "items/combo.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// A drop-down list in memory: a selection and the texts it would show.
class MemoryCombo : public IComboBox {
public:
    int GetCurSel() override { return selection; }
    void SetCurSel(int index) override { selection = index; }
    std::wstring GetText() override;
    void Repaint() override {}

    int selection = -1;
    std::vector<std::wstring> texts;
};

// The five rows with their lists, each list filled with its choices and set to the default as the page does.
class MemoryItems {
public:
    MemoryItems(IItemPlatform& platform, IStringSource& strings);
    MemoryItems(const MemoryItems&) = delete;
    MemoryItems& operator=(const MemoryItems&) = delete;

    // The rows a model shows, in page order.
    std::vector<const ItemBinding*> ActiveBindings(const ModelFeatures& model) const;
    // Their items, commands rebuilt from the lists' selections.
    SettingItems Active(const ModelFeatures& model);
    // Indexed by BasicItem.
    const std::vector<ItemBinding>& Bindings() const { return bindings_; }
    // The row with this settings-file key; kBasicItemCount when none.
    size_t Find(const std::wstring& itemName) const;

private:
    std::array<MemoryCombo, kBasicItemCount> combos_;
    std::vector<ItemBinding> bindings_;
};
