// Generates a media data file of any length in the stand-in's text format, for the benchmarks.
#pragma once

#include <cstdio>
#include <string>

namespace bench {

// A data file of `count` media in the stand-in's text format, cycling through the kinds of every group.
inline std::string MediaFile(int count) {
    std::string text = "[device]\ncode = 0x41 0x30\ndefault_length_tenths = 1000\ndefault_length_dots = 709\n"
                       "resolution = 180 180\n";
    const int kinds[] = {5, 6, 8, 11, 17, 18, 75, 138, 139};
    char record[1024];
    for (int i = 0; i < count; ++i) {
        int width = 35 + (i % 20) * 10;
        std::snprintf(
            record, sizeof record,
            "\n[media]\nname = Bench medium %d\nname2 = B-%d\nkind = %d\nid = %d\nwidth_tenths = %d\n"
            "printable_width_tenths = %d\nwidth_dots = %d\nprintable_width_dots = %d\n"
            "length_tenths = %d\nlength_dots = %d\nmargin_dots = 7 %d\nvariants = %d\nalternate_id = %d\n"
            "edges = %d 7 %d 7\nflags = %s\n",
            i, i, kinds[i % 9], 1000 + i, width, width - 20, width * 180 / 254, (width - 20) * 180 / 254,
            (i % 3) * 300, (i % 3) * 213, 10 + i % 8, i % 4, 5000 + i, i % 5, -(i % 5),
            i % 7 == 0 ? "preset swap edge" : "preset");
        text += record;
    }
    return text;
}

} // namespace bench
