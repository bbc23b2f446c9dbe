// The long soak: thornvale_soak [presses] [first seed] [seeds]
#include "tests/soak/Soak.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long long presses = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const unsigned first = argc > 2 ? static_cast<unsigned>(std::atoll(argv[2])) : 1;
    const unsigned seeds = argc > 3 ? static_cast<unsigned>(std::atoll(argv[3])) : 50;
    const long long each = presses / seeds;
    long long total = 0, games = 0, wins = 0, deaths = 0;
    int failed = 0;
    for (unsigned s = first; s < first + seeds; ++s) {
        const SoakResult r = RunSoak(s, each);
        total += r.presses;
        games += r.games;
        wins += r.wins;
        deaths += r.deaths;
        for (const auto& f : r.failures) {
            std::fprintf(stderr, "%s\n", f.c_str());
            ++failed;
        }
    }
    std::printf("%lld presses, %lld games, %lld won, %lld died: %s\n", total, games, wins, deaths,
                failed ? "FAILED" : "clean");
    return failed ? 1 : 0;
}
