// The GTK backend in-process under Xvfb: what the game's window relies on
// but cannot show from outside (the column of choices that outgrows its
// room, fonts applied once, the story's scrolling, ticks, the opener, and
// which picture files load).
#include "framework/GtkBackend.h"
#include "tests/BrokenBitmaps.h"

#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

void Settle() {
    // Twice round: scrolling to a mark waits for the lines to be measured.
    for (int round = 0; round < 2; ++round) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        g_usleep(20000);
    }
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

struct Rect {
    int x, y, w, h;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

// Where a widget is, in its window's client area.
Rect InWindow(GtkWidget* w) {
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(w, gtk_widget_get_toplevel(w), 0, 0, &x, &y);
    return {x, y, gtk_widget_get_allocated_width(w), gtk_widget_get_allocated_height(w)};
}

void Collect(GtkWidget* w, GType type, std::vector<GtkWidget*>& out) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(w, type)) out.push_back(w);
    if (!GTK_IS_CONTAINER(w) || GTK_IS_BUTTON(w)) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* c = children; c; c = c->next) Collect(GTK_WIDGET(c->data), type, out);
    g_list_free(children);
}

std::vector<GtkWidget*> All(GType type) {
    std::vector<GtkWidget*> out;
    GList* windows = gtk_window_list_toplevels();
    for (GList* l = windows; l; l = l->next) Collect(GTK_WIDGET(l->data), type, out);
    g_list_free(windows);
    return out;
}

GtkWidget* Button(const std::string& label) {
    for (GtkWidget* b : All(GTK_TYPE_BUTTON))
        if (gtk_button_get_label(GTK_BUTTON(b)) && label == gtk_button_get_label(GTK_BUTTON(b))) return b;
    return nullptr;
}

GtkWidget* ScrollerAround(GtkWidget* w) { return gtk_widget_get_ancestor(w, GTK_TYPE_SCROLLED_WINDOW); }

// Events as the game's hook sees them.
std::vector<TEvent> gSeen;
TEvent* Record(int, TEvent* data, void*) {
    if (data) gSeen.push_back(*data);
    return nullptr;
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        auto backend = CreateGtkBackend(error);
        ASSERT_TRUE(backend) << error;
        SetBackend(std::move(backend));
        AddHook(EmitEventHook, Record, nullptr, 0);
    }

    // The game's window: the story, the picture and the fixed buttons.
    void SetUp() override {
        gSeen.clear();
        window = CreateWindow("Thornvale, v1.2.3", 0, 0, 1024, 768, nullptr, WINDOW_TITLEBAR | WINDOW_CENTER);
        story = CreateTextArea(4, 4, 380, 764, window, TEXTAREA_WORDWRAP | TEXTAREA_READONLY);
        panel = CreatePanel(384, 4, 640, 400, window, 0, "");
        fixed = {
            CreateButton("Visit", 384, 740, 320, 28, window, BUTTON_PUSH),
            CreateButton("Get Instructions", 704, 740, 320, 28, window, BUTTON_PUSH),
            CreateButton("Consume", 384, 712, 213, 28, window, BUTTON_PUSH),
            CreateButton("Show Stats", 597, 712, 213, 28, window, BUTTON_PUSH),
            CreateButton("Show Inventory", 810, 712, 213, 28, window, BUTTON_PUSH),
        };
        restart = CreateButton("Restart Game", 597, 568, 213, 28, window, BUTTON_PUSH);
        HideGadget(restart);
        ActivateWindow(window);
        Settle();
    }

    void TearDown() override {
        FreeGadget(window);
        Settle();
    }

    std::vector<TGadget> Choices(int n, int from = 0) {
        std::vector<TGadget> out;
        for (int i = from; i < from + n; ++i)
            out.push_back(CreateButton("Choice " + std::to_string(i), 384, 404 + 30 * i, 640, 28, window, BUTTON_PUSH));
        Settle();
        return out;
    }

    GtkTextView* StoryView() {
        auto views = All(GTK_TYPE_TEXT_VIEW);
        return views.size() == 1 ? GTK_TEXT_VIEW(views[0]) : nullptr;
    }

    std::string StoryText() {
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(StoryView());
        GtkTextIter start, end;
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        char* text = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
        std::string out = text;
        g_free(text);
        return out;
    }

    bool StoryShowsItsEnd() {
        GtkAdjustment* v = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(StoryView()));
        return gtk_adjustment_get_value(v) + gtk_adjustment_get_page_size(v) >= gtk_adjustment_get_upper(v) - 0.5;
    }

    TGadget window, story, panel, restart;
    std::vector<TGadget> fixed;
};

