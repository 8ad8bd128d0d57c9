// Byte layouts shared with the media-table library and the printer driver: every size, offset, code and flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace caps {

// One record of the media list handed over by the media-table library; 16-bit fields are little-endian.
namespace media_record {
constexpr std::size_t kSize = 252;
constexpr std::size_t kName = 0; // UTF-16, zero-terminated within kNameBytes
constexpr std::size_t kName2 = 64;
constexpr std::size_t kNameBytes = 64;
constexpr std::size_t kKind = 192;
constexpr std::size_t kId = 194;
constexpr std::size_t kWidthTenths = 196;
constexpr std::size_t kPrintableWidthTenths = 198;
constexpr std::size_t kWidthDots = 200;
constexpr std::size_t kPrintableWidthDots = 202;
constexpr std::size_t kLengthTenths = 204;          // 0: the device's default length
constexpr std::size_t kPrintableLengthTenths = 206; // 0: computed from the dots and the vertical resolution
constexpr std::size_t kLengthDots = 208;            // 0: the device's default length
constexpr std::size_t kPrintableLengthDots = 210;   // 0: length minus twice the length margin
constexpr std::size_t kWidthMargin = 212;
constexpr std::size_t kLengthMargin = 214;
constexpr std::size_t kVariantCount = 226;
constexpr std::size_t kEdge1 = 228; // four signed 16-bit values follow each other
constexpr std::size_t kAlternateId = 236;
constexpr std::size_t kFlags = 244; // 32-bit

constexpr std::uint32_t kFlagMarginPreset = 0x1;
constexpr std::uint32_t kFlagSwap = 0x2;
constexpr std::uint32_t kFlagEdge = 0x8;
constexpr std::uint32_t kFlagReported = 0x800;
} // namespace media_record

// The device information block filled by the media-table library.
namespace device_info {
constexpr std::size_t kSize = 118;
constexpr std::size_t kCode0 = 0;
constexpr std::size_t kCode1 = 1;
constexpr std::size_t kDefaultLengthTenths = 92;
constexpr std::size_t kDefaultLengthDots = 94;
constexpr std::size_t kResolutionX = 98;
constexpr std::size_t kResolutionY = 100;
} // namespace device_info

// The ANSI DEVMODE the driver passes in; the driver's private part begins dmSize bytes from the start.
namespace devmode {
constexpr std::size_t kSize = 36;
constexpr std::size_t kPrintQuality = 58;
constexpr std::size_t kYResolution = 64;
constexpr std::size_t kPrivateFlags = 22; // from the start of the private part
constexpr std::uint32_t kReversed = 0x00100000;
} // namespace devmode

namespace capability {
constexpr std::uint16_t kMedia = 257;
constexpr std::uint16_t kSignature = 269;
constexpr std::uint16_t kMarginPresets = 270;
constexpr std::uint16_t kFixed271 = 271;
constexpr std::uint16_t kFixed274 = 274;
constexpr std::uint16_t kFixed275 = 275;
constexpr std::uint16_t kFixed276 = 276;
constexpr std::uint16_t kDeviceCode = 278;
constexpr std::uint16_t kEdgeOffsets = 279;
constexpr std::uint16_t kFixed280 = 280;

constexpr std::uint32_t kSignatureValue = 0x72919273;
constexpr std::uint32_t kUnsupported = 0xFFFFFFFF;
} // namespace capability

// Media entry flags as the driver sees them.
namespace entry_flag {
constexpr std::uint32_t kLabel = 0x10; // media kinds 8, 11, 75, 139
constexpr std::uint32_t kTube = 0x40;  // media kinds 138, 139
constexpr std::uint32_t kKind17 = 0x10000;
constexpr std::uint32_t kKind18 = 0x20000;
constexpr std::uint32_t kReported = 0x40000; // media flag 0x800
} // namespace entry_flag

// Edge record flags.
namespace edge_flag {
constexpr std::uint32_t kEdge = 0x200;
constexpr std::uint32_t kEdgeWithValues = 0x400;
constexpr std::uint32_t kValues = 0x1000;
} // namespace edge_flag

