// What every button press does: the six fixed buttons, each action category,
// the restart after game over, and how a game ends after a press.
#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "shell/IntroTexts.h"
#include "shell/Links.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "story/TriggerTexts.h"
#include "world/RoomTexts.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::vector<TGadget> ActionGadgets() {
    std::vector<TGadget> out;
    for (const auto& a : TActionData::_list) out.push_back(a->btnGadgetID);
    return out;
}

bool Visible(const TGadget& g) { return MemoryBackend::Info(g).visible; }

std::string Completion(int score) {
    return "YOU'VE DONE IT!! That was the exit from the Castle. YOU HAVE SUCCEEDED. You managed to get out of the "
           "Castle. WELL DONE!\n\nCongratulations! You have completed the game. Your final score is " +
           std::to_string(score) +
           ". Thanks for playing! Gameplay, other than the map, is auto-generated and different each time you play. "
           "So please play again. Please visit " +
           kCompletionSite + " for more games and information.\n\nGAME COMPLETED\n";
}

std::string Death(int score) {
    return "You have died. Your final score is " + std::to_string(score) + ". Thanks for playing. Please visit " +
           kDeathSite + " for more games\n\nGAME OVER\n\n";
}

const std::string kSwordExamined =
    "\n\nYou decide to examine the Sword.\n\nIt is a short sword. Damage rating is 1D+2.\n\n";

class DispatchTest : public StartedGameTest {};

// ---------------------------------------------------------------- fixed buttons

TEST_F(DispatchTest, VisitOpensTheMakersSoftwarePage) {
    ASSERT_TRUE(Press(std::string("Visit ") + kMakerDomain));
    EXPECT_EQ(ui().opened, std::vector<std::string>{kSoftwarePage});
    EXPECT_EQ(Since(), "");
    // The page lies on the site the completion ending names, under the
    // domain the button shows.
    const std::string page = kSoftwarePage;
    EXPECT_TRUE(page.starts_with("http://") || page.starts_with("https://")) << page;
    EXPECT_TRUE(page.ends_with("/index.php/software/")) << page;
    EXPECT_TRUE(page.starts_with(std::string(kCompletionSite) + "/")) << page;
    EXPECT_NE(page.find(kMakerDomain), std::string::npos) << page;
}

// Runs the press in a scratch folder, as the program runs in its own.
class DispatchReadmeTest : public DispatchTest {
protected:
    // Entered before the game starts and left after it stops.
    ScratchFolder folder_;
    const std::string scratch_ = folder_.path().string();
};

TEST_F(DispatchReadmeTest, GetInstructionsOpensTheReadmeBesideTheProgram) {
    ASSERT_TRUE(Press("Get Instructions"));
    EXPECT_TRUE(ui().opened.empty()) << "no read-me here yet";
    std::ofstream("Thornvale_Readme.pdf") << "%PDF-1.4\n";
    ASSERT_TRUE(Press("Get Instructions"));
    EXPECT_EQ(ui().opened, std::vector<std::string>{"file://" + scratch_ + "/Thornvale_Readme.pdf"});
    EXPECT_EQ(Since(), "");
}

TEST_F(DispatchTest, ShowInventoryListsThePlayersThings) {
    ASSERT_TRUE(Press("Show Inventory"));
    EXPECT_EQ(Since(), "Show Inventory\n\nItems in Inventory for Player:\n  10 Food\n\n" + kPrompt);
    ASSERT_TRUE(Press("Take Sword"));
    Mark();
    ASSERT_TRUE(Press("Show Inventory"));
    EXPECT_EQ(Since(), "Show Inventory\n\nItems in Inventory for Player:\n  10 Food\n  Sword\n\n" + kPrompt);
}

struct ConsumeCase {
    std::string name;
    int32_t hp;
    int eatenBefore;  // units eaten before the press
    std::string text;
    friend void PrintTo(const ConsumeCase& c, std::ostream* os) { *os << c.name; }
};

