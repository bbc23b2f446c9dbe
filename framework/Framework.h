// The application framework the game is written against: gadgets, the event
// hook and loop, the timer, pictures, the desktop opener, random numbers and
// the clock. The game calls only the free functions below; a Backend (GTK 3
// for the real window, in-memory for tests) does the drawing behind them.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

// ---- Gadgets ---------------------------------------------------------------

enum class GadgetKind { Window, TextArea, Panel, Button, TextField };

// A handle to one gadget. The handle outlives the widget: FreeGadget destroys
// the widget and marks the handle freed, so an event that still holds it as
// its source can be compared by identity without touching freed memory.
struct Gadget {
    explicit Gadget(GadgetKind k) : kind(k) {}
    virtual ~Gadget() = default;
    Gadget(const Gadget&) = delete;
    Gadget& operator=(const Gadget&) = delete;

    const GadgetKind kind;
    bool freed = false;
};
using TGadget = std::shared_ptr<Gadget>;

struct GuiFont {
    std::string family;
    double size = 0;  // absolute pixels
    bool bold = false, italic = false, underline = false, strikethrough = false;
    virtual ~GuiFont() = default;
};
using TGuiFont = std::shared_ptr<GuiFont>;

struct Pixmap {
    Pixmap(int w, int h) : width(w), height(h) {}
    virtual ~Pixmap() = default;
    const int width;
    const int height;
};
using TPixmap = std::shared_ptr<Pixmap>;

struct Timer {
    explicit Timer(double hz) : hertz(hz) {}
    virtual ~Timer() = default;
    const double hertz;
};
using TTimer = std::shared_ptr<Timer>;

// Where a picture lands on a panel in fill mode: one factor for both
// directions so that the picture covers the panel, centred, cut at the edges.
struct PixmapPlacement {
    int x, y, width, height;
};
PixmapPlacement FillPlacement(int panelWidth, int panelHeight, int pictureWidth, int pictureHeight);

// ---- Events ----------------------------------------------------------------

constexpr int EVENT_APPTERMINATE = 259;
constexpr int EVENT_TIMERTICK = 2049;
constexpr int EVENT_GADGETACTION = 8193;
constexpr int EVENT_WINDOWCLOSE = 16387;

struct TEvent {
    int id = 0;
    TGadget source;  // held, so identity stays meaningful after FreeGadget
};

extern const int EmitEventHook;

// A hook function gets the previous function's result as its data; returning
// null consumes the event, so nothing further down (the framework's own event
// queue sits at priority -10000) sees it.
using HookFunction = TEvent* (*)(int hookId, TEvent* data, void* context);

void AddHook(int hookId, HookFunction fn, void* context, int priority);
void RemoveHook(int hookId, HookFunction fn, void* context);
void EmitEvent(TEvent event);
// Dispatches system events until one reaches the framework's queue, then
// returns its id.
int WaitEvent();
// Ends the process with exit status 0.
void End();

// ---- Backends ---------------------------------------------------------------

class Backend {
public:
    virtual ~Backend() = default;

    virtual TGadget CreateWindow(const std::string& title, int x, int y, int w, int h, int style) = 0;
    virtual int ClientWidth(const TGadget& window) = 0;
    virtual int ClientHeight(const TGadget& window) = 0;
    virtual int GadgetWidth(const TGadget& gadget) = 0;
    virtual TGadget CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style) = 0;
    virtual TGadget CreatePanel(int x, int y, int w, int h, const TGadget& parent, int style, const std::string& text) = 0;
    virtual TGadget CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent, int style) = 0;
    virtual TGadget CreateTextField(int x, int y, int w, int h, const TGadget& parent, int style) = 0;
    virtual TGuiFont LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                                 bool strikethrough) = 0;
    virtual void SetGadgetFont(const TGadget& gadget, const TGuiFont& font) = 0;
    virtual void HideGadget(const TGadget& gadget) = 0;
    virtual void ShowGadget(const TGadget& gadget) = 0;
    virtual void FreeGadget(const TGadget& gadget) = 0;
    virtual void ActivateWindow(const TGadget& window) = 0;
    virtual void ActivateGadget(const TGadget& gadget) = 0;
    virtual void AddTextAreaText(const TGadget& area, const std::string& text) = 0;
    virtual void SetTextAreaText(const TGadget& area, const std::string& text) = 0;
    virtual void SelectTextAreaText(const TGadget& area, int pos, int length, int units) = 0;
    virtual TPixmap LoadPixmap(const std::string& path) = 0;
    virtual void SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode) = 0;
    virtual TTimer CreateTimer(double hertz) = 0;
    // Blocks until at least one system event has been dispatched.
    virtual void WaitSystemEvent() = 0;
    // Hands an absolute URI to the desktop's default opener; must not block.
    virtual void LaunchUri(const std::string& uri) = 0;
    virtual void End() = 0;
};

