#include "framework/Framework.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const int EmitEventHook = 1;
std::string AppTitle;

namespace {

struct Hook {
    int hookId;
    HookFunction fn;
    void* context;
    int priority;
};

std::unique_ptr<Backend> gBackend;
std::vector<Hook> gHooks;
std::deque<TEvent> gQueue;

// The framework's own queue: whatever no earlier hook consumed.
TEvent* QueueHook(int, TEvent* data, void*) {
    if (data) gQueue.push_back(*data);
    return data;
}

void ResetEvents() {
    gHooks.clear();
    gQueue.clear();
    AddHook(EmitEventHook, QueueHook, nullptr, -10000);
}

class DefaultRandom : public RandomSource {
public:
    void Seed(int32_t seed) override { engine_.seed(static_cast<uint32_t>(seed)); }
    int32_t Next(int32_t low, int32_t high) override {
        return std::uniform_int_distribution<int32_t>(low, high)(engine_);
    }

private:
    std::mt19937 engine_{0};
};

class SteadyClock : public Clock {
public:
    int32_t MilliSecs() override {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
        // The framework's clock is a 32-bit millisecond counter that wraps.
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
    }
};

std::unique_ptr<RandomSource> gRandom = std::make_unique<DefaultRandom>();
std::unique_ptr<Clock> gClock = std::make_unique<SteadyClock>();

bool IsWebAddress(const std::string& address) {
    return address.find("://") != std::string::npos || address.rfind("mailto:", 0) == 0;
}

std::string EscapePath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

PixmapPlacement FillPlacement(int panelWidth, int panelHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return {0, 0, 0, 0};
    const float sx = static_cast<float>(panelWidth) / static_cast<float>(pictureWidth);
    const float sy = static_cast<float>(panelHeight) / static_cast<float>(pictureHeight);
    const float scale = std::max(sx, sy);
    const int w = static_cast<int>(static_cast<float>(pictureWidth) * scale);
    const int h = static_cast<int>(static_cast<float>(pictureHeight) * scale);
    return {panelWidth / 2 - w / 2, panelHeight / 2 - h / 2, w, h};
}

void AddHook(int hookId, HookFunction fn, void* context, int priority) {
    // Equal priorities keep the order in which they were added.
    auto at = std::find_if(gHooks.begin(), gHooks.end(), [&](const Hook& h) { return h.priority < priority; });
    gHooks.insert(at, Hook{hookId, fn, context, priority});
}

void RemoveHook(int hookId, HookFunction fn, void* context) {
    std::erase_if(gHooks, [&](const Hook& h) { return h.hookId == hookId && h.fn == fn && h.context == context; });
}

void EmitEvent(TEvent event) {
    // A hook may add or remove hooks; this event goes to those present now.
    const std::vector<Hook> hooks = gHooks;
    TEvent* data = &event;
    for (const Hook& h : hooks) {
        if (h.hookId == EmitEventHook) data = h.fn(EmitEventHook, data, h.context);
    }
}

int WaitEvent() {
    while (gQueue.empty()) CurrentBackend().WaitSystemEvent();
    const int id = gQueue.front().id;
    gQueue.pop_front();
    return id;
}

void End() { CurrentBackend().End(); }

void SetBackend(std::unique_ptr<Backend> backend) {
    gBackend = std::move(backend);
    ResetEvents();
}

Backend& CurrentBackend() { return *gBackend; }
bool HasBackend() { return gBackend != nullptr; }

TGadget CreateWindow(const std::string& title, int x, int y, int w, int h, const TGadget&, int style) {
    return gBackend->CreateWindow(title, x, y, w, h, style);
}
int ClientWidth(const TGadget& window) { return window ? gBackend->ClientWidth(window) : 0; }
int ClientHeight(const TGadget& window) { return window ? gBackend->ClientHeight(window) : 0; }
int GadgetWidth(const TGadget& gadget) { return gadget ? gBackend->GadgetWidth(gadget) : 0; }
TGadget CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style) {
    return gBackend->CreateTextArea(x, y, w, h, parent, style);
}
TGadget CreatePanel(int x, int y, int w, int h, const TGadget& parent, int style, const std::string& text) {
    return gBackend->CreatePanel(x, y, w, h, parent, style, text);
}
TGadget CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent, int style) {
    return gBackend->CreateButton(label, x, y, w, h, parent, style);
}
TGadget CreateTextField(int x, int y, int w, int h, const TGadget& parent, int style) {
    return gBackend->CreateTextField(x, y, w, h, parent, style);
}
TGuiFont LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                     bool strikethrough) {
    return gBackend->LoadGuiFont(family, size, bold, italic, underline, strikethrough);
}
void SetGadgetFont(const TGadget& gadget, const TGuiFont& font) {
    if (gadget && !gadget->freed && font) gBackend->SetGadgetFont(gadget, font);
}
void HideGadget(const TGadget& gadget) {
    if (gadget && !gadget->freed) gBackend->HideGadget(gadget);
}
void ShowGadget(const TGadget& gadget) {
    if (gadget && !gadget->freed) gBackend->ShowGadget(gadget);
}
void FreeGadget(const TGadget& gadget) {
    if (!gadget || gadget->freed) return;
    gBackend->FreeGadget(gadget);
    gadget->freed = true;
}
void ActivateWindow(const TGadget& window) {
    if (window && !window->freed) gBackend->ActivateWindow(window);
}
void ActivateGadget(const TGadget& gadget) {
    if (gadget && !gadget->freed) gBackend->ActivateGadget(gadget);
}
void AddTextAreaText(const TGadget& area, const std::string& text) {
    if (area && !area->freed) gBackend->AddTextAreaText(area, text);
}
void SetTextAreaText(const TGadget& area, const std::string& text) {
    if (area && !area->freed) gBackend->SetTextAreaText(area, text);
}
void SelectTextAreaText(const TGadget& area, int pos, int length, int units) {
    if (area && !area->freed) gBackend->SelectTextAreaText(area, pos, length, units);
}
TPixmap LoadPixmap(const std::string& path) { return gBackend->LoadPixmap(path); }
void SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode) {
    if (panel && !panel->freed && pixmap) gBackend->SetGadgetPixmap(panel, pixmap, mode);
}
TTimer CreateTimer(double hertz) { return gBackend->CreateTimer(hertz); }

std::string UriForAddress(const std::string& address) {
    if (address.empty()) return "";
    if (IsWebAddress(address)) return address;
    struct stat st {};
    if (stat(address.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "";
    std::string path = address;
    if (path.front() != '/') {
        std::vector<char> buf(4096);
        if (!getcwd(buf.data(), buf.size())) return "";
        path = std::string(buf.data()) + "/" + path;
    }
    return "file://" + EscapePath(path);
}

int OpenURL(const std::string& address) {
    const std::string uri = UriForAddress(address);
    if (uri.empty()) return 0;
    gBackend->LaunchUri(uri);
    return 1;
}

void SetRandomSource(std::unique_ptr<RandomSource> source) {
    gRandom = source ? std::move(source) : std::make_unique<DefaultRandom>();
}

void SetClock(std::unique_ptr<Clock> clock) { gClock = clock ? std::move(clock) : std::make_unique<SteadyClock>(); }

void SeedRnd(int32_t seed) { gRandom->Seed(seed); }

int32_t Rand(int32_t low, int32_t high) {
    if (high < low) std::swap(low, high);
    return gRandom->Next(low, high);
}

int32_t MilliSecs() { return gClock->MilliSecs(); }
