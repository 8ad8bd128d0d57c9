// The IEEE 1284 device id a USB printer reports: who made it and which model it is, read defensively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ctl {

struct DeviceId {
    std::string manufacturer, model;
};

// The id as IOCTL_USBPRINT_GET_1284_ID returns it: a two-byte big-endian length that counts itself, then
// "KEY:value;" pairs (MANUFACTURER or MFG, MODEL or MDL; keys in any letter case, blanks around them
// ignored). Device input: a length beyond the bytes, no terminator, no keys, odd separators and control
// characters are all taken in stride; values are cut to 64 printable characters. False when neither key is
// there.
bool ParseDeviceId(const uint8_t* bytes, size_t size, DeviceId& id);

} // namespace ctl
