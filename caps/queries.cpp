// Capability queries: fixed values, or copies of the prepared records with at most one multiplication per
// value.
#include "caps/queries.h"

#include <cstring>

namespace caps {

namespace {

void Put16(std::uint8_t* p, std::int32_t v) {
    StoreU16(p, static_cast<std::uint16_t>(v));
}

void WriteDescriptors(const MediaTable& table, const QueryScale& s, std::uint8_t* out) {
    const bool plain = s.x == 1 && s.y == 1 && !s.reversed;
    for (std::size_t i = 0; i < table.size(); ++i, out += sizeof(MediaDescriptor)) {
        std::memcpy(out, table.descriptorImage(i), descriptor::kWritten);
        if (plain)
            continue;
        const MediaEntry& e = table.entry(i);
        const std::int32_t marginY = s.reversed ? e.sizeY - e.marginY - e.printableY : e.marginY;
        const std::int32_t marginX = s.reversed ? e.sizeX - e.marginX - e.printableX : e.marginX;
        Put16(out + offsetof(MediaDescriptor, sizeY), e.sizeY * s.y);
        Put16(out + offsetof(MediaDescriptor, marginY), marginY * s.y);
        Put16(out + offsetof(MediaDescriptor, printableY), e.printableY * s.y);
        Put16(out + offsetof(MediaDescriptor, sizeX), e.sizeX * s.x);
        Put16(out + offsetof(MediaDescriptor, marginX), marginX * s.x);
        Put16(out + offsetof(MediaDescriptor, printableX), e.printableX * s.x);
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
        StoreU32(out + offsetof(EdgeOffsets, edge1), static_cast<std::uint32_t>(a * s.x));
        StoreU32(out + offsetof(EdgeOffsets, edge2), static_cast<std::uint32_t>(b * s.y));
        StoreU32(out + offsetof(EdgeOffsets, edge3), static_cast<std::uint32_t>(c * s.x));
        StoreU32(out + offsetof(EdgeOffsets, edge4), static_cast<std::uint32_t>(d * s.y));
    }
}

void WritePresets(const MediaTable& table, const QueryScale& s, std::uint8_t* out) {
    for (const MarginPreset& p : table.presets()) {
        out[offsetof(MarginPresetRecord, millimetres)] = p.millimetres;
        Put16(out + offsetof(MarginPresetRecord, dots), p.dots * s.y);
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
    s.y = ScaleFor(LoadI16(dm + devmode::kYResolution), device.resolutionY);
    s.x = ScaleFor(LoadI16(dm + devmode::kPrintQuality), device.resolutionX);
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
