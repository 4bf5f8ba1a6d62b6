// What a round costs the processor: a whole round on the virtual clock, the same
// round as the window loop wakes for it (handler runs and wake-ups, with quiet timers
// sleeping and with every tick run), and one 10 ms step of a running round.
#include "runtime/app.hpp"
#include "shell/game_start.hpp"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

constexpr rt::Millis kRoundEnd = 61000;

struct Program {
    explicit Program(bool quietTimersSleep = true) {
        app.setErrorStream(errors);
        app.setQuietTimersSleep(quietTimersSleep);
        app.fixSeed(1);
        shell::setUpGame(app);
        shell::openGame(app);
        rt::Form& menu = app.form("Form1");
        const rt::Rect& start = menu.control("Image5").rect();
        app.mouseDown(menu, start.left + 1, start.top + 1, rt::kLeftButton, 0);
        app.mouseUp(menu, start.left + 1, start.top + 1, rt::kLeftButton, 0);
    }
    std::ostringstream errors;
    rt::App app;
};

const char* modeOf(const benchmark::State& state) { return state.range(0) ? "quiet timers sleep" : "every tick"; }

// START to the end of the round, no input: 60 s of virtual time.
void WholeRound(benchmark::State& state) {
    for (auto _ : state) {
        Program program(state.range(0) != 0);
        program.app.advanceTo(kRoundEnd);
        benchmark::DoNotOptimize(program.app.now());
    }
    state.SetLabel(modeOf(state));
}
BENCHMARK(WholeRound)->ArgName("quiet")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same round as the window loop plays it: it wakes for each moment a tick falls
// due. Counts per minute of play.
void RoundInTheWindowLoop(benchmark::State& state) {
    double runs = 0, wakeUps = 0;
    for (auto _ : state) {
        Program program(state.range(0) != 0);
        for (auto next = program.app.nextTick(); next && *next <= kRoundEnd; next = program.app.nextTick()) {
            program.app.catchUp(*next);
            ++wakeUps;
        }
        runs += double(program.app.handlerRuns());
    }
    const double minutes = double(state.iterations()) * double(kRoundEnd) / 60000;
    state.counters["handler_runs/min"] = runs / minutes;
    state.counters["wake_ups/min"] = wakeUps / minutes;
    state.SetLabel(modeOf(state));
}
BENCHMARK(RoundInTheWindowLoop)->ArgName("quiet")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One 10 ms step of a running round: the polling timers, and the rolls and
// countdowns when they fall due. Its cost per real second is 100 times this.
void TenMillisecondsOfPlay(benchmark::State& state) {
    Program program(state.range(0) != 0);
    rt::Form& game = program.app.form("Form2");
    game.timer("tmrTime").setEnabled(false);  // an endless round
    for (auto _ : state) program.app.advanceTo(program.app.now() + 10);
    state.SetLabel(modeOf(state));
}
BENCHMARK(TenMillisecondsOfPlay)->ArgName("quiet")->Arg(1)->Arg(0);

}  // namespace
