#pragma once

#include "framework/Net.h"

#include <cstdint>
#include <vector>

// Starts a network host as a server on its port or as a client of a peer.
// The game defines it but never creates one.
class TNetworkMgr {
public:
    uint16_t id = 0;
    uint16_t port = 6928;
    TGNetHostRef GNetHost;
    TGNetObjectRef GNetMsg;

    // Each start makes a new host; the one before stays open, as nothing
    // closes a host and its peers may rely on it.
    int StartGNetServer();
    // The address is handed over as its decimal text.
    int StartGNetClient(uint16_t address);
    int Process();

private:
    void KeepOpen();
    std::vector<TGNetHostRef> earlierHosts_;
};
