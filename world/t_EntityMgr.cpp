#include "world/t_EntityMgr.h"

#include "catalogues/ObjectTypeTexts.h"
#include "catalogues/TObjectTypeMgr.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_RoomMgr.h"

#include <limits>


int32_t AddHitPoints(int32_t hp, int64_t n) {
    const int64_t sum = static_cast<int64_t>(hp) + n;
    if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

namespace {

t_entity* FirstWithID(int32_t id) {
    for (const auto& e : t_entity::_list)
        if (e->id == id) return e.get();
    return nullptr;
}

t_entity* LastWithID(int32_t id) {
    t_entity* found = nullptr;
    for (const auto& e : t_entity::_list)
        if (e->id == id) found = e.get();
    return found;
}

template <class F>
void EveryWithID(int32_t id, F change) {
    for (const auto& e : t_entity::_list)
        if (e->id == id) change(*e);
}

// Start entities given every value but their category and hit points (6);
// their examine texts are their types' own. The dragon is weaker than its
// type. "once": disabled after its first use.
struct GivenEntityRow {
    const char* name;
    int32_t objectType, roomNum;
    uint8_t canTake;
    const char* location;
    int32_t dexterity, strength, perception;
    uint8_t isUsable, disableAfterUse;
    Team::ID teamID;
    Keeper::ID ownerID;
};

constexpr GivenEntityRow kGivenEntities[] = {
    // name          type            room        take location  dex str per use once team            owner
    {"Player",       kCharacterType, kStartRoom,   0, "floor",  18, 18, 18,  0,   0, Team::Player,   Keeper::Player},
    {"Earth Dragon", kDragonType,    17,           0, "floor",  18, 18, 18,  0,   0, Team::Monsters, Keeper::Computer},
    {"small bottle", kElixirType,    14,           0, "floor",   0,  0,  0,  1,   1, Team::Neutral,  Keeper::None},
};

// Start things made from their type, each with one unit of its own type in
// stock, and moreStock units besides.
struct TypedEntityRow {
    int32_t objectType, roomNum;
    const char* location;
    uint8_t disableAfterUse;
    Team::ID teamID;
    Keeper::ID ownerID;
    int32_t moreStock;
};

constexpr TypedEntityRow kTypedEntities[] = {
    // type           room        location  once team           owner         moreStock
    {kSwordType,      kStartRoom, "ground",   0, Team::Neutral, Keeper::None,         0},
    {kAxeType,        12,         "floor",    0, Team::Neutral, Keeper::None,         0},
    {kFurCloakType,   4,          "ground",   0, Team::Neutral, Keeper::None,         0},
    {kFoodType,       7,          "table",    0, Team::Neutral, Keeper::None,         9},
    {kFlourSackType,  8,          "floor",    0, Team::Neutral, Keeper::None,         0},
    {kPotatoSackType, 8,          "floor",    0, Team::Neutral, Keeper::None,         0},
};

}  // namespace

t_EntityMgr::t_EntityMgr() { Init(); }

int t_EntityMgr::Init() {
    NumEntities = 0;
    // ID 0 throughout: the IDs follow the count, 1 to 9 in table order.
    for (const GivenEntityRow& r : kGivenEntities)
        addEntity(0, r.name, r.objectType, r.roomNum, r.canTake, std::string(ObjectTypeDescription(r.objectType)),
                  r.location, r.dexterity, r.strength, r.perception, r.isUsable, r.disableAfterUse, r.teamID, r.ownerID);
    for (const TypedEntityRow& r : kTypedEntities) {
        const int32_t id = CreateEntityByObjectType(r.objectType, r.roomNum, r.location, r.disableAfterUse, r.teamID,
                                                    r.ownerID);
        if (r.moreStock != 0) InventoryMgr->addInventory(id, r.objectType, r.moreStock);
    }
    return 0;
}

int t_EntityMgr::Reset() {
    t_entity::_list.clear();
    return Init();
}

t_entity* t_EntityMgr::addEntityEmpty(int32_t id) {
    t_entity* e = NewRecord<t_entity>();
    ++NumEntities;
    e->id = id != 0 ? id : NumEntities;
    e->isDead = 0;
    e->isEnabled = 1;
    return e;
}

int32_t t_EntityMgr::addEntity(int32_t id, const std::string& name, int32_t objectType, int32_t roomNum,
                               uint8_t canTake, const std::string& desc, const std::string& location, int32_t dexterity,
                               int32_t strength, int32_t perception, uint8_t isUsable, uint8_t disableAfterUse,
                               int32_t teamID, int32_t ownerID) {
    t_entity* e = addEntityEmpty(id);
    e->name = name;
    e->objectType = static_cast<uint8_t>(objectType);
    e->category = static_cast<uint8_t>(ObjectTypeMgr->GetCategoryByID(objectType));
    e->roomNum = static_cast<uint16_t>(roomNum);
    e->hp = 6;
    e->canTake = canTake;
    e->desc = desc;
    e->location = location;
    e->dexterity = static_cast<uint16_t>(dexterity);
    e->strength = static_cast<uint16_t>(strength);
    e->perception = static_cast<uint16_t>(perception);
    e->isUsable = isUsable;
    e->disableAfterUse = disableAfterUse;
    e->teamID = teamID;
    e->ownerID = ownerID;
    return e->id;
}

int32_t t_EntityMgr::CreateEntityByObjectType(int32_t objectType, int32_t roomNum, const std::string& location,
                                              uint8_t disableAfterUse, int32_t teamID, int32_t ownerID) {
    // A type the catalogue does not hold makes no entity at all.
    const TObjectTypeData* t = ObjectTypeMgr->GetObjPtrByType(objectType);
    if (!t) return 0;
    t_entity* e = addEntityEmpty(0);
    e->name = t->name;
    e->category = static_cast<uint8_t>(t->category);
    e->canTake = t->canTake;
    e->desc = t->description;
    e->hp = t->hp;
    e->dexterity = static_cast<uint16_t>(t->dexterity);
    e->strength = static_cast<uint16_t>(t->strength);
    e->perception = static_cast<uint16_t>(t->perception);
    e->isUsable = t->isUsable;
    e->objectType = static_cast<uint8_t>(objectType);
    e->roomNum = static_cast<uint16_t>(roomNum);
    e->location = location;
    e->disableAfterUse = disableAfterUse;
    e->teamID = teamID;
    e->ownerID = ownerID;
    e->isEnabled = 1;
    e->isDead = 0;
    InventoryMgr->addInventory(e->id, e->objectType, 1);
    return e->id;
}

int t_EntityMgr::Process() {
    for (auto it = t_entity::_list.begin(); it != t_entity::_list.end();) {
        if ((*it)->isDead != 1) {
            ++it;
            continue;
        }
        if ((*it)->id == MainPrg->localPlayerID) MainPrg->playerDead = 1;
        it = t_entity::_list.erase(it);
        WindowMgr->UpdateHints();
    }
    return 0;
}

int t_EntityMgr::SetDead(int32_t id, uint8_t flag) {
    EveryWithID(id, [&](t_entity& e) { e.isDead = flag; });
    return 0;
}

uint8_t t_EntityMgr::isObjectInRm(const std::string& name, int32_t roomNum) const {
    for (const auto& e : t_entity::_list)
        if (e->name == name && e->roomNum == roomNum) return 1;
    return 0;
}

uint8_t t_EntityMgr::canTakeObject(const std::string& name, int32_t roomNum) const {
    for (const auto& e : t_entity::_list)
        if (e->name == name && e->roomNum == roomNum) return e->canTake;
    return 0;
}

uint8_t t_EntityMgr::dropItem(const std::string&, int32_t) const { return 0; }

int32_t t_EntityMgr::GetCurrentWeaponByID(int32_t id) const {
    const t_entity* e = LastWithID(id);
    return e ? e->weapon1ID : 0;
}

int t_EntityMgr::SetWeapon1IDByID(int32_t id, int32_t weaponID) {
    EveryWithID(id, [&](t_entity& e) { e.weapon1ID = weaponID; });
    return 0;
}

int32_t t_EntityMgr::GetCurrentArmorByID(int32_t id) const {
    const t_entity* e = LastWithID(id);
    return e ? e->armor1ID : 0;
}

int t_EntityMgr::SetArmor1IDByID(int32_t id, int32_t armorID) {
    EveryWithID(id, [&](t_entity& e) { e.armor1ID = armorID; });
    return 0;
}

uint16_t t_EntityMgr::GetObjectType(int32_t id) const {
    const t_entity* e = FirstWithID(id);
    return e ? e->objectType : 0;
}

int t_EntityMgr::setAlertness(int32_t id, int32_t flag) {
    EveryWithID(id, [&](t_entity& e) { e.isAlerted = static_cast<uint8_t>(flag); });
    return 0;
}

int t_EntityMgr::setRoomNum(int32_t id, int32_t roomNum) {
    EveryWithID(id, [&](t_entity& e) { e.roomNum = static_cast<uint16_t>(roomNum); });
    return 0;
}

t_entity* t_EntityMgr::GetEntityPtr(int32_t id) const { return FirstWithID(id); }

int32_t t_EntityMgr::GetHPByID(int32_t id) const {
    const t_entity* e = LastWithID(id);
    return e ? e->hp : 0;
}

std::string t_EntityMgr::GetName(int32_t id) const {
    const t_entity* e = FirstWithID(id);
    return e ? e->name : "";
}

int t_EntityMgr::AddHP(int32_t id, int32_t n) {
    EveryWithID(id, [&](t_entity& e) { e.hp = AddHitPoints(e.hp, n); });
    return 0;
}

int t_EntityMgr::SubtractHP(int32_t id, int32_t n) {
    EveryWithID(id, [&](t_entity& e) { e.hp = AddHitPoints(e.hp, -static_cast<int64_t>(n)); });
    return 0;
}

int32_t t_EntityMgr::GetTeamID(int32_t id) const {
    const t_entity* e = LastWithID(id);
    return e ? e->teamID : 0;
}

int32_t t_EntityMgr::GetPerception(int32_t id) const {
    const t_entity* e = LastWithID(id);
    return e ? e->perception : 0;
}

int t_EntityMgr::OnDeath() { return 0; }

std::string t_EntityMgr::showRoomEntities(int32_t roomNum) const {
    std::string text;
    bool anyone = false;
    for (const auto& e : t_entity::_list) {
        if (e->roomNum != roomNum || e->id == MainPrg->localPlayerID || e->isEnabled != 1) continue;
        if (e->canTake != 0)
            text += "  There is a " + e->name + " on the " + e->location + ". ";
        else if (!anyone)
            text += "  There is a " + e->name + " here. ";
        if (e->teamID != Team::Neutral && e->teamID != GetTeamID(MainPrg->localPlayerID))
            text += "The " + e->name + (e->isAlerted != 0 ? " is" : " is not") + " alerted to your presence.";
        anyone = true;
    }
    return text + (anyone ? "\n\n" : "\n");
}

std::string t_EntityMgr::DoNPCActions(int32_t roomNum) {
    std::string text;
    for (const auto& e : t_entity::_list) {
        if (e->roomNum != roomNum || e->id == MainPrg->localPlayerID || e->teamID != Team::Monsters ||
            e->isAlerted != 1)
            continue;
        text += "  The " + e->name + " attacks you. ";
        text += DoCombat(e->id, MainPrg->localPlayerID);
    }
    return text;
}
