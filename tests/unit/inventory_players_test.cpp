// Inventory lines (merging, consuming, the listing, the score points) and the
// two score keepers that total the final score.
#include "tests/unit/TestGame.h"

#include "shell/Globals.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

class InventoryTest : public StartedGameTest {};

TEST_F(InventoryTest, StartTableHoldsTheSevenLines) {
    EXPECT_EQ(StockLines(), kStartStock);
    EXPECT_EQ(InventoryMgr->NumInvItems, 7);
}

TEST_F(InventoryTest, AddingToAnExistingLineMergesIntoTheFirstLine) {
    EXPECT_EQ(InventoryMgr->addInventory(1, 8, 5), 1);
    EXPECT_EQ(InventoryMgr->addInventory(1, 8, -2), 1);
    std::vector<StockLine> expected = kStartStock;
    std::get<3>(expected[0]) = 13;
    EXPECT_EQ(StockLines(), expected);
    EXPECT_EQ(InventoryMgr->NumInvItems, 7);
    // The food on the table is a line of its own owner, not merged with the player's.
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(7, 8), 10);
}

TEST_F(InventoryTest, ANewOwnerOrTypeGetsANumberedLineAtTheEnd) {
    EXPECT_EQ(InventoryMgr->addInventory(1, 9, 1), 1);    // new type for the player
    EXPECT_EQ(InventoryMgr->addInventory(42, 8, 3), 1);   // an owner that is no entity
    EXPECT_EQ(InventoryMgr->addInventory(1, 99, 0), 1);   // a type that does not exist, quantity 0
    std::vector<StockLine> expected = kStartStock;
    expected.emplace_back(8, 1, 9, 1);
    expected.emplace_back(9, 42, 8, 3);
    expected.emplace_back(10, 1, 99, 0);
    EXPECT_EQ(StockLines(), expected);
    EXPECT_EQ(InventoryMgr->NumInvItems, 10);
}

TEST_F(InventoryTest, OnlyTheFirstOfTwoMatchingLinesIsChangedAndRead) {
    // Two lines of one owner and type cannot come from addInventory; build the
    // second directly and see that every operation keeps to the first.
    auto extra = std::make_unique<t_inventory>();
    extra->id = 50;
    extra->EntityID = 1;
    extra->itemID = 8;
    extra->qty = 99;
    t_inventory::_list.push_back(std::move(extra));

    InventoryMgr->addInventory(1, 8, 1);
    EXPECT_EQ(std::get<3>(StockLines()[0]), 11);
    EXPECT_EQ(std::get<3>(StockLines().back()), 99);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), 11);
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 1);
    EXPECT_EQ(std::get<3>(StockLines()[0]), 10);
    EXPECT_EQ(std::get<3>(StockLines().back()), 99);
}

TEST_F(InventoryTest, ConsumingTakesOneUnitAndRemovesTheLineAtZero) {
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 1);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), 9);
    for (int i = 0; i < 8; ++i) ASSERT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 1);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), 1);
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 1);  // the last unit

    std::vector<StockLine> expected(kStartStock.begin() + 1, kStartStock.end());
    EXPECT_EQ(StockLines(), expected);
    EXPECT_EQ(InventoryMgr->GetQtyByEntityIDAndItemID(1, 8), 0);
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8), 0);

    // Food found later makes a new line with the next number, at the end.
    InventoryMgr->addInventory(1, 8, 4);
    expected.emplace_back(8, 1, 8, 4);
    EXPECT_EQ(StockLines(), expected);
}

TEST_F(InventoryTest, ConsumingRefusesALineBelowOneAndAMissingLine) {
    InventoryMgr->addInventory(30, 8, 0);
    InventoryMgr->addInventory(31, 8, -3);
    const std::vector<StockLine> before = StockLines();
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(30, 8), 0);
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(31, 8), 0);
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(2, 8), 0);   // the dragon has no line
    EXPECT_EQ(InventoryMgr->ConsumeItmByEntityIDandItemID(1, 9), 0);   // the player has no Sword
    EXPECT_EQ(StockLines(), before);
}

TEST_F(InventoryTest, HasItemTestsOwnerAndTypeOnSeparateLines) {
    struct Case {
        int32_t owner, type;
        uint8_t expected;
    };
    const Case cases[] = {
        {1, 8, 1},   // the player's own food
        {1, 9, 1},   // the player owns a line, and the Sword's line holds type 9
        {4, 13, 1},  // the Sword owns a line, a sack holds type 13
        {1, 7, 0},   // nobody holds Treasure
        {2, 8, 0},   // the dragon owns no line
        {99, 9, 0},  // no such owner
    };
    for (const auto& c : cases)
        EXPECT_EQ(InventoryMgr->hasItem(c.owner, c.type), c.expected) << c.owner << "/" << c.type;
}

