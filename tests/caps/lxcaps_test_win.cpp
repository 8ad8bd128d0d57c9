// The capability library as the driver sees it: real DLL, media stand-in, data/caps-test.lmx.
#include "caps/records.h"
#include "tests/support/record_builder.h"
#include "tests/support/wine_env_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using caps::MarginPresetRecord;
using caps::MediaDescriptor;
using caps_test::Devmode;

// Installed once per test program; a failure fails every test rather than skipping it.
bool InstallTestMedia() {
    static const bool installed =
        caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx"));
    return installed;
}

// In the order the driver receives them: group 1 (kinds 138, 139), group 2 (8, 11), then every other kind.
constexpr std::int16_t kOrder[] = {30, 70, 20, 50, 10, 40, 60, 80};
constexpr std::size_t kCount = std::size(kOrder);
enum Index { C, G, B, E, A, D, F, H };

class Caps : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(installed) << "media stand-in not installed: " << ::GetLastError();
        ASSERT_TRUE(caps) << "load error " << caps.loadError();
    }

    std::vector<MediaDescriptor> Media(const std::vector<std::uint8_t>& dm, std::uint8_t fill = 0xCC) {
        std::vector<MediaDescriptor> out(kCount);
        std::memset(out.data(), fill, out.size() * sizeof(MediaDescriptor));
        EXPECT_EQ(caps(caps::capability::kMedia, out.data(), dm.data()), kCount);
        return out;
    }
    std::vector<caps::EdgeOffsets> Edges(const std::vector<std::uint8_t>& dm) {
        std::vector<caps::EdgeOffsets> out(kCount);
        EXPECT_EQ(caps(caps::capability::kEdgeOffsets, out.data(), dm.data()), kCount);
        return out;
    }

    const bool installed = InstallTestMedia();
    caps_test::CapsLibrary caps;
    const std::vector<std::uint8_t> plain = Devmode(300, 180, false);
};

TEST_F(Caps, MediaComeGroupByGroupInInputOrder) {
    EXPECT_EQ(caps(caps::capability::kMedia, nullptr, plain.data()), kCount);
    auto media = Media(plain);
    for (std::size_t i = 0; i < kCount; ++i)
        EXPECT_EQ(media[i].mediaId, kOrder[i]) << i;
}

TEST_F(Caps, ContinuousTapeTakesTheDeviceDefaults) {
    const MediaDescriptor a = Media(plain)[A];
    EXPECT_EQ(a.sizeY, 709);
    EXPECT_EQ(a.sizeYTenths, 1000);
    EXPECT_EQ(a.marginY, 10);
    EXPECT_EQ(a.printableY, 709 - 2 * 10);
    EXPECT_EQ(a.printableYTenths, 972); // 689 * 254 / 180 = 972.2
    EXPECT_EQ(a.sizeX, 85);
    EXPECT_EQ(a.sizeXTenths, 120);
    EXPECT_EQ(a.marginX, 7);
    EXPECT_EQ(a.printableX, 70);
    EXPECT_EQ(a.printableXTenths, 100);
    EXPECT_EQ(a.zero, 0);
    // The tube's printable length in dots is given; only its tenths are derived.
    const MediaDescriptor c = Media(plain)[C];
    EXPECT_EQ(c.printableY, 149);
    EXPECT_EQ(c.printableYTenths, 210);
}

TEST_F(Caps, SwappedLabelReportsItsLengthAlongX) {
    const MediaDescriptor b = Media(plain)[B];
    EXPECT_EQ(b.sizeX, 383);
    EXPECT_EQ(b.sizeXTenths, 540);
    EXPECT_EQ(b.marginX, 14);
    EXPECT_EQ(b.printableX, 355);
    EXPECT_EQ(b.printableXTenths, 500);
    EXPECT_EQ(b.sizeY, 120);
    EXPECT_EQ(b.sizeYTenths, 170);
    EXPECT_EQ(b.marginY, 7);
    EXPECT_EQ(b.printableY, 106);
    EXPECT_EQ(b.printableYTenths, 150);
}

