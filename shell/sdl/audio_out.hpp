// The game's sound through SDL's own audio. SDL's audio starts for the first sound and
// its device opens; the device closes a quarter of a second after the last sound has
// ended, and SDL's audio stops after a few seconds of silence, so that a game left
// alone keeps no audio thread awake and a shot a second keeps none running between
// shots. Where no device opens, the game plays silent and says so once.
#pragma once

#include "runtime/controls.hpp"
#include "shell/sound/mixer.hpp"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>

namespace shell {

class AudioOut {
public:
    using Clock = std::chrono::steady_clock;

    explicit AudioOut(std::ostream& err) : err_(err) {}
    ~AudioOut();
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;

    // Starts the samples (which must outlive their playing), opening the device first
    // if it is closed.
    void play(std::span<const std::int16_t> samples);
    // How long the loop may sleep before the device or SDL's audio is due to close;
    // nullopt when both are.
    std::optional<rt::Millis> untilClose() const;
    // Closes the device, then SDL's audio, once each has been silent long enough.
    void closeIfSilent();
    // From the latest play() to the callback that took its first sample, plus the
    // device buffer that sample waits behind: how late the player hears it.
    std::optional<Clock::duration> lastLatency() const;

private:
    bool openDevice();
    void closeDevice();
    void stopAudio();
    static void SDLCALL pull(void* self, Uint8* stream, int bytes);

    std::ostream& err_;
    bool audio_ = false;  // SDL's audio is started
    SDL_AudioDeviceID device_ = 0;
    bool failed_ = false;  // no device: silent from then on
    Clock::time_point silentFrom_{};
    Clock::duration buffer_{};
    // Shared with the audio thread, under the device's lock.
    sound::Mixer mixer_;
    std::optional<Clock::time_point> asked_;
    std::optional<Clock::duration> latency_;
};

}  // namespace shell
