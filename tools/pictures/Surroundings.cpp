// A room seen from above and the castle, gardens and water round it.

#include "Surroundings.h"

#include <algorithm>
#include <cmath>

namespace pictures {

// ---- Surroundings ----------------------------------------------------------

namespace {

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

}  // namespace

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

namespace {

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

}  // namespace

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

}  // namespace pictures
