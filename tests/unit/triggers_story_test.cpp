// Room-entrance triggers (their table, firing on entrance and on request,
// every effect, disabling, chains and reset) and the story sections and
// choices.
#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TStoryMgr.h"
#include "story/TTriggerMgr.h"
#include "story/TriggerTexts.h"
#include "world/RoomTexts.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

class TriggerTest : public StartedGameTest {
protected:
    // A trigger of our own, enabled unless told otherwise.
    void Add(uint16_t id, uint16_t room, uint16_t category, int32_t target, int32_t targetValue, uint8_t persistent,
             uint8_t entry, const std::string& text = "", uint8_t enabled = 1) {
        TriggerMgr->addTrigger(id, room, category, target, targetValue, enabled, persistent, entry, text);
    }
};

// ---------------------------------------------------------------- the table

struct TriggerRow {
    int32_t id;
    uint16_t room, category;
    int32_t target, targetValue;
    uint8_t persistent, entry;
};

const TriggerRow kTriggerTable[] = {
    {1, 8, 1, 0, 0, 0, 1},    {2, 17, 1, 0, 0, 0, 1},   {3, 17, 11, 2, 1, 0, 1},  {4, 14, 1, 0, 0, 0, 0},
    {5, 4, 12, 4, 1, 1, 1},   {6, 4, 13, 8, 20, 1, 1},  {7, 2, 12, 4, 1, 1, 1},   {8, 2, 13, 8, 50, 1, 1},
    {9, 3, 13, 8, 50, 1, 1},  {10, 12, 13, 8, 50, 1, 1}, {11, 15, 13, 8, 50, 1, 1}, {12, 14, 13, 8, 50, 1, 1},
    {13, 19, 14, 2, 0, 0, 1}, {14, 13, 14, 1, 0, 0, 1},  {15, 10, 13, 8, 100, 1, 1}, {16, 8, 12, 4, 1, 1, 1},
    {17, 7, 13, 8, 25, 1, 1},
};

void ExpectTheTriggerTable() {
    ASSERT_EQ(TTrigger::_list.size(), std::size(kTriggerTable));
    auto it = TTrigger::_list.begin();
    for (const TriggerRow& row : kTriggerTable) {
        const TTrigger& t = **it++;
        SCOPED_TRACE("trigger " + std::to_string(row.id));
        EXPECT_EQ(std::make_tuple(t.id, t.roomNum, t.category, t.target, t.targetValue, t.isEnabled, t.isPersistent,
                                  t.isEntryTrigger),
                  std::make_tuple(row.id, row.room, row.category, row.target, row.targetValue, uint8_t{1},
                                  row.persistent, row.entry));
        const std::string text = row.id == 1   ? std::string(LiftStoryText())
                                 : row.id == 2 ? std::string(DragonStoryText())
                                 : row.id == 4 ? "  You take your chances and decide to drink the liquid. \n"
                                               : "";
        EXPECT_EQ(t.StoryText, text);
    }
}

TEST_F(TriggerTest, SeventeenTriggersInLoadOrderAllEnabled) { ExpectTheTriggerTable(); }

// ---------------------------------------------------------------- entrances

TEST_F(TriggerTest, RoomSeventeenTellsOfTheDragonAndWakesItOnlyTheFirstTime) {
    EXPECT_EQ(TriggerMgr->checkRoomEntrance(17), 0);
    EXPECT_EQ(Since(), std::string(DragonStoryText()));
    EXPECT_EQ(Entity(2).isAlerted, 1);
    EXPECT_EQ(Trigger(2).isEnabled, 0);
    EXPECT_EQ(Trigger(3).isEnabled, 0);
    Entity(2).isAlerted = 0;
    TriggerMgr->checkRoomEntrance(17);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Entity(2).isAlerted, 0);
}