class DispatchConsume : public DispatchTest, public ::testing::WithParamInterface<ConsumeCase> {};

TEST_P(DispatchConsume, EatFoodThenTheRuleThenThePrompt) {
    Entity(1).hp = GetParam().hp;
    for (int i = 0; i < GetParam().eatenBefore; ++i) InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8);
    ASSERT_TRUE(Press("Consume"));
    EXPECT_EQ(Since(), "Eat food\n\nYou decide to consume some of your food. " + GetParam().text + kPrompt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchConsume,
    ::testing::Values(ConsumeCase{"Unhurt", 6, 0,
                                  "Although the food appears appetizing, you are not wounded or fatigued, so you "
                                  "decide not to eat any food.\n\n"},
                      ConsumeCase{"Wounded", 4, 0,
                                  "You had 10 units of food to consume. After consuming 1 unit, you now have 9 units "
                                  "of food remaining. Your wound level is now stunned.\n\n"},
                      ConsumeCase{"NoFood", 2, 10, "Unfortunately, you have no food to consume.\n\n"}),
    CaseName());

TEST_F(DispatchTest, ShowStatsAtTheStart) {
    ASSERT_TRUE(Press("Show Stats"));
    EXPECT_EQ(Since(),
              "Get stats\n\nYour wound level is not wounded. You have 0 treasure. Your provisions sack holds 10 units "
              "of food. Your primary weapon is none. Your armor is none.\n\n" +
                  kPrompt);
}

struct StatsCase {
    std::string name;
    int32_t hp, treasure, foodEaten, weapon, armour;
    std::string text;
    friend void PrintTo(const StatsCase& c, std::ostream* os) { *os << c.name; }
};

class DispatchStats : public DispatchTest, public ::testing::WithParamInterface<StatsCase> {};

TEST_P(DispatchStats, WoundTreasureFoodWeaponArmour) {
    const StatsCase& c = GetParam();
    Entity(1).hp = c.hp;
    if (c.treasure) InventoryMgr->addInventory(1, 7, c.treasure);
    for (int i = 0; i < c.foodEaten; ++i) InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8);
    Entity(1).weapon1ID = c.weapon;
    Entity(1).armor1ID = c.armour;
    ASSERT_TRUE(Press("Show Stats"));
    EXPECT_EQ(Since(), "Get stats\n\n" + c.text + kPrompt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchStats,
    ::testing::Values(
        StatsCase{"AfterTheElixir", 7, 150, 7, 3, 1,
                  "Your wound level is not wounded. You have 150 treasure. Your provisions sack holds 3 units of food. "
                  "Your primary weapon is Axe. Your armor is fur cloak.\n\n"},
        StatsCase{"BelowZero", -1, 0, 10, 2, 0,
                  "Your wound level is dead. You have 0 treasure. Your provisions sack holds 0 units of food. Your "
                  "primary weapon is Sword. Your armor is none.\n\n"},
        StatsCase{"UnknownWeaponAndArmour", 3, 20, 0, 99, 99,
                  "Your wound level is severely wounded. You have 20 treasure. Your provisions sack holds 10 units of "
                  "food. Your primary weapon is none. Your armor is none.\n\n"}),
    CaseName());

TEST_F(DispatchTest, HiddenFixedButtonsCannotBePressed) {
    EXPECT_FALSE(Press("Restart Game"));
    MainPrg->DoGameOver("died");
    Mark();
    EXPECT_FALSE(Press("Consume"));
    EXPECT_FALSE(Press("Show Stats"));
    EXPECT_FALSE(Press("Show Inventory"));
    EXPECT_EQ(Since(), "");
}

// ---------------------------------------------------------------- moves

