// The drawing kit every room picture is made with: colours, fixed-seed
// noise and the geometry of walls seen from above.

#pragma once

#include <cairo.h>

#include <cstdint>
#include <numbers>
#include <vector>

namespace pictures {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 400;
inline constexpr double kW = kWidth;
inline constexpr double kH = kHeight;
inline constexpr double kWall = 16.0;  // wall thickness seen from above
inline constexpr double kPi = std::numbers::pi;

// ---- Colours ---------------------------------------------------------------

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double f);
void source(cairo_t* cr, Rgb c, double alpha = 1.0);
void stop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0);

// Muted stone and earth, shared by every picture so the castle looks like one place.
inline constexpr Rgb kMass{0.13, 0.12, 0.12};
inline constexpr Rgb kStone{0.47, 0.45, 0.42};
inline constexpr Rgb kOutline{0.16, 0.15, 0.14};
inline constexpr Rgb kFlag{0.52, 0.50, 0.46};
inline constexpr Rgb kWood{0.42, 0.29, 0.17};
inline constexpr Rgb kDarkWood{0.28, 0.19, 0.11};
inline constexpr Rgb kIron{0.22, 0.22, 0.24};
inline constexpr Rgb kGlass{0.64, 0.75, 0.80};
inline constexpr Rgb kLight{1.0, 0.95, 0.80};
inline constexpr Rgb kGold{0.86, 0.70, 0.25};
inline constexpr Rgb kCloth{0.55, 0.22, 0.20};
inline constexpr Rgb kLinen{0.86, 0.83, 0.76};
inline constexpr Rgb kLeaf{0.32, 0.46, 0.24};
inline constexpr Rgb kWater{0.24, 0.38, 0.46};
inline constexpr Rgb kBlack{0.0, 0.0, 0.0};

// ---- Fixed-seed noise ------------------------------------------------------

uint32_t hash32(uint32_t x);

// A number in [0, 1) that depends only on its arguments.
double noise(uint32_t a, uint32_t b, uint32_t c = 0);

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(hash32(seed + 1u)) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return hash32(state_) / 4294967296.0;
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    uint32_t state_;
};

// ---- Geometry --------------------------------------------------------------

struct Pt {
    double x, y;
};
// Room outlines are right-angled polygons, clockwise on screen.
using Poly = std::vector<Pt>;

Poly box(double x0, double y0, double x1, double y1);
void add_path(cairo_t* cr, const Poly& p);

// Grows (d > 0) or shrinks the outline; exact for right angles, reflex or not.
Poly offset(const Poly& p, double d);

enum class Side { North, East, South, West };

struct Wall {
    Side side;
    double line;      // inner face: y for north/south walls, x for east/west
    double from, to;  // extent along the wall
};

std::vector<Wall> walls_of(const Poly& p);

// The outermost wall on that side that spans `along`.
Wall wall_at(const Poly& p, Side side, double along);

// Moves the origin onto a wall's inner face at `along`, x running along the
// wall and y pointing out of the room, so one drawing serves every wall.
void wall_frame(cairo_t* cr, Side side, double line, double along);
void wall_frame(cairo_t* cr, const Poly& p, Side side, double along);

void rounded(cairo_t* cr, double x, double y, double w, double h, double r);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Soft shadow cast down and to the right, as if lit from the upper left.
void shadow_box(cairo_t* cr, double x, double y, double w, double h, double r = 3);
void shadow_disc(cairo_t* cr, double cx, double cy, double r);

void disc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0);
void line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double width,
          double alpha = 1.0);
void glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha);

}  // namespace pictures
