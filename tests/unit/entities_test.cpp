// The entity manager: the nine start entities, the two ways of making an
// entity and their ID rule, the accessors' first/last/every rules, Reset and
// the removal of flagged entities at the start of every event.
#include "tests/unit/TestGame.h"

#include "catalogues/TObjectTypeMgr.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "world/TInventoryMgr.h"
#include "world/t_EntityMgr.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<int32_t> EntityIds() {
    std::vector<int32_t> ids;
    for (const auto& e : t_entity::_list) ids.push_back(e->id);
    return ids;
}

std::vector<t_entity*> WithId(int32_t id) {
    std::vector<t_entity*> found;
    for (const auto& e : t_entity::_list)
        if (e->id == id) found.push_back(e.get());
    return found;
}

// Every field the game reads, for before/after comparisons.
auto Fields(const t_entity& e) {
    return std::make_tuple(e.id, e.category, e.objectType, e.name, e.desc, e.location, e.canTake, e.isAlerted,
                           e.isUsable, e.disableAfterUse, e.isEnabled, e.isDead, e.roomNum, e.ownerID, e.teamID, e.hp,
                           e.dexterity, e.strength, e.perception, e.weapon1ID, e.armor1ID);
}
using EntityFields = decltype(Fields(std::declval<t_entity&>()));

std::vector<EntityFields> AllFields() {
    std::vector<EntityFields> all;
    for (const auto& e : t_entity::_list) all.push_back(Fields(*e));
    return all;
}

class EntityTest : public StartedGameTest {
protected:
    // A thing in a room; the values that matter here are the ID and the name.
    static int32_t AddThing(int32_t id, const std::string& name, int32_t room = 6, int32_t team = 0) {
        return EntityMgr->addEntity(id, name, 8, room, 1, "a test thing", "floor", 1, 2, 3, 0, 0, team, 0);
    }

    long long ButtonsCreated() {
        return std::count_if(ui().gadgets.begin(), ui().gadgets.end(),
                             [](const TGadget& g) { return g->kind == GadgetKind::Button; });
    }
};

// ---------------------------------------------------------------- start entities

struct StartEntity {
    int32_t id;
    const char* name;
    uint8_t objectType, category;
    uint16_t roomNum;
    const char* location;
    uint8_t canTake, isUsable, disableAfterUse;
    int32_t hp;
    uint16_t dexterity, strength, perception;
    int32_t teamID, ownerID;
    const char* desc;
};

const StartEntity kStartEntities[] = {
    {1, "Player", 1, 1, 6, "floor", 0, 0, 0, 6, 18, 18, 18, 1, 1, "You are eager and ready to discover."},
    {2, "Earth Dragon", 5, 8, 17, "floor", 0, 0, 0, 6, 18, 18, 18, 2, 2, "It looks devastating and smells of sulfur."},
    {3, "small bottle", 6, 5, 14, "floor", 0, 1, 1, 6, 0, 0, 0, 0, 0,
     "It is a small bottle containing some type of liquid. The bottle is corked."},
    {4, "Sword", 9, 3, 6, "ground", 1, 0, 0, 0, 8, 1, 0, 0, 0, "It is a short sword. Damage rating is 1D+2."},
    {5, "Axe", 10, 3, 12, "floor", 1, 0, 0, 0, 12, 1, 0, 0, 0, "It is an axe. Damage rating is 2D."},
    {6, "Fur cloak", 11, 2, 4, "ground", 1, 0, 0, 5, 1, 6, 0, 0, 0, "It is a fur cloak. Defense value of +2."},
    {7, "Food", 8, 7, 7, "table", 1, 0, 0, 0, 0, 0, 0, 0, 0,
     "It is food. You can gain one wound level for each food you possess."},
    {8, "sack of flour", 12, 7, 8, "floor", 0, 0, 0, 0, 0, 0, 0, 0, 0,
     "It is a sack of flour. As you examine it, you find treasure. Then the sack disappears!"},
    {9, "sack of potatoes", 13, 7, 8, "floor", 0, 0, 0, 0, 0, 0, 0, 0, 0,
     "It looks like a sack of potatoes. But when you get closer to it, a sound comes from the sack. Then all of a "
     "sudden the sack vanishes and a creature appears!"},
};

