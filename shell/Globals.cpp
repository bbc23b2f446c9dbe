#include "shell/Globals.h"

#include "catalogues/TArmorTypeMgr.h"
#include "catalogues/TObjectTypeMgr.h"
#include "catalogues/TWeaponTypeMgr.h"
#include "framework/Framework.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

std::unique_ptr<TWindowMgr> WindowMgr;
std::unique_ptr<TTriggerMgr> TriggerMgr;
std::unique_ptr<TStoryMgr> StoryMgr;
std::unique_ptr<t_RoomMgr> RoomMgr;
std::unique_ptr<TWeaponTypeMgr> WeaponTypeMgr;
std::unique_ptr<TArmorTypeMgr> ArmorTypeMgr;
std::unique_ptr<TObjectTypeMgr> ObjectTypeMgr;
std::unique_ptr<TInventoryMgr> InventoryMgr;
std::unique_ptr<t_EntityMgr> EntityMgr;
std::unique_ptr<TPlayerMgr> PlayerMgr;
std::unique_ptr<MainAPP> MainPrg;

std::array<std::string, 7> WoundLevelList;

const std::string& WoundWord(int32_t hp) {
    const int32_t i = hp < 0 ? 0 : (hp > 6 ? 6 : hp);
    return WoundLevelList[static_cast<size_t>(i)];
}

namespace {

void ClearRecordLists() {
    TTrigger::_list.clear();
    t_room::_list.clear();
    TWeaponTypeData::_list.clear();
    TArmorTypeData::_list.clear();
    TObjectTypeData::_list.clear();
    t_inventory::_list.clear();
    t_entity::_list.clear();
    TPlayer::_list.clear();
    TActionData::_list.clear();
    TChoice::_list.clear();
    TStorySection::_list.clear();
    TWindowMgr::ActionDataList.clear();
}

}  // namespace

void StartThornvale() {
    ClearRecordLists();
    AppTitle = "Thornvale, v1.2.3";
    SeedRnd(MilliSecs());
    WoundLevelList = {"dead",    "mortally wounded", "incapacitated", "severely wounded",
                      "wounded", "stunned",          "not wounded"};

    // The catalogues come before the inventories and entities, whose start
    // content looks types up; every manager exists before MainAPP, whose
    // hook reaches them from the first event on.
    WindowMgr = std::make_unique<TWindowMgr>();
    TriggerMgr = std::make_unique<TTriggerMgr>();
    StoryMgr = std::make_unique<TStoryMgr>();
    RoomMgr = std::make_unique<t_RoomMgr>();
    WeaponTypeMgr = std::make_unique<TWeaponTypeMgr>();
    ArmorTypeMgr = std::make_unique<TArmorTypeMgr>();
    ObjectTypeMgr = std::make_unique<TObjectTypeMgr>();
    InventoryMgr = std::make_unique<TInventoryMgr>();
    EntityMgr = std::make_unique<t_EntityMgr>();
    PlayerMgr = std::make_unique<TPlayerMgr>();

    MainPrg = std::make_unique<MainAPP>();
    MainPrg->Init();
}

void StopThornvale() {
    if (MainPrg) RemoveHook(EmitEventHook, MainAPP::eventhook, MainPrg.get());
    MainPrg.reset();
    PlayerMgr.reset();
    EntityMgr.reset();
    InventoryMgr.reset();
    ObjectTypeMgr.reset();
    ArmorTypeMgr.reset();
    WeaponTypeMgr.reset();
    RoomMgr.reset();
    StoryMgr.reset();
    TriggerMgr.reset();
    WindowMgr.reset();
    ClearRecordLists();
}
