#include "world/RoomTexts.h"

#include <array>

namespace {

// Indexed by room number; slot 0 stays empty so a look-up needs no offset.
constexpr std::array<std::string_view, 20> kRoomTexts = {
    "",
    // 1: The Hallway
    "  You are in the Hallway entrance to the castle. It is dark and gloomy, with an "
    "air of decay and desolation, so you feel frightened as you stand here. There is a "
    "door to the south, and through the windows to the north you can glimpse a secret "
    "herb garden. \n",
    // 2: Audience Chamber
    "  This is the Audience Chamber. Faded tapestries hang from the walls, hinting at "
    "the splendour that has long since passed away. There is a window to the west, and "
    "if you crane your neck you can just make out the castle entrance from it. Doors "
    "lead out of the chamber to the north, to the east and to the south. \n",
    // 3: The Great Hall
    "  You are in the Great Hall, an L-shaped room. The wood panels along the walls "
    "are warped and faded by age. There are doors to the east and the north, and in "
    "the alcove a door leads to the west. \n",
    // 4: Meeting Room
    "  This is the Monarch's private meeting room. The echo of ancient plotting still "
    "lingers in the musty air. The single exit from the room lies to the south.\n",
    // 5: Inner Hallway
    "  This inner hallway contains a door to the North, a door to the West and a "
    "circular stairwell. It is small and unfriendly, and you do not care to linger. "
    "Through the windows to the south you can see the ornamental lake. \n",
    // 6: Castle Entrance
    "  You are at the entrance to a forbidding-looking stone castle. You face east, "
    "towards the huge wooden entrance door, which stands slightly open before you.\n",
    // 7: Kitchen
    "  This is the castle's kitchen. No meals have been prepared here for the court "
    "for many a year, and the hearth is cold. A rat scurries across the floor as you "
    "enter. Through the windows to the north you see the herb garden, and there is a "
    "door to the south.\n",
    // 8: Store Room
    "  You are in the Store Room, amid spices, vegetables, sacks of flour and other "
    "provisions. Thick spice and curry fumes fill the air and make your eyes water. "
    "There are doors to the north and south.\n",
    // 9: The Lift
    "  You have entered the lift. You can leave it to the south, or, as the lift still "
    "works, you can also descend.\n",
    // 10: Rear Vestibule
    "  You are in the rear vestibule. Through the windows to the south you see the "
    "ornamental lake, leaden and still. There are exits to the east and to the north.\n",
    // 11: The Exit
    "YOU'VE DONE IT!! That was the exit from the Castle. YOU HAVE SUCCEEDED. You "
    "managed to get out of the Castle. WELL DONE!\n",
    // 12: Dungeon
    "  You are in the dank, dark dungeon. Water drips somewhere in the blackness. The "
    "only light creeps in through a small hole in the west wall, which is also the "
    "single way out.\n",
    // 13: Prison Guardroom
    "  You are in the prison guardroom, in the basement of the castle. The stairwell "
    "ends here. The only other exit is a small hole in the east wall, barely wide "
    "enough to crawl through. The air is damp, and a chilly wind blows through gaps in "
    "the stone, making you shiver.\n",
    // 14: Master Chamber
    "  You are in the Master Bedroom on the upper level of the castle. It is very "
    "quiet here, as though the room were holding its breath. From the west window you "
    "can see the castle entrance, and below the north window lies the herb garden. "
    "There are doors to the east and south.\n",
    // 15: Upper Hallway
    "  This is the L-Shapped upper hallway. A moth flutters by the ceiling, beating "
    "its dusty wings in vain. There is a door to the north and a stairwell, and "
    "through the south windows you can see the calm lake.\n",
    // 16: Treasury
    "  This room was used as the castle treasury in by-gone years. There are no "
    "windows at all. Exits lead to the north and east.\n",
    // 17: Chambermaid Chamber
    "  Ooooh...you are in the chambermaids' bedroom. A faint perfume scents the air. "
    "There is an exit to the west and a door to the south.\n",
    // 18: Dressing Chamber
    "  This tiny room on the upper level is the dressing chamber. A window to the "
    "north looks out across the herb garden far below. There is a single door to the "
    "south.\n",
    // 19: Armory
    "  This is the Armory. It was once a store of musketry or artillery, though its "
    "racks are now empty. A door to the north leads into the lift room, another to the "
    "west.\n",
};

}  // namespace

std::string_view RoomText(int roomId) {
    if (roomId < 1 || roomId >= static_cast<int>(kRoomTexts.size())) {
        return {};
    }
    return kRoomTexts[static_cast<std::size_t>(roomId)];
}
