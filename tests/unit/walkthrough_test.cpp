// Whole games played with the buttons, every roll scripted, against the exact
// story each press must add and the buttons it must leave.
#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "shell/IntroTexts.h"
#include "shell/Links.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TriggerTexts.h"
#include "world/RoomTexts.h"
#include "world/TPlayerMgr.h"

#include <string>
#include <vector>

namespace {

std::string R(int room) { return std::string(RoomText(room)); }

const std::string kOpening = "Thornvale, v1.2.3" + std::string(StoryIntroText()) + R(6) +
                             "  There is a Sword on the ground. \n\n" + kPrompt;

struct Step {
    std::string press;              // a button label, or "" for a timer tick
    std::vector<int32_t> rolls;     // every roll the step draws, in order
    std::string story;              // what the step appends
    std::vector<std::string> buttons;  // the action buttons afterwards
};

class WalkthroughTest : public StartedGameTest {
protected:
    void Play(const std::vector<Step>& steps) {
        std::string whole = kOpening;
        ASSERT_EQ(Story(), kOpening);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& s = steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + (s.press.empty() ? "tick" : s.press));
            dice->draws.clear();
            for (int32_t r : s.rolls) dice->rolls.push_back(r);
            if (s.press.empty())
                Tick();
            else
                ASSERT_TRUE(Press(s.press)) << "no button " << s.press << " among the visible ones";
            EXPECT_EQ(Since(), s.story);
            EXPECT_EQ(ActionLabels(), s.buttons);
            EXPECT_TRUE(dice->rolls.empty()) << "rolls left unused";
            EXPECT_EQ(dice->draws.size(), s.rolls.size()) << "a roll was drawn that the step did not script";
            whole += s.story;
        }
        EXPECT_EQ(Story(), whole);
    }
};

const std::vector<std::string> kRoomSixButtons = {"Go East", "Examine Sword", "Take Sword"};

TEST_F(WalkthroughTest, TheShortestWayOut) {
    const std::vector<std::string> vestibule = {"Go North", "Go East"};
    const std::vector<std::string> chamber = {"Go North", "Go South", "Go West", "Examine Earth Dragon",
                                              "Fight the Earth Dragon"};
    Play({
        {"Take Sword", {}, "Take Sword\n\nYou took the Sword.\n\nThe Sword is now your primary weapon.\n\n" + kPrompt,
         {"Go East"}},
        {"Go East", {}, "You decide to go east.\n\n" + R(1) + "\n" + kPrompt, {"Go South"}},
        // Room 2: treasure (chance 20, band 40, 5 x 10 gold, the one type),
        // then no creature (chance 50).
        {"Go South",
         {20, 40, 5, 1, 50},
         "You go south.\n\nTreasure appears worth 50 gold pieces!\n\n" + R(2) +
             "  There is a Treasure on the Floor. \n\n" + kPrompt,
         {"Go North", "Go South", "Go East", "Examine Treasure", "Take Treasure"}},
        {"Take Treasure",
         {},
         "Take Treasure\n\nYou took the Treasure.\n\n" + kPrompt,
         {"Go North", "Go South", "Go East"}},
        {"Go South", {50}, "You go south.\n\n" + R(3) + "\n" + kPrompt, {"Go North", "Go East", "Go West"}},
        {"Go East",
         {},
         "You decide to go east.\n\n" + R(5) + "\n" + kPrompt,
         {"Go North", "Go West", "Go Up", "Go Down"}},
        {"Go Up", {50}, "Going up.\n\n" + R(15) + "\n" + kPrompt, {"Go North", "Go Down"}},
        {"Go North",
         {50},
         "You proceed north.\n\n" + R(14) + "  There is a small bottle here. \n\n" + kPrompt,
         {"Go South", "Go East", "Examine small bottle", "Use small bottle"}},
        // The dragon wakes and attacks: it hits, unarmed, for nothing; the
        // player misses.
        {"Go East",
         {15, 4, 0, 4, 9},
         "You decide to go east.\n\n" + std::string(DragonStoryText()) + R(17) +
             "  There is a Earth Dragon here. The Earth Dragon is alerted to your presence.\n\n"
             "  The Earth Dragon attacks you. *** FIGHTING ***\n\n"
             "Earth Dragon hit and did 0 levels of damage. Player is not wounded.\n\nThe Player missed.\n\n" +
             kPrompt,
         chamber},
        // The sword does 7: two levels. The wounded dragon (attack 12) misses.
        {"Fight the Earth Dragon",
         {16, 5, 7, 2, 3},
         "You decide to attack.\n\n*** FIGHTING ***\n\nPlayer hit and did 2 levels of damage. Earth Dragon is "
         "wounded.\n\nThe Earth Dragon missed.\n\n" +
             kPrompt,
         chamber},
        // Two more levels: the dragon, at 2 hit points, cannot strike back.
        {"Fight the Earth Dragon",
         {16, 2, 8, 1, 3},
         "You decide to attack.\n\n*** FIGHTING ***\n\nPlayer hit and did 2 levels of damage. Earth Dragon is "
         "incapacitated.\n\nThe Earth Dragon is unconscious and unable to fight.\n\n" +
             kPrompt,
         chamber},
        // The killing blow; the dead dragon's strike is only the text.
        {"Fight the Earth Dragon",
         {10, 1, 4, 0, 3},
         "You decide to attack.\n\n*** FIGHTING ***\n\nPlayer hit and did 2 levels of damage. Earth Dragon is "
         "dead.\n\nThe Earth Dragon is unconscious and unable to fight.\n\n" +
             kPrompt,
         chamber},
        // Removed at the next event, and the buttons follow.
        {"", {}, "", {"Go North", "Go South", "Go West"}},
        {"Go South", {}, "You go south.\n\n" + R(16) + "\n" + kPrompt, {"Go North", "Go East"}},
        {"Go East",
         {},
         "You decide to go east.\n\n As you enter the room, you are bitten by a spider. You are stunned.\n" + R(19) +
             "\n" + kPrompt,
         {"Go North", "Go West"}},
        {"Go North", {}, "You proceed north.\n\n" + R(9) + "\n" + kPrompt, {"Go South", "Go Down"}},
        {"Go Down",
         {33},
         "Going down.\n\n" + std::string(LiftStoryText()) + R(8) + "  There is a sack of flour here. \n\n" + kPrompt,
         {"Go North", "Go South", "Examine sack of flour", "Examine sack of potatoes"}},
        {"Go South", {100}, "You go south.\n\n" + R(10) + "\n" + kPrompt, vestibule},
        {"Consume",
         {},
         "Eat food\n\nYou decide to consume some of your food. You had 10 units of food to consume. After consuming 1 "
         "unit, you now have 9 units of food remaining. Your wound level is now not wounded.\n\n" +
             kPrompt,
         vestibule},
        {"Show Stats",
         {},
         "Get stats\n\nYour wound level is not wounded. You have 50 treasure. Your provisions sack holds 9 units of "
         "food. Your primary weapon is Sword. Your armor is none.\n\n" +
             kPrompt,
         vestibule},
        {"Go East", {}, "You decide to go east.\n\n" + R(11) + "\n", {}},
        // 30 for the dragon + 9 food + 65 for the sword + 2 x 50 gold.
        {"",
         {},
         "YOU'VE DONE IT!! That was the exit from the Castle. YOU HAVE SUCCEEDED. You managed to get out of the "
         "Castle. WELL DONE!\n\nCongratulations! You have completed the game. Your final score is 204. Thanks for "
         "playing! Gameplay, other than the map, is auto-generated and different each time you play. So please play "
         "again. Please visit " +
             std::string(kCompletionSite) + " for more games and information.\n\nGAME COMPLETED\n",
         {}},
        {"", {}, "", {}},
    });
    EXPECT_EQ(MainPrg->currentRm, 0);
    EXPECT_EQ(PlayerMgr->GetScore(1), 204);
    EXPECT_TRUE(MemoryBackend::Info(WindowMgr->RestartGameBtn).visible);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->ConsumeBtn).visible);
}