TEST_F(DispatchTest, AMoveRebuildsTheButtonsForTheNewRoom) {
    const TGadget goEast = ui().ButtonLabelled("Go East");
    ASSERT_TRUE(Press("Go East"));
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + std::string(RoomText(1)) + "\n" + kPrompt);
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::South, 2, "Go South"}}));
    EXPECT_TRUE(goEast->freed);
    EXPECT_EQ(Entity(1).roomNum, 1);
}

TEST_F(DispatchTest, AMoveGoesThroughTheExitTheRoomHasAtThePress) {
    // The button was made for room 1; the exit now leads elsewhere.
    for (const auto& r : t_room::_list)
        if (r->id == 6) r->e = 16;
    ASSERT_TRUE(Press("Go East"));
    EXPECT_EQ(MainPrg->currentRm, 16);
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + std::string(RoomText(16)) + "\n" + kPrompt);
}

TEST_F(DispatchTest, AMoveButtonWithoutAnExitDoesNothing) {
    WindowMgr->Window_Main_Create_Choice_Btn(Action::North, 5, "Go North");
    const auto before = ActionGadgets();
    ASSERT_TRUE(Press("Go North"));
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(MainPrg->currentRm, 6);
    EXPECT_EQ(ActionGadgets(), before);
}

TEST_F(DispatchTest, ThePressOfAButtonFromBeforeARebuildDoesNothing) {
    const TGadget takeSword = ui().ButtonLabelled("Take Sword");
    ASSERT_TRUE(Press("Go East"));
    Mark();
    WindowMgr->CheckBtnClick(takeSword);
    EmitEvent(TEvent{EVENT_GADGETACTION, takeSword});
    EXPECT_EQ(Since(), "");
    EXPECT_NE(Find(4), nullptr);
}

// ---------------------------------------------------------------- examine

TEST_F(DispatchTest, ExamineShowsTheTextThenThePrompt) {
    const auto before = ActionGadgets();
    ASSERT_TRUE(Press("Examine Sword"));
    EXPECT_EQ(Since(), kSwordExamined + kPrompt);
    EXPECT_EQ(ActionGadgets(), before);
    EXPECT_TRUE(dice->draws.empty());
}

TEST_F(DispatchTest, ExaminingTheSackOfFlourFindsTreasure) {
    Enter(8);
    Roll({60, 8, 1});  // band 53-95: gold from 2 to 16, times 10; then the one treasure type
    ASSERT_TRUE(Press("Examine sack of flour"));
    EXPECT_EQ(Since(), "\n\nYou decide to examine the sack of flour.\n\nIt is a sack of flour. As you examine it, you "
                       "find treasure. Then the sack disappears!\n\nTreasure appears worth 80 gold pieces!\n\n" +
                           kPrompt);
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {2, 16}, {1, 1}}));
    EXPECT_EQ(Entity(8).isDead, 1);
    // The buttons change at the next event, when the sack is removed.
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::North, 7, "Go North"},
                                                    {Action::South, 10, "Go South"},
                                                    {Action::Examine, 8, "Examine sack of flour"},
                                                    {Action::Examine, 9, "Examine sack of potatoes"}}));
    Tick();
    EXPECT_EQ(Find(8), nullptr);
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::North, 7, "Go North"},
                                                    {Action::South, 10, "Go South"},
                                                    {Action::Examine, 9, "Examine sack of potatoes"},
                                                    {Action::Examine, 10, "Examine Treasure"},
                                                    {Action::Take, 10, "Take Treasure"}}));
    EXPECT_EQ(Entity(10).roomNum, 8);
}

