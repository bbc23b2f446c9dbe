// The rooms: the table and its reset, the move buttons of a room, showing a
// room (text, listing, attacks, survival, picture, prompt) and moving.
#include "tests/unit/TestGame.h"

#include "catalogues/TWeaponTypeMgr.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "tests/BrokenBitmaps.h"
#include "world/RoomTexts.h"
#include "world/t_EntityMgr.h"
#include "world/t_RoomMgr.h"

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string Text(int room) { return std::string(RoomText(room)); }

// Where the picture panel's picture was loaded from; "" when none is shown.
std::string PicturePath() {
    const TPixmap& p = MemoryBackend::Info(WindowMgr->StoryImgPanel).pixmap;
    return p ? static_cast<const MemPixmap&>(*p).path : "";
}

class RoomTest : public StartedGameTest {
protected:
    // The move buttons of a room alone, built on a cleared set of buttons.
    std::vector<Button> MoveButtonsOf(uint16_t room) {
        WindowMgr->Window_Main_Clear_Choice_Btns();
        RoomMgr->GetHints(room);
        return ActionButtons();
    }
};

// Runs the game in a scratch folder that holds a picture for every room, so
// that the picture panel shows which file a room display asked for.
class RoomPictureTest : public RoomTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories("data/media/img");
        for (const auto& name : Pictures()) bitmaps::Write(name, bitmaps::Bmp(64, 40));
        RoomTest::SetUp();
    }

    static std::vector<std::string> Pictures() {
        std::vector<std::string> names;
        for (int room = 1; room <= 19; ++room)
            names.push_back(room == 11 ? "data/media/img/endimg.bmp"
                                       : "data/media/img/room_" + std::to_string(room) + ".bmp");
        return names;
    }

private:
    // Entered before the pictures are written and left after the game stops.
    ScratchFolder folder_;
};

// ---------------------------------------------------------------- the table

struct RoomRow {
    int32_t id, n, s, e, w, u;
    uint16_t d;
    const char* name;
    const char* imgFn;
};

const RoomRow kRoomTable[] = {
    {1, 0, 2, 0, 0, 0, 0, "The Hallway", "data/media/img/room_1.bmp"},
    {2, 1, 3, 3, 0, 0, 0, "Audience Chamber", "data/media/img/room_2.bmp"},
    {3, 2, 0, 5, 2, 0, 0, "The Great Hall", "data/media/img/room_3.bmp"},
    {4, 0, 5, 0, 0, 0, 0, "Meeting Room", "data/media/img/room_4.bmp"},
    {5, 4, 0, 0, 3, 15, 13, "Inner Hallway", "data/media/img/room_5.bmp"},
    {6, 0, 0, 1, 0, 0, 0, "Castle Entrance", "data/media/img/room_6.bmp"},
    {7, 0, 8, 0, 0, 0, 0, "Kitchen", "data/media/img/room_7.bmp"},
    {8, 7, 10, 0, 0, 0, 0, "Store Room", "data/media/img/room_8.bmp"},
    {9, 0, 19, 0, 0, 0, 8, "The Lift", "data/media/img/room_9.bmp"},
    {10, 8, 0, 11, 0, 0, 0, "Rear Vestibule", "data/media/img/room_10.bmp"},
    {11, 0, 0, 0, 0, 0, 0, "The Exit", "data/media/img/endimg.bmp"},
    {12, 0, 0, 0, 13, 0, 0, "Dungeon", "data/media/img/room_12.bmp"},
    {13, 0, 0, 12, 0, 5, 0, "Prison Guardroom", "data/media/img/room_13.bmp"},
    {14, 0, 15, 17, 0, 0, 0, "Master Chamber", "data/media/img/room_14.bmp"},
    {15, 14, 0, 0, 0, 0, 5, "Upper Hallway", "data/media/img/room_15.bmp"},
    {16, 17, 0, 19, 0, 0, 0, "Treasury", "data/media/img/room_16.bmp"},
    {17, 18, 16, 0, 14, 0, 0, "Chambermaid Chamber", "data/media/img/room_17.bmp"},
    {18, 0, 17, 0, 0, 0, 0, "Dressing Chamber", "data/media/img/room_18.bmp"},
    {19, 9, 0, 0, 16, 0, 0, "Armory", "data/media/img/room_19.bmp"},
};

