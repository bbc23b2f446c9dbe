// make_readme SOURCE.txt OUTPUT.pdf [VERSION]
//
// Typesets the player's guide into an A4 PDF with Pango, in Noto Sans.
//
// The source is plain text, one block per paragraph, blocks separated by
// blank lines. A block's first line may start with
//   "# "  the title          "% "  a line under the title
//   "## " a heading          "- "  a list item (each "- " line starts a new one)
//   "! window drawing"       a drawing of the game's window, on a line of its own
// Text may carry Pango markup (<b>, <i>, &amp; ...). "@VERSION@" becomes
// VERSION. Dates in the PDF are fixed so that every build gives the same file.

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A4 in PostScript points.
constexpr double kPageW = 595.276;
constexpr double kPageH = 841.890;
constexpr double kMarginX = 64;
constexpr double kTop = 66;
constexpr double kBottom = kPageH - 72;
constexpr double kTextW = kPageW - 2 * kMarginX;
constexpr double kIndent = 18;  // list items
constexpr const char* kFamily = "Noto Sans";
constexpr const char* kFixedDate = "2024-01-01T00:00:00Z";

enum class Kind { Title, Subtitle, Heading, Item, Paragraph, Drawing };

constexpr const char* kWindowDrawing = "window drawing";

struct Block {
    Kind kind;
    std::string markup;
    int line;  // in the source, for error messages
};

