// What setting items need from the platform besides their drop-down list: INI files, the ANSI code page.
#pragma once

#include <cstdint>
#include <string>

class IItemPlatform {
public:
    virtual ~IItemPlatform() = default;
    virtual bool WriteProfileText(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& value) = 0;
    virtual int ReadProfileInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                               int defaultValue) = 0;
    // The text in the calling thread's ANSI code page.
    virtual std::string ToAnsi(const std::wstring& text) = 0;
};

// Loads a text by string-table identifier; an identifier without a text gives an empty string.
class IStringSource {
public:
    virtual ~IStringSource() = default;
    virtual std::wstring LoadText(uint32_t id) = 0;
};
