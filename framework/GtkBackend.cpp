#include "framework/GtkBackend.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

struct GtkGadget : Gadget {
    explicit GtkGadget(GadgetKind k) : Gadget(k) {}
    ~GtkGadget() override {
        if (fontCss) g_object_unref(fontCss);
        if (shown) g_object_unref(shown);
    }

    GtkWidget* outer = nullptr;  // what sits in the window (the toplevel itself for windows)
    GtkWidget* inner = nullptr;  // what shows the content, takes the focus and the font
    int x = 0, y = 0, width = 0, height = 0;
    std::weak_ptr<Gadget> window;  // the window a child sits in

    TGuiFont font;
    GtkCssProvider* fontCss = nullptr;

    // Windows: the client area, and the scrolling column that buttons move
    // into once a column of them would run into what lies below it.
    GtkWidget* client = nullptr;
    GtkWidget* overflow = nullptr;
    GtkWidget* overflowLayout = nullptr;
    int overflowX = 0, overflowY = 0, overflowW = 0, overflowH = 0;

    // Text areas.
    GtkTextView* view = nullptr;
    GtkTextBuffer* buffer = nullptr;
    GtkTextMark* endMark = nullptr;

    // Panels: the picture scaled once, only the part that lies inside.
    GdkPixbuf* shown = nullptr;
    int shownX = 0, shownY = 0;

    void Forget() {
        outer = inner = client = overflow = overflowLayout = nullptr;
        view = nullptr;
        buffer = nullptr;
        endMark = nullptr;
    }
};

struct GtkPixmap : Pixmap {
    explicit GtkPixmap(GdkPixbuf* p) : Pixmap(gdk_pixbuf_get_width(p), gdk_pixbuf_get_height(p)), pixbuf(p) {}
    ~GtkPixmap() override { g_object_unref(pixbuf); }
    GdkPixbuf* const pixbuf;
};

struct GtkGuiFont : GuiFont {
    std::string css;  // the rule that applies it to one widget
};

struct GtkTimer : Timer {
    explicit GtkTimer(double hz) : Timer(hz) {}
    ~GtkTimer() override {
        if (source) g_source_remove(source);
    }
    guint source = 0;
};

GtkGadget& As(const TGadget& g) { return static_cast<GtkGadget&>(*g); }

// Every gadget whose widget is alive, by address. Signal handlers get the
// address as their data and look it up here, so a handler can never reach
// a gadget whose widget is gone. Never destroyed: widgets may still be torn
// down while the process exits.
std::unordered_map<const void*, TGadget>& Live() {
    static auto* live = new std::unordered_map<const void*, TGadget>;
    return *live;
}

TGadget Find(gpointer data) {
    auto it = Live().find(data);
    return it == Live().end() ? nullptr : it->second;
}

void OnWidgetDestroyed(GtkWidget*, gpointer data) {
    auto it = Live().find(data);
    if (it == Live().end()) return;
    const TGadget keep = std::move(it->second);
    Live().erase(it);
    As(keep).Forget();
}

void Register(const std::shared_ptr<GtkGadget>& g) {
    Live()[g.get()] = g;
    g_signal_connect(g->outer, "destroy", G_CALLBACK(OnWidgetDestroyed), g.get());
}

// GTK takes only valid UTF-8; anything else becomes U+FFFD rather than a
// refused or cut-off text.
std::string ValidUtf8(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string out(valid);
    g_free(valid);
    return out;
}

GtkGadget* WindowOf(const TGadget& parent) {
    if (!parent || parent->kind != GadgetKind::Window) return nullptr;
    GtkGadget& w = As(parent);
    return w.client ? &w : nullptr;
}

bool Overlaps(int ax, int ay, int aw, int ah, int bx, int by, int bw, int bh) {
    return ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah;
}

// Shown gadgets placed directly in a window's client area.
std::vector<GtkGadget*> ShownChildren(const GtkGadget& win) {
    std::vector<GtkGadget*> out;
    for (auto& [key, g] : Live()) {
        GtkGadget& c = As(g);
        if (c.kind == GadgetKind::Window || !c.outer || gtk_widget_get_parent(c.outer) != win.client) continue;
        if (gtk_widget_get_visible(c.outer)) out.push_back(&c);
    }
    return out;
}

