// Host tests: runs the simulator program on a free loopback port and speaks its link as a raw client.
#pragma once

#include "sim/link.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

class LxsimProcess {
public:
    // Starts `program` with the given options; Ok() tells whether it serves.
    LxsimProcess(const std::string& program, std::vector<std::string> options) {
        char pattern[] = "/tmp/lxsim-test-XXXXXX";
        if (!::mkdtemp(pattern))
            return;
        dir_ = pattern;
        std::vector<std::string> args{program,           "--listen", "127.0.0.1:0", "--port-file",
                                      dir_ + "/address", "--log",    dir_ + "/log"};
        args.insert(args.end(), options.begin(), options.end());
        pid_ = ::fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        for (int i = 0; i < 200 && pid_ > 0; ++i) {
            std::ifstream in(dir_ + "/address");
            std::string address;
            if (in >> address && simlink::ParseAddress(address, address_))
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    ~LxsimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (!dir_.empty())
            std::system(("rm -rf '" + dir_ + "'").c_str());
    }
    LxsimProcess(const LxsimProcess&) = delete;
    LxsimProcess& operator=(const LxsimProcess&) = delete;

    bool Ok() const { return address_.port != 0; }
    std::string Log() const {
        std::ifstream in(dir_ + "/log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A connected socket, closed by the caller; -1 on failure.
    int Connect() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(address_.port);
        sa.sin_addr.s_addr = htonl(address_.ipv4);
        if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
            if (fd >= 0)
                ::close(fd);
            return -1;
        }
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return fd;
    }

    // One call as the USB I/O library makes it: true when a whole answer arrived within 5 s; a read's bytes
    // go to `answer`.
    bool Call(uint8_t op, const std::string& port, const std::vector<uint8_t>& data, uint32_t count,
              uint32_t timeoutMs, std::vector<uint8_t>* answer = nullptr) const {
        std::vector<uint8_t> request;
        if (!simlink::EncodeRequest(op, port, count, timeoutMs, data.data(), request))
            return false;
        const int fd = Connect();
        if (fd < 0)
            return false;
        const bool ok = Send(fd, request) && ReceiveAnswer(fd, op, answer);
        ::close(fd);
        return ok;
    }

    static bool Send(int fd, const std::vector<uint8_t>& bytes) {
        return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    static bool ReceiveAnswer(int fd, uint8_t op, std::vector<uint8_t>* answer) {
        std::vector<uint8_t> in;
        size_t want = 4;
        while (in.size() < want) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0)
                return false;
            uint8_t chunk[4096];
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return false;
            in.insert(in.end(), chunk, chunk + n);
            if (in.size() >= 4 && op == simlink::kOpRead)
                want = 4 + simlink::GetU32(in.data());
        }
        if (answer)
            answer->assign(in.begin() + 4, in.end());
        return true;
    }

private:
    pid_t pid_ = -1;
    std::string dir_;
    simlink::Address address_;
};
