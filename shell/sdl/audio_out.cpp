#include "shell/sdl/audio_out.hpp"

#include "shell/sdl/alsa_quiet.hpp"
#include "shell/sound/synth.hpp"

#include <algorithm>
#include <ostream>

namespace shell {

namespace {
// 5.3 ms at 48 kHz: a sound waits at most one buffer for the callback that takes it
// and one behind it, 10.7 ms in all.
constexpr Uint16 kFrames = 256;
// An open device costs its audio thread's wake-ups, every buffer; opening one again
// costs about a millisecond. Shots a second apart find it closed.
constexpr auto kDeviceLinger = std::chrono::milliseconds(250);
// SDL's audio itself starts in tens of milliseconds, and some of its drivers watch
// for devices coming and going while it runs.
constexpr auto kAudioLinger = std::chrono::seconds(3);

AudioOut::Clock::duration lengthOf(std::size_t frames) {
    return std::chrono::duration_cast<AudioOut::Clock::duration>(std::chrono::microseconds(
        std::int64_t(frames) * 1'000'000 / sound::kSampleRate));
}

// Runs `body` with the audio thread held off the mixer.
template <class Body>
void locked(SDL_AudioDeviceID device, Body body) {
    SDL_LockAudioDevice(device);
    body();
    SDL_UnlockAudioDevice(device);
}
}  // namespace

AudioOut::~AudioOut() {
    closeDevice();
    stopAudio();
}

void AudioOut::play(std::span<const std::int16_t> samples) {
    const auto asked = Clock::now();  // the device's opening counts towards the latency
    if (!device_ && !openDevice()) return;
    locked(device_, [&] {
        mixer_.play(samples);
        asked_ = asked;
        latency_.reset();
    });
    silentFrom_ = std::max(silentFrom_, Clock::now() + lengthOf(samples.size()));
}

std::optional<rt::Millis> AudioOut::untilClose() const {
    if (!audio_) return std::nullopt;
    const auto left = silentFrom_ + (device_ ? kDeviceLinger : kAudioLinger) - Clock::now();
    return std::max<rt::Millis>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

void AudioOut::closeIfSilent() {
    if (device_ && Clock::now() >= silentFrom_ + kDeviceLinger) {
        bool silent = false;
        locked(device_, [&] { silent = mixer_.silent(); });
        if (!silent) {
            silentFrom_ = Clock::now();  // the device ran late: look again later
            return;
        }
        closeDevice();
    }
    if (!device_ && Clock::now() >= silentFrom_ + kAudioLinger) stopAudio();
}

std::optional<AudioOut::Clock::duration> AudioOut::lastLatency() const {
    if (!device_) return latency_;
    std::optional<Clock::duration> latency;
    locked(device_, [&] { latency = latency_; });
    return latency;
}

bool AudioOut::openDevice() {
    if (failed_) return false;
    if (!audio_ && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        audio_ = true;
        quietAlsa();
    }
    if (audio_) {
        SDL_AudioSpec want{};
        want.freq = sound::kSampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 1;
        want.samples = kFrames;
        want.callback = pull;
        want.userdata = this;
        SDL_AudioSpec have{};
        // Whatever the device takes, SDL converts the game's 48 kHz mono to it.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_) {
            buffer_ = lengthOf(have.samples);
            SDL_PauseAudioDevice(device_, 0);
            return true;
        }
    }
    err_ << "krax: no sound: " << SDL_GetError() << '\n';
    failed_ = true;
    stopAudio();
    return false;
}

void AudioOut::closeDevice() {
    if (!device_) return;
    SDL_CloseAudioDevice(device_);  // waits for the audio thread to end
    device_ = 0;
    mixer_ = {};
    asked_.reset();
}

void AudioOut::stopAudio() {
    if (!audio_) return;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_ = false;
}

void SDLCALL AudioOut::pull(void* self, Uint8* stream, int bytes) {
    auto& out = *static_cast<AudioOut*>(self);
    out.mixer_.pull(std::span(reinterpret_cast<std::int16_t*>(stream), std::size_t(bytes) / sizeof(std::int16_t)));
    if (!out.asked_) return;
    out.latency_ = Clock::now() - *out.asked_ + out.buffer_;
    out.asked_.reset();
}

}  // namespace shell
