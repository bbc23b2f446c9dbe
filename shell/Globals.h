// The game's singletons and shared values. They are built by StartThornvale
// in a fixed order and live until StopThornvale.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TWindowMgr;
class TTriggerMgr;
class TStoryMgr;
class t_RoomMgr;
class TWeaponTypeMgr;
class TArmorTypeMgr;
class TObjectTypeMgr;
class TInventoryMgr;
class t_EntityMgr;
class TPlayerMgr;
class MainAPP;

extern std::unique_ptr<TWindowMgr> WindowMgr;
extern std::unique_ptr<TTriggerMgr> TriggerMgr;
extern std::unique_ptr<TStoryMgr> StoryMgr;
extern std::unique_ptr<t_RoomMgr> RoomMgr;
extern std::unique_ptr<TWeaponTypeMgr> WeaponTypeMgr;
extern std::unique_ptr<TArmorTypeMgr> ArmorTypeMgr;
extern std::unique_ptr<TObjectTypeMgr> ObjectTypeMgr;
extern std::unique_ptr<TInventoryMgr> InventoryMgr;
extern std::unique_ptr<t_EntityMgr> EntityMgr;
extern std::unique_ptr<TPlayerMgr> PlayerMgr;
extern std::unique_ptr<MainAPP> MainPrg;

// Wound words, indexed by hit points 0..6.
extern std::array<std::string, 7> WoundLevelList;
// The wound word for any hit points: clamped to 0..6 first.
const std::string& WoundWord(int32_t hp);

// Builds every global in start-up order and starts the first game. The
// framework backend must be installed first.
void StartThornvale();
// Tears the globals down again, so that a test can start a fresh game.
void StopThornvale();
