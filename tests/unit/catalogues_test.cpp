// The object-type, weapon and armour catalogues: the loaded tables, the
// look-ups by ID and by name with their case and first/last-match rules, and
// the random pick of a type by category.
#include "tests/unit/TestGame.h"

#include "catalogues/TArmorTypeMgr.h"
#include "catalogues/TObjectTypeMgr.h"
#include "catalogues/TWeaponTypeMgr.h"
#include "shell/Globals.h"
#include "story/TTriggerMgr.h"
#include "world/TInventoryMgr.h"
#include "world/TPlayerMgr.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <string>
#include <vector>

namespace {

class CatalogueTest : public StartedGameTest {
protected:
    // Adds an object type with only the values the look-ups read.
    static void AddType(int32_t id, const std::string& name, int32_t category) {
        ObjectTypeMgr->AddObjectType(id, name, "", "added in a test", 0, category, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    }
};

// ---------------------------------------------------------------- object types

struct ObjectTypeRow {
    int32_t id;
    const char* name;
    int32_t category, cost, hp, dexterity, strength, perception;
    uint8_t canTake, isUsable;
    int32_t resourceA, attack, cargoCap;  // loaded, read by no rule
};

const ObjectTypeRow kObjectTypes[] = {
    {1, "Roamling", 1, 0, 6, 18, 18, 18, 0, 0, 0, 23, 10},
    {2, "Ferocious werewolf", 8, 0, 6, 24, 20, 18, 0, 0, 0, 32, 20},
    {3, "Fanatical fleshgorger", 8, 0, 6, 14, 12, 12, 0, 0, 0, 32, 20},
    {4, "Maloventy maldemer", 8, 0, 6, 12, 15, 6, 0, 0, 0, 32, 20},
    {5, "Devastating Earth-Dragon", 8, 0, 6, 31, 24, 18, 0, 0, 0, 32, 20},
    {6, "Elixir", 5, 0, 1, 0, 0, 0, 1, 1, 0, 0, 1},
    {7, "Treasure", 4, 0, 1, 0, 0, 0, 1, 1, 0, 0, 1},
    {8, "Food", 7, 0, 0, 0, 0, 0, 1, 0, 1, 0, 100},
    {9, "Sword", 3, 2, 0, 8, 1, 0, 1, 0, 0, 0, 0},
    {10, "Axe", 3, 3, 0, 12, 1, 0, 1, 0, 0, 0, 0},
    {11, "Fur cloak", 2, 5, 5, 1, 6, 0, 1, 0, 0, 0, 1},
    {12, "sack of flour", 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5},
    {13, "sack of potatoes", 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5},
};

TEST_F(CatalogueTest, ObjectTypesLoadInTableOrder) {
    std::vector<int32_t> ids;
    for (const auto& t : TObjectTypeData::_list) ids.push_back(t->id);
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST_F(CatalogueTest, EveryObjectTypeAnswersItsValuesById) {
    for (const auto& row : kObjectTypes) {
        SCOPED_TRACE(row.name);
        const TObjectTypeData* t = ObjectTypeMgr->GetObjPtrByType(row.id);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->name, row.name);
        EXPECT_EQ(t->perception, row.perception);
        EXPECT_EQ(t->canTake, row.canTake);
        EXPECT_EQ(t->isUsable, row.isUsable);
        EXPECT_EQ(t->moneyValue, 0);
        EXPECT_EQ(t->resourceA, row.resourceA);
        EXPECT_EQ(t->attack, row.attack);
        EXPECT_EQ(t->cargoCap, row.cargoCap);
        EXPECT_EQ(t->imgFn, "");
        EXPECT_EQ(t->buildRate, 0);
        EXPECT_EQ(t->madeBy, 0);
        EXPECT_EQ(ObjectTypeMgr->GetName(row.id), row.name);
        EXPECT_EQ(ObjectTypeMgr->GetCategoryByID(row.id), row.category);
        EXPECT_EQ(ObjectTypeMgr->GetCostByID(row.id), row.cost);
        EXPECT_EQ(ObjectTypeMgr->GetHP(row.id), row.hp);
        EXPECT_EQ(ObjectTypeMgr->GetDexterityByID(row.id), row.dexterity);
        EXPECT_EQ(ObjectTypeMgr->GetInitiative(row.id), row.dexterity);
        EXPECT_EQ(ObjectTypeMgr->GetStrengthByID(row.id), row.strength);
    }
}

TEST_F(CatalogueTest, ExamineTextsOfTheObjectTypes) {
    const std::pair<int32_t, const char*> exact[] = {
        {1, "You are eager and ready to discover."},
        {5, "It looks devastating and smells of sulfur."},
        {6, "It is a small bottle containing some type of liquid. The bottle is corked."},
        {7, "It is treasure."},
        {8, "It is food. You can gain one wound level for each food you possess."},
        {9, "It is a short sword. Damage rating is 1D+2."},
        {10, "It is an axe. Damage rating is 2D."},
        {11, "It is a fur cloak. Defense value of +2."},
        {12, "It is a sack of flour. As you examine it, you find treasure. Then the sack disappears!"},
        {13, "It looks like a sack of potatoes. But when you get closer to it, a sound comes from the sack. Then all "
             "of a sudden the sack vanishes and a creature appears!"},
    };
    for (const auto& [id, text] : exact) EXPECT_EQ(ObjectTypeMgr->GetObjPtrByType(id)->description, text) << id;

    const std::pair<int32_t, const char*> openings[] = {
        {2, "It stands erect on two feet, 3 meters tall,"},
        {3, "The fanatical fleshgorger is a large beast"},
        {4, "Although this four meter long maldemer"},
    };
    for (const auto& [id, opening] : openings) {
        const std::string& d = ObjectTypeMgr->GetObjPtrByType(id)->description;
        EXPECT_EQ(d.rfind(opening, 0), 0u) << id << ": " << d;
    }
    for (const auto& t : TObjectTypeData::_list) EXPECT_EQ(t->description.find('\n'), std::string::npos) << t->id;
    EXPECT_EQ(ObjectTypeMgr->GetObjPtrByType(4)->description.back(), ' ');
}

TEST_F(CatalogueTest, ObjectTypeIdsThatNoTypeHasAnswerNothing) {
    for (int32_t id : {0, 14, -1}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(ObjectTypeMgr->GetName(id), "none");
        EXPECT_EQ(ObjectTypeMgr->GetObjPtrByType(id), nullptr);
        EXPECT_EQ(ObjectTypeMgr->GetCategoryByID(id), 0);
        EXPECT_EQ(ObjectTypeMgr->GetCostByID(id), 0);
        EXPECT_EQ(ObjectTypeMgr->GetHP(id), 0);
        EXPECT_EQ(ObjectTypeMgr->GetDexterityByID(id), 0);
        EXPECT_EQ(ObjectTypeMgr->GetInitiative(id), 0);
        EXPECT_EQ(ObjectTypeMgr->GetStrengthByID(id), 0);
    }
}

struct NameCase {
    const char* name;
    const char* typed;
    int32_t id;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class CatalogueObjectTypeByName : public CatalogueTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(CatalogueObjectTypeByName, IgnoresLetterCaseButNeedsTheWholeName) {
    EXPECT_EQ(ObjectTypeMgr->GetObjectTypeIDByName(GetParam().typed), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(Names, CatalogueObjectTypeByName,
                         ::testing::Values(NameCase{"LowercaseFood", "food", 8},
                                           NameCase{"UppercaseFood", "FOOD", 8},
                                           NameCase{"CapitalisedFood", "Food", 8},
                                           NameCase{"TrailingBlank", "food ", 0},
                                           NameCase{"LeadingBlank", " food", 0},
                                           NameCase{"ShortOfTheName", "foo", 0},
                                           NameCase{"EmptyName", "", 0},
                                           NameCase{"Sword", "Sword", 9},
                                           NameCase{"MixedCaseSword", "sWORD", 9},
                                           NameCase{"Elixir", "elixir", 6},
                                           NameCase{"Treasure", "treasure", 7},
                                           NameCase{"SackOfFlour", "sack of flour", 12},
                                           NameCase{"SackOfPotatoes", "sack of potatoes", 13},
                                           NameCase{"UppercaseSackOfPotatoes", "SACK OF POTATOES", 13},
                                           NameCase{"FurCloak", "fur cloak", 11},
                                           NameCase{"NameWithAHyphen", "devastating earth-dragon", 5},
                                           NameCase{"AWeaponIsNoObjectType", "Fists", 0},
                                           NameCase{"FirstWordsOfAName", "sack of", 0}),
                         CaseName());

TEST_F(CatalogueTest, ObjectTypeLookUpsAnswerFromTheFirstMatch) {
    AddType(8, "Stale bread", 7);
    AddType(20, "FOOD", 7);
    EXPECT_EQ(ObjectTypeMgr->GetName(8), "Food");
    EXPECT_EQ(ObjectTypeMgr->GetCategoryByID(8), 7);
    EXPECT_EQ(ObjectTypeMgr->GetObjectTypeIDByName("food"), 8);
    EXPECT_EQ(ObjectTypeMgr->GetObjectTypeIDByName("stale bread"), 8);
    EXPECT_EQ(ObjectTypeMgr->GetName(20), "FOOD");
}

TEST_F(CatalogueTest, ARestartLeavesTheCataloguesAsTheyAre) {
    // What the restart resets, in its order.
    RoomMgr->Reset();
    InventoryMgr->Reset();
    EntityMgr->Reset();
    TriggerMgr->Reset();
    PlayerMgr->Reset();
    EXPECT_EQ(TObjectTypeData::_list.size(), 13u);
    EXPECT_EQ(ObjectTypeMgr->GetName(13), "sack of potatoes");
    EXPECT_EQ(TWeaponTypeData::_list.size(), 3u);
    EXPECT_EQ(WeaponTypeMgr->NumWeaponTypes, 3);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByID(3), 12);
    EXPECT_EQ(TArmorTypeData::_list.size(), 1u);
    EXPECT_EQ(ArmorTypeMgr->NumArmorTypes, 1);
}

// ---------------------------------------------------------------- random pick

struct PickCase {
    const char* name;  // the type picked
    int32_t category;
    int32_t roll;
    int32_t candidates;  // the high bound of the draw
    int32_t type;
    friend void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }
};

class CataloguePickByCategory : public CatalogueTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(CataloguePickByCategory, TheRollPicksTheCandidateInLoadOrder) {
    const PickCase& c = GetParam();
    Roll({c.roll});
    EXPECT_EQ(ObjectTypeMgr->RndTreasureType(c.category, 1), c.type);
    Roll({c.roll});
    EXPECT_EQ(ObjectTypeMgr->RndMonsterType(c.category, 1), c.type);
    EXPECT_EQ(dice->draws, Draws(2, {1, c.candidates}));
}

INSTANTIATE_TEST_SUITE_P(Categories, CataloguePickByCategory,
                         ::testing::Values(PickCase{"Werewolf", 8, 1, 4, 2},
                                           PickCase{"Fleshgorger", 8, 2, 4, 3},
                                           PickCase{"Maldemer", 8, 3, 4, 4},
                                           PickCase{"EarthDragon", 8, 4, 4, 5},
                                           PickCase{"Treasure", 4, 1, 1, 7},
                                           PickCase{"Food", 7, 1, 3, 8},
                                           PickCase{"SackOfFlour", 7, 2, 3, 12},
                                           PickCase{"SackOfPotatoes", 7, 3, 3, 13},
                                           PickCase{"Sword", 3, 1, 2, 9},
                                           PickCase{"Axe", 3, 2, 2, 10},
                                           PickCase{"FurCloak", 2, 1, 1, 11},
                                           PickCase{"Roamling", 1, 1, 1, 1},
                                           PickCase{"Elixir", 5, 1, 1, 6}),
                         CaseName());

TEST_F(CatalogueTest, APickFromACategoryWithoutTypesGivesZero) {
    for (int32_t category : {6, 0, 99}) {
        for (int32_t roll : {0, 1}) {
            Roll({roll});
            EXPECT_EQ(ObjectTypeMgr->RndTreasureType(category, 1), 0) << category << " roll " << roll;
            Roll({roll});
            EXPECT_EQ(ObjectTypeMgr->RndMonsterType(category, 1), 0) << category << " roll " << roll;
        }
    }
}

TEST_F(CatalogueTest, ThePickIgnoresItsSecondArgument) {
    for (int32_t second : {-5, 0, 1, 4, 1000}) {
        Roll({3});
        EXPECT_EQ(ObjectTypeMgr->RndMonsterType(8, second), 4) << second;
        Roll({1});
        EXPECT_EQ(ObjectTypeMgr->RndTreasureType(4, second), 7) << second;
    }
    for (const auto& draw : dice->draws) EXPECT_EQ(draw.first, 1);
}

TEST_F(CatalogueTest, ACategoryOfMoreThanSevenTypesStaysWithinThePick) {
    // Nine types of the unused category 6, IDs 30 to 38 in load order. The
    // game may size the pick by its candidates or refuse types beyond seven;
    // either way every roll the pick offers names one of them, in order.
    for (int32_t i = 0; i < 9; ++i) AddType(30 + i, "Crate " + std::to_string(i), 6);

    // The first pick shows how many candidates the draw offers; its roll of
    // 1 lies within the draw either way.
    Roll({1});
    EXPECT_EQ(ObjectTypeMgr->RndTreasureType(6, 1), 30);
    ASSERT_EQ(dice->draws.size(), 1u);
    const int32_t candidates = dice->draws[0].second;
    EXPECT_EQ(dice->draws[0].first, 1);
    EXPECT_GE(candidates, 7);
    EXPECT_LE(candidates, 9);
    for (int32_t roll = 1; roll <= candidates; ++roll) {
        Roll({roll});
        EXPECT_EQ(ObjectTypeMgr->RndMonsterType(6, 1), 29 + roll) << "roll " << roll;
    }
    // The table's own categories are untouched by the extra types.
    Roll({4});
    EXPECT_EQ(ObjectTypeMgr->RndMonsterType(8, 1), 5);
}

// ---------------------------------------------------------------- weapons

TEST_F(CatalogueTest, WeaponTableAfterLoading) {
    struct Row {
        int32_t id;
        const char* name;
        int32_t damage, price;
    };
    const Row rows[] = {{1, "Fists", 6, 0}, {2, "Sword", 8, 1}, {3, "Axe", 12, 2}};
    ASSERT_EQ(TWeaponTypeData::_list.size(), 3u);
    auto it = TWeaponTypeData::_list.begin();
    for (const auto& row : rows) {
        const TWeaponTypeData& w = **it++;
        EXPECT_EQ(w.id, row.id);
        EXPECT_EQ(w.name, row.name);
        EXPECT_EQ(w.damage, row.damage);
        EXPECT_EQ(w.price, row.price);
        EXPECT_EQ(w.objType, 3);
        EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByID(row.id), row.damage);
        EXPECT_EQ(WeaponTypeMgr->GetWeaponNameByID(row.id), row.name);
    }
    EXPECT_EQ(WeaponTypeMgr->NumWeaponTypes, 3);
    EXPECT_EQ(WeaponTypeMgr->MAX_WEAPON_TYPES, 2);
}

TEST_F(CatalogueTest, WeaponLookUpsByName) {
    struct Case {
        const char* name;
        int32_t damage;  // exact name
        int32_t id;      // letter case ignored
    };
    const Case cases[] = {
        {"Sword", 8, 2}, {"sword", 0, 2}, {"SWORD", 0, 2}, {"Axe", 12, 3}, {"axe", 0, 3},
        {"Fists", 6, 1}, {"fists", 0, 1}, {"Sword ", 0, 0}, {"", 0, 0},    {"Bow", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByName(c.name), c.damage);
        EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName(c.name), c.id);
    }
}

TEST_F(CatalogueTest, WeaponIdsThatNoTypeHasAnswerNothing) {
    for (int32_t id : {0, 4, -1}) {
        EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByID(id), 0) << id;
        EXPECT_EQ(WeaponTypeMgr->GetWeaponNameByID(id), "none") << id;
    }
}

