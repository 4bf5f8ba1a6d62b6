// The game in windows: one window per shown screen, input from the window system,
// timers on the real clock. Sleeps until the next tick or input.
#pragma once

#include "shell/live_input.hpp"

namespace shell {

// Opens the first screen of `input`'s app and plays until the program ends, feeding
// the app through `input`. `scale`: window pixels per screen pixel. Throws
// PlatformError when there is no display or a window cannot be made.
void playInWindows(LiveInput& input, int scale);

}  // namespace shell