TEST_F(EntityTest, InitPlacesTheNineStartEntitiesInOrder) {
    EXPECT_EQ(EntityIds(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(EntityMgr->NumEntities, 9);
    auto it = t_entity::_list.begin();
    for (const auto& s : kStartEntities) {
        SCOPED_TRACE(s.name);
        const t_entity& e = **it++;
        EXPECT_EQ(e.id, s.id);
        EXPECT_EQ(e.name, s.name);
        EXPECT_EQ(e.objectType, s.objectType);
        EXPECT_EQ(e.category, s.category);
        EXPECT_EQ(e.roomNum, s.roomNum);
        EXPECT_EQ(e.location, s.location);
        EXPECT_EQ(e.canTake, s.canTake);
        EXPECT_EQ(e.isUsable, s.isUsable);
        EXPECT_EQ(e.disableAfterUse, s.disableAfterUse);
        EXPECT_EQ(e.hp, s.hp);
        EXPECT_EQ(e.dexterity, s.dexterity);
        EXPECT_EQ(e.strength, s.strength);
        EXPECT_EQ(e.perception, s.perception);
        EXPECT_EQ(e.teamID, s.teamID);
        EXPECT_EQ(e.ownerID, s.ownerID);
        EXPECT_EQ(e.desc, s.desc);
        EXPECT_EQ(e.isAlerted, 0);
        EXPECT_EQ(e.isEnabled, 1);
        EXPECT_EQ(e.isDead, 0);
        EXPECT_EQ(e.weapon1ID, 0);
        EXPECT_EQ(e.armor1ID, 0);
    }
}

TEST_F(EntityTest, StartValuesThroughTheAccessors) {
    EXPECT_EQ(EntityMgr->GetHPByID(1), 6);
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(1), 0);
    EXPECT_EQ(EntityMgr->GetCurrentArmorByID(1), 0);
    EXPECT_EQ(EntityMgr->GetObjectType(1), 1);
    EXPECT_EQ(EntityMgr->GetTeamID(1), 1);
    EXPECT_EQ(EntityMgr->GetTeamID(2), 2);
    EXPECT_EQ(EntityMgr->GetPerception(2), 18);
    EXPECT_EQ(EntityMgr->GetObjectType(3), 6);
    EXPECT_EQ(EntityMgr->GetName(7), "Food");
    EXPECT_EQ(EntityMgr->GetHPByID(4), 0);
    EXPECT_EQ(EntityMgr->GetEntityPtr(4), &Entity(4));
}

// ---------------------------------------------------------------- making entities

TEST_F(EntityTest, AGivenIdIsKeptAndStillRaisesTheCount) {
    EXPECT_EQ(AddThing(5, "Second five"), 5);
    EXPECT_EQ(EntityMgr->NumEntities, 10);
    EXPECT_EQ(AddThing(0, "Next"), 11);
    EXPECT_EQ(EntityMgr->CreateEntityByObjectType(9, 6, "ground", 0, 0, 0), 12);
    t_entity* empty = EntityMgr->addEntityEmpty(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->id, 13);
    t_entity* given = EntityMgr->addEntityEmpty(40);
    EXPECT_EQ(given->id, 40);
    EXPECT_EQ(EntityMgr->NumEntities, 14);
    EXPECT_EQ(EntityIds(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 5, 11, 12, 13, 40}));
}

TEST_F(EntityTest, AddEntityEmptyMakesABlankEnabledRecordAtTheEnd) {
    t_entity* e = EntityMgr->addEntityEmpty(0);
    ASSERT_EQ(t_entity::_list.back().get(), e);
    t_entity blank;
    blank.id = 10;
    blank.isEnabled = 1;
    EXPECT_EQ(Fields(*e), Fields(blank));
    EXPECT_EQ(StockLines(), kStartStock);
}

