// The level shown in lblLevel, by the score. For display only.
#pragma once

#include "runtime/integer.hpp"

#include <array>
#include <optional>

namespace game {

struct LevelRow {
    int lowestHits;  // the row holds intHits from here up to the next row's lowest
    int level;
};

// 11 hits or less (negative included) has no row: the level stays as it is.
inline constexpr std::array<LevelRow, 12> kLevels = {{
    {12, 2}, {15, 3}, {22, 4}, {29, 5}, {36, 6}, {43, 7},
    {56, 8}, {73, 9}, {86, 10}, {101, 11}, {116, 12}, {131, 13},
}};

// The level for a score, or nullopt where the level is left unchanged.
std::optional<rt::Integer> levelFor(rt::Integer hits);

}  // namespace game
