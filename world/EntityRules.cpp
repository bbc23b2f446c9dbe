// The rules of play that act on entities: fights, survival, random monsters
// and treasure, and what the player does with the things in a room.
#include "catalogues/TArmorTypeMgr.h"
#include "catalogues/TObjectTypeMgr.h"
#include "catalogues/TWeaponTypeMgr.h"
#include "framework/Framework.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"

#include <algorithm>
#include <limits>

namespace {

int32_t ToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The dice of the game: a roll between a sixth of the value and the value.
int32_t Roll(int32_t value) { return Rand(value / 6, value); }

void Append(const std::string& text) { WindowMgr->AppendStoryArea(text); }

}  // namespace

std::string t_EntityMgr::DoCombat(int32_t attackerID, int32_t defenderID) {
    t_entity* attacker = GetEntityPtr(attackerID);
    t_entity* defender = GetEntityPtr(defenderID);
    if (!attacker || !defender) return "";
    SeedRnd(MilliSecs());
    const std::string first = Strike(*attacker, *defender);
    // The defender strikes back from the hit points the first strike left.
    const std::string second = Strike(*defender, *attacker);
    return "*** FIGHTING ***\n\n" + first + second;
}

std::string t_EntityMgr::Strike(t_entity& striker, t_entity& struck) {
    const int32_t weaponDamage = WeaponTypeMgr->GetWeaponDamageByID(striker.weapon1ID);
    const int32_t armorValue = ArmorTypeMgr->GetArmorValueByID(struck.armor1ID);
    const int32_t attack = ToInt32(int64_t{striker.dexterity} - 3 * (6 - int64_t{striker.hp}));
    const int32_t defence = ToInt32(int64_t{struck.strength} - 3 * (6 - int64_t{struck.hp}));
    // Both rolls are drawn before anything is decided.
    const int32_t attackRoll = Roll(attack);
    const int32_t defenceRoll = Roll(defence);

    if (striker.hp <= kTooWoundedHP) {
        striker.isAlerted = 0;
        return "The " + striker.name + " is unconscious and unable to fight.\n\n";
    }
    if (attackRoll <= defenceRoll) return "The " + striker.name + " missed.\n\n";

    const int64_t damage = int64_t{Roll(weaponDamage)} - armorValue;
    int32_t levels = 0;
    if (damage >= 16) {
        levels = 5;
        struck.hp = AddHitPoints(struck.hp, -5);
    } else if (damage >= 13) {
        levels = 4;
        struck.hp = AddHitPoints(struck.hp, -4);
    } else if (damage >= 9) {
        levels = 3;
        struck.hp = AddHitPoints(struck.hp, -3);
    } else if (damage >= 4) {
        levels = 2;
        struck.hp = AddHitPoints(struck.hp, -2);
    } else if (damage >= 1) {
        // A light hit only takes an unhurt character down one level.
        levels = 1;
        if (struck.hp > 5) struck.hp -= 1;
    }
    if (struck.hp < 0) struck.hp = 0;
    if (struck.hp == 0) {
        struck.isDead = 1;
        PlayerMgr->AddFrag(striker.ownerID, 1);
    }
    return striker.name + " hit and did " + std::to_string(levels) + " levels of damage. " + struck.name + " is " +
           WoundWord(struck.hp) + ".\n\n";
}

int t_EntityMgr::DoSurvival(int32_t id) {
    if (id != MainPrg->localPlayerID) return 0;
    for (const auto& entity : t_entity::_list) {
        t_entity& e = *entity;
        // Hit points 1 and 2 only: at 0 or below the check does not run.
        if (e.id != id || e.hp < 1 || e.hp > kTooWoundedHP || e.isDead != 0) continue;
        // Every pass eats, faints, worsens or kills, and food runs out, so
        // this ends with hp 3 or more, or dead.
        do {
            const std::string youAre = "You are " + WoundWord(e.hp) + ". ";
            const int32_t roll = Roll(e.strength);
            Append(youAre);
            if (roll < 8) {
                if (e.hp == 1) {
                    Append("Your strength has failed you. You have died from your mortal wounds!\n\n");
                    e.isEnabled = 0;
                    e.isDead = 1;
                } else if (e.isEnabled != 0) {
                    Append("Your strength has failed you. You are " + WoundWord(e.hp) +
                           " and unconscious for a moment.\n\n");
                    e.isEnabled = 0;
                } else {
                    e.hp -= 1;
                    Append("You were already unconsious, so your health has worsened. You are now " + WoundWord(e.hp) +
                           ". ");
                }
            } else {
                Append("Your strength has enabled you to be alert before slipping into unconsciousness. ");
                if (ConsumeFood(id)) {
                    e.isEnabled = 1;
                    e.isAlerted = 1;
                } else if (e.isEnabled != 0) {
                    Append("Since you have no food to help regain strength, you have slipped into unconsciousness.\n\n");
                    e.isEnabled = 0;
                } else {
                    e.hp -= 1;
                    Append("You were were conscious for a moment, but you did not have food to help you gain strength. "
                           "As a result your health has worsened. You are now " +
                           WoundWord(e.hp) + " and unconscious. ");
                    if (e.hp <= 0) e.isDead = 1;
                }
            }
        } while (e.hp <= kTooWoundedHP && e.isDead == 0);
    }
    return 0;
}

