// Furniture and the rooms' own things, each drawn from above. Those hung
// on or set into a wall are drawn in that wall's frame (see wall_frame).

#pragma once

#include "Kit.h"

#include <cairo.h>

#include <cstdint>

namespace pictures {

void table(cairo_t* cr, double x, double y, double w, double h, Rgb wood = kWood);

// A chair facing `angle` (0 = facing east), its back behind the sitter.
void chair(cairo_t* cr, double x, double y, double angle, double size = 14, Rgb cushion = kWood);

// A bed drawn head up in its own frame; the caller turns and places it.
void bed(cairo_t* cr, double x, double y, double w, double h, Rgb blanket, bool four_poster);

void coins(cairo_t* cr, double cx, double cy, double spread, int count, uint32_t seed);
void chest(cairo_t* cr, double x, double y, double w, double h, bool open, uint32_t seed);
void sack(cairo_t* cr, double cx, double cy, double r, uint32_t seed);
void barrel(cairo_t* cr, double cx, double cy, double r);
enum class Produce { Cabbage, Carrot, Potato, Onion };
void crate(cairo_t* cr, double x, double y, double s, Produce what, uint32_t seed);

// A shelf against a wall, in that wall's frame: x along the wall, the room at y < 0.
void shelf(cairo_t* cr, double from, double to, double depth, uint32_t seed, bool jars);

void rat(cairo_t* cr, double x, double y, double angle);

// A moth flying under the ceiling: its shadow falls far below it.
void moth(cairo_t* cr, double x, double y);

// Cobweb in a room corner; (sx, sy) point from the corner into the room.
void cobweb(cairo_t* cr, double x, double y, double sx, double sy, double size);

void rubble(cairo_t* cr, double cx, double cy, double spread, int count, uint32_t seed);
void crack(cairo_t* cr, double x, double y, double length, double angle, uint32_t seed);
void puddle(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed);
void mould(cairo_t* cr, double cx, double cy, double r, uint32_t seed);

enum class Stairs { Up, Down, UpAndDown };

// The round stairwell seen from above: wedge steps about a central post,
// lighter where they climb towards the floor above, darker where they sink.
void stairwell(cairo_t* cr, double cx, double cy, double r, double entry, Stairs kind);

void tapestry(cairo_t* cr, const Poly& shape, Side side, double along, double width, Rgb colour,
              uint32_t seed);

// Hearth set into a wall, in the wall's frame.
void hearth(cairo_t* cr, double width, double depth, bool cauldron);

// A wall rack of muskets, in the wall's frame; `gaps` marks empty places.
void musket_rack(cairo_t* cr, double from, double to, uint32_t gaps);

void cannon(cairo_t* cr, double x, double y, double angle);
void cannonballs(cairo_t* cr, double cx, double cy);
void rug(cairo_t* cr, double x, double y, double w, double h, Rgb colour);
void stool(cairo_t* cr, double x, double y, double r = 7);
void straw(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed);

// Chain and shackle hanging on a wall, in the wall's frame.
void shackle(cairo_t* cr);

void bones(cairo_t* cr, double x, double y, double angle);
void lantern(cairo_t* cr, double x, double y);
void wardrobe(cairo_t* cr, double x, double y, double w, double h);

}  // namespace pictures
