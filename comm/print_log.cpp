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

size_t PieceSize(uint16_t piece, uint32_t records, const Layout& layout) {
    return kPieceHead + (piece == 0 ? kHeaderPayload : records * layout.recordSize) + kPieceTrailer;
}

bool DecodeHeader(const uint8_t* piece, size_t size, Layout& layout) {
    if (!PieceIsSound(piece, size, kHeaderKind, 0, kHeaderPayload))
        return false;
    const uint8_t* p = piece + kPieceHead;
    layout.recordSize = Get16(p + 2);
    layout.recordsPerPiece = Get16(p + 4);
    layout.count = Get32(p + 8);
    // A newer printer may keep more in a record; ours are its first bytes. Every piece is read in one read.
    return Get16(p) >= kFormatVersion && layout.recordSize >= kRecordSize && layout.recordsPerPiece >= 1 &&
           kPieceHead + static_cast<size_t>(layout.recordSize) * layout.recordsPerPiece + kPieceTrailer <=
               kPortStagingSize &&
           layout.count <= kMaxRecords;
}

bool DecodeRecords(const uint8_t* piece, size_t size, uint16_t number, uint32_t expected,
                   std::vector<Record>& records, const Layout& layout) {
    if (number == 0 || expected == 0 || expected > layout.recordsPerPiece ||
        layout.recordSize < kRecordSize ||
        !PieceIsSound(piece, size, kRecordsKind, number, expected * layout.recordSize))
        return false;
    const size_t before = records.size();
    for (uint32_t i = 0; i < expected; ++i) {
        const uint8_t* p = piece + kPieceHead + i * layout.recordSize;
        Record r;
        r.sequence = Get32(p);
        r.time = Get32(p + 4);
        r.labels = Get32(p + 8);
        r.mediaWidth = Get16(p + 12);
        r.mediaLength = Get16(p + 14);
        r.templateNumber = Get16(p + 16);
        r.status = Get16(p + 18);
        // One job, one number: a gap or a step back means pieces from different states of the log.
        if (!records.empty() && r.sequence != records.back().sequence + 1) {
            records.resize(before);
            return false;
        }
        records.push_back(r);
    }
    return true;
}

ReadResult ReadPrintLog(const std::shared_ptr<CPort>& port, IClock& clock, std::vector<Record>& records) {
    records.clear();
    if (!port)
        return ReadResult::kTransferFailed;
    // A piece is at most 260 bytes: one read of the port's staging buffer each.
    uint8_t piece[kPortStagingSize];
    auto ask = [&](uint16_t first, uint32_t count) {
        const auto request = PieceRequest(first, static_cast<uint8_t>(count));
        return port->Write(request.data(), static_cast<uint32_t>(request.size())) != kPortFalse;
    };
    auto read = [&](size_t size) { return port->Read(piece, static_cast<uint32_t>(size)) != kPortFalse; };
    auto fail = [&](ReadResult result) {
        records.clear();
        records.shrink_to_fit();
        return result;
    };
    Layout layout;
    bool header = false;
    ReadResult headerResult = ReadResult::kTransferFailed;
    for (int tries = 0; tries < kRunTries && !header; ++tries) {
        if (!ask(0, 1) || !read(PieceSize(0, 0)))
            headerResult = ReadResult::kTransferFailed;
        else if (!(header = DecodeHeader(piece, PieceSize(0, 0), layout)))
            headerResult = ReadResult::kCorrupt;
    }
    if (!header)
        return fail(headerResult);
    const uint32_t start = clock.TickCount();
    const uint32_t allowed = kTransferBaseMs + kTransferPerRecordMs * layout.count;
    // The claim only bounds the loop; the records grow as pieces arrive.
    const uint32_t pieces = (layout.count + layout.recordsPerPiece - 1) / layout.recordsPerPiece;
    auto expectedIn = [&](uint32_t n) {
        return n < pieces ? layout.recordsPerPiece : layout.count - (pieces - 1) * layout.recordsPerPiece;
    };
    int tries = 0;
    for (uint32_t first = 1; first <= pieces;) {
        const uint32_t run = std::min(kPiecesPerRequest, pieces - first + 1);
        ReadResult failure = ReadResult::kOk;
        uint32_t n = first;
        if (!ask(static_cast<uint16_t>(first), run)) {
            failure = ReadResult::kTransferFailed;
        } else {
            for (; n < first + run; ++n) {
                if (clock.TickCount() - start > allowed)
                    return fail(ReadResult::kTransferFailed);
                const size_t size = PieceSize(static_cast<uint16_t>(n), expectedIn(n), layout);
                if (!read(size)) {
                    failure = ReadResult::kTransferFailed;
                    break;
                }
                if (!DecodeRecords(piece, size, static_cast<uint16_t>(n), expectedIn(n), records, layout)) {
                    failure = ReadResult::kCorrupt;
                    // The rest of the run is on its way: taken off the line so the run asked again starts
                    // clean.
                    for (uint32_t rest = n + 1; rest < first + run; ++rest)
                        if (!read(PieceSize(static_cast<uint16_t>(rest), expectedIn(rest), layout)))
                            break;
                    break;
                }
            }
        }
        if (failure == ReadResult::kOk) {
            first += run;
            tries = 0;
            continue;
        }
        if (++tries >= kRunTries || clock.TickCount() - start > allowed)
            return fail(failure);
        first = n; // the run again, from the piece that failed
    }
    return ReadResult::kOk;
}

} // namespace printlog
