// The network manager and the UDP layer under it, on loopback only.
#include "framework/Net.h"
#include "shell/TNetworkMgr.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Call {
    std::string what, address;
    int port = 0, timeout = 0;
};

// Records what the manager asks of the layer, and can refuse to make hosts.
class RecordingLayer : public NetLayer {
public:
    std::vector<Call>* calls;
    bool makeHosts = true;
    explicit RecordingLayer(std::vector<Call>* c) : calls(c) {}
    TGNetHostRef CreateGNetHost() override {
        calls->push_back({"create", "", 0, 0});
        return makeHosts ? std::make_shared<TGNetHost>() : nullptr;
    }
    bool GNetListen(const TGNetHostRef&, int port) override {
        calls->push_back({"listen", "", port, 0});
        return true;
    }
    bool GNetConnect(const TGNetHostRef&, const std::string& address, int port, int timeout) override {
        calls->push_back({"connect", address, port, timeout});
        return false;
    }
};

class NetworkMgrTest : public ::testing::Test {
protected:
    std::vector<Call> calls;
    RecordingLayer* layer = nullptr;
    void SetUp() override {
        auto l = std::make_unique<RecordingLayer>(&calls);
        layer = l.get();
        SetNetLayer(std::move(l));
    }
    void TearDown() override { SetNetLayer(nullptr); }
};

TEST_F(NetworkMgrTest, NewManagerHoldsNothing) {
    TNetworkMgr net;
    EXPECT_EQ(net.port, 6928);
    EXPECT_EQ(net.id, 0);
    EXPECT_FALSE(net.GNetHost);
    EXPECT_FALSE(net.GNetMsg);
    EXPECT_EQ(net.Process(), 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(NetworkMgrTest, ClientHandsTheAddressAsDecimalText) {
    const std::pair<uint16_t, const char*> cases[] = {{0, "0"}, {7, "7"}, {65535, "65535"}};
    for (const auto& [address, text] : cases) {
        calls.clear();
        TNetworkMgr net;
        EXPECT_EQ(net.StartGNetClient(address), 0);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].what, "connect");
        EXPECT_EQ(calls[1].address, text);
        EXPECT_EQ(calls[1].port, 6928);
        EXPECT_EQ(calls[1].timeout, 5000);
        EXPECT_TRUE(net.GNetHost);
    }
}

TEST_F(NetworkMgrTest, ServerListensOnItsPortAndASecondStartReplacesTheHostWithoutClosingIt) {
    TNetworkMgr net;
    net.StartGNetServer();
    const std::weak_ptr<TGNetHost> first = net.GNetHost;
    net.StartGNetClient(7);
    EXPECT_NE(net.GNetHost, first.lock());
    EXPECT_FALSE(first.expired()) << "the first host was closed";
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].what, "listen");
    EXPECT_EQ(calls[1].port, 6928);
    EXPECT_EQ(calls[3].what, "connect");
    EXPECT_EQ(calls[3].port, 6928);
}

TEST_F(NetworkMgrTest, NoHostMeansNoListenOrConnect) {
    layer->makeHosts = false;
    TNetworkMgr net;
    EXPECT_EQ(net.StartGNetServer(), 0);
    EXPECT_EQ(net.StartGNetClient(1), 0);
    EXPECT_FALSE(net.GNetHost);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].what, "create");
    EXPECT_EQ(calls[1].what, "create");
}

int BoundPort(int fd) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// A loopback port that nothing listens on, handed out by the system: bound
// once and released.
int FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    const int port = BoundPort(fd);
    close(fd);
    return port;
}

// The game's port is checked against the recording layer; the UDP layer is
// tried on loopback with ports the system hands out.
TEST(UdpLayerTest, ConnectsToAListeningHostOnLoopback) {
    const int port = FreeLoopbackPort();
    TGNetHostRef server = CreateGNetHost();
    ASSERT_TRUE(server);
    ASSERT_TRUE(GNetListen(server, port));
    EXPECT_FALSE(GNetListen(server, port)) << "a host listens once";
    TGNetHostRef client = CreateGNetHost();
    EXPECT_TRUE(GNetConnect(client, "127.0.0.1", port, 2000));
}

TEST(UdpLayerTest, ConnectWithNobodyThereGivesUpWithinTheTimeOut) {
    const int port = FreeLoopbackPort();
    TGNetHostRef client = CreateGNetHost();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GNetConnect(client, "127.0.0.1", port, 300));
    // Generous: the bound is the time-out itself, not a speed target.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(UdpLayerTest, RefusesNamesAndBadPortsWithoutBlocking) {
    TGNetHostRef host = CreateGNetHost();
    EXPECT_FALSE(GNetConnect(host, "no-such-host.invalid", 6928, 100));
    EXPECT_FALSE(GNetConnect(host, "127.0.0.1", 70000, 100));
    EXPECT_FALSE(GNetListen(host, -1));
    EXPECT_FALSE(GNetListen(nullptr, 6928));
    EXPECT_FALSE(GNetConnect(nullptr, "127.0.0.1", 6928, 100));
}

}  // namespace
