#include "game/levels.hpp"

#include "game/game_screen.hpp"

namespace game {

std::optional<rt::Integer> levelFor(rt::Integer hits) {
    std::optional<rt::Integer> level;
    for (const LevelRow& row : kLevels)
        if (hits >= row.lowestHits) level = row.level;
    return level;
}

// Rewrites the caption on every tick, changed or not.
void Form2::tmrLevel_Timer() {
    if (const auto level = levelFor(intHits)) intLevel = *level;
    lblLevel.setCaption("Level " + rt::text(intLevel));
}

}  // namespace game
