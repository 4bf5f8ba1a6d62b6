// What a round costs the processor: a whole round on the virtual clock, and the
// steady load of the four 10 ms timers that poll the round state.
#include "runtime/app.hpp"
#include "shell/flow.hpp"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

struct Program {
    Program() {
        app.setErrorStream(errors);
        app.fixSeed(1);
        shell::defineScreens(app);
        app.start(shell::kFirstScreen);
        rt::Form& menu = app.form("Form1");
        const rt::Rect& start = menu.control("Image5").rect();
        app.mouseDown(menu, start.left + 1, start.top + 1, rt::kLeftButton, 0);
        app.mouseUp(menu, start.left + 1, start.top + 1, rt::kLeftButton, 0);
    }
    std::ostringstream errors;
    rt::App app;
};

// START to the end of the round, no input: 60 s of virtual time.
void WholeRound(benchmark::State& state) {
    for (auto _ : state) {
        Program program;
        program.app.advanceTo(61000);
        benchmark::DoNotOptimize(program.app.Time());
    }
    state.SetLabel("60 s of play per iteration");
}
BENCHMARK(WholeRound)->Unit(benchmark::kMillisecond);

// One 10 ms step of a running round: the polling timers, and the rolls and
// countdowns when they fall due. Its cost per real second is 100 times this.
void TenMillisecondsOfPlay(benchmark::State& state) {
    Program program;
    rt::Form& game = program.app.form("Form2");
    game.timer("tmrTime").setEnabled(false);  // an endless round
    for (auto _ : state) program.app.advanceTo(program.app.Time() + 10);
}
BENCHMARK(TenMillisecondsOfPlay);

}  // namespace
