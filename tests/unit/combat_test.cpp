// The dice-driven rules: one exchange of blows, surviving heavy wounds, and
// the random monsters and treasure that turn up in the current room.
#include "tests/unit/TestGame.h"

#include "catalogues/TWeaponTypeMgr.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

int32_t Frags(int32_t keeper) {
    for (const auto& p : TPlayer::_list)
        if (p->id == keeper) return p->nFrags;
    return -1;
}

// The bounds of a roll on a value: a sixth of it (toward zero) to the value.
std::pair<int32_t, int32_t> RollOn(int32_t value) {
    int32_t low = value / 6, high = value;
    if (high < low) std::swap(low, high);
    return {low, high};
}

class DiceTest : public StartedGameTest {
protected:
    t_entity& player() { return Entity(1); }
    t_entity& dragon() { return Entity(2); }
};

// ---------------------------------------------------------------- fights

class CombatTest : public DiceTest {};

TEST_F(CombatTest, PlayerWoundsTheDragonAndItMisses) {
    player().weapon1ID = 2;  // Sword
    clock->now = 5555;
    Roll({12, 4, 5, 3, 3});  // hit for 5; the creature's 3 against 3 is a miss
    EXPECT_EQ(EntityMgr->DoCombat(1, 2),
              "*** FIGHTING ***\n\n"
              "Player hit and did 2 levels of damage. Earth Dragon is wounded.\n\n"
              "The Earth Dragon missed.\n\n");
    EXPECT_EQ(dice->seeds, (std::vector<int32_t>{5555}));
    EXPECT_EQ(dice->draws, (Draws{{3, 18}, {3, 18}, {1, 8}, {2, 12}, {3, 18}}));
    EXPECT_EQ(dragon().hp, 4);
    EXPECT_EQ(player().hp, 6);
    EXPECT_EQ(Since(), "");  // the caller appends the text
}

struct StrikeCase {
    const char* name;
    int32_t weapon;    // the player's
    int32_t armour;    // the creature's
    int32_t targetHp;  // the creature's before the strike
    int32_t attack, defence, damage;
    std::pair<int32_t, int32_t> defenceBounds, damageBounds;
    int32_t levels, hpAfter;
    friend void PrintTo(const StrikeCase& c, std::ostream* os) { *os << c.name; }
};

class CombatStrike : public CombatTest, public ::testing::WithParamInterface<StrikeCase> {};

TEST_P(CombatStrike, DamageLevelsAndWounds) {
    const StrikeCase& c = GetParam();
    WeaponTypeMgr->AddWeaponType(0, 3, "Hammer", 18, 0);  // weapon 4: hits up to 5 levels
    player().weapon1ID = c.weapon;
    dragon().armor1ID = c.armour;
    dragon().hp = c.targetHp;
    dragon().isAlerted = 1;
    // The creature's counter-strike: its lowest attack, never above 3, against
    // the player's lowest defence 3, a miss whenever it is fit to strike.
    const std::pair<int32_t, int32_t> counterBounds = RollOn(18 - 3 * (6 - c.hpAfter));
    Roll({c.attack, c.defence, c.damage, counterBounds.first, 3});

    const std::string text = EntityMgr->DoCombat(1, 2);

    const bool dies = c.hpAfter == 0;
    std::string expected = "*** FIGHTING ***\n\nPlayer hit and did " + std::to_string(c.levels) +
                           " levels of damage. Earth Dragon is " + WoundLevelList[c.hpAfter] + ".\n\n";
    expected += c.hpAfter <= 2 ? "The Earth Dragon is unconscious and unable to fight.\n\n"
                               : "The Earth Dragon missed.\n\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(dragon().hp, c.hpAfter);
    EXPECT_EQ(dragon().isDead, dies ? 1 : 0);
    EXPECT_EQ(dragon().isAlerted, c.hpAfter <= 2 ? 0 : 1);
    EXPECT_EQ(Frags(1), dies ? 1 : 0);
    EXPECT_EQ(Frags(2), 0);
    EXPECT_EQ(player().hp, 6);
    EXPECT_EQ(player().isDead, 0);
    const Draws expectedDraws = {{3, 18}, c.defenceBounds, c.damageBounds, counterBounds, {3, 18}};
    EXPECT_EQ(dice->draws, expectedDraws);
}

