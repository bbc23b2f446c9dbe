#include "catalogues/TArmorTypeMgr.h"

#include "catalogues/TObjectTypeMgr.h"
#include "framework/Framework.h"

namespace {

struct ArmorTypeRow {
    ObjectCategory::Code objType;
    const char* name;
    int32_t defValue, price;
};

// Lower case, while the thing that carries it is "Fur cloak": the armour
// look-ups by name ignore letter case.
constexpr ArmorTypeRow kArmorTypes[] = {
    // objType               name         defValue price
    {ObjectCategory::Armour, "fur cloak",       2,     5},
};

}  // namespace

TArmorTypeMgr::TArmorTypeMgr() {
    // ID 0: each armour takes the running count.
    for (const ArmorTypeRow& a : kArmorTypes) AddArmorType(0, a.objType, a.name, a.defValue, a.price);
}

int TArmorTypeMgr::AddArmorType(int32_t id, int32_t objType, const std::string& name, int32_t defValue,
                                int32_t price) {
    TArmorTypeData* a = NewRecord<TArmorTypeData>();
    ++NumArmorTypes;
    a->id = id != 0 ? id : NumArmorTypes;
    a->objType = objType;
    a->name = name;
    a->defValue = defValue;
    a->price = price;
    return 0;
}

int32_t TArmorTypeMgr::GetArmorValueByID(int32_t id) const {
    int32_t result = 0;
    for (const auto& a : TArmorTypeData::_list)
        if (a->id == id) result = a->defValue;
    return result;
}

int32_t TArmorTypeMgr::GetArmorValueByName(const std::string& name) const {
    const std::string wanted = LowerAscii(name);
    int32_t result = 0;
    for (const auto& a : TArmorTypeData::_list)
        if (LowerAscii(a->name) == wanted) result = a->defValue;
    return result;
}

int32_t TArmorTypeMgr::GetArmorIDByName(const std::string& name) const {
    const std::string wanted = LowerAscii(name);
    int32_t result = 0;
    for (const auto& a : TArmorTypeData::_list)
        if (LowerAscii(a->name) == wanted) result = a->id;
    return result;
}

std::string TArmorTypeMgr::GetArmorNameByID(int32_t id) const {
    std::string result = "none";
    for (const auto& a : TArmorTypeData::_list)
        if (a->id == id) result = a->name;
    return result;
}
