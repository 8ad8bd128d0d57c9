// Wine tests: point lxportio at the simulator fixture and read what its printers report about themselves.
#pragma once

#include "tests/support/usb_devices_win.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace simfixture {

// The fixture's folder (a Linux path, LX_SIM_DIR or the build's) as Wine sees it through drive Z:.
inline std::string Folder() {
    const char* dir = std::getenv("LX_SIM_DIR");
#ifdef LX_SIM_FIXTURE_DIR
    if (!dir || !*dir)
        dir = LX_SIM_FIXTURE_DIR;
#endif
    if (!dir || !*dir)
        return {};
    std::string path = std::string("Z:") + dir;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// True in a run over the USB printer class (LX_TRANSPORT=usb).
inline bool OverUsb() {
    const char* transport = std::getenv("LX_TRANSPORT");
    return transport && std::string(transport) == "usb";
}

// Sets LXPORTIO_SIMULATOR for this process from the address the fixture's simulator serves; false without
// one. With LX_TRANSPORT=usb the same printers are reached as USB printer-class devices instead: no simulator
// is configured, and the fixture's bridged devices are registered (tests/support/usb_bridge.py).
inline bool Connect() {
    if (OverUsb()) {
        ::SetEnvironmentVariableA("LXPORTIO_SIMULATOR", nullptr);
        return usbdev::RegisterBridged(Folder() + "\\..\\usb-bridge");
    }
    std::ifstream in(Folder() + "\\address");
    std::string address;
    if (!(in >> address))
        return false;
    return ::SetEnvironmentVariableA("LXPORTIO_SIMULATOR", address.c_str()) != FALSE;
}

// The simulator's printer behind a port: over the USB printer class the bridge reaches a printer of its own
// ("B" and the port), so that a bridged run and a run over the link never share a printer's answers.
inline std::string SimPort(const std::string& port) {
    return OverUsb() ? "B" + port : port;
}

// The state the simulator dumped after its last exchange, for one port: "key" -> "value".
inline std::map<std::string, std::string> State(const std::string& port) {
    std::ifstream in(Folder() + "\\state");
    std::map<std::string, std::string> values;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + SimPort(port) + "]";
            continue;
        }
        const size_t eq = line.find('=');
        if (inSection && eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

// Everything the simulator logged so far.
inline std::string LogText() {
    std::ifstream in(Folder() + "\\log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One port's transfers in the wire log from byte `from` of the file on: "> bytes" for what the printer took,
// "< N" for an answer of N bytes.
inline std::vector<std::string> WireSince(const std::string& port, size_t from) {
    std::ifstream in(Folder() + "\\wire", std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::vector<std::string> transfers;
    std::string line;
    const std::string prefix = SimPort(port) + " ";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0)
            continue;
        const size_t mark = line.find_first_of("<>", prefix.size());
        if (mark == std::string::npos)
            continue;
        const std::string bytes = line.size() > mark + 2 ? line.substr(mark + 2) : std::string();
        transfers.push_back(line[mark] == '>' ? "> " + bytes : "< " + std::to_string((bytes.size() + 1) / 3));
    }
    return transfers;
}

inline size_t WireSize() {
    std::ifstream in(Folder() + "\\wire", std::ios::binary | std::ios::ate);
    return in ? static_cast<size_t>(in.tellg()) : 0;
}

inline int StateValue(const std::string& port, const std::string& key) {
    auto values = State(port);
    auto it = values.find(key);
    return it == values.end() ? -1 : std::atoi(it->second.c_str());
}

} // namespace simfixture

// Real time, but pauses shortened by a factor while the tick counter still moves by the full pause.
class FastClock : public IClock {
public:
    explicit FastClock(uint32_t factor) : factor_(factor) {}
    uint32_t TickCount() override { return ::GetTickCount() + skipped_; }
    void Sleep(uint32_t ms) override {
        ::Sleep(ms / factor_);
        skipped_ += ms - ms / factor_;
    }

private:
    uint32_t factor_;
    uint32_t skipped_ = 0;
};