TEST_F(WindowTest, GadgetsHaveTheirExactRectangles) {
    const struct {
        const char* label;
        Rect at;
    } cases[] = {
        {"Visit", {384, 740, 320, 28}},      {"Get Instructions", {704, 740, 320, 28}},
        {"Consume", {384, 712, 213, 28}},    {"Show Stats", {597, 712, 213, 28}},
        {"Show Inventory", {810, 712, 213, 28}},
    };
    for (const auto& c : cases) {
        GtkWidget* b = Button(c.label);
        ASSERT_NE(b, nullptr) << c.label;
        EXPECT_EQ(InWindow(b), c.at) << c.label;
    }
    EXPECT_EQ(InWindow(ScrollerAround(GTK_WIDGET(StoryView()))), (Rect{4, 4, 380, 764}));
    ASSERT_EQ(All(GTK_TYPE_DRAWING_AREA).size(), 1u);
    EXPECT_EQ(InWindow(All(GTK_TYPE_DRAWING_AREA)[0]), (Rect{384, 4, 640, 400}));

    const TGadget field = CreateTextField(4, 610, 652, 30, window, 0);
    Settle();
    ASSERT_EQ(All(GTK_TYPE_ENTRY).size(), 1u);
    EXPECT_EQ(InWindow(All(GTK_TYPE_ENTRY)[0]), (Rect{4, 610, 652, 30}));

    // Something reaching past the client area is cut, never grows the window.
    const TGadget wide = CreatePanel(900, 700, 600, 600, window, 0, "");
    Settle();
    GtkWidget* top = gtk_widget_get_toplevel(Button("Visit"));
    EXPECT_EQ(gtk_widget_get_allocated_width(top), 1024);
    EXPECT_EQ(gtk_widget_get_allocated_height(top), 768);
    EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(top)));
    EXPECT_EQ(ClientWidth(window), 1024);
    EXPECT_EQ(ClientHeight(window), 768);
    EXPECT_EQ(GadgetWidth(panel), 640);
}

TEST_F(WindowTest, ChoicesBeyondTheTenthScrollAndTheFirstTenStayPut) {
    for (const int n : {10, 11, 14}) {
        SCOPED_TRACE(n);
        std::vector<TGadget> choices = Choices(n);
        for (int i = 0; i < std::min(n, 10); ++i) {
            GtkWidget* b = Button("Choice " + std::to_string(i));
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(InWindow(b), (Rect{384, 404 + 30 * i, 640, 28})) << i;
        }
        GtkWidget* last = Button("Choice " + std::to_string(n - 1));
        GtkWidget* scroller = ScrollerAround(last);
        if (n <= 10) {
            EXPECT_EQ(scroller, nullptr);
        } else {
            // The column ends where the fixed buttons begin.
            ASSERT_NE(scroller, nullptr);
            EXPECT_EQ(InWindow(scroller), (Rect{384, 404, 640, 308}));
            for (const char* f : {"Consume", "Show Stats", "Show Inventory"})
                EXPECT_EQ(ScrollerAround(Button(f)), nullptr) << f;
            // Reaching the last one by keyboard scrolls it into view.
            gtk_widget_grab_focus(last);
            Settle();
            const Rect shown = InWindow(last);
            EXPECT_GE(shown.y, 404);
            EXPECT_LE(shown.y + shown.h, 712);
            gSeen.clear();
            gtk_button_clicked(GTK_BUTTON(last));
            ASSERT_EQ(gSeen.size(), 1u);
            EXPECT_EQ(gSeen[0].id, EVENT_GADGETACTION);
            EXPECT_EQ(gSeen[0].source, choices.back());
        }
        for (const TGadget& c : choices) FreeGadget(c);
        Settle();
        // Once the choices are gone nothing covers the button under them.
        ShowGadget(restart);
        Settle();
        EXPECT_EQ(All(GTK_TYPE_SCROLLED_WINDOW).size(), 1u) << "only the story's";
        GtkWidget* r = Button("Restart Game");
        EXPECT_EQ(InWindow(r), (Rect{597, 568, 213, 28}));
        HideGadget(restart);
    }
}

