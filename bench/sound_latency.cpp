// How late the game's sound comes, measured inside the game, through SDL's audio as
// the environment has it (SDL_AUDIODRIVER, a sound server's null sink): from the call
// that starts a sound to the audio callback that takes its first sample, plus the
// device buffer that sample then waits behind. The hearing calls it at the end of the
// event that makes the sound, in the same turn of the loop.
//   krax_sound_latency [TRIALS [COLD_TRIALS]]
// Three ways a sound can find the audio: sounds 0.05 to 0.2 s apart, the device open;
// a shot a second, the device opened again (SDL's audio still started); and the first
// sound after a silence, SDL's audio started and the device opened for it.
#include "shell/sdl/audio_out.hpp"
#include "shell/sound/effects.hpp"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = shell::AudioOut::Clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void report(const char* what, std::vector<double> times) {
    if (times.empty()) {
        std::printf("%-36s no sound was played\n", what);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-36s median %6.1f ms, 90th %6.1f ms, most %6.1f ms (%zu sounds)\n", what, times[times.size() / 2],
                times[times.size() * 9 / 10], times.back(), times.size());
}

// Sounds `from` to `to` ms apart, the loop closing what falls due between them as the
// game's does.
std::vector<double> apart(shell::AudioOut& out, std::span<const std::int16_t> sound, int trials, int from, int to) {
    std::vector<double> times;
    std::mt19937 random(1);
    std::uniform_int_distribution<int> pause(from, to);
    for (int i = 0; i < trials; ++i) {
        out.play(sound);
        const auto next = Clock::now() + std::chrono::milliseconds(pause(random));
        while (Clock::now() < next) {
            const auto wait = std::min<Clock::duration>(next - Clock::now(),
                                                        std::chrono::milliseconds(out.untilClose().value_or(1000)));
            std::this_thread::sleep_for(wait);
            out.closeIfSilent();
        }
        if (const auto latency = out.lastLatency()) times.push_back(ms(*latency));
    }
    return times;
}

std::vector<double> cold(shell::AudioOut& out, std::span<const std::int16_t> sound, int trials) {
    std::vector<double> times;
    for (int i = 0; i < trials; ++i) {
        while (const auto wait = out.untilClose()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(*wait + 1));
            out.closeIfSilent();
        }
        out.play(sound);
        for (int wait = 0; wait < 20 && !out.lastLatency(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (const auto latency = out.lastLatency()) times.push_back(ms(*latency));
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::atoi(argv[1]) : 40;
    const int coldTrials = argc > 2 ? std::atoi(argv[2]) : 8;
    if (SDL_Init(0) != 0) return 1;
    {
        const sound::Bank bank;
        shell::AudioOut out(std::cerr);
        const auto throwing = bank.samples(sound::Effect::Throw);
        const auto colder = cold(out, throwing, coldTrials);
        std::printf("audio driver: %s\n", SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "none");
        report("the first sound after a silence", colder);
        report("a shot a second, the device opened", apart(out, throwing, trials, 900, 1100));
        report("sounds 0.05 to 0.2 s apart, open", apart(out, throwing, trials, 50, 200));
    }
    SDL_Quit();
    return 0;
}
