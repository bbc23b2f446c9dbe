#pragma once

#include "framework/Net.h"

#include <cstdint>

// Starts a network host as a server on its port or as a client of a peer.
// The game defines it but never creates one.
class TNetworkMgr {
public:
    uint16_t id = 0;
    uint16_t port = 6928;
    TGNetHostRef GNetHost;
    TGNetObjectRef GNetMsg;

    int StartGNetServer();
    // The address is handed over as its decimal text.
    int StartGNetClient(uint16_t address);
    int Process();
};
