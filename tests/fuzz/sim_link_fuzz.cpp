// Fuzz target: the simulator link's request parser and address parser on arbitrary bytes.
#include "sim/link.h"
#include "tests/fuzz/fuzz_target.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> in(data, data + size);
    simlink::Request request;
    const simlink::ParseResult result = simlink::ParseRequest(in, request);
    if (result == simlink::ParseResult::kComplete) {
        // A complete request is exactly what encoding it gives back, and every shorter prefix is incomplete.
        std::vector<uint8_t> again;
        if (!simlink::EncodeRequest(request.op, request.portName, request.count, request.timeoutMs,
                                    request.data.data(), again) ||
            again != in)
            FuzzFault("a parsed request does not encode to its bytes");
        simlink::Request partial;
        for (size_t n = 0; n < size; n += 1 + n / 8)
            if (simlink::ParseRequest(std::vector<uint8_t>(data, data + n), partial) !=
                simlink::ParseResult::kIncomplete)
                FuzzFault("a prefix of a request is not incomplete");
        if (request.count > simlink::kMaxCount)
            FuzzFault("count above the limit");
    }
    simlink::Address address;
    if (simlink::ParseAddress(std::string(data, data + size), address)) {
        simlink::Address again;
        if ((address.ipv4 >> 24) != 127 || address.port == 0 ||
            !simlink::ParseAddress(simlink::FormatAddress(address), again) || again.ipv4 != address.ipv4 ||
            again.port != address.port)
            FuzzFault("an accepted address is not a loopback address that formats back");
    }
    return 0;
}

std::vector<std::vector<uint8_t>> FuzzSeeds() {
    std::vector<std::vector<uint8_t>> seeds;
    const uint8_t bytes[] = {0x1B, 0x40, 0x1B, 0x69, 0x53};
    std::vector<uint8_t> request;
    simlink::EncodeRequest(simlink::kOpWrite, "USB001", 5, 500, bytes, request);
    seeds.push_back(request);
    simlink::EncodeRequest(simlink::kOpRead, "USB002", 32, 60000, nullptr, request);
    seeds.push_back(request);
    for (const char* text : {"127.0.0.1:9100", "localhost:1", "127.255.0.3:65535"})
        seeds.emplace_back(text, text + std::char_traits<char>::length(text));
    return seeds;
}