TEST_F(InventoryTest, ShowInventoryListsThePlayersLines) {
    EXPECT_EQ(InventoryMgr->ShowInventory(1), 0);
    EXPECT_EQ(Since(), "Items in Inventory for Player:\n  10 Food\n\n");

    InventoryMgr->addInventory(1, 9, 1);   // one Sword: the name alone
    InventoryMgr->addInventory(1, 10, 2);  // two Axes: with the number
    InventoryMgr->addInventory(1, 11, 0);  // none left: the name alone
    InventoryMgr->addInventory(1, 77, 3);  // a type that does not exist
    InventoryMgr->ShowInventory(1);
    EXPECT_EQ(Since(), "Items in Inventory for Player:\n  10 Food\n  Sword\n  2 Axe\n  Fur cloak\n  3 none\n\n");
}

TEST_F(InventoryTest, ShowInventoryOfAnOwnerWithoutLines) {
    InventoryMgr->ShowInventory(2);
    EXPECT_EQ(Since(), "Items in Inventory for Earth Dragon:\n  Inventory is empty.\n\n");
    InventoryMgr->ShowInventory(55);
    EXPECT_EQ(Since(), "Items in Inventory for :\n  Inventory is empty.\n\n");
}

TEST_F(InventoryTest, ShowInventoryOfAThingShowsItsOwnStock) {
    InventoryMgr->ShowInventory(7);
    EXPECT_EQ(Since(), "Items in Inventory for Food:\n  10 Food\n\n");
}

struct PointsCase {
    const char* name;
    int32_t type, qty, points;
    friend void PrintTo(const PointsCase& c, std::ostream* os) { *os << c.name; }
};

class InventoryScorePoints : public InventoryTest, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(InventoryScorePoints, ALineScoresByItsType) {
    const PointsCase& c = GetParam();
    InventoryMgr->addInventory(60, c.type, c.qty);
    EXPECT_EQ(InventoryMgr->CalcScorePoints(60), c.points);
}

INSTANTIATE_TEST_SUITE_P(Types, InventoryScorePoints,
                         ::testing::Values(PointsCase{"Treasure150", 7, 150, 300},  // 2 a gold piece
                                           PointsCase{"Treasure1", 7, 1, 2},
                                           PointsCase{"Food10", 8, 10, 10},  // 1 a unit
                                           PointsCase{"Food0", 8, 0, 0},
                                           PointsCase{"Sword1", 9, 1, 65},  // 10x2 + 5x8 + 5x1
                                           PointsCase{"Sword3", 9, 3, 65},  // once for the line
                                           PointsCase{"Axe", 10, 1, 95},
                                           PointsCase{"FurCloak1", 11, 1, 85},
                                           PointsCase{"FurCloak0", 11, 0, 85},
                                           PointsCase{"Elixir", 6, 1, 0},
                                           PointsCase{"SackOfFlour", 12, 1, 0},
                                           PointsCase{"SackOfPotatoes", 13, 5, 0},
                                           PointsCase{"PlayerCharactersType", 1, 1, 180},
                                           PointsCase{"EarthDragonsType", 5, 1, 275},
                                           PointsCase{"NoSuchType", 99, 7, 0}),
                         CaseName());

TEST_F(InventoryTest, ScorePointsAddUpOverTheOwnersLinesOnly) {
    EXPECT_EQ(InventoryMgr->CalcScorePoints(1), 10);
    InventoryMgr->addInventory(1, 9, 1);
    InventoryMgr->addInventory(1, 7, 150);
    EXPECT_EQ(InventoryMgr->CalcScorePoints(1), 375);
    EXPECT_EQ(InventoryMgr->CalcScorePoints(4), 65);  // the Sword's own stock
    EXPECT_EQ(InventoryMgr->CalcScorePoints(2), 0);
    EXPECT_EQ(InventoryMgr->CalcScorePoints(0), 0);
}

TEST_F(InventoryTest, ResetLeavesOnlyThePlayersFoodUntilTheEntitiesAddTheirs) {
    InventoryMgr->addInventory(1, 9, 1);
    InventoryMgr->addInventory(1, 7, 40);
    for (int i = 0; i < 10; ++i) InventoryMgr->ConsumeItmByEntityIDandItemID(1, 8);

    EXPECT_EQ(InventoryMgr->Reset(), 0);
    EXPECT_EQ(StockLines(), (std::vector<StockLine>{{1, 1, 8, 10}}));
    EXPECT_EQ(InventoryMgr->NumInvItems, 1);

    EntityMgr->Reset();
    EXPECT_EQ(StockLines(), kStartStock);
    EXPECT_EQ(InventoryMgr->NumInvItems, 7);
}

// ---------------------------------------------------------------- score keepers

