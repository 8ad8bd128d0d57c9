// Reads the media-table stand-in's text data file into a device information block and 252-byte media records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lxmedia {

struct MediaData {
    std::array<std::uint8_t, 118> device = {};
    std::vector<std::uint8_t> records; // count() records of 252 bytes
    std::size_t count() const;
};

struct ParseError {
    int line = 0;
    std::string message;
};

// Parses the text of a data file; on failure `error` names the line and the fault.
bool ParseMediaFile(std::string_view text, MediaData& out, ParseError& error);

} // namespace lxmedia