INSTANTIATE_TEST_SUITE_P(
    Hits, CombatStrike,
    ::testing::Values(
        StrikeCase{"SwordLightHitUnhurt", 2, 0, 6, 10, 5, 1, {3, 18}, {1, 8}, 1, 5},
        StrikeCase{"SwordLightHitTop", 2, 0, 6, 10, 5, 3, {3, 18}, {1, 8}, 1, 5},
        StrikeCase{"LightHitLeavesAStunnedOneAlone", 2, 0, 5, 10, 2, 3, {2, 15}, {1, 8}, 1, 5},
        StrikeCase{"LightHitLeavesAWoundedOneAlone", 2, 0, 4, 10, 2, 1, {2, 12}, {1, 8}, 1, 4},
        StrikeCase{"SwordTwoLevelsLow", 2, 0, 6, 10, 5, 4, {3, 18}, {1, 8}, 2, 4},
        StrikeCase{"SwordTwoLevelsHigh", 2, 0, 6, 10, 5, 8, {3, 18}, {1, 8}, 2, 4},
        StrikeCase{"AxeThreeLevelsLow", 3, 0, 6, 10, 5, 9, {3, 18}, {2, 12}, 3, 3},
        StrikeCase{"AxeThreeLevelsHigh", 3, 0, 6, 10, 5, 12, {3, 18}, {2, 12}, 3, 3},
        StrikeCase{"ArmourTakesTwo", 3, 1, 6, 10, 5, 12, {3, 18}, {2, 12}, 3, 3},
        StrikeCase{"ArmourBringsSixToTwoLevels", 3, 1, 6, 10, 5, 6, {3, 18}, {2, 12}, 2, 4},
        StrikeCase{"ArmourBringsFiveToALightHit", 3, 1, 6, 10, 5, 5, {3, 18}, {2, 12}, 1, 5},
        StrikeCase{"ArmourAbsorbsAll", 3, 1, 6, 10, 5, 2, {3, 18}, {2, 12}, 0, 6},
        StrikeCase{"ArmourAboveTheDamage", 2, 1, 6, 10, 5, 1, {3, 18}, {1, 8}, 0, 6},
        StrikeCase{"FourLevelsLow", 4, 0, 6, 10, 5, 13, {3, 18}, {3, 18}, 4, 2},
        StrikeCase{"FourLevelsHigh", 4, 0, 6, 10, 5, 15, {3, 18}, {3, 18}, 4, 2},
        StrikeCase{"FiveLevelsLow", 4, 0, 6, 10, 5, 16, {3, 18}, {3, 18}, 5, 1},
        StrikeCase{"FiveLevelsHigh", 4, 0, 6, 10, 5, 18, {3, 18}, {3, 18}, 5, 1},
        StrikeCase{"KillClampsAtZero", 4, 0, 3, 10, 5, 16, {1, 9}, {3, 18}, 5, 0},
        StrikeCase{"AxeKillsAnIncapacitatedOne", 3, 0, 2, 10, 5, 12, {1, 6}, {2, 12}, 3, 0},
        StrikeCase{"UnarmedDoesNoDamage", 0, 0, 6, 10, 5, 0, {3, 18}, {0, 0}, 0, 6},
        StrikeCase{"UnarmedKillsOneAtZero", 0, 0, 0, 3, 0, 0, {0, 0}, {0, 0}, 0, 0},
        StrikeCase{"BelowZeroIsSetToZero", 0, 0, -3, 3, -5, 0, {-9, -1}, {0, 0}, 0, 0},
        StrikeCase{"AboveSixDefendsBetterAndFallsOneLevel", 2, 0, 7, 18, 17, 2, {3, 21}, {1, 8}, 1, 6}),
    CaseName());

