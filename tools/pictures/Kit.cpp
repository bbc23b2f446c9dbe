// The drawing kit's colours, noise and wall geometry.

#include "Kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pictures {

// ---- Colours ---------------------------------------------------------------

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double f) {
    return {std::clamp(c.r * f, 0.0, 1.0), std::clamp(c.g * f, 0.0, 1.0),
            std::clamp(c.b * f, 0.0, 1.0)};
}

void source(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void stop(cairo_pattern_t* p, double at, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, alpha);
}

// ---- Fixed-seed noise ------------------------------------------------------

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

double noise(uint32_t a, uint32_t b, uint32_t c) {
    return hash32(a ^ hash32(b ^ hash32(c + 0x9e3779b9u))) / 4294967296.0;
}

// ---- Geometry --------------------------------------------------------------

Poly box(double x0, double y0, double x1, double y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

void add_path(cairo_t* cr, const Poly& p) {
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x, p[i].y);
    cairo_close_path(cr);
}

namespace {

Pt outward(Pt a, Pt b) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    return {(b.y - a.y) / len, -(b.x - a.x) / len};
}

}  // namespace

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

void shadow_box(cairo_t* cr, double x, double y, double w, double h, double r) {
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

void disc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    source(cr, c, alpha);
    cairo_fill(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double width,
          double alpha) {
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

}  // namespace pictures