void FitOverflowLayout(GtkGadget& win) {
    int bottom = 0;
    GList* children = gtk_container_get_children(GTK_CONTAINER(win.overflowLayout));
    for (GList* l = children; l; l = l->next) {
        GtkWidget* child = GTK_WIDGET(l->data);
        int cy = 0, ch = 0;
        gtk_container_child_get(GTK_CONTAINER(win.overflowLayout), child, "y", &cy, nullptr);
        gtk_widget_get_size_request(child, nullptr, &ch);
        bottom = std::max(bottom, cy + ch);
    }
    g_list_free(children);
    gtk_layout_set_size(GTK_LAYOUT(win.overflowLayout), static_cast<guint>(win.overflowW),
                        static_cast<guint>(std::max(bottom, win.overflowH)));
}

void PutInOverflow(GtkGadget& win, GtkGadget& b) {
    gtk_layout_put(GTK_LAYOUT(win.overflowLayout), b.outer, b.x - win.overflowX, b.y - win.overflowY);
    FitOverflowLayout(win);
}

// A button that would overlap a shown gadget, or fall out of the client
// area, continues a column of buttons above it: the column becomes a
// scrolling area that ends where the next gadget below it begins. While it
// is scrolled to the top, every button keeps the rectangle it asked for.
bool OpenOverflow(GtkGadget& win, const GtkGadget& b) {
    const std::vector<GtkGadget*> shown = ShownChildren(win);
    const bool runsOut = b.y + b.height > win.height || b.x + b.width > win.width;
    const bool collides = std::any_of(shown.begin(), shown.end(), [&](const GtkGadget* c) {
        return Overlaps(b.x, b.y, b.width, b.height, c->x, c->y, c->width, c->height);
    });
    if (!runsOut && !collides) return false;

    std::vector<GtkGadget*> column;
    for (GtkGadget* c : shown)
        if (c->kind == GadgetKind::Button && c->x == b.x && c->width == b.width && c->y < b.y) column.push_back(c);
    if (column.empty()) return false;
    // Top to bottom, so that the focus and assistive tools still go down
    // the column in order.
    std::sort(column.begin(), column.end(), [](const GtkGadget* l, const GtkGadget* r) { return l->y < r->y; });
    int top = b.y;
    for (const GtkGadget* c : column) top = std::min(top, c->y);
    int limit = win.height;
    for (const GtkGadget* c : shown) {
        if (std::find(column.begin(), column.end(), c) != column.end()) continue;
        if (c->y >= top && c->x < b.x + b.width && b.x < c->x + c->width) limit = std::min(limit, c->y);
    }
    if (limit - top < b.height) return false;

    win.overflowX = b.x;
    win.overflowY = top;
    win.overflowW = b.width;
    win.overflowH = limit - top;
    win.overflow = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(win.overflow), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_widget_set_size_request(win.overflow, win.overflowW, win.overflowH);
    win.overflowLayout = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(win.overflow), win.overflowLayout);
    // Moving the keyboard focus down the column scrolls it along.
    gtk_container_set_focus_vadjustment(
        GTK_CONTAINER(win.overflowLayout),
        gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(win.overflowLayout)));
    gtk_layout_put(GTK_LAYOUT(win.client), win.overflow, win.overflowX, win.overflowY);
    for (GtkGadget* c : column) {
        g_object_ref(c->outer);
        gtk_container_remove(GTK_CONTAINER(win.client), c->outer);
        gtk_layout_put(GTK_LAYOUT(win.overflowLayout), c->outer, c->x - win.overflowX, c->y - win.overflowY);
        g_object_unref(c->outer);
    }
    gtk_widget_show(win.overflowLayout);
    gtk_widget_show(win.overflow);
    return true;
}

void PlaceButton(GtkGadget& win, GtkGadget& b) {
    if (win.overflow) {
        if (b.x >= win.overflowX && b.x + b.width <= win.overflowX + win.overflowW && b.y >= win.overflowY) {
            PutInOverflow(win, b);
            return;
        }
    } else if (OpenOverflow(win, b)) {
        PutInOverflow(win, b);
        return;
    }
    gtk_layout_put(GTK_LAYOUT(win.client), b.outer, b.x, b.y);
}

