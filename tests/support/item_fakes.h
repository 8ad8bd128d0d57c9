// Host-test doubles for what items need: a drop-down list and an in-memory INI store; the plain model's four
// items on lists of a test's own.
#pragma once

#include "items/basic_items.h"
#include "items/combo.h"
#include "items/item_platform.h"

#include <array>
#include <map>
#include <memory>
#include <string>

class FakeCombo : public IComboBox {
public:
    explicit FakeCombo(int selection = 0) : selection(selection) {}
    int GetCurSel() override { return selection; }
    void SetCurSel(int index) override {
        selection = index;
        ++sets;
    }
    std::wstring GetText() override { return text; }
    void Repaint() override { ++repaints; }

    int selection;
    std::wstring text;
    int sets = 0;
    int repaints = 0;
};

class FakeItemPlatform : public IItemPlatform {
public:
    bool WriteProfileText(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) override {
        ++touches;
        if (failWrites)
            return false;
        files[path][section + L"/" + key] = value;
        return true;
    }
    int ReadProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                       int defaultValue) override {
        ++touches;
        auto file = files.find(path);
        if (file == files.end())
            return defaultValue;
        auto entry = file->second.find(section + L"/" + key);
        return entry == file->second.end() ? defaultValue : std::stoi(entry->second);
    }
    std::string ToAnsi(const std::wstring& text) override {
        std::string narrow;
        for (wchar_t c : text)
            narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }

    std::map<std::wstring, std::map<std::wstring, std::wstring>> files;
    int touches = 0;
    bool failWrites = false; // a disk that is full or a file that is locked
};

// The plain model's items in page order (power-on, AC power-off, report, calibration), each on its list and,
// unless told not to, prepared from the list's selection.
inline SettingItems PlainModelItems(const std::array<IComboBox*, 4>& combos, IItemPlatform& platform,
                                    bool prepare = true) {
    SettingItems items{std::make_shared<CItemPowerOn>(combos[0], platform),
                       std::make_shared<CItemAutoOffAc>(combos[1], platform),
                       std::make_shared<CItemPrinterInfo>(combos[2], platform),
                       std::make_shared<CItemCalibration>(combos[3], platform)};
    for (size_t i = 0; prepare && i < items.size(); ++i)
        static_cast<CComboItemTemplate&>(*items[i]).Prepare(combos[i]);
    return items;
}

// Texts by identifier: each identifier's own number ("1011"), or the text a test gave it.
class FakeStrings : public IStringSource {
public:
    std::wstring LoadText(uint32_t id) override {
        const auto given = texts.find(id);
        return given != texts.end() ? given->second : std::to_wstring(id);
    }
    std::map<uint32_t, std::wstring> texts;
};
