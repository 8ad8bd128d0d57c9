// JSON escaping and the object builder.
#include "ctl/json.h"

#include <cstdio>
#include <cwchar>

namespace ctl {

namespace {

void AppendEscape(std::string& out, unsigned code) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
    out += escaped;
}

// One byte of UTF-8 text: quotes, backslashes and control characters escaped, the rest as it is.
void AppendByte(std::string& out, unsigned char c) {
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
        if (c < 0x20)
            AppendEscape(out, c);
        else
            out += static_cast<char>(c);
    }
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8)
        AppendByte(out, c);
    return out + "\"";
}

std::string JsonString(const std::wstring& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned long c = static_cast<unsigned long>(text[i]);
        const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out,
                       0x10000 + ((c - 0xD800) << 10) + (static_cast<unsigned long>(text[++i]) - 0xDC00));
        } else if (high || low || c == 0x2028 || c == 0x2029 || c > 0x10FFFF) {
            AppendEscape(out, static_cast<unsigned>(c > 0x10FFFF ? 0xFFFD : c));
        } else if (c < 0x80) {
            AppendByte(out, static_cast<unsigned char>(c));
        } else {
            AppendUtf8(out, c);
        }
    }
    return out + "\"";
}

std::wstring Printable(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned long c = static_cast<unsigned long>(text[i]);
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        if (pair) {
            out += text[i];
            out += text[++i];
            continue;
        }
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) ||
            (c >= 0x2066 && c <= 0x2069) || (c >= 0xD800 && c <= 0xDFFF)) {
            wchar_t escaped[8];
            std::swprintf(escaped, 8, L"\\u%04lx", c);
            out += escaped;
        } else {
            out += text[i];
        }
    }
    return out;
}

JsonObject& JsonObject::Add(const char* key, const std::wstring& text) {
    Key(key);
    body_ += JsonString(text);
    return *this;
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
