// Portable pieces of the files and the window: the command file's header, placeholder filling, the row
// layout.
#include "core/text_format.h"
#include "files/command_file.h"
#include "items/row_layout.h"
#include "ui/split_button_geometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommandFileHeader, LowBytesOfTheCodesLittleEndianTotalAndRefusals) {
    uint8_t buffer[260] = {};
    uint32_t length = 0;
    ASSERT_TRUE(BuildCommandFileHeader(7, 0x68, 0x30, buffer, &length));
    EXPECT_EQ(length, 16u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 16),
              (std::vector<uint8_t>{0x1B, 0x69, 0x55, 0x4F, 0x10, 0x68, 0x30, 0, 7, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(BuildCommandFileHeader(0x01020304, 0x168, 0x7FFF30, buffer, &length));
    EXPECT_EQ(std::vector<uint8_t>(buffer + 5, buffer + 12),
              (std::vector<uint8_t>{0x68, 0x30, 0, 4, 3, 2, 1}));
    uint8_t untouched[16] = {0xAA};
    EXPECT_FALSE(BuildCommandFileHeader(0, 1, 1, untouched, &length));
    EXPECT_FALSE(BuildCommandFileHeader(1, 1, 0, untouched, &length));
    EXPECT_FALSE(BuildCommandFileHeader(1, 1, 1, nullptr, &length));
    EXPECT_FALSE(BuildCommandFileHeader(1, 1, 1, untouched, nullptr));
    EXPECT_EQ(untouched[0], 0xAA);
}

TEST(FormatText, PlaceholdersInOrderAndNothingElseInterpreted) {
    EXPECT_EQ(FormatText(L"%s\n%s\n\n%s", {L"a", L"b", L"c"}), L"a\nb\n\nc");
    EXPECT_EQ(FormatOne(L"Version %s", L"1.1.0"), L"Version 1.1.0");
    EXPECT_EQ(FormatText(L"%s %s %n %d 100%% %", {L"x"}), L"x  %n %d 100% %");
}

namespace {
// The basic page's rows as recorded: rows 20 apart, the frame around the first three, two rows below it.
RecordedLayout Recorded() {
    return {{{1008, {100, 20, 200, 32}},
             {1011, {100, 40, 200, 52}},
             {1022, {100, 60, 200, 72}},
             {1032, {100, 100, 200, 112}},
             {1018, {100, 130, 160, 142}}},
            {{1006, {5, 5, 250, 80}},
             {1009, {10, 20, 90, 30}},
             {1010, {10, 40, 90, 50}},
             {1016, {10, 60, 90, 70}},
             {1098, {10, 100, 90, 110}}},
            {{1136, {170, 130, 200, 144}}}};
}
const Placement& Find(const std::vector<Placement>& all, int id) {
    for (const Placement& p : all)
        if (p.id == id)
            return p;
    throw std::out_of_range("no control");
}
} // namespace

TEST(RowLayout, OneRowHiddenTheRestCloseUpAndNothingDrifts) {
    const RecordedLayout recorded = Recorded();
    const auto plain = ArrangeRowsLayout(recorded, FeaturesOf(L"Korvale LX-410"));
    EXPECT_TRUE(Find(plain, 1008).visible && Find(plain, 1008).enabled);
    EXPECT_FALSE(Find(plain, 1022).visible || Find(plain, 1022).enabled);
    EXPECT_EQ(Find(plain, 1011).rect.top, 40);
    EXPECT_EQ(Find(plain, 1032).rect.top, 80);
    EXPECT_EQ(Find(plain, 1006).rect.bottom, 60);
    EXPECT_EQ(Find(plain, 1136).rect.top, 110);

    const auto wireless = ArrangeRowsLayout(recorded, FeaturesOf(L"Korvale LX-450W"));
    EXPECT_FALSE(Find(wireless, 1008).visible || Find(wireless, 1009).visible);
    EXPECT_TRUE(Find(wireless, 1022).visible && Find(wireless, 1016).enabled);
    EXPECT_EQ(Find(wireless, 1011).rect.top, 20);
    EXPECT_EQ(Find(wireless, 1022).rect.top, 40);
    EXPECT_EQ(Find(wireless, 1006).rect.bottom, 60);
    EXPECT_EQ(Find(wireless, 1006).rect.top, 5);
    // Computed from the recorded rectangles every time: the same answer however often it is asked.
    EXPECT_EQ(ArrangeRowsLayout(recorded, FeaturesOf(L"Korvale LX-410")).size(), plain.size());
    for (const Placement& p : ArrangeRowsLayout(recorded, FeaturesOf(L"Korvale LX-410")))
        EXPECT_TRUE(p.rect == Find(plain, p.id).rect);
}

TEST(SplitButtonGeometry, NinetySixDpiFiguresExactlyAndScaledAbove) {
    const Rect item{0, 0, 93, 23};
    const SplitButtonGeometry themed = ComputeSplitButton(item, true, false, 96);
    EXPECT_EQ(themed.separator.x1, 77);
    EXPECT_EQ(themed.separator.y1, 4);
    EXPECT_EQ(themed.separator.y2, 19);
    EXPECT_EQ(themed.arrow[0].x1, 81);
    EXPECT_EQ(themed.arrow[0].x2 - themed.arrow[0].x1, 5);
    EXPECT_EQ(themed.arrow[2].x2 - themed.arrow[2].x1, 1);
    EXPECT_TRUE(IsFaceClick(76, 93, 96));
    EXPECT_FALSE(IsFaceClick(77, 93, 96));
    EXPECT_FALSE(IsFaceClick(76, 93, 144));
    EXPECT_EQ(ArrowStripWidth(144), 24);
}

TEST(SplitButtonGeometry, At144DpiEveryPartScalesAndTheArrowStaysAWholeTriangle) {
    const Rect item{0, 0, 140, 35};
    const SplitButtonGeometry g = ComputeSplitButton(item, true, false, 144);
    EXPECT_TRUE(IsFaceClick(115, 140, 144));
    EXPECT_FALSE(IsFaceClick(116, 140, 144));
    EXPECT_EQ(g.separator.x1, 116);
    EXPECT_EQ(g.separatorWidth, 2);
    EXPECT_EQ(g.separator.y1, 6);
    EXPECT_EQ(g.separator.y2, 29);
    // 5 pixels wide at 96 is 8 at 144, made odd so that the rows end in one pixel: 9, 7, 5, 3, 1, no gaps.
    ASSERT_EQ(g.arrow.size(), 5u);
    for (size_t row = 0; row < g.arrow.size(); ++row) {
        EXPECT_EQ(g.arrow[row].x2 - g.arrow[row].x1, static_cast<int>(9 - 2 * row));
        EXPECT_EQ(g.arrow[row].x1, 140 - 18 + static_cast<int>(row));
        EXPECT_EQ(g.arrow[row].y1, 17 - 2 + static_cast<int>(row));
    }
    EXPECT_EQ(g.focus.left, 6);
    EXPECT_EQ(g.focus.bottom, 29);
    EXPECT_EQ(g.text.right, 140 - 18);
    // The classic face moves by a scaled pixel.
    const SplitButtonGeometry pressed = ComputeSplitButton(item, false, true, 144);
    EXPECT_EQ(pressed.arrow[0].x1, 140 - 18 + 2 + 2);
}