int32_t t_EntityMgr::RndMonsterEnemy(int32_t category, int32_t) {
    const int32_t type = ObjectTypeMgr->RndMonsterType(category, 1);
    // A category without types brings no creature.
    if (!ObjectTypeMgr->GetObjPtrByType(type)) return 0;
    Append("A " + ObjectTypeMgr->GetName(type) + " appears!\n\n");
    const int32_t id = CreateEntityByObjectType(type, MainPrg->currentRm, "ground", 0, Team::Monsters, Keeper::Computer);
    SetWeapon1IDByID(id, WeaponTypeMgr->GetWeaponIDByName("Fists"));
    const int32_t playerPerception = GetPerception(MainPrg->localPlayerID);
    const int32_t creaturePerception = GetPerception(id);
    const int32_t creatureRoll = Roll(creaturePerception);
    const int32_t playerRoll = Roll(playerPerception);
    if (creatureRoll >= playerRoll) setAlertness(id, 1);
    return id;
}

int32_t t_EntityMgr::RndTreasureEntity(int32_t category, int32_t level) {
    SeedRnd(MilliSecs());
    const int32_t r = Rand(1, 100);
    int64_t value;
    if (r <= 29)
        value = int64_t{Rand(1, ToInt32(int64_t{level} + 5))} * 10;
    else if (r <= 52)
        value = int64_t{Rand(1, ToInt32(int64_t{level} + 7))} * 10;
    else if (r <= 95)
        value = int64_t{Rand(2, ToInt32(int64_t{level} + 15))} * 10;
    else
        value = int64_t{Rand(1, ToInt32(int64_t{level} + 3))} * 100;
    const int32_t gold = ToInt32(value);
    const int32_t type = ObjectTypeMgr->RndTreasureType(category, 1);
    const std::string name = ObjectTypeMgr->GetName(type);
    Append(name + " appears worth " + std::to_string(gold) + " gold pieces!\n\n");
    // Treasure can be taken and has no abilities; it is not usable, but
    // flagged to be disabled once used all the same.
    constexpr uint8_t kCanTake = 1, kNotUsable = 0, kDisableAfterUse = 1;
    constexpr int32_t kNoAbility = 0;
    const int32_t id = addEntity(0, name, type, MainPrg->currentRm, kCanTake,
                                 "It is " + name + " worth " + std::to_string(gold) + " gold pieces", "Floor", kNoAbility,
                                 kNoAbility, kNoAbility, kNotUsable, kDisableAfterUse, Team::Neutral, Keeper::None);
    InventoryMgr->addInventory(id, type, gold);
    return id;
}

void t_EntityMgr::getHints(int32_t roomNum) const {
    const int32_t playerTeam = GetTeamID(MainPrg->localPlayerID);
    for (const auto& e : t_entity::_list) {
        if (e->roomNum != roomNum || e->id == MainPrg->localPlayerID || e->isEnabled != 1) continue;
        WindowMgr->Window_Main_Create_Choice_Btn(Action::Examine, e->id, "Examine " + e->name);
        if (e->canTake == 1) WindowMgr->Window_Main_Create_Choice_Btn(Action::Take, e->id, "Take " + e->name);
        if (e->objectType == kCharacterType) WindowMgr->Window_Main_Create_Choice_Btn(Action::Ask, e->id, "Ask " + e->name);
        if (e->teamID != Team::Neutral && e->teamID != playerTeam)
            WindowMgr->Window_Main_Create_Choice_Btn(Action::Fight, e->id, "Fight the " + e->name);
        if (e->isUsable == 1 && e->isEnabled == 1)
            WindowMgr->Window_Main_Create_Choice_Btn(Action::Use, e->id, "Use " + e->name);
    }
}

