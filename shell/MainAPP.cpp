#include "shell/MainAPP.h"

#include "framework/Framework.h"
#include "shell/Globals.h"
#include "shell/IntroTexts.h"
#include "shell/Links.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

namespace {
constexpr uint16_t kFirstSection = 6;
}  // namespace

MainAPP::MainAPP() {
    timer = CreateTimer(100.0);
    // Ahead of the framework's own queue (-10000): the game consumes every
    // event, so nothing is ever queued.
    AddHook(EmitEventHook, eventhook, this, 0);
    currentRm = kStartRoom;
    currentSection = kFirstSection;
    storyIntro = std::string(StoryIntroText());
    basicHelp = std::string(BasicHelpText());
    WindowMgr->Open_Window_Main_Choose();
}

int MainAPP::Init() {
    localPlayerID = 1;
    playerDead = 0;
    currentRm = kStartRoom;
    const std::string text = AppTitle + storyIntro;
    TriggerMgr->checkRoomEntrance(currentRm);
    StoryMgr->GetChoices(currentRm);
    RoomMgr->displayRoom(text, MainPrg->currentRm);
    SelectTextAreaText(WindowMgr->storyText, 0, 0, TEXTAREA_CHARS);
    RoomMgr->GetHints(currentRm);
    EntityMgr->getHints(currentRm);
    return 0;
}

TEvent* MainAPP::eventhook(int, TEvent* data, void* context) {
    if (data && context) static_cast<MainAPP*>(context)->OnEvent(*data);
    return nullptr;
}

int MainAPP::displayWhatNow() {
    WindowMgr->AppendStoryArea(kWhatNowPrompt);
    return 0;
}

int MainAPP::OnEvent(const TEvent& event) {
    EntityMgr->Process();
    if (playerDead != 0) {
        DoGameOver("died");
        // Dying on the very move into the exit ends the game once, with
        // the death ending: the exit no longer counts.
        if (currentRm == kExitRoom) currentRm = 0;
    }
    if (currentRm == kExitRoom) {
        currentRm = 0;
        DoGameOver("foundexit");
    }
    switch (event.id) {
        case EVENT_APPTERMINATE:
        case EVENT_WINDOWCLOSE:
            End();
            break;
        case EVENT_GADGETACTION:
            WindowMgr->CheckBtnClick(event.source);
            break;
        default:
            break;
    }
    return 0;
}

int MainAPP::DoGameOver(const std::string& reason) {
    PlayerMgr->CalcScores();
    const std::string why = LowerAscii(reason);
    if (why == "died") {
        playerDead = 0;
        const int32_t score = PlayerMgr->GetScore(MainPrg->localPlayerID);
        WindowMgr->AppendStoryArea("You have died. Your final score is " + std::to_string(score) +
                                   ". Thanks for playing. Please visit " + kDeathSite + " for more games\n\nGAME OVER\n\n");
    } else if (why == "foundexit") {
        const int32_t score = PlayerMgr->GetScore(MainPrg->localPlayerID);
        WindowMgr->AppendStoryArea(
            std::string("YOU'VE DONE IT!! That was the exit from the Castle. YOU HAVE SUCCEEDED. You managed to get out "
                        "of the Castle. WELL DONE!\n\nCongratulations! You have completed the game. Your final score "
                        "is ") +
            std::to_string(score) +
            ". Thanks for playing! Gameplay, other than the map, is auto-generated and different each time you play. "
            "So please play again. Please visit " +
            kCompletionSite + " for more games and information.\n\nGAME COMPLETED\n");
    }
    WindowMgr->Window_Main_Clear_Choice_Btns();
    WindowMgr->Hide(WindowMgr->ConsumeBtn);
    WindowMgr->Hide(WindowMgr->InventoryBtn);
    WindowMgr->Hide(WindowMgr->StatsBtn);
    WindowMgr->Show(WindowMgr->RestartGameBtn);
    return 0;
}
