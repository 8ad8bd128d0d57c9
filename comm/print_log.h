// Reads the printer's print log through a port, piece by piece, and checks every piece before trusting it.
#pragma once

#include "comm/port/clock.h"
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
    uint32_t time = 0;           // seconds since 1970-01-01 00:00 UTC; outside the clock's range when unset
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
constexpr size_t kRecordSize = 20; // the fields below; a newer printer's longer records carry more after them
constexpr uint32_t kRecordsPerPiece = 12;
// Pieces asked for in one request: as many as the printer's 4 KiB output buffer holds.
constexpr uint32_t kPiecesPerRequest = 16;
// A printer keeps at most this many records; a larger claim is corrupt.
constexpr uint32_t kMaxRecords = 100000;
// Time stamps outside [2000-01-01, 2100-01-01) UTC cannot come from a working printer clock (one never set
// gives 0): the record is kept, its time is not.
constexpr uint32_t kEarliestTime = 946684800;
constexpr uint32_t kLatestTime = 4102444800u;
inline bool HasTime(const Record& r) {
    return r.time >= kEarliestTime && r.time < kLatestTime;
}
// How often a run of pieces that failed is asked for again before the transfer gives up.
constexpr int kRunTries = 3;
// The whole transfer's bound: a printer that trickles its pieces cannot hold the reader for hours.
constexpr uint32_t kTransferBaseMs = 10000;
constexpr uint32_t kTransferPerRecordMs = 2;

enum class ReadResult { kOk, kTransferFailed, kCorrupt };

// What the header announces: the records, and how the pieces carry them.
struct Layout {
    uint32_t count = 0;
    uint16_t recordSize = kRecordSize;
    uint16_t recordsPerPiece = kRecordsPerPiece;
};

// ESC i X g 1, the first piece's number and how many pieces (1 to kPiecesPerRequest): asks for a run of
// pieces, each answered whole in turn. Piece 0 is the header, which also fixes the records the later pieces
// carry.
std::array<uint8_t, 8> PieceRequest(uint16_t first, uint8_t count);
// Bytes of a piece that carries `records` records of the layout's size (the header: its size is fixed).
size_t PieceSize(uint16_t piece, uint32_t records, const Layout& layout = {});

// Checks a whole header piece and gives the layout it announces; false when it is corrupt, or its pieces
// would not fit one read of the port.
bool DecodeHeader(const uint8_t* piece, size_t size, Layout& layout);
// Checks a whole records piece that must carry `expected` records and appends them; false when it is corrupt
// or its sequence numbers do not follow on from the last record's, with nothing appended.
bool DecodeRecords(const uint8_t* piece, size_t size, uint16_t number, uint32_t expected,
                   std::vector<Record>& records, const Layout& layout = {});

// The whole log. The port must be in command mode. A run of pieces that fails is asked for again, up to
// kRunTries times; the whole transfer ends within kTransferBaseMs plus kTransferPerRecordMs a claimed record
// on the clock. On anything but kOk, `records` is empty.
ReadResult ReadPrintLog(const std::shared_ptr<CPort>& port, IClock& clock, std::vector<Record>& records);

} // namespace printlog