TEST_F(CatalogueTest, WeaponIdsComeFromTheRunningCountUnlessGiven) {
    EXPECT_EQ(WeaponTypeMgr->AddWeaponType(0, 3, "Club", 4, 0), 0);
    EXPECT_EQ(WeaponTypeMgr->NumWeaponTypes, 4);
    EXPECT_EQ(WeaponTypeMgr->AddWeaponType(7, 3, "Spear", 9, 0), 0);
    EXPECT_EQ(WeaponTypeMgr->NumWeaponTypes, 5);
    EXPECT_EQ(WeaponTypeMgr->AddWeaponType(0, 3, "Mace", 10, 0), 0);
    EXPECT_EQ(WeaponTypeMgr->NumWeaponTypes, 6);

    EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName("Club"), 4);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName("Spear"), 7);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName("Mace"), 6);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponNameByID(7), "Spear");
    EXPECT_EQ(WeaponTypeMgr->GetWeaponNameByID(5), "none");
    EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByID(6), 10);
}

TEST_F(CatalogueTest, WeaponLookUpsAnswerFromTheLastMatch) {
    WeaponTypeMgr->AddWeaponType(0, 3, "Sword", 20, 0);  // ID 4
    WeaponTypeMgr->AddWeaponType(2, 3, "Club", 3, 0);    // a second ID 2
    EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByName("Sword"), 20);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName("sword"), 4);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponDamageByID(2), 3);
    EXPECT_EQ(WeaponTypeMgr->GetWeaponNameByID(2), "Club");
    EXPECT_EQ(WeaponTypeMgr->GetWeaponIDByName("Club"), 2);
}

