// What the player can do with the things in a room: their buttons, examining,
// asking, taking (and equipping something better), drinking the elixir and
// eating.
#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/t_EntityMgr.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The start stock with lines changed or added.
std::vector<StockLine> StartStockWith(std::initializer_list<StockLine> changes) {
    std::vector<StockLine> lines = kStartStock;
    for (const StockLine& change : changes) {
        auto it = std::find_if(lines.begin(), lines.end(),
                               [&](const StockLine& l) { return std::get<0>(l) == std::get<0>(change); });
        if (it != lines.end())
            *it = change;
        else
            lines.push_back(change);
    }
    return lines;
}

class ActionTest : public StartedGameTest {
protected:
    // The entity buttons of a room alone, built on a cleared set of buttons.
    std::vector<Button> HintsOf(int32_t room) {
        WindowMgr->Window_Main_Clear_Choice_Btns();
        EntityMgr->getHints(room);
        return ActionButtons();
    }

    long long ButtonsCreated() {
        return std::count_if(ui().gadgets.begin(), ui().gadgets.end(),
                             [](const TGadget& g) { return g->kind == GadgetKind::Button; });
    }

    static int32_t AddThing(const std::string& name, int32_t room, int32_t objectType, uint8_t canTake,
                            uint8_t isUsable, int32_t team) {
        return EntityMgr->addEntity(0, name, objectType, room, canTake, "Something.", "floor", 0, 0, 0, isUsable, 0,
                                    team, team);
    }
};

// ---------------------------------------------------------------- buttons

struct HintsCase {
    const char* name;
    int32_t room;
    std::vector<Button> buttons;
    friend void PrintTo(const HintsCase& c, std::ostream* os) { *os << c.name; }
};

class ActionHints : public ActionTest, public ::testing::WithParamInterface<HintsCase> {};

TEST_P(ActionHints, TheStartThingsGetTheirButtons) {
    EXPECT_EQ(HintsOf(GetParam().room), GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, ActionHints,
    ::testing::Values(
        HintsCase{"CastleEntranceSword", 6, {{Action::Examine, 4, "Examine Sword"}, {Action::Take, 4, "Take Sword"}}},
        HintsCase{"DungeonAxe", 12, {{Action::Examine, 5, "Examine Axe"}, {Action::Take, 5, "Take Axe"}}},
        HintsCase{"MeetingRoomFurCloak", 4,
                  {{Action::Examine, 6, "Examine Fur cloak"}, {Action::Take, 6, "Take Fur cloak"}}},
        HintsCase{"KitchenFood", 7, {{Action::Examine, 7, "Examine Food"}, {Action::Take, 7, "Take Food"}}},
        HintsCase{"StoreRoomSacks", 8,
                  {{Action::Examine, 8, "Examine sack of flour"}, {Action::Examine, 9, "Examine sack of potatoes"}}},
        HintsCase{"MasterChamberBottle", 14,
                  {{Action::Examine, 3, "Examine small bottle"}, {Action::Use, 3, "Use small bottle"}}},
        HintsCase{"ChambermaidChamberDragon", 17,
                  {{Action::Examine, 2, "Examine Earth Dragon"}, {Action::Fight, 2, "Fight the Earth Dragon"}}},
        HintsCase{"HallwayEmpty", 1, {}},
        HintsCase{"TheExitEmpty", 11, {}}),
    CaseName());

TEST_F(ActionTest, StartButtonsOfRoomSixEndWithTheSword) {
    const std::vector<std::string> labels = ActionLabels();
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(labels.end() - 2, labels.end()),
              (std::vector<std::string>{"Examine Sword", "Take Sword"}));
}

TEST_F(ActionTest, EveryKindOfButtonInItsOrder) {
    const int32_t id = AddThing("Stranger", 5, 1, 1, 1, 2);
    EXPECT_EQ(HintsOf(5), (std::vector<Button>{{7, id, "Examine Stranger"},
                                               {10, id, "Take Stranger"},
                                               {8, id, "Ask Stranger"},
                                               {9, id, "Fight the Stranger"},
                                               {11, id, "Use Stranger"}}));
}

