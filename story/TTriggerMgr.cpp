#include "story/TTriggerMgr.h"

#include "framework/Framework.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TriggerTexts.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <algorithm>


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
    addTrigger(1, 8, 1, 0, 0, 1, 0, 1, std::string(LiftStoryText()));
    addTrigger(2, 17, 1, 0, 0, 1, 0, 1, std::string(DragonStoryText()));
    addTrigger(3, 17, 11, 2, 1, 1, 0, 1, "");
    addTrigger(4, 14, 1, 0, 0, 1, 0, 0, "  You take your chances and decide to drink the liquid. \n");
    addTrigger(5, 4, 12, 4, 1, 1, 1, 1, "");
    addTrigger(6, 4, 13, 8, 20, 1, 1, 1, "");
    addTrigger(7, 2, 12, 4, 1, 1, 1, 1, "");
    addTrigger(8, 2, 13, 8, 50, 1, 1, 1, "");
    addTrigger(9, 3, 13, 8, 50, 1, 1, 1, "");
    addTrigger(10, 12, 13, 8, 50, 1, 1, 1, "");
    addTrigger(11, 15, 13, 8, 50, 1, 1, 1, "");
    addTrigger(12, 14, 13, 8, 50, 1, 1, 1, "");
    addTrigger(13, 19, 14, 2, 0, 1, 0, 1, "");
    addTrigger(14, 13, 14, 1, 0, 1, 0, 1, "");
    addTrigger(15, 10, 13, 8, 100, 1, 1, 1, "");
    addTrigger(16, 8, 12, 4, 1, 1, 1, 1, "");
    addTrigger(17, 7, 13, 8, 25, 1, 1, 1, "");
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
        case 1:
            WindowMgr->AppendStoryArea(trigger.StoryText);
            break;
        case 8:
            RoomMgr->EnablePathway(trigger.target, trigger.targetValue, 8);
            break;
        case 10:
            if (trigger.isPersistent == 0) SwitchOff(trigger);
            Activate(trigger.target);
            break;
        case 11:
            EntityMgr->setAlertness(trigger.target, trigger.targetValue);
            break;
        case 12:
            if (Rand(1, 100) <= 32) EntityMgr->RndTreasureEntity(trigger.target, trigger.targetValue);
            break;
        case 13:
            if (Rand(1, 100) < trigger.targetValue) EntityMgr->RndMonsterEnemy(trigger.target, 1);
            break;
        case 14: {
            const char* text = nullptr;
            if (trigger.target == 1)
                text = " The ghost of the guard has awoken! He makes eye contact with you, pauses for a moment, and "
                       "then disappears. Your strength has decreased due to the fright you suffered. You are ";
            else if (trigger.target == 2)
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
