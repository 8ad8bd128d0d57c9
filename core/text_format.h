// Fills "%s" placeholders of a text from the string table, in order. Texts come from language libraries, so
// they are never handed to printf: a stray "%n" or a missing argument must not reach memory.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Each "%s" takes the next argument (empty once they run out); "%%" is one percent sign; any other "%" stays.
std::wstring FormatText(const std::wstring& pattern, std::initializer_list<std::wstring> arguments);

inline std::wstring FormatOne(const std::wstring& pattern, const std::wstring& argument) {
    return FormatText(pattern, {argument});
}

// The lines of a text, split at each line feed, a carriage return before it dropped; a text that ends with a
// line feed ends with an empty line.
std::vector<std::wstring> SplitLines(const std::wstring& text);
