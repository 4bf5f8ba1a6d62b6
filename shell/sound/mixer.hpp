// The voices playing now, summed into the frames a backend's audio callback asks for.
// Not locked: a backend whose callback runs on a thread of its own holds its audio
// lock around play() and pull().
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sound {

class Mixer {
public:
    // More at once add nothing a player could tell apart, only loudness.
    static constexpr std::size_t kMaxVoices = 4;

    // Starts the samples, which must outlive their playing. With every voice taken,
    // the one that has played longest makes way.
    void play(std::span<const std::int16_t> samples);

    // Fills `frames` (mono) with the voices' sum, clipped to 16 bits, and moves them on.
    void pull(std::span<std::int16_t> frames);

    bool silent() const { return count_ == 0; }
    std::size_t voices() const { return count_; }

private:
    struct Voice {
        std::span<const std::int16_t> samples;
        std::size_t played = 0;
    };

    std::array<Voice, kMaxVoices> voices_;  // the oldest first
    std::size_t count_ = 0;
};

}  // namespace sound
