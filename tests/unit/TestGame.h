// A fresh game on the in-memory backend, with dice and clock a test scripts.
#pragma once

#include "framework/MemoryBackend.h"

#include <gtest/gtest.h>

#include <deque>
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

// Records of the running game by ID; the throwing ones fail the test that
// asks for a record the game does not hold.
t_entity* Find(int32_t id);
t_entity& Entity(int32_t id);
TTrigger& Trigger(int32_t id);
t_room& Room(int32_t id);
// The action buttons shown, in order.
std::vector<Button> ActionButtons();

// Hands out the rolls a test lists, in order; once they run out it answers
// the low bound. Every draw is recorded with its bounds.
class ScriptedRandom : public RandomSource {
public:
    std::deque<int32_t> rolls;
    std::vector<std::pair<int32_t, int32_t>> draws;
    std::vector<int32_t> seeds;

    void Seed(int32_t seed) override { seeds.push_back(seed); }
    int32_t Next(int32_t low, int32_t high) override;
};

class FixedClock : public Clock {
public:
    int32_t now = 1000;
    int32_t MilliSecs() override { return now; }
};

// Installs the backend, the dice and the clock, and builds a game as the
// program's start-up does.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the game; call after scripting any rolls start-up needs.
    void Start();
    void Roll(std::initializer_list<int32_t> values);

    MemoryBackend& ui() { return *ui_; }
    const std::string& Story() const;
    // The story appended since the last call of Since/Mark.
    std::string Since();
    void Mark();
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
