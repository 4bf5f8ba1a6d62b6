// Each effect's length and a checksum of its samples, the same on every platform:
// the GoogleTest and the WebAssembly build's check both hold the synthesizer to them.
#pragma once

#include "shell/sound/effects.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sound_sums {

struct Pinned {
    sound::Effect effect;
    std::size_t length;
    std::uint32_t checksum;
};

// FNV-1a over the samples as little-endian bytes, whatever the machine's order.
inline std::uint32_t checksum(std::span<const std::int16_t> samples) {
    std::uint32_t hash = 2166136261u;
    for (const std::int16_t sample : samples) {
        const auto bits = std::uint16_t(sample);
        for (const unsigned byte : {bits & 0xffu, unsigned(bits >> 8)}) hash = (hash ^ byte) * 16777619u;
    }
    return hash;
}

inline constexpr std::array<Pinned, sound::kEffectCount> kPinned{{
    {sound::Effect::Throw, 7296, 0x3cf5b9c5},
    {sound::Effect::PigHit, 11616, 0x14a365e3},
    {sound::Effect::DogHit, 13536, 0x9e3e183d},
    {sound::Effect::ReloadScreen, 17760, 0x2afb129d},
    {sound::Effect::Reload, 6768, 0x41bf38b8},
    {sound::Effect::LevelUp, 20736, 0x80a8bfe0},
    {sound::Effect::Tick, 1968, 0xa21b05c7},
    {sound::Effect::RoundLost, 72480, 0xbe098d82},
    {sound::Effect::RoundWon, 48144, 0x788c88e7},
    {sound::Effect::Click, 1632, 0x429ad094},
}};

}  // namespace sound_sums
