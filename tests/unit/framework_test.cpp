// The platform layer on its own: dice, the event hook, picture placement and
// loading, and the desktop opener.
#include "framework/MemoryBackend.h"
#include "tests/BrokenBitmaps.h"
#include "tests/unit/TestGame.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <unistd.h>
#include <utility>

namespace {

struct FrameworkTest : ::testing::Test {
    MemoryBackend* ui = nullptr;
    void SetUp() override {
        auto backend = std::make_unique<MemoryBackend>();
        ui = backend.get();
        SetBackend(std::move(backend));
    }
    void TearDown() override {
        SetRandomSource(nullptr);
        SetBackend(nullptr);
    }
};

TEST_F(FrameworkTest, RandIncludesBothBoundsAndSwapsReversedOnes) {
    SeedRnd(42);
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const int32_t v = Rand(3, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen, (std::set<int32_t>{1, 2, 3}));
    EXPECT_EQ(Rand(7, 7), 7);
    EXPECT_EQ(Rand(-1, -6) <= -1, true);
}

TEST_F(FrameworkTest, SameSeedGivesSameDraws) {
    SeedRnd(1234);
    std::vector<int32_t> first;
    for (int i = 0; i < 20; ++i) first.push_back(Rand(1, 100));
    SeedRnd(1234);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Rand(1, 100), first[static_cast<size_t>(i)]);
}

TEST_F(FrameworkTest, ReversedBoundsReachTheSourceInOrder) {
    auto scripted = std::make_unique<ScriptedRandom>();
    ScriptedRandom* dice = scripted.get();
    SetRandomSource(std::move(scripted));
    // Scripted, so the roll is seen to come back unchanged as well.
    dice->rolls = {4};
    EXPECT_EQ(Rand(5, 1), 4);
    EXPECT_EQ(dice->draws, (Draws{{1, 5}}));
    EXPECT_TRUE(dice->rolls.empty());
}

struct Placement {
    int panelW, panelH, picW, picH;
    PixmapPlacement expected;
};

TEST(FillPlacementTest, CoversThePanelCentredAndCut) {
    const Placement cases[] = {
        {640, 400, 640, 400, {0, 0, 640, 400}},      // exact size: unscaled
        {640, 400, 320, 200, {0, 0, 640, 400}},      // doubled
        {640, 400, 640, 640, {0, -120, 640, 640}},   // 120 rows cut top and bottom
        {640, 400, 1280, 400, {-320, 0, 1280, 400}}, // too wide: cut left and right
        {640, 400, 100, 100, {0, -120, 640, 640}},
    };
    for (const auto& c : cases) {
        const PixmapPlacement p = FillPlacement(c.panelW, c.panelH, c.picW, c.picH);
        EXPECT_EQ(std::tie(p.x, p.y, p.width, p.height),
                  std::tie(c.expected.x, c.expected.y, c.expected.width, c.expected.height))
            << c.picW << "x" << c.picH;
    }
}

TEST(FillPlacementTest, EmptyPictureShowsNothing) {
    const PixmapPlacement p = FillPlacement(640, 400, 0, 0);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.height, 0);
}

// Hooks of the test: each records its call and passes on or consumes.
std::vector<std::string> calls;
TEvent* PassOn(int, TEvent* data, void* context) {
    calls.push_back(std::string(static_cast<const char*>(context)) + (data ? "" : "(null)"));
    return data;
}
TEvent* Consume(int, TEvent*, void* context) {
    calls.push_back(static_cast<const char*>(context));
    return nullptr;
}

TEST_F(FrameworkTest, HooksRunByDescendingPriorityAndNullConsumes) {
    calls.clear();
    static char low[] = "low", high[] = "high", mid[] = "mid";
    AddHook(EmitEventHook, PassOn, low, -5);
    AddHook(EmitEventHook, PassOn, high, 10);
    AddHook(EmitEventHook, PassOn, mid, 0);
    EmitEvent(TEvent{EVENT_TIMERTICK, nullptr});
    EXPECT_EQ(calls, (std::vector<std::string>{"high", "mid", "low"}));
    // Nothing consumed it, so the framework's queue has it.
    EXPECT_EQ(WaitEvent(), EVENT_TIMERTICK);

    calls.clear();
    RemoveHook(EmitEventHook, PassOn, mid);
    AddHook(EmitEventHook, Consume, mid, 0);
    EmitEvent(TEvent{EVENT_WINDOWCLOSE, nullptr});
    // Later hooks still run, but receive nothing to pass on to the queue.
    EXPECT_EQ(calls, (std::vector<std::string>{"high", "mid", "low(null)"}));
}

TEST_F(FrameworkTest, PressReachesOnlyLiveShownButtons) {
    calls.clear();
    static char seen[] = "press";
    AddHook(EmitEventHook, Consume, seen, 0);
    const TGadget window = CreateWindow("w", 0, 0, 100, 100, nullptr, 1);
    const TGadget button = CreateButton("B", 0, 0, 10, 10, window, 8);
    EXPECT_TRUE(ui->Press(button));
    HideGadget(button);
    EXPECT_FALSE(ui->Press(button));
    ShowGadget(button);
    FreeGadget(button);
    EXPECT_TRUE(button->freed);
    EXPECT_FALSE(ui->Press(button));
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(FrameworkTest, OpenURLHandsWebAddressesOnAsTheyAre) {
    EXPECT_EQ(OpenURL("http://www.example.org/index.php/software/"), 1);
    ASSERT_EQ(ui->opened.size(), 1u);
    EXPECT_EQ(ui->opened[0], "http://www.example.org/index.php/software/");
}

TEST_F(FrameworkTest, OpenURLHandsAnExistingFileAsAbsoluteFileUri) {
    const std::string name = "open url test #1.pdf";
    std::ofstream(name) << "%PDF";
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(OpenURL(name), 1);
    std::remove(name.c_str());
    ASSERT_EQ(ui->opened.size(), 1u);
    EXPECT_EQ(ui->opened[0], "file://" + std::string(cwd) + "/open%20url%20test%20%231.pdf");
}

TEST_F(FrameworkTest, OpenURLHandsNothingForAMissingFile) {
    EXPECT_EQ(OpenURL("no-such-readme.pdf"), 0);
    EXPECT_EQ(OpenURL(""), 0);
    EXPECT_TRUE(ui->opened.empty());
}

TEST_F(FrameworkTest, LoadPixmapReadsBmpAndRefusesOtherFiles) {
    const ScratchFolder folder;
    bitmaps::Write("room.bmp", bitmaps::Bmp(320, 200));
    std::ofstream("room.txt") << "not a picture, only text that is long enough";
    const TPixmap p = LoadPixmap("room.bmp");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 320);
    EXPECT_EQ(p->height, 200);
    EXPECT_FALSE(LoadPixmap("room.txt"));
    EXPECT_FALSE(LoadPixmap("missing.bmp"));
    EXPECT_FALSE(LoadPixmap("."));
}

// The files the real window's tests load: without a display a picture loads
// exactly when it would in the window, with the same size.
class PictureFileTest : public FrameworkTest, public ::testing::WithParamInterface<bitmaps::PictureFile> {};

TEST_P(PictureFileTest, LoadsAsInTheWindow) {
    const ScratchFolder folder;
    bitmaps::Write("room.bmp", GetParam().bytes);
    const TPixmap p = LoadPixmap("room.bmp");
    const std::pair<int, int> size = p ? std::pair(p->width, p->height) : std::pair(0, 0);
    EXPECT_EQ(size, std::pair(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureFileTest, ::testing::ValuesIn(bitmaps::PictureFiles()), CaseName());

}  // namespace
