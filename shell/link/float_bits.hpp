// A float's 32 bits and back: links keep points exactly, and not every C++ library
// this builds with has std::bit_cast.
#pragma once

#include <cstdint>
#include <cstring>

namespace shell {

inline std::uint32_t bitsOf(float x) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline float floatOf(std::uint32_t bits) {
    float x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

}  // namespace shell