std::string t_EntityMgr::getObjectDesc(int32_t id) const {
    const t_entity* e = GetEntityPtr(id);
    if (!e) return "";
    return "\n\nYou decide to examine the " + e->name + ".\n\n" + e->desc + "\n\n";
}

uint8_t t_EntityMgr::AskEntity(int32_t id) {
    const t_entity* e = GetEntityPtr(id);
    if (!e) return 0;
    Append("\n\nYou decided to talk with the " + e->name + ".");
    if (id == kAskRuleEntity) {
        TriggerMgr->Activate(kDrinkStoryTrigger);
        MainPrg->displayWhatNow();
    }
    return 0;
}

uint8_t t_EntityMgr::takeObject(int32_t entityID, int32_t roomNum, int32_t takerID) {
    auto it = std::find_if(t_entity::_list.begin(), t_entity::_list.end(), [&](const auto& e) {
        return e->id == entityID && e->roomNum == roomNum && e->canTake == 1;
    });
    if (it == t_entity::_list.end()) return 0;
    t_entity& thing = **it;

    const int32_t qty = InventoryMgr->GetQtyByEntityIDAndItemID(entityID, thing.objectType);
    InventoryMgr->addInventory(takerID, thing.objectType, qty);
    Append("\nYou took the " + thing.name + ".\n\n");

    if (thing.category == ObjectCategory::Weapon) {
        const int32_t newDamage = WeaponTypeMgr->GetWeaponDamageByName(thing.name);
        const int32_t current = WeaponTypeMgr->GetWeaponDamageByID(GetCurrentWeaponByID(takerID));
        if (newDamage > current) {
            SetWeapon1IDByID(takerID, WeaponTypeMgr->GetWeaponIDByName(thing.name));
            Append("The " + thing.name + " is now your primary weapon.\n\n");
        }
    }
    if (thing.category == ObjectCategory::Armour) {
        const int32_t newValue = ArmorTypeMgr->GetArmorValueByName(thing.name);
        const int32_t current = ArmorTypeMgr->GetArmorValueByID(GetCurrentArmorByID(takerID));
        if (newValue > current) {
            SetArmor1IDByID(takerID, ArmorTypeMgr->GetArmorIDByName(thing.name));
            Append("The " + thing.name + " is now your primary armory.\n\n");
        }
    }
    // Taken things leave the world at once, not at the next event.
    thing.isEnabled = 0;
    thing.isDead = 1;
    t_entity::_list.erase(it);
    return 1;
}

int t_EntityMgr::UseItem(int32_t id) {
    t_entity* e = GetEntityPtr(id);
    if (!e || e->objectType != ObjectTypeMgr->GetObjectTypeIDByName(kElixirName) || e->isEnabled != 1) return 0;
    const int32_t gain = ObjectTypeMgr->GetHP(e->objectType);
    AddHP(MainPrg->localPlayerID, gain);
    const int32_t hp = GetHPByID(MainPrg->localPlayerID);
    Append("\nIt's an " + ObjectTypeMgr->GetName(e->objectType) + ", so you drink it. You gain " + std::to_string(gain) +
           " wound points. Your wound level is " + WoundWord(hp) + ".\n\n");
    if (e->disableAfterUse == 1) e->isEnabled = 0;
    WindowMgr->UpdateHints();
    return 0;
}

uint8_t t_EntityMgr::ConsumeFood(int32_t id) {
    const int32_t food = ObjectTypeMgr->GetObjectTypeIDByName(kFoodName);
    const int32_t qty = InventoryMgr->GetQtyByEntityIDAndItemID(id, food);
    const int32_t hp = GetHPByID(id);
    if (qty < 1) {
        Append("Unfortunately, you have no food to consume.\n\n");
        return 0;
    }
    if (hp >= 6) {
        Append("Although the food appears appetizing, you are not wounded or fatigued, so you decide not to eat any "
               "food.\n\n");
        return 0;
    }
    InventoryMgr->ConsumeItmByEntityIDandItemID(id, food);
    const int32_t remaining = InventoryMgr->GetQtyByEntityIDAndItemID(id, food);
    AddHP(id, 1);
    const int32_t newHp = GetHPByID(id);
    Append("You had " + std::to_string(qty) + " units of food to consume. After consuming 1 unit, you now have " +
           std::to_string(remaining) + " units of food remaining. Your wound level is now " + WoundWord(newHp) +
           ".\n\n");
    return 1;
}
