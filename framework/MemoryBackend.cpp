#include "framework/MemoryBackend.h"

#include <cstdio>
#include <cstring>

namespace {

// Reads the size from a BMP's header; the rest of the file is not needed
// without a display.
bool ReadBmpSize(const std::string& path, int& w, int& h) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char header[26];
    const bool ok = std::fread(header, 1, sizeof header, f) == sizeof header && header[0] == 'B' && header[1] == 'M';
    std::fclose(f);
    if (!ok) return false;
    int32_t bw, bh;
    std::memcpy(&bw, header + 18, 4);
    std::memcpy(&bh, header + 22, 4);
    if (bw <= 0 || bh == 0 || bh == INT32_MIN) return false;
    w = bw;
    h = bh < 0 ? -bh : bh;
    return true;
}

}  // namespace

TGadget MemoryBackend::Make(GadgetKind kind, int x, int y, int w, int h, const TGadget& parent, int style) {
    auto g = std::make_shared<MemGadget>(kind);
    g->x = x;
    g->y = y;
    g->width = w;
    g->height = h;
    g->parent = parent;
    g->style = style;
    gadgets.push_back(g);
    ++created;
    return g;
}

std::vector<TGadget> MemoryBackend::Buttons(bool visibleOnly) const {
    std::vector<TGadget> out;
    for (const auto& g : gadgets)
        if (g->kind == GadgetKind::Button && !g->freed && (!visibleOnly || Info(g).visible)) out.push_back(g);
    return out;
}

TGadget MemoryBackend::ButtonLabelled(const std::string& label) const {
    for (const auto& g : Buttons()) if (Info(g).label == label) return g;
    return nullptr;
}

bool MemoryBackend::Press(const TGadget& button) {
    if (!button || button->freed || button->kind != GadgetKind::Button || !Info(button).visible) return false;
    EmitEvent(TEvent{EVENT_GADGETACTION, button});
    return true;
}

bool MemoryBackend::Press(const std::string& label) { return Press(ButtonLabelled(label)); }
void MemoryBackend::Tick() { EmitEvent(TEvent{EVENT_TIMERTICK, nullptr}); }

void MemoryBackend::CloseWindow() {
    for (const auto& g : gadgets)
        if (g->kind == GadgetKind::Window && !g->freed) {
            EmitEvent(TEvent{EVENT_WINDOWCLOSE, g});
            return;
        }
}

void MemoryBackend::Terminate() { EmitEvent(TEvent{EVENT_APPTERMINATE, nullptr}); }

TGadget MemoryBackend::CreateWindow(const std::string& title, int x, int y, int w, int h, int style) {
    auto g = Make(GadgetKind::Window, x, y, w, h, nullptr, style);
    Info(g).label = title;
    return g;
}

int MemoryBackend::ClientWidth(const TGadget& window) { return Info(window).width; }
int MemoryBackend::ClientHeight(const TGadget& window) { return Info(window).height; }
int MemoryBackend::GadgetWidth(const TGadget& gadget) { return Info(gadget).width; }

TGadget MemoryBackend::CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style) {
    return Make(GadgetKind::TextArea, x, y, w, h, parent, style);
}

TGadget MemoryBackend::CreatePanel(int x, int y, int w, int h, const TGadget& parent, int style,
                                   const std::string& text) {
    auto g = Make(GadgetKind::Panel, x, y, w, h, parent, style);
    Info(g).label = text;
    return g;
}

TGadget MemoryBackend::CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent,
                                    int style) {
    auto g = Make(GadgetKind::Button, x, y, w, h, parent, style);
    Info(g).label = label;
    return g;
}

TGadget MemoryBackend::CreateTextField(int x, int y, int w, int h, const TGadget& parent, int style) {
    return Make(GadgetKind::TextField, x, y, w, h, parent, style);
}

TGuiFont MemoryBackend::LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                                    bool strikethrough) {
    for (const auto& f : fonts) {
        if (f != family) continue;
        auto font = std::make_shared<GuiFont>();
        font->family = family;
        font->size = size;
        font->bold = bold;
        font->italic = italic;
        font->underline = underline;
        font->strikethrough = strikethrough;
        return font;
    }
    return nullptr;
}

void MemoryBackend::SetGadgetFont(const TGadget& gadget, const TGuiFont& font) {
    Info(gadget).font = font;
    Info(gadget).fontApplications++;
}

void MemoryBackend::HideGadget(const TGadget& gadget) { Info(gadget).visible = false; }
void MemoryBackend::ShowGadget(const TGadget& gadget) { Info(gadget).visible = true; }
void MemoryBackend::FreeGadget(const TGadget& gadget) {
    Info(gadget).visible = false;
    if (!keepFreed) std::erase(gadgets, gadget);
}
void MemoryBackend::ActivateWindow(const TGadget& window) { Info(window).active = true; }
void MemoryBackend::ActivateGadget(const TGadget& gadget) { Info(gadget).active = true; }

void MemoryBackend::AddTextAreaText(const TGadget& area, const std::string& text) {
    auto& a = Info(area);
    a.text += text;
    a.appends++;
    a.viewAtEnd = true;
}

void MemoryBackend::SetTextAreaText(const TGadget& area, const std::string& text) {
    auto& a = Info(area);
    a.text = text;
    a.viewAtEnd = text.empty();
}

void MemoryBackend::SelectTextAreaText(const TGadget& area, int pos, int, int) {
    auto& a = Info(area);
    a.caret = pos < 0 ? 0 : static_cast<size_t>(pos);
    a.viewAtEnd = a.text.empty();
}

TPixmap MemoryBackend::LoadPixmap(const std::string& path) {
    int w = 0, h = 0;
    if (!ReadBmpSize(path, w, h)) return nullptr;
    return std::make_shared<MemPixmap>(w, h, path);
}

void MemoryBackend::SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode) {
    Info(panel).pixmap = pixmap;
    Info(panel).pixmapMode = mode;
}

TTimer MemoryBackend::CreateTimer(double hertz) {
    timers.push_back(hertz);
    return std::make_shared<Timer>(hertz);
}

// Nothing arrives on its own without a display: tests emit events themselves.
void MemoryBackend::WaitSystemEvent() { Tick(); }

void MemoryBackend::LaunchUri(const std::string& uri) { opened.push_back(uri); }
void MemoryBackend::End() { ended = true; }
