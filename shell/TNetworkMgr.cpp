#include "shell/TNetworkMgr.h"

#include <string>

void TNetworkMgr::KeepOpen() {
    if (GNetHost) earlierHosts_.push_back(std::move(GNetHost));
}

int TNetworkMgr::StartGNetServer() {
    KeepOpen();
    GNetHost = CreateGNetHost();
    if (!GNetHost) return 0;
    GNetListen(GNetHost, port);
    return 0;
}

int TNetworkMgr::StartGNetClient(uint16_t address) {
    KeepOpen();
    GNetHost = CreateGNetHost();
    if (!GNetHost) return 0;
    GNetConnect(GNetHost, std::to_string(address), port, 5000);
    return 0;
}

int TNetworkMgr::Process() { return 0; }
