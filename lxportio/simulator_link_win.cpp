// The simulator link: ordinals 1 and 2 as requests to the printer simulator over loopback TCP.
#include "lxportio/simulator_link_win.h"

#include "lxportio/transfer_limits.h"
#include "sim/link.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

// The answer may arrive this much after the caller's per-call time-out, which the simulator spends waiting.
constexpr DWORD kAnswerSlackMs = 500;
constexpr DWORD kConnectMinMs = 200;

// Winsock stays started from the first call to process exit: starting it per call costs more than the
// exchange.
bool WinsockStarted() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

class Socket {
public:
    explicit Socket(SOCKET s) : s_(s) {}
    ~Socket() {
        if (s_ != INVALID_SOCKET)
            ::closesocket(s_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return s_; }
    explicit operator bool() const { return s_ != INVALID_SOCKET; }

private:
    SOCKET s_;
};

DWORD Remaining(DWORD start, DWORD budget) {
    const DWORD spent = ::GetTickCount() - start;
    return spent >= budget ? 0 : budget - spent;
}

bool WaitFor(SOCKET s, bool forWrite, DWORD ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
    const int n = forWrite ? ::select(0, nullptr, &set, &set, &tv) : ::select(0, &set, nullptr, nullptr, &tv);
    return n > 0;
}

// Send and receive time-outs for blocking calls; none left means the call is over.
bool SetTimeouts(SOCKET s, DWORD ms) {
    if (ms == 0)
        return false;
    return ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms) == 0 &&
           ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms) == 0;
}

// lxportio.ini as last read: its address is read again only when the file's write time or size has changed,
// so that a call costs one attribute query instead of a profile read.
struct IniCache {
    SRWLOCK lock = SRWLOCK_INIT;
    std::string path; // empty until the library's folder is known
    bool read = false;
    bool present = false;
    FILETIME written{};
    ULONGLONG size = 0;
    std::string address;
};

IniCache& TheIniCache() {
    static IniCache cache;
    return cache;
}

std::string IniPathBeside(HMODULE library) {
    char path[MAX_PATH + 16] = {};
    const DWORD length = ::GetModuleFileNameA(library, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    char* slash = std::strrchr(path, '\\');
    if (!slash)
        return {};
    std::strcpy(slash + 1, "lxportio.ini");
    return path;
}

std::string IniAddress(HMODULE library) {
    IniCache& cache = TheIniCache();
    ::AcquireSRWLockExclusive(&cache.lock);
    if (cache.path.empty())
        cache.path = IniPathBeside(library);
    std::string address;
    if (!cache.path.empty()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        const bool present =
            ::GetFileAttributesExA(cache.path.c_str(), GetFileExInfoStandard, &data) != FALSE;
        const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!cache.read || present != cache.present ||
            (present &&
             (::CompareFileTime(&data.ftLastWriteTime, &cache.written) != 0 || size != cache.size))) {
            char value[256] = {};
            if (present)
                ::GetPrivateProfileStringA("Simulator", "Address", "", value, sizeof value,
                                           cache.path.c_str());
            cache.read = true;
            cache.present = present;
            cache.written = data.ftLastWriteTime;
            cache.size = size;
            cache.address = value;
        }
        address = cache.address;
    }
    ::ReleaseSRWLockExclusive(&cache.lock);
    return address;
}

} // namespace

std::string ConfiguredSimulator(HMODULE library) {
    char value[256] = {};
    const DWORD n = ::GetEnvironmentVariableA(simlink::kAddressVariable, value, sizeof value);
    if (n > 0 && n < sizeof value)
        return value;
    // Else the ini file beside this library.
    return IniAddress(library);
}

bool SimulatorExchange(const std::string& address, uint8_t op, const char* portName, BYTE* bytes, DWORD count,
                       DWORD* moved, DWORD timeoutMs) {
    if (!portName || !moved || (count != 0 && !bytes))
        return false;
    // The simulator is told the wait this call will really make: a longer one would outlive the call and
    // leave a waiter behind.
    const DWORD waitMs = CappedTimeoutMs(timeoutMs);
    const size_t nameLength = strnlen(portName, simlink::kMaxPortName + 1);
    std::vector<uint8_t> request;
    if (!simlink::EncodeRequest(op, std::string(portName, nameLength), count, waitMs, bytes, request))
        return false;
    simlink::Address parsed;
    if (!simlink::ParseAddress(address, parsed))
        return false;

    const DWORD start = ::GetTickCount();
    const DWORD budget = waitMs + kAnswerSlackMs;
    if (!WinsockStarted())
        return false;
    Socket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s)
        return false;
    u_long nonBlocking = 1;
    ::ioctlsocket(s.get(), FIONBIO, &nonBlocking);
    const BOOL noDelay = TRUE;
    ::setsockopt(s.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(parsed.port);
    sa.sin_addr.s_addr = htonl(parsed.ipv4);
    if (::connect(s.get(), reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        const DWORD connectBudget =
            budget - kAnswerSlackMs > kConnectMinMs ? budget - kAnswerSlackMs : kConnectMinMs;
        if (!WaitFor(s.get(), true, Remaining(start, connectBudget)))
            return false;
        int error = 0;
        int size = sizeof error;
        if (::getsockopt(s.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 ||
            error != 0)
            return false;
    }
    // Connected: from here blocking calls bounded by the remaining budget, fewer round trips than select().
    u_long blocking = 0;
    if (::ioctlsocket(s.get(), FIONBIO, &blocking) != 0)
        return false;
    if (!SetTimeouts(s.get(), Remaining(start, budget)))
        return false;
    for (size_t sent = 0; sent < request.size();) {
        const int n = ::send(s.get(), reinterpret_cast<const char*>(request.data() + sent),
                             static_cast<int>(request.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }

    // The answer: a 4-byte count, then for a read that many bytes; never more than was asked for.
    std::vector<uint8_t> answer;
    size_t want = 4;
    char chunk[1024];
    while (answer.size() < want) {
        const size_t room = want - answer.size();
        const int n = ::recv(s.get(), chunk, static_cast<int>(room < sizeof chunk ? room : sizeof chunk), 0);
        if (n <= 0)
            return false;
        answer.insert(answer.end(), chunk, chunk + n);
        if (answer.size() == 4) {
            const uint32_t got = simlink::GetU32(answer.data());
            if (got > count)
                return false;
            if (op == simlink::kOpRead)
                want = 4 + got;
        }
        if (answer.size() < want && !SetTimeouts(s.get(), Remaining(start, budget)))
            return false;
    }
    const uint32_t got = simlink::GetU32(answer.data());
    if (op == simlink::kOpRead && got != 0)
        std::memcpy(bytes, answer.data() + 4, got);
    *moved = got;
    return true;
}
