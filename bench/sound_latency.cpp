// How late the game's sound comes, measured inside the game, through SDL's audio as
// the environment has it (SDL_AUDIODRIVER, a sound server's null sink): from the call
// that starts a sound to the audio callback that takes its first sample, plus the
// device buffer that sample then waits behind. The hearing calls it at the end of the
// event that makes the sound, in the same turn of the loop.
//   krax_sound_latency [OPEN_TRIALS [COLD_TRIALS]]
// Open: a throw every 0.3 to 0.7 s, the device open. Cold: the first sound after the
// device has closed for silence, its opening included.
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

std::vector<double> open(shell::AudioOut& out, std::span<const std::int16_t> sound, int trials) {
    std::vector<double> times;
    std::mt19937 random(1);
    std::uniform_int_distribution<int> pause(300, 700);
    for (int i = 0; i < trials; ++i) {
        out.play(sound);
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        if (const auto latency = out.lastLatency()) times.push_back(ms(*latency));
    }
    return times;
}

std::vector<double> cold(shell::AudioOut& out, std::span<const std::int16_t> sound, int trials) {
    std::vector<double> times;
    for (int i = 0; i < trials; ++i) {
        while (out.open()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(*out.untilClose() + 1));
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
    const int openTrials = argc > 1 ? std::atoi(argv[1]) : 40;
    const int coldTrials = argc > 2 ? std::atoi(argv[2]) : 8;
    if (SDL_Init(0) != 0) return 1;
    {
        const sound::Bank bank;
        shell::AudioOut out(std::cerr);
        const auto throwing = bank.samples(sound::Effect::Throw);
        const auto colder = cold(out, throwing, coldTrials);
        std::printf("audio driver: %s\n", SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "none");
        report("the first sound after a silence", colder);
        report("a sound with the device open", open(out, throwing, openTrials));
    }
    SDL_Quit();
    return 0;
}
