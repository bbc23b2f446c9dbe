// The real window's costs: appending to a long story, and memory after a
// long session. Run under a display: see the README's benchmark section.
#include "framework/GtkBackend.h"
#include "shell/Globals.h"
#include "shell/TWindowMgr.h"

#include <gtk/gtk.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

void Settle() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// Microseconds for one append of a typical message plus the redraw it
// causes, averaged over `n` appends.
double AppendCost(int n) {
    const std::string message(299, 'x');
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        WindowMgr->AppendStoryArea(message + "\n");
        Settle();
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / n;
}

// Grows the story with messages of the game's usual shape: paragraphs of
// a few hundred characters, each ending its line.
void GrowStoryTo(size_t chars) {
    std::string block;
    for (int i = 0; i < 30; ++i) block += std::string(299, 'y') + "\n";
    size_t have = 0;
    while (have < chars) {
        WindowMgr->AppendStoryArea(block);
        have += block.size();
    }
    Settle();
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::atoi(argv[1]) : 50000;
    std::string error;
    auto backend = CreateGtkBackend(error);
    if (!backend) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    SetBackend(std::move(backend));
    StartThornvale();
    Settle();

    const double at0 = AppendCost(200);
    GrowStoryTo(100000);
    const double at100k = AppendCost(200);
    GrowStoryTo(1000000);
    const double at1m = AppendCost(200);
    std::printf("append_us at 0: %.1f  at 100k: %.1f  at 1M: %.1f  ratio 1M/0: %.2f\n", at0, at100k, at1m, at1m / at0);

    // A long session: presses among the buttons the game shows.
    std::mt19937 pick(11);
    const long before = ResidentKiB();
    for (int i = 0; i < presses; ++i) {
        std::vector<TGadget> shown;
        for (const auto& a : TActionData::_list) shown.push_back(a->btnGadgetID);
        if (shown.empty()) {
            shown.push_back(WindowMgr->RestartGameBtn);
        } else {
            shown.push_back(WindowMgr->ConsumeBtn);
            shown.push_back(WindowMgr->StatsBtn);
            shown.push_back(WindowMgr->InventoryBtn);
        }
        EmitEvent(TEvent{EVENT_GADGETACTION, shown[std::uniform_int_distribution<size_t>(0, shown.size() - 1)(pick)]});
        EmitEvent(TEvent{EVENT_TIMERTICK, nullptr});
        if (i % 100 == 0) Settle();
    }
    Settle();
    std::printf("resident_KiB before: %ld  after %d presses: %ld\n", before, presses, ResidentKiB());
    return 0;
}