TEST_F(CombatTest, ATieOrALowerAttackIsAMiss) {
    player().weapon1ID = 2;
    for (const auto& [attack, defence] : {std::pair{10, 10}, std::pair{9, 10}}) {
        SCOPED_TRACE(std::to_string(attack) + " against " + std::to_string(defence));
        dice->draws.clear();
        // Then the creature's counter-strike: attack 3 against defence 3, a miss.
        Roll({attack, defence, 3, 3});
        EXPECT_EQ(EntityMgr->DoCombat(1, 2),
                  "*** FIGHTING ***\n\nThe Player missed.\n\nThe Earth Dragon missed.\n\n");
        // No damage roll on a miss.
        EXPECT_EQ(dice->draws, (Draws{{3, 18}, {3, 18}, {3, 18}, {3, 18}}));
        EXPECT_EQ(dragon().hp, 6);
    }
}

TEST_F(CombatTest, AnUnconsciousAttackerDrawsBothRollsAndIsKilledByTheCounterStrike) {
    player().hp = 2;
    player().isAlerted = 1;
    dragon().weapon1ID = 1;  // Fists
    // The player's 6 would beat 3, but at 2 hit points the player cannot strike.
    Roll({6, 3, 10, 2, 4});
    EXPECT_EQ(EntityMgr->DoCombat(1, 2),
              "*** FIGHTING ***\n\n"
              "The Player is unconscious and unable to fight.\n\n"
              "Earth Dragon hit and did 2 levels of damage. Player is dead.\n\n");
    EXPECT_EQ(dice->draws, (Draws{{1, 6}, {3, 18}, {3, 18}, {1, 6}, {1, 6}}));
    EXPECT_EQ(player().isAlerted, 0);
    EXPECT_EQ(player().hp, 0);
    EXPECT_EQ(player().isDead, 1);
    EXPECT_EQ(dragon().hp, 6);
    EXPECT_EQ(Frags(2), 1);  // the creature's keeper
    EXPECT_EQ(Frags(1), 0);
    // Death is the flag: the player is still in the list until the next event.
    EXPECT_EQ(EntityMgr->GetName(1), "Player");
}

TEST_F(CombatTest, TheCounterStrikeUsesTheHitPointsTheFirstStrikeLeft) {
    // The creature attacks and is hurt by nobody; the player, brought down to
    // 4 by the first strike, answers with attack value 12 and the creature
    // defends with its full 18.
    dragon().weapon1ID = 1;
    // The creature hits for 4 (2 levels); the player hits with bare hands,
    // whose damage can only be 0.
    Roll({12, 5, 4, 11, 10, 0});
    EXPECT_EQ(EntityMgr->DoCombat(2, 1),
              "*** FIGHTING ***\n\n"
              "Earth Dragon hit and did 2 levels of damage. Player is wounded.\n\n"
              "Player hit and did 0 levels of damage. Earth Dragon is not wounded.\n\n");
    EXPECT_EQ(dice->draws, (Draws{{3, 18}, {3, 18}, {1, 6}, {2, 12}, {3, 18}, {0, 0}}));
    EXPECT_EQ(player().hp, 4);
    EXPECT_EQ(dragon().hp, 6);
}

TEST_F(CombatTest, ACreatureAtTwoHitPointsCalmsDownWhenItAttacks) {
    dragon().hp = 2;
    dragon().isAlerted = 1;
    dragon().weapon1ID = 1;
    Roll({6, 3, 3, 3});  // its roll would hit; the player then misses
    EXPECT_EQ(EntityMgr->DoCombat(2, 1),
              "*** FIGHTING ***\n\nThe Earth Dragon is unconscious and unable to fight.\n\nThe Player missed.\n\n");
    EXPECT_EQ(dragon().isAlerted, 0);
    EXPECT_EQ(player().hp, 6);
    EXPECT_EQ(dice->draws, (Draws{{1, 6}, {3, 18}, {3, 18}, {1, 6}}));
}