TEST_F(DispatchTest, ExaminingTheSackOfPotatoesLetsOutAnAlertCreature) {
    Enter(8);
    Roll({2, 2, 18});  // the fleshgorger, whose alert roll loses
    ASSERT_TRUE(Press("Examine sack of potatoes"));
    EXPECT_EQ(Since(), "\n\nYou decide to examine the sack of potatoes.\n\nIt looks like a sack of potatoes. But when "
                       "you get closer to it, a sound comes from the sack. Then all of a sudden the sack vanishes and a "
                       "creature appears!\n\nA Fanatical fleshgorger appears!\n\n" +
                           kPrompt);
    EXPECT_EQ(Entity(10).isAlerted, 1);
    EXPECT_EQ(Entity(10).roomNum, 8);
    EXPECT_EQ(Entity(9).isDead, 1);
    Tick();
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::North, 7, "Go North"},
                                                    {Action::South, 10, "Go South"},
                                                    {Action::Examine, 8, "Examine sack of flour"},
                                                    {Action::Examine, 10, "Examine Fanatical fleshgorger"},
                                                    {Action::Fight, 10, "Fight the Fanatical fleshgorger"}}));
}

TEST_F(DispatchTest, ExaminingWhatIsNoLongerThereShowsNothingAtAll) {
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Examine, 99, "Examine shadow");
    ASSERT_TRUE(Press("Examine shadow"));
    EXPECT_EQ(Since(), "");
}

// ---------------------------------------------------------------- ask

TEST_F(DispatchTest, AskingEntityFourteenTellsTheDrinkingStoryAndPrompts) {
    EntityMgr->addEntity(14, "Hermit", 1, 6, 0, "A hermit.", "floor", 0, 0, 0, 0, 0, 0, 0);
    EntityMgr->addEntity(15, "Pilgrim", 1, 6, 0, "A pilgrim.", "floor", 0, 0, 0, 0, 0, 0, 0);
    WindowMgr->UpdateHints();
    ASSERT_TRUE(Press("Ask Hermit"));
    EXPECT_EQ(Since(), "\n\nYou decided to talk with the Hermit.  You take your chances and decide to drink the "
                       "liquid. \n" +
                           kPrompt);
    ASSERT_TRUE(Press("Ask Pilgrim"));
    EXPECT_EQ(Since(), "\n\nYou decided to talk with the Pilgrim.");  // no prompt of its own
}

// ---------------------------------------------------------------- fight

