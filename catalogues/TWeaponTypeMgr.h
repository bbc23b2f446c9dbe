#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

class TWeaponTypeData : public Record<TWeaponTypeData> {
public:
    int32_t id = 0;
    int32_t objType = 0;
    std::string name;
    int32_t damage = 0;
    int32_t price = 0;
};

// The weapon catalogue. Every look-up walks the whole list: the last match wins.
class TWeaponTypeMgr {
public:
    TWeaponTypeMgr();

    int32_t MAX_WEAPON_TYPES = 2;  // limits nothing
    int32_t NumWeaponTypes = 0;

    int AddWeaponType(int32_t id, int32_t objType, const std::string& name, int32_t damage, int32_t price);
    // Compares the name exactly, letter case included.
    int32_t GetWeaponDamageByName(const std::string& name) const;
    int32_t GetWeaponDamageByID(int32_t id) const;
    int32_t GetWeaponIDByName(const std::string& name) const;
    std::string GetWeaponNameByID(int32_t id) const;
};
