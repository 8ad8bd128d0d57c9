// Encoding and checking of simulator link requests and addresses.
#include "sim/link.h"

#include <cctype>

namespace simlink {

namespace {

bool ParseDecimal(const std::string& text, uint32_t max, uint32_t& value) {
    if (text.empty() || text.size() > 5)
        return false;
    value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value <= max;
}

} // namespace

bool ParseAddress(const std::string& text, Address& address) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = text.substr(0, colon);
    uint32_t port = 0;
    if (!ParseDecimal(text.substr(colon + 1), 65535, port) || port == 0)
        return false;
    uint32_t ip = 0;
    if (host == "localhost") {
        ip = 0x7F000001;
    } else {
        size_t start = 0;
        for (int part = 0; part < 4; ++part) {
            const size_t dot = part < 3 ? host.find('.', start) : host.size();
            if (dot == std::string::npos)
                return false;
            uint32_t octet = 0;
            const std::string piece = host.substr(start, dot - start);
            if (piece.size() > 3 || !ParseDecimal(piece, 255, octet))
                return false;
            ip = (ip << 8) | octet;
            start = dot + 1;
        }
        if (start != host.size() + 1)
            return false;
    }
    // Only this machine: the link carries raw printer commands without any authentication.
    if ((ip >> 24) != 127)
        return false;
    address.ipv4 = ip;
    address.port = static_cast<uint16_t>(port);
    return true;
}

std::string FormatAddress(const Address& address) {
    return std::to_string(address.ipv4 >> 24) + "." + std::to_string((address.ipv4 >> 16) & 0xFF) + "." +
           std::to_string((address.ipv4 >> 8) & 0xFF) + "." + std::to_string(address.ipv4 & 0xFF) + ":" +
           std::to_string(address.port);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetU32(const uint8_t* in) {
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
           static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

bool EncodeRequest(uint8_t op, const std::string& portName, uint32_t count, uint32_t timeoutMs,
                   const uint8_t* data, std::vector<uint8_t>& out) {
    if (portName.size() > kMaxPortName || count > kMaxCount || (op == kOpWrite && count != 0 && !data))
        return false;
    out.clear();
    out.push_back(op);
    out.push_back(static_cast<uint8_t>(portName.size()));
    out.insert(out.end(), portName.begin(), portName.end());
    PutU32(out, count);
    PutU32(out, timeoutMs);
    if (op == kOpWrite && count != 0)
        out.insert(out.end(), data, data + count);
    return true;
}

ParseResult ParseRequest(const std::vector<uint8_t>& in, Request& request) {
    if (in.empty())
        return ParseResult::kIncomplete;
    if (in[0] != kOpWrite && in[0] != kOpRead)
        return ParseResult::kMalformed;
    if (in.size() < 2)
        return ParseResult::kIncomplete;
    const size_t nameLength = in[1];
    const size_t header = kHeaderFixed + nameLength;
    if (in.size() < header)
        return ParseResult::kIncomplete;
    const uint32_t count = GetU32(&in[2 + nameLength]);
    if (count > kMaxCount)
        return ParseResult::kMalformed;
    const size_t total = header + (in[0] == kOpWrite ? count : 0);
    if (in.size() < total)
        return ParseResult::kIncomplete;
    if (in.size() > total)
        return ParseResult::kMalformed;
    request.op = in[0];
    request.portName.assign(in.begin() + 2, in.begin() + 2 + static_cast<long>(nameLength));
    request.count = count;
    request.timeoutMs = GetU32(&in[6 + nameLength]);
    request.data.assign(in.begin() + static_cast<long>(header), in.begin() + static_cast<long>(total));
    return ParseResult::kComplete;
}

} // namespace simlink
