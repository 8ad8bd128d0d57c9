// JSON escaping and the object builder.
#include "ctl/json.h"

#include <cstdio>

namespace ctl {

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void JsonObject::Key(const char* key) {
    if (!body_.empty())
        body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(const char* key, const std::string& utf8) {
    Key(key);
    body_ += JsonString(utf8);
    return *this;
}

JsonObject& JsonObject::Add(const char* key, long long number) {
    Key(key);
    body_ += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::AddNumberText(const char* key, const std::string& number) {
    Key(key);
    body_ += number;
    return *this;
}

JsonObject& JsonObject::AddBool(const char* key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(const char* key, const std::string& json) {
    Key(key);
    body_ += json;
    return *this;
}

} // namespace ctl