struct RefusalCase {
    std::string name;
    int32_t hp;
    std::string word;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class DispatchFightRefused : public DispatchTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(DispatchFightRefused, TooWoundedToFight) {
    Enter(17);
    Entity(1).hp = GetParam().hp;
    ASSERT_TRUE(Press("Fight the Earth Dragon"));
    // Below 1 hit point the survival check has nothing to do.
    EXPECT_EQ(Since(), "You decide to attack.\n\nUnfortunately, you are " + GetParam().word +
                           " and too wounded to attach." + kPrompt);
    EXPECT_EQ(Entity(2).isAlerted, 0);
    EXPECT_EQ(Entity(2).hp, 6);
    EXPECT_TRUE(dice->seeds.empty()) << "no fight, no re-seeding";
}

INSTANTIATE_TEST_SUITE_P(Cases, DispatchFightRefused,
                         ::testing::Values(RefusalCase{"AtZero", 0, "dead"}, RefusalCase{"BelowZero", -3, "dead"}),
                         CaseName());

TEST_F(DispatchTest, AtTwoHitPointsThereIsNoFightButTheSurvivalCheckRuns) {
    Enter(17);
    Entity(1).hp = 2;
    Roll({8});
    ASSERT_TRUE(Press("Fight the Earth Dragon"));
    EXPECT_EQ(Since(), "You decide to attack.\n\nUnfortunately, you are incapacitated and too wounded to attach."
                       "You are incapacitated. Your strength has enabled you to be alert before slipping into "
                       "unconsciousness. You had 10 units of food to consume. After consuming 1 unit, you now have 9 "
                       "units of food remaining. Your wound level is now severely wounded.\n\n" +
                           kPrompt);
    EXPECT_EQ(dice->draws, (Draws{{3, 18}}));
    EXPECT_EQ(Entity(2).isAlerted, 0);
}

TEST_F(DispatchTest, AtThreeHitPointsTheFightTakesPlaceAndAlertsTheTarget) {
    Enter(17);
    Entity(1).hp = 3;
    Roll({1, 3, 3, 9});  // both strikes miss
    ASSERT_TRUE(Press("Fight the Earth Dragon"));
    EXPECT_EQ(Since(), "You decide to attack.\n\n*** FIGHTING ***\n\nThe Player missed.\n\nThe Earth Dragon "
                       "missed.\n\n" +
                           kPrompt);
    EXPECT_EQ(dice->draws, (Draws{{1, 9}, {3, 18}, {3, 18}, {1, 9}}));
    EXPECT_EQ(Entity(2).isAlerted, 1);
}

TEST_F(DispatchTest, APressThatKillsEndsTheGameAtTheNextEvent) {
    Enter(17);
    Entity(1).hp = 1;
    Roll({3});
    ASSERT_TRUE(Press("Fight the Earth Dragon"));
    EXPECT_EQ(Since(), "You decide to attack.\n\nUnfortunately, you are mortally wounded and too wounded to attach."
                       "You are mortally wounded. Your strength has failed you. You have died from your mortal "
                       "wounds!\n\n" +
                           kPrompt);
    EXPECT_FALSE(ActionButtons().empty());
    EXPECT_FALSE(Visible(WindowMgr->RestartGameBtn));
    Tick();
    EXPECT_EQ(Since(), Death(10));
    EXPECT_EQ(Find(1), nullptr);
    EXPECT_TRUE(ActionButtons().empty());
    EXPECT_TRUE(Visible(WindowMgr->RestartGameBtn));
    EXPECT_FALSE(Visible(WindowMgr->ConsumeBtn));
    EXPECT_FALSE(Visible(WindowMgr->InventoryBtn));
    EXPECT_FALSE(Visible(WindowMgr->StatsBtn));
    Tick();
    EXPECT_EQ(Since(), "");
}

// ---------------------------------------------------------------- take

TEST_F(DispatchTest, ASuccessfulTakeRebuildsTheButtons) {
    ASSERT_TRUE(Press("Take Sword"));
    EXPECT_EQ(Since(), "Take Sword\n\nYou took the Sword.\n\nThe Sword is now your primary weapon.\n\n" + kPrompt);
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::East, 1, "Go East"}}));
    EXPECT_EQ(Find(4), nullptr);
}

TEST_F(DispatchTest, AFailedTakeNamesTheThingAndLeavesEveryButton) {
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Take, 5, "Take the far Axe");  // in room 12
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Take, 99, "Take a shadow");    // no such thing
    const auto before = ActionGadgets();
    ASSERT_TRUE(Press("Take the far Axe"));
    EXPECT_EQ(Since(), "Take Axe\n" + kPrompt);
    ASSERT_TRUE(Press("Take a shadow"));
    EXPECT_EQ(Since(), "Take \n" + kPrompt);
    EXPECT_EQ(ActionGadgets(), before);
    EXPECT_NE(Find(5), nullptr);
}

// ---------------------------------------------------------------- use

TEST_F(DispatchTest, UsingEntitySixInTheLiftWakesTheDragonAndOffersAWayUp) {
    Enter(9);
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Use, 6, "Use Fur cloak");
    ASSERT_TRUE(Press("Use Fur cloak"));
    EXPECT_EQ(Since(), std::string(DragonStoryText()) + kPrompt);
    EXPECT_EQ(Entity(2).isAlerted, 1);
    EXPECT_EQ(Trigger(2).isEnabled, 0);
    EXPECT_EQ(Trigger(3).isEnabled, 0);
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::South, 19, "Go South"},
                                                    {Action::Down, 8, "Go Down"},
                                                    {Action::Use, 6, "Use Fur cloak"},
                                                    {Action::Up, 10, "Go Up"}}));
    // An ordinary move button: the lift has no up exit.
    ASSERT_TRUE(Press("Go Up"));
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(MainPrg->currentRm, 9);
}