TEST_F(TriggerTest, TheDragonIsAwakeWhenRoomSeventeenIsShown) {
    Enter(18);
    Roll({3, 3, 3, 3});  // the dragon's strike and the player's: attack 3 against defence 3, both miss
    ASSERT_EQ(RoomMgr->ChangeRoom(Action::South), 1);
    EXPECT_EQ(Since(), "You go south.\n\n" + std::string(DragonStoryText()) + std::string(RoomText(17)) +
                           "  There is a Earth Dragon here. The Earth Dragon is alerted to your presence.\n\n"
                           "  The Earth Dragon attacks you. *** FIGHTING ***\n\nThe Earth Dragon missed.\n\n"
                           "The Player missed.\n\n" +
                           kPrompt);
}

TEST_F(TriggerTest, TheWokenDragonAttacksOnEveryLaterEntranceWithoutItsStory) {
    // At each entrance both strikes miss, attack 3 against defence 3.
    Enter(18);
    Roll({3, 3, 3, 3});
    ASSERT_EQ(RoomMgr->ChangeRoom(Action::South), 1);
    Enter(14);
    Roll({3, 3, 3, 3});
    ASSERT_EQ(RoomMgr->ChangeRoom(Action::East), 1);
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + std::string(RoomText(17)) +
                           "  There is a Earth Dragon here. The Earth Dragon is alerted to your presence.\n\n"
                           "  The Earth Dragon attacks you. *** FIGHTING ***\n\nThe Earth Dragon missed.\n\n"
                           "The Player missed.\n\n" +
                           kPrompt);
}

TEST_F(TriggerTest, TheStoreRoomTellsOfTheLiftOnceAndHasATreasureChanceEveryTime) {
    Enter(8);
    Roll({33, 33});
    TriggerMgr->checkRoomEntrance(8);
    EXPECT_EQ(Since(), std::string(LiftStoryText()));
    TriggerMgr->checkRoomEntrance(8);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 100}}));
}

TEST_F(TriggerTest, TheMeetingRoomDrawsTheTreasureChanceBeforeTheCreatureChance) {
    Enter(4);
    // Treasure: chance 32, band 10, 3 x 10 gold, the one type. Creature:
    // chance 19, the werewolf, its alert roll 5 against the player's 9.
    Roll({32, 10, 3, 1, 19, 1, 5, 9});
    TriggerMgr->checkRoomEntrance(4);
    EXPECT_EQ(Since(), "Treasure appears worth 30 gold pieces!\n\nA Ferocious werewolf appears!\n\n");
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 100}, {1, 6}, {1, 1}, {1, 100}, {1, 4}, {3, 18}, {3, 18}}));
    EXPECT_EQ(Entity(10).name, "Treasure");
    EXPECT_EQ(Entity(10).roomNum, 4);
    EXPECT_EQ(Entity(11).name, "Ferocious werewolf");
    EXPECT_EQ(Entity(11).roomNum, 4);
    EXPECT_EQ(Entity(11).isAlerted, 0);
}

TEST_F(TriggerTest, TheSpiderAndTheGhostBiteOnlyOnTheFirstEntrance) {
    Enter(19);
    TriggerMgr->checkRoomEntrance(19);
    EXPECT_EQ(Since(), " As you enter the room, you are bitten by a spider. You are stunned.\n");
    TriggerMgr->checkRoomEntrance(19);
    Enter(13);
    TriggerMgr->checkRoomEntrance(13);
    EXPECT_EQ(Since(),
              " The ghost of the guard has awoken! He makes eye contact with you, pauses for a moment, and then "
              "disappears. Your strength has decreased due to the fright you suffered. You are wounded.\n");
    TriggerMgr->checkRoomEntrance(13);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Entity(1).hp, 4);
    EXPECT_TRUE(dice->draws.empty());
}

TEST_F(TriggerTest, TheMasterChamberNeverTellsOfTheDrinkOnEntrance) {
    Enter(14);
    Roll({50});
    TriggerMgr->checkRoomEntrance(14);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(dice->draws, (Draws{{1, 100}}));  // only the creature chance
}

