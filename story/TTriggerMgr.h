#pragma once

#include "shell/Records.h"

#include <cstdint>
#include <string>
#include <vector>

// A small rule bound to a room: it fires when the room is entered (once, or
// every time when persistent), or when asked for by ID.
class TTrigger : public Record<TTrigger> {
public:
    int32_t id = 0;
    uint16_t roomNum = 0;
    uint16_t category = 0;
    int32_t target = 0;
    int32_t targetValue = 0;
    uint8_t isEnabled = 0;
    uint8_t isPersistent = 0;
    uint8_t isEntryTrigger = 0;
    std::string StoryText;
};

class TTriggerMgr {
public:
    TTriggerMgr();

    int addTrigger(uint16_t id, uint16_t roomNum, uint16_t category, int32_t target, int32_t targetValue,
                   uint8_t isEnabled, uint8_t isPersistent, uint8_t isEntryTrigger, const std::string& StoryText);
    int Init();
    int Reset();
    int Activate(int32_t id);
    int Disable(int32_t id);
    int checkRoomEntrance(uint16_t roomNum);

private:
    void Effect(TTrigger& trigger);
    // The chain triggers whose chain is being followed: a chain that leads
    // back into one of them stops there instead of recursing for ever.
    std::vector<const TTrigger*> chaining_;
};
