#include "runtime/random.hpp"

namespace rt {

namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
}  // namespace

void Random::seed(std::uint64_t seed) {
    state_ = 0;
    next32();
    state_ += seed;
    next32();
}

std::uint32_t Random::next32() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = std::uint32_t(((old >> 18u) ^ old) >> 27u);
    const auto rot = std::uint32_t(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Random::next() { return float(next32() >> 8) * (1.0f / 16777216.0f); }

}  // namespace rt