TEST_F(ActionTest, ButtonsFollowTheFlagsAndTheTeam) {
    struct Case {
        const char* what;
        int32_t objectType;
        uint8_t canTake, isUsable;
        int32_t team;
        uint8_t enabled;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"a thing", 8, 0, 0, 0, 1, {"Examine X"}},
        {"the player's team", 8, 0, 0, 1, 1, {"Examine X"}},
        {"another team", 8, 0, 0, 3, 1, {"Examine X", "Fight the X"}},
        {"a negative team", 8, 0, 0, -1, 1, {"Examine X", "Fight the X"}},
        {"take flag 2", 8, 2, 0, 0, 1, {"Examine X"}},
        {"usable flag 2", 8, 0, 2, 0, 1, {"Examine X"}},
        {"the player's type", 1, 0, 0, 0, 1, {"Examine X", "Ask X"}},
        {"disabled", 8, 1, 1, 2, 0, {}},
        {"enabled flag 2", 8, 1, 1, 2, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t id = AddThing("X", 5, c.objectType, c.canTake, c.isUsable, c.team);
        Entity(id).isEnabled = c.enabled;
        std::vector<std::string> labels;
        for (const auto& b : HintsOf(5)) labels.push_back(std::get<2>(b));
        EXPECT_EQ(labels, c.labels);
        Entity(id).roomNum = 99;  // out of the way of the next case
    }
}

TEST_F(ActionTest, ThingsComeInListOrderAndThePlayerNeverGetsButtons) {
    const int32_t a = AddThing("Lamp", 8, 8, 1, 0, 0);
    EntityMgr->setRoomNum(1, 8);
    EXPECT_EQ(HintsOf(8), (std::vector<Button>{{Action::Examine, 8, "Examine sack of flour"},
                                               {Action::Examine, 9, "Examine sack of potatoes"},
                                               {7, a, "Examine Lamp"},
                                               {10, a, "Take Lamp"}}));
    EXPECT_EQ(HintsOf(6),
              (std::vector<Button>{{Action::Examine, 4, "Examine Sword"}, {Action::Take, 4, "Take Sword"}}));
}

// ---------------------------------------------------------------- examine and ask

TEST_F(ActionTest, ExamineTextOfAnyEntityWhereverAndHoweverItIs) {
    EXPECT_EQ(EntityMgr->getObjectDesc(4),
              "\n\nYou decide to examine the Sword.\n\nIt is a short sword. Damage rating is 1D+2.\n\n");
    Entity(3).isEnabled = 0;  // the drunk bottle, in another room
    EXPECT_EQ(EntityMgr->getObjectDesc(3),
              "\n\nYou decide to examine the small bottle.\n\nIt is a small bottle containing some type of liquid. "
              "The bottle is corked.\n\n");
    EXPECT_EQ(EntityMgr->getObjectDesc(1), "\n\nYou decide to examine the Player.\n\nYou are eager and ready to "
                                           "discover.\n\n");
    EXPECT_EQ(EntityMgr->getObjectDesc(99), "");
    EXPECT_EQ(EntityMgr->getObjectDesc(0), "");
    EXPECT_EQ(Since(), "");
}

TEST_F(ActionTest, AskingEntityFourteenTellsTheDrinkingStory) {
    ASSERT_EQ(EntityMgr->addEntity(14, "Wiseman", 1, 14, 0, "Old.", "floor", 0, 0, 0, 0, 0, 0, 0), 14);
    EXPECT_EQ(EntityMgr->AskEntity(14), 0);
    EXPECT_EQ(Since(), "\n\nYou decided to talk with the Wiseman.  You take your chances and decide to drink the "
                       "liquid. \n" +
                           kPrompt);
    TriggerMgr->Disable(4);
    EntityMgr->AskEntity(14);
    EXPECT_EQ(Since(), "\n\nYou decided to talk with the Wiseman." + kPrompt);
}

TEST_F(ActionTest, AskingAnyOtherEntityOnlyTalks) {
    EXPECT_EQ(EntityMgr->AskEntity(2), 0);
    EXPECT_EQ(Since(), "\n\nYou decided to talk with the Earth Dragon.");
    EXPECT_EQ(EntityMgr->AskEntity(14), 0);  // no entity 14
    EXPECT_EQ(EntityMgr->AskEntity(99), 0);
    EXPECT_EQ(Since(), "");
}

// ---------------------------------------------------------------- take

struct TakeCase {
    const char* name;
    std::vector<int32_t> takes;  // entity IDs, each taken in its own room
    std::string text;
    int32_t weapon, armour;
    friend void PrintTo(const TakeCase& c, std::ostream* os) { *os << c.name; }
};

class ActionTake : public ActionTest, public ::testing::WithParamInterface<TakeCase> {};

