// The score bands that decide, at the end of a round, which Continue button shows.
#pragma once

#include "runtime/integer.hpp"

#include <array>

namespace game {

struct Band {
    int lowestHits;
    const char* button;  // the Continue picture of the band
};

inline constexpr std::array<Band, 4> kBands = {{
    {rt::Integer::kMin, "Image8"},  // 70 or less: the lost round
    {71, "Image10"},
    {91, "Image11"},
    {121, "Image12"},
}};

const Band& bandFor(rt::Integer hits);

}  // namespace game
