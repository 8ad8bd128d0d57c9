// Builds the media table: defaults, unit conversions, names, flags and the driver's record images, all once.
#include "caps/media_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace caps {

namespace {

namespace mr = media_record;

std::int16_t Field16(const std::uint8_t* record, std::size_t offset) {
    return LoadI16(record + offset);
}

// 16-bit arithmetic wraps, as the driver's records expect.
std::int16_t Wrap16(std::int32_t v) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
}

// Truncates toward zero into the 32-bit range; values outside it never come from 16-bit inputs, but saturate
// rather than leave the conversion undefined.
std::int32_t TruncateToInt32(double v) {
    if (!(v > -2147483648.0))
        return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0)
        return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

std::size_t NameUnits(const std::uint8_t* record, std::size_t offset, char16_t* units) {
    // The library gives no guarantee of a terminator: read at most the field.
    constexpr std::size_t kMaxUnits = mr::kNameBytes / 2;
    std::size_t n = 0;
    for (; n < kMaxUnits; ++n) {
        units[n] = static_cast<char16_t>(LoadU16(record + offset + 2 * n));
        if (units[n] == 0)
            break;
    }
    return n;
}

void ConvertName(const std::uint8_t* record, std::size_t offset, char (&out)[kTextBytes],
                 NameConverter convert) {
    char16_t units[mr::kNameBytes / 2];
    std::size_t n = NameUnits(record, offset, units);
    // Up to four bytes per unit in any code page; the entry keeps the first 49 bytes and a zero.
    char wide[mr::kNameBytes * 2] = {};
    std::size_t written = n == 0 ? 0 : convert(units, n, wide, sizeof wide);
    written = std::min(written, kTextBytes - 1);
    std::memset(out, 0, kTextBytes);
    std::memcpy(out, wide, written);
}

void CopyText(char (&out)[kTextBytes], const char* text) {
    std::memset(out, 0, kTextBytes);
    std::strncpy(out, text, kTextBytes - 1);
}

} // namespace

DeviceValues ParseDeviceInfo(const std::uint8_t* block) {
    DeviceValues d;
    d.code0 = block[device_info::kCode0];
    d.code1 = block[device_info::kCode1];
    d.defaultLengthTenths = LoadI16(block + device_info::kDefaultLengthTenths);
    d.defaultLengthDots = LoadI16(block + device_info::kDefaultLengthDots);
    d.resolutionX = LoadU16(block + device_info::kResolutionX);
    d.resolutionY = LoadU16(block + device_info::kResolutionY);
    return d;
}

std::array<MarginPreset, 2> InitialMarginPresets() {
    std::array<MarginPreset, 2> p;
    p[0].millimetres = 2;
    p[0].dots = 14;
    CopyText(p[0].metricText, "2 mm");
    CopyText(p[0].inchText, "0.08 \"");
    p[1].millimetres = 24;
    p[1].dots = 175;
    CopyText(p[1].metricText, "25 mm");
    CopyText(p[1].inchText, "1 \"");
    return p;
}

std::size_t ConvertNameLatin1(const char16_t* text, std::size_t units, char* out, std::size_t outBytes) {
    std::size_t n = std::min(units, outBytes);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = text[i] < 0x100 ? static_cast<char>(text[i]) : '?';
    return n;
}

int GroupOfKind(std::uint16_t kind) {
    switch (kind) {
    case 138:
    case 139:
        return 0;
    case 8:
    case 11:
        return 1;
    default:
        return 2;
    }
}

void MediaTable::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    edges_.clear();
    edges_.shrink_to_fit();
    images_.clear();
    images_.shrink_to_fit();
    dots_.clear();
    dots_.shrink_to_fit();
    counts_ = {};
    first_ = {};
}

