#include "tests/soak/Soak.h"

#include <gtest/gtest.h>

// A short run of the soak; thornvale_soak runs the long one.
TEST(SoakTest, TwentyThousandRandomPressesKeepEveryInvariant) {
    int64_t presses = 0, games = 0, ends = 0;
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        const SoakResult r = RunSoak(seed, 2500);
        for (const auto& f : r.failures) ADD_FAILURE() << f;
        presses += r.presses;
        games += r.games;
        ends += r.wins + r.deaths;
    }
    EXPECT_EQ(presses, 20000);
    // Random play must reach game over and restart often enough to test it.
    EXPECT_GT(games, 8);
    EXPECT_GT(ends, 8);
}