TEST_F(WindowTest, ChoicesAddedToAScrollingColumnJoinIt) {
    std::vector<TGadget> choices = Choices(12);
    // The game takes one choice away and offers the next in the freed row.
    FreeGadget(choices[11]);
    const TGadget again = CreateButton("Again", 384, 404 + 30 * 11, 640, 28, window, BUTTON_PUSH);
    Settle();
    ASSERT_NE(ScrollerAround(Button("Again")), nullptr);
    EXPECT_EQ(ScrollerAround(Button("Again")), ScrollerAround(Button("Choice 0")));
    FreeGadget(again);
    for (const TGadget& c : choices) FreeGadget(c);
    Settle();
    std::vector<TGadget> next = Choices(3);
    for (int i = 0; i < 3; ++i) {
        GtkWidget* b = Button("Choice " + std::to_string(i));
        EXPECT_EQ(ScrollerAround(b), nullptr) << i;
        EXPECT_EQ(InWindow(b), (Rect{384, 404 + 30 * i, 640, 28})) << i;
    }
}

TEST_F(WindowTest, OnlyShownLiveButtonsReportPresses) {
    const TGadget choice = Choices(1)[0];
    GtkWidget* b = Button("Choice 0");
    gtk_button_clicked(GTK_BUTTON(b));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].source, choice);
    HideGadget(choice);
    gtk_button_clicked(GTK_BUTTON(b));
    EXPECT_EQ(gSeen.size(), 1u) << "a hidden button was pressed";
    ShowGadget(choice);
    gtk_button_clicked(GTK_BUTTON(b));
    EXPECT_EQ(gSeen.size(), 2u);
    FreeGadget(choice);
    Settle();
    EXPECT_EQ(Button("Choice 0"), nullptr);
}

TEST_F(WindowTest, FontsResolveOnlyWhenInstalled) {
    const struct {
        const char* family;
        bool found;
    } cases[] = {
        {"Noto Sans Regular", true}, {"Noto Sans", true}, {"noto sans regular", true},
        {"Noto Sans Bold", true},    {"No Such Family Regular", false}, {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadGuiFont(c.family, 12, false, false, false, false) != nullptr, c.found) << c.family;
}

int gRestyles = 0;
void CountRestyle(GtkWidget*, gpointer) { ++gRestyles; }

TEST_F(WindowTest, TheStoryIsStyledOnceWithTheFontAskedFor) {
    const TGuiFont font = LoadGuiFont("Noto Sans Regular", 12, false, false, false, false);
    ASSERT_TRUE(font);
    GtkWidget* view = GTK_WIDGET(StoryView());
    gRestyles = 0;
    const gulong id = g_signal_connect(view, "style-updated", G_CALLBACK(CountRestyle), nullptr);
    SetGadgetFont(story, font);
    Settle();
    const int once = gRestyles;
    EXPECT_GT(once, 0);
    // The game sets the font again after every addition to the story.
    for (int i = 0; i < 20; ++i) {
        AddTextAreaText(story, "More of the story.\n");
        SetGadgetFont(story, font);
        SetGadgetFont(story, LoadGuiFont("Noto Sans Regular", 12, false, false, false, false));
    }
    Settle();
    EXPECT_EQ(gRestyles, once);
    g_signal_handler_disconnect(view, id);

    PangoContext* context = gtk_widget_get_pango_context(view);
    const PangoFontDescription* desc = pango_context_get_font_description(context);
    EXPECT_STREQ(pango_font_description_get_family(desc), "Noto Sans");
    double px = pango_font_description_get_size(desc) / static_cast<double>(PANGO_SCALE);
    if (!pango_font_description_get_size_is_absolute(desc)) px *= gdk_screen_get_resolution(gdk_screen_get_default()) / 72.0;
    EXPECT_NEAR(px, 12.0, 0.05);
    EXPECT_EQ(pango_font_description_get_weight(desc), PANGO_WEIGHT_NORMAL);

    // A label takes the button's font.
    SetGadgetFont(fixed[3], font);
    Settle();
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(Button("Show Stats")));
    EXPECT_STREQ(pango_font_description_get_family(pango_context_get_font_description(gtk_widget_get_pango_context(label))),
                 "Noto Sans");
}

