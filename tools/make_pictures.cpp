// make_pictures OUTPUT_DIR
//
// Draws the castle's nineteen room pictures (640 x 400, 24-bit BMP) into
// OUTPUT_DIR. Rooms are seen from above with north at the top, so every exit
// shows; the two pictures taken at the castle's doors, the entrance and the
// way out, look straight ahead instead. Only shapes, no text, and all
// "randomness" comes from a hash of fixed numbers: the bytes are the same on
// every build.

#include <cairo.h>
#include <gdk/gdk.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr double kW = kWidth;
constexpr double kH = kHeight;
constexpr double kWall = 16.0;  // wall thickness seen from above
constexpr double kPi = std::numbers::pi;

// ---- Colours ---------------------------------------------------------------

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double f) {
    return {std::clamp(c.r * f, 0.0, 1.0), std::clamp(c.g * f, 0.0, 1.0),
            std::clamp(c.b * f, 0.0, 1.0)};
}

void source(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void stop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, alpha);
}

// Muted stone and earth, shared by every picture so the castle looks like one place.
constexpr Rgb kMass{0.13, 0.12, 0.12};
constexpr Rgb kStone{0.47, 0.45, 0.42};
constexpr Rgb kOutline{0.16, 0.15, 0.14};
constexpr Rgb kFlag{0.52, 0.50, 0.46};
constexpr Rgb kWood{0.42, 0.29, 0.17};
constexpr Rgb kDarkWood{0.28, 0.19, 0.11};
constexpr Rgb kIron{0.22, 0.22, 0.24};
constexpr Rgb kGlass{0.64, 0.75, 0.80};
constexpr Rgb kLight{1.0, 0.95, 0.80};
constexpr Rgb kGold{0.86, 0.70, 0.25};
constexpr Rgb kCloth{0.55, 0.22, 0.20};
constexpr Rgb kLinen{0.86, 0.83, 0.76};
constexpr Rgb kLeaf{0.32, 0.46, 0.24};
constexpr Rgb kWater{0.24, 0.38, 0.46};
constexpr Rgb kBlack{0.0, 0.0, 0.0};

// ---- Fixed-seed noise ------------------------------------------------------

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

// A number in [0, 1) that depends only on its arguments.
double noise(uint32_t a, uint32_t b, uint32_t c = 0) {
    return hash32(a ^ hash32(b ^ hash32(c + 0x9e3779b9u))) / 4294967296.0;
}

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

Poly box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

void add_path(cairo_t* cr, const Poly& p) {
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x, p[i].y);
    cairo_close_path(cr);
}

Pt outward(Pt a, Pt b) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    return {(b.y - a.y) / len, -(b.x - a.x) / len};
}

// Grows (d > 0) or shrinks the outline; exact for right angles, reflex or not.
Poly offset(const Poly& p, double d) {
    Poly out;
    const size_t n = p.size();
    for (size_t i = 0; i < n; ++i) {
        const Pt prev = p[(i + n - 1) % n], cur = p[i], next = p[(i + 1) % n];
        const Pt n1 = outward(prev, cur), n2 = outward(cur, next);
        out.push_back({cur.x + d * (n1.x + n2.x), cur.y + d * (n1.y + n2.y)});
    }
    return out;
}

enum class Side { North, East, South, West };

struct Wall {
    Side side;
    double line;      // inner face: y for north/south walls, x for east/west
    double from, to;  // extent along the wall
};

std::vector<Wall> walls_of(const Poly& p) {
    std::vector<Wall> out;
    for (size_t i = 0; i < p.size(); ++i) {
        const Pt a = p[i], b = p[(i + 1) % p.size()];
        const Pt n = outward(a, b);
        if (n.y < -0.5) out.push_back({Side::North, a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
        if (n.y > 0.5) out.push_back({Side::South, a.y, std::min(a.x, b.x), std::max(a.x, b.x)});
        if (n.x > 0.5) out.push_back({Side::East, a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
        if (n.x < -0.5) out.push_back({Side::West, a.x, std::min(a.y, b.y), std::max(a.y, b.y)});
    }
    return out;
}

// The outermost wall on that side that spans `along`.
Wall wall_at(const Poly& p, Side side, double along) {
    Wall best{side, 0, 0, 0};
    bool found = false;
    for (const Wall& w : walls_of(p)) {
        if (w.side != side || along < w.from || along > w.to) continue;
        const bool further = side == Side::North || side == Side::West ? w.line < best.line
                                                                        : w.line > best.line;
        if (!found || further) best = w;
        found = true;
    }
    if (!found) {
        // A picture placed something on a wall that is not there.
        std::fprintf(stderr, "make_pictures: no wall at %g on side %d\n", along, static_cast<int>(side));
        std::abort();
    }
    return best;
}

// Moves the origin onto a wall's inner face at `along`, x running along the
// wall and y pointing out of the room, so one drawing serves every wall.
void wall_frame(cairo_t* cr, Side side, double line, double along) {
    cairo_matrix_t m;
    switch (side) {
    case Side::North: cairo_matrix_init(&m, 1, 0, 0, -1, along, line); break;
    case Side::South: cairo_matrix_init(&m, 1, 0, 0, 1, along, line); break;
    case Side::East: cairo_matrix_init(&m, 0, 1, 1, 0, line, along); break;
    case Side::West: cairo_matrix_init(&m, 0, 1, -1, 0, line, along); break;
    }
    cairo_transform(cr, &m);
}

void wall_frame(cairo_t* cr, const Poly& p, Side side, double along) {
    wall_frame(cr, side, wall_at(p, side, along).line, along);
}

void rounded(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// Soft shadow cast down and to the right, as if lit from the upper left.
void shadow_box(cairo_t* cr, double x, double y, double w, double h, double r = 3) {
    for (int i = 3; i >= 1; --i) {
        const double g = i * 1.6;
        rounded(cr, x + 2, y + 2, w + g, h + g, r + g / 2);
        source(cr, kBlack, 0.10);
        cairo_fill(cr);
    }
}

void shadow_disc(cairo_t* cr, double cx, double cy, double r) {
    for (int i = 3; i >= 1; --i) {
        cairo_arc(cr, cx + 2.5, cy + 2.5, r + i * 0.9, 0, 2 * kPi);
        source(cr, kBlack, 0.10);
        cairo_fill(cr);
    }
}

void disc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha = 1.0) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    source(cr, c, alpha);
    cairo_fill(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double width,
          double alpha = 1.0) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    source(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    stop(g, 0, c, alpha);
    stop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// ---- Surroundings ----------------------------------------------------------

// The rest of the castle, which the picture does not open onto.
void draw_mass(cairo_t* cr, uint32_t seed) {
    source(cr, kMass);
    cairo_paint(cr);
    cairo_set_line_width(cr, 1);
    for (int row = 0; row * 14 < kHeight; ++row) {
        const double y = row * 14.0;
        line(cr, 0, y, kW, y, kStone, 1, 0.07);
        for (int k = 0; k * 30 < kWidth + 30; ++k) {
            const double x = k * 30.0 + (row % 2) * 15.0 + 6 * noise(seed, 900 + row, k);
            line(cr, x, y, x, y + 14, kStone, 1, 0.07);
        }
    }
}

void herb(cairo_t* cr, double cx, double cy, double r, uint32_t seed) {
    Rng rng(seed);
    const int leaves = 5 + static_cast<int>(rng.next() * 4);
    const Rgb tone = mix(kLeaf, Rgb{0.45, 0.55, 0.30}, rng.next());
    for (int i = 0; i < leaves; ++i) {
        const double a = i * 2 * kPi / leaves + rng.range(-0.3, 0.3);
        cairo_save(cr);
        cairo_translate(cr, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.5);
        cairo_rotate(cr, a);
        ellipse(cr, 0, 0, r * 0.6, r * 0.25);
        source(cr, scale(tone, rng.range(0.8, 1.15)));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    const double flower = rng.next();
    if (flower < 0.25) {
        for (int i = 0; i < 4; ++i)
            disc(cr, cx + rng.range(-r, r) * 0.5, cy + rng.range(-r, r) * 0.5, 1.4, {0.58, 0.48, 0.70});
    } else if (flower < 0.4) {
        for (int i = 0; i < 3; ++i)
            disc(cr, cx + rng.range(-r, r) * 0.5, cy + rng.range(-r, r) * 0.5, 1.6, {0.90, 0.86, 0.60});
    }
}

// A walled herb garden: beds of herbs between gravel paths.
void draw_garden(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t seed) {
    source(cr, {0.50, 0.48, 0.42});  // gravel
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr);
    Rng rng(seed);
    for (int i = 0; i < 900; ++i)
        disc(cr, rng.range(x0, x1), rng.range(y0, y1), 0.8, {0.62, 0.60, 0.54}, 0.6);
    const double bed_h = std::max(18.0, (y1 - y0 - 20) / 2);
    int n = 0;
    for (double by = y0 + 6; by + 14 < y1 - 4; by += bed_h + 8) {
        const double h = std::min(bed_h, y1 - 6 - by);
        for (double bx = x0 + 10; bx + 40 < x1; bx += 118) {
            const double w = std::min(104.0, x1 - 10 - bx);
            rounded(cr, bx, by, w, h, 4);
            source(cr, {0.33, 0.25, 0.17});
            cairo_fill_preserve(cr);
            source(cr, {0.42, 0.40, 0.34});
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            for (double hy = by + 7; hy < by + h - 4; hy += 12)
                for (double hx = bx + 8; hx < bx + w - 4; hx += 13)
                    herb(cr, hx + rng.range(-2, 2), hy + rng.range(-2, 2), 6.5, seed * 31 + ++n);
        }
    }
}

// The ornamental lake: a stone terrace, then still water with lily pads.
void draw_lake(cairo_t* cr, double x0, double y0, double x1, double y1, bool water_below,
               uint32_t seed) {
    const double shore = water_below ? y0 + 14 : y1 - 14;
    source(cr, {0.58, 0.56, 0.51});
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr);
    const double wy0 = water_below ? shore : y0, wy1 = water_below ? y1 : shore;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, shore, 0, water_below ? y1 : y0);
    stop(g, 0, scale(kWater, 1.15));
    stop(g, 1, scale(kWater, 0.80));
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x0, wy0, x1 - x0, wy1 - wy0);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Coping stones along the water's edge.
    for (double x = x0; x < x1; x += 22) {
        cairo_rectangle(cr, x + 1, water_below ? shore - 5 : shore, 20, 5);
        source(cr, scale({0.66, 0.64, 0.58}, 0.9 + 0.2 * noise(seed, static_cast<uint32_t>(x))));
        cairo_fill(cr);
    }
    Rng rng(seed);
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 40; ++i) {
        const double x = rng.range(x0, x1), y = rng.range(wy0 + 6, wy1 - 4);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, rng.range(4, 10), kPi * 1.15, kPi * 1.85);
        source(cr, {0.75, 0.85, 0.90}, 0.35);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 14; ++i) {
        const double x = rng.range(x0 + 10, x1 - 10), y = rng.range(wy0 + 8, wy1 - 6);
        const double r = rng.range(4, 7), a = rng.range(0, 2 * kPi);
        cairo_move_to(cr, x, y);
        cairo_arc(cr, x, y, r, a + 0.5, a + 2 * kPi);
        cairo_close_path(cr);
        source(cr, {0.30, 0.48, 0.28});
        cairo_fill(cr);
        if (i % 4 == 0) disc(cr, x + 1, y - 1, 1.8, {0.93, 0.82, 0.86});
    }
}

