// lxsim: serves simulated printers on the loopback link, one per port name, logging every exchange readably.
#include "sim/engine.h"
#include "sim/link.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// clang-format off
const char kUsage[] =
    "usage: lxsim [--listen 127.0.0.1:PORT] [--printer NAME=SERIES,MODEL[,FAULT...]]...\n"
    "             [--fault NAME:FAULT]... [--restart-ms MS] [--request-ms MS] [--print-log N]\n"
    "             [--log FILE] [--wire FILE] [--state-dump FILE] [--port-file FILE]\n"
    "  PORT 0 picks a free port; --port-file receives the address actually served.\n"
    "  Without --printer: USB001=104,48 (LX-410) and USB002=104,50 (LX-450W).\n"
    "  FAULT: accept=K split=N silent series=S model=M nolatch=SETTING|all restart=MS wake=MS\n"
    "         late=MS short=N long=N garbage settle=MS status=N value=V hangup oversize stall\n"
    "         printlog=N templates=N logsilent=K loghangup=K logcorrupt=K logcut=K logclaim=N logbadtime=I\n"
    "         logflaky=K loggap=I logrepeat=I logtrickle=MS logrecordsize=N\n";
// clang-format on

// The whole request must arrive within this (--request-ms): a client that drips bytes is cut off.
constexpr uint32_t kRequestDeadlineMs = 5000;
// A read waits at most this long for answer bytes, whatever time-out it asks for; the USB I/O library gives
// up after the same time.
constexpr uint32_t kLongestWaitMs = 60000;
// Sending the answer may take this long before the client counts as gone.
constexpr int kSendTimeoutMs = 5000;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// One port's printer. Its lock covers only this printer, so bytes on one port never hold up another.
struct Printer {
    std::mutex mutex;
    std::unique_ptr<sim::PrinterEngine> engine;
};

struct Server {
    // Filled before the first connection and never changed after: looked up without a lock.
    std::map<std::string, std::unique_ptr<Printer>> printers;
    uint32_t requestDeadlineMs = kRequestDeadlineMs;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    std::mutex logMutex;
    std::FILE* log = stderr;

    std::mutex wireMutex;
    std::FILE* wire = nullptr; // every transfer's bytes, one line each

    std::mutex dumpMutex;
    std::string stateDump;
    std::map<std::string, std::string> dumps; // each printer's state after its last exchange

    uint64_t Now() const {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                .count());
    }

    void Logf(const std::string& port, const std::string& line) {
        std::lock_guard<std::mutex> lock(logMutex);
        std::fprintf(log, "%10.3f %-8s %s\n", static_cast<double>(Now()) / 1000.0, port.c_str(),
                     line.c_str());
        std::fflush(log);
    }
    // Caller holds the printer's lock.
    void FlushEngineLog(const std::string& port, Printer& printer) {
        for (const auto& line : printer.engine->TakeLog())
            Logf(port, "  " + line);
        if (!wire)
            return;
        std::lock_guard<std::mutex> lock(wireMutex);
        for (const auto& entry : printer.engine->TakeWire()) {
            std::fprintf(wire, "%s %llu %c", port.c_str(), static_cast<unsigned long long>(entry.ms),
                         entry.fromHost ? '>' : '<');
            for (uint8_t b : entry.bytes)
                std::fprintf(wire, " %02X", b);
            std::fputc('\n', wire);
        }
        std::fflush(wire);
    }
    // Caller holds the printer's lock (never the other way round). Written whole and renamed, so a reader
    // never sees half a dump.
    void DumpState(const std::string& port, const sim::PrinterEngine& engine) {
        if (stateDump.empty())
            return;
        std::string text = engine.DumpState();
        std::lock_guard<std::mutex> lock(dumpMutex);
        dumps[port] = std::move(text);
        const std::string temp = stateDump + ".tmp";
        {
            std::ofstream out(temp, std::ios::trunc);
            for (const auto& [name, dump] : dumps)
                out << "[" << name << "]\n" << dump;
        }
        std::rename(temp.c_str(), stateDump.c_str());
    }
};