TEST_F(WindowTest, TheStoryScrollsToWhatWasAddedAndBackToWhereItIsSelected) {
    // Three hundred lines of one length, so that offsets are easy to tell.
    std::string text;
    for (int i = 100; i < 400; ++i) text += "Line " + std::to_string(i) + " of the story, long enough to wrap round.\n";
    const int line = 50;
    ASSERT_EQ(text.size(), 300u * line);
    SetTextAreaText(story, text);
    SelectTextAreaText(story, 0, 0, TEXTAREA_CHARS);
    Settle();
    GtkAdjustment* v = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(StoryView()));
    EXPECT_EQ(gtk_adjustment_get_value(v), 0.0);
    ASSERT_GT(gtk_adjustment_get_upper(v), gtk_adjustment_get_page_size(v)) << "the story must overflow its area";

    for (int i = 0; i < 3; ++i) {
        AddTextAreaText(story, "The end, for now.\n");
        Settle();
        EXPECT_TRUE(StoryShowsItsEnd()) << i;
    }
    EXPECT_EQ(StoryText(), text + "The end, for now.\nThe end, for now.\nThe end, for now.\n");

    GtkTextBuffer* buffer = gtk_text_view_get_buffer(StoryView());
    const int all = gtk_text_buffer_get_char_count(buffer);
    const struct {
        int pos, length, units;
        int caret, bound;  // character offsets
    } cases[] = {
        {0, 0, TEXTAREA_CHARS, 0, 0},
        {5, 0, TEXTAREA_CHARS, 5, 5},
        {3, 4, TEXTAREA_CHARS, 3, 7},
        {2, 0, TEXTAREA_LINES, 2 * line, 2 * line},
        {1, 2, TEXTAREA_LINES, line, 3 * line},
        {-4, 0, TEXTAREA_CHARS, 0, 0},
        {all + 10, 0, TEXTAREA_CHARS, all, all},
        {all - 2, 10, TEXTAREA_CHARS, all - 2, all},
        {100000, 0, TEXTAREA_LINES, all, all},
    };
    for (const auto& c : cases) {
        SelectTextAreaText(story, c.pos, c.length, c.units);
        GtkTextIter caret, bound;
        gtk_text_buffer_get_iter_at_mark(buffer, &caret, gtk_text_buffer_get_insert(buffer));
        gtk_text_buffer_get_iter_at_mark(buffer, &bound, gtk_text_buffer_get_selection_bound(buffer));
        EXPECT_EQ(gtk_text_iter_get_offset(&caret), c.caret) << c.pos << " " << c.length << " " << c.units;
        EXPECT_EQ(gtk_text_iter_get_offset(&bound), c.bound) << c.pos << " " << c.length << " " << c.units;
    }
    SelectTextAreaText(story, 0, 0, TEXTAREA_CHARS);
    Settle();
    EXPECT_EQ(gtk_adjustment_get_value(v), 0.0);

    // Adding after a selection scrolls to the end again.
    AddTextAreaText(story, "Onwards.\n");
    Settle();
    EXPECT_TRUE(StoryShowsItsEnd());
}

TEST_F(WindowTest, StoryTextIsKeptWhateverItsBytes) {
    const struct {
        std::string given, shown;
    } cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9 \xE2\x80\x94 ok", "caf\xC3\xA9 \xE2\x80\x94 ok"},
        {"bad \xFF byte", "bad \xEF\xBF\xBD byte"},
        {"cut \xE2\x80", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::string("nul\0here", 8), "nul\xEF\xBF\xBDhere"},
    };
    for (const auto& c : cases) {
        SetTextAreaText(story, "");
        AddTextAreaText(story, c.given);
        EXPECT_EQ(StoryText(), c.shown);
        SetTextAreaText(story, c.given);
        EXPECT_EQ(StoryText(), c.shown);
    }
}

TEST_F(WindowTest, AddingToTheStoryDispatchesNothing) {
    const TTimer timer = CreateTimer(1000);
    Settle();
    gSeen.clear();
    for (int i = 0; i < 200; ++i) {
        AddTextAreaText(story, std::string(300, 'x') + "\n");
        if (i % 50 == 0) g_usleep(5000);  // ticks fall due meanwhile
    }
    EXPECT_TRUE(gSeen.empty()) << gSeen.size() << " events arrived while adding";
}

TEST_F(WindowTest, TimersTickAndStopWhenDropped) {
    TTimer timer = CreateTimer(50);
    auto ticks = [] {
        return std::count_if(gSeen.begin(), gSeen.end(), [](const TEvent& e) { return e.id == EVENT_TIMERTICK; });
    };
    for (int i = 0; i < 500 && ticks() < 3; ++i) CurrentBackend().WaitSystemEvent();
    EXPECT_GE(ticks(), 3);
    for (const TEvent& e : gSeen) EXPECT_EQ(e.source, nullptr);
    timer.reset();
    Settle();
    gSeen.clear();
    g_usleep(100000);
    Settle();
    EXPECT_EQ(ticks(), 0);
}

TEST_F(WindowTest, TheCloseBoxAsksAndTheWindowStays) {
    GtkWidget* top = gtk_widget_get_toplevel(Button("Visit"));
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(top)));
    gtk_main_do_event(event);
    gdk_event_free(event);
    Settle();
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].id, EVENT_WINDOWCLOSE);
    EXPECT_EQ(gSeen[0].source, window);
    EXPECT_TRUE(gtk_widget_get_visible(top));
}

