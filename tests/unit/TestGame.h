// A fresh game on the in-memory backend, with dice and clock a test scripts.
#pragma once

#include "framework/MemoryBackend.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class t_entity;
class t_room;
class TTrigger;

inline const std::string kPrompt = "WHAT DO YOU WANT TO DO? ";
using Draws = std::vector<std::pair<int32_t, int32_t>>;
using Button = std::tuple<uint16_t, int32_t, std::string>;  // category, target, label

// Stock lines: line ID, owner entity, object type, quantity.
using StockLine = std::tuple<int32_t, int32_t, int32_t, int32_t>;
std::vector<StockLine> StockLines();
// The lines every game starts with: the player's food, then the placed
// things' own stock in entity order.
inline const std::vector<StockLine> kStartStock = {
    {1, 1, 8, 10}, {2, 4, 9, 1}, {3, 5, 10, 1}, {4, 6, 11, 1}, {5, 7, 8, 10}, {6, 8, 12, 1}, {7, 9, 13, 1},
};

// Names a parameterised case after its `name` field, spelt as a test name
// may be: letters and digits kept, anything else a single underscore. A case
// struct pairs it with `PrintTo`, so a failure names the case too.
std::string TestName(const std::string& words);
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return TestName(info.param.name);
    }
};

// A fresh folder the test runs in, as the program runs in its own; the
// test's own folder is entered again and the scratch one removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path home_, path_;
};

// Records of the running game by ID; the throwing ones fail the test that
// asks for a record the game does not hold.
t_entity* Find(int32_t id);
t_entity& Entity(int32_t id);
TTrigger& Trigger(int32_t id);
t_room& Room(int32_t id);
// The action buttons shown, in order.
std::vector<Button> ActionButtons();

// Hands out the rolls a test lists, in order, and records every draw with its
// bounds. A draw the test did not script fails the test, unless the test lets
// the dice run free; then such a draw answers its low bound. A scripted roll
// left over at the end fails the test as well: a draw went missing.
class ScriptedRandom : public RandomSource {
public:
    std::deque<int32_t> rolls;
    std::vector<std::pair<int32_t, int32_t>> draws;
    std::vector<int32_t> seeds;
    bool runFree = false;

    void Seed(int32_t seed) override { seeds.push_back(seed); }
    int32_t Next(int32_t low, int32_t high) override;
};

class FixedClock : public Clock {
public:
    int32_t now = 1000;
    int32_t MilliSecs() override { return now; }
};

// Installs the backend, the dice and the clock; a test builds the game with
// Start() as the program's start-up does.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the game; call after scripting any rolls start-up needs.
    void Start();
    void Roll(std::initializer_list<int32_t> values);
    // Says plainly that the test does not script every draw.
    void LetDiceRunFree() { dice->runFree = true; }

    MemoryBackend& ui() { return *ui_; }
    const std::string& Story() const;
    // The story appended since the last call of Since/Mark.
    std::string Since();
    void Mark();
    // How often the story has been appended to.
    int Appends() const;
    std::vector<std::string> ActionLabels() const;
    bool Press(const std::string& label);
    // Puts the player into a room as a move would leave it, buttons rebuilt.
    void Enter(uint16_t room);
    void Tick() { ui_->Tick(); }

    ScriptedRandom* dice = nullptr;
    FixedClock* clock = nullptr;

private:
    MemoryBackend* ui_ = nullptr;
    size_t mark_ = 0;
    bool started_ = false;
};

// A game already started, with the draws and seeds of start-up forgotten and
// the story marked: most tests begin here.
class StartedGameTest : public GameTest {
protected:
    void SetUp() override;
};