TEST_P(ActionTake, TheFirstWeaponAndOnlyABetterOneBecomePrimary) {
    const TakeCase& c = GetParam();
    for (int32_t id : c.takes) {
        const int32_t room = Entity(id).roomNum;
        EXPECT_EQ(EntityMgr->takeObject(id, room, 1), 1) << id;
    }
    EXPECT_EQ(Since(), c.text);
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), c.weapon);
    EXPECT_EQ(EntityMgr->GetCurrentArmorByID(1), c.armour);
}

const std::string kSwordTaken = "\nYou took the Sword.\n\n";
const std::string kAxeTaken = "\nYou took the Axe.\n\n";

INSTANTIATE_TEST_SUITE_P(
    Sequences, ActionTake,
    ::testing::Values(
        TakeCase{"Sword", {4}, kSwordTaken + "The Sword is now your primary weapon.\n\n", 2, 0},
        TakeCase{"SwordThenAxe",
                 {4, 5},
                 kSwordTaken + "The Sword is now your primary weapon.\n\n" + kAxeTaken +
                     "The Axe is now your primary weapon.\n\n",
                 3, 0},
        TakeCase{"AxeThenSword", {5, 4}, kAxeTaken + "The Axe is now your primary weapon.\n\n" + kSwordTaken, 3, 0},
        TakeCase{"FurCloak", {6}, "\nYou took the Fur cloak.\n\nThe Fur cloak is now your primary armory.\n\n", 0, 1},
        TakeCase{"Food", {7}, "\nYou took the Food.\n\n", 0, 0}),
    CaseName());

TEST_F(ActionTest, TakingMovesTheStockAndRemovesTheThingAtOnce) {
    EXPECT_EQ(EntityMgr->takeObject(4, 6, 1), 1);
    EXPECT_EQ(Find(4), nullptr);  // gone before the next event
    EXPECT_EQ(EntityMgr->GetName(4), "");
    // The player gets a line of its own; the Sword's own line stays.
    EXPECT_EQ(StockLines(), StartStockWith({{8, 1, 9, 1}}));
    Since();

    EXPECT_EQ(EntityMgr->takeObject(4, 6, 1), 0);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(StockLines(), StartStockWith({{8, 1, 9, 1}}));

    // Food joins the player's own food line.
    EXPECT_EQ(EntityMgr->takeObject(7, 7, 1), 1);
    EXPECT_EQ(StockLines(), StartStockWith({{1, 1, 8, 20}, {8, 1, 9, 1}}));
}

TEST_F(ActionTest, TakingRefusesAThingElsewhereOrNotTakeable) {
    const int32_t flagTwo = AddThing("Crate", 6, 8, 2, 0, 0);
    EXPECT_EQ(EntityMgr->takeObject(4, 7, 1), 0);    // the Sword is in room 6
    EXPECT_EQ(EntityMgr->takeObject(8, 8, 1), 0);    // a sack cannot be taken
    EXPECT_EQ(EntityMgr->takeObject(flagTwo, 6, 1), 0);
    EXPECT_EQ(EntityMgr->takeObject(99, 6, 1), 0);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(StockLines(), kStartStock);
    EXPECT_NE(Find(4), nullptr);
    EXPECT_NE(Find(8), nullptr);
    EXPECT_EQ(Entity(4).isEnabled, 1);
    EXPECT_EQ(Entity(4).isDead, 0);
}

TEST_F(ActionTest, TwoTreasuresMergeIntoOneLine) {
    const int32_t a = EntityMgr->addEntity(0, "Treasure", 7, 6, 1, "", "Floor", 0, 0, 0, 0, 1, 0, 0);
    InventoryMgr->addInventory(a, 7, 60);
    const int32_t b = EntityMgr->addEntity(0, "Treasure", 7, 6, 1, "", "Floor", 0, 0, 0, 0, 1, 0, 0);
    InventoryMgr->addInventory(b, 7, 150);
    EntityMgr->takeObject(a, 6, 1);
    EntityMgr->takeObject(b, 6, 1);
    EXPECT_EQ(Since(), "\nYou took the Treasure.\n\n\nYou took the Treasure.\n\n");
    EXPECT_EQ(StockLines(), StartStockWith({{8, a, 7, 60}, {9, b, 7, 150}, {10, 1, 7, 210}}));
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), 0);
}

