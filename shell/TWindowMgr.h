#pragma once

#include "framework/Framework.h"
#include "framework/Record.h"

#include <cstdint>
#include <string>
#include <vector>

// What an action button does. The six moves double as the direction that
// ChangeRoom takes, and their target is the room the exit leads to; the five
// actions on things target an entity, and activating a trigger its ID.
namespace Action {
enum Category : uint16_t {
    North = 1,
    South,
    East,
    West,
    Up,
    Down,
    Examine,
    Ask,
    Fight,
    Take,
    Use,
    ActivateTrigger,
};
}  // namespace Action

// The action behind one action button: its category and its target.
class TActionData : public Record<TActionData> {
public:
    uint16_t id = 0;
    uint16_t category = 0;
    int32_t target = 0;
    TGadget btnGadgetID;
};

// Owns the one window and everything in it; every other part of the game
// reaches the screen through it.
class TWindowMgr {
public:
    // Searched by ActionBtnDelete; nothing ever adds to it.
    static std::vector<TActionData*> ActionDataList;

    TGadget mainWindow;
    TGadget storyText;
    TGadget UserInputText;
    TGadget InstructionBtn;
    TGadget VisitURLBtn;
    TGadget SubmitBtn;
    TGadget ConsumeBtn;
    TGadget InventoryBtn;
    TGadget StatsBtn;
    TGadget RestartGameBtn;
    uint8_t ChoiceBtnNum = 0;  // action buttons since the last clearing; wraps
    uint8_t ChoiceBtnMAX = 8;  // limits nothing
    TGuiFont font;
    TPixmap StoryImg;
    TGadget StoryImgPanel;
    int32_t StoryImgWidth = 640;
    int32_t StoryImgHeight = 400;
    int32_t buttonHeight = 28;

    int Open_Window_Main_Choose();
    int SetStoryArea(const std::string& text);
    int AppendStoryArea(const std::string& text);
    int Open_Window_Main_PureText();
    uint8_t Window_Main_Create_Choice_Btn(uint16_t category, int32_t target, const std::string& label);
    int Window_Main_Clear_Choice_Btns();
    int Hide(const TGadget& gadget);
    int Show(const TGadget& gadget);
    int ActionBtnDelete(const TGadget& gadget);
    int ChangeStoryImage(const std::string& path);
    int CheckBtnClick(const TGadget& source);
    int UpdateHints();

private:
    void ShowStats();
    void Restart();
    void Examine(int32_t target);
    void Fight(int32_t target);
    void Use(int32_t target);
};