TEST_F(WalkthroughTest, KilledByAWerewolfThenPlayingAgain) {
    const std::vector<std::string> audience = {"Go North", "Go South", "Go East", "Examine Ferocious werewolf",
                                               "Fight the Ferocious werewolf"};
    Play({
        {"Go East", {}, "You decide to go east.\n\n" + R(1) + "\n" + kPrompt, {"Go South"}},
        // No treasure (33); a creature (10): the werewolf, alert (10 against
        // 5). It hits with its fists for 6, two levels; the player misses.
        {"Go South",
         {33, 10, 1, 10, 5, 20, 3, 6, 2, 10},
         "You go south.\n\nA Ferocious werewolf appears!\n\n" + R(2) +
             "  There is a Ferocious werewolf here. The Ferocious werewolf is alerted to your presence.\n\n"
             "  The Ferocious werewolf attacks you. *** FIGHTING ***\n\n"
             "Ferocious werewolf hit and did 2 levels of damage. Player is wounded.\n\nThe Player missed.\n\n" +
             kPrompt,
         audience},
        // Missed again, hit again, and strength fails three times.
        {"Fight the Ferocious werewolf",
         {2, 10, 20, 2, 6, 5, 5, 5},
         "You decide to attack.\n\n*** FIGHTING ***\n\nThe Player missed.\n\n"
         "Ferocious werewolf hit and did 2 levels of damage. Player is incapacitated.\n\n"
         "You are incapacitated. Your strength has failed you. You are incapacitated and unconscious for a "
         "moment.\n\n"
         "You are incapacitated. You were already unconsious, so your health has worsened. You are now mortally "
         "wounded. "
         "You are mortally wounded. Your strength has failed you. You have died from your mortal wounds!\n\n" +
             kPrompt,
         audience},
        {"",
         {},
         "You have died. Your final score is 10. Thanks for playing. Please visit " + std::string(kDeathSite) +
             " for more games\n\nGAME OVER\n\n",
         {}},
        {"", {}, "", {}},
        {"Restart Game", {}, "Restart Game\n\nGame has been reset.\n\n" + kOpening, kRoomSixButtons},
        {"Go East", {}, "You decide to go east.\n\n" + R(1) + "\n" + kPrompt, {"Go South"}},
    });
    EXPECT_EQ(MainPrg->playerDead, 0);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->RestartGameBtn).visible);
}

}  // namespace