bool MediaTable::BuildMediaTable(const DeviceValues& device, const std::uint8_t* records, std::size_t bytes,
                                 std::uint32_t count, NameConverter convert) {
    Clear();
    device_ = device;
    if (count == 0 || count > kMaxRecords || records == nullptr || bytes / mr::kSize < count)
        return false;
    try {
        for (std::uint32_t i = 0; i < count; ++i)
            ++counts_[GroupOfKind(LoadU16(records + i * mr::kSize + mr::kKind))];
        first_[1] = static_cast<std::size_t>(counts_[0]);
        first_[2] = first_[1] + static_cast<std::size_t>(counts_[1]);
        entries_.resize(count);
        edges_.resize(count);
        std::array<std::size_t, kGroupCount> next = first_;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* record = records + i * mr::kSize;
            int group = GroupOfKind(LoadU16(record + mr::kKind));
            std::size_t slot = next[group]++;
            FillEntry(record, entries_[slot], convert);
            FillEdge(record, edges_[slot]);
            UpdateSmallestMargin(record);
        }
        RenderImages();
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    return true;
}

void MediaTable::FillEntry(const std::uint8_t* record, MediaEntry& e, NameConverter convert) const {
    const std::uint32_t mediaFlags = LoadU32(record + mr::kFlags);
    const std::uint16_t kind = LoadU16(record + mr::kKind);

    const std::int16_t widthDots = Field16(record, mr::kWidthDots);
    const std::int16_t widthTenths = Field16(record, mr::kWidthTenths);
    const std::int16_t printableWidthDots = Field16(record, mr::kPrintableWidthDots);
    const std::int16_t printableWidthTenths = Field16(record, mr::kPrintableWidthTenths);
    const std::int16_t widthMargin = Field16(record, mr::kWidthMargin);
    const std::int16_t lengthMargin = Field16(record, mr::kLengthMargin);

    std::int16_t lengthDots = Field16(record, mr::kLengthDots);
    if (lengthDots == 0)
        lengthDots = device_.defaultLengthDots;
    std::int16_t lengthTenths = Field16(record, mr::kLengthTenths);
    if (lengthTenths == 0)
        lengthTenths = device_.defaultLengthTenths;
    std::int16_t printableLengthDots = Field16(record, mr::kPrintableLengthDots);
    if (printableLengthDots == 0)
        printableLengthDots = Wrap16(lengthDots - 2 * lengthMargin);
    std::int16_t printableLengthTenths = Field16(record, mr::kPrintableLengthTenths);
    if (printableLengthTenths == 0 && device_.resolutionY != 0)
        printableLengthTenths =
            Wrap16(TruncateToInt32(static_cast<double>(printableLengthDots) * 254.0 / device_.resolutionY));

    e.mediaId = Field16(record, mr::kId);
    if (mediaFlags & mr::kFlagSwap) {
        e.sizeX = lengthDots;
        e.sizeY = widthDots;
        e.sizeXTenths = lengthTenths;
        e.sizeYTenths = widthTenths;
        e.marginX = lengthMargin;
        e.marginY = widthMargin;
        e.printableX = printableLengthDots;
        e.printableY = printableWidthDots;
        e.printableXTenths = printableLengthTenths;
        e.printableYTenths = printableWidthTenths;
    } else {
        e.sizeX = widthDots;
        e.sizeY = lengthDots;
        e.sizeXTenths = widthTenths;
        e.sizeYTenths = lengthTenths;
        e.marginX = widthMargin;
        e.marginY = lengthMargin;
        e.printableX = printableWidthDots;
        e.printableY = printableLengthDots;
        e.printableXTenths = printableWidthTenths;
        e.printableYTenths = printableLengthTenths;
    }
    ConvertName(record, mr::kName, e.name, convert);
    ConvertName(record, mr::kName2, e.name2, convert);

    const std::uint16_t variants = LoadU16(record + mr::kVariantCount);
    e.outputId = variants != 0 ? Field16(record, mr::kAlternateId) : e.mediaId;
    e.variant = static_cast<std::uint8_t>((variants & 0xFF) + 1);

    std::uint32_t flags = 0;
    if (kind == 8 || kind == 11 || kind == 75 || kind == 139)
        flags |= entry_flag::kLabel;
    if (kind == 138 || kind == 139)
        flags |= entry_flag::kTube;
    if (kind == 17)
        flags |= entry_flag::kKind17;
    if (kind == 18)
        flags |= entry_flag::kKind18;
    if (mediaFlags & mr::kFlagReported)
        flags |= entry_flag::kReported;
    e.flags = flags;
}

