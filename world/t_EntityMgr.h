#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

// Entities the rules name by ID: using the one in the lift, and asking the
// other, fire triggers.
inline constexpr int32_t kLiftRuleEntity = 6;
inline constexpr int32_t kAskRuleEntity = 14;
// The dragon, placed second at the start: a trigger wakes it.
inline constexpr int32_t kDragonEntity = 2;

// Teams: a character whose team is neither neutral nor the player's can be
// fought, and only monsters attack.
namespace Team {
enum ID : int32_t { Neutral = 0, Player = 1, Monsters = 2 };
}  // namespace Team

// At these hit points or fewer a character is too wounded to fight, and the
// player must pass the survival check.
inline constexpr int32_t kTooWoundedHP = 2;

// Anything placed in the world: the player, a creature, an item, treasure.
// Death is the isDead flag alone; hit points of 0 remove nothing.
class t_entity : public Record<t_entity> {
public:
    int32_t id = 0;
    uint8_t category = 0;
    uint8_t objectType = 0;
    std::string name;
    std::string desc;
    std::string location;
    uint8_t canTake = 0;
    uint8_t isAlerted = 0;
    uint8_t isUsable = 0;
    uint8_t disableAfterUse = 0;
    uint8_t isEnabled = 0;
    uint8_t isDead = 0;
    uint16_t roomNum = 0;
    int32_t ownerID = 0;
    int32_t teamID = 0;
    int32_t hp = 0;
    uint16_t dexterity = 0;
    uint16_t strength = 0;
    uint16_t perception = 0;
    int32_t weapon1ID = 0;
    int32_t armor1ID = 0;
};

// Owns every entity and all rules of play that act on them. Walks keep their
// current entity in a local iterator, so the accessors they call never move
// it, and removing another entity never disturbs it.
class t_EntityMgr {
public:
    t_EntityMgr();

    // How many entities were created since the last Init; the source of IDs,
    // never lowered, so IDs are not reused within one game.
    int32_t NumEntities = 0;

    int Init();
    int Reset();
    t_entity* addEntityEmpty(int32_t id);
    int32_t addEntity(int32_t id, const std::string& name, int32_t objectType, int32_t roomNum, uint8_t canTake,
                      const std::string& desc, const std::string& location, int32_t dexterity, int32_t strength,
                      int32_t perception, uint8_t isUsable, uint8_t disableAfterUse, int32_t teamID, int32_t ownerID);
    int32_t CreateEntityByObjectType(int32_t objectType, int32_t roomNum, const std::string& location,
                                     uint8_t disableAfterUse, int32_t teamID, int32_t ownerID);
    int DoSurvival(int32_t id);
    int Process();
    int SetDead(int32_t id, uint8_t flag);
    uint8_t isObjectInRm(const std::string& name, int32_t roomNum) const;
    std::string getObjectDesc(int32_t id) const;
    void getHints(int32_t roomNum) const;
    uint8_t canTakeObject(const std::string& name, int32_t roomNum) const;
    uint8_t takeObject(int32_t entityID, int32_t roomNum, int32_t takerID);
    int32_t GetCurrentWeaponByID(int32_t id) const;
    int SetWeapon1IDByID(int32_t id, int32_t weaponID);
    int32_t GetCurrentArmorByID(int32_t id) const;
    int SetArmor1IDByID(int32_t id, int32_t armorID);
    uint8_t dropItem(const std::string& name, int32_t roomNum) const;
    std::string showRoomEntities(int32_t roomNum) const;
    uint8_t AskEntity(int32_t id);
    uint16_t GetObjectType(int32_t id) const;
    int setAlertness(int32_t id, int32_t flag);
    int setRoomNum(int32_t id, int32_t roomNum);
    std::string DoNPCActions(int32_t roomNum);
    t_entity* GetEntityPtr(int32_t id) const;
    int32_t GetHPByID(int32_t id) const;
    std::string GetName(int32_t id) const;
    int AddHP(int32_t id, int32_t n);
    int SubtractHP(int32_t id, int32_t n);
    int UseItem(int32_t id);
    std::string DoCombat(int32_t attackerID, int32_t defenderID);
    int32_t GetTeamID(int32_t id) const;
    int32_t GetPerception(int32_t id) const;
    int32_t RndTreasureEntity(int32_t category, int32_t level);
    int32_t RndMonsterEnemy(int32_t category, int32_t unused);
    int OnDeath();
    uint8_t ConsumeFood(int32_t id);

private:
    std::string Strike(t_entity& striker, t_entity& struck);
};

// Hit-point arithmetic that saturates instead of overflowing.
int32_t AddHitPoints(int32_t hp, int64_t n);