TEST_F(DispatchTest, TheLiftRuleNeedsBothTheRoomAndEntitySix) {
    Enter(4);
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Use, 6, "Use Fur cloak");
    ASSERT_TRUE(Press("Use Fur cloak"));
    EXPECT_EQ(Since(), kPrompt);
    EXPECT_EQ(ActionButtons().back(), (Button{Action::Use, 6, "Use Fur cloak"}));
    Enter(9);
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Use, 4, "Use Sword");
    ASSERT_TRUE(Press("Use Sword"));
    EXPECT_EQ(Since(), kPrompt);
    EXPECT_EQ(Trigger(2).isEnabled, 1);
    EXPECT_EQ(Entity(2).isAlerted, 0);
    EXPECT_EQ(ActionButtons().back(), (Button{Action::Use, 4, "Use Sword"}));
}

struct ElixirCase {
    std::string name;
    std::vector<int32_t> rolls;  // the treasure chance, then the treasure's own rolls
    Draws draws;
    std::string treasure;
    std::vector<Button> buttons;
    friend void PrintTo(const ElixirCase& c, std::ostream* os) { *os << c.name; }
};

class DispatchElixir : public DispatchTest, public ::testing::WithParamInterface<ElixirCase> {};

TEST_P(DispatchElixir, TheElixirFiresTheTreasureChanceFirst) {
    Enter(14);
    dice->rolls.assign(GetParam().rolls.begin(), GetParam().rolls.end());
    ASSERT_TRUE(Press("Use small bottle"));
    EXPECT_EQ(Since(), GetParam().treasure +
                           "\nIt's an Elixir, so you drink it. You gain 1 wound points. Your wound level is not "
                           "wounded.\n\n" +
                           kPrompt);
    EXPECT_EQ(dice->draws, GetParam().draws);
    EXPECT_EQ(Entity(1).hp, 7);
    EXPECT_EQ(ActionButtons(), GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(Chances, DispatchElixir,
                         ::testing::Values(ElixirCase{"NoTreasure",
                                                      {33},
                                                      {{1, 100}},
                                                      "",
                                                      {{Action::South, 15, "Go South"}, {Action::East, 17, "Go East"}}},
                                           // Band 1-29: gold from 1 to 6, times 10; then the one treasure type.
                                           ElixirCase{"Treasure",
                                                      {32, 1, 1, 1},
                                                      {{1, 100}, {1, 100}, {1, 6}, {1, 1}},
                                                      "Treasure appears worth 10 gold pieces!\n\n",
                                                      {{Action::South, 15, "Go South"},
                                                       {Action::East, 17, "Go East"},
                                                       {Action::Examine, 10, "Examine Treasure"},
                                                       {Action::Take, 10, "Take Treasure"}}}),
                         CaseName());

TEST_F(DispatchTest, TheElixirWithItsTreasureChanceSwitchedOff) {
    Enter(14);
    Trigger(7).isEnabled = 0;
    ASSERT_TRUE(Press("Use small bottle"));
    EXPECT_TRUE(dice->draws.empty());
    EXPECT_EQ(Entity(1).hp, 7);
}

// ---------------------------------------------------------------- activate, others

TEST_F(DispatchTest, ActivateFiresTheTriggerThenPrompts) {
    WindowMgr->Window_Main_Create_Choice_Btn(Action::ActivateTrigger, 4, "Pray");
    WindowMgr->Window_Main_Create_Choice_Btn(Action::ActivateTrigger, 99, "Hope");
    ASSERT_TRUE(Press("Pray"));
    EXPECT_EQ(Since(), "  You take your chances and decide to drink the liquid. \n" + kPrompt);
    ASSERT_TRUE(Press("Hope"));
    EXPECT_EQ(Since(), kPrompt);
}

TEST_F(DispatchTest, UnknownCategoriesDoNothing) {
    for (uint16_t category : std::initializer_list<uint16_t>{0, 13, 99})
        WindowMgr->Window_Main_Create_Choice_Btn(category, 4, "Odd " + std::to_string(category));
    for (const char* label : {"Odd 0", "Odd 13", "Odd 99"}) ASSERT_TRUE(Press(label));
    EXPECT_EQ(Since(), "");
    EXPECT_NE(Find(4), nullptr);
}

TEST_F(DispatchTest, WithNoActionButtonsCountedAPressDoesNothing) {
    WindowMgr->Window_Main_Create_Choice_Btn(Action::ActivateTrigger, 4, "Pray");
    WindowMgr->ChoiceBtnNum = 0;
    ASSERT_TRUE(Press("Pray"));
    EXPECT_EQ(Since(), "");
}

TEST_F(DispatchTest, AGadgetThatIsNoButtonOfTheGameDoesNothing) {
    for (const TGadget& g : {WindowMgr->storyText, WindowMgr->mainWindow, WindowMgr->StoryImgPanel, TGadget{}})
        EmitEvent(TEvent{EVENT_GADGETACTION, g});
    EXPECT_EQ(Since(), "");
    EXPECT_TRUE(ui().opened.empty());
}

// ---------------------------------------------------------------- end of game and restart

TEST_F(DispatchTest, ReachingTheExitEndsTheGameAtTheNextEvent) {
    Enter(10);
    ASSERT_TRUE(Press("Go East"));
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + std::string(RoomText(11)) + "\n");
    EXPECT_TRUE(ActionButtons().empty());
    EXPECT_EQ(MainPrg->currentRm, 11);
    EXPECT_FALSE(Visible(WindowMgr->RestartGameBtn));
    Tick();
    EXPECT_EQ(Since(), Completion(10));
    EXPECT_EQ(MainPrg->currentRm, 0);
    EXPECT_TRUE(Visible(WindowMgr->RestartGameBtn));
    EXPECT_FALSE(Visible(WindowMgr->ConsumeBtn));
    EXPECT_FALSE(Visible(WindowMgr->InventoryBtn));
    EXPECT_FALSE(Visible(WindowMgr->StatsBtn));
    EXPECT_TRUE(Visible(WindowMgr->VisitURLBtn));
    EXPECT_TRUE(Visible(WindowMgr->InstructionBtn));
    Tick();
    EXPECT_EQ(Since(), "");
}

TEST_F(DispatchTest, DyingOnTheMoveIntoTheExitEndsTheGameOnceWithTheDeathEnding) {
    Enter(10);
    Entity(1).hp = 1;
    Roll({3});  // the survival check of the exit room fails
    ASSERT_TRUE(Press("Go East"));
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + std::string(RoomText(11)) + "\n" +
                           "You are mortally wounded. Your strength has failed you. You have died from your mortal "
                           "wounds!\n\n");
    Tick();
    Tick();
    EXPECT_EQ(Since(), Death(10));
    EXPECT_EQ(PlayerMgr->GetScore(1), 10);
    EXPECT_TRUE(Visible(WindowMgr->RestartGameBtn));
}

