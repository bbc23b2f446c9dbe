// Start-up, the event hook and the endings.
#include "shell/Globals.h"
#include "shell/IntroTexts.h"
#include "shell/Links.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "tests/unit/TestGame.h"
#include "world/RoomTexts.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"

namespace {

class ShellTest : public StartedGameTest {};

// Start-up itself: its seed is what the test checks.
class ShellStartUpTest : public GameTest {};

TEST_F(ShellTest, FirstScreenIsTitleIntroductionRoomSixAndPrompt) {
    EXPECT_EQ(Story(), "Thornvale, v1.2.3" + std::string(StoryIntroText()) + std::string(RoomText(6)) +
                           "  There is a Sword on the ground. \n\n" + kPrompt);
    EXPECT_TRUE(Story().starts_with("Thornvale, v1.2.3\n\nGAME INTRODUCTION\n\n  "));
    const MemGadget& story = MemoryBackend::Info(WindowMgr->storyText);
    EXPECT_EQ(story.caret, 0u);
    EXPECT_FALSE(story.viewAtEnd);
    EXPECT_EQ(ActionLabels(), (std::vector<std::string>{"Go East", "Examine Sword", "Take Sword"}));
    EXPECT_EQ(TActionData::_list.front()->target, 1);
}

TEST_F(ShellStartUpTest, BuildsEveryGlobalInOrder) {
    Start();
    EXPECT_EQ(AppTitle, "Thornvale, v1.2.3");
    EXPECT_EQ(WoundLevelList, (std::array<std::string, 7>{"dead", "mortally wounded", "incapacitated",
                                                          "severely wounded", "wounded", "stunned", "not wounded"}));
    EXPECT_EQ(dice->seeds, std::vector<int32_t>{clock->now});
    EXPECT_EQ(ui().timers, std::vector<double>{100.0});
    EXPECT_EQ(MainPrg->currentRm, 6);
    EXPECT_EQ(MainPrg->currentSection, 6);
    EXPECT_EQ(MainPrg->localPlayerID, 1);
    EXPECT_EQ(MainPrg->playerDead, 0);
    EXPECT_EQ(MainPrg->storyIntro, StoryIntroText());
    EXPECT_EQ(MainPrg->basicHelp, BasicHelpText());
    // The inventories exist before the entities: the player's food is line 1.
    EXPECT_EQ(StockLines(), kStartStock);
}

TEST_F(ShellTest, WoundWordsClampHitPoints) {
    const std::pair<int32_t, const char*> cases[] = {{-5, "dead"}, {0, "dead"}, {2, "incapacitated"},
                                                     {6, "not wounded"}, {7, "not wounded"}, {INT32_MAX, "not wounded"},
                                                     {INT32_MIN, "dead"}};
    for (const auto& [hp, word] : cases) EXPECT_EQ(WoundWord(hp), word) << hp;
}

TEST_F(ShellTest, IdleEventsChangeNothing) {
    const std::string story = Story();
    const auto labels = ActionLabels();
    for (int i = 0; i < 50; ++i) Tick();
    EmitEvent(TEvent{4099, nullptr});  // a window move, say
    EXPECT_EQ(Story(), story);
    EXPECT_EQ(ActionLabels(), labels);
    EXPECT_FALSE(ui().ended);
}

TEST_F(ShellTest, CloseAndTerminateEndTheProgramInAnyState) {
    ui().CloseWindow();
    EXPECT_TRUE(ui().ended);
    ui().ended = false;
    ui().Terminate();
    EXPECT_TRUE(ui().ended);
    ui().ended = false;
    MainPrg->DoGameOver("died");
    ui().CloseWindow();
    EXPECT_TRUE(ui().ended);
}

struct Ending {
    std::string name;
    const char* reason;
    const char* opening;  // "" when the reason appends nothing
    friend void PrintTo(const Ending& c, std::ostream* os) { *os << c.name; }
};

class GameOverTest : public StartedGameTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(GameOverTest, TotalsTheScoreAndOffersARestart) {
    InventoryMgr->addInventory(1, 7, 15);  // 30 points of treasure, 10 of food
    PlayerMgr->AddFrag(1, 1);               // 30 for the kill
    Mark();
    MainPrg->playerDead = 1;
    MainPrg->DoGameOver(GetParam().reason);
    const std::string text = Since();
    if (*GetParam().opening) {
        EXPECT_TRUE(text.starts_with(GetParam().opening)) << text;
        EXPECT_NE(text.find("Your final score is 70."), std::string::npos) << text;
    } else {
        EXPECT_EQ(text, "");
    }
    EXPECT_EQ(PlayerMgr->GetScore(1), 70);
    EXPECT_TRUE(TActionData::_list.empty());
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 0);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->ConsumeBtn).visible);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->InventoryBtn).visible);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->StatsBtn).visible);
    EXPECT_TRUE(MemoryBackend::Info(WindowMgr->RestartGameBtn).visible);
    EXPECT_TRUE(MemoryBackend::Info(WindowMgr->VisitURLBtn).visible);
}

