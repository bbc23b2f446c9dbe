// A room seen from above and what lies round it: the castle's mass, the
// gardens, lake and courtyard seen through its windows, its floor, its
// doors and windows, and the gloom and daylight over it all.

#pragma once

#include "Kit.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace pictures {

// ---- Surroundings ----------------------------------------------------------

void herb(cairo_t* cr, double cx, double cy, double r, uint32_t seed);

enum class View { Garden, Lake, Courtyard };

// ---- Floors ----------------------------------------------------------------

enum class Floor { Flagstone, Planks, QuarryTiles, Chequer, RoughStone };

// ---- Openings --------------------------------------------------------------

enum class Opening { Door, Arch, Hole, Window };
enum class Beyond { Dark, Lit, Daylight };  // what the passage behind an exit shows

struct Gap {
    Side side;
    double along;
    double width;
    Opening kind;
    Beyond beyond = Beyond::Dark;
};

struct Plan {
    Poly shape;
    Floor floor = Floor::Flagstone;
    Rgb tone = kFlag;
    std::vector<Gap> gaps;
    double gloom = 0.15;  // how dark the room is, 0 to 1
};

// ---- A room seen from above ------------------------------------------------

// The vignette and dark frame that every picture ends with.
void finish(cairo_t* cr);

using Furnish = std::function<void(cairo_t*)>;

struct ViewOut {
    Side side;
    double along;
    View view;
};

// `furnish` draws the room's own things after the floor and before the
// gloom and daylight, so they sit in the same light as the room.
void draw_room(cairo_t* cr, const Plan& plan, const std::vector<ViewOut>& views, uint32_t seed,
               const Furnish& furnish);

}  // namespace pictures