TEST_F(Caps, FlagsOutputIdsAndVariants) {
    auto media = Media(plain);
    struct Want {
        Index i;
        std::uint32_t flags;
        std::int16_t outputId;
        std::uint8_t variant;
    } wants[] = {
        {C, 0x10 | 0x40 | 0x40000, 30, 1},
        {G, 0x40, 70, 1},
        {B, 0x10, 20, 1}, // groups 1, 2: own id, 1
        {E, 0x10, 50, 1},
        {A, 0, 60, 3},
        {D, 0x10000, 40, 1},
        {F, 0x20000, 60, 1},
        {H, 0x10, 80, 1},
    };
    for (const Want& w : wants) {
        EXPECT_EQ(media[w.i].flags, w.flags) << kOrder[w.i];
        EXPECT_EQ(media[w.i].outputId, w.outputId) << kOrder[w.i];
        EXPECT_EQ(media[w.i].variant, w.variant) << kOrder[w.i];
    }
}

TEST_F(Caps, NamesAreAnsiText) {
    auto media = Media(plain);
    EXPECT_STREQ(media[A].name, "Tape A");
    EXPECT_STREQ(media[A].name2, "TA");
    EXPECT_STREQ(media[C].name2, "");
    char want[50] = {};
    ::WideCharToMultiByte(CP_ACP, 0, L"Gr\u00f6\u00dfe", -1, want, sizeof want, nullptr, nullptr);
    EXPECT_STREQ(media[B].name2, want);
    // The whole field is written: text, then zeros.
    for (std::size_t i = std::strlen("Tape A"); i < caps::kTextBytes; ++i)
        EXPECT_EQ(media[A].name[i], 0);
}

TEST_F(Caps, OnlyTheLastSevenBytesOfADescriptorKeepTheCallersBytes) {
    auto first = Media(plain, 0xCC);
    auto second = Media(plain, 0x33);
    for (std::size_t i = 0; i < kCount; ++i) {
        const auto* a = reinterpret_cast<const std::uint8_t*>(&first[i]);
        const auto* b = reinterpret_cast<const std::uint8_t*>(&second[i]);
        EXPECT_EQ(std::memcmp(a, b, caps::descriptor::kWritten), 0) << i;
        for (std::size_t k = caps::descriptor::kWritten; k < sizeof(MediaDescriptor); ++k) {
            EXPECT_EQ(a[k], 0xCC);
            EXPECT_EQ(b[k], 0x33);
        }
    }
}

TEST_F(Caps, EdgeRecords) {
    auto edges = Edges(plain);
    EXPECT_EQ(edges[B].flags, 0x200u | 0x400u | 0x1000u);
    EXPECT_EQ(edges[B].edge1, 14);
    EXPECT_EQ(edges[B].edge2, 7);
    EXPECT_EQ(edges[B].edge3, -14);
    EXPECT_EQ(edges[B].edge4, -7);
    EXPECT_EQ(edges[C].flags, 0x200u); // edge flag, but no values
    EXPECT_EQ(edges[C].edge1, 0);
    EXPECT_EQ(edges[D].flags, 0x1000u); // values, no edge flag
    EXPECT_EQ(edges[D].edge4, 5);
    EXPECT_EQ(edges[A].flags, 0u);
    EXPECT_EQ(caps(caps::capability::kEdgeOffsets, nullptr, plain.data()), kCount);
}

TEST_F(Caps, ReversedFeedSwapsEdgesAndMeasuresMarginsFromTheFarSide) {
    auto edges = Edges(Devmode(300, 180, true));
    EXPECT_EQ(edges[B].flags, 0x1600u);
    EXPECT_EQ(edges[B].edge1, -14);
    EXPECT_EQ(edges[B].edge2, -7);
    EXPECT_EQ(edges[B].edge3, 14);
    EXPECT_EQ(edges[B].edge4, 7);
    auto media = Media(Devmode(300, 180, true));
    EXPECT_EQ(media[D].marginY, 30); // 700 - 20 - 650
    EXPECT_EQ(media[D].marginX, 10); // 85 - 5 - 70
    EXPECT_EQ(media[D].printableY, 650);
    // The private part follows the public one wherever dmSize says it ends.
    EXPECT_EQ(Media(Devmode(300, 180, true, 220))[D].marginY, 30);
    EXPECT_EQ(Media(Devmode(300, 180, false, 220))[D].marginY, 20);
}

