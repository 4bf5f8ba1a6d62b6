// A small synthesizer of the game's own: one oscillator or the noise source, a pitch
// that slides and steps through a few notes, vibrato, an envelope, a low-pass and a
// high-pass filter. A patch is a row of whole numbers; rendering it gives the same
// 16-bit samples on every platform, since it uses whole-number arithmetic alone.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sound {

// 48 kHz: what desktop sound servers and most browsers' audio run at, so no one
// resamples the effects; a device buffer of 512 frames is then 10.7 ms.
constexpr int kSampleRate = 48000;

enum class Wave : std::uint8_t { Square, Saw, Triangle, Sine, Noise };

// An arpeggio step that plays nothing: gaps between clicks.
constexpr int kRest = 99;

struct Patch {
    Wave wave = Wave::Square;
    // The pitch slides in a straight line from startHz to endHz over the whole sound.
    // For noise, the pitch is how fast it changes: 32 new values a period.
    int startHz = 440;
    int endHz = 440;
    int dutyPercent = 50;  // the square's share of a period spent high
    // Notes in semitones over the sliding pitch, one every stepMs, the last one held;
    // kRest is silence. All zeros: one note.
    std::array<int, 4> semitones{};
    int stepMs = 0;
    int vibratoPercent = 0;  // how far the pitch swings either way
    int vibratoHz = 0;
    // The envelope: a straight rise, a hold that starts punchPercent louder and falls
    // back, then a fall that slows as it goes (the square of a straight line).
    int attackMs = 1;
    int sustainMs = 0;
    int punchPercent = 0;
    int decayMs = 0;
    int lowPassHz = 0;   // one pole; 0 leaves the sound as it is
    int highPassHz = 0;  // one pole; 0 leaves the sound as it is
    int volumePercent = 50;
};

// The patch's samples, attackMs + sustainMs + decayMs long.
std::vector<std::int16_t> render(const Patch& patch);

}  // namespace sound
