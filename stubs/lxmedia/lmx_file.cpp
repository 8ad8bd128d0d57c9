// Parser of the media data file: sections of "key = value" lines, one [device] and one [media] per medium.
#include "stubs/lxmedia/lmx_file.h"

#include "caps/records.h"

#include <cstring>

namespace lxmedia {

namespace {

namespace mr = caps::media_record;
namespace di = caps::device_info;

static_assert(sizeof(MediaData::device) == di::kSize);

// Character tests by hand: the parser scans a few hundred kilobytes at every load of the driver's library.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// One integer: decimal, optionally negative, or 0x hexadecimal.
bool ParseInteger(std::string_view s, long long& value) {
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.size() > 10)
        return false;
    long long v = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        v = v * base + digit;
    }
    value = negative ? -v : v;
    return true;
}

// Whitespace-separated words of a value; a value of more than kMaxWords words reports kMaxWords + 1.
constexpr std::size_t kMaxWords = 8;
struct WordList {
    std::string_view word[kMaxWords];
    std::size_t size = 0;
};

WordList Words(std::string_view s) {
    WordList words;
    const char* p = s.data();
    const char* end = p + s.size();
    auto separator = [](char c) { return IsBlank(c) || c == '|'; };
    while (true) {
        while (p < end && separator(*p))
            ++p;
        if (p == end)
            return words;
        if (words.size == kMaxWords) {
            ++words.size;
            return words;
        }
        const char* start = p;
        while (p < end && !separator(*p))
            ++p;
        words.word[words.size++] = std::string_view(start, static_cast<std::size_t>(p - start));
    }
}

// UTF-8 to UTF-16 into `out` (room for `capacity` units); `units` counts every unit, also those that did not
// fit. False on malformed or overlong input.
bool Utf16(std::string_view s, char16_t* out, std::size_t capacity, std::size_t& units) {
    units = 0;
    auto put = [&](char32_t u) {
        if (units < capacity)
            out[units] = static_cast<char16_t>(u);
        ++units;
    };
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || i + extra >= s.size())
            return false;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        i += extra + 1;
        if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return true;
}

struct Field {
    std::string_view key;
    std::size_t offset; // first value; further values follow 2 bytes apart
    int values;
};

// Media keys in the record's own units: tenths of a millimetre, dots, ids and counts.
constexpr Field kMediaFields[] = {
    {"kind", mr::kKind, 1},
    {"id", mr::kId, 1},
    {"width_tenths", mr::kWidthTenths, 1},
    {"printable_width_tenths", mr::kPrintableWidthTenths, 1},
    {"width_dots", mr::kWidthDots, 1},
    {"printable_width_dots", mr::kPrintableWidthDots, 1},
    {"length_tenths", mr::kLengthTenths, 1},
    {"printable_length_tenths", mr::kPrintableLengthTenths, 1},
    {"length_dots", mr::kLengthDots, 1},
    {"printable_length_dots", mr::kPrintableLengthDots, 1},
    {"margin_dots", mr::kWidthMargin, 2}, // width margin, length margin
    {"variants", mr::kVariantCount, 1},
    {"edges", mr::kEdge1, 4},
    {"alternate_id", mr::kAlternateId, 1},
};

constexpr Field kDeviceFields[] = {
    {"default_length_tenths", di::kDefaultLengthTenths, 1},
    {"default_length_dots", di::kDefaultLengthDots, 1},
    {"resolution", di::kResolutionX, 2}, // horizontal, vertical
};

struct FlagName {
    std::string_view name;
    std::uint32_t bit;
};
constexpr FlagName kFlagNames[] = {
    {"preset", mr::kFlagMarginPreset},
    {"swap", mr::kFlagSwap},
    {"edge", mr::kFlagEdge},
    {"report", mr::kFlagReported},
};

// Equality of short keys without a library call.
inline bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

class Parser {
public:
    Parser(MediaData& out, ParseError& error) : out_(out), error_(error) {}

    // One pass over the text: each byte of a line is looked at once on the way to its end.
    bool Run(const char* p, const char* end) {
        while (p < end) {
            ++lineNo_;
            while (p < end && IsBlank(*p))
                ++p;
            const char* start = p;
            const char* eq = nullptr;
            while (p < end && *p != '\n') {
                if (*p == '=' && eq == nullptr)
                    eq = p;
                ++p;
            }
            const char* eol = p++;
            if (start == eol || *start == '#' || *start == ';')
                continue;
            if (*start == '[') {
                if (!OpenSection(Trim(std::string_view(start, static_cast<std::size_t>(eol - start)))))
                    return false;
                continue;
            }
            if (eq == nullptr)
                return Fail("expected key = value");
            const std::string_view key = Trim(std::string_view(start, static_cast<std::size_t>(eq - start)));
            const std::string_view value =
                Trim(std::string_view(eq + 1, static_cast<std::size_t>(eol - eq - 1)));
            bool ok = section_ == Section::Device  ? DeviceKey(key, value)
                      : section_ == Section::Media ? MediaKey(key, value)
                                                   : Fail("key before the first section");
            if (!ok)
                return false;
        }
        return true;
    }

