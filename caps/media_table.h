// The capability library's own media table: built once from the media records, then only read.
#pragma once

#include "caps/records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace caps {

// Values kept from the device information block.
struct DeviceValues {
    std::uint8_t code0 = 0;
    std::uint8_t code1 = 0;
    std::int16_t defaultLengthDots = 0;
    std::int16_t defaultLengthTenths = 0;
    std::uint16_t resolutionX = 0;
    std::uint16_t resolutionY = 0;
};

// Reads the fields the library uses from a device information block of device_info::kSize bytes.
DeviceValues ParseDeviceInfo(const std::uint8_t* block);

struct MediaEntry {
    std::int16_t mediaId = 0;
    std::int16_t sizeX = 0;
    std::int16_t sizeY = 0;
    std::int16_t sizeXTenths = 0;
    std::int16_t sizeYTenths = 0;
    std::int16_t marginX = 0;
    std::int16_t marginY = 0;
    std::int16_t printableX = 0;
    std::int16_t printableY = 0;
    std::int16_t printableXTenths = 0;
    std::int16_t printableYTenths = 0;
    char name[kTextBytes] = {};
    char name2[kTextBytes] = {};
    std::uint32_t flags = 0;
    std::int16_t outputId = 0;
    std::uint8_t variant = 0;
};

struct EdgeRecord {
    std::uint32_t flags = 0;
    std::int32_t edge1 = 0;
    std::int32_t edge2 = 0;
    std::int32_t edge3 = 0;
    std::int32_t edge4 = 0;
};

struct MarginPreset {
    std::uint8_t millimetres = 0;
    std::int16_t dots = 0;
    char metricText[kTextBytes] = {};
    char inchText[kTextBytes] = {};
};

std::array<MarginPreset, 2> InitialMarginPresets();

// Converts a UTF-16 name of `units` code units (no terminator needed) to 8-bit text in `out`, writing at most
// `outBytes` bytes; returns the number of bytes written. Windows uses the ANSI code page, the host a Latin-1
// stand-in.
using NameConverter = std::size_t (*)(const char16_t* text, std::size_t units, char* out,
                                      std::size_t outBytes);
std::size_t ConvertNameLatin1(const char16_t* text, std::size_t units, char* out, std::size_t outBytes);

constexpr int kGroupCount = 3;
// Group 0 holds media kinds 138 and 139, group 1 kinds 8 and 11, group 2 every other kind.
int GroupOfKind(std::uint16_t kind);

// The largest record count the table accepts: counts are signed 16-bit.
constexpr std::uint32_t kMaxRecords = 0x7FFF;

class MediaTable {
public:
    MediaTable() : presets_(InitialMarginPresets()) {}

    // Builds the table from `count` consecutive media records in a buffer of `bytes` bytes. Refuses (and
    // leaves an empty table) when the count is 0 or above kMaxRecords, when the records do not fit in the
    // buffer, or when memory runs out. Never throws.
    bool BuildMediaTable(const DeviceValues& device, const std::uint8_t* records, std::size_t bytes,
                         std::uint32_t count, NameConverter convert);
    void Clear();

    const DeviceValues& device() const { return device_; }
    std::int16_t groupCount(int group) const { return counts_[group]; }
    // Entries and edge records of one group, in input order.
    const MediaEntry* groupEntries(int group) const { return entries_.data() + first_[group]; }
    const EdgeRecord* groupEdges(int group) const { return edges_.data() + first_[group]; }
    // All entries and edge records, group after group: the order the driver receives them in.
    std::size_t size() const { return entries_.size(); }
    const MediaEntry& entry(std::size_t i) const { return entries_[i]; }
    const EdgeRecord& edge(std::size_t i) const { return edges_[i]; }
    const std::array<MarginPreset, 2>& presets() const { return presets_; }
    // The unscaled, unreversed written part of entry i's media descriptor, so that a query is a copy.
    const std::uint8_t* descriptorImage(std::size_t i) const {
        return images_.data() + i * descriptor::kWritten;
    }
    // The dot values a scaled or reversed query rewrites, packed so that rewriting them stays near a copy.
    struct DotFields {
        std::int16_t sizeX, sizeY, marginX, marginY, printableX, printableY;
        std::int16_t farMarginX, farMarginY; // size - margin - printable: the margin seen from the far side
    };
    const DotFields& dots(std::size_t i) const { return dots_[i]; }

private:
    void FillEntry(const std::uint8_t* record, MediaEntry& entry, NameConverter convert) const;
    static void FillEdge(const std::uint8_t* record, EdgeRecord& edge);
    void UpdateSmallestMargin(const std::uint8_t* record);
    void RenderImages();

    DeviceValues device_;
    std::array<std::int16_t, kGroupCount> counts_ = {};
    std::array<std::size_t, kGroupCount> first_ = {};
    std::vector<MediaEntry> entries_;
    std::vector<EdgeRecord> edges_;
    std::vector<std::uint8_t> images_;
    std::vector<DotFields> dots_;
    std::array<MarginPreset, 2> presets_;
};

} // namespace caps