TEST_F(WindowTest, AnAddressWithoutAnOpenerIsDroppedQuietly) {
    EXPECT_EQ(OpenURL("thornvale-no-such-scheme://nowhere"), 1);
    for (int i = 0; i < 10; ++i) Settle();
    // Still answering: the window takes a press.
    gSeen.clear();
    gtk_button_clicked(GTK_BUTTON(Button("Consume")));
    EXPECT_EQ(gSeen.size(), 1u);
}

// ---------------------------------------------------------------- pictures, presses

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void UseGtkBackend() {
    if (HasBackend()) return;
    std::string error;
    auto backend = CreateGtkBackend(error);
    ASSERT_TRUE(backend) << error;
    SetBackend(std::move(backend));
}

// Pictures that are broken or absurd must never take the game down or eat
// the machine's memory.
class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseGtkBackend(); }
    void SetUp() override {
        window = CreateWindow("test", 0, 0, 1024, 768, nullptr, WINDOW_TITLEBAR | WINDOW_CENTER);
        panel = CreatePanel(380, 4, 640, 400, window, 0, "");
        Settle();
    }
    void TearDown() override {
        FreeGadget(panel);
        FreeGadget(window);
        Settle();
    }
    TGadget window, panel;
};

TEST_F(PictureTest, AMissingFileIsRefused) {
    EXPECT_FALSE(LoadPixmap("no/such/folder/room_1.bmp"));
    EXPECT_FALSE(LoadPixmap("."));
}

TEST_F(PictureTest, ExtremeShapesAreShownWithoutScalingTheWhole) {
    struct Shape {
        int32_t w, h;
    };
    for (const Shape s : {Shape{1, 100000}, Shape{100000, 1}, Shape{2, 2}}) {
        bitmaps::Write("shape.bmp", bitmaps::Bmp(s.w, s.h));
        const TPixmap p = LoadPixmap("shape.bmp");
        std::remove("shape.bmp");
        ASSERT_TRUE(p) << s.w << "x" << s.h;
        EXPECT_EQ(p->width, s.w);
        EXPECT_EQ(p->height, s.h);
        const long before = ResidentKiB();
        SetGadgetPixmap(panel, p, PIXMAP_FILL);
        ShowGadget(window);
        Settle();
        // Scaling all of 1 x 100,000 to fill the panel would take 640 x
        // 64,000,000 pixels; only the panel's 640 x 400 may be made.
        EXPECT_LT(ResidentKiB() - before, 64 * 1024) << s.w << "x" << s.h;
    }
}

TEST_F(PictureTest, FreeingAButtonInsideItsOwnPressIsSafe) {
    static TGadget pressed;
    static int presses = 0;
    presses = 0;
    pressed = CreateButton("Go East", 384, 404, 640, 28, window, BUTTON_PUSH);
    static auto hook = [](int, TEvent* data, void*) -> TEvent* {
        if (data && data->id == EVENT_GADGETACTION && data->source == pressed) {
            ++presses;
            FreeGadget(pressed);
            // The handle stays valid to compare after its widget is gone.
            EXPECT_TRUE(data->source->freed);
        }
        return nullptr;
    };
    AddHook(EmitEventHook, hook, nullptr, 10);  // ahead of any recording hook
    ShowGadget(window);
    Settle();
    GtkWidget* widget = Button("Go East");
    ASSERT_NE(widget, nullptr);
    gtk_button_clicked(GTK_BUTTON(widget));  // as GTK reports a click
    Settle();
    RemoveHook(EmitEventHook, hook, nullptr);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(pressed->freed);
    pressed.reset();
}

// The files the in-memory backend's tests load too: it must refuse what the
// window refuses, or a test of a broken picture passes there for nothing.
class PictureFileTest : public ::testing::TestWithParam<bitmaps::PictureFile> {
protected:
    static void SetUpTestSuite() { UseGtkBackend(); }
};

TEST_P(PictureFileTest, LoadsWholeDecodableFilesOnly) {
    const std::string path = std::string(GetParam().name) + ".bmp";
    bitmaps::Write(path, GetParam().bytes);
    const TPixmap p = LoadPixmap(path);
    std::remove(path.c_str());
    const std::pair<int, int> size = p ? std::pair(p->width, p->height) : std::pair(0, 0);
    EXPECT_EQ(size, std::pair(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureFileTest, ::testing::ValuesIn(bitmaps::PictureFiles()),
                         [](const auto& file) { return std::string(file.param.name); });

}  // namespace
