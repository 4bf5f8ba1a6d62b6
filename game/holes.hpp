// The eight holes of the playfield: pigs in holes 1 to 5, dogs in 6 to 8. A roll r
// of 0 to 7 shows the target of hole r + 1. The countdowns' Intervals are in the
// layout (tmrDisappear1 to tmrDisappear8).
#pragma once

#include "runtime/layout.hpp"

#include <array>

namespace game {

struct Hole {
    const char* target;  // imgPN, a one-element control array
    int targetIndex;
    const char* badge;  // imgSplatN, reading +1 or -5
    int badgeIndex;     // rt::kNoIndex for the plain imgSplat4
    const char* countdown;  // tmrDisappearN
    int pace;   // ms to the next roll while this target is up
    int score;  // change of intHits on a hit
};

inline constexpr std::array<Hole, 8> kHoles = {{
    {"imgP1", 4, "imgSplat1", 4, "tmrDisappear1", 850, +1},
    {"imgP2", 2, "imgSplat2", 2, "tmrDisappear2", 700, +1},
    {"imgP3", 0, "imgSplat3", 0, "tmrDisappear3", 550, +1},
    {"imgP4", 1, "imgSplat4", rt::kNoIndex, "tmrDisappear4", 200, +1},
    {"imgP5", 3, "imgSplat5", 3, "tmrDisappear5", 50, +1},
    {"imgP6", 3, "imgSplat6", 3, "tmrDisappear6", 500, -5},
    {"imgP7", 4, "imgSplat7", 4, "tmrDisappear7", 500, -5},
    {"imgP8", 0, "imgSplat8", 0, "tmrDisappear8", 500, -5},
}};

}  // namespace game