TEST_F(TriggerTest, RoomsWithoutTriggersFireNothing) {
    for (uint16_t room : std::initializer_list<uint16_t>{1, 5, 6, 9, 11, 16, 18, 0, 20}) TriggerMgr->checkRoomEntrance(room);
    EXPECT_EQ(Since(), "");
    EXPECT_TRUE(dice->draws.empty());
}

TEST_F(TriggerTest, EntryTriggersFireInLoadOrderEachDisabledBeforeTheNext) {
    Add(50, 16, 1, 0, 0, 0, 1, "<once>");
    Add(51, 16, 10, 50, 0, 1, 1);  // would tell <once> again if it were still enabled
    Add(52, 16, 1, 0, 0, 1, 1, "<always>");
    Add(53, 16, 1, 0, 0, 1, 0, "<not an entry trigger>");
    Add(54, 16, 1, 0, 0, 1, 2, "<entry flag 2>");
    Add(55, 16, 1, 0, 0, 1, 1, "<disabled>", 0);
    Add(56, 16, 1, 0, 0, 1, 1, "<enabled flag 2>", 2);
    Add(57, 15, 1, 0, 0, 1, 1, "<another room>");
    TriggerMgr->checkRoomEntrance(16);
    EXPECT_EQ(Since(), "<once><always>");
    TriggerMgr->checkRoomEntrance(16);
    EXPECT_EQ(Since(), "<always>");
}

TEST_F(TriggerTest, AnyNonZeroPersistentFlagKeepsATriggerFiring) {
    Add(50, 16, 1, 0, 0, 2, 1, "<two>");
    TriggerMgr->checkRoomEntrance(16);
    TriggerMgr->checkRoomEntrance(16);
    EXPECT_EQ(Since(), "<two><two>");
    TriggerMgr->Disable(50);
    EXPECT_EQ(Trigger(50).isEnabled, 1);
}

// ---------------------------------------------------------------- effects

struct ChanceCase {
    const char* name;
    int32_t trigger;
    int32_t roll;
    bool brings;
    friend void PrintTo(const ChanceCase& c, std::ostream* os) { *os << c.name; }
};

class TriggerCreatureChance : public TriggerTest, public ::testing::WithParamInterface<ChanceCase> {};

TEST_P(TriggerCreatureChance, ACreatureComesOnlyBelowTheBound) {
    const ChanceCase& c = GetParam();
    const size_t before = t_entity::_list.size();
    Roll({c.roll});
    // A creature that comes: the first of the four types, the werewolf; its
    // alert roll 5 against the player's 9 leaves it unaware.
    if (c.brings) Roll({1, 5, 9});
    TriggerMgr->Activate(c.trigger);
    EXPECT_EQ(dice->draws, c.brings ? (Draws{{1, 100}, {1, 4}, {3, 18}, {3, 18}}) : (Draws{{1, 100}}));
    EXPECT_EQ(Since(), c.brings ? "A Ferocious werewolf appears!\n\n" : "");
    EXPECT_EQ(t_entity::_list.size(), before + (c.brings ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, TriggerCreatureChance,
    ::testing::Values(ChanceCase{"MeetingRoom19", 6, 19, true}, ChanceCase{"MeetingRoom20", 6, 20, false},
                      ChanceCase{"AudienceChamber49", 8, 49, true}, ChanceCase{"AudienceChamber50", 8, 50, false},
                      ChanceCase{"UpperHallway49", 11, 49, true}, ChanceCase{"UpperHallway50", 11, 50, false},
                      ChanceCase{"Vestibule99", 15, 99, true}, ChanceCase{"Vestibule100", 15, 100, false},
                      ChanceCase{"Kitchen24", 17, 24, true}, ChanceCase{"Kitchen25", 17, 25, false}),
    CaseName());

TEST_F(TriggerTest, ABoundOfOneOrLessNeverBringsACreature) {
    Add(60, 16, 13, 8, 1, 1, 1);
    Add(61, 16, 13, 8, 0, 1, 1);
    Roll({1, 1});
    TriggerMgr->Activate(60);
    TriggerMgr->Activate(61);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 100}}));
}