TEST_F(ActionTest, AnEqualOrUnknownWeaponOrArmourIsNotEquipped) {
    EntityMgr->takeObject(4, 6, 1);
    EntityMgr->takeObject(6, 4, 1);
    Since();
    // A second Sword and a second cloak are no better.
    const int32_t sword = EntityMgr->CreateEntityByObjectType(9, 6, "ground", 0, 0, 0);
    const int32_t cloak = EntityMgr->CreateEntityByObjectType(11, 6, "ground", 0, 0, 0);
    EntityMgr->takeObject(sword, 6, 1);
    EntityMgr->takeObject(cloak, 6, 1);
    EXPECT_EQ(Since(), "\nYou took the Sword.\n\n\nYou took the Fur cloak.\n\n");
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), 2);
    EXPECT_EQ(EntityMgr->GetCurrentArmorByID(1), 1);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 9), 2);
}

TEST_F(ActionTest, AWeaponsNameMustMatchExactlyToBeEquipped) {
    // A weapon thing named in lower case finds no damage by name.
    const int32_t id = EntityMgr->addEntity(0, "sword", 9, 6, 1, "", "ground", 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(Entity(id).category, 3);
    EXPECT_EQ(EntityMgr->takeObject(id, 6, 1), 1);
    EXPECT_EQ(Since(), "\nYou took the sword.\n\n");
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), 0);
}

TEST_F(ActionTest, TheTakerNeedNotBeThePlayer) {
    EXPECT_EQ(EntityMgr->takeObject(4, 6, 2), 1);
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(2), 2);
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), 0);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(2, 9), 1);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 9), 0);
}

// ---------------------------------------------------------------- the elixir

struct DrinkCase {
    const char* name;
    int32_t hpBefore;
    int32_t hpAfter;
    const char* word;
    friend void PrintTo(const DrinkCase& c, std::ostream* os) { *os << c.name; }
};

class ActionDrink : public ActionTest, public ::testing::WithParamInterface<DrinkCase> {};

TEST_P(ActionDrink, TheBottleGivesOneWoundPointAndIsDisabled) {
    const DrinkCase& c = GetParam();
    Entity(1).hp = c.hpBefore;
    const long long roomButtons = static_cast<long long>(ActionLabels().size());
    const long long before = ButtonsCreated();

    EXPECT_EQ(EntityMgr->UseItem(3), 0);  // the bottle lies in room 14; the player is in 6
    EXPECT_EQ(Since(), std::string("\nIt's an Elixir, so you drink it. You gain 1 wound points. Your wound level is ") +
                           c.word + ".\n\n");
    EXPECT_EQ(Entity(1).hp, c.hpAfter);
    EXPECT_EQ(Entity(3).isEnabled, 0);
    EXPECT_EQ(Entity(3).isDead, 0);
    EXPECT_EQ(Entity(3).roomNum, 14);
    EXPECT_EQ(ButtonsCreated() - before, roomButtons);  // one rebuild of room 6
    EXPECT_EQ(static_cast<long long>(ActionLabels().size()), roomButtons);
}

INSTANTIATE_TEST_SUITE_P(WoundLevels, ActionDrink,
                         ::testing::Values(DrinkCase{"UnhurtRisesToSeven", 6, 7, "not wounded"},
                                           DrinkCase{"FiveToUnhurt", 5, 6, "not wounded"},
                                           DrinkCase{"FourToStunned", 4, 5, "stunned"},
                                           DrinkCase{"ZeroToMortallyWounded", 0, 1, "mortally wounded"},
                                           DrinkCase{"MinusThreeStaysDead", -3, -2, "dead"},
                                           DrinkCase{"MinusOneToZeroIsDead", -1, 0, "dead"}),
                         CaseName());

TEST_F(ActionTest, TheUsedBottleDoesNothingMore) {
    EntityMgr->UseItem(3);
    Since();
    const long long before = ButtonsCreated();
    EXPECT_EQ(EntityMgr->UseItem(3), 0);
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Entity(1).hp, 7);
    EXPECT_EQ(ButtonsCreated(), before);
    EXPECT_TRUE(HintsOf(14).empty());
}

TEST_F(ActionTest, OnlyAnEnabledElixirCanBeUsed) {
    Entity(3).isEnabled = 2;
    const long long before = ButtonsCreated();
    for (int32_t id : {4, 2, 7, 3, 99}) EXPECT_EQ(EntityMgr->UseItem(id), 0) << id;
    EXPECT_EQ(Since(), "");
    EXPECT_EQ(Entity(1).hp, 6);
    EXPECT_EQ(Entity(4).isEnabled, 1);
    EXPECT_EQ(ButtonsCreated(), before);
}