struct Keeper {
    int32_t id;
    std::string name;
    int32_t teamID, nFrags, score;
    bool operator==(const Keeper&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Keeper& k) {
    return os << "{" << k.id << ", " << k.name << ", team " << k.teamID << ", frags " << k.nFrags << ", score "
              << k.score << "}";
}

std::vector<Keeper> Keepers() {
    std::vector<Keeper> keepers;
    for (const auto& p : TPlayer::_list) keepers.push_back({p->id, p->name, p->teamID, p->nFrags, p->score});
    return keepers;
}

const std::vector<Keeper> kStartKeepers = {{1, "Player", 1, 0, 0}, {2, "Computer", 2, 0, 0}};

class ScoreTest : public InventoryTest {};

TEST_F(ScoreTest, TwoKeepersAfterStart) {
    EXPECT_EQ(Keepers(), kStartKeepers);
    EXPECT_EQ(PlayerMgr->NumPlayers, 2);
    for (const auto& p : TPlayer::_list) EXPECT_EQ(p->clientIP, 0);
}

TEST_F(ScoreTest, CalcScoresAddsKillsAndInventoryToWhatTheScoreHolds) {
    EXPECT_EQ(PlayerMgr->AddFrag(1, 1), 1);
    EXPECT_EQ(PlayerMgr->AddFrag(1, 1), 1);
    InventoryMgr->addInventory(1, 9, 1);  // the Sword: the player holds 10 + 65 points

    EXPECT_EQ(PlayerMgr->CalcScores(), 0);
    EXPECT_EQ(PlayerMgr->GetScore(1), 60 + 75);
    EXPECT_EQ(PlayerMgr->GetScore(2), 0);  // the start creature holds nothing

    EXPECT_EQ(PlayerMgr->CalcScores(), 0);
    EXPECT_EQ(PlayerMgr->GetScore(1), 2 * (60 + 75));
    EXPECT_EQ(Keepers()[0].nFrags, 2);
}

TEST_F(ScoreTest, TheComputersTotalReadsTheStartCreaturesInventory) {
    PlayerMgr->AddFrag(2, 1);
    InventoryMgr->addInventory(2, 7, 5);
    PlayerMgr->CalcScores();
    EXPECT_EQ(PlayerMgr->GetScore(2), 30 + 10);
    EXPECT_EQ(PlayerMgr->GetScore(1), 10);
}

TEST_F(ScoreTest, EveryKeeperIsTotalledFromTheEntityOfItsId) {
    PlayerMgr->AddPlayer(4, "Sword keeper", 3);  // entity 4 holds one Sword
    PlayerMgr->AddPlayer(0, "Third", 3);         // ID 4 from the count: a second keeper 4
    PlayerMgr->CalcScores();
    ASSERT_EQ(TPlayer::_list.size(), 4u);
    EXPECT_EQ(Keepers()[2].score, 65);
    EXPECT_EQ(Keepers()[3].id, 4);
    EXPECT_EQ(Keepers()[3].score, 65);
}

TEST_F(ScoreTest, LookUpsWithAnUnknownIdChangeNothing) {
    EXPECT_EQ(PlayerMgr->AddFrag(3, 1), 0);
    EXPECT_EQ(PlayerMgr->AddScore(3, 10), 0);
    EXPECT_EQ(PlayerMgr->AddFrag(0, 1), 0);
    EXPECT_EQ(PlayerMgr->GetScore(3), 0);
    EXPECT_EQ(Keepers(), kStartKeepers);
}

TEST_F(ScoreTest, AddScoreAndAddFragReachTheFirstKeeperWithTheId) {
    PlayerMgr->AddPlayer(1, "Second player", 1);
    EXPECT_EQ(PlayerMgr->AddScore(1, 7), 1);
    EXPECT_EQ(PlayerMgr->AddFrag(1, 2), 1);
    EXPECT_EQ(PlayerMgr->GetScore(1), 7);
    const std::vector<Keeper> k = Keepers();
    EXPECT_EQ(k[0], (Keeper{1, "Player", 1, 2, 7}));
    EXPECT_EQ(k[2], (Keeper{1, "Second player", 1, 0, 0}));
}

TEST_F(ScoreTest, KeeperIdsComeFromTheCountUnlessGiven) {
    EXPECT_EQ(PlayerMgr->AddPlayer(9, "Nine", 3), 0);
    EXPECT_EQ(PlayerMgr->NumPlayers, 3);
    EXPECT_EQ(PlayerMgr->AddPlayer(0, "Next", 3), 0);
    EXPECT_EQ(PlayerMgr->NumPlayers, 4);
    EXPECT_EQ(Keepers()[2].id, 9);
    EXPECT_EQ(Keepers()[3].id, 4);
}

TEST_F(ScoreTest, ResetCreatesTheTwoKeepersAfresh) {
    PlayerMgr->AddFrag(1, 3);
    PlayerMgr->AddScore(2, 40);
    PlayerMgr->AddPlayer(0, "Extra", 3);
    EXPECT_EQ(PlayerMgr->Reset(), 0);
    EXPECT_EQ(Keepers(), kStartKeepers);
    EXPECT_EQ(PlayerMgr->NumPlayers, 2);
    PlayerMgr->AddPlayer(0, "Third", 3);
    EXPECT_EQ(Keepers().back().id, 3);
}

}  // namespace
