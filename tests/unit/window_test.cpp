// The main window and its action buttons on the in-memory backend.
#include "shell/Globals.h"
#include "shell/TWindowMgr.h"
#include "tests/BrokenBitmaps.h"
#include "tests/unit/TestGame.h"

#include <cstdio>
#include <tuple>

namespace {

using Rect = std::tuple<int, int, int, int>;

Rect Geometry(const TGadget& g) {
    const MemGadget& m = MemoryBackend::Info(g);
    return {m.x, m.y, m.width, m.height};
}

class WindowTest : public StartedGameTest {};

// Start-up on a backend set up differently first.
class WindowStartUpTest : public GameTest {};

TEST_F(WindowTest, MainLayoutLiesExactlyAsDrawn) {
    const TWindowMgr& w = *WindowMgr;
    const struct {
        const TGadget& gadget;
        const char* label;
        Rect rect;
    } layout[] = {
        {w.mainWindow, "Thornvale, v1.2.3", {0, 0, 1024, 768}},
        {w.storyText, "", {4, 4, 380, 764}},
        {w.StoryImgPanel, "", {380, 4, 640, 400}},
        {w.VisitURLBtn, "Visit thornvale-adventures.example", {384, 740, 320, 28}},
        {w.InstructionBtn, "Get Instructions", {704, 740, 320, 28}},
        {w.ConsumeBtn, "Consume", {384, 712, 213, 28}},
        {w.StatsBtn, "Show Stats", {597, 712, 213, 28}},
        {w.InventoryBtn, "Show Inventory", {810, 712, 213, 28}},
        {w.RestartGameBtn, "Restart Game", {597, 568, 213, 28}},
    };
    for (const auto& row : layout) {
        ASSERT_TRUE(row.gadget) << row.label;
        EXPECT_EQ(Geometry(row.gadget), row.rect) << row.label;
        EXPECT_EQ(MemoryBackend::Info(row.gadget).label, row.label);
    }
    EXPECT_EQ(MemoryBackend::Info(w.mainWindow).style, 513);
    EXPECT_EQ(MemoryBackend::Info(w.storyText).style, 3);
    EXPECT_EQ(MemoryBackend::Info(w.VisitURLBtn).style, 8);
    EXPECT_TRUE(MemoryBackend::Info(w.mainWindow).active);
    EXPECT_FALSE(MemoryBackend::Info(w.RestartGameBtn).visible);
    EXPECT_TRUE(MemoryBackend::Info(w.ConsumeBtn).visible);
}

TEST_F(WindowTest, FontGoesToTheTextAndButtonsButNotWindowOrPanel) {
    const TWindowMgr& w = *WindowMgr;
    ASSERT_TRUE(w.font);
    EXPECT_EQ(w.font->family, "Noto Sans Regular");
    EXPECT_EQ(w.font->size, 12);
    for (const TGadget* g : {&w.storyText, &w.VisitURLBtn, &w.InstructionBtn, &w.ConsumeBtn, &w.StatsBtn,
                             &w.InventoryBtn, &w.RestartGameBtn})
        EXPECT_EQ(MemoryBackend::Info(*g).font, w.font);
    EXPECT_FALSE(MemoryBackend::Info(w.mainWindow).font);
    EXPECT_FALSE(MemoryBackend::Info(w.StoryImgPanel).font);
    for (const auto& action : TActionData::_list) EXPECT_EQ(MemoryBackend::Info(action->btnGadgetID).font, w.font);
}

TEST_F(WindowStartUpTest, MissingFontLeavesEveryGadgetOnTheDefault) {
    ui().fonts.clear();
    Start();
    EXPECT_FALSE(WindowMgr->font);
    for (const auto& g : ui().gadgets) EXPECT_FALSE(MemoryBackend::Info(g).font);
    WindowMgr->AppendStoryArea("still shown");
    EXPECT_TRUE(Story().ends_with("still shown"));
}

TEST_F(WindowTest, ActionButtonsStackThirtyPixelsApartAndRestartAfterClearing) {
    WindowMgr->Window_Main_Clear_Choice_Btns();
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 0);
    EXPECT_TRUE(TActionData::_list.empty());
    for (int i = 0; i < 11; ++i) WindowMgr->Window_Main_Create_Choice_Btn(Action::Examine, i, "B" + std::to_string(i));
    const auto& first = TActionData::_list.front();
    EXPECT_EQ(Geometry(first->btnGadgetID), Rect(384, 404, 640, 28));
    EXPECT_EQ(std::get<1>(Geometry((*std::next(TActionData::_list.begin()))->btnGadgetID)), 434);
    EXPECT_EQ(std::get<1>(Geometry(TActionData::_list.back()->btnGadgetID)), 704);
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 11);
    EXPECT_EQ(TActionData::_list.back()->category, Action::Examine);
    EXPECT_EQ(TActionData::_list.back()->target, 10);

    const TGadget old = first->btnGadgetID;
    WindowMgr->Window_Main_Clear_Choice_Btns();
    EXPECT_TRUE(old->freed);
    EXPECT_EQ(ui().Buttons().size(), 5u);  // the fixed buttons but Restart
    WindowMgr->Window_Main_Create_Choice_Btn(Action::North, 2, "Go North");
    EXPECT_EQ(Geometry(TActionData::_list.front()->btnGadgetID), Rect(384, 404, 640, 28));
}

