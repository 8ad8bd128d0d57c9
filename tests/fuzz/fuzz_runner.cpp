// Runs a fuzz target without libFuzzer: given input files, then random mutations of the target's seeds.
#include "tests/fuzz/fuzz_target.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

using Input = std::vector<std::uint8_t>;
constexpr std::size_t kMaxInput = 64 * 1024;

Input Mutate(const std::vector<Input>& seeds, std::mt19937& rng) {
    auto pick = [&rng](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
    Input input = seeds.empty() ? Input() : seeds[pick(seeds.size())];
    for (int k = 1 + static_cast<int>(pick(8)); k > 0; --k) {
        const std::size_t at = pick(input.size() + 1);
        switch (pick(7)) {
        case 0: // flip a bit
            if (!input.empty())
                input[pick(input.size())] ^= static_cast<std::uint8_t>(1u << pick(8));
            break;
        case 1: // an interesting byte
            if (!input.empty()) {
                const std::uint8_t values[] = {0, 1, 0x1B, 0x7F, 0x80, 0xFE, 0xFF};
                input[pick(input.size())] = values[pick(sizeof values)];
            }
            break;
        case 2: // random bytes in
            for (std::size_t n = 1 + pick(16); n > 0; --n)
                input.insert(input.begin() + static_cast<long>(at), static_cast<std::uint8_t>(rng()));
            break;
        case 3: // a range out
            input.erase(input.begin() + static_cast<long>(at),
                        input.begin() + static_cast<long>(at + pick(input.size() - at + 1)));
            break;
        case 4: { // a range repeated
            const Input copy(
                input.begin() + static_cast<long>(at),
                input.begin() +
                    static_cast<long>(at + pick(std::min<std::size_t>(64, input.size() - at) + 1)));
            input.insert(input.begin() + static_cast<long>(at), copy.begin(), copy.end());
            break;
        }
        case 5: // cut short
            input.resize(at);
            break;
        default: // the tail of another seed
            if (!seeds.empty()) {
                const Input& other = seeds[pick(seeds.size())];
                const std::size_t from = pick(other.size() + 1);
                input.resize(at);
                input.insert(input.end(), other.begin() + static_cast<long>(from), other.end());
            }
            break;
        }
        if (input.size() > kMaxInput)
            input.resize(kMaxInput);
    }
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
        } else if (!std::strcmp(argv[i], "--write-seeds") && i + 1 < argc) {
            // Starts a libFuzzer corpus: one file per seed.
            const std::string dir = argv[++i];
            int n = 0;
            for (const Input& s : FuzzSeeds())
                std::ofstream(dir + "/seed-" + std::to_string(n++), std::ios::binary)
                    .write(reinterpret_cast<const char*>(s.data()), static_cast<std::streamsize>(s.size()));
            return 0;
        } else {
            std::ifstream in(argv[i], std::ios::binary);
            const Input data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(data.data(), data.size());
            ++files;
        }
    }
    const std::vector<Input> seeds = FuzzSeeds();
    for (const Input& s : seeds)
        LLVMFuzzerTestOneInput(s.data(), s.size());
    std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
    for (unsigned long i = 0; i < iterations; ++i) {
        const Input input = Mutate(seeds, rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%s: %d file(s), %zu seed(s), %lu mutation(s), no fault\n", argv[0], files, seeds.size(),
                iterations);
    return 0;
}