void ExpectTheRoomTable() {
    ASSERT_EQ(t_room::_list.size(), std::size(kRoomTable));
    auto it = t_room::_list.begin();
    for (const RoomRow& row : kRoomTable) {
        const t_room& r = **it++;
        SCOPED_TRACE("room " + std::to_string(row.id));
        EXPECT_EQ(r.id, row.id);
        EXPECT_EQ(std::make_tuple(r.n, r.s, r.e, r.w, r.u, r.d), std::make_tuple(row.n, row.s, row.e, row.w, row.u, row.d));
        EXPECT_EQ(r.name, row.name);
        EXPECT_EQ(r.imgFn, row.imgFn);
        EXPECT_EQ(r.desc, Text(row.id));
    }
}

TEST_F(RoomTest, NineteenRoomsInIdOrderWithTheirExitsPicturesAndTexts) { ExpectTheRoomTable(); }

TEST_F(RoomTest, ResetThrowsEverythingAwayAndBuildsTheTableAgain) {
    RoomMgr->addRoom(30, 1, 0, 0, 0, 0, 0, "x.bmp", "Attic", "  Dusty.\n");
    RoomMgr->EnablePathway(9, 10, 8);
    Room(6).e = 16;
    t_room::_list.reverse();
    RoomMgr->Reset();
    ExpectTheRoomTable();
}

// ---------------------------------------------------------------- move buttons

struct MoveButtonsCase {
    const char* name;
    uint16_t room;
    std::vector<Button> buttons;
    friend void PrintTo(const MoveButtonsCase& c, std::ostream* os) { *os << c.name; }
};

class RoomMoveButtons : public RoomTest, public ::testing::WithParamInterface<MoveButtonsCase> {};

