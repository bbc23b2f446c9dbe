#pragma once

#include "framework/Record.h"

#include <cstdint>

// One stock line: what one owner holds of one object type. At most one line
// per owner and type; a line consumed down to 0 is removed.
class t_inventory : public Record<t_inventory> {
public:
    int32_t id = 0;
    int32_t EntityID = 0;
    int32_t itemID = 0;
    int32_t qty = 0;
};

class TInventoryMgr {
public:
    TInventoryMgr();

    int32_t NumInvItems = 0;

    int Init();
    int Reset();
    uint8_t addInventory(int32_t entityID, int32_t itemID, int32_t qty);
    uint8_t ConsumeItmByEntityIDandItemID(int32_t entityID, int32_t itemID);
    int ShowInventory(int32_t entityID);
    int32_t GetQtyByEntityIDAndItemID(int32_t entityID, int32_t itemID) const;
    uint8_t hasItem(int32_t entityID, int32_t itemID) const;
    int32_t CalcScorePoints(int32_t entityID) const;
};
