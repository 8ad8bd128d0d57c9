// IEEE 1284 device ids: length, pairs, the two keys the console shows.
#include "ctl/device_id.h"

#include <algorithm>

namespace ctl {
namespace {

constexpr size_t kLongestId = 1024;
constexpr size_t kLongestValue = 64;

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Printable ASCII only, at most 64 characters: anything else becomes '?'.
std::string Clean(const std::string& value) {
    std::string out;
    for (char c : Trim(value)) {
        if (out.size() == kLongestValue)
            break;
        out += c >= ' ' && c <= '~' ? c : '?';
    }
    return out;
}

} // namespace

bool ParseDeviceId(const uint8_t* bytes, size_t size, DeviceId& id) {
    id = {};
    if (!bytes || size < 2)
        return false;
    // The length counts its own two bytes; one that claims more than arrived is cut to what arrived.
    const size_t claimed = (static_cast<size_t>(bytes[0]) << 8) | bytes[1];
    const size_t end = std::min({claimed >= 2 ? claimed : size, size, kLongestId + 2});
    std::string text(reinterpret_cast<const char*>(bytes) + 2, end - 2);
    text = text.substr(0, text.find('\0'));
    for (size_t start = 0; start < text.size();) {
        size_t stop = text.find(';', start);
        if (stop == std::string::npos)
            stop = text.size();
        const std::string pair = text.substr(start, stop - start);
        start = stop + 1;
        const size_t colon = pair.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string key = Upper(Trim(pair.substr(0, colon)));
        const std::string value = Clean(pair.substr(colon + 1));
        if ((key == "MANUFACTURER" || key == "MFG") && id.manufacturer.empty())
            id.manufacturer = value;
        else if ((key == "MODEL" || key == "MDL") && id.model.empty())
            id.model = value;
    }
    return !id.manufacturer.empty() || !id.model.empty();
}

} // namespace ctl
