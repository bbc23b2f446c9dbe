#include "catalogues/TObjectTypeMgr.h"

#include "catalogues/ObjectTypeTexts.h"
#include "framework/Framework.h"

#include <algorithm>
#include <vector>


namespace {

// The values an entity of the type is made from, and those the inventory
// score reads; resource, attack and cargo capacity are read by no rule.
struct ObjectTypeRow {
    int32_t id;
    const char* name;
    ObjectCategory::Code category;
    int32_t resourceA, cost, hp, dexterity, strength, perception, attack, cargoCap;
    uint8_t canTake, isUsable;
};

// The IDs of the types the rules name (kElixirType, kFoodType, ...) must be
// these; the examine texts come from ObjectTypeDescription by ID.
constexpr ObjectTypeRow kObjectTypes[] = {
    // id name                        category                    resA cost hp dex str per att cargo take use
    {  1, "Roamling",                 ObjectCategory::Character,    0,   0, 6, 18, 18, 18, 23,   10,   0,   0},
    {  2, "Ferocious werewolf",       ObjectCategory::Monster,      0,   0, 6, 24, 20, 18, 32,   20,   0,   0},
    {  3, "Fanatical fleshgorger",    ObjectCategory::Monster,      0,   0, 6, 14, 12, 12, 32,   20,   0,   0},
    {  4, "Maloventy maldemer",       ObjectCategory::Monster,      0,   0, 6, 12, 15,  6, 32,   20,   0,   0},
    {  5, "Devastating Earth-Dragon", ObjectCategory::Monster,      0,   0, 6, 31, 24, 18, 32,   20,   0,   0},
    {  6, "Elixir",                   ObjectCategory::Elixir,       0,   0, 1,  0,  0,  0,  0,    1,   1,   1},
    {  7, "Treasure",                 ObjectCategory::Treasure,     0,   0, 1,  0,  0,  0,  0,    1,   1,   1},
    {  8, "Food",                     ObjectCategory::Provisions,   1,   0, 0,  0,  0,  0,  0,  100,   1,   0},
    {  9, "Sword",                    ObjectCategory::Weapon,       0,   2, 0,  8,  1,  0,  0,    0,   1,   0},
    { 10, "Axe",                      ObjectCategory::Weapon,       0,   3, 0, 12,  1,  0,  0,    0,   1,   0},
    { 11, "Fur cloak",                ObjectCategory::Armour,       0,   5, 5,  1,  6,  0,  0,    1,   1,   0},
    { 12, "sack of flour",            ObjectCategory::Provisions,   0,   0, 0,  0,  0,  0,  0,    5,   0,   0},
    { 13, "sack of potatoes",         ObjectCategory::Provisions,   0,   0, 0,  0,  0,  0,  0,    5,   0,   0},
};

}  // namespace

TObjectTypeMgr::TObjectTypeMgr() {
    // No type has a picture, a build rate or a maker.
    for (const ObjectTypeRow& t : kObjectTypes)
        AddObjectType(t.id, t.name, "", std::string(ObjectTypeDescription(t.id)), 0, t.category, 0, t.resourceA, t.cost,
                      t.hp, t.dexterity, t.strength, t.perception, t.attack, t.cargoCap, t.canTake, t.isUsable);
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