TEST_P(RoomMoveButtons, OneButtonPerExitInDirectionOrder) {
    EXPECT_EQ(MoveButtonsOf(GetParam().room), GetParam().buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, RoomMoveButtons,
    ::testing::Values(
        MoveButtonsCase{"InnerHallway", 5,
                        {{Action::North, 4, "Go North"}, {Action::West, 3, "Go West"}, {Action::Up, 15, "Go Up"},
                         {Action::Down, 13, "Go Down"}}},
        MoveButtonsCase{"AudienceChamber", 2,
                        {{Action::North, 1, "Go North"}, {Action::South, 3, "Go South"}, {Action::East, 3, "Go East"}}},
        MoveButtonsCase{"CastleEntrance", 6, {{Action::East, 1, "Go East"}}},
        MoveButtonsCase{"TheLift", 9, {{Action::South, 19, "Go South"}, {Action::Down, 8, "Go Down"}}},
        MoveButtonsCase{"PrisonGuardroom", 13, {{Action::East, 12, "Go East"}, {Action::Up, 5, "Go Up"}}},
        MoveButtonsCase{"ChambermaidChamber", 17,
                        {{Action::North, 18, "Go North"}, {Action::South, 16, "Go South"}, {Action::West, 14, "Go West"}}},
        MoveButtonsCase{"GreatHall", 3,
                        {{Action::North, 2, "Go North"}, {Action::East, 5, "Go East"}, {Action::West, 2, "Go West"}}},
        MoveButtonsCase{"TheExitHasNoWayOn", 11, {}},
        MoveButtonsCase{"NoRoomZero", 0, {}},
        MoveButtonsCase{"NoRoomTwenty", 20, {}}),
    CaseName());

// ---------------------------------------------------------------- showing a room

TEST_F(RoomTest, PrefixTextListingAndAttacksReachTheStoryAsOnePiece) {
    const std::string dragon =
        "  There is a Earth Dragon here. The Earth Dragon is alerted to your presence.\n\n"
        "  The Earth Dragon attacks you. *** FIGHTING ***\n\nThe Earth Dragon missed.\n\n"
        "The Player missed.\n\n";
    Entity(2).isAlerted = 1;
    Roll({3, 3, 3, 3});  // the dragon's strike and the player's: attack 3 against defence 3, both miss
    int before = Appends();
    EXPECT_EQ(RoomMgr->displayRoom("Prefix. ", 17), 0);
    EXPECT_EQ(Since(), "Prefix. " + Text(17) + dragon + kPrompt);
    EXPECT_EQ(Appends() - before, 2) << "the room as one piece, then the prompt";

    // The exit room has no prompt to follow: what is left is the one piece.
    Entity(2).roomNum = 11;
    Roll({3, 3, 3, 3});
    before = Appends();
    RoomMgr->displayRoom("Prefix. ", 11);
    EXPECT_EQ(Since(), "Prefix. " + Text(11) + dragon);
    EXPECT_EQ(Appends() - before, 1) << "the room as one piece";
}

TEST_F(RoomTest, TheSurvivalCheckFollowsTheRoomAndPrecedesThePrompt) {
    Entity(1).hp = 2;
    Roll({8});  // strength holds: the player eats
    RoomMgr->displayRoom("", 1);
    EXPECT_EQ(Since(), Text(1) + "\n" +
                           "You are incapacitated. Your strength has enabled you to be alert before slipping into "
                           "unconsciousness. You had 10 units of food to consume. After consuming 1 unit, you now have "
                           "9 units of food remaining. Your wound level is now severely wounded.\n\n" +
                           kPrompt);
    EXPECT_EQ(dice->draws, (std::vector<std::pair<int32_t, int32_t>>{{3, 18}}));
}

TEST_F(RoomTest, TheListingShowsTheRoomAsItWasBeforeTheAttacks) {
    // A creature at 2 hit points calms down in its own strike; the listing was
    // composed before, so it still reads "alerted".
    Entity(2).hp = 2;
    Entity(2).isAlerted = 1;
    Roll({1, 3, 3, 6});
    RoomMgr->displayRoom("", 17);
    EXPECT_EQ(Since(), Text(17) +
                           "  There is a Earth Dragon here. The Earth Dragon is alerted to your presence.\n\n"
                           "  The Earth Dragon attacks you. *** FIGHTING ***\n\n"
                           "The Earth Dragon is unconscious and unable to fight.\n\nThe Player missed.\n\n" +
                           kPrompt);
    EXPECT_EQ(Entity(2).isAlerted, 0);
    // Calm now: the next display lists it so and it does not attack.
    RoomMgr->displayRoom("", 17);
    EXPECT_EQ(Since(), Text(17) +
                           "  There is a Earth Dragon here. The Earth Dragon is not alerted to your presence.\n\n" +
                           kPrompt);
}

TEST_F(RoomTest, TheExitRoomGetsNoPrompt) {
    const int before = Appends();
    RoomMgr->displayRoom("", 11);
    EXPECT_EQ(Since(), Text(11) + "\n");
    EXPECT_EQ(Appends() - before, 1) << "the room as one piece, and nothing after it";
}

TEST_F(RoomTest, ARoomNumberThatNoRoomHasShowsNothingAtAll) {
    Entity(1).hp = 1;  // a survival check would draw a roll
    const int before = Appends();
    for (uint16_t room : std::initializer_list<uint16_t>{0, 20, 65535}) {
        EXPECT_EQ(RoomMgr->displayRoom("Prefix. ", room), 0);
        EXPECT_EQ(Since(), "") << room;
    }
    EXPECT_EQ(Appends(), before) << "not even an empty append";
    EXPECT_TRUE(dice->draws.empty());
    EXPECT_EQ(Entity(1).hp, 1);
}

TEST_F(RoomTest, AlertCreaturesAttackInListOrderWhateverTheirOtherFlags) {
    // Fighters as strong as the player, so every strike draws 3..18 for attack
    // and defence alike.
    auto creature = [](const char* name, int32_t team, uint8_t alert) {
        const int32_t id = EntityMgr->addEntity(0, name, 2, 16, 0, "A foe.", "floor", 18, 18, 18, 0, 0, team, 2);
        Entity(id).isAlerted = alert;
        return id;
    };
    Entity(creature("Ghoul", 2, 1)).isEnabled = 0;  // hidden, yet it attacks
    Entity(creature("Wraith", 2, 1)).isDead = 1;    // flagged, not yet removed
    creature("Squire", 3, 1);                       // not a monster
    creature("Sleeper", 2, 2);                      // alert flag must be exactly 1
    creature("Troll", 2, 1);
    // Each of the three fights: the creature's strike and the player's
    // counter-strike, each attack 3 against defence 3, a tie and so a miss.
    Roll({3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3});
    EXPECT_EQ(EntityMgr->DoNPCActions(16),
              "  The Ghoul attacks you. *** FIGHTING ***\n\nThe Ghoul missed.\n\nThe Player missed.\n\n"
              "  The Wraith attacks you. *** FIGHTING ***\n\nThe Wraith missed.\n\nThe Player missed.\n\n"
              "  The Troll attacks you. *** FIGHTING ***\n\nThe Troll missed.\n\nThe Player missed.\n\n");
    EXPECT_EQ(dice->draws, Draws(12, {3, 18}));
    EXPECT_EQ(EntityMgr->DoNPCActions(15), "");
    EXPECT_EQ(dice->draws.size(), 12u);
}

TEST_F(RoomPictureTest, EveryRoomShowsItsOwnPicture) {
    for (const RoomRow& row : kRoomTable) {
        RoomMgr->displayRoom("", static_cast<uint16_t>(row.id));
        EXPECT_EQ(PicturePath(), row.imgFn) << "room " << row.id;
    }
}

TEST_F(RoomPictureTest, ARoomNumberThatNoRoomHasLeavesThePicture) {
    RoomMgr->displayRoom("", 1);
    RoomMgr->displayRoom("", 20);
    EXPECT_EQ(PicturePath(), "data/media/img/room_1.bmp");
}

TEST_F(RoomPictureTest, APlayerKilledDuringTheDisplayStillGetsPictureAndPrompt) {
    Enter(16);
    const int32_t wolf = EntityMgr->CreateEntityByObjectType(2, 16, "ground", 0, 2, 2);
    EntityMgr->SetWeapon1IDByID(wolf, WeaponTypeMgr->GetWeaponIDByName("Fists"));
    EntityMgr->setAlertness(wolf, 1);
    Entity(1).hp = 1;
    // The werewolf hits for 5 (two levels), the dead player cannot strike back.
    Roll({20, 0, 5, 0, 3});
    RoomMgr->displayRoom("", 16);
    EXPECT_EQ(Since(), Text(16) +
                           "  There is a Ferocious werewolf here. The Ferocious werewolf is alerted to your presence."
                           "\n\n  The Ferocious werewolf attacks you. *** FIGHTING ***\n\n"
                           "Ferocious werewolf hit and did 2 levels of damage. Player is dead.\n\n"
                           "The Player is unconscious and unable to fight.\n\n" +
                           kPrompt);
    EXPECT_EQ(PicturePath(), "data/media/img/room_16.bmp");
    EXPECT_EQ(Entity(1).isDead, 1);
    EXPECT_TRUE(dice->rolls.empty());
    Tick();
    EXPECT_TRUE(Since().starts_with("You have died. Your final score is 10."));
}

// ---------------------------------------------------------------- the listing

struct Thing {
    const char* name;
    uint8_t canTake = 0;
    const char* location = "floor";
    int32_t team = 0;
    uint8_t alert = 0;
    uint8_t enabled = 1;
};

struct ListingCase {
    const char* name;
    std::vector<Thing> things;
    std::string listing;
    friend void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }
};

