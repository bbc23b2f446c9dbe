// Plays many games by pressing random shown buttons, as a careless player
// would, and checks the game's invariants after every press.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SoakResult {
    int64_t presses = 0;
    int64_t games = 0;      // games begun, the first one included
    int64_t restarts = 0;
    int64_t wins = 0;
    int64_t deaths = 0;
    std::vector<std::string> failures;  // the first few broken invariants
};

// Builds a fresh game on the in-memory backend, plays `presses` presses
// chosen with `seed`, and tears the game down again.
SoakResult RunSoak(uint32_t seed, int64_t presses);
