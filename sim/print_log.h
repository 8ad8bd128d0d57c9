// The simulated printer's print log: its records, made the same on every run, and the pieces it answers with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// One finished print job, as the printer stores it.
struct LogRecord {
    uint32_t sequence = 0;
    uint32_t time = 0; // seconds since 1970-01-01 00:00 UTC
    uint32_t labels = 0;
    uint16_t width = 0;  // 0.1 mm
    uint16_t length = 0; // 0.1 mm; 0 for continuous media
    uint16_t templateNumber = 0;
    uint16_t status = 0;
};

constexpr size_t kLogRecordSize = 20;
constexpr uint32_t kLogRecordsPerPiece = 12;
// One request asks for at most this many consecutive pieces: all of them fit the output buffer at once.
constexpr uint32_t kLogPiecesPerRequest = 16;

// Record i (from 0) of a seeded log; tests recompute what the printer holds with it.
LogRecord SeededLogRecord(uint32_t i);

// Records per piece for a record size: 12 of ours; a newer printer's longer records, as many as fit 240
// bytes.
uint32_t LogRecordsPerPiece(uint32_t recordSize);
// Piece 0: the header of a log that claims `count` records of `recordSize` bytes.
std::vector<uint8_t> LogHeaderPiece(uint32_t count, uint32_t recordSize = kLogRecordSize);
// Piece `piece` (from 1): the given records, at most LogRecordsPerPiece(recordSize); each is padded with zero
// bytes to `recordSize`.
std::vector<uint8_t> LogRecordsPiece(uint16_t piece, const LogRecord* records, size_t count,
                                     uint32_t recordSize = kLogRecordSize);

} // namespace sim
