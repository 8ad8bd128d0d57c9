// Reads the printer's print log through a port, piece by piece, and checks every piece before trusting it.
#pragma once

#include "comm/port/port.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace printlog {

// One finished print job.
struct Record {
    uint32_t sequence = 0;
    uint32_t time = 0;           // seconds since 1970-01-01 00:00 UTC
    uint32_t labels = 0;         // labels printed
    uint16_t mediaWidth = 0;     // 0.1 mm
    uint16_t mediaLength = 0;    // 0.1 mm; 0 for continuous media
    uint16_t templateNumber = 0; // 0 when no template was used
    uint16_t status = 0;
    bool operator==(const Record& o) const {
        return sequence == o.sequence && time == o.time && labels == o.labels && mediaWidth == o.mediaWidth &&
               mediaLength == o.mediaLength && templateNumber == o.templateNumber && status == o.status;
    }
};

// The piece layout; every number is little-endian.
constexpr size_t kPieceHead = 6;    // 'L', kind, piece number (16), payload length (16)
constexpr size_t kPieceTrailer = 4; // CRC-32 of head and payload
constexpr size_t kHeaderPayload = 12;
constexpr size_t kRecordSize = 20;
constexpr uint32_t kRecordsPerPiece = 12;
// Pieces asked for in one request: as many as the printer's 4 KiB output buffer holds.
constexpr uint32_t kPiecesPerRequest = 16;
// A printer keeps at most this many records; a larger claim is corrupt.
constexpr uint32_t kMaxRecords = 100000;
// Time stamps outside [2000-01-01, 2100-01-01) UTC cannot come from a working printer clock.
constexpr uint32_t kEarliestTime = 946684800;
constexpr uint32_t kLatestTime = 4102444800u;

enum class ReadResult { kOk, kTransferFailed, kCorrupt };

// ESC i X g 1, the first piece's number and how many pieces (1 to kPiecesPerRequest): asks for a run of
// pieces, each answered whole in turn. Piece 0 is the header, which also fixes the records the later pieces
// carry.
std::array<uint8_t, 8> PieceRequest(uint16_t first, uint8_t count);
// Bytes of a piece that carries `records` records (the header: any value; its size is fixed).
size_t PieceSize(uint16_t piece, uint32_t records);

// Checks a whole header piece and gives the record count it announces; false when it is corrupt.
bool DecodeHeader(const uint8_t* piece, size_t size, uint32_t& count);
// Checks a whole records piece that must carry `expected` records and appends them; false when it is corrupt,
// with nothing appended.
bool DecodeRecords(const uint8_t* piece, size_t size, uint16_t number, uint32_t expected,
                   std::vector<Record>& records);

// The whole log. The port must be in command mode. On anything but kOk, `records` is empty.
ReadResult ReadPrintLog(const std::shared_ptr<CPort>& port, std::vector<Record>& records);

} // namespace printlog
