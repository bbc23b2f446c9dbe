// make_readme SOURCE.txt OUTPUT.pdf [VERSION]
//
// Typesets the player's guide into an A4 PDF with Pango, in Noto Sans.
//
// The source is plain text, one block per paragraph, blocks separated by
// blank lines. A block's first line may start with
//   "# "  the title          "% "  a line under the title
//   "## " a heading          "- "  a list item (each "- " line starts a new one)
// Text may carry Pango markup (<b>, <i>, &amp; ...). "@VERSION@" becomes
// VERSION. Dates in the PDF are fixed so that every build gives the same file.

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

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

enum class Kind { Title, Subtitle, Heading, Item, Paragraph };

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
        if (open && kind == Kind::Paragraph) {
            blocks.back().markup += " " + text;
            continue;
        }
        blocks.push_back({kind, text.substr(skip), n});
        // Headings and title lines are one line each; paragraphs and items run on.
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
    case Kind::Paragraph: break;
    }
    return {"Noto Sans 10.5", PANGO_ALIGN_LEFT, 0, 8};
}

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

    void set(const Block& block) {
        const Style style = style_of(block.kind);
        // A heading needs room for itself and a few lines of what follows.
        const double keep = block.kind == Kind::Heading ? 70 : 0;
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
    for (const Block& b : blocks) setter.set(b);
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
