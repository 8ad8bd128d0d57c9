// Google Benchmark on the host: data file parse, table build, capability 257 and memcpy.
#include "bench/media_file_gen.h"
#include "caps/media_table.h"
#include "caps/queries.h"
#include "stubs/lxmedia/lmx_file.h"
#include "tests/support/record_builder.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kRecords = 1000;

const lxmedia::MediaData& Data() {
    static const lxmedia::MediaData data = [] {
        lxmedia::MediaData d;
        lxmedia::ParseError e;
        lxmedia::ParseMediaFile(bench::MediaFile(kRecords), d, e);
        return d;
    }();
    return data;
}

const caps::MediaTable& Table() {
    static const caps::MediaTable table = [] {
        caps::MediaTable t;
        t.BuildMediaTable(caps::ParseDeviceInfo(Data().device.data()), Data().records.data(),
                          Data().records.size(), static_cast<std::uint32_t>(Data().count()),
                          caps::ConvertNameLatin1);
        return t;
    }();
    return table;
}

void ParseDataFile(benchmark::State& state) {
    const std::string text = bench::MediaFile(kRecords);
    for (auto _ : state) {
        lxmedia::MediaData d;
        lxmedia::ParseError e;
        benchmark::DoNotOptimize(lxmedia::ParseMediaFile(text, d, e));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseDataFile)->Unit(benchmark::kMicrosecond);

void BuildTable(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state) {
        caps::MediaTable t;
        benchmark::DoNotOptimize(t.BuildMediaTable(caps::ParseDeviceInfo(d.device.data()), d.records.data(),
                                                   d.records.size(), static_cast<std::uint32_t>(d.count()),
                                                   caps::ConvertNameLatin1));
    }
}
BENCHMARK(BuildTable)->Unit(benchmark::kMicrosecond);

void Capability257(benchmark::State& state) {
    const auto dm = state.range(0) ? caps_test::Devmode(360, 360, true) : caps_test::Devmode(180, 180, false);
    std::vector<std::uint8_t> out(kRecords * sizeof(caps::MediaDescriptor));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            caps::QueryCapability(Table(), caps::capability::kMedia, out.data(), dm.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
}
BENCHMARK(Capability257)->Arg(0)->Arg(1)->ArgName("doubled_reversed");

void MemcpySameBytes(benchmark::State& state) {
    std::vector<std::uint8_t> out(kRecords * sizeof(caps::MediaDescriptor)), in(out.size(), 0x5A);
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), out.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
}
BENCHMARK(MemcpySameBytes);

} // namespace

BENCHMARK_MAIN();