class RestartTest : public StartedGameTest {};

TEST_F(RestartTest, EverythingStartsAgainButTheStoryAndTheSections) {
    // A game that changed everything a restart resets.
    ASSERT_TRUE(Press("Take Sword"));
    ASSERT_TRUE(Press("Go East"));
    Entity(1).hp = 4;
    ASSERT_TRUE(Press("Consume"));
    Roll({32, 1, 1, 1});      // the chance, band 1-29, 10 gold, the one treasure type
    TriggerMgr->Activate(7);  // a treasure: entity 10
    TriggerMgr->checkRoomEntrance(19);
    RoomMgr->EnablePathway(9, 10, 8);
    PlayerMgr->AddFrag(1, 2);
    StoryMgr->addSection(9, "<nine>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    StoryMgr->addChoice(1, "Knock", 16, Action::ActivateTrigger, 4, 1);
    MainPrg->currentSection = 9;
    EntityMgr->SetDead(1, 1);
    Tick();
    ASSERT_TRUE(Visible(WindowMgr->RestartGameBtn));
    const std::string before = Story();
    Mark();

    ASSERT_TRUE(Press("Restart Game"));
    EXPECT_EQ(Since(), "Restart Game\n\nGame has been reset.\n\nThornvale, v1.2.3" + std::string(StoryIntroText()) +
                           std::string(RoomText(6)) + "  There is a Sword on the ground. \n\n" + kPrompt);
    EXPECT_TRUE(Story().starts_with(before));
    EXPECT_EQ(MemoryBackend::Info(WindowMgr->storyText).caret, 0u);

    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::East, 1, "Go East"},
                                                    {Action::Examine, 4, "Examine Sword"},
                                                    {Action::Take, 4, "Take Sword"}}));
    EXPECT_FALSE(Visible(WindowMgr->RestartGameBtn));
    EXPECT_TRUE(Visible(WindowMgr->ConsumeBtn));
    EXPECT_TRUE(Visible(WindowMgr->InventoryBtn));
    EXPECT_TRUE(Visible(WindowMgr->StatsBtn));

    EXPECT_EQ(MainPrg->currentRm, 6);
    EXPECT_EQ(MainPrg->playerDead, 0);
    EXPECT_EQ(MainPrg->currentSection, 9);
    EXPECT_EQ(TStorySection::_list.size(), 1u);
    EXPECT_EQ(TChoice::_list.size(), 1u);

    // Start stock and IDs, as after start-up.
    EXPECT_EQ(StockLines(), kStartStock);
    std::vector<std::pair<int32_t, std::string>> entities;
    for (const auto& e : t_entity::_list) entities.emplace_back(e->id, e->name);
    EXPECT_EQ(entities, (decltype(entities){{1, "Player"}, {2, "Earth Dragon"}, {3, "small bottle"}, {4, "Sword"},
                                            {5, "Axe"}, {6, "Fur cloak"}, {7, "Food"}, {8, "sack of flour"},
                                            {9, "sack of potatoes"}}));
    EXPECT_EQ(EntityMgr->NumEntities, 9);
    EXPECT_EQ(Entity(1).hp, 6);
    EXPECT_EQ(Entity(1).weapon1ID, 0);
    EXPECT_EQ(TTrigger::_list.size(), 17u);
    for (const auto& t : TTrigger::_list) EXPECT_EQ(t->isEnabled, 1) << "trigger " << t->id;
    for (const auto& r : t_room::_list)
        if (r->id == 9) EXPECT_EQ(r->u, 0);
    ASSERT_EQ(TPlayer::_list.size(), 2u);
    for (const auto& p : TPlayer::_list) EXPECT_EQ(std::make_pair(p->nFrags, p->score), std::make_pair(0, 0));

    // And the new game plays as the first one did.
    Mark();
    ASSERT_TRUE(Press("Take Sword"));
    EXPECT_EQ(Since(), "Take Sword\n\nYou took the Sword.\n\nThe Sword is now your primary weapon.\n\n" + kPrompt);
}

TEST_F(RestartTest, AfterAWinTheNewGameStartsInRoomSix) {
    Enter(10);
    ASSERT_TRUE(Press("Go East"));
    Tick();
    Mark();
    ASSERT_TRUE(Press("Restart Game"));
    EXPECT_TRUE(Since().starts_with("Restart Game\n\nGame has been reset.\n\nThornvale, v1.2.3\n\nGAME INTRODUCTION"));
    EXPECT_EQ(MainPrg->currentRm, 6);
    Mark();
    Tick();
    EXPECT_EQ(Since(), "");  // no second ending
    EXPECT_EQ(ActionButtons().front(), (Button{Action::East, 1, "Go East"}));
}

}  // namespace
