#include "story/TTriggerMgr.h"

#include "catalogues/TObjectTypeMgr.h"
#include "framework/Framework.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TriggerTexts.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <algorithm>
#include <string_view>

namespace {

using namespace TriggerEffect;

// A treasure chance brings treasure on a draw of this or less in 1 to 100,
// whatever the trigger's targetValue holds: that is the treasure's level.
constexpr int32_t kTreasureChance = 32;

// The flags as the table spells them.
constexpr uint8_t kEnabled = 1;     // every trigger starts able to fire
constexpr uint8_t kOneOff = 0;      // switched off after firing on an entrance, or by Disable
constexpr uint8_t kPersistent = 1;  // fires on every entrance; Disable leaves it alone
constexpr uint8_t kOnEntry = 1;     // fires when its room is entered, and when fired by ID
constexpr uint8_t kByID = 0;        // fires only when fired by ID

const std::string_view kLiftText = LiftStoryText();
const std::string_view kDragonText = DragonStoryText();
constexpr std::string_view kDrinkText = "  You take your chances and decide to drink the liquid. \n";

struct TriggerRow {
    uint16_t id, room;
    Category effect;
    int32_t target, targetValue;
    uint8_t isEnabled, isPersistent, isEntryTrigger;
    std::string_view text;
};

// Loaded in this order, which is the order a room's triggers fire in. The
// rooms: 2 Audience Chamber, 3 The Great Hall, 4 Meeting Room, 7 Kitchen,
// 8 Store Room, 10 Rear Vestibule, 12 Dungeon, 13 Prison Guardroom,
// 14 Master Chamber, 15 Upper Hallway, 17 Chambermaid Chamber, 19 Armory.
// The target is the room, trigger, entity or object category the effect acts
// on; the value is the alert flag a woken creature gets, the treasure's level,
// or a monster chance's bound (a draw below it brings one).
const TriggerRow kTriggers[] = {
    // id                    room effect          target                    value enabled   persistent   entry     text
    {1,                      8,   StoryText,      0,                        0,    kEnabled, kOneOff,     kOnEntry, kLiftText},
    {kDragonStoryTrigger,    17,  StoryText,      0,                        0,    kEnabled, kOneOff,     kOnEntry, kDragonText},
    {kDragonWakeTrigger,     17,  WakeCreature,   kDragonEntity,            1,    kEnabled, kOneOff,     kOnEntry, ""},
    {kDrinkStoryTrigger,     14,  StoryText,      0,                        0,    kEnabled, kOneOff,     kByID,    kDrinkText},
    {5,                      4,   TreasureChance, ObjectCategory::Treasure, 1,    kEnabled, kPersistent, kOnEntry, ""},
    {6,                      4,   MonsterChance,  ObjectCategory::Monster,  20,   kEnabled, kPersistent, kOnEntry, ""},
    {kElixirTreasureTrigger, 2,   TreasureChance, ObjectCategory::Treasure, 1,    kEnabled, kPersistent, kOnEntry, ""},
    {8,                      2,   MonsterChance,  ObjectCategory::Monster,  50,   kEnabled, kPersistent, kOnEntry, ""},
    {9,                      3,   MonsterChance,  ObjectCategory::Monster,  50,   kEnabled, kPersistent, kOnEntry, ""},
    {10,                     12,  MonsterChance,  ObjectCategory::Monster,  50,   kEnabled, kPersistent, kOnEntry, ""},
    {11,                     15,  MonsterChance,  ObjectCategory::Monster,  50,   kEnabled, kPersistent, kOnEntry, ""},
    {12,                     14,  MonsterChance,  ObjectCategory::Monster,  50,   kEnabled, kPersistent, kOnEntry, ""},
    {13,                     19,  HurtPlayer,     HurtBy::Spider,           0,    kEnabled, kOneOff,     kOnEntry, ""},
    {14,                     13,  HurtPlayer,     HurtBy::Ghost,            0,    kEnabled, kOneOff,     kOnEntry, ""},
    {15,                     10,  MonsterChance,  ObjectCategory::Monster,  100,  kEnabled, kPersistent, kOnEntry, ""},
    {16,                     8,   TreasureChance, ObjectCategory::Treasure, 1,    kEnabled, kPersistent, kOnEntry, ""},
    {17,                     7,   MonsterChance,  ObjectCategory::Monster,  25,   kEnabled, kPersistent, kOnEntry, ""},
};

}  // namespace

