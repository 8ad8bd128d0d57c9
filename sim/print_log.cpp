// The print log's records and pieces as the printer's firmware makes them: its own encoder and checksum.
#include "sim/print_log.h"

#include <algorithm>

namespace sim {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// CRC-32 as Ethernet and zip use it (reflected polynomial 0xEDB88320), bit by bit: a printer has time.
uint32_t Crc32(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<uint8_t> Piece(uint8_t kind, uint16_t number, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> piece{'L', kind};
    Put16(piece, number);
    Put16(piece, static_cast<uint32_t>(payload.size()));
    piece.insert(piece.end(), payload.begin(), payload.end());
    Put32(piece, Crc32(piece.data(), piece.size()));
    return piece;
}

} // namespace

LogRecord SeededLogRecord(uint32_t i) {
    static const uint16_t kWidths[] = {35, 60, 90, 120, 180, 240};
    LogRecord r;
    r.sequence = 1001 + i;
    r.time = 1700000000u + i * 3607u + (i % 5) * 13u; // from November 2023, about an hour apart
    r.labels = 1 + (i * 7) % 40;
    r.width = kWidths[i % 6];
    r.length = i % 4 == 0 ? 0 : static_cast<uint16_t>(200 + (i * 37) % 800);
    r.templateNumber = i % 3 == 0 ? 0 : static_cast<uint16_t>(1 + i % 9);
    r.status = i % 17 == 5 ? 2 : i % 11 == 3 ? 1 : i % 29 == 7 ? 5 : 0;
    return r;
}

uint32_t LogRecordsPerPiece(uint32_t recordSize) {
    return recordSize <= kLogRecordSize ? kLogRecordsPerPiece : std::max<uint32_t>(1, 240 / recordSize);
}

std::vector<uint8_t> LogHeaderPiece(uint32_t count, uint32_t recordSize) {
    std::vector<uint8_t> payload;
    Put16(payload, 1); // format version
    Put16(payload, static_cast<uint16_t>(recordSize));
    Put16(payload, static_cast<uint16_t>(LogRecordsPerPiece(recordSize)));
    Put16(payload, 0);
    Put32(payload, count);
    return Piece('H', 0, payload);
}

std::vector<uint8_t> LogRecordsPiece(uint16_t piece, const LogRecord* records, size_t count,
                                     uint32_t recordSize) {
    std::vector<uint8_t> payload;
    for (size_t i = 0; i < count && i < LogRecordsPerPiece(recordSize); ++i) {
        const LogRecord& r = records[i];
        Put32(payload, r.sequence);
        Put32(payload, r.time);
        Put32(payload, r.labels);
        Put16(payload, r.width);
        Put16(payload, r.length);
        Put16(payload, r.templateNumber);
        Put16(payload, r.status);
        payload.resize(payload.size() + (recordSize > kLogRecordSize ? recordSize - kLogRecordSize : 0), 0);
    }
    return Piece('R', piece, payload);
}

} // namespace sim
