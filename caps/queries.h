// The answers to the printer driver's extended capability queries, read from a built media table.
#pragma once

#include "caps/media_table.h"

#include <cstdint>

namespace caps {

// What a DEVMODE asks of one query: doubled dots per direction and the reversed feed.
struct QueryScale {
    int xScale = 1;
    int yScale = 1;
    bool reversed = false;
};

// Reads dmPrintQuality, dmYResolution and the driver's private flags from an ANSI DEVMODE. The driver owns
// the structure; its dmSize is trusted to lead to the private part.
QueryScale ReadQueryScale(const DeviceValues& device, const std::uint8_t* devmode);

// One capability query. Only the low 16 bits of `code` count. For the list capabilities `output` (when not
// null) must hold as many records as the return value says; `devmode` may be null.
std::uint32_t QueryCapability(const MediaTable& table, std::uint32_t code, void* output, const void* devmode);

} // namespace caps