bool SendAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReceiveRequest(Server& server, int fd, simlink::Request& request) {
    const uint64_t deadline = server.Now() + server.requestDeadlineMs;
    std::vector<uint8_t> in;
    uint8_t chunk[4096];
    for (;;) {
        const simlink::ParseResult state = simlink::ParseRequest(in, request);
        if (state == simlink::ParseResult::kComplete)
            return true;
        if (state == simlink::ParseResult::kMalformed)
            return false;
        const uint64_t now = server.Now();
        if (now >= deadline)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(deadline - now)) <= 0)
            return false;
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        in.insert(in.end(), chunk, chunk + n);
    }
}

// Waits up to ms for the client to close or to send anything (after a whole request, that is a client gone
// astray too); true when it did.
bool ClientLeft(int fd, int ms) {
    pollfd p{fd, POLLIN | POLLRDHUP, 0};
    return ::poll(&p, 1, ms) > 0;
}

void Serve(Server& server, int fd) {
    Fd owner(fd);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    const timeval sendTimeout{kSendTimeoutMs / 1000, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);
    simlink::Request request;
    if (!ReceiveRequest(server, fd, request)) {
        server.Logf("-", "malformed, incomplete or late request: closed without answer");
        return;
    }
    const std::string op = request.op == simlink::kOpWrite ? "W" : "R";
    auto it = server.printers.find(request.portName);
    if (it == server.printers.end()) {
        server.Logf(request.portName, op + ": no printer on this port: closed without answer");
        return;
    }
    Printer& printer = *it->second;
    std::vector<uint8_t> answer;
    sim::Faults faults;
    {
        std::unique_lock<std::mutex> lock(printer.mutex);
        sim::PrinterEngine& engine = *printer.engine;
        faults = engine.ActiveFaults();
        if (!engine.Present(server.Now())) {
            server.Logf(request.portName, op + ": printer restarting: closed without answer");
            return;
        }
        uint32_t moved = 0;
        std::vector<uint8_t> payload;
        if (request.op == simlink::kOpWrite) {
            moved =
                static_cast<uint32_t>(engine.Write(request.data.data(), request.data.size(), server.Now()));
        } else {
            // Wait for answer bytes up to the caller's time-out, then hand out what there is. A waiter whose
            // client has left takes nothing: the bytes belong to whoever asks next.
            const uint64_t deadline = server.Now() + std::min(request.timeoutMs, kLongestWaitMs);
            while (engine.Readable(server.Now()) == 0 && server.Now() < deadline && !faults.stall) {
                lock.unlock();
                const bool left = ClientLeft(fd, 1);
                lock.lock();
                if (left) {
                    server.Logf(request.portName, "R: client left while waiting: nothing taken");
                    return;
                }
            }
            payload.resize(request.count);
            moved = static_cast<uint32_t>(engine.Read(payload.data(), payload.size(), server.Now()));
            payload.resize(moved);
        }
        const uint32_t claimed = faults.oversize ? request.count + 1 : moved;
        server.Logf(request.portName, op + " count=" + std::to_string(request.count) +
                                          " timeout=" + std::to_string(request.timeoutMs) +
                                          " -> moved=" + std::to_string(claimed));
        server.FlushEngineLog(request.portName, printer);
        server.DumpState(request.portName, engine);
        simlink::PutU32(answer, claimed);
        answer.insert(answer.end(), payload.begin(), payload.end());
        if (faults.oversize && request.op == simlink::kOpRead)
            answer.resize(4 + claimed, 0x5A);
    }
    if (faults.stall) {
        // Hold the connection without a word until the caller gives up.
        ClientLeft(fd, 30000);
        return;
    }
    if (faults.hangUp)
        answer.resize(answer.size() > 4 ? 4 + (answer.size() - 4) / 2 : 2);
    SendAll(fd, answer.data(), answer.size());
}

