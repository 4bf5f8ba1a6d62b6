// One monkey session: a freshly started program played through the scenario driver
// by a random player, its invariants checked after every line.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace monkey {

// What the sessions reached, for the closing figures.
struct Reached {
    int events = 0;
    long long virtualMs = 0;
    std::map<std::string, int> screens;  // how many events left each screen active
};

struct Outcome {
    bool ended = false;   // the program ended (a close box, a code)
    std::string failure;  // empty when every check held
};

// Plays up to `events` lines on a program started with `gameSeed`, writing each line
// to `transcript` as it goes (so that a crash leaves the script behind too).
// `events` is decreased by the lines played.
Outcome playSession(std::uint32_t playerSeed, std::uint32_t gameSeed, int& events, std::ostream& transcript,
                    Reached& reached);

}  // namespace monkey
