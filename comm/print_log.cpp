// The print-log transfer: one request per run of pieces, one read per piece, each checked by its head and
// checksum.
#include "comm/print_log.h"

#include <algorithm>

namespace printlog {

namespace {

constexpr uint8_t kMarker = 'L';
constexpr uint8_t kHeaderKind = 'H';
constexpr uint8_t kRecordsKind = 'R';
constexpr uint16_t kFormatVersion = 1;

uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(Get16(p)) | static_cast<uint32_t>(Get16(p + 2)) << 16;
}

uint32_t Crc32(const uint8_t* p, size_t n) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// The head names this piece and the payload the caller expects, and the checksum holds.
bool PieceIsSound(const uint8_t* piece, size_t size, uint8_t kind, uint16_t number, size_t payload) {
    return size == kPieceHead + payload + kPieceTrailer && piece[0] == kMarker && piece[1] == kind &&
           Get16(piece + 2) == number && Get16(piece + 4) == payload &&
           Get32(piece + kPieceHead + payload) == Crc32(piece, kPieceHead + payload);
}

} // namespace

std::array<uint8_t, 8> PieceRequest(uint16_t first, uint8_t count) {
    return {0x1B, 0x69, 0x58, 0x67, 0x31, static_cast<uint8_t>(first), static_cast<uint8_t>(first >> 8),
            count};
}

size_t PieceSize(uint16_t piece, uint32_t records) {
    return kPieceHead + (piece == 0 ? kHeaderPayload : records * kRecordSize) + kPieceTrailer;
}

bool DecodeHeader(const uint8_t* piece, size_t size, uint32_t& count) {
    if (!PieceIsSound(piece, size, kHeaderKind, 0, kHeaderPayload))
        return false;
    const uint8_t* p = piece + kPieceHead;
    if (Get16(p) != kFormatVersion || Get16(p + 2) != kRecordSize || Get16(p + 4) != kRecordsPerPiece ||
        Get16(p + 6) != 0)
        return false;
    count = Get32(p + 8);
    return count <= kMaxRecords;
}

bool DecodeRecords(const uint8_t* piece, size_t size, uint16_t number, uint32_t expected,
                   std::vector<Record>& records) {
    if (number == 0 || expected == 0 || expected > kRecordsPerPiece ||
        !PieceIsSound(piece, size, kRecordsKind, number, expected * kRecordSize))
        return false;
    const size_t before = records.size();
    for (uint32_t i = 0; i < expected; ++i) {
        const uint8_t* p = piece + kPieceHead + i * kRecordSize;
        Record r;
        r.sequence = Get32(p);
        r.time = Get32(p + 4);
        r.labels = Get32(p + 8);
        r.mediaWidth = Get16(p + 12);
        r.mediaLength = Get16(p + 14);
        r.templateNumber = Get16(p + 16);
        r.status = Get16(p + 18);
        // Sequence numbers only grow: pieces from another state of the log do not fit together.
        const bool ordered = records.empty() || r.sequence > records.back().sequence;
        if (!ordered || r.time < kEarliestTime || r.time >= kLatestTime) {
            records.resize(before);
            return false;
        }
        records.push_back(r);
    }
    return true;
}

ReadResult ReadPrintLog(const std::shared_ptr<CPort>& port, std::vector<Record>& records) {
    records.clear();
    if (!port)
        return ReadResult::kTransferFailed;
    // A piece is at most 250 bytes: one read of the port's staging buffer each.
    uint8_t piece[kPortStagingSize];
    static_assert(kPieceHead + kRecordsPerPiece * kRecordSize + kPieceTrailer <= kPortStagingSize);
    auto ask = [&](uint16_t first, uint32_t count) {
        const auto request = PieceRequest(first, static_cast<uint8_t>(count));
        return port->Write(request.data(), static_cast<uint32_t>(request.size())) != kPortFalse;
    };
    auto read = [&](size_t size) { return port->Read(piece, static_cast<uint32_t>(size)) != kPortFalse; };
    if (!ask(0, 1) || !read(PieceSize(0, 0)))
        return ReadResult::kTransferFailed;
    uint32_t count = 0;
    if (!DecodeHeader(piece, PieceSize(0, 0), count))
        return ReadResult::kCorrupt;
    // The claim only bounds the loop; the records grow as pieces arrive.
    const uint32_t pieces = (count + kRecordsPerPiece - 1) / kRecordsPerPiece;
    ReadResult result = ReadResult::kOk;
    for (uint32_t first = 1; first <= pieces && result == ReadResult::kOk; first += kPiecesPerRequest) {
        const uint32_t run = std::min(kPiecesPerRequest, pieces - first + 1);
        if (!ask(static_cast<uint16_t>(first), run)) {
            result = ReadResult::kTransferFailed;
            break;
        }
        for (uint32_t n = first; n < first + run; ++n) {
            const uint32_t expected = n < pieces ? kRecordsPerPiece : count - (pieces - 1) * kRecordsPerPiece;
            const uint16_t number = static_cast<uint16_t>(n);
            const size_t size = PieceSize(number, expected);
            if (!read(size)) {
                result = ReadResult::kTransferFailed;
                break;
            }
            if (!DecodeRecords(piece, size, number, expected, records)) {
                result = ReadResult::kCorrupt;
                break;
            }
        }
    }
    if (result != ReadResult::kOk) {
        records.clear();
        records.shrink_to_fit();
    }
    return result;
}

} // namespace printlog
