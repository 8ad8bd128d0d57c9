// The media table builder with damaged or extreme input from the media-table library.
#include "caps/media_table.h"
#include "caps/queries.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using caps_test::Device;
using caps_test::Medium;

caps::MediaTable Build(const std::vector<Medium>& media, const Device& device = {}) {
    auto records = caps_test::Records(media);
    auto block = caps_test::DeviceBlock(device);
    caps::MediaTable table;
    EXPECT_TRUE(table.BuildMediaTable(caps::ParseDeviceInfo(block.data()), records.data(), records.size(),
                                      static_cast<std::uint32_t>(media.size()), caps::ConvertNameLatin1));
    return table;
}

TEST(MediaTable, RefusesCountsTheTableOrTheBufferCannotHold) {
    auto records = caps_test::Records({Medium{}, Medium{}});
    caps::MediaTable table;
    caps::DeviceValues device;
    EXPECT_FALSE(table.BuildMediaTable(device, records.data(), records.size(), 0, caps::ConvertNameLatin1));
    EXPECT_FALSE(table.BuildMediaTable(device, records.data(), records.size(), 3, caps::ConvertNameLatin1));
    EXPECT_FALSE(
        table.BuildMediaTable(device, records.data(), records.size() - 1, 2, caps::ConvertNameLatin1));
    // 0x10002 would pass as 2 if it were cut to 16 bits.
    EXPECT_FALSE(
        table.BuildMediaTable(device, records.data(), records.size(), 0x10002, caps::ConvertNameLatin1));
    EXPECT_FALSE(table.BuildMediaTable(device, records.data(), records.size(), caps::kMaxRecords + 1,
                                       caps::ConvertNameLatin1));
    EXPECT_EQ(table.size(), 0u);
    ASSERT_TRUE(table.BuildMediaTable(device, records.data(), records.size(), 2, caps::ConvertNameLatin1));
    EXPECT_EQ(table.size(), 2u);
}

TEST(MediaTable, AcceptsTheLargestSignedCount) {
    std::vector<std::uint8_t> records(caps::kMaxRecords * caps::media_record::kSize, 0);
    caps::MediaTable table;
    ASSERT_TRUE(table.BuildMediaTable({}, records.data(), records.size(), caps::kMaxRecords,
                                      caps::ConvertNameLatin1));
    EXPECT_EQ(table.groupCount(2), 0x7FFF);
}

TEST(MediaTable, NamesWithoutTerminatorStopAtTheirField) {
    Medium m;
    m.name = std::u16string(32, u'A'); // fills all 64 bytes, no zero
    m.name2 = std::u16string(32, u'B');
    auto t = Build({m});
    EXPECT_EQ(std::string(t.entry(0).name), std::string(32, 'A'));
    EXPECT_EQ(std::string(t.entry(0).name2), std::string(32, 'B'));
}

TEST(MediaTable, LongConvertedNamesKeep49BytesAndAZero) {
    // A converter that widens every unit to two bytes, as a double-byte code page does.
    auto wide = [](const char16_t* text, std::size_t units, char* out, std::size_t outBytes) -> std::size_t {
        std::size_t n = 0;
        for (std::size_t i = 0; i < units && n + 2 <= outBytes; ++i, n += 2) {
            out[n] = char(0x80 | (text[i] & 0x3F));
            out[n + 1] = 'x';
        }
        return n;
    };
    Medium m;
    m.name = std::u16string(31, u'N');
    auto records = caps_test::Records({m});
    caps::MediaTable table;
    ASSERT_TRUE(table.BuildMediaTable({}, records.data(), records.size(), 1, wide));
    EXPECT_EQ(std::strlen(table.entry(0).name), 49u);
    EXPECT_EQ(table.entry(0).name[49], 0);
}

TEST(MediaTable, SixteenBitArithmeticWraps) {
    Device d;
    d.defaultLengthDots = 100;
    Medium m;
    m.lengthMargin = 30000; // 100 - 60000 wraps
    m.variants = 0x1FF;     // low byte 0xFF, plus one wraps to 0
    auto t = Build({m}, d);
    EXPECT_EQ(t.entry(0).printableY, static_cast<std::int16_t>(100 - 60000));
    EXPECT_EQ(t.entry(0).variant, 0);
}

TEST(MediaTable, ComputedPrintableLengthTruncatesTowardZero) {
    Device d;
    d.resolutionY = 180;
    Medium m;
    m.lengthDots = 163;
    m.lengthMargin = 14; // printable 135 dots
    Medium negative = m;
    negative.lengthDots = 10; // printable -18 dots: -25.4 tenths
    auto t = Build({m, negative}, d);
    EXPECT_EQ(t.entry(0).printableYTenths, 190); // 190.5
    EXPECT_EQ(t.entry(1).printableYTenths, -25);
}

TEST(MediaTable, WithoutVerticalResolutionNothingIsDividedByZero) {
    Device d;
    d.resolutionY = 0;
    Medium m;
    m.flags = caps::media_record::kFlagMarginPreset;
    m.lengthMargin = 10;
    auto t = Build({m}, d);
    EXPECT_EQ(t.entry(0).printableYTenths, 0);
    EXPECT_EQ(t.presets()[0].dots, 10);
    EXPECT_EQ(t.presets()[0].millimetres, 2); // no resolution to derive it from
    // And a DEVMODE asking for resolution 0 does not count as "twice the base".
    auto dm = caps_test::Devmode(0, 0, false);
    std::vector<std::uint8_t> out(138);
    caps::QueryCapability(t, caps::capability::kMedia, out.data(), dm.data());
    EXPECT_EQ(caps::LoadI16(out.data() + offsetof(caps::MediaDescriptor, sizeY)), 709);
}

TEST(MediaTable, OnlyASmallerFlaggedMarginMovesTheFirstPreset) {
    Medium fourteen;
    fourteen.flags = caps::media_record::kFlagMarginPreset;
    fourteen.lengthMargin = 14;
    Medium unflagged;
    unflagged.lengthMargin = 3;
    auto t = Build({fourteen, unflagged});
    EXPECT_EQ(t.presets()[0].dots, 14);
    EXPECT_EQ(t.presets()[0].millimetres, 2);
    Medium thirteen = fourteen;
    thirteen.lengthMargin = 13; // (13 * 254 / 180 + 5) / 10 = 2.3
    auto u = Build({fourteen, thirteen});
    EXPECT_EQ(u.presets()[0].dots, 13);
    EXPECT_EQ(u.presets()[0].millimetres, 2);
    EXPECT_EQ(u.presets()[1].dots, 175);
}

TEST(MediaTable, NegativeMarginsGiveNoWrappedMillimetres) {
    Medium m;
    m.flags = caps::media_record::kFlagMarginPreset;
    m.lengthMargin = -1000;
    auto t = Build({m});
    EXPECT_EQ(t.presets()[0].dots, -1000);
    EXPECT_EQ(t.presets()[0].millimetres, 0);
}

TEST(MediaTable, ScaledValuesWrapToSixteenBits) {
    Medium m;
    m.lengthDots = 20000;
    m.printableLengthDots = 19000;
    auto t = Build({m});
    auto dm = caps_test::Devmode(180, 360, false);
    std::vector<std::uint8_t> out(138);
    caps::QueryCapability(t, caps::capability::kMedia, out.data(), dm.data());
    EXPECT_EQ(caps::LoadI16(out.data() + offsetof(caps::MediaDescriptor, sizeY)),
              static_cast<std::int16_t>(40000));
}

} // namespace
