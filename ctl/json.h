// A line of JSON for one printer's result, written by hand: the few value kinds the output needs.
#pragma once

#include <string>

namespace ctl {

// Builds one JSON object; values are added in order and closed by Text().
class JsonObject {
public:
    JsonObject& Add(const char* key, const std::string& utf8);
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

} // namespace ctl