TEST_F(CombatTest, EveryFightReseedsFromTheClock) {
    // Both strikes of both fights: attack 3 against defence 3, misses.
    Roll({3, 3, 3, 3, 3, 3, 3, 3});
    clock->now = 111;
    EntityMgr->DoCombat(1, 2);
    clock->now = 222;
    EntityMgr->DoCombat(2, 1);
    EXPECT_EQ(dice->seeds, (std::vector<int32_t>{111, 222}));
    EXPECT_EQ(dice->draws, Draws(8, {3, 18}));
}

TEST_F(CombatTest, AFightWithAMissingEntityChangesNothing) {
    auto snapshot = [] {
        std::vector<std::tuple<int32_t, int32_t, uint8_t, uint8_t>> s;
        for (const auto& e : t_entity::_list) s.emplace_back(e->id, e->hp, e->isDead, e->isAlerted);
        return s;
    };
    dragon().isAlerted = 1;
    const auto before = snapshot();
    EXPECT_EQ(EntityMgr->DoCombat(1, 99), "");
    EXPECT_EQ(EntityMgr->DoCombat(99, 2), "");
    EXPECT_EQ(EntityMgr->DoCombat(42, 43), "");
    EXPECT_TRUE(dice->draws.empty());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(Frags(1), 0);
    EXPECT_EQ(Frags(2), 0);
    EXPECT_EQ(Since(), "");
}

// ---------------------------------------------------------------- survival

struct SurvivalCase {
    const char* name;
    int32_t hp;
    uint8_t conscious;
    bool food;
    std::vector<int32_t> rolls;
    std::string text;
    int32_t hpAfter;
    uint8_t enabledAfter, deadAfter, alertedAfter;
    int32_t foodAfter;
    friend void PrintTo(const SurvivalCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kHold = "Your strength has enabled you to be alert before slipping into unconsciousness. ";
const std::string kNoFood = "Unfortunately, you have no food to consume.\n\n";
const std::string kDied = "Your strength has failed you. You have died from your mortal wounds!\n\n";
std::string Meal(int had, const char* word) {
    return "You had " + std::to_string(had) + " units of food to consume. After consuming 1 unit, you now have " +
           std::to_string(had - 1) + " units of food remaining. Your wound level is now " + word + ".\n\n";
}

class SurvivalTest : public DiceTest, public ::testing::WithParamInterface<SurvivalCase> {};

TEST_P(SurvivalTest, PassesUntilRecoveredOrDead) {
    const SurvivalCase& c = GetParam();
    player().hp = c.hp;
    player().isEnabled = c.conscious;
    if (!c.food)
        while (InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8)) {
        }
    for (int32_t r : c.rolls) Roll({r});

    EXPECT_EQ(EntityMgr->DoSurvival(1), 0);
    EXPECT_EQ(Since(), c.text);
    EXPECT_EQ(player().hp, c.hpAfter);
    EXPECT_EQ(player().isEnabled, c.enabledAfter);
    EXPECT_EQ(player().isDead, c.deadAfter);
    EXPECT_EQ(player().isAlerted, c.alertedAfter);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), c.foodAfter);
    EXPECT_EQ(dice->draws, Draws(c.rolls.size(), {3, 18}));
}