// Once its last button is gone the column stops covering what lies under it.
void CloseOverflowIfEmpty(GtkGadget& win) {
    if (!win.overflowLayout) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(win.overflowLayout));
    const bool empty = children == nullptr;
    g_list_free(children);
    if (!empty) {
        FitOverflowLayout(win);
        return;
    }
    GtkWidget* scroller = win.overflow;
    win.overflow = win.overflowLayout = nullptr;
    gtk_widget_destroy(scroller);
}

// ---- pictures

// Which rows of a picture the decoder has filled in.
struct RowsDecoded {
    std::vector<bool> row;
    long long count = 0;
};

void OnAreaUpdated(GdkPixbufLoader*, gint, gint y, gint, gint h, gpointer data) {
    auto& rows = *static_cast<RowsDecoded*>(data);
    const long long end = std::min<long long>(static_cast<long long>(y) + h, static_cast<long long>(rows.row.size()));
    for (long long r = std::max(y, 0); r < end; ++r) {
        if (rows.row[static_cast<size_t>(r)]) continue;
        rows.row[static_cast<size_t>(r)] = true;
        ++rows.count;
    }
}

// The picture in a file, or null unless every row of it could be decoded:
// decoders hand back a cut-off file as a picture with a blank bottom part.
GdkPixbuf* DecodeWhole(const std::string& path, int height) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    RowsDecoded rows;
    rows.row.assign(static_cast<size_t>(height), false);
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    g_signal_connect(loader, "area-updated", G_CALLBACK(OnAreaUpdated), &rows);
    GError* error = nullptr;
    std::vector<guchar> chunk(1 << 16);
    bool ok = true;
    size_t n;
    while (ok && (n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        ok = gdk_pixbuf_loader_write(loader, chunk.data(), n, &error);
    ok = !std::ferror(file) && ok;
    std::fclose(file);
    ok = gdk_pixbuf_loader_close(loader, ok ? &error : nullptr) && ok;
    g_clear_error(&error);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (ok && pixbuf && gdk_pixbuf_get_height(pixbuf) == height && rows.count == height) g_object_ref(pixbuf);
    else pixbuf = nullptr;
    g_signal_handlers_disconnect_by_data(loader, &rows);
    g_object_unref(loader);
    return pixbuf;
}

// ---- signal handlers

gboolean OnDeleteEvent(GtkWidget*, GdkEvent*, gpointer data) {
    // The game decides what closing means; the window stays until it does.
    if (const TGadget g = Find(data)) EmitEvent(TEvent{EVENT_WINDOWCLOSE, g});
    return TRUE;
}

void OnClicked(GtkButton* button, gpointer data) {
    // A strong handle: the game may free this very button while handling
    // the press, and the event must still name it safely. The widget is not
    // touched after the event has been emitted.
    const TGadget g = Find(data);
    if (!g || g->freed || !gtk_widget_is_visible(GTK_WIDGET(button))) return;
    EmitEvent(TEvent{EVENT_GADGETACTION, g});
}

gboolean OnDrawPanel(GtkWidget*, cairo_t* cr, gpointer data) {
    const TGadget g = Find(data);
    if (!g) return FALSE;
    const GtkGadget& p = As(g);
    if (p.shown) {
        gdk_cairo_set_source_pixbuf(cr, p.shown, p.shownX, p.shownY);
        cairo_paint(cr);
    }
    return FALSE;
}

gboolean OnTimer(gpointer) {
    EmitEvent(TEvent{EVENT_TIMERTICK, nullptr});
    return G_SOURCE_CONTINUE;
}

gboolean OnTerminateSignal(gpointer) {
    EmitEvent(TEvent{EVENT_APPTERMINATE, nullptr});
    return G_SOURCE_CONTINUE;
}

void OnLaunched(GObject*, GAsyncResult* result, gpointer) {
    // No opener for the address is not the player's problem: say nothing.
    GError* error = nullptr;
    g_app_info_launch_default_for_uri_finish(result, &error);
    g_clear_error(&error);
}

// ---- fonts

bool FamilyInstalled(const char* family) {
    PangoFontFamily** families = nullptr;
    int n = 0;
    pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &n);
    bool found = false;
    for (int i = 0; i < n && !found; ++i)
        found = g_ascii_strcasecmp(pango_font_family_get_name(families[i]), family) == 0;
    g_free(families);
    return found;
}

std::string CssString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (c != '\n') out += c;
    }
    return out + "\"";
}

