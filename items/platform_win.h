// Items on Windows: private-profile files, the ANSI code page, and texts from a string-table module.
#pragma once

#include "items/item_platform.h"

#include <windows.h>

class Win32ItemPlatform : public IItemPlatform {
public:
    bool WriteProfileText(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) override;
    int ReadProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                       int defaultValue) override;
    std::string ToAnsi(const std::wstring& text) override;
};

// The process-wide instance the program's items use.
Win32ItemPlatform& TheItemPlatform();

class ModuleStrings : public IStringSource {
public:
    explicit ModuleStrings(HMODULE module) : module_(module) {}
    std::wstring LoadText(uint32_t id) override;

private:
    HMODULE module_;
};
