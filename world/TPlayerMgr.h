#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

// The score keepers, by ID: an entity's ownerID names the one credited with
// its kills; things and treasure credit none.
namespace Keeper {
enum ID : int32_t { None = 0, Player = 1, Computer = 2 };
}  // namespace Keeper

// One score keeper: the kills credited to one side and its final score.
class TPlayer : public Record<TPlayer> {
public:
    int32_t id = 0;
    std::string name;
    int32_t nFrags = 0;
    int32_t score = 0;
    int32_t teamID = 0;
    uint16_t clientIP = 0;
};

class TPlayerMgr {
public:
    TPlayerMgr();

    int32_t NumPlayers = 0;

    int Init();
    int Reset();
    int AddPlayer(int32_t id, const std::string& name, int32_t teamID);
    int32_t GetScore(int32_t id) const;
    uint8_t AddScore(int32_t id, int32_t n);
    uint8_t AddFrag(int32_t id, int32_t n);
    // Adds to what the scores hold already: a second call adds it all again.
    int CalcScores();
};
