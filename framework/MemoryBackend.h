// A backend without a display: it records every gadget and what is done to
// it, and lets a test press buttons, tick the timer and close the window as a
// user and the system would.
#pragma once

#include "framework/Framework.h"

#include <string>
#include <vector>

struct MemGadget : Gadget {
    explicit MemGadget(GadgetKind k) : Gadget(k) {}
    std::string label;  // window title, button label
    int x = 0, y = 0, width = 0, height = 0;
    int style = 0;
    bool visible = true;
    bool active = false;  // has the keyboard focus
    TGadget parent;
    TGuiFont font;
    int fontApplications = 0;  // how often a font was set on it
    int appends = 0;           // how often text was appended (text areas)
    std::string text;          // text area contents
    size_t caret = 0;          // caret position in characters (text areas)
    bool viewAtEnd = false;    // the view shows the end of the text
    TPixmap pixmap;            // picture shown (panels)
    int pixmapMode = 0;
};

struct MemPixmap : Pixmap {
    MemPixmap(int w, int h, std::string p) : Pixmap(w, h), path(std::move(p)) {}
    const std::string path;
};

class MemoryBackend : public Backend {
public:
    // ---- what a test sees and does
    std::vector<TGadget> gadgets;      // every gadget created, in order
    bool keepFreed = true;             // false: forget freed gadgets (long runs)
    long long created = 0;             // gadgets created in all
    std::vector<std::string> opened;   // URIs handed to the opener
    std::vector<double> timers;        // rates of the timers created
    bool ended = false;
    // Families LoadGuiFont can find.
    std::vector<std::string> fonts = {"Noto Sans Regular"};

    static MemGadget& Info(const TGadget& g) { return static_cast<MemGadget&>(*g); }
    // Live (not freed) buttons in creation order, optionally visible only.
    std::vector<TGadget> Buttons(bool visibleOnly = true) const;
    TGadget ButtonLabelled(const std::string& label) const;
    // Presses a button as a user would: only a live, shown button reacts.
    bool Press(const TGadget& button);
    bool Press(const std::string& label);
    void Tick();
    void CloseWindow();
    void Terminate();

    // ---- Backend
    TGadget CreateWindow(const std::string& title, int x, int y, int w, int h, int style) override;
    int ClientWidth(const TGadget& window) override;
    int ClientHeight(const TGadget& window) override;
    int GadgetWidth(const TGadget& gadget) override;
    TGadget CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style) override;
    TGadget CreatePanel(int x, int y, int w, int h, const TGadget& parent, int style, const std::string& text) override;
    TGadget CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent,
                         int style) override;
    TGadget CreateTextField(int x, int y, int w, int h, const TGadget& parent, int style) override;
    TGuiFont LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                         bool strikethrough) override;
    void SetGadgetFont(const TGadget& gadget, const TGuiFont& font) override;
    void HideGadget(const TGadget& gadget) override;
    void ShowGadget(const TGadget& gadget) override;
    void FreeGadget(const TGadget& gadget) override;
    void ActivateWindow(const TGadget& window) override;
    void ActivateGadget(const TGadget& gadget) override;
    void AddTextAreaText(const TGadget& area, const std::string& text) override;
    void SetTextAreaText(const TGadget& area, const std::string& text) override;
    void SelectTextAreaText(const TGadget& area, int pos, int length, int units) override;
    TPixmap LoadPixmap(const std::string& path) override;
    void SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode) override;
    TTimer CreateTimer(double hertz) override;
    void WaitSystemEvent() override;
    void LaunchUri(const std::string& uri) override;
    void End() override;

private:
    TGadget Make(GadgetKind kind, int x, int y, int w, int h, const TGadget& parent, int style);
};
