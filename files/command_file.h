// The command file: the command-mode switch (printer_command::kCommandMode), a 16-byte header naming the model and the length of the commands, then the
// apply commands of the setting items, as the printer would receive them.
#pragma once

#include <cstdint>

constexpr uint32_t kCommandFileHeaderSize = 16;

// Fills the header into `buffer` (at least 16 bytes) and sets `length` to 16. False, writing nothing, when
// the total length or the model code is 0 or an output is missing.
bool BuildCommandFileHeader(uint32_t totalLength, int32_t seriesCode, int32_t modelCode, uint8_t* buffer,
                            uint32_t* length);
