// Capability queries: fixed values, or copies of prepared records with one multiplication at most.
#include "caps/queries.h"

#include <cstring>

namespace caps {

namespace {

void Put16(std::uint8_t* p, std::int32_t v) {
    StoreU16(p, static_cast<std::uint16_t>(v));
}

// The rewritten values of a scaled or reversed query sit in three 8-byte words (bytes 0, 8 and 112): they are
// patched in registers and stored once, and the rest is copied. Specialised per scale, so no multiplication
// is left.
static_assert(offsetof(MediaDescriptor, sizeY) / 8 == 0 && offsetof(MediaDescriptor, marginY) / 8 == 0);
static_assert(offsetof(MediaDescriptor, printableY) / 8 == 1);
static_assert(offsetof(MediaDescriptor, sizeX) / 8 == 14 && offsetof(MediaDescriptor, marginX) / 8 == 14 &&
              offsetof(MediaDescriptor, printableX) / 8 == 14);

constexpr std::uint64_t Keep(std::size_t offset) {
    return ~(std::uint64_t{0xFFFF} << (8 * (offset % 8)));
}

template <int SX, int SY, bool Reversed>
void WriteScaled(const std::uint8_t* image, const MediaTable::DotFields* dots, std::size_t n,
                 std::uint8_t* out) {
    constexpr std::size_t oSizeY = offsetof(MediaDescriptor, sizeY),
                          oMarginY = offsetof(MediaDescriptor, marginY),
                          oPrintY = offsetof(MediaDescriptor, printableY),
                          oSizeX = offsetof(MediaDescriptor, sizeX),
                          oMarginX = offsetof(MediaDescriptor, marginX),
                          oPrintX = offsetof(MediaDescriptor, printableX);
    constexpr std::uint64_t keep0 = Keep(oSizeY) & Keep(oMarginY);
    constexpr std::uint64_t keep8 = Keep(oPrintY);
    constexpr std::uint64_t keep112 = Keep(oSizeX) & Keep(oMarginX) & Keep(oPrintX);
    // 16-bit products wrap: only the low 16 bits of each lane are kept.
    auto lane = [](std::int16_t v, int scale, std::size_t offset) {
        return static_cast<std::uint64_t>(static_cast<std::uint16_t>(v * scale)) << (8 * (offset % 8));
    };
    for (std::size_t i = 0; i < n; ++i, out += sizeof(MediaDescriptor), image += descriptor::kWritten) {
        const MediaTable::DotFields& d = dots[i];
        std::uint64_t w0, w8, w112;
        std::memcpy(&w0, image, 8);
        std::memcpy(&w8, image + 8, 8);
        std::memcpy(&w112, image + 112, 8);
        w0 = (w0 & keep0) | lane(d.sizeY, SY, oSizeY) |
             lane(Reversed ? d.farMarginY : d.marginY, SY, oMarginY);
        w8 = (w8 & keep8) | lane(d.printableY, SY, oPrintY);
        w112 = (w112 & keep112) | lane(d.sizeX, SX, oSizeX) |
               lane(Reversed ? d.farMarginX : d.marginX, SX, oMarginX) | lane(d.printableX, SX, oPrintX);
        std::memcpy(out, &w0, 8);
        std::memcpy(out + 8, &w8, 8);
        std::memcpy(out + 16, image + 16, 112 - 16);
        std::memcpy(out + 112, &w112, 8);
        std::memcpy(out + 120, image + 120, descriptor::kWritten - 120);
    }
}

void WriteDescriptors(const MediaTable& table, const QueryScale& s, std::uint8_t* out) {
    // Everything the loops read is passed in locals: stores through a byte pointer may alias anything else.
    const std::size_t n = table.size();
    if (n == 0)
        return;
    const std::uint8_t* image = table.descriptorImage(0);
    const MediaTable::DotFields* dots = &table.dots(0);
    const int variant = (s.xScale == 2 ? 1 : 0) | (s.yScale == 2 ? 2 : 0) | (s.reversed ? 4 : 0);
    switch (variant) {
    case 0:
        for (std::size_t i = 0; i < n; ++i, out += sizeof(MediaDescriptor), image += descriptor::kWritten)
            std::memcpy(out, image, descriptor::kWritten);
        break;
    case 1:
        WriteScaled<2, 1, false>(image, dots, n, out);
        break;
    case 2:
        WriteScaled<1, 2, false>(image, dots, n, out);
        break;
    case 3:
        WriteScaled<2, 2, false>(image, dots, n, out);
        break;
    case 4:
        WriteScaled<1, 1, true>(image, dots, n, out);
        break;
    case 5:
        WriteScaled<2, 1, true>(image, dots, n, out);
        break;
    case 6:
        WriteScaled<1, 2, true>(image, dots, n, out);
        break;
    default:
        WriteScaled<2, 2, true>(image, dots, n, out);
        break;
    }
}

void WriteEdges(const MediaTable& table, const QueryScale& s, std::uint8_t* out) {
    for (std::size_t i = 0; i < table.size(); ++i, out += sizeof(EdgeOffsets)) {
        const EdgeRecord& e = table.edge(i);
        // A reversed feed turns the medium round: the far edges become the near ones.
        const std::int32_t a = s.reversed ? e.edge3 : e.edge1;
        const std::int32_t b = s.reversed ? e.edge4 : e.edge2;
        const std::int32_t c = s.reversed ? e.edge1 : e.edge3;
        const std::int32_t d = s.reversed ? e.edge2 : e.edge4;
        StoreU32(out + offsetof(EdgeOffsets, flags), e.flags);
        StoreU32(out + offsetof(EdgeOffsets, edge1), static_cast<std::uint32_t>(a * s.xScale));
        StoreU32(out + offsetof(EdgeOffsets, edge2), static_cast<std::uint32_t>(b * s.yScale));
        StoreU32(out + offsetof(EdgeOffsets, edge3), static_cast<std::uint32_t>(c * s.xScale));
        StoreU32(out + offsetof(EdgeOffsets, edge4), static_cast<std::uint32_t>(d * s.yScale));
    }
}

void WritePresets(const MediaTable& table, const QueryScale& s, std::uint8_t* out) {
    for (const MarginPreset& p : table.presets()) {
        out[offsetof(MarginPresetRecord, millimetres)] = p.millimetres;
        Put16(out + offsetof(MarginPresetRecord, dots), p.dots * s.yScale);
        std::memcpy(out + offsetof(MarginPresetRecord, metricText), p.metricText, kTextBytes);
        std::memcpy(out + offsetof(MarginPresetRecord, inchText), p.inchText, kTextBytes);
        out += sizeof(MarginPresetRecord);
    }
}

// Doubling needs a base resolution: a device without one never matches a requested resolution of 0.
int ScaleFor(std::int16_t requested, std::uint16_t base) {
    return base != 0 && requested == 2 * static_cast<std::int32_t>(base) ? 2 : 1;
}

} // namespace

QueryScale ReadQueryScale(const DeviceValues& device, const std::uint8_t* dm) {
    QueryScale s;
    s.yScale = ScaleFor(LoadI16(dm + devmode::kYResolution), device.resolutionY);
    s.xScale = ScaleFor(LoadI16(dm + devmode::kPrintQuality), device.resolutionX);
    const std::uint16_t size = LoadU16(dm + devmode::kSize);
    s.reversed = (LoadU32(dm + size + devmode::kPrivateFlags) & devmode::kReversed) != 0;
    return s;
}

std::uint32_t QueryCapability(const MediaTable& table, std::uint32_t code32, void* output,
                              const void* devmode) {
    namespace c = capability;
    const std::uint16_t code = static_cast<std::uint16_t>(code32);
    if (code == c::kDeviceCode)
        return static_cast<std::uint32_t>(table.device().code1) * 256 + table.device().code0;
    if (devmode == nullptr)
        return code == c::kSignature ? c::kSignatureValue : c::kUnsupported;
    const QueryScale scale = ReadQueryScale(table.device(), static_cast<const std::uint8_t*>(devmode));
    auto* out = static_cast<std::uint8_t*>(output);
    switch (code) {
    case c::kMedia:
        if (out)
            WriteDescriptors(table, scale, out);
        return static_cast<std::uint32_t>(table.size());
    case c::kSignature:
        return c::kSignatureValue;
    case c::kMarginPresets:
        if (out)
            WritePresets(table, scale, out);
        return static_cast<std::uint32_t>(table.presets().size());
    case c::kFixed271:
        return 1;
    case c::kFixed274:
    case c::kFixed275:
        return 0;
    case c::kFixed276:
        return 4;
    case c::kEdgeOffsets:
        if (out)
            WriteEdges(table, scale, out);
        return static_cast<std::uint32_t>(table.size());
    case c::kFixed280:
        return 12;
    default:
        return c::kUnsupported;
    }
}

} // namespace caps