INSTANTIATE_TEST_SUITE_P(
    Branches, SurvivalTest,
    ::testing::Values(
        SurvivalCase{"FailsAtOneAndDies", 1, 1, true, {7}, "You are mortally wounded. " + kDied, 1, 0, 1, 0, 10},
        SurvivalCase{"FailsAtOneUnconsciousAndDies", 1, 0, true, {3}, "You are mortally wounded. " + kDied, 1, 0, 1,
                     0, 10},
        SurvivalCase{"FailsAtTwoThenWorsensThenDies", 2, 1, true, {7, 7, 7},
                     "You are incapacitated. Your strength has failed you. You are incapacitated and unconscious for "
                     "a moment.\n\n"
                     "You are incapacitated. You were already unconsious, so your health has worsened. You are now "
                     "mortally wounded. "
                     "You are mortally wounded. " +
                         kDied,
                     1, 0, 1, 0, 10},
        SurvivalCase{"HoldsAtTwoAndEats", 2, 1, true, {8},
                     "You are incapacitated. " + kHold + Meal(10, "severely wounded"), 3, 1, 0, 1, 9},
        SurvivalCase{"HoldsAtOneAndEatsTwice", 1, 1, true, {18, 8},
                     "You are mortally wounded. " + kHold + Meal(10, "incapacitated") + "You are incapacitated. " +
                         kHold + Meal(9, "severely wounded"),
                     3, 1, 0, 1, 8},
        SurvivalCase{"UnconsciousWorsensThenEatsBackUp", 2, 0, true, {3, 8, 8},
                     "You are incapacitated. You were already unconsious, so your health has worsened. You are now "
                     "mortally wounded. "
                     "You are mortally wounded. " +
                         kHold + Meal(10, "incapacitated") + "You are incapacitated. " + kHold +
                         Meal(9, "severely wounded"),
                     3, 1, 0, 1, 8},
        SurvivalCase{"HoldsWithoutFoodUntilDead", 2, 1, false, {8, 8, 8},
                     "You are incapacitated. " + kHold + kNoFood +
                         "Since you have no food to help regain strength, you have slipped into unconsciousness.\n\n"
                         "You are incapacitated. " +
                         kHold + kNoFood +
                         "You were were conscious for a moment, but you did not have food to help you gain strength. "
                         "As a result your health has worsened. You are now mortally wounded and unconscious. "
                         "You are mortally wounded. " +
                         kHold + kNoFood +
                         "You were were conscious for a moment, but you did not have food to help you gain strength. "
                         "As a result your health has worsened. You are now dead and unconscious. ",
                     0, 0, 1, 0, 0},
        SurvivalCase{"UnconsciousWithoutFoodWorsensThenFails", 2, 0, false, {8, 7},
                     "You are incapacitated. " + kHold + kNoFood +
                         "You were were conscious for a moment, but you did not have food to help you gain strength. "
                         "As a result your health has worsened. You are now mortally wounded and unconscious. "
                         "You are mortally wounded. " +
                         kDied,
                     1, 0, 1, 0, 0}),
    CaseName());

class SurvivalNothing : public DiceTest {};

TEST_F(SurvivalNothing, OnlyTheLivingPlayerAtOneOrTwoHitPointsTakesPart) {
    struct Case {
        const char* name;
        int32_t id;
        int32_t playerHp;
        uint8_t playerDead;
        int32_t dragonHp;
    };
    const Case cases[] = {
        {"player at 0", 1, 0, 0, 6},  {"player below 0", 1, -2, 0, 6}, {"player at 3", 1, 3, 0, 6},
        {"player at 7", 1, 7, 0, 6},  {"dead player", 1, 2, 1, 6},     {"a creature", 2, 6, 0, 1},
        {"no such entity", 99, 1, 0, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        player().hp = c.playerHp;
        player().isDead = c.playerDead;
        dragon().hp = c.dragonHp;
        EXPECT_EQ(EntityMgr->DoSurvival(c.id), 0);
        EXPECT_EQ(Since(), "");
        EXPECT_TRUE(dice->draws.empty());
        EXPECT_EQ(player().hp, c.playerHp);
        EXPECT_EQ(player().isEnabled, 1);
        EXPECT_EQ(dragon().hp, c.dragonHp);
        EXPECT_EQ(dragon().isDead, 0);
        EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), 10);
    }
}

TEST_F(SurvivalNothing, TheRollIsOnThePlayersStrength) {
    player().hp = 2;
    player().strength = 30;
    Roll({8});
    EntityMgr->DoSurvival(1);
    EXPECT_EQ(dice->draws, (Draws{{5, 30}}));
    EXPECT_EQ(player().hp, 3);
}

// ---------------------------------------------------------------- random monsters