TEST_F(WindowTest, ButtonCounterWrapsAtEightBits) {
    WindowMgr->Window_Main_Clear_Choice_Btns();
    for (int i = 0; i < 256; ++i) WindowMgr->Window_Main_Create_Choice_Btn(Action::Examine, i, "B");
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 0);
    WindowMgr->Window_Main_Create_Choice_Btn(Action::Examine, 256, "again");
    EXPECT_EQ(std::get<1>(Geometry(TActionData::_list.back()->btnGadgetID)), 404);
    // ActionBtnDelete finds nothing to delete and only lowers the count.
    WindowMgr->ActionBtnDelete(TActionData::_list.back()->btnGadgetID);
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 0);
    WindowMgr->ActionBtnDelete(nullptr);
    EXPECT_EQ(WindowMgr->ChoiceBtnNum, 255);
    EXPECT_FALSE(TActionData::_list.back()->btnGadgetID->freed);
}

TEST_F(WindowTest, AppendJoinsTextsAndShowsTheEnd) {
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->storyText).viewAtEnd);  // start-up shows the beginning
    const std::string before = Story();
    WindowMgr->AppendStoryArea("");
    EXPECT_EQ(Story(), before);
    WindowMgr->AppendStoryArea("one");
    WindowMgr->AppendStoryArea("two");
    EXPECT_EQ(Story(), before + "onetwo");
    EXPECT_TRUE(MemoryBackend::Info(WindowMgr->storyText).viewAtEnd);
}

TEST_F(WindowTest, SetStoryAreaReplacesTheTextAndGoesToTheTop) {
    WindowMgr->AppendStoryArea("x");
    WindowMgr->SetStoryArea("fresh");
    EXPECT_EQ(Story(), "fresh");
    EXPECT_EQ(MemoryBackend::Info(WindowMgr->storyText).caret, 0u);
    EXPECT_FALSE(MemoryBackend::Info(WindowMgr->storyText).viewAtEnd);
}

TEST_F(WindowTest, MissingPictureKeepsThePreviousOne) {
    const TGadget& panel = WindowMgr->StoryImgPanel;
    EXPECT_FALSE(MemoryBackend::Info(panel).pixmap);  // no pictures beside the tests
    const std::string path = "window_test_room.bmp";
    bitmaps::Write(path, bitmaps::Bmp(640, 400));
    WindowMgr->ChangeStoryImage(path);
    std::remove(path.c_str());
    const TPixmap shown = MemoryBackend::Info(panel).pixmap;
    ASSERT_TRUE(shown);
    EXPECT_EQ(MemoryBackend::Info(panel).pixmapMode, 4);
    Mark();
    WindowMgr->ChangeStoryImage("data/media/img/none.bmp");
    EXPECT_EQ(MemoryBackend::Info(panel).pixmap, shown);
    EXPECT_FALSE(WindowMgr->StoryImg);
    EXPECT_EQ(Since(), "");
}

TEST_F(WindowTest, HideAndShowIgnoreNull) {
    EXPECT_EQ(WindowMgr->Hide(nullptr), 0);
    EXPECT_EQ(WindowMgr->Show(nullptr), 0);
    WindowMgr->Show(WindowMgr->RestartGameBtn);
    EXPECT_TRUE(MemoryBackend::Info(WindowMgr->RestartGameBtn).visible);
}

TEST_F(WindowTest, SecondLayoutHasTextFieldAndSubmit) {
    WindowMgr->Open_Window_Main_PureText();
    const TWindowMgr& w = *WindowMgr;
    EXPECT_EQ(Geometry(w.mainWindow), Rect(0, 0, 800, 670));
    EXPECT_EQ(MemoryBackend::Info(w.mainWindow).style, 1);
    EXPECT_EQ(Geometry(w.storyText), Rect(0, 0, 800, 600));
    EXPECT_EQ(Geometry(w.UserInputText), Rect(0, 610, 652, 30));
    EXPECT_EQ(Geometry(w.SubmitBtn), Rect(672, 610, 65, 30));
    EXPECT_EQ(MemoryBackend::Info(w.SubmitBtn).label, "Submit");
    EXPECT_TRUE(MemoryBackend::Info(w.UserInputText).active);
    EXPECT_EQ(MemoryBackend::Info(w.UserInputText).font, w.font);
}

}  // namespace
