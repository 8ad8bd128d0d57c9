// Host-test doubles for what items need: a drop-down list and an in-memory INI store.
#pragma once

#include "items/combo.h"
#include "items/item_platform.h"

#include <map>
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
