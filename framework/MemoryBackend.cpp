#include "framework/MemoryBackend.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

uint32_t Le(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

// The size of the picture in a BMP, when the file holds every row of it.
// Without a display nothing is decoded, so the header is checked against the
// file's real length instead: a file the GTK backend refuses (cut short,
// sizes that disagree with the file, fields its decoder rejects) is refused
// here too. Only plain rows are taken; the length of compressed ones says
// nothing without decoding them, and no room picture is compressed.
bool ReadBmpSize(const std::string& path, int& w, int& h) {
    std::error_code error;
    const uint64_t length = std::filesystem::file_size(path, error);
    if (error) return false;
    unsigned char b[54];  // the file header and the fields of the info header read here
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(b), sizeof b) || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t infoSize = Le(b + 14, 4), depth = Le(b + 28, 2), compression = Le(b + 30, 4),
                   colours = Le(b + 46, 4);
    const auto width = static_cast<int32_t>(Le(b + 18, 4)), height = static_cast<int32_t>(Le(b + 22, 4));
    // The info headers that keep these fields in these places; the 12-byte
    // OS/2 one, which GTK reads too, keeps them elsewhere, and no room
    // picture has it.
    const uint32_t infoSizes[] = {40, 52, 56, 64, 108, 124};
    const uint32_t depths[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(infoSizes), std::end(infoSizes), infoSize) == std::end(infoSizes) ||
        std::find(std::begin(depths), std::end(depths), depth) == std::end(depths) || compression != 0)
        return false;
    if (width <= 0 || height == 0) return false;
    const auto rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    if (static_cast<uint64_t>(width) * rows > static_cast<uint64_t>(kMaxPicturePixels)) return false;
    // The rows start at their offset, or right after the headers when it
    // points inside them: GTK's decoder reads the headers first.
    const uint64_t offset = Le(b + 10, 4), headers = 14 + infoSize;
    uint64_t start = std::max(offset, headers);
    if (depth <= 8) {
        // A colour table comes first, and the decoder loses its place unless
        // the rows follow it at once.
        if (colours > (1u << depth)) return false;
        start = headers + 4 * uint64_t{colours ? colours : 1u << depth};
        if (offset != start) return false;
    }
    const uint64_t stride = (static_cast<uint64_t>(width) * depth + 31) / 32 * 4;
    if (start > length || stride * rows > length - start) return false;
    w = width;
    h = static_cast<int>(rows);
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