class TriggerTreasureChance : public TriggerTest, public ::testing::WithParamInterface<ChanceCase> {};

TEST_P(TriggerTreasureChance, TreasureComesOnThirtyTwoOrLess) {
    const ChanceCase& c = GetParam();
    Enter(2);
    const size_t before = t_entity::_list.size();
    Roll({c.roll});
    // Treasure that comes: band 1, so the gold is drawn from 1 to the level
    // (1) plus 5, here 1: 10 gold pieces; then the one treasure type.
    if (c.brings) Roll({1, 1, 1});
    TriggerMgr->Activate(c.trigger);
    EXPECT_EQ(dice->draws, c.brings ? (Draws{{1, 100}, {1, 100}, {1, 6}, {1, 1}}) : (Draws{{1, 100}}));
    EXPECT_EQ(Since(), c.brings ? "Treasure appears worth 10 gold pieces!\n\n" : "");
    EXPECT_EQ(t_entity::_list.size(), before + (c.brings ? 1 : 0));
    if (c.brings) EXPECT_EQ(Entity(10).roomNum, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, TriggerTreasureChance,
    ::testing::Values(ChanceCase{"MeetingRoom32", 5, 32, true}, ChanceCase{"MeetingRoom33", 5, 33, false},
                      ChanceCase{"AudienceChamber1", 7, 1, true}, ChanceCase{"AudienceChamber32", 7, 32, true},
                      ChanceCase{"AudienceChamber33", 7, 33, false}, ChanceCase{"StoreRoom32", 16, 32, true},
                      ChanceCase{"StoreRoom100", 16, 100, false}),
    CaseName());

TEST_F(TriggerTest, TheTreasureChanceIsFixedAndTheSecondValueIsTheLevel) {
    Add(60, 16, 12, 4, 90, 1, 1);
    Roll({33});
    TriggerMgr->Activate(60);
    EXPECT_EQ(Since(), "");
    // Level 90 in the lowest band: gold from 1 to 95, times 10; then the one
    // treasure type.
    Roll({32, 1, 95, 1});
    TriggerMgr->Activate(60);
    EXPECT_EQ(Since(), "Treasure appears worth 950 gold pieces!\n\n");
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 100}, {1, 100}, {1, 95}, {1, 1}}));
}

TEST_F(TriggerTest, ActivatingIgnoresTheRoomAndTheEntryFlag) {
    // Trigger 7 belongs to room 2: asked for by ID it places its treasure in
    // the current room. Its chance 32, band 1, gold 1 of 1..6, the one
    // treasure type; the two story triggers draw nothing.
    Roll({32, 1, 1, 1});
    TriggerMgr->Activate(7);
    TriggerMgr->Activate(4);
    TriggerMgr->Activate(2);
    EXPECT_EQ(Since(), "Treasure appears worth 10 gold pieces!\n\n  You take your chances and decide to drink the "
                       "liquid. \n" +
                           std::string(DragonStoryText()));
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 100}, {1, 6}, {1, 1}}));
    EXPECT_EQ(Entity(10).roomNum, 6);
    // Asking does not disable: only an entrance or Disable does.
    EXPECT_EQ(Trigger(2).isEnabled, 1);
    EXPECT_EQ(Trigger(4).isEnabled, 1);
}

struct WoundCase {
    const char* name;
    int32_t trigger;
    int32_t hpBefore;
    std::string word;
    friend void PrintTo(const WoundCase& c, std::ostream* os) { *os << c.name; }
};

class TriggerWound : public TriggerTest, public ::testing::WithParamInterface<WoundCase> {};