class RoomListing : public RoomTest, public ::testing::WithParamInterface<ListingCase> {};

TEST_P(RoomListing, SentencesFollowTheOrderAndFlags) {
    // Room 16 holds nothing at the start.
    for (const Thing& t : GetParam().things) {
        const int32_t id =
            EntityMgr->addEntity(0, t.name, 7, 16, t.canTake, "Something.", t.location, 0, 0, 0, 0, 0, t.team, 0);
        Entity(id).isAlerted = t.alert;
        Entity(id).isEnabled = t.enabled;
    }
    EXPECT_EQ(EntityMgr->showRoomEntities(16), GetParam().listing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoomListing,
    ::testing::Values(
        ListingCase{"Nothing", {}, "\n"},
        ListingCase{"TakeableThing", {{"Gem", 1, "floor"}}, "  There is a Gem on the floor. \n\n"},
        ListingCase{"UntakeableThing", {{"rock"}}, "  There is a rock here. \n\n"},
        ListingCase{"OnlyTheFirstUntakeableThingIsDescribed", {{"rock"}, {"stone"}}, "  There is a rock here. \n\n"},
        ListingCase{"LaterTakeableThingsAreDescribed",
                    {{"rock"}, {"Gem", 1, "shelf"}},
                    "  There is a rock here.   There is a Gem on the shelf. \n\n"},
        ListingCase{"ACreatureAfterAThingGetsOnlyItsAlertSentence",
                    {{"Gem", 1, "floor"}, {"Imp", 0, "floor", 2, 0}},
                    "  There is a Gem on the floor. The Imp is not alerted to your presence.\n\n"},
        ListingCase{"TwoCreaturesAlertSentencesTouch",
                    {{"Imp", 0, "floor", 2, 1}, {"Troll", 0, "floor", 2, 0}},
                    "  There is a Imp here. The Imp is alerted to your presence.The Troll is not alerted to your "
                    "presence.\n\n"},
        ListingCase{"AnyNonZeroTakeAndAlertFlagCounts",
                    {{"Gem", 2, "floor"}, {"Imp", 0, "floor", 3, 2}},
                    "  There is a Gem on the floor. The Imp is alerted to your presence.\n\n"},
        ListingCase{
            "ThePlayersTeamGetsNoAlertSentence", {{"Squire", 0, "floor", 1, 1}}, "  There is a Squire here. \n\n"},
        ListingCase{
            "DisabledThingsTakeNoPart", {{"ghost", 0, "floor", 2, 1, 0}, {"rock"}}, "  There is a rock here. \n\n"},
        ListingCase{"OnlyDisabledThings", {{"ghost", 1, "floor", 0, 0, 0}}, "\n"},
        ListingCase{"EnabledMustBeExactlyOne", {{"ghost", 1, "floor", 0, 0, 2}}, "\n"}),
    CaseName());

TEST_F(RoomTest, StartRoomsListTheirThings) {
    const std::pair<int32_t, std::string> rooms[] = {
        {6, "  There is a Sword on the ground. \n\n"},
        {8, "  There is a sack of flour here. \n\n"},  // the potatoes, later and untakeable, get no sentence
        {14, "  There is a small bottle here. \n\n"},
        {7, "  There is a Food on the table. \n\n"},
        {12, "  There is a Axe on the floor. \n\n"},
        {4, "  There is a Fur cloak on the ground. \n\n"},
        {17, "  There is a Earth Dragon here. The Earth Dragon is not alerted to your presence.\n\n"},
        {1, "\n"},
    };
    for (const auto& [room, listing] : rooms) EXPECT_EQ(EntityMgr->showRoomEntities(room), listing) << room;
}

TEST_F(RoomTest, ThePlayerIsNeverListed) {
    Enter(16);
    EXPECT_EQ(EntityMgr->showRoomEntities(16), "\n");
    EXPECT_EQ(EntityMgr->showRoomEntities(6), "  There is a Sword on the ground. \n\n");
}

// ---------------------------------------------------------------- moving

struct MoveCase {
    const char* name;
    uint16_t from, direction, to;
    std::string moveText;
    friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
};

class MoveTest : public RoomTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MoveTextThenTheRoomThenThePlayerFollows) {
    const MoveCase& c = GetParam();
    Enter(c.from);
    EXPECT_EQ(RoomMgr->ChangeRoom(c.direction), 1);
    // None of these rooms has an entrance trigger or a thing in it.
    EXPECT_EQ(Since(), c.moveText + Text(c.to) + "\n" + kPrompt);
    EXPECT_EQ(MainPrg->currentRm, c.to);
    EXPECT_EQ(Entity(1).roomNum, c.to);
    EXPECT_TRUE(dice->draws.empty());
}