TEST_F(ActionTest, AnElixirThatStaysEnabledCanBeDrunkAgain) {
    const int32_t id = EntityMgr->CreateEntityByObjectType(6, 6, "floor", 0, 0, 0);
    Entity(id).isUsable = 0;  // not looked at by the use rule
    EntityMgr->UseItem(id);
    const long long before = ButtonsCreated();
    EntityMgr->UseItem(id);
    EXPECT_EQ(Entity(1).hp, 8);
    EXPECT_EQ(Entity(id).isEnabled, 1);
    EXPECT_GT(ButtonsCreated(), before);  // rebuilt after every use
    EXPECT_EQ(Since(), std::string("\nIt's an Elixir, so you drink it. You gain 1 wound points. Your wound level is not "
                           "wounded.\n\n"
                           "\nIt's an Elixir, so you drink it. You gain 1 wound points. Your wound level is not "
                           "wounded.\n\n"));
}

// ---------------------------------------------------------------- eating

std::string Meal(int had, const char* word) {
    return "You had " + std::to_string(had) + " units of food to consume. After consuming 1 unit, you now have " +
           std::to_string(had - 1) + " units of food remaining. Your wound level is now " + word + ".\n\n";
}

const std::string kNoFood = "Unfortunately, you have no food to consume.\n\n";
const std::string kNotHungry =
    "Although the food appears appetizing, you are not wounded or fatigued, so you decide not to eat any food.\n\n";

struct MealCase {
    const char* name;
    int32_t hp, food;
    std::string text;
    uint8_t result;
    int32_t hpAfter, foodAfter;
    friend void PrintTo(const MealCase& c, std::ostream* os) { *os << c.name; }
};

class ActionEat : public ActionTest, public ::testing::WithParamInterface<MealCase> {};

TEST_P(ActionEat, RefusalsComeFirstThenOneUnitIsEaten) {
    const MealCase& c = GetParam();
    Entity(1).hp = c.hp;
    for (int i = c.food; i < 10; ++i) ASSERT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 1);
    Since();
    EXPECT_EQ(EntityMgr->ConsumeFood(1), c.result);
    EXPECT_EQ(Since(), c.text);
    EXPECT_EQ(Entity(1).hp, c.hpAfter);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), c.foodAfter);
}

INSTANTIATE_TEST_SUITE_P(Meals, ActionEat,
                         ::testing::Values(MealCase{"UnhurtRefuses", 6, 10, kNotHungry, 0, 6, 10},
                                           MealCase{"AboveSixRefuses", 9, 10, kNotHungry, 0, 9, 10},
                                           MealCase{"NoFoodWhenHurt", 3, 0, kNoFood, 0, 3, 0},
                                           MealCase{"NoFoodComesBeforeUnhurt", 6, 0, kNoFood, 0, 6, 0},
                                           MealCase{"EatsAtFour", 4, 10, Meal(10, "stunned"), 1, 5, 9},
                                           MealCase{"EatsUpToSix", 5, 10, Meal(10, "not wounded"), 1, 6, 9},
                                           MealCase{"EatsTheLastUnit", 3, 1, Meal(1, "wounded"), 1, 4, 0},
                                           MealCase{"WoundWordClampedBelowZero", -2, 2, Meal(2, "dead"), 1, -1, 1}),
                         CaseName());

TEST_F(ActionTest, TheLastUnitTakesTheLineAndTheNextMealRefuses) {
    for (int i = 0; i < 9; ++i) InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8);
    Entity(1).hp = 2;
    Since();
    EXPECT_EQ(EntityMgr->ConsumeFood(1), 1);
    EXPECT_EQ(StockLines(), std::vector<StockLine>(kStartStock.begin() + 1, kStartStock.end()));
    EXPECT_EQ(EntityMgr->ConsumeFood(1), 0);
    EXPECT_EQ(Since(), Meal(1, "severely wounded") + kNoFood);
    EXPECT_EQ(Entity(1).hp, 3);
}

TEST_F(ActionTest, AnyEaterUsesItsOwnFoodAndHitPoints) {
    // The Food on the kitchen table holds 10 units and has 0 hit points.
    EXPECT_EQ(EntityMgr->ConsumeFood(7), 1);
    EXPECT_EQ(Since(), Meal(10, "mortally wounded"));
    EXPECT_EQ(StockLines(), StartStockWith({{5, 7, 8, 9}}));
    Entity(2).hp = 3;
    EXPECT_EQ(EntityMgr->ConsumeFood(2), 0);
    EXPECT_EQ(Since(), kNoFood);
}

}  // namespace
