// The simulator link, shared by lxportio and lxsim: one request and one answer per loopback connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace simlink {

// Request: op, name length, name, count (LE32), time-out in ms (LE32), then for a write the count bytes.
// Answer: bytes moved (LE32, 0..count), then for a read that many bytes.
constexpr uint8_t kOpWrite = 'W';
constexpr uint8_t kOpRead = 'R';
constexpr size_t kMaxPortName = 255;
// Neither side moves more than this in one call; the printer never needs more than a few dozen bytes.
constexpr uint32_t kMaxCount = 64 * 1024;
constexpr size_t kHeaderFixed = 1 + 1 + 4 + 4; // op, name length, count, time-out
constexpr const char* kAddressVariable = "LXPORTIO_SIMULATOR";

struct Address {
    uint32_t ipv4 = 0; // host order, always in 127.0.0.0/8
    uint16_t port = 0;
};

// "host:port" with a loopback host (127.x.y.z or localhost) and a port 1..65535; anything else is refused.
bool ParseAddress(const std::string& text, Address& address);
std::string FormatAddress(const Address& address);

void PutU32(std::vector<uint8_t>& out, uint32_t value);
uint32_t GetU32(const uint8_t* in);

// False when the name is too long to send or the count is out of range.
bool EncodeRequest(uint8_t op, const std::string& portName, uint32_t count, uint32_t timeoutMs,
                   const uint8_t* data, std::vector<uint8_t>& out);

struct Request {
    uint8_t op = 0;
    std::string portName;
    uint32_t count = 0;
    uint32_t timeoutMs = 0;
    std::vector<uint8_t> data;
};

enum class ParseResult { kIncomplete, kComplete, kMalformed };
// Parses a request from the bytes received so far.
ParseResult ParseRequest(const std::vector<uint8_t>& in, Request& request);

} // namespace simlink