INSTANTIATE_TEST_SUITE_P(Directions, MoveTest,
                         ::testing::Values(MoveCase{"North", 2, Action::North, 1, "You proceed north.\n\n"},
                                           MoveCase{"South", 17, Action::South, 16, "You go south.\n\n"},
                                           MoveCase{"East", 6, Action::East, 1, "You decide to go east.\n\n"},
                                           MoveCase{"West", 19, Action::West, 16, "Go west.\n\n"},
                                           MoveCase{"Up", 13, Action::Up, 5, "Going up.\n\n"},
                                           MoveCase{"Down", 15, Action::Down, 5, "Going down.\n\n"}),
                         CaseName());

TEST_F(RoomTest, NoExitOrNoDirectionDoesNothing) {
    const std::string story = Story();
    // Every direction but east, and codes that are no direction at all.
    for (uint16_t direction : std::initializer_list<uint16_t>{Action::North, Action::South, Action::West, Action::Up,
                                                              Action::Down, 0, Action::Examine, 65535}) {
        EXPECT_EQ(RoomMgr->ChangeRoom(direction), 0) << direction;
        EXPECT_EQ(MainPrg->currentRm, 6);
        EXPECT_EQ(Entity(1).roomNum, 6);
    }
    EXPECT_EQ(Story(), story);
}

