#include "world/TInventoryMgr.h"

#include "catalogues/TObjectTypeMgr.h"
#include "shell/Globals.h"
#include "shell/TWindowMgr.h"
#include "world/t_EntityMgr.h"

#include <algorithm>


namespace {

t_inventory* FindLine(int32_t entityID, int32_t itemID) {
    for (const auto& line : t_inventory::_list)
        if (line->EntityID == entityID && line->itemID == itemID) return line.get();
    return nullptr;
}

}  // namespace

TInventoryMgr::TInventoryMgr() { Init(); }

int TInventoryMgr::Init() {
    NumInvItems = 0;
    // The player's ID is a constant here: MainPrg does not exist yet.
    addInventory(1, ObjectTypeMgr->GetObjectTypeIDByName(kFoodName), 10);
    return 0;
}

int TInventoryMgr::Reset() {
    t_inventory::_list.clear();
    NumInvItems = 0;
    return Init();
}

uint8_t TInventoryMgr::addInventory(int32_t entityID, int32_t itemID, int32_t qty) {
    if (t_inventory* line = FindLine(entityID, itemID)) {
        line->qty += qty;
        return 1;
    }
    ++NumInvItems;
    t_inventory* line = NewRecord<t_inventory>();
    line->id = NumInvItems;
    line->EntityID = entityID;
    line->itemID = itemID;
    line->qty = qty;
    return 1;
}

uint8_t TInventoryMgr::ConsumeItmByEntityIDandItemID(int32_t entityID, int32_t itemID) {
    auto it = std::find_if(t_inventory::_list.begin(), t_inventory::_list.end(), [&](const auto& line) {
        return line->EntityID == entityID && line->itemID == itemID;
    });
    if (it == t_inventory::_list.end() || (*it)->qty < 1) return 0;
    if (--(*it)->qty == 0) t_inventory::_list.erase(it);
    return 1;
}

int TInventoryMgr::ShowInventory(int32_t entityID) {
    std::string text = "Items in Inventory for " + EntityMgr->GetName(entityID) + ":\n";
    bool any = false;
    for (const auto& line : t_inventory::_list) {
        if (line->EntityID != entityID) continue;
        any = true;
        text += "  ";
        if (line->qty > 1) text += std::to_string(line->qty) + " ";
        text += ObjectTypeMgr->GetName(line->itemID) + "\n";
    }
    if (!any) text += "  Inventory is empty.\n";
    text += "\n";
    WindowMgr->AppendStoryArea(text);
    return 0;
}

int32_t TInventoryMgr::GetQtyByEntityIDAndItemID(int32_t entityID, int32_t itemID) const {
    const t_inventory* line = FindLine(entityID, itemID);
    return line ? line->qty : 0;
}

uint8_t TInventoryMgr::hasItem(int32_t entityID, int32_t itemID) const {
    // Two independent tests: the owner has some line, and some line of any
    // owner holds the type.
    bool owns = false, held = false;
    for (const auto& line : t_inventory::_list) {
        owns = owns || line->EntityID == entityID;
        held = held || line->itemID == itemID;
    }
    return owns && held ? 1 : 0;
}

int32_t TInventoryMgr::CalcScorePoints(int32_t entityID) const {
    int32_t points = 0;
    for (const auto& line : t_inventory::_list) {
        if (line->EntityID != entityID) continue;
        if (line->itemID == kTreasureType)
            points += 2 * line->qty;
        else if (line->itemID == kFoodType)
            points += line->qty;
        else
            points += 10 * ObjectTypeMgr->GetCostByID(line->itemID) + 5 * ObjectTypeMgr->GetDexterityByID(line->itemID) +
                      5 * ObjectTypeMgr->GetStrengthByID(line->itemID);
    }
    return points;
}