    bool Finish() {
        if (!sawDevice_)
            return Fail("no [device] section");
        if (out_.records.empty())
            return Fail("no [media] section");
        return true;
    }

private:
    enum class Section { None, Device, Media };

    bool Fail(std::string message) {
        error_.line = lineNo_;
        error_.message = std::move(message);
        return false;
    }

    bool OpenSection(std::string_view line) {
        if (line == "[device]") {
            if (sawDevice_)
                return Fail("a second [device] section");
            sawDevice_ = true;
            section_ = Section::Device;
            return true;
        }
        if (line == "[media]") {
            out_.records.resize(out_.records.size() + mr::kSize, 0);
            section_ = Section::Media;
            return true;
        }
        return Fail("unknown section " + std::string(line));
    }

    bool Values(std::string_view key, std::string_view value, std::uint8_t* base, const Field& f) {
        const WordList words = Words(value);
        if (words.size != static_cast<std::size_t>(f.values))
            return Fail(std::string(key) + " takes " + std::to_string(f.values) + " number(s)");
        for (int i = 0; i < f.values; ++i) {
            long long v = 0;
            if (!ParseInteger(words.word[i], v) || v < -32768 || v > 65535)
                return Fail(std::string(key) + ": not a 16-bit number: " + std::string(words.word[i]));
            caps::StoreU16(base + f.offset + 2 * i, static_cast<std::uint16_t>(v));
        }
        return true;
    }

    bool DeviceKey(std::string_view key, std::string_view value) {
        if (Same(key, "code")) {
            const WordList words = Words(value);
            long long a = 0, b = 0;
            if (words.size != 2 || !ParseInteger(words.word[0], a) || !ParseInteger(words.word[1], b) ||
                a < 0 || a > 255 || b < 0 || b > 255)
                return Fail("code takes two bytes");
            out_.device[di::kCode0] = static_cast<std::uint8_t>(a);
            out_.device[di::kCode1] = static_cast<std::uint8_t>(b);
            return true;
        }
        for (const Field& f : kDeviceFields)
            if (Same(key, f.key))
                return Values(key, value, out_.device.data(), f);
        return Fail("unknown device key " + std::string(key));
    }

    bool MediaKey(std::string_view key, std::string_view value) {
        std::uint8_t* record = out_.records.data() + out_.records.size() - mr::kSize;
        if (Same(key, "name") || Same(key, "name2")) {
            // The record keeps a terminating zero within its field.
            constexpr std::size_t kMaxUnits = mr::kNameBytes / 2 - 1;
            char16_t text[kMaxUnits];
            std::size_t units = 0;
            if (!Utf16(value, text, kMaxUnits, units))
                return Fail("name is not UTF-8");
            if (units > kMaxUnits)
                return Fail("name longer than 31 characters");
            std::uint8_t* dst = record + (Same(key, "name") ? mr::kName : mr::kName2);
            std::memset(dst, 0, mr::kNameBytes);
            for (std::size_t i = 0; i < units; ++i)
                caps::StoreU16(dst + 2 * i, text[i]);
            return true;
        }
        if (Same(key, "flags")) {
            std::uint32_t flags = 0;
            const WordList words = Words(value);
            if (words.size > kMaxWords)
                return Fail("too many flags");
            for (std::size_t w = 0; w < words.size; ++w) {
                const std::string_view word = words.word[w];
                bool known = false;
                for (const FlagName& f : kFlagNames)
                    if (Same(word, f.name)) {
                        flags |= f.bit;
                        known = true;
                    }
                long long v = 0;
                if (!known && ParseInteger(word, v) && v >= 0 && v <= 0xFFFFFFFFLL) {
                    flags |= static_cast<std::uint32_t>(v);
                    known = true;
                }
                if (!known)
                    return Fail("unknown flag " + std::string(word));
            }
            caps::StoreU32(record + mr::kFlags, flags);
            return true;
        }
        for (const Field& f : kMediaFields)
            if (Same(key, f.key))
                return Values(key, value, record, f);
        return Fail("unknown media key " + std::string(key));
    }

    MediaData& out_;
    ParseError& error_;
    int lineNo_ = 0;
    Section section_ = Section::None;
    bool sawDevice_ = false;
};

} // namespace

std::size_t MediaData::count() const {
    return records.size() / mr::kSize;
}

bool ParseMediaFile(std::string_view text, MediaData& out, ParseError& error) {
    out = MediaData{};
    // One allocation for all records, sized by the section headers.
    std::size_t sections = 0;
    for (std::size_t at = text.find("[media]"); at != std::string_view::npos;
         at = text.find("[media]", at + 1))
        ++sections;
    out.records.reserve(sections * mr::kSize);
    Parser parser(out, error);
    return parser.Run(text.data(), text.data() + text.size()) && parser.Finish();
}

} // namespace lxmedia