void MediaTable::FillEdge(const std::uint8_t* record, EdgeRecord& edge) {
    const std::uint32_t mediaFlags = LoadU32(record + mr::kFlags);
    const bool edgeFlag = (mediaFlags & mr::kFlagEdge) != 0;
    std::int32_t v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = Field16(record, mr::kEdge1 + 2 * i);
    edge = EdgeRecord{};
    if (edgeFlag)
        edge.flags |= edge_flag::kEdge;
    if (v[0] == 0 && v[1] == 0 && v[2] == 0 && v[3] == 0)
        return;
    if (edgeFlag)
        edge.flags |= edge_flag::kEdgeWithValues;
    edge.flags |= edge_flag::kValues;
    edge.edge1 = v[0];
    edge.edge2 = v[1];
    edge.edge3 = v[2];
    edge.edge4 = v[3];
}

void MediaTable::UpdateSmallestMargin(const std::uint8_t* record) {
    if (!(LoadU32(record + mr::kFlags) & mr::kFlagMarginPreset))
        return;
    const std::int16_t margin = Field16(record, mr::kLengthMargin);
    MarginPreset& preset = presets_[0];
    if (margin >= preset.dots)
        return;
    preset.dots = margin;
    // Without a resolution there is no millimetre value to derive; the old one stays.
    if (device_.resolutionY == 0)
        return;
    const double mm = (margin * 254.0 / device_.resolutionY + 5.0) / 10.0;
    // A negative margin from a damaged record must not wrap into a large millimetre count.
    preset.millimetres = static_cast<std::uint8_t>(std::clamp(TruncateToInt32(mm), 0, 255));
}

void MediaTable::RenderImages() {
    images_.assign(entries_.size() * descriptor::kWritten, 0);
    dots_.resize(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const MediaEntry& e = entries_[i];
        dots_[i] = DotFields{e.sizeX,
                             e.sizeY,
                             e.marginX,
                             e.marginY,
                             e.printableX,
                             e.printableY,
                             Wrap16(e.sizeX - e.marginX - e.printableX),
                             Wrap16(e.sizeY - e.marginY - e.printableY)};
        const bool fixedVariant = i < first_[2]; // groups 0 and 1 report their own id and variant 1
        std::uint8_t* p = images_.data() + i * descriptor::kWritten;
        auto put16 = [p](std::size_t offset, std::int16_t v) {
            StoreU16(p + offset, static_cast<std::uint16_t>(v));
        };
        put16(offsetof(MediaDescriptor, mediaId), e.mediaId);
        put16(offsetof(MediaDescriptor, sizeY), e.sizeY);
        put16(offsetof(MediaDescriptor, sizeYTenths), e.sizeYTenths);
        put16(offsetof(MediaDescriptor, marginY), e.marginY);
        put16(offsetof(MediaDescriptor, printableY), e.printableY);
        put16(offsetof(MediaDescriptor, zero), 0);
        std::memcpy(p + offsetof(MediaDescriptor, name), e.name, kTextBytes);
        std::memcpy(p + offsetof(MediaDescriptor, name2), e.name2, kTextBytes);
        put16(offsetof(MediaDescriptor, sizeX), e.sizeX);
        put16(offsetof(MediaDescriptor, sizeXTenths), e.sizeXTenths);
        put16(offsetof(MediaDescriptor, marginX), e.marginX);
        put16(offsetof(MediaDescriptor, printableX), e.printableX);
        put16(offsetof(MediaDescriptor, printableXTenths), e.printableXTenths);
        put16(offsetof(MediaDescriptor, printableYTenths), e.printableYTenths);
        StoreU32(p + offsetof(MediaDescriptor, flags), e.flags);
        put16(offsetof(MediaDescriptor, outputId), fixedVariant ? e.mediaId : e.outputId);
        p[offsetof(MediaDescriptor, variant)] = fixedVariant ? 1 : e.variant;
    }
}

} // namespace caps