constexpr std::size_t kTextBytes = 50; // 8-bit texts of entries, descriptors and presets

#pragma pack(push, 1)
// Capability 257: one per media entry. Bytes from kWritten on belong to the caller and are never written.
struct MediaDescriptor {
    std::int16_t mediaId;
    std::int16_t sizeY;
    std::int16_t sizeYTenths;
    std::int16_t marginY;
    std::int16_t printableY;
    std::int16_t zero;
    char name[kTextBytes];
    char name2[kTextBytes];
    std::int16_t sizeX;
    std::int16_t sizeXTenths;
    std::int16_t marginX;
    std::int16_t printableX;
    std::int16_t printableXTenths;
    std::int16_t printableYTenths;
    std::uint32_t flags;
    std::int16_t outputId;
    std::uint8_t variant;
    std::uint8_t callerOwned[7];
};

// Capability 279: one per media entry.
struct EdgeOffsets {
    std::uint32_t flags;
    std::int32_t edge1;
    std::int32_t edge2;
    std::int32_t edge3;
    std::int32_t edge4;
};

// Capability 270: one per margin preset.
struct MarginPresetRecord {
    std::uint8_t millimetres;
    std::int16_t dots;
    char metricText[kTextBytes];
    char inchText[kTextBytes];
};
#pragma pack(pop)

namespace descriptor {
constexpr std::size_t kWritten = offsetof(MediaDescriptor, callerOwned);
}

static_assert(sizeof(MediaDescriptor) == 138);
static_assert(offsetof(MediaDescriptor, mediaId) == 0);
static_assert(offsetof(MediaDescriptor, sizeY) == 2);
static_assert(offsetof(MediaDescriptor, sizeYTenths) == 4);
static_assert(offsetof(MediaDescriptor, marginY) == 6);
static_assert(offsetof(MediaDescriptor, printableY) == 8);
static_assert(offsetof(MediaDescriptor, zero) == 10);
static_assert(offsetof(MediaDescriptor, name) == 12);
static_assert(offsetof(MediaDescriptor, name2) == 62);
static_assert(offsetof(MediaDescriptor, sizeX) == 112);
static_assert(offsetof(MediaDescriptor, sizeXTenths) == 114);
static_assert(offsetof(MediaDescriptor, marginX) == 116);
static_assert(offsetof(MediaDescriptor, printableX) == 118);
static_assert(offsetof(MediaDescriptor, printableXTenths) == 120);
static_assert(offsetof(MediaDescriptor, printableYTenths) == 122);
static_assert(offsetof(MediaDescriptor, flags) == 124);
static_assert(offsetof(MediaDescriptor, outputId) == 128);
static_assert(offsetof(MediaDescriptor, variant) == 130);
static_assert(descriptor::kWritten == 131);

static_assert(sizeof(EdgeOffsets) == 20);
static_assert(offsetof(EdgeOffsets, flags) == 0);
static_assert(offsetof(EdgeOffsets, edge1) == 4);
static_assert(offsetof(EdgeOffsets, edge2) == 8);
static_assert(offsetof(EdgeOffsets, edge3) == 12);
static_assert(offsetof(EdgeOffsets, edge4) == 16);

static_assert(sizeof(MarginPresetRecord) == 103);
static_assert(offsetof(MarginPresetRecord, millimetres) == 0);
static_assert(offsetof(MarginPresetRecord, dots) == 1);
static_assert(offsetof(MarginPresetRecord, metricText) == 3);
static_assert(offsetof(MarginPresetRecord, inchText) == 53);

static_assert(media_record::kFlags + 4 <= media_record::kSize);
static_assert(device_info::kResolutionY + 2 <= device_info::kSize);

// Little-endian field access; the records are byte layouts, not host structures.
inline std::uint16_t LoadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t LoadI16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(LoadU16(p));
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
// Every target is little-endian: one plain store each, which the query loops depend on for speed.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__);
inline void StoreU16(std::uint8_t* p, std::uint16_t v) {
    std::memcpy(p, &v, sizeof v);
}
inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, sizeof v);
}

} // namespace caps
