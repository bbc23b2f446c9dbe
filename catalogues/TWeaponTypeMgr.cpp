#include "catalogues/TWeaponTypeMgr.h"

#include "framework/Framework.h"

TWeaponTypeMgr::TWeaponTypeMgr() {
    AddWeaponType(0, 3, "Fists", 6, 0);
    AddWeaponType(0, 3, "Sword", 8, 1);
    AddWeaponType(0, 3, "Axe", 12, 2);
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
