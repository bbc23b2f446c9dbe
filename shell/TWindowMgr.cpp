#include "shell/TWindowMgr.h"

#include "shell/Links.h"

std::vector<TActionData*> TWindowMgr::ActionDataList;

int TWindowMgr::Open_Window_Main_Choose() {
    mainWindow = CreateWindow(AppTitle, 0, 0, 1024, 768, nullptr, WINDOW_TITLEBAR | WINDOW_CENTER);
    const int W = ClientWidth(mainWindow);
    const int H = ClientHeight(mainWindow);
    const int IW = StoryImgWidth;
    const int IH = StoryImgHeight;
    const int BH = buttonHeight;
    storyText = CreateTextArea(4, 4, W - 4 - IW, H - 4, mainWindow, TEXTAREA_WORDWRAP | TEXTAREA_READONLY);
    StoryImgPanel = CreatePanel(W - 4 - IW, 4, IW, IH, mainWindow, 0, "");
    const int PW = GadgetWidth(StoryImgPanel);
    VisitURLBtn = CreateButton(std::string("Visit ") + kMakerDomain, W - IW, H - BH, PW / 2, BH, mainWindow, BUTTON_PUSH);
    InstructionBtn = CreateButton("Get Instructions", W - IW + PW / 2, H - BH, PW / 2, BH, mainWindow, BUTTON_PUSH);
    ConsumeBtn = CreateButton("Consume", W - IW, H - 2 * BH, PW / 3, BH, mainWindow, BUTTON_PUSH);
    StatsBtn = CreateButton("Show Stats", W - IW + PW / 3, H - 2 * BH, PW / 3, BH, mainWindow, BUTTON_PUSH);
    InventoryBtn = CreateButton("Show Inventory", W - IW + 2 * (PW / 3), H - 2 * BH, PW / 3, BH, mainWindow, BUTTON_PUSH);
    RestartGameBtn = CreateButton("Restart Game", W - IW + PW / 3, H / 2 + 184, PW / 3, BH, mainWindow, BUTTON_PUSH);

    font = LoadGuiFont("Noto Sans Regular", 12, false, false, false, false);
    if (font) {
        for (const TGadget* g : {&storyText, &VisitURLBtn, &InstructionBtn, &ConsumeBtn, &StatsBtn, &InventoryBtn,
                                 &RestartGameBtn})
            SetGadgetFont(*g, font);
    }
    HideGadget(RestartGameBtn);
    ActivateWindow(mainWindow);
    return 0;
}

int TWindowMgr::SetStoryArea(const std::string& text) {
    SetTextAreaText(storyText, text);
    SelectTextAreaText(storyText, 0, 0, TEXTAREA_CHARS);
    return 0;
}

int TWindowMgr::AppendStoryArea(const std::string& text) {
    AddTextAreaText(storyText, text);
    // Setting the font that is already set is free in every backend, so the
    // story does not get re-styled as it grows.
    SetGadgetFont(storyText, font);
    return 0;
}

int TWindowMgr::Open_Window_Main_PureText() {
    mainWindow = CreateWindow(AppTitle, 0, 0, 800, 670, nullptr, WINDOW_TITLEBAR);
    storyText = CreateTextArea(0, 0, ClientWidth(mainWindow), 600, mainWindow, TEXTAREA_WORDWRAP | TEXTAREA_READONLY);
    UserInputText = CreateTextField(0, 610, 652, 30, mainWindow, 0);
    SubmitBtn = CreateButton("Submit", 672, 610, 65, 30, mainWindow, BUTTON_PUSH);
    font = LoadGuiFont("Noto Sans Regular", 12, false, false, false, false);
    if (font) {
        SetGadgetFont(storyText, font);
        SetGadgetFont(UserInputText, font);
        SetGadgetFont(SubmitBtn, font);
    }
    ActivateWindow(mainWindow);
    ActivateGadget(UserInputText);
    return 0;
}

uint8_t TWindowMgr::Window_Main_Create_Choice_Btn(uint16_t category, int32_t target, const std::string& label) {
    TActionData* action = NewRecord<TActionData>();
    action->category = category;
    action->target = target;
    const int W = ClientWidth(mainWindow);
    const int PW = GadgetWidth(StoryImgPanel);
    // Rows are a fixed 30 pixels apart: 28-pixel buttons and a 2-pixel gap.
    action->btnGadgetID = CreateButton(label, W - StoryImgWidth, StoryImgHeight + 4 + 30 * ChoiceBtnNum, PW,
                                       buttonHeight, mainWindow, BUTTON_PUSH);
    ++ChoiceBtnNum;
    if (font) SetGadgetFont(action->btnGadgetID, font);
    return 0;
}

int TWindowMgr::Window_Main_Clear_Choice_Btns() {
    for (const auto& action : TActionData::_list) {
        if (!action->btnGadgetID) continue;
        HideGadget(action->btnGadgetID);
        FreeGadget(action->btnGadgetID);
        action->btnGadgetID = nullptr;
    }
    ActionDataList.clear();
    TActionData::_list.clear();
    ChoiceBtnNum = 0;
    return 0;
}

int TWindowMgr::Hide(const TGadget& gadget) {
    if (gadget) HideGadget(gadget);
    return 0;
}

int TWindowMgr::Show(const TGadget& gadget) {
    if (gadget) ShowGadget(gadget);
    return 0;
}

int TWindowMgr::ActionBtnDelete(const TGadget& gadget) {
    std::erase_if(ActionDataList, [&](TActionData* action) {
        if (action->btnGadgetID != gadget) return false;
        FreeGadget(action->btnGadgetID);
        action->btnGadgetID = nullptr;
        return true;
    });
    --ChoiceBtnNum;
    return 0;
}

int TWindowMgr::ChangeStoryImage(const std::string& path) {
    StoryImg = LoadPixmap(path);
    if (StoryImg) SetGadgetPixmap(StoryImgPanel, StoryImg, PIXMAP_FILL);
    return 0;
}
