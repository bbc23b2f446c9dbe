#include "world/t_RoomMgr.h"

#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "story/TTriggerMgr.h"
#include "world/RoomTexts.h"
#include "world/t_EntityMgr.h"


namespace {

struct RoomRow {
    uint16_t id, n, s, e, w, u, d;
    const char* name;
    const char* imgFn;
};

constexpr RoomRow kRooms[] = {
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


}  // namespace

t_RoomMgr::t_RoomMgr() { Init(); }

int t_RoomMgr::Init() {
    for (const RoomRow& r : kRooms)
        addRoom(r.id, r.n, r.s, r.e, r.w, r.u, r.d, r.imgFn, r.name, std::string(RoomText(r.id)));
    return 0;
}

int t_RoomMgr::Reset() {
    t_room::_list.clear();
    return Init();
}

int t_RoomMgr::addRoom(uint16_t id, uint16_t n, uint16_t s, uint16_t e, uint16_t w, uint16_t u, uint16_t d,
                       const std::string& imgFn, const std::string& name, const std::string& desc) {
    t_room* room = NewRecord<t_room>();
    room->id = id;
    room->n = n;
    room->s = s;
    room->e = e;
    room->w = w;
    room->u = u;
    room->d = d;
    room->imgFn = imgFn;
    room->name = name;
    room->desc = desc;
    ++numRooms;
    return 0;
}

int t_RoomMgr::displayRoom(const std::string& prefix, uint16_t roomNum) {
    for (const auto& room : t_room::_list) {
        if (room->id != roomNum) continue;
        std::string text = prefix + room->desc;
        text += EntityMgr->showRoomEntities(roomNum);
        // The attacks come after the listing is composed: it shows the room
        // as it was before them.
        text += EntityMgr->DoNPCActions(roomNum);
        WindowMgr->AppendStoryArea(text);
        EntityMgr->DoSurvival(MainPrg->localPlayerID);
        WindowMgr->ChangeStoryImage(room->imgFn);
        if (roomNum != kExitRoom) MainPrg->displayWhatNow();
    }
    return 0;
}

int t_RoomMgr::GetHints(uint16_t roomNum) {
    for (const auto& room : t_room::_list) {
        if (room->id != roomNum) continue;
        if (room->n != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::North, room->n, "Go North");
        if (room->s != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::South, room->s, "Go South");
        if (room->e != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::East, room->e, "Go East");
        if (room->w != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::West, room->w, "Go West");
        if (room->u != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::Up, room->u, "Go Up");
        if (room->d != 0) WindowMgr->Window_Main_Create_Choice_Btn(Action::Down, room->d, "Go Down");
    }
    return 0;
}

uint8_t t_RoomMgr::ChangeRoom(uint16_t direction) {
    for (const auto& room : t_room::_list) {
        if (room->id != MainPrg->currentRm) continue;
        int32_t exit = 0;
        const char* text = "";
        switch (direction) {
            case Action::North: exit = room->n; text = "You proceed north.\n\n"; break;
            case Action::South: exit = room->s; text = "You go south.\n\n"; break;
            case Action::East: exit = room->e; text = "You decide to go east.\n\n"; break;
            case Action::West: exit = room->w; text = "Go west.\n\n"; break;
            case Action::Up: exit = room->u; text = "Going up.\n\n"; break;
            case Action::Down: exit = room->d; text = "Going down.\n\n"; break;
            default: break;
        }
        if (exit == 0) continue;
        MainPrg->currentRm = static_cast<uint16_t>(exit);
        WindowMgr->AppendStoryArea(text);
        TriggerMgr->checkRoomEntrance(MainPrg->currentRm);
        displayRoom("", MainPrg->currentRm);
        // The player's entity follows last: nothing above reads its room.
        EntityMgr->setRoomNum(MainPrg->localPlayerID, MainPrg->currentRm);
        return 1;
    }
    return 0;
}

int t_RoomMgr::EnablePathway(int32_t roomID, int32_t target, int32_t code) {
    if (code != kPathwayUp) return 0;
    for (const auto& room : t_room::_list)
        if (room->id == roomID) room->u = target;
    return 0;
}
