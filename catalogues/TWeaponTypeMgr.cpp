#include "catalogues/TWeaponTypeMgr.h"

#include "catalogues/TObjectTypeMgr.h"
#include "framework/Framework.h"

namespace {

struct WeaponTypeRow {
    ObjectCategory::Code objType;
    const char* name;
    int32_t damage, price;
};

// A weapon is tied to the thing that carries it by name alone; Fists belong
// to no object type.
constexpr WeaponTypeRow kWeaponTypes[] = {
    // objType               name     damage price
    {ObjectCategory::Weapon, "Fists",     6,     0},
    {ObjectCategory::Weapon, "Sword",     8,     1},
    {ObjectCategory::Weapon, "Axe",      12,     2},
};

}  // namespace

TWeaponTypeMgr::TWeaponTypeMgr() {
    // ID 0: each weapon takes the running count, 1, 2, 3 in table order.
    for (const WeaponTypeRow& w : kWeaponTypes) AddWeaponType(0, w.objType, w.name, w.damage, w.price);
}

int TWeaponTypeMgr::AddWeaponType(int32_t id, int32_t objType, const std::string& name, int32_t damage,
                                  int32_t price) {
    TWeaponTypeData* w = NewRecord<TWeaponTypeData>();
    ++NumWeaponTypes;
    w->id = id != 0 ? id : NumWeaponTypes;
    w->objType = objType;
    w->name = name;
    w->damage = damage;
    w->price = price;
    return 0;
}

int32_t TWeaponTypeMgr::GetWeaponDamageByName(const std::string& name) const {
    int32_t result = 0;
    for (const auto& w : TWeaponTypeData::_list)
        if (w->name == name) result = w->damage;
    return result;
}

int32_t TWeaponTypeMgr::GetWeaponDamageByID(int32_t id) const {
    int32_t result = 0;
    for (const auto& w : TWeaponTypeData::_list)
        if (w->id == id) result = w->damage;
    return result;
}

int32_t TWeaponTypeMgr::GetWeaponIDByName(const std::string& name) const {
    const std::string wanted = LowerAscii(name);
    int32_t result = 0;
    for (const auto& w : TWeaponTypeData::_list)
        if (LowerAscii(w->name) == wanted) result = w->id;
    return result;
}

std::string TWeaponTypeMgr::GetWeaponNameByID(int32_t id) const {
    std::string result = "none";
    for (const auto& w : TWeaponTypeData::_list)
        if (w->id == id) result = w->name;
    return result;
}