// The reason is matched whatever its case.
INSTANTIATE_TEST_SUITE_P(Reasons, GameOverTest,
                         ::testing::Values(Ending{"Died", "died", "You have died. Your final score is 70."},
                                           Ending{"DiedInMixedCase", "DiEd", "You have died."},
                                           Ending{"FoundExit", "foundexit",
                                                  "YOU'VE DONE IT!! That was the exit from the Castle."},
                                           Ending{"FoundExitInCapitals", "FOUNDEXIT", "YOU'VE DONE IT!!"},
                                           Ending{"UnknownReason", "lost", ""}),
                         CaseName());

TEST_F(ShellTest, EndingTextsAreExact) {
    MainPrg->DoGameOver("died");
    EXPECT_EQ(Since(), std::string("You have died. Your final score is 10. Thanks for playing. Please visit ") +
                           kDeathSite + " for more games\n\nGAME OVER\n\n");
    EXPECT_EQ(MainPrg->playerDead, 0);
    MainPrg->DoGameOver("foundexit");
    EXPECT_EQ(Since(), std::string(RoomText(11)) +
                           "\nCongratulations! You have completed the game. Your final score is 20. Thanks for "
                           "playing! Gameplay, other than the map, is auto-generated and different each time you play. "
                           "So please play again. Please visit " +
                           kCompletionSite + " for more games and information.\n\nGAME COMPLETED\n");
}

TEST_F(ShellTest, EachEventRemovesTheDeadThenEndsThenDispatches) {
    EntityMgr->SetDead(1, 1);
    Mark();
    // The press that arrives with the player flagged dead: the death ending
    // comes first, then the press itself is still handled.
    ui().Press(WindowMgr->StatsBtn);
    const std::string text = Since();
    const size_t died = text.find("You have died.");
    const size_t stats = text.find("Get stats");
    ASSERT_NE(died, std::string::npos);
    ASSERT_NE(stats, std::string::npos);
    EXPECT_LT(died, stats);
    EXPECT_EQ(EntityMgr->GetEntityPtr(1), nullptr);
    EXPECT_EQ(MainPrg->playerDead, 0);
}

TEST_F(ShellTest, ReachingTheExitEndsAtTheNextEvent) {
    MainPrg->currentRm = 11;
    Mark();
    Tick();
    EXPECT_EQ(MainPrg->currentRm, 0);
    EXPECT_TRUE(Since().starts_with("YOU'VE DONE IT!!"));
    Tick();
    EXPECT_EQ(Since(), "");
}

TEST_F(ShellTest, DyingOnTheMoveIntoTheExitEndsOnceWithDeath) {
    MainPrg->currentRm = 11;
    EntityMgr->SetDead(1, 1);
    Mark();
    Tick();
    Tick();
    const std::string text = Since();
    EXPECT_TRUE(text.starts_with("You have died. Your final score is 10."));
    EXPECT_EQ(text.find("YOU'VE DONE IT"), std::string::npos);
    EXPECT_EQ(PlayerMgr->GetScore(1), 10);
}

TEST_F(ShellTest, InitAfterRestartKeepsTheSectionAndGoesToTheVeryTop) {
    MainPrg->currentSection = 9;
    MainPrg->DoGameOver("died");
    ui().Press(WindowMgr->RestartGameBtn);
    EXPECT_EQ(MainPrg->currentSection, 9);
    EXPECT_EQ(MemoryBackend::Info(WindowMgr->storyText).caret, 0u);
    EXPECT_TRUE(Story().starts_with("Thornvale, v1.2.3\n\nGAME INTRODUCTION"));
}

TEST_F(ShellTest, StoryChoicesComeFirstInANewGame) {
    StoryMgr->addChoice(1, "Pull the bell rope", 6, Action::ActivateTrigger, 4, 1);
    MainPrg->DoGameOver("died");
    ui().Press(WindowMgr->RestartGameBtn);
    EXPECT_EQ(ActionLabels(),
              (std::vector<std::string>{"Pull the bell rope", "Go East", "Examine Sword", "Take Sword"}));
}

}  // namespace
