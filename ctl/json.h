// A line of JSON for one printer's result, written by hand: the few value kinds the output needs.
#pragma once

#include <string>

namespace ctl {

// Builds one JSON object; values are added in order and closed by Text().
class JsonObject {
public:
    JsonObject& Add(const char* key, const std::string& utf8);
    JsonObject& Add(const char* key, const std::wstring& text);
    JsonObject& Add(const char* key, long long number);
    JsonObject& AddNumberText(const char* key, const std::string& number); // e.g. "3.14"
    JsonObject& AddBool(const char* key, bool value);
    JsonObject& AddRaw(const char* key, const std::string& json); // an object or array built elsewhere
    std::string Text() const { return "{" + body_ + "}"; }

private:
    void Key(const char* key);
    std::string body_;
};

// A JSON string literal for UTF-8 text: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& utf8);
// The same for UTF-16 text (a printer name as Windows has it): a surrogate without its partner, which UTF-8
// cannot carry, is written as its \uXXXX escape, and so are U+2028 and U+2029, which end a line in some
// readers; every name comes back exactly as it went in.
std::string JsonString(const std::wstring& text);

// Text output's counterpart: a name as a terminal may show it. Control characters (a newline would split a
// result line, an escape sequence would reach the terminal), line and paragraph separators, the marks that
// reorder text and lone surrogates are written as \uXXXX; everything else stays as it is.
std::wstring Printable(const std::wstring& text);

} // namespace ctl