// Installs the backend every call below goes to, and resets the event hook
// and queue to the state of a fresh process.
void SetBackend(std::unique_ptr<Backend> backend);
Backend& CurrentBackend();
bool HasBackend();

// ---- Gadget operations -----------------------------------------------------

// The groups below share values: each belongs to one parameter only.

// CreateWindow's style bits.
constexpr int WINDOW_TITLEBAR = 1;
constexpr int WINDOW_RESIZABLE = 2;
constexpr int WINDOW_CENTER = 512;
TGadget CreateWindow(const std::string& title, int x, int y, int w, int h, const TGadget& parent, int style);
int ClientWidth(const TGadget& window);
int ClientHeight(const TGadget& window);
int GadgetWidth(const TGadget& gadget);
// CreateTextArea's style bits.
constexpr int TEXTAREA_WORDWRAP = 1;
constexpr int TEXTAREA_READONLY = 2;
TGadget CreateTextArea(int x, int y, int w, int h, const TGadget& parent, int style);
TGadget CreatePanel(int x, int y, int w, int h, const TGadget& parent, int style, const std::string& text);
// CreateButton's style bit.
constexpr int BUTTON_PUSH = 8;
TGadget CreateButton(const std::string& label, int x, int y, int w, int h, const TGadget& parent, int style);
TGadget CreateTextField(int x, int y, int w, int h, const TGadget& parent, int style);
TGuiFont LoadGuiFont(const std::string& family, double size, bool bold, bool italic, bool underline,
                     bool strikethrough);
void SetGadgetFont(const TGadget& gadget, const TGuiFont& font);
void HideGadget(const TGadget& gadget);
void ShowGadget(const TGadget& gadget);
void FreeGadget(const TGadget& gadget);
void ActivateWindow(const TGadget& window);
void ActivateGadget(const TGadget& gadget);
void AddTextAreaText(const TGadget& area, const std::string& text);
void SetTextAreaText(const TGadget& area, const std::string& text);
// SelectTextAreaText's units: what pos and length count.
constexpr int TEXTAREA_CHARS = 1;
constexpr int TEXTAREA_LINES = 2;
void SelectTextAreaText(const TGadget& area, int pos, int length, int units);
// Refuses a picture of more pixels than this: a damaged header can claim
// billions.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 25;
TPixmap LoadPixmap(const std::string& path);
// SetGadgetPixmap's mode: the picture covers the panel (FillPlacement).
constexpr int PIXMAP_FILL = 4;
void SetGadgetPixmap(const TGadget& panel, const TPixmap& pixmap, int mode);
TTimer CreateTimer(double hertz);

// Hands a web address, or a file that exists (as a "file:" URI of its
// absolute path), to the desktop's default opener. Returns 1 when something
// was handed over, 0 when the file does not exist.
int OpenURL(const std::string& address);
// The URI OpenURL hands over for an address, or "" when it hands nothing.
std::string UriForAddress(const std::string& address);

// ---- Application title, random numbers, clock -------------------------------

extern std::string AppTitle;

// Lower-cases A to Z only: every name in play is plain ASCII.
inline std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(int32_t seed) = 0;
    // A uniformly distributed integer in [low, high]; low <= high.
    virtual int32_t Next(int32_t low, int32_t high) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual int32_t MilliSecs() = 0;
};

// Installs the random source and the clock; null restores the defaults.
void SetRandomSource(std::unique_ptr<RandomSource> source);
void SetClock(std::unique_ptr<Clock> clock);

void SeedRnd(int32_t seed);
// Both bounds included; swapped when high is below low.
int32_t Rand(int32_t low, int32_t high);
int32_t MilliSecs();