// ---------------------------------------------------------------- armour

TEST_F(CatalogueTest, ArmourTableAfterLoading) {
    ASSERT_EQ(TArmorTypeData::_list.size(), 1u);
    const TArmorTypeData& a = *TArmorTypeData::_list.front();
    EXPECT_EQ(a.id, 1);
    EXPECT_EQ(a.name, "fur cloak");
    EXPECT_EQ(a.defValue, 2);
    EXPECT_EQ(a.price, 5);
    EXPECT_EQ(a.objType, 2);
    EXPECT_EQ(ArmorTypeMgr->NumArmorTypes, 1);
    EXPECT_EQ(ArmorTypeMgr->GetArmorNameByID(1), "fur cloak");
    EXPECT_EQ(ArmorTypeMgr->GetArmorValueByID(1), 2);
}

TEST_F(CatalogueTest, ArmourLookUpsByNameIgnoreLetterCase) {
    for (const char* name : {"Fur cloak", "fur cloak", "FUR CLOAK", "fUR cLOAK"}) {
        EXPECT_EQ(ArmorTypeMgr->GetArmorValueByName(name), 2) << name;
        EXPECT_EQ(ArmorTypeMgr->GetArmorIDByName(name), 1) << name;
    }
    for (const char* name : {"fur", "fur cloak ", "", "cloak"}) {
        EXPECT_EQ(ArmorTypeMgr->GetArmorValueByName(name), 0) << name;
        EXPECT_EQ(ArmorTypeMgr->GetArmorIDByName(name), 0) << name;
    }
}

