// The text and JSON forms of a printer's result.
#include "ctl/report.h"

#include "ctl/json.h"

#include <cstdio>
#include <cstdlib>

namespace ctl {
namespace {

std::string ValueJson(const ItemValue& v) {
    return JsonObject().Add("item", v.item).Add("index", v.index).Add("text", v.text).Text();
}

std::string ValuesJson(const std::vector<ItemValue>& values) {
    std::string text = "[";
    for (const ItemValue& v : values)
        text += (text.size() > 1 ? "," : "") + ValueJson(v);
    return text + "]";
}

} // namespace

std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\n' || c == L'\r')
            c = L' ';
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text;
}

std::wstring SetForm(const ItemValue& v) {
    const bool quote = v.text.find_first_of(L" \t") != std::wstring::npos;
    return v.item + L"=" + (quote ? L"\"" + v.text + L"\"" : v.text);
}

std::wstring Describe(const PrinterResult& r, const std::wstring& operation, IStringSource& strings) {
    // A printer that differs, or could not be checked, is never shown with a success message.
    std::wstring message =
        r.status == Status::kDiffers || r.status == Status::kUnchanged || r.status == Status::kWouldChange
            ? r.note
            : OneLine(strings.LoadText(static_cast<uint32_t>(r.code)));
    if (!r.note.empty() && message != r.note)
        message += (message.empty() ? L"" : L" ") + std::wstring(L"(") + r.note + L")";
    wchar_t seconds[32];
    std::swprintf(seconds, 32, L"%.1f s", r.seconds);
    std::wstring word = r.ok                             ? L"ok"
                        : r.status == Status::kDiffers   ? L"DIFFERS"
                        : r.status == Status::kUnchecked ? L"UNCHECKED"
                                                         : L"FAILED";
    word.resize(9, L' ');
    std::wstring line = word + Printable(r.printer) + L" [" + Printable(r.model) + L", " + Printable(r.port) +
                        L"] " + operation + L": " + std::to_wstring(r.code) + L" " + message + L" (" +
                        seconds + L")\n";
    if (!r.before.empty()) {
        for (size_t i = 0; i < r.before.size() && i < r.values.size(); ++i)
            if (r.before[i].index != r.values[i].index)
                line += L"    " + r.before[i].item + L": " + r.before[i].text + L" -> " + r.values[i].text +
                        L"\n";
    } else {
        for (const ItemValue& v : r.values)
            line += L"    " + SetForm(v) + L"\n";
    }
    for (const Difference& d : r.differences)
        line += L"    differs: " + d.item + L" is " + d.actual.text + L" (#" +
                std::to_wstring(d.actual.index) + L"), the file has " + d.expected.text + L" (#" +
                std::to_wstring(d.expected.index) + L")\n";
    return line;
}

std::string FormatTimestamp(const LocalTime& t) {
    const long east = -t.biasMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02ld:%02ld", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, east < 0 ? '-' : '+', std::labs(east) / 60,
                  std::labs(east) % 60);
    return text;
}

std::string Json(const PrinterResult& r, const std::wstring& operation, IStringSource& strings,
                 const Origin& origin) {
    std::string differences = "[";
    for (const Difference& d : r.differences)
        differences += (differences.size() > 1 ? "," : "") + JsonObject()
                                                                 .Add("item", d.item)
                                                                 .AddRaw("expected", ValueJson(d.expected))
                                                                 .AddRaw("actual", ValueJson(d.actual))
                                                                 .Text();
    char seconds[32], started[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    std::snprintf(started, sizeof started, "%.3f", r.started);
    return JsonObject()
               .Add("printer", r.printer)
               .Add("model", r.model)
               .Add("port", r.port)
               .Add("operation", operation)
               .Add("status", std::wstring(StatusName(r.status)))
               .Add("code", r.code)
               .Add("message", OneLine(strings.LoadText(static_cast<uint32_t>(r.code))))
               .AddBool("ok", r.ok)
               .AddNumberText("started", started)
               .AddNumberText("seconds", seconds)
               .Add("time", origin.time)
               .Add("computer", origin.computer)
               .AddRaw("before", ValuesJson(r.before))
               .AddRaw("values", ValuesJson(r.values))
               .AddRaw("differences", differences + "]")
               .Add("note", r.note)
               .Text() +
           "\n";
}

} // namespace ctl
