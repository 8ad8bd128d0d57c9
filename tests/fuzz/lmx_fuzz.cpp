// Fuzz target: the media-table stand-in's text parser on arbitrary text.
#include "caps/records.h"
#include "stubs/lxmedia/lmx_file.h"
#include "tests/fuzz/fuzz_target.h"

#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lxmedia::MediaData media;
    lxmedia::ParseError error;
    if (lxmedia::ParseMediaFile(text, media, error)) {
        size_t sections = 0;
        for (size_t at = text.find("[media]"); at != std::string_view::npos;
             at = text.find("[media]", at + 1))
            ++sections;
        if (media.records.size() % caps::media_record::kSize != 0 || media.count() > sections)
            FuzzFault("records that no section accounts for");
    } else if (error.message.empty() || error.line < 0) {
        FuzzFault("a refusal without a reason");
    }
    return 0;
}

std::vector<std::vector<uint8_t>> FuzzSeeds() {
    std::vector<std::vector<uint8_t>> seeds;
#ifdef LX_SOURCE_DIR
    std::ifstream in(std::string(LX_SOURCE_DIR) + "/stubs/lxmedia/LXMEDIA.lmx", std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
#endif
    const std::string small =
        "[device]\ncode = 0x41 0x30\nresolution = 180 180\n\n[media]\nname = 12 mm\n"
        "kind = 5\nwidth_tenths = 120\nmargin_dots = 3 14\nedges = -1 0 1 2\nflags = preset\n";
    seeds.emplace_back(small.begin(), small.end());
    return seeds;
}
