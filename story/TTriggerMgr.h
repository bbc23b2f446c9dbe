#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>
#include <vector>

// What a trigger does, by its category; any other category does nothing.
namespace TriggerEffect {
enum Category : uint16_t {
    StoryText = 1,       // append the trigger's text
    OpenPathway = 8,     // give room target an up exit to room targetValue
    Chain = 10,          // fire trigger target
    WakeCreature = 11,   // set entity target's alertness to targetValue
    TreasureChance = 12, // 32 in 100: treasure of category target, level targetValue
    MonsterChance = 13,  // targetValue - 1 in 100: a monster of category target
    HurtPlayer = 14,     // the ghost or the spider, by target
};
}  // namespace TriggerEffect

// Who hurts the player in a HurtPlayer trigger, by its target; any other
// target does nothing.
namespace HurtBy {
enum Source : int32_t { Ghost = 1, Spider = 2 };
}  // namespace HurtBy

// The triggers the rules fire by ID.
inline constexpr int32_t kDragonStoryTrigger = 2;     // the dragon leaps out
inline constexpr int32_t kDragonWakeTrigger = 3;      // the dragon wakes
inline constexpr int32_t kDrinkStoryTrigger = 4;      // asked to drink the liquid
inline constexpr int32_t kElixirTreasureTrigger = 7;  // room 2's treasure chance, also on drinking

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
    void SwitchOff(TTrigger& trigger);

    // The walks of Activate in progress, innermost last, each with the count
    // of triggers switched off when it began. Chains only ever switch
    // triggers off, so a walk of an ID that comes back to that ID with none
    // switched off since would repeat itself for ever: only there is it cut.
    struct Walk {
        int32_t id;
        uint64_t switchedOffBefore;
    };
    std::vector<Walk> walks_;
    uint64_t switchedOff_ = 0;
};
