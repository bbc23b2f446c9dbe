#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

// Rooms the rules name: every game starts at the entrance and is won at the
// exit; using a certain thing in the lift offers a way up.
inline constexpr uint16_t kStartRoom = 6;
inline constexpr uint16_t kExitRoom = 11;
inline constexpr uint16_t kLiftRoom = 9;

// The one code EnablePathway acts on: it sets a room's up exit, the only exit
// that can change during a game.
inline constexpr int32_t kPathwayUp = 8;

// One room of the castle; 0 as an exit means none.
class t_room : public Record<t_room> {
public:
    int32_t id = 0;
    int32_t n = 0;
    int32_t s = 0;
    int32_t e = 0;
    int32_t w = 0;
    int32_t u = 0;  // the one exit a trigger can change
    uint16_t d = 0;
    std::string imgFn;
    std::string desc;
    std::string name;
};

class t_RoomMgr {
public:
    t_RoomMgr();

    uint16_t numRooms = 0;  // counts across restarts; read by nothing

    int Init();
    int Reset();
    int addRoom(uint16_t id, uint16_t n, uint16_t s, uint16_t e, uint16_t w, uint16_t u, uint16_t d,
                const std::string& imgFn, const std::string& name, const std::string& desc);
    int displayRoom(const std::string& prefix, uint16_t roomNum);
    int GetHints(uint16_t roomNum);
    // Moves by the exit the current room has now, not by a button's target.
    uint8_t ChangeRoom(uint16_t direction);
    int EnablePathway(int32_t roomID, int32_t target, int32_t code);
};
