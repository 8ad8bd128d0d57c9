// Fuzz target: arbitrary media records and device blocks through the table builder and every query.
#include "caps/media_table.h"
#include "caps/queries.h"
#include "tests/support/record_builder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint8_t kFill = 0xA5;

[[noreturn]] void Fault(const char* what) {
    (void)what;
    std::abort();
}

bool Untouched(const std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] != kFill)
            return false;
    return true;
}

void QueryEverything(const caps::MediaTable& table, const std::vector<std::uint8_t>& dm) {
    namespace c = caps::capability;
    const std::size_t n = table.size();
    // Exactly the size the answers need: the sanitizers catch any write past them.
    std::vector<std::uint8_t> media(n * sizeof(caps::MediaDescriptor), kFill);
    std::vector<std::uint8_t> edges(n * sizeof(caps::EdgeOffsets), kFill);
    std::vector<std::uint8_t> presets(2 * sizeof(caps::MarginPresetRecord), kFill);
    if (caps::QueryCapability(table, c::kMedia, media.data(), dm.data()) != n)
        Fault("media count");
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t* d = media.data() + i * sizeof(caps::MediaDescriptor);
        if (!Untouched(d + caps::descriptor::kWritten,
                       sizeof(caps::MediaDescriptor) - caps::descriptor::kWritten))
            Fault("caller's bytes written");
        if (d[offsetof(caps::MediaDescriptor, name) + caps::kTextBytes - 1] != 0 ||
            d[offsetof(caps::MediaDescriptor, name2) + caps::kTextBytes - 1] != 0)
            Fault("name not terminated");
    }
    if (caps::QueryCapability(table, c::kEdgeOffsets, edges.data(), dm.data()) != n)
        Fault("edge count");
    if (caps::QueryCapability(table, c::kMarginPresets, presets.data(), dm.data()) != 2)
        Fault("preset count");
    // Every other code writes nothing, with or without a DEVMODE.
    std::uint8_t guard[16];
    std::memset(guard, kFill, sizeof guard);
    for (std::uint32_t code = 0; code < 0x200; ++code) {
        if (code == c::kMedia || code == c::kEdgeOffsets || code == c::kMarginPresets)
            continue;
        caps::QueryCapability(table, code, guard, dm.data());
        caps::QueryCapability(table, code | 0x10000, guard, nullptr);
    }
    if (!Untouched(guard, sizeof guard))
        Fault("a value capability wrote output");
    if (caps::QueryCapability(table, c::kMedia, media.data(), nullptr) != c::kUnsupported)
        Fault("media without DEVMODE");
}

} // namespace

// Input: 4 bytes of claimed record count, 2 bytes choosing the DEVMODE, a device block, then the records.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 6 + caps::device_info::kSize;
    std::uint8_t head[kHead] = {};
    std::memcpy(head, data, size < kHead ? size : kHead);
    const std::uint32_t claimed = caps::LoadU32(head);
    const std::uint8_t* block = head + 6;
    // The records are copied to a buffer of exactly their size so that over-reads are caught.
    std::vector<std::uint8_t> records(size > kHead ? data + kHead : data, size > kHead ? data + size : data);

    caps::MediaTable table;
    const bool built = table.BuildMediaTable(caps::ParseDeviceInfo(block), records.data(), records.size(),
                                             claimed, caps::ConvertNameLatin1);
    const bool fits = claimed != 0 && claimed <= caps::kMaxRecords && records.size() / 252 >= claimed;
    if (built != fits)
        Fault("build verdict");
    if (!built)
        return 0;
    std::size_t sum = 0;
    for (int g = 0; g < caps::kGroupCount; ++g)
        sum += static_cast<std::size_t>(table.groupCount(g));
    if (sum != claimed || table.size() != claimed)
        Fault("group counts");

    const caps::DeviceValues& d = table.device();
    const std::int16_t x = static_cast<std::int16_t>(head[4] & 1 ? 2 * d.resolutionX : d.resolutionX);
    const std::int16_t y = static_cast<std::int16_t>(head[4] & 2 ? 2 * d.resolutionY : d.resolutionY);
    const std::uint16_t dmSize = static_cast<std::uint16_t>(caps_test::kDevmodeSize + (head[5] & 0x3F));
    QueryEverything(table, caps_test::Devmode(x, y, head[4] & 4, dmSize));
    QueryEverything(table,
                    caps_test::Devmode(static_cast<std::int16_t>(caps::LoadU16(head + 4)),
                                       static_cast<std::int16_t>(caps::LoadU16(head + 2)), head[5] & 0x80));
    return 0;
}
