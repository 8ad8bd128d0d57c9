// Turns print-log records into the bytes of a CSV file: UTF-8 with BOM, CRLF, RFC 4180 quoting, ISO 8601
// times.
#pragma once

#include "comm/print_log.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace printlog {

// Minutes east of UTC that local time was at a UTC instant (seconds since 1970); false when unknown. The
// program passes the system's time-zone rules, tests a fixed rule.
using UtcOffsetFn = std::function<bool(uint32_t utcSeconds, int32_t& offsetMinutes)>;

// Local time zones lie within these offsets.
constexpr int32_t kMinOffsetMinutes = -12 * 60;
constexpr int32_t kMaxOffsetMinutes = 14 * 60;

// The file's bytes: byte-order mark, the header line, one line per record, each ended by CRLF. False (and
// `out` empty) when a record's time cannot be given as local time.
bool BuildPrintLogCsv(const std::vector<Record>& records, const UtcOffsetFn& utcOffset, std::string& out);

// One field, quoted when it holds a comma, a quote, CR or LF (quotes doubled inside).
std::string CsvField(std::string_view text);

// "2023-11-14T23:13:20+01:00": the local time at a UTC instant with its offset.
std::string LocalIsoTime(uint32_t utcSeconds, int32_t offsetMinutes);

// The text of a status code; an unknown code gives "Unknown".
const char* StatusText(uint16_t status);

} // namespace printlog
