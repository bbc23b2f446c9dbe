// One drawing per room, then the table from room numbers to drawings.

#include "Rooms.h"

#include "Surroundings.h"
#include "Things.h"

#include <array>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

namespace pictures {

namespace {

// Room 1: The Hallway.
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

// Room 2: Audience Chamber.
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

// Room 3: The Great Hall.
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

// Room 4: Meeting Room.
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

// Room 5: Inner Hallway.
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

// Room 6: Castle Entrance.
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

// Room 7: Kitchen.
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

// Room 8: Store Room.
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

// Room 9: The Lift.
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

// Room 10: Rear Vestibule.
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

// Room 11: The Exit.
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

// Room 12: Dungeon.
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

// Room 13: Prison Guardroom.
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

// Room 14: Master Chamber.
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

// Room 15: Upper Hallway.
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

// Room 16: Treasury.
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

// Room 17: Chambermaid Chamber.
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

// Room 18: Dressing Chamber.
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

// Room 19: Armory.
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

}  // namespace

// The files carry the names the game loads; the exit's, room 11, is endimg.bmp.
constexpr std::array<Picture, 19> kPictures{{
    {1, "room_1.bmp", room_hallway},
    {2, "room_2.bmp", room_audience},
    {3, "room_3.bmp", room_great_hall},
    {4, "room_4.bmp", room_meeting},
    {5, "room_5.bmp", room_inner_hallway},
    {6, "room_6.bmp", room_castle_entrance},
    {7, "room_7.bmp", room_kitchen},
    {8, "room_8.bmp", room_store},
    {9, "room_9.bmp", room_lift},
    {10, "room_10.bmp", room_rear_vestibule},
    {11, "endimg.bmp", room_exit},
    {12, "room_12.bmp", room_dungeon},
    {13, "room_13.bmp", room_guardroom},
    {14, "room_14.bmp", room_master},
    {15, "room_15.bmp", room_upper_hallway},
    {16, "room_16.bmp", room_treasury},
    {17, "room_17.bmp", room_chambermaids},
    {18, "room_18.bmp", room_dressing},
    {19, "room_19.bmp", room_armory},
}};

// Kept in order, so room N is always kPictures[N - 1].
static_assert([] {
    for (size_t i = 0; i < kPictures.size(); ++i)
        if (kPictures[i].room != static_cast<int>(i) + 1) return false;
    return true;
}());

}  // namespace pictures
