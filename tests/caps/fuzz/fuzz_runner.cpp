// Runs the fuzz target without libFuzzer: given inputs (files), then seeded, structured random inputs.
#include "tests/support/record_builder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A plausible input: a claimed count near the real one, a device block, records with random fields.
std::vector<std::uint8_t> Generate(std::mt19937& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int records = pick(12);
    std::vector<std::uint8_t> input(6, 0);
    std::uint32_t claimed = static_cast<std::uint32_t>(records);
    switch (pick(8)) {
    case 0:
        claimed += 1;
        break;
    case 1:
        claimed = rng();
        break;
    case 2:
        claimed = 0x10000u + static_cast<std::uint32_t>(records);
        break;
    default:
        break;
    }
    caps::StoreU32(input.data(), claimed);
    input[4] = static_cast<std::uint8_t>(rng());
    input[5] = static_cast<std::uint8_t>(rng());
    caps_test::Device d;
    const std::uint16_t resolutions[] = {0, 1, 180, 300, 360, 0x7FFF, 0x8000, 0xFFFF};
    d.resolutionX = resolutions[pick(8)];
    d.resolutionY = resolutions[pick(8)];
    d.defaultLengthDots = static_cast<std::int16_t>(rng());
    d.defaultLengthTenths = static_cast<std::int16_t>(rng());
    auto block = caps_test::DeviceBlock(d);
    input.insert(input.end(), block.begin(), block.end());
    const std::uint16_t kinds[] = {5, 8, 11, 17, 18, 75, 138, 139, 0, 0xFFFF};
    for (int i = 0; i < records; ++i) {
        caps_test::Medium m;
        m.kind = kinds[pick(10)];
        m.name =
            std::u16string(static_cast<std::size_t>(pick(33)), static_cast<char16_t>(1 + rng() % 0xFFFE));
        m.name2 = std::u16string(static_cast<std::size_t>(pick(33)), u'n');
        auto r = caps_test::Record(m);
        // Then scribble over random fields, including the ones with defaults and signs.
        for (int k = pick(40); k > 0; --k)
            r[static_cast<std::size_t>(pick(static_cast<int>(r.size())))] = static_cast<std::uint8_t>(rng());
        input.insert(input.end(), r.begin(), r.end());
    }
    for (int k = pick(3); k > 0; --k)
        input.push_back(static_cast<std::uint8_t>(rng())); // a ragged tail
    return input;
}

} // namespace

int main(int argc, char** argv) {
    unsigned long iterations = 2000;
    unsigned long seed = 1;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--iterations") && i + 1 < argc) {
            iterations = std::strtoul(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            seed = std::strtoul(argv[++i], nullptr, 10);
        } else {
            std::ifstream in(argv[i], std::ios::binary);
            std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(data.data(), data.size());
            ++files;
        }
    }
    std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
    for (unsigned long i = 0; i < iterations; ++i) {
        std::vector<std::uint8_t> input = Generate(rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("caps fuzz runner: %d file(s), %lu generated input(s), no fault\n", files, iterations);
    return 0;
}
