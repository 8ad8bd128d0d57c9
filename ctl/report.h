// What a run prints for each printer: a text block for people, a JSON record for collectors.
#pragma once

#include "ctl/run.h"
#include "items/item_platform.h"

#include <string>

namespace ctl {

// A text on one line: line breaks become blanks, trailing blanks go.
std::wstring OneLine(std::wstring text);

// A value as --set takes it back: the choice's text, quoted when it holds a blank.
std::wstring SetForm(const ItemValue& value);

// A printer's result as text: a status word, the printer, model and port, the code and its message, then one
// line per value (before -> after for apply) and per difference.
std::wstring Describe(const PrinterResult& result, const std::wstring& operation, IStringSource& strings);

// A local time as the system gives it: the calendar and clock fields, and its bias (minutes west of UTC, as
// Windows keeps it: UTC = local + bias).
struct LocalTime {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    long biasMinutes = 0;
};
// ISO 8601 with the offset east of UTC: "2026-12-10T13:42:08+01:00" for a bias of -60.
std::string FormatTimestamp(const LocalTime& time);

// What every JSON record carries, so that records from many workstations merge: when and where.
struct Origin {
    std::string time;
    std::wstring computer;
};

// A printer's result as one line of JSON (UTF-8), with the same fields for every command.
std::string Json(const PrinterResult& result, const std::wstring& operation, IStringSource& strings,
                 const Origin& origin);

} // namespace ctl