std::string FontCss(const std::string& family, double size, bool bold, bool italic, bool underline,
                    bool strikethrough) {
    char number[G_ASCII_DTOSTR_BUF_SIZE];
    std::string css = "* { font-family: " + CssString(family) + ";";
    if (size > 0) css += std::string(" font-size: ") + g_ascii_dtostr(number, sizeof number, size) + "px;";
    css += bold ? " font-weight: bold;" : " font-weight: normal;";
    css += italic ? " font-style: italic;" : " font-style: normal;";
    if (underline) css += " text-decoration-line: underline;";
    else if (strikethrough) css += " text-decoration-line: line-through;";
    else css += " text-decoration-line: none;";
    return css + " }";
}

bool SameFont(const GuiFont& a, const GuiFont& b) {
    return a.family == b.family && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough;
}

// ---- the backend

class GtkBackend : public Backend {
public:
    GtkBackend() {
        for (int sig : {SIGTERM, SIGINT}) signalSources_.push_back(g_unix_signal_add(sig, OnTerminateSignal, nullptr));
    }

    ~GtkBackend() override {
        for (guint s : signalSources_) g_source_remove(s);
        std::vector<GtkWidget*> windows;
        for (auto& [key, g] : Live())
            if (g->kind == GadgetKind::Window && As(g).outer) windows.push_back(As(g).outer);
        for (GtkWidget* w : windows) gtk_widget_destroy(w);
    }

