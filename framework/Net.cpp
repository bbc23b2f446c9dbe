#include "framework/Net.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr char kHello[] = "GNET HELLO";
constexpr char kWelcome[] = "GNET WELCOME";

// A UDP socket. A listening host answers every hello on a thread of its
// own, so a peer's connect completes without the game pumping anything.
class UdpHost : public TGNetHost {
public:
    UdpHost() : fd_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~UdpHost() override {
        stop_ = true;
        if (responder_.joinable()) responder_.join();
        if (fd_ >= 0) close(fd_);
    }
    bool valid() const { return fd_ >= 0; }

    bool Listen(int port) {
        if (port < 0 || port > 65535 || responder_.joinable()) return false;
        sockaddr_in any{};
        any.sin_family = AF_INET;
        any.sin_addr.s_addr = htonl(INADDR_ANY);
        any.sin_port = htons(static_cast<uint16_t>(port));
        if (bind(fd_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) return false;
        responder_ = std::thread([this] { Answer(); });
        return true;
    }

    bool Connect(const std::string& address, int port, int timeoutMs) {
        if (port < 0 || port > 65535) return false;
        // Numeric addresses only: a name lookup could block past the time-out.
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
        addrinfo* found = nullptr;
        if (getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return false;
        const int rc = connect(fd_, found->ai_addr, found->ai_addrlen);
        freeaddrinfo(found);
        if (rc != 0 || send(fd_, kHello, sizeof kHello, 0) < 0) return false;

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
            char reply[64];
            const ssize_t n = recv(fd_, reply, sizeof reply, 0);
            if (n < 0) return false;  // refused: nobody listens there
            if (static_cast<size_t>(n) == sizeof kWelcome && std::memcmp(reply, kWelcome, sizeof kWelcome) == 0)
                return true;
        }
    }

private:
    void Answer() {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char buf[64];
            sockaddr_storage from{};
            socklen_t len = sizeof from;
            const ssize_t n = recvfrom(fd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n == static_cast<ssize_t>(sizeof kHello) && std::memcmp(buf, kHello, sizeof kHello) == 0)
                sendto(fd_, kWelcome, sizeof kWelcome, 0, reinterpret_cast<sockaddr*>(&from), len);
        }
    }

    const int fd_;
    std::atomic<bool> stop_{false};
    std::thread responder_;
};

class UdpLayer : public NetLayer {
public:
    TGNetHostRef CreateGNetHost() override {
        auto host = std::make_shared<UdpHost>();
        return host->valid() ? host : nullptr;
    }
    bool GNetListen(const TGNetHostRef& host, int port) override {
        auto* udp = dynamic_cast<UdpHost*>(host.get());
        return udp && udp->Listen(port);
    }
    bool GNetConnect(const TGNetHostRef& host, const std::string& address, int port, int timeoutMs) override {
        auto* udp = dynamic_cast<UdpHost*>(host.get());
        return udp && udp->Connect(address, port, timeoutMs);
    }
};

std::unique_ptr<NetLayer> gNet = std::make_unique<UdpLayer>();

}  // namespace

void SetNetLayer(std::unique_ptr<NetLayer> layer) { gNet = layer ? std::move(layer) : std::make_unique<UdpLayer>(); }

TGNetHostRef CreateGNetHost() { return gNet->CreateGNetHost(); }
bool GNetListen(const TGNetHostRef& host, int port) { return host && gNet->GNetListen(host, port); }
bool GNetConnect(const TGNetHostRef& host, const std::string& address, int port, int timeoutMs) {
    return host && gNet->GNetConnect(host, address, port, timeoutMs);
}
