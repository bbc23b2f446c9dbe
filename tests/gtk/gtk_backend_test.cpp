// The GTK backend in-process, in a real window: pictures that are broken or
// absurd must never take the game down or eat the machine's memory.
#include "framework/GtkBackend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtk/gtk.h>
#include <string>
#include <vector>

namespace {

void Settle() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void FindButtonIn(GtkWidget* w, const char* label, GtkWidget** found) {
    if (*found) return;
    if (GTK_IS_BUTTON(w) && gtk_button_get_label(GTK_BUTTON(w)) &&
        std::string(gtk_button_get_label(GTK_BUTTON(w))) == label) {
        *found = w;
        return;
    }
    if (!GTK_IS_CONTAINER(w)) return;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* c = children; c; c = c->next) FindButtonIn(GTK_WIDGET(c->data), label, found);
    g_list_free(children);
}

// The GTK button showing a label, in any window.
GtkWidget* FindButton(const char* label) {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* l = windows; l; l = l->next) FindButtonIn(GTK_WIDGET(l->data), label, &found);
    g_list_free(windows);
    return found;
}

void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A 24-bit BMP header claiming w x h; `pixels` says how many pixel bytes
// really follow (fewer than claimed makes a truncated file).
std::vector<unsigned char> Bmp(int32_t w, int32_t h, size_t pixels, unsigned char fill = 0x80) {
    std::vector<unsigned char> b(54 + pixels, fill);
    const uint64_t row = (static_cast<uint64_t>(w < 0 ? -w : w) * 3 + 3) / 4 * 4;
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(54 + row * static_cast<uint64_t>(h < 0 ? -h : h)));
    Put32(b, 6, 0);
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(w));
    Put32(b, 22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[27] = 0;
    b[28] = 24;
    b[29] = 0;
    Put32(b, 30, 0);
    Put32(b, 34, static_cast<uint32_t>(row * static_cast<uint64_t>(h < 0 ? -h : h)));
    return b;
}

void Write(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

class GtkBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        auto backend = CreateGtkBackend(error);
        ASSERT_TRUE(backend) << error;
        SetBackend(std::move(backend));
    }
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

struct BadPicture {
    const char* name;
    std::vector<unsigned char> bytes;
};

TEST_F(GtkBackendTest, BrokenPicturesAreRefused) {
    std::vector<unsigned char> corrupt = Bmp(640, 400, 640 * 400 * 3);
    corrupt[28] = 7;  // no such bit depth
    std::vector<unsigned char> text(2000, 'x');
    const BadPicture cases[] = {
        {"truncated.bmp", Bmp(640, 400, 1000)},
        {"corrupt.bmp", corrupt},
        {"text.bmp", text},
        {"empty.bmp", {}},
        {"zero.bmp", Bmp(0, 0, 0)},
        {"claims-huge.bmp", Bmp(100000, 100000, 4096)},
    };
    for (const auto& c : cases) {
        Write(c.name, c.bytes);
        EXPECT_FALSE(LoadPixmap(c.name)) << c.name;
        std::remove(c.name);
    }
    EXPECT_FALSE(LoadPixmap("no/such/folder/room_1.bmp"));
}

TEST_F(GtkBackendTest, ExtremeShapesAreShownWithoutScalingTheWhole) {
    struct Shape {
        int32_t w, h;
    };
    for (const Shape s : {Shape{1, 100000}, Shape{100000, 1}, Shape{2, 2}}) {
        const uint64_t row = (static_cast<uint64_t>(s.w) * 3 + 3) / 4 * 4;
        Write("shape.bmp", Bmp(s.w, s.h, static_cast<size_t>(row * static_cast<uint64_t>(s.h))));
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

TEST_F(GtkBackendTest, FreeingAButtonInsideItsOwnPressIsSafe) {
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
    AddHook(EmitEventHook, hook, nullptr, 0);
    ShowGadget(window);
    Settle();
    GtkWidget* widget = FindButton("Go East");
    ASSERT_NE(widget, nullptr);
    gtk_button_clicked(GTK_BUTTON(widget));  // as GTK reports a click
    Settle();
    RemoveHook(EmitEventHook, hook, nullptr);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(pressed->freed);
    pressed.reset();
}

}  // namespace
