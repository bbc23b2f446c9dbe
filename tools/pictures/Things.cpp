// Furniture and the rooms' own things.

#include "Things.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pictures {

void table(cairo_t* cr, double x, double y, double w, double h, Rgb wood) {
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

void chair(cairo_t* cr, double x, double y, double angle, double size, Rgb cushion) {
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

void stool(cairo_t* cr, double x, double y, double r) {
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

}  // namespace pictures