class RandomMonsterTest : public DiceTest {};

TEST_F(RandomMonsterTest, ACreatureOfARandomTypeAppearsInTheCurrentRoom) {
    MainPrg->currentRm = 12;
    Roll({1, 10, 10});  // the werewolf; a tie of the alert rolls
    const int32_t id = EntityMgr->RndMonsterEnemy(8, 1);
    EXPECT_EQ(id, 10);
    EXPECT_EQ(EntityMgr->NumEntities, 10);
    EXPECT_EQ(Since(), "A Ferocious werewolf appears!\n\n");
    const t_entity& m = Entity(10);
    EXPECT_EQ(m.name, "Ferocious werewolf");
    EXPECT_EQ(m.objectType, 2);
    EXPECT_EQ(m.category, 8);
    EXPECT_EQ(m.roomNum, 12);
    EXPECT_EQ(m.location, "ground");
    EXPECT_EQ(m.teamID, 2);
    EXPECT_EQ(m.ownerID, 2);
    EXPECT_EQ(m.disableAfterUse, 0);
    EXPECT_EQ(m.weapon1ID, 1);  // Fists
    EXPECT_EQ(m.armor1ID, 0);
    EXPECT_EQ(m.hp, 6);
    EXPECT_EQ(m.dexterity, 24);
    EXPECT_EQ(m.strength, 20);
    EXPECT_EQ(m.perception, 18);
    EXPECT_EQ(m.isEnabled, 1);
    EXPECT_EQ(m.isDead, 0);
    EXPECT_EQ(m.isAlerted, 1);
    // The creature's own unit of its type, on the line after the start stock.
    EXPECT_EQ(StockLines().back(), (StockLine{8, 10, 2, 1}));
}

TEST_F(RandomMonsterTest, TheCreaturesAlertRollIsDrawnFirst) {
    struct Case {
        int32_t typeRoll, creatureRoll, playerRoll;
        const char* name;
        std::pair<int32_t, int32_t> creatureBounds;
        uint8_t alerted;
    };
    const Case cases[] = {
        {3, 6, 3, "Maloventy maldemer", {1, 6}, 1},       // higher
        {3, 3, 3, "Maloventy maldemer", {1, 6}, 1},       // a tie alerts
        {3, 5, 6, "Maloventy maldemer", {1, 6}, 0},       // lower
        {2, 12, 13, "Fanatical fleshgorger", {2, 12}, 0},  //
        {4, 18, 18, "Devastating Earth-Dragon", {3, 18}, 1},
        {1, 17, 18, "Ferocious werewolf", {3, 18}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dice->draws.clear();
        Roll({c.typeRoll, c.creatureRoll, c.playerRoll});
        const int32_t id = EntityMgr->RndMonsterEnemy(8, 1);
        EXPECT_EQ(Since(), std::string("A ") + c.name + " appears!\n\n");
        EXPECT_EQ(Entity(id).name, c.name);
        EXPECT_EQ(Entity(id).isAlerted, c.alerted);
        EXPECT_EQ(dice->draws, (Draws{{1, 4}, c.creatureBounds, {3, 18}}));
    }
}

TEST_F(RandomMonsterTest, TheAlertRollUsesThePlayersPerception) {
    player().perception = 30;
    Roll({1, 10, 11});
    const int32_t id = EntityMgr->RndMonsterEnemy(8, 77);  // the second argument plays no part
    EXPECT_EQ(dice->draws, (Draws{{1, 4}, {3, 18}, {5, 30}}));
    EXPECT_EQ(Entity(id).isAlerted, 0);
    EXPECT_EQ(Entity(id).roomNum, 6);
}

// ---------------------------------------------------------------- random treasure

struct TreasureCase {
    const char* name;
    int32_t level, band, goldRoll;
    std::pair<int32_t, int32_t> goldBounds;
    int32_t gold;
    friend void PrintTo(const TreasureCase& c, std::ostream* os) { *os << c.name; }
};

class RandomTreasureTest : public DiceTest, public ::testing::WithParamInterface<TreasureCase> {};

TEST_P(RandomTreasureTest, TheBandRollChoosesTheGoldDraw) {
    const TreasureCase& c = GetParam();
    clock->now = 4321;
    MainPrg->currentRm = 4;
    // Then the pick of the category's one type, Treasure.
    Roll({c.band, c.goldRoll, 1});
    const int32_t id = EntityMgr->RndTreasureEntity(4, c.level);

    EXPECT_EQ(dice->seeds, (std::vector<int32_t>{4321}));
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, c.goldBounds, {1, 1}}));
    const std::string gold = std::to_string(c.gold);
    EXPECT_EQ(Since(), "Treasure appears worth " + gold + " gold pieces!\n\n");
    EXPECT_EQ(id, 10);
    const t_entity& t = Entity(id);
    EXPECT_EQ(t.name, "Treasure");
    EXPECT_EQ(t.objectType, 7);
    EXPECT_EQ(t.category, 4);
    EXPECT_EQ(t.roomNum, 4);
    EXPECT_EQ(t.canTake, 1);
    EXPECT_EQ(t.desc, "It is Treasure worth " + gold + " gold pieces");
    EXPECT_EQ(t.location, "Floor");
    EXPECT_EQ(t.isUsable, 0);
    EXPECT_EQ(t.disableAfterUse, 1);
    EXPECT_EQ(t.teamID, 0);
    EXPECT_EQ(t.ownerID, 0);
    EXPECT_EQ(t.dexterity, 0);
    EXPECT_EQ(t.strength, 0);
    EXPECT_EQ(t.perception, 0);
    EXPECT_EQ(t.isEnabled, 1);
    EXPECT_EQ(StockLines().back(), (StockLine{8, id, 7, c.gold}));
}

