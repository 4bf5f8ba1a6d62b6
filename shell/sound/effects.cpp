#include "shell/sound/effects.hpp"

namespace sound {

namespace {

struct Row {
    Effect effect;
    std::string_view name;
    Patch patch;
};

// Short and soft, each well below full scale so that a few at once rarely clip; none
// longer than half a second but the ends of a round.
constexpr std::array<Row, kEffectCount> kEffects{{
    // A whoosh: noise falling in pitch, its edges filtered away.
    {Effect::Throw, "throw",
     {.wave = Wave::Noise, .startHz = 1800, .endHz = 250, .attackMs = 12, .sustainMs = 30, .decayMs = 110,
      .lowPassHz = 3000, .highPassHz = 300, .volumePercent = 60}},
    // A bright two-note blip, the second a fourth up.
    {Effect::PigHit, "pig",
     {.wave = Wave::Square, .startHz = 988, .endHz = 988, .dutyPercent = 25, .semitones = {0, 5, 5, 5},
      .stepMs = 60, .attackMs = 2, .sustainMs = 50, .punchPercent = 40, .decayMs = 190, .lowPassHz = 6000,
      .volumePercent = 30}},
    // A wobbly falling buzz.
    {Effect::DogHit, "dog",
     {.wave = Wave::Saw, .startHz = 520, .endHz = 140, .vibratoPercent = 8, .vibratoHz = 18, .attackMs = 2,
      .sustainMs = 60, .punchPercent = 30, .decayMs = 220, .lowPassHz = 2200, .volumePercent = 50}},
    // A soft tone rising with the screen.
    {Effect::ReloadScreen, "empty",
     {.wave = Wave::Triangle, .startHz = 220, .endHz = 700, .attackMs = 20, .sustainMs = 200, .decayMs = 150,
      .volumePercent = 45}},
    // Two clicks of a breech, the second higher: noise with a gap.
    {Effect::Reload, "reload",
     {.wave = Wave::Noise, .startHz = 700, .endHz = 700, .semitones = {0, kRest, 7, 7}, .stepMs = 35,
      .attackMs = 1, .sustainMs = 60, .punchPercent = 60, .decayMs = 80, .lowPassHz = 6000, .highPassHz = 1500,
      .volumePercent = 50}},
    // A major arpeggio up to the octave.
    {Effect::LevelUp, "level",
     {.wave = Wave::Square, .startHz = 1047, .endHz = 1047, .semitones = {0, 4, 7, 12}, .stepMs = 70,
      .attackMs = 2, .sustainMs = 230, .punchPercent = 20, .decayMs = 200, .lowPassHz = 5000,
      .volumePercent = 25}},
    // A short soft tick.
    {Effect::Tick, "tick",
     {.wave = Wave::Sine, .startHz = 1760, .endHz = 1760, .attackMs = 1, .sustainMs = 5, .decayMs = 35,
      .volumePercent = 20}},
    // A sad trombone: four falling semitones, a little vibrato, the last held.
    {Effect::RoundLost, "lost",
     {.wave = Wave::Saw, .startHz = 392, .endHz = 392, .semitones = {0, -1, -2, -3}, .stepMs = 330,
      .vibratoPercent = 2, .vibratoHz = 6, .attackMs = 10, .sustainMs = 1000, .decayMs = 500,
      .lowPassHz = 1200, .volumePercent = 55}},
    // A fanfare: a major arpeggio from C, its top note left to ring.
    {Effect::RoundWon, "won",
     {.wave = Wave::Square, .startHz = 523, .endHz = 523, .semitones = {0, 4, 7, 12}, .stepMs = 110,
      .vibratoPercent = 1, .vibratoHz = 6, .attackMs = 3, .sustainMs = 450, .punchPercent = 20,
      .decayMs = 550, .lowPassHz = 4500, .volumePercent = 30}},
    // A tiny falling click.
    {Effect::Click, "click",
     {.wave = Wave::Square, .startHz = 1200, .endHz = 800, .attackMs = 1, .sustainMs = 8, .decayMs = 25,
      .lowPassHz = 4000, .volumePercent = 30}},
}};

constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < kEffects.size(); ++i) {
        if (std::size_t(kEffects[i].effect) != i) return false;
    }
    return true;
}
static_assert(rowsInOrder(), "kEffects is indexed by Effect");

}  // namespace

std::string_view nameOf(Effect effect) { return kEffects[std::size_t(effect)].name; }

std::optional<Effect> effectNamed(std::string_view name) {
    for (const Row& row : kEffects) {
        if (row.name == name) return row.effect;
    }
    return std::nullopt;
}

const Patch& patchOf(Effect effect) { return kEffects[std::size_t(effect)].patch; }

Bank::Bank() {
    for (const Row& row : kEffects) samples_[std::size_t(row.effect)] = render(row.patch);
}

}  // namespace sound