// The approach to the castle seen from above: cobbles, a worn path, tufts of grass.
void draw_courtyard(cairo_t* cr, double x0, double y0, double x1, double y1, uint32_t seed) {
    source(cr, {0.46, 0.47, 0.40});
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr);
    for (double y = y0; y < y1; y += 9)
        for (double x = x0 + (static_cast<int>((y - y0) / 9) % 2) * 5; x < x1; x += 10) {
            const double t = noise(seed, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            rounded(cr, x + 0.5, y + 0.5, 8.5, 7.5, 2.5);
            source(cr, scale({0.55, 0.54, 0.50}, 0.85 + 0.25 * t));
            cairo_fill(cr);
        }
    // The path to the entrance door runs north to south.
    const double px = x0 + (x1 - x0) * 0.45;
    cairo_rectangle(cr, px - 18, y0, 36, y1 - y0);
    source(cr, {0.55, 0.47, 0.36}, 0.75);
    cairo_fill(cr);
    Rng rng(seed + 7);
    for (int i = 0; i < 60; ++i) {
        const double x = rng.range(x0, x1), y = rng.range(y0, y1);
        if (std::abs(x - px) < 22) continue;
        herb(cr, x, y, 3.5, seed * 7 + static_cast<uint32_t>(i));
    }
}

enum class View { Garden, Lake, Courtyard };

void draw_view(cairo_t* cr, const Poly& shape, Side side, double along, View view, uint32_t seed) {
    const Wall w = wall_at(shape, side, along);
    double x0 = 0, y0 = 0, x1 = kW, y1 = kH;
    switch (side) {
    case Side::North: y1 = w.line - kWall; break;
    case Side::South: y0 = w.line + kWall; break;
    case Side::West: x1 = w.line - kWall; break;
    case Side::East: x0 = w.line + kWall; break;
    }
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr);
    switch (view) {
    case View::Garden: draw_garden(cr, x0, y0, x1, y1, seed); break;
    case View::Lake: draw_lake(cr, x0, y0, x1, y1, side == Side::South, seed); break;
    case View::Courtyard: draw_courtyard(cr, x0, y0, x1, y1, seed); break;
    }
    cairo_restore(cr);
}

// ---- Floors ----------------------------------------------------------------

enum class Floor { Flagstone, Planks, QuarryTiles, Chequer, RoughStone };

void draw_floor(cairo_t* cr, const Poly& shape, Floor floor, Rgb tone, uint32_t seed) {
    cairo_save(cr);
    add_path(cr, shape);
    cairo_clip(cr);
    source(cr, scale(tone, 0.7));
    cairo_paint(cr);
    switch (floor) {
    case Floor::Flagstone:
    case Floor::RoughStone: {
        const bool rough = floor == Floor::RoughStone;
        const double rh = rough ? 30 : 26;
        for (int row = 0; row * rh < kH; ++row) {
            double x = -20 * noise(seed, 77, row);
            for (int k = 0; x < kW; ++k) {
                const double w = (rough ? 24 : 30) + 20 * noise(seed, row, k);
                const double j = rough ? 3 : 0;
                const double jx = j * (noise(seed, row, k + 500) - 0.5);
                const double jy = j * (noise(seed, row, k + 900) - 0.5);
                const double y = row * rh;
                cairo_move_to(cr, x + 1.2 + jx, y + 1.2);
                cairo_line_to(cr, x + w - 1.2, y + 1.2 + jy);
                cairo_line_to(cr, x + w - 1.2 - jy, y + rh - 1.2);
                cairo_line_to(cr, x + 1.2, y + rh - 1.2 - jx);
                cairo_close_path(cr);
                source(cr, scale(tone, 0.86 + 0.2 * noise(seed, row + 300, k)));
                cairo_fill(cr);
                x += w;
            }
        }
        break;
    }
    case Floor::Planks:
        for (int row = 0; row * 12 < kHeight; ++row) {
            double x = -60 * noise(seed, 11, row);
            for (int k = 0; x < kW; ++k) {
                const double w = 70 + 80 * noise(seed, row, k);
                const double y = row * 12.0;
                cairo_rectangle(cr, x + 0.6, y + 0.6, w - 1.2, 10.8);
                source(cr, scale(tone, 0.88 + 0.18 * noise(seed, row + 40, k)));
                cairo_fill(cr);
                line(cr, x + 6, y + 4 + 3 * noise(seed, row, k + 9), x + w - 8, y + 5, scale(tone, 0.75),
                     0.6, 0.5);
                x += w;
            }
        }
        break;
    case Floor::QuarryTiles:
        for (int row = 0; row * 22 < kHeight; ++row)
            for (int k = 0; k * 22 < kWidth; ++k) {
                cairo_rectangle(cr, k * 22.0 + 1, row * 22.0 + 1, 20, 20);
                source(cr, scale(tone, 0.85 + 0.22 * noise(seed, row, k)));
                cairo_fill(cr);
            }
        break;
    case Floor::Chequer:
        for (int row = 0; row * 28 < kHeight; ++row)
            for (int k = 0; k * 28 < kWidth; ++k) {
                cairo_rectangle(cr, k * 28.0, row * 28.0, 28, 28);
                const double t = (row + k) % 2 == 0 ? 1.12 : 0.62;
                source(cr, scale(tone, t * (0.95 + 0.08 * noise(seed, row, k))));
                cairo_fill(cr);
            }
        break;
    }
    cairo_restore(cr);
}

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

