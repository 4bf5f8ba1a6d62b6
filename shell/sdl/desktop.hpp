// The game in windows: one window per shown screen, input from the window system,
// timers on the real clock. Sleeps until the next tick or input.
#pragma once

#include "shell/backend.hpp"
#include "shell/live_input.hpp"

namespace shell {

// Opens the first screen of `input`'s app and plays while `input` is playing, feeding
// the app through `input` and playing what the options' hearing hears. Without a
// scale, the desktop's own (see shell/sdl/window_scale.hpp). Throws PlatformError when
// there is no display or a window cannot be made.
void playInWindows(LiveInput& input, const WindowOptions& options);

}  // namespace shell
