// The media stand-in's data file: the shipped file parses, and mistakes name their line.
#include "stubs/lxmedia/lmx_file.h"
#include "caps/records.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(LX_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(MediaFile, ShippedFileDescribesA180DpiTapePrinter) {
    lxmedia::MediaData data;
    lxmedia::ParseError error;
    ASSERT_TRUE(lxmedia::ParseMediaFile(ReadSource("stubs/lxmedia/LXMEDIA.lmx"), data, error))
        << error.line << ": " << error.message;
    EXPECT_GE(data.count(), 10u);
    EXPECT_EQ(caps::LoadU16(data.device.data() + caps::device_info::kResolutionX), 180);
    EXPECT_EQ(caps::LoadU16(data.device.data() + caps::device_info::kResolutionY), 180);
}

TEST(MediaFile, FieldsLandAtTheirOffsets) {
    const char* text = "[device]\ncode = 0x12 0x34\nresolution = 180 360\n"
                       "[media]\nname = Tape ä\nkind = 139\nid = -2\nedges = 1 -2 3 -4\nflags = swap 0x100\n"
                       "margin_dots = 5 6\n";
    lxmedia::MediaData data;
    lxmedia::ParseError error;
    ASSERT_TRUE(lxmedia::ParseMediaFile(text, data, error)) << error.message;
    ASSERT_EQ(data.count(), 1u);
    const std::uint8_t* r = data.records.data();
    namespace mr = caps::media_record;
    EXPECT_EQ(data.device[0], 0x12);
    EXPECT_EQ(data.device[1], 0x34);
    EXPECT_EQ(caps::LoadU16(data.device.data() + caps::device_info::kResolutionY), 360);
    EXPECT_EQ(caps::LoadU16(r + 10), 0xE4); // the sixth character, decoded from UTF-8
    EXPECT_EQ(caps::LoadU16(r + 12), 0);
    EXPECT_EQ(caps::LoadU16(r + mr::kKind), 139);
    EXPECT_EQ(caps::LoadI16(r + mr::kId), -2);
    EXPECT_EQ(caps::LoadI16(r + mr::kEdge1 + 6), -4);
    EXPECT_EQ(caps::LoadU32(r + mr::kFlags), mr::kFlagSwap | 0x100u);
    EXPECT_EQ(caps::LoadU16(r + mr::kWidthMargin), 5);
    EXPECT_EQ(caps::LoadU16(r + mr::kLengthMargin), 6);
}

TEST(MediaFile, MistakesNameTheirLine) {
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"[device]\n[media]\nwidht_dots = 3\n", 3},
        {"[device]\n[media]\nid = 70000\n", 3},
        {"[device]\n[media]\nedges = 1 2 3\n", 3},
        {"[device]\n[media]\nname = 0123456789012345678901234567890123\n", 3},
        {"[device]\n[media]\nflags = sideways\n", 3},
        {"[device]\n[media]\nname = bad \xC0\x80 zero\n", 3},
        {"id = 1\n", 1},
        {"[device]\n", 1},
        {"[media]\nid = 1\n", 2},
    };
    for (const Case& c : cases) {
        lxmedia::MediaData data;
        lxmedia::ParseError error;
        EXPECT_FALSE(lxmedia::ParseMediaFile(c.text, data, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text << " -> " << error.message;
    }
}

} // namespace