TEST_P(TriggerWound, TakesOneHitPointAndTellsTheWoundAfterIt) {
    const WoundCase& c = GetParam();
    Entity(1).hp = c.hpBefore;
    TriggerMgr->Activate(c.trigger);
    const std::string opening =
        c.trigger == 14 ? " The ghost of the guard has awoken! He makes eye contact with you, pauses for a moment, and "
                          "then disappears. Your strength has decreased due to the fright you suffered. You are "
                        : " As you enter the room, you are bitten by a spider. You are ";
    EXPECT_EQ(Since(), opening + c.word + ".\n");
    EXPECT_EQ(Entity(1).hp, c.hpBefore - 1);
    EXPECT_EQ(Entity(1).isDead, 0);  // a wound alone never kills
}

INSTANTIATE_TEST_SUITE_P(Events, TriggerWound,
                         ::testing::Values(WoundCase{"SpiderUnhurt", 13, 6, "stunned"},
                                           WoundCase{"GhostUnhurt", 14, 6, "stunned"},
                                           WoundCase{"SpiderAtThree", 13, 3, "incapacitated"},
                                           WoundCase{"GhostAtOne", 14, 1, "dead"},
                                           WoundCase{"SpiderAtMinusTwo", 13, -2, "dead"},
                                           WoundCase{"GhostAfterTheElixir", 14, 8, "not wounded"}),
                         CaseName());

TEST_F(TriggerTest, AWoundEventOtherThanGhostOrSpiderDoesNothing) {
    Add(60, 16, 14, 3, 0, 1, 1);
    Add(61, 16, 14, 0, 0, 1, 1);
    TriggerMgr->Activate(60);
    TriggerMgr->Activate(61);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Entity(1).hp, 6);
}

TEST_F(TriggerTest, APathwayTriggerOpensAnUpExitOnEntrance) {
    Add(60, 16, 8, 9, 10, 0, 1);
    TriggerMgr->checkRoomEntrance(16);
    EXPECT_EQ(Room(9).u, 10);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Trigger(60).isEnabled, 0);
}

TEST_F(TriggerTest, AnAlertTriggerGivesItsValueToTheEntity) {
    Add(60, 16, 11, 2, 1, 1, 0);
    Add(61, 16, 11, 2, 0, 1, 0);
    TriggerMgr->Activate(60);
    EXPECT_EQ(Entity(2).isAlerted, 1);
    TriggerMgr->Activate(61);
    EXPECT_EQ(Entity(2).isAlerted, 0);
}

TEST_F(TriggerTest, NothingHappensForUnknownDisabledOrEffectlessTriggers) {
    Add(60, 16, 2, 0, 0, 1, 1, "<category 2>");
    Add(61, 16, 99, 0, 0, 1, 1, "<category 99>");
    Trigger(7).isEnabled = 0;
    for (int32_t id : {0, 18, 999, -1, 7, 60, 61}) TriggerMgr->Activate(id);
    for (int32_t id : {0, 999, -1}) TriggerMgr->Disable(id);
    EXPECT_EQ(Since(), "");
    EXPECT_TRUE(dice->draws.empty());
}

// ---------------------------------------------------------------- chains

TEST_F(TriggerTest, AChainFiresItsTargetAndSwitchesItselfOff) {
    Add(60, 16, 10, 61, 0, 0, 0);
    Add(61, 16, 1, 0, 0, 1, 0, "<chained>");
    Add(62, 16, 10, 61, 0, 1, 0);
    TriggerMgr->Activate(60);
    TriggerMgr->Activate(60);
    EXPECT_EQ(Since(), "<chained>");
    EXPECT_EQ(Trigger(60).isEnabled, 0);
    TriggerMgr->Activate(62);
    TriggerMgr->Activate(62);
    EXPECT_EQ(Since(), "<chained><chained>");
}

