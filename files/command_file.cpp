// The command file's header.
#include "files/command_file.h"

#include <cstring>

bool BuildCommandFileHeader(uint32_t totalLength, int32_t seriesCode, int32_t modelCode, uint8_t* buffer,
                            uint32_t* length) {
    if (totalLength == 0 || modelCode == 0 || !buffer || !length)
        return false;
    uint8_t header[kCommandFileHeaderSize] = {0x1B, 0x69, 0x55, 0x4F, 0x10};
    header[5] = static_cast<uint8_t>(seriesCode & 0xFF);
    header[6] = static_cast<uint8_t>(modelCode & 0xFF);
    header[7] = 0x00;
    for (int i = 0; i < 4; ++i)
        header[8 + i] = static_cast<uint8_t>(totalLength >> (8 * i));
    std::memcpy(buffer, header, kCommandFileHeaderSize);
    *length = kCommandFileHeaderSize;
    return true;
}
