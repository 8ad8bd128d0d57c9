// Builds media records and device blocks byte by byte for tests, fuzzing and hostile stand-ins.
#pragma once

#include "caps/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace caps_test {

struct Medium {
    std::u16string name = u"Medium";
    std::u16string name2;
    std::uint16_t kind = 5;
    std::int16_t id = 1;
    std::int16_t widthTenths = 120, printableWidthTenths = 100, widthDots = 85, printableWidthDots = 70;
    std::int16_t lengthTenths = 0, printableLengthTenths = 0, lengthDots = 0, printableLengthDots = 0;
    std::int16_t widthMargin = 7, lengthMargin = 14;
    std::uint16_t variants = 0;
    std::array<std::int16_t, 4> edges = {};
    std::int16_t alternateId = 0;
    std::uint32_t flags = 0;
};

inline void PutName(std::uint8_t* dst, const std::u16string& text) {
    for (std::size_t i = 0; i < text.size() && i < caps::media_record::kNameBytes / 2; ++i)
        caps::StoreU16(dst + 2 * i, text[i]);
}

inline std::array<std::uint8_t, caps::media_record::kSize> Record(const Medium& m) {
    namespace mr = caps::media_record;
    std::array<std::uint8_t, mr::kSize> r = {};
    auto put = [&r](std::size_t offset, std::int32_t v) {
        caps::StoreU16(r.data() + offset, std::uint16_t(v));
    };
    PutName(r.data() + mr::kName, m.name);
    PutName(r.data() + mr::kName2, m.name2);
    put(mr::kKind, m.kind);
    put(mr::kId, m.id);
    put(mr::kWidthTenths, m.widthTenths);
    put(mr::kPrintableWidthTenths, m.printableWidthTenths);
    put(mr::kWidthDots, m.widthDots);
    put(mr::kPrintableWidthDots, m.printableWidthDots);
    put(mr::kLengthTenths, m.lengthTenths);
    put(mr::kPrintableLengthTenths, m.printableLengthTenths);
    put(mr::kLengthDots, m.lengthDots);
    put(mr::kPrintableLengthDots, m.printableLengthDots);
    put(mr::kWidthMargin, m.widthMargin);
    put(mr::kLengthMargin, m.lengthMargin);
    put(mr::kVariantCount, m.variants);
    for (int i = 0; i < 4; ++i)
        put(mr::kEdge1 + 2 * i, m.edges[i]);
    put(mr::kAlternateId, m.alternateId);
    caps::StoreU32(r.data() + mr::kFlags, m.flags);
    return r;
}

inline std::vector<std::uint8_t> Records(const std::vector<Medium>& media) {
    std::vector<std::uint8_t> out;
    for (const Medium& m : media) {
        auto r = Record(m);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

struct Device {
    std::uint8_t code0 = 0x41, code1 = 0x30;
    std::int16_t defaultLengthTenths = 1000, defaultLengthDots = 709;
    std::uint16_t resolutionX = 180, resolutionY = 180;
};

inline std::array<std::uint8_t, caps::device_info::kSize> DeviceBlock(const Device& d) {
    namespace di = caps::device_info;
    std::array<std::uint8_t, di::kSize> b = {};
    b[di::kCode0] = d.code0;
    b[di::kCode1] = d.code1;
    caps::StoreU16(b.data() + di::kDefaultLengthTenths, std::uint16_t(d.defaultLengthTenths));
    caps::StoreU16(b.data() + di::kDefaultLengthDots, std::uint16_t(d.defaultLengthDots));
    caps::StoreU16(b.data() + di::kResolutionX, d.resolutionX);
    caps::StoreU16(b.data() + di::kResolutionY, d.resolutionY);
    return b;
}

// An ANSI DEVMODE as the driver hands it over: public part, then the driver's private part.
constexpr std::size_t kDevmodeSize = 156;
inline std::vector<std::uint8_t> Devmode(std::int16_t printQuality, std::int16_t yResolution, bool reversed,
                                         std::uint16_t dmSize = kDevmodeSize) {
    std::vector<std::uint8_t> dm(dmSize + 64, 0);
    caps::StoreU16(dm.data() + caps::devmode::kSize, dmSize);
    caps::StoreU16(dm.data() + caps::devmode::kPrintQuality, std::uint16_t(printQuality));
    caps::StoreU16(dm.data() + caps::devmode::kYResolution, std::uint16_t(yResolution));
    caps::StoreU32(dm.data() + dmSize + caps::devmode::kPrivateFlags,
                   reversed ? caps::devmode::kReversed : 0);
    return dm;
}

} // namespace caps_test
