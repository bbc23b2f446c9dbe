#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

// Object-type categories: taking a weapon or armour may equip it; random
// treasure and random monsters pick a type of their category. No type has 6.
namespace ObjectCategory {
enum Code : int32_t {
    Character = 1,
    Armour = 2,
    Weapon = 3,
    Treasure = 4,
    Elixir = 5,
    Provisions = 7,  // food and the two sacks
    Monster = 8,
};
}  // namespace ObjectCategory

// The types the rules name by ID (the table's IDs must be these), and the
// types they find by name, ignoring letter case.
inline constexpr int32_t kCharacterType = 1;  // only such things can be asked
inline constexpr int32_t kElixirType = 6;
inline constexpr int32_t kTreasureType = 7;
inline constexpr int32_t kFoodType = 8;
inline constexpr const char* kFoodName = "food";
inline constexpr const char* kElixirName = "elixir";
inline constexpr const char* kTreasureName = "treasure";
inline constexpr const char* kFlourSackName = "sack of flour";
inline constexpr const char* kPotatoSackName = "sack of potatoes";
// The types of the other things placed at the start.
inline constexpr int32_t kDragonType = 5;
inline constexpr int32_t kSwordType = 9;
inline constexpr int32_t kAxeType = 10;
inline constexpr int32_t kFurCloakType = 11;
inline constexpr int32_t kFlourSackType = 12;
inline constexpr int32_t kPotatoSackType = 13;

// One kind of thing that can exist in the world; never changed after loading.
class TObjectTypeData : public Record<TObjectTypeData> {
public:
    int32_t id = 0;
    std::string name;
    std::string imgFn;
    std::string description;
    int32_t buildRate = 0;
    int32_t category = 0;
    int32_t madeBy = 0;
    int32_t resourceA = 0;
    int32_t cost = 0;
    int32_t hp = 0;
    int32_t dexterity = 0;
    int32_t strength = 0;
    int32_t perception = 0;
    int32_t attack = 0;
    int32_t cargoCap = 0;
    int32_t moneyValue = 0;
    uint8_t canTake = 0;
    uint8_t isUsable = 0;
};

// The catalogue of object types. Look-ups by ID answer from the first match.
class TObjectTypeMgr {
public:
    TObjectTypeMgr();

    // The random pick's candidate slots (slot 0 unused); not the table's size.
    const int32_t NUM_OBJECT_TYPES = 8;

    int AddObjectType(int32_t id, const std::string& name, const std::string& imgFn, const std::string& description,
                      int32_t buildRate, int32_t category, int32_t madeBy, int32_t resourceA, int32_t cost, int32_t hp,
                      int32_t dexterity, int32_t strength, int32_t perception, int32_t attack, int32_t cargoCap,
                      uint8_t canTake, uint8_t isUsable);
    int32_t GetInitiative(int32_t id) const;
    int32_t GetHP(int32_t id) const;
    std::string GetName(int32_t id) const;
    const TObjectTypeData* GetObjPtrByType(int32_t id) const;
    int32_t RndTreasureType(int32_t category, int32_t unused) const;
    int32_t RndMonsterType(int32_t category, int32_t unused) const;
    int32_t GetCategoryByID(int32_t id) const;
    int32_t GetObjectTypeIDByName(const std::string& name) const;
    int32_t GetCostByID(int32_t id) const;
    int32_t GetDexterityByID(int32_t id) const;
    int32_t GetStrengthByID(int32_t id) const;
};
