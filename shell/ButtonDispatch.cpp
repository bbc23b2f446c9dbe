// Where a button press becomes an action.
#include "catalogues/TArmorTypeMgr.h"
#include "catalogues/TObjectTypeMgr.h"
#include "catalogues/TWeaponTypeMgr.h"
#include "shell/Globals.h"
#include "shell/Links.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

namespace {

// The room the lift's "Go Up" button names: the Rear Vestibule.
constexpr int32_t kLiftUpRoom = 10;

}  // namespace

int TWindowMgr::UpdateHints() {
    const uint16_t room = MainPrg->currentRm;
    Window_Main_Clear_Choice_Btns();
    RoomMgr->GetHints(room);
    EntityMgr->getHints(room);
    StoryMgr->GetChoices(room);
    return 0;
}

int TWindowMgr::CheckBtnClick(const TGadget& source) {
    if (!source) return 0;
    const int32_t player = MainPrg->localPlayerID;
    if (source == VisitURLBtn) {
        OpenURL(kSoftwarePage);
    } else if (source == InstructionBtn) {
        OpenURL(kReadmeFile);
    } else if (source == InventoryBtn) {
        AppendStoryArea("Show Inventory\n\n");
        InventoryMgr->ShowInventory(player);
        MainPrg->displayWhatNow();
    } else if (source == RestartGameBtn) {
        Restart();
    } else if (source == ConsumeBtn) {
        AppendStoryArea("Eat food\n\nYou decide to consume some of your food. ");
        EntityMgr->ConsumeFood(player);
        MainPrg->displayWhatNow();
    } else if (source == StatsBtn) {
        ShowStats();
        MainPrg->displayWhatNow();
    } else if (ChoiceBtnNum != 0) {
        uint16_t category = 0;
        int32_t target = 0;
        bool found = false;
        for (const auto& action : TActionData::_list) {
            if (action->btnGadgetID != source) continue;
            // Copied out: the action may clear the buttons and their records.
            category = action->category;
            target = action->target;
            found = true;
            break;
        }
        if (!found) return 0;
        switch (category) {
            case Action::North:
            case Action::South:
            case Action::East:
            case Action::West:
            case Action::Up:
            case Action::Down:
                if (RoomMgr->ChangeRoom(category)) UpdateHints();
                break;
            case Action::Examine:
                Examine(target);
                break;
            case Action::Ask:
                EntityMgr->AskEntity(target);
                break;
            case Action::Fight:
                Fight(target);
                break;
            case Action::Take:
                AppendStoryArea("Take " + EntityMgr->GetName(target) + "\n");
                if (EntityMgr->takeObject(target, MainPrg->currentRm, player)) UpdateHints();
                MainPrg->displayWhatNow();
                break;
            case Action::Use:
                Use(target);
                break;
            case Action::ActivateTrigger:
                TriggerMgr->Activate(target);
                MainPrg->displayWhatNow();
                break;
            default:
                break;
        }
    }
    return 0;
}

void TWindowMgr::Restart() {
    // Inventories before entities, as at start-up, so that the placed things
    // carry exactly their start stock again.
    RoomMgr->Reset();
    InventoryMgr->Reset();
    EntityMgr->Reset();
    TriggerMgr->Reset();
    PlayerMgr->Reset();
    AppendStoryArea("Restart Game\n\nGame has been reset.\n\n");
    Hide(RestartGameBtn);
    Show(ConsumeBtn);
    Show(InventoryBtn);
    Show(StatsBtn);
    MainPrg->Init();
}

void TWindowMgr::ShowStats() {
    const int32_t player = MainPrg->localPlayerID;
    const int32_t treasure =
        InventoryMgr->GetQtyByEntityIDAndItemID(player, ObjectTypeMgr->GetObjectTypeIDByName(kTreasureName));
    const int32_t food = InventoryMgr->GetQtyByEntityIDAndItemID(player, ObjectTypeMgr->GetObjectTypeIDByName(kFoodName));
    AppendStoryArea("Get stats\n\nYour wound level is " + WoundWord(EntityMgr->GetHPByID(player)) + ". You have " +
                    std::to_string(treasure) + " treasure. Your provisions sack holds " + std::to_string(food) +
                    " units of food. Your primary weapon is " +
                    WeaponTypeMgr->GetWeaponNameByID(EntityMgr->GetCurrentWeaponByID(player)) + ". Your armor is " +
                    ArmorTypeMgr->GetArmorNameByID(EntityMgr->GetCurrentArmorByID(player)) + ".\n\n");
}

void TWindowMgr::Examine(int32_t target) {
    const std::string desc = EntityMgr->getObjectDesc(target);
    AppendStoryArea(desc);
    if (desc.empty()) return;
    if (EntityMgr->GetObjectType(target) == ObjectTypeMgr->GetObjectTypeIDByName(kFlourSackName)) {
        EntityMgr->RndTreasureEntity(ObjectCategory::Treasure, 1);
        EntityMgr->SetDead(target, 1);
    }
    // Tested on its own, whatever the flour test did.
    if (EntityMgr->GetObjectType(target) == ObjectTypeMgr->GetObjectTypeIDByName(kPotatoSackName)) {
        const int32_t creature = EntityMgr->RndMonsterEnemy(ObjectCategory::Monster, 1);
        EntityMgr->setAlertness(creature, 1);
        EntityMgr->SetDead(target, 1);
    }
    MainPrg->displayWhatNow();
}

void TWindowMgr::Fight(int32_t target) {
    const int32_t player = MainPrg->localPlayerID;
    AppendStoryArea("You decide to attack.\n\n");
    const int32_t hp = EntityMgr->GetHPByID(player);
    std::string text;
    if (hp <= kTooWoundedHP) {
        text = "Unfortunately, you are " + WoundWord(hp) + " and too wounded to attach.";
    } else {
        text = EntityMgr->DoCombat(player, target);
        EntityMgr->setAlertness(target, 1);
    }
    AppendStoryArea(text);
    EntityMgr->DoSurvival(player);
    EntityMgr->DoSurvival(target);
    MainPrg->displayWhatNow();
}

void TWindowMgr::Use(int32_t target) {
    if (MainPrg->currentRm == kLiftRoom && target == kLiftRuleEntity) {
        TriggerMgr->Activate(kDragonStoryTrigger);
        TriggerMgr->Disable(kDragonStoryTrigger);
        TriggerMgr->Activate(kDragonWakeTrigger);
        TriggerMgr->Disable(kDragonWakeTrigger);
        // The move goes by the lift's up exit at the press, whatever room
        // the button names.
        Window_Main_Create_Choice_Btn(Action::Up, kLiftUpRoom, "Go Up");
    }
    if (EntityMgr->GetObjectType(target) == kElixirType) TriggerMgr->Activate(kElixirTreasureTrigger);
    EntityMgr->UseItem(target);
    MainPrg->displayWhatNow();
}
