// The print-log CSV file: columns, number formats and quoting, with calendar arithmetic of our own.
#include "files/print_log_csv.h"

#include <cstdio>

namespace printlog {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHeader[] =
    "Sequence,Printed at,Labels,Media width (mm),Media length (mm),Template,Status code,Status";

// Days since 1970-01-01 to year, month, day in the proleptic Gregorian calendar (H. Hinnant's algorithm).
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2);
}

// Tenths of a millimetre as millimetres with one decimal.
std::string Millimetres(uint16_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

const char* StatusText(uint16_t status) {
    switch (status) {
    case 0:
        return "Completed";
    case 1:
        return "Cancelled";
    case 2:
        return "Media end, job stopped";
    case 3:
        return "Cutter jam";
    case 4:
        return "Cover opened";
    case 5:
        return "Print head too hot, paused";
    default:
        return "Unknown";
    }
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string LocalIsoTime(uint32_t utcSeconds, int32_t offsetMinutes) {
    const int64_t local = static_cast<int64_t>(utcSeconds) + static_cast<int64_t>(offsetMinutes) * 60;
    const int64_t days = (local >= 0 ? local : local - 86399) / 86400;
    const int64_t secondOfDay = local - days * 86400;
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    const unsigned offset = static_cast<unsigned>(offsetMinutes < 0 ? -offsetMinutes : offsetMinutes);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02u:%02u:%02u%c%02u:%02u",
                  static_cast<long long>(year), month, day, static_cast<unsigned>(secondOfDay / 3600),
                  static_cast<unsigned>(secondOfDay / 60 % 60), static_cast<unsigned>(secondOfDay % 60),
                  offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}

bool BuildPrintLogCsv(const std::vector<Record>& records, const UtcOffsetFn& utcOffset, std::string& out) {
    out.clear();
    std::string text = std::string(kBom) + kHeader + "\r\n";
    text.reserve(text.size() + records.size() * 80);
    for (const Record& r : records) {
        // A record whose time the printer's clock cannot have made (one never set) keeps its place, without a
        // time; a time the system cannot place in local time refuses the file.
        int32_t offset = 0;
        if (HasTime(r) && (!utcOffset || !utcOffset(r.time, offset) || offset < kMinOffsetMinutes ||
                           offset > kMaxOffsetMinutes))
            return false;
        text += std::to_string(r.sequence) + "," +
                (HasTime(r) ? LocalIsoTime(r.time, offset) : std::string()) + "," + std::to_string(r.labels) +
                "," + Millimetres(r.mediaWidth) + "," +
                (r.mediaLength == 0 ? "" : Millimetres(r.mediaLength)) + "," +
                (r.templateNumber == 0 ? "" : std::to_string(r.templateNumber)) + "," +
                std::to_string(r.status) + "," + CsvField(StatusText(r.status)) + "\r\n";
    }
    out.swap(text);
    return true;
}

} // namespace printlog