TEST_F(RoomTest, NoMoveFromTheExitOrFromARoomThatDoesNotExist) {
    for (uint16_t room : std::initializer_list<uint16_t>{11, 0, 20}) {
        MainPrg->currentRm = room;
        for (uint16_t direction = Action::North; direction <= Action::Down; ++direction)
            EXPECT_EQ(RoomMgr->ChangeRoom(direction), 0);
        EXPECT_EQ(MainPrg->currentRm, room);
    }
    EXPECT_EQ(Since(), "");
}

TEST_F(RoomTest, TheFirstMoveOfAGame) {
    EXPECT_EQ(RoomMgr->ChangeRoom(Action::East), 1);
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + Text(1) + "\n" + kPrompt);
    EXPECT_EQ(MainPrg->currentRm, 1);
    EXPECT_EQ(Entity(1).roomNum, 1);
}

TEST_F(RoomTest, MovingIntoTheExitShowsItWithoutAPrompt) {
    Enter(10);
    EXPECT_EQ(RoomMgr->ChangeRoom(Action::East), 1);
    EXPECT_EQ(Since(), "You decide to go east.\n\n" + Text(11) + "\n");
    EXPECT_EQ(MainPrg->currentRm, 11);
    EXPECT_EQ(Entity(1).roomNum, 11);
}

TEST_F(RoomTest, TheMoveFollowsTheCurrentRoomNotThePlayersEntity) {
    EntityMgr->setRoomNum(1, 12);  // out of step with the current room 6
    EXPECT_EQ(RoomMgr->ChangeRoom(Action::East), 1);
    EXPECT_EQ(MainPrg->currentRm, 1);
    EXPECT_EQ(Entity(1).roomNum, 1);
}

// ---------------------------------------------------------------- pathways

TEST_F(RoomTest, APathwayGivesTheRoomAnUpExit) {
    EXPECT_EQ(RoomMgr->EnablePathway(9, 10, 8), 0);
    EXPECT_EQ(MoveButtonsOf(9),
              (std::vector<Button>{
                  {Action::South, 19, "Go South"}, {Action::Up, 10, "Go Up"}, {Action::Down, 8, "Go Down"}}));
    Enter(9);
    Roll({100});  // room 10's creature chance fails
    EXPECT_EQ(RoomMgr->ChangeRoom(Action::Up), 1);
    EXPECT_EQ(Since(), "Going up.\n\n" + Text(10) + "\n" + kPrompt);
    EXPECT_EQ(MainPrg->currentRm, 10);
}

TEST_F(RoomTest, APathwayToZeroClosesTheUpExit) {
    RoomMgr->EnablePathway(5, 0, 8);
    EXPECT_EQ(MoveButtonsOf(5),
              (std::vector<Button>{
                  {Action::North, 4, "Go North"}, {Action::West, 3, "Go West"}, {Action::Down, 13, "Go Down"}}));
    Enter(5);
    EXPECT_EQ(RoomMgr->ChangeRoom(Action::Up), 0);
}

TEST_F(RoomTest, OnlyCodeEightOpensAPathwayAndOnlyInARoomThatExists) {
    for (int32_t code : {0, 7, 9, -8}) RoomMgr->EnablePathway(9, 10, code);
    RoomMgr->EnablePathway(99, 10, 8);
    ExpectTheRoomTable();
}

TEST_F(RoomTest, APathwayHoldsUntilTheRoomsAreReset) {
    RoomMgr->EnablePathway(9, 10, 8);
    RoomMgr->Reset();
    EXPECT_EQ(Room(9).u, 0);
    EXPECT_EQ(MoveButtonsOf(9), (std::vector<Button>{{Action::South, 19, "Go South"}, {Action::Down, 8, "Go Down"}}));
}

}  // namespace
