#pragma once
#include <string_view>
// The text shown each time a room is shown; "" for a number that names no room.
std::string_view RoomText(int roomId);   // 1..19
