#include "shell/sound/waves.hpp"

namespace sound {

std::int32_t square(std::uint32_t phase, std::uint32_t duty) {
    return phase < duty ? kFullScale - 1 : -(kFullScale - 1);
}

std::int32_t saw(std::uint32_t phase) { return std::int32_t(phase >> 16) - kFullScale; }

std::int32_t triangle(std::uint32_t phase) {
    const auto t = std::int32_t(phase >> 15);  // 0 .. 2^17 - 1 over the turn
    const std::int32_t rising = t < 2 * kFullScale ? t : 4 * kFullScale - 1 - t;
    return rising - kFullScale;
}

std::int32_t sine(std::uint32_t phase) {
    // t in [-1, 1) stands for the angle's distance from half a turn; sin(a) = -sin(a - pi).
    const std::int64_t t = std::int64_t(phase >> 16) - kFullScale;
    const std::int64_t magnitude = t < 0 ? -t : t;
    // 4t(1 - |t|): a parabola through the sine's zeros and peaks.
    const std::int64_t y = 4 * t * (kFullScale - magnitude) / kFullScale;
    const std::int64_t yMagnitude = y < 0 ? -y : y;
    // Pulled towards y|y| by 0.225 (7373 / 32768), which halves the error twice over.
    const std::int64_t corrected = y + 7373 * (y * yMagnitude / kFullScale - y) / kFullScale;
    const std::int64_t limit = kFullScale - 1;
    const std::int64_t clamped = corrected > limit ? limit : corrected < -limit ? -limit : corrected;
    return -std::int32_t(clamped);
}

std::int32_t Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return std::int32_t(state_ >> 16) - kFullScale;
}

}  // namespace sound
