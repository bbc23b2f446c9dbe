// The nineteen room pictures: which file each room's drawing goes to.

#pragma once

#include <cairo.h>

#include <array>

namespace pictures {

struct Picture {
    int room;  // the game's room number
    const char* file;
    void (*draw)(cairo_t*);
};

// In room order, room N at index N - 1; each entry names the function in
// Rooms.cpp that draws that room.
extern const std::array<Picture, 19> kPictures;

}  // namespace pictures
