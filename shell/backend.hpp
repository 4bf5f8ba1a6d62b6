// The seam between the game and a platform: what a backend fills. The runtime, the
// screens and the rules know no platform; each backend (shell/sdl/ for the desktop,
// shell/web/ for the page, shell/script/ for scenario scripts) turns its platform into
// runtime events and clock time, and shows what the runtime says is shown:
//
//   drawing       an rt::Canvas per window (runtime/canvas.hpp), which rt::drawForm
//                 draws a screen on, redrawn where the screen's pixels changed
//   windows       a WindowSet (shell/window_set.hpp): one window per shown screen,
//                 stacked as the game has them
//   input in      the calls of LiveInput (shell/live_input.hpp), with buttons and
//                 Shift bits as runtime/form.hpp numbers them, translated at the edge
//   input box     an rt::InputBoxHost (runtime/input_box.hpp) for the modal code box
//   wake-up       sleep until untilNextTick() has passed or input comes, then
//                 catchUp(clock now): every timer that is due ticks once
//
// The game is set up and opened the same way everywhere (shell/game_start.hpp).
#pragma once

#include "runtime/app.hpp"
#include "shell/live_input.hpp"
#include "shell/shot.hpp"

#include <functional>
#include <optional>

namespace shell {

// What the platform of this build offers the command line; either may be missing.
struct Backends {
    // Opens the first screen of the input's app and plays until the program ends,
    // feeding the app through `input`, `scale` window pixels per screen pixel; throws
    // PlatformError when it cannot open its windows.
    std::function<void(LiveInput& input, int scale)> windows;
    ShotWriter shot;  // for the scenario driver's `shot`
};

// How long a backend may sleep at `now` before the next timer tick is due: 0 when it
// is due already, nullopt when no timer runs (only input can change anything then).
inline std::optional<rt::Millis> untilNextTick(const rt::App& app, rt::Millis now) {
    const auto next = app.nextTick();
    if (!next) return std::nullopt;
    return *next > now ? *next - now : 0;
}

}  // namespace shell