TEST_F(TriggerTest, AChainThatComesBackAfterASwitchOffRunsAsWritten) {
    Add(20, 16, 10, 21, 0, 1, 0);
    Add(21, 16, 10, 20, 0, 0, 0);
    Add(21, 16, 1, 0, 0, 1, 0, "X");
    // 20 asks for 21; the first 21 switches itself off and asks for 20,
    // which asks for 21 again: now only the second 21 runs. Back in the
    // first walk of 21, the second 21 runs once more.
    TriggerMgr->Activate(20);
    EXPECT_EQ(Since(), "XX");
    EXPECT_EQ(Trigger(20).isEnabled, 1);
    EXPECT_EQ(TTrigger::_list.back()->isEnabled, 1);
    TriggerMgr->Activate(20);
    EXPECT_EQ(Since(), "X");
}

TEST_F(TriggerTest, ACycleOfPersistentChainsIsCutWhereItWouldRepeatForEver) {
    Add(70, 16, 10, 71, 0, 1, 1);
    Add(71, 16, 10, 70, 0, 1, 0);
    Add(70, 16, 1, 0, 0, 1, 0, "<70>");
    Add(71, 16, 1, 0, 0, 1, 0, "<71>");
    // 70 leads to 71, which asks for 70 again with nothing switched off:
    // that walk would repeat the first for ever, so it is not made. Then
    // 71's text, then the rest of the first walk.
    TriggerMgr->Activate(70);
    EXPECT_EQ(Since(), "<71><70>");
    TriggerMgr->checkRoomEntrance(16);
    EXPECT_EQ(Since(), "<71><70>");
    // The cut lasts only while the chain runs.
    TriggerMgr->Activate(71);
    EXPECT_EQ(Since(), "<70><71>");
}

TEST_F(TriggerTest, AChainThatSwitchesItselfOffRunsAsWritten) {
    // Not a never-ending chain: the first 80 switches itself off before it
    // asks for 80 again, so the second one runs once inside the chain and
    // once more when the outer walk reaches it.
    Add(80, 16, 10, 80, 0, 0, 0);
    Add(80, 16, 1, 0, 0, 1, 0, "<80>");
    TriggerMgr->Activate(80);
    EXPECT_EQ(Since(), "<80><80>");
}

// ---------------------------------------------------------------- disable, reset

TEST_F(TriggerTest, DisableSwitchesOffOnlyTriggersThatAreNotPersistent) {
    Add(7, 16, 1, 0, 0, 0, 1, "<second seven>");
    TriggerMgr->Disable(7);
    auto it = TTrigger::_list.begin();
    std::advance(it, 6);
    EXPECT_EQ((*it)->id, 7);
    EXPECT_EQ((*it)->isEnabled, 1);  // room 2's treasure chance is persistent
    EXPECT_EQ(TTrigger::_list.back()->isEnabled, 0);
    TriggerMgr->Disable(2);
    EXPECT_EQ(Trigger(2).isEnabled, 0);
}

TEST_F(TriggerTest, ResetLoadsTheTableAfreshSoOneOffsHappenAgain) {
    TriggerMgr->checkRoomEntrance(17);
    TriggerMgr->checkRoomEntrance(19);
    Trigger(7).isEnabled = 0;
    Add(60, 16, 1, 0, 0, 0, 1, "<extra>");
    TTrigger::_list.reverse();
    EXPECT_EQ(TriggerMgr->Reset(), 0);
    ExpectTheTriggerTable();
    Mark();
    TriggerMgr->checkRoomEntrance(17);
    EXPECT_EQ(Since(), std::string(DragonStoryText()));
}

// ---------------------------------------------------------------- story