TEST_F(EntityTest, AddEntityTakesTheValuesGivenWithSixHitPointsAndNoStock) {
    const int32_t id = EntityMgr->addEntity(0, "Spare sword", 9, 65536 + 13, 1, "Shiny.", "shelf", 65536 + 7, 2, 3,
                                            1, 1, 2, 2);
    EXPECT_EQ(id, 10);
    const t_entity& e = Entity(10);
    EXPECT_EQ(e.name, "Spare sword");
    EXPECT_EQ(e.objectType, 9);
    EXPECT_EQ(e.category, 3);  // from the catalogue
    EXPECT_EQ(e.roomNum, 13);  // the low 16 bits
    EXPECT_EQ(e.hp, 6);        // whatever the type's hit points
    EXPECT_EQ(e.canTake, 1);
    EXPECT_EQ(e.desc, "Shiny.");
    EXPECT_EQ(e.location, "shelf");
    EXPECT_EQ(e.dexterity, 7);
    EXPECT_EQ(e.strength, 2);
    EXPECT_EQ(e.perception, 3);
    EXPECT_EQ(e.isUsable, 1);
    EXPECT_EQ(e.disableAfterUse, 1);
    EXPECT_EQ(e.teamID, 2);
    EXPECT_EQ(e.ownerID, 2);
    EXPECT_EQ(e.isEnabled, 1);
    EXPECT_EQ(e.isDead, 0);
    EXPECT_EQ(e.isAlerted, 0);
    EXPECT_EQ(e.weapon1ID, 0);
    EXPECT_EQ(e.armor1ID, 0);
    EXPECT_EQ(StockLines(), kStartStock);

    // A type that the catalogue lacks gives category 0 and nothing else changes.
    const int32_t odd = EntityMgr->addEntity(0, "Oddity", 99, 6, 0, "", "floor", 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Entity(odd).category, 0);
    EXPECT_EQ(Entity(odd).objectType, 99);
}

TEST_F(EntityTest, CreateEntityByObjectTypeCopiesTheTypeAndGivesOneUnit) {
    struct Case {
        int32_t type;
        const char* name;
        uint8_t category;
        int32_t hp;
        uint16_t dex, str, per;
        uint8_t canTake, isUsable;
    };
    const Case cases[] = {
        {3, "Fanatical fleshgorger", 8, 6, 14, 12, 12, 0, 0},
        {5, "Devastating Earth-Dragon", 8, 6, 31, 24, 18, 0, 0},
        {6, "Elixir", 5, 1, 0, 0, 0, 1, 1},
        {11, "Fur cloak", 2, 5, 1, 6, 0, 1, 0},
    };
    int32_t nextLine = static_cast<int32_t>(kStartStock.size()) + 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t linesBefore = StockLines().size();
        const int32_t id = EntityMgr->CreateEntityByObjectType(c.type, 15, "corner", 1, 2, 3);
        EXPECT_EQ(id, EntityMgr->NumEntities);
        const t_entity& e = Entity(id);
        EXPECT_EQ(e.name, c.name);
        EXPECT_EQ(e.desc, ObjectTypeMgr->GetObjPtrByType(c.type)->description);
        EXPECT_EQ(e.objectType, c.type);
        EXPECT_EQ(e.category, c.category);
        EXPECT_EQ(e.hp, c.hp);
        EXPECT_EQ(e.dexterity, c.dex);
        EXPECT_EQ(e.strength, c.str);
        EXPECT_EQ(e.perception, c.per);
        EXPECT_EQ(e.canTake, c.canTake);
        EXPECT_EQ(e.isUsable, c.isUsable);
        EXPECT_EQ(e.roomNum, 15);
        EXPECT_EQ(e.location, "corner");
        EXPECT_EQ(e.disableAfterUse, 1);
        EXPECT_EQ(e.teamID, 2);
        EXPECT_EQ(e.ownerID, 3);
        EXPECT_EQ(e.isEnabled, 1);
        EXPECT_EQ(e.isDead, 0);
        EXPECT_EQ(e.isAlerted, 0);
        EXPECT_EQ(e.weapon1ID, 0);
        EXPECT_EQ(e.armor1ID, 0);
        ASSERT_EQ(StockLines().size(), linesBefore + 1);
        EXPECT_EQ(StockLines().back(), (StockLine{nextLine++, id, c.type, 1}));
    }
}

TEST_F(EntityTest, CreateEntityByObjectTypeOfAMissingTypeMakesNothing) {
    const std::vector<EntityFields> before = AllFields();
    EXPECT_EQ(EntityMgr->CreateEntityByObjectType(14, 6, "floor", 0, 2, 2), 0);
    EXPECT_EQ(EntityMgr->CreateEntityByObjectType(0, 6, "floor", 0, 2, 2), 0);
    EXPECT_EQ(AllFields(), before);
    EXPECT_EQ(StockLines(), kStartStock);
}

// ---------------------------------------------------------------- accessors

