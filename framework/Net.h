// The networked-object layer: a host that listens on a UDP port or connects
// to a peer. The game defines a network manager on it but never starts one.
#pragma once

#include <memory>
#include <string>

struct TGNetHost {
    virtual ~TGNetHost() = default;
};
using TGNetHostRef = std::shared_ptr<TGNetHost>;

struct TGNetObject {
    virtual ~TGNetObject() = default;
};
using TGNetObjectRef = std::shared_ptr<TGNetObject>;

class NetLayer {
public:
    virtual ~NetLayer() = default;
    virtual TGNetHostRef CreateGNetHost() = 0;
    // Accepts peers from any local address on the port.
    virtual bool GNetListen(const TGNetHostRef& host, int port) = 0;
    // Waits at most timeoutMs for the peer at address:port to answer.
    virtual bool GNetConnect(const TGNetHostRef& host, const std::string& address, int port, int timeoutMs) = 0;
};

// Installs the layer the calls below go to; null restores the UDP layer.
void SetNetLayer(std::unique_ptr<NetLayer> layer);

TGNetHostRef CreateGNetHost();
bool GNetListen(const TGNetHostRef& host, int port);
bool GNetConnect(const TGNetHostRef& host, const std::string& address, int port, int timeoutMs);