class StoryTest : public StartedGameTest {
protected:
    // Section 6, where every game starts, with four paths on.
    void AddStartSection() {
        StoryMgr->addSection(6, "<six>", 21, "open the gate", 22, "climb the wall", 23, "knock", 24, "wait", 25,
                             "dig", 26, "fly");
        for (uint16_t id = 21; id <= 24; ++id)
            StoryMgr->addSection(id, "<" + std::to_string(id) + ">", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    }
};

TEST_F(StoryTest, NothingIsLoadedSoNoRoomGetsAChoice) {
    EXPECT_TRUE(TStorySection::_list.empty());
    EXPECT_TRUE(TChoice::_list.empty());
    for (uint16_t room = 0; room <= 20; ++room) {
        WindowMgr->Window_Main_Clear_Choice_Btns();
        EXPECT_EQ(StoryMgr->GetChoices(room), 0);
        EXPECT_TRUE(ActionButtons().empty()) << room;
    }
}

TEST_F(StoryTest, AddingKeepsEveryValueGiven) {
    EXPECT_EQ(StoryMgr->addSection(7, "desc", 1, "a", 2, "b", 3, "c", 4, "d", 5, "e", 6, "f"), 0);
    EXPECT_EQ(StoryMgr->addChoice(3, "Ring the bell", 16, Action::ActivateTrigger, 4, 1), 0);
    const TStorySection& s = *TStorySection::_list.back();
    EXPECT_EQ(std::make_tuple(s.id, s.desc, s.imgFn, s.path1id, s.p1txt, s.path2id, s.p2txt, s.path3id, s.p3txt),
              std::make_tuple(uint16_t{7}, std::string("desc"), std::string(""), uint16_t{1}, std::string("a"),
                              uint16_t{2}, std::string("b"), uint16_t{3}, std::string("c")));
    EXPECT_EQ(std::make_tuple(s.path4id, s.p4txt, s.path5id, s.p5txt, s.path6id, s.p6txt),
              std::make_tuple(uint16_t{4}, std::string("d"), uint16_t{5}, std::string("e"), uint16_t{6},
                              std::string("f")));
    const TChoice& c = *TChoice::_list.back();
    EXPECT_EQ(std::make_tuple(c.id, c.desc, c.roomNum, c.actionItem, c.actionValue, c.isActive),
              std::make_tuple(uint16_t{3}, std::string("Ring the bell"), uint16_t{16}, uint16_t{12}, int32_t{4},
                              uint8_t{1}));
}

TEST_F(StoryTest, OnlyActiveChoicesOfTheRoomBecomeButtonsInTheOrderAdded) {
    StoryMgr->addChoice(1, "First", 16, Action::ActivateTrigger, 4, 1);
    StoryMgr->addChoice(2, "Inactive", 16, Action::ActivateTrigger, 4, 0);
    StoryMgr->addChoice(3, "Active two", 16, Action::ActivateTrigger, 4, 2);
    StoryMgr->addChoice(4, "Elsewhere", 15, Action::ActivateTrigger, 4, 1);
    StoryMgr->addChoice(5, "Second", 16, Action::Examine, 2, 1);
    WindowMgr->Window_Main_Clear_Choice_Btns();
    StoryMgr->GetChoices(16);
    EXPECT_EQ(ActionButtons(),
              (std::vector<Button>{{Action::ActivateTrigger, 4, "First"}, {Action::Examine, 2, "Second"}}));
}

TEST_F(StoryTest, ChoicesComeAfterTheMovesAndTheThingsAndActLikeAnyButton) {
    StoryMgr->addChoice(1, "Pray", 14, Action::ActivateTrigger, 4, 1);
    MainPrg->currentRm = 14;
    EntityMgr->setRoomNum(1, 14);
    WindowMgr->UpdateHints();
    EXPECT_EQ(ActionButtons(), (std::vector<Button>{{Action::South, 15, "Go South"},
                                                    {Action::East, 17, "Go East"},
                                                    {Action::Examine, 3, "Examine small bottle"},
                                                    {Action::Use, 3, "Use small bottle"},
                                                    {Action::ActivateTrigger, 4, "Pray"}}));
    Mark();
    ASSERT_TRUE(Press("Pray"));
    EXPECT_EQ(Since(), "  You take your chances and decide to drink the liquid. \n" + kPrompt);
}

TEST_F(StoryTest, AMoveChoiceGoesByItsCategoryNotItsTarget) {
    StoryMgr->addChoice(1, "Slip inside", 6, Action::East, 19, 1);
    WindowMgr->UpdateHints();
    ASSERT_TRUE(Press("Slip inside"));
    EXPECT_EQ(MainPrg->currentRm, 1);
}

struct KeyCase {
    const char* name;
    uint16_t key;
    std::string decision;
    uint16_t section;
    friend void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }
};