void draw_passage(cairo_t* cr, const Plan& plan, const Gap& g) {
    cairo_save(cr);
    wall_frame(cr, plan.shape, g.side, g.along);
    const double w = g.kind == Opening::Hole ? g.width + 8 : g.width + 6;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, kWall, 0, kWall + 90);
    switch (g.beyond) {
    case Beyond::Dark:
        stop(p, 0, scale(plan.tone, 0.45));
        stop(p, 1, kMass);
        break;
    case Beyond::Lit:
        stop(p, 0, scale(plan.tone, 0.5));
        stop(p, 1, {0.55, 0.42, 0.22});
        break;
    case Beyond::Daylight:
        stop(p, 0, scale(plan.tone, 0.9));
        stop(p, 1, {1.0, 0.98, 0.88});
        break;
    }
    cairo_set_source(cr, p);
    cairo_rectangle(cr, -w / 2, kWall - 1, w, 700);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void draw_opening(cairo_t* cr, const Plan& plan, const Gap& g) {
    cairo_save(cr);
    wall_frame(cr, plan.shape, g.side, g.along);
    const double w = g.width;
    switch (g.kind) {
    case Opening::Door:
    case Opening::Arch:
        cairo_rectangle(cr, -w / 2, -1, w, kWall + 2);
        source(cr, scale(plan.tone, g.kind == Opening::Door ? 0.62 : 0.75));
        cairo_fill(cr);
        if (g.kind == Opening::Arch) {
            // Pilasters either side mark an archway without a door.
            for (double s : {-1.0, 1.0}) {
                cairo_rectangle(cr, s * w / 2 - 4, -5, 8, kWall + 10);
                source(cr, scale(kStone, 1.15));
                cairo_fill_preserve(cr);
                source(cr, kOutline);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
        } else {
            for (double s : {-1.0, 1.0}) line(cr, s * w / 2, -1, s * w / 2, kWall + 1, kOutline, 2);
        }
        break;
    case Opening::Hole: {
        // A rough break through the masonry.
        Rng rng(static_cast<uint32_t>(g.along * 13));
        cairo_move_to(cr, -w / 2, -1);
        for (int i = 1; i <= 4; ++i) cairo_line_to(cr, -w / 2 + rng.range(-3, 3), i * (kWall + 2) / 4);
        for (int i = 4; i >= 0; --i) cairo_line_to(cr, w / 2 + rng.range(-3, 3), i * (kWall + 2) / 4 - 1);
        cairo_close_path(cr);
        source(cr, g.beyond == Beyond::Lit ? Rgb{0.45, 0.36, 0.22} : Rgb{0.10, 0.09, 0.08});
        cairo_fill(cr);
        for (int i = 0; i < 9; ++i) {
            const double x = rng.range(-w, w), y = rng.range(-14, -2);
            const double s = rng.range(2, 4.5);
            cairo_rectangle(cr, x, y, s, s * 0.8);
            source(cr, scale(kStone, rng.range(0.8, 1.1)));
            cairo_fill(cr);
        }
        break;
    }
    case Opening::Window:
        cairo_rectangle(cr, -w / 2, -3, w, 3);  // sill
        source(cr, scale(kStone, 1.25));
        cairo_fill(cr);
        cairo_rectangle(cr, -w / 2, 0, w, kWall);
        source(cr, kGlass);
        cairo_fill(cr);
        for (double x = -w / 2; x <= w / 2 + 0.1; x += w / 4) line(cr, x, 0, x, kWall, kIron, 1.2);
        line(cr, -w / 2, kWall / 2, w / 2, kWall / 2, kIron, 1.2);
        break;
    }
    cairo_restore(cr);
}

// A door leaf opened into the room, with its swing drawn the way plans show it.
void draw_leaf(cairo_t* cr, const Plan& plan, const Gap& g) {
    cairo_save(cr);
    wall_frame(cr, plan.shape, g.side, g.along);
    const double w = g.width, open = 1.25;  // radians
    cairo_new_sub_path(cr);
    cairo_arc(cr, -w / 2, 0, w - 2, -open, 0);
    const double dash[] = {3, 3};
    cairo_set_dash(cr, dash, 2, 0);
    source(cr, kLinen, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_translate(cr, -w / 2, 0);
    cairo_rotate(cr, -open);
    cairo_rectangle(cr, 0, -2, w - 2, 4);
    source(cr, kWood);
    cairo_fill_preserve(cr);
    source(cr, kDarkWood);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Daylight falling in through a window or an open way out.
void draw_beam(cairo_t* cr, const Plan& plan, const Gap& g, double strength) {
    cairo_save(cr);
    add_path(cr, plan.shape);
    cairo_clip(cr);
    wall_frame(cr, plan.shape, g.side, g.along);
    const double w = g.width, depth = 120;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, -depth);
    stop(p, 0, kLight, strength);
    stop(p, 1, kLight, 0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, -w / 2, 0);
    cairo_line_to(cr, w / 2, 0);
    cairo_line_to(cr, w / 2 + depth * 0.35, -depth);
    cairo_line_to(cr, -w / 2 + depth * 0.15, -depth);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

// ---- A room seen from above ------------------------------------------------

void shade_walls(cairo_t* cr, const Poly& shape) {
    // Darkens the floor along the walls in thin nested bands.
    for (int k = 1; k <= 8; ++k) {
        cairo_push_group(cr);
        add_path(cr, shape);
        source(cr, kBlack);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        add_path(cr, offset(shape, -k * 1.8));
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.045);
    }
}

void draw_gloom(cairo_t* cr, const Poly& shape, double gloom) {
    if (gloom <= 0) return;
    double x0 = kW, y0 = kH, x1 = 0, y1 = 0;
    for (const Pt& p : shape) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double r = std::hypot(x1 - x0, y1 - y0) / 2 + kWall;
    cairo_save(cr);
    add_path(cr, offset(shape, kWall));
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r * 0.1, cx, cy, r);
    stop(p, 0, kBlack, gloom * 0.55);
    stop(p, 1, kBlack, std::min(0.95, gloom * 1.1));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void finish(cairo_t* cr) {
    cairo_pattern_t* v = cairo_pattern_create_radial(kW / 2, kH / 2, kH * 0.45, kW / 2, kH / 2, kW * 0.62);
    stop(v, 0, kBlack, 0);
    stop(v, 1, kBlack, 0.35);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
    cairo_rectangle(cr, 1.5, 1.5, kW - 3, kH - 3);
    source(cr, {0.08, 0.07, 0.07});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

using Furnish = std::function<void(cairo_t*)>;

struct ViewOut {
    Side side;
    double along;
    View view;
};

void draw_room(cairo_t* cr, const Plan& plan, const std::vector<ViewOut>& views, uint32_t seed,
               const Furnish& furnish) {
    draw_mass(cr, seed);
    for (const ViewOut& v : views) draw_view(cr, plan.shape, v.side, v.along, v.view, seed + 17);
    for (const Gap& g : plan.gaps)
        if (g.kind != Opening::Window) draw_passage(cr, plan, g);

    // Walls: a dark edge, the stone top, a dark inner edge, then the floor.
    add_path(cr, offset(plan.shape, kWall + 1.5));
    source(cr, kOutline);
    cairo_fill(cr);
    add_path(cr, offset(plan.shape, kWall));
    source(cr, kStone);
    cairo_fill(cr);
    cairo_save(cr);
    add_path(cr, offset(plan.shape, kWall));
    add_path(cr, plan.shape);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    Rng grit(seed + 3);
    for (int i = 0; i < 1400; ++i)
        disc(cr, grit.range(0, kW), grit.range(0, kH), grit.range(0.5, 1.4),
             grit.next() < 0.5 ? scale(kStone, 0.8) : scale(kStone, 1.15), 0.7);
    cairo_restore(cr);
    add_path(cr, offset(plan.shape, 1.5));
    source(cr, kOutline);
    cairo_fill(cr);
    draw_floor(cr, plan.shape, plan.floor, plan.tone, seed);
    shade_walls(cr, plan.shape);

    for (const Gap& g : plan.gaps) draw_opening(cr, plan, g);
    furnish(cr);
    for (const Gap& g : plan.gaps)
        if (g.kind == Opening::Door) draw_leaf(cr, plan, g);

    draw_gloom(cr, plan.shape, plan.gloom);
    for (const Gap& g : plan.gaps) {
        if (g.kind == Opening::Window) draw_beam(cr, plan, g, 0.16 + 0.25 * plan.gloom);
        if (g.beyond == Beyond::Daylight) draw_beam(cr, plan, g, 0.45);
        if (g.beyond == Beyond::Lit) draw_beam(cr, plan, g, 0.22);
    }
    finish(cr);
}

// ---- Furniture and the rooms' own things -----------------------------------

void table(cairo_t* cr, double x, double y, double w, double h, Rgb wood = kWood) {
    shadow_box(cr, x, y, w, h);
    rounded(cr, x, y, w, h, 3);
    source(cr, wood);
    cairo_fill(cr);
    const bool across = w >= h;
    for (double t = 7; t < (across ? h : w) - 3; t += 7) {
        if (across)
            line(cr, x + 2, y + t, x + w - 2, y + t, scale(wood, 0.75), 0.8);
        else
            line(cr, x + t, y + 2, x + t, y + h - 2, scale(wood, 0.75), 0.8);
    }
    rounded(cr, x, y, w, h, 3);
    source(cr, scale(wood, 0.6));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A chair facing `angle` (0 = facing east), its back behind the sitter.
void chair(cairo_t* cr, double x, double y, double angle, double size = 14, Rgb cushion = kWood) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    shadow_box(cr, -size / 2, -size / 2, size, size, 2);
    rounded(cr, -size / 2, -size / 2, size, size, 2);
    source(cr, kWood);
    cairo_fill(cr);
    rounded(cr, -size / 2 + 2, -size / 2 + 2, size - 4, size - 4, 2);
    source(cr, cushion);
    cairo_fill(cr);
    cairo_rectangle(cr, -size / 2 - 3, -size / 2, 4, size);
    source(cr, kDarkWood);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A bed drawn head up in its own frame; the caller turns and places it.
void bed(cairo_t* cr, double x, double y, double w, double h, Rgb blanket, bool four_poster) {
    shadow_box(cr, x, y, w, h);
    rounded(cr, x, y, w, h, 3);
    source(cr, kDarkWood);
    cairo_fill(cr);
    rounded(cr, x + 3, y + 6, w - 6, h - 9, 3);
    source(cr, kLinen);
    cairo_fill(cr);
    const int pillows = w > 70 ? 2 : 1;
    const double pw = (w - 10) / pillows;
    for (int i = 0; i < pillows; ++i) {
        rounded(cr, x + 5 + i * pw, y + 9, pw - 4, h * 0.14, 5);
        source(cr, {0.93, 0.91, 0.86});
        cairo_fill_preserve(cr);
        source(cr, {0.70, 0.68, 0.62});
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    const double by = y + h * 0.32;
    rounded(cr, x + 2, by, w - 4, y + h - 2 - by, 3);
    source(cr, blanket);
    cairo_fill(cr);
    rounded(cr, x + 2, by, w - 4, 8, 3);  // turned-down sheet
    source(cr, mix(kLinen, blanket, 0.2));
    cairo_fill(cr);
    for (double t = by + 18; t < y + h - 8; t += 14)
        line(cr, x + 6, t, x + w - 6, t + 3, scale(blanket, 0.8), 1, 0.6);
    if (four_poster) {
        for (double px : {x + 1, x + w - 1})
            for (double py : {y + 1, y + h - 1}) {
                disc(cr, px, py, 5, kDarkWood);
                disc(cr, px - 1, py - 1, 2.5, scale(kWood, 1.2));
            }
        // Canopy rails between the posts.
        cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
        source(cr, kDarkWood, 0.8);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

void coins(cairo_t* cr, double cx, double cy, double spread, int count, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const double a = rng.range(0, 2 * kPi), r = spread * std::sqrt(rng.next());
        const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r * 0.8;
        disc(cr, x, y, 2.6, scale(kGold, 0.7));
        disc(cr, x - 0.5, y - 0.5, 2.1, scale(kGold, rng.range(0.95, 1.15)));
    }
}

void chest(cairo_t* cr, double x, double y, double w, double h, bool open, uint32_t seed) {
    if (open) {
        // The lid stands up behind the chest.
        cairo_rectangle(cr, x, y - 7, w, 7);
        source(cr, kDarkWood);
        cairo_fill(cr);
    }
    shadow_box(cr, x, y, w, h, 2);
    cairo_rectangle(cr, x, y, w, h);
    source(cr, kWood);
    cairo_fill(cr);
    if (open) {
        cairo_rectangle(cr, x + 3, y + 3, w - 6, h - 6);
        source(cr, scale(kGold, 0.55));
        cairo_fill(cr);
        cairo_save(cr);
        cairo_rectangle(cr, x + 3, y + 3, w - 6, h - 6);
        cairo_clip(cr);
        coins(cr, x + w / 2, y + h / 2, std::max(w, h) * 0.5, static_cast<int>(w * h / 14), seed);
        cairo_restore(cr);
    } else {
        for (double t : {x + w * 0.25, x + w * 0.75}) line(cr, t, y, t, y + h, kIron, 3);
        cairo_rectangle(cr, x + w / 2 - 3, y + h - 6, 6, 6);
        source(cr, kGold);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, x, y, w, h);
    source(cr, kIron);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void sack(cairo_t* cr, double cx, double cy, double r, uint32_t seed) {
    shadow_disc(cr, cx, cy, r);
    Rng rng(seed);
    cairo_move_to(cr, cx + r, cy);
    for (int i = 1; i <= 12; ++i) {
        const double a = i * 2 * kPi / 12, rr = r * rng.range(0.88, 1.05);
        cairo_line_to(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    source(cr, {0.72, 0.64, 0.48});
    cairo_fill_preserve(cr);
    source(cr, {0.45, 0.38, 0.26});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    disc(cr, cx, cy, r * 0.28, {0.55, 0.47, 0.33});  // tied neck
    disc(cr, cx, cy, r * 0.12, {0.90, 0.89, 0.86});  // flour showing
    for (int i = 0; i < 6; ++i)
        disc(cr, cx + rng.range(-r, r), cy + r + rng.range(0, 5), 1.2, {0.93, 0.92, 0.88}, 0.8);
}

void barrel(cairo_t* cr, double cx, double cy, double r) {
    shadow_disc(cr, cx, cy, r);
    disc(cr, cx, cy, r, kDarkWood);
    disc(cr, cx, cy, r - 2.5, kWood);
    cairo_arc(cr, cx, cy, r - 1.2, 0, 2 * kPi);
    source(cr, kIron);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (double t = -r + 5; t < r - 3; t += 5) {
        const double half = std::sqrt(std::max(0.0, (r - 3) * (r - 3) - t * t));
        line(cr, cx + t, cy - half, cx + t, cy + half, scale(kWood, 0.7), 0.8);
    }
}

enum class Produce { Cabbage, Carrot, Potato, Onion };

void crate(cairo_t* cr, double x, double y, double s, Produce what, uint32_t seed) {
    shadow_box(cr, x, y, s, s, 1);
    cairo_rectangle(cr, x, y, s, s);
    source(cr, {0.55, 0.42, 0.27});
    cairo_fill(cr);
    cairo_rectangle(cr, x + 3, y + 3, s - 6, s - 6);
    source(cr, {0.30, 0.22, 0.14});
    cairo_fill(cr);
    Rng rng(seed);
    cairo_save(cr);
    cairo_rectangle(cr, x + 3, y + 3, s - 6, s - 6);
    cairo_clip(cr);
    const int n = what == Produce::Cabbage ? 4 : 9;
    for (int i = 0; i < n; ++i) {
        const double px = x + rng.range(6, s - 6), py = y + rng.range(6, s - 6);
        switch (what) {
        case Produce::Cabbage:
            disc(cr, px, py, s * 0.2, {0.42, 0.60, 0.32});
            disc(cr, px, py, s * 0.11, {0.62, 0.76, 0.48});
            break;
        case Produce::Carrot: {
            cairo_save(cr);
            cairo_translate(cr, px, py);
            cairo_rotate(cr, rng.range(0, kPi));
            cairo_move_to(cr, -7, -2);
            cairo_line_to(cr, 7, 0);
            cairo_line_to(cr, -7, 2);
            cairo_close_path(cr);
            source(cr, {0.86, 0.47, 0.16});
            cairo_fill(cr);
            line(cr, -7, 0, -10, 0, kLeaf, 2);
            cairo_restore(cr);
            break;
        }
        case Produce::Potato: ellipse(cr, px, py, 4.5, 3.5); source(cr, {0.66, 0.52, 0.32}); cairo_fill(cr); break;
        case Produce::Onion:
            disc(cr, px, py, 3.8, {0.78, 0.60, 0.38});
            disc(cr, px - 1, py - 1, 1.5, {0.88, 0.75, 0.55});
            break;
        }
    }
    cairo_restore(cr);
}

// A shelf against a wall, in that wall's frame: x along the wall, the room at y < 0.
void shelf(cairo_t* cr, double from, double to, double depth, uint32_t seed, bool jars) {
    cairo_rectangle(cr, from, -depth, to - from, depth);
    source(cr, kDarkWood);
    cairo_fill(cr);
    cairo_rectangle(cr, from + 1, -depth + 1, to - from - 2, depth - 2);
    source(cr, kWood);
    cairo_fill(cr);
    if (!jars) return;
    static constexpr std::array<Rgb, 6> spices{{{0.70, 0.25, 0.15},
                                                {0.85, 0.65, 0.15},
                                                {0.45, 0.28, 0.15},
                                                {0.40, 0.52, 0.25},
                                                {0.80, 0.78, 0.70},
                                                {0.55, 0.20, 0.35}}};
    int i = 0;
    for (double x = from + 5; x < to - 4; x += 8, ++i) {
        disc(cr, x, -depth / 2, 3.2, {0.80, 0.84, 0.82});
        disc(cr, x, -depth / 2, 2.4, spices[hash32(seed + static_cast<uint32_t>(i)) % spices.size()]);
    }
}

void rat(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    ellipse(cr, 2, 2, 11, 6);  // shadow
    source(cr, kBlack, 0.25);
    cairo_fill(cr);
    cairo_move_to(cr, -9, 0);
    cairo_curve_to(cr, -18, -1, -20, 9, -30, 6);
    source(cr, {0.62, 0.50, 0.48});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    ellipse(cr, 0, 0, 10, 5.5);
    source(cr, {0.36, 0.33, 0.31});
    cairo_fill(cr);
    ellipse(cr, 10, 0, 5, 3.5);
    cairo_fill(cr);
    for (double s : {-1.0, 1.0}) disc(cr, 8, s * 4, 2.2, {0.60, 0.46, 0.46});
    disc(cr, 15, 0, 1.2, {0.75, 0.55, 0.55});
    for (double s : {-1.0, 1.0}) disc(cr, 11.5, s * 1.8, 0.8, kBlack);
    cairo_restore(cr);
}

// A moth flying under the ceiling: its shadow falls far below it.
void moth(cairo_t* cr, double x, double y) {
    for (int pass = 0; pass < 2; ++pass) {
        cairo_save(cr);
        if (pass == 0) cairo_translate(cr, x + 26, y + 34);
        else cairo_translate(cr, x, y);
        const Rgb wing = pass == 0 ? kBlack : Rgb{0.72, 0.66, 0.55};
        const double alpha = pass == 0 ? 0.22 : 1.0;
        for (double s : {-1.0, 1.0}) {
            cairo_move_to(cr, 0, -2);
            cairo_curve_to(cr, s * 8, -12, s * 20, -8, s * 17, 2);
            cairo_curve_to(cr, s * 15, 7, s * 6, 6, 0, 2);
            cairo_close_path(cr);
            source(cr, wing, alpha);
            cairo_fill(cr);
            if (pass == 1) {
                disc(cr, s * 11, -3, 2.2, {0.45, 0.38, 0.30});
                cairo_move_to(cr, 0, 2);
                cairo_curve_to(cr, s * 5, 9, s * 11, 12, s * 9, 15);
                cairo_curve_to(cr, s * 5, 13, s * 2, 9, 0, 5);
                cairo_close_path(cr);
                source(cr, {0.62, 0.56, 0.46});
                cairo_fill(cr);
            }
        }
        ellipse(cr, 0, 2, 2, 6);
        source(cr, pass == 0 ? kBlack : Rgb{0.40, 0.34, 0.27}, alpha);
        cairo_fill(cr);
        if (pass == 1)
            for (double s : {-1.0, 1.0}) line(cr, 0, -3, s * 5, -10, {0.35, 0.30, 0.24}, 0.8);
        cairo_restore(cr);
    }
    glow(cr, x, y, 30, kLight, 0.10);
}

// Cobweb in a room corner; (sx, sy) point from the corner into the room.
void cobweb(cairo_t* cr, double x, double y, double sx, double sy, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    source(cr, {0.82, 0.82, 0.80}, 0.45);
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i <= 5; ++i) {
        const double a = i * kPi / 10;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, std::cos(a) * size, std::sin(a) * size);
    }
    for (double r = size * 0.25; r < size; r += size * 0.22) {
        cairo_move_to(cr, r, 0);
        for (int i = 1; i <= 5; ++i) {
            const double a = i * kPi / 10, rr = r * (i % 2 ? 0.9 : 1.0);
            cairo_line_to(cr, std::cos(a) * rr, std::sin(a) * rr);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void rubble(cairo_t* cr, double cx, double cy, double spread, int count, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const double x = cx + rng.range(-spread, spread), y = cy + rng.range(-spread, spread) * 0.7;
        const double s = rng.range(2.5, 7);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.range(0, kPi));
        cairo_rectangle(cr, -s / 2 + 1.5, -s / 2 + 1.5, s, s * 0.8);
        source(cr, kBlack, 0.3);
        cairo_fill(cr);
        cairo_rectangle(cr, -s / 2, -s / 2, s, s * 0.8);
        source(cr, scale(kStone, rng.range(0.75, 1.1)));
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

void crack(cairo_t* cr, double x, double y, double length, double angle, uint32_t seed) {
    Rng rng(seed);
    cairo_move_to(cr, x, y);
    double a = angle;
    for (double t = 0; t < length; t += 8) {
        a += rng.range(-0.6, 0.6);
        x += std::cos(a) * 8;
        y += std::sin(a) * 8;
        cairo_line_to(cr, x, y);
    }
    source(cr, {0.08, 0.07, 0.06}, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void puddle(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed) {
    Rng rng(seed);
    cairo_move_to(cr, cx + rx, cy);
    for (int i = 1; i <= 16; ++i) {
        const double a = i * 2 * kPi / 16, k = rng.range(0.8, 1.1);
        cairo_line_to(cr, cx + std::cos(a) * rx * k, cy + std::sin(a) * ry * k);
    }
    cairo_close_path(cr);
    source(cr, {0.22, 0.28, 0.30}, 0.75);
    cairo_fill(cr);
    ellipse(cr, cx - rx * 0.3, cy - ry * 0.3, rx * 0.3, ry * 0.15);
    source(cr, {0.70, 0.78, 0.80}, 0.25);
    cairo_fill(cr);
}

void mould(cairo_t* cr, double cx, double cy, double r, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < 14; ++i)
        disc(cr, cx + rng.range(-r, r), cy + rng.range(-r, r) * 0.7, rng.range(r * 0.15, r * 0.4),
             {0.30, 0.36, 0.22}, 0.35);
}

enum class Stairs { Up, Down, UpAndDown };

// The round stairwell seen from above: wedge steps about a central post,
// lighter where they climb towards the floor above, darker where they sink.
void stairwell(cairo_t* cr, double cx, double cy, double r, double entry, Stairs kind) {
    shadow_disc(cr, cx, cy, r + 6);
    disc(cr, cx, cy, r + 6, scale(kStone, 0.9));
    disc(cr, cx, cy, r, {0.05, 0.05, 0.05});
    const int steps = 16;
    const double step = 2 * kPi / (steps + 2);
    for (int i = 0; i < steps; ++i) {
        double a, shade;
        if (kind == Stairs::UpAndDown) {
            // Up one way round from the landing, down the other.
            const int half = steps / 2;
            const bool up = i < half;
            const int k = up ? i : i - half;
            a = up ? entry + (k + 1) * step : entry - (k + 1) * step;
            shade = up ? 0.75 + 0.05 * k : 0.62 - 0.07 * k;
        } else {
            a = entry + (i + 1) * step;
            shade = kind == Stairs::Up ? 0.60 + 0.045 * i : 0.70 - 0.042 * i;
        }
        cairo_move_to(cr, cx + std::cos(a) * r * 0.18, cy + std::sin(a) * r * 0.18);
        cairo_arc(cr, cx, cy, r - 1, a - step / 2, a + step / 2);
        cairo_close_path(cr);
        source(cr, scale(kFlag, std::max(0.08, shade)));
        cairo_fill_preserve(cr);
        source(cr, kOutline, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // The landing where the stairs meet this floor.
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, r - 1, entry - step / 2, entry + step / 2);
    cairo_close_path(cr);
    source(cr, kFlag);
    cairo_fill(cr);
    disc(cr, cx, cy, r * 0.18, scale(kStone, 0.8));
    disc(cr, cx - 1, cy - 1, r * 0.12, scale(kStone, 1.1));
    // Handrail round the well.
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r + 2, 0, 2 * kPi);
    source(cr, kDarkWood);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void tapestry(cairo_t* cr, const Poly& shape, Side side, double along, double width, Rgb colour,
              uint32_t seed) {
    cairo_save(cr);
    wall_frame(cr, shape, side, along);
    const Rgb faded = mix(colour, {0.60, 0.56, 0.50}, 0.45);
    cairo_rectangle(cr, -width / 2, -7, width, 7);
    source(cr, faded);
    cairo_fill(cr);
    for (double x = -width / 2 + 4; x < width / 2 - 4; x += 9) {
        cairo_move_to(cr, x, -3.5);
        cairo_line_to(cr, x + 4.5, -6);
        cairo_line_to(cr, x + 9, -3.5);
        cairo_line_to(cr, x + 4.5, -1);
        cairo_close_path(cr);
        source(cr, mix(faded, kGold, 0.35 + 0.2 * noise(seed, static_cast<uint32_t>(x + 100))));
        cairo_fill(cr);
    }
    for (double x = -width / 2; x <= width / 2; x += 2.5) line(cr, x, -7, x, -10, scale(faded, 0.8), 0.8);
    cairo_restore(cr);
}

// Hearth set into a wall, in the wall's frame.
void hearth(cairo_t* cr, double width, double depth, bool cauldron) {
    cairo_rectangle(cr, -width / 2 - 8, -depth - 6, width + 16, depth + 6);
    source(cr, scale(kStone, 1.12));
    cairo_fill(cr);
    cairo_rectangle(cr, -width / 2, -depth, width, depth + kWall * 0.6);
    source(cr, {0.10, 0.08, 0.07});
    cairo_fill(cr);
    glow(cr, 0, -depth * 0.4, width * 0.45, {0.95, 0.45, 0.12}, 0.55);
    for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, (i - 1) * width * 0.15, -depth * 0.45);
        cairo_rotate(cr, (i - 1) * 0.5);
        cairo_rectangle(cr, -width * 0.22, -2.5, width * 0.44, 5);
        source(cr, {0.30, 0.18, 0.10});
        cairo_fill(cr);
        cairo_restore(cr);
    }
    if (cauldron) {
        disc(cr, 0, -depth * 0.45, width * 0.22, {0.12, 0.12, 0.13});
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, -depth * 0.45, width * 0.22, 0, 2 * kPi);
        source(cr, {0.35, 0.35, 0.37});
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        disc(cr, 0, -depth * 0.45, width * 0.16, {0.35, 0.40, 0.22});
    }
}

// A wall rack of muskets, in the wall's frame; `gaps` marks empty places.
void musket_rack(cairo_t* cr, double from, double to, uint32_t gaps) {
    cairo_rectangle(cr, from, -8, to - from, 4);
    source(cr, kDarkWood);
    cairo_fill(cr);
    int i = 0;
    for (double x = from + 6; x < to - 4; x += 10, ++i) {
        if (gaps & (1u << (i % 32))) continue;
        // Barrel leaning up to the wall, stock on the floor.
        line(cr, x, -2, x + 3, -40, {0.30, 0.31, 0.33}, 1.6);
        cairo_save(cr);
        cairo_translate(cr, x + 3, -40);
        cairo_rotate(cr, 0.08);
        rounded(cr, -2.5, -12, 5, 12, 2);
        source(cr, kWood);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    for (double x = from + 2; x < to; x += 20) disc(cr, x, -6, 1.5, kIron);
}

void cannon(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    shadow_box(cr, -22, -11, 44, 22, 2);
    // Carriage and wheels.
    cairo_rectangle(cr, -22, -10, 30, 20);
    source(cr, kDarkWood);
    cairo_fill(cr);
    for (double s : {-1.0, 1.0}) {
        cairo_rectangle(cr, -10, s * 12 - 3, 16, 6);
        source(cr, kWood);
        cairo_fill(cr);
    }
    // Barrel pointing along +x.
    cairo_move_to(cr, -26, -6);
    cairo_line_to(cr, 28, -4);
    cairo_line_to(cr, 28, 4);
    cairo_line_to(cr, -26, 6);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -6, 0, 6);
    stop(p, 0, {0.18, 0.18, 0.20});
    stop(p, 0.4, {0.42, 0.42, 0.45});
    stop(p, 1, {0.15, 0.15, 0.16});
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    disc(cr, -28, 0, 3.5, {0.20, 0.20, 0.22});
    disc(cr, 28, 0, 2.5, kBlack);
    cairo_restore(cr);
}

void cannonballs(cairo_t* cr, double cx, double cy) {
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3 - row; ++k)
            for (int j = 0; j < 3 - row; ++j) {
                const double x = cx + (k - (2 - row) / 2.0) * 9, y = cy + (j - (2 - row) / 2.0) * 9;
                disc(cr, x + 1.5, y + 1.5, 4.5, kBlack, 0.3);
                disc(cr, x, y, 4.5, scale({0.22, 0.22, 0.24}, 1 + 0.25 * row));
                disc(cr, x - 1.3, y - 1.3, 1.4, {0.55, 0.55, 0.58});
            }
}

void rug(cairo_t* cr, double x, double y, double w, double h, Rgb colour) {
    rounded(cr, x, y, w, h, 2);
    source(cr, colour);
    cairo_fill(cr);
    rounded(cr, x + 5, y + 5, w - 10, h - 10, 2);
    source(cr, mix(colour, kGold, 0.45));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    ellipse(cr, x + w / 2, y + h / 2, w * 0.22, h * 0.22);
    source(cr, mix(colour, kGold, 0.3));
    cairo_fill(cr);
}

void stool(cairo_t* cr, double x, double y, double r = 7) {
    shadow_disc(cr, x, y, r);
    disc(cr, x, y, r, kWood);
    disc(cr, x - 1, y - 1, r * 0.6, scale(kWood, 1.15));
}

void straw(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed) {
    Rng rng(seed);
    for (int i = 0; i < 160; ++i) {
        const double a = rng.range(0, 2 * kPi), r = std::sqrt(rng.next());
        const double x = cx + std::cos(a) * rx * r, y = cy + std::sin(a) * ry * r;
        const double d = rng.range(0, kPi);
        line(cr, x, y, x + std::cos(d) * 6, y + std::sin(d) * 6, mix({0.62, 0.54, 0.30}, {0.80, 0.72, 0.42}, rng.next()),
             1, 0.85);
    }
}

// Chain and shackle hanging on a wall, in the wall's frame.
void shackle(cairo_t* cr) {
    for (int i = 0; i < 4; ++i) {
        ellipse(cr, 0, -2 - i * 5.0, 1.8, 3);
        source(cr, {0.45, 0.45, 0.47});
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, -25, 4.5, 0, 2 * kPi);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void bones(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    line(cr, -8, 0, 8, 0, {0.82, 0.80, 0.72}, 2.5);
    for (double s : {-1.0, 1.0})
        for (double t : {-1.0, 1.0}) disc(cr, s * 8, t * 1.6, 1.8, {0.85, 0.83, 0.75});
    cairo_restore(cr);
    disc(cr, x + 12, y + 6, 4.5, {0.82, 0.80, 0.72});  // skull
    disc(cr, x + 11, y + 6, 1.1, {0.20, 0.18, 0.15});
    disc(cr, x + 14, y + 6, 1.1, {0.20, 0.18, 0.15});
}

void lantern(cairo_t* cr, double x, double y) {
    glow(cr, x, y, 70, {1.0, 0.80, 0.45}, 0.35);
    disc(cr, x, y, 4.5, kIron);
    disc(cr, x, y, 2.8, {1.0, 0.85, 0.5});
}

void wardrobe(cairo_t* cr, double x, double y, double w, double h) {
    shadow_box(cr, x, y, w, h, 1);
    cairo_rectangle(cr, x, y, w, h);
    source(cr, kDarkWood);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 2, y + 2, w - 4, h - 4);
    source(cr, scale(kWood, 0.9));
    cairo_fill(cr);
    if (w > h) line(cr, x + w / 2, y + 2, x + w / 2, y + h - 2, kDarkWood, 1.2);
    else line(cr, x + 2, y + h / 2, x + w - 2, y + h / 2, kDarkWood, 1.2);
}

// ---- The rooms -------------------------------------------------------------

void room_hallway(cairo_t* cr) {
    Plan plan{box(40, 110, 600, 300), Floor::Flagstone, scale(kFlag, 0.9),
              {{Side::South, 320, 50, Opening::Door},
               {Side::North, 150, 52, Opening::Window},
               {Side::North, 320, 52, Opening::Window},
               {Side::North, 490, 52, Opening::Window}},
              0.62};
    draw_room(cr, plan, {{Side::North, 320, View::Garden}}, 1, [](cairo_t* c) {
        // Years of neglect: cracked flags, fallen masonry, webs in the corners.
        crack(c, 90, 200, 90, 0.2, 11);
        crack(c, 400, 160, 120, 0.6, 12);
        crack(c, 520, 280, 60, -1.9, 13);
        rubble(c, 95, 270, 22, 14, 14);
        rubble(c, 560, 140, 16, 9, 15);
        rubble(c, 250, 285, 10, 5, 16);
        cobweb(c, 40, 110, 1, 1, 46);
        cobweb(c, 600, 110, -1, 1, 38);
        cobweb(c, 40, 300, 1, -1, 32);
        cobweb(c, 600, 300, -1, -1, 44);
        mould(c, 210, 240, 22, 17);
        mould(c, 470, 260, 16, 18);
        puddle(c, 380, 250, 22, 10, 19);
        // An old bench, one leg gone, tipped against the wall.
        cairo_save(c);
        cairo_translate(c, 470, 190);
        cairo_rotate(c, 0.35);
        table(c, -35, -7, 70, 14, scale(kDarkWood, 0.9));
        cairo_restore(c);
    });
}

void room_audience(cairo_t* cr) {
    const Poly shape = box(150, 50, 560, 350);
    Plan plan{shape, Floor::Flagstone, kFlag,
              {{Side::North, 355, 48, Opening::Door},
               {Side::East, 200, 48, Opening::Door},
               {Side::South, 355, 48, Opening::Door},
               {Side::West, 200, 64, Opening::Window}},
              0.22};
    draw_room(cr, plan, {{Side::West, 200, View::Courtyard}}, 2, [&shape](cairo_t* c) {
        // Carpet from door to door, then the faded hangings on every wall.
        cairo_rectangle(c, 325, 50, 60, 300);
        source(c, mix(kCloth, {0.55, 0.50, 0.45}, 0.35));
        cairo_fill(c);
        for (double y : {56.0, 344.0}) line(c, 329, y, 381, y, kGold, 2, 0.6);
        line(c, 331, 50, 331, 350, kGold, 1.5, 0.5);
        line(c, 379, 50, 379, 350, kGold, 1.5, 0.5);
        tapestry(c, shape, Side::North, 230, 110, {0.50, 0.20, 0.20}, 1);
        tapestry(c, shape, Side::North, 480, 110, {0.20, 0.30, 0.50}, 2);
        tapestry(c, shape, Side::East, 100, 70, {0.25, 0.42, 0.25}, 3);
        tapestry(c, shape, Side::East, 295, 90, {0.50, 0.20, 0.20}, 4);
        tapestry(c, shape, Side::South, 230, 110, {0.45, 0.35, 0.15}, 5);
        tapestry(c, shape, Side::South, 480, 110, {0.20, 0.30, 0.50}, 6);
        tapestry(c, shape, Side::West, 100, 70, {0.45, 0.35, 0.15}, 7);
        tapestry(c, shape, Side::West, 300, 80, {0.25, 0.42, 0.25}, 8);
        // Benches for those waiting to be heard.
        table(c, 195, 120, 18, 150, kDarkWood);
        table(c, 500, 230, 18, 90, kDarkWood);
    });
}

void room_great_hall(cairo_t* cr) {
    const Poly shape{{330, 40}, {590, 40}, {590, 360}, {50, 360}, {50, 230}, {330, 230}};
    Plan plan{shape, Floor::Flagstone, scale(kFlag, 1.02),
              {{Side::North, 460, 50, Opening::Door},
               {Side::East, 150, 50, Opening::Door},
               {Side::West, 295, 50, Opening::Door}},
              0.25};
    draw_room(cr, plan, {}, 3, [&shape](cairo_t* c) {
        // Warped, faded wooden panelling round every wall.
        for (const Wall& w : walls_of(shape)) {
            cairo_save(c);
            wall_frame(c, w.side, w.line, 0);
            for (double x = w.from; x < w.to; x += 15) {
                const double warp = 2.5 * std::sin(x * 0.13 + static_cast<double>(w.side));
                cairo_move_to(c, x, 0);
                cairo_line_to(c, x + 15, 0);
                cairo_line_to(c, x + 15, -7 - warp);
                cairo_line_to(c, x, -7 + warp);
                cairo_close_path(c);
                source(c, scale({0.58, 0.46, 0.34}, 0.85 + 0.2 * noise(3, static_cast<uint32_t>(x))));
                cairo_fill_preserve(c);
                source(c, {0.35, 0.26, 0.18});
                cairo_set_line_width(c, 0.8);
                cairo_stroke(c);
            }
            cairo_restore(c);
        }
        // Hearth on the south wall, long table down the hall.
        cairo_save(c);
        wall_frame(c, shape, Side::South, 460);
        hearth(c, 70, 22, false);
        cairo_restore(c);
        table(c, 420, 70, 80, 190);
        for (double y = 85; y < 250; y += 26) {
            chair(c, 408, y, 0);
            chair(c, 512, y, kPi);
        }
        chair(c, 460, 272, -kPi / 2, 18, kCloth);
        rug(c, 90, 260, 150, 70, {0.35, 0.30, 0.45});
    });
}

void room_meeting(cairo_t* cr) {
    Plan plan{box(170, 70, 470, 330), Floor::Planks, {0.50, 0.38, 0.26},
              {{Side::South, 320, 50, Opening::Door}}, 0.35};
    draw_room(cr, plan, {}, 4, [](cairo_t* c) {
        table(c, 250, 140, 140, 100, kDarkWood);
        for (double x : {275.0, 320.0, 365.0}) {
            chair(c, x, 128, kPi / 2);
            chair(c, x, 252, -kPi / 2);
        }
        chair(c, 410, 190, kPi, 14);
        // The monarch's seat, larger and cushioned in red.
        chair(c, 228, 190, 0, 22, kCloth);
        // Papers left on the table, gone yellow.
        for (int i = 0; i < 4; ++i) {
            cairo_save(c);
            cairo_translate(c, 290 + i * 22, 180 + (i % 2) * 16);
            cairo_rotate(c, 0.2 * i - 0.3);
            cairo_rectangle(c, -7, -9, 14, 18);
            source(c, {0.82, 0.76, 0.58});
            cairo_fill(c);
            cairo_restore(c);
        }
        // Musty: mildew and dust.
        mould(c, 190, 90, 20, 41);
        mould(c, 450, 305, 24, 42);
        mould(c, 445, 95, 12, 43);
        cobweb(c, 170, 70, 1, 1, 34);
        cobweb(c, 470, 330, -1, -1, 28);
        wardrobe(c, 176, 250, 24, 60);
    });
}

void room_inner_hallway(cairo_t* cr) {
    Plan plan{box(60, 50, 580, 290), Floor::Flagstone, kFlag,
              {{Side::North, 200, 50, Opening::Door},
               {Side::West, 170, 50, Opening::Door},
               {Side::South, 130, 50, Opening::Window},
               {Side::South, 260, 50, Opening::Window},
               {Side::South, 390, 50, Opening::Window}},
              0.2};
    draw_room(cr, plan, {{Side::South, 300, View::Lake}}, 5, [](cairo_t* c) {
        stairwell(c, 490, 160, 72, kPi, Stairs::UpAndDown);
        rug(c, 150, 120, 140, 70, {0.40, 0.25, 0.22});
    });
}

void room_castle_entrance(cairo_t* cr) {
    // Overcast sky with low clouds.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 300);
    stop(sky, 0, {0.28, 0.30, 0.34});
    stop(sky, 1, {0.58, 0.58, 0.57});
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    Rng rng(6);
    for (int i = 0; i < 14; ++i) {
        ellipse(cr, rng.range(0, kW), rng.range(10, 120), rng.range(40, 110), rng.range(10, 22));
        source(cr, {0.20, 0.21, 0.24}, 0.35);
        cairo_fill(cr);
    }
    // Ground and the muddy track to the door.
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 300, 0, 400);
    stop(ground, 0, {0.26, 0.30, 0.20});
    stop(ground, 1, {0.17, 0.20, 0.13});
    cairo_set_source(cr, ground);
    cairo_rectangle(cr, 0, 296, kW, 104);
    cairo_fill(cr);
    cairo_move_to(cr, 296, 300);
    cairo_line_to(cr, 344, 300);
    cairo_line_to(cr, 470, 400);
    cairo_line_to(cr, 170, 400);
    cairo_close_path(cr);
    source(cr, {0.36, 0.30, 0.23});
    cairo_fill(cr);
    for (int i = 0; i < 50; ++i) {
        const double t = rng.next(), y = 302 + t * 96;
        const double half = 24 + t * 126;
        ellipse(cr, 320 + rng.range(-half, half) * 0.9, y, 2 + t * 5, 1 + t * 2.5);
        source(cr, {0.48, 0.46, 0.42});
        cairo_fill(cr);
    }

    // The castle front: two round towers, a curtain wall and a gatehouse.
    auto masonry = [&](double x0, double y0, double x1, double y1, double tone) {
        cairo_save(cr);
        cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
        cairo_clip(cr);
        source(cr, scale({0.40, 0.39, 0.37}, tone));
        cairo_paint(cr);
        for (int row = 0; y0 + row * 12 < y1; ++row) {
            const double y = y0 + row * 12;
            line(cr, x0, y, x1, y, kOutline, 1, 0.5);
            for (double x = x0 + (row % 2) * 13 + 3 * noise(6, static_cast<uint32_t>(row)); x < x1; x += 26)
                line(cr, x, y, x, y + 12, kOutline, 1, 0.5);
        }
        cairo_restore(cr);
    };
    auto battlements = [&](double x0, double x1, double y, double tone) {
        for (double x = x0; x < x1 - 4; x += 20) {
            cairo_rectangle(cr, x, y - 12, 12, 12);
            source(cr, scale({0.40, 0.39, 0.37}, tone));
            cairo_fill_preserve(cr);
            source(cr, kOutline, 0.6);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    };
    masonry(120, 140, 520, 300, 0.85);
    battlements(120, 520, 140, 0.85);
    masonry(240, 95, 400, 300, 0.95);
    battlements(240, 400, 95, 0.95);
    for (double tx : {55.0, 495.0}) {
        masonry(tx, 70, tx + 90, 300, 1.0);
        // Round the tower off with light on the left, shade on the right.
        cairo_pattern_t* p = cairo_pattern_create_linear(tx, 0, tx + 90, 0);
        stop(p, 0, kBlack, 0.45);
        stop(p, 0.35, kBlack, 0.0);
        stop(p, 1, kBlack, 0.6);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, tx, 70, 90, 230);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        battlements(tx - 4, tx + 94, 70, 1.0);
        for (double wy : {110.0, 180.0}) {
            rounded(cr, tx + 41, wy, 8, 24, 3);
            source(cr, {0.05, 0.05, 0.06});
            cairo_fill(cr);
        }
    }
    for (double wx : {170.0, 455.0}) {
        rounded(cr, wx, 180, 7, 22, 3);
        source(cr, {0.05, 0.05, 0.06});
        cairo_fill(cr);
    }
    for (double wx : {285.0, 349.0}) {
        rounded(cr, wx, 120, 7, 22, 3);
        source(cr, {0.05, 0.05, 0.06});
        cairo_fill(cr);
    }

    // The huge wooden door under a stone arch, one leaf standing slightly open.
    auto arch = [&](double x0, double x1, double top, double bottom) {
        const double r = (x1 - x0) / 2;
        cairo_move_to(cr, x0, bottom);
        cairo_line_to(cr, x0, top + r);
        cairo_arc(cr, x0 + r, top + r, r, kPi, 2 * kPi);
        cairo_line_to(cr, x1, bottom);
        cairo_close_path(cr);
    };
    arch(268, 372, 170, 300);
    source(cr, scale(kStone, 0.9));
    cairo_fill(cr);
    arch(278, 362, 180, 300);
    source(cr, {0.03, 0.03, 0.03});
    cairo_fill(cr);
    cairo_save(cr);
    arch(278, 362, 180, 300);
    cairo_clip(cr);
    for (int leaf = 0; leaf < 2; ++leaf) {
        // The left leaf is shut; the right one is swung in, narrower and in shadow.
        const double x0 = leaf == 0 ? 278 : 330, x1 = leaf == 0 ? 319 : 356;
        cairo_rectangle(cr, x0, 170, x1 - x0, 130);
        source(cr, leaf == 0 ? kWood : scale(kWood, 0.6));
        cairo_fill(cr);
        for (double x = x0 + 6; x < x1; x += 7) line(cr, x, 170, x, 300, kDarkWood, 1);
        for (double y : {205.0, 260.0}) {
            line(cr, x0, y, x1, y, kIron, 4);
            for (double x = x0 + 4; x < x1; x += 9) disc(cr, x, y, 1.3, {0.5, 0.5, 0.5});
        }
    }
    cairo_restore(cr);
    disc(cr, 312, 240, 3.5, kIron);  // ring handle
    // Steps up to the door.
    for (int s = 0; s < 3; ++s) {
        cairo_rectangle(cr, 262 - s * 8, 300 + s * 5, 116 + s * 16, 5);
        source(cr, scale(kStone, 0.95 - s * 0.08));
        cairo_fill(cr);
    }
    // A dead tree and crows.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    std::function<void(double, double, double, double, int)> branch = [&](double x, double y, double a,
                                                                          double len, int depth) {
        const double x1 = x + std::cos(a) * len, y1 = y + std::sin(a) * len;
        line(cr, x, y, x1, y1, {0.12, 0.10, 0.09}, depth * 1.6 + 0.6);
        if (depth == 0) return;
        branch(x1, y1, a - 0.45, len * 0.72, depth - 1);
        branch(x1, y1, a + 0.38, len * 0.68, depth - 1);
    };
    branch(40, 390, -kPi / 2 + 0.08, 70, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int i = 0; i < 5; ++i) {
        const double x = 380 + i * 37 + rng.range(-10, 10), y = 40 + rng.range(0, 40);
        cairo_move_to(cr, x - 7, y - 3);
        cairo_curve_to(cr, x - 3, y - 5, x - 1, y - 2, x, y);
        cairo_curve_to(cr, x + 1, y - 2, x + 3, y - 5, x + 7, y - 3);
        source(cr, {0.08, 0.08, 0.09});
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    finish(cr);
}

void room_kitchen(cairo_t* cr) {
    const Poly shape = box(60, 110, 580, 350);
    Plan plan{shape, Floor::QuarryTiles, {0.58, 0.38, 0.28},
              {{Side::South, 480, 50, Opening::Door},
               {Side::North, 200, 50, Opening::Window},
               {Side::North, 400, 50, Opening::Window}},
              0.25};
    draw_room(cr, plan, {{Side::North, 300, View::Garden}}, 7, [&shape](cairo_t* c) {
        cairo_save(c);
        wall_frame(c, shape, Side::West, 230);
        hearth(c, 80, 30, true);
        cairo_restore(c);
        cairo_save(c);
        wall_frame(c, shape, Side::East, 230);
        shelf(c, -90, 90, 14, 7, false);
        for (double x = -80; x < 85; x += 20) {  // pots and pans
            disc(c, x, -7, 6, {0.45, 0.30, 0.20});
            disc(c, x, -7, 4, {0.25, 0.16, 0.10});
        }
        cairo_restore(c);
        // The kitchen table, with food on it.
        table(c, 230, 180, 170, 80);
        for (int i = 0; i < 3; ++i) {
            ellipse(c, 260 + i * 24.0, 205, 10, 6);
            source(c, {0.75, 0.55, 0.28});
            cairo_fill(c);
            line(c, 254 + i * 24.0, 203, 266 + i * 24.0, 203, {0.55, 0.38, 0.18}, 1);
        }
        cairo_move_to(c, 345, 200);
        cairo_line_to(c, 375, 205);
        cairo_line_to(c, 350, 222);
        cairo_close_path(c);
        source(c, {0.92, 0.80, 0.40});
        cairo_fill(c);
        for (int i = 0; i < 5; ++i) disc(c, 270 + i * 11.0, 240, 4.5, i % 2 ? Rgb{0.70, 0.18, 0.15} : Rgb{0.55, 0.65, 0.25});
        ellipse(c, 350, 242, 14, 9);
        source(c, {0.70, 0.40, 0.35});
        cairo_fill(c);
        for (double x : {250.0, 315.0, 380.0}) {
            stool(c, x, 170);
            stool(c, x, 272);
        }
        barrel(c, 545, 320, 16);
        sack(c, 100, 325, 14, 71);
        rat(c, 440, 300, -0.6);
    });
}

void room_store(cairo_t* cr) {
    const Poly shape = box(130, 40, 510, 360);
    Plan plan{shape, Floor::Flagstone, scale(kFlag, 0.92),
              {{Side::North, 320, 50, Opening::Door}, {Side::South, 320, 50, Opening::Door}}, 0.35};
    draw_room(cr, plan, {}, 8, [&shape](cairo_t* c) {
        // Flour along the west wall.
        int n = 0;
        for (double y = 70; y < 340; y += 30)
            for (double x : {155.0, 183.0})
                if (noise(8, static_cast<uint32_t>(y), static_cast<uint32_t>(x)) < 0.8) sack(c, x, y, 13, ++n);
        sack(c, 212, 320, 13, 99);
        // Vegetables in crates along the east wall.
        const std::array<Produce, 4> kinds{Produce::Cabbage, Produce::Carrot, Produce::Potato, Produce::Onion};
        for (int i = 0; i < 8; ++i)
            crate(c, i % 2 ? 442 : 472, 70 + (i / 2) * 52.0, 34, kinds[i % 4], 80 + static_cast<uint32_t>(i));
        // Spices on shelves against the north and south walls.
        for (Side s : {Side::North, Side::South}) {
            cairo_save(c);
            wall_frame(c, s, wall_at(shape, s, 320).line, 0);
            shelf(c, 225, 290, 12, 8 + static_cast<uint32_t>(s), true);
            shelf(c, 352, 420, 12, 9 + static_cast<uint32_t>(s), true);
            cairo_restore(c);
        }
        barrel(c, 380, 300, 15);
        barrel(c, 405, 330, 12);
        barrel(c, 250, 130, 14);
    });
}

void room_lift(cairo_t* cr) {
    Plan plan{box(190, 60, 450, 330), Floor::Flagstone, scale(kFlag, 0.9),
              {{Side::South, 320, 50, Opening::Door}}, 0.3};
    draw_room(cr, plan, {}, 9, [](cairo_t* c) {
        // The shaft going down, and the cage hanging in it.
        cairo_rectangle(c, 240, 90, 160, 150);
        source(c, {0.04, 0.04, 0.04});
        cairo_fill(c);
        cairo_rectangle(c, 240, 90, 160, 150);
        source(c, {0.55, 0.48, 0.20});
        cairo_set_line_width(c, 3);
        cairo_stroke(c);
        cairo_rectangle(c, 254, 102, 132, 126);
        source(c, scale(kDarkWood, 0.9));
        cairo_fill(c);
        for (double x = 254; x <= 386.1; x += 11) line(c, x, 102, x, 228, kIron, 2);
        for (double y = 102; y <= 228.1; y += 21) line(c, 254, y, 386, y, kIron, 2);
        // The cage's open gate faces south.
        cairo_rectangle(c, 298, 224, 44, 8);
        source(c, scale(kDarkWood, 0.9));
        cairo_fill(c);
        // Hoist rope and pulley overhead.
        disc(c, 320, 165, 16, {0.30, 0.30, 0.32});
        disc(c, 320, 165, 11, {0.15, 0.15, 0.16});
        disc(c, 320, 165, 4, {0.55, 0.48, 0.20});
        line(c, 304, 165, 304, 102, {0.70, 0.62, 0.40}, 2.5);
        line(c, 336, 165, 336, 102, {0.70, 0.62, 0.40}, 2.5);
        // Winding lever by the shaft.
        disc(c, 420, 200, 9, kIron);
        line(c, 420, 200, 438, 180, kWood, 4);
        disc(c, 438, 180, 3.5, kDarkWood);
    });
}

void room_rear_vestibule(cairo_t* cr) {
    const Poly shape = box(60, 60, 560, 290);
    Plan plan{shape, Floor::Chequer, {0.66, 0.64, 0.60},
              {{Side::North, 200, 56, Opening::Arch},
               {Side::East, 175, 60, Opening::Arch, Beyond::Daylight},
               {Side::South, 150, 50, Opening::Window},
               {Side::South, 300, 50, Opening::Window},
               {Side::South, 450, 50, Opening::Window}},
              0.2};
    draw_room(cr, plan, {{Side::South, 300, View::Lake}}, 10, [&shape](cairo_t* c) {
        // Cloak pegs on the west wall, a bench and potted shrubs.
        cairo_save(c);
        wall_frame(c, shape, Side::West, 175);
        for (double x = -90; x <= 90; x += 30) {
            disc(c, x, -3, 2.5, kIron);
            if (static_cast<int>(x) % 60 == 0) {
                ellipse(c, x, -9, 10, 6);
                source(c, x < 0 ? Rgb{0.30, 0.28, 0.40} : Rgb{0.40, 0.30, 0.22});
                cairo_fill(c);
            }
        }
        cairo_restore(c);
        table(c, 300, 72, 130, 20, kDarkWood);
        for (double y : {100.0, 250.0}) {
            disc(c, 480, y, 14, {0.50, 0.32, 0.22});
            herb(c, 480, y, 14, 100 + static_cast<uint32_t>(y));
        }
        rug(c, 250, 150, 230, 50, {0.25, 0.32, 0.40});
    });
}

void room_exit(cairo_t* cr) {
    // Daylight beyond the gate: sky, sun, hills, a path away from the castle.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 250);
    stop(sky, 0, {0.40, 0.62, 0.88});
    stop(sky, 1, {0.86, 0.92, 0.96});
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    const double sx = 405, sy = 115;
    glow(cr, sx, sy, 140, {1.0, 0.98, 0.80}, 0.8);
    for (int i = 0; i < 16; ++i) {
        const double a = i * 2 * kPi / 16;
        cairo_move_to(cr, sx + std::cos(a - 0.05) * 34, sy + std::sin(a - 0.05) * 34);
        cairo_line_to(cr, sx + std::cos(a) * (i % 2 ? 60 : 80), sy + std::sin(a) * (i % 2 ? 60 : 80));
        cairo_line_to(cr, sx + std::cos(a + 0.05) * 34, sy + std::sin(a + 0.05) * 34);
        cairo_close_path(cr);
        source(cr, {1.0, 0.92, 0.55}, 0.55);
        cairo_fill(cr);
    }
    disc(cr, sx, sy, 28, {1.0, 0.90, 0.45});
    disc(cr, sx, sy, 22, {1.0, 0.97, 0.75});
    auto hills = [&](double base, double amp, double freq, double phase, Rgb colour) {
        cairo_move_to(cr, 0, kH);
        for (double x = 0; x <= kW; x += 8) cairo_line_to(cr, x, base - amp * std::sin(x * freq + phase));
        cairo_line_to(cr, kW, kH);
        cairo_close_path(cr);
        source(cr, colour);
        cairo_fill(cr);
    };
    hills(245, 14, 0.012, 1.0, {0.56, 0.68, 0.62});
    hills(270, 18, 0.018, 2.5, {0.46, 0.66, 0.34});
    hills(305, 12, 0.025, 0.3, {0.40, 0.62, 0.28});
    cairo_move_to(cr, 318, 262);
    cairo_curve_to(cr, 300, 300, 360, 330, 300, 400);
    cairo_line_to(cr, 400, 400);
    cairo_curve_to(cr, 420, 340, 338, 300, 326, 262);
    cairo_close_path(cr);
    source(cr, {0.80, 0.72, 0.52});
    cairo_fill(cr);
    Rng rng(11);
    for (int i = 0; i < 9; ++i) {
        const double x = rng.range(170, 480), y = rng.range(262, 300);
        if (std::abs(x - 325) < 35) continue;
        const double r = 6 + (y - 255) * 0.25;
        line(cr, x, y, x, y + r * 1.2, {0.35, 0.25, 0.15}, r * 0.3);
        disc(cr, x, y, r, {0.25, 0.48, 0.22});
        disc(cr, x - r * 0.3, y - r * 0.3, r * 0.5, {0.38, 0.60, 0.30});
    }
    for (int i = 0; i < 80; ++i) {
        static constexpr std::array<Rgb, 3> petals{{{0.95, 0.90, 0.40}, {0.95, 0.95, 0.92}, {0.85, 0.45, 0.55}}};
        disc(cr, rng.range(160, 480), rng.range(310, 400), 1.6, petals[static_cast<size_t>(i) % petals.size()]);
    }
    for (int i = 0; i < 3; ++i) {
        const double x = 230 + i * 40.0, y = 70 + i * 12.0;
        cairo_move_to(cr, x - 6, y - 2);
        cairo_curve_to(cr, x - 3, y - 4, x - 1, y - 1, x, y);
        cairo_curve_to(cr, x + 1, y - 1, x + 3, y - 4, x + 6, y - 2);
        source(cr, {0.25, 0.25, 0.30});
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }

    // The inside of the gatehouse around the open arch.
    const double ax0 = 170, ax1 = 470, top = 40;
    const double r = (ax1 - ax0) / 2, acx = (ax0 + ax1) / 2, acy = top + r;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kW, kH);
    cairo_move_to(cr, ax0, kH);
    cairo_line_to(cr, ax0, acy);
    cairo_arc(cr, acx, acy, r, kPi, 2 * kPi);
    cairo_line_to(cr, ax1, kH);
    cairo_close_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    source(cr, scale(kStone, 0.55));
    cairo_paint(cr);
    for (int row = 0; row * 20 < kHeight; ++row) {
        const double y = row * 20.0;
        line(cr, 0, y, kW, y, kOutline, 1.2, 0.8);
        for (double x = (row % 2) * 22.0; x < kW; x += 44) line(cr, x, y, x, y + 20, kOutline, 1.2, 0.8);
    }
    // Voussoirs round the arch.
    for (int i = 0; i <= 12; ++i) {
        const double a = kPi + i * kPi / 12;
        line(cr, acx + std::cos(a) * r, acy + std::sin(a) * r, acx + std::cos(a) * (r + 24),
             acy + std::sin(a) * (r + 24), kOutline, 1.5);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, acx, acy, r + 24, kPi, 2 * kPi);
    source(cr, kOutline);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Daylight on the gatehouse stones near the opening.
    cairo_pattern_t* lit = cairo_pattern_create_radial(acx, 300, 60, acx, 300, 360);
    stop(lit, 0, kLight, 0.35);
    stop(lit, 1, kLight, 0.0);
    cairo_set_source(cr, lit);
    cairo_paint(cr);
    cairo_pattern_destroy(lit);
    cairo_restore(cr);
    // The two gate leaves swung wide open against the walls.
    for (double s : {-1.0, 1.0}) {
        const double edge = s < 0 ? ax0 : ax1;
        const double far = edge + s * -42;
        cairo_move_to(cr, edge, 112);
        cairo_line_to(cr, far, 150);
        cairo_line_to(cr, far, 390);
        cairo_line_to(cr, edge, 400);
        cairo_close_path(cr);
        source(cr, scale(kWood, 0.85));
        cairo_fill(cr);
        for (double t = 0.2; t < 1; t += 0.2) {
            const double x = edge + (far - edge) * t;
            line(cr, x, 112 + 38 * t, x, 400 - 10 * t, kDarkWood, 1);
        }
        for (double t : {0.3, 0.75}) {
            cairo_move_to(cr, edge, 112 + (400 - 112) * t);
            cairo_line_to(cr, far, 150 + (390 - 150) * t);
            source(cr, kIron);
            cairo_set_line_width(cr, 5);
            cairo_stroke(cr);
        }
    }
    // Light spilling over the threshold.
    cairo_pattern_t* spill = cairo_pattern_create_linear(0, 360, 0, 400);
    stop(spill, 0, kLight, 0.0);
    stop(spill, 1, kLight, 0.5);
    cairo_set_source(cr, spill);
    cairo_rectangle(cr, 212, 360, 216, 40);
    cairo_fill(cr);
    cairo_pattern_destroy(spill);
    finish(cr);
}

void room_dungeon(cairo_t* cr) {
    const Poly shape = box(150, 70, 520, 340);
    Plan plan{shape, Floor::RoughStone, {0.40, 0.39, 0.36},
              {{Side::West, 210, 16, Opening::Hole, Beyond::Lit}}, 0.85};
    draw_room(cr, plan, {}, 12, [&shape](cairo_t* c) {
        for (const auto& [side, at] : std::array<std::pair<Side, double>, 5>{
                 {{Side::North, 260}, {Side::North, 420}, {Side::East, 150}, {Side::East, 260}, {Side::South, 330}}}) {
            cairo_save(c);
            wall_frame(c, shape, side, at);
            shackle(c);
            cairo_restore(c);
        }
        straw(c, 440, 280, 55, 35, 121);
        puddle(c, 300, 150, 30, 14, 122);
        puddle(c, 250, 290, 18, 9, 123);
        puddle(c, 380, 220, 12, 7, 124);
        bones(c, 330, 300, 0.4);
        mould(c, 170, 95, 24, 125);
        mould(c, 500, 110, 26, 126);
        disc(c, 470, 110, 10, {0.30, 0.24, 0.17});  // the bucket
        disc(c, 470, 110, 7, {0.15, 0.14, 0.12});
    });
}

void room_guardroom(cairo_t* cr) {
    const Poly shape = box(90, 60, 490, 340);
    Plan plan{shape, Floor::RoughStone, {0.46, 0.45, 0.41},
              {{Side::East, 210, 16, Opening::Hole}}, 0.55};
    draw_room(cr, plan, {}, 13, [&shape](cairo_t* c) {
        // The stairwell from above ends here.
        stairwell(c, 180, 150, 62, kPi / 2, Stairs::Up);
        table(c, 300, 200, 90, 55, kDarkWood);
        stool(c, 345, 270);
        stool(c, 285, 190);
        // A ring of keys and a tankard on the table.
        cairo_new_sub_path(c);
        cairo_arc(c, 325, 225, 6, 0, 2 * kPi);
        source(c, {0.60, 0.55, 0.35});
        cairo_set_line_width(c, 1.5);
        cairo_stroke(c);
        for (int i = 0; i < 3; ++i) line(c, 329 + i * 2.0, 229, 333 + i * 3.0, 238, {0.60, 0.55, 0.35}, 1.5);
        disc(c, 365, 215, 6, {0.45, 0.45, 0.47});
        disc(c, 365, 215, 4, {0.30, 0.22, 0.12});
        lantern(c, 375, 240);
        cairo_save(c);
        wall_frame(c, shape, Side::South, 200);
        musket_rack(c, -50, 50, 0x2au);
        cairo_restore(c);
        // Damp everywhere.
        puddle(c, 150, 290, 26, 12, 131);
        puddle(c, 430, 110, 20, 10, 132);
        puddle(c, 250, 320, 14, 6, 133);
        mould(c, 110, 320, 22, 134);
        mould(c, 470, 80, 22, 135);
        mould(c, 470, 320, 16, 136);
    });
}

void room_master(cairo_t* cr) {
    const Poly shape = box(140, 96, 570, 344);
    Plan plan{shape, Floor::Planks, {0.52, 0.40, 0.28},
              {{Side::East, 230, 50, Opening::Door},
               {Side::South, 420, 50, Opening::Door},
               {Side::North, 450, 60, Opening::Window},
               {Side::West, 250, 60, Opening::Window}},
              0.2};
    draw_room(cr, plan, {{Side::North, 450, View::Garden}, {Side::West, 250, View::Courtyard}}, 14,
              [](cairo_t* c) {
                  rug(c, 200, 170, 210, 140, {0.42, 0.20, 0.22});
                  bed(c, 240, 98, 130, 160, {0.50, 0.16, 0.18}, true);
                  chest(c, 275, 268, 60, 26, false, 141);
                  wardrobe(c, 500, 300, 60, 34);
                  wardrobe(c, 150, 104, 60, 28);
                  // Bedside tables with candles.
                  for (double x : {220.0, 390.0}) {
                      table(c, x - 12, 104, 24, 24);
                      disc(c, x, 116, 3, {0.95, 0.92, 0.80});
                      glow(c, x, 116, 22, kLight, 0.25);
                  }
                  chair(c, 500, 150, kPi / 2, 18, {0.35, 0.25, 0.40});
              });
}

void room_upper_hallway(cairo_t* cr) {
    const Poly shape{{40, 50}, {200, 50}, {200, 170}, {600, 170}, {600, 310}, {40, 310}};
    Plan plan{shape, Floor::Flagstone, scale(kFlag, 1.05),
              {{Side::North, 120, 50, Opening::Door},
               {Side::South, 160, 50, Opening::Window},
               {Side::South, 300, 50, Opening::Window},
               {Side::South, 420, 50, Opening::Window}},
              0.2};
    draw_room(cr, plan, {{Side::South, 300, View::Lake}}, 15, [](cairo_t* c) {
        stairwell(c, 530, 240, 56, kPi, Stairs::Down);
        // A runner down the hallway's length, and the moth under the ceiling.
        cairo_rectangle(c, 95, 80, 50, 170);
        cairo_rectangle(c, 95, 215, 330, 50);
        source(c, {0.32, 0.36, 0.30});
        cairo_fill(c);
        moth(c, 300, 205);
    });
}

void room_treasury(cairo_t* cr) {
    Plan plan{box(120, 60, 520, 340), Floor::Flagstone, scale(kFlag, 0.95),
              {{Side::North, 320, 50, Opening::Arch}, {Side::East, 200, 50, Opening::Arch}}, 0.4};
    draw_room(cr, plan, {}, 16, [](cairo_t* c) {
        chest(c, 140, 90, 60, 36, true, 161);
        chest(c, 140, 150, 60, 36, false, 162);
        chest(c, 140, 290, 60, 36, true, 163);
        chest(c, 250, 290, 60, 36, false, 164);
        chest(c, 380, 290, 60, 36, true, 165);
        chest(c, 440, 80, 56, 34, false, 166);
        coins(c, 300, 200, 40, 90, 167);
        coins(c, 420, 210, 20, 30, 168);
        coins(c, 230, 120, 14, 16, 169);
        // A goblet and a crown among the coins.
        disc(c, 330, 190, 7, scale(kGold, 0.8));
        disc(c, 330, 190, 4.5, {0.45, 0.12, 0.15});
        cairo_new_sub_path(c);
        cairo_arc(c, 275, 210, 10, 0, 2 * kPi);
        source(c, kGold);
        cairo_set_line_width(c, 3);
        cairo_stroke(c);
        for (int i = 0; i < 6; ++i) disc(c, 275 + std::cos(i * kPi / 3) * 10, 210 + std::sin(i * kPi / 3) * 10, 2,
                                         i % 2 ? Rgb{0.70, 0.10, 0.15} : Rgb{0.20, 0.40, 0.70});
        glow(c, 300, 200, 90, kGold, 0.12);
    });
}

void room_chambermaids(cairo_t* cr) {
    const Poly shape = box(120, 70, 530, 330);
    Plan plan{shape, Floor::Planks, {0.56, 0.44, 0.32},
              {{Side::West, 200, 50, Opening::Arch},
               {Side::South, 320, 50, Opening::Door},
               {Side::North, 250, 46, Opening::Door}},
              0.22};
    draw_room(cr, plan, {}, 17, [&shape](cairo_t* c) {
        bed(c, 400, 80, 70, 130, {0.72, 0.55, 0.60}, false);
        rug(c, 330, 220, 90, 60, {0.55, 0.40, 0.45});
        // Dressing table with the perfume bottle; the scent hangs in the air.
        cairo_save(c);
        wall_frame(c, shape, Side::East, 280);
        cairo_rectangle(c, -40, -22, 80, 22);
        source(c, kWood);
        cairo_fill(c);
        cairo_restore(c);
        disc(c, 515, 265, 4, {0.85, 0.60, 0.75});
        disc(c, 515, 265, 2, {0.95, 0.85, 0.90});
        disc(c, 512, 295, 5, {0.90, 0.88, 0.84});
        glow(c, 500, 270, 150, {0.95, 0.65, 0.80}, 0.18);
        stool(c, 480, 280);
        // Washstand and a linen chest.
        table(c, 140, 90, 40, 30);
        disc(c, 160, 105, 10, {0.88, 0.88, 0.86});
        disc(c, 160, 105, 7, {0.62, 0.72, 0.78});
        chest(c, 180, 280, 60, 28, false, 171);
    });
}

void room_dressing(cairo_t* cr) {
    const Poly shape = box(230, 130, 410, 290);
    Plan plan{shape, Floor::Planks, {0.58, 0.46, 0.34},
              {{Side::North, 320, 50, Opening::Window}, {Side::South, 320, 44, Opening::Door}}, 0.15};
    draw_room(cr, plan, {{Side::North, 320, View::Garden}}, 18, [&shape](cairo_t* c) {
        // Mirror and dressing table on the east wall, clothes rail on the west.
        cairo_save(c);
        wall_frame(c, shape, Side::East, 200);
        cairo_rectangle(c, -30, -4, 60, 4);
        source(c, {0.80, 0.88, 0.92});
        cairo_fill(c);
        cairo_rectangle(c, -34, -24, 68, 20);
        source(c, kWood);
        cairo_fill(c);
        cairo_restore(c);
        disc(c, 395, 190, 3, {0.80, 0.55, 0.70});
        disc(c, 392, 210, 4, {0.90, 0.90, 0.85});
        stool(c, 370, 200);
        line(c, 244, 150, 244, 265, kIron, 2);
        static constexpr std::array<Rgb, 5> robes{
            {{0.45, 0.20, 0.30}, {0.25, 0.30, 0.45}, {0.70, 0.65, 0.55}, {0.30, 0.40, 0.30}, {0.55, 0.25, 0.20}}};
        for (size_t i = 0; i < robes.size(); ++i) {
            ellipse(c, 248, 160 + static_cast<double>(i) * 22, 8, 10);
            source(c, robes[i]);
            cairo_fill(c);
        }
        rug(c, 290, 225, 60, 40, {0.40, 0.30, 0.42});
    });
}

void room_armory(cairo_t* cr) {
    const Poly shape = box(100, 60, 560, 340);
    Plan plan{shape, Floor::Flagstone, scale(kFlag, 0.9),
              {{Side::North, 320, 50, Opening::Door}, {Side::West, 200, 50, Opening::Door}}, 0.3};
    draw_room(cr, plan, {}, 19, [&shape](cairo_t* c) {
        for (const auto& [side, from, to, gaps] : std::array<std::tuple<Side, double, double, uint32_t>, 4>{
                 {{Side::North, 120, 280, 0x1b4u},
                  {Side::North, 360, 540, 0x0e3u},
                  {Side::East, 80, 320, 0x3c71u},
                  {Side::South, 140, 400, 0x0f0f0u}}}) {
            cairo_save(c);
            wall_frame(c, side, wall_at(shape, side, (from + to) / 2).line, 0);
            musket_rack(c, from, to, gaps);
            cairo_restore(c);
        }
        cannon(c, 260, 200, 0.3);
        cannon(c, 400, 215, -0.2);
        cannonballs(c, 180, 290);
        barrel(c, 500, 290, 14);
        barrel(c, 470, 305, 12);
    });
}

struct Picture {
    const char* file;
    void (*draw)(cairo_t*);
};

constexpr std::array<Picture, 19> kPictures{{
    {"room_1.bmp", room_hallway},
    {"room_2.bmp", room_audience},
    {"room_3.bmp", room_great_hall},
    {"room_4.bmp", room_meeting},
    {"room_5.bmp", room_inner_hallway},
    {"room_6.bmp", room_castle_entrance},
    {"room_7.bmp", room_kitchen},
    {"room_8.bmp", room_store},
    {"room_9.bmp", room_lift},
    {"room_10.bmp", room_rear_vestibule},
    {"endimg.bmp", room_exit},
    {"room_12.bmp", room_dungeon},
    {"room_13.bmp", room_guardroom},
    {"room_14.bmp", room_master},
    {"room_15.bmp", room_upper_hallway},
    {"room_16.bmp", room_treasury},
    {"room_17.bmp", room_chambermaids},
    {"room_18.bmp", room_dressing},
    {"room_19.bmp", room_armory},
}};

// GdkPixbuf picks the BMP depth from the pixbuf; the game reads 24-bit only.
bool is_24bit_bmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[30] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return in && header[0] == 'B' && header[1] == 'M' && header[28] == 24 && header[29] == 0;
}

bool save_picture(const Picture& pic, const std::string& dir) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    pic.draw(cr);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    GdkPixbuf* pixbuf = drawn ? gdk_pixbuf_get_from_surface(surface, 0, 0, kWidth, kHeight) : nullptr;
    cairo_surface_destroy(surface);
    if (!pixbuf || gdk_pixbuf_get_has_alpha(pixbuf)) {
        std::fprintf(stderr, "make_pictures: could not draw %s\n", pic.file);
        if (pixbuf) g_object_unref(pixbuf);
        return false;
    }
    const std::string path = dir + "/" + pic.file;
    GError* error = nullptr;
    const bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "bmp", &error, nullptr);
    g_object_unref(pixbuf);
    if (!saved) {
        std::fprintf(stderr, "make_pictures: %s: %s\n", path.c_str(), error ? error->message : "not saved");
        if (error) g_error_free(error);
        return false;
    }
    if (!is_24bit_bmp(path)) {
        std::fprintf(stderr, "make_pictures: %s is not a 24-bit BMP\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (g_mkdir_with_parents(dir.c_str(), 0755) != 0) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", dir.c_str());
        return 1;
    }
    for (const Picture& pic : kPictures)
        if (!save_picture(pic, dir)) return 1;
    return 0;
}
