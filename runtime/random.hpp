// The runtime's one random sequence (a PCG32 generator): uniform Singles in [0, 1).
#pragma once

#include <cstdint>

namespace rt {

class Random {
public:
    void seed(std::uint64_t seed);
    // The next number of the sequence: a multiple of 2^-24 in [0, 1), so that every
    // value is exact in single precision.
    float next();

private:
    std::uint32_t next32();

    std::uint64_t state_ = 0x853c49e6748fea9bULL;
};

}  // namespace rt