    TGadget CreateWindow(const std::string& title, int x, int y, int w, int h, int style) override {
        auto g = Make(GadgetKind::Window, x, y, w, h, nullptr);
        GtkWidget* win = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(win), ValidUtf8(title).c_str());
        gtk_window_set_decorated(GTK_WINDOW(win), (style & WINDOW_TITLEBAR) != 0);
        const bool resizable = (style & WINDOW_RESIZABLE) != 0;
        gtk_window_set_resizable(GTK_WINDOW(win), resizable);
        if (resizable) gtk_window_set_default_size(GTK_WINDOW(win), w, h);
        // A layout rather than a fixed: its size is the one asked for, never
        // grown by a child that reaches past it.
        GtkWidget* client = gtk_layout_new(nullptr, nullptr);
        gtk_layout_set_size(GTK_LAYOUT(client), static_cast<guint>(std::max(w, 0)), static_cast<guint>(std::max(h, 0)));
        gtk_widget_set_size_request(client, w, h);
        gtk_container_add(GTK_CONTAINER(win), client);
        if (style & WINDOW_CENTER) gtk_window_set_position(GTK_WINDOW(win), GTK_WIN_POS_CENTER);
        else gtk_window_move(GTK_WINDOW(win), x, y);
        g->outer = win;
        g->inner = client;
        g->client = client;
        Register(g);
        g_signal_connect(win, "delete-event", G_CALLBACK(OnDeleteEvent), g.get());
        gtk_widget_show(client);
        gtk_widget_show(win);
        return g;
    }

    int ClientWidth(const TGadget& window) override { return As(window).width; }
    int ClientHeight(const TGadget& window) override { return As(window).height; }
    int GadgetWidth(const TGadget& gadget) override { return As(gadget).width; }

    TGadget CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style) override {
        auto g = Make(GadgetKind::TextArea, x, y, w, h, parent);
        const bool wrap = (style & TEXTAREA_WORDWRAP) != 0;
        const bool readOnly = (style & TEXTAREA_READONLY) != 0;
        GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
        gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), wrap ? GTK_POLICY_NEVER : GTK_POLICY_AUTOMATIC,
                                       GTK_POLICY_AUTOMATIC);
        gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
        gtk_widget_set_size_request(scroller, w, h);
        GtkWidget* view = gtk_text_view_new();
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), wrap ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
        gtk_text_view_set_editable(GTK_TEXT_VIEW(view), !readOnly);
        gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(view), !readOnly);
        gtk_container_add(GTK_CONTAINER(scroller), view);
        g->outer = scroller;
        g->inner = view;
        g->view = GTK_TEXT_VIEW(view);
        g->buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
        GtkTextIter end;
        gtk_text_buffer_get_end_iter(g->buffer, &end);
        // Right gravity: text added at the end goes in front of it, so it
        // always marks the end without being moved.
        g->endMark = gtk_text_buffer_create_mark(g->buffer, nullptr, &end, FALSE);
        Register(g);
        Put(parent, *g);
        gtk_widget_show(view);
        gtk_widget_show(scroller);
        return g;
    }

    TGadget CreatePanel(int x, int y, int w, int h, const TGadget& parent, int, const std::string&) override {
        auto g = Make(GadgetKind::Panel, x, y, w, h, parent);
        GtkWidget* area = gtk_drawing_area_new();
        gtk_widget_set_size_request(area, w, h);
        g->outer = g->inner = area;
        Register(g);
        g_signal_connect(area, "draw", G_CALLBACK(OnDrawPanel), g.get());
        Put(parent, *g);
        gtk_widget_show(area);
        return g;
    }

    TGadget CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent,
                         int) override {
        auto g = Make(GadgetKind::Button, x, y, w, h, parent);
        GtkWidget* button = gtk_button_new_with_label(ValidUtf8(label).c_str());
        // A long label is cut short rather than widening the button.
        if (GtkWidget* text = gtk_bin_get_child(GTK_BIN(button)); GTK_IS_LABEL(text))
            gtk_label_set_ellipsize(GTK_LABEL(text), PANGO_ELLIPSIZE_END);
        gtk_widget_set_size_request(button, w, h);
        g->outer = g->inner = button;
        Register(g);
        g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), g.get());
        if (GtkGadget* win = WindowOf(parent)) PlaceButton(*win, *g);
        gtk_widget_show(button);
        return g;
    }

    TGadget CreateTextField(int x, int y, int w, int h, const TGadget& parent, int) override {
        auto g = Make(GadgetKind::TextField, x, y, w, h, parent);
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
        gtk_widget_set_size_request(entry, w, h);
        g->outer = g->inner = entry;
        Register(g);
        Put(parent, *g);
        gtk_widget_show(entry);
        return g;
    }

    TGuiFont LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                         bool strikethrough) override {
        // Pango reads a trailing style word ("Noto Sans Regular", "... Bold")
        // off the family name, as a font chooser would.
        PangoFontDescription* desc = pango_font_description_from_string(family.c_str());
        const char* parsed = pango_font_description_get_family(desc);
        const std::string resolved = parsed ? parsed : "";
        const bool parsedBold = pango_font_description_get_weight(desc) >= PANGO_WEIGHT_BOLD;
        const bool parsedItalic = pango_font_description_get_style(desc) != PANGO_STYLE_NORMAL;
        pango_font_description_free(desc);
        if (resolved.empty() || !FamilyInstalled(resolved.c_str())) return nullptr;
        auto font = std::make_shared<GtkGuiFont>();
        font->family = family;
        font->size = size;
        font->bold = bold;
        font->italic = italic;
        font->underline = underline;
        font->strikethrough = strikethrough;
        font->css = FontCss(resolved, size, bold || parsedBold, italic || parsedItalic, underline, strikethrough);
        return font;
    }

    void SetGadgetFont(const TGadget& gadget, const TGuiFont& font) override {
        GtkGadget& g = As(gadget);
        // Re-styling is what costs on a long story; the same font again is free.
        if (g.font && (g.font == font || SameFont(*g.font, *font))) return;
        GtkWidget* target = g.kind == GadgetKind::TextArea ? GTK_WIDGET(g.view) : g.inner;
        if (!target) return;
        std::string css;
        if (auto* own = dynamic_cast<const GtkGuiFont*>(font.get())) css = own->css;
        else css = FontCss(font->family, font->size, font->bold, font->italic, font->underline, font->strikethrough);
        if (!g.fontCss) {
            g.fontCss = gtk_css_provider_new();
            std::vector<GtkWidget*> styled = {target};
            if (g.kind == GadgetKind::Button)
                if (GtkWidget* label = gtk_bin_get_child(GTK_BIN(target))) styled.push_back(label);
            for (GtkWidget* w : styled)
                gtk_style_context_add_provider(gtk_widget_get_style_context(w), GTK_STYLE_PROVIDER(g.fontCss),
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        }
        gtk_css_provider_load_from_data(g.fontCss, css.c_str(), -1, nullptr);
        g.font = font;
    }

    void HideGadget(const TGadget& gadget) override {
        if (GtkWidget* w = As(gadget).outer) gtk_widget_hide(w);
    }

    void ShowGadget(const TGadget& gadget) override {
        if (GtkWidget* w = As(gadget).outer) gtk_widget_show(w);
    }

    void FreeGadget(const TGadget& gadget) override {
        GtkGadget& g = As(gadget);
        if (!g.outer) return;
        GtkWidget* from = gtk_widget_get_parent(g.outer);
        // Safe inside the button's own "clicked": GTK holds the widget until
        // the emission is over, and nothing here touches it afterwards.
        gtk_widget_destroy(g.outer);
        if (const TGadget w = g.window.lock()) {
            GtkGadget& win = As(w);
            if (from && from == win.overflowLayout) CloseOverflowIfEmpty(win);
        }
    }

    void ActivateWindow(const TGadget& window) override {
        GtkGadget& g = As(window);
        if (g.kind == GadgetKind::Window && g.outer) gtk_window_present(GTK_WINDOW(g.outer));
    }

    void ActivateGadget(const TGadget& gadget) override {
        GtkGadget& g = As(gadget);
        if (g.kind == GadgetKind::Window) ActivateWindow(gadget);
        else if (g.inner) gtk_widget_grab_focus(g.inner);
    }

    void AddTextAreaText(const TGadget& area, const std::string& text) override {
        GtkGadget& g = As(area);
        if (!g.buffer) return;
        const std::string valid = ValidUtf8(text);
        GtkTextIter end;
        gtk_text_buffer_get_end_iter(g.buffer, &end);
        gtk_text_buffer_insert(g.buffer, &end, valid.data(), static_cast<gint>(valid.size()));
        ScrollToEnd(g);
    }

    void SetTextAreaText(const TGadget& area, const std::string& text) override {
        GtkGadget& g = As(area);
        if (!g.buffer) return;
        const std::string valid = ValidUtf8(text);
        gtk_text_buffer_set_text(g.buffer, valid.data(), static_cast<gint>(valid.size()));
        GtkTextIter end;
        gtk_text_buffer_get_end_iter(g.buffer, &end);
        gtk_text_buffer_move_mark(g.buffer, g.endMark, &end);
    }

    void SelectTextAreaText(const TGadget& area, int pos, int length, int units) override {
        GtkGadget& g = As(area);
        if (!g.buffer) return;
        pos = std::max(pos, 0);
        length = std::max(length, 0);
        GtkTextIter start, stop;
        if (units == TEXTAREA_LINES) {
            if (pos >= gtk_text_buffer_get_line_count(g.buffer)) gtk_text_buffer_get_end_iter(g.buffer, &start);
            else gtk_text_buffer_get_iter_at_line(g.buffer, &start, pos);
            stop = start;
            if (length > 0 && !gtk_text_iter_forward_lines(&stop, length)) gtk_text_iter_forward_to_end(&stop);
        } else {
            gtk_text_buffer_get_iter_at_offset(g.buffer, &start, std::min(pos, gtk_text_buffer_get_char_count(g.buffer)));
            stop = start;
            if (length > 0) gtk_text_iter_forward_chars(&stop, length);
        }
        gtk_text_buffer_select_range(g.buffer, &start, &stop);
        gtk_text_view_scroll_to_mark(g.view, gtk_text_buffer_get_insert(g.buffer), 0.0, FALSE, 0.0, 0.0);
    }

    TPixmap LoadPixmap(const std::string& path) override {
        int w = 0, h = 0;
        if (!gdk_pixbuf_get_file_info(path.c_str(), &w, &h)) return nullptr;
        if (w <= 0 || h <= 0 || static_cast<int64_t>(w) * h > kMaxPicturePixels) return nullptr;
        GdkPixbuf* pixbuf = DecodeWhole(path, h);
        if (!pixbuf) return nullptr;
        return std::make_shared<GtkPixmap>(pixbuf);
    }

    void SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode) override {
        GtkGadget& p = As(panel);
        const auto* picture = dynamic_cast<const GtkPixmap*>(pixmap.get());
        if (!picture || !p.inner) return;
        const PixmapPlacement at = mode == PIXMAP_FILL
                                       ? FillPlacement(p.width, p.height, picture->width, picture->height)
                                       : PixmapPlacement{0, 0, picture->width, picture->height};
        if (p.shown) g_object_unref(p.shown);
        p.shown = nullptr;
        // Only the part inside the panel is ever made: a very thin picture
        // filling the panel would otherwise be scaled to millions of rows.
        const long long x0 = std::max(0LL, static_cast<long long>(at.x));
        const long long y0 = std::max(0LL, static_cast<long long>(at.y));
        const long long x1 = std::min(static_cast<long long>(p.width), static_cast<long long>(at.x) + at.width);
        const long long y1 = std::min(static_cast<long long>(p.height), static_cast<long long>(at.y) + at.height);
        if (x1 > x0 && y1 > y0 && at.width > 0 && at.height > 0) {
            const int w = static_cast<int>(x1 - x0), h = static_cast<int>(y1 - y0);
            p.shown = gdk_pixbuf_new(GDK_COLORSPACE_RGB, gdk_pixbuf_get_has_alpha(picture->pixbuf), 8, w, h);
            if (p.shown) {
                gdk_pixbuf_scale(picture->pixbuf, p.shown, 0, 0, w, h, static_cast<double>(at.x - x0),
                                 static_cast<double>(at.y - y0), static_cast<double>(at.width) / picture->width,
                                 static_cast<double>(at.height) / picture->height, GDK_INTERP_BILINEAR);
                p.shownX = static_cast<int>(x0);
                p.shownY = static_cast<int>(y0);
            }
        }
        gtk_widget_queue_draw(p.inner);
    }

    TTimer CreateTimer(double hertz) override {
        auto timer = std::make_shared<GtkTimer>(hertz);
        if (hertz > 0) {
            const double ms = 1000.0 / hertz;
            const guint interval = ms < 1 ? 1u : ms > 3.6e6 ? 3600000u : static_cast<guint>(ms + 0.5);
            // Below redrawing and input: ticks must never keep the window
            // from answering.
            timer->source = g_timeout_add_full(G_PRIORITY_DEFAULT_IDLE, interval, OnTimer, nullptr, nullptr);
        }
        return timer;
    }

    void WaitSystemEvent() override { g_main_context_iteration(nullptr, TRUE); }

    void LaunchUri(const std::string& uri) override {
        g_app_info_launch_default_for_uri_async(uri.c_str(), nullptr, nullptr, OnLaunched, nullptr);
    }

    void End() override {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        // Nothing is left to tear down that the system does not take back,
        // and GTK's own exit handlers have nothing to add.
        _exit(0);
    }