class StoryKeys : public StoryTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(StoryKeys, EachKeyFollowsItsPath) {
    AddStartSection();
    EXPECT_EQ(StoryMgr->ChangeSection(GetParam().key, 0), 1);
    EXPECT_EQ(Since(), "\n\nYou decide to " + GetParam().decision + ". <" + std::to_string(GetParam().section) + ">" +
                           kPrompt);
    EXPECT_EQ(MainPrg->currentSection, GetParam().section);
}

INSTANTIATE_TEST_SUITE_P(Paths, StoryKeys,
                         ::testing::Values(KeyCase{"Key12OpenTheGate", 12, "open the gate", 21},
                                           KeyCase{"Key13ClimbTheWall", 13, "climb the wall", 22},
                                           KeyCase{"Key14Knock", 14, "knock", 23},
                                           KeyCase{"Key15Wait", 15, "wait", 24}),
                         CaseName());

TEST_F(StoryTest, OtherKeysFollowNoPath) {
    AddStartSection();
    for (uint16_t key : std::initializer_list<uint16_t>{0, 1, 5, 6, 11, 16, 17, 65535})
        EXPECT_EQ(StoryMgr->ChangeSection(key, 12), 0) << key;
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(MainPrg->currentSection, 6);
}

TEST_F(StoryTest, TheSecondArgumentPlaysNoPart) {
    AddStartSection();
    EXPECT_EQ(StoryMgr->ChangeSection(13, 999), 1);
    EXPECT_EQ(MainPrg->currentSection, 22);
}

TEST_F(StoryTest, ALaterSectionWithTheSameIdCanHoldThePath) {
    StoryMgr->addSection(6, "<first six>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    StoryMgr->addSection(6, "<second six>", 30, "go on", 0, "", 0, "", 0, "", 0, "", 0, "");
    StoryMgr->addSection(30, "<thirty>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    EXPECT_EQ(StoryMgr->ChangeSection(13, 0), 0);  // no path 2 anywhere
    EXPECT_EQ(StoryMgr->ChangeSection(12, 0), 1);
    EXPECT_EQ(Since(), "\n\nYou decide to go on. <thirty>" + kPrompt);
    EXPECT_EQ(MainPrg->currentSection, 30);
}

TEST_F(StoryTest, NoSectionForTheCurrentOneMeansNoPath) {
    StoryMgr->addSection(7, "<seven>", 21, "go", 0, "", 0, "", 0, "", 0, "", 0, "");
    EXPECT_EQ(StoryMgr->ChangeSection(12, 0), 0);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(MainPrg->currentSection, 6);
}

TEST_F(StoryTest, APathToAMissingSectionStillMovesOn) {
    StoryMgr->addSection(6, "<six>", 40, "step into the dark", 0, "", 0, "", 0, "", 0, "", 0, "");
    EXPECT_EQ(StoryMgr->ChangeSection(12, 0), 1);
    EXPECT_EQ(Since(), "\n\nYou decide to step into the dark. ");
    EXPECT_EQ(MainPrg->currentSection, 40);
}

TEST_F(StoryTest, DisplaySectionShowsEverySectionWithTheIdEachWithThePrompt) {
    StoryMgr->addSection(9, "<nine a>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    StoryMgr->addSection(8, "<eight>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    StoryMgr->addSection(9, "<nine b>", 0, "", 0, "", 0, "", 0, "", 0, "", 0, "");
    EXPECT_EQ(StoryMgr->DisplaySection(9), 0);
    EXPECT_EQ(Since(), "<nine a>" + kPrompt + "<nine b>" + kPrompt);
    StoryMgr->DisplaySection(10);
    EXPECT_EQ(Since(), "");
}

}  // namespace