TEST_F(Caps, DoubledResolutionsScaleEachDirectionOnItsOwn) {
    const MediaDescriptor base = Media(plain)[A];
    const MediaDescriptor y2 = Media(Devmode(300, 360, false))[A];
    EXPECT_EQ(y2.sizeY, 2 * base.sizeY);
    EXPECT_EQ(y2.marginY, 2 * base.marginY);
    EXPECT_EQ(y2.printableY, 2 * base.printableY);
    EXPECT_EQ(y2.sizeYTenths, base.sizeYTenths);
    EXPECT_EQ(y2.sizeX, base.sizeX);
    EXPECT_EQ(y2.printableX, base.printableX);

    const MediaDescriptor x2 = Media(Devmode(600, 180, false))[A];
    EXPECT_EQ(x2.sizeX, 2 * base.sizeX);
    EXPECT_EQ(x2.marginX, 2 * base.marginX);
    EXPECT_EQ(x2.printableX, 2 * base.printableX);
    EXPECT_EQ(x2.sizeXTenths, base.sizeXTenths);
    EXPECT_EQ(x2.sizeY, base.sizeY);

    // Only exactly twice the base resolution of that direction doubles.
    for (auto dm : {Devmode(360, 300, false), Devmode(300, 181, false), Devmode(599, 180, false)}) {
        const MediaDescriptor same = Media(dm)[A];
        EXPECT_EQ(same.sizeX, base.sizeX);
        EXPECT_EQ(same.sizeY, base.sizeY);
    }

    auto edges = Edges(Devmode(600, 360, true));
    EXPECT_EQ(edges[B].edge1, -28);
    EXPECT_EQ(edges[B].edge2, -14);
    EXPECT_EQ(edges[B].edge3, 28);
    EXPECT_EQ(edges[B].edge4, 14);
    // Reversed and doubled: the far-side margin, doubled.
    EXPECT_EQ(Media(Devmode(300, 360, true))[D].marginY, 60);
}

TEST_F(Caps, MarginPresetsCarryTheSmallestFlaggedMargin) {
    MarginPresetRecord presets[2];
    EXPECT_EQ(caps(caps::capability::kMarginPresets, nullptr, plain.data()), 2u);
    ASSERT_EQ(caps(caps::capability::kMarginPresets, presets, plain.data()), 2u);
    // 10 dots at 180 dpi: (10 * 254 / 180 + 5) / 10 = 1.9, truncated.
    EXPECT_EQ(presets[0].millimetres, 1);
    EXPECT_EQ(presets[0].dots, 10);
    EXPECT_STREQ(presets[0].metricText, "2 mm");
    EXPECT_STREQ(presets[0].inchText, "0.08 \"");
    EXPECT_EQ(presets[1].millimetres, 24);
    EXPECT_EQ(presets[1].dots, 175);
    EXPECT_STREQ(presets[1].metricText, "25 mm");
    EXPECT_STREQ(presets[1].inchText, "1 \"");
    ASSERT_EQ(caps(caps::capability::kMarginPresets, presets, Devmode(300, 360, false).data()), 2u);
    EXPECT_EQ(presets[0].dots, 20);
    EXPECT_EQ(presets[1].dots, 350);
}