TEST_F(CatalogueTest, ArmourIdsThatNoTypeHasAnswerNothing) {
    for (int32_t id : {0, 2, 4, -1}) {
        EXPECT_EQ(ArmorTypeMgr->GetArmorValueByID(id), 0) << id;
        EXPECT_EQ(ArmorTypeMgr->GetArmorNameByID(id), "none") << id;
    }
}

TEST_F(CatalogueTest, ArmourIdsFollowTheCountAndTheLastMatchWins) {
    EXPECT_EQ(ArmorTypeMgr->AddArmorType(9, 2, "Chain mail", 4, 0), 0);
    EXPECT_EQ(ArmorTypeMgr->NumArmorTypes, 2);
    EXPECT_EQ(ArmorTypeMgr->AddArmorType(0, 2, "FUR CLOAK", 7, 0), 0);
    EXPECT_EQ(ArmorTypeMgr->NumArmorTypes, 3);

    EXPECT_EQ(ArmorTypeMgr->GetArmorIDByName("chain mail"), 9);
    EXPECT_EQ(ArmorTypeMgr->GetArmorNameByID(9), "Chain mail");
    EXPECT_EQ(ArmorTypeMgr->GetArmorNameByID(2), "none");
    EXPECT_EQ(ArmorTypeMgr->GetArmorValueByName("Fur cloak"), 7);
    EXPECT_EQ(ArmorTypeMgr->GetArmorIDByName("Fur cloak"), 3);
    EXPECT_EQ(ArmorTypeMgr->GetArmorNameByID(3), "FUR CLOAK");
}

}  // namespace