void replace_all(std::string& s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

bool starts_with(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::vector<Block> parse(std::istream& in, const std::string& version) {
    std::vector<Block> blocks;
    bool open = false;  // whether the next line continues the last block
    std::string text;
    for (int n = 1; std::getline(in, text); ++n) {
        replace_all(text, "@VERSION@", version);
        const size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos) {
            open = false;
            continue;
        }
        const size_t last = text.find_last_not_of(" \t\r");
        text = text.substr(first, last - first + 1);
        Kind kind = Kind::Paragraph;
        size_t skip = 0;
        if (starts_with(text, "## ")) kind = Kind::Heading, skip = 3;
        else if (starts_with(text, "# ")) kind = Kind::Title, skip = 2;
        else if (starts_with(text, "% ")) kind = Kind::Subtitle, skip = 2;
        else if (starts_with(text, "- ")) kind = Kind::Item, skip = 2;
        else if (starts_with(text, "! ")) kind = Kind::Drawing, skip = 2;
        if (open && kind == Kind::Paragraph) {
            blocks.back().markup += " " + text;
            continue;
        }
        blocks.push_back({kind, text.substr(skip), n});
        // Headings, title lines and drawings are one line each; paragraphs and
        // items run on.
        open = kind == Kind::Paragraph || kind == Kind::Item;
    }
    return blocks;
}

struct Style {
    const char* font;
    PangoAlignment align;
    double before, after;
};

Style style_of(Kind kind) {
    switch (kind) {
    case Kind::Title: return {"Noto Sans Bold 28", PANGO_ALIGN_CENTER, 40, 6};
    case Kind::Subtitle: return {"Noto Sans Italic 12", PANGO_ALIGN_CENTER, 0, 4};
    case Kind::Heading: return {"Noto Sans Bold 14", PANGO_ALIGN_LEFT, 16, 6};
    case Kind::Item: return {"Noto Sans 10.5", PANGO_ALIGN_LEFT, 0, 4};
    case Kind::Drawing: return {"Noto Sans Bold 8", PANGO_ALIGN_CENTER, 6, 12};
    case Kind::Paragraph: break;
    }
    return {"Noto Sans 10.5", PANGO_ALIGN_LEFT, 0, 8};
}

// The game's window as shell/TWindowMgr.cpp lays it out, in its pixels: the
// story fills the left, and a column as wide as the room picture holds the
// picture, the action buttons under it and two rows of fixed buttons at the
// bottom.
namespace window {
constexpr double kW = 1024, kH = 768;
constexpr double kPictureW = 640, kPictureH = 400, kInset = 4;
constexpr double kButtonH = 28, kButtonPitch = 30;
constexpr double kColumn = kW - kPictureW;
constexpr double kActionsTop = kInset + kPictureH;
constexpr double kFixedTop = kH - 2 * kButtonH;
constexpr int kActionButtons = 3;  // as in the first room
}  // namespace window

constexpr double kDrawingW = 320;
constexpr double kDrawingScale = kDrawingW / window::kW;
constexpr double kDrawingH = window::kH * kDrawingScale;

// Fontconfig quietly substitutes a missing family; the guide must not change
// its looks because a package is missing, so fail instead.
bool have_family(PangoContext* context) {
    PangoFontDescription* want = pango_font_description_from_string(kFamily);
    PangoFont* font = pango_context_load_font(context, want);
    bool ok = false;
    if (font) {
        PangoFontDescription* got = pango_font_describe(font);
        const char* family = pango_font_description_get_family(got);
        ok = family && std::string(family) == kFamily;
        pango_font_description_free(got);
        g_object_unref(font);
    }
    pango_font_description_free(want);
    return ok;
}

class Typesetter {
public:
    Typesetter(cairo_surface_t* surface, cairo_t* cr) : surface_(surface), cr_(cr) {}

    // next: the block after this one, if any.
    void set(const Block& block, const Block* next) {
        if (block.kind == Kind::Drawing) {
            draw_window();
            return;
        }
        const Style style = style_of(block.kind);
        // A heading needs room for itself and a few lines of what follows,
        // or for the whole drawing that follows.
        double keep = 0;
        if (block.kind == Kind::Heading)
            keep = next && next->kind == Kind::Drawing ? style_of(Kind::Drawing).before + kDrawingH : 70;
        if (y_ > kTop || block.kind == Kind::Title) y_ += style.before;
        if (after_list_ && block.kind != Kind::Item && y_ > kTop) y_ += 4;
        after_list_ = block.kind == Kind::Item;

        const double x = block.kind == Kind::Item ? kMarginX + kIndent : kMarginX;
        PangoLayout* layout = make_layout(style.font, style.align, kMarginX + kTextW - x);
        pango_layout_set_markup(layout, block.markup.c_str(), -1);

        if (block.kind == Kind::Heading) {
            PangoRectangle ink, logical;
            pango_layout_get_extents(layout, &ink, &logical);
            if (y_ + logical.height / double(PANGO_SCALE) + keep > kBottom) new_page();
            outline(layout);
        }

        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        bool first = true;
        do {
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(iter, nullptr, &logical);
            const double height = logical.height / double(PANGO_SCALE);
            if (y_ + height > kBottom) new_page();
            const double baseline = y_ + (pango_layout_iter_get_baseline(iter) - logical.y) / double(PANGO_SCALE);
            cairo_move_to(cr_, x + logical.x / double(PANGO_SCALE), baseline);
            pango_cairo_show_layout_line(cr_, pango_layout_iter_get_line_readonly(iter));
            if (first && block.kind == Kind::Item) bullet(baseline);
            first = false;
            y_ += height;
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
        g_object_unref(layout);
        y_ += style.after;
    }

    void close() { footer(); }

private:
    // Region outlines are dark and everything inside them light, so the
    // regions read at a glance.
    void draw_window() {
        const Style style = style_of(Kind::Drawing);
        if (y_ > kTop) y_ += style.before;
        if (after_list_ && y_ > kTop) y_ += 4;
        after_list_ = false;
        if (y_ + kDrawingH > kBottom) new_page();
        using namespace window;
        const double left = kMarginX + (kTextW - kDrawingW) / 2, top = y_;
        const auto px = [&](double x) { return left + x * kDrawingScale; };
        const auto py = [&](double y) { return top + y * kDrawingScale; };
        const auto box = [&](double x0, double y0, double x1, double y1) {
            cairo_rectangle(cr_, px(x0), py(y0), (x1 - x0) * kDrawingScale, (y1 - y0) * kDrawingScale);
        };
        const auto fill = [&](double grey, double blue) {
            cairo_set_source_rgb(cr_, grey, grey, blue);
            cairo_fill(cr_);
        };
        // Inset on the page, not in the window, so that neighbours stay apart
        // at this size.
        const auto button = [&](double x0, double y0, double x1) {
            cairo_rectangle(cr_, px(x0) + 1.2, py(y0) + 0.8, (x1 - x0) * kDrawingScale - 2.4,
                            kButtonH * kDrawingScale - 1.6);
            cairo_set_source_rgb(cr_, 0.90, 0.90, 0.90);
            cairo_fill_preserve(cr_);
            cairo_set_source_rgb(cr_, 0.62, 0.62, 0.62);
            cairo_set_line_width(cr_, 0.5);
            cairo_stroke(cr_);
        };

        cairo_save(cr_);
        box(0, 0, kColumn, kH);
        fill(1, 1);
        box(kColumn, 0, kW, kActionsTop);
        fill(0.84, 0.90);
        box(kColumn, kActionsTop, kW, kH);
        fill(0.97, 0.97);

        // Lines of story above and below its label.
        cairo_set_source_rgb(cr_, 0.80, 0.80, 0.80);
        cairo_set_line_width(cr_, 1.2);
        constexpr double kLength[] = {0.95, 0.80, 0.90, 0.55, 0.92, 0.85, 0.40};
        for (int i = 0; i * 22.0 + 30 < kH - 20; ++i) {
            const double y = 30 + i * 22.0;
            if (std::abs(y - kH / 2) < 45) continue;
            cairo_move_to(cr_, px(16), py(y));
            cairo_line_to(cr_, px(16 + (kColumn - 32) * kLength[i % 7]), py(y));
        }
        cairo_stroke(cr_);

        for (int i = 0; i < kActionButtons; ++i) button(kColumn, kActionsTop + kButtonPitch * i, kW);
        const double third = kPictureW / 3, half = kPictureW / 2;
        for (int i = 0; i < 3; ++i) button(kColumn + third * i, kFixedTop, kColumn + third * (i + 1));
        for (int i = 0; i < 2; ++i) button(kColumn + half * i, kFixedTop + kButtonH, kColumn + half * (i + 1));

        cairo_set_source_rgb(cr_, 0.2, 0.2, 0.2);
        cairo_set_line_width(cr_, 0.9);
        box(0, 0, kW, kH);
        cairo_move_to(cr_, px(kColumn), py(0));
        cairo_line_to(cr_, px(kColumn), py(kH));
        cairo_move_to(cr_, px(kColumn), py(kActionsTop));
        cairo_line_to(cr_, px(kW), py(kActionsTop));
        cairo_move_to(cr_, px(kColumn), py(kFixedTop));
        cairo_line_to(cr_, px(kW), py(kFixedTop));
        cairo_stroke(cr_);

        const double actionsFree = kActionsTop + kButtonPitch * kActionButtons;
        label("Story", px(kColumn / 2), py(kH / 2), false);
        label("Picture", px(kColumn + kPictureW / 2), py(kActionsTop / 2), false);
        label("Action buttons", px(kColumn + kPictureW / 2), py((actionsFree + kFixedTop) / 2), false);
        label("Fixed buttons", px(kColumn + kPictureW / 2), py(kFixedTop + kButtonH), true);
        cairo_restore(cr_);
        y_ += kDrawingH + style.after;
    }

    // A region's name centred on (x, y); on a white tag where it lies over
    // buttons.
    void label(const char* text, double x, double y, bool tag) {
        PangoLayout* layout = make_layout(style_of(Kind::Drawing).font, PANGO_ALIGN_LEFT, kDrawingW);
        pango_layout_set_width(layout, -1);
        pango_layout_set_text(layout, text, -1);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        const double w = logical.width / double(PANGO_SCALE), h = logical.height / double(PANGO_SCALE);
        if (tag) {
            cairo_rectangle(cr_, x - w / 2 - 4, y - h / 2, w + 8, h);
            cairo_set_source_rgb(cr_, 1, 1, 1);
            cairo_fill_preserve(cr_);
            cairo_set_source_rgb(cr_, 0.62, 0.62, 0.62);
            cairo_set_line_width(cr_, 0.5);
            cairo_stroke(cr_);
        }
        cairo_set_source_rgb(cr_, 0.1, 0.1, 0.1);
        cairo_move_to(cr_, x - w / 2, y - h / 2);
        pango_cairo_show_layout(cr_, layout);
        g_object_unref(layout);
    }

    PangoLayout* make_layout(const char* font, PangoAlignment align, double width) {
        PangoLayout* layout = pango_cairo_create_layout(cr_);
        PangoFontDescription* desc = pango_font_description_from_string(font);
        pango_layout_set_font_description(layout, desc);
        pango_font_description_free(desc);
        pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, align);
        pango_layout_set_spacing(layout, static_cast<int>(1.5 * PANGO_SCALE));
        return layout;
    }

    void bullet(double baseline) {
        PangoLayout* layout = make_layout(style_of(Kind::Item).font, PANGO_ALIGN_LEFT, kIndent);
        pango_layout_set_text(layout, "\u2022", -1);
        cairo_move_to(cr_, kMarginX + 5, baseline);
        pango_cairo_show_layout_line(cr_, pango_layout_get_line_readonly(layout, 0));
        g_object_unref(layout);
    }

    // A bookmark for each heading, so a PDF viewer lists the sections.
    void outline(PangoLayout* layout) {
        const std::string link =
            "page=" + std::to_string(page_) + " pos=[" + std::to_string(kMarginX) + " " + std::to_string(y_) + "]";
        cairo_pdf_surface_add_outline(surface_, CAIRO_PDF_OUTLINE_ROOT, pango_layout_get_text(layout), link.c_str(),
                                      CAIRO_PDF_OUTLINE_FLAG_OPEN);
    }

    void footer() {
        cairo_save(cr_);
        cairo_set_source_rgb(cr_, 0.45, 0.45, 0.45);
        PangoLayout* layout = make_layout("Noto Sans 8.5", PANGO_ALIGN_CENTER, kTextW);
        const std::string text = "Thornvale \u2014 Player\u2019s Guide \u2014 page " + std::to_string(page_);
        pango_layout_set_text(layout, text.c_str(), -1);
        cairo_move_to(cr_, kMarginX, kPageH - 44);
        pango_cairo_show_layout(cr_, layout);
        g_object_unref(layout);
        cairo_move_to(cr_, kMarginX, kBottom + 8);
        cairo_line_to(cr_, kMarginX + kTextW, kBottom + 8);
        cairo_set_line_width(cr_, 0.5);
        cairo_stroke(cr_);
        cairo_restore(cr_);
    }

    void new_page() {
        footer();
        cairo_show_page(cr_);
        ++page_;
        y_ = kTop;
    }

    cairo_surface_t* surface_;
    cairo_t* cr_;
    double y_ = kTop;
    int page_ = 1;
    bool after_list_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: make_readme SOURCE.txt OUTPUT.pdf [VERSION]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "make_readme: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::vector<Block> blocks = parse(in, argc == 4 ? argv[3] : "");
    for (const Block& b : blocks) {
        if (b.kind == Kind::Drawing) {
            if (b.markup == kWindowDrawing) continue;
            std::fprintf(stderr, "%s:%d: no drawing called \"%s\" (there is \"%s\")\n", argv[1], b.line,
                         b.markup.c_str(), kWindowDrawing);
            return 1;
        }
        GError* error = nullptr;
        if (!pango_parse_markup(b.markup.c_str(), -1, 0, nullptr, nullptr, nullptr, &error)) {
            std::fprintf(stderr, "%s:%d: %s\n", argv[1], b.line, error->message);
            g_error_free(error);
            return 1;
        }
    }

    cairo_surface_t* surface = cairo_pdf_surface_create(argv[2], kPageW, kPageH);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "Thornvale \u2014 Player\u2019s Guide");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, "How to play Thornvale");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Thornvale make_readme");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, kFixedDate);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_MOD_DATE, kFixedDate);
    cairo_t* cr = cairo_create(surface);

    PangoContext* context = pango_cairo_create_context(cr);
    const bool font_ok = have_family(context);
    g_object_unref(context);
    if (!font_ok) {
        std::fprintf(stderr, "make_readme: font \"%s\" not found (Debian: fonts-noto-core)\n", kFamily);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        std::remove(argv[2]);
        return 1;
    }

    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Typesetter setter(surface, cr);
    for (size_t i = 0; i < blocks.size(); ++i) setter.set(blocks[i], i + 1 < blocks.size() ? &blocks[i + 1] : nullptr);
    setter.close();

    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "make_readme: %s: %s\n", argv[2], cairo_status_to_string(status));
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
