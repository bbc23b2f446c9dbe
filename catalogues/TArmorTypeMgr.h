#pragma once

#include "framework/Record.h"

#include <cstdint>
#include <string>

class TArmorTypeData : public Record<TArmorTypeData> {
public:
    int32_t id = 0;
    int32_t objType = 0;
    std::string name;
    int32_t defValue = 0;
    int32_t price = 0;
};

// The armour catalogue. Every look-up walks the whole list: the last match
// wins; names are compared ignoring letter case.
class TArmorTypeMgr {
public:
    TArmorTypeMgr();

    int32_t NumArmorTypes = 0;

    int AddArmorType(int32_t id, int32_t objType, const std::string& name, int32_t defValue, int32_t price);
    int32_t GetArmorValueByID(int32_t id) const;
    int32_t GetArmorValueByName(const std::string& name) const;
    int32_t GetArmorIDByName(const std::string& name) const;
    std::string GetArmorNameByID(int32_t id) const;
};