bool AddPrinter(Server& server, const std::string& arg, uint32_t restartMs, uint32_t printLog) {
    const size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0 || eq > simlink::kMaxPortName)
        return false;
    std::vector<std::string> parts;
    std::string rest = arg.substr(eq + 1);
    for (size_t start = 0;;) {
        const size_t comma = rest.find(',', start);
        parts.push_back(rest.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() < 2)
        return false;
    int codes[2];
    for (int i = 0; i < 2; ++i) {
        char* end = nullptr;
        const long v = std::strtol(parts[static_cast<size_t>(i)].c_str(), &end, 10);
        if (parts[static_cast<size_t>(i)].empty() || *end != '\0' || v < 1 || v > 255)
            return false;
        codes[i] = static_cast<int>(v);
    }
    sim::Faults faults;
    faults.printLog = printLog;
    for (size_t i = 2; i < parts.size(); ++i)
        if (!sim::ParseFault(parts[i], faults))
            return false;
    auto printer = std::make_unique<Printer>();
    printer->engine = std::make_unique<sim::PrinterEngine>(static_cast<uint8_t>(codes[0]),
                                                           static_cast<uint8_t>(codes[1]), faults, restartMs);
    server.printers[arg.substr(0, eq)] = std::move(printer);
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "lxsim: %s\n%s", message.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    Server server;
    std::string listen = "127.0.0.1:9100", logFile, portFile, wireFile;
    std::vector<std::string> printerArgs, faultArgs;
    uint32_t restartMs = 8000;
    uint32_t printLog = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (i + 1 >= argc)
            return Fail("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--listen")
            listen = value;
        else if (arg == "--printer")
            printerArgs.push_back(value);
        else if (arg == "--fault")
            faultArgs.push_back(value);
        else if (arg == "--print-log")
            printLog = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (arg == "--request-ms")
            server.requestDeadlineMs = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (arg == "--restart-ms")
            restartMs = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (arg == "--log")
            logFile = value;
        else if (arg == "--wire")
            wireFile = value;
        else if (arg == "--state-dump")
            server.stateDump = value;
        else if (arg == "--port-file")
            portFile = value;
        else
            return Fail("unknown option " + arg);
    }
    if (printerArgs.empty())
        printerArgs = {"USB001=104,48", "USB002=104,50"};
    for (const auto& arg : printerArgs)
        if (!AddPrinter(server, arg, restartMs, printLog))
            return Fail("bad printer '" + arg + "'");
    for (const auto& arg : faultArgs) {
        const size_t colon = arg.find(':');
        auto it = server.printers.find(arg.substr(0, colon));
        if (colon == std::string::npos || it == server.printers.end())
            return Fail("bad fault '" + arg + "'");
        auto& engine = it->second->engine;
        sim::Faults faults = engine->ActiveFaults();
        if (!sim::ParseFault(arg.substr(colon + 1), faults))
            return Fail("bad fault '" + arg + "'");
        engine = std::make_unique<sim::PrinterEngine>(engine->SeriesCode(), engine->ModelCode(), faults,
                                                      restartMs);
    }
    // Port 0 asks the system for a free port; the address check itself wants a real one.
    simlink::Address address;
    const bool anyPort = listen.size() > 2 && listen.compare(listen.size() - 2, 2, ":0") == 0;
    if (!simlink::ParseAddress(anyPort ? listen.substr(0, listen.size() - 1) + "1" : listen, address))
        return Fail("listen address must be a loopback host:port");
    if (anyPort)
        address.port = 0;
    if (!wireFile.empty()) {
        server.wire = std::fopen(wireFile.c_str(), "a");
        if (!server.wire)
            return Fail("cannot open wire log " + wireFile);
        for (auto& [name, printer] : server.printers)
            printer->engine->RecordWire(true);
    }
    if (!logFile.empty()) {
        server.log = std::fopen(logFile.c_str(), "a");
        if (!server.log)
            return Fail("cannot open log " + logFile);
    }

    Fd listener(::socket(AF_INET, SOCK_STREAM, 0));
    const int one = 1;
    ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(address.port);
    sa.sin_addr.s_addr = htonl(address.ipv4);
    if (::bind(listener.get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(listener.get(), 16) != 0)
        return Fail("cannot listen on " + listen + ": " + std::strerror(errno));
    socklen_t len = sizeof sa;
    ::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&sa), &len);
    address.port = ntohs(sa.sin_port);
    const std::string served = simlink::FormatAddress(address);
    for (const auto& [name, printer] : server.printers) {
        server.Logf(name, "printer series " + std::to_string(printer->engine->SeriesCode()) + " model " +
                              std::to_string(printer->engine->ModelCode()));
        server.DumpState(name, *printer->engine);
    }
    server.Logf("-", "serving " + served);
    if (!portFile.empty()) {
        const std::string temp = portFile + ".tmp";
        std::ofstream(temp, std::ios::trunc) << served << "\n";
        std::rename(temp.c_str(), portFile.c_str());
    }
    for (;;) {
        const int fd = ::accept(listener.get(), nullptr, nullptr);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        std::thread(Serve, std::ref(server), fd).detach();
    }
}
