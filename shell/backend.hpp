// The seam between the game and a platform: what a backend fills. The runtime, the
// screens and the rules know no platform; each backend (shell/sdl/ for the desktop,
// shell/web/ for the page, shell/script/ for scenario scripts) turns its platform into
// runtime events and clock time, and shows what the runtime says is shown. Each
// backend's header opens with the list of what it implements of this:
//
//   drawing       an rt::Canvas per window (runtime/canvas.hpp), which rt::drawForm
//                 draws a screen on, redrawn where the screen's pixels changed
//   windows       a WindowSet (shell/window_set.hpp): one window per shown screen,
//                 stacked as the game has them
//   input in      the calls of LiveInput (shell/live_input.hpp), with buttons, key
//                 codes and Shift bits as runtime/form.hpp names them, translated at
//                 the edge; a Recorder or a Replay (shell/script/) may stand in between
//   input box     an rt::InputBoxHost (runtime/input_box.hpp) for the modal code box;
//                 a window session's is a WindowInputBox (shell/window_input_box.hpp)
//                 that the game gets through LiveInput::inputBox, so that a replay can
//                 answer it and show the answer in it
//   sound         the effects a sound::Hearing names after each event, played from
//                 the samples of a sound::Bank (shell/sound/)
//   wake-up       sleep until LiveInput::nextWake() has passed or input comes (a
//                 replay sets it itself), then catchUp(clock now): every timer that
//                 is due ticks once; where each wake-up is dear, catchUpAhead()
//                 takes the pollers along
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

// The largest scale a backend's windows are drawn at, window pixels per screen pixel.
constexpr int kLargestScale = 4;

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

}  // namespace shell
