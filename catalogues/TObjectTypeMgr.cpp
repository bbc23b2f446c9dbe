#include "catalogues/TObjectTypeMgr.h"

#include "catalogues/ObjectTypeTexts.h"
#include "framework/Framework.h"

#include <algorithm>
#include <vector>


TObjectTypeMgr::TObjectTypeMgr() {
    const std::string werewolf(WerewolfDescription());
    const std::string fleshgorger(FleshgorgerDescription());
    const std::string maldemer(MaldemerDescription());
    AddObjectType(1, "Roamling", "", "You are eager and ready to discover.", 0, 1, 0, 0, 0, 6, 18, 18, 18, 23, 10, 0, 0);
    AddObjectType(2, "Ferocious werewolf", "", werewolf, 0, 8, 0, 0, 0, 6, 24, 20, 18, 32, 20, 0, 0);
    AddObjectType(3, "Fanatical fleshgorger", "", fleshgorger, 0, 8, 0, 0, 0, 6, 14, 12, 12, 32, 20, 0, 0);
    AddObjectType(4, "Maloventy maldemer", "", maldemer, 0, 8, 0, 0, 0, 6, 12, 15, 6, 32, 20, 0, 0);
    AddObjectType(5, "Devastating Earth-Dragon", "", "It looks devastating and smells of sulfur.", 0, 8, 0, 0, 0, 6, 31,
                  24, 18, 32, 20, 0, 0);
    AddObjectType(6, "Elixir", "", "It is a small bottle containing some type of liquid. The bottle is corked.", 0, 5, 0,
                  0, 0, 1, 0, 0, 0, 0, 1, 1, 1);
    AddObjectType(7, "Treasure", "", "It is treasure.", 0, 4, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1);
    AddObjectType(8, "Food", "", "It is food. You can gain one wound level for each food you possess.", 0, 7, 0, 1, 0, 0,
                  0, 0, 0, 0, 100, 1, 0);
    AddObjectType(9, "Sword", "", "It is a short sword. Damage rating is 1D+2.", 0, 3, 0, 0, 2, 0, 8, 1, 0, 0, 0, 1, 0);
    AddObjectType(10, "Axe", "", "It is an axe. Damage rating is 2D.", 0, 3, 0, 0, 3, 0, 12, 1, 0, 0, 0, 1, 0);
    AddObjectType(11, "Fur cloak", "", "It is a fur cloak. Defense value of +2.", 0, 2, 0, 0, 5, 5, 1, 6, 0, 0, 1, 1, 0);
    AddObjectType(12, "sack of flour", "",
                  "It is a sack of flour. As you examine it, you find treasure. Then the sack disappears!", 0, 7, 0, 0, 0,
                  0, 0, 0, 0, 0, 5, 0, 0);
    AddObjectType(13, "sack of potatoes", "",
                  "It looks like a sack of potatoes. But when you get closer to it, a sound comes from the sack. Then "
                  "all of a sudden the sack vanishes and a creature appears!",
                  0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0);
}

int TObjectTypeMgr::AddObjectType(int32_t id, const std::string& name, const std::string& imgFn,
                                  const std::string& description, int32_t buildRate, int32_t category, int32_t madeBy,
                                  int32_t resourceA, int32_t cost, int32_t hp, int32_t dexterity, int32_t strength,
                                  int32_t perception, int32_t attack, int32_t cargoCap, uint8_t canTake,
                                  uint8_t isUsable) {
    TObjectTypeData* t = NewRecord<TObjectTypeData>();
    t->id = id;
    t->name = name;
    t->imgFn = imgFn;
    t->description = description;
    t->buildRate = buildRate;
    t->category = category;
    t->madeBy = madeBy;
    t->resourceA = resourceA;
    t->cost = cost;
    t->hp = hp;
    t->dexterity = dexterity;
    t->strength = strength;
    t->perception = perception;
    t->attack = attack;
    t->cargoCap = cargoCap;
    t->canTake = canTake;
    t->isUsable = isUsable;
    return 0;
}

const TObjectTypeData* TObjectTypeMgr::GetObjPtrByType(int32_t id) const {
    for (const auto& t : TObjectTypeData::_list)
        if (t->id == id) return t.get();
    return nullptr;
}

int32_t TObjectTypeMgr::GetInitiative(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->dexterity : 0;
}

int32_t TObjectTypeMgr::GetDexterityByID(int32_t id) const { return GetInitiative(id); }

int32_t TObjectTypeMgr::GetHP(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->hp : 0;
}

std::string TObjectTypeMgr::GetName(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->name : "none";
}

int32_t TObjectTypeMgr::GetCategoryByID(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->category : 0;
}

int32_t TObjectTypeMgr::GetCostByID(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->cost : 0;
}

int32_t TObjectTypeMgr::GetStrengthByID(int32_t id) const {
    const auto* t = GetObjPtrByType(id);
    return t ? t->strength : 0;
}

int32_t TObjectTypeMgr::GetObjectTypeIDByName(const std::string& name) const {
    const std::string wanted = LowerAscii(name);
    for (const auto& t : TObjectTypeData::_list)
        if (LowerAscii(t->name) == wanted) return t->id;
    return 0;
}

int32_t TObjectTypeMgr::RndTreasureType(int32_t category, int32_t) const {
    // Slot 0 stays empty and candidates fill 1, 2, ... in load order. The
    // slots grow past NUM_OBJECT_TYPES when a category holds more types, so
    // every candidate has a slot of its own.
    std::vector<int32_t> slots(static_cast<size_t>(NUM_OBJECT_TYPES), 0);
    int32_t count = 0;
    for (const auto& t : TObjectTypeData::_list) {
        if (t->category != category) continue;
        ++count;
        if (static_cast<size_t>(count) >= slots.size()) slots.resize(static_cast<size_t>(count) + 1, 0);
        slots[static_cast<size_t>(count)] = t->id;
    }
    return slots[static_cast<size_t>(Rand(1, count))];
}

int32_t TObjectTypeMgr::RndMonsterType(int32_t category, int32_t unused) const {
    return RndTreasureType(category, unused);
}
