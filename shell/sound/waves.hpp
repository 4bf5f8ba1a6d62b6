// The synthesizer's wave shapes, made from whole numbers alone so that every platform
// gets the same samples to the last bit. A phase is a turn split into 2^32 steps; a
// sample is a Q15 number (32768 is full scale).
#pragma once

#include <cstdint>

namespace sound {

constexpr int kFullScale = 32768;

std::int32_t square(std::uint32_t phase, std::uint32_t duty);
std::int32_t saw(std::uint32_t phase);
std::int32_t triangle(std::uint32_t phase);
// A parabola with one correction: within 0.15 % of full scale of a true sine.
std::int32_t sine(std::uint32_t phase);

// The noise source: a xorshift generator, whose values are spread evenly over Q15.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 1 : seed) {}
    std::int32_t next();

private:
    std::uint32_t state_;
};

}  // namespace sound
