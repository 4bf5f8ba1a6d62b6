// The game's pictures, compiled in as PNG files at one and at two device pixels per
// screen pixel.
#pragma once

#include <span>
#include <string_view>

namespace pictures {

struct Picture {
    std::string_view name;
    std::span<const unsigned char> png;
    std::span<const unsigned char> png2x;
};

std::span<const Picture> all();
// nullptr for a name that has no picture.
const Picture* find(std::string_view name);

}  // namespace pictures