private:
    static std::shared_ptr<GtkGadget> Make(GadgetKind kind, int x, int y, int w, int h, const TGadget& parent) {
        auto g = std::make_shared<GtkGadget>(kind);
        g->x = x;
        g->y = y;
        g->width = w;
        g->height = h;
        if (WindowOf(parent)) g->window = parent;
        return g;
    }

    static void Put(const TGadget& parent, GtkGadget& child) {
        if (GtkGadget* win = WindowOf(parent)) gtk_layout_put(GTK_LAYOUT(win->client), child.outer, child.x, child.y);
    }

    static void ScrollToEnd(GtkGadget& g) {
        // Queued, not done here: GTK scrolls once the new lines are measured,
        // and no pending event is dispatched meanwhile.
        gtk_text_view_scroll_to_mark(g.view, g.endMark, 0.0, TRUE, 0.0, 1.0);
    }

    std::vector<guint> signalSources_;
};

}  // namespace

std::unique_ptr<Backend> CreateGtkBackend(std::string& error) {
    if (!g_get_prgname()) g_set_prgname(program_invocation_short_name);
    // Numbers in the story are written the same in every locale; only the
    // character set is taken from the environment.
    gtk_disable_setlocale();
    std::setlocale(LC_CTYPE, "");
    if (!gtk_init_check(nullptr, nullptr)) {
        error = "Thornvale needs a graphical display, but none could be opened (is DISPLAY set?)";
        return nullptr;
    }
    static bool styled = false;
    if (!styled) {
        styled = true;
        // Scrolling to the end of the story must happen at once, not as an
        // animation that trails behind the next append.
        g_object_set(gtk_settings_get_default(), "gtk-enable-animations", FALSE, nullptr);
        // Buttons and fields as tall as asked: the theme's padding would make
        // a 28-pixel button 34.
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(css,
                                        "button { min-height: 0; min-width: 0; padding: 0 8px; }\n"
                                        "entry { min-height: 0; }\n",
                                        -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
    }
    return std::make_unique<GtkBackend>();
}