INSTANTIATE_TEST_SUITE_P(Bands, RandomTreasureTest,
                         ::testing::Values(TreasureCase{"Level1Roll1", 1, 1, 1, {1, 6}, 10},
                                           TreasureCase{"Level1Roll29", 1, 29, 6, {1, 6}, 60},
                                           TreasureCase{"Level1Roll30", 1, 30, 8, {1, 8}, 80},
                                           TreasureCase{"Level1Roll52", 1, 52, 3, {1, 8}, 30},
                                           TreasureCase{"Level1Roll53", 1, 53, 2, {2, 16}, 20},
                                           TreasureCase{"Level1Roll95", 1, 95, 16, {2, 16}, 160},
                                           TreasureCase{"Level1Roll96", 1, 96, 1, {1, 4}, 100},
                                           TreasureCase{"Level1Roll100", 1, 100, 4, {1, 4}, 400},
                                           TreasureCase{"Level2Roll29", 2, 29, 7, {1, 7}, 70},
                                           TreasureCase{"Level2Roll30", 2, 30, 9, {1, 9}, 90},
                                           TreasureCase{"Level2Roll53", 2, 53, 17, {2, 17}, 170},
                                           TreasureCase{"Level3Roll96", 3, 96, 6, {1, 6}, 600}),
                         CaseName());

class RandomTreasureEmpty : public DiceTest {};

TEST_F(RandomTreasureEmpty, ACategoryWithoutTypesStillMakesATreasureNamedNone) {
    // The band, the gold, then the pick among no candidates: its bounds 1..0
    // turn round to 0..1, and either roll finds an empty slot.
    Roll({1, 2, 0});
    const int32_t id = EntityMgr->RndTreasureEntity(6, 1);
    EXPECT_EQ(dice->draws, (Draws{{1, 100}, {1, 6}, {0, 1}}));
    EXPECT_EQ(Since(), "none appears worth 20 gold pieces!\n\n");
    EXPECT_EQ(Entity(id).name, "none");
    EXPECT_EQ(Entity(id).objectType, 0);
    EXPECT_EQ(Entity(id).desc, "It is none worth 20 gold pieces");
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(id, 0), 20);
}

}  // namespace
