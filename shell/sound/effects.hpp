// The game's sound effects: each one a row of synthesizer settings, rendered once
// when the game starts.
#pragma once

#include "shell/sound/synth.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace sound {

enum class Effect : std::uint8_t {
    Throw,         // a carrot thrown at the bare ground
    PigHit,        // a pig hit: one more
    DogHit,        // a dog hit: five fewer
    ReloadScreen,  // the gun is empty: the reload screen rises
    Reload,        // the gun refilled
    LevelUp,       // a level reached
    Tick,          // each of a round's last ten seconds
    RoundLost,     // a round ends below the winning band
    RoundWon,      // a round ends in the winning band
    Click,         // a button pressed
};

constexpr std::size_t kEffectCount = 10;

// The name scripts use for an effect ("throw", "pig", ...).
std::string_view nameOf(Effect effect);
std::optional<Effect> effectNamed(std::string_view name);

const Patch& patchOf(Effect effect);

// Every effect's samples, made once.
class Bank {
public:
    Bank();
    std::span<const std::int16_t> samples(Effect effect) const { return samples_[std::size_t(effect)]; }

private:
    std::array<std::vector<std::int16_t>, kEffectCount> samples_;
};

}  // namespace sound
