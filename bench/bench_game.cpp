// What a press costs on the in-memory backend, and whether it stays that
// cheap as a session grows. Run: build/bench/thornvale_bench
#include "framework/MemoryBackend.h"
#include "shell/Globals.h"
#include "shell/MainAPP.h"
#include "shell/TWindowMgr.h"
#include "world/TInventoryMgr.h"
#include "world/t_EntityMgr.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace {

struct Session {
    MemoryBackend* ui;
    Session() {
        auto b = std::make_unique<MemoryBackend>();
        b->keepFreed = false;
        ui = b.get();
        SetBackend(std::move(b));
        StartThornvale();
    }
    ~Session() {
        StopThornvale();
        SetBackend(nullptr);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// Puts the player back into room 6 as at the start, without a restart.
void ResetPosition() {
    MainPrg->currentRm = 6;
    EntityMgr->setRoomNum(1, 6);
    WindowMgr->UpdateHints();
}

void BM_PressMove(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPosition();
        state.ResumeTiming();
        s.ui->Press("Go East");
    }
}

void BM_PressExamine(benchmark::State& state) {
    Session s;
    for (auto _ : state) s.ui->Press("Examine Sword");
}

void BM_PressTake(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        state.PauseTiming();
        const int32_t id = EntityMgr->CreateEntityByObjectType(9, 6, "ground", 0, 0, 0);
        WindowMgr->UpdateHints();
        state.ResumeTiming();
        s.ui->Press("Take Sword");
        state.PauseTiming();
        // The taken sword's own stock line would otherwise pile up.
        std::erase_if(t_inventory::_list, [&](const auto& l) { return l->EntityID == id; });
        state.ResumeTiming();
    }
}

void BM_PressFight(benchmark::State& state) {
    Session s;
    for (auto _ : state) {
        state.PauseTiming();
        EntityMgr->GetEntityPtr(1)->hp = 6;
        const int32_t id = EntityMgr->CreateEntityByObjectType(4, 6, "ground", 0, 2, 2);
        WindowMgr->UpdateHints();
        state.ResumeTiming();
        s.ui->Press("Fight the Maloventy maldemer");
        state.PauseTiming();
        EntityMgr->SetDead(id, 1);
        EntityMgr->Process();
        state.ResumeTiming();
    }
}

void BM_PressStats(benchmark::State& state) {
    Session s;
    for (auto _ : state) s.ui->Press("Show Stats");
}

void BM_PressInventory(benchmark::State& state) {
    Session s;
    for (auto _ : state) s.ui->Press("Show Inventory");
}

void BM_PressConsume(benchmark::State& state) {
    Session s;
    for (auto _ : state) s.ui->Press("Consume");
}

void BM_IdleTick(benchmark::State& state) {
    Session s;
    for (auto _ : state) s.ui->Tick();
}

// 50,000 presses among the shown buttons, restarts included: the last
// thousand must cost no more than the first thousand.
void BM_LongGame(benchmark::State& state) {
    constexpr int kPresses = 50000, kWindow = 1000;
    for (auto _ : state) {
        Session s;
        std::mt19937 pick(7);
        double first = 0, last = 0;
        for (int i = 0; i < kPresses; ++i) {
            const auto shown = s.ui->Buttons();
            const TGadget b = shown[std::uniform_int_distribution<size_t>(0, shown.size() - 1)(pick)];
            const auto t0 = std::chrono::steady_clock::now();
            s.ui->Press(b);
            s.ui->Tick();
            const double dt = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
            if (i < kWindow) first += dt;
            if (i >= kPresses - kWindow) last += dt;
        }
        state.counters["first_us_per_press"] = first / kWindow;
        state.counters["last_us_per_press"] = last / kWindow;
        state.counters["last_over_first"] = last / first;
        state.counters["story_MB"] = static_cast<double>(MemoryBackend::Info(WindowMgr->storyText).text.size()) / 1e6;
    }
}

}  // namespace

BENCHMARK(BM_PressMove);
BENCHMARK(BM_PressExamine);
BENCHMARK(BM_PressTake);
BENCHMARK(BM_PressFight);
BENCHMARK(BM_PressStats);
BENCHMARK(BM_PressInventory);
BENCHMARK(BM_PressConsume);
BENCHMARK(BM_IdleTick);
BENCHMARK(BM_LongGame)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