TEST_F(EntityTest, AccessorsOfAnIdThatNoEntityHas) {
    const std::vector<EntityFields> before = AllFields();
    for (int32_t id : {0, 10, -1, 99}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(EntityMgr->GetName(id), "");
        EXPECT_EQ(EntityMgr->GetEntityPtr(id), nullptr);
        EXPECT_EQ(EntityMgr->GetHPByID(id), 0);
        EXPECT_EQ(EntityMgr->GetObjectType(id), 0);
        EXPECT_EQ(EntityMgr->GetTeamID(id), 0);
        EXPECT_EQ(EntityMgr->GetPerception(id), 0);
        EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(id), 0);
        EXPECT_EQ(EntityMgr->GetCurrentArmorByID(id), 0);
        EXPECT_EQ(EntityMgr->SetDead(id, 1), 0);
        EXPECT_EQ(EntityMgr->SetWeapon1IDByID(id, 2), 0);
        EXPECT_EQ(EntityMgr->SetArmor1IDByID(id, 1), 0);
        EXPECT_EQ(EntityMgr->setAlertness(id, 1), 0);
        EXPECT_EQ(EntityMgr->setRoomNum(id, 3), 0);
        EXPECT_EQ(EntityMgr->AddHP(id, 2), 0);
        EXPECT_EQ(EntityMgr->SubtractHP(id, 2), 0);
    }
    EXPECT_EQ(AllFields(), before);
}

TEST_F(EntityTest, GettersOfARepeatedIdAnswerFromTheFirstOrTheLast) {
    // A second entity 2 after the start creature, with other values.
    EntityMgr->addEntity(2, "Second dragon", 4, 3, 0, "", "floor", 0, 0, 7, 0, 0, 5, 2);
    t_entity& first = Entity(2);
    t_entity& second = *WithId(2).back();
    ASSERT_NE(&first, &second);
    second.hp = 4;
    second.weapon1ID = 3;
    second.armor1ID = 1;

    // First match.
    EXPECT_EQ(EntityMgr->GetName(2), "Earth Dragon");
    EXPECT_EQ(EntityMgr->GetEntityPtr(2), &first);
    EXPECT_EQ(EntityMgr->GetObjectType(2), 5);
    // Last match.
    EXPECT_EQ(EntityMgr->GetHPByID(2), 4);
    EXPECT_EQ(EntityMgr->GetTeamID(2), 5);
    EXPECT_EQ(EntityMgr->GetPerception(2), 7);
    EXPECT_EQ(EntityMgr->GetCurrentWeaponByID(2), 3);
    EXPECT_EQ(EntityMgr->GetCurrentArmorByID(2), 1);
}

TEST_F(EntityTest, SettersOfARepeatedIdChangeEveryOne) {
    EntityMgr->addEntity(2, "Second dragon", 4, 3, 0, "", "floor", 0, 0, 7, 0, 0, 2, 2);
    EntityMgr->SetWeapon1IDByID(2, 3);
    EntityMgr->SetArmor1IDByID(2, 1);
    EntityMgr->setAlertness(2, 256 + 1);  // the low 8 bits
    EntityMgr->setRoomNum(2, 65536 + 9);  // the low 16 bits
    EntityMgr->AddHP(2, 3);
    EntityMgr->SubtractHP(2, 1);
    EntityMgr->SetDead(2, 1);
    const auto both = WithId(2);
    ASSERT_EQ(both.size(), 2u);
    for (const t_entity* e : both) {
        SCOPED_TRACE(e->name);
        EXPECT_EQ(e->weapon1ID, 3);
        EXPECT_EQ(e->armor1ID, 1);
        EXPECT_EQ(e->isAlerted, 1);
        EXPECT_EQ(e->roomNum, 9);
        EXPECT_EQ(e->hp, 8);
        EXPECT_EQ(e->isDead, 1);
    }
    EntityMgr->setAlertness(2, 0);
    for (const t_entity* e : both) EXPECT_EQ(e->isAlerted, 0);
}

TEST_F(EntityTest, HitPointsHaveNoBoundsAndDoNotKill) {
    EntityMgr->AddHP(1, 1);
    EXPECT_EQ(EntityMgr->GetHPByID(1), 7);
    Entity(1).hp = 1;
    EntityMgr->SubtractHP(1, 3);
    EXPECT_EQ(EntityMgr->GetHPByID(1), -2);
    EXPECT_EQ(Entity(1).isDead, 0);
    EXPECT_EQ(Entity(1).isEnabled, 1);
}