TEST_F(Caps, FixedValuesAndUnknownCodes) {
    namespace c = caps::capability;
    EXPECT_EQ(caps(c::kSignature, nullptr, plain.data()), 0x72919273u);
    EXPECT_EQ(caps(c::kFixed271, nullptr, plain.data()), 1u);
    EXPECT_EQ(caps(c::kFixed274, nullptr, plain.data()), 0u);
    EXPECT_EQ(caps(c::kFixed275, nullptr, plain.data()), 0u);
    EXPECT_EQ(caps(c::kFixed276, nullptr, plain.data()), 4u);
    EXPECT_EQ(caps(c::kDeviceCode, nullptr, plain.data()), 0x1234u);
    EXPECT_EQ(caps(c::kFixed280, nullptr, plain.data()), 12u);
    std::vector<std::uint8_t> untouched(512, 0xAB);
    for (DWORD code : {0u, 1u, 256u, 258u, 268u, 272u, 273u, 277u, 281u, 0xFFFFu}) {
        EXPECT_EQ(caps(code, untouched.data(), plain.data()), 0xFFFFFFFFu) << code;
    }
    EXPECT_EQ(untouched, std::vector<std::uint8_t>(512, 0xAB));
}

TEST_F(Caps, WithoutDevmodeOnlyTheSignatureAndTheDeviceCodeAnswer) {
    namespace c = caps::capability;
    EXPECT_EQ(caps(c::kDeviceCode, nullptr, nullptr), 0x1234u);
    EXPECT_EQ(caps(c::kSignature, nullptr, nullptr), 0x72919273u);
    std::vector<std::uint8_t> untouched(kCount * sizeof(MediaDescriptor), 0xAB);
    for (DWORD code : {c::kMedia, c::kMarginPresets, c::kFixed271, c::kFixed274, c::kFixed275, c::kFixed276,
                       c::kEdgeOffsets, c::kFixed280}) {
        EXPECT_EQ(caps(code, untouched.data(), nullptr), 0xFFFFFFFFu) << code;
    }
    EXPECT_EQ(untouched, std::vector<std::uint8_t>(untouched.size(), 0xAB));
}

TEST_F(Caps, OnlyTheLowSixteenBitsOfTheCodeCount) {
    auto want = Media(plain);
    std::vector<MediaDescriptor> got(kCount);
    std::memset(got.data(), 0xCC, got.size() * sizeof(MediaDescriptor));
    EXPECT_EQ(caps(0x10101, got.data(), plain.data()), kCount);
    EXPECT_EQ(std::memcmp(got.data(), want.data(), got.size() * sizeof(MediaDescriptor)), 0);
    EXPECT_EQ(caps(0xABCD0000u | caps::capability::kDeviceCode, nullptr, nullptr), 0x1234u);
}

TEST_F(Caps, EightThreadsGetByteIdenticalAnswers) {
    const std::vector<std::vector<std::uint8_t>> devmodes = {
        plain, Devmode(600, 360, false), Devmode(300, 180, true), Devmode(600, 360, true)};
    struct Answer {
        std::vector<std::uint8_t> media, edges, presets;
    };
    auto ask = [this](const std::vector<std::uint8_t>& dm) {
        Answer a{std::vector<std::uint8_t>(kCount * sizeof(MediaDescriptor), 0x5A),
                 std::vector<std::uint8_t>(kCount * sizeof(caps::EdgeOffsets)),
                 std::vector<std::uint8_t>(2 * sizeof(MarginPresetRecord))};
        caps(caps::capability::kMedia, a.media.data(), dm.data());
        caps(caps::capability::kEdgeOffsets, a.edges.data(), dm.data());
        caps(caps::capability::kMarginPresets, a.presets.data(), dm.data());
        return a;
    };
    std::vector<Answer> want;
    for (const auto& dm : devmodes)
        want.push_back(ask(dm));
    std::vector<int> mismatches(8, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                std::size_t k = static_cast<std::size_t>(t + i) % devmodes.size();
                Answer a = ask(devmodes[k]);
                if (a.media != want[k].media || a.edges != want[k].edges || a.presets != want[k].presets)
                    ++mismatches[t];
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(mismatches, std::vector<int>(8, 0));
}

} // namespace