TTriggerMgr::TTriggerMgr() { Init(); }

int TTriggerMgr::addTrigger(uint16_t id, uint16_t roomNum, uint16_t category, int32_t target, int32_t targetValue,
                            uint8_t isEnabled, uint8_t isPersistent, uint8_t isEntryTrigger,
                            const std::string& StoryText) {
    TTrigger* t = NewRecord<TTrigger>();
    t->id = id;
    t->roomNum = roomNum;
    t->category = category;
    t->target = target;
    t->targetValue = targetValue;
    t->isEnabled = isEnabled;
    t->isPersistent = isPersistent;
    t->isEntryTrigger = isEntryTrigger;
    t->StoryText = StoryText;
    return 0;
}

int TTriggerMgr::Init() {
    for (const TriggerRow& r : kTriggers)
        addTrigger(r.id, r.room, r.effect, r.target, r.targetValue, r.isEnabled, r.isPersistent, r.isEntryTrigger,
                   std::string(r.text));
    return 0;
}

int TTriggerMgr::Reset() {
    TTrigger::_list.clear();
    return Init();
}

int TTriggerMgr::Activate(int32_t id) {
    const auto same = std::find_if(walks_.rbegin(), walks_.rend(), [id](const Walk& w) { return w.id == id; });
    if (same != walks_.rend() && same->switchedOffBefore == switchedOff_) return 0;
    walks_.push_back({id, switchedOff_});
    for (const auto& t : TTrigger::_list)
        if (t->id == id && t->isEnabled == 1) Effect(*t);
    walks_.pop_back();
    return 0;
}

void TTriggerMgr::SwitchOff(TTrigger& trigger) {
    if (trigger.isEnabled == 1) ++switchedOff_;
    trigger.isEnabled = 0;
}

void TTriggerMgr::Effect(TTrigger& trigger) {
    const int32_t player = MainPrg->localPlayerID;
    switch (trigger.category) {
        case TriggerEffect::StoryText:
            WindowMgr->AppendStoryArea(trigger.StoryText);
            break;
        case TriggerEffect::OpenPathway:
            RoomMgr->EnablePathway(trigger.target, trigger.targetValue, kPathwayUp);
            break;
        case TriggerEffect::Chain:
            if (trigger.isPersistent == 0) SwitchOff(trigger);
            Activate(trigger.target);
            break;
        case TriggerEffect::WakeCreature:
            EntityMgr->setAlertness(trigger.target, trigger.targetValue);
            break;
        case TriggerEffect::TreasureChance:
            if (Rand(1, 100) <= kTreasureChance) EntityMgr->RndTreasureEntity(trigger.target, trigger.targetValue);
            break;
        case TriggerEffect::MonsterChance:
            if (Rand(1, 100) < trigger.targetValue) EntityMgr->RndMonsterEnemy(trigger.target, 1);
            break;
        case TriggerEffect::HurtPlayer: {
            const char* text = nullptr;
            if (trigger.target == HurtBy::Ghost)
                text = " The ghost of the guard has awoken! He makes eye contact with you, pauses for a moment, and "
                       "then disappears. Your strength has decreased due to the fright you suffered. You are ";
            else if (trigger.target == HurtBy::Spider)
                text = " As you enter the room, you are bitten by a spider. You are ";
            if (!text) break;
            EntityMgr->SubtractHP(player, 1);
            WindowMgr->AppendStoryArea(text + WoundWord(EntityMgr->GetHPByID(player)) + ".\n");
            break;
        }
        default:
            break;
    }
}

int TTriggerMgr::Disable(int32_t id) {
    for (const auto& t : TTrigger::_list)
        if (t->id == id && t->isPersistent == 0) SwitchOff(*t);
    return 0;
}

int TTriggerMgr::checkRoomEntrance(uint16_t roomNum) {
    for (const auto& t : TTrigger::_list) {
        if (t->roomNum != roomNum || t->isEnabled != 1 || t->isEntryTrigger != 1) continue;
        Activate(t->id);
        if (t->isPersistent == 0) Disable(t->id);
    }
    return 0;
}
