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
//   sound         the effects a sound::Hearing names after each event, played from
//                 the samples of a sound::Bank (shell/sound/)
//   wake-up       sleep until untilNextTick() has passed or input comes, then
//                 catchUp(clock now): every timer that is due ticks once (a window
//                 session: until LiveInput::nextWake(), which a replay sets itself);
//                 where each wake-up is dear, catchUpAhead() takes the pollers along
//
// The game is set up and opened the same way everywhere (shell/game_start.hpp).
#pragma once

#include "runtime/app.hpp"
#include "shell/live_input.hpp"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace sound {
class Hearing;
}

namespace shell {

// Writes what the screen's client area shows now as a PNG file at one pixel per 15
// twips: the scenario driver's `shot` and the screenshots of the docs. A backend that
// can draw without a display supplies it; throws PlatformError when it cannot.
using ShotWriter = std::function<void(const rt::Form& form, const std::string& file)>;

// What a window session plays with besides its input.
struct WindowOptions {
    std::optional<int> scale;  // window pixels per screen pixel; without one, the desktop's own
    sound::Hearing& hearing;   // what the game sounds like, which the backend plays
    std::ostream& err;         // where the backend says, once, that it plays silent
};

// What the platform of this build offers the command line; either may be missing.
struct Backends {
    // Opens the first screen of the input's app and plays while `input` is playing,
    // feeding the app through it; throws PlatformError when it cannot open its windows.
    std::function<void(LiveInput& input, const WindowOptions& options)> windows;
    ShotWriter shot;  // for the scenario driver's `shot`
};

// How long a backend may sleep at `now` until the clock time `moment`: 0 when it has
// come, nullopt for no moment (only input can change anything then).
inline std::optional<rt::Millis> until(std::optional<rt::Millis> moment, rt::Millis now) {
    if (!moment) return std::nullopt;
    return *moment > now ? *moment - now : 0;
}

// How long a backend may sleep at `now` before the next timer tick is due.
inline std::optional<rt::Millis> untilNextTick(const rt::App& app, rt::Millis now) { return until(app.nextTick(), now); }

// catchUp(now), then on through every tick due within `lead` ms after `now`, each at
// its own moment, as the virtual clock has them. A change wakes the pollers one short
// period later; with a lead of that period they join the wake-up of the change instead
// of costing one of their own. The game's clock then runs at most `lead` ms ahead.
inline void catchUpAhead(rt::App& app, rt::Millis now, rt::Millis lead) {
    app.catchUp(now);
    for (auto next = app.nextTick(); next && *next <= now + lead; next = app.nextTick()) app.advanceTo(*next);
}

}  // namespace shell