TEST_F(EntityTest, NameLookUpsCompareExactlyInTheRoomGiven) {
    EXPECT_EQ(EntityMgr->isObjectInRm("Sword", 6), 1);
    EXPECT_EQ(EntityMgr->isObjectInRm("sword", 6), 0);
    EXPECT_EQ(EntityMgr->isObjectInRm("Sword", 7), 0);
    EXPECT_EQ(EntityMgr->isObjectInRm("sack of flour", 8), 1);
    EXPECT_EQ(EntityMgr->canTakeObject("Sword", 6), 1);
    EXPECT_EQ(EntityMgr->canTakeObject("sack of flour", 8), 0);
    EXPECT_EQ(EntityMgr->canTakeObject("Sword", 12), 0);
    EXPECT_EQ(EntityMgr->canTakeObject("Axe", 12), 1);
    const std::vector<EntityFields> before = AllFields();
    EXPECT_EQ(EntityMgr->dropItem("Sword", 6), 0);
    EXPECT_EQ(EntityMgr->dropItem("Nothing", 6), 0);
    EXPECT_EQ(AllFields(), before);
    EXPECT_EQ(EntityMgr->OnDeath(), 0);
}

// ---------------------------------------------------------------- reset

TEST_F(EntityTest, ResetRemovesEverythingAndPlacesTheStartEntitiesAgain) {
    AddThing(0, "Monster", 6, 2);
    AddThing(0, "Treasure");
    Entity(3).isEnabled = 0;
    Entity(1).hp = 2;
    EntityMgr->takeObject(4, 6, 1);
    InventoryMgr->Reset();

    EXPECT_EQ(EntityMgr->Reset(), 0);
    EXPECT_EQ(EntityIds(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(EntityMgr->NumEntities, 9);
    EXPECT_EQ(Entity(1).hp, 6);
    EXPECT_EQ(Entity(3).isEnabled, 1);
    EXPECT_EQ(Entity(4).name, "Sword");
    EXPECT_EQ(AddThing(0, "After reset"), 10);
}

// ---------------------------------------------------------------- removal of the dead

TEST_F(EntityTest, ProcessWithNothingFlaggedChangesNothing) {
    Entity(4).hp = 0;
    Entity(2).hp = -3;
    Entity(9).isDead = 2;  // only exactly 1 counts
    const std::vector<EntityFields> before = AllFields();
    const size_t gadgets = ui().gadgets.size();
    EXPECT_EQ(EntityMgr->Process(), 0);
    EXPECT_EQ(AllFields(), before);
    EXPECT_EQ(ui().gadgets.size(), gadgets);
    EXPECT_EQ(MainPrg->playerDead, 0);
}

TEST_F(EntityTest, ProcessRemovesEveryFlaggedEntityAndRebuildsOncePerRemoval) {
    const std::vector<std::string> startLabels = ActionLabels();
    ASSERT_GE(startLabels.size(), 3u);
    ASSERT_EQ(startLabels[startLabels.size() - 2], "Examine Sword");
    const long long roomButtons = static_cast<long long>(startLabels.size());
    // The player and the Sword in room 6, a sack in room 8.
    EntityMgr->SetDead(1, 1);
    EntityMgr->SetDead(4, 1);
    EntityMgr->SetDead(8, 1);
    const long long before = ButtonsCreated();

    EXPECT_EQ(EntityMgr->Process(), 0);
    EXPECT_EQ(EntityIds(), (std::vector<int32_t>{2, 3, 5, 6, 7, 9}));
    EXPECT_EQ(MainPrg->playerDead, 1);
    // In list order: after the player's removal the Sword still has its two
    // buttons; after the Sword's and the sack's it has none.
    EXPECT_EQ(ButtonsCreated() - before, roomButtons + 2 * (roomButtons - 2));
    std::vector<std::string> expected(startLabels.begin(), startLabels.end() - 2);
    EXPECT_EQ(ActionLabels(), expected);
}

TEST_F(EntityTest, ProcessOfAThingAloneLeavesThePlayerAlive) {
    EntityMgr->SetDead(9, 1);
    const long long before = ButtonsCreated();
    const long long roomButtons = static_cast<long long>(ActionLabels().size());
    EntityMgr->Process();
    EXPECT_EQ(EntityIds(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(MainPrg->playerDead, 0);
    EXPECT_EQ(ButtonsCreated() - before, roomButtons);
    EXPECT_EQ(EntityMgr->GetName(9), "");
}

TEST_F(EntityTest, AFlaggedEntityIsRemovedAtTheNextTick) {
    EntityMgr->SetDead(8, 1);
    EXPECT_EQ(WithId(8).size(), 1u);
    Tick();
    EXPECT_TRUE(WithId(8).empty());
    EXPECT_EQ(EntityMgr->NumEntities, 9);
    EXPECT_EQ(AddThing(0, "Next"), 10);  // IDs are not reused
}

}  // namespace
